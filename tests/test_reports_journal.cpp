#include "fakeclock.h"
#include "reports/journal.h"
#include "reportsupport.h"
#include "testsupport.h"

#include <QDir>

using namespace reportsupport;

namespace {

// Payslips of period ends given, gross 1690,00, numbered 200201001 onwards.
Collection slips(const QStringList &periodEnds)
{
    QList<Slip> s;
    for (int i = 0; i < periodEnds.size(); ++i)
        s.append({QStringLiteral("2002010%1").arg(i + 1, 2, 10, QLatin1Char('0')), periodEnds[i], "10001", "DUPONT",
                  "1300,00", "390,00", "1690,00"});
    return payslips(s);
}

QDate d(const QString &text)
{
    return text::parseDate(text);
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
        QList<Person> people;
        for (const QString &a : accounts)
            people.append({QString::number(10001 + people.size()), "Nom", "", "", a});
        const Accounts got = Comptes(employees(people));
        QCOMPARE(got.debit, QStringLiteral("641000"));
        QCOMPARE(got.credit, credit);
    }

    // Two entries per payslip, debit first, in stored order.
    void journalEntriesWrong()
    {
        QList<int> progress;
        const QStringList entries = Journal(slips({"31/01/2002", "28/02/2002"}), {"641000", "421000"},
                                            [&](int i) { progress.append(i); });
        QCOMPARE(entries, (QStringList{"20020131\tS1\t31/01/2002\t641000\tPaie 200201001\t1690,00",
                                       "20020131\tS1\t31/01/2002\t421000\tPaie 200201001\t\t1690,00",
                                       "20020228\tS1\t28/02/2002\t641000\tPaie 200201002\t1690,00",
                                       "20020228\tS1\t28/02/2002\t421000\tPaie 200201002\t\t1690,00"}));
        QCOMPARE(progress, (QList<int>{0, 1}));
    }

    // The dates the window opens with, and the entries between them, both included.
    void dateRangeWrong_data()
    {
        QTest::addColumn<QStringList>("periodEnds");
        QTest::addColumn<QDate>("du");
        QTest::addColumn<QDate>("au");
        QTest::addColumn<QString>("shownDates");
        QTest::newRow("first and last payslip") << QStringList{"31/01/2002", "28/02/2002", "31/03/2002"} << QDate()
                                                << QDate() << "31/01 31/01 28/02 28/02 31/03 31/03";
        // Stored out of date order: from the first to the last in stored order, which holds
        // no entry until the user widens it.
        QTest::newRow("stored out of date order") << QStringList{"31/03/2002", "31/01/2002"} << QDate() << QDate()
                                                  << "";
        QTest::newRow("bounds included") << QStringList{"31/01/2002", "28/02/2002", "31/03/2002"}
                                         << d("28/02/2002") << d("31/03/2002") << "28/02 28/02 31/03 31/03";
        QTest::newRow("no payslip: today") << QStringList{} << QDate() << QDate() << "";
    }
    void dateRangeWrong()
    {
        QFETCH(QStringList, periodEnds);
        QFETCH(QDate, du);
        QFETCH(QDate, au);
        QFETCH(QString, shownDates);
        JournalModel model;
        model.Init(Journal(slips(periodEnds), Comptes(Collection())));
        if (du.isValid()) {
            model.setDu(du);
            model.setAu(au);
            model.Remplit();
        } else {
            const QDate first = periodEnds.isEmpty() ? m_clock.today() : d(periodEnds.first());
            const QDate last = periodEnds.isEmpty() ? m_clock.today() : d(periodEnds.last());
            QCOMPARE(model.du(), first);
            QCOMPARE(model.au(), last);
        }
        QStringList shown;
        for (int row = 1; row <= model.count(); ++row)
            shown.append(model.cell(row, 2).left(5));
        QCOMPARE(shown.join(u' '), shownDates);
        QCOMPARE(model.rowCount(), 63);
        QCOMPARE(model.cell(model.count() + 1, 2), QString());
    }

    // The export: the entries shown, in the order date, account, label, journal, an empty
    // field, debit, credit; Windows-1252 with CR LF; nothing after the last entry.
    void exportBytesWrong_data()
    {
        QTest::addColumn<QStringList>("periodEnds");
        QTest::addColumn<QDate>("du");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("one payslip") << QStringList{"31/01/2002"} << QDate()
                                     << QByteArray("31/01/2002\t641000\tPaie 200201001\tS1\t\t1690,00\t\r\n"
                                                   "31/01/2002\t421000\tPaie 200201001\tS1\t\t\t1690,00\r\n");
        QTest::newRow("range without entry") << QStringList{"31/01/2002"} << d("01/02/2002") << QByteArray();
        QTest::newRow("no payslip") << QStringList{} << QDate() << QByteArray();
    }
    void exportBytesWrong()
    {
        QFETCH(QStringList, periodEnds);
        QFETCH(QDate, du);
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(QStringLiteral("Journal.txt"));
        writeBytes(path, "previous contents");
        QString message;
        QVERIFY2(exporterJournal(slips(periodEnds), Collection(), du.isValid() ? std::optional(du) : std::nullopt,
                                 std::nullopt, path, &message),
                 qPrintable(message));
        QCOMPARE(fileBytes(path), bytes);
    }

    void moreThan63EntriesNotAllShown()
    {
        QStringList ends;
        for (int i = 0; i < 40; ++i)
            ends.append("31/01/2002");
        JournalModel model;
        model.Init(Journal(slips(ends), Comptes(Collection())));
        QCOMPARE(model.count(), 80);
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
        const QString path = m_dir.filePath(name);
        JournalModel model;
        model.Init(Journal(slips({"31/01/2002"}), Comptes(Collection())));
        QString message;
        QVERIFY(!model.exporter(path, &message));
        QCOMPARE(message, QStringLiteral("Impossible d'enregistrer le fichier ") + QDir::toNativeSeparators(path));
        QCOMPARE(fileBytes(m_dir.filePath("fichier")), QByteArray("inchangé"));
    }
};

QTEST_GUILESS_MAIN(TestReportsJournal)
#include "test_reports_journal.moc"
