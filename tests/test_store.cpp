#include "store/collection.h"
#include "store/dossier.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

// "a|b|c" -> {"a", "b", "c"}; "" -> {}.
QStringList L(const QString &s)
{
    return s.isEmpty() ? QStringList() : s.split(QLatin1Char('|'));
}

// The load-time checks on one collection: true when any of them acted.
bool repairs(Collection &c)
{
    c.recount();
    const bool rebuilt = c.verif();
    const bool duplicates = c.doublons().acted();
    return c.normalise() || rebuilt || duplicates;
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
    // Past the block opened at first: its closing tag, or the next opening tag, or the end.
    qsizetype end(qsizetype first) const
    {
        const QString close = "</BLOC" + lines[first].mid(5, 4) + ">";
        qsizetype j = first + 1;
        while (j < lines.size() && lines[j] != close && !lines[j].startsWith(QLatin1String("<BLOC"), Qt::CaseInsensitive))
            ++j;
        return j < lines.size() && lines[j] == close ? j + 1 : j;
    }
    void write(int n, const QStringList &content, bool inPlace)
    {
        const qsizetype first = find(n);
        qsizetype at = lines.size();
        if (first >= 0) {
            const qsizetype e = end(first);
            at = inPlace || e == lines.size() ? first : at - (e - first);
            lines.remove(first, e - first);
        }
        lines = lines.mid(0, at) + blk(n, content) + lines.mid(at);
    }
    void supprime(int k, int count)
    {
        if (count < 1)
            return;
        if (const qsizetype first = find(k); first >= 0)
            lines.remove(first, end(first) - first);
        static const QRegularExpression tag(QStringLiteral("^(<BLOC|</BLOC)([0-9]{4})"));
        for (QString &line : lines) {
            const QRegularExpressionMatch m = tag.match(line);
            if (count >= 2 && m.hasMatch() && m.captured(2).toInt() > k)
                line.replace(m.capturedStart(2), 4, Collection::fourDigits(m.captured(2).toInt() - 1));
        }
    }
    void squize()
    {
        qsizetype k = 0;
        while (k < lines.size() && lines[k].trimmed().isEmpty()) {
            if (lines.size() - ++k < 3)
                break;
        }
        lines.remove(0, k);
    }
};

// c against a collection freshly loaded from lines: its index, walk and reads, then its lines.
void checkLines(const Collection &c, const QStringList &lines)
{
    const Collection fresh = make(lines);
    for (int n = 0; n < 10000; ++n)
        if (c.find(n) != fresh.find(n))
            QFAIL(qPrintable(QStringLiteral("index of %1: %2, scan: %3").arg(n).arg(c.find(n)).arg(fresh.find(n))));
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
        QCOMPARE(c.blockContent(n), fresh.blockContent(n));
        QCOMPARE(c.lineOfBlock(n, 1), fresh.lineOfBlock(n, 1));
    }
    QCOMPARE(c.lineCount(), lines.size());
    QCOMPARE(c.lines(), lines);
}

// steps random edits on c and on model alike, compared every ten steps.
void randomEdits(Collection &c, FlatLines &model, quint32 seed, int steps)
{
    QRandomGenerator rng(seed);
    for (int step = 0; step < steps; ++step) {
        const int count = c.count();
        const int n = count > 0 ? int(rng.bounded(count)) : 0;
        const QStringList content(int(rng.bounded(5)), step % 7 ? QString::number(step) : QString());
        const quint32 op = rng.bounded(8);
        if (op == 0 && c.add()) {
            model.lines << QStringLiteral(" ");
            c.writeBlock(c.count() - 1, content, Collection::Placement::InPlace);
            model.write(c.count() - 1, content, true);
        } else if (op >= 1 && op <= 4) {
            c.writeBlock(n, content, op <= 2 ? Collection::Placement::InPlace : Collection::Placement::AtEnd);
            model.write(n, content, op <= 2);
        } else if (op == 5) {
            model.supprime(n, count);
            c.setCurrent(n);
            c.supprime();
        } else if (op == 6) {
            c.squize();
            model.squize();
        } else if (op == 7) {
            (void)c.blockContent(n);
            (void)c.lines();
        }
        if (step % 10 == 0 || step == steps - 1) {
            checkLines(c, model.lines);
            if (QTest::currentTestFailed())
                return qWarning("after step %d", step);
        }
    }
}

