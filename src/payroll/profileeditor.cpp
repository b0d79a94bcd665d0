#include "payroll/profileeditor.h"

#include "records/employeeform.h"
#include "store/dossier.h"
#include "text/numbers.h"

#include <algorithm>

QString ProfileEditor::codeUsedMessage()
{
    return QStringLiteral("code profil déjà utilisé");
}

QString ProfileEditor::tooManyMessage()
{
    return QStringLiteral("Un profil ne peut pas avoir plus de %1 rubriques").arg(ProfileForm::kMaxRubriques);
}

QString ProfileEditor::standardQuestion()
{
    return QStringLiteral("Générer les rubriques ?");
}

QStringList ProfileEditor::baseKinds()
{
    return {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("T"), QStringLiteral("S"),
            QStringLiteral("U")};
}

QStringList ProfileEditor::legend()
{
    return {QStringLiteral("Base"),
            QStringLiteral("A : Tranche A (Plafonnée au plafond de la S.S.)"),
            QStringLiteral("B : Tranche B"),
            QStringLiteral("C : Tranche C"),
            QStringLiteral("T : Totalité"),
            QStringLiteral("S : CSG et RDS non déductible"),
            QStringLiteral("U : CSG déductible")};
}

void ProfileEditor::clearEntry()
{
    m_entry = ProfileEntry();
    m_modifiedRow = -1;
}

void ProfileEditor::read(bool batch)
{
    LitProfil(m_profiles, m_profiles.current(), m_form, batch);
    clearEntry();
}

bool ProfileEditor::write()
{
    return EcritProfil(m_profiles, m_profiles.current(), m_form);
}

bool ProfileEditor::showPage()
{
    read();
    if (m_profiles.lineCount() >= 2)
        return false;
    GenRub();
    m_form.code = QString::number(ProfileForm::kFirstCode);
    return true;
}

void ProfileEditor::Deplacer(Move move)
{
    write();
    const int count = m_profiles.count();
    const int current = m_profiles.current();
    int target = current;
    switch (move) {
    case Move::Premier: target = 0; break;
    case Move::Precedent: target = current - 1; break;
    case Move::Suivant: target = std::min(count - 1, current + 1); break;
    case Move::Dernier: target = count - 1; break;
    }
    m_profiles.setCurrent(std::max(0, target));
    read();
}

Status ProfileEditor::Ajouter()
{
    write();
    if (!m_profiles.add())
        return Status::refused(Dossier::fullMessage());
    m_profiles.setCurrent(m_profiles.count() - 1);
    // The block does not exist yet: the page is empty and the code is the next free one.
    read();
    return Status::done();
}

bool ProfileEditor::Supprimer()
{
    if (!m_profiles.supprime())
        return false;
    read();
    return true;
}

Status ProfileEditor::store()
{
    auto refuse = [](const QString &text) { return Status::refused(text); };
    if (m_entry.code.isEmpty() && m_entry.label.isEmpty())
        return Status::refused();
    // A code that is a whole line of the collection is an existing profile's code or name.
    // An empty code (a line of text without code) is not compared: empty lines are common.
    if (!m_entry.code.isEmpty()) {
        for (const QString &line : m_profiles.lines())
            if (line.compare(m_entry.code, Qt::CaseInsensitive) == 0)
                return refuse(codeUsedMessage());
    }
    const bool modifying = m_modifiedRow >= 0 && m_modifiedRow < m_form.rubriques.size();
    if (!modifying && m_form.rubriques.size() >= ProfileForm::kMaxRubriques)
        return refuse(tooManyMessage());

    Rubrique r{m_entry.code, m_entry.label, QString(), QString(), m_entry.base};
    QString *rates[2] = {&r.employeeRate, &r.employerRate};
    const QString typed[2] = {m_entry.employeeRate, m_entry.employerRate};
    for (int i = 0; i < 2; ++i) {
        QString t = typed[i].trimmed();
        if (t.isEmpty())
            continue;
        t.replace(u'.', u',');
        bool ok = false;
        const double value = text::parseNumber(t, &ok);
        if (!ok)
            return refuse(conversionMessage(typed[i]));
        // Two decimals; the table aligns them to the right, the block holds them trimmed.
        *rates[i] = text::formatAmount(value, QStringLiteral("0.00"));
    }
    if (modifying)
        m_form.rubriques[m_modifiedRow] = r;
    else
        m_form.rubriques.append(r);
    const QString base = m_entry.base;
    m_entry = ProfileEntry();
    m_entry.base = base;
    m_modifiedRow = -1;
    m_form.edited = true;
    return Status::done();
}

bool ProfileEditor::ModiRubrique(int row)
{
    if (row < 0 || row >= m_form.rubriques.size())
        return false;
    const Rubrique &r = m_form.rubriques[row];
    m_entry = ProfileEntry{r.code, r.label, r.employeeRate.trimmed(), r.employerRate.trimmed(), r.base};
    m_modifiedRow = row;
    return true;
}

bool ProfileEditor::SupRubrique(int row)
{
    if (row < 0 || row >= m_form.rubriques.size())
        return false;
    m_form.rubriques.removeAt(row);
    if (m_modifiedRow == row)
        m_modifiedRow = -1;
    else if (m_modifiedRow > row)
        --m_modifiedRow;
    m_form.edited = true;
    return true;
}

bool ProfileEditor::Reprendre(const QString &code)
{
    if (code.isEmpty())
        return false;
    const QStringList &lines = m_profiles.lines();
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const int n = Collection::openTagNumber(lines[i]);
        if (n < 0 || lines[i + 1] != code)
            continue;
        const QStringList content = m_profiles.contentAt(i, ProfileForm::kReadLimit + 1);
        QList<Rubrique> rubriques;
        for (qsizetype k = 2; k < content.size(); ++k)
            if (content[k].startsWith(QLatin1String("DATA")))
                rubriques.append(Rubrique::fromJoined(Collection::tagText(content[k])));
        m_form.rubriques = rubriques;
        m_modifiedRow = -1;
        m_form.edited = true;
        return true;
    }
    return false;
}

void ProfileEditor::GenRub()
{
    m_form.name = QStringLiteral("Standard");
    clearEntry();
    m_form.rubriques = defaultRubriques();
    m_form.edited = true;
}

void ProfileCopy::Copier(const ProfileForm &form)
{
    rows.clear();
    for (const Rubrique &r : form.rubriques)
        rows.append(r.joined());
}

void ProfileCopy::Coller(ProfileForm &form, int nextCode) const
{
    form.code = QString::number(nextCode);
    form.name = QStringLiteral("Profil copié");
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Rubrique r = Rubrique::fromJoined(rows[i]);
        if (i < form.rubriques.size())
            form.rubriques[i] = r;
        else
            form.rubriques.append(r);
    }
    form.edited = true;
}
