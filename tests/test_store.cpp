#include "store/collection.h"
#include "store/dossier.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace {

// "a|b|c" -> {"a", "b", "c"}; "" -> {}.
QStringList L(const QString &s)
{
    return s.isEmpty() ? QStringList() : s.split(QLatin1Char('|'));
}



// The load-time sequence on one collection.
struct Repairs {
    bool rebuilt = false;
    int duplicates = 0;
    bool renumbered = false;
};
Repairs repair(Collection &c)
{
    Repairs r;
    c.recount();
    r.rebuilt = c.verif();
    const Collection::Duplicates d = c.doublons();
    r.duplicates = d.removed + d.moved;
    r.renumbered = c.normalise();
    return r;
}

// The index must always agree with a fresh scan of the lines.
void checkIndex(const Collection &c)
{
    Collection fresh;
    fresh.setLines(c.lines());
    for (int n = 0; n < 10000; ++n) {
        if (c.find(n) != fresh.find(n))
            QFAIL(qPrintable(QStringLiteral("index of %1: %2, scan: %3").arg(n).arg(c.find(n)).arg(fresh.find(n))));
    }
}

// The lines as one list, each edit made on it as it reads: what a collection must hold after
// the same edits, however it keeps its lines.
struct FlatLines {
    QStringList lines;

    qsizetype find(int n) const
    {
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines[i].compare(Collection::openTag(n), Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    qsizetype end(qsizetype first) const
    {
        const QString close = "</BLOC" + lines[first].mid(5, 4) + ">";
        for (qsizetype j = first + 1; j < lines.size(); ++j) {
            if (lines[j] == close)
                return j + 1;
            if (lines[j].startsWith(QLatin1String("<BLOC"), Qt::CaseInsensitive))
                return j;
        }
        return lines.size();
    }
    void write(int n, const QStringList &content, bool inPlace)
    {
        const QStringList block = blk(n, content);
        const qsizetype first = find(n);
        if (first < 0) {
            lines += block;
            return;
        }
        const qsizetype e = end(first);
        const bool last = e == lines.size();
        lines.remove(first, e - first);
        if (inPlace || last)
            lines = lines.mid(0, first) + block + lines.mid(first);
        else
            lines += block;
    }
    void supprime(int k, int count)
    {
        if (const qsizetype first = find(k); first >= 0)
            lines.remove(first, end(first) - first);
        if (count < 2)
            return;
        static const QRegularExpression tag(QStringLiteral("^(<BLOC|</BLOC)([0-9]{4})"));
        for (QString &line : lines) {
            const QRegularExpressionMatch m = tag.match(line);
            if (m.hasMatch() && m.captured(2).toInt() > k)
                line.replace(m.capturedStart(2), 4, Collection::fourDigits(m.captured(2).toInt() - 1));
        }
    }
    void squize()
    {
        qsizetype k = 0;
        while (k < lines.size() && lines[k].trimmed().isEmpty()) {
            ++k;
            if (lines.size() - k < 3)
                break;
        }
        lines.remove(0, k);
    }
};

// c read as a collection freshly loaded from lines would be read, then c.lines() itself.
void checkLines(const Collection &c, const QStringList &lines)
{
    const Collection fresh = make(lines);
    const QList<Collection::BlockAt> blocks = fresh.blocks(), walked = c.blocks();
    QCOMPARE(walked.size(), blocks.size());
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        QCOMPARE(walked[i].line, blocks[i].line);
        QCOMPARE(walked[i].number, blocks[i].number);
        qsizetype next = -1, freshNext = -1;
        QCOMPARE(c.contentAt(blocks[i].line, -1, &next), fresh.contentAt(blocks[i].line, -1, &freshNext));
        QCOMPARE(next, freshNext);
        QCOMPARE(c.lineAt(blocks[i].line, 2), fresh.lineAt(blocks[i].line, 2));
    }
    for (int n = 0; n <= blocks.size() + 1; ++n) {
        QCOMPARE(c.find(n), fresh.find(n));
        QCOMPARE(c.blockContent(n), fresh.blockContent(n));
        QCOMPARE(c.lineOfBlock(n, 1), fresh.lineOfBlock(n, 1));
    }
    QCOMPARE(c.lineCount(), lines.size());
    QCOMPARE(c.countOpeningTags(), fresh.countOpeningTags());
    QCOMPARE(c.lineAt(1, 1), fresh.lineAt(1, 1)); // not always a block's first line
    QCOMPARE(c.lines(), lines);
}

// steps random edits on c and on model alike, compared every few steps.
void randomEdits(Collection &c, FlatLines &model, quint32 seed, int steps)
{
    QRandomGenerator rng(seed);
    for (int step = 0; step < steps; ++step) {
        const int count = c.count();
        const int n = count > 0 ? int(rng.bounded(count)) : 0;
        const QStringList content(int(rng.bounded(5)), step % 7 ? QString::number(step) : QString());
        switch (rng.bounded(8)) {
        case 0:
            if (c.add()) {
                model.lines << QStringLiteral(" ");
                c.writeBlock(c.count() - 1, content, Collection::Placement::InPlace);
                model.write(c.count() - 1, content, true);
            }
            break;
        case 1:
        case 2:
            c.writeBlock(n, content, Collection::Placement::InPlace);
            model.write(n, content, true);
            break;
        case 3:
        case 4:
            c.writeBlock(n, content, Collection::Placement::AtEnd);
            model.write(n, content, false);
            break;
        case 5:
            if (count > 0)
                model.supprime(n, count);
            c.setCurrent(n);
            c.supprime();
            break;
        case 6:
            c.squize();
            model.squize();
            break;
        case 7:
            (void)c.blockContent(n);
            (void)c.lines();
            break;
        }
        if (step % 10 == 0) {
            checkIndex(c);
            checkLines(c, model.lines);
            if (QTest::currentTestFailed()) {
                qWarning("after step %d", step);
                return;
            }
        }
    }
    checkLines(c, model.lines);
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fourDigits_data();
    void fourDigits();
    void find_data();
    void find();
    void readWorkedExample();
    void blockContentStops_data();
    void blockContentStops();
    void blocksWalkOpeningTagsInLineOrder();
    void writeBlock_data();
    void writeBlock();
    void setBlocksRenumbersAndStopsAtTheLimit();
    void addLimit_data();
    void addLimit();
    void squize_data();
    void squize();
    void loadRepairs_data();
    void loadRepairs();
    void supprime_data();
    void supprime();
    void indexFollowsRandomEdits();
    void damagedBlocksKeepTheirExtentThroughRandomEdits();

    void saveLoadRoundTrip();
    void emptyCollectionsWriteEmptyFiles();
    void saveWhenNotModifiedWritesNothing();
    void onlyRecordDeletedThenAddedSurvivesReload();
    void loadRepairMarksModified();
    void missingSideFileEmptiesCollection();
    void sideFilesFoundWhateverTheCase();
    void saveFailureKeepsEverything_data();
    void saveFailureKeepsEverything();
    void loadFailureLeavesDossier();
};

void TestStore::fourDigits_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("digits");
    QTest::newRow("0") << 0 << "0000";
    QTest::newRow("7") << 7 << "0007";
    QTest::newRow("9") << 9 << "0009";
    QTest::newRow("42") << 42 << "0042";
    QTest::newRow("123") << 123 << "0123";
    QTest::newRow("1234") << 1234 << "1234";
    QTest::newRow("9998") << 9998 << "9998";
}

