// Every command of the frame that exists today, run through the frame as a menu item, a tool
// button or a key runs it: whether it is offered on a page, what it asks and what it changes.
#include "fakeclock.h"
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

// A dossier of five employees, two profiles and three payslips (the third validated) opened in
// a fresh start directory, the third employee shown.
struct Harness
{
    QTemporaryDir dir;
    FakeWindows dialogs;
    Fiche fiche{dialogs, dialogs, dialogs};
    Frame frame{fiche, dialogs, dialogs, dialogs};
    int quits = 0;
    QStringList progress;

    Harness()
    {
        QObject::connect(&frame, &Frame::quitRequested, [this] { ++quits; });
        QObject::connect(&frame, &Frame::progressChanged, [this](const QString &text) { progress << text; });
        fiche.loadSideFiles(dir.path());
        frame.firstShow(dir.path());
        fiche.letterhead().setLine(0, QStringLiteral("SARL Test"));
        writeDossier(QStringLiteral("paie.emp"), {{"10001", "ROBERT Luc", "69003", "LYON", "0478000000"},
                                                  {"10002", "ABEL Anne", "75001", "PARIS", "0145000000"},
                                                  {"10003", "MOREAU Jean", "69003", "LYON", "0478111111", "10002",
                                                   "     100,00"},
                                                  {"10004", "PETIT Marc", "13001", "MARSEILLE", "0491000000"},
                                                  {"10005", "DURAND Zoé", "75001", "PARIS", "0145111111"}});
        writeDossier(QStringLiteral("autre.emp"), {{"20001", "AUTRE Un"}, {"20002", "AUTRE Deux"}});
        QVERIFY(text::writeLines(path(QStringLiteral("paie.Prl")),
                                 blk(0, {"10001", "Standard", "DATAU100\tCSG\t2,90\t\tS", "DATAU102\tMaladie\t0,75\t12,80\tT",
                                         "DATAU104\tVieillesse\t6,55\t8,20\tT"})
                                     + blk(1, {"10002", "Cadres", "DATAD300\tRetraite\t10,00\t\tT", "DATAD301\tAPEC\t\t1,00\tB"}))
                    .ok());
        QVERIFY(text::writeLines(path(QStringLiteral("paie.Pai")),
                                 blk(0, payslip("200203001", "10003", "100", "10", "N"))
                                     + blk(1, payslip("200203002", "10001", "", "", "N"))
                                     + blk(2, payslip("200203003", "10003", "151,67", "12", "Y")))
                    .ok());
        QVERIFY(text::writeLines(path(QStringLiteral("entree.txt")), {QStringLiteral("M\t\tIMPORTÉ Paul")}).ok());
        dialogs.files << path(QStringLiteral("paie.emp"));
        frame.ouvrir();
        fiche.employees().choose(2);
        dialogs.log.clear();
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    // A payslip block's 26 lines: number, employee code, hours, rate, validated flag; the
    // employee's name heads its address.
    static QStringList payslip(const QString &number, const QString &code, const QString &hours, const QString &rate,
                               const QString &validated)
    {
        QStringList f(PayslipForm::kFieldCount);
        f[0] = number;
        f[1] = "01/03/2002";
        f[2] = "31/03/2002";
        f[3] = code;
        f[5] = hours;
        f[6] = rate;
        f[10] = code == "10001" ? "ROBERT Luc" : "MOREAU Jean";
        f[15] = validated;
        return f;
    }
    // Each employee: code, name, postcode, town, telephone, profile, cumul (the other lines
    // empty).
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
            content[23] = e.value(5);
            content[26] = e.value(6);
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
        const ProfilesPage &pr = const_cast<Fiche &>(fiche).profiles();
        const PayslipsPage &pay = const_cast<Fiche &>(fiche).payslips();
        // Every employee's cumul as the user sees it: the employee shown as its form holds it.
        QString cumuls;
        for (const Collection::BlockAt &b : p.collection().blocks())
            cumuls += (b.number == p.collection().current() ? p.form().cumul
                                                              : p.collection().lineAt(b.line, EmployeeForm::kCumul))
                          .trimmed()
                      + u'|';
        const Cmd bulletins = frame.checked(Cmd::BulletinsParEmploye) ? Cmd::BulletinsParEmploye : Cmd::TousBulletins;
        return {{"pcurrent", QString::number(pr.collection().current())},
                {"pcount", QString::number(pr.collection().count())},
                {"pcode", pr.form().code},
                {"pname", pr.form().name},
                {"rubriques", QString::number(pr.form().rubriques.size())},
                {"entry", pr.entry().code},
                {"bcurrent", QString::number(pay.collection().current())},
                {"bcount", QString::number(pay.collection().count())},
                {"number", pay.form().number},
                {"bemployee", pay.form().employeeCode},
                {"net", pay.form().netToPay},
                {"bticked", commands::info(bulletins).hint},
                {"cumuls", cumuls},
                {"caisses", QString::number(const_cast<Fiche &>(fiche).caisseLines().size())
                                + (QFileInfo::exists(path(QStringLiteral("Korvel.cai"))) ? "+file" : "")},
{"current", QString::number(p.collection().current())},
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
                {"exported", QFileInfo::exists(path(QStringLiteral("sortie.txt"))) ? "1" : "0"},
                {"printed", dialogs.printed.jobs().join(u'|')},
                {"saisi", QString::number(dialogs.printed.textsEqual(QStringLiteral("SAISI Nom")).size())},
                {"setup", QStringLiteral("%1,%2,%3").arg(fiche.settings().pageSetup.paperType)
                              .arg(fiche.settings().pageSetup.envelopeOrientation)
                              .arg(fiche.settings().pageSetup.envelopeGuide)},
                // The first and last progress shown, and "|" when the panel was emptied after.
                {"progress", progress.isEmpty() ? QString()
                                                : progress.first() + ".." + progress.value(progress.size() - 2)
                                                      + (progress.last().isEmpty() ? "|" : "")}};
    }
    // Scripted answers: "answer:ok|annuler|oui|non", "file:NAME" ("file:" cancels), "input:TEXT"
    // ("input!" cancels), "choice:N", "list:A|B", "societe:LINE", "param:CEILING", "caisse:NAME"
    // (a caisse stored in the dialog); and before the command: "modified" (the dossier is marked
    // modified), "page:E|P|B" (that page is shown), "payslip:N" (payslip N is shown),
    // "hours:TEXT" (typed into "Nbr. heures"), "rubrique:N" (rubrique N is selected), "net:TEXT"
    // (typed into "NET A PAYER"), "amount:TEXT" (the shown payslip's first line's "Retenue"),
    // "name:TEXT" (typed into the shown employee's name); the printer: "print:FROM-TO" (the
    // print dialog's range; "print!" cancels), "setup:PAPER,ORIENTATION,GUIDE" (chosen in
    // "Mise en page"; "setup!" cancels), "noprinter" (the system has none).
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
            } else if (t.startsWith("caisse:")) {
                dialogs.caisseAnswers << [value](CaisseModel &m) {
                    m.setField(CaisseModel::Nom, value);
                    m.store();
                };
            } else if (t.startsWith("payslip:")) {
                fiche.payslips().collection().setCurrent(value.toInt());
                fiche.payslips().read();
            } else if (t.startsWith("hours:")) {
                fiche.payslips().form().hours = value;
                fiche.payslips().formEdited();
            } else if (t.startsWith("net:")) {
                fiche.payslips().form().netToPay = value;
                fiche.payslips().formEdited();
            } else if (t.startsWith("amount:")) {
                fiche.payslips().form().lines[0].employeeAmount = value;
                fiche.payslips().form().linesInUse = 1;
            } else if (t.startsWith("name:")) {
                fiche.employees().form().name = value;
                fiche.employees().formEdited();
            } else if (t == "print!") {
                dialogs.printRanges << std::pair(0, 0);
            } else if (t.startsWith("print:")) {
                dialogs.printRanges << std::pair(value.section(u'-', 0, 0).toInt(), value.section(u'-', 1).toInt());
            } else if (t == "setup!") {
                dialogs.pageSetupAnswers << [](PageSetupModel &) { return false; };
            } else if (t.startsWith("setup:")) {
                dialogs.pageSetupAnswers << [value](PageSetupModel &m) {
                    m.setPaperType(value.section(u',', 0, 0).toInt());
                    m.setEnvelopeOrientation(value.section(u',', 1, 1).toInt());
                    m.setGuide(value.section(u',', 2) == "1");
                    return true;
                };
            } else if (t == "noprinter") {
                dialogs.printed.noPrinter = true;
            } else if (t.startsWith("rubrique:")) {
                fiche.profiles().setSelectedRow(value.toInt());
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
    FakeClock m_clock;

private Q_SLOTS:
    void initTestCase()
    {
        m_clock.moment = QDateTime(QDate(2002, 3, 14), QTime(9, 0));
        Clock::setInstance(&m_clock);
    }
    void cleanupTestCase() { Clock::setInstance(nullptr); }
    void commandRunsWhereItIsOffered_data();
    void commandRunsWhereItIsOffered();
    void dossierKeysAreTheMoveAndListCommands();
    void pageSetupLostAtRestart();
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
    // A dossier without profiles receives the standard profile.
    const QStringList emptied{"pcount=1", "rubriques=26", "bcount=0", "bemployee=", "cumuls="};
    row("Nouveau, unchanged dossier", Cmd::Nouveau, {}, true, {},
        QStringList{"count=0", "current=0", "code=10001", "name=", "file=", "ticked=Tous les employés"} + emptied);
    row("Nouveau, changes discarded", Cmd::Nouveau, {"modified", "answer:non"}, true,
        {"ask: Enregistrer changements dans paie.emp ?"},
        QStringList{"count=0", "current=0", "code=10001", "name=", "file=", "modified=0"} + emptied);
    row("Ouvrir", Cmd::Ouvrir, {"file:autre.emp"}, true, {emp},
        QStringList{"count=2", "current=0", "code=20001", "name=AUTRE Un", "file=autre.emp"} + emptied
            + QStringList{"cumuls=||"});
    row("Enregistrer", Cmd::Enregistrer, {"modified"}, true, {}, {"modified=0"});
    row("Enregistrer sous", Cmd::EnregistrerSous, {"file:copie"}, true,
        {"save: Fichiers employés (*.emp)|*.emp *.emp"}, {"file=copie.emp"});
    row("Quitter", Cmd::Quitter, {}, true, {}, {"quit=1"});
    row("Importer", Cmd::Importer, {"file:entree.txt"}, true,
        {"open: Fichier texte (*.txt);;Fichiers Korvel (*.emp)"},
        {"count=6", "current=5", "code=10006", "name=IMPORTÉ Paul", "modified=1", "cumuls=||100,00||||"});
    row("Exporter", Cmd::Exporter, {"file:sortie.txt"}, true, {"save: Fichiers texte (*.txt) *.txt"}, {"exported=1"});
    row("Supprimer fiche", Cmd::SupprimerFiche, {"answer:ok"}, true, {"ask: Confirmer suppression de la fiche ?"},
        {"count=4", "code=10004", "name=PETIT Marc", "modified=1", "cumuls=||||"});

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
        {"code=10004", "name=PETIT Marc", "modified=1", "cumuls=|100,00||||"});
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

    // The profiles page: its verbs and the "&Rubriques" menu.
    const QStringList onP{"page:P"};
    row("Suivant on the profiles page", Cmd::Suivant, onP, true, {},
        {"page=P", "pcurrent=1", "pcode=10002", "pname=Cadres", "rubriques=2"});
    row("Nouvelle fiche on the profiles page", Cmd::NouvelleFiche, onP, true, {},
        {"page=P", "pcount=3", "pcurrent=2", "pcode=10003", "pname=", "rubriques=0", "modified=1"});
    row("Supprimer fiche on the profiles page", Cmd::SupprimerFiche, onP + QStringList{"answer:ok"}, true,
        {"ask: Confirmer suppression de la fiche ?"},
        {"page=P", "pcount=1", "pcode=10002", "pname=Cadres", "rubriques=2", "modified=1"});
    row("Copier puis Coller on the profiles page", Cmd::Copier, onP, true, {},
        {"page=P", "pcode=10003", "pname=Profil copié", "modified=1"}, int(Cmd::Coller));
    row("Profil standard", Cmd::ProfilStandard, onP + QStringList{"answer:oui"}, true, {"ask: Générer les rubriques ?"},
        {"page=P", "rubriques=26", "modified=1"});
    row("Profil standard refused", Cmd::ProfilStandard, onP + QStringList{"answer:non"}, true,
        {"ask: Générer les rubriques ?"}, {"page=P"});
    row("Reprendre profil", Cmd::ReprendreProfil, onP + QStringList{"input:10002"}, true, {"profiles: 2"},
        {"page=P", "rubriques=2", "modified=1"});
    row("Supprimer rubrique", Cmd::SupprimerRubrique, onP + QStringList{"rubrique:1"}, true, {},
        {"page=P", "rubriques=2", "modified=1"});
    row("Modifier rubrique", Cmd::ModifierRubrique, onP + QStringList{"rubrique:2"}, true, {}, {"page=P", "entry=U104"});
    row("Liste on the profiles page", Cmd::Liste, onP, false, {}, {"page=P"});
    row("Profil standard on the employees page", Cmd::ProfilStandard, {"answer:oui"}, false, {}, {});

    // The payslips page: its verbs, the "&Paye" menu, the payslip selection.
    const QStringList onB{"page:B"};
    row("Suivant (Paye) on the payslips page", Cmd::PayeSuivant, onB, true, {},
        {"page=B", "bcurrent=1", "number=200203002", "bemployee=10001"});
    row("Bulletins par employé", Cmd::BulletinsParEmploye, onB + QStringList{"payslip:1", "input:10003"}, true,
        {"input: Sélectionner bulletin"}, {"page=B", "bcurrent=0", "number=200203001", "bemployee=10003",
                                          "bticked=Bulletins par employé"});
    row("Suivant within one employee's payslips", Cmd::BulletinsParEmploye, onB + QStringList{"input:10003"}, true,
        {"input: Sélectionner bulletin"},
        {"page=B", "bcurrent=2", "number=200203003", "bticked=Bulletins par employé"}, int(Cmd::Suivant));
    row("Bulletins par employé cancelled", Cmd::BulletinsParEmploye, onB + QStringList{"input!"}, true,
        {"input: Sélectionner bulletin"}, {"page=B"});
    row("Tous les bulletins", Cmd::TousBulletins, onB + QStringList{"payslip:2"}, true, {},
        {"page=B", "bcurrent=0", "number=200203001", "bemployee=10003"});
    row("Nouvelle fiche on the payslips page", Cmd::NouvelleFiche, onB, true, {},
        {"page=B", "bcount=4", "bcurrent=3", "number=200203004", "bemployee=", "modified=1"});
    row("Nouveau bulletin from the employees page", Cmd::NouveauBulletin, {}, true, {},
        {"page=B", "bcount=4", "bcurrent=3", "number=200203004", "bemployee=10003", "modified=1"});
    row("Supprimer bulletin", Cmd::SupprimerBulletin, onB + QStringList{"answer:ok"}, true,
        {"ask: Confirmer suppression de la fiche ?"},
        {"page=B", "bcount=2", "number=200203002", "bemployee=10001", "modified=1"});
    row("Copier puis Coller on the payslips page", Cmd::Copier, onB, true, {},
        {"page=B", "number=200203004", "modified=1"}, int(Cmd::Coller));
    row("Coller on a validated payslip", Cmd::Coller, onB + QStringList{"payslip:2"}, true, {}, {"page=B"});
    row("Liste on the payslips page", Cmd::Liste, onB + QStringList{"choice:2"}, true, {"payslips: 3, current 0"},
        {"page=B", "bcurrent=2", "number=200203003", "bemployee=10003"});
    row("Chercher bulletin", Cmd::ChercherBulletin, onB + QStringList{"input:200203002"}, true,
        {"input: Chercher bulletin"}, {"page=B", "bcurrent=1", "number=200203002", "bemployee=10001"});
    // 100 h at 10: 1000, less 10 % of the employee's own profile (10002).
    row("Calculer (tool button)", Cmd::BtnCalculer, onB, true, {}, {"page=B", "net=900", "modified=1"});
    row("Calculer on a validated payslip", Cmd::CalculerBulletin, onB + QStringList{"payslip:2"}, false, {}, {"page=B"});
    row("Calculer with hours that are not a number", Cmd::CalculerBulletin, onB + QStringList{"hours:1x"}, true,
        {"message: '1x' n'est pas une valeur numérique correcte"}, {"page=B", "modified=1"});

    // The cumuls, the caisses, the reverse payroll.
    row("Modifier cumul", Cmd::ModifierCumul, {"input:1234"}, true, {"cumul: 100,00"}, {"cumuls=||1234,00|||", "modified=1"});
    row("Modifier cumul on the payslips page", Cmd::ModifierCumul, onB, false, {}, {"page=B"});
    row("Clôturer exercice", Cmd::CloturerExercice, {"answer:ok"}, true,
        {"ask: Attention! la clôture remet à zéro les cumuls. Continuer?"},
        {"cumuls=0|0|0|0|0|", "modified=1"});
    row("Clôturer exercice refused", Cmd::CloturerExercice, {"answer:annuler"}, true,
        {"ask: Attention! la clôture remet à zéro les cumuls. Continuer?"}, {});
    row("Caisses", Cmd::Caisses, {"caisse:URSSAF"}, true, {"caisses"}, {"caisses=1+file"});
    row("Paye à l'envers", Cmd::PayeEnvers, {}, true, {"window: envers 10001 of 2"}, {});

    // Printing: what the page shown prints, on the session's printer; the record being typed
    // is printed as typed.
    row("Imprimer fiche on the employees page", Cmd::ImprimerFiche, {"name:SAISI Nom"}, true, {},
        {"name=SAISI Nom", "modified=1", "printed=Fiche employé SAISI Nom (1)", "saisi=1"});
    row("Imprimer (tool button) on the profiles page", Cmd::BtnImprimer, onP, true, {}, {"page=P", "printed=Korvel (1)"});
    row("Imprimer bulletin", Cmd::ImprimerBulletin, onB, true, {}, {"page=B", "printed=Bulletin de paie 200203001 (1)"});
    row("Imprimer bulletin with an amount that is not a number", Cmd::ImprimerBulletin, onB + QStringList{"amount:1x"},
        true, {"message: '1x' n'est pas une valeur flottante correcte"}, {"page=B"});
    row("Imprimer bulletin on the employees page", Cmd::ImprimerBulletin, {}, false, {}, {});
    row("Imprimer fiche without a printer", Cmd::ImprimerFiche, {"noprinter"}, true,
        {"message: Aucune imprimante par défaut sélectionnée"}, {});
    // The list and the envelopes of a range read the employee blocks.
    row("Liste employés", Cmd::ImprimerListe, {"name:SAISI Nom", "print:1-5"}, true, {"print: 1-5"},
        {"name=SAISI Nom", "modified=1", "printed=Liste des employés (1)", "saisi=1"});
    row("Liste employés cancelled", Cmd::ImprimerListe, {"print!"}, true, {"print: 1-5"}, {});
    row("Enveloppes", Cmd::ImprimerEnveloppes, {"print:2-3"}, true, {"print: 1-5"}, {"printed=Enveloppes (2)"});
    row("Enveloppe courante", Cmd::EnveloppeCourante, {}, true, {"message: Insérez une enveloppe dans l'imprimante"},
        {"printed=Enveloppe MOREAU Jean (1)"});
    row("Imprimer enveloppe (tool button) on the payslips page", Cmd::BtnImprimerEnveloppe, onB + QStringList{"payslip:1"},
        true, {"message: Insérez une enveloppe dans l'imprimante"},
        {"page=B", "bcurrent=1", "number=200203002", "bemployee=10001", "printed=Enveloppe ROBERT Luc (1)"});
    row("Enveloppe courante without a printer", Cmd::EnveloppeCourante, {"noprinter"}, true,
        {"message: Insérez une enveloppe dans l'imprimante", "message: Aucune imprimante par défaut sélectionnée"}, {});
    row("Enveloppe courante on the profiles page", Cmd::EnveloppeCourante, onP, false, {}, {"page=P"});
    row("Mise en page", Cmd::MiseEnPage, {"setup:1,1,1"}, true, {"page setup"}, {"setup=1,1,100"});
    row("Mise en page cancelled", Cmd::MiseEnPage, {"setup!"}, true, {"page setup"}, {});

    // The statistics and the journal read every payslip, as typed; the last one stays shown.
    const QStringList lastShown{"bcurrent=2", "number=200203003", "bemployee=10003", "net=",
                                "progress=Bulletin 0..Bulletin 2|"};
    row("Statistiques employés", Cmd::StatEmployes, onB + QStringList{"net:600"}, true,
        {"window: statistics 0: 10003/MOREAU Jean/600"}, QStringList{"page=B", "modified=1"} + lastShown);
    row("Journal comptable", Cmd::JournalComptable, {}, true, {"window: journal of 6 entries"}, lastShown);
    row("Statistiques caisses", Cmd::StatCaisses, {}, true, {"window: statistics 3: "},
        {"progress=Bulletin 0..Bulletin 2|"});

    // Not offered: a pattern that says no.
    row("Rechercher nom on the profiles page", Cmd::RechercherNom, {"page:P", "input:mor"}, false, {}, {"page=P"});
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
                && h.dialogs.choices.isEmpty() && h.dialogs.lists.isEmpty() && h.dialogs.printRanges.isEmpty()
                && h.dialogs.pageSetupAnswers.isEmpty());
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

// "&Mise en page" is kept in the settings file written at exit, and read at the next start.
void TestShellCommands::pageSetupLostAtRestart()
{
    Harness h;
    h.script({"setup:1,1,1"});
    h.frame.run(Cmd::MiseEnPage);
    h.frame.close();
    FakeWindows dialogs;
    Fiche next(dialogs, dialogs, dialogs);
    next.loadSideFiles(h.dir.path());
    const PageSetup &kept = next.settings().pageSetup;
    QCOMPARE((QList<int>{kept.paperType, kept.envelopeOrientation, kept.envelopeGuide}), (QList<int>{1, 1, 100}));
}

QTEST_GUILESS_MAIN(TestShellCommands)
#include "test_shell_commands.moc"
