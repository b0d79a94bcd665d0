#include "fakeclock.h"
#include "reports/journal.h"
#include "reportsupport.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

using namespace reportsupport;

namespace {

// Payslips of the period ends given, gross 1690,00, numbered 200201001 onwards.
Collection slips(const QStringList &periodEnds)
{
    QList<Slip> s;
    for (int i = 0; i < periodEnds.size(); ++i)
        s.append({QString::number(200201001 + i), periodEnds[i], "10001", "DUPONT", "1300,00", "390,00", "1690,00"});
    return payslips(s);
}

} // namespace

class TestReportsJournal : public QObject
{
    Q_OBJECT
    FakeClock m_clock;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { Clock::setInstance(&m_clock); }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void creditAccountWrong_data()
    {
        QTest::addColumn<QStringList>("accounts");
        QTest::addColumn<QString>("credit");
        QTest::newRow("first record's account") << QStringList{"421", "512"} << "421000";
        QTest::newRow("no account") << QStringList{"", ""} << "421000";
        QTest::newRow("first non-empty, cut to six") << QStringList{"", "4111111"} << "411111";
    }
    void creditAccountWrong()
    {
        QFETCH(QStringList, accounts);
        QFETCH(QString, credit);
        const Accounts got = Comptes(employees({{"10001", "", "", accounts[0]}, {"10002", "", "", accounts[1]}}));
        QCOMPARE(got.debit, QStringLiteral("641000"));
        QCOMPARE(got.credit, credit);
    }

    // Two entries per payslip, debit first, in stored order; exported as date, account,
    // label, journal, an empty field, debit, credit.
    void entriesOrExportBytesWrong()
    {
        QList<int> progress;
        const QStringList entries = Journal(slips({"31/01/2002", "28/02/2002"}), {"641000", "421000"},
                                            [&](int i) { progress.append(i); });
        QCOMPARE(entries, (QStringList{"20020131\tS1\t31/01/2002\t641000\tPaie 200201001\t1690,00",
                                       "20020131\tS1\t31/01/2002\t421000\tPaie 200201001\t\t1690,00",
                                       "20020228\tS1\t28/02/2002\t641000\tPaie 200201002\t1690,00",
                                       "20020228\tS1\t28/02/2002\t421000\tPaie 200201002\t\t1690,00"}));
        QCOMPARE(progress, (QList<int>{0, 1}));
        const QString path = m_dir.filePath("Journal.txt");
        QVERIFY(exporterJournal(slips({"31/01/2002", "28/02/2002"}), Collection(), std::nullopt, QDate(2002, 1, 31),
                                path));
        QCOMPARE(fileBytes(path), QByteArray("31/01/2002\t641000\tPaie 200201001\tS1\t\t1690,00\t\r\n"
                                             "31/01/2002\t421000\tPaie 200201001\tS1\t\t\t1690,00\r\n"));
    }

    // The dates the window opens with, and the entries between them, both included. The
    // export holds the entries shown and nothing after them.
    void dateRangeWrong_data()
    {
        QTest::addColumn<QStringList>("periodEnds");
        QTest::addColumn<QDate>("du");
        QTest::addColumn<QString>("shownDates");
        QTest::newRow("first and last payslip") << QStringList{"31/01/2002", "28/02/2002", "31/03/2002"} << QDate()
                                                << "31/01 31/01 28/02 28/02 31/03 31/03";
        // Stored out of date order: from the first to the last in stored order, which holds
        // no entry until the user widens it.
        QTest::newRow("stored out of date order") << QStringList{"31/03/2002", "31/01/2002"} << QDate() << "";
        QTest::newRow("bounds included") << QStringList{"31/01/2002", "28/02/2002", "31/03/2002"}
                                         << QDate(2002, 2, 28) << "28/02 28/02 31/03 31/03";
        QTest::newRow("no payslip: today, no line") << QStringList{} << QDate() << "";
    }
    void dateRangeWrong()
    {
        QFETCH(QStringList, periodEnds);
        QFETCH(QDate, du);
        QFETCH(QString, shownDates);
        JournalModel model;
        model.Init(Journal(slips(periodEnds), Comptes(Collection())));
        QCOMPARE(model.du(), periodEnds.isEmpty() ? m_clock.today() : text::parseDate(periodEnds.first()));
        QCOMPARE(model.au(), periodEnds.isEmpty() ? m_clock.today() : text::parseDate(periodEnds.last()));
        if (du.isValid()) {
            model.setDu(du);
            model.Remplit();
        }
        QStringList shown;
        for (const QString &line : model.exportLines())
            shown.append(line.left(5));
        QCOMPARE(shown.join(u' '), shownDates);
        QCOMPARE(model.cell(model.count() + 1, 2), QString());
        QCOMPARE(model.rowCount(), 63);
    }

