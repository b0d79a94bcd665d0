// The accessories' windows, the letter editor's included: keys, focus, messages and files,
// typed as a person would.
#include "ui/blocnotes.h"
#include "ui/calendrier.h"
#include "ui/eurof.h"
#include "ui/fichemsg.h"
#include "ui/horloge.h"
#include "ui/pocket.h"
#include "ui/texte.h"
#include "fakeclock.h"
#include "fakedialogs.h"
#include "testsupport.h"
#include "ui/typing.h"

#include <QPrinter>
#include <QtWidgets>

namespace {

using typing::child;
using typing::MessageBoxWatcher;
using typing::press;

// The window over scripted dialogs, printing to a PDF file.
struct ScriptedTexte : FakeDialogs, TTexte
{
    QString pdf;
    explicit ScriptedTexte(const QStringList &letterhead = {}) : TTexte(letterhead, nullptr, this) {}
    bool choosePrinter(QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    bool checked(const char *action) const { return findChild<QAction *>(QLatin1String(action))->isChecked(); }
    void trigger(const char *action) { findChild<QAction *>(QLatin1String(action))->trigger(); }
};

} // namespace

class TestAccessoriesUi : public QObject
{
    Q_OBJECT

    FakeClock m_clock;

private Q_SLOTS:
    void init() { Clock::setInstance(&(m_clock = FakeClock())); }
    void cleanup() { Clock::setInstance(nullptr); }

