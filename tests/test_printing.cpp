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

// Pixels per layout millimetre of the recording canvas: 2398 px over 203 mm at 300 dpi,
// 4795 px over 203 mm at 600 dpi, truncated.
int scaleOf(int dpi)
{
    return dpi == 300 ? 11 : 23;
}

// Adds one row per resolution.
template<typename... Values>
void rowsAtBothResolutions(const char *name, Values... values)
{
    for (int dpi : {300, 600})
        ((QTest::addRow("%s %d dpi", name, dpi) << dpi) << ... << values);
}

PayslipForm payslip(int lines)
{
    PayslipForm p;
    p.number = QStringLiteral("200203001");
    p.periodStart = QDate(2002, 3, 1);
    p.periodEnd = QDate(2002, 3, 31);
    p.socialSecurity = QStringLiteral("1700575123456");
    p.hours = QStringLiteral("151,67");
    p.rate = QStringLiteral("10,50");
    p.address = {QStringLiteral("DUPONT Jean"), QStringLiteral("3 rue des Lilas"), QString(),
                 QStringLiteral("75011 Paris")};
    p.job = QStringLiteral("Vendeur");
    p.taxableNet = QStringLiteral("1300,00");
    p.transport = QStringLiteral("30,00");
    p.advances = QStringLiteral("100,00");
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
    o.letterhead = {QStringLiteral("SARL Korvel"), QStringLiteral("1 place du Marché"), QString(), QString(),
                    QString(), QString(), QStringLiteral("Siret 123")};
    o.paperType = paperType;
    o.paidLeaveIncludedPercent = 10;
    o.precarityPercent = 6;
    o.amountFormat = QStringLiteral("0.00");
    return o;
}

// The recorded text s (the first one on page), its anchor at layout (x, y).
void checkText(const RecordingCanvas &c, const QString &s, int x, int y, Align align, int points, bool bold,
               int page = 0)
{
    const QList<Op> found = c.textsEqual(s, page);
    QVERIFY2(!found.isEmpty(), qPrintable(QStringLiteral("not printed: ") + s));
    const Op &op = found.first();
    const int scale = scaleOf(c.dpi());
    QCOMPARE(op.align, align);
    QCOMPARE(align == Align::Right ? op.x2 : op.x, x * scale);
    QCOMPARE(op.y, (y + 3) * scale);
    QCOMPARE(op.font, QStringLiteral("Arial"));
    QCOMPARE(op.points, points);
    QCOMPARE(op.bold, bold);
}

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
        fields[9] = QStringLiteral("0102030405");
        fields[11] = QStringLiteral("Vendeur");
        lines += blk(k, fields);
    }
    Collection c = make(lines);
    c.setCount(count);
    return c;
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void layoutScaleNotTruncatedOrUnshifted_data();
    void layoutScaleNotTruncatedOrUnshifted();
    void payslipFrameMisplaced_data();
    void payslipFrameMisplaced();
    void payslipTextMisplaced_data();
    void payslipTextMisplaced();
    void particularTextsWrong_data();
    void particularTextsWrong();
    void paperTypeIgnored_data();
    void paperTypeIgnored();
    void totalsNotSumOfPrintedAmounts_data();
    void totalsNotSumOfPrintedAmounts();
    void longPayslipOverprintsTotals_data();
    void longPayslipOverprintsTotals();
    void badAmountStartsJob_data();
    void badAmountStartsJob();
    void refusedJobReportedAsPrinted_data();
    void refusedJobReportedAsPrinted();

    void employeeSheetMisplaced_data();
    void employeeSheetMisplaced();
    void employeeSheetHistoryNotStoppedAtEmptyDate_data();
    void employeeSheetHistoryNotStoppedAtEmptyDate();
    void listMisplaced_data();
    void listMisplaced();
    void listPageBreakWrong_data();
    void listPageBreakWrong();
    void gridMisplaced_data();
    void gridMisplaced();
    void gridPageBreakWrong_data();
    void gridPageBreakWrong();
    void dispatchPrintsWrongPage_data();
    void dispatchPrintsWrongPage();
    void pageSetupShowsWrongChoices_data();
    void pageSetupShowsWrongChoices();
    void pageSetupKeepsWrongResult_data();
    void pageSetupKeepsWrongResult();

    void envelopeMisplaced_data();
    void envelopeMisplaced();
    void envelopeBatchWrong_data();
    void envelopeBatchWrong();
};