    void moreThan63EntriesNotAllShown()
    {
        JournalModel model;
        model.Init(Journal(slips(QStringList(40, "31/01/2002")), Comptes(Collection())));
        QCOMPARE(model.rowCount(), 80);
        QCOMPARE(model.cell(80, 0), QStringLiteral("80"));
        QCOMPARE(model.exportLines().size(), 80);
        QCOMPARE(model.printedGrid().rows.size(), 80);
    }

    // A failed write is reported with the file's full name and leaves what was there.
    void failedExportNotReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a folder") << "dossier";
        QTest::newRow("under a regular file") << "fichier/Journal.txt";
    }
    void failedExportNotReported()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(m_dir.path()).mkpath("dossier"));
        writeBytes(m_dir.filePath("fichier"), "inchangé");
        JournalModel model;
        model.Init(Journal(slips({"31/01/2002"}), Comptes(Collection())));
        QString message;
        QVERIFY(!model.exporter(m_dir.filePath(name), &message));
        QCOMPARE(message, "Impossible d'enregistrer le fichier " + QDir::toNativeSeparators(m_dir.filePath(name)));
        QCOMPARE(fileBytes(m_dir.filePath("fichier")), QByteArray("inchangé"));
    }

    // The export as the accountant's spreadsheet reads it: LibreOffice Calc opens it with
    // French settings and writes it back as CSV.
    void calcNotReadingOneBalancedPairPerPayslip()
    {
        const QString soffice = QStandardPaths::findExecutable("soffice");
        QVERIFY2(!soffice.isEmpty(), "LibreOffice (soffice) is missing: run scripts/deps --test");
        const QList<Slip> slips = threeMonths();
        const QString txt = m_dir.filePath("Journal.txt");
        QString message;
        QVERIFY2(exporterJournal(payslips(slips), staff(), std::nullopt, std::nullopt, txt, &message),
                 qPrintable(message));

        // In: TAB, '"', Windows-1252, from line 1, French. Out: ';', '"', UTF-8.
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(soffice, {"-env:UserInstallation=file://" + m_dir.filePath("profile"), "--headless",
                          "--infilter=Text - txt - csv (StarCalc):9,34,1,1,,1036",
                          "--convert-to", "csv:Text - txt - csv (StarCalc):59,34,76", "--outdir", m_dir.filePath("csv"), txt});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QStringList rows = QString::fromUtf8(fileBytes(m_dir.filePath("csv/Journal.csv"))).split(QRegularExpression("\r?\n"));
        rows.removeAll(QString());

        // Columns: date, account, label, journal, (empty), debit, credit; amounts read as numbers.
        QMap<QString, int> debits, credits;
        double debit = 0, credit = 0;
        auto number = [](QString cell, bool *ok) { return cell.replace(u',', u'.').toDouble(ok); };
        for (const QString &row : rows) {
            const QStringList f = row.split(u';');
            QCOMPARE(f.size(), 7);
            QCOMPARE(f[3], QStringLiteral("S1"));
            bool ok = false;
            if (f[1] == u"641000") {
                QVERIFY2(f[6].isEmpty(), qPrintable(row));
                debit += number(f[5], &ok);
                ++debits[f[2]];
            } else {
                QCOMPARE(f[1], QStringLiteral("421000"));
                QVERIFY2(f[5].isEmpty(), qPrintable(row));
                credit += number(f[6], &ok);
                ++credits[f[2]];
            }
            QVERIFY2(ok, qPrintable(row));
        }
        for (const Slip &s : slips) {
            QCOMPARE(debits.value("Paie " + s.number), 1);
            QCOMPARE(credits.value("Paie " + s.number), 1);
        }
        QCOMPARE(rows.size(), 2 * slips.size());
        QCOMPARE(qRound64(debit * 100), qint64(468235));
        QCOMPARE(qRound64(credit * 100), qint64(468235));
    }
};

QTEST_GUILESS_MAIN(TestReportsJournal)
#include "test_reports_journal.moc"
