// The small accessories' rules: calculator, franc/euro converter, clock and calendar, message
// pad and notepad, driven key by key as their windows drive them.
#include "accessories/calculator.h"
#include "accessories/calendarmodel.h"
#include "accessories/clockmodel.h"
#include "accessories/euroconverter.h"
#include "accessories/messages.h"
#include "accessories/notepad.h"
#include "text/encoding.h"
#include "fakeclock.h"
#include "testsupport.h"

namespace {

// Every byte Windows-1252 puts between 0x80 and 0x9F, the five it leaves unassigned included.
const QByteArray kHigh1252 = [] { QByteArray b; for (int c = 0x80; c < 0xA0; ++c) b += char(c); return b; }();

void spin(ClockModel &model, ClockModel::Part part, int steps)
{
    for (int i = 0; i < qAbs(steps); ++i)
        steps > 0 ? model.spinUp(part) : model.spinDown(part);
}

Message message(const QStringList &fields, const QString &boxes)
{
    Message m;
    for (int i = 0; i < Message::FieldCount; ++i)
        m.fields[i] = fields.value(i);
    for (int i = 0; i < Message::BoxCount; ++i)
        m.boxes[i] = boxes[i] == u'T';
    return m;
}

// shown: input, result and rate; rateSteps negative: down.
struct EuroRow { const char *why; bool toEuros; int rateSteps; QString input, shown; };
// steps: positive up, negative down; set: the computer's clock was set.
struct ClockRow { const char *why; QDateTime start; ClockModel::Part part; int steps; QString shown; bool set; };
// cell: column (0 is Sunday), week.
struct CalendarRow { const char *why; QDate start; int months; QDate expected; QPoint cell; };
// written: the line is what the program writes for the message.
struct MessageRow { const char *why; QString line; QStringList fields; QString boxes; bool written; };

} // namespace

Q_DECLARE_METATYPE(EuroRow)
Q_DECLARE_METATYPE(ClockRow)
Q_DECLARE_METATYPE(CalendarRow)
Q_DECLARE_METATYPE(MessageRow)

class TestAccessoryTools : public QObject
{
    Q_OBJECT

    FakeClock m_clock;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void init() { Clock::setInstance(&(m_clock = FakeClock())); }
    void cleanup() { Clock::setInstance(nullptr); }

    // ---- calculator

