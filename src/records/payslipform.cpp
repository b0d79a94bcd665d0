#include "records/payslipform.h"

#include "records/record.h"

#include "ports/clock.h"
#include "text/dates.h"

#include <climits>

namespace {

const QString kPaie = QStringLiteral("PAIE");
const QChar kTab = u'\t';

QString flag(bool on)
{
    return on ? QStringLiteral("Y") : QStringLiteral("N");
}

// The six cells of a table line, in the order of the block.
template <class Line>
auto cellsOf(Line &l)
{
    return std::array{&l.label, &l.base, &l.employeeRate, &l.employeeAmount, &l.employerRate, &l.employerAmount};
}

// A table line as the block holds it: "PAIE", then the six cells, trimmed, each followed by a
// TAB.
QString paieLine(const PayslipLine &l)
{
    const auto cells = cellsOf(l);
    qsizetype size = kPaie.size() + qsizetype(cells.size());
    for (const QString *cell : cells)
        size += cell->size();
    QString out;
    out.reserve(size);
    out += kPaie;
    for (const QString *cell : cells) {
        out += QStringView(*cell).trimmed();
        out += kTab;
    }
    return out;
}

// A table line is written, and read, when the line is longer than 12 characters: the prefix,
// the six TABs and at least three characters of cells.
constexpr int kMinLineText = 9;

PayslipLine lineFromText(const QString &text)
{
    PayslipLine l;
    qsizetype from = 0;
    for (QString *cell : cellsOf(l)) {
        if (from > text.size())
            break;
        qsizetype tab = text.indexOf(kTab, from);
        if (tab < 0)
            tab = text.size();
        *cell = QStringView(text).sliced(from, tab - from).trimmed().toString();
        from = tab + 1;
    }
    return l;
}

// Year, two-digit month and "000" of today, as a number: 200203000 in March 2002.
qint64 numerobBase()
{
    const QDate today = Clock::instance().today();
    return qint64(today.year()) * 100000 + qint64(today.month()) * 1000;
}

} // namespace

QStringList PayslipForm::blockLines() const
{
    QStringList out;
    out.reserve(kFieldCount + linesInUse);
    out << number << periodStartText() << periodEndText() << employeeCode << socialSecurity
        << hours << rate << flag(monthly) << flag(withPaidLeave) << flag(withPrecarity) << address[0]
        << address[1] << address[2] << address[3] << job << flag(validated) << ot25 << ot50 << ot100
        << transport << advances << cumul << taxableNet << totalDeductions << netToPay << gross;
    const int used = std::clamp(linesInUse, 0, kLineCount);
    for (int i = 0; i < used; ++i) {
        QString line = paieLine(lines[i]);
        if (line.size() - kPaie.size() >= kMinLineText)
            out.append(std::move(line));
    }
    return out;
}

QString PayslipForm::periodStartText() const
{
    return periodStartLine ? *periodStartLine : periodStart.isValid() ? text::formatDate(periodStart) : QString();
}

QString PayslipForm::periodEndText() const
{
    return periodEndLine ? *periodEndLine : periodEnd.isValid() ? text::formatDate(periodEnd) : QString();
}

void LitBulletin(const Collection &payslips, int number, PayslipForm &form, const QString &nextNumber)
{
    const QDate today = Clock::instance().today();
    form = PayslipForm();
    form.number = nextNumber;
    form.periodStart = periodStartFor(today);
    form.periodEnd = periodEndFor(today);

    const QStringList content = payslips.blockContent(number, PayslipForm::kReadLimit);
    auto at = [&](int line) { return content.value(line - 1); };
    auto readDate = [&](int line, QDate &date, std::optional<QString> &unread) {
        const QDate d = text::parseDate(at(line));
        if (d.isValid())
            date = d;
        else
            unread = at(line);
    };
    if (!content.isEmpty()) {
        if (!at(1).isEmpty())
            form.number = at(1);
        readDate(2, form.periodStart, form.periodStartLine);
        readDate(3, form.periodEnd, form.periodEndLine);
        form.employeeCode = at(4);
        form.socialSecurity = at(5);
        form.hours = at(6);
        form.rate = at(7);
        form.monthly = at(8) == u"Y";
        form.withPaidLeave = at(9) == u"Y";
        form.withPrecarity = at(10) == u"Y";
        for (int k = 0; k < 4; ++k)
            form.address[k] = at(11 + k);
        form.job = at(15);
        form.validated = at(16) == u"Y";
        form.ot25 = at(17);
        form.ot50 = at(18);
        form.ot100 = at(19);
        form.transport = at(20);
        form.advances = at(21);
        form.cumul = at(22);
        form.taxableNet = at(23);
        form.totalDeductions = at(24);
        form.netToPay = at(25);
        form.gross = at(26);
    }
    for (qsizetype i = PayslipForm::kFieldCount; i < content.size() && form.linesInUse < PayslipForm::kLineCount; ++i) {
        const QString &line = content[i];
        if (!line.startsWith(kPaie))
            continue;
        const QString text = Collection::tagText(line);
        if (text.size() >= kMinLineText)
            form.lines[form.linesInUse++] = lineFromText(text);
    }
    form.edited = false;
}

bool EcritBulletin(Collection &payslips, int number, PayslipForm &form)
{
    return writeRecord(payslips, number, form, Collection::Placement::AtEnd);
}


qint64 Numerob(const Collection &payslips)
{
    return payslips.largestCode(numerobBase()) + 1;
}

int payslipCount(const Collection &payslips, const QString &employeeCode)
{
    const QString code = employeeCode.trimmed();
    if (code.isEmpty())
        return 0;
    int count = 0;
    for (const Collection::BlockAt &block : payslips.blocks())
        if (payslips.lineAt(block.line, PayslipForm::kEmployeeCode).trimmed().compare(code, Qt::CaseInsensitive) == 0)
            ++count;
    return count;
}

QDate periodStartFor(const QDate &date)
{
    return date.isValid() ? QDate(date.year(), date.month(), 1) : QDate();
}

QDate periodEndFor(const QDate &date)
{
    if (!date.isValid())
        return {};
    // February ends on the 29th in the years divisible by 4 that have such a day; 2100, 2200
    // and 2300 have none, and a period cannot end on a day that does not exist.
    const QDate first(date.year(), date.month(), 1);
    return QDate(date.year(), date.month(), first.daysInMonth());
}
