#include "fakeclock.h"
#include "fakewindows.h"
#include "payroll/caissemodel.h"
#include "payrollsupport.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/dates.h"
#include "text/encoding.h"
#include "text/numbers.h"
#include "ui/caisses.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/pagebulletins.h"
#include "ui/pageemployes.h"
#include "ui/pageprofils.h"
#include "ui/penvers.h"
#include "ui/typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using Answer = Dialogs::Answer;
using namespace Qt::StringLiterals;

namespace {

using typing::child;
using typing::typeInto;

QString cell(QTableWidget *t, int row, int column) { return t->item(row, column)->text(); }

// Windows that open the real "Paye à l'envers" and let a test work in it.
struct EnversWindows : FakeWindows
{
    std::function<void(TPEnvers &)> work;
    void reversePayroll(ReversePayroll &model) override
    {
        TPEnvers window(model);
        typing::showActive(window);
        work(window);
    }
};

} // namespace

// The payroll records in the real windows, from the caisses to the year-end closing: the walk of
// a person preparing the pay of a new dossier (what it writes is the store's and the records'
// tests); and the dialogs "Caisses" and "Paye à l'envers".
class TestPayrollFlow : public QObject
{
    Q_OBJECT
    PinnedClock m_clock{QDateTime(QDate(2002, 3, 14), QTime(9, 0))};

private Q_SLOTS:
    void caissesDialogStoresOnEnterAndMoves();
    void enversKeysOrMessagesWrong();
    void payrollWalk();
    void firstPayslipRoundsOrKeepsStaleOvertime();
    void validatedPayslipFieldLeftOpen();
    void enversFromTheMenuTakesAnotherProfile();
};

// Enter stores, "Ajouter fiche" starts an empty caisse in the name, Page Up stores and shows
// the one before, a click shows a row; the fields refuse a TAB, a tag and what Windows-1252
// cannot hold; typed and not stored is not kept when Escape closes.
void TestPayrollFlow::caissesDialogStoresOnEnterAndMoves()
{
    CaisseModel model({});
    TCaisses dialog(model);
    typing::showActive(dialog);
    QLineEdit *name = dialog.field(CaisseModel::Nom);
    typeInto(name, "URSSAF\n");
    dialog.tool(0)->click();
    QVERIFY(name->hasFocus());
    typing::keys(name, "ASSEDIC");
    typeInto(dialog.field(CaisseModel::Lettre), "Z\n");
    dialog.tool(0)->click();
    typing::keys(name, "RETRAITE");
    QTest::keyClick(name, Qt::Key_PageUp);
    QCOMPARE(name->text(), u"ASSEDIC"_s);
    QCOMPARE(dialog.table()->currentRow(), 1);
    Q_EMIT dialog.table()->cellClicked(2, 0);
    QCOMPARE(name->text(), u"RETRAITE"_s);
    QLineEdit *town = dialog.field(CaisseModel::Ville);
    town->setFocus();
    for (const QString &refused : {u"A\tB"_s, u"<BLOC0001>"_s, u"✓"_s})
        town->insert(refused);
    typing::keys(town, u"Œuvre €"_s);
    QCOMPARE(town->text(), u"Œuvre €"_s);
    typing::keys(name, "XX");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(model.lines(), (QStringList{"URSSAF\t\t\t\t\t\t\t\tU", "ASSEDIC\t\t\t\t\t\t\t\tZ", "RETRAITE\t\t\t\t\t\t\t\tR"}));
}