void TestStore::fourDigits()
{
    QFETCH(int, n);
    QFETCH(QString, digits);
    QCOMPARE(Collection::fourDigits(n), digits);
    QCOMPARE(Collection::openTag(n), "<BLOC" + digits + ">");
    QCOMPARE(Collection::closeTag(n), "</BLOC" + digits + ">");
    QCOMPARE(Collection::openTagNumber(Collection::openTag(n)), n);
}

void TestStore::find_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("line");
    const QStringList two = L(" |<BLOC0001>|b|</BLOC0001>||stray|<BLOC0000>|a|</BLOC0000>");
    QTest::newRow("order does not matter") << two << 0 << 6;
    QTest::newRow("between-block lines ignored") << two << 1 << 1;
    QTest::newRow("absent") << two << 2 << -1;
    QTest::newRow("out of range") << two << -1 << -1;
    QTest::newRow("letters in any case") << L("x|<bLoC0003>|</BLOC0003>") << 3 << 1;
    QTest::newRow("first of two copies") << L("<BLOC0002>|old|</BLOC0002>|<BLOC0002>|new|</BLOC0002>") << 2 << 0;
    QTest::newRow("whole line only") << L("<BLOC0004> |<BLOC00040>|<BLOC0004>") << 4 << 2;
    QTest::newRow("closing tag is not a block") << L("</BLOC0005>") << 5 << -1;
}

void TestStore::find()
{
    QFETCH(QStringList, lines);
    QFETCH(int, n);
    QFETCH(int, line);
    const Collection c = make(lines);
    QCOMPARE(c.find(n), line);
}

void TestStore::readWorkedExample()
{
    const QString data = QStringLiteral("DATA10/01/2002\tAvance\t    150,00");
    QStringList block = L("<BLOC0000>|10001|M|15/03/1970|DURAND Paul|Lyon|12 rue des Lilas||69003|LYON|"
                          "04 78 00 00 00||Comptable|BTS||||||Virement|1 70 03 69 123 456 78|Marié|151,67|"
                          "1500,00|10001|Standard|421000|0|01/02/2001|05/12/2002");
    block << QStringLiteral("MEMOBon élément") << data << QStringLiteral("</BLOC0000>");
    QCOMPARE(block.size(), 33);
    const Collection c = make(block);
    const QStringList content = c.blockContent(0);
    QCOMPARE(content.size(), 31);
    QCOMPARE(content[0], QStringLiteral("10001"));         // line 2: the code
    QCOMPARE(content[3], QStringLiteral("DURAND Paul"));   // line 5
    QCOMPARE(content[28], QStringLiteral("05/12/2002"));   // line 30
    QCOMPARE(Collection::tagText(content[29]), QStringLiteral("Bon élément"));
    QCOMPARE(Collection::tagText(content[30]).split(QLatin1Char('\t')),
             QStringList({"10/01/2002", "Avance", "    150,00"}));

    // A tagged line longer than 259 characters reads back as its first 255 after the tag.
    const QString longText = QString(200, QLatin1Char('a')) + QString(59, QLatin1Char('b'));
    QCOMPARE(Collection::tagText("DATA" + longText), longText.left(255));
    QCOMPARE(Collection::tagText("MEMO" + longText).size(), 255);
    QCOMPARE(Collection::tagText(QStringLiteral("MEMO")), QString());
}

