// The frame's flows (new, open, save, save as, delete, exit, start-up) and its commands run as
// a menu item, a tool button or a key runs them.
#include "fakeclock.h"
#include "fakewindows.h"
#include "shell/commands.h"
#include "shell/fiche.h"
#include "shell/frame.h"
#include "employeesupport.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QFileInfo>
#include <cstring>
#include <QTemporaryDir>
#include <QtTest>

using Answer = Dialogs::Answer;

namespace {

// A frame, its dossier window and scripted windows in a fresh start directory.
struct Harness
{
    QTemporaryDir dir;
    FakeWindows dialogs;
    Fiche fiche{dialogs, dialogs, dialogs};
    Frame frame{fiche, dialogs, dialogs, dialogs};

    Harness() { fiche.loadSideFiles(dir.path()); }
    QString path(const QString &name) const { return dir.filePath(name); }
    EmployeeForm &form() { return fiche.employees().form(); }
    int count() { return fiche.dossier().employees().count(); }
    // Each employee as code, name, postcode, town, telephone, profile (the other lines empty);
    // a number n gives employees 10001... 1000n.
    void writeDossier(const QString &name, QList<QStringList> employees)
    {
        QStringList lines;
        for (int i = 0; i < employees.size(); ++i) {
            const QStringList &e = employees[i];
            lines << blk(i, employee({{1, e.value(0)}, {4, e.value(1)}, {8, e.value(2)}, {9, e.value(3)}, {10, e.value(4)},
                                      {24, e.value(5)}}));
        }
        QVERIFY(QDir().mkpath(QFileInfo(path(name)).path()));
        QVERIFY(text::writeLines(path(name), lines).ok());
    }
    void writeDossier(const QString &name, int n)
    {
        QList<QStringList> employees;
        for (int i = 0; i < n; ++i)
            employees << QStringList{QString::number(10001 + i), QStringLiteral("NOM %1").arg(i)};
        writeDossier(name, employees);
    }
    void open(const QString &name)
    {
        dialogs.files << path(name);
        frame.ouvrir();
    }
    void type(const QString &name)
    {
        form().name = name;
        fiche.employees().formEdited();
    }
    QStringList read(const QString &name) const { return linesOf(path(name)); }
};

// When each command is offered, as the menus of the frame list it: the "On" columns N, E, P, B
// ('-' where it is not offered; '^' for an item offered with its submenu), what pattern D does
// to it ('+' offers it, '-' withdraws it) and 'p' when the page patterns E, P and B set it.
struct Offered {
    QList<Cmd> ids;
    const char *on;
    const char *patterns = "";
};
const Offered kOffered[] = {
    {{Cmd::Nouveau, Cmd::Ouvrir, Cmd::MiseEnPage, Cmd::ConfigurerImprimante, Cmd::Quitter, Cmd::NouvelleFiche,
      Cmd::TraitementTexte, Cmd::EnveloppeCourante, Cmd::Message, Cmd::Societe, Cmd::ParamPaie, Cmd::Caisses,
      Cmd::Banques, Cmd::Emplois, Cmd::OuvrirAuto, Cmd::Calendrier, Cmd::Calculatrice, Cmd::Horloge,
      Cmd::EuroConversion, Cmd::BlocNotes, Cmd::Departements, Cmd::AideIndex, Cmd::AideRechercher,
      Cmd::AideUtiliser, Cmd::APropos, Cmd::BtnOuvrir, Cmd::BtnNouvelleFiche},
     "NEPB"},
    {{Cmd::BtnNouveauFichier}, "NEPB", "+"},
    {{Cmd::Enregistrer, Cmd::EnregistrerSous, Cmd::Imprimer, Cmd::Copier, Cmd::Coller, Cmd::Precedent, Cmd::Suivant,
      Cmd::Premier, Cmd::Dernier, Cmd::SupprimerFiche, Cmd::ImprimerFiche, Cmd::StatEmployes, Cmd::StatMois,
      Cmd::StatProfils, Cmd::StatCaisses, Cmd::PayeEnvers, Cmd::JournalComptable, Cmd::CloturerExercice,
      Cmd::BtnEnregistrer, Cmd::BtnCopier, Cmd::BtnColler, Cmd::BtnPremier, Cmd::BtnPrecedent, Cmd::BtnSuivant,
      Cmd::BtnDernier, Cmd::BtnImprimer, Cmd::PaieDuMois},
     "-EPB", "+"},
    {{Cmd::ImprimerListe, Cmd::ImprimerEnveloppes}, "^^^^"},
    {{Cmd::Importer}, "NE--", "p"},
    {{Cmd::Exporter, Cmd::RechercherCode, Cmd::RechercherNom, Cmd::TrierEmployes, Cmd::TousEmployes,
      Cmd::SelCodePostal, Cmd::SelVille},
     "-E--", "+p"},
    {{Cmd::RechercherTelephone, Cmd::ModifierCumul}, "-E--", "p"},
    {{Cmd::ChercherBulletin, Cmd::PayePrecedent, Cmd::PayeSuivant, Cmd::PayePremier, Cmd::PayeDernier,
      Cmd::TousBulletins, Cmd::BulletinsParEmploye},
     "---B", "p"},
    {{Cmd::PageEmployes}, "N-PB", "p"},
    {{Cmd::BtnFicheEmploye}, "N-PB", "+p"},
    {{Cmd::PageProfils, Cmd::BtnProfils}, "NE-B", "p"},
    {{Cmd::PageBulletins, Cmd::BtnBulletins}, "NEP-", "p"},
    {{Cmd::Liste, Cmd::BtnImprimerEnveloppe}, "-E-B", "+p"},
    {{Cmd::NouveauBulletin}, "NEPB", "+p"},
    {{Cmd::SupprimerBulletin, Cmd::ImprimerBulletin}, "N--B", "p"},
    {{Cmd::CalculerBulletin}, "N--B", "-p"},
    {{Cmd::BtnCalculer}, "---B", "-p"},
    {{Cmd::ProfilStandard, Cmd::ReprendreProfil, Cmd::SupprimerRubrique, Cmd::ModifierRubrique}, "N-P-", "p"},
};

const Offered &offered(Cmd id)
{
    for (const Offered &o : kOffered)
        if (o.ids.contains(id))
            return o;
    qFatal("a command missing from kOffered");
}

// Column 0 to 3 (N, E, P, B) of the command.
bool offeredIn(Cmd id, int column)
{
    return offered(id).on[column] != '-';
}

// Whether the command is offered after the patterns applied in turn from the N column ("DE":
// a dossier opened on the employees page); an item of a submenu is offered with it.
bool offeredAfter(Cmd id, const QString &patterns)
{
    const Offered &o = offered(id);
    if (o.on[0] == '^')
        return offeredAfter(Cmd::Imprimer, patterns);
    bool on = offeredIn(id, 0);
    for (QChar p : patterns) {
        if (p == u'D' && std::strpbrk(o.patterns, "+-"))
            on = std::strchr(o.patterns, '+') != nullptr;
        else if (p != u'D' && std::strchr(o.patterns, 'p'))
            on = offeredIn(id, int(QStringLiteral("NEPB").indexOf(p)));
    }
    return on;
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT
    PinnedClock m_clock{QDateTime(QDate(2002, 3, 14), QTime(9, 0))};

private Q_SLOTS:

    // The enabling patterns, alone and in the orders the frame applies them ("&Nouvelle fiche"
    // and "I&mporter..." apply D alone, over the page's pattern), give each command the
    // availability of its "On" column.
    void commandOfferedByTheWrongPattern_data()
    {
        QTest::addColumn<QString>("patterns");
        for (const char *row : {"", "DE", "DP", "DB", "DEPBE", "DBP", "DPD", "DBD", "DED", "EPB"})
            QTest::newRow(*row ? row : "N") << QString::fromLatin1(row);
    }
    void commandOfferedByTheWrongPattern()
    {
        QFETCH(QString, patterns);
        CommandState state;
        for (QChar p : patterns)
            state.apply(p == u'D' ? Pattern::D : p == u'E' ? Pattern::E : p == u'P' ? Pattern::P : Pattern::B);
        QStringList wrong;
        for (const CommandInfo &c : commands::all()) {
            if (c.parent == Cmd::Count && state.enabled(c.id) != offeredAfter(c.id, patterns))
                wrong << c.caption + (state.enabled(c.id) ? " offered" : " withheld");
        }
        QCOMPARE(wrong.join(u" | "), QString());
        for (const Offered &o : kOffered)
            for (Cmd id : o.ids)
                QVERIFY2(&offered(id) == &o, qPrintable(commands::info(id).caption + " listed twice"));
    }

    // With a dossier open, each page offers what its column says, the items of "&Imprimer"
    // with it; the profiles page shows no employee to address an envelope to.
    void commandOfferedOnTheWrongPage()
    {
        Harness h;
        h.writeDossier("paie.emp", 2);
        h.open("paie.emp");
        for (const auto &[page, name] : {std::pair(Fiche::Page::Employes, u'E'), {Fiche::Page::Profils, u'P'},
                                         {Fiche::Page::Bulletins, u'B'}, {Fiche::Page::Employes, u'E'}}) {
            h.frame.showPage(page);
            QStringList wrong;
            for (const CommandInfo &c : commands::all()) {
                const bool expected = offeredAfter(c.id, QStringLiteral("D") + name)
                                      && !(c.action == Cmd::EnveloppeCourante && page == Fiche::Page::Profils);
                if (h.frame.available(c.id) != expected)
                    wrong << c.caption + (expected ? " withheld" : " offered");
            }
            QCOMPARE(wrong.join(u" | "), QString());
        }
    }
    // The frame's own share of the commands: offered on the right page, what is being typed
    // printed as typed, the printer's absence told, the parameters written at once, and
    // after an import the last record of the selection shown.
    void commandMisroutedOrOfferedOnTheWrongPage()
    {
        Harness h;
        h.frame.firstShow(h.dir.path());
        h.writeDossier("paie.emp", {{"10001", "ROBERT Luc", "", "LYON"}, {"10002", "ABEL Anne", "", "PARIS"},
                                    {"10003", "MOREAU Jean", "", "LYON", "0478"}});
        QStringList calculated(PayslipForm::kFieldCount);
        calculated[PayslipForm::kNumber - 1] = "200203001";
        calculated[PayslipForm::kPeriodEnd - 1] = "31/04/2002";
        calculated[PayslipForm::kEmployeeCode - 1] = "10001";
        calculated[PayslipForm::kNetToPay - 1] = "100,00";
        calculated[PayslipForm::kGross - 1] = "120,00";
        QVERIFY(text::writeLines(h.path("paie.Pai"), blk(0, calculated) + blk(1, {"200203002"})).ok());
        h.open("paie.emp");
        for (const auto &[command, input, code] : {std::tuple(Cmd::Dernier, "", "10003"), {Cmd::Precedent, "", "10002"},
                                                   {Cmd::Premier, "", "10001"}, {Cmd::RechercherTelephone, "0478", "10003"},
                                                   {Cmd::RechercherCode, "10001", "10001"}, {Cmd::RechercherNom, "abel", "10002"}}) {
            if (*input)
                h.dialogs.inputs << input;
            h.frame.run(command);
            QCOMPARE(h.form().code, QString(code));
        }
        h.frame.showPage(Fiche::Page::Profils);
        h.frame.run(Cmd::BtnFicheEmploye);
        QCOMPARE(h.fiche.pageShown(), Fiche::Page::Employes);
        h.type(QStringLiteral("SAISI Nom"));
        h.dialogs.printRanges << std::pair(0, 0) << std::pair(1, 3);
        h.frame.run(Cmd::ImprimerListe);
        h.frame.run(Cmd::ImprimerListe);
        h.frame.run(Cmd::EnveloppeCourante);
        QCOMPARE(h.dialogs.printed.jobs(), (QStringList{"Liste des employés (1)", "Enveloppe SAISI Nom (1)"}));
        QCOMPARE(h.dialogs.printed.textsEqual(QStringLiteral("SAISI Nom")).size(), 2);
        h.dialogs.printed.noPrinter = true;
        h.frame.run(Cmd::ImprimerFiche);
        QCOMPARE(h.dialogs.messages(), (QStringList{"Insérez une enveloppe dans l'imprimante",
                                                    "Aucune imprimante par défaut sélectionnée"}));
        // A scan of the payslips leaves the last one shown.
        h.frame.run(Cmd::StatEmployes);
        QCOMPARE(h.fiche.payslips().collection().current(), 1);
        // A payslip dated 31/04 stops the reports that would post it under another month: the
        // user is told which, and no window opens.
        h.frame.run(Cmd::StatMois);
        h.frame.run(Cmd::JournalComptable);
        QCOMPARE(h.dialogs.messages().mid(2), QStringList(2, "Le bulletin 200203001 a une date de fin de période illisible"));
        QCOMPARE(h.dialogs.log.filter("window:"), QStringList{"window: statistics 0: 10001//100,00"});
        // Without a settings file amounts take two decimals; the parameters confirmed are in
        // force at once, the number of decimals as the rest.
        QCOMPARE(h.fiche.amountFormat(), QStringLiteral("0.00"));
        h.dialogs.paramAnswers << [](PayrollParametersForm &f) {
            f.setText(PayrollParametersForm::Plafond, "2432");
            f.setDecimalPlaces(0);
            return true;
        };
        h.frame.run(Cmd::ParamPaie);
        QCOMPARE(h.read("Korvel.ini").value(9), QStringLiteral(" 2.43200000000000E+0003"));
        QCOMPARE((QStringList{h.fiche.amountFormat(), h.fiche.employees().amountFormat()}), (QStringList{"#", "#"}));
        QCOMPARE(h.fiche.settings().payroll.socialSecurityCeiling, 2432);
        QVERIFY(text::writeLines(h.path("entree.txt"), {"M\t\tNEUF Lyon\t\t\t\t69001\tLYON", "M\t\tNEUF Paris\t\t\t\t75001\tPARIS"}).ok());
        h.frame.selectionEmployes(Cmd::SelVille, Selection::ByTown, QStringLiteral("LYON"));
        h.dialogs.files << h.path("entree.txt");
        h.frame.run(Cmd::Importer);
        QVERIFY(h.form().name == "NEUF Lyon" && h.count() == 5);
    }

    // Annuler stops new, open and exit, and so does Oui when the save fails: nothing is lost.
    void savePromptWrongOrNotStopping_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("never named, Annuler") << "" << Answer::Annuler;
        QTest::newRow("named, Annuler") << "paie.emp" << Answer::Annuler;
        QTest::newRow("named, Oui, the file became a folder") << "paie.emp" << Answer::Oui;
    }
    void savePromptWrongOrNotStopping()
    {
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        for (int flow = 0; flow < 3; ++flow) {
            Harness h;
            if (!name.isEmpty()) {
                h.writeDossier(name, 2);
                h.open(name);
            }
            h.type(QStringLiteral("EN COURS"));
            if (answer == Answer::Oui)
                QVERIFY(QFile::remove(h.path(name)) && QDir(h.dir.path()).mkdir(name));
            h.dialogs.answers << answer;
            if (flow == 0)
                h.frame.nouveau();
            else if (flow == 1)
                h.frame.ouvrir();   // stops before the open dialog: none is scripted
            else
                QVERIFY(!h.frame.queryClose());
            QCOMPARE(h.dialogs.log.filter("ask: "), QStringList{"ask: Enregistrer changements dans " + name + " ?"});
            QVERIFY(h.form().name == "EN COURS" && h.fiche.TestModif());
            QCOMPARE(h.frame.currentFileName(), name.isEmpty() ? QString() : h.path(name));
        }
    }

