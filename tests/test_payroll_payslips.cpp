#include "fakeclock.h"
#include "payroll/codeindex.h"
#include "payroll/payslipform.h"
#include "payroll/payslips.h"
#include "storesupport.h"

#include <QtTest>

namespace {

// An employee block's 29 positional lines.
QStringList employeeBlock(const QString &code, const QString &name, const QString &cumul)
{
    QStringList f(EmployeeForm::kFieldCount);
    f[0] = code;
    f[3] = name;
    f[5] = "1 rue Haute";
    f[7] = "69003";
    f[8] = "LYON";
    f[11] = "Comptable";
    f[19] = "2 70 03";
    f[26] = cumul;
    return f;
}

// A payslip block's 26 positional lines: number, employee code, validated flag.
QStringList payslip(const QString &number, const QString &code, const QString &validated = "N")
{
    QStringList f(PayslipForm::kFieldCount);
    f[0] = number;
    f[1] = "01/03/2002";
    f[2] = "31/03/2002";
    f[3] = code;
    f[10] = "Nom " + code;
    f[15] = validated;
    return f;
}

Collection collectionOf(const QList<QStringList> &contents)
{
    QStringList lines;
    for (int n = 0; n < contents.size(); ++n)
        lines += blk(n, contents[n]);
    return make(lines);
}

} // namespace

class TestPayrollPayslips : public QObject
{
    Q_OBJECT
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase()
    {
        m_clock.moment = QDateTime(QDate(2002, 3, 14), QTime(9, 0));
        Clock::setInstance(&m_clock);
    }
    void cleanupTestCase() { Clock::setInstance(nullptr); }

