// The rules of the letter editor: questions, new document, open and save, ruler.
#include "accessories/rtfreader.h"
#include "accessories/rtfwriter.h"
#include "accessories/texteditor.h"
#include "fakedialogs.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

namespace {

// The editing area: what the editor shows, and what the user typed.
class FakeView : public TextEditor::View
{
public:
    richdoc::Document shown = richdoc::fromLines({QStringLiteral("tapé")});
    richdoc::Document document() const override { return shown; }
    void showDocument(const richdoc::Document &doc) override { shown = doc; }
};

// Scripted dialogs that also note whether the save chooser was to ask before replacing a file.
struct EditorDialogs : FakeDialogs
{
    bool chooserConfirmsOverwrite = false;
    QString saveFile(const QString &filter, const QString &proposed, const QString &suffix, bool confirm,
                     const QString &title) override
    {
        chooserConfirmsOverwrite = chooserConfirmsOverwrite || confirm;
        return FakeDialogs::saveFile(filter, proposed, suffix, confirm, title);
    }
};

// An editor over a scripted view and scripted dialogs.
struct Editor
{
    EditorDialogs dialogs;
    FakeView view;
    TextEditor editor;
    explicit Editor(const QStringList &letterhead) : editor(letterhead, dialogs, view) {}
    QStringList questions() const
    {
        QStringList out;
        for (const QString &l : dialogs.log)
            if (l.startsWith(QLatin1String("ask: ")))
                out << l.mid(5);
        return out;
    }
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
    void replacingAFileIsAskedOnce_data();
    void replacingAFileIsAskedOnce();
    void saveFailureKeepsChanges();
    void openReplacesDocument();
    void unreadableFileKeepsDocument();
    void rulerMarkers_data();
    void rulerMarkers();
};

void TestTextEditor::newDocumentStartsWithIdentityLines()
{
    Editor e(kLetterhead);
    QVERIFY(e.editor.newDocument());
    QCOMPARE(e.view.shown.plainText(), QStringLiteral("SARL Dupré\n12 rue des Lilas\n75011 PARIS\n01 23 45 67 89\n"));
    QCOMPARE(e.view.shown.paragraphs[0].runs[0].font, QStringLiteral("Times New Roman"));
    QCOMPARE(e.view.shown.paragraphs[0].runs[0].size, 10.0);
    QVERIFY(!e.editor.isModified());
    QVERIFY(e.questions().isEmpty());

    // A short or empty letterhead still gives four lines.
    Editor bare(QStringList{"Seule"});
    QVERIFY(bare.editor.newDocument());
    QCOMPARE(bare.view.shown.plainText(), QStringLiteral("Seule\n\n\n\n"));
}

void TestTextEditor::questionNamesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lettre.rtf");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 a}");
    f.close();
    Editor e(kLetterhead);
    e.editor.setModified(true);
    e.dialogs.answers << Dialogs::Answer::Annuler;
    QVERIFY(!e.editor.canClose());
    QCOMPARE(e.questions(), QStringList{"Enregistrer changements dans  ?"});
    QVERIFY(e.editor.load(path));
    e.editor.setModified(true);
    e.dialogs.answers << Dialogs::Answer::Annuler;
    QVERIFY(!e.editor.canClose());
    QCOMPARE(e.questions().last(), QStringLiteral("Enregistrer changements dans lettre.rtf ?"));
}

void TestTextEditor::changesAreAskedAbout_data()
{
    QTest::addColumn<int>("command"); // 0 new document, 1 close, 2 open
    QTest::addColumn<QList<Dialogs::Answer>>("answers");
    QTest::addColumn<bool>("chooseSaveName");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("saved");
    using A = Dialogs::Answer;
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
    QFETCH(QList<Dialogs::Answer>, answers);
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

    Editor e(kLetterhead);
    e.dialogs.answers = answers;
    // The save chooser comes first when Oui is answered; "" cancels it.
    if (answers.first() == Dialogs::Answer::Oui)
        e.dialogs.files.append(chooseSaveName ? target : QString());
    if (command == 2 && goesOn)
        e.dialogs.files.append(other);
    e.editor.setModified(true);
    bool result = false;
    if (command == 0)
        result = e.editor.newDocument();
    else if (command == 1)
        result = e.editor.canClose();
    else
        result = e.editor.open();
    QCOMPARE(e.questions(), QStringList{"Enregistrer changements dans  ?"});
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
        QCOMPARE(e.view.shown.plainText(), QStringLiteral("tapé"));
        QVERIFY(e.editor.isModified());
    } else if (command == 0) {
        QVERIFY(e.view.shown.plainText().startsWith("SARL Dupré\n"));
    } else if (command == 2) {
        QCOMPARE(e.view.shown.plainText(), QStringLiteral("autre"));
        QCOMPARE(e.editor.fileName(), other);
    }
}

