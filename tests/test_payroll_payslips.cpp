#include "fakeclock.h"
#include "records/payslipform.h"
#include "payroll/payslips.h"
#include "employeesupport.h"
#include "payrollsupport.h"
#include "text/dates.h"

#include <QtTest>

namespace {

// An employee block's 29 positional lines.
QStringList employeeBlock(const QString &code, const QString &name, const QString &cumul)
{
    return employee({{1, code}, {4, name}, {8, "69003"}, {9, "LYON"}, {12, "Comptable"}, {20, "2 70 03"}, {27, cumul}});
}

// A payslip block's 26 positional lines: number, employee code, validated flag.
QStringList payslip(const QString &number, const QString &code, const QString &validated = "N")
{
    return payrollsupport::payslipLines(
        {{1, number}, {2, "01/03/2002"}, {3, "31/03/2002"}, {4, code}, {11, "Nom " + code}, {16, validated}});
}

} // namespace

class TestPayrollPayslips : public QObject
{
    Q_OBJECT
    PinnedClock m_clock{QDateTime(QDate(2002, 3, 14), QTime(9, 0))};

private Q_SLOTS:
    // Odd lines read as their defaults (a date line that is not a date keeps its text, to be
    // written back as it was), the payslip is not marked modified, and a payslip shown and left
    // writes nothing.
    void unreadableLineMarksModified()
    {
        struct Row { int line; QString text, number; bool validated; };
        for (const Row &r : {Row{2, "31/02/2002", "200203001", false}, Row{1, "", "777", false},
                             Row{16, "y", "200203001", false}, Row{16, "Y", "200203001", true}}) {
            QStringList content = payslip("200203001", "10001");
            content[1] = "01/02/2002";
            content[r.line - 1] = r.text;
            Collection c = collectionOf({content, payslip("200203002", "10002")});
            const QStringList before = c.lines();
            PayslipForm f;
            LitBulletin(c, 0, f, "777");
            QCOMPARE(f.number, r.number);
            QCOMPARE(f.periodStart, r.line == 2 ? QDate(2002, 3, 1) : QDate(2002, 2, 1));
            QCOMPARE((QStringList{f.periodStartText(), f.blockLines().value(1)}), QStringList(2, content[1]));
            QCOMPARE(f.validated, r.validated);
            QVERIFY(!f.edited);
            DeplacerBulletin(c, f, Move::Suivant, {}, "777");
            QCOMPARE(c.lines(), before);
        }
    }

    // A validated payslip locks every field that changes its amounts, the overtime included, and
    // the table, "Valider" and the calculation; the employee's particulars stay open. Nothing
    // is locked before.
    void validatedPayslipLeavesAmountsOpen()
    {
        using F = PayslipField;
        const QList<F> open = {F::SocialSecurity, F::Address, F::Job};
        PayslipForm f;
        for (bool validated : {false, true}) {
            f.validated = validated;
            for (int k = 0; k <= int(F::Calculer); ++k)
                QVERIFY2(fieldAvailable(f, F(k)) == (!validated || open.contains(F(k))), qPrintable(QString::number(k)));
        }
    }

    void periodEndsOnWrongDay()
    {
        for (QDate end : {QDate(2024, 2, 29), QDate(2023, 2, 28), QDate(2100, 2, 28), QDate(2002, 4, 30), QDate(2002, 12, 31)}) {
            const QDate today(end.year(), end.month(), 10);
            QCOMPARE(periodStartFor(today), QDate(end.year(), end.month(), 1));
            QCOMPARE(periodEndFor(today), end);
        }
    }

    // The first payslip (a count left at 1 without any block), the second, the 9999th, the
    // one past it refused. (After the only record is deleted the next is block 0 again: the
    // store's test.)
    void newPayslipMissesEmployeeOrNumberOrLimit()
    {
        Collection c = make({" "});
        c.setCount(1);
        EmployeeForm e;
        LitFiche(collectionOf({employeeBlock("10001", "DURAND Paul", "")}), 0, e);
        PayslipForm f;
        QString next;
        QVERIFY(NouvBulletin(c, f, next, &e));
        QCOMPARE(c.current(), 0);
        QCOMPARE((QStringList{f.number, text::formatDate(f.periodEnd)}), (QStringList{"200203001", "31/03/2002"}));
        QCOMPARE(QStringList({f.employeeCode, f.address[0], f.address[3], f.job, f.socialSecurity}),
                 QStringList({"10001", "DURAND Paul", "69003 LYON", "Comptable", "2 70 03"}));
        QVERIFY(f.edited && !f.validated);
        // The first one is written as it is left, the next numbered after it.
        QVERIFY(NouvBulletin(c, f, next, nullptr));
        QCOMPARE(c.count(), 2);
        QCOMPARE((QStringList{f.number, f.employeeCode}), (QStringList{"200203002", ""}));

        Collection full = make(blk(0, payslip("200203007", "1")));
        full.setCount(Collection::kMaxBlocks - 1);
        f = PayslipForm();
        QVERIFY(NouvBulletin(full, f, next, nullptr));
        QCOMPARE((QList<int>{full.count(), full.current()}), (QList<int>{9999, 9998}));
        QCOMPARE(f.number, QString("200203008"));
        QCOMPARE(NouvBulletin(full, f, next, nullptr).message(), QString("Le fichier est plein"));
        QCOMPARE(full.count(), Collection::kMaxBlocks);
    }

