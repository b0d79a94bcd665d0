// Every command of the frame that exists today, run through the frame as a menu item, a tool
// button or a key runs it: whether it is offered on a page, what it asks and what it changes.
#include "fakewindows.h"
#include "shell/commands.h"
#include "shell/fiche.h"
#include "shell/frame.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A dossier of five employees opened in a fresh start directory, the third one shown.
struct Harness
{
    QTemporaryDir dir;
    FakeWindows dialogs;
    Fiche fiche{dialogs, dialogs};
    Frame frame{fiche, dialogs, dialogs};
    int quits = 0;

    Harness()
    {
        QObject::connect(&frame, &Frame::quitRequested, [this] { ++quits; });
        fiche.loadSideFiles(dir.path());
        frame.firstShow(dir.path());
        fiche.letterhead().setLine(0, QStringLiteral("SARL Test"));
        writeDossier(QStringLiteral("paie.emp"), {{"10001", "ROBERT Luc", "69003", "LYON", "0478000000"},
                                                  {"10002", "ABEL Anne", "75001", "PARIS", "0145000000"},
                                                  {"10003", "MOREAU Jean", "69003", "LYON", "0478111111"},
                                                  {"10004", "PETIT Marc", "13001", "MARSEILLE", "0491000000"},
                                                  {"10005", "DURAND Zoé", "75001", "PARIS", "0145111111"}});
        writeDossier(QStringLiteral("autre.emp"), {{"20001", "AUTRE Un"}, {"20002", "AUTRE Deux"}});
        QVERIFY(text::writeLines(path(QStringLiteral("entree.txt")), {QStringLiteral("M\t\tIMPORTÉ Paul")}).ok());
        dialogs.files << path(QStringLiteral("paie.emp"));
        frame.ouvrir();
        fiche.employees().choose(2);
        dialogs.log.clear();
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    // Each employee: code, name, postcode, town, telephone (the other lines empty).
    void writeDossier(const QString &name, const QList<QStringList> &employees)
    {
        QStringList lines;
        for (int i = 0; i < employees.size(); ++i) {
            QStringList content(29);
            const QStringList &e = employees[i];
            content[0] = e.value(0);
            content[3] = e.value(1);
            content[7] = e.value(2);
            content[8] = e.value(3);
            content[9] = e.value(4);
            lines << blk(i, content);
        }
        QVERIFY(text::writeLines(path(name), lines).ok());
    }
    // What a user could see change.
    QMap<QString, QString> state() const
    {
        const EmployeesPage &p = const_cast<Fiche &>(fiche).employees();
        QString ticked;
        for (Cmd c : {Cmd::TousEmployes, Cmd::SelCodePostal, Cmd::SelVille})
            if (frame.checked(c))
                ticked += commands::info(c).hint;
        const QString pages = QStringLiteral("EPB");
        return {{"current", QString::number(p.collection().current())},
                {"count", QString::number(p.collection().count())},
                {"code", p.form().code},
                {"name", p.form().name},
                {"page", pages.at(int(fiche.pageShown()))},
                {"modified", fiche.TestModif() ? "1" : "0"},
                {"ticked", ticked},
                {"auto", frame.checked(Cmd::OuvrirAuto) ? "1" : "0"},
                {"file", QFileInfo(frame.currentFileName()).fileName()},
                {"quit", QString::number(quits)},
                {"letterhead", const_cast<Fiche &>(fiche).letterhead().line(0)},
                {"ceiling", QString::number(fiche.settings().payroll.socialSecurityCeiling)},
                {"banks", p.lists().banks.join(u'|')},
                {"jobs", p.lists().jobs.join(u'|')},
                {"exported", QFileInfo::exists(path(QStringLiteral("sortie.txt"))) ? "1" : "0"}};
    }
    // Scripted answers: "answer:ok|annuler|oui|non", "file:NAME" ("file:" cancels), "input:TEXT"
    // ("input!" cancels), "choice:N", "list:A|B", "societe:LINE", "param:CEILING"; and before the
    // command: "modified" (the dossier is marked modified), "page:E|P|B" (that page is shown).
    void script(const QStringList &tokens)
    {
        for (const QString &t : tokens) {
            const QString value = t.section(u':', 1);
            if (t.startsWith("answer:")) {
                const QMap<QString, Dialogs::Answer> answers{{"ok", Dialogs::Answer::Ok},
                                                             {"annuler", Dialogs::Answer::Annuler},
                                                             {"oui", Dialogs::Answer::Oui},
                                                             {"non", Dialogs::Answer::Non}};
                dialogs.answers << answers.value(value);
            } else if (t.startsWith("file:")) {
                dialogs.files << (value.isEmpty() ? QString() : path(value));
            } else if (t == "input!") {
                dialogs.inputs << QString();
            } else if (t.startsWith("input:")) {
                dialogs.inputs << value;
            } else if (t.startsWith("choice:")) {
                dialogs.choices << value.toInt();
            } else if (t.startsWith("list:")) {
                dialogs.lists << value.split(u'|');
            } else if (t.startsWith("societe:")) {
                dialogs.societeAnswers << [value](QStringList &l) { l[0] = value; return true; };
            } else if (t.startsWith("param:")) {
                dialogs.paramAnswers << [value](PayrollParametersForm &f) {
                    f.setText(PayrollParametersForm::Plafond, value);
                    return true;
                };
            } else if (t == "modified") {
                fiche.SetSauve();
            } else if (t.startsWith("page:")) {
                frame.showPage(value == "P" ? Fiche::Page::Profils
                               : value == "B" ? Fiche::Page::Bulletins
                                              : Fiche::Page::Employes);
            }
        }
    }
};

} // namespace

class TestShellCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandRunsWhereItIsOffered_data();
    void commandRunsWhereItIsOffered();
    void dossierKeysAreTheMoveAndListCommands();
};

void TestShellCommands::commandRunsWhereItIsOffered_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QStringList>("log");      // what was asked, in order; %dir% is the start directory
    QTest::addColumn<QStringList>("changes");  // "key=value"; every other part of state() stays
    QTest::addColumn<int>("then");             // a second command run after the first, or Cmd::Count
    const QString emp = QStringLiteral("open: Fichiers employés (*.emp)|*.emp");
    auto row = [](const char *name, Cmd c, QStringList script, bool available, QStringList log, QStringList changes,
                  int then = int(Cmd::Count)) {
        QTest::newRow(name) << int(c) << script << available << log << changes << then;
    };

    // The frame's flows.
    row("Nouveau, unchanged dossier", Cmd::Nouveau, {}, true, {},
        {"count=0", "current=0", "code=10001", "name=", "file=", "ticked=Tous les employés"});
    row("Nouveau, changes discarded", Cmd::Nouveau, {"modified", "answer:non"}, true,
        {"ask: Enregistrer changements dans paie.emp ?"},
        {"count=0", "current=0", "code=10001", "name=", "file=", "modified=0"});
    row("Ouvrir", Cmd::Ouvrir, {"file:autre.emp"}, true, {emp},
        {"count=2", "current=0", "code=20001", "name=AUTRE Un", "file=autre.emp"});
    row("Enregistrer", Cmd::Enregistrer, {"modified"}, true, {}, {"modified=0"});
    row("Enregistrer sous", Cmd::EnregistrerSous, {"file:copie"}, true,
        {"save: Fichiers employés (*.emp)|*.emp *.emp"}, {"file=copie.emp"});
    row("Quitter", Cmd::Quitter, {}, true, {}, {"quit=1"});
    row("Importer", Cmd::Importer, {"file:entree.txt"}, true,
        {"open: Ficher texte (*.txt);;Fichiers Korvel (*.emp)"},
        {"count=6", "current=5", "code=10006", "name=IMPORTÉ Paul", "modified=1"});
    row("Exporter", Cmd::Exporter, {"file:sortie.txt"}, true, {"save: Fichiers texte (*.txt) *.txt"}, {"exported=1"});
    row("Supprimer fiche", Cmd::SupprimerFiche, {"answer:ok"}, true, {"ask: Confirmer suppression de la fiche ?"},
        {"count=4", "code=10004", "name=PETIT Marc", "modified=1"});

    // The page's verbs on the employees page.
    row("Premier", Cmd::Premier, {}, true, {}, {"current=0", "code=10001", "name=ROBERT Luc"});
    row("Précédent", Cmd::Precedent, {}, true, {}, {"current=1", "code=10002", "name=ABEL Anne"});
    row("Suivant", Cmd::Suivant, {}, true, {}, {"current=3", "code=10004", "name=PETIT Marc"});
    row("Dernier (tool button)", Cmd::BtnDernier, {}, true, {}, {"current=4", "code=10005", "name=DURAND Zoé"});
    row("Nouvelle fiche", Cmd::NouvelleFiche, {}, true, {},
        {"count=6", "current=5", "code=10006", "name=", "modified=1"});
    // What was copied is pasted, with a code of its own.
    row("Copier puis Coller", Cmd::Copier, {}, true, {}, {"code=10006", "modified=1"}, int(Cmd::Coller));
    row("Coller sans copie", Cmd::Coller, {}, true, {}, {"code=10006", "name=", "modified=1"});
    row("Liste", Cmd::Liste, {"choice:4"}, true, {"list: 5 rows, current 2"},
        {"current=4", "code=10005", "name=DURAND Zoé"});

    // The employees page's own commands.
    row("Rechercher nom", Cmd::RechercherNom, {"input:rob"}, true, {"search: Recherche par nom"},
        {"current=0", "code=10001", "name=ROBERT Luc"});
    row("Rechercher code", Cmd::RechercherCode, {"input:10004"}, true, {"search: Recherche par code employé"},
        {"current=3", "code=10004", "name=PETIT Marc"});
    row("Rechercher téléphone", Cmd::RechercherTelephone, {"input:014511"}, true,
        {"search: Recherche par téléphone"}, {"current=4", "code=10005", "name=DURAND Zoé"});
    // By town: LYON (10001, 10003), MARSEILLE, PARIS (10002, 10005); the third is PETIT.
    row("Trier employés", Cmd::TrierEmployes, {"choice:2"}, true, {"sort"},
        {"code=10004", "name=PETIT Marc", "modified=1"});
    row("Tous les employés", Cmd::TousEmployes, {}, true, {}, {"current=0", "code=10001", "name=ROBERT Luc"});
    row("Code postal", Cmd::SelCodePostal, {"input:75001"}, true, {"postcode"},
        {"current=1", "code=10002", "name=ABEL Anne", "ticked=Employés par code postal"});
    // Annuler keeps the value chosen before (none yet) and sets the selection all the same.
    row("Code postal annulé", Cmd::SelCodePostal, {"input!"}, true, {"postcode"}, {"ticked=Employés par code postal"});
    row("Ville", Cmd::SelVille, {"input:MARSEILLE"}, true, {"town"},
        {"current=3", "code=10004", "name=PETIT Marc", "ticked=Employés par ville"});
    row("Banques", Cmd::Banques, {"list:BNP|LCL"}, true, {"lists: Les Banques"}, {"banks=BNP|LCL"});
    row("Emplois", Cmd::Emplois, {"list:Comptable"}, true, {"lists: Les Conventions collectives"},
        {"jobs=Comptable"});
    row("Départements", Cmd::Departements, {}, true, {"departments"}, {});

    // The pages.
    row("Profils", Cmd::PageProfils, {}, true, {}, {"page=P"});
    row("Bulletins", Cmd::PageBulletins, {}, true, {}, {"page=B"});
    row("Fiche employé (tool button) from the profiles", Cmd::BtnFicheEmploye, {"page:P"}, true, {}, {"page=E"});

    // The frame's windows and parameters.
    row("Société", Cmd::Societe, {"societe:Nouvelle"}, true, {"societe"}, {"letterhead=Nouvelle"});
    row("Paie", Cmd::ParamPaie, {"param:2432"}, true, {"paramPaie"}, {"ceiling=2432"});
    row("Ouvrir automatiquement", Cmd::OuvrirAuto, {}, true, {}, {"auto=1"});
    row("Traitement de texte", Cmd::TraitementTexte, {}, true, {"window: texte SARL Test"}, {});
    row("Message", Cmd::Message, {}, true, {"window: messages %dir%/paie.emp"}, {});
    row("Calendrier", Cmd::Calendrier, {}, true, {"window: calendrier"}, {});
    row("Calculatrice", Cmd::Calculatrice, {}, true, {"window: calculatrice"}, {});
    row("Horloge", Cmd::Horloge, {}, true, {"window: horloge"}, {});
    row("Euro conversion", Cmd::EuroConversion, {}, true, {"window: euro"}, {});
    row("Bloc-notes", Cmd::BlocNotes, {}, true, {"window: bloc-notes %dir%"}, {});
    row("Configurer imprimante", Cmd::ConfigurerImprimante, {}, true, {"window: printer"}, {});
    row("Aide index", Cmd::AideIndex, {}, true, {"help: 0"}, {});
    row("Aide rechercher", Cmd::AideRechercher, {}, true, {"help search"}, {});
    row("Utiliser l'aide", Cmd::AideUtiliser, {}, true, {"help: 12"}, {});
    row("A propos", Cmd::APropos, {}, true, {"window: about"}, {});

    // Not offered: a page that is not built yet, a pattern that says no, a submenu whose items
    // are not built, a command whose part is not built.
    row("Suivant on the profiles page", Cmd::Suivant, {"page:P"}, false, {}, {"page=P"});
    row("Liste on the payslips page", Cmd::Liste, {"page:B"}, false, {}, {"page=B"});
    row("Rechercher nom on the profiles page", Cmd::RechercherNom, {"page:P", "input:mor"}, false, {}, {"page=P"});
    row("Imprimer submenu", Cmd::Imprimer, {}, false, {}, {});
    row("Mise en page", Cmd::MiseEnPage, {}, false, {}, {});
    row("Imprimer enveloppe (tool button)", Cmd::BtnImprimerEnveloppe, {}, false, {}, {});
    row("Calculer bulletin", Cmd::CalculerBulletin, {"page:B"}, false, {}, {"page=B"});
}

