#include "fakeclock.h"
#include "printing/pagesetup.h"
#include "printing/payslipprint.h"
#include "printing/printgrid.h"
#include "printing/sheets.h"
#include "recordingcanvas.h"
#include "employeesupport.h"

#include <QtTest>

#include <algorithm>

using Op = RecordingCanvas::Op;
using Align = Canvas::Align;
using namespace Qt::StringLiterals;

namespace {

// A text where a layout puts it: layout millimetres, alignment, "Arial" points and weight.
struct Placed {
    QString text;
    int x, y;
    bool right = false;
    int points = 10;
    bool bold = false;
};

// A layout millimetre is 11 pixels at 300 dpi and 23 at 600 (2398 and 4795 px over 203 mm).
int mm(const RecordingCanvas &c) { return c.dpi() == 300 ? 11 : 23; }

// The recorded text (the first equal one on page) is where p says.
void check(const RecordingCanvas &c, const Placed &p, int page = 0)
{
    const Op op = c.textsEqual(p.text, page).value(0);
    const int s = mm(c);
    const QString where = u"%1 at %2 dpi"_s.arg(p.text).arg(c.dpi());
    QVERIFY2(op.kind == Op::Text && op.align == (p.right ? Align::Right : Align::Left), qPrintable(where));
    QVERIFY2((p.right ? op.x2 : op.x) == p.x * s && op.y == (p.y + 3) * s, qPrintable(where));
    QVERIFY2(op.font == u"Arial" && op.points == p.points && op.bold == p.bold, qPrintable(where));
}

PayslipForm payslip(int lines)
{
    PayslipForm p;
    p.number = u"200203001"_s;
    p.periodStart = QDate(2002, 3, 1);
    p.periodEnd = QDate(2002, 3, 31);
    p.address = {u"DUPONT Jean"_s, u"3 rue des Lilas"_s, QString(), u"75011 Paris"_s};
    p.taxableNet = u"1300,00"_s;
    p.transport = u"30,00"_s;
    p.advances = u"40,00"_s;
    p.netToPay = u"1225,00"_s;
    p.cumul = u"   3900,00"_s;
    for (int i = 0; i < lines; ++i)
        p.lines[i] = {u"Ligne %1"_s.arg(i + 1), u" 1592,54"_s, u"1,00"_s, u"  1,00"_s, u"4,50"_s, u"2,00"_s};
    p.linesInUse = lines;
    return p;
}

PayslipPrintOptions options(int paperType = 0)
{
    PayslipPrintOptions o;
    o.letterhead = {u"SARL Korvel"_s, u"1 place du Marché"_s, {}, {}, {}, {}, u"Siret 123"_s};
    o.paperType = paperType;
    o.paidLeaveIncludedPercent = 10;
    o.precarityPercent = 6;
    o.amountFormat = u"0.00"_s;
    return o;
}

// count employee positions, those of missing without a block.
Collection employeesWith(int count, const QList<int> &missing = {})
{
    QStringList lines;
    for (int k = 0; k < count; ++k)
        if (!missing.contains(k))
            lines += blk(k, employee({{4, u"Nom %1"_s.arg(k)}, {8, u"75011"_s}, {9, u"Paris"_s}}));
    Collection c = make(lines);
    c.setCount(count);
    return c;
}

QList<int> corners(const Op &op) { return {op.x, op.y, op.x2, op.y2}; }

// The texts at (x, y) in layout millimetres at 300 dpi: that start there, or end there when right.
QStringList textsAt(const RecordingCanvas &c, int x, int y, bool right = false)
{
    QStringList at;
    for (const Op &op : c.texts())
        if ((right ? op.x2 : op.x) == x * 11 && op.y == (y + 3) * 11)
            at << op.text;
    return at;
}

// Every text printed at layout height y (300 dpi), left to right: its text, "<" and its left
// edge for a left-aligned text, ">" and its anchor for a right-aligned one, in layout
// millimetres, with its points when they are not 10 or it is bold.
QStringList rowAt(const RecordingCanvas &c, int y)
{
    QList<Op> row;
    for (const Op &op : c.texts())
        if (op.y == (y + 3) * 11)
            row << op;
    std::sort(row.begin(), row.end(), [](const Op &a, const Op &b) { return a.x2 < b.x2; });
    QStringList out;
    for (const Op &op : row) {
        const bool right = op.align == Align::Right;
        QString s = op.text + (right ? u">"_s : u"<"_s) + QString::number((right ? op.x2 : op.x) / 11.0);
        if (op.points != 10 || op.bold)
            s += u" %1%2"_s.arg(op.points).arg(op.bold ? u" bold"_s : QString());
        out << s;
    }
    return out;
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
    PinnedClock m_clock;

private Q_SLOTS:
    // At both resolutions: the white frame drawn before any text with a pen of 2, and the
    // texts at a few telling points (captions, the letterhead's seventh line, the data, the
    // amounts of the last page).
    void payslipLayoutMisplaced()
    {
        const Placed placed[] = {
            {u"Intitulé"_s, 22, 102, false, 10, true}, {u"Net à Payer"_s, 112, 252, false, 12, true},
            {u"Siret 123"_s, 20, 30},                  {u"BULLETIN DE PAIE"_s, 125, 15, false, 14, true},
            {u"au : 31/03/2002"_s, 36, 47},            {u"75011 Paris"_s, 125, 60},
            {u"Paie N° : 200203001"_s, 22, 92},        {u"1300,00"_s, 90, 230, true},
            {u"1225,00 Euros"_s, 157, 252, false, 12, true}, {u"Cumul :   3900,00 Euros"_s, 22, 255, false, 12, true}};
        for (int dpi : {300, 600}) {
            RecordingCanvas c(dpi);
            QVERIFY(Imprime(c, payslip(3), options()).ok());
            const int s = mm(c);
            const QList<Op> shapes = c.all(Op::Rectangle) + c.all(Op::Line);
            QCOMPARE(shapes.size(), 12);
            QCOMPARE(corners(shapes[0]), (QList<int>{20 * s, 103 * s, 195 * s, 268 * s}));
            QCOMPARE(corners(shapes[1]), (QList<int>{20 * s, 43 * s, 100 * s, 90 * s}));
            QCOMPARE(corners(shapes.last()), (QList<int>{155 * s, 253 * s, 155 * s, 268 * s}));
            bool textSeen = false;
            for (const Op &op : c.ops) {
                textSeen = textSeen || op.kind == Op::Text;
                if (op.kind == Op::Line || op.kind == Op::Rectangle)
                    QVERIFY2(!textSeen && op.fill == Canvas::kWhite, "a shape over the texts, or not white");
            }
            QCOMPARE(c.all(Op::Pen).value(0).x, 2);
            for (const Placed &p : placed)
                check(c, p);
        }
    }

    // Overtime, paid leave and precarity lines at y 67, 77 and 82 ("" for nothing printed);
    // white paper (0) has the frame and letterhead, letterhead paper (1) the frame only, any
    // other value the data only.
    void particularTextsOrPaperWrong()
    {
        struct Row { QStringList overtime; bool leave, precarity; QString format; int paper; QStringList expected; };
        for (const Row &r : {Row{{"", "", ""}, false, false, "0.00", 0, {"Heures sup. ", "", ""}},
                             Row{{"", "4", ""}, false, true, "0.00", 1, {"Heures sup.   -  50% : 4", "", "Précarité 6,00% inclus"}},
                             Row{{"2", "4", "1"}, true, false, "0.0", 2,
                                 {"Heures sup. 25% : 2  -  50% : 4  -  100% : 1", "Congés payés 10,0% inclus", ""}},
                             Row{{"", "", ""}, true, false, "#", 0, {"Heures sup. ", "Congés payés % inclus", ""}}}) {
            PayslipForm p = payslip(0);
            p.ot25 = r.overtime[0];
            p.ot50 = r.overtime[1];
            p.ot100 = r.overtime[2];
            p.withPaidLeave = r.leave;
            p.withPrecarity = r.precarity;
            PayslipPrintOptions o = options(r.paper);
            o.amountFormat = r.format;
            o.paidLeaveIncludedPercent = r.format == u"#" ? 0 : 10;
            RecordingCanvas c;
            QVERIFY(Imprime(c, p, o).ok());
            QCOMPARE((QStringList{textsAt(c, 22, 67).join(u'|'), textsAt(c, 22, 77).join(u'|'), textsAt(c, 22, 82).join(u'|')}),
                     r.expected);
            QCOMPARE((QList<qsizetype>{c.all(Op::Rectangle).size(), c.textsEqual(u"Intitulé"_s).size(),
                                       c.textsEqual(u"SARL Korvel"_s).size(), c.textsEqual(u"BULLETIN DE PAIE"_s).size()}),
                     (QList<qsizetype>{r.paper < 2 ? 2 : 0, r.paper < 2, r.paper == 0, 1}));
        }
    }


    // A whole line of the table and the totals row, as the calculation writes them with 0, 1
    // and 2 decimals: each cell trimmed at its column, an empty cell printing nothing; the
    // totals the sums of the printed amounts, always with two decimals.
    void payslipRowMisplacedOrTotalsMisformatted_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("0 decimals") << "#" << QStringList{"Sécurité sociale", " 1593", "6,55", "  104", "8,2", " 131"}
                                    << QStringList{"CSG", "1513", "2,4", "36", "", ""} << QStringList{"140,00", "131,00"};
        QTest::newRow("1 decimal") << "0.0" << QStringList{"Sécurité sociale", "1592,5", "6,55", "104,3", "8,20", "130,6"}
                                   << QStringList{"CSG", "1512,9", "2,40", "36,3", "", ""} << QStringList{"140,60", "130,60"};
        QTest::newRow("2 decimals") << "0.00" << QStringList{"Sécurité sociale", "1592,54", "6,55", "104,31", "8,20", "130,59"}
                                    << QStringList{"CSG", "1512,91", "2,40", "36,31", "", ""} << QStringList{"140,62", "130,59"};
    }
    void payslipRowMisplacedOrTotalsMisformatted()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, totals);
        PayslipForm p = payslip(2);
        for (int i = 0; i < 2; ++i) {
            const QStringList &cells = i == 0 ? first : second;
            p.lines[i] = {cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]};
        }
        PayslipPrintOptions o = options();
        o.amountFormat = format;
        RecordingCanvas c;
        QVERIFY(Imprime(c, p, o).ok());
        QCOMPARE(rowAt(c, 115), (QStringList{first[0] + "<22", first[1].trimmed() + ">124", first[2] + ">139",
                                             first[3].trimmed() + ">159", first[4] + ">174", first[5].trimmed() + ">194"}));
        QCOMPARE(rowAt(c, 120), (QStringList{"CSG<22", second[1] + ">124", second[2] + ">139", second[3] + ">159"}));
        QCOMPARE(rowAt(c, 218), (QStringList{"Total des Retenues<22 10 bold", totals[0] + ">159", totals[1] + ">194"}));
    }

    // The allowance and the advances printed as typed (35,2) beside amounts of two decimals.
    void typedAmountsNotInAmountFormat()
    {
        struct Row { QString typed, format, printed; };
        for (const Row &r : {Row{u" 35,2"_s, u"0.00"_s, u"35,20"_s}, Row{u"35,26"_s, u"#"_s, u"35"_s},
                             Row{u""_s, u"0.00"_s, u""_s}, Row{u"12x"_s, u"0.00"_s, u"12x"_s}}) {
            PayslipForm p = payslip(0);
            p.transport = p.advances = r.typed;
            PayslipPrintOptions o = options();
            o.amountFormat = r.format;
            RecordingCanvas c;
            QVERIFY(Imprime(c, p, o).ok());
            QCOMPARE((QStringList{textsAt(c, 90, 235, true).join(u'|'), textsAt(c, 90, 240, true).join(u'|')}),
                     (QStringList{r.printed, r.printed}));
        }
    }

    // Without a line the totals are 0,00 (the sums of lines, blanks and empties among them, are
    // the whole-row test's).
    void totalsNotSumOfPrintedAmounts()
    {
        RecordingCanvas c;
        QVERIFY(Imprime(c, payslip(0), options()).ok());
        QCOMPARE(rowAt(c, 218), (QStringList{"Total des Retenues<22 10 bold", "0,00>159", "0,00>194"}));
    }

    // Up to 31 lines (the most a profile holds) on one page: up to 20 at the roomy pitch, more
    // closer together in a smaller type that still fits between the rules; only longer
    // payslips continue. Every page has the frame, letterhead and heading, only the last the
    // amounts and totals.
    void longPayslipOverprintsTotals()
    {
        struct Row { int lines, pages, points; };
        for (const Row &r : {Row{20, 1, 10}, Row{26, 1, 8}, Row{31, 1, 7}, Row{32, 2, 7}, Row{63, 3, 7}}) {
            RecordingCanvas c;
            QVERIFY(Imprime(c, payslip(r.lines), options()).ok());
            QCOMPARE(c.pageCount(), r.pages);
            for (int page = 0; page < r.pages; ++page) {
                const int last = page == r.pages - 1;
                QCOMPARE(c.all(Op::Rectangle, page).size(), 2);
                for (const QString &repeated : {u"SARL Korvel"_s, u"Paie N° : 200203001"_s, u"BULLETIN DE PAIE"_s})
                    QCOMPARE(c.textsEqual(repeated, page).size(), 1);
                QList<int> tops;
                for (const Op &op : c.texts(page)) {
                    if (!op.text.startsWith(u"Ligne "))
                        continue;
                    tops << op.y;
                    QCOMPARE(op.points, r.points);
                    QVERIFY2(op.y > (110 + 3) * 11 && op.y + op.points * c.dpi() / 60 <= (215 + 3) * 11,
                             qPrintable(op.text + u" not between the caption and totals rules"_s));
                }
                QCOMPARE(tops.size(), std::min(31, r.lines - 31 * page));
                for (int i = 2; i < tops.size(); ++i)
                    QCOMPARE(tops[i] - tops[i - 1], tops[1] - tops[0]);
                for (const QString &onLast : {u"1225,00 Euros"_s, u"1300,00"_s, u"30,00"_s})
                    QCOMPARE(c.textsEqual(onLast, page).size(), last);
                QCOMPARE(c.textsEqual(u"Page %1/%2"_s.arg(page + 1).arg(r.pages), page).size(), r.pages > 1 ? 1 : 0);
                // The totals in 10 points, whatever the lines took.
                check(c, {u"%1,00"_s.arg(r.lines), 159, 218, true}, r.pages - 1);
            }
        }
    }

    // An unreadable amount on the second page fails the print before any job starts; a job
    // refused at its start, a new page or its end is a failure, abandoned when begun.
    void failedPrintReportedAsPrinted()
    {
        PayslipForm bad = payslip(40);
        bad.lines[35].employerAmount = u" 12,3,4 "_s;
        RecordingCanvas none;
        const PrintResult r = Imprime(none, bad, options());
        QCOMPARE(r.message, u"'12,3,4' n'est pas une valeur flottante correcte"_s);
        QVERIFY(r.status == PrintResult::Status::Failed && none.ops.isEmpty());
        for (int at : {0, 1, 2}) {
            RecordingCanvas c;
            (at == 0 ? c.refuseBegin : at == 1 ? c.refuseNewPage : c.refuseEnd) = u"la file est arrêtée"_s;
            const PrintResult refused = Imprime(c, payslip(40), options());
            QCOMPARE(refused.status, PrintResult::Status::Failed);
            QCOMPARE(refused.message, u"Impossible d'imprimer : la file est arrêtée"_s);
            QCOMPARE(c.all(Op::Abort).size(), at == 1 ? 1 : 0);
        }
    }

    // Lines per landscape page: the next line's Mv must not exceed the height minus Mv(20):
    // 36 at 300 dpi (2398 - 253 px), 34 at 600 dpi (4795 - 529 px). Every page: "Liste des
    // employés", the date and "Page n/N" at the top, the captions and their rule, which ends
    // 5 mm inside the printable area (3390 and 6780 px wide), then the lines from y 16.
    void listPageBreakWrong()
    {
        struct Row { int dpi, count; QList<int> missing; int from, to, printed; };
        for (const Row &r : {Row{300, 37, {}, 1, 37, 37}, Row{600, 35, {}, 1, 35, 35}, Row{300, 40, {37, 38, 39}, 1, 40, 37},
                             Row{600, 5, {}, 0, 9, 5}, Row{300, 5, {}, 2, 3, 2}}) {
            RecordingCanvas c(r.dpi);
            QVERIFY(ImpListe(c, employeesWith(r.count, r.missing), r.from, r.to).ok());
            const int perPage = r.dpi == 300 ? 36 : 34;
            const int pages = (r.printed + perPage - 1) / perPage;
            QCOMPARE(c.pageCount(), pages);
            QList<int> names;
            for (const Op &op : c.texts())
                if (op.text.startsWith(u"Nom "))
                    names << op.text.mid(4).toInt();
            QCOMPARE(names.size(), r.printed);
            QCOMPARE(names.first(), std::max(r.from - 1, 0));
            const int s = mm(c);
            const int right = (r.dpi == 300 ? 3390 : 6780) - 5 * s;
            for (int page = 0; page < pages; ++page) {
                for (const Placed &p : {Placed{u"Liste des employés"_s, 5, 0, false, 10, true}, Placed{u"Nom"_s, 5, 6},
                                        Placed{u"Emploi"_s, 255, 6}, Placed{u"Paris"_s, 175, 16}})
                    check(c, p, page);
                const Op pageText = c.textsEqual(u"Page %1/%2"_s.arg(page + 1).arg(pages), page).value(0);
                QCOMPARE((QList<int>{pageText.x2, pageText.y}), (QList<int>{right, 3 * s}));
                QCOMPARE(c.textsEqual(u"Imprimé le 20/10/1998"_s, page).size(), 1);
                QCOMPARE(corners(c.all(Op::Line, page).value(0)), (QList<int>{5 * s, 14 * s, right, 14 * s}));
            }
            QCOMPARE(c.all(Op::Begin).value(0).orientation, Canvas::Orientation::Landscape);
            QCOMPARE(c.orientation(), Canvas::Orientation::Portrait);
        }
    }

    // A cell of the list ends a millimetre before the next column (a character 3000 / 144 px
    // wide at 300 dpi, 11 px a millimetre): a 40-character street keeps 25 characters (520 of
    // 539 px) before the second address line at 105, a long job stops at the rule's end (3335 px).
    void listCellsOverprinted()
    {
        QStringList fields(29);
        fields[3] = u"DUPONT Jean"_s;
        fields[5] = u"12 boulevard du Maréchal de Lattre de T."_s;
        fields[6] = u"Bâtiment B"_s;
        fields[11] = u"Responsable des ressources humaines et de la paie"_s;
        RecordingCanvas c;
        QVERIFY(ImpListe(c, make(blk(0, fields)), 1, 1).ok());
        QCOMPARE(textsAt(c, 55, 16), QStringList{fields[5].left(25)});
        QCOMPARE(textsAt(c, 105, 16), QStringList{fields[6]});
        const QString job = textsAt(c, 255, 16).value(0);
        auto end = [](qsizetype characters) { return 255 * 11 + characters * 3000 / 144; };
        QVERIFY(fields[11].startsWith(job) && end(job.size()) <= 3335 && end(job.size() + 1) > 3335);
    }

    // 2398 x 3390 px: margins 95 and 135; columns of 100 screen pixels; line height 75, the
    // text (50 high) centred in it, a millimetre (11 px) from the rules. The
    // columns share the margins' width, or follow the screen's proportions; a row reaches
    // H - top (3255) after 40 rows (3285): each page has its captions, and its column rules
    // run from under the heading down to its last row. A grid with a title (the statistics,
    // the journal) prints it above "Imprimé le ", a line lower: 39 rows a page.
    void gridMisplacedOrBrokenWrongly()
    {
        for (auto [screenWidth, rows, pages, title] : {std::tuple(0, 1, 1, u""_s), std::tuple(240, 40, 1, u""_s),
                                                       std::tuple(0, 41, 2, u""_s), std::tuple(0, 0, 1, u""_s),
                                                       std::tuple(0, 40, 2, u"Statistiques sur les paies"_s)}) {
            PrintedGrid g;
            g.columns = {{u"Code"_s, 100}, {u"Montant"_s, 100, true}};
            for (int r = 0; r < rows; ++r)
                g.rows.append({u"A%1"_s.arg(r), u"  12,50"_s});
            // Cut a millimetre (11 px) before the next rule: 51 characters of 3000 / 144 px in
            // the 1100 px of the column.
            if (rows && !screenWidth)
                g.rows[0][0] = QString(60, u'X');
            g.screenWidth = screenWidth;
            g.title = title;
            RecordingCanvas c;
            QVERIFY(PrintGrid(c, g, u"Statistiques paies"_s, title.isEmpty() ? u"Titre"_s : QString()).ok());
            QCOMPARE(c.all(Op::Begin).value(0).text, u"Statistiques paies"_s);
            QCOMPARE(c.pageCount(), pages);
            const int second = 95 + 100 * (screenWidth ? 2398 / 240 : 2208 / 200);
            const int head = title.isEmpty() ? 0 : 75;
            const int perPage = title.isEmpty() ? 40 : 39;
            auto at = [&c](const QString &text) {
                const Op op = c.textsEqual(text).value(0);
                return QList<int>{op.align == Align::Right ? op.x2 : op.x, op.y, op.bold};
            };
            if (title.isEmpty()) {
                QCOMPARE(at(u"Imprimé le 20/10/1998"_s), (QList<int>{2398 - 95, 135, true}));
            } else {
                QCOMPARE(at(title), (QList<int>{95, 135, true}));
                QCOMPARE(at(u"Imprimé le 20/10/1998"_s), (QList<int>{95, 135 + 75, false}));
                QCOMPARE(c.textsEqual(title, 1).size(), 1);
            }
            QCOMPARE(at(u"Montant"_s), (QList<int>{2 * second - 106, 135 + head + 75 + 12, true}));
            if (rows)
                QCOMPARE(at(u"12,50"_s), (QList<int>{2 * second - 106, 135 + head + 150 + 12, false}));
            if (rows && !screenWidth)
                QCOMPARE(at(QString(51, u'X')), (QList<int>{95 + 11, 135 + head + 150 + 12, false}));
            QCOMPARE(corners(c.all(Op::Fill).value(0)), (QList<int>{95, 210 + head, 2303, 285 + head}));
            QCOMPARE(c.all(Op::Fill).value(0).fill, Canvas::kGrey);
            for (int page = 0; page < pages; ++page) {
                QCOMPARE(c.textsEqual(u"Code"_s, page).size(), 1);
                const QList<Op> lines = c.all(Op::Line, page);
                const int rowsOnPage = page < pages - 1 ? perPage : rows - perPage * page;
                for (const Op &rule : lines.mid(lines.size() - 3))
                    QCOMPARE((QList<int>{rule.y, rule.y2}), (QList<int>{135 + head + 75, 135 + head + 150 + 75 * rowsOnPage}));
                QVERIFY(std::any_of(lines.begin(), lines.end(), [&](const Op &op) { return op.x == second && op.x2 == second; }));
            }
        }
    }

    // Values of Korvel.ini the window cannot show give its defaults; OK stores what it shows,
    // cancelling keeps what was stored.
    void pageSetupShowsOrKeepsWrongChoices()
    {
        struct Row { QList<int> stored, shown, kept; }; // paper type, orientation, guide
        for (const Row &r : {Row{{1, 1, 100}, {1, 1, 1}, {1, 1, 100}}, Row{{2, 0, 37}, {1, 0, 1}, {1, 0, 100}},
                             Row{{3, 1, 1}, {0, 0, 0}, {0, 0, 0}}, Row{{1, 2, 1}, {0, 0, 0}, {0, 0, 0}},
                             Row{{-1, 1, 0}, {0, 0, 0}, {0, 0, 0}}}) {
            for (bool ok : {false, true}) {
                int paper = r.stored[0], orientation = r.stored[1], guide = r.stored[2];
                QList<int> shown;
                QCOMPARE(ParM(paper, orientation, guide, [&](PageSetupModel &m) {
                             shown = {m.paperType(), m.envelopeOrientation(), m.guide()};
                             return ok;
                         }), ok);
                QCOMPARE(shown, r.shown);
                QCOMPARE((QList<int>{paper, orientation, guide}), ok ? r.kept : r.stored);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestPrinting)
#include "test_printing.moc"