    void refusedOpenChangesSomething_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong extension") << "paie.txt" << "Type de fichier non valide";
        QTest::newRow("extension only in the folder") << "paie.emp.d/paie" << "Type de fichier non valide";
        QTest::newRow("missing") << "absent.emp" << "Le fichier n'existe pas";
        // A folder where a side file should be.
        QTest::newRow("side file unreadable") << "paie.emp" << "Impossible de lire le fichier %1";
        QTest::newRow("extension in capitals") << "PAIE.Emp" << "";
        QTest::newRow("dots and spaces in folder and name") << "Paie 2002.v1/le paie.2002.emp" << "";
    }
    void refusedOpenChangesSomething()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        Harness h;
        h.writeDossier("avant.emp", 3);
        h.open("avant.emp");
        h.type(QStringLiteral("EN COURS"));
        if (!file.startsWith("absent"))
            h.writeDossier(file, 1);
        if (message.contains("%1")) {
            QVERIFY(QDir(h.dir.path()).mkdir("paie.Pai"));
            message = message.arg(QDir::toNativeSeparators(h.path("paie.Pai")));
        }
        h.dialogs.answers << Answer::Non;
        h.open(file);
        const bool opened = message.isEmpty();
        QCOMPARE(h.dialogs.messages(), opened ? QStringList() : QStringList{message});
        // A refused open changes nothing: name, caption, dossier and the form being typed.
        QCOMPARE(h.frame.currentFileName(), h.path(opened ? file : "avant.emp"));
        QCOMPARE(h.fiche.caption(), QFileInfo(opened ? file : "avant.emp").fileName());
        QCOMPARE(QString::number(h.count()) + h.form().name + QString::number(h.fiche.TestModif()),
                 opened ? QStringLiteral("1NOM 00") : QStringLiteral("3EN COURS1"));
    }

    // A dossier repaired at load is told once and offered for saving; saved, the repair is written.
    void repairedDossierNotToldOrNotMarked()
    {
        Harness h;
        QVERIFY(text::writeLines(h.path("abîmé.emp"), blk(0, {"10001", "M"}) + blk(2, {"10002", "M"})).ok());
        h.open("abîmé.emp");
        QCOMPARE(h.dialogs.messages(), QStringList{"Des fichiers ont été altérés\r\nVérifiez s'il n'y a pas eu perte de données"});
        QVERIFY(h.count() == 2 && h.fiche.TestModif() && h.frame.available(Cmd::Enregistrer));
        QCOMPARE(h.frame.currentFileName(), h.path("abîmé.emp"));
        h.frame.enregistrer();
        QCOMPARE(h.read("abîmé.emp").mid(4), blk(1, {"10002", "M"})); // loaded again, clean: the store's test
    }

    void saveWritesNeedlesslyOrLosesEdits()
    {
        Harness h;
        h.writeDossier("paie.emp", 2);
        h.open("paie.emp");
        // Without changes nothing is written (the side files are not even created).
        h.frame.enregistrer();
        QVERIFY(!QFileInfo::exists(h.path("paie.Prl")));
        // The record being typed is saved with the dossier, and the three files are written.
        h.type(QStringLiteral("DURAND Élise"));
        h.frame.enregistrer();
        QVERIFY(QFileInfo::exists(h.path("paie.Prl")) && QFileInfo::exists(h.path("paie.Pai")) && !h.fiche.TestModif());
        QCOMPARE(h.read("paie.emp").value(4), QStringLiteral("DURAND Élise"));
        // The file was removed behind the program's back: the save-as flow runs instead.
        QFile::remove(h.path("paie.emp"));
        h.fiche.SetSauve();
        h.dialogs.files << h.path("autre");
        h.frame.enregistrer();
        QVERIFY(h.frame.currentFileName() == h.path("autre.emp") && h.read("autre.emp").value(4) == "DURAND Élise");
        // Saved as a name under a regular file (no one, root included, can write there): the
        // user is told, and what is typed stays, unsaved.
        h.type(QStringLiteral("GARDÉ"));
        h.dialogs.files << h.path("autre.emp/sous.emp");
        h.frame.enregistrerSous();
        QCOMPARE(h.dialogs.messages(), QStringList{"Impossible d'enregistrer le fichier "
                                                   + QDir::toNativeSeparators(h.path("autre.emp/sous.emp"))});
        QVERIFY(h.fiche.TestModif() && h.form().name == "GARDÉ");
    }

    // Save as always writes, even without changes, under ".emp"; onto an existing file only
    // after "Ce fichier existe déjà", whatever the case of its name. Refused or cancelled, the
    // dossier keeps no name and stays modified.
    void saveAsNameWrongOrKept_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");   // to "Ce fichier existe déjà"; -1: not asked
        QTest::addColumn<QString>("saved");
        QTest::newRow("another extension") << "copie.txt" << -1 << "copie.emp";
        QTest::newRow("no extension, dot in the folder") << "v1.0/copie" << -1 << "v1.0/copie.emp";
        QTest::newRow("dots in the name") << "paie.2002.emp" << -1 << "paie.2002.emp";
        QTest::newRow("onto itself in capitals") << "PAIE.EMP" << int(Answer::Ok) << "paie.emp";
        QTest::newRow("overwrite refused") << "autre.emp" << int(Answer::Annuler) << "";
        QTest::newRow("cancelled") << "" << -1 << "";
    }
    void saveAsNameWrongOrKept()
    {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, saved);
        Harness h;
        h.writeDossier("paie.emp", 2);
        h.writeDossier("autre.emp", 3);
        h.open("paie.emp");
        const QStringList other = h.read("autre.emp");
        h.type(QStringLiteral("NOUVEAU"));
        QVERIFY(QDir(h.dir.path()).mkpath(QFileInfo(h.path(typed)).path()));
        h.dialogs.files << (typed.isEmpty() ? QString() : h.path(typed));
        if (answer >= 0)
            h.dialogs.answers << Answer(answer);
        h.frame.enregistrerSous();
        QCOMPARE(h.dialogs.log.mid(1, 2).join(u'|'), QStringLiteral("save: Fichiers employés (*.emp)|*.emp *.emp")
                                                         + (answer < 0 ? "" : "|ask: Ce fichier existe déjà"));
        QCOMPARE(h.fiche.dossierFileName(), saved.isEmpty() ? QString() : h.path(saved));
        QVERIFY(h.frame.currentFileName().isEmpty() == saved.isEmpty() && h.fiche.TestModif() == saved.isEmpty());
        QCOMPARE(h.read("autre.emp"), other);
        if (!saved.isEmpty()) {
            QVERIFY(h.read(saved).contains(QStringLiteral("NOUVEAU")) && QFileInfo::exists(h.path(saved.chopped(3) + "Prl")));
            QCOMPARE(QDir(h.dir.path()).entryList({"paie.emp"}, QDir::Files).size(), 1);
            return;
        }
        // A later save asks for a name again instead of overwriting the refused file.
        h.dialogs.files << QString();
        h.frame.enregistrer();
        QVERIFY(h.dialogs.log.last().startsWith(QLatin1String("save: ")));
    }

    void deleteUnconfirmedOrKeepsTheTypedRecord()
    {
        Harness h;
        h.writeDossier("paie.emp", 1);
        h.open("paie.emp");
        h.dialogs.answers << Answer::Annuler;
        h.frame.supprimer();
        QCOMPARE(h.dialogs.log.last(), QStringLiteral("ask: Confirmer suppression de la fiche ?"));
        QVERIFY(h.count() == 1 && !h.fiche.TestModif());
        // The only record goes; what is then typed into the blank form goes with the next delete.
        h.dialogs.answers << Answer::Ok << Answer::Ok;
        h.frame.supprimer();
        QVERIFY(h.count() == 0 && h.fiche.TestModif());
        h.type(QStringLiteral("TAPÉ"));
        h.frame.supprimer();
        QVERIFY(h.count() == 0 && h.form().name.isEmpty());
        h.frame.enregistrer();
        QVERIFY(h.read("paie.emp").isEmpty());
    }

    // At exit every side file is written, "&Mise en page" included; "Korvel.cbx" and
    // "Korvel.Cbx" side by side: the file read is the file written.
    void exitWritesWrongSideFiles()
    {
        Harness h;
        h.frame.firstShow(h.dir.path());
        h.dialogs.pageSetupAnswers << [](PageSetupModel &m) { return m.setPaperType(1), m.setGuide(true), true; };
        h.frame.run(Cmd::MiseEnPage);
        h.frame.close();
        for (const char *name : {"Korvel.soc", "Korvel.Cbx", "Korvel.cai"})
            QVERIFY2(QFileInfo::exists(h.path(QLatin1String(name))), name);
        QVERIFY(text::writeLines(h.path("Korvel.cbx"), {"[BANQUE]", "BNP"}).ok());
        Harness next;
        next.fiche.loadSideFiles(h.dir.path());
        QCOMPARE(next.fiche.settings().pageSetup.paperType + next.fiche.settings().pageSetup.envelopeGuide, 101);
        next.fiche.employees().lists().jobs << QStringLiteral("Cadre");
        next.frame.firstShow(h.dir.path());
        next.frame.close();
        QCOMPARE(h.read("Korvel.cbx") + QStringList{"|"} + h.read("Korvel.Cbx"),
                 (QStringList{"[BANQUE]", "BNP", "[EMPLOI]", "Cadre", "|", "[BANQUE]", "[EMPLOI]"}));
    }

    // Settings the program would not write itself, and a side file that cannot be read.
    void settingsOrSideFilesMisread()
    {
        Harness h;
        QVERIFY(text::writeLines(h.path("Korvel.ini"), {" 6.55957000000000E+0000", "", "0", "1", "0", "0", "abc",
                                                         " 1.0E+0000"}).ok());
        QVERIFY(text::writeLines(h.path("Korvel.cbx"), {"[BANQUE]", "BNP"}).ok());
        QVERIFY(QDir(h.dir.path()).mkdir("Korvel.soc"));   // there, but not a file that reads
        FakeWindows dialogs;
        Fiche fiche(dialogs, dialogs, dialogs);
        QSignalSpy choices(&fiche.employees(), &EmployeesPage::choicesChanged);
        fiche.loadSideFiles(h.dir.path());
        // Line 7 does not read: it and the lines after it keep their defaults.
        QVERIFY(fiche.settings().pageSetup.paperType == 1 && fiche.settings().rate9 == 5.5);
        // The employees page has its lists at once, before any dossier.
        QVERIFY(choices.size() == 1 && fiche.employees().lists().banks == QStringList{"BNP"});
        QCOMPARE(dialogs.messages(), (QStringList{"Impossible de lire le fichier " + QDir::toNativeSeparators(h.path("Korvel.soc")),
                                                  "Le fichier Korvel.ini est incomplet ou illisible à la ligne 7 : les "
                                                  "réglages suivants gardent leur valeur par défaut."}));
        // The unreadable file is not replaced at exit.
        QVERIFY(fiche.saveSideFiles(h.dir.path()) && dialogs.messages().size() == 2 && QFileInfo(h.path("Korvel.soc")).isDir());
        // Nor is a caisse list that could not be read, when "Caisses" closes: the list shown
        // started empty. (A folder cannot be read; the file put there since stands for one that
        // the user mends.)
        QVERIFY(QFile::remove(h.path("Korvel.cai")) && QDir(h.dir.path()).mkdir("Korvel.cai"));
        Fiche other(dialogs, dialogs, dialogs);
        other.loadSideFiles(h.dir.path());
        QVERIFY(QDir(h.dir.path()).rmdir("Korvel.cai") && text::writeLines(h.path("Korvel.cai"), {"URSSAF"}).ok());
        dialogs.caisseAnswers << [](CaisseModel &m) { m.setField(CaisseModel::Nom, "Nouvelle"); m.store(); };
        QVERIFY(!other.Caisse());
        QCOMPARE(h.read("Korvel.cai"), QStringList{"URSSAF"});
        QCOMPARE(dialogs.messages().last(), "Le fichier " + QDir::toNativeSeparators(h.path("Korvel.cai"))
                                                + " n'a pas pu être lu au démarrage : il est laissé tel quel et les caisses "
                                                  "modifiées ne seront pas enregistrées.");
    }

    void exchangeFilesOrLeavingThePageMishandled()
    {
        Harness h;
        h.writeDossier("paie.emp", 2);
        h.open("paie.emp");
        // A name without extension gets ".txt", so that the import lists it, a dot in the folder
        // notwithstanding; an existing file is replaced only after "Ce fichier existe déjà".
        QVERIFY(QDir(h.dir.path()).mkdir("export.v2"));
        h.dialogs.files << h.path("export.v2/sortie") << h.path("export.v2/sortie");
        h.frame.run(Cmd::Exporter);
        QCOMPARE(h.read("export.v2/sortie.txt").size(), 2);
        QVERIFY(text::writeLines(h.path("export.v2/sortie.txt"), {"gardé"}).ok());
        h.dialogs.answers << Answer::Annuler;
        h.frame.run(Cmd::Exporter);
        QVERIFY(h.dialogs.log.last() == "ask: Ce fichier existe déjà" && h.read("export.v2/sortie.txt") == QStringList{"gardé"});
        // A file that is not text is refused and changes nothing.
        writeBytes(h.path("photo.txt"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        h.dialogs.files << h.path("photo.txt");
        h.frame.run(Cmd::Importer);
        QCOMPARE(h.dialogs.messages(), QStringList{"Le fichier photo.txt n'est pas un fichier texte"});
        QVERIFY(h.count() == 2 && !h.fiche.TestModif());
        // Leaving the page keeps its edit: the profiles and payslips pages read employee records,
        // the block holds it already.
        h.type(QStringLiteral("DURAND Élise"));
        h.frame.showPage(Fiche::Page::Profils);
        QVERIFY(h.fiche.dossier().employees().blockContent(0).value(EmployeeForm::kName - 1) == "DURAND Élise" && !h.form().edited);
        // An open from the profiles page shows the employees page, as its commands say.
        h.dialogs.answers << Answer::Non;
        h.open("paie.emp");
        QVERIFY(h.fiche.pageShown() == Fiche::Page::Employes && h.frame.available(Cmd::Suivant));
    }

    // "Paie du mois": what the employees page is typing counts, the pages show the month's
    // payslips after the window, the dossier is modified; the PDF files are asked about once
    // for the lot, and "Annuler" writes none.
    void monthWindowLosesEditsOrAsksPerFile()
    {
        Harness h;
        h.writeDossier("paie.emp", {{"10001", "DUPONT", "", "", "", "P1"}, {"10002", "MARTIN", "", "", "", ""}});
        h.open("paie.emp");
        h.form().profileCode = "P1";
        h.form().edited = true;
        h.frame.run(Cmd::Suivant);
        h.form().profileCode = "P2";
        h.form().edited = true;
        QStringList written;
        h.frame.setPdfWriter([&](const QString &path, const std::function<PrintResult(Canvas &)> &) {
            written << QFileInfo(path).fileName();
            return PrintResult::printed();
        });
        QVERIFY(text::writeLines(h.path("bulletin-202403002.pdf"), {"ancien"}).ok());
        int employees = 0;
        h.dialogs.monthAnswers << [&](MonthPayrollModel &model) {
            employees = int(model.employees().size());
            model.setMonthText("03/2024");
            // Neither profile exists: both refused, nothing added.
            QVERIFY(!model.preparer());
            QCOMPARE(model.rows().size(), 2);
            QVERIFY(model.rows()[1].message.endsWith("Profil P2 introuvable (employé 10002)"));
        };
        h.frame.run(Cmd::PaieDuMois);
        QCOMPARE(employees, 2);
        QCOMPARE(h.fiche.dossier().payslips().count(), 0);

        h.fiche.dossier().profiles() = collectionOf({{"P1", "Standard"}, {"P2", "Réduit"}});
        h.dialogs.monthAnswers << [&](MonthPayrollModel &model) {
            model.setMonthText("03/2024");
            QVERIFY(model.preparer());
            h.dialogs.answers << Answer::Annuler;
            QVERIFY(!model.pdf(h.dir.path()));
            h.dialogs.answers << Answer::Ok;
            QVERIFY(model.pdf(h.dir.path()));
        };
        h.frame.run(Cmd::PaieDuMois);
        QCOMPARE(h.dialogs.log.filter("ask:"), QStringList{"ask: " + MonthPayrollModel::replaceQuestion(1)} + QStringList{"ask: " + MonthPayrollModel::replaceQuestion(1)});
        QCOMPARE(written, (QStringList{"bulletin-202403001.pdf", "bulletin-202403002.pdf"}));
        QVERIFY(h.fiche.TestModif());
        QCOMPARE(h.fiche.dossier().payslips().count(), 2);
        QCOMPARE(h.fiche.payslips().nextNumber().toLongLong(), 202403003);
    }
};

QTEST_GUILESS_MAIN(TestShell)
#include "test_shell.moc"
