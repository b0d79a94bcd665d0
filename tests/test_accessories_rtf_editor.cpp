// The rules of the letter editor: questions, new document, open and save, ruler.
#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"
#include "accessories/texteditor.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

namespace {

// Answers from queues and records what was asked.
class FakeHost : public TextEditor::Host
{
public:
    QList<TextEditor::Answer> answers;
    QStringList files;     // answers of the open chooser, in order
    QStringList saveFiles; // and of the save chooser
    QStringList questions; // and what was asked
    QStringList messages;
    QStringList proposed;
    richdoc::Document shown = richdoc::fromLines({QStringLiteral("tapé")});

    TextEditor::Answer askYesNoCancel(const QString &q) override
    {
        questions.append(q);
        return answers.isEmpty() ? TextEditor::Answer::Annuler : answers.takeFirst();
    }
    void message(const QString &text) override { messages.append(text); }
    QString chooseOpenFile(const QString &) override { return files.isEmpty() ? QString() : files.takeFirst(); }
    QString chooseSaveFile(const QString &, const QString &p) override
    {
        proposed.append(p);
        return saveFiles.isEmpty() ? QString() : saveFiles.takeFirst();
    }
    richdoc::Document document() const override { return shown; }
    void showDocument(const richdoc::Document &doc) override { shown = doc; }
};

const QStringList kLetterhead{"SARL Dupré", "12 rue des Lilas", "75011 PARIS", "01 23 45 67 89",
                              "Siret 123", "APE 4711", "ligne 7"};

} // namespace

class TestTextEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newDocumentStartsWithIdentityLines();
    void questionNamesTheFile();
    void changesAreAskedAbout_data();
    void changesAreAskedAbout();
    void saveOnlyWhenChanged();
    void saveThenCloseAsksNothing();
    void saveFailureKeepsChanges();
    void openReplacesDocument();
    void unreadableFileKeepsDocument();
    void rulerMarkers_data();
    void rulerMarkers();
};

void TestTextEditor::newDocumentStartsWithIdentityLines()
{
    TextEditor editor(kLetterhead);
    FakeHost host;
    QVERIFY(editor.newDocument(host));
    QCOMPARE(host.shown.plainText(), QStringLiteral("SARL Dupré\n12 rue des Lilas\n75011 PARIS\n01 23 45 67 89\n"));
    QCOMPARE(host.shown.paragraphs[0].runs[0].font, QStringLiteral("Times New Roman"));
    QCOMPARE(host.shown.paragraphs[0].runs[0].size, 10.0);
    QVERIFY(!editor.isModified());
    QVERIFY(host.questions.isEmpty());

    // A short or empty letterhead still gives four lines.
    TextEditor bare(QStringList{"Seule"});
    QVERIFY(bare.newDocument(host));
    QCOMPARE(host.shown.plainText(), QStringLiteral("Seule\n\n\n\n"));
}

void TestTextEditor::questionNamesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lettre.rtf");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 a}");
    f.close();
    TextEditor editor(kLetterhead);
    QCOMPARE(editor.saveQuestion(), QStringLiteral("Enregistrer changements dans  ?"));
    FakeHost host;
    QVERIFY(editor.load(host, path));
    QCOMPARE(editor.saveQuestion(), QStringLiteral("Enregistrer changements dans lettre.rtf ?"));
}

void TestTextEditor::changesAreAskedAbout_data()
{
    QTest::addColumn<int>("command"); // 0 new document, 1 close, 2 open
    QTest::addColumn<QList<TextEditor::Answer>>("answers");
    QTest::addColumn<bool>("chooseSaveName");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("saved");
    using A = TextEditor::Answer;
    for (int command : {0, 1, 2}) {
        QTest::addRow("%d oui", command) << command << QList<A>{A::Oui} << true << true << true;
        QTest::addRow("%d oui, save cancelled", command) << command << QList<A>{A::Oui} << false << false << false;
        QTest::addRow("%d non", command) << command << QList<A>{A::Non} << false << true << false;
        QTest::addRow("%d annuler", command) << command << QList<A>{A::Annuler} << false << false << false;
    }
}

void TestTextEditor::changesAreAskedAbout()
{
    QFETCH(int, command);
    QFETCH(QList<TextEditor::Answer>, answers);
    QFETCH(bool, chooseSaveName);
    QFETCH(bool, goesOn);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString target = dir.filePath("sortie");
    const QString other = dir.filePath("autre.rtf");
    QFile f(other);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 autre\\par}");
    f.close();

    TextEditor editor(kLetterhead);
    FakeHost host;
    host.answers = answers;
    if (chooseSaveName)
        host.saveFiles.append(target);
    if (command == 2)
        host.files.append(other);
    editor.setModified(true);
    bool result = false;
    if (command == 0)
        result = editor.newDocument(host);
    else if (command == 1)
        result = editor.canClose(host);
    else
        result = editor.open(host);
    QCOMPARE(host.questions, QStringList{"Enregistrer changements dans  ?"});
    QCOMPARE(result, goesOn);
    // A yes saves under the chosen name, with the default extension added.
    QCOMPARE(QFile::exists(target + ".rtf"), saved);
    if (saved) {
        richdoc::Document written;
        QFile out(target + ".rtf");
        QVERIFY(out.open(QIODevice::ReadOnly));
        QVERIFY(rtf::readDocument(out.readAll(), written));
        QCOMPARE(written.plainText(), QStringLiteral("tapé"));
    }
    if (!goesOn) {
        // Nothing was lost: the text is still there and still counts as changed.
        QCOMPARE(host.shown.plainText(), QStringLiteral("tapé"));
        QVERIFY(editor.isModified());
    } else if (command == 0) {
        QVERIFY(host.shown.plainText().startsWith("SARL Dupré\n"));
    } else if (command == 2) {
        QCOMPARE(host.shown.plainText(), QStringLiteral("autre"));
        QCOMPARE(editor.fileName(), other);
    }
}

