#include "fakeclock.h"
#include "reports/chart.h"
#include "reports/journal.h"
#include "reports/statsmodel.h"
#include "reportsupport.h"
#include "testsupport.h"

#include <QProcess>
#include <QStandardPaths>

using namespace reportsupport;
using namespace Qt::StringLiterals;

namespace {

// Payslips of the period ends given, gross 1690,00, numbered 200201001 onwards.
Collection slips(const QStringList &periodEnds)
{
    QList<Slip> s;
    for (int i = 0; i < periodEnds.size(); ++i)
        s.append({QString("20020100%1").arg(i + 1), periodEnds[i], "10001", "DUPONT", "1300,00", "390,00", "1690,00"});
    return payslips(s);
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT
    PinnedClock m_clock;
    QTemporaryDir m_dir;

private Q_SLOTS:
    // The three months of reportsupport worked out by hand (format "0.00"), in order of first
    // appearance, and the window's order as indexes into it. Employee 12 keeps a line of its
    // own beside 123 and has no record (so no profile); an empty net is not counted; a payslip
    // without deductions counts in its month; a payslip line goes to the caisse of its
    // rubrique's code, "Zèle", which its profile lacks, to "?"; a caisse amount "abc" leaves
    // that caisse's totals; CRICA's address "Usine 3" does not make it the caisse of the letter U.
    void statisticTotalsWrong()
    {
        const Collection pay = payslips(threeMonths());
        struct Row { StatsKind kind; QStringList expected; QList<int> windowOrder; };
        for (const Row &r : {Row{StatsKind::Employes, {"10001\tDUPONT Jean-Pierre\t1500,50", "10002\tMARTIN Paul\t2001,50",
                                                       "123\tLEGRAND Marc\t100,00", "12\tPETIT Léa\t300,00"}, {0, 1, 3, 2}},
                             Row{StatsKind::Paies, {"Janvier 2002\t3000,50\t600,25", "Février 2002\t600,50\t120,10",
                                                    "Mars 2002\t301,00\t50,00"}, {0, 1, 2}},
                             Row{StatsKind::Profils, {"10001 Standard\t1600,50", "10002 Cadre\t2001,50"}, {0, 1}},
                             Row{StatsKind::Caisses, {"U\tURSSAF\t17,50\t28,50", "A\tASSEDIC\t5,00\t0", "R\tCRICA\t0\t12,00",
                                                      "?\t???\t1,00\t1,00"}, {3, 1, 2, 0}}}) {
            QList<int> progress;
            const Progress record = [&](int i) { progress.append(i); };
            QStringList got;
            switch (r.kind) {
            case StatsKind::Employes: got = StatsEmp(pay, "0.00", record); break;
            case StatsKind::Paies: QVERIFY(StatsPaie(pay, "0.00", got, record)); break;
            case StatsKind::Profils: got = StatsProfils(pay, staff(), "0.00", record); break;
            case StatsKind::Caisses: got = StatsCaisses(pay, staff(), staffProfiles(), caisses(), "0.00", record); break;
            }
            QCOMPARE(got, r.expected);
            QCOMPARE(progress, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
            QStringList ordered;
            for (int i : r.windowOrder)
                ordered.append(r.expected[i]);
            QStringList lines;
            QVERIFY(statistiques(r.kind, pay, staff(), staffProfiles(), caisses(), "0.00", lines));
            QCOMPARE(lines, ordered);
        }
    }

    // A payslip line counts for the caisse whose letter begins the code of the rubrique it came
    // from, found in the profile of the payslip's employee: the rubrique at the line's place
    // when it carries the line's label, else the first of the profile with that label; "?" when
    // none. Each line adds 1,00 and 2,00.
    void caisseNotTheRubriquesOne()
    {
        struct Row { const char *name; QList<Rubrique> profile; QStringList labels; QString employee; QStringList expected; };
        const QStringList caisses{"URSSAF\t\t\t\t\t\t\t\tU", "Pôle emploi\t\t\t\t\t\t\t\tA", "Retraite\t\t\t\t\t\t\t\tD"};
        const QList<Rubrique> twice{rubrique("U100", "Maladie"), rubrique("D302", "Prévoyance"), rubrique("P303", "Prévoyance")};
        for (const Row &r : {Row{"shared label at its place", twice, {"Maladie", "Prévoyance", "Prévoyance"}, "10001",
                                 {"U\tURSSAF\t1,00\t2,00", "D\tRetraite\t1,00\t2,00", "P\t???\t1,00\t2,00"}},
                             Row{"shared label out of place", twice, {"Prévoyance"}, "10001", {"D\tRetraite\t1,00\t2,00"}},
                             Row{"rubrique removed", twice, {"Maladie", "Taxe supprimée"}, "10001",
                                 {"U\tURSSAF\t1,00\t2,00", "?\t???\t1,00\t2,00"}},
                             Row{"employee without record", twice, {"Maladie"}, "10009", {"?\t???\t1,00\t2,00"}}}) {
            Slip slip{"200201001", "31/01/2002", r.employee, "DUPONT", "1,00", "1,00", "1,00"};
            for (const QString &label : r.labels)
                slip.lines.append(PayslipLine{label, "100,00", {}, "1,00", {}, "2,00"});
            const QStringList got = StatsCaisses(payslips({slip}), employees({{"10001", "10001", "Standard", ""}}),
                                                 profiles({{"10001", r.profile}}), caisses, "0.00");
            QVERIFY2(got == r.expected, qPrintable(QString(r.name) + ": " + got.join(u'|')));
        }
    }

    // A payslip whose period end is not a date stops the statistic by month and the journal,
    // named by its number (by its place without one), rather than count under some month; a
    // payslip that neither would count does not.
    void payslipPostedUnderAnotherMonth()
    {
        struct Row { Slip slip; QString refusal; };
        for (const Row &r : {Row{{"200204001", "31/04/2002", "10001", "DUPONT", "10,00", "1,00", "12,00"},
                                 "Le bulletin 200204001 a une date de fin de période illisible"},
                             Row{{"", "", "10001", "DUPONT", "10,00", "1,00", "12,00"},
                                 "Le bulletin 2 a une date de fin de période illisible"},
                             Row{{"200204002", "31/04/2002", "10001", "DUPONT", "", "", ""}, ""}}) {
            const Collection pay = payslips({{"200201001", "31/01/2002", "10001", "DUPONT", "10,00", "1,00", "12,00"}, r.slip});
            QStringList lines{"old"};
            JournalEntries entries{{"old"}, 7};
            const QList<Status> got{StatsPaie(pay, "0.00", lines), Journal(pay, {"641000", "421000"}, entries),
                                    exporterJournal(pay, Collection(), std::nullopt, std::nullopt, m_dir.filePath("j.txt"))};
            for (const Status &s : got)
                QCOMPARE(s.message(), r.refusal);
            if (!r.refusal.isEmpty())
                QVERIFY(lines.isEmpty() && entries.lines.isEmpty() && entries.uncalculated == 0);
        }
    }

    // Totals are texts rounded to the format at every addition. "#": 0,4 then 0,8 -> 1, then
    // 1,4 -> 1 twice, where the unrounded sum gives 2. Months: net and deductions are the same
    // amount; caisses: the employer amount is 1 at each step.
    void totalNotRoundedAtEveryAddition()
    {
        struct Row { StatsKind kind; QString format; QStringList amounts; QString expected; };
        for (const Row &r : {Row{StatsKind::Employes, "#", {"0,4", "0,4", "0,4", "0,4"}, "k\tnom\t1"},
                             Row{StatsKind::Employes, "0.00", {" 1,5 "}, "k\tnom\t1,5"},
                             Row{StatsKind::Employes, "#", {"5", "-5", "3"}, "k\tnom\t3"},
                             Row{StatsKind::Employes, "0.00", {"10,00", "1.5"}, "k\tnom\t10,00"},
                             Row{StatsKind::Paies, "0.00", {"2,00", "x"}, "k\t2,00\t2,00"},
                             Row{StatsKind::Caisses, "0.00", {"", "2"}, "k\t2,00\t2,00"},
                             Row{StatsKind::Caisses, "0.00", {"3,00", "y"}, "k\t3,00\t1"}}) {
            StatsList list;
            for (const QString &a : r.amounts) {
                if (r.kind == StatsKind::Employes)
                    CumulEmp(list, "k", "nom", a, r.format);
                else if (r.kind == StatsKind::Paies)
                    CumulMois(list, "k", a, a, r.format);
                else
                    CumulCaisse(list, "k", a, "1", r.format);
            }
            QCOMPARE(list.lines(), QStringList{r.expected});
        }
    }

    // The statistics and journal grids hold every line, numbered, past their 63 first rows,
    // and hand them all to the chart, the printer and the export; no payslip: the header only.
    void gridNotHoldingEveryLine()
    {
        StatsModel model(StatsKind::Employes);
        model.Init(QStringList(70, "10001\tNom\t1,00"));
        QCOMPARE((QList<qsizetype>{model.rowCount(), model.chartTexts().size(), model.printedGrid().rows.size()}),
                 (QList<qsizetype>{70, 70, 70}));
        JournalModel journal;
        JournalEntries entries;
        QVERIFY(Journal(slips(QStringList(40, "31/01/2002")), Comptes(Collection()), entries));
        journal.Init(entries);
        QCOMPARE((QList<qsizetype>{journal.rowCount(), journal.exportLines().size(), journal.printedGrid().rows.size()}),
                 (QList<qsizetype>{80, 80, 80}));
        QCOMPARE((QStringList{model.cell(70, 0), journal.cell(80, 0)}), (QStringList{"70", "80"}));
        StatsModel none(StatsKind::Employes);
        none.Init({});
        QCOMPARE((QList<qsizetype>{none.rowCount(), none.cell(1, 0).size(), none.chartTexts().size()}), (QList<qsizetype>{63, 0, 0}));
    }

    // The chart of a statistic: its name, the key and amount headers, the last 32 keys each
    // with its own amount, a scale that holds every bar (an empty chart too) and the amounts'
    // decimals; a text that is not a number refuses the chart.
    void chartBarsNotTheirKeys()
    {
        StatsModel model(StatsKind::Paies);
        QStringList lines;
        for (int i = 1; i <= 40; ++i)
            lines << u"Mois %1\t%2,5\t-3"_s.arg(i).arg(i * 100);
        model.Init(lines);
        Chart chart;
        QVERIFY(chart.Init(model));
        const StatsDescription &d = model.description();
        QCOMPARE((QStringList{chart.title(), chart.keyTitle(), chart.valueTitle()}),
                 (QStringList{d.caption, d.columns[1].header, d.columns[size_t(d.chartColumn)].header}));
        QCOMPARE(chart.bars().size(), Chart::kMaxBars);
        QCOMPARE((QStringList{chart.bars().first().key, chart.bars().first().text, chart.hoverText(31)}),
                 (QStringList{"Mois 9", "-3", "Mois 40 : -3"}));
        QCOMPARE((QList<double>{chart.lowest(), chart.highest(), double(chart.decimals())}), (QList<double>{-3, 1, 0}));
        QVERIFY(chart.uprightKeys());

        struct Row { QStringList texts; double lowest, highest; int decimals; };
        for (const Row &r : {Row{{}, 0, 1, 0}, Row{{"12,5", " 1500,25 ", "7"}, 0, 1500.25, 2}}) {
            QVERIFY(chart.Init(u"T"_s, u"K"_s, u"V"_s, QStringList(r.texts.size(), u"A"_s), r.texts));
            QCOMPARE((QList<double>{chart.lowest(), chart.highest(), double(chart.decimals())}),
                     (QList<double>{r.lowest, r.highest, double(r.decimals)}));
            QVERIFY(!chart.uprightKeys());
        }
        QString message;
        QVERIFY(!chart.Init(u"T"_s, u"K"_s, u"V"_s, {u"A"_s, u"B"_s}, {u"1"_s, u"1x"_s}, &message));
        QCOMPARE(message, u"'1x' n'est pas une valeur numérique correcte"_s);
        QCOMPARE(chart.bars().size(), 3);
    }

    // The debit account is fixed; the credit one is the first employee's that is not empty,
    // cut to six characters, else 421000.
    void creditAccountWrong()
    {
        for (auto [first, second, credit] : {std::tuple("421", "512", "421000"), std::tuple("", "", "421000"),
                                             std::tuple("", "4111111", "411111")}) {
            const Accounts got = Comptes(employees({{"10001", "", "", first}, {"10002", "", "", second}}));
            QCOMPARE((QStringList{got.debit, got.credit}), (QStringList{"641000", credit}));
        }
    }

    // Two entries per payslip, debit first, in stored order; a payslip without gross pay was
    // never calculated: no entry, but counted for the window to say so. Exported as date,
    // account, label, journal, an empty field, debit, credit, with CRLF (written as every text
    // file is: its bytes are the text tests'); without dates, every entry, whatever the stored order.
    void entriesOrExportBytesWrong()
    {
        QList<int> progress;
        QList<Slip> three{{"200201001", "31/01/2002", "10001", "DUPONT", "1300,00", "390,00", "1690,00"},
                          {"200201002", "31/01/2002", "10002", "MARTIN", "", "", " "},
                          {"200201003", "28/02/2002", "10001", "DUPONT", "1300,00", "390,00", "1690,00"}};
        JournalEntries entries;
        QVERIFY(Journal(payslips(three), {"641000", "421000"}, entries, [&](int i) { progress.append(i); }));
        QCOMPARE(entries.lines, (QStringList{"20020131\tS1\t31/01/2002\t641000\tPaie 200201001\t1690,00",
                                             "20020131\tS1\t31/01/2002\t421000\tPaie 200201001\t\t1690,00",
                                             "20020228\tS1\t28/02/2002\t641000\tPaie 200201003\t1690,00",
                                             "20020228\tS1\t28/02/2002\t421000\tPaie 200201003\t\t1690,00"}));
        QCOMPARE(progress, (QList<int>{0, 1, 2}));
        JournalModel model;
        model.Init(entries);
        QCOMPARE((QStringList{model.statusText(), JournalModel::uncalculatedText(3), JournalModel::uncalculatedText(0)}),
                 (QStringList{"1 bulletin non calculé n'est pas repris", "3 bulletins non calculés ne sont pas repris", ""}));
        const QString path = m_dir.filePath("Journal.txt");
        int uncalculated = 0;
        QVERIFY(exporterJournal(slips({"31/01/2002", "28/02/2002"}), Collection(), std::nullopt, QDate(2002, 1, 31), path));
        QCOMPARE(fileBytes(path), QByteArray("31/01/2002\t641000\tPaie 200201001\tS1\t\t1690,00\t\r\n"
                                             "31/01/2002\t421000\tPaie 200201001\tS1\t\t\t1690,00\r\n"));
        QVERIFY(exporterJournal(payslips({three[2], three[1], three[0]}), Collection(), std::nullopt, std::nullopt, path,
                                &uncalculated));
        QCOMPARE(QString::fromLatin1(fileBytes(path)).split("\r\n"),
                 (QStringList{"28/02/2002\t641000\tPaie 200201003\tS1\t\t1690,00\t",
                              "28/02/2002\t421000\tPaie 200201003\tS1\t\t\t1690,00",
                              "31/01/2002\t641000\tPaie 200201001\tS1\t\t1690,00\t",
                              "31/01/2002\t421000\tPaie 200201001\tS1\t\t\t1690,00", ""}));
        QCOMPARE(uncalculated, 1);
    }

    // The dates the window opens with (the first and last payslip in stored order, today when
    // none), and the entries between them, both included.
    void dateRangeWrong()
    {
        struct Row { QStringList periodEnds; QDate du; QString shown; };
        const QStringList three{"31/01/2002", "28/02/2002", "31/03/2002"};
        for (const Row &r : {Row{three, QDate(), "31/01 31/01 28/02 28/02 31/03 31/03"},
                             Row{{"31/03/2002", "31/01/2002"}, QDate(), ""},
                             Row{three, QDate(2002, 2, 28), "28/02 28/02 31/03 31/03"}, Row{{}, QDate(), ""}}) {
            JournalModel model;
            JournalEntries entries;
            QVERIFY(Journal(slips(r.periodEnds), Comptes(Collection()), entries));
            model.Init(entries);
            QCOMPARE(model.du(), r.periodEnds.isEmpty() ? m_clock.today() : text::parseDate(r.periodEnds.first()));
            QCOMPARE(model.au(), r.periodEnds.isEmpty() ? m_clock.today() : text::parseDate(r.periodEnds.last()));
            if (r.du.isValid()) {
                model.setDu(r.du);
                model.Remplit();
            }
            QStringList shown;
            for (const QString &line : model.exportLines())
                shown.append(line.left(5));
            QCOMPARE(shown.join(u' '), r.shown);
            QCOMPARE(model.cell(model.count() + 1, 2), QString());
        }
    }

    // The export as the accountant's spreadsheet reads it: LibreOffice Calc opens it with
    // French settings (TAB, '"', Windows-1252, from line 1) and writes it back as CSV (';',
    // UTF-8): one balanced pair per payslip, amounts read as numbers.
    void calcNotReadingOneBalancedPairPerPayslip()
    {
        const QString soffice = QStandardPaths::findExecutable("soffice");
        QVERIFY2(!soffice.isEmpty(), "LibreOffice (soffice) is missing: run scripts/deps --test");
        const QString txt = m_dir.filePath("Journal.txt");
        QVERIFY(exporterJournal(payslips(threeMonths()), staff(), std::nullopt, std::nullopt, txt));
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(soffice, {"-env:UserInstallation=file://" + m_dir.filePath("profile"), "--headless",
                          "--infilter=Text - txt - csv (StarCalc):9,34,1,1,,1036",
                          "--convert-to", "csv:Text - txt - csv (StarCalc):59,34,76", "--outdir", m_dir.filePath("csv"), txt});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QStringList rows = QString::fromUtf8(fileBytes(m_dir.filePath("csv/Journal.csv"))).split(QRegularExpression("\r?\n"));
        rows.removeAll(QString());
        QMap<QString, int> pairs;
        double debit = 0, credit = 0;
        for (const QString &row : rows) {
            const QStringList f = row.split(u';');
            QCOMPARE(f.size(), 7);
            QCOMPARE(f[3], QStringLiteral("S1"));
            const bool isDebit = f[1] == u"641000";
            QVERIFY2(isDebit || f[1] == u"421000", qPrintable(row));
            QVERIFY2(f[isDebit ? 6 : 5].isEmpty(), qPrintable(row));
            bool ok = false;
            (isDebit ? debit : credit) += QString(f[isDebit ? 5 : 6]).replace(u',', u'.').toDouble(&ok);
            QVERIFY2(ok, qPrintable(row));
            pairs[f[2]] += isDebit ? 1 : 100;
        }
        for (const Slip &s : threeMonths())
            QCOMPARE(pairs.value("Paie " + s.number), 101);
        QCOMPARE(rows.size(), 2 * threeMonths().size());
        QCOMPARE((QList<qint64>{qRound64(debit * 100), qRound64(credit * 100)}), (QList<qint64>{468235, 468235}));
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "test_reports.moc"