    void unreadableLineMarksModified_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("validated");
        QTest::newRow("date illisible") << 2 << "31/02/2002" << "200203001" << false;
        QTest::newRow("numéro vide") << 1 << "" << "777" << false;
        QTest::newRow("drapeau inconnu") << 16 << "y" << "200203001" << false;
        QTest::newRow("validé") << 16 << "Y" << "200203001" << true;
    }

    // Odd lines read as their defaults, the payslip is not marked modified, and a payslip shown
    // and left writes nothing.
    void unreadableLineMarksModified()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, number);
        QFETCH(bool, validated);
        QStringList content = payslip("200203001", "10001");
        content[1] = "01/02/2002";
        content[line - 1] = text;
        Collection c = collectionOf({content, payslip("200203002", "10002")});
        const QStringList before = c.lines();
        PayslipForm f;
        LitBulletin(c, 0, f, "777");
        QCOMPARE(f.number, number);
        QCOMPARE(f.periodStart, line == 2 ? QDate(2002, 3, 1) : QDate(2002, 2, 1));
        QCOMPARE(f.validated, validated);
        QVERIFY(!f.edited);
        DeplacerBulletin(c, f, Move::Suivant, {}, "777");
        QCOMPARE(c.lines(), before);
    }

    void periodEndsOnWrongDay_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("end");
        QTest::newRow("février bissextile") << QDate(2024, 2, 10) << QDate(2024, 2, 29);
        QTest::newRow("février ordinaire") << QDate(2023, 2, 10) << QDate(2023, 2, 28);
        QTest::newRow("février 2100, sans 29") << QDate(2100, 2, 10) << QDate(2100, 2, 28);
        QTest::newRow("30 jours") << QDate(2002, 4, 30) << QDate(2002, 4, 30);
        QTest::newRow("décembre") << QDate(2002, 12, 1) << QDate(2002, 12, 31);
    }

    void periodEndsOnWrongDay()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, end);
        QCOMPARE(periodStartFor(today), QDate(today.year(), today.month(), 1));
        QCOMPARE(periodEndFor(today), end);
    }

    void newPayslipMissesEmployeeOrNumber()
    {
        // A count left at 1 without any block: the new payslip is block 0, reachable.
        Collection c = make({" "});
        c.setCount(1);
        const Collection emps = collectionOf({employeeBlock("10001", "DURAND Paul", "")});
        EmployeeForm e;
        LitFiche(emps, 0, e);
        PayslipForm f;
        QString next;
        CodeIndex numbers;
        QVERIFY(NouvBulletin(c, f, next, &e, &numbers));
        QCOMPARE(c.current(), 0);
        QCOMPARE(f.number, QString("200203001"));
        QCOMPARE(f.periodEnd, QDate(2002, 3, 31));
        QCOMPARE(f.address[3], QString("69003 LYON"));
        QCOMPARE(QStringList({f.employeeCode, f.address[0], f.job, f.socialSecurity}),
                 QStringList({"10001", "DURAND Paul", "Comptable", "2 70 03"}));
        QVERIFY(f.edited && !f.validated);
        // The plain new record: the first one is written as it is left, the next numbered after it.
        QVERIFY(NouvBulletin(c, f, next, nullptr, &numbers));
        QCOMPARE(c.count(), 2);
        QCOMPARE(f.number, QString("200203002"));
        QVERIFY(f.employeeCode.isEmpty());

        Collection full;
        full.setCount(Collection::kMaxBlocks);
        QString message;
        QVERIFY(!NouvBulletin(full, f, next, nullptr, nullptr, &message));
        QCOMPARE(message, QString("Le fichier est plein"));
    }

    void validationCountsCumulTwiceOrWrongEmployee_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("employee");
        QTest::addColumn<QString>("cumul");
        QTest::newRow("code exact, pas le préfixe") << "1000" << 2 << "     250,50";
        QTest::newRow("espaces et casse") << " a7 " << 1 << "    1250,50";
        QTest::newRow("code vide") << "" << -1 << "";
        QTest::newRow("aucun employé") << "99" << -1 << "";
    }

    void validationCountsCumulTwiceOrWrongEmployee()
    {
        QFETCH(QString, code);
        QFETCH(int, employee);
        QFETCH(QString, cumul);
        Collection emps = collectionOf({employeeBlock("10001", "A", "500"), employeeBlock("A7", "B", "  1000,00"),
                                        employeeBlock("1000", "C", "")});
        QStringList content = payslip("200203004", code);
        content[22] = "250,5"; // "Net imposable"
        content[24] = "1280,3"; // "NET A PAYER"
        Collection pays = collectionOf({payslip("200203001", "10001"), content});
        pays.setCurrent(1);
        PayslipForm f;
        LitBulletin(pays, 1, f, "");
        // The employees page shows employee 0 with a change not yet written.
        EmployeeForm shown;
        LitFiche(emps, 0, shown);
        shown.note = {"modifié"};
        shown.edited = true;
        CodeIndex codes;

        const Validation v = Valider(pays, f, emps, shown, "0.00", &codes);
        QVERIFY(v.done);
        QCOMPARE(v.employee, employee);
        PayslipForm back;
        LitBulletin(pays, 1, back, "");
        QVERIFY(back.validated);
        QCOMPARE(back.cumul, cumul);
        if (employee < 0) {
            QCOMPARE(emps.current(), 0);
            QCOMPARE(shown.cumul, QString("500"));
            return;
        }
        // The employees page's pending change was written before another employee was shown.
        EmployeeForm first;
        LitFiche(emps, 0, first);
        QCOMPARE(first.note, QStringList{"modifié"});
        EmployeeForm stored;
        LitFiche(emps, employee, stored);
        QCOMPARE(emps.current(), employee);
        QCOMPARE(shown.cumul, cumul);
        QCOMPARE(stored.cumul, cumul);
        QCOMPARE(stored.history[0], (HistoryRow{"14/03/2002", "Paie N°200203004", "     1280,30"}));
        QVERIFY(!shown.edited);
    }

    void validationChangesAnythingWhenRefused()
    {
        Collection emps = collectionOf({employeeBlock("10001", "A", "1,2,3")});
        Collection pays = collectionOf({payslip("200203001", "10001"), payslip("200203002", "10001", "Y")});
        const QStringList before = emps.lines() + pays.lines();
        PayslipForm f;
        EmployeeForm shown;
        LitFiche(emps, 0, shown);
        for (int n : {0, 1}) {
            pays.setCurrent(n);
            LitBulletin(pays, n, f, "");
            const Validation v = Valider(pays, f, emps, shown, "0.00");
            QVERIFY(!v.done);
            QCOMPARE(v.message, n == 0 ? QString("'1,2,3' n'est pas une valeur numérique correcte")
                                       : QString("Ce bulletin est déjà validé"));
            QCOMPARE(emps.lines() + pays.lines(), before);
        }
    }

    void validatedPayslipLeftEditable()
    {
        PayslipForm f;
        QVERIFY(fieldAvailable(f, PayslipField::Calculer));
        f.validated = true;
        QCOMPARE(payslips::statusText(f.validated), QString("Bulletin validé"));
        for (PayslipField locked : {PayslipField::Number, PayslipField::EmployeeCode, PayslipField::Cumul,
                                    PayslipField::Table, PayslipField::Valider, PayslipField::Calculer})
            QVERIFY(!fieldAvailable(f, locked));
        for (PayslipField open : {PayslipField::Address, PayslipField::SocialSecurity, PayslipField::Ot50})
            QVERIFY(fieldAvailable(f, open));
    }

    void listAndSearchMissPayslips()
    {
        // Block 1 has a number shorter than 9 digits; block 3 is past a missing number.
        QStringList lines = blk(0, payslip("200203001", "10001")) + blk(1, payslip("2002031", "10002"))
                            + blk(2, payslip("ab1", "10001")) + blk(4, payslip("200203009", "1"));
        Collection c = make(lines);
        const QList<PayslipListItem> items = listeBulletins(c);
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[1].text, QString("2002031  01/03/2002  31/03/2002  10002  Nom 10002  "));
        PayslipForm f;
        QVERIFY(ouvrirBulletin(c, f, items[1].block, ""));
        QCOMPARE(f.number, QString("2002031"));

        QList<PayslipListItem> shown = items;
        QCOMPARE(deplacerElement(shown, 0, -1), 0);
        QCOMPARE(deplacerElement(shown, 0, +1), 1);
        QCOMPARE(shown[1].block, 0);

        QCOMPARE(ChercheBulletin(c, "AB1"), 2);
        QCOMPARE(ChercheBulletin(c, "2002031"), 1);
        QCOMPARE(ChercheBulletin(c, "200203"), -1);
        QCOMPARE(ChercheBulletin(c, ""), -1);
    }

    void movesLeaveTheEmployeesPayslips()
    {
        Collection c = collectionOf({payslip("1", "10002"), payslip("2", "10001"), payslip("3", "10002"),
                                     payslip("4", "10001 "), payslip("5", "10002")});
        const PayslipSelection one{PayslipSelection::ByEmployee, "10002"};
        struct Step {
            int from;
            Move move;
            int mode1;
            int mode0;
        };
        for (const Step &s : {Step{2, Move::Premier, 0, 0}, Step{2, Move::Suivant, 4, 3}, Step{4, Move::Suivant, 4, 4},
                              Step{2, Move::Precedent, 0, 1}, Step{0, Move::Precedent, 0, 0}, Step{1, Move::Dernier, 4, 4}}) {
            c.setCurrent(s.from);
            QCOMPARE(payslipMoveTarget(c, s.move, one), s.mode1);
            QCOMPARE(payslipMoveTarget(c, s.move, {}), s.mode0);
        }
        Collection empty;
        QCOMPARE(payslipMoveTarget(empty, Move::Dernier, {}), 0);
    }

    void cumulCompletedWrongly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("sans virgule") << "1234" << "1234,00";
        QTest::newRow("coupé après deux décimales") << "12,3456" << "12,34";
        QTest::newRow("coupé, virgule en 2e") << "1,2345" << "1,23";
        QTest::newRow("virgule en tête") << ",5" << "0,5";
        QTest::newRow("vide") << "" << "";
    }

    void cumulCompletedWrongly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(completerCumul(typed), stored);
        EmployeeForm e;
        e.cumul = "    100,00";
        QCOMPARE(Modifier(e, typed), !stored.isEmpty());
        QCOMPARE(e.cumul.trimmed(), stored.isEmpty() ? QString("100,00") : stored);
        QCOMPARE(e.edited, !stored.isEmpty());
    }

    void closingMissesCumuls()
    {
        QStringList shortBlock = employeeBlock("3", "C", "9").mid(0, 20);
        Collection c = collectionOf({employeeBlock("1", "A", "  10,00"), employeeBlock("2", "B", ""), shortBlock});
        c.setCurrent(1);
        EmployeeForm shown;
        LitFiche(c, 1, shown);
        shown.name = "B modifié";
        shown.edited = true;
        QCOMPARE(Cloturer(c, shown), 2);
        QCOMPARE(shown.cumul, QString("0"));
        QCOMPARE(shown.name, QString("B modifié"));
        EmployeeForm a;
        LitFiche(c, 0, a);
        QCOMPARE(a.cumul, QString("0"));
        QCOMPARE(c.blockContent(2), shortBlock);
    }

    void indexOutOfStepWithCollection()
    {
        Collection c = collectionOf({employeeBlock("10001", "A", ""), employeeBlock("10002", "B", ""), employeeBlock("10001", "C", "")});
        CodeIndex codes;
        QCOMPARE(codes.find(c, "10001"), 0); // the first of two equal codes
        // A write followed: the index changes without a rebuild and still finds every code.
        EmployeeForm e;
        LitFiche(c, 0, e);
        e.code = "20000";
        e.edited = true;
        quint64 before = c.revision();
        QVERIFY(EcritFiche(c, 0, e));
        codes.follow(c, 0, before);
        QVERIFY(codes.isCurrent(c));
        QCOMPARE(codes.find(c, "10001"), 2);
        QCOMPARE(codes.find(c, "20000"), 0);
        QCOMPARE(codes.largest(c, 0), qint64(20000));
        // A change it was not told of: a write followed after it does not make the index current,
        // and the next lookup reads the collection again.
        c.setCurrent(1);
        QVERIFY(c.supprime());
        before = c.revision();
        LitFiche(c, 0, e);
        e.edited = true;
        QVERIFY(EcritFiche(c, 0, e));
        codes.follow(c, 0, before);
        QVERIFY(!codes.isCurrent(c));
        QCOMPARE(codes.find(c, "10002"), -1);
        QCOMPARE(codes.find(c, "10001"), 1);
    }

    void payslipPasteLosesFlags()
    {
        PayslipForm from;
        from.address[3] = "69003 LYON";
        from.monthly = from.withPrecarity = true;
        PayslipCopy copy;
        copy.Copier(from);
        PayslipForm to;
        copy.Coller(to, "200203005");
        QCOMPARE(to.number, QString("200203005"));
        QCOMPARE(to.address[3], QString("69003 LYON"));
        QVERIFY(to.monthly && !to.withPaidLeave && to.withPrecarity && to.edited);
    }
};

QTEST_GUILESS_MAIN(TestPayrollPayslips)
#include "test_payroll_payslips.moc"
