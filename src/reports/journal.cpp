#include "reports/journal.h"

#include "records/employeeform.h"
#include "records/payslipform.h"
#include "ports/clock.h"
#include "text/dates.h"
#include "text/encoding.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QChar kTab = u'\t';

QString dateKey(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

QDate keyDate(const QString &entry)
{
    const QDate d = QDate::fromString(entry.left(8), QStringLiteral("yyyyMMdd"));
    return d.isValid() ? d : Clock::instance().today();
}

} // namespace

Accounts Comptes(const Collection &employees)
{
    Accounts a{QStringLiteral("641000"), QString::fromLatin1(EmployeeForm::kDefaultAccount)};
    for (const Collection::BlockAt &block : employees.blocks()) {
        const QString account = employees.lineAt(block.line, EmployeeForm::kAccount);
        if (!account.isEmpty()) {
            a.credit = normaliserCompte(account);
            break;
        }
    }
    return a;
}

Status Journal(const Collection &payslips, const Accounts &accounts, JournalEntries &entries, const Progress &progress)
{
    entries = JournalEntries();
    JournalEntries built;
    PayslipForm p;
    for (int i = 0; i < payslips.count(); ++i) {
        if (progress)
            progress(i);
        if (!payslips.contains(i))
            continue;
        LitBulletin(payslips, i, p, QString());
        const QString gross = p.gross.trimmed();
        if (gross.isEmpty()) {
            ++built.uncalculated;
            continue;
        }
        if (const Status s = checkPeriodEnd(payslips, i, p.number); !s)
            return s;
        const QString head = dateKey(p.periodEnd) + kTab + QStringLiteral("S1") + kTab
                             + text::formatDate(p.periodEnd) + kTab;
        const QString label = QStringLiteral("Paie ") + p.number;
        built.lines.append(head + accounts.debit + kTab + label + kTab + gross);
        built.lines.append(head + accounts.credit + kTab + label + kTab + kTab + gross);
    }
    entries = std::move(built);
    return Status::done();
}

QList<int> JournalModel::columnWidths()
{
    return {44, 24, 78, 59, 239, 98 + 10, 100 + 10};
}

QString JournalModel::caption()
{
    return QStringLiteral("Journal de paie");
}

QStringList JournalModel::headers()
{
    return {QString(), QStringLiteral("Jn"), QStringLiteral("Date"), QStringLiteral("Compte"),
            QStringLiteral("Libellé"), QStringLiteral("Débit"), QStringLiteral("Crédit")};
}

QString JournalModel::exportTitle()
{
    return QStringLiteral("Exporter journal");
}

QString JournalModel::exportFilter()
{
    return QStringLiteral("Format texte + tabulations (*.txt)|*.txt");
}

QString JournalModel::exportExtension()
{
    return QStringLiteral("txt");
}

QString JournalModel::exportProposedName()
{
    return QStringLiteral("Journal.txt");
}

void JournalModel::Init(const JournalEntries &entries)
{
    m_entries = entries.lines;
    m_uncalculated = entries.uncalculated;
    m_du = m_entries.isEmpty() ? Clock::instance().today() : keyDate(m_entries.first());
    m_au = m_entries.isEmpty() ? Clock::instance().today() : keyDate(m_entries.last());
    Remplit();
}

QString JournalModel::uncalculatedText(int count)
{
    if (count <= 0)
        return {};
    if (count == 1)
        return QStringLiteral("1 bulletin non calculé n'est pas repris");
    return QStringLiteral("%1 bulletins non calculés ne sont pas repris").arg(count);
}

void JournalModel::Remplit()
{
    m_shown.clear();
    const QString from = dateKey(m_du);
    const QString to = dateKey(m_au);
    for (const QString &entry : m_entries) {
        const QString key = entry.left(8);
        if (from <= key && key <= to)
            m_shown.append(entry.split(kTab).mid(1));
    }
}

QString JournalModel::cell(int row, int column) const
{
    if (column < 0 || column >= kColumns)
        return {};
    if (row == 0)
        return headers()[column];
    if (row < 1 || row > count())
        return {};
    return column == 0 ? QString::number(row) : m_shown[row - 1].value(column - 1);
}

QStringList JournalModel::exportLines() const
{
    QStringList out;
    out.reserve(count());
    for (int row = 1; row <= count(); ++row)
        out.append(QStringList{cell(row, 2), cell(row, 3), cell(row, 4), cell(row, 1), QString(),
                               cell(row, 5).trimmed(), cell(row, 6).trimmed()}
                       .join(kTab));
    return out;
}

Status JournalModel::exporter(const QString &path) const
{
    return Status::of(text::writeLines(path, exportLines()));
}

PrintedGrid JournalModel::printedGrid(const QList<int> &screenWidths) const
{
    PrintedGrid g;
    g.title = caption();
    const QList<int> widths = columnWidths();
    const QStringList captions = headers();
    for (int c = 0; c < kColumns; ++c)
        g.columns.append({captions[c], screenWidths.value(c, widths[c]), c >= 5});
    for (int row = 1; row <= count(); ++row) {
        QStringList cells;
        for (int c = 0; c < kColumns; ++c)
            cells.append(cell(row, c));
        g.rows.append(cells);
    }
    return g;
}

QString JournalModel::printTitle()
{
    return QStringLiteral("Journal de paie au ") + text::formatDate(Clock::instance().today());
}

Status exporterJournal(const Collection &payslips, const Collection &employees, const std::optional<QDate> &du,
                       const std::optional<QDate> &au, const QString &path, int *uncalculated)
{
    JournalEntries entries;
    if (const Status s = Journal(payslips, Comptes(employees), entries); !s)
        return s;
    if (uncalculated)
        *uncalculated = entries.uncalculated;
    JournalModel model;
    model.Init(entries);
    // The first and the last day a date key can hold.
    model.setDu(du.value_or(QDate(1, 1, 1)));
    model.setAu(au.value_or(QDate(9999, 12, 31)));
    model.Remplit();
    return model.exporter(path);
}