void TestStore::blockContentStops_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<QStringList>("content");
    QTest::newRow("closing tag") << L("<BLOC0000>|a|b|</BLOC0000>|c") << 0 << -1 << L("a|b");
    QTest::newRow("scan limit") << L("<BLOC0000>|a|b|c|</BLOC0000>") << 0 << 2 << L("a|b");
    QTest::newRow("missing closing tag, next block") << L("<BLOC0000>|a|<BLOC0001>|b|</BLOC0001>") << 0 << -1 << L("a");
    QTest::newRow("missing closing tag, end") << L("<BLOC0001>|b|</BLOC0001>|<BLOC0000>|a|z") << 0 << -1 << L("a|z");
    QTest::newRow("another block's closing tag is content") << L("<BLOC0000>|a|</BLOC0001>|b|</BLOC0000>") << 0 << -1
                                                            << L("a|</BLOC0001>|b");
    QTest::newRow("absent block") << L("<BLOC0000>|a|</BLOC0000>") << 1 << -1 << QStringList();
    QTest::newRow("empty block") << L("<BLOC0000>|</BLOC0000>") << 0 << -1 << QStringList();
    QTest::newRow("empty line") << L("<BLOC0000>||b|</BLOC0000>") << 0 << -1 << QStringList{"", "b"};
}

void TestStore::blockContentStops()
{
    QFETCH(QStringList, lines);
    QFETCH(int, n);
    QFETCH(int, maxLines);
    QFETCH(QStringList, content);
    const Collection c = make(lines);
    QCOMPARE(c.blockContent(n, maxLines), content);
    // A line read at a distance stops where the block does: null past its end, empty (not
    // null) for an empty line inside it.
    const QStringList whole = c.blockContent(n);
    for (int d = 1; d <= whole.size() + 1; ++d) {
        const QString line = c.lineOfBlock(n, d);
        QCOMPARE(line, whole.value(d - 1));
        QCOMPARE(line.isNull(), d > whole.size());
    }
}

void TestStore::blocksWalkOpeningTagsInLineOrder()
{
    // Opening tags are recognised as countOpeningTags() counts them: exactly "<BLOC" in front.
    const Collection c = make(L(" |<BLOC0001>|b|</BLOC0001>|<bloc0002>|x|</bloc0002>|<BLOCab12>|</BLOCab12>|"
                                "<BLOC0000>|a|</BLOC0000>"));
    QList<QPair<qsizetype, int>> walked;
    for (const Collection::BlockAt &b : c.blocks())
        walked.append({b.line, b.number});
    QCOMPARE(walked, (QList<QPair<qsizetype, int>>{{1, 1}, {7, -1}, {9, 0}}));
    QCOMPARE(walked.size(), c.countOpeningTags());
    QCOMPARE(c.lineAt(9, 1), QStringLiteral("a"));
    QVERIFY(c.lineAt(9, 2).isNull());
}

void TestStore::writeBlock_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("content");
    QTest::addColumn<bool>("inPlace");
    QTest::addColumn<QStringList>("expected");
    const QStringList three = blk(0, L("a")) + blk(1, L("b|b2")) + QStringList{" "} + blk(2, L("c"));
    QTest::newRow("in place, same size") << three << 1 << L("B|B2") << true
                                         << blk(0, L("a")) + blk(1, L("B|B2")) + QStringList{" "} + blk(2, L("c"));
    QTest::newRow("in place, grows") << three << 1 << L("B|B2|B3|B4") << true
                                     << blk(0, L("a")) + blk(1, L("B|B2|B3|B4")) + QStringList{" "} + blk(2, L("c"));
    QTest::newRow("in place, shrinks") << three << 0 << QStringList() << true
                                       << blk(0) + blk(1, L("b|b2")) + QStringList{" "} + blk(2, L("c"));
    QTest::newRow("in place, last block stays last") << three << 2 << L("C|C2") << true
                                                     << blk(0, L("a")) + blk(1, L("b|b2")) + QStringList{" "} + blk(2, L("C|C2"));
    QTest::newRow("new block appended") << three << 3 << L("d") << true << three + blk(3, L("d"));
    QTest::newRow("at end moves the block") << three << 0 << L("A") << false
                                            << blk(1, L("b|b2")) + QStringList{" "} + blk(2, L("c")) + blk(0, L("A"));
    QTest::newRow("at end, new block") << three << 3 << L("d") << false << three + blk(3, L("d"));
    QTest::newRow("unclosed block does not swallow the next")
        << L("<BLOC0000>|a|<BLOC0001>|b|</BLOC0001>") << 0 << L("A") << true << blk(0, L("A")) + blk(1, L("b"));
    QTest::newRow("line breaks inside a line") << blk(0, L("a")) << 0 << QStringList{"x\r\ny", "z\nw"} << true
                                               << blk(0, QStringList{"x  y", "z w"});
    QTest::newRow("empty collection") << QStringList() << 0 << L("a") << true << blk(0, L("a"));
    QTest::newRow("lines that read as tags stay inside")
        << blk(0, L("a")) << 0 << QStringList{"<BLOC0001>", "</bloc0000>", "x<BLOC", " <BLOC"} << true
        << blk(0, QStringList{" <BLOC0001>", " </bloc0000>", "x<BLOC", " <BLOC"});
}