// A temporary folder holding files (name -> bytes).
struct Folder {
    QTemporaryDir dir;
    explicit Folder(const QMap<QString, QByteArray> &files = {})
    {
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            writeBytes(path(it.key()), it.value());
    }
    QString path(const QString &name) const { return dir.filePath(name); }
};

const QStringList kThree = blk(0, L("a")) + blk(1, L("b|b2")) + QStringList{" "} + blk(2, L("c"));

struct FindRow { const char *why; QStringList lines; int n, line; };
const FindRow kFindRows[] = {
    {"order does not matter", L(" |<BLOC0001>|b|</BLOC0001>||stray|<BLOC0000>|a|</BLOC0000>"), 0, 6},
    {"out of range", L("<BLOC0000>|</BLOC0000>"), -1, -1}, {"letters in any case", L("x|<bLoC0003>|</BLOC0003>"), 3, 1},
    {"first of two copies", L("<BLOC0002>|old|</BLOC0002>|<BLOC0002>|new|</BLOC0002>"), 2, 0},
    {"whole line only", L("<BLOC0004> |<BLOC00040>|<BLOC0004>"), 4, 2}, {"closing tag is not a block", L("</BLOC0005>"), 5, -1},
};

struct ContentRow { const char *why; QStringList lines; int n, maxLines; QStringList content; };
const ContentRow kContentRows[] = {
    {"closing tag", L("<BLOC0000>|a|b|</BLOC0000>|c"), 0, -1, L("a|b")},
    {"scan limit", L("<BLOC0000>|a|b|c|</BLOC0000>"), 0, 2, L("a|b")},
    {"missing closing tag, next block", L("<BLOC0000>|a|<BLOC0001>|b|</BLOC0001>"), 0, -1, L("a")},
    {"missing closing tag, end", L("<BLOC0001>|b|</BLOC0001>|<BLOC0000>|a|z"), 0, -1, L("a|z")},
    {"another block's closing tag is content", L("<BLOC0000>|a|</BLOC0001>||</BLOC0000>"), 0, -1, QStringList{"a", "</BLOC0001>", ""}},
    {"absent block", L("<BLOC0000>|a|</BLOC0000>"), 1, -1, {}},
};

struct WriteRow { const char *why; QStringList lines; int n; QStringList content; bool inPlace; QStringList expected; };
// Where blocks go is checked against the model through random edits; here what the model leaves out.
const WriteRow kWriteRows[] = {
    {"at end moves the block", kThree, 0, L("A"), false, kThree.mid(3) + blk(0, L("A"))},
    {"unclosed block does not swallow the next", L("<BLOC0000>|a|<BLOC0001>|b|</BLOC0001>"), 0, L("A"), true,
     blk(0, L("A")) + blk(1, L("b"))},
    {"line breaks and tags inside lines", blk(0, L("a")), 0, {"x\r\ny", "z\nw", "<BLOC0001>", "</bloc0000>", "x<BLOC"}, true,
     blk(0, {"x  y", "z w", " <BLOC0001>", " </bloc0000>", "x<BLOC"})},
};

