#include "printing/payslipprint.h"

#include "printing/layout.h"
#include "text/numbers.h"

#include <algorithm>

namespace {

int linesInUse(const PayslipForm &payslip)
{
    return std::clamp(payslip.linesInUse, 0, PayslipForm::kLineCount);
}

QString overtimeText(const PayslipForm &p)
{
    QString s = QStringLiteral("Heures sup. ");
    if (!p.ot25.isEmpty())
        s += QStringLiteral("25% : ") + p.ot25;
    if (!p.ot50.isEmpty())
        s += QStringLiteral("  -  50% : ") + p.ot50;
    if (!p.ot100.isEmpty())
        s += QStringLiteral("  -  100% : ") + p.ot100;
    return s;
}

// Reads an amount cell; an empty cell is 0.
bool readAmount(const QString &cell, double &sum, QString *error)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return true;
    bool ok = false;
    const double v = text::parseNumber(t, &ok);
    if (!ok) {
        if (error)
            *error = floatConversionMessage(t);
        return false;
    }
    sum += v;
    return true;
}

// Where the lines of a page go, in device pixels: the first line's top, the distance from one
// line to the next, and the type size.
struct LinePlaces {
    int top = 0;
    int pitch = 0;
    int points = 10;
};

// Up to kPayslipRoomyLines lines: from y 115, 5 apart, in 10 points. More: spread evenly over
// the room between the caption rule (110) and the totals rule (215), in the largest type
// whose height fits the pitch.
LinePlaces linePlaces(Canvas &canvas, int lines)
{
    const Layout l(canvas);
    if (lines <= kPayslipRoomyLines)
        return {l.y(115), l.y(120) - l.y(115), 10};
    LinePlaces places;
    places.top = l.y(111);
    places.pitch = (l.y(215) - places.top) / lines;
    for (places.points = 9; places.points > kPayslipSmallestPoints; --places.points) {
        canvas.setFont(QStringLiteral("Arial"), places.points, false);
        if (canvas.textHeight(QStringLiteral("Ég")) <= places.pitch)
            break;
    }
    return places;
}

// An amount the user typed ("Ind. Transport", "Acomptes") in the dossier's amount format, as
// the calculated amounts beside it; a text that does not read as a number prints as typed.
QString typedAmount(const QString &typed, const QString &format)
{
    bool ok = false;
    const double value = text::parseNumber(typed, &ok);
    return ok ? text::formatAmount(value, format) : typed.trimmed();
}

} // namespace

QString floatConversionMessage(const QString &text)
{
    return QStringLiteral("'") + text + QStringLiteral("' n'est pas une valeur flottante correcte");
}

bool payslipTotals(const PayslipForm &payslip, PayslipTotals &totals, QString *error)
{
    totals = {};
    for (int i = 0; i < linesInUse(payslip); ++i) {
        const PayslipLine &l = payslip.lines[i];
        if (!readAmount(l.employeeAmount, totals.employee, error)
            || !readAmount(l.employerAmount, totals.employer, error))
            return false;
    }
    return true;
}

int payslipPageCount(const PayslipForm &payslip)
{
    const int n = linesInUse(payslip);
    return n == 0 ? 1 : (n + kPayslipLinesPerPage - 1) / kPayslipLinesPerPage;
}

void Dessin(Canvas &canvas)
{
    Layout l(canvas);
    canvas.setPenWidth(2);
    canvas.setFill(Canvas::kWhite);
    l.rectangle(20, 100, 195, 265);
    l.rectangle(20, 40, 100, 87);
    l.line(20, 110, 195, 110);
    l.line(20, 225, 195, 225);
    for (int x : {105, 125, 140, 160, 175})
        l.line(x, 100, x, 225);
    l.line(20, 215, 195, 215);
    l.line(20, 250, 195, 250);
    l.line(155, 250, 155, 265);

    l.font(10, true);
    l.text(22, 102, QStringLiteral("Intitulé"));
    l.text(107, 102, QStringLiteral("Base"));
    l.text(127, 102, QStringLiteral("Taux"));
    l.text(142, 102, QStringLiteral("Retenue"));
    l.text(162, 102, QStringLiteral("Taux"));
    l.text(177, 102, QStringLiteral("Part Pat."));
    l.text(22, 218, QStringLiteral("Total des Retenues"));
    l.text(22, 230, QStringLiteral("Net imposable"));
    l.text(22, 235, QStringLiteral("Ind. Transports"));
    l.text(22, 240, QStringLiteral("Acomptes"));
    l.text(22, 270, QStringLiteral("Dans votre intérêt, conservez ce document sans limitation de durée"));
    l.font(12, true);
    l.text(112, 252, QStringLiteral("Net à Payer"));
    l.font(10, false);
}

void EnTete(Canvas &canvas, const QStringList &letterhead)
{
    Layout l(canvas);
    l.font(10, false);
    for (int n = 0; n < 7 && n < letterhead.size(); ++n)
        l.text(20, 5 * n, letterhead[n]);
}