void TestStore::writeBlock()
{
    QFETCH(QStringList, lines);
    QFETCH(int, n);
    QFETCH(QStringList, content);
    QFETCH(bool, inPlace);
    QFETCH(QStringList, expected);
    Collection c = make(lines);
    c.find(0); // build the index first, so that the write has to keep it up to date
    QVERIFY(c.writeBlock(n, content, inPlace ? Collection::Placement::InPlace : Collection::Placement::AtEnd));
    QCOMPARE(c.lines(), expected);
    checkIndex(c);
    QCOMPARE(c.blockContent(n), QStringList(expected.mid(c.find(n) + 1, content.size())));
}

void TestStore::setBlocksRenumbersAndStopsAtTheLimit()
{
    Collection c = make(L("stray|") + blk(5, L("old")));
    c.setCurrent(7);
    c.find(0);
    QCOMPARE(c.setBlocks({L("a"), {}, QStringList{"</BLOC0000>", "x\ny"}}), 0);
    QCOMPARE(c.lines(), blk(0, L("a")) + blk(1) + blk(2, QStringList{" </BLOC0000>", "x y"}));
    QCOMPARE(c.count(), 3);
    QCOMPARE(c.current(), 2);
    checkIndex(c);

    // A five-digit number would not fit the tag: the ten thousandth block is dropped.
    QCOMPARE(c.setBlocks(QList<QStringList>(Collection::kMaxBlocks + 1, L("x"))), 1);
    QCOMPARE(c.count(), Collection::kMaxBlocks);
    QCOMPARE(c.lines().size(), 3 * Collection::kMaxBlocks);
    QCOMPARE(c.lines().last(), Collection::closeTag(Collection::kMaxBlocks - 1));
    QCOMPARE(c.countOpeningTags(), Collection::kMaxBlocks);
}

void TestStore::addLimit_data()
{
    QTest::addColumn<Dossier::Kind>("kind");
    QTest::newRow("employees") << Dossier::Kind::Employees;
    QTest::newRow("profiles") << Dossier::Kind::Profiles;
    QTest::newRow("payslips") << Dossier::Kind::Payslips;
}

void TestStore::addLimit()
{
    QFETCH(Dossier::Kind, kind);
    Dossier dossier;
    Collection &c = dossier.collection(kind);
    QStringList lines;
    for (int n = 0; n < 9998; ++n)
        lines << blk(n, L("x"));
    c.setLines(lines);
    c.recount();
    QCOMPARE(c.count(), 9998);
    QVERIFY(c.add());
    QCOMPARE(c.count(), 9999);
    QVERIFY(c.writeBlock(c.count() - 1, L("last"), Collection::Placement::InPlace));
    QCOMPARE(c.find(9998), lines.size() + 1);
    const QStringList full = c.lines();
    QVERIFY(!c.add());
    QCOMPARE(c.count(), 9999);
    QCOMPARE(c.lines(), full);
    // A five-digit number would not fit the tag.
    QVERIFY(!c.writeBlock(9999, L("x"), Collection::Placement::AtEnd));
    QCOMPARE(c.lines(), full);
    QCOMPARE(Dossier::fullMessage(), QStringLiteral("Le fichier est plein"));
}

void TestStore::squize_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("two blank lines keep one") << QStringList{"", ""} << QStringList{""};
    QTest::newRow("leading blanks go") << QStringList{"", " ", "  \t"} + blk(0, L("a")) << blk(0, L("a"));
    QTest::newRow("blank lines inside stay") << blk(0, QStringList{"", " "}) << blk(0, QStringList{"", " "});
    QTest::newRow("stops before fewer than three lines") << QStringList{" ", " ", "x"} << QStringList{" ", "x"};
    QTest::newRow("empty") << QStringList() << QStringList();
}

void TestStore::squize()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    Collection c = make(lines);
    c.find(0);
    c.squize();
    QCOMPARE(c.lines(), expected);
    checkIndex(c);
}

