#include "reports/statsmodel.h"

#include "ports/clock.h"
#include "text/dates.h"

namespace {

StatsDescription describe(StatsKind kind)
{
    using C = StatsColumn;
    switch (kind) {
    case StatsKind::Employes:
        return {kind, QStringLiteral("Statistiques sur les employés"),
                {C{{}, 64}, C{QStringLiteral("Code"), 63}, C{QStringLiteral("Nom"), 294},
                 C{QStringLiteral("Salaires Nets"), 85, 80, 80}},
                3, QStringLiteral("Statistiques employés au ")};
    case StatsKind::Paies:
        return {kind, QStringLiteral("Statistiques sur les paies"),
                {C{{}, 64}, C{QStringLiteral("Mois"), 188}, C{QStringLiteral("Salaires Nets"), 126, 120, 120},
                 C{QStringLiteral("Retenues"), 126, 120, 120}},
                3, QStringLiteral("Statistiques paies au ")};
    case StatsKind::Profils:
        return {kind, QStringLiteral("Statistiques sur les profils"),
                {C{{}, 64}, C{QStringLiteral("Profil"), 313}, C{QStringLiteral("Salaires"), 92, 80, 80}},
                2, QStringLiteral("Statistiques profils au ")};
    case StatsKind::Caisses:
        break;
    }
    return {StatsKind::Caisses, QStringLiteral("Statistiques caisses"),
            {C{{}, 64}, C{QStringLiteral("Lettre"), 49}, C{QStringLiteral("Désignation"), 207},
             C{QStringLiteral("Salarié"), 94, 90, 64}, C{QStringLiteral("Employeur"), 91, 90, 64}},
            4, QStringLiteral("Statistiques caisses au ")};
}

} // namespace

const StatsDescription &statsDescription(StatsKind kind)
{
    static const StatsDescription descriptions[] = {describe(StatsKind::Employes), describe(StatsKind::Paies),
                                                    describe(StatsKind::Profils), describe(StatsKind::Caisses)};
    return descriptions[int(kind)];
}

StatsModel::StatsModel(StatsKind kind)
    : m_description(&statsDescription(kind))
{
}

void StatsModel::Init(const QStringList &list)
{
    QStringList lines = list;
    sortStats(description().kind, lines);
    m_rows.clear();
    m_rows.reserve(lines.size());
    for (const QString &line : lines)
        m_rows.append(line.split(u'\t'));
}

QString StatsModel::cell(int row, int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    if (row == 0)
        return description().columns[column].header;
    if (row < 1 || row > count())
        return {};
    return column == 0 ? QString::number(row) : m_rows[row - 1].value(column - 1);
}

QStringList StatsModel::chartTexts() const
{
    QStringList out;
    for (int row = 1; row <= count(); ++row) {
        const QString c = cell(row, description().chartColumn);
        if (c.trimmed().isEmpty())
            break;
        out.append(c);
    }
    return out;
}

PrintedGrid StatsModel::printedGrid(const QList<int> &screenWidths) const
{
    PrintedGrid g;
    g.title = description().caption;
    const QList<StatsColumn> &columns = description().columns;
    for (int c = 0; c < columns.size(); ++c)
        g.columns.append({columns[c].header, screenWidths.value(c, columns[c].width), columns[c].rset > 0});
    for (int row = 1; row <= count(); ++row) {
        QStringList cells;
        for (int c = 0; c < columns.size(); ++c)
            cells.append(cell(row, c));
        g.rows.append(cells);
    }
    return g;
}

QString StatsModel::printTitle() const
{
    return description().printTitle + text::formatDate(Clock::instance().today());
}
