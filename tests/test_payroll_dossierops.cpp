#include "fakeclock.h"
#include "payroll/calculation.h"
#include "payroll/dossierops.h"
#include "payroll/payslips.h"
#include "records/employeeform.h"
#include "records/payslipform.h"
#include "store/dossier.h"
#include "employeesupport.h"
#include "payrollsupport.h"
#include "testsupport.h"

#include <QtTest>

using payrollsupport::payslipLines;

namespace {

// An employee whose birth, entry and leaving dates are blank, with a note and `rows` history
// rows; profile 10001.
QStringList employee(const QString &code, const QString &cumul, int rows)
{
    QStringList extra{"MEMOà voir"};
    for (int i = 0; i < rows; ++i)
        extra.append(QStringLiteral("DATA01/01/2002\tLigne %1\t      100,00").arg(i + 1));
    return ::employee({{EmployeeForm::kCode, code}, {EmployeeForm::kName, "DURAND Paul"}, {EmployeeForm::kProfileCode, "10001"},
                       {EmployeeForm::kProfileName, "Standard"}, {EmployeeForm::kCumul, cumul}}, extra);
}

QStringList payslip(const QString &number, const QString &code, const QString &hours, const QString &validated)
{
    return payslipLines({{PayslipForm::kNumber, number}, {PayslipForm::kPeriodStart, "01/03/2002"},
                         {PayslipForm::kPeriodEnd, "31/03/2002"}, {PayslipForm::kEmployeeCode, code},
                         {PayslipForm::kHours, hours}, {PayslipForm::kRate, "15"}, {PayslipForm::kValidated, validated}});
}

Dossier dossierOf(const QList<QStringList> &employees, const QList<QStringList> &payslips)
{
    Dossier d;
    d.employees() = collectionOf(employees);
    d.profiles() = collectionOf({{"10001", "Standard", "DATAU01\tSécurité sociale\t10,00\t\tT"}});
    d.payslips() = collectionOf(payslips);
    return d;
}

struct ValidationRow {
    const char *why;
    QString hours, validated, cumul;
    int rows;
    QString message; // empty: validated
};
const ValidationRow kValidationRows[] = {
    {"calculated first, blank dates kept", "100", "N", "  1000,00", 2, ""},
    {"a full history drops its oldest row", "100", "N", "", EmployeeForm::kHistoryRows, ""},
    {"already validated", "100", "Y", "  1000,00", 2, "Ce bulletin est déjà validé"},
    {"hours that are not a number", "12h", "N", "  1000,00", 2, "'12h' n'est pas une valeur numérique correcte"},
    {"cumul that is not a number", "100", "N", "1,2,3", 2, "'1,2,3' n'est pas une valeur numérique correcte"},
};

} // namespace

Q_DECLARE_METATYPE(ValidationRow)

class TestPayrollDossierOps : public QObject
{
    Q_OBJECT
    PinnedClock m_clock{QDateTime(QDate(2002, 3, 14), QTime(9, 0))};

private Q_SLOTS:
    // A validation writes the payslip calculated from its inputs, validated, with the new
    // cumul; of its employee only the cumul and one history row change. A refusal changes
    // nothing.
    void validationChangesOnlyItsFields_data() { addRows(kValidationRows); }
    void validationChangesOnlyItsFields()
    {
        QFETCH(ValidationRow, row);
        Dossier d = dossierOf({employee("10002", "", 0), employee("10001", row.cumul, row.rows)},
                              {payslip("200203001", "10001", row.hours, row.validated)});
        const QStringList employeeBefore = d.employees().blockContent(1);
        const QStringList before = d.employees().lines() + d.payslips().lines();

        // What "Calculer bulletin" gives on the same inputs.
        PayslipForm expected;
        LitBulletin(d.payslips(), 0, expected, QString());
        calculatePayslip(expected, payrollsupport::parameters(95), "0.00", [&](const QString &key) {
            return findPayslipEmployee(d.employees(), d.profiles(), key);
        });

        int found = -2;
        const Status v = dossierops::Valider(d, 0, payrollsupport::parameters(95), "0.00", &found);
        if (!row.message.isEmpty()) {
            QCOMPARE(v.message(), row.message);
            QCOMPARE(d.employees().lines() + d.payslips().lines(), before);
            return;
        }
        QVERIFY(v);
        QCOMPARE(found, 1);
        PayslipForm validated;
        LitBulletin(d.payslips(), 0, validated, QString());
        const QString cumul = QStringLiteral("%1").arg(QLocale::c().toString(1000.0 * !row.cumul.isEmpty() + 1350, 'f', 2).replace('.', ','), 11);
        QCOMPARE((QStringList{validated.gross, validated.taxableNet, validated.netToPay, validated.cumul}),
                 (QStringList{expected.gross, "1350,00", "1350,00", cumul}));
        QVERIFY(validated.validated);

        QStringList expectedEmployee = employeeBefore;
        expectedEmployee[EmployeeForm::kCumul - 1] = cumul;
        if (row.rows == EmployeeForm::kHistoryRows)
            expectedEmployee.removeAt(EmployeeForm::kFieldCount + 1);
        expectedEmployee.append("DATA14/03/2002\tPaie N°200203001\t     1350,00");
        QCOMPARE(d.employees().blockContent(1), expectedEmployee);
        QCOMPARE(d.employees().blockContent(0), employee("10002", "", 0));
    }