void TestTextEditor::saveOnlyWhenChanged()
{
    Editor e(kLetterhead);
    QVERIFY(e.editor.save());
    QVERIFY(e.editor.canClose());
    QVERIFY(e.dialogs.log.isEmpty());
}

void TestTextEditor::saveThenCloseAsksNothing()
{
    QTemporaryDir dir;
    Editor e(kLetterhead);
    e.editor.setModified(true);
    e.dialogs.files = {dir.filePath("a.rtf"), dir.filePath("b.rtf")};
    QVERIFY(e.editor.save());
    const QString save = QStringLiteral("save: ") + TextEditor::kFilter + QStringLiteral(" ");
    QCOMPARE(e.dialogs.log, QStringList{save});
    QCOMPARE(e.editor.fileName(), dir.filePath("a.rtf"));
    QVERIFY(!e.editor.isModified());
    QVERIFY(e.editor.canClose());
    QVERIFY(e.questions().isEmpty());
    // The next save proposes the current name.
    e.editor.setModified(true);
    QVERIFY(e.editor.save());
    QCOMPARE(e.dialogs.log.last(), save + dir.filePath("a.rtf"));
    QCOMPARE(e.editor.fileName(), dir.filePath("b.rtf"));
}

void TestTextEditor::replacingAFileIsAskedOnce_data()
{
    QTest::addColumn<bool>("current");
    QTest::addColumn<QList<Dialogs::Answer>>("answers");
    QTest::addColumn<bool>("written");
    using A = Dialogs::Answer;
    QTest::newRow("the current file, no question") << true << QList<A>{} << true;
    QTest::newRow("another file, replaced") << false << QList<A>{A::Ok} << true;
    QTest::newRow("another file, kept") << false << QList<A>{A::Annuler} << false;
}

void TestTextEditor::replacingAFileIsAskedOnce()
{
    QFETCH(bool, current);
    QFETCH(QList<Dialogs::Answer>, answers);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString first = dir.filePath("lettre.rtf");
    const QString other = dir.filePath("autre.rtf");
    QFile f(other);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 autre\\par}");
    f.close();
    Editor e(kLetterhead);
    e.editor.setModified(true);
    e.dialogs.files = {first};
    QVERIFY(e.editor.save());
    e.editor.setModified(true);
    e.dialogs.files = {current ? first : other};
    e.dialogs.answers = answers;
    QCOMPARE(e.editor.save(), written);
    // The chooser never asks on its own: the question, when there is one, is the editor's.
    QVERIFY(!e.dialogs.chooserConfirmsOverwrite);
    QCOMPARE(e.questions(), answers.isEmpty() ? QStringList() : QStringList{"Ce fichier existe déjà"});
    QCOMPARE(e.editor.fileName(), written ? (current ? first : other) : first);
    QCOMPARE(e.editor.isModified(), !written);
    QCOMPARE(fileBytes(other).contains("autre"), current || !written);
}

void TestTextEditor::saveFailureKeepsChanges()
{
    Editor e(kLetterhead);
    e.editor.setModified(true);
    e.dialogs.files = {QStringLiteral("/dossier/inexistant/lettre.rtf")};
    QVERIFY(!e.editor.save());
    QCOMPARE(e.dialogs.messages(), QStringList{"Impossible d'enregistrer le fichier "
                                               + QDir::toNativeSeparators(QStringLiteral("/dossier/inexistant/lettre.rtf"))});
    QVERIFY(e.editor.isModified());
    QCOMPARE(e.editor.fileName(), QString());
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
    Editor e(kLetterhead);
    e.dialogs.files = {dir.filePath("l.rtf")};
    QVERIFY(e.editor.open());
    QVERIFY(e.view.shown == doc);
    QVERIFY(!e.editor.isModified());
    QVERIFY(e.questions().isEmpty());
    // New document keeps the file name.
    QVERIFY(e.editor.newDocument());
    QCOMPARE(e.editor.fileName(), dir.filePath("l.rtf"));
}

void TestTextEditor::unreadableFileKeepsDocument()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("faux.rtf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Ceci n'est pas du RTF");
    f.close();
    Editor e(kLetterhead);
    const richdoc::Document before = e.view.shown;
    e.dialogs.files = {dir.filePath("faux.rtf"), dir.filePath("absent.rtf")};
    QVERIFY(!e.editor.open());
    QVERIFY(!e.editor.open());
    QCOMPARE(e.dialogs.messages(),
             (QStringList{"Impossible de lire le fichier " + QDir::toNativeSeparators(dir.filePath("faux.rtf")),
                          "Impossible de lire le fichier " + QDir::toNativeSeparators(dir.filePath("absent.rtf"))}));
    QVERIFY(e.view.shown == before);
    QCOMPARE(e.editor.fileName(), QString());
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