void TestPrinting::layoutScaleNotTruncatedOrUnshifted_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("mh20");
    QTest::addColumn<int>("mv100");
    QTest::newRow("300 portrait") << 300 << false << 220 << 1133;
    QTest::newRow("600 portrait") << 600 << false << 460 << 2369;
    QTest::newRow("600 landscape") << 600 << true << 460 << 2369;
}

void TestPrinting::layoutScaleNotTruncatedOrUnshifted()
{
    QFETCH(int, dpi);
    QFETCH(bool, landscape);
    RecordingCanvas c(dpi);
    c.setOrientation(landscape ? Canvas::Orientation::Landscape : Canvas::Orientation::Portrait);
    QTEST(Mh(c, 20), "mh20");
    QTEST(Mv(c, 100), "mv100");
}

void TestPrinting::payslipFrameMisplaced_data()
{
    QTest::addColumn<int>("dpi");
    rowsAtBothResolutions("frame");
}

void TestPrinting::payslipFrameMisplaced()
{
    QFETCH(int, dpi);
    RecordingCanvas c(dpi);
    QVERIFY(Imprime(c, payslip(3), options()).ok());
    const int s = scaleOf(dpi);
    auto shape = [s](Op::Kind k, int x1, int y1, int x2, int y2) {
        return QList<int>{k, x1 * s, (y1 + 3) * s, x2 * s, (y2 + 3) * s};
    };
    const QList<QList<int>> expected{
        shape(Op::Rectangle, 20, 100, 195, 265), shape(Op::Rectangle, 20, 40, 100, 87),
        shape(Op::Line, 20, 110, 195, 110),      shape(Op::Line, 20, 225, 195, 225),
        shape(Op::Line, 105, 100, 105, 225),     shape(Op::Line, 125, 100, 125, 225),
        shape(Op::Line, 140, 100, 140, 225),     shape(Op::Line, 160, 100, 160, 225),
        shape(Op::Line, 175, 100, 175, 225),     shape(Op::Line, 20, 215, 195, 215),
        shape(Op::Line, 20, 250, 195, 250),      shape(Op::Line, 155, 250, 155, 265),
    };
    QList<QList<int>> drawn;
    int firstText = -1;
    for (int i = 0; i < c.ops.size(); ++i) {
        const Op &op = c.ops[i];
        if (op.kind == Op::Text && firstText < 0)
            firstText = i;
        if (op.kind == Op::Line || op.kind == Op::Rectangle) {
            QVERIFY2(firstText < 0, "a shape drawn over the texts");
            QCOMPARE(op.fill, Canvas::kWhite);
            drawn.append({op.kind, op.x, op.y, op.x2, op.y2});
        }
    }
    QCOMPARE(drawn, expected);
    QCOMPARE(c.all(Op::Pen).value(0).x, 2);
}

void TestPrinting::payslipTextMisplaced_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    auto add = [](const char *name, const char16_t *text, int x, int y, bool right, int points, bool bold) {
        rowsAtBothResolutions(name, QString::fromUtf16(text), x, y, right, points, bold);
    };
    // The frame's captions.
    add("first caption", u"Intitulé", 22, 102, false, 10, true);
    add("last caption", u"Part Pat.", 177, 102, false, 10, true);
    add("totals caption", u"Total des Retenues", 22, 218, false, 10, true);
    add("advances caption", u"Acomptes", 22, 240, false, 10, true);
    add("footer", u"Dans votre intérêt, conservez ce document sans limitation de durée", 22, 270, false, 10, true);
    add("net caption", u"Net à Payer", 112, 252, false, 12, true);
    // The letterhead.
    add("letterhead 1", u"SARL Korvel", 20, 0, false, 10, false);
    add("letterhead 7", u"Siret 123", 20, 30, false, 10, false);
    // The payslip's data.
    add("title", u"BULLETIN DE PAIE", 125, 15, false, 14, true);
    add("period start", u"Période du : 01/03/2002", 22, 42, false, 10, false);
    add("period end", u"au : 31/03/2002", 36, 47, false, 10, false);
    add("gross", u"Base : 1592,54", 22, 72, false, 10, false);
    add("address 4", u"75011 Paris", 125, 60, false, 10, false);
    add("job", u"Fonction : Vendeur", 125, 75, false, 10, false);
    add("number", u"Paie N° : 200203001", 22, 92, false, 10, false);
    add("taxable net", u"1300,00", 90, 230, true, 10, false);
    add("advances", u"100,00", 90, 240, true, 10, false);
    add("net", u"1225,00 Euros", 157, 252, false, 12, true);
    add("cumul untrimmed", u"Cumul :   3900,00 Euros", 22, 255, false, 12, true);
    // Line 3 and the totals.
    add("label", u"Ligne 3", 22, 125, false, 10, false);
    add("base trimmed", u"1592,54", 124, 115, true, 10, false);
    add("employee rate", u"1,00", 139, 115, true, 10, false);
    add("employer amount", u"2,00", 194, 115, true, 10, false);
    add("employee total", u"3,00", 159, 218, true, 10, false);
    add("employer total", u"6,00", 194, 218, true, 10, false);
}