void TestStore::loadRepairs_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("rebuilt");
    QTest::addColumn<int>("duplicates");   // copies removed or renumbered
    QTest::addColumn<bool>("renumbered");
    QTest::addColumn<int>("codes");        // distinct first lines: the records' codes

    const QStringList sound = blk(0, L("a")) + QStringList{"", " "} + blk(1, L("b"));
    QTest::newRow("sound collection untouched") << sound << sound << false << 0 << false << 2;
    const QStringList descending = blk(1, L("b")) + blk(0, L("a"));
    QTest::newRow("order alone is no damage") << descending << descending << false << 0 << false << 2;
    QTest::newRow("stray closing tag") << blk(0, L("a")) + blk(1, L("b")) + QStringList{"</BLOC0001>"}
                                       << blk(0, L("a")) + blk(1, L("b")) << true << 0 << false << 2;
    QTest::newRow("identical copies become one")
        << blk(0, L("a")) + blk(1, L("b|x")) + blk(1, L("b|x")) + blk(2, L("c"))
        << blk(0, L("a")) + blk(1, L("b|x")) + blk(2, L("c")) << false << 1 << false << 3;
    QTest::newRow("differing copies: the later one goes to the end")
        << blk(0, L("a")) + blk(1, L("b|old")) + blk(1, L("b|new")) + blk(2, L("c"))
        << blk(0, L("a")) + blk(1, L("b|old")) + blk(2, L("c")) + blk(3, L("b|new")) << false << 1 << false << 3;
    QTest::newRow("three copies, two alike")
        << blk(0, L("a")) + blk(1, L("x")) + blk(1, L("y")) + blk(1, L("x"))
        << blk(0, L("a")) + blk(1, L("x")) + blk(2, L("y")) << false << 2 << false << 3;
    QTest::newRow("copies in a rebuilt collection, resolved alike")
        << blk(0, L("a")) + blk(1, L("x")) + blk(1, L("x")) + blk(1, L("y")) + QStringList{"</BLOC0009>"}
        << blk(0, L("a")) + blk(1, L("x")) + blk(2, L("y")) << true << 0 << false << 3;
    QTest::newRow("stray opening tag is no record")
        << blk(0, L("a")) + QStringList{"<BLOCabcd>", "", " "} + blk(1, L("b"))
        << blk(0, L("a")) + blk(1, L("b")) << true << 0 << false << 2;
    QTest::newRow("gap with balanced tags") << blk(0, L("a")) + blk(1, L("b")) + blk(3, L("d"))
                                            << blk(0, L("a")) + blk(1, L("b")) + blk(2, L("d")) << false << 0 << true << 3;
    QTest::newRow("numbers past the count, in ascending old order")
        << blk(7, L("g")) + blk(5, L("e")) << blk(0, L("e")) + blk(1, L("g")) << false << 0 << true << 2;
    QTest::newRow("blocks after a missing number are kept")
        << blk(0, L("a")) + blk(2, L("c")) + blk(3, L("d")) + QStringList{"</BLOC0009>"}
        << blk(0, L("a")) + blk(1, L("c")) + blk(2, L("d")) << true << 0 << false << 3;
    QTest::newRow("missing closing tag ends at the next block")
        << L("<BLOC0000>|a|<BLOC0001>|b|</BLOC0001>|<BLOC0002>|c|</BLOC0002>")
        << blk(0, L("a")) + blk(1, L("b")) + blk(2, L("c")) << true << 0 << false << 3;
    QTest::newRow("missing closing tag at the end") << L("<BLOC0000>|a|</BLOC0000>|<BLOC0001>|b")
                                                    << blk(0, L("a")) + blk(1, L("b")) << true << 0 << false << 2;
    QTest::newRow("tag without digits, balanced") << L("<BLOC0000>|a|</BLOC0000>|<BLOCab12>|b|</BLOCab12>")
                                                  << blk(0, L("a")) + blk(1, L("b")) << false << 0 << true << 2;
    QTest::newRow("tag without digits, unbalanced")
        << L("<BLOCxyz>|z|<BLOC0001>|b|</BLOC0001>|<BLOC0000>|a|</BLOC0000>")
        << blk(0, L("a")) + blk(1, L("b")) + blk(2, L("z")) << true << 0 << false << 3;
    QTest::newRow("short tag") << L("<BLOC|a|</BLOC") << blk(0, L("a")) << false << 0 << true << 1;
    QTest::newRow("letters in lower case") << L("<bloc0000>|a|</bloc0000>") << blk(0, L("a")) << false << 0 << true << 1;
    QTest::newRow("another block's closing tag inside")
        << L("<BLOC0000>|a|</BLOC0001>|a2|</BLOC0000>|<BLOC0001>|b|</BLOC0001>")
        << blk(0, L("a|a2")) + blk(1, L("b")) << true << 0 << false << 2;
    QTest::newRow("only stray lines") << L("hello|</BLOC0000>") << QStringList() << true << 0 << false << 0;
    QTest::newRow("empty") << QStringList() << QStringList() << false << 0 << false << 0;
}