void ImpPaie(Canvas &canvas, const PayslipForm &p, const PayslipPrintOptions &o,
             const PayslipTotals &totals, int page)
{
    Layout l(canvas);
    const int pages = payslipPageCount(p);
    const bool last = page == pages - 1;

    l.font(14, true);
    l.text(125, 15, QStringLiteral("BULLETIN DE PAIE"));
    l.font(10, false);
    l.text(22, 42, QStringLiteral("Période du : ") + p.periodStartText());
    l.text(36, 47, QStringLiteral("au : ") + p.periodEndText());
    l.text(22, 52, QStringLiteral("Numéro S.S. : ") + p.socialSecurity);
    l.text(22, 57, QStringLiteral("Nombre d'heures : ") + p.hours);
    l.text(22, 62, QStringLiteral("Sal. horaire : ") + p.rate);
    l.text(22, 67, overtimeText(p));
    l.text(22, 72, QStringLiteral("Base : ") + p.gross);
    if (p.withPaidLeave)
        l.text(22, 77, QStringLiteral("Congés payés ") + text::formatAmount(o.paidLeaveIncludedPercent, o.amountFormat)
                           + QStringLiteral("% inclus"));
    if (p.withPrecarity)
        l.text(22, 82, QStringLiteral("Précarité ") + text::formatAmount(o.precarityPercent, o.amountFormat)
                           + QStringLiteral("% inclus"));
    for (int i = 0; i < 4; ++i)
        l.text(125, 45 + 5 * i, p.address[i]);
    l.text(125, 75, QStringLiteral("Fonction : ") + p.job);
    l.text(22, 92, QStringLiteral("Paie N° : ") + p.number);
    if (pages > 1)
        l.right(195, 92, QStringLiteral("Page %1/%2").arg(page + 1).arg(pages));

    if (last) {
        l.right(90, 230, p.taxableNet);
        l.right(90, 235, typedAmount(p.transport, o.amountFormat));
        l.right(90, 240, typedAmount(p.advances, o.amountFormat));
        l.font(12, true);
        l.text(157, 252, p.netToPay + QStringLiteral(" Euros"));
        l.text(22, 255, QStringLiteral("Cumul :") + p.cumul + QStringLiteral(" Euros"));
    }

    l.font(10, false);
    const LinePlaces places = linePlaces(canvas, std::min(linesInUse(p), kPayslipLinesPerPage));
    l.font(places.points, false);
    const int first = page * kPayslipLinesPerPage;
    const int end = std::min(first + kPayslipLinesPerPage, linesInUse(p));
    for (int i = first; i < end; ++i) {
        const PayslipLine &line = p.lines[i];
        const int y = places.top + places.pitch * (i - first);
        auto at = [&](int x, const QString &text, Canvas::Align align) {
            if (!text.isEmpty())
                canvas.text(l.x(x), y, text, align);
        };
        at(22, line.label, Canvas::Align::Left);
        at(124, line.base.trimmed(), Canvas::Align::Right);
        at(139, line.employeeRate.trimmed(), Canvas::Align::Right);
        at(159, line.employeeAmount.trimmed(), Canvas::Align::Right);
        at(174, line.employerRate.trimmed(), Canvas::Align::Right);
        at(194, line.employerAmount.trimmed(), Canvas::Align::Right);
    }
    l.font(10, false);
    if (last) {
        l.right(159, 218, text::formatAmount(totals.employee, QStringLiteral("0.00")));
        l.right(194, 218, text::formatAmount(totals.employer, QStringLiteral("0.00")));
    }
}

PrintResult Imprime(Canvas &canvas, const PayslipForm &payslip, const PayslipPrintOptions &options)
{
    return Imprime(canvas, QList<PayslipForm>{payslip}, options,
                   QStringLiteral("Bulletin de paie ") + payslip.number.trimmed());
}

PrintResult Imprime(Canvas &canvas, const QList<PayslipForm> &payslips, const PayslipPrintOptions &options,
                    const QString &title)
{
    QList<PayslipTotals> totals(payslips.size());
    QString error;
    for (qsizetype i = 0; i < payslips.size(); ++i)
        if (!payslipTotals(payslips[i], totals[i], &error))
            return PrintResult::failed(error);
    if (payslips.isEmpty())
        return PrintResult::nothing();

    canvas.setOrientation(Canvas::Orientation::Portrait);
    if (!canvas.beginJob(title))
        return PrintResult::failed(canvas.error());
    bool first = true;
    for (qsizetype i = 0; i < payslips.size(); ++i) {
        const int pages = payslipPageCount(payslips[i]);
        for (int page = 0; page < pages; ++page) {
            if (!first && !canvas.newPage()) {
                const QString message = canvas.error();
                canvas.abortJob();
                return PrintResult::failed(message);
            }
            first = false;
            if (options.paperType == 0 || options.paperType == 1)
                Dessin(canvas);
            if (options.paperType == 0)
                EnTete(canvas, options.letterhead);
            ImpPaie(canvas, payslips[i], options, totals[i], page);
        }
    }
    if (!canvas.endJob())
        return PrintResult::failed(canvas.error());
    return PrintResult::printed();
}
