#include "text/clock.h"
#include "ui/blocnotes.h"
#include "ui/calendrier.h"
#include "ui/eurof.h"
#include "ui/fichemsg.h"
#include "ui/horloge.h"
#include "ui/pocket.h"
#include "fakeclock.h"
#include "testsupport.h"
#include "ui/typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

using typing::showActive;


// Answers the next message box that opens: records its text and presses the button whose
// caption is given, access letter aside (the first button when none is).
class MessageBoxWatcher : public QObject
{
public:
    explicit MessageBoxWatcher(const QString &button = {})
        : m_button(button)
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts.append(box->text());
            QAbstractButton *target = box->buttons().value(0);
            for (QAbstractButton *b : box->buttons())
                if (b->text().remove(u'&') == m_button)
                    target = b;
            if (target)
                target->click();
            else
                box->close();
        });
        m_timer.start();
    }

    QStringList texts;

private:
    QString m_button;
    QTimer m_timer;
};


// Types text where the keyboard focus is, as the user would.
void type(QWidget &window, const QString &keys)
{
    typing::keys(QApplication::focusWidget() ? QApplication::focusWidget() : &window, keys);
}

void press(QWidget &window, Qt::Key key)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    QTest::keyClick(target, key);
}

} // namespace

class TestAccessoriesUi : public QObject
{
    Q_OBJECT

    FakeClock m_clock;

private Q_SLOTS:
    void init()
    {
        m_clock = FakeClock();
        Clock::setInstance(&m_clock);
    }

    void cleanup() { Clock::setInstance(nullptr); }

