#include "employees/navigation.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

int distanceOf(SearchKind kind)
{
    switch (kind) {
    case SearchKind::Nom:
        return EmployeeForm::kName;
    case SearchKind::Numero:
        return EmployeeForm::kCode;
    case SearchKind::Telephone:
        return EmployeeForm::kTelephone;
    }
    return EmployeeForm::kName;
}

bool isCandidate(const Collection &employees, int n, const Selection &selection)
{
    const int distance = selection.mode == 2 ? EmployeeForm::kPostcode : EmployeeForm::kTown;
    const QString &wanted = selection.mode == 2 ? selection.postcode : selection.town;
    const QString line = employees.lineOfBlock(n, distance);
    return !line.isNull() && line == wanted;
}

} // namespace

int moveTarget(const Collection &employees, Move move, const Selection &selection)
{
    const int count = employees.count();
    const int current = employees.current();
    if ((move == Move::Suivant || move == Move::Dernier) && count < 2)
        return -1;
    if (selection.mode != 2 && selection.mode != 3) {
        switch (move) {
        case Move::Premier:
            return 0;
        case Move::Precedent:
            return std::max(0, current - 1);
        case Move::Suivant:
            return std::min(count - 1, current + 1);
        case Move::Dernier:
            return std::max(0, count - 1);
        }
        return current;
    }
    return nearestIn(count, current, move, [&](int n) { return isCandidate(employees, n, selection); });
}

bool Deplacer(Collection &employees, EmployeeForm &form, Move move, const Selection &selection)
{
    if ((move == Move::Suivant || move == Move::Dernier) && employees.count() < 2)
        return false;
    EcritFiche(employees, employees.current(), form);
    employees.setCurrent(moveTarget(employees, move, selection));
    LitFiche(employees, employees.current(), form);
    return true;
}

QString searchCaption(SearchKind kind)
{
    switch (kind) {
    case SearchKind::Nom:
        return QStringLiteral("Recherche par nom");
    case SearchKind::Numero:
        return QStringLiteral("Recherche par code employé");
    case SearchKind::Telephone:
        return QStringLiteral("Recherche par téléphone");
    }
    return {};
}

QString searchLabel(SearchKind kind)
{
    switch (kind) {
    case SearchKind::Nom:
        return QStringLiteral("Début nom");
    case SearchKind::Numero:
        return QStringLiteral("Code employé");
    case SearchKind::Telephone:
        return QStringLiteral("Téléphone");
    }
    return {};
}

bool acceptsSearchKey(SearchKind kind, QChar key)
{
    if (key == u'\b' || key == u'\t')
        return true;
    switch (kind) {
    case SearchKind::Nom:
        return true;
    case SearchKind::Numero:
        return key >= u'0' && key <= u'9';
    case SearchKind::Telephone:
        return (key >= u'0' && key <= u'9') || key == u' ' || key == u'.';
    }
    return false;
}

bool acceptsPostcodeKey(QChar key)
{
    return key == u'\b' || key == u'\t' || (key >= u'0' && key <= u'9');
}

QString upperAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

QString searchText(SearchKind kind, const QString &typed)
{
    return kind == SearchKind::Nom ? upperAZ(typed) : typed;
}

int rechercher(const Collection &employees, SearchKind kind, const QString &typed)
{
    const QString wanted = searchText(kind, typed);
    if (wanted.isEmpty())
        return -1;
    const int distance = distanceOf(kind);
    for (const Collection::BlockAt &block : employees.blocks()) {
        if (block.number < 0)
            continue;
        const QString line = employees.lineAt(block.line, distance);
        if (line.size() < wanted.size())
            continue;
        if (upperAZ(line.left(wanted.size())) == wanted)
            return block.number;
    }
    return -1;
}

QString notFoundMessage(SearchKind kind, const QString &typed)
{
    return QStringLiteral("Fiche ") + searchText(kind, typed) + QStringLiteral(" non trouvée");
}

Status Rechercher(Collection &employees, EmployeeForm &form, SearchKind kind, const QString &typed)
{
    if (typed.isEmpty())
        return Status::done();
    const int found = rechercher(employees, kind, typed);
    if (found < 0)
        return Status::refused(notFoundMessage(kind, typed));
    EcritFiche(employees, employees.current(), form);
    employees.setCurrent(found);
    LitFiche(employees, found, form);
    return Status::done();
}