void TestStore::loadRepairs()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QFETCH(bool, rebuilt);
    QFETCH(int, duplicates);
    QFETCH(bool, renumbered);
    QFETCH(int, codes);
    // Loaded as the employee file of a dossier, as the program loads it.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    QVERIFY(text::writeLines(path, lines).ok());
    Dossier d;
    const Dossier::LoadReport report = d.Charge(path);
    QVERIFY(report.ok);
    const Collection &c = d.employees();
    QCOMPARE(c.lines(), expected);
    QCOMPARE(report.employees.rebuilt, rebuilt);
    QCOMPARE(report.employees.duplicatesRemoved + report.employees.duplicatesMoved, duplicates);
    QCOMPARE(report.employees.renumbered, renumbered);
    // Every repair is told and makes the dossier modified, so that the repair is saved.
    const bool repaired = rebuilt || duplicates > 0 || renumbered;
    QCOMPARE(report.alteredMessageDue(), repaired);
    QCOMPARE(d.TestModif(), repaired);
    // Every record is reachable: numbers 0 to count - 1, nothing else; no record invented.
    QCOMPARE(c.count(), c.countOpeningTags());
    QSet<QString> distinct;
    for (int n = 0; n < c.count(); ++n) {
        QVERIFY(c.find(n) >= 0);
        distinct.insert(c.lineOfBlock(n, 1));
    }
    QCOMPARE(c.find(c.count()), -1);
    QCOMPARE(int(distinct.size()), codes);
    // A second load finds nothing more to repair.
    Collection again = make(c.lines());
    const Repairs second = repair(again);
    QVERIFY(!second.rebuilt && second.duplicates == 0 && !second.renumbered);
}

void TestStore::supprime_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("newCurrent");
    const QStringList three = blk(0, L("a")) + blk(1, L("b")) + blk(2, L("c"));
    QTest::newRow("middle") << three << 1 << blk(0, L("a")) + blk(1, L("c")) << 2 << 1;
    QTest::newRow("first") << three << 0 << blk(0, L("b")) + blk(1, L("c")) << 2 << 0;
    QTest::newRow("last") << three << 2 << blk(0, L("a")) + blk(1, L("b")) << 2 << 1;
    QTest::newRow("only record") << blk(0, L("a")) << 0 << QStringList() << 0 << 0;
    QTest::newRow("block out of order") << blk(2, L("c")) + blk(0, L("a")) + blk(1, L("b")) << 0
                                        << blk(1, L("c")) + blk(0, L("b")) << 2 << 0;
    // A renumbered tag can move where a damaged block ends: it loses its closing tag, or a
    // line of it becomes its closing tag.
    QTest::newRow("closing tag renumbered, lower-case opening tag kept")
        << L("<bloc0002>|b|</BLOC0002>|stray|") + blk(0, L("a")) + blk(1, L("x")) << 1
        << L("<bloc0002>|b|</BLOC0001>|stray|") + blk(0, L("a")) << 1 << 0;
    QTest::newRow("line renumbered into the closing tag")
        << blk(0, L("z")) + blk(0, L("a|</BLOC0001>|b")) + blk(1, L("c")) << 0
        << blk(0, L("a|</BLOC0000>|b")) + blk(0, L("c")) << 2 << 0;
}

void TestStore::supprime()
{
    QFETCH(QStringList, lines);
    QFETCH(int, current);
    QFETCH(QStringList, expected);
    QFETCH(int, count);
    QFETCH(int, newCurrent);
    Collection c = make(lines);
    c.setCurrent(current);
    QVERIFY(c.supprime());
    QCOMPARE(c.lines(), expected);
    QCOMPARE(c.count(), count);
    QCOMPARE(c.current(), newCurrent);
    checkIndex(c);
    checkLines(c, expected);
}

void TestStore::indexFollowsRandomEdits()
{
    // Reads, write-backs in place and at the end, additions, deletions: the index must always
    // give what a scan of the lines gives, and the lines what the same edits make of one list.
    Collection c;
    FlatLines model;
    randomEdits(c, model, 1234, 600);
    if (QTest::currentTestFailed())
        return;
    checkIndex(c);
    // Whatever happened, the collection is sound: a load has nothing to repair.
    Collection loaded = make(c.lines());
    const Repairs r = repair(loaded);
    QVERIFY(!r.rebuilt && r.duplicates == 0);
}

void TestStore::damagedBlocksKeepTheirExtentThroughRandomEdits()
{
    // A block without its closing tag, a lower-case tag, stray lines, leading blanks and a
    // number twice: when a block between them is moved or removed, the unclosed block takes
    // the lines up to its closing tag, and the second copy of a number becomes the block once
    // the first is gone, as a scan of the lines would read them.
    const QStringList damaged = L(" ||<BLOC0000>|a|<bloc0001>|b|</BLOC0001>|stray|</BLOC0000>|x|<BLOC0002>|c|"
                                  "</BLOC0002>||<BLOC0002>|c2|</BLOC0002>|<BLOC0003>|d");
    Collection c = make(damaged);
    FlatLines model{damaged};
    randomEdits(c, model, 99, 600);
}

