#include "fakeclock.h"
#include "printing/envelopes.h"
#include "printing/pagesetup.h"
#include "printing/payslipprint.h"
#include "printing/printgrid.h"
#include "printing/sheets.h"
#include "recordingcanvas.h"
#include "storesupport.h"

#include <QtTest>

using Op = RecordingCanvas::Op;
using Align = Canvas::Align;

namespace {

// Pixels per layout millimetre of the recording canvas, truncated: 2398 px over 203 mm at
// 300 dpi, 4795 px over 203 mm at 600 dpi.
int scaleOf(int dpi)
{
    return dpi == 300 ? 11 : 23;
}

// A text where a layout puts it: layout millimetres, alignment, "Arial" points and weight.
struct Placed {
    QStringView text;
    int x, y;
    bool right = false;
    int points = 10;
    bool bold = false;
};

// The recorded text (the first equal one on page) is where p says.
void check(const RecordingCanvas &c, const Placed &p, int page = 0)
{
    const QString s = p.text.toString();
    const QList<Op> found = c.textsEqual(s, page);
    QVERIFY2(!found.isEmpty(), qPrintable(QStringLiteral("not printed: ") + s));
    const Op &op = found.first();
    const int scale = scaleOf(c.dpi());
    const QString where = QStringLiteral("%1 at %2 dpi").arg(s).arg(c.dpi());
    QVERIFY2(op.align == (p.right ? Align::Right : Align::Left), qPrintable(where));
    QVERIFY2((p.right ? op.x2 : op.x) == p.x * scale && op.y == (p.y + 3) * scale, qPrintable(where));
    QVERIFY2(op.font == QLatin1String("Arial") && op.points == p.points && op.bold == p.bold, qPrintable(where));
}

PayslipForm payslip(int lines)
{
    PayslipForm p;
    p.number = QStringLiteral("200203001");
    p.periodStart = QDate(2002, 3, 1);
    p.periodEnd = QDate(2002, 3, 31);
    p.address = {QStringLiteral("DUPONT Jean"), QStringLiteral("3 rue des Lilas"), QString(), QStringLiteral("75011 Paris")};
    p.job = QStringLiteral("Vendeur");
    p.taxableNet = QStringLiteral("1300,00");
    p.transport = QStringLiteral("30,00");
    p.netToPay = QStringLiteral("1225,00");
    p.cumul = QStringLiteral("   3900,00");
    p.gross = QStringLiteral("1592,54");
    for (int i = 0; i < lines; ++i)
        p.lines[i] = {QStringLiteral("Ligne %1").arg(i + 1), QStringLiteral(" 1592,54"), QStringLiteral("1,00"),
                      QStringLiteral("  1,00"), QStringLiteral("4,50"), QStringLiteral("2,00")};
    p.linesInUse = lines;
    return p;
}

PayslipPrintOptions options(int paperType = 0)
{
    PayslipPrintOptions o;
    o.letterhead = {QStringLiteral("SARL Korvel"), QStringLiteral("1 place du Marché"), {}, {}, {}, {},
                    QStringLiteral("Siret 123")};
    o.paperType = paperType;
    o.paidLeaveIncludedPercent = 10;
    o.precarityPercent = 6;
    o.amountFormat = QStringLiteral("0.00");
    return o;
}

// count employee positions, those of missing without a block.
Collection employeesWith(int count, const QList<int> &missing = {})
{
    QStringList lines;
    for (int k = 0; k < count; ++k) {
        if (missing.contains(k))
            continue;
        QStringList fields(29);
        fields[3] = QStringLiteral("Nom %1").arg(k);
        fields[5] = QStringLiteral("Adresse %1").arg(k);
        fields[7] = QStringLiteral("75011");
        fields[8] = QStringLiteral("Paris");
        fields[11] = QStringLiteral("Vendeur");
        lines += blk(k, fields);
    }
    Collection c = make(lines);
    c.setCount(count);
    return c;
}

QList<int> corners(const Op &op)
{
    return {op.x, op.y, op.x2, op.y2};
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void payslipFrameMisplaced()
    {
        for (int dpi : {300, 600}) {
            RecordingCanvas c(dpi);
            QVERIFY(Imprime(c, payslip(3), options()).ok());
            const int s = scaleOf(dpi);
            QList<QList<int>> expected;
            for (const QList<int> &r : QList<QList<int>>{
                     {Op::Rectangle, 20, 100, 195, 265}, {Op::Rectangle, 20, 40, 100, 87}, {Op::Line, 20, 110, 195, 110},
                     {Op::Line, 20, 225, 195, 225}, {Op::Line, 105, 100, 105, 225}, {Op::Line, 125, 100, 125, 225},
                     {Op::Line, 140, 100, 140, 225}, {Op::Line, 160, 100, 160, 225}, {Op::Line, 175, 100, 175, 225},
                     {Op::Line, 20, 215, 195, 215}, {Op::Line, 20, 250, 195, 250}, {Op::Line, 155, 250, 155, 265}})
                expected.append({r[0], r[1] * s, (r[2] + 3) * s, r[3] * s, (r[4] + 3) * s});
            QList<QList<int>> drawn;
            bool textSeen = false;
            for (const Op &op : c.ops) {
                textSeen = textSeen || op.kind == Op::Text;
                if (op.kind == Op::Line || op.kind == Op::Rectangle) {
                    QVERIFY2(!textSeen && op.fill == Canvas::kWhite, "a shape over the texts, or not white");
                    drawn.append(QList<int>{op.kind} + corners(op));
                }
            }
            QCOMPARE(drawn, expected);
            QCOMPARE(c.all(Op::Pen).value(0).x, 2);
        }
    }

    void payslipTextMisplaced()
    {
        const Placed placed[] = {
            // The frame's captions.
            {u"Intitulé", 22, 102, false, 10, true},
            {u"Part Pat.", 177, 102, false, 10, true},
            {u"Total des Retenues", 22, 218, false, 10, true},
            {u"Dans votre intérêt, conservez ce document sans limitation de durée", 22, 270, false, 10, true},
            {u"Net à Payer", 112, 252, false, 12, true},
            // The letterhead's seventh line.
            {u"Siret 123", 20, 30},
            // The payslip's data.
            {u"BULLETIN DE PAIE", 125, 15, false, 14, true},
            {u"au : 31/03/2002", 36, 47},
            {u"75011 Paris", 125, 60},
            {u"Fonction : Vendeur", 125, 75},
            {u"Paie N° : 200203001", 22, 92},
            {u"1300,00", 90, 230, true},
            {u"1225,00 Euros", 157, 252, false, 12, true},
            {u"Cumul :   3900,00 Euros", 22, 255, false, 12, true},
            // Line 3, its trimmed base and employer amount, the employee total.
            {u"Ligne 3", 22, 125},
            {u"1592,54", 124, 115, true},
            {u"2,00", 194, 115, true},
            {u"3,00", 159, 218, true},
        };
        for (int dpi : {300, 600}) {
            RecordingCanvas c(dpi);
            QVERIFY(Imprime(c, payslip(3), options()).ok());
            for (const Placed &p : placed)
                check(c, p);
        }
    }

    void particularTextsWrong_data()
    {
        QTest::addColumn<QStringList>("overtime");
        QTest::addColumn<bool>("paidLeave");
        QTest::addColumn<bool>("precarity");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("expected"); // the texts at y 67, 77 and 82 ("" nothing)
        QTest::newRow("no overtime, no leave") << QStringList{"", "", ""} << false << false << "0.00"
                                               << QStringList{"Heures sup. ", "", ""};
        QTest::newRow("50% only") << QStringList{"", "4", ""} << false << true << "0.00"
                                  << QStringList{"Heures sup.   -  50% : 4", "", "Précarité 6,00% inclus"};
        QTest::newRow("all three, leave") << QStringList{"2", "4", "1"} << true << false << "0.0"
                                          << QStringList{"Heures sup. 25% : 2  -  50% : 4  -  100% : 1",
                                                         "Congés payés 10,0% inclus", ""};
        QTest::newRow("# and a zero percent") << QStringList{"", "", ""} << true << false << "#"
                                              << QStringList{"Heures sup. ", "Congés payés % inclus", ""};
    }
    void particularTextsWrong()
    {
        QFETCH(QStringList, overtime);
        QFETCH(bool, paidLeave);
        QFETCH(bool, precarity);
        QFETCH(QString, format);
        QFETCH(QStringList, expected);
        PayslipForm p = payslip(0);
        p.ot25 = overtime[0];
        p.ot50 = overtime[1];
        p.ot100 = overtime[2];
        p.withPaidLeave = paidLeave;
        p.withPrecarity = precarity;
        PayslipPrintOptions o = options();
        o.amountFormat = format;
        if (format == QLatin1String("#"))
            o.paidLeaveIncludedPercent = 0;
        RecordingCanvas c;
        QVERIFY(Imprime(c, p, o).ok());
        const int ys[] = {67, 77, 82};
        for (int i = 0; i < 3; ++i) {
            QStringList at;
            for (const Op &op : c.texts())
                if (op.y == (ys[i] + 3) * 11 && op.x == 22 * 11)
                    at << op.text;
            QCOMPARE(at, expected[i].isEmpty() ? QStringList() : QStringList{expected[i]});
        }
    }

    void paperTypeIgnored_data()
    {
        QTest::addColumn<int>("paperType");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("letterhead");
        QTest::newRow("white paper") << 0 << true << true;
        QTest::newRow("letterhead paper") << 1 << true << false;
        QTest::newRow("other value") << 2 << false << false;
    }
    void paperTypeIgnored()
    {
        QFETCH(int, paperType);
        QFETCH(bool, frame);
        QFETCH(bool, letterhead);
        RecordingCanvas c;
        QVERIFY(Imprime(c, payslip(1), options(paperType)).ok());
        QCOMPARE(c.all(Op::Rectangle).size(), frame ? 2 : 0);
        QCOMPARE(c.textsEqual(QStringLiteral("Intitulé")).size(), frame ? 1 : 0);
        QCOMPARE(c.textsEqual(QStringLiteral("SARL Korvel")).size(), letterhead ? 1 : 0);
        QCOMPARE(c.textsEqual(QStringLiteral("BULLETIN DE PAIE")).size(), 1);
    }

    void totalsNotSumOfPrintedAmounts_data()
    {
        QTest::addColumn<QStringList>("amounts"); // employee amounts; the employer ones are "1"
        QTest::addColumn<QString>("employeeTotal");
        QTest::addColumn<QString>("employerTotal");
        QTest::newRow("no line") << QStringList() << "0,00" << "0,00";
        QTest::newRow("blanks, empties, rounding") << QStringList{"  10,10", "", " 20,205 "} << "30,31" << "3,00";
        QTest::newRow("whole amounts, two decimals") << QStringList{"12", "13"} << "25,00" << "2,00";
    }
    void totalsNotSumOfPrintedAmounts()
    {
        QFETCH(QStringList, amounts);
        PayslipForm p = payslip(int(amounts.size()));
        for (int i = 0; i < amounts.size(); ++i) {
            p.lines[i].employeeAmount = amounts[i];
            p.lines[i].employerAmount = QStringLiteral("1");
        }
        RecordingCanvas c;
        QVERIFY(Imprime(c, p, options()).ok());
        // The totals are the last two texts of the page.
        const QList<Op> row = c.texts().mid(c.texts().size() - 2);
        QTEST(row.value(0).text, "employeeTotal");
        QTEST(row.value(1).text, "employerTotal");
        QCOMPARE((QList<int>{row.value(0).x2, row.value(1).x2, row.value(1).y}), (QList<int>{159 * 11, 194 * 11, 221 * 11}));
    }

    void longPayslipOverprintsTotals_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("20 lines") << 20 << 1;
        QTest::newRow("21 lines") << 21 << 2;
        QTest::newRow("standard profile") << 26 << 2;
        QTest::newRow("41 lines") << 41 << 3;
    }
    void longPayslipOverprintsTotals()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        RecordingCanvas c;
        QVERIFY(Imprime(c, payslip(lines), options()).ok());
        QCOMPARE(c.pageCount(), pages);
        for (int page = 0; page < pages; ++page) {
            const int last = page == pages - 1;
            QCOMPARE(c.all(Op::Rectangle, page).size(), 2);
            for (QStringView repeated : {u"SARL Korvel", u"Paie N° : 200203001", u"Intitulé", u"BULLETIN DE PAIE"})
                QCOMPARE(c.textsEqual(repeated.toString(), page).size(), 1);
            int labels = 0;
            for (const Op &op : c.texts(page)) {
                if (op.text.startsWith(QLatin1String("Ligne "))) {
                    ++labels;
                    QVERIFY2(op.y < (215 + 3) * 11, "a line printed over the totals");
                }
            }
            QCOMPARE(labels, std::min(20, lines - 20 * page));
            for (QStringView onLast : {u"1225,00 Euros", u"1300,00", u"30,00", u"Cumul :   3900,00 Euros"})
                QCOMPARE(c.textsEqual(onLast.toString(), page).size(), last);
            QCOMPARE(c.textsEqual(QStringLiteral("Page %1/%2").arg(page + 1).arg(pages), page).size(), pages > 1 ? 1 : 0);
        }
        if (pages > 1)
            check(c, {u"Ligne 21", 22, 115}, 1);
        const QString total = QStringLiteral("%1,00").arg(lines);
        check(c, {total, 159, 218, true}, pages - 1);
    }

    void badAmountStartsJob_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("employer");
        QTest::newRow("first line, employee amount") << 0 << false;
        QTest::newRow("last line of page 2, employer amount") << 25 << true;
    }
    void badAmountStartsJob()
    {
        QFETCH(int, line);
        QFETCH(bool, employer);
        PayslipForm p = payslip(26);
        (employer ? p.lines[line].employerAmount : p.lines[line].employeeAmount) = QStringLiteral(" 12,3,4 ");
        RecordingCanvas c;
        const PrintResult r = Imprime(c, p, options());
        QCOMPARE(r.status, PrintResult::Status::Failed);
        QCOMPARE(r.message, QStringLiteral("'12,3,4' n'est pas une valeur flottante correcte"));
        QVERIFY(c.ops.isEmpty());
    }

    void refusedJobReportedAsPrinted_data()
    {
        QTest::addColumn<int>("at"); // 0 the start, 1 a new page, 2 the end
        QTest::newRow("at the start") << 0;
        QTest::newRow("at a new page") << 1;
        QTest::newRow("at the end") << 2;
    }
    void refusedJobReportedAsPrinted()
    {
        QFETCH(int, at);
        RecordingCanvas c;
        (at == 0 ? c.refuseBegin : at == 1 ? c.refuseNewPage : c.refuseEnd) = QStringLiteral("la file est arrêtée");
        const PrintResult r = Imprime(c, payslip(26), options());
        QCOMPARE(r.status, PrintResult::Status::Failed);
        QCOMPARE(r.message, QStringLiteral("Impossible d'imprimer : la file est arrêtée"));
        QCOMPARE(c.all(Op::Abort).size(), at == 1 ? 1 : 0);
    }

    void employeeSheetMisplaced()
    {
        EmployeeForm e;
        e.reset(QDate(2002, 4, 17));
        e.code = QStringLiteral("10001");
        e.branchCode = QStringLiteral("00456");
        e.accountKey = QStringLiteral("77");
        e.profileCode = QStringLiteral("10001");
        e.profileName = QStringLiteral("Standard");
        e.cumul = QStringLiteral("  3900,00");
        e.entryDate = QDate(1999, 9, 1);
        e.leavingDate = QDate(2002, 12, 31);
        e.historyLabel = QStringLiteral("Prime");
        e.history[0] = {QStringLiteral("31/03/2002"), QStringLiteral("Paie N°200203001"), QStringLiteral("1225,00")};
        e.note = QStringList{QStringLiteral("first"), QStringLiteral("second")};
        const Placed placed[] = {
            {u"Code employé", 5, 5},      {u"Etudes", 5, 55},           {u"10001  Standard", 135, 45},
            {u"00456", 185, 10},          {u"77", 190, 15},             {u"  3900,00", 185, 50},
            {u"Salaire", 165, 40},        {u"31/12/2002", 185, 55},     {u"Prime", 35, 65},
            {u"17/04/2002", 5, 65},       {u"Paie N°200203001", 35, 75}, {u"1225,00", 90, 75, true},
            {u"second", 120, 75},
        };
        for (int dpi : {300, 600}) {
            RecordingCanvas c(dpi);
            QVERIFY(ImpEmp(c, e).ok());
            for (const Placed &p : placed)
                check(c, p);
            QCOMPARE(c.all(Op::Begin).value(0).orientation, Canvas::Orientation::Portrait);
        }
    }

    void employeeSheetHistoryNotStoppedAtEmptyDate_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<int>("printed");
        QTest::newRow("empty history") << QStringList() << 0;
        QTest::newRow("a row without date ends it") << QStringList{"01/01/2002", "01/02/2002", "", "01/04/2002"} << 2;
    }
    void employeeSheetHistoryNotStoppedAtEmptyDate()
    {
        QFETCH(QStringList, dates);
        QFETCH(int, printed);
        EmployeeForm e;
        e.reset(QDate(2002, 4, 17));
        for (int r = 0; r < dates.size(); ++r)
            e.history[r] = {dates[r], QStringLiteral("Paie"), QStringLiteral("1,00")};
        RecordingCanvas c;
        QVERIFY(ImpEmp(c, e).ok());
        // The input line's date (today when untouched), then one date per printed row.
        QStringList column;
        for (const Op &op : c.texts())
            if (op.x == 5 * 11 && op.y >= (65 + 3) * 11)
                column << op.text;
        QCOMPARE(column, QStringList{"17/04/2002"} + dates.mid(0, printed));
    }

    void listPageBreakWrong_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("printed");
        // Lines per landscape page: the next line's Mv must not exceed the height minus Mv(20):
        // 37 at 300 dpi (2398 - 253 px), 35 at 600 dpi (4795 - 529 px).
        QTest::newRow("one more than a page at 300") << 300 << 38 << QList<int>() << 1 << 38 << 38;
        QTest::newRow("one more than a page at 600") << 600 << 36 << QList<int>() << 1 << 36 << 36;
        QTest::newRow("a full page, then blocks missing") << 300 << 40 << QList<int>{37, 38, 39} << 1 << 40 << 37;
        QTest::newRow("range clamped") << 600 << 5 << QList<int>() << 0 << 9 << 5;
        QTest::newRow("range inside") << 300 << 5 << QList<int>() << 2 << 3 << 2;
    }
    void listPageBreakWrong()
    {
        QFETCH(int, dpi);
        QFETCH(int, count);
        QFETCH(QList<int>, missing);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, printed);
        RecordingCanvas c(dpi);
        QVERIFY(ImpListe(c, employeesWith(count, missing), from, to).ok());
        const int perPage = dpi == 300 ? 37 : 35;
        QCOMPARE(c.pageCount(), (printed + perPage - 1) / perPage);
        QList<int> names;
        for (const Op &op : c.texts())
            if (op.text.startsWith(QLatin1String("Nom ")))
                names << op.text.mid(4).toInt();
        QCOMPARE(names.size(), printed);
        QCOMPARE(names.first(), std::max(from - 1, 0));
        // Every page: the heading and its rule, then the first line at y 10.
        const int s = scaleOf(dpi);
        for (int page = 0; page < c.pageCount(); ++page) {
            for (const Placed &p : {Placed{u"Nom", 5, 0}, Placed{u"Emploi", 255, 0}, Placed{u"Paris", 175, 10}})
                check(c, p, page);
            QCOMPARE(corners(c.all(Op::Line, page).value(0)), (QList<int>{5 * s, 8 * s, 300 * s, 8 * s}));
            QCOMPARE(c.texts(page).value(7).y, (10 + 3) * s);
        }
        QCOMPARE(c.all(Op::Begin).value(0).orientation, Canvas::Orientation::Landscape);
        QCOMPARE(c.orientation(), Canvas::Orientation::Portrait);
    }

    void gridMisplaced_data()
    {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("secondColumn"); // left edge of the second column, in pixels
        // 2398 x 3390 px: margins 95 and 135; columns of 100 screen pixels.
        QTest::newRow("columns fill the margins") << 0 << 95 + 100 * (2208 / 200);
        QTest::newRow("screen proportions") << 240 << 95 + 100 * (2398 / 240);
    }
    void gridMisplaced()
    {
        QFETCH(int, screenWidth);
        QFETCH(int, secondColumn);
        PrintedGrid g;
        g.columns = {{QStringLiteral("Code"), 100}, {QStringLiteral("Montant"), 100, true}};
        g.rows = {{QStringLiteral("A1"), QStringLiteral("  12,50")}};
        g.screenWidth = screenWidth;
        RecordingCanvas c; // text height 50: line height 75
        QVERIFY(PrintGrid(c, g, QStringLiteral("Statistiques paies au 20/10/1998"), QStringLiteral("Titre")).ok());
        QCOMPARE(c.all(Op::Begin).value(0).text, QStringLiteral("Statistiques paies au 20/10/1998"));
        auto at = [&c](const char *text) {
            const Op op = c.textsEqual(QString::fromUtf8(text)).value(0);
            return QList<int>{op.align == Align::Right ? op.x2 : op.x, op.y, op.bold};
        };
        const int rightOfSecond = 2 * secondColumn - 95 - 10;
        QCOMPARE(at("Titre"), (QList<int>{95, 135, true}));
        QCOMPARE(at("Imprimé le 20/10/1998"), (QList<int>{2398 - 95, 135, true}));
        QCOMPARE(at("Code"), (QList<int>{95 + 10, 135 + 75 + 10, true}));
        QCOMPARE(at("Montant"), (QList<int>{rightOfSecond, 135 + 75 + 10, true}));
        QCOMPARE(at("A1"), (QList<int>{95 + 10, 135 + 150 + 10, false}));
        QCOMPARE(at("12,50"), (QList<int>{rightOfSecond, 135 + 150 + 10, false}));
        QCOMPARE(corners(c.all(Op::Fill).value(0)), (QList<int>{95, 210, 2303, 285}));
        QCOMPARE(c.all(Op::Fill).value(0).fill, Canvas::kGrey);
        QVERIFY(std::any_of(c.ops.begin(), c.ops.end(), [&](const Op &op) {
            return op.kind == Op::Line && op.x == secondColumn && op.x2 == secondColumn;
        }));
    }

    void gridPageBreakWrong_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        // Line height 75 from 135 + 150: a row reaches H - top (3255) after 40 rows (3285).
        QTest::newRow("N = 0") << 0 << 1;
        QTest::newRow("last row at the limit") << 40 << 1;
        QTest::newRow("one row more") << 41 << 2;
    }
    void gridPageBreakWrong()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        PrintedGrid g;
        g.columns = {{QStringLiteral("Code"), 100}, {QStringLiteral("Nom"), 100}};
        for (int r = 0; r < rows; ++r)
            g.rows.append({QString::number(r), QStringLiteral("x")});
        RecordingCanvas c;
        QVERIFY(PrintGrid(c, g, QString(), QString()).ok());
        QCOMPARE(c.pageCount(), pages);
        // Every page: the captions, then its three column rules from under the heading down
        // to its last row.
        for (int page = 0; page < pages; ++page) {
            QCOMPARE(c.textsEqual(QStringLiteral("Code"), page).size(), 1);
            const QList<Op> lines = c.all(Op::Line, page);
            const int rowsOnPage = page < pages - 1 ? 40 : rows - 40 * page;
            for (const Op &rule : lines.mid(lines.size() - 3))
                QCOMPARE((QList<int>{rule.y, rule.y2}), (QList<int>{135 + 75, 135 + 150 + 75 * rowsOnPage}));
        }
    }

    void dispatchPrintsWrongPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("printed");
        QTest::newRow("employees") << int(PrintedPage::Employes) << "Fiche employé DUPONT Jean" << "Code employé";
        QTest::newRow("profiles") << int(PrintedPage::Profils) << "Korvel" << "10001   Standard";
        QTest::newRow("payslips") << int(PrintedPage::Bulletins) << "Bulletin de paie 200203001" << "BULLETIN DE PAIE";
    }
    void dispatchPrintsWrongPage()
    {
        QFETCH(int, page);
        QFETCH(QString, printed);
        EmployeeForm e;
        e.name = QStringLiteral("DUPONT Jean");
        ProfileForm profile;
        profile.code = QStringLiteral("10001");
        profile.name = QStringLiteral("Standard");
        profile.rubriques = {{QStringLiteral("U100"), QStringLiteral("CSG"), QStringLiteral("2,90"), {}, QStringLiteral("S")}};
        const PayslipForm p = payslip(1);
        RecordingCanvas c;
        QVERIFY(ImpFiche(c, PrintedPage(page), {&e, &profile, {}, &p, options()}).ok());
        QTEST(c.all(Op::Begin).value(0).text, "title");
        QCOMPARE(c.textsEqual(printed).size(), 1);
    }

    void pageSetupShowsWrongChoices_data()
    {
        QTest::addColumn<QList<int>>("stored"); // paper type, orientation, guide ticked
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("as stored") << QList<int>{1, 1, 1} << QList<int>{1, 1, 1};
        QTest::newRow("paper type 2 shows the last choice") << QList<int>{2, 0, 1} << QList<int>{1, 0, 1};
        QTest::newRow("paper type 3 shows the defaults") << QList<int>{3, 1, 1} << QList<int>{0, 0, 0};
        QTest::newRow("orientation 2 shows the defaults") << QList<int>{1, 2, 1} << QList<int>{0, 0, 0};
        QTest::newRow("negative paper type shows the defaults") << QList<int>{-1, 1, 0} << QList<int>{0, 0, 0};
    }
    void pageSetupShowsWrongChoices()
    {
        QFETCH(QList<int>, stored);
        PageSetupModel m;
        m.Init(stored[0], stored[1], stored[2]);
        QTEST((QList<int>{m.paperType(), m.envelopeOrientation(), m.guide()}), "shown");
    }

    void pageSetupKeepsWrongResult_data()
    {
        QTest::addColumn<QList<int>>("stored"); // paper type, orientation, guide value
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QList<int>>("kept");
        QTest::newRow("cancelled") << QList<int>{2, 1, 37} << false << QList<int>{2, 1, 37};
        QTest::newRow("OK on a stored 2 stores 1, the guide 100") << QList<int>{2, 1, 37} << true << QList<int>{1, 1, 100};
        QTest::newRow("OK on the defaults of a stored 3") << QList<int>{3, 1, 100} << true << QList<int>{0, 0, 0};
    }
    void pageSetupKeepsWrongResult()
    {
        QFETCH(QList<int>, stored);
        QFETCH(bool, ok);
        int paper = stored[0], orientation = stored[1], guide = stored[2];
        QCOMPARE(ParM(paper, orientation, guide, [&](PageSetupModel &) { return ok; }), ok);
        QTEST((QList<int>{paper, orientation, guide}), "kept");
    }

    void envelopeMisplaced()
    {
        EmployeeForm e;
        e.name = QStringLiteral("DUPONT Jean");
        e.postcode = QStringLiteral("75011");
        e.town = QStringLiteral("Paris");
        for (int dpi : {300, 600}) {
            for (int orientation : {0, 1}) {
                for (int guide : {0, 100}) {
                    RecordingCanvas c(dpi);
                    QVERIFY(ImpEnv(c, options().letterhead, envelopeRecipient(e), orientation, guide).ok());
                    QCOMPARE(c.all(Op::Begin).value(0).orientation,
                             orientation == 1 ? Canvas::Orientation::Landscape : Canvas::Orientation::Portrait);
                    QCOMPARE(c.orientation(), Canvas::Orientation::Portrait);
                    QCOMPARE(c.pageCount(), 1);
                    // Sender lines 1, 2 (3 and 4 empty); the recipient without address lines:
                    // the postcode and town keep their place.
                    QCOMPARE(c.texts().size(), 4);
                    for (const Placed &p : {Placed{u"SARL Korvel", 5, guide + 5}, Placed{u"1 place du Marché", 5, guide + 10},
                                            Placed{u"DUPONT Jean", 110, guide + 50}, Placed{u"75011 Paris", 110, guide + 65}})
                        check(c, p);
                }
            }
        }
    }

    void envelopeBatchWrong_data()
    {
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<int>("envelopes");
        QTest::newRow("every employee") << QList<int>() << 4;
        QTest::newRow("positions without block skipped") << QList<int>{0, 3} << 2;
        QTest::newRow("no block at all") << QList<int>{0, 1, 2, 3} << 0;
    }
    void envelopeBatchWrong()
    {
        QFETCH(QList<int>, missing);
        QFETCH(int, envelopes);
        RecordingCanvas c;
        const PrintResult r = Enveloppes(c, options().letterhead, employeesWith(4, missing), 1, 4, 100);
        QCOMPARE(r.status, envelopes ? PrintResult::Status::Printed : PrintResult::Status::NothingPrinted);
        QCOMPARE(c.pageCount(), envelopes);
        for (int page = 0; page < envelopes; ++page)
            check(c, {u"75011 Paris", 110, 165}, page);
        if (envelopes)
            QCOMPARE(c.all(Op::Begin).value(0).orientation, Canvas::Orientation::Landscape);
        QCOMPARE(c.orientation(), Canvas::Orientation::Portrait);
    }
};

QTEST_GUILESS_MAIN(TestPrinting)
#include "test_printing.moc"
