#include "ui/qtemployeedialogs.h"

#include "ui/combo.h"
#include "ui/departements.h"
#include "ui/listeemployes.h"
#include "ui/recherche.h"
#include "ui/trier.h"

QString QtEmployeeDialogs::searchText(SearchKind kind)
{
    QString text;
    TRecherche::ask(kind, text, m_parent);
    return text;
}

bool QtEmployeeDialogs::postcode(QString &value)
{
    return TFcp::ask(value, m_parent);
}

bool QtEmployeeDialogs::town(QString &value)
{
    return TVille::ask(value, m_parent);
}

bool QtEmployeeDialogs::sortKey(SortKey &key)
{
    const int chosen = TTri::ask(m_parent);
    if (chosen < 0)
        return false;
    key = static_cast<SortKey>(chosen);
    return true;
}

int QtEmployeeDialogs::chooseEmployee(const QList<EmployeeListRow> &rows, int current)
{
    return TListeEmployes::choose(rows, current, m_parent);
}

QStringList QtEmployeeDialogs::editList(ListEditor::Kind kind, const QStringList &entries)
{
    return TCombo::edit(kind, entries, m_parent);
}

void QtEmployeeDialogs::departments()
{
    TDepart::montrer(m_parent);
}