// duplicates: copies removed or renumbered; codes: distinct first lines, the records' codes.
struct RepairRow { const char *why; QStringList lines, expected; bool rebuilt; int duplicates; bool renumbered; int codes; };
const RepairRow kRepairRows[] = {
    {"sound collection untouched", kThree, kThree, false, 0, false, 3},
    {"order alone is no damage", blk(1, L("b")) + blk(0, L("a")), blk(1, L("b")) + blk(0, L("a")), false, 0, false, 2},
    {"one record, stray closing tag", blk(0, L("a")) + L("</BLOC0001>"), blk(0, L("a")), true, 0, false, 1},
    {"identical copies become one", blk(0, L("a")) + blk(1, L("b|x")) + blk(1, L("b|x")) + blk(2, L("c")),
     blk(0, L("a")) + blk(1, L("b|x")) + blk(2, L("c")), false, 1, false, 3},
    {"differing copies: the later one goes to the end", blk(0, L("a")) + blk(1, L("b|old")) + blk(1, L("b|new")) + blk(2, L("c")),
     blk(0, L("a")) + blk(1, L("b|old")) + blk(2, L("c")) + blk(3, L("b|new")), false, 1, false, 3},
    {"three copies, two alike", blk(0, L("a")) + blk(1, L("x")) + blk(1, L("y")) + blk(1, L("x")),
     blk(0, L("a")) + blk(1, L("x")) + blk(2, L("y")), false, 2, false, 3},
    {"copies in a rebuilt collection, resolved alike", blk(0, L("a")) + blk(1, L("x")) + blk(1, L("x")) + blk(1, L("y")) + L("</BLOC0009>"),
     blk(0, L("a")) + blk(1, L("x")) + blk(2, L("y")), true, 0, false, 3},
    {"stray opening tag is no record", blk(0, L("a")) + L("<BLOCabcd>||") + blk(1, L("b")), blk(0, L("a")) + blk(1, L("b")), true, 0, false, 2},
    {"gap with balanced tags", blk(0, L("a")) + blk(1, L("b")) + blk(3, L("d")), blk(0, L("a")) + blk(1, L("b")) + blk(2, L("d")),
     false, 0, true, 3},
    {"numbers past the count, in ascending old order", blk(7, L("g")) + blk(5, L("e")), blk(0, L("e")) + blk(1, L("g")), false, 0, true, 2},
    {"blocks after a missing number are kept", blk(0, L("a")) + blk(2, L("c")) + blk(3, L("d")) + L("</BLOC0009>"),
     blk(0, L("a")) + blk(1, L("c")) + blk(2, L("d")), true, 0, false, 3},
    {"missing closing tag ends at the next block", L("<BLOC0000>|a|<BLOC0001>|b|</BLOC0001>|<BLOC0002>|c|</BLOC0002>"),
     blk(0, L("a")) + blk(1, L("b")) + blk(2, L("c")), true, 0, false, 3},
    {"missing closing tag at the end", L("<BLOC0000>|a|</BLOC0000>|<BLOC0001>|b"), blk(0, L("a")) + blk(1, L("b")), true, 0, false, 2},
    {"tag without digits, unbalanced", L("<BLOCxyz>|z|<BLOC0001>|b|</BLOC0001>|<BLOC0000>|a|</BLOC0000>"),
     blk(0, L("a")) + blk(1, L("b")) + blk(2, L("z")), true, 0, false, 3},
    {"letters in lower case", L("<bloc0000>|a|</bloc0000>"), blk(0, L("a")), false, 0, true, 1},
    {"another block's closing tag inside", L("<BLOC0000>|a|</BLOC0001>|a2|</BLOC0000>|<BLOC0001>|b|</BLOC0001>"),
     blk(0, L("a|a2")) + blk(1, L("b")), true, 0, false, 2},
    {"only stray lines", L("hello|</BLOC0000>"), {}, true, 0, false, 0},
    {"empty", {}, {}, false, 0, false, 0},
};