    // The list stops at the first missing block; the search compares the whole number,
    // whatever its case.
    void listAndSearchMissPayslips()
    {
        Collection c = make(blk(0, payslip("200203001", "10001")) + blk(1, payslip("2002031", "10002"))
                            + blk(2, payslip("ab1", "10001")) + blk(4, payslip("200203009", "1")));
        const QList<PayslipListItem> items = listeBulletins(c);
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[1].text, QString("2002031  01/03/2002  31/03/2002  10002  Nom 10002  "));
        PayslipForm f;
        QVERIFY(ouvrirBulletin(c, f, items[1].block, ""));
        QCOMPARE(f.number, QString("2002031"));
        QList<PayslipListItem> shown = items;
        QCOMPARE((QList<int>{deplacerElement(shown, 0, -1), deplacerElement(shown, 0, +1), shown[1].block}),
                 (QList<int>{0, 1, 0}));
        QCOMPARE((QList<int>{ChercheBulletin(c, "AB1"), ChercheBulletin(c, "2002031"), ChercheBulletin(c, "200203"),
                              ChercheBulletin(c, "")}), (QList<int>{2, 1, -1, -1}));
    }

    // From, move, target among the payslips of 10002 and among all.
    void movesLeaveTheEmployeesPayslips()
    {
        Collection c = collectionOf({payslip("1", "10002"), payslip("2", "10001"), payslip("3", "10002"),
                                     payslip("4", "10001 "), payslip("5", "10002")});
        const PayslipSelection one{PayslipSelection::ByEmployee, "10002"};
        struct Step { int from; Move move; int mode1, mode0; };
        for (const Step &s : {Step{2, Move::Premier, 0, 0}, Step{2, Move::Suivant, 4, 3}, Step{4, Move::Suivant, 4, 4},
                              Step{2, Move::Precedent, 0, 1}, Step{0, Move::Precedent, 0, 0}, Step{1, Move::Dernier, 4, 4}}) {
            c.setCurrent(s.from);
            QCOMPARE((QList<int>{payslipMoveTarget(c, s.move, one), payslipMoveTarget(c, s.move, {})}), (QList<int>{s.mode1, s.mode0}));
        }
        QCOMPARE(payslipMoveTarget(Collection(), Move::Dernier, {}), 0);
    }

    // The write of one record is followed by reading that block's code again; any other change
    // makes the next lookup read the collection again instead of answering from stale blocks.
    void indexOutOfStepWithCollection()
    {
        Collection c = collectionOf({employeeBlock("10001", "A", ""), employeeBlock("10002", "B", ""), employeeBlock("10001", "C", "")});
        QCOMPARE(c.findCode("10001"), 0); // the first of two equal codes
        auto rewrite = [&](int block, const QString &code) {
            EmployeeForm e;
            LitFiche(c, block, e);
            e.code = code.isEmpty() ? e.code : code;
            e.edited = true;
            QVERIFY(EcritFiche(c, block, e));
        };
        rewrite(0, "20000");
        QCOMPARE((QList<qint64>{c.findCode("10001"), c.findCode("20000"), c.largestCode(0)}), (QList<qint64>{2, 0, 20000}));
        c.setCurrent(1);
        QVERIFY(c.supprime());
        rewrite(0, {});
        QCOMPARE((QList<int>{c.findCode("10002"), c.findCode("10001")}), (QList<int>{-1, 1}));
    }

    void payslipPasteLosesFlags()
    {
        PayslipForm from, to;
        from.address[3] = "69003 LYON";
        from.monthly = from.withPrecarity = true;
        PayslipCopy copy;
        copy.Copier(from);
        copy.Coller(to, "200203005");
        QCOMPARE((QStringList{to.number, to.address[3]}), (QStringList{"200203005", "69003 LYON"}));
        QVERIFY(to.monthly && !to.withPaidLeave && to.withPrecarity && to.edited);
    }
};

QTEST_GUILESS_MAIN(TestPayrollPayslips)
#include "test_payroll_payslips.moc"