void TestPrinting::payslipTextMisplaced()
{
    QFETCH(int, dpi);
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, right);
    QFETCH(int, points);
    QFETCH(bool, bold);
    RecordingCanvas c(dpi);
    QVERIFY(Imprime(c, payslip(3), options()).ok());
    checkText(c, text, x, y, right ? Align::Right : Align::Left, points, bold);
}

void TestPrinting::particularTextsWrong_data()
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

void TestPrinting::particularTextsWrong()
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

void TestPrinting::paperTypeIgnored_data()
{
    QTest::addColumn<int>("paperType");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<bool>("letterhead");
    QTest::newRow("white paper") << 0 << true << true;
    QTest::newRow("letterhead paper") << 1 << true << false;
    QTest::newRow("other value") << 2 << false << false;
}

void TestPrinting::paperTypeIgnored()
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

void TestPrinting::totalsNotSumOfPrintedAmounts_data()
{
    QTest::addColumn<QStringList>("employee");
    QTest::addColumn<QStringList>("employer");
    QTest::addColumn<QString>("employeeTotal");
    QTest::addColumn<QString>("employerTotal");
    QTest::newRow("no line") << QStringList() << QStringList() << "0,00" << "0,00";
    QTest::newRow("blanks and empties") << QStringList{"  10,10", "", " 20,205 "} << QStringList{"", "", ""}
                                        << "30,31" << "0,00";
    QTest::newRow("whole amounts still two decimals") << QStringList{"12", "13"} << QStringList{"1", "1"}
                                                      << "25,00" << "2,00";
}

void TestPrinting::totalsNotSumOfPrintedAmounts()
{
    QFETCH(QStringList, employee);
    QFETCH(QStringList, employer);
    PayslipForm p = payslip(int(employee.size()));
    for (int i = 0; i < employee.size(); ++i) {
        p.lines[i].employeeAmount = employee[i];
        p.lines[i].employerAmount = employer[i];
    }
    RecordingCanvas c;
    QVERIFY(Imprime(c, p, options()).ok());
    QFETCH(QString, employeeTotal);
    QFETCH(QString, employerTotal);
    checkText(c, employeeTotal, 159, 218, Align::Right, 10, false);
    const QList<Op> atEmployer = c.textsEqual(employerTotal);
    QVERIFY(std::any_of(atEmployer.begin(), atEmployer.end(),
                        [](const Op &op) { return op.x2 == 194 * 11 && op.y == 221 * 11; }));
}

void TestPrinting::longPayslipOverprintsTotals_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::newRow("20 lines") << 20 << 1;
    QTest::newRow("21 lines") << 21 << 2;
    QTest::newRow("standard profile") << 26 << 2;
    QTest::newRow("41 lines") << 41 << 3;
}

