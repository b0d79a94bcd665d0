#include "fakeclock.h"
#include "fakewindows.h"
#include "payroll/caissemodel.h"
#include "text/encoding.h"
#include "ui/caisses.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/pagebulletins.h"
#include "ui/pageemployes.h"
#include "ui/pageprofils.h"
#include "ui/typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using Answer = Dialogs::Answer;

namespace {

template <class T = QLineEdit> T *child(QWidget *page, const char *name)
{
    auto *w = page->findChild<T *>(QLatin1String(name));
    Q_ASSERT(w);
    return w;
}

// Clicks into a field and types, as a person would.
void typeInto(QWidget *w, const QString &text)
{
    w->setFocus();
    typing::keys(w, text);
}

QString cell(QTableWidget *t, int row, int column)
{
    return t->item(row, column)->text();
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The payroll records in the real windows, from the caisses to the year-end closing: the walk of
// a person preparing the pay of a new dossier, then the dossier reopened as it was left.
class TestPayrollFlow : public QObject
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
    void caissesDialogStoresOnEnterAndMoves();
    void payrollWalk();
};

void TestPayrollFlow::caissesDialogStoresOnEnterAndMoves()
{
    CaisseModel model({});
    TCaisses dialog(model);
    typing::showActive(dialog);
    typeInto(dialog.field(CaisseModel::Nom), "URSSAF\n");
    dialog.tool(0)->click(); // "Ajouter fiche"
    QVERIFY(dialog.field(CaisseModel::Nom)->hasFocus());
    typing::keys(dialog.field(CaisseModel::Nom), "ASSEDIC");
    typeInto(dialog.field(CaisseModel::Lettre), "Z\n");
    dialog.tool(0)->click();
    typing::keys(dialog.field(CaisseModel::Nom), "RETRAITE");
    // Page Up stores the caisse typed, then shows the one before it, row selected.
    QTest::keyClick(dialog.field(CaisseModel::Nom), Qt::Key_PageUp);
    QCOMPARE(dialog.field(CaisseModel::Nom)->text(), QStringLiteral("ASSEDIC"));
    QCOMPARE(dialog.table()->currentRow(), 1);
    Q_EMIT dialog.table()->cellClicked(2, 0);
    QCOMPARE(dialog.field(CaisseModel::Nom)->text(), QStringLiteral("RETRAITE"));
    // A TAB pasted into a field would split the caisse's line.
    dialog.field(CaisseModel::Ville)->setFocus();
    dialog.field(CaisseModel::Ville)->insert(QStringLiteral("A\tB"));
    QCOMPARE(dialog.field(CaisseModel::Ville)->text(), QString());
    // Typed and not stored: not kept when the dialog closes.
    typing::keys(dialog.field(CaisseModel::Nom), "XX");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(model.lines(), (QStringList{"URSSAF\t\t\t\t\t\t\t\tU", "ASSEDIC\t\t\t\t\t\t\t\tZ", "RETRAITE\t\t\t\t\t\t\t\tR"}));
}

void TestPayrollFlow::payrollWalk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("paie.emp");
    {
        FakeWindows w;
        TMainForm form(&w, &w, &w, &w);
        form.start(dir.path());
        form.fiche().settings().payroll.socialSecurityCeiling = 2432;
        form.fiche().settings().amountFormat = QStringLiteral("0.00");
        form.resize(1200, 900);
        typing::showActive(form);
        TFiche *fiche = form.ficheWindow();
        TPageProfils *profiles = fiche->profilesPage();
        TPageBulletins *payslips = fiche->payslipsPage();
        TPageEmployes *employees = fiche->employeePage();

        // Three caisses, kept as soon as the dialog closes.
        w.caisseAnswers << [](CaisseModel &m) {
            for (const char *name : {"URSSAF", "ASSEDIC", "RETRAITE"}) {
                if (!m.field(CaisseModel::Nom).isEmpty())
                    m.Ajouter();
                m.setField(CaisseModel::Nom, QString::fromLatin1(name));
                m.store();
            }
        };
        form.run(Cmd::Caisses);
        QStringList cai;
        QVERIFY(text::readLines(dir.filePath("Korvel.cai"), cai).ok());
        QCOMPARE(cai.size(), 3);

        // A new dossier shows the standard profile.
        form.run(Cmd::Nouveau);
        form.run(Cmd::PageProfils);
        QCOMPARE(child(profiles, "codeProfil")->text(), QStringLiteral("10001"));
        QCOMPARE(child(profiles, "nomProfil")->text(), QStringLiteral("Standard"));
        QCOMPARE(cell(profiles->table(), 25, 1), QStringLiteral("Taxe de la Construction"));

        // A second profile by hand, a rubrique of each base kind.
        form.run(Cmd::NouvelleFiche);
        QCOMPARE(child(profiles, "codeProfil")->text(), QStringLiteral("10002"));
        QVERIFY(child(profiles, "nomProfil")->hasFocus());
        typing::keys(child(profiles, "nomProfil"), "Cadres");
        const QString kinds = QStringLiteral("ABCTSU");
        for (int i = 0; i < kinds.size(); ++i) {
            typeInto(child(profiles, "entryCode"), QStringLiteral("K%1").arg(i));
            typeInto(child(profiles, "entryLabel"), QStringLiteral("Rubrique ") + kinds[i]);
            typeInto(child(profiles, "employeeRate"), "1.5");
            QTest::keyClick(child(profiles, "employeeRate"), Qt::Key_Tab);
            QVERIFY(child(profiles, "employerRate")->hasFocus());
            auto *base = child<QComboBox>(profiles, "base");
            base->setFocus();
            // The list finds the letter typed (letters typed in a row would make a word).
            QTest::qWait(QApplication::keyboardInputInterval() + 50);
            QTest::keyClicks(base, QString(kinds[i]));
            QTest::keyClick(base, Qt::Key_Return);
            // Stored: the cursor is back in the entry's code.
            QVERIFY(child(profiles, "entryCode")->hasFocus());
        }
        QCOMPARE(cell(profiles->table(), 5, 4), QStringLiteral("U"));
        QCOMPARE(cell(profiles->table(), 0, 2), QStringLiteral("1,50"));
        // The Delete key in the table deletes the selected rubrique; a double click loads one.
        profiles->table()->setFocus();
        profiles->table()->setCurrentCell(2, 0);
        QTest::keyClick(profiles->table(), Qt::Key_Delete);
        QCOMPARE(cell(profiles->table(), 2, 4), QStringLiteral("T"));
        Q_EMIT profiles->table()->cellDoubleClicked(2, 0);
        QCOMPARE(child(profiles, "entryCode")->text(), QStringLiteral("K3"));
        QVERIFY(child(profiles, "entryCode")->hasFocus());
        typing::keys(child(profiles, "entryCode"), "K2\n");
        QCOMPARE(cell(profiles->table(), 2, 0), QStringLiteral("K2"));
        QCOMPARE(form.fiche().profiles().form().rubriques.size(), 5);

        // Two employees: the first gets the new profile.
        form.run(Cmd::PageEmployes);
        typeInto(child(employees, "name"), "DUPONT Jean");
        typeInto(child<QComboBox>(employees, "profile")->lineEdit(), "10002");
        form.run(Cmd::NouvelleFiche);
        typeInto(child(employees, "name"), "MARTIN Paul");
        typeInto(child<QComboBox>(employees, "profile")->lineEdit(), "10001");
        form.run(Cmd::Premier);
        QCOMPARE(child(employees, "name")->text(), QStringLiteral("DUPONT Jean"));

        // Two payslips for DUPONT and one for MARTIN.
        form.run(Cmd::NouveauBulletin);
        QCOMPARE(fiche->currentPage(), fiche->page(Fiche::Page::Bulletins));
        QCOMPARE(child(payslips, "number")->text(), QStringLiteral("200203001"));
        QCOMPARE(child(payslips, "address0")->text(), QStringLiteral("DUPONT Jean"));
        QVERIFY(child(payslips, "employeeCode")->hasFocus());
        // The Tab order follows the layout.
        QTest::keyClick(child(payslips, "employeeCode"), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(child(payslips, "socialSecurity")->hasFocus());
        child(payslips, "rate")->setFocus();
        QTest::keyClick(child(payslips, "rate"), Qt::Key_Tab);
        QVERIFY(child<QCheckBox>(payslips, "monthly")->hasFocus());
        typeInto(child(payslips, "hours"), "151.5");
        QCOMPARE(child(payslips, "hours")->text(), QStringLiteral("151,"));
        typing::keys(child(payslips, "hours"), "\b");
        typeInto(child(payslips, "rate"), "12\n");
        // Enter calculated: gross 1812, the five rubriques at 1,50 % (S and U on 95 %).
        QCOMPARE(cell(payslips->table(), 0, 1), QStringLiteral("1812,00"));
        QCOMPARE(child(payslips, "netToPay")->text(), QStringLiteral("1678,82"));
        payslips->findChild<QPushButton *>("creer")->click();
        QCOMPARE(child(payslips, "number")->text(), QStringLiteral("200203002"));
        form.run(Cmd::PageEmployes);
        form.run(Cmd::Suivant);
        form.run(Cmd::NouveauBulletin);
        QCOMPARE(child(payslips, "employeeCode")->text(), QStringLiteral("10002"));

        // The worked example: standard profile, 169 h at 10, ceiling 2432.
        typeInto(child(payslips, "hours"), "169");
        typeInto(child(payslips, "rate"), "10");
        QVERIFY(form.action(Cmd::BtnCalculer)->isEnabled());
        form.action(Cmd::BtnCalculer)->trigger();
        QTableWidget *lines = payslips->table();
        const QStringList csg{cell(lines, 0, 0), cell(lines, 0, 1), cell(lines, 0, 3)};
        QCOMPARE(csg, (QStringList{"CSG non déductible et CRDS", "1605,50", "46,56"}));
        QCOMPARE((QStringList{cell(lines, 10, 1), cell(lines, 10, 3), cell(lines, 10, 5)}),
                 (QStringList{"1690,00", "13,52", "20,28"}));
        QCOMPARE((QStringList{cell(lines, 14, 1), cell(lines, 14, 3), cell(lines, 14, 5)}),
                 (QStringList{"1690,00", "33,80", "60,84"}));
        QCOMPARE(cell(lines, 9, 5), QStringLiteral("1,69"));
        // Text in a numeric field: the message, nothing changed.
        form.fiche().payslips().form().advances = QStringLiteral("1x");
        QTest::keyClick(child(payslips, "cumul"), Qt::Key_Return);
        QCOMPARE(w.messages().last(), QStringLiteral("'1x' n'est pas une valeur numérique correcte"));
        form.fiche().payslips().form().advances.clear();

        // Moving through them all, with the keys from any field, then through DUPONT's.
        QTest::keyClick(lines, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(child(payslips, "number")->text(), QStringLiteral("200203001"));
        QTest::keyClick(child<QDateEdit>(payslips, "periodEnd"), Qt::Key_PageDown);
        QCOMPARE(child(payslips, "number")->text(), QStringLiteral("200203002"));
        QTest::keyClick(child(payslips, "job"), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(child(payslips, "number")->text(), QStringLiteral("200203003"));
        w.inputs << QStringLiteral("10001");
        form.run(Cmd::BulletinsParEmploye);
        QVERIFY(form.action(Cmd::BulletinsParEmploye)->isChecked());
        form.run(Cmd::Dernier);
        QCOMPARE(child(payslips, "number")->text(), QStringLiteral("200203002"));
        form.run(Cmd::TousBulletins);

        // Found by number, then validated: locked, and DUPONT's cumul and history follow.
        w.inputs << QStringLiteral("200203001");
        form.run(Cmd::ChercherBulletin);
        QCOMPARE(child(payslips, "address0")->text(), QStringLiteral("DUPONT Jean"));
        child(payslips, "hours")->setFocus();
        payslips->validerButton()->click();
        QCOMPARE(payslips->findChild<QLabel *>("status")->text(), QStringLiteral("Bulletin validé"));
        QVERIFY(!child(payslips, "hours")->isEnabled());
        QVERIFY(!payslips->validerButton()->isEnabled());
        QVERIFY(child(payslips, "socialSecurity")->hasFocus());
        QVERIFY(!form.action(Cmd::BtnCalculer)->isEnabled());
        QCOMPARE(child(payslips, "cumul")->text().trimmed(), QStringLiteral("1704,64"));
        form.run(Cmd::PageEmployes);
        QCOMPARE(child(employees, "name")->text(), QStringLiteral("DUPONT Jean"));
        QCOMPARE(child(employees, "cumul")->text(), QStringLiteral("1704,64"));
        auto *history = child<QTableWidget>(employees, "history");
        QCOMPARE(cell(history, 0, 1), QStringLiteral("Paie N°200203001"));

        // A cumul edited, then the year closed.
        w.inputs << QStringLiteral("1500");
        form.run(Cmd::ModifierCumul);
        QCOMPARE(child(employees, "cumul")->text(), QStringLiteral("1500,00"));
        form.run(Cmd::Suivant);
        w.answers << Answer::Ok;
        form.run(Cmd::CloturerExercice);
        QCOMPARE(child(employees, "cumul")->text(), QStringLiteral("0"));

        w.files << path;
        form.run(Cmd::EnregistrerSous);
        QVERIFY(!form.fiche().TestModif());
        QVERIFY(form.close());
    }
    // Reopened as it was left.
    FakeWindows w;
    TMainForm form(&w, &w, &w, &w);
    form.start(dir.path());
    w.files << path;
    form.run(Cmd::Ouvrir);
    TFiche *fiche = form.ficheWindow();
    QCOMPARE(child(fiche->employeePage(), "cumul")->text(), QStringLiteral("0"));
    QCOMPARE(child<QComboBox>(fiche->employeePage(), "profile")->currentText(), QStringLiteral("10002"));
    form.run(Cmd::PageProfils);
    form.run(Cmd::Dernier);
    TPageProfils *profiles = fiche->profilesPage();
    QCOMPARE(child(profiles, "nomProfil")->text(), QStringLiteral("Cadres"));
    QStringList bases;
    for (int r = 0; r < 5; ++r)
        bases << cell(profiles->table(), r, 4);
    QCOMPARE(bases.join(QString()), QStringLiteral("ABTSU"));
    form.run(Cmd::PageBulletins);
    TPageBulletins *payslips = fiche->payslipsPage();
    QCOMPARE(child(payslips, "number")->text(), QStringLiteral("200203001"));
    QVERIFY(!child(payslips, "hours")->isEnabled());
    form.run(Cmd::Dernier);
    QCOMPARE(cell(payslips->table(), 14, 5), QStringLiteral("60,84"));
    QCOMPARE(form.fiche().caisseLines().size(), 3);
    // What the program wrote reads back and writes back byte for byte.
    const QString copy = dir.filePath("copie.emp");
    w.files << copy;
    form.run(Cmd::EnregistrerSous);
    for (const char *ext : {"emp", "Prl", "Pai"})
        QCOMPARE(bytes(dir.filePath(QStringLiteral("copie.") + ext)), bytes(dir.filePath(QStringLiteral("paie.") + ext)));
    QVERIFY(w.messages().isEmpty());
}

QTEST_MAIN(TestPayrollFlow)
#include "test_payroll_flow.moc"