struct DeleteRow { const char *why; QStringList lines; int current; QStringList expected; int newCurrent; };
const DeleteRow kDeleteRows[] = {
    {"first", kThree, 0, blk(0, L("b|b2")) + QStringList{" "} + blk(1, L("c")), 0}, {"last", kThree, 2, kThree.mid(0, 8), 1},
    {"only record", blk(0, L("a")), 0, {}, 0},
    {"block out of order", blk(2, L("c")) + blk(0, L("a")) + blk(1, L("b")), 0, blk(1, L("c")) + blk(0, L("b")), 0},
    // A renumbered tag can move where a damaged block ends: it loses its closing tag, or a
    // line of it becomes its closing tag.
    {"closing tag renumbered, lower-case opening tag kept", L("<bloc0002>|b|</BLOC0002>|stray|") + blk(0, L("a")) + blk(1, L("x")),
     1, L("<bloc0002>|b|</BLOC0001>|stray|") + blk(0, L("a")), 0},
    {"line renumbered into the closing tag", blk(0, L("z")) + blk(0, L("a|</BLOC0001>|b")) + blk(1, L("c")), 0,
     blk(0, L("a|</BLOC0000>|b")) + blk(0, L("c")), 0},
};

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findTakesTheFirstWholeOpeningTag_data() { addRows(kFindRows); }
    void findTakesTheFirstWholeOpeningTag()
    {
        QFETCH(FindRow, row);
        QCOMPARE(make(row.lines).find(row.n), row.line);
    }

    void blockContentStopsWhereTheBlockDoes_data() { addRows(kContentRows); }
    void blockContentStopsWhereTheBlockDoes()
    {
        QFETCH(ContentRow, row);
        const Collection c = make(row.lines);
        QCOMPARE(c.blockContent(row.n, row.maxLines), row.content);
        // A line read at a distance: null past the block's end, empty (not null) for an empty line.
        const QStringList whole = c.blockContent(row.n);
        for (int d = 1; d <= whole.size() + 1; ++d) {
            QCOMPARE(c.lineOfBlock(row.n, d), whole.value(d - 1));
            QCOMPARE(c.lineOfBlock(row.n, d).isNull(), d > whole.size());
        }
    }

    void blocksWalkOpeningTagsInLineOrder()
    {
        // Opening tags are recognised as countOpeningTags() counts them: exactly "<BLOC" in front.
        const Collection c = make(L(" |<BLOC0001>|b|</BLOC0001>|<bloc0002>|x|</bloc0002>|<BLOCab12>|</BLOCab12>|"
                                    "<BLOC0000>|a|</BLOC0000>"));
        QList<QPair<qsizetype, int>> walked;
        for (const Collection::BlockAt &b : c.blocks())
            walked.append({b.line, b.number});
        QCOMPARE(walked, (QList<QPair<qsizetype, int>>{{1, 1}, {7, -1}, {9, 0}}));
        QCOMPARE(walked.size(), c.countOpeningTags());
    }

    void writeBlockPlacesTheBlockAndKeepsTheIndex_data() { addRows(kWriteRows); }
    void writeBlockPlacesTheBlockAndKeepsTheIndex()
    {
        QFETCH(WriteRow, row);
        Collection c = make(row.lines);
        c.find(0); // build the index first, so that the write has to keep it up to date
        QVERIFY(c.writeBlock(row.n, row.content, row.inPlace ? Collection::Placement::InPlace : Collection::Placement::AtEnd));
        checkLines(c, row.expected);
    }

    void addStopsAtRecord9999AndDeleteFreesAPlace()
    {
        QStringList lines;
        for (int n = 0; n < 9998; ++n)
            lines << blk(n, L("x"));
        Collection c = make(lines);
        QVERIFY(c.add() && c.count() == 9999);
        QVERIFY(c.writeBlock(9998, L("last"), Collection::Placement::InPlace));
        const QStringList full = c.lines();
        QVERIFY(!c.add());
        QVERIFY(!c.writeBlock(9999, L("x"), Collection::Placement::AtEnd)); // five digits would not fit the tag
        QVERIFY(c.count() == 9999 && c.lines() == full);
        QCOMPARE(Dossier::fullMessage(), QStringLiteral("Le fichier est plein"));
        // The first record deleted: the last one is renumbered 9997 and there is room for one more.
        c.setCurrent(0);
        QVERIFY(c.supprime());
        QVERIFY(c.blockContent(9997) == L("last") && c.find(9998) == -1);
        QVERIFY(c.add() && !c.add());
    }

    void squizeDropsLeadingBlanksOnly()
    {
        const QStringList lines[][2] = {{QStringList{"", " ", "\t"} + blk(0, L("|a")), blk(0, L("|a"))},
                                        {L(" | |x"), L(" |x")}, // never fewer than two lines
                                        {QStringList{"", ""}, QStringList{""}}};
        for (const auto &[before, after] : lines) {
            Collection c = make(before);
            c.find(0);
            c.squize();
            checkLines(c, after);
        }
    }

    void loadRepairsDamageAndSaysSo_data() { addRows(kRepairRows); }
    void loadRepairsDamageAndSaysSo()
    {
        QFETCH(RepairRow, row);
        // Loaded as the employee file of a dossier, as the program loads it.
        Folder f;
        QVERIFY(text::writeLines(f.path("paie.emp"), row.lines).ok());
        Dossier d;
        const Dossier::LoadReport report = d.Charge(f.path("paie.emp"));
        QVERIFY(report.ok);
        const Collection &c = d.employees();
        QCOMPARE(c.lines(), row.expected);
        const auto &e = report.employees;
        QCOMPARE((QList<int>{e.rebuilt, e.duplicatesRemoved + e.duplicatesMoved, e.renumbered, e.blocks}),
                 (QList<int>{row.rebuilt, row.duplicates, row.renumbered, c.count()}));
        // Every repair is told and makes the dossier modified, so that the repair is saved.
        const bool repaired = row.rebuilt || row.duplicates > 0 || row.renumbered;
        QCOMPARE(report.alteredMessageDue(), repaired);
        QCOMPARE(d.TestModif(), repaired);
        // Every record is reachable: numbers 0 to count - 1, nothing else; no record invented.
        QCOMPARE(c.count(), c.countOpeningTags());
        QCOMPARE(c.find(c.count()), -1);
        QSet<QString> distinct;
        for (int n = 0; n < c.count(); ++n) {
            QVERIFY(c.find(n) >= 0);
            distinct.insert(c.lineOfBlock(n, 1));
        }
        QCOMPARE(int(distinct.size()), row.codes);
        // A second load finds nothing more to repair.
        Collection again = make(c.lines());
        QVERIFY(!repairs(again));
    }

    void loadPast9999RecordsDropsTheRestAndSaysSo()
    {
        QStringList lines;
        for (int n = 0; n <= Collection::kMaxBlocks; ++n)
            lines << blk(n % Collection::kMaxBlocks, {QString::number(n)});
        Folder f;
        QVERIFY(text::writeLines(f.path("paie.emp"), lines).ok());
        Dossier d;
        const Dossier::LoadReport r = d.Charge(f.path("paie.emp"));
        QCOMPARE(d.employees().count(), Collection::kMaxBlocks);
        QCOMPARE(r.employees.dropped, 1);
        QVERIFY(r.alteredMessageDue() && d.TestModif());
        QCOMPARE(d.employees().blockContent(Collection::kMaxBlocks - 1), L("9998"));
    }

    void supprimeRenumbersTheRecordsAfterIt_data() { addRows(kDeleteRows); }
    void supprimeRenumbersTheRecordsAfterIt()
    {
        QFETCH(DeleteRow, row);
        Collection c = make(row.lines);
        const int count = c.count();
        c.setCurrent(row.current);
        QVERIFY(c.supprime());
        QCOMPARE((QList<int>{c.count(), c.current()}), (QList<int>{count - 1, row.newCurrent}));
        checkLines(c, row.expected);
    }

    void indexFollowsRandomEdits()
    {
        // Reads, write-backs in place and at the end, additions, deletions: the index must always
        // give what a scan of the lines gives, and the lines what the same edits make of one list.
        Collection c;
        FlatLines model;
        randomEdits(c, model, 1234, 600);
        // Whatever happened, the collection is sound: a load has nothing to repair.
        Collection loaded = make(c.lines());
        QVERIFY(!repairs(loaded));
    }

    void damagedBlocksKeepTheirExtentThroughRandomEdits()
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

    // Under a plain name and under one with dots and spaces.
    void saveWritesThreeWindows1252FilesThatLoadBack()
    {
        for (const char *name : {"paie.emp", "Ma paie.2003.v2.emp"}) {
            Folder f;
            const QString path = f.path(name), base = path.chopped(3);
            Dossier d;
            const QStringList employees = QStringList{"", ""} + blk(0, QStringList{"10001", "Père Noël", "MEMOœuvre à 5 € ‰ ™"});
            d.employees().setLines(employees);
            d.payslips().setLines(kThree);
            QVERIFY(d.Sauve(path) && !QFile::exists(path)); // nothing changed: nothing written
            d.SetSauve();
            QVERIFY(d.Sauve(path) && !d.TestModif() && QFile::exists(path));
            QCOMPARE((QStringList{d.fileName(), d.profileFileName(), d.payslipFileName()}), (QStringList{path, base + "Prl", base + "Pai"}));
            // Leading blank lines went, the rest is the lines with CR LF, in Windows-1252; an empty
            // collection is an empty file.
            QCOMPARE(fileBytes(path), QByteArray("<BLOC0000>\r\n10001\r\nP\xe8re No\xebl\r\nMEMO\x9cuvre \xe0 5 \x80 \x89 \x99\r\n</BLOC0000>\r\n"));
            QCOMPARE(fileBytes(base + "Prl"), QByteArray());
            QCOMPARE(fileBytes(base + "Pai"), text::encode1252(text::joinLines(kThree)));
            Dossier back;
            const Dossier::LoadReport report = back.Charge(path);
            QVERIFY(report.ok && !report.alteredMessageDue() && !back.TestModif());
            QCOMPARE(back.employees().lines(), employees.mid(2));
            QCOMPARE(back.payslips().lines(), kThree);
        }
    }

    void onlyRecordDeletedThenAddedIsRecordZero()
    {
        Collection c = make(blk(0, L("10001")));
        QVERIFY(c.supprime());
        QCOMPARE(c.count(), 0);
        QVERIFY(c.add());
        QVERIFY(c.writeBlock(c.count() - 1, L("10002"), Collection::Placement::InPlace));
        checkLines(c, QStringList{" "} + blk(0, L("10002"))); // the blank line add() puts goes at the save
    }

    void repairInASideFileIsToldAndSavedOnce()
    {
        // Gap in the employees, stray closing tag in the profiles (LF ends), in the payslips
        // (CR ends) an unclosed copy: each is repaired, told, and written at the next save.
        Folder f({{"paie.emp", "<BLOC0000>\r\na\r\n</BLOC0000>\r\n<BLOC0002>\r\nc\r\n</BLOC0002>\r\n"},
                  {"paie.Prl", "<BLOC0000>\nx\n</BLOC0000>\n<BLOC0001>\ny\n</BLOC0001>\n</BLOC0001>\n"},
                  {"paie.Pai", "<BLOC0000>\rstale\r<BLOC0000>\rp\r</BLOC0000>"}});
        Dossier d;
        const Dossier::LoadReport r = d.Charge(f.path("paie.emp"));
        QVERIFY(r.ok && r.employees.renumbered && !r.employees.rebuilt && r.profiles.rebuilt && r.payslips.rebuilt);
        QCOMPARE(r.payslips.blocks, 2); // the unclosed first copy is kept: nothing sound is dropped
        QVERIFY(r.alteredMessageDue() && d.TestModif());
        QCOMPARE(d.employees().blockContent(1) + d.payslips().blockContent(1), L("c|p"));
        QCOMPARE(Dossier::alteredMessage(), QStringLiteral("Des fichiers ont été altérés\r\nVérifiez s'il n'y a pas eu perte de données"));
        QVERIFY(d.Sauve(f.path("paie.emp")));
        QCOMPARE(fileBytes(f.path("paie.Prl")), text::encode1252(text::joinLines(blk(0, L("x")) + blk(1, L("y")))));
        Dossier again;
        QVERIFY(!again.Charge(f.path("paie.emp")).alteredMessageDue() && !again.TestModif());
    }

    void sideFilesFoundAndReplacedWhateverTheCase()
    {
        // The dossier file too: "paie.Emp" is opened and saved as "paie.emp" by the frame.
        Folder f({{"paie.Emp", "<BLOC0000>\r\na\r\n</BLOC0000>\r\n"},
                  {"paie.PRL", "<BLOC0000>\r\nprofil\r\n</BLOC0000>\r\n"},
                  {"paie.pai", "<BLOC0000>\r\nbulletin\r\n</BLOC0000>\r\n"}});
        Dossier d;
        QVERIFY(d.Charge(f.path("paie.emp")).ok);
        QCOMPARE(d.profiles().blockContent(0) + d.payslips().blockContent(0), L("profil|bulletin"));
        d.profiles().writeBlock(0, L("changé"), Collection::Placement::AtEnd);
        d.SetSauve();
        QVERIFY(d.Sauve(f.path("paie.emp")));
        // The existing files were replaced, no second file beside them but their previous versions.
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"paie.Emp", "paie.Emp.bak", "paie.PRL", "paie.PRL.bak", "paie.pai", "paie.pai.bak"}));
        QCOMPARE(d.fileName(), f.path("paie.Emp"));
        QCOMPARE(fileBytes(f.path("paie.PRL")), QByteArray("<BLOC0000>\r\nchang\xe9\r\n</BLOC0000>\r\n"));
        // A side file gone: its collection is emptied, not kept from before.
        QVERIFY(QFile::remove(f.path("paie.pai")));
        const Dossier::LoadReport r = d.Charge(f.path("paie.emp"));
        QVERIFY(r.ok && r.payslips.file.isMissing() && !r.alteredMessageDue());
        QVERIFY(d.payslips().count() == 0 && d.payslips().lines().isEmpty());
    }

    void refusedSaveChangesNoFileAndTheRetryLandsOnce()
    {
        // The payslip file cannot be replaced (a folder holding a file stands in its place):
        // the dossier and profile files stay byte for byte what they were, nothing is left
        // beside them, and once the way is clear the same save lands, keeping each file's
        // previous version as NAME.bak. A save under another name that fails (its folder is
        // missing; the other ways a file cannot be written are the text tests' rows) leaves the
        // dossier its name and its lines.
        Folder f;
        Dossier d;
        d.employees().setLines(blk(0, L("10001|cumul 100")));
        d.profiles().setLines(blk(0, L("profil")));
        d.payslips().setLines(blk(0, L("200301001")));
        d.SetSauve();
        QVERIFY(d.Sauve(f.path("paie.emp")));
        const QByteArray before[3] = {fileBytes(f.path("paie.emp")), fileBytes(f.path("paie.Prl")), fileBytes(f.path("paie.Pai"))};
        QVERIFY(QFile::remove(f.path("paie.Pai")));
        QVERIFY(QDir(f.dir.path()).mkpath("paie.Pai/dedans"));
        d.employees().writeBlock(0, L("10001|cumul 200"), Collection::Placement::InPlace);
        d.profiles().writeBlock(0, L("profil modifié"), Collection::Placement::InPlace);
        d.payslips().writeBlock(0, L("200301001|Y"), Collection::Placement::InPlace);
        d.SetSauve();
        const Status refused = d.Sauve(f.path("paie.emp"));
        QCOMPARE(refused.kind(), Status::Kind::Refused);
        QCOMPARE(refused.message(), "Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(f.path("paie.Pai")));
        QVERIFY(d.TestModif());
        const QStringList lines = d.employees().lines();
        const Status elsewhere = d.Sauve(f.path("absent/paie.emp"));
        QCOMPARE(elsewhere.message(), "Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(f.path("absent/paie.emp")));
        QVERIFY(d.TestModif() && d.fileName() == f.path("paie.emp") && d.employees().lines() == lines);
        QCOMPARE(fileBytes(f.path("paie.emp")), before[0]);
        QCOMPARE(fileBytes(f.path("paie.Prl")), before[1]);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"paie.Prl", "paie.emp"}));

        QVERIFY(QDir(f.path("paie.Pai")).removeRecursively());
        QVERIFY(d.Sauve(f.path("paie.emp")) && !d.TestModif());
        QCOMPARE(fileBytes(f.path("paie.emp.bak")), before[0]);
        QCOMPARE(fileBytes(f.path("paie.Prl.bak")), before[1]);
        QVERIFY(!QFile::exists(f.path("paie.Pai.bak"))); // there was no payslip file before
        Dossier back;
        QVERIFY(back.Charge(f.path("paie.emp")).ok);
        QCOMPARE(back.employees().blockContent(0), L("10001|cumul 200"));
        QCOMPARE(back.payslips().blockContent(0), L("200301001|Y"));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"paie.Pai", "paie.Prl", "paie.Prl.bak", "paie.emp", "paie.emp.bak"}));
    }

    void loadFailureLeavesTheOpenDossier()
    {
        // A side file that exists but cannot be read (here a folder): nothing is replaced.
        Folder f({{"paie.emp", "<BLOC0000>\r\n10001\r\n</BLOC0000>\r\n"}, {"bon.emp", "<BLOC0000>\r\nedited\r\n</BLOC0000>\r\n"}});
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("paie.Pai")));
        Dossier d;
        QVERIFY(d.Charge(f.path("bon.emp")).ok);
        Dossier::LoadReport r = d.Charge(f.path("paie.emp"));
        QVERIFY(!r.ok);
        QCOMPARE(r.errorMessage(), "Impossible de lire le fichier " + QDir::toNativeSeparators(f.path("paie.Pai")));
        QVERIFY(d.employees().blockContent(0) == L("edited") && d.fileName() == f.path("bon.emp"));
        // A missing dossier file: the name is emptied, the collections stay.
        r = d.Charge(f.path("absent.emp"));
        QVERIFY(!r.ok && r.failure.isMissing() && d.fileName().isEmpty());
        QCOMPARE(d.employees().blockContent(0), L("edited"));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
