// The letter editor window, driven from the keyboard and the mouse.
#include "ui/texte.h"
#include "fakedialogs.h"
#include "accessories/rtfreader.h"
#include "testsupport.h"
#include "ui/typing.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QKeyEvent>
#include <QPrinter>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>

namespace {

const QStringList kLetterhead{"SARL Dupré", "12 rue des Lilas", "75011 PARIS", "01 23 45 67 89", "x", "y", "z"};

struct ScriptedDialogs
{
    FakeDialogs dialogs;
    QStringList questions() const
    {
        QStringList out;
        for (const QString &l : dialogs.log)
            if (l.startsWith(QLatin1String("ask: ")))
                out << l.mid(5);
        return out;
    }
};

// The window over scripted dialogs, printing to a PDF file.
class ScriptedTexte : public ScriptedDialogs, public TTexte
{
public:
    explicit ScriptedTexte(const QStringList &letterhead) : TTexte(letterhead, nullptr, &dialogs) {}
    QString pdf;

protected:
    bool choosePrinter(QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
};

// Types text as the keyboard would, accents and symbols included.
void type(QWidget *w, const QString &text)
{
    typing::keys(w, text);
}

QAction *action(TTexte &w, const char *name)
{
    return w.findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TestTexte : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOnLetterhead();
    void typedLetterSurvivesSaveAndReopen();
    void commandsActOnSelection();
    void toolStripFollowsCaret();
    void closeAsksAboutChanges();
    void openAddsTheExtension();
    void rulerDragSetsIndents();
    void copyAndPasteUseClipboard();
    void printsDocument();
};

void TestTexte::opensOnLetterhead()
{
    TTexte w(kLetterhead);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Texte"));
    QCOMPARE(w.editor()->toPlainText(), QStringLiteral("SARL Dupré\n12 rue des Lilas\n75011 PARIS\n01 23 45 67 89\n"));
    // At the opening size no command of the strip is hidden behind its overflow arrow.
    auto *strip = w.findChild<QToolBar *>();
    for (QAction *a : strip->actions())
        QVERIFY2(strip->widgetForAction(a)->isVisible(), qPrintable(a->text()));
    auto *size = w.findChild<QSpinBox *>("taille");
    QCOMPARE(size->value(), 10);
    QCOMPARE(size->minimum(), 4);
    QCOMPARE(size->maximum(), 72);
    QCOMPARE(w.findChild<QComboBox *>("police")->currentText(), QStringLiteral("Times New Roman"));
    QVERIFY(!w.model().isModified());
}

void TestTexte::typedLetterSurvivesSaveAndReopen()
{
    QTemporaryDir dir;
    ScriptedTexte w(kLetterhead);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTextEdit *e = w.editor();
    e->setFocus();
    type(e, "Objet : ");
    QTest::keyClick(e, Qt::Key_G, Qt::ControlModifier);
    type(e, "relevé");
    QTest::keyClick(e, Qt::Key_G, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_E, Qt::ControlModifier); // centred
    QTest::keyClick(e, Qt::Key_Return);
    QTest::keyClick(e, Qt::Key_L, Qt::ControlModifier);
    action(w, "puces")->trigger();
    type(e, "premier");
    QTest::keyClick(e, Qt::Key_Return);
    type(e, "second 1 250 €");
    QVERIFY(w.model().isModified());

    const richdoc::Document typed = w.document();
    const auto &p = typed.paragraphs;
    QCOMPARE(p.size(), 7);
    QCOMPARE(p[4].text(), QStringLiteral("Objet : relevé"));
    QCOMPARE(p[4].alignment, richdoc::Alignment::Center);
    QVERIFY(!p[4].runs[0].bold && p[4].runs[1].bold);
    QVERIFY(p[5].bullet && p[6].bullet && !p[4].bullet);
    // A bullet's text stands one bullet's room in: the file and the ruler's left marker say so.
    QCOMPARE(p[6].leftIndent, richdoc::kBulletIndent);
    QCOMPARE(p[6].firstIndent, -richdoc::kBulletIndent);
    QCOMPARE(w.ruler()->markerX(TexteRuler::Left), TextEditor::leftMarkerX(0, richdoc::kBulletIndent / 20));
    QCOMPARE(p[5].alignment, richdoc::Alignment::Left);

    w.dialogs.files = {dir.filePath("lettre")};
    QTest::keyClick(e, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!w.model().isModified());
    QCOMPARE(w.model().fileName(), dir.filePath("lettre.rtf"));

    ScriptedTexte other(QStringList{});
    QVERIFY(other.loadFile(dir.filePath("lettre.rtf")));
    QVERIFY(other.document() == typed);
    QVERIFY(!other.model().isModified());
    // Saved, then closed: no question.
    w.close();
    QVERIFY(w.questions().isEmpty());
    QVERIFY(!w.isVisible());
}

void TestTexte::commandsActOnSelection()
{
    TTexte w(QStringList{});
    QTextEdit *e = w.editor();
    type(e, "un deux trois");
    QTextCursor c = e->textCursor();
    const int start = c.block().position();
    c.setPosition(start + 3);
    c.setPosition(start + 7, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
    action(w, "italique")->trigger();
    auto *size = w.findChild<QSpinBox *>("taille");
    size->setValue(20);
    const richdoc::Document d = w.document();
    const auto &runs = d.paragraphs[4].runs;
    QCOMPARE(runs.size(), 3);
    QCOMPARE(runs[1].text, QStringLiteral("deux"));
    QVERIFY(runs[1].italic && !runs[0].italic && !runs[2].italic);
    QCOMPARE(runs[1].size, 20.0);
    QCOMPARE(runs[2].size, 10.0);
    // Without a selection the command sets what is typed next.
    e->moveCursor(QTextCursor::End);
    action(w, "souligne")->trigger();
    type(e, " quatre");
    QVERIFY(w.document().paragraphs[4].runs.last().underline);
    QCOMPARE(w.document().paragraphs[4].runs.last().text, QStringLiteral(" quatre"));
}

void TestTexte::toolStripFollowsCaret()
{
    TTexte w(QStringList{});
    richdoc::Document d = richdoc::fromLines({"normal", "gros gras", "droite"});
    d.paragraphs[1].runs[0].bold = true;
    d.paragraphs[1].runs[0].size = 18;
    d.paragraphs[1].runs[0].font = "Arial";
    d.paragraphs[1].alignment = richdoc::Alignment::Center;
    d.paragraphs[2].alignment = richdoc::Alignment::Right;
    d.paragraphs[2].bullet = true;
    TTexte::fromDocument(w.editor()->document(), d);
    // A bullet written without room for it, as older letters were, gets the room it is shown with.
    d.paragraphs[2].leftIndent = richdoc::kBulletIndent;
    d.paragraphs[2].firstIndent = -richdoc::kBulletIndent;
    QTextCursor c(w.editor()->document()->findBlockByNumber(1));
    c.movePosition(QTextCursor::Right);
    w.editor()->setTextCursor(c);
    QVERIFY(action(w, "gras")->isChecked());
    QVERIFY(action(w, "centre")->isChecked() && !action(w, "gauche")->isChecked());
    QCOMPARE(w.findChild<QSpinBox *>("taille")->value(), 18);
    QCOMPARE(w.findChild<QComboBox *>("police")->currentText(), QStringLiteral("Arial"));
    // Showing the state applied nothing.
    QVERIFY(w.document() == d);
    c = QTextCursor(w.editor()->document()->findBlockByNumber(2));
    w.editor()->setTextCursor(c);
    QVERIFY(!action(w, "gras")->isChecked());
    QVERIFY(action(w, "droite")->isChecked());
    QVERIFY(action(w, "puces")->isChecked());
    action(w, "puces")->trigger();
    QVERIFY(!w.document().paragraphs[2].bullet);
}

void TestTexte::closeAsksAboutChanges()
{
    QTemporaryDir dir;
    ScriptedTexte w(kLetterhead);
    w.show();
    type(w.editor(), "x");
    w.dialogs.answers = {Dialogs::Answer::Annuler};
    action(w, "fermer")->trigger();
    QVERIFY(w.isVisible());
    QCOMPARE(w.questions(), QStringList{"Enregistrer changements dans  ?"});
    // Yes with the save dialog cancelled keeps the letter open.
    w.dialogs.answers = {Dialogs::Answer::Oui};
    w.dialogs.files = {QString()};
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.isVisible());
    w.dialogs.answers = {Dialogs::Answer::Oui};
    w.dialogs.files = {dir.filePath("l.rtf")};
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(QFile::exists(dir.filePath("l.rtf")));
    // New document after a change asks, then shows the letterhead.
    w.show();
    type(w.editor(), "y");
    w.dialogs.answers = {Dialogs::Answer::Non};
    action(w, "nouveau")->trigger();
    QCOMPARE(w.questions().last(), QStringLiteral("Enregistrer changements dans l.rtf ?"));
    QVERIFY(w.editor()->toPlainText().startsWith("SARL Dupré\n"));
    QVERIFY(!w.editor()->toPlainText().contains("y"));
}

void TestTexte::openAddsTheExtension()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("lettre.rtf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 Bonjour\\par}");
    f.close();
    TTexte w(QStringList{});
    w.show();
    // The platform's open chooser: "lettre" typed and confirmed; any warning is noted and closed.
    QStringList warnings;
    bool typed = false;
    QTimer chooser;
    connect(&chooser, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            warnings << box->text();
            box->close();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (typed) {
                dialog->reject();
                return;
            }
            typed = true;
            dialog->setDirectory(dir.path());
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText("lettre");
            // Queued, so that a warning it shows finds this watcher free to close it.
            QMetaObject::invokeMethod(dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); }, Qt::QueuedConnection);
        }
    });
    chooser.start(20);
    action(w, "ouvrir")->trigger();
    QCOMPARE(warnings, QStringList());
    QCOMPARE(w.model().fileName(), dir.filePath("lettre.rtf"));
    QCOMPARE(w.editor()->toPlainText(), QStringLiteral("Bonjour"));
}