void TestPrinting::longPayslipOverprintsTotals()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    RecordingCanvas c;
    QVERIFY(Imprime(c, payslip(lines), options()).ok());
    QCOMPARE(c.pageCount(), pages);
    for (int page = 0; page < pages; ++page) {
        const bool last = page == pages - 1;
        QCOMPARE(c.all(Op::Rectangle, page).size(), 2);
        for (const char16_t *repeated : {u"SARL Korvel", u"Paie N° : 200203001", u"Intitulé", u"BULLETIN DE PAIE"})
            QCOMPARE(c.textsEqual(QString::fromUtf16(repeated), page).size(), 1);
        int labels = 0;
        for (const Op &op : c.texts(page)) {
            if (op.text.startsWith(QLatin1String("Ligne "))) {
                ++labels;
                QVERIFY2(op.y < (215 + 3) * 11, "a line printed over the totals");
            }
        }
        QCOMPARE(labels, std::min(20, lines - 20 * page));
        QCOMPARE(c.textsEqual(QStringLiteral("1225,00 Euros"), page).size(), last ? 1 : 0);
        QCOMPARE(c.textsEqual(QStringLiteral("1300,00"), page).size(), last ? 1 : 0);
        QCOMPARE(c.textsEqual(QStringLiteral("Cumul :   3900,00 Euros"), page).size(), last ? 1 : 0);
        QCOMPARE(c.textsEqual(QStringLiteral("Page %1/%2").arg(page + 1).arg(pages), page).size(), pages > 1 ? 1 : 0);
    }
    if (pages > 1)
        checkText(c, QStringLiteral("Ligne 21"), 22, 115, Align::Left, 10, false, 1);
    checkText(c, QStringLiteral("%1,00").arg(lines), 159, 218, Align::Right, 10, false, pages - 1);
}

void TestPrinting::badAmountStartsJob_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("employer");
    QTest::newRow("first line, employee amount") << 0 << false;
    QTest::newRow("last line of page 2, employer amount") << 25 << true;
}

void TestPrinting::badAmountStartsJob()
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

void TestPrinting::refusedJobReportedAsPrinted_data()
{
    QTest::addColumn<QString>("at");
    QTest::newRow("at the start") << "begin";
    QTest::newRow("at a new page") << "page";
    QTest::newRow("at the end") << "end";
}

void TestPrinting::refusedJobReportedAsPrinted()
{
    QFETCH(QString, at);
    RecordingCanvas c;
    (at == QLatin1String("begin") ? c.refuseBegin : at == QLatin1String("page") ? c.refuseNewPage : c.refuseEnd) =
        QStringLiteral("la file est arrêtée");
    const PrintResult r = Imprime(c, payslip(26), options());
    QCOMPARE(r.status, PrintResult::Status::Failed);
    QCOMPARE(r.message, QStringLiteral("Impossible d'imprimer : la file est arrêtée"));
    if (at == QLatin1String("page"))
        QCOMPARE(c.all(Op::Abort).size(), 1);
}

void TestPrinting::employeeSheetMisplaced_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    auto add = [](const char *name, const char16_t *text, int x, int y) {
        rowsAtBothResolutions(name, QString::fromUtf16(text), x, y);
    };
    add("first caption", u"Code employé", 5, 5);
    add("first value", u"10001", 35, 5);
    add("last left caption", u"Etudes", 5, 55);
    add("branch code caption", u"Code guichet", 150, 10);
    add("branch code", u"00456", 185, 10);
    add("account key caption", u"Rib", 175, 15);
    add("account key", u"77", 190, 15);
    add("salary caption", u"Salaire", 165, 40);
    add("profile", u"10001  Standard", 135, 45);
    add("cumul", u"  3900,00", 185, 50);
    add("leaving date caption", u"Sorti le", 160, 55);
    add("leaving date", u"31/12/2002", 185, 55);
    add("history input", u"Prime", 35, 65);
    add("history row 1", u"Paie N°200203001", 35, 75);
    add("note line 2", u"second", 120, 75);
}

void TestPrinting::employeeSheetMisplaced()
{
    QFETCH(int, dpi);
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    EmployeeForm e;
    e.reset(QDate(2002, 4, 2));
    e.code = QStringLiteral("10001");
    e.branchCode = QStringLiteral("00456");
    e.accountKey = QStringLiteral("77");
    e.profileCode = QStringLiteral("10001");
    e.profileName = QStringLiteral("Standard");
    e.cumul = QStringLiteral("  3900,00");
    e.leavingDate = QDate(2002, 12, 31);
    e.historyLabel = QStringLiteral("Prime");
    e.history[0] = {QStringLiteral("31/03/2002"), QStringLiteral("Paie N°200203001"), QStringLiteral("1225,00")};
    e.note = QStringList{QStringLiteral("first"), QStringLiteral("second")};
    RecordingCanvas c(dpi);
    QVERIFY(ImpEmp(c, e).ok());
    checkText(c, text, x, y, Align::Left, 10, false);
    QCOMPARE(c.all(Op::Begin).value(0).orientation, Canvas::Orientation::Portrait);
}

