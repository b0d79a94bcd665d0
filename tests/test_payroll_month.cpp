#include "fakeclock.h"
#include "payroll/monthpayroll.h"
#include "payroll/payslips.h"
#include "records/employeeform.h"
#include "records/payslipform.h"
#include "store/dossier.h"
#include "employeesupport.h"
#include "payrollsupport.h"

#include <QtTest>

using payrollsupport::parameters;
using payrollsupport::payslipLines;

namespace {

QStringList employee(const QString &code, const QString &name, const QString &profile, const QString &hours = "151,67",
                     const QString &salary = "1800")
{
    return ::employee({{EmployeeForm::kCode, code}, {EmployeeForm::kName, name}, {EmployeeForm::kJob, "Vendeur"},
                       {EmployeeForm::kHours, hours}, {EmployeeForm::kSalary, salary}, {EmployeeForm::kProfileCode, profile}});
}

// A payslip of the given month end, 120 h at 15, "Inclure C.P." ticked, transport 30.
QStringList payslip(const QString &number, const QString &code, const QString &end, const QString &validated = "N",
                    const QString &hours = "120")
{
    return payslipLines({{PayslipForm::kNumber, number}, {PayslipForm::kPeriodStart, "01/" + end.mid(3)},
                         {PayslipForm::kPeriodEnd, end}, {PayslipForm::kEmployeeCode, code}, {PayslipForm::kHours, hours},
                         {PayslipForm::kRate, "15"}, {PayslipForm::kMonthly, "N"}, {PayslipForm::kWithPaidLeave, "Y"},
                         {PayslipForm::kWithPrecarity, "N"}, {PayslipForm::kValidated, validated},
                         {PayslipForm::kOt25, "4"}, {PayslipForm::kTransport, "30"}, {PayslipForm::kAdvances, "100"}});
}

// 10001 with February's payslip, 10002 without any, 10003 without a profile.
Dossier threeEmployees(const QList<QStringList> &payslips = {payslip("200202001", "10001", "28/02/2002")})
{
    Dossier d;
    d.employees() = collectionOf({employee("10001", "DUPONT Jérôme", "P1"), employee("10002", "MARTIN Zoé", "P1"),
                                  employee("10003", "PETIT Léa", "")});
    d.profiles() = collectionOf({{"P1", "Standard", "DATAU01\tSécurité sociale\t10,00\t\tT"}});
    d.payslips() = collectionOf(payslips);
    return d;
}

const QDate kMarch(2002, 3, 1);

PayslipForm read(const Dossier &d, int block)
{
    PayslipForm f;
    LitBulletin(d.payslips(), block, f, QString());
    return f;
}

QStringList allLines(const Dossier &d)
{
    return d.employees().lines() + d.payslips().lines();
}

} // namespace