// "Paye à l'envers": the names refuse what Windows-1252 cannot hold, the net's key filter ("."
// becomes ",", the rest dropped), a net out of reach says so with the warning icon and the
// focus is back in the list; Escape and "Fermer" close it. (What Enter and "Calculer" find is
// the menu's test below and the core's.)
void TestPayrollFlow::enversKeysOrMessagesWrong()
{
    for (const char *closeWith : {"Escape", "fermer"}) {
        ReversePayroll model;
        model.Init({u"10001 Confiscatoire"_s}, 0, [](const QString &) {
            return QList<Rubrique>{payrollsupport::rub(u"Prélèvement"_s, u"60,00"_s, {}, u"T"_s)};
        });
        TPEnvers window(model);
        typing::showActive(window);
        QLineEdit *name = child(&window, "nom");
        typeInto(name, u"Œ✓"_s);
        QCOMPARE(name->text(), u"ConfiscatoireŒ"_s);
        QLineEdit *net = child(&window, "net");
        typeInto(net, u"1000.5x-"_s);
        QCOMPARE(net->text(), u"1000,5"_s);
        auto *profile = child<QComboBox>(&window, "profil");
        profile->setFocus();
        QString said;
        QTimer::singleShot(50, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            said = box && box->icon() == QMessageBox::Warning ? box->text() : QString();
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);
        });
        QTest::mouseClick(window.findChild<QToolButton *>(u"calculer"_s), Qt::LeftButton);
        QCOMPARE(said, u"Ce net ne peut pas être atteint avec ce profil"_s);
        QCOMPARE(window.focusWidget(), profile);
        typing::showActive(window);
        if (closeWith == QByteArrayView("Escape"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QTest::mouseClick(window.findChild<QPushButton *>(u"fermer"_s), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }
}

void TestPayrollFlow::payrollWalk()
{
    QTemporaryDir dir;
    FakeWindows w;
    TMainForm form(&w, &w, &w, &w);
    form.start(dir.path());
    form.fiche().settings().payroll.socialSecurityCeiling = 2432;
    form.fiche().settings().amountFormat = u"0.00"_s;
    form.resize(1200, 900);
    typing::showActive(form);
    TFiche *fiche = form.ficheWindow();
    TPageProfils *profiles = fiche->profilesPage();
    TPageBulletins *payslips = fiche->payslipsPage();
    TPageEmployes *employees = fiche->employeePage();

    // A caisse, kept as soon as the dialog closes.
    w.caisseAnswers << [](CaisseModel &m) { m.setField(CaisseModel::Nom, u"URSSAF"_s), m.store(); };
    form.run(Cmd::Caisses);
    QCOMPARE(linesOf(dir.filePath("Korvel.cai")), QStringList{"URSSAF\t\t\t\t\t\t\t\tU"});

    // A new dossier (the standard profile it starts with is the profile editor's test).
    form.run(Cmd::Nouveau);
    form.run(Cmd::PageProfils);

    // A second profile by hand, a rubrique of each base kind picked from the list's keys.
    form.run(Cmd::NouvelleFiche);
    QCOMPARE(child(profiles, "codeProfil")->text(), u"10002"_s);
    QVERIFY(child(profiles, "nomProfil")->hasFocus());
    typing::keys(child(profiles, "nomProfil"), "Cadres");
    const QString kinds = u"ABCTSU"_s;
    for (int i = 0; i < kinds.size(); ++i) {
        typeInto(child(profiles, "entryCode"), u"K%1"_s.arg(i));
        typeInto(child(profiles, "entryLabel"), u"Rubrique "_s + kinds[i]);
        typeInto(child(profiles, "employeeRate"), "1.5");
        QTest::keyClick(child(profiles, "employeeRate"), Qt::Key_Tab);
        QVERIFY(child(profiles, "employerRate")->hasFocus());
        auto *base = child<QComboBox>(profiles, "base");
        base->setFocus();
        // The list finds the letter typed (letters typed in a row would make a word).
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(base, QString(kinds[i]));
        QTest::keyClick(base, Qt::Key_Return);
        QVERIFY(child(profiles, "entryCode")->hasFocus());
    }
    QCOMPARE((QStringList{cell(profiles->table(), 5, 4), cell(profiles->table(), 0, 2)}), (QStringList{"U", "1,50"}));
    // The Delete key in the table deletes the selected rubrique; a double click loads one.
    profiles->table()->setFocus();
    profiles->table()->setCurrentCell(2, 0);
    QTest::keyClick(profiles->table(), Qt::Key_Delete);
    QCOMPARE(cell(profiles->table(), 2, 4), u"T"_s);
    Q_EMIT profiles->table()->cellDoubleClicked(2, 0);
    QCOMPARE(child(profiles, "entryCode")->text(), u"K3"_s);
    QVERIFY(child(profiles, "entryCode")->hasFocus());
    typing::keys(child(profiles, "entryCode"), "K2\n");
    QCOMPARE(cell(profiles->table(), 2, 0), u"K2"_s);

    // Two employees: the first gets the new profile.
    form.run(Cmd::PageEmployes);
    typeInto(child(employees, "name"), "DUPONT Jean");
    typeInto(child<QComboBox>(employees, "profile")->lineEdit(), "10002");
    form.run(Cmd::NouvelleFiche);
    typeInto(child(employees, "name"), "MARTIN Paul");
    typeInto(child<QComboBox>(employees, "profile")->lineEdit(), "10001");
    form.run(Cmd::Premier);

    // Two payslips for DUPONT and one for MARTIN.
    form.run(Cmd::NouveauBulletin);
    QCOMPARE(fiche->currentPage(), fiche->page(Fiche::Page::Bulletins));
    QCOMPARE((QStringList{child(payslips, "number")->text(), child(payslips, "address0")->text()}),
             (QStringList{"200203001", "DUPONT Jean"}));
    QVERIFY(child(payslips, "employeeCode")->hasFocus());
    // A date typed over the date shown: in full it is taken at once, its dots read as
    // slashes; a text that is not a date is refused on leaving the field (Tab leaves it) or
    // once complete, and the date stays; a date erased and left is given up.
    auto *start = child<QDateEdit>(payslips, "periodStart");
    struct DateRow { QString typed; bool leave; QDate date; QString refusal; };
    for (const DateRow &r : {DateRow{u"15.03.2002"_s, false, {2002, 3, 15}, {}},
                             DateRow{u"15x03"_s, true, {2002, 3, 15}, u"'1503' n'est pas une date correcte"_s},
                             DateRow{u"30022002"_s, false, {2002, 3, 15}, u"'30022002' n'est pas une date correcte"_s},
                             DateRow{u"1\b"_s, true, {2002, 3, 15}, {}}}) {
        const qsizetype warned = w.warnings().size();
        start->setFocus(Qt::TabFocusReason);
        typing::keys(start, r.typed);
        if (r.leave) {
            QTest::keyClick(start, Qt::Key_Tab);
            QVERIFY(!start->hasFocus());
        }
        QCOMPARE((QStringList{start->text(), text::formatDate(form.fiche().payslips().form().periodStart)}),
                 (QStringList{text::formatDate(r.date), text::formatDate(r.date)}));
        QCOMPARE(w.warnings().mid(warned), r.refusal.isEmpty() ? QStringList() : QStringList{r.refusal});
    }
    child(payslips, "employeeCode")->setFocus();
    // The Tab order follows the layout.
    QTest::keyClick(child(payslips, "employeeCode"), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(child(payslips, "socialSecurity")->hasFocus());
    child(payslips, "rate")->setFocus();
    QTest::keyClick(child(payslips, "rate"), Qt::Key_Tab);
    QVERIFY(child<QCheckBox>(payslips, "monthly")->hasFocus());
    // A first payslip is monthly, as the employee's record: this one is paid by the hour.
    QVERIFY(child<QCheckBox>(payslips, "monthly")->isChecked());
    child<QCheckBox>(payslips, "monthly")->click();
    typeInto(child(payslips, "hours"), "151"); // the field's key filter is the first payslip's test
    typeInto(child(payslips, "rate"), "12\n");
    // Enter calculated: the table shows the lines.
    QTableWidget *lines = payslips->table();
    QCOMPARE(cell(lines, 0, 1), u"1812,00"_s);
    payslips->findChild<QPushButton *>("creer")->click();
    QCOMPARE(child(payslips, "number")->text(), u"200203002"_s);
    form.run(Cmd::PageEmployes);
    form.run(Cmd::Suivant);
    form.run(Cmd::NouveauBulletin);
    QCOMPARE(child(payslips, "employeeCode")->text(), u"10002"_s);
    child<QCheckBox>(payslips, "monthly")->click();

    // The toolbar's "Calculer".
    typeInto(child(payslips, "hours"), "169");
    typeInto(child(payslips, "rate"), "10");
    form.action(Cmd::BtnCalculer)->trigger();
    QCOMPARE(cell(lines, 14, 1), u"1690,00"_s);

    // Moving through them all, with the keys from any field, then through DUPONT's.
    QTest::keyClick(lines, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(child(payslips, "number")->text(), u"200203001"_s);
    QTest::keyClick(child<QDateEdit>(payslips, "periodEnd"), Qt::Key_PageDown);
    QCOMPARE(child(payslips, "number")->text(), u"200203002"_s);
    QTest::keyClick(child(payslips, "job"), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(child(payslips, "number")->text(), u"200203003"_s);
    w.inputs << u"10001"_s;
    form.run(Cmd::BulletinsParEmploye);
    QVERIFY(form.action(Cmd::BulletinsParEmploye)->isChecked());
    form.run(Cmd::Dernier);
    QCOMPARE(child(payslips, "number")->text(), u"200203002"_s);
    form.run(Cmd::TousBulletins);

    // A number no payslip has says so and leaves the payslip shown; found by number, then
    // validated: locked, and DUPONT's cumul and history follow.
    w.inputs << u"200203999"_s;
    form.run(Cmd::ChercherBulletin);
    QCOMPARE(w.log.last(), u"message: Aucun bulletin ne porte le numéro 200203999"_s);
    QCOMPARE(child(payslips, "number")->text(), u"200203001"_s);
    w.inputs << u""_s;
    form.run(Cmd::ChercherBulletin);
    QCOMPARE(w.log.last(), u"input: Chercher bulletin"_s);
    w.inputs << u"200203001"_s;
    form.run(Cmd::ChercherBulletin);
    QCOMPARE(child(payslips, "address0")->text(), u"DUPONT Jean"_s);
    // Hours changed without Enter: "Valider" calculates what the inputs give first.
    child(payslips, "hours")->selectAll();
    typeInto(child(payslips, "hours"), "160");
    payslips->validerButton()->click();
    QCOMPARE(cell(lines, 0, 1), u"1920,00"_s);
    QCOMPARE(payslips->findChild<QLabel *>("status")->text(), u"Bulletin validé"_s);
    QVERIFY(!child(payslips, "hours")->isEnabled() && !payslips->validerButton()->isEnabled());
    QVERIFY(child(payslips, "socialSecurity")->hasFocus());
    QVERIFY(!form.action(Cmd::BtnCalculer)->isEnabled());
    const QString cumul = child(payslips, "cumul")->text().trimmed();
    // A validated payslip is not deleted: no question, the refusal.
    form.run(Cmd::SupprimerBulletin);
    QCOMPARE(w.log.last(), u"warn: Un bulletin validé ne peut pas être supprimé"_s);
    form.run(Cmd::PageEmployes);
    // Deleting DUPONT says how many payslips he has; "Non" keeps him.
    w.answers << Answer::Non;
    form.run(Cmd::SupprimerFiche);
    QCOMPARE(w.log.last(), u"ask: Cet employé a 2 bulletins de paie. Confirmer suppression de la fiche ?"_s);
    QCOMPARE((QStringList{child(employees, "name")->text(), child(employees, "cumul")->text(),
                          cell(child<QTableWidget>(employees, "history"), 0, 1)}),
             (QStringList{"DUPONT Jean", cumul, "Paie N°200203001"}));

    // A cumul edited, then the year closed.
    w.inputs << u"1500"_s;
    form.run(Cmd::ModifierCumul);
    QCOMPARE(child(employees, "cumul")->text(), u"1500,00"_s);
    form.run(Cmd::Suivant);
    w.answers << Answer::Ok;
    form.run(Cmd::CloturerExercice);
    QCOMPARE(child(employees, "cumul")->text(), u"0"_s);
}

// A first payslip from an empty folder, in the real window: refused with its message while
// the ceiling is 0, calculated with two decimals at the next Enter once it is set (the
// parameters' dialog is the frame's and the main window's tests); the hours take their
// hundredths; overtime the calculation filled in empties at once when the hours change,
// overtime typed stays; a period end that is not a date shows as it is.
void TestPayrollFlow::firstPayslipRoundsOrKeepsStaleOvertime()
{
    QTemporaryDir dir;
    FakeWindows w;
    TMainForm form(&w, &w, &w, &w);
    form.start(dir.path());
    form.resize(1200, 900);
    typing::showActive(form);
    form.run(Cmd::Nouveau);
    TFiche *fiche = form.ficheWindow();
    TPageBulletins *payslips = fiche->payslipsPage();
    typeInto(child(fiche->employeePage(), "name"), "DUPONT Jean");
    typeInto(child<QComboBox>(fiche->employeePage(), "profile")->lineEdit(), "10001");
    form.run(Cmd::NouveauBulletin);
    child<QCheckBox>(payslips, "monthly")->click();
    QLineEdit *hours = child(payslips, "hours");
    QLineEdit *ot25 = child(payslips, "ot25");
    auto retype = [](QLineEdit *field, const QString &text) {
        field->setFocus();
        field->selectAll();
        typing::keys(field, text);
    };
    auto results = [&] { return QStringList{ot25->text(), child(payslips, "netToPay")->text()}; };

    typeInto(hours, "169");
    typeInto(child(payslips, "rate"), "12.5\n");
    QCOMPARE(w.messages(), QStringList{u"Le plafond S.S. est à 0 : renseignez-le dans Paramètres de la paie"_s});
    QCOMPARE(results(), QStringList(2));

    form.fiche().settings().payroll.socialSecurityCeiling = 2432;
    form.fiche().settings().payroll.overtime25Threshold = 151.67;
    QTest::keyClick(hours, Qt::Key_Return);
    QCOMPARE(results(), (QStringList{"17,33", "1571,05"}));

    // New hours empty the overtime worked out at once; Enter works it out again.
    retype(hours, u"151.67"_s);
    QCOMPARE((QStringList{hours->text(), ot25->text()}), (QStringList{"151,67", ""}));
    QTest::keyClick(hours, Qt::Key_Return);
    QCOMPARE(ot25->text(), u"0"_s);
    retype(ot25, u"2"_s);
    retype(hours, u"160\n"_s);
    QCOMPARE(ot25->text(), u"2"_s);
    QCOMPARE(w.messages().size(), 1);

    // A period end read from a line that is not a date shows as it stands and is refused,
    // until a date is chosen.
    form.fiche().payslips().form().periodEndLine = u"31/02/2002"_s;
    payslips->refresh();
    auto *end = child<QDateEdit>(payslips, "periodEnd");
    QCOMPARE(end->text(), u"31/02/2002"_s);
    QTest::keyClick(hours, Qt::Key_Return);
    QCOMPARE(w.messages().last(), u"La période du 01/03/2002 au 31/02/2002 n'est pas valide"_s);
    end->setDate(QDate(2002, 3, 31));
    QCOMPARE(end->text(), u"31/03/2002"_s);
    QTest::keyClick(hours, Qt::Key_Return);
    QCOMPARE(w.messages().size(), 2);
}

// Validated, the payslip page locks every field that changes the amounts, the table and
// "Valider"; the particulars, "Créer" and "Imprimer" stay open. Shown unvalidated, all open.
void TestPayrollFlow::validatedPayslipFieldLeftOpen()
{
    QTemporaryDir dir;
    FakeWindows w;
    TMainForm form(&w, &w, &w, &w);
    form.start(dir.path());
    typing::showActive(form);
    form.run(Cmd::Nouveau);
    form.run(Cmd::NouveauBulletin);
    TPageBulletins *page = form.ficheWindow()->payslipsPage();
    const QStringList open = {"socialSecurity", "address0", "address1", "address2", "address3", "job", "creer", "imprimer"};
    const QStringList locked = {"number", "periodStart", "periodEnd", "employeeCode", "picker", "hours", "rate", "monthly",
                                "withPaidLeave", "withPrecarity", "ot25", "ot50", "ot100", "transport", "advances",
                                "cumul", "valider"};
    for (bool validated : {true, false}) {
        form.fiche().payslips().form().validated = validated;
        page->refresh();
        QStringList wrong;
        for (const QString &name : open + locked)
            if (child<QWidget>(page, qPrintable(name))->isEnabled() != (!validated || open.contains(name)))
                wrong << name;
        QCOMPARE(wrong.join(u" | "), QString());
        QCOMPARE(page->table()->editTriggers() == QAbstractItemView::NoEditTriggers, validated);
    }
}

// "&Paye à l'envers" from the menu: the list offers the dossier's profiles; the rubriques
// used are those of the profile whose code is the code part of the choice (not a profile whose
// name reads like it), and leaving the list shows the name part beside it.
void TestPayrollFlow::enversFromTheMenuTakesAnotherProfile()
{
    QTemporaryDir dir;
    QVERIFY(text::writeLines(dir.filePath("paie.emp"), blk(0, {"10001", "", "", "DUPONT Jean"})).ok());
    QVERIFY(text::writeLines(dir.filePath("paie.Prl"), blk(0, {"10001", "10002", "DATAS1\tSécurité\t10,00\t\tT"})
                                                           + blk(1, {"10002", "Cadres", "DATAS2\tSécurité\t30,00\t\tT"})).ok());
    EnversWindows w;
    TMainForm form(&w, &w, &w, &w);
    form.start(dir.path());
    w.files << dir.filePath("paie.emp");
    form.run(Cmd::Ouvrir);
    QStringList seen;
    w.work = [&](TPEnvers &window) {
        auto *profile = window.findChild<QComboBox *>(u"profil"_s);
        auto *net = window.findChild<QLineEdit *>(u"net"_s);
        auto shown = [&] {
            const double gross = text::parseNumber(window.findChild<QLineEdit *>(u"brut"_s)->text());
            return QStringList{profile->currentText(), window.findChild<QLineEdit *>(u"nom"_s)->text(),
                               QString::number(std::lround(gross))};
        };
        typeInto(net, u"1000\n"_s);
        seen << shown();
        profile->setFocus();
        QTest::keyClick(profile, Qt::Key_Down);
        QTest::keyClick(profile, Qt::Key_Tab);
        QTest::keyClick(net, Qt::Key_Return);
        seen << shown();
        // A profile picked shows its code and its name at once, and "Calculer", the cursor still
        // in the list, uses it.
        QTest::keyClick(profile, Qt::Key_Up);
        QTest::mouseClick(window.findChild<QToolButton *>(u"calculer"_s), Qt::LeftButton);
        seen << shown();
    };
    form.run(Cmd::PayeEnvers);
    QCOMPARE(seen, (QStringList{"10001", "10002", "1111", "10002", "Cadres", "1429", "10001", "10002", "1111"}));
}

QTEST_MAIN(TestPayrollFlow)
#include "test_payroll_flow.moc"