bool listeDisponible(const Collection &employees)
{
    return employees.lineCount() >= 21;
}

QList<EmployeeListRow> listeEmployes(const Collection &employees)
{
    QList<EmployeeListRow> rows;
    for (const Collection::BlockAt &block : employees.blocks()) {
        EmployeeListRow row;
        row.number = block.number;
        row.sequence = rows.size() + 1;
        const qsizetype at = block.line;
        row.name = employees.lineAt(at, EmployeeForm::kName);
        row.address1 = employees.lineAt(at, EmployeeForm::kAddress1);
        row.address2 = employees.lineAt(at, EmployeeForm::kAddress2);
        row.postcode = employees.lineAt(at, EmployeeForm::kPostcode);
        row.town = employees.lineAt(at, EmployeeForm::kTown);
        row.telephone = employees.lineAt(at, EmployeeForm::kTelephone);
        row.email = employees.lineAt(at, EmployeeForm::kEmail);
        rows.append(row);
    }
    return rows;
}

QStringList listeColonnes()
{
    return {QString(), QStringLiteral("Nom"), QStringLiteral("Adresse"), QStringLiteral("Adresse"),
            QStringLiteral("C.P."), QStringLiteral("Ville"), QStringLiteral("Téléphone"),
            QStringLiteral("Email")};
}

bool Choisir(Collection &employees, EmployeeForm &form, int number)
{
    if (number < 0 || number >= employees.count() || !employees.contains(number))
        return false;
    EcritFiche(employees, employees.current(), form);
    employees.setCurrent(number);
    LitFiche(employees, number, form);
    return true;
}

namespace {

// "code name" for every block, in the order the blocks stand in the collection.
QStringList codeNameItems(const Collection &collection, int codeDistance, int nameDistance)
{
    QStringList items;
    for (const Collection::BlockAt &block : collection.blocks())
        items.append(collection.lineAt(block.line, codeDistance) + u' '
                     + collection.lineAt(block.line, nameDistance));
    return items;
}

} // namespace

QStringList listeEmp(const Collection &employees)
{
    return codeNameItems(employees, EmployeeForm::kCode, EmployeeForm::kName);
}

QStringList InitProfils(const Collection &profiles)
{
    return codeNameItems(profiles, 1, 2);
}

QString codeChoisi(const QString &item)
{
    const qsizetype space = item.indexOf(u' ');
    return space < 0 ? item : item.left(space);
}

namespace {

struct SortEntry {
    QString key;
    QStringList content;
};

} // namespace

void trierCollection(Collection &employees, SortKey key)
{
    const int distance = key == SortKey::Nom          ? EmployeeForm::kName
                         : key == SortKey::CodePostal ? EmployeeForm::kPostcode
                                                      : EmployeeForm::kTown;
    QList<SortEntry> entries;
    for (const Collection::BlockAt &block : employees.blocks()) {
        SortEntry entry;
        entry.content = employees.contentAt(block.line);
        entry.key = distance <= entry.content.size() ? entry.content[distance - 1] : QString();
        entries.append(entry);
    }

    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Sort keys once per entry; the content is compared only between equal keys.
    QList<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const SortEntry &e : entries)
        keys.append(collator.sortKey(e.key));
    QList<int> order(entries.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = keys[a].compare(keys[b]);
        if (c != 0)
            return c < 0;
        const QStringList &ca = entries[a].content;
        const QStringList &cb = entries[b].content;
        for (qsizetype k = 0; k < std::min(ca.size(), cb.size()); ++k) {
            const int d = collator.compare(ca[k], cb[k]);
            if (d != 0)
                return d < 0;
        }
        return ca.size() < cb.size();
    });

    QList<QStringList> sorted;
    sorted.reserve(entries.size());
    for (int j : order)
        sorted.append(entries[j].content);
    employees.setBlocks(sorted);
}

void Trier(Collection &employees, EmployeeForm &form, SortKey key)
{
    EcritFiche(employees, employees.current(), form);
    trierCollection(employees, key);
    LitFiche(employees, employees.current(), form);
}