    void calculatorKeysFocusOrMessageWrong()
    {
        Calculator model;
        TPocket pocket(model);
        typing::showActive(pocket);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(pocket, "button="));
        auto *display = child<QLineEdit>(pocket, "display");
        // Letters of the keypad and the dot are keys; other keys, and keys held with Ctrl or Alt, are not.
        typing::keys(QApplication::focusWidget(), QStringLiteral("4a +1.44s"));
        press(Qt::Key_C, Qt::ControlModifier);
        press(Qt::Key_5, Qt::AltModifier);
        QCOMPARE(display->text(), QStringLiteral("1,2"));
        // "c" gives the focus back to "=", as "C" does.
        child<QPushButton>(pocket, "button7")->setFocus();
        typing::keys(QApplication::focusWidget(), QStringLiteral("c"));
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(pocket, "button="));
        // The longest result is shown whole.
        typing::keys(QApplication::focusWidget(), QStringLiteral("0-70000=x"));
        QVERIFY(display->fontMetrics().horizontalAdvance(display->text()) < display->width() - 8);
        // The clicked button has the focus; Enter still means "=".
        for (const char *caption : {"buttonC", "button7", "button/", "button2"})
            QTest::mouseClick(child<QPushButton>(pocket, caption), Qt::LeftButton);
        press(Qt::Key_Return);
        QTest::mouseClick(child<QPushButton>(pocket, "button1/x"), Qt::LeftButton);
        QCOMPARE(display->text(), QStringLiteral("0,285714285714286"));
        MessageBoxWatcher watcher;
        typing::keys(QApplication::focusWidget(), QStringLiteral("c5/0="));
        QCOMPARE(watcher.texts, QStringList{QStringLiteral("Opération impossible")});
        // Every opening starts from cleared registers.
        typing::keys(&pocket, QStringLiteral("6*"));
        pocket.hide();
        typing::showActive(pocket);
        QVERIFY(!model.hasAccumulator() && model.pendingOperator().isNull() && display->text().isEmpty());
        press(Qt::Key_Escape);
        QVERIFY(!pocket.isVisible());
    }

    void euroKeysOrButtonsLost()
    {
        TEurof euro;
        typing::showActive(euro);
        auto *input = child<QLineEdit>(euro, "input");
        auto *result = child<QLineEdit>(euro, "result");
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(euro, "button="));
        typing::keys(QApplication::focusWidget(), QStringLiteral("1x-0\b0"));
        press(Qt::Key_5, Qt::ControlModifier);
        press(Qt::Key_5, Qt::AltModifier);
        press(Qt::Key_Enter);
        QCOMPARE(input->text() + u' ' + result->text(), QStringLiteral("100 15,24"));
        child<QRadioButton>(euro, "euroFr")->click();
        typing::keys(QApplication::focusWidget(), QStringLiteral("15.24"));
        press(Qt::Key_Return);
        QCOMPARE(result->text(), QStringLiteral("100"));
        QTest::mouseClick(child<QPushButton>(euro, "button5"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(euro, "button="), Qt::LeftButton);
        child<QToolButton>(euro, "rateUp")->click();
        child<QToolButton>(euro, "rateDown")->click();
        child<QToolButton>(euro, "rateDown")->click();
        QCOMPARE(input->text() + u' ' + result->text() + u' ' + child<QLineEdit>(euro, "rate")->text(), QStringLiteral("5 32,8 6,55956"));
        press(Qt::Key_Escape);
        QVERIFY(!euro.isVisible());
    }

    // The clock follows the computer's; Set stops it, the chosen part spins, and a date that
    // cannot be set is said.
    void clockNotSetOrNotFollowed()
    {
        THorloge clock;
        typing::showActive(clock);
        m_clock.moment = m_clock.moment.addSecs(1);
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(clock, "time")->text(), QStringLiteral("18:23:01"), 3000);
        auto *set = child<QPushButton>(clock, "buttonSet");
        set->click();
        QVERIFY(!clock.ticking());
        child<QListWidget>(clock, "parts")->setCurrentRow(2); // day
        for (int i = 0; i < 20; ++i)
            child<QToolButton>(clock, "spinDown")->click();
        QCOMPARE(child<QLabel>(clock, "date")->text(), QStringLiteral("00/10/1998"));
        MessageBoxWatcher watcher;
        set->click();
        QCOMPARE(watcher.texts, QStringList{QStringLiteral("Impossible de régler l'horloge du système")});
        QVERIFY(m_clock.setTimes.isEmpty());
        QTest::keyClick(&clock, Qt::Key_Escape);
        QVERIFY(!clock.isVisible());
    }

    void calendarKeysOrClicksLost()
    {
        m_clock.moment = QDateTime(QDate(2024, 1, 31), QTime(9, 0));
        TCalendrier calendar;
        typing::showActive(calendar);
        auto *grid = child<QTableWidget>(calendar, "grid");
        QCOMPARE(QPoint(grid->currentColumn(), grid->currentRow()), QPoint(3, 4)); // a Wednesday, fifth week
        press(Qt::Key_PageDown);
        QCOMPARE(child<QLabel>(calendar, "title")->text() + u' ' + grid->currentItem()->text(), QStringLiteral("février  2024 29"));
        // Arrows stay in the month; Home and End would leave the grid's cursor on an empty cell.
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Left, Qt::Key_Home, Qt::Key_End})
            press(key);
        QCOMPARE(grid->currentItem()->text(), QStringLiteral("21"));
        press(Qt::Key_PageUp);
        child<QPushButton>(calendar, "nextMonth")->click();
        QCOMPARE(calendar.model().selected(), QDate(2024, 2, 21));
        // A click on a day selects it (4 February 2024 is a Sunday); a click on an empty cell does nothing.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 0)).center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
        QCOMPARE(calendar.model().selected(), QDate(2024, 2, 4));
        QCOMPARE(QPoint(grid->currentColumn(), grid->currentRow()), QPoint(0, 1));
        press(Qt::Key_Escape);
        QVERIFY(!calendar.isVisible());
    }

    // Typed text reaches the file in Windows-1252 (every byte of it is the notepad's core test);
    // what the file cannot hold is not typed; an unchanged note is not written; a failed write
    // asks before closing.
    void notepadTextLostOrClosedWrongly()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Korvel.nte"));
        FakeDialogs dialogs;
        {
            TBlocNotes notes(dir.path(), nullptr, &dialogs);
            typing::showActive(notes);
            press(Qt::Key_Escape);
        }
        QVERIFY(!QFile::exists(file));
        writeBytes(file, "Premi\xe8re ligne\r\n");
        TBlocNotes notes(dir.path(), nullptr, &dialogs);
        typing::showActive(notes);
        auto *text = child<QPlainTextEdit>(notes, "text");
        QCOMPARE(QApplication::focusWidget(), text);
        QCOMPARE(text->toPlainText(), QStringLiteral("Première ligne"));
        text->moveCursor(QTextCursor::End);
        typing::keys(QApplication::focusWidget(), QStringLiteral("\n€Ÿ≠😀"));
        press(Qt::Key_Escape);
        QCOMPARE(fileBytes(file), "Premi\xe8re ligne\r\n\x80\x9f\r\n");
        // A folder where the file should be: the note cannot be written, whoever runs the test.
        QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        dialogs.answers = {Dialogs::Answer::Non, Dialogs::Answer::Oui};
        typing::showActive(notes);
        typing::keys(QApplication::focusWidget(), QStringLiteral("x"));
        child<QPushButton>(notes, "buttonFermer")->click();
        QVERIFY(notes.isVisible());
        child<QPushButton>(notes, "buttonFermer")->click();
        QVERIFY(!notes.isVisible());
        const QString question = "ask: Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(file) + "\nFermer sans enregistrer ?";
        QCOMPARE(dialogs.log, (QStringList{question, question}));
    }

    // A dossier whose name has spaces and two dots keeps its messages in "Paie 2024.oms".
    void messagesPadKeysOrFileWrong()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Paie 2024.oms"));
        writeBytes(file, "A1 \x80\x9f\t\t\t\t\t\t\tFFFFT\r\n");
        TFicheMsg pad(dir.filePath(QStringLiteral("Paie 2024.v2.emp")));
        typing::showActive(pad);
        auto *pour = child<QLineEdit>(pad, "pour");
        const auto shown = [&]() -> QString { return child<QLabel>(pad, "number")->text() + u' ' + pour->text(); };
        QCOMPARE(QApplication::focusWidget(), pour);
        QVERIFY(child<QCheckBox>(pad, "urgent")->isChecked());
        // "+" adds a message; "Date" and "Heure" left empty take the date and time of the moment.
        child<QPushButton>(pad, "buttonAdd")->click();
        typing::keys(QApplication::focusWidget(), QStringLiteral("B2"));
        for (const char *field : {"date", "heure", "objet"})
            child<QLineEdit>(pad, field)->setFocus(Qt::TabFocusReason);
        QCOMPARE(child<QLineEdit>(pad, "date")->text() + u' ' + child<QLineEdit>(pad, "heure")->text(), QStringLiteral("20/10/1998 18:23:00"));
        // Field limits, and what a line cannot hold: a tab, a line end, a character beyond Windows-1252.
        auto *objet = child<QLineEdit>(pad, "objet");
        for (const QString &refused : {QStringLiteral("a\tb"), QStringLiteral("a\nb"), QStringLiteral("≠")})
            objet->insert(refused); // as a paste would
        typing::keys(QApplication::focusWidget(), QStringLiteral("≠Devis ‰"));
        QCOMPARE(objet->text(), QStringLiteral("Devis ‰"));
        child<QLineEdit>(pad, "telephone")->setFocus();
        typing::keys(QApplication::focusWidget(), QStringLiteral("0123456789 0123456789 99"));
        press(Qt::Key_PageUp);
        press(Qt::Key_PageUp);
        QCOMPARE(shown(), QStringLiteral("1 A1 €Ÿ"));
        press(Qt::Key_PageDown);
        press(Qt::Key_PageDown);
        QCOMPARE(shown(), QStringLiteral("2 B2"));
        press(Qt::Key_Escape);
        QCOMPARE(fileBytes(file), QByteArray("A1 \x80\x9f\t\t\t\t\t\t\tFFFFT\r\nB2\t\t\t0123456789 012345678\t20/10/1998\t18:23:00\tDevis \x89\tFFFFF\r\n"));
        // "-" deletes the message shown.
        pad.show();
        child<QPushButton>(pad, "buttonRemove")->click();
        child<QPushButton>(pad, "buttonFermer")->click();
        QCOMPARE(fileBytes(file), QByteArray("A1 \x80\x9f\t\t\t\t\t\t\tFFFFT\r\n"));
    }

    // ---- the letter editor

    // Shortcuts, bullets, 0x80..0x9F characters and the ".rtf" added on saving: the letter read
    // back is the one typed.
    void typedLetterLostOnSave()
    {
        QTemporaryDir dir;
        ScriptedTexte w({"SARL Dupré", "12 rue des Lilas", "75011 PARIS", "01 23 45 67 89"});
        typing::showActive(w);
        QTextEdit *e = w.editor();
        e->setFocus();
        typing::keys(e, "Objet : ");
        QTest::keyClick(e, Qt::Key_G, Qt::ControlModifier);
        typing::keys(e, "relevé");
        QTest::keyClick(e, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_E, Qt::ControlModifier); // centred
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClick(e, Qt::Key_L, Qt::ControlModifier);
        w.trigger("puces");
        typing::keys(e, "premier\nsecond „1 250 €“ ™");
        const richdoc::Document typed = w.document();
        const auto &p = typed.paragraphs;
        QCOMPARE(p.size(), 7);
        QVERIFY(p[4].alignment == richdoc::Alignment::Center && p[5].alignment == richdoc::Alignment::Left && !p[4].runs[0].bold && p[4].runs[1].bold);
        QVERIFY(p[5].bullet && p[6].bullet && !p[4].bullet);
        // A bullet's text stands one bullet's room in: the file and the ruler's left marker say so.
        QCOMPARE(QPoint(p[6].leftIndent, p[6].firstIndent), QPoint(richdoc::kBulletIndent, -richdoc::kBulletIndent));
        QCOMPARE(w.ruler()->markerX(TexteRuler::Left), 22);

        w.files = {dir.filePath("lettre")};
        QTest::keyClick(e, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.model().fileName(), dir.filePath("lettre.rtf"));
        ScriptedTexte other;
        QVERIFY(other.loadFile(dir.filePath("lettre.rtf")) && other.document() == typed && !other.model().isModified());
        // Saved, then closed: no question. Changed again, Escape asks (the question is the
        // editor's test), and "Annuler" keeps it open.
        QVERIFY(w.close());
        w.show();
        typing::keys(e, "x");
        w.answers = {Dialogs::Answer::Annuler};
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible() && w.log.filter("ask: ").size() == 1);
    }

    // The platform's open chooser: "lettre" typed and confirmed; any warning is noted and closed.
    void openChooserLeavesOutTheExtension()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("lettre.rtf"), "{\\rtf1 Bonjour\\par}");
        TTexte w(QStringList{});
        w.show();
        QTimer chooser;
        connect(&chooser, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                box->close(); // "file not found", when the extension is not added
            else if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && dialog->objectName() == "typed")
                dialog->reject();
            else if (dialog) {
                dialog->setObjectName("typed");
                dialog->setDirectory(dir.path());
                dialog->findChild<QLineEdit *>("fileNameEdit")->setText("lettre");
                // Queued, so that a warning it shows finds this watcher free to close it.
                QMetaObject::invokeMethod(dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); }, Qt::QueuedConnection);
            }
        });
        chooser.start(20);
        w.findChild<QAction *>("ouvrir")->trigger();
        QCOMPARE(w.model().fileName(), dir.filePath("lettre.rtf"));
        QCOMPARE(w.editor()->toPlainText(), QStringLiteral("Bonjour"));
    }

    // The strip shows the format at the caret, and its commands act where the caret is.
    void toolStripMisreadsCaret()
    {
        ScriptedTexte w;
        richdoc::Document d = richdoc::fromLines({"normal", "gros gras", "droite"});
        d.paragraphs[1].runs[0] = [&] { auto r = d.paragraphs[1].runs[0]; r.bold = true; r.size = 18; r.font = "Arial"; return r; }();
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
        QVERIFY(w.checked("gras") && w.checked("centre") && !w.checked("gauche"));
        QCOMPARE(QString::number(w.findChild<QSpinBox *>("taille")->value()) + w.findChild<QComboBox *>("police")->currentText(), QStringLiteral("18Arial"));
        QVERIFY(w.document() == d); // showing the state applied nothing
        w.editor()->setTextCursor(QTextCursor(w.editor()->document()->findBlockByNumber(2)));
        QVERIFY(!w.checked("gras") && w.checked("droite") && w.checked("puces"));
        w.trigger("puces");
        QVERIFY(!w.document().paragraphs[2].bullet);
        // A command acts on the selection only: "gros" made italic, " gras" left as it was.
        c = QTextCursor(w.editor()->document()->findBlockByNumber(1));
        c.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
        w.editor()->setTextCursor(c);
        w.trigger("italique");
        const auto runs = w.document().paragraphs[1].runs;
        QVERIFY(runs.size() == 2 && runs[0].italic && runs[0].text == "gros" && !runs[1].italic && runs[1].bold);
    }

    void rulerDragWrongIndents()
    {
        ScriptedTexte w;
        w.resize(600, 400);
        typing::showActive(w);
        TexteRuler *r = w.ruler();
        // First-line marker held at its middle (x 6) and let go at x 54: first indent 36 points.
        QTest::mousePress(r, Qt::LeftButton, {}, QPoint(6, r->height() / 4));
        QTest::mouseMove(r, QPoint(30, r->height() / 4));
        QTest::mouseRelease(r, Qt::LeftButton, {}, QPoint(54, r->height() / 4));
        QCOMPARE(r->markerX(TexteRuler::FirstLine), 50);
        // Right marker moved 40 pixels in: right indent 30 points.
        const QPoint right(r->markerX(TexteRuler::Right) + 4, r->height() - 2);
        QTest::mousePress(r, Qt::LeftButton, {}, right);
        QTest::mouseRelease(r, Qt::LeftButton, {}, right - QPoint(40, 0));
        // Left marker let go 20 pixels on: the other lines 15 points in, the first line where it was.
        const QPoint left(r->markerX(TexteRuler::Left) + 4, r->height() * 3 / 4);
        QTest::mousePress(r, Qt::LeftButton, {}, left);
        QTest::mouseRelease(r, Qt::LeftButton, {}, left + QPoint(20, 0));
        const richdoc::Paragraph p = w.document().paragraphs.last();
        QCOMPARE(QList<int>({p.leftIndent, p.firstIndent, p.rightIndent}), QList<int>({15 * 20, 21 * 20, 30 * 20}));
        // Printing goes to the printer chosen.
        QTemporaryDir dir;
        w.pdf = dir.filePath("lettre.pdf");
        w.trigger("imprimer");
        QVERIFY(fileBytes(w.pdf).startsWith("%PDF"));
    }
};

QTEST_MAIN(TestAccessoriesUi)
#include "test_accessories_ui.moc"