void TestPrinting::employeeSheetHistoryNotStoppedAtEmptyDate_data()
{
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<int>("printed");
    QTest::newRow("empty history") << QStringList() << 0;
    QTest::newRow("a row without date ends it") << QStringList{"01/01/2002", "01/02/2002", "", "01/04/2002"} << 2;
}

void TestPrinting::employeeSheetHistoryNotStoppedAtEmptyDate()
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
    // The amounts end at x = 90, clear of labels such as "Paie N°200203001".
    const QList<Op> amounts = c.textsEqual(QStringLiteral("1,00"));
    QCOMPARE(amounts.size(), printed);
    for (const Op &op : amounts)
        QCOMPARE(op.x2, 90 * 11);
}

void TestPrinting::listMisplaced_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    rowsAtBothResolutions("heading first", QStringLiteral("Nom"), 5, 0);
    rowsAtBothResolutions("heading last", QStringLiteral("Emploi"), 255, 0);
    rowsAtBothResolutions("name", QStringLiteral("Nom 0"), 5, 10);
    rowsAtBothResolutions("town", QStringLiteral("Paris"), 175, 10);
    rowsAtBothResolutions("job", QStringLiteral("Vendeur"), 255, 10);
}

void TestPrinting::listMisplaced()
{
    QFETCH(int, dpi);
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    RecordingCanvas c(dpi);
    QVERIFY(ImpListe(c, employeesWith(2), 1, 2).ok());
    checkText(c, text, x, y, Align::Left, 10, false);
    const int s = scaleOf(dpi);
    QCOMPARE(c.all(Op::Line).value(0).x2, 300 * s);
    QCOMPARE(c.all(Op::Line).value(0).y, 8 * s);
    QCOMPARE(c.all(Op::Begin).value(0).orientation, Canvas::Orientation::Landscape);
    QCOMPARE(c.orientation(), Canvas::Orientation::Portrait);
}

void TestPrinting::listPageBreakWrong_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("missing");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("printed");
    // Lines per landscape page: the next line's Mv must not exceed the height minus Mv(20):
    // 37 at 300 dpi (2398 - 253 px), 35 at 600 dpi (4795 - 529 px).
    QTest::newRow("a full page at 300") << 300 << 37 << QList<int>() << 1 << 37 << 37;
    QTest::newRow("one more at 300") << 300 << 38 << QList<int>() << 1 << 38 << 38;
    QTest::newRow("one more at 600") << 600 << 36 << QList<int>() << 1 << 36 << 36;
    QTest::newRow("a full page then blocks missing") << 300 << 40 << QList<int>{37, 38, 39} << 1 << 40 << 37;
    QTest::newRow("range clamped") << 300 << 5 << QList<int>() << 0 << 9 << 5;
    QTest::newRow("range inside") << 300 << 5 << QList<int>() << 2 << 3 << 2;
}

void TestPrinting::listPageBreakWrong()
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
    for (int page = 0; page < c.pageCount(); ++page) {
        QCOMPARE(c.textsEqual(QStringLiteral("Nom"), page).size(), 1);
        QCOMPARE(c.texts(page).value(7).y, (10 + 3) * scaleOf(dpi)); // first line after the heading
    }
}

void TestPrinting::gridMisplaced_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("secondColumn"); // left edge of the second column, in pixels
    // 2398 x 3390 px: margins 95 and 135; columns of 100 screen pixels.
    QTest::newRow("columns fill the margins") << 0 << 95 + 100 * (2208 / 200);
    QTest::newRow("screen proportions") << 240 << 95 + 100 * (2398 / 240);
}

