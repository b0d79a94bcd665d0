#include "payroll/caissemodel.h"

QStringList CaisseModel::columnCaptions()
{
    return {QStringLiteral("Nom"), QStringLiteral("Téléphone"), QStringLiteral("Adresse"), QStringLiteral("Fax"),
            QStringLiteral("CP"), QStringLiteral("Ville"), QStringLiteral("Interlocuteur"), QStringLiteral("Compte"),
            QStringLiteral("L")};
}

QStringList CaisseModel::fieldLabels()
{
    return {QStringLiteral("Nom"), QStringLiteral("Tél."), QStringLiteral("Adresse"), QStringLiteral("Fax"),
            QStringLiteral("CP"), QStringLiteral("Ville"), QStringLiteral("Interloc."), QStringLiteral("Compte"),
            QStringLiteral("Lettre")};
}

QStringList CaisseModel::hints()
{
    return {QStringLiteral("Ajouter fiche"), QStringLiteral("Supprimer fiche"), QStringLiteral("Fiche précédente"),
            QStringLiteral("Fiche suivante")};
}

CaisseModel::CaisseModel(const QStringList &lines)
{
    for (const QString &line : lines) {
        QStringList cells = line.split(u'\t');
        while (cells.size() < kFieldCount)
            cells.append(QString());
        m_rows.append(cells);
    }
    if (m_rows.isEmpty())
        m_rows.append(QStringList(kFieldCount, QString()));
    m_count = int(m_rows.size());
    m_current = 1;
    show();
}

QStringList CaisseModel::lines() const
{
    QStringList out;
    for (int r = 0; r < m_count; ++r)
        out.append(m_rows[r].join(u'\t'));
    return out;
}

QString CaisseModel::cell(int row, int column) const
{
    if (row < 1 || row > m_count || column < 0 || column >= kFieldCount)
        return {};
    return m_rows[row - 1][column];
}

bool CaisseModel::setField(int f, const QString &text)
{
    if (f < 0 || f >= kFieldCount)
        return false;
    for (QChar c : text)
        if (!acceptsKey(c))
            return false;
    m_fields[f] = text;
    return true;
}

void CaisseModel::show()
{
    for (int f = 0; f < kFieldCount; ++f)
        m_fields[f] = cell(m_current, f);
}

void CaisseModel::store()
{
    if (m_current < 1 || m_current > m_count)
        return;
    if (m_fields[Lettre].isEmpty())
        m_fields[Lettre] = m_fields[Nom].left(1);
    QStringList &row = m_rows[m_current - 1];
    for (int f = 0; f < kFieldCount; ++f)
        row[f] = m_fields[f];
}

void CaisseModel::Ajouter()
{
    store();
    ++m_count;
    if (m_rows.size() < m_count)
        m_rows.append(QStringList(kFieldCount, QString()));
    else
        m_rows[m_count - 1] = QStringList(kFieldCount, QString());
    m_current = m_count;
    show();
}

void CaisseModel::Supprimer()
{
    if (m_count < 1)
        return;
    store();
    if (m_current >= 1 && m_current <= m_count)
        m_rows.removeAt(m_current - 1);
    --m_count;
    m_current = std::min(m_current, m_count);
    show();
}

void CaisseModel::Precedent()
{
    store();
    m_current = std::clamp(m_current - 1, std::min(1, m_count), m_count);
    show();
}

void CaisseModel::Suivant()
{
    store();
    m_current = std::clamp(m_current + 1, std::min(1, m_count), m_count);
    show();
}

bool CaisseModel::clickRow(int row)
{
    if (row < 1 || row > m_count)
        return false;
    store();
    m_current = row;
    show();
    return true;
}