void TestStore::saveLoadRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    Dossier d;
    const QStringList employees = QStringList{"", ""} + blk(0, QStringList{"10001", "Père Noël", "MEMOœuvre à 5 €"});
    const QStringList profiles = blk(0, L("10001|Standard"));
    const QStringList payslips = blk(0, L("200201001")) + blk(1, L("200201002"));
    d.employees().setLines(employees);
    d.profiles().setLines(profiles);
    d.payslips().setLines(payslips);
    d.SetSauve();
    const Dossier::SaveResult saved = d.Sauve(path);
    QVERIFY(saved.ok);
    QVERIFY(saved.written);
    QVERIFY(!d.TestModif());
    QCOMPARE(d.fileName(), path);
    QCOMPARE(d.profileFileName(), dir.filePath(QStringLiteral("paie.Prl")));
    QCOMPARE(d.payslipFileName(), dir.filePath(QStringLiteral("paie.Pai")));

    // Leading blank lines went, the rest is the lines with CR LF, in Windows-1252.
    QCOMPARE(fileBytes(path), QByteArray("<BLOC0000>\r\n10001\r\nP\xe8re No\xebl\r\nMEMO\x9cuvre \xe0 5 \x80\r\n</BLOC0000>\r\n"));
    QCOMPARE(fileBytes(d.payslipFileName()),
             QByteArray("<BLOC0000>\r\n200201001\r\n</BLOC0000>\r\n<BLOC0001>\r\n200201002\r\n</BLOC0001>\r\n"));

    Dossier back;
    const Dossier::LoadReport report = back.Charge(path);
    QVERIFY(report.ok);
    QVERIFY(!back.TestModif());
    QVERIFY(!report.alteredMessageDue());
    QCOMPARE(back.employees().lines(), employees.mid(2));
    QCOMPARE(back.profiles().lines(), profiles);
    QCOMPARE(back.payslips().lines(), payslips);
    QCOMPARE(back.employees().count(), 1);
    QCOMPARE(back.payslips().count(), 2);
    QCOMPARE(report.payslips.blocks, 2);
}

void TestStore::emptyCollectionsWriteEmptyFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    Dossier d;
    d.employees().setLines(blk(0, L("10001")));
    d.SetSauve();
    QVERIFY(d.Sauve(path).ok);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("paie.Prl"))));
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("paie.Prl"))), QByteArray());
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("paie.Pai"))), QByteArray());
}

void TestStore::saveWhenNotModifiedWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    Dossier d;
    d.employees().setLines(blk(0, L("10001")));
    const Dossier::SaveResult result = d.Sauve(path);
    QVERIFY(result.ok);
    QVERIFY(!result.written);
    QVERIFY(!QFile::exists(path));
    QVERIFY(d.fileName().isEmpty());
}

void TestStore::onlyRecordDeletedThenAddedSurvivesReload()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    writeBytes(path, "<BLOC0000>\r\n10001\r\n</BLOC0000>\r\n");
    Dossier d;
    QVERIFY(d.Charge(path).ok);
    Collection &c = d.employees();
    QVERIFY(c.supprime());
    QCOMPARE(c.count(), 0);
    QVERIFY(c.add());
    QCOMPARE(c.count() - 1, 0);
    QVERIFY(c.writeBlock(c.count() - 1, L("10002"), Collection::Placement::InPlace));
    d.SetSauve();
    QVERIFY(d.Sauve(path).ok);

    Dossier back;
    QVERIFY(back.Charge(path).ok);
    QCOMPARE(back.employees().count(), 1);
    QCOMPARE(back.employees().blockContent(0), L("10002"));
}

void TestStore::loadRepairMarksModified()
{
    // Stray closing tag in the profiles, duplicate in the payslips, gap in the employees.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    writeBytes(path, "<BLOC0000>\r\na\r\n</BLOC0000>\r\n<BLOC0002>\r\nc\r\n</BLOC0002>\r\n");
    writeBytes(dir.filePath(QStringLiteral("paie.Prl")),
               "<BLOC0000>\nx\n</BLOC0000>\n<BLOC0001>\ny\n</BLOC0001>\n</BLOC0001>\n");
    writeBytes(dir.filePath(QStringLiteral("paie.Pai")),
               "<BLOC0000>\rstale\r<BLOC0000>\rp\r</BLOC0000>");
    Dossier d;
    const Dossier::LoadReport r = d.Charge(path);
    QVERIFY(r.ok);
    QVERIFY(r.employees.renumbered);
    QVERIFY(!r.employees.rebuilt);
    QVERIFY(r.profiles.rebuilt);
    QCOMPARE(r.profiles.blocks, 2);
    QVERIFY(r.payslips.rebuilt);        // the first copy is not closed
    QCOMPARE(r.payslips.blocks, 2);     // ...and kept: nothing sound is dropped
    QVERIFY(r.alteredMessageDue());
    QVERIFY(d.TestModif());
    QCOMPARE(d.employees().blockContent(1), L("c"));
    QCOMPARE(d.profiles().lines(), blk(0, L("x")) + blk(1, L("y")));
    QCOMPARE(d.payslips().blockContent(1), L("p"));
    QCOMPARE(Dossier::alteredMessage(),
             QStringLiteral("Des fichiers ont été altérés\r\nVérifiez s'il n'y a pas eu perte de données"));
}