class TestPayrollMonth : public QObject
{
    Q_OBJECT
    PinnedClock m_clock{QDateTime(QDate(2002, 4, 2), QTime(9, 0))};

private Q_SLOTS:
    void monthReadOnlyAsMonthAndYear_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("first");
        QTest::newRow("MM/AAAA") << " 03/2002" << kMarch;
        QTest::newRow("one-digit month") << "3/2002" << kMarch;
        QTest::newRow("month 13") << "13/2002" << QDate();
        QTest::newRow("month 0") << "00/2002" << QDate();
        QTest::newRow("a date") << "01/03/2002" << QDate();
        QTest::newRow("two-digit year") << "03/02" << QDate();
    }
    void monthReadOnlyAsMonthAndYear()
    {
        QFETCH(QString, typed);
        QFETCH(QDate, first);
        QCOMPARE(dossierops::parseMonth(typed).value_or(QDate()), first);
    }

    // One payslip per employee with a profile, numbered in the month, the whole month, the
    // particulars and the inputs of the latest payslip (or of the record), calculated so that
    // the amounts are there; the employee without a profile gets none; run again, nothing.
    void monthPreparedFromLatestPayslips()
    {
        Dossier d = threeEmployees({payslip("200202001", "10001", "28/02/2002"),
                                    payslip("200201009", "10001", "31/01/2002", "N", "999"),
                                    payslip("200203007", "99999", "31/03/2002", "Y")});
        const dossierops::MonthOutcome o = dossierops::preparerMois(d, kMarch, parameters(), "0.00");
        QVERIFY2(o.status, qPrintable(o.status.message()));
        QVERIFY(o.count == 2 && d.payslips().count() == 5);

        const PayslipForm fromLast = read(d, 3);
        QCOMPARE((QStringList{fromLast.number, fromLast.periodStartText(), fromLast.periodEndText(), fromLast.employeeCode,
                              fromLast.address[0], fromLast.job}),
                 (QStringList{"200203008", "01/03/2002", "31/03/2002", "10001", "DUPONT Jérôme", "Vendeur"}));
        // Overtime is not taken: the calculation works it out from the hours.
        QCOMPARE((QStringList{fromLast.hours, fromLast.rate, fromLast.transport, fromLast.ot25, fromLast.advances,
                              fromLast.gross}),
                 (QStringList{"120", "15", "30", "0", "", "1800,00"}));
        QCOMPARE((QList<bool>{fromLast.monthly, fromLast.withPaidLeave, fromLast.withPrecarity, fromLast.validated}),
                 (QList<bool>{false, true, false, false}));

        const PayslipForm fromRecord = read(d, 4);
        QCOMPARE((QStringList{fromRecord.number, fromRecord.hours, fromRecord.rate, fromRecord.gross}),
                 (QStringList{"200203009", "151,67", "1800", "1800,00"}));
        QVERIFY(fromRecord.monthly);

        // The month's table: the payslip of 99999 ends in March too.
        QVERIFY(o.payslips.size() == 3 && o.payslips[1].number == "200203008" && o.payslips[1].netToPay == fromLast.netToPay);

        const QStringList after = allLines(d);
        const dossierops::MonthOutcome again = dossierops::preparerMois(d, kMarch, parameters(), "0.00");
        QVERIFY(again.status && again.count == 0);
        QCOMPARE(allLines(d), after);
    }

    // The latest payslip is the one of the latest period end, then of the highest number.
    void latestPayslipMisread_data()
    {
        QTest::addColumn<QList<QStringList>>("payslips");
        QTest::addColumn<int>("latest");
        QTest::newRow("later end, lower number") << QList<QStringList>{payslip("9", "10001", "28/02/2002"),
                                                                       payslip("100", "10001", "31/01/2002")} << 0;
        QTest::newRow("same end, higher number") << QList<QStringList>{payslip("100", "10001", "28/02/2002"),
                                                                       payslip("99", "10001", "28/02/2002")} << 0;
        QTest::newRow("an end that is not a date comes first")
            << QList<QStringList>{payslip("100", "10001", "31/02/2002"), payslip("1", "10001", "31/01/2002")} << 1;
        QTest::newRow("another employee's") << QList<QStringList>{payslip("1", "10002", "28/02/2002")} << -1;
    }
    void latestPayslipMisread()
    {
        QFETCH(QList<QStringList>, payslips);
        QFETCH(int, latest);
        QCOMPARE(dernierBulletin(collectionOf(payslips), " 10001"), latest);
    }

    // One payslip that cannot be calculated and the month changes nothing, with a message per
    // payslip naming its employee; only the chosen employees are prepared.
    void monthRefusedOrLimitedToChosen_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("added");
        QTest::newRow("a profile that does not exist")
            << "P9" << QStringList() << QStringList{"Bulletin 200203001 (10001 DUPONT Jérôme) : Profil P9 introuvable (employé 10001)",
                                                    "Bulletin 200203002 (10002 MARTIN Zoé) : Profil P9 introuvable (employé 10002)"}
            << 0;
        QTest::newRow("the chosen employee only") << "P1" << QStringList{"10002"} << QStringList() << 1;
    }
    void monthRefusedOrLimitedToChosen()
    {
        QFETCH(QString, profile);
        QFETCH(QStringList, codes);
        QFETCH(QStringList, messages);
        QFETCH(int, added);
        Dossier d = threeEmployees({});
        d.employees() = collectionOf({employee("10001", "DUPONT Jérôme", profile), employee("10002", "MARTIN Zoé", profile)});
        const QStringList before = allLines(d);
        const dossierops::MonthOutcome o = dossierops::preparerMois(
            d, kMarch, parameters(), "0.00", codes.isEmpty() ? std::nullopt : std::optional(codes));
        QCOMPARE(o.messages(), messages);
        QCOMPARE(o.status.ok(), messages.isEmpty());
        QCOMPARE(o.count, added);
        if (!messages.isEmpty())
            QCOMPARE(allLines(d), before);
        else
            QCOMPARE(read(d, 0).employeeCode, "10002");
    }

    // The sequence of the month follows its largest number, also a hand-made one, and goes
    // on past 999.
    void monthNumberTaken_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("next");
        QTest::newRow("another month's") << "200202005" << "200203001";
        QTest::newRow("the month's") << "200203041" << "200203042";
        QTest::newRow("past 999") << "200203999" << "2002031000";
    }
    void monthNumberTaken()
    {
        QFETCH(QString, existing);
        QFETCH(QString, next);
        Dossier d = threeEmployees({payslip(existing, "10001", "28/02/2002", "Y")});
        const auto o = dossierops::preparerMois(d, kMarch, parameters(), "0.00", QStringList{"10002"});
        QVERIFY(o.status);
        QCOMPARE(read(d, 1).number, next);
    }

    void fullFileRefusesTheMonth()
    {
        QList<QStringList> many;
        for (int i = 0; i < Collection::kMaxBlocks - 1; ++i)
            many.append(payslip(QString::number(i), "10009", "31/01/2002", "Y"));
        Dossier d = threeEmployees(many);
        const auto o = dossierops::preparerMois(d, kMarch, parameters(), "0.00");
        QCOMPARE(o.status.message(), Dossier::fullMessage());
        QCOMPARE(d.payslips().count(), Collection::kMaxBlocks - 1);
    }

    // "Valider tout" validates what is not validated yet, all or nothing; korvel-cli mois
    // --valider does both steps in one operation, which ends as the two steps do.
    void monthValidationAllOrNothing()
    {
        Dossier d = threeEmployees();
        QVERIFY(dossierops::preparerMois(d, kMarch, parameters(), "0.00").status);
        const auto ok = dossierops::validerMois(d, kMarch, parameters(), "0.00");
        QVERIFY(ok.status && ok.count == 2);
        for (const auto &p : ok.payslips)
            QVERIFY(p.validated);
        QCOMPARE(d.employees().lineOfBlock(1, EmployeeForm::kCumul).trimmed(), read(d, 2).taxableNet);
        Dossier inOne = threeEmployees();
        QCOMPARE(dossierops::preparerEtValiderMois(inOne, kMarch, parameters(), "0.00").count, 2);
        QCOMPARE(allLines(inOne), allLines(d));

        // An employee's cumul that does not read refuses the month, changing nothing.
        for (const bool inOne : {false, true}) {
            Dossier bad = threeEmployees();
            if (!inOne)
                QVERIFY(dossierops::preparerMois(bad, kMarch, parameters(), "0.00").status);
            QStringList second = bad.employees().blockContent(1);
            second[EmployeeForm::kCumul - 1] = "12a";
            bad.employees().writeBlock(1, second, Collection::Placement::InPlace);
            const QStringList before = allLines(bad);
            const auto refused = inOne ? dossierops::preparerEtValiderMois(bad, kMarch, parameters(), "0.00")
                                       : dossierops::validerMois(bad, kMarch, parameters(), "0.00");
            QCOMPARE(refused.messages(),
                     QStringList{"Bulletin 200203002 (10002 MARTIN Zoé) : '12a' n'est pas une valeur numérique correcte"});
            QCOMPARE(allLines(bad), before);
        }
    }

    void pdfNameUnsafe_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("digits") << "200203001" << "bulletin-200203001.pdf";
        QTest::newRow("a folder") << "../x/1" << "bulletin-.._x_1.pdf";
        QTest::newRow("empty") << "" << "bulletin-_.pdf";
    }
    void pdfNameUnsafe()
    {
        QFETCH(QString, number);
        QFETCH(QString, name);
        QCOMPARE(dossierops::pdfFileName(number), name);
    }
};

QTEST_GUILESS_MAIN(TestPayrollMonth)
#include "test_payroll_month.moc"