void TestTextEditor::saveOnlyWhenChanged()
{
    TextEditor editor(kLetterhead);
    FakeHost host;
    QVERIFY(editor.save(host));
    QVERIFY(host.proposed.isEmpty());
    QVERIFY(editor.canClose(host));
    QVERIFY(host.questions.isEmpty());
}

void TestTextEditor::saveThenCloseAsksNothing()
{
    QTemporaryDir dir;
    TextEditor editor(kLetterhead);
    FakeHost host;
    editor.setModified(true);
    host.saveFiles = {dir.filePath("a.rtf"), dir.filePath("b.rtf")};
    QVERIFY(editor.save(host));
    QCOMPARE(host.proposed, QStringList{QString()});
    QCOMPARE(editor.fileName(), dir.filePath("a.rtf"));
    QVERIFY(!editor.isModified());
    QVERIFY(editor.canClose(host));
    QVERIFY(host.questions.isEmpty());
    // The next save proposes the current name.
    editor.setModified(true);
    QVERIFY(editor.save(host));
    QCOMPARE(host.proposed.last(), dir.filePath("a.rtf"));
    QCOMPARE(editor.fileName(), dir.filePath("b.rtf"));
}

void TestTextEditor::saveFailureKeepsChanges()
{
    TextEditor editor(kLetterhead);
    FakeHost host;
    editor.setModified(true);
    host.saveFiles = {QStringLiteral("/dossier/inexistant/lettre.rtf")};
    QVERIFY(!editor.save(host));
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0], "Impossible d'enregistrer le fichier "
                                   + QDir::toNativeSeparators(QStringLiteral("/dossier/inexistant/lettre.rtf")));
    QVERIFY(editor.isModified());
    QCOMPARE(editor.fileName(), QString());
}

void TestTextEditor::openReplacesDocument()
{
    QTemporaryDir dir;
    richdoc::Document doc = richdoc::fromLines({"Première", "Seconde"});
    doc.paragraphs[1].alignment = richdoc::Alignment::Center;
    QFile f(dir.filePath("l.rtf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(rtf::writeDocument(doc));
    f.close();
    TextEditor editor(kLetterhead);
    FakeHost host;
    host.files = {dir.filePath("l.rtf")};
    QVERIFY(editor.open(host));
    QVERIFY(host.shown == doc);
    QVERIFY(!editor.isModified());
    QVERIFY(host.questions.isEmpty());
    // New document keeps the file name.
    QVERIFY(editor.newDocument(host));
    QCOMPARE(editor.fileName(), dir.filePath("l.rtf"));
}

void TestTextEditor::unreadableFileKeepsDocument()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("faux.rtf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Ceci n'est pas du RTF");
    f.close();
    TextEditor editor(kLetterhead);
    FakeHost host;
    const richdoc::Document before = host.shown;
    host.files = {dir.filePath("faux.rtf"), dir.filePath("absent.rtf")};
    QVERIFY(!editor.open(host));
    QVERIFY(!editor.open(host));
    QCOMPARE(host.messages.size(), 2);
    QCOMPARE(host.messages[0], "Impossible de lire le fichier " + QDir::toNativeSeparators(dir.filePath("faux.rtf")));
    QCOMPARE(host.messages[1], "Impossible de lire le fichier " + QDir::toNativeSeparators(dir.filePath("absent.rtf")));
    QVERIFY(host.shown == before);
    QCOMPARE(editor.fileName(), QString());
}

void TestTextEditor::rulerMarkers_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<QList<int>>("positions"); // first, left, right markers on a 600-pixel ruler
    QTest::newRow("no indents") << 0 << 0 << 0 << QList<int>{2, 2, 586};
    QTest::newRow("first line in") << 36 << 0 << 0 << QList<int>{50, 50, 586};
    QTest::newRow("hanging") << 0 << 20 << 0 << QList<int>{2, 28, 586};
    QTest::newRow("right indent, whole parts") << 10 << 5 << 10 << QList<int>{15, 22, 573};
}

void TestTextEditor::rulerMarkers()
{
    QFETCH(int, first);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(QList<int>, positions);
    const int width = 600;
    const QList<int> got{TextEditor::firstMarkerX(first), TextEditor::leftMarkerX(first, left),
                         TextEditor::rightMarkerX(width, right)};
    QCOMPARE(got, positions);
    // Letting markers go where they stand, held at their middle, gives the indents back.
    const int grab = 4;
    QVERIFY(qAbs(TextEditor::firstIndentAt(got[0], grab) - first) <= 1);
    QVERIFY(qAbs(TextEditor::leftIndentAt(got[1], grab, first) - left) <= 1);
    QVERIFY(qAbs(TextEditor::rightIndentAt(width, got[2], grab) - right) <= 1);
    // Release formulas.
    QCOMPARE(TextEditor::firstIndentAt(100, 4), 73);
    QCOMPARE(TextEditor::leftIndentAt(100, 4, 30), 43);
    QCOMPARE(TextEditor::rightIndentAt(600, 500, 4), 64);
}

QTEST_GUILESS_MAIN(TestTextEditor)
#include "test_accessories_rtf_editor.moc"