void TestStore::missingSideFileEmptiesCollection()
{
    QTemporaryDir dir;
    Dossier d;
    d.profiles().setLines(blk(0, L("from before")));
    d.profiles().recount();
    d.payslips().setLines(blk(0, L("from before")));
    const QString path = dir.filePath(QStringLiteral("autre.emp"));
    writeBytes(path, "<BLOC0000>\r\na\r\n</BLOC0000>\r\n");
    const Dossier::LoadReport r = d.Charge(path);
    QVERIFY(r.ok);
    QVERIFY(r.profiles.file.isMissing());
    QVERIFY(d.profiles().lines().isEmpty());
    QCOMPARE(d.profiles().count(), 0);
    QVERIFY(d.payslips().lines().isEmpty());
}

void TestStore::sideFilesFoundWhateverTheCase()
{
    // The dossier file too: "paie.Emp" is opened and saved as "paie.emp" by the frame.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    writeBytes(dir.filePath(QStringLiteral("paie.Emp")), "<BLOC0000>\r\na\r\n</BLOC0000>\r\n");
    writeBytes(dir.filePath(QStringLiteral("paie.PRL")), "<BLOC0000>\r\nprofil\r\n</BLOC0000>\r\n");
    writeBytes(dir.filePath(QStringLiteral("paie.pai")), "<BLOC0000>\r\nbulletin\r\n</BLOC0000>\r\n");
    Dossier d;
    QVERIFY(d.Charge(path).ok);
    QCOMPARE(d.profiles().blockContent(0), L("profil"));
    QCOMPARE(d.payslips().blockContent(0), L("bulletin"));

    d.profiles().writeBlock(0, L("changé"), Collection::Placement::AtEnd);
    d.SetSauve();
    QVERIFY(d.Sauve(path).ok);
    // The existing files were replaced, no second file beside them.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
             QStringList({"paie.Emp", "paie.PRL", "paie.pai"}));
    QCOMPARE(d.fileName(), dir.filePath(QStringLiteral("paie.Emp")));
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("paie.PRL"))), QByteArray("<BLOC0000>\r\nchang\xe9\r\n</BLOC0000>\r\n"));
}

void TestStore::saveFailureKeepsEverything_data()
{
    QTest::addColumn<QString>("target");     // the dossier file, relative to the temporary folder
    QTest::addColumn<QString>("blocker");    // a folder made where a file should go
    QTest::addColumn<QString>("failed");     // the file reported
    QTest::newRow("folder does not exist") << "absent/paie.emp" << "" << "absent/paie.emp";
    QTest::newRow("side file cannot be replaced") << "paie.emp" << "paie.Pai" << "paie.Pai";
}

void TestStore::saveFailureKeepsEverything()
{
    QFETCH(QString, target);
    QFETCH(QString, blocker);
    QFETCH(QString, failed);
    QTemporaryDir dir;
    if (!blocker.isEmpty())
        QVERIFY(QDir(dir.path()).mkpath(blocker));
    Dossier d;
    const QString previous = dir.filePath(QStringLiteral("avant.emp"));
    d.employees().setLines(blk(0, L("10001")));
    d.SetSauve();
    QVERIFY(d.Sauve(previous).ok);
    d.employees().writeBlock(0, L("10001|modifié"), Collection::Placement::InPlace);
    d.SetSauve();
    const QStringList lines = d.employees().lines();

    const Dossier::SaveResult result = d.Sauve(dir.filePath(target));
    QVERIFY(!result.ok);
    QCOMPARE(result.failure.path(), dir.filePath(failed));
    QCOMPARE(result.message(), "Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(dir.filePath(failed)));
    QVERIFY(d.TestModif());
    QCOMPARE(d.fileName(), previous);
    QCOMPARE(d.employees().lines(), lines);
}

void TestStore::loadFailureLeavesDossier()
{
    QTemporaryDir dir;
    Dossier d;
    const QString path = dir.filePath(QStringLiteral("paie.emp"));
    d.employees().setLines(blk(0, L("10001")));
    d.SetSauve();
    QVERIFY(d.Sauve(path).ok);

    // A side file that exists but cannot be read (here a folder): nothing is replaced.
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("paie.Pai"))));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("paie.Pai")));
    d.employees().writeBlock(0, L("edited"), Collection::Placement::InPlace);
    Dossier::LoadReport r = d.Charge(path);
    QVERIFY(!r.ok);
    QCOMPARE(r.failure.status(), text::FileResult::Status::Failed);
    QCOMPARE(r.failure.path(), dir.filePath(QStringLiteral("paie.Pai")));
    QVERIFY(r.errorMessage().startsWith(QStringLiteral("Impossible de lire le fichier ")));
    QCOMPARE(d.employees().blockContent(0), L("edited"));

    // A missing dossier file: the name is emptied, the collections stay.
    r = d.Charge(dir.filePath(QStringLiteral("absent.emp")));
    QVERIFY(!r.ok);
    QVERIFY(r.failure.isMissing());
    QVERIFY(d.fileName().isEmpty());
    QCOMPARE(d.employees().blockContent(0), L("edited"));
}

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