    // An impossible operation is refused and changes nothing: what is typed next still works.
    void calculatorWrongResult_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("impossible");
        QTest::newRow("left to right, no precedence") << "2+3*4=" << "20" << 0;
        QTest::newRow("equals repeats the operation") << "5+==" << "20" << 0;
        QTest::newRow("operator right after equals applies") << "2+3=*2=" << "20" << 0;
        QTest::newRow("twelve digits") << "1/3=" << "0,333333333333" << 0;
        QTest::newRow("exponent from thirteen whole digits") << "1234567*1234567=" << "1,52415567749E+12" << 0;
        QTest::newRow("long whole part that is exact") << "1000000*10000000=" << "10000000000000" << 0;
        QTest::newRow("minus sign is not a digit") << "0-123456789012,34=" << "-123456789012" << 0;
        QTest::newRow("dot is the comma") << "1.5*2=" << "3" << 0;
        QTest::newRow("clear forgets the pending operation") << "2*3c4=+1=" << "5" << 0;
        QTest::newRow("digit after a result starts a number") << "7/2=12" << "12" << 0;
        QTest::newRow("comma after a result starts a number") << "7/2=,5" << "0,5" << 0;
        QTest::newRow("reciprocal") << "4X" << "0,25" << 0;
        QTest::newRow("square root, fifteen digits") << "2S" << "1,4142135623731" << 0;
        QTest::newRow("root replaces the pending operand") << "2*9s+1=" << "10" << 0;
        QTest::newRow("unreadable first operand") << "1,2,3+" << "" << 0;
        QTest::newRow("division by zero") << "5/0=2=" << "2,5" << 1;
        QTest::newRow("division by zero on an operator") << "5/0+2=" << "2,5" << 1;
        QTest::newRow("reciprocal of zero") << "5+0x1=" << "6" << 1;
        QTest::newRow("root of a negative number") << "3-5=s" << "-2" << 1;
        QTest::newRow("second comma in a later operand") << "1+1,2,3=" << "1,2,3" << 1;
        QTest::newRow("reciprocal of an empty display") << "Cx" << "" << 1;
        QTest::newRow("overflow") << QString(200, u'9') + u'*' + QString(200, u'9') + u'=' << QString(200, u'9') << 1;
    }
    void calculatorWrongResult()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(int, impossible);
        Calculator calc;
        int refused = 0;
        for (QChar c : keys) {
            Calculator::Outcome outcome = Calculator::Outcome::Ok;
            QVERIFY(calc.key(c, &outcome));
            refused += outcome == Calculator::Outcome::Impossible;
        }
        QCOMPARE(refused, impossible);
        QCOMPARE(calc.display(), display);
    }

    // Every character up to the Arabic-Indic digits: only the keys of the keypads get through.
    void keyFilterLetsOtherKeysThrough()
    {
        const QString calculatorKeys = QStringLiteral("0123456789,.=+-*/xXsScC");
        const QString euroKeys = QStringLiteral("0123456789,.");
        for (char16_t u = 1; u < 0x700; ++u) {
            Calculator calc;
            EuroConverter euro;
            QVERIFY2(calc.key(QChar(u)) == calculatorKeys.contains(QChar(u)), qPrintable(QString::number(u, 16)));
            QVERIFY2(euro.key(QChar(u)) == euroKeys.contains(QChar(u)), qPrintable(QString::number(u, 16)));
            QCOMPARE(euro.input(), euroKeys.contains(QChar(u)) ? QString(u == u'.' ? u',' : QChar(u)) : QString());
        }
    }

    // ---- euro converter

    void euroWrongRoundingOrRate_data()
    {
        const EuroRow rows[] = {
            {"francs to the cent", true, 0, "100", "100 15,24 6,55957"},
            {"euros to the tenth of a franc", false, 0, "1", "1 6,6 6,55957"},
            {"one centime rounds to nothing", true, 0, "0,01", "0,01 0 6,55957"},
            {"unreadable input emptied", true, 0, "1,2,3", "  6,55957"},
            {"stepped rate used", true, -9, "100", "100 15,25 6,55948"},
            {"rate floor", true, -700000, "1", "1 100000 0,00001"},
        };
        addRows(rows);
    }
    void euroWrongRoundingOrRate()
    {
        QFETCH(EuroRow, row);
        EuroConverter euro;
        euro.setDirection(row.toEuros ? EuroConverter::Direction::FrancsToEuros : EuroConverter::Direction::EurosToFrancs);
        euro.rateDown(); // down then up: one step each way
        euro.rateUp();
        for (int i = 0; i < qAbs(row.rateSteps); ++i)
            row.rateSteps > 0 ? euro.rateUp() : euro.rateDown();
        for (QChar c : row.input)
            QVERIFY(euro.key(c));
        euro.convert();
        QCOMPARE(euro.input() + u' ' + euro.result() + u' ' + euro.rateText(), row.shown);
        QCOMPARE(euro.resultShown(), !euro.result().isEmpty());
        // The next key starts a new entry.
        euro.key(u'5');
        QCOMPARE(euro.input() + euro.result() + QString::number(euro.resultShown()), QStringLiteral("50"));
    }

    // ---- clock and calendar

    // Spun in set mode, then set: the computer's clock gets the displays, when they make a date.
    void clockSpinOrSetWrong_data()
    {
        using P = ClockModel::Part;
        const QDate d(1998, 10, 20);
        const ClockRow rows[] = {
            {"hour 24 cannot be chosen", QDateTime(d, QTime(22, 0)), P::Hour, 3, "23:00:00 20/10/1998", true},
            {"hour below 0", QDateTime(d, QTime(0, 30)), P::Hour, -1, "00:30:00 20/10/1998", true},
            {"minute past 59, no carry", QDateTime(d, QTime(18, 59)), P::Minute, 1, "18:59:00 20/10/1998", true},
            {"day, no month check", QDateTime(QDate(1998, 2, 28), QTime(1, 0)), P::Day, 2, "01:00:00 30/02/1998", false},
            {"day down to 00", QDateTime(QDate(1998, 2, 1), QTime(1, 0)), P::Day, -2, "01:00:00 00/02/1998", false},
            {"year past 2099", QDateTime(QDate(2099, 3, 1), QTime(1, 0)), P::Year, 1, "01:00:00 01/03/2099", true},
            {"year below 1900", QDateTime(QDate(1900, 3, 1), QTime(1, 0)), P::Year, -1, "01:00:00 01/03/1900", true},
            {"nothing chosen", QDateTime(d, QTime(1, 2, 3)), P::None, 1, "01:02:03 20/10/1998", true},
            {"the system refuses", QDateTime(d, QTime(1, 0)), P::None, 1, "01:00:00 20/10/1998", false},
        };
        addRows(rows);
    }
    void clockSpinOrSetWrong()
    {
        QFETCH(ClockRow, row);
        m_clock.moment = row.start;
        m_clock.refuse = QByteArrayView(row.why) == "the system refuses";
        ClockModel model;
        model.activate();
        QCOMPARE(model.toggleSetMode(), ClockModel::SetOutcome::EnteredSetMode);
        spin(model, row.part, row.steps);
        QCOMPARE(model.timeText() + u' ' + model.dateText(), row.shown);
        QCOMPARE(model.toggleSetMode(), row.set ? ClockModel::SetOutcome::ClockSet : ClockModel::SetOutcome::ClockRefused);
        QCOMPARE(m_clock.setTimes.size(), int(row.set || m_clock.refuse));
        // The displayed local time is handed over as local time; the clock converts it.
        if (row.set)
            QCOMPARE(m_clock.setTimes.first(), QDateTime::fromString(row.shown, QStringLiteral("HH:mm:ss dd/MM/yyyy")));
        // Leaving set mode shows the clock again; so does activating the window in set mode.
        const QString clock = row.start.toString(QStringLiteral("HH:mm:ss dd/MM/yyyy"));
        QCOMPARE(model.timeText() + u' ' + model.dateText(), clock);
        model.toggleSetMode();
        spin(model, row.part, row.steps);
        model.activate();
        QCOMPARE(model.timeText() + u' ' + model.dateText() + u' ' + QString::number(model.setMode()), clock + " 0");
    }

    void calendarMonthOrGridWrong_data()
    {
        const CalendarRow rows[] = {
            {"31/01 next, to a leap day", QDate(2024, 1, 31), 1, QDate(2024, 2, 29), QPoint(4, 4)},
            {"31/03 previous", QDate(2023, 3, 31), -1, QDate(2023, 2, 28), QPoint(2, 4)},
            {"december next", QDate(2023, 12, 31), 1, QDate(2024, 1, 31), QPoint(3, 4)},
            {"january previous", QDate(2024, 1, 15), -1, QDate(2023, 12, 15), QPoint(5, 2)},
            {"day not remembered past a short month", QDate(2023, 1, 31), 2, QDate(2023, 3, 28), QPoint(2, 4)},
            {"a month of six weeks", QDate(2018, 11, 30), 1, QDate(2018, 12, 30), QPoint(0, 5)},
            {"a month of four weeks", QDate(2015, 1, 28), 1, QDate(2015, 2, 28), QPoint(6, 3)},
        };
        addRows(rows);
    }
    void calendarMonthOrGridWrong()
    {
        QFETCH(CalendarRow, row);
        CalendarModel model;
        model.select(row.start);
        for (int i = 0; i < qAbs(row.months); ++i)
            row.months > 0 ? model.nextMonth() : model.previousMonth();
        QCOMPARE(model.selected(), row.expected);
        QCOMPARE(QPoint(CalendarModel::column(row.expected), model.row(row.expected)), row.cell);
        QCOMPARE(model.grid().value(row.cell.y()).value(row.cell.x()), row.expected.day());
        // The arrows stay in the month.
        QVERIFY(!model.moveDays(row.expected.daysInMonth() - row.expected.day() + 1) && !model.moveDays(-row.expected.day()) && model.moveDays(1 - row.expected.day()));
    }

    // ---- messages

    void messageLineMisread_data()
    {
        const MessageRow rows[] = {
            {"fields in order", "M. Durand\tMme Petit\tSociété\t01 23\t12/03/2024\t09:15:00\tRappeler  vite\tTFTFT",
             {"M. Durand", "Mme Petit", "Société", "01 23", "12/03/2024", "09:15:00", "Rappeler  vite"}, "TFTFT", true},
            {"empty message", "\t\t\t\t\t\t\tFFFFF", {}, "FFFFF", true},
            {"cut short", "A\tB", {"A"}, "FFFFF", false},
            {"spaces after a tab dropped", "A\t  B\t C\t\t\t\t\t  TTFFT  ", {"A", "B", "C"}, "TTFFT", false},
            {"boxes too short", "A\t\t\t\t\t\t\tTT", {"A"}, "FFFFF", false},
            {"more than five flags", "A\t\t\t\t\t\t\tTFTFTT", {"A"}, "TFTFT", false},
        };
        addRows(rows);
    }
    void messageLineMisread()
    {
        QFETCH(MessageRow, row);
        QVERIFY(Message::fromLine(row.line) == message(row.fields, row.boxes));
        if (row.written)
            QCOMPARE(message(row.fields, row.boxes).toLine(), row.line);
    }

    void messagesFileWrongName_data()
    {
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dot in a folder, space in the name") << "/home/paie/v1.2/ma paie.emp" << "/home/paie/v1.2/ma paie.oms";
        QTest::newRow("no extension") << "/tmp/paie" << "/tmp/paie.oms";
        QTest::newRow("cut at the first dot") << "/tmp/paie.2024.emp" << "/tmp/paie.oms";
        // Resolved at once, so that a later change of folder does not split load and save.
        QTest::newRow("unnamed dossier") << "" << QDir::current().absoluteFilePath(QStringLiteral(".oms"));
        // The messages of "PAIE.Emp" are in "PAIE.OMS": read and written there, no second file.
        writeBytes(m_dir.filePath(QStringLiteral("PAIE.OMS")), "A1\r\n");
        QTest::newRow("existing file in another case") << m_dir.filePath(QStringLiteral("PAIE.Emp")) << m_dir.filePath(QStringLiteral("PAIE.OMS"));
    }
    void messagesFileWrongName()
    {
        QFETCH(QString, dossier);
        QFETCH(QString, expected);
        QCOMPARE(MessagePad::messagesFile(dossier), expected);
    }

    // Deleting the last message moves to the one before it; one in the middle, to the next one;
    // the only one, to a new empty message.
    void messageDeletionLosesItsPlace()
    {
        MessagePad pad;
        for (const char *pour : {"A1", "B2", "C3"}) {
            if (pad.current().fields[Message::Pour].size())
                pad.add();
            pad.store(message({pour}, "FFFFT"));
        }
        QCOMPARE(pad.lines().first(), QStringLiteral("A1\t\t\t\t\t\t\tFFFFT"));
        pad.remove();
        QCOMPARE(pad.current().fields[Message::Pour], QStringLiteral("B2"));
        pad.previous();
        pad.remove();
        QCOMPARE(pad.index(), 0);
        QCOMPARE(pad.current().fields[Message::Pour], QStringLiteral("B2"));
        pad.remove();
        QCOMPARE(pad.lines(), QStringList{" "});
        QVERIFY(pad.modified());
    }

    // The messages file keeps every Windows-1252 byte, its line ends mended to CR LF; a missing or
    // empty file gives one empty message, a folder where the file should be is neither read nor written.
    void messagesFileLosesBytes()
    {
        const QString file = m_dir.filePath(QStringLiteral("paie.oms"));
        const QByteArray high = kHigh1252;
        writeBytes(file, "A1\t\t\t\t\t\t\tFFFFT\r\n" + high + "\t\t\t\t\t\t\tTFFFF\nC3\t\t\t\t\t\t\tFFFFF");
        MessagePad pad;
        QVERIFY(pad.load(file).ok());
        QCOMPARE(pad.index(), 2); // the last message is current
        pad.previous();
        QCOMPARE(pad.current().fields[Message::Pour], text::decode1252(high));
        QVERIFY(!pad.modified());
        QVERIFY(pad.save(file).ok());
        QCOMPARE(fileBytes(file), "A1\t\t\t\t\t\t\tFFFFT\r\n" + high + "\t\t\t\t\t\t\tTFFFF\r\nC3\t\t\t\t\t\t\tFFFFF\r\n");
        for (const QByteArray &contents : {QByteArray(), QByteArray("<missing>"), QByteArray("<folder>")}) {
            QVERIFY(QFile::remove(file) || QDir().rmdir(file));
            if (contents.isEmpty())
                writeBytes(file, contents);
            else if (contents == "<folder>")
                QDir().mkdir(file);
            MessagePad again = contents == "<folder>" ? pad : MessagePad();
            QCOMPARE(again.load(file).ok(), contents.isEmpty());
            QCOMPARE(again.count(), contents == "<folder>" ? 3 : 1);
            QCOMPARE(again.save(file).ok(), contents != "<folder>");
        }
    }

    // ---- notepad

    void notepadFileLosesText()
    {
        QString text = QStringLiteral("stale");
        QVERIFY(Notepad(m_dir.path()).load(text).isMissing() && Notepad(m_dir.path()).path() == m_dir.filePath("Korvel.nte"));
        QCOMPARE(text, QString());
        // Found whatever the case of its name, in a folder given with or without a separator.
        writeBytes(m_dir.filePath(QStringLiteral("KORVEL.NTE")), "note\r\n");
        const Notepad notepad(m_dir.path() + u'/');
        QVERIFY(notepad.load(text).ok() && text == "note");

        const QString high = text::decode1252(kHigh1252);
        QVERIFY(notepad.save("Réunion à 10 h\n\n" + high).ok());
        QCOMPARE(fileBytes(m_dir.filePath(QStringLiteral("KORVEL.NTE"))), "R\xe9union \xe0 10 h\r\n\r\n" + kHigh1252 + "\r\n");
        QVERIFY(notepad.load(text).ok());
        QCOMPARE(text, "Réunion à 10 h\n\n" + high);
        // Trailing empty lines are lines too: saved again and again, the file stays the same.
        writeBytes(notepad.path(), "a\r\n\r\n\r\n");
        for (int save = 0; save < 2; ++save)
            QVERIFY(notepad.load(text).ok() && notepad.save(text).ok() && fileBytes(notepad.path()) == "a\r\n\r\n\r\n");
        QVERIFY(notepad.save(QString()).ok() && fileBytes(notepad.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAccessoryTools)
#include "test_accessories_tools.moc"