    void calculatorFromTheKeyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("division") << "7/2=" << "3,5";
        QTest::newRow("dot and letters") << "1.44s" << "1,2";
        QTest::newRow("reciprocal") << "8X" << "0,125";
        QTest::newRow("clear") << "12+3c" << "";
        QTest::newRow("other keys ignored") << "4a b+1=" << "5";
        QTest::newRow("longest result") << "0-70000=x" << "-0,0000142857142857143";
    }

    void calculatorFromTheKeyboard()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        Calculator model;
        TPocket pocket(model);
        showActive(pocket);
        QCOMPARE(pocket.windowTitle(), QStringLiteral("Calculatrice"));
        QCOMPARE(QApplication::focusWidget(), pocket.findChild<QPushButton *>(QStringLiteral("button=")));
        type(pocket, keys);
        auto *shown = pocket.findChild<QLineEdit *>(QStringLiteral("display"));
        QCOMPARE(shown->text(), display);
        // Shown whole: no digit is scrolled out of sight.
        QVERIFY(shown->fontMetrics().horizontalAdvance(display) < shown->width() - 8);
    }

    void calculatorButtonsAndEnter()
    {
        Calculator model;
        TPocket pocket(model);
        showActive(pocket);
        for (const char *caption : {"7", "/", "2"})
            QTest::mouseClick(pocket.findChild<QPushButton *>(QStringLiteral("button") + QLatin1String(caption)),
                              Qt::LeftButton);
        // The clicked button has the focus; Enter still means "=".
        press(pocket, Qt::Key_Return);
        QCOMPARE(pocket.findChild<QLineEdit *>(QStringLiteral("display"))->text(), QStringLiteral("3,5"));
        QTest::mouseClick(pocket.findChild<QPushButton *>(QStringLiteral("button1/x")), Qt::LeftButton);
        QCOMPARE(pocket.findChild<QLineEdit *>(QStringLiteral("display"))->text(), QStringLiteral("0,285714285714286"));
        // "C" gives the focus back to "=".
        QTest::mouseClick(pocket.findChild<QPushButton *>(QStringLiteral("buttonC")), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), pocket.findChild<QPushButton *>(QStringLiteral("button=")));
        press(pocket, Qt::Key_Escape);
        QVERIFY(!pocket.isVisible());
    }

    void calculatorImpossibleOperation()
    {
        Calculator model;
        TPocket pocket(model);
        showActive(pocket);
        MessageBoxWatcher watcher;
        type(pocket, QStringLiteral("5/0="));
        QCOMPARE(watcher.texts, QStringList{QStringLiteral("Opération impossible")});
        // The window stays as it was, registers included: 2 "=" divides the 5 by 2.
        QCOMPARE(pocket.findChild<QLineEdit *>(QStringLiteral("display"))->text(), QStringLiteral("0"));
        type(pocket, QStringLiteral("c"));
        type(pocket, QStringLiteral("5/2="));
        QCOMPARE(pocket.findChild<QLineEdit *>(QStringLiteral("display"))->text(), QStringLiteral("2,5"));
    }

    void calculatorResetOnEveryOpening()
    {
        Calculator model;
        {
            TPocket pocket(model);
            showActive(pocket);
            type(pocket, QStringLiteral("6*"));
        }
        QVERIFY(model.hasAccumulator());
        TPocket again(model);
        showActive(again);
        QVERIFY(!model.hasAccumulator());
        QVERIFY(model.pendingOperator().isNull());
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("display"))->text(), QString());
    }

    void euroConverter()
    {
        TEurof euro;
        showActive(euro);
        QCOMPARE(euro.windowTitle(), QStringLiteral("Euro convertisseur"));
        auto *input = euro.findChild<QLineEdit *>(QStringLiteral("input"));
        auto *result = euro.findChild<QLineEdit *>(QStringLiteral("result"));
        auto *rate = euro.findChild<QLineEdit *>(QStringLiteral("rate"));
        QCOMPARE(rate->text(), QStringLiteral("6,55957"));
        QCOMPARE(QApplication::focusWidget(), euro.findChild<QPushButton *>(QStringLiteral("button=")));

        type(euro, QStringLiteral("1x00"));
        press(euro, Qt::Key_Enter);
        QCOMPARE(input->text(), QStringLiteral("100"));
        QCOMPARE(result->text(), QStringLiteral("15,24"));

        euro.findChild<QRadioButton *>(QStringLiteral("euroFr"))->click();
        type(euro, QStringLiteral("15.24"));
        QCOMPARE(result->text(), QString());
        press(euro, Qt::Key_Return);
        QCOMPARE(result->text(), QStringLiteral("100"));

        QTest::mouseClick(euro.findChild<QPushButton *>(QStringLiteral("button1")), Qt::LeftButton);
        QCOMPARE(input->text(), QStringLiteral("1"));
        QTest::mouseClick(euro.findChild<QPushButton *>(QStringLiteral("button=")), Qt::LeftButton);
        QCOMPARE(result->text(), QStringLiteral("6,6"));

        auto *down = euro.findChild<QToolButton *>(QStringLiteral("rateDown"));
        for (int i = 0; i < 10; ++i)
            down->click();
        QCOMPARE(rate->text(), QStringLiteral("6,55947"));

        press(euro, Qt::Key_Escape);
        QVERIFY(!euro.isVisible());
        // A new converter starts again from the legal rate.
        TEurof fresh;
        showActive(fresh);
        QCOMPARE(fresh.findChild<QLineEdit *>(QStringLiteral("rate"))->text(), QStringLiteral("6,55957"));
    }

    void clockShowsAndSets()
    {
        THorloge clock;
        showActive(clock);
        QCOMPARE(clock.windowTitle(), QStringLiteral("Horloge"));
        auto *time = clock.findChild<QLabel *>(QStringLiteral("time"));
        auto *date = clock.findChild<QLabel *>(QStringLiteral("date"));
        QCOMPARE(time->text(), QStringLiteral("18:23:00"));
        QCOMPARE(date->text(), QStringLiteral("20/10/1998"));
        QVERIFY(clock.ticking());

        // The timer follows the clock.
        m_clock.moment = m_clock.moment.addSecs(1);
        QTRY_COMPARE_WITH_TIMEOUT(time->text(), QStringLiteral("18:23:01"), 3000);

        auto *parts = clock.findChild<QListWidget *>(QStringLiteral("parts"));
        auto *up = clock.findChild<QToolButton *>(QStringLiteral("spinUp"));
        auto *set = clock.findChild<QPushButton *>(QStringLiteral("buttonSet"));
        up->click(); // nothing chosen: nothing changes
        QCOMPARE(time->text(), QStringLiteral("18:23:01"));

        set->click();
        QVERIFY(!clock.ticking());
        parts->setCurrentRow(0); // "Hr"
        up->click();
        parts->setCurrentRow(4); // "An"
        up->click();
        QCOMPARE(time->text(), QStringLiteral("19:23:01"));
        QCOMPARE(date->text(), QStringLiteral("20/10/1999"));
        set->click();
        QCOMPARE(m_clock.setTimes.size(), 1);
        QCOMPARE(m_clock.setTimes.first(), QDateTime(QDate(1999, 10, 20), QTime(19, 23, 1)));
        QVERIFY(clock.ticking());
    }

    void clockRefusalIsReported()
    {
        m_clock.moment = QDateTime(QDate(1998, 10, 1), QTime(23, 59, 0));
        THorloge clock;
        showActive(clock);
        auto *set = clock.findChild<QPushButton *>(QStringLiteral("buttonSet"));
        set->click();
        clock.findChild<QListWidget *>(QStringLiteral("parts"))->setCurrentRow(2); // "Jo"
        clock.findChild<QToolButton *>(QStringLiteral("spinDown"))->click();
        QCOMPARE(clock.findChild<QLabel *>(QStringLiteral("date"))->text(), QStringLiteral("00/10/1998"));
        MessageBoxWatcher watcher;
        set->click();
        QCOMPARE(watcher.texts, QStringList{QStringLiteral("Impossible de régler l'horloge du système")});
        QVERIFY(m_clock.setTimes.isEmpty());
        press(clock, Qt::Key_Escape);
        QVERIFY(!clock.isVisible());
    }

    void calendar()
    {
        m_clock.moment = QDateTime(QDate(2024, 1, 31), QTime(9, 0));
        TCalendrier calendar;
        showActive(calendar);
        QCOMPARE(calendar.windowTitle(), QStringLiteral("Calendrier"));
        auto *title = calendar.findChild<QLabel *>(QStringLiteral("title"));
        auto *grid = calendar.findChild<QTableWidget *>(QStringLiteral("grid"));
        QCOMPARE(title->text(), QStringLiteral("janvier  2024"));
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("dim."));
        // 31 January 2024 is a Wednesday in the fifth week.
        QCOMPARE(grid->currentRow(), 4);
        QCOMPARE(grid->currentColumn(), 3);

        press(calendar, Qt::Key_PageDown);
        QCOMPARE(calendar.model().selected(), QDate(2024, 2, 29));
        QCOMPARE(title->text(), QStringLiteral("février  2024"));
        QCOMPARE(grid->item(grid->currentRow(), grid->currentColumn())->text(), QStringLiteral("29"));

        press(calendar, Qt::Key_Left);
        press(calendar, Qt::Key_Up);
        QCOMPARE(calendar.model().selected(), QDate(2024, 2, 21));
        press(calendar, Qt::Key_PageUp);
        QCOMPARE(calendar.model().selected(), QDate(2024, 1, 21));
        QCOMPARE(title->text(), QStringLiteral("janvier  2024"));

        calendar.findChild<QPushButton *>(QStringLiteral("nextMonth"))->click();
        calendar.findChild<QPushButton *>(QStringLiteral("nextMonth"))->click();
        QCOMPARE(title->text(), QStringLiteral("mars  2024"));

        // A click on a day selects it; a click on an empty cell does nothing.
        const QRect day3 = grid->visualItemRect(grid->item(1, 0)); // 3 March 2024 is a Sunday
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("3"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, day3.center());
        QCOMPARE(calendar.model().selected(), QDate(2024, 3, 3));
        const QRect empty = grid->visualItemRect(grid->item(0, 0));
        QCOMPARE(grid->item(0, 0)->text(), QString());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, empty.center());
        QCOMPARE(calendar.model().selected(), QDate(2024, 3, 3));
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(grid->currentColumn(), 0);
        press(calendar, Qt::Key_Escape);
        QVERIFY(!calendar.isVisible());
    }

    void notepad()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Korvel.nte"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Premi\xe8re ligne\r\nDeuxi\xe8me ligne\r\n");
        }
        TBlocNotes notes(dir.path());
        showActive(notes);
        QCOMPARE(notes.windowTitle(), QStringLiteral("Bloc-notes"));
        auto *text = notes.findChild<QPlainTextEdit *>(QStringLiteral("text"));
        QCOMPARE(text->toPlainText(), QStringLiteral("Première ligne\nDeuxième ligne"));
        QCOMPARE(QApplication::focusWidget(), text);

        // The text area follows the window's size.
        const int width = text->width();
        notes.resize(notes.width() + 100, notes.height() + 50);
        QTRY_COMPARE(text->width(), width + 100);

        text->moveCursor(QTextCursor::End);
        type(notes, QStringLiteral("\n50 €"));
        notes.findChild<QPushButton *>(QStringLiteral("buttonFermer"))->click();
        QVERIFY(!notes.isVisible());
        QCOMPARE(fileBytes(file), QByteArray("Premi\xe8re ligne\r\nDeuxi\xe8me ligne\r\n50 \x80\r\n"));
    }

    void notepadUnchangedIsNotWritten()
    {
        QTemporaryDir dir;
        {
            TBlocNotes notes(dir.path());
            showActive(notes);
            press(notes, Qt::Key_Escape);
        }
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Korvel.nte"))));
    }

    void notepadWriteFailureKeepsTheWindow()
    {
        QTemporaryDir dir;
        const QString missingFolder = dir.filePath(QStringLiteral("absent"));
        TBlocNotes notes(missingFolder);
        showActive(notes);
        type(notes, QStringLiteral("note"));
        {
            MessageBoxWatcher watcher(QStringLiteral("Non"));
            notes.findChild<QPushButton *>(QStringLiteral("buttonFermer"))->click();
            QCOMPARE(watcher.texts.size(), 1);
            QVERIFY(watcher.texts.first().startsWith(QStringLiteral("Impossible d'enregistrer le fichier ")));
            QVERIFY(notes.isVisible());
        }
        MessageBoxWatcher watcher(QStringLiteral("Oui"));
        notes.findChild<QPushButton *>(QStringLiteral("buttonFermer"))->click();
        QVERIFY(!notes.isVisible());
    }

    void messagesPad()
    {
        QTemporaryDir dir;
        const QString dossier = dir.filePath(QStringLiteral("paie.emp"));
        const QString file = dir.filePath(QStringLiteral("paie.oms"));
        {
            TFicheMsg pad(dossier);
            QCOMPARE(pad.fileName(), file);
            showActive(pad);
            QCOMPARE(pad.windowTitle(), QStringLiteral("Messages"));
            auto *pour = pad.findChild<QLineEdit *>(QStringLiteral("pour"));
            QCOMPARE(QApplication::focusWidget(), pour);
            QCOMPARE(pad.findChild<QLabel *>(QStringLiteral("number"))->text(), QStringLiteral("1"));
            type(pad, QStringLiteral("A1"));
            pad.findChild<QCheckBox *>(QStringLiteral("urgent"))->setChecked(true);
            press(pad, Qt::Key_Escape);
            QVERIFY(!pad.isVisible());
        }
        QCOMPARE(fileBytes(file), QByteArray("A1\t\t\t\t\t\t\tFFFFT\r\n"));

        TFicheMsg pad(dossier);
        showActive(pad);
        auto *pour = pad.findChild<QLineEdit *>(QStringLiteral("pour"));
        QCOMPARE(pour->text(), QStringLiteral("A1"));
        QVERIFY(pad.findChild<QCheckBox *>(QStringLiteral("urgent"))->isChecked());

        // "+" adds a message; "Date" and "Heure" left empty take the date and time of the moment.
        pad.findChild<QPushButton *>(QStringLiteral("buttonAdd"))->click();
        QCOMPARE(pad.findChild<QLabel *>(QStringLiteral("number"))->text(), QStringLiteral("2"));
        QCOMPARE(pour->text(), QString());
        QVERIFY(!pad.findChild<QCheckBox *>(QStringLiteral("urgent"))->isChecked());
        type(pad, QStringLiteral("B2"));
        auto *date = pad.findChild<QLineEdit *>(QStringLiteral("date"));
        auto *heure = pad.findChild<QLineEdit *>(QStringLiteral("heure"));
        date->setFocus(Qt::TabFocusReason);
        heure->setFocus(Qt::TabFocusReason);
        pad.findChild<QLineEdit *>(QStringLiteral("objet"))->setFocus(Qt::TabFocusReason);
        QCOMPARE(date->text(), QStringLiteral("20/10/1998"));
        QCOMPARE(heure->text(), QStringLiteral("18:23:00"));
        // The field limits and the characters a line cannot hold.
        auto *tel = pad.findChild<QLineEdit *>(QStringLiteral("telephone"));
        tel->setFocus(Qt::TabFocusReason);
        type(pad, QStringLiteral("0123456789 0123456789 99"));
        QCOMPARE(tel->text().size(), 20);

        press(pad, Qt::Key_PageUp);
        QCOMPARE(pour->text(), QStringLiteral("A1"));
        press(pad, Qt::Key_PageUp);
        QCOMPARE(pad.findChild<QLabel *>(QStringLiteral("number"))->text(), QStringLiteral("1"));
        press(pad, Qt::Key_PageDown);
        press(pad, Qt::Key_PageDown);
        QCOMPARE(pour->text(), QStringLiteral("B2"));
        QCOMPARE(pad.findChild<QLabel *>(QStringLiteral("number"))->text(), QStringLiteral("2"));

        // Deleting every message leaves one empty message.
        pad.findChild<QPushButton *>(QStringLiteral("buttonRemove"))->click();
        QCOMPARE(pour->text(), QStringLiteral("A1"));
        pad.findChild<QPushButton *>(QStringLiteral("buttonRemove"))->click();
        QCOMPARE(pour->text(), QString());
        QCOMPARE(pad.findChild<QLabel *>(QStringLiteral("number"))->text(), QStringLiteral("1"));
        pad.findChild<QPushButton *>(QStringLiteral("buttonRemove"))->click();
        QCOMPARE(pad.pad().count(), 1);
        pad.findChild<QPushButton *>(QStringLiteral("buttonFermer"))->click();
        QCOMPARE(fileBytes(file), QByteArray("\t\t\t\t\t\t\tFFFFF\r\n"));
    }

    void messageFieldsRefuseTabs()
    {
        QTemporaryDir dir;
        TFicheMsg pad(dir.filePath(QStringLiteral("paie.emp")));
        showActive(pad);
        auto *objet = pad.findChild<QLineEdit *>(QStringLiteral("objet"));
        objet->setFocus();
        objet->insert(QStringLiteral("a\tb")); // as a paste would
        QCOMPARE(objet->text(), QString());
        objet->insert(QStringLiteral("Devis 2024"));
        QCOMPARE(objet->text(), QStringLiteral("Devis 2024"));
    }
};

QTEST_MAIN(TestAccessoriesUi)
#include "test_accessories_ui.moc"