void TestShellCommands::commandRunsWhereItIsOffered()
{
    QFETCH(int, command);
    QFETCH(QStringList, script);
    QFETCH(bool, available);
    QFETCH(QStringList, log);
    QFETCH(QStringList, changes);
    QFETCH(int, then);
    Harness h;
    h.script(script);
    h.dialogs.log.clear();
    QMap<QString, QString> expected = h.state();
    for (const QString &change : changes)
        expected[change.section(u'=', 0, 0)] = change.section(u'=', 1);

    const Cmd c = static_cast<Cmd>(command);
    QCOMPARE(h.frame.available(c), available);
    h.frame.run(c);
    if (then != int(Cmd::Count))
        h.frame.run(static_cast<Cmd>(then));
    for (QString &line : log)
        line.replace(QStringLiteral("%dir%"), h.dir.path());
    QCOMPARE(h.dialogs.log, log);
    QCOMPARE(h.state(), expected);
    // What was scripted for a command that runs was asked for.
    if (available)
        QVERIFY(h.dialogs.answers.isEmpty() && h.dialogs.files.isEmpty() && h.dialogs.inputs.isEmpty()
                && h.dialogs.choices.isEmpty() && h.dialogs.lists.isEmpty());
}

void TestShellCommands::dossierKeysAreTheMoveAndListCommands()
{
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        Cmd command;
    } keys[] = {
        {Qt::Key_PageDown, Qt::NoModifier, Cmd::Suivant},
        {Qt::Key_PageUp, Qt::KeypadModifier, Cmd::Precedent},
        {Qt::Key_Home, Qt::ControlModifier, Cmd::Premier},
        {Qt::Key_End, Qt::ControlModifier, Cmd::Dernier},
        {Qt::Key_F2, Qt::NoModifier, Cmd::Liste},
        // Home and End without Ctrl belong to the field; Ctrl with Shift is not the dossier's.
        {Qt::Key_Home, Qt::NoModifier, Cmd::Count},
        {Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier, Cmd::Count},
    };
    for (const auto &k : keys)
        QCOMPARE(commands::dossierKey(k.key, k.modifiers), k.command);
}

QTEST_GUILESS_MAIN(TestShellCommands)
#include "test_shell_commands.moc"