void TestPrinting::gridMisplaced()
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
    QCOMPARE(at("Titre"), (QList<int>{95, 135, true}));
    QCOMPARE(at("Imprimé le 20/10/1998"), (QList<int>{2398 - 95, 135, true}));
    QCOMPARE(at("Code"), (QList<int>{95 + 10, 135 + 75 + 10, true}));
    QCOMPARE(at("Montant"), (QList<int>{2 * secondColumn - 95 - 10, 135 + 75 + 10, true}));
    QCOMPARE(at("A1"), (QList<int>{95 + 10, 135 + 150 + 10, false}));
    QCOMPARE(at("12,50"), (QList<int>{2 * secondColumn - 95 - 10, 135 + 150 + 10, false}));
    const Op band = c.all(Op::Fill).value(0);
    QCOMPARE((QList<int>{band.x, band.y, band.x2, band.y2}), (QList<int>{95, 210, 2303, 285}));
    QCOMPARE(band.fill, Canvas::kGrey);
    // The second column's rule.
    QVERIFY(std::any_of(c.ops.begin(), c.ops.end(), [&](const Op &op) {
        return op.kind == Op::Line && op.x == secondColumn && op.x2 == secondColumn;
    }));
}

void TestPrinting::gridPageBreakWrong_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    // Line height 75 from 135 + 150: a row reaches H - top (3255) after 40 rows (3285).
    QTest::newRow("N = 0") << 0 << 1;
    QTest::newRow("last row at the limit") << 40 << 1;
    QTest::newRow("one row more") << 41 << 2;
}

void TestPrinting::gridPageBreakWrong()
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
    // Every page: the captions, then its column rules (3 of them) from under the heading
    // down to its last row.
    for (int page = 0; page < pages; ++page) {
        QCOMPARE(c.textsEqual(QStringLiteral("Code"), page).size(), 1);
        const QList<Op> lines = c.all(Op::Line, page);
        const int rowsOnPage = page < pages - 1 ? 40 : rows - 40 * page;
        const QList<Op> rules = lines.mid(lines.size() - 3);
        for (const Op &rule : rules) {
            QCOMPARE(rule.y, 135 + 75);
            QCOMPARE(rule.y2, 135 + 150 + 75 * rowsOnPage);
        }
    }
}

void TestPrinting::dispatchPrintsWrongPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("printed");
    QTest::newRow("employees") << int(PrintedPage::Employes) << "Fiche employé DUPONT Jean" << "Code employé";
    QTest::newRow("profiles") << int(PrintedPage::Profils) << "Korvel" << "10001   Standard";
    QTest::newRow("payslips") << int(PrintedPage::Bulletins) << "Bulletin de paie 200203001" << "BULLETIN DE PAIE";
}

void TestPrinting::dispatchPrintsWrongPage()
{
    QFETCH(int, page);
    EmployeeForm e;
    e.name = QStringLiteral("DUPONT Jean");
    ProfileForm profile;
    profile.code = QStringLiteral("10001");
    profile.name = QStringLiteral("Standard");
    profile.rubriques = {{QStringLiteral("U100"), QStringLiteral("CSG"), QStringLiteral("2,90"), {}, QStringLiteral("S")}};
    const PayslipForm p = payslip(1);
    FicheToPrint what{&e, &profile, {}, &p, options()};
    RecordingCanvas c;
    QVERIFY(ImpFiche(c, PrintedPage(page), what).ok());
    QTEST(c.all(Op::Begin).value(0).text, "title");
    QFETCH(QString, printed);
    QCOMPARE(c.textsEqual(printed).size(), 1);
}

void TestPrinting::pageSetupShowsWrongChoices_data()
{
    QTest::addColumn<QList<int>>("stored"); // paper type, orientation, guide ticked
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("as stored") << QList<int>{1, 1, 1} << QList<int>{1, 1, 1};
    QTest::newRow("paper type 2 shows the last choice") << QList<int>{2, 0, 1} << QList<int>{1, 0, 1};
    QTest::newRow("paper type 3 shows the defaults") << QList<int>{3, 1, 1} << QList<int>{0, 0, 0};
    QTest::newRow("orientation 2 shows the defaults") << QList<int>{1, 2, 1} << QList<int>{0, 0, 0};
    QTest::newRow("negative paper type shows the defaults") << QList<int>{-1, 1, 0} << QList<int>{0, 0, 0};
}

void TestPrinting::pageSetupShowsWrongChoices()
{
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, shown);
    PageSetupModel m;
    m.Init(stored[0], stored[1], stored[2]);
    QCOMPARE((QList<int>{m.paperType(), m.envelopeOrientation(), m.guide()}), shown);
}

