// The journal export as the accountant's spreadsheet reads it: LibreOffice Calc opens the
// tab-separated file with French settings and writes it back as CSV.
#include "reports/journal.h"
#include "reportsupport.h"
#include "testsupport.h"

#include <QProcess>
#include <QStandardPaths>

using namespace reportsupport;

class TestReportsLibreOffice : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;

private Q_SLOTS:
    void calcNotReadingOneBalancedPairPerPayslip();
};

void TestReportsLibreOffice::calcNotReadingOneBalancedPairPerPayslip()
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    QVERIFY2(!soffice.isEmpty(), "LibreOffice (soffice) is missing: run scripts/deps --test");
    const QList<Slip> slips = threeMonths();
    const QString txt = m_tmp.filePath("Journal.txt");
    QString message;
    QVERIFY2(exporterJournal(payslips(slips), employees(staff()), std::nullopt, std::nullopt, txt, &message),
             qPrintable(message));

    // In: TAB, '"', Windows-1252, from line 1, French. Out: ';', '"', UTF-8.
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(soffice, {"-env:UserInstallation=file://" + m_tmp.filePath("profile"), "--headless",
                      "--infilter=Text - txt - csv (StarCalc):9,34,1,1,,1036",
                      "--convert-to", "csv:Text - txt - csv (StarCalc):59,34,76", "--outdir", m_tmp.filePath("csv"), txt});
    QVERIFY(p.waitForFinished(120000));
    QCOMPARE(p.exitCode(), 0);
    QStringList rows = QString::fromUtf8(fileBytes(m_tmp.filePath("csv/Journal.csv"))).split(QRegularExpression("\r?\n"));
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

QTEST_GUILESS_MAIN(TestReportsLibreOffice)
#include "test_reports_libreoffice.moc"