    // A validated payslip stays: its net is in the cumul and the history.
    void deletingAValidatedPayslipRefused()
    {
        Dossier d = dossierOf({employee("10001", "", 0)}, {payslip("1", "10001", "100", "Y"), payslip("2", "10001", "100", "N")});
        const Status refused = dossierops::SupprimerBulletin(d, 0);
        QCOMPARE(refused.message(), QString("Un bulletin validé ne peut pas être supprimé"));
        QCOMPARE(d.payslips().count(), 2);
        QVERIFY(dossierops::SupprimerBulletin(d, 1));
        QCOMPARE(d.payslips().count(), 1);
        QCOMPARE(payslipCount(d.payslips(), " 10001"), 1);
    }

    // The typed cumul completed; only the cumul line of that employee changes; blank and
    // unreadable texts change nothing.
    void cumulModifiedWrongly()
    {
        for (auto [typed, stored] : {std::pair<QString, QString>("1234", "    1234,00"), {"12,3456", "      12,34"},
                                     {",5", "        0,5"}, {"", ""}, {"1a", ""}}) {
            QCOMPARE(completerCumul(typed).isEmpty(), typed.isEmpty());
            Dossier d = dossierOf({employee("10001", "100,00", 1), employee("10002", "7", 0)}, {});
            const QStringList first = d.employees().blockContent(0);
            QStringList expected = d.employees().blockContent(1);
            const Status s = dossierops::Modifier(d, 1, typed);
            QCOMPARE(bool(s), !stored.isEmpty());
            QCOMPARE(s.message(), typed == "1a" ? QString("'1a' n'est pas une valeur numérique correcte") : QString());
            if (!stored.isEmpty())
                expected[EmployeeForm::kCumul - 1] = stored;
            QCOMPARE(d.employees().blockContent(1), expected);
            QCOMPARE(d.employees().blockContent(0), first);
        }
    }

    // Every cumul goes to 0; a block cut short before its cumul is left.
    void closingMissesCumuls()
    {
        const QStringList shortBlock = employee("3", "9", 0).mid(0, 20);
        Dossier d = dossierOf({employee("1", "  10,00", 1), employee("2", "", 0), shortBlock}, {});
        QCOMPARE(dossierops::Cloturer(d), 2);
        QCOMPARE((QStringList{d.employees().lineOfBlock(0, EmployeeForm::kCumul), d.employees().lineOfBlock(1, EmployeeForm::kCumul)}),
                 (QStringList{"0", "0"}));
        QCOMPARE(d.employees().blockContent(0).mid(EmployeeForm::kFieldCount), employee("1", "", 1).mid(EmployeeForm::kFieldCount));
        QCOMPARE(d.employees().blockContent(2), shortBlock);
    }
};


QTEST_GUILESS_MAIN(TestPayrollDossierOps)
#include "test_payroll_dossierops.moc"