void TestPrinting::pageSetupKeepsWrongResult_data()
{
    QTest::addColumn<QList<int>>("stored"); // paper type, orientation, guide value
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("kept");
    QTest::newRow("cancelled") << QList<int>{2, 1, 37} << false << QList<int>{2, 1, 37};
    QTest::newRow("OK on a stored 2 stores 1, the guide 100") << QList<int>{2, 1, 37} << true << QList<int>{1, 1, 100};
    QTest::newRow("OK on the defaults of a stored 3") << QList<int>{3, 1, 100} << true << QList<int>{0, 0, 0};
}

void TestPrinting::pageSetupKeepsWrongResult()
{
    QFETCH(QList<int>, stored);
    QFETCH(bool, ok);
    int paper = stored[0], orientation = stored[1], guide = stored[2];
    QCOMPARE(ParM(paper, orientation, guide, [&](PageSetupModel &) { return ok; }), ok);
    QTEST((QList<int>{paper, orientation, guide}), "kept");
}

void TestPrinting::envelopeMisplaced_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("guide");
    for (int orientation : {0, 1})
        for (int guide : {0, 100})
            rowsAtBothResolutions(qPrintable(QStringLiteral("orientation %1 guide %2").arg(orientation).arg(guide)),
                                  orientation, guide);
}

void TestPrinting::envelopeMisplaced()
{
    QFETCH(int, dpi);
    QFETCH(int, orientation);
    QFETCH(int, guide);
    EmployeeForm e;
    e.name = QStringLiteral("DUPONT Jean");
    e.address1 = QStringLiteral("3 rue des Lilas");
    e.postcode = QStringLiteral("75011");
    e.town = QStringLiteral("Paris");
    RecordingCanvas c(dpi);
    QVERIFY(ImpEnv(c, options().letterhead, envelopeRecipient(e), orientation, guide).ok());
    QCOMPARE(c.all(Op::Begin).value(0).orientation,
             orientation == 1 ? Canvas::Orientation::Landscape : Canvas::Orientation::Portrait);
    QCOMPARE(c.orientation(), Canvas::Orientation::Portrait);
    QCOMPARE(c.pageCount(), 1);
    checkText(c, QStringLiteral("SARL Korvel"), 5, guide + 5, Align::Left, 10, false);
    checkText(c, QStringLiteral("1 place du Marché"), 5, guide + 10, Align::Left, 10, false);
    checkText(c, QStringLiteral("DUPONT Jean"), 110, guide + 50, Align::Left, 10, false);
    // No second address line: the postcode and town keep their place.
    checkText(c, QStringLiteral("75011 Paris"), 110, guide + 65, Align::Left, 10, false);
    QVERIFY(c.textsEqual(QStringLiteral("Siret 123")).isEmpty());
}

void TestPrinting::envelopeBatchWrong_data()
{
    QTest::addColumn<QList<int>>("missing");
    QTest::addColumn<int>("envelopes");
    QTest::newRow("every employee") << QList<int>() << 4;
    QTest::newRow("positions without block skipped") << QList<int>{0, 3} << 2;
    QTest::newRow("no block at all") << QList<int>{0, 1, 2, 3} << 0;
}

void TestPrinting::envelopeBatchWrong()
{
    QFETCH(QList<int>, missing);
    QFETCH(int, envelopes);
    RecordingCanvas c;
    const PrintResult r = Enveloppes(c, options().letterhead, employeesWith(4, missing), 1, 4, 100);
    QCOMPARE(r.status, envelopes ? PrintResult::Status::Printed : PrintResult::Status::NothingPrinted);
    QCOMPARE(c.pageCount(), envelopes);
    for (int page = 0; page < envelopes; ++page) {
        // Two sender lines, the recipient's name, first address line, postcode and town.
        QCOMPARE(c.texts(page).size(), 5);
        QCOMPARE(c.texts(page).value(4).text, QStringLiteral("75011 Paris"));
        QCOMPARE(c.texts(page).value(4).y, (100 + 65 + 3) * 11);
    }
    if (envelopes)
        QCOMPARE(c.all(Op::Begin).value(0).orientation, Canvas::Orientation::Landscape);
    QCOMPARE(c.orientation(), Canvas::Orientation::Portrait);
}

QTEST_GUILESS_MAIN(TestPrinting)
#include "test_printing.moc"