void TestTexte::rulerDragSetsIndents()
{
    TTexte w(QStringList{});
    w.resize(600, 400);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TexteRuler *r = w.ruler();
    QCOMPARE(r->markerX(TexteRuler::FirstLine), 2);
    QCOMPARE(r->markerX(TexteRuler::Right), r->width() - 6 - 8);
    const int y = r->height() / 4;
    // First-line marker held at its middle (x 6) and let go at x 54: first indent 36 points.
    QTest::mousePress(r, Qt::LeftButton, {}, QPoint(6, y));
    QTest::mouseMove(r, QPoint(30, y));
    QTest::mouseRelease(r, Qt::LeftButton, {}, QPoint(54, y));
    richdoc::Paragraph p = w.document().paragraphs.last();
    // The other lines stay where they were: first line 36 pt in, the rest at 0.
    QCOMPARE(p.leftIndent + p.firstIndent, 36 * 20);
    QCOMPARE(p.leftIndent, 0);
    QCOMPARE(r->markerX(TexteRuler::FirstLine), 50);
    // Right marker moved 40 pixels in: right indent 30 points.
    const int rx = r->markerX(TexteRuler::Right) + 4;
    const int by = r->height() - 2;
    QTest::mousePress(r, Qt::LeftButton, {}, QPoint(rx, by));
    QTest::mouseRelease(r, Qt::LeftButton, {}, QPoint(rx - 40, by));
    QCOMPARE(w.document().paragraphs.last().rightIndent, 30 * 20);
}

void TestTexte::copyAndPasteUseClipboard()
{
    TTexte w(QStringList{});
    type(w.editor(), "abc");
    QApplication::clipboard()->clear();
    QTextCursor c = w.editor()->textCursor();
    c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
    w.editor()->setTextCursor(c);
    action(w, "copier")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("bc"));
    w.editor()->moveCursor(QTextCursor::End);
    action(w, "coller")->trigger();
    QVERIFY(w.editor()->toPlainText().endsWith("abcbc"));
}

void TestTexte::printsDocument()
{
    QTemporaryDir dir;
    ScriptedTexte w(kLetterhead);
    w.pdf = dir.filePath("lettre.pdf");
    action(w, "imprimer")->trigger();
    QFile pdf(w.pdf);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
}

QTEST_MAIN(TestTexte)
#include "test_accessories_texte.moc"
