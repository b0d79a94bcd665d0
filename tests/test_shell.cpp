#include "fakewindows.h"
#include "shell/commands.h"
#include "shell/fiche.h"
#include "shell/frame.h"
#include "shell/helptopics.h"
#include "storesupport.h"
#include "testsupport.h"
#include "text/encoding.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using Answer = Dialogs::Answer;

namespace {

// A frame, its dossier window and scripted dialogs in a fresh start directory.
struct Harness
{
    QTemporaryDir dir;
    FakeWindows dialogs;
    Fiche fiche{dialogs, dialogs, dialogs};
    Frame frame{fiche, dialogs, dialogs};

    Harness() { fiche.loadSideFiles(dir.path()); }
    QString path(const QString &name) const { return dir.filePath(name); }
    void writeDossier(const QString &name, int employees)
    {
        QStringList lines;
        for (int i = 0; i < employees; ++i)
            lines << blk(i, {QString::number(10001 + i), QStringLiteral("M")});
        QVERIFY(text::writeLines(path(name), lines).ok());
    }
    QStringList read(const QString &name) const
    {
        QStringList lines;
        text::readLines(path(name), lines);
        return lines;
    }
};

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandTableIsComplete();
    void patterns_data();
    void patterns();
    void helpContexts();

    void savePromptNamesTheFile_data();
    void savePromptNamesTheFile();
    void newFlow();
    void openFlowChecksTheChosenFile_data();
    void openFlowChecksTheChosenFile();
    void openFlowSavesBeforeTheDialogOnOui();
    void saveFlow();
    void saveAsFlow();
    void saveAsRefusedOverwriteKeepsNoName();
    void saveFailureKeepsTheDossierModified();
    void deleteFlow();
    void exitFlow();
    void autoOpen();
    void autoOpenWithDeletedDossier();

    void settingsMalformed();
    void sideFilesAtStartUp();
    void payrollParametersDialog();
    void payrollParametersRefuseAnUnreadableField_data();
    void payrollParametersRefuseAnUnreadableField();
    void companyDialog();
    void employeeEditCycle();
    void leavingTheEmployeesPageKeepsItsEdits();
    void employeeSelectionAndSearch();
    void exchangeFilesFromThePage();
};

void TestShell::commandTableIsComplete()
{
    const auto &all = commands::all();
    QCOMPARE(all.size(), kCommandCount);
    QCOMPARE(commands::info(Cmd::Precedent).caption, QStringLiteral("P&récédent           PgUp"));
    QCOMPARE(commands::info(Cmd::Suivant).caption, QStringLiteral("&Suivant                 PgDn"));
    QCOMPARE(commands::info(Cmd::Liste).caption, QStringLiteral("&Liste                        F2"));
    QCOMPARE(commands::info(Cmd::NouveauBulletin).hint, QStringLiteral("Nouveau bulletin de paie"));
    QCOMPARE(commands::info(Cmd::Quitter).key, QStringLiteral("Alt+X"));
    // The tool bar in its order.
    QStringList bar;
    for (const CommandInfo &c : all)
        if (c.menu == Menu::ToolBar)
            bar << c.caption;
    QCOMPARE(bar, (QStringList{"Nouveau fichier", "Ouvrir", "Enregistrer", "Copier", "Coller", "Premier",
                               "Précédent", "Suivant", "Dernier", "Nouvelle fiche", "Fiche employé", "Profils",
                               "Bulletins", "Calculer", "Imprimer", "Imprimer enveloppe"}));
}

void TestShell::patterns_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<QList<int>>("on");
    QTest::addColumn<QList<int>>("off");
    auto ids = [](std::initializer_list<Cmd> l) {
        QList<int> out;
        for (Cmd c : l)
            out << static_cast<int>(c);
        return out;
    };
    QTest::newRow("N") << "" << ids({Cmd::Nouveau, Cmd::Ouvrir, Cmd::Importer, Cmd::PageEmployes, Cmd::PageProfils,
                                    Cmd::PageBulletins, Cmd::SupprimerBulletin, Cmd::ImprimerBulletin,
                                    Cmd::CalculerBulletin, Cmd::ProfilStandard, Cmd::ModifierRubrique,
                                    Cmd::NouvelleFiche, Cmd::NouveauBulletin, Cmd::EnveloppeCourante,
                                    Cmd::BtnFicheEmploye, Cmd::BtnProfils, Cmd::BtnNouveauFichier})
                       << ids({Cmd::Enregistrer, Cmd::EnregistrerSous, Cmd::Exporter, Cmd::Copier, Cmd::Liste,
                               Cmd::Suivant, Cmd::TousEmployes, Cmd::StatMois, Cmd::BtnCalculer, Cmd::BtnEnregistrer,
                               Cmd::BtnImprimerEnveloppe, Cmd::PayeSuivant});
    QTest::newRow("D E") << "DE"
                         << ids({Cmd::Enregistrer, Cmd::EnregistrerSous, Cmd::Imprimer, Cmd::Exporter, Cmd::Importer,
                                 Cmd::RechercherTelephone, Cmd::RechercherNom, Cmd::TrierEmployes, Cmd::Liste,
                                 Cmd::PageProfils, Cmd::PageBulletins, Cmd::Suivant, Cmd::TousEmployes,
                                 Cmd::ModifierCumul, Cmd::CloturerExercice, Cmd::BtnImprimerEnveloppe,
                                 Cmd::BtnProfils, Cmd::BtnEnregistrer})
                         << ids({Cmd::PageEmployes, Cmd::CalculerBulletin, Cmd::BtnCalculer, Cmd::ChercherBulletin,
                                 Cmd::PayeSuivant, Cmd::SupprimerBulletin, Cmd::ProfilStandard, Cmd::TousBulletins,
                                 Cmd::BtnFicheEmploye});
    QTest::newRow("D E P") << "DEP"
                           << ids({Cmd::PageEmployes, Cmd::PageBulletins, Cmd::ProfilStandard, Cmd::Enregistrer,
                                   Cmd::Suivant, Cmd::BtnFicheEmploye, Cmd::BtnBulletins})
                           << ids({Cmd::PageProfils, Cmd::Exporter, Cmd::Importer, Cmd::Liste, Cmd::RechercherNom,
                                   Cmd::TousEmployes, Cmd::ModifierCumul, Cmd::BtnProfils, Cmd::BtnImprimerEnveloppe,
                                   Cmd::CalculerBulletin});
    QTest::newRow("D E B") << "DEB"
                           << ids({Cmd::CalculerBulletin, Cmd::BtnCalculer, Cmd::ChercherBulletin, Cmd::Liste,
                                   Cmd::PayeSuivant, Cmd::PayePremier, Cmd::SupprimerBulletin, Cmd::ImprimerBulletin,
                                   Cmd::TousBulletins, Cmd::BulletinsParEmploye, Cmd::BtnImprimerEnveloppe,
                                   Cmd::PageEmployes, Cmd::PageProfils})
                           << ids({Cmd::PageBulletins, Cmd::RechercherNom, Cmd::TrierEmployes, Cmd::Exporter,
                                   Cmd::ProfilStandard, Cmd::BtnBulletins});
    // After "Nouvelle fiche" or "Importer" only D is applied: the page commands stay as they were
    // and D's own changes stand, including on the page buttons.
    QTest::newRow("D E B D") << "DEBD"
                             << ids({Cmd::BtnFicheEmploye, Cmd::ChercherBulletin, Cmd::Exporter})
                             << ids({Cmd::CalculerBulletin, Cmd::BtnCalculer, Cmd::RechercherTelephone});
    QTest::newRow("D alone") << "D" << ids({Cmd::Exporter, Cmd::RechercherNom, Cmd::BtnFicheEmploye})
                             << ids({Cmd::RechercherTelephone, Cmd::CalculerBulletin, Cmd::BtnCalculer});
}

void TestShell::patterns()
{
    QFETCH(QString, sequence);
    QFETCH(QList<int>, on);
    QFETCH(QList<int>, off);
    CommandState state;
    for (QChar c : sequence)
        state.apply(c == u'D' ? Pattern::D : c == u'E' ? Pattern::E : c == u'P' ? Pattern::P : Pattern::B);
    for (int id : on)
        QVERIFY2(state.enabled(static_cast<Cmd>(id)), qPrintable(commands::info(static_cast<Cmd>(id)).caption));
    for (int id : off)
        QVERIFY2(!state.enabled(static_cast<Cmd>(id)), qPrintable(commands::info(static_cast<Cmd>(id)).caption));
}

void TestShell::helpContexts()
{
    QCOMPARE(commands::menuHelpContext(Menu::Fichier), 3);
    QCOMPARE(commands::menuHelpContext(Menu::Aide), 12);
    QCOMPARE(helptopics::topicForContext(13), QStringLiteral("employes.html"));
    QCOMPARE(helptopics::topicForContext(16), QStringLiteral("profils.html"));
    QCOMPARE(helptopics::topicForContext(14), QStringLiteral("bulletins.html"));
    QCOMPARE(helptopics::topicForContext(99), helptopics::kContents);
}

void TestShell::savePromptNamesTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("question");
    QTest::newRow("never named") << "" << "Enregistrer changements dans  ?";
    QTest::newRow("named") << "paie.emp" << "Enregistrer changements dans paie.emp ?";
}

void TestShell::savePromptNamesTheFile()
{
    QFETCH(QString, name);
    QFETCH(QString, question);
    Harness h;
    if (!name.isEmpty()) {
        h.writeDossier(name, 1);
        h.dialogs.files << h.path(name);
        h.frame.ouvrir();
    }
    h.fiche.SetSauve();
    h.dialogs.answers << Answer::Annuler;
    QVERIFY(!h.frame.queryClose());
    QCOMPARE(h.dialogs.log.last(), QStringLiteral("ask: ") + question);
}

void TestShell::newFlow()
{
    Harness h;
    h.writeDossier("paie.emp", 2);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    QCOMPARE(h.fiche.dossier().employees().count(), 2);
    h.fiche.SetSauve();

    // Annuler: everything stays.
    h.dialogs.answers << Answer::Annuler;
    h.frame.nouveau();
    QCOMPARE(h.fiche.dossier().employees().count(), 2);
    QCOMPARE(h.frame.currentFileName(), h.path("paie.emp"));

    // Non, from the profiles page: nothing written, dossier emptied, the employees page shown
    // with patterns D and E, every employee selected.
    h.frame.showPage(Fiche::Page::Profils);
    h.dialogs.answers << Answer::Non;
    h.frame.nouveau();
    QCOMPARE(h.fiche.pageShown(), Fiche::Page::Employes);
    QVERIFY(h.frame.available(Cmd::RechercherNom));
    QCOMPARE(h.fiche.dossier().employees().count(), 0);
    QVERIFY(h.frame.currentFileName().isEmpty());
    QVERIFY(h.fiche.caption().isEmpty());
    QVERIFY(h.frame.commands().enabled(Cmd::Enregistrer));
    QVERIFY(!h.frame.commands().enabled(Cmd::PageEmployes));
    QVERIFY(h.frame.commands().checked(Cmd::TousEmployes));
    QCOMPARE(h.fiche.employees().selection().mode, Selection::AllEmployees);
    QVERIFY(!h.fiche.TestModif());
}

void TestShell::openFlowChecksTheChosenFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("blocker");   // a folder where a side file should be
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong extension") << "paie.txt" << true << "" << "Type de fichier non valide";
    QTest::newRow("missing") << "absent.emp" << false << "" << "Le fichier n'existe pas";
    QTest::newRow("side file unreadable") << "paie.emp" << true << "paie.Pai" << "Impossible de lire le fichier ";
    QTest::newRow("extension in capitals") << "PAIE.Emp" << true << "" << "";
}

void TestShell::openFlowChecksTheChosenFile()
{
    QFETCH(QString, file);
    QFETCH(bool, create);
    QFETCH(QString, blocker);
    QFETCH(QString, message);
    Harness h;
    h.writeDossier("avant.emp", 3);
    h.dialogs.files << h.path("avant.emp");
    h.frame.ouvrir();
    // A record being typed, kept in memory when the prompt is answered Non.
    EmployeeForm &form = h.fiche.employees().form();
    form.name = QStringLiteral("EN COURS");
    h.fiche.employees().formEdited();
    if (create)
        h.writeDossier(file, 1);
    if (!blocker.isEmpty())
        QVERIFY(QDir(h.dir.path()).mkdir(blocker));
    h.dialogs.answers << Answer::Non;
    h.dialogs.files << h.path(file);
    h.frame.ouvrir();
    if (message.isEmpty()) {
        QVERIFY(h.dialogs.messages().isEmpty());
        QCOMPARE(h.frame.currentFileName(), h.path(file));
        QCOMPARE(h.fiche.dossier().employees().count(), 1);
        QCOMPARE(h.fiche.caption(), file);
        QCOMPARE(form.code, QStringLiteral("10001"));
    } else {
        // A refused open changes nothing: name, caption, dossier and the form being typed.
        QCOMPARE(h.dialogs.messages().size(), 1);
        QVERIFY(h.dialogs.messages().first().startsWith(message));
        QCOMPARE(h.frame.currentFileName(), h.path("avant.emp"));
        QCOMPARE(h.fiche.caption(), QStringLiteral("avant.emp"));
        QCOMPARE(h.fiche.dossier().employees().count(), 3);
        QCOMPARE(form.name, QStringLiteral("EN COURS"));
        QVERIFY(form.edited && h.fiche.TestModif());
    }
}

void TestShell::openFlowSavesBeforeTheDialogOnOui()
{
    Harness h;
    h.writeDossier("a.emp", 1);
    h.writeDossier("b.emp", 2);
    h.dialogs.files << h.path("a.emp");
    h.frame.ouvrir();
    const QStringList before = h.read("a.emp");
    h.fiche.dossier().employees().writeBlock(0, {QStringLiteral("10001"), QStringLiteral("F")},
                                             Collection::Placement::InPlace);
    h.fiche.SetSauve();
    h.dialogs.answers << Answer::Oui;
    h.dialogs.files << QString();   // the open dialog is cancelled after the save
    h.frame.ouvrir();
    QVERIFY(h.read("a.emp") != before);
    QVERIFY(h.read("a.emp").contains(QStringLiteral("F")));
    QCOMPARE(h.dialogs.log.size(), 3);   // open, ask, open: the save came before the dialog
    QVERIFY(h.dialogs.log[1].startsWith(QLatin1String("ask: ")));
    QVERIFY(!h.fiche.TestModif());
}

void TestShell::saveFlow()
{
    Harness h;
    h.writeDossier("paie.emp", 1);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    // Without changes nothing is written (the side files are not even created).
    h.frame.enregistrer();
    QVERIFY(!QFileInfo::exists(h.path("paie.Prl")));
    QVERIFY(h.dialogs.log.size() == 1);
    // With a change the three files are written.
    h.fiche.SetSauve();
    h.frame.enregistrer();
    QVERIFY(QFileInfo::exists(h.path("paie.Prl")));
    QVERIFY(QFileInfo::exists(h.path("paie.Pai")));
    QVERIFY(!h.fiche.TestModif());

    // The file was removed behind the program's back: the save-as flow runs instead.
    QFile::remove(h.path("paie.emp"));
    h.fiche.SetSauve();
    h.dialogs.files << h.path("autre");
    h.frame.enregistrer();
    QCOMPARE(h.frame.currentFileName(), h.path("autre.emp"));
    QVERIFY(QFileInfo::exists(h.path("autre.emp")));
}

void TestShell::saveAsFlow()
{
    Harness h;
    h.writeDossier("paie.emp", 2);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    // Always writes, even without changes, with ".emp" in place of another extension.
    h.dialogs.files << h.path("copie.txt");
    h.frame.enregistrerSous();
    QCOMPARE(h.dialogs.log.last(), QStringLiteral("save: Fichiers employés (*.emp)|*.emp *.emp"));
    QCOMPARE(h.frame.currentFileName(), h.path("copie.emp"));
    QCOMPARE(h.read("copie.emp"), h.read("paie.emp"));
    QVERIFY(QFileInfo::exists(h.path("copie.Prl")));
    QCOMPARE(h.fiche.caption(), QStringLiteral("copie.emp"));

    // Onto an existing file after OK, whatever the case of its name: that file is replaced.
    h.dialogs.files << h.path("PAIE.EMP");
    h.dialogs.answers << Answer::Ok;
    h.frame.enregistrerSous();
    QCOMPARE(h.dialogs.log.last(), QStringLiteral("ask: Ce fichier existe déjà"));
    QCOMPARE(h.fiche.dossier().fileName(), h.path("paie.emp"));
    QVERIFY(!QDir(h.dir.path()).entryList().contains(QStringLiteral("PAIE.emp")));

    // Cancelled: no name.
    h.dialogs.files << QString();
    h.frame.enregistrerSous();
    QVERIFY(h.frame.currentFileName().isEmpty());
}

void TestShell::saveAsRefusedOverwriteKeepsNoName()
{
    Harness h;
    h.writeDossier("paie.emp", 1);
    h.writeDossier("autre.emp", 3);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    const QStringList other = h.read("autre.emp");
    h.fiche.SetSauve();
    h.dialogs.files << h.path("autre.emp");
    h.dialogs.answers << Answer::Annuler;
    h.frame.enregistrerSous();
    QVERIFY(h.frame.currentFileName().isEmpty());
    QVERIFY(h.fiche.caption().isEmpty());
    QCOMPARE(h.read("autre.emp"), other);
    // A later save asks for a name again instead of overwriting the refused file.
    h.dialogs.files << QString();
    h.frame.enregistrer();
    QVERIFY(h.dialogs.log.last().startsWith(QLatin1String("save: ")));
    QCOMPARE(h.read("autre.emp"), other);
    QVERIFY(h.fiche.TestModif());
}

void TestShell::saveFailureKeepsTheDossierModified()
{
    Harness h;
    h.fiche.dossier().employees().add();
    h.fiche.dossier().employees().writeBlock(0, {QStringLiteral("10001")}, Collection::Placement::InPlace);
    h.fiche.SetSauve();
    const QString target = h.path("absent/dossier/paie.emp");
    h.dialogs.files << target;
    h.frame.enregistrerSous();
    QVERIFY(h.fiche.TestModif());
    QCOMPARE(h.dialogs.messages().size(), 1);
    QVERIFY(h.dialogs.messages().first().startsWith(QStringLiteral("Impossible d'enregistrer le fichier ")));
    QCOMPARE(h.fiche.dossier().employees().count(), 1);
    // The save prompt of a later exit stops when the save fails, so nothing is lost.
    h.dialogs.answers << Answer::Oui;
    h.dialogs.files << target;
    QVERIFY(!h.frame.queryClose());
}

void TestShell::deleteFlow()
{
    Harness h;
    h.writeDossier("paie.emp", 3);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    h.dialogs.answers << Answer::Annuler;
    h.frame.supprimer();
    QCOMPARE(h.dialogs.log.last(), QStringLiteral("ask: Confirmer suppression de la fiche ?"));
    QCOMPARE(h.fiche.dossier().employees().count(), 3);
    QVERIFY(!h.fiche.TestModif());
    h.dialogs.answers << Answer::Ok;
    h.frame.supprimer();
    QCOMPARE(h.fiche.dossier().employees().count(), 2);
    QVERIFY(h.fiche.TestModif());
    // The record that took its place is block 0000, renumbered.
    QCOMPARE(h.fiche.dossier().employees().blockContent(0).value(0), QStringLiteral("10002"));

    // The record being typed in a new dossier goes with what was typed: nothing is saved.
    h.dialogs.answers << Answer::Non;
    h.frame.nouveau();
    h.fiche.employees().form().name = QStringLiteral("TAPÉ");
    h.fiche.employees().formEdited();
    h.dialogs.answers << Answer::Ok;
    h.frame.supprimer();
    QVERIFY(h.fiche.employees().form().name.isEmpty());
    h.dialogs.files << h.path("vide.emp");
    h.frame.enregistrer();
    QVERIFY(QFileInfo::exists(h.path("vide.emp")));
    QVERIFY(h.read("vide.emp").isEmpty());
}

void TestShell::exitFlow()
{
    Harness h;
    h.fiche.SetSauve();
    h.dialogs.answers << Answer::Annuler;
    QVERIFY(!h.frame.queryClose());
    QVERIFY(!QFileInfo::exists(h.path("Korvel.ini")));

    h.dialogs.answers << Answer::Non;
    QVERIFY(h.frame.queryClose());
    h.frame.firstShow(h.dir.path());
    h.frame.close();
    for (const char *name : {"Korvel.ini", "Korvel.soc", "Korvel.Cbx", "Korvel.cai"})
        QVERIFY2(QFileInfo::exists(h.path(QLatin1String(name))), name);
    QCOMPARE(h.read("Korvel.soc").size(), 7);
    QCOMPARE(h.read("Korvel.Cbx"), (QStringList{"[BANQUE]", "[EMPLOI]"}));

    // "Korvel.cbx" and "Korvel.Cbx" side by side: the file read is the file written.
    QVERIFY(text::writeLines(h.path("Korvel.cbx"), {"[BANQUE]", "BNP"}).ok());
    h.fiche.loadSideFiles(h.dir.path());
    QCOMPARE(h.fiche.employees().lists().banks, QStringList{"BNP"});
    h.fiche.employees().lists().jobs << QStringLiteral("Cadre");
    h.frame.close();
    QCOMPARE(h.read("Korvel.cbx"), (QStringList{"[BANQUE]", "BNP", "[EMPLOI]", "Cadre"}));
    QCOMPARE(h.read("Korvel.Cbx"), (QStringList{"[BANQUE]", "[EMPLOI]"}));
}

void TestShell::autoOpen()
{
    QTemporaryDir dir;
    {
        Harness h;
        h.writeDossier("paie.emp", 2);
        h.frame.firstShow(h.dir.path());
        QVERIFY(!h.frame.commands().checked(Cmd::OuvrirAuto));
        h.frame.toggleAutoOpen();
        QVERIFY(h.frame.commands().checked(Cmd::OuvrirAuto));
        h.dialogs.files << h.path("paie.emp");
        h.frame.ouvrir();
        h.frame.close();
        QVERIFY(QFile::copy(h.path("Korvel.ini"), dir.filePath("Korvel.ini")));
        QVERIFY(QFile::copy(h.path("paie.emp"), dir.filePath("paie.emp")));
    }
    // The next start-up opens the dossier again, wherever the ini says it is.
    QStringList ini;
    text::readLines(dir.filePath("Korvel.ini"), ini);
    ini[1] = dir.filePath("paie.emp");
    QVERIFY(text::writeLines(dir.filePath("Korvel.ini"), ini).ok());
    FakeWindows dialogs;
    Fiche fiche(dialogs, dialogs, dialogs);
    Frame frame(fiche, dialogs, dialogs);
    fiche.loadSideFiles(dir.path());
    frame.firstShow(dir.path());
    QVERIFY(frame.commands().checked(Cmd::OuvrirAuto));
    QCOMPARE(frame.currentFileName(), dir.filePath("paie.emp"));
    QCOMPARE(fiche.dossier().employees().count(), 2);
    QVERIFY(frame.commands().enabled(Cmd::Enregistrer));
    QVERIFY(dialogs.log.isEmpty());
}

void TestShell::autoOpenWithDeletedDossier()
{
    Harness h;
    Settings s;
    s.autoOpen = 1;
    QVERIFY(SauveIni(h.path("Korvel.ini"), s, h.path("parti.emp")).ok());
    FakeWindows dialogs;
    Fiche fiche(dialogs, dialogs, dialogs);
    Frame frame(fiche, dialogs, dialogs);
    fiche.loadSideFiles(h.dir.path());
    frame.firstShow(h.dir.path());
    QVERIFY(dialogs.log.isEmpty());
    QVERIFY(frame.currentFileName().isEmpty());
    QVERIFY(fiche.caption().isEmpty());
    QCOMPARE(fiche.dossier().employees().count(), 0);
}

void TestShell::settingsMalformed()
{
    Harness h;
    QVERIFY(text::writeLines(h.path("Korvel.ini"), {" 6.55957000000000E+0000", "", "0", "1", "0", "0",
                                                     "abc", " 1.0E+0000"}).ok());
    FakeWindows dialogs;
    Fiche fiche(dialogs, dialogs, dialogs);
    fiche.loadSideFiles(h.dir.path());
    QCOMPARE(fiche.settings().pageSetup.paperType, 1);
    // Line 7 does not read: it and the lines after it keep their defaults.
    QCOMPARE(fiche.settings().rate7, 19.6);
    QCOMPARE(fiche.settings().rate9, 5.5);
    QVERIFY(fiche.amountFormat().isEmpty());
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(dialogs.messages().first().contains(QStringLiteral("ligne 7")));
}

void TestShell::sideFilesAtStartUp()
{
    QTemporaryDir dir;
    Settings settings;
    settings.payroll.decimalPlaces = 1;
    QVERIFY(SauveIni(dir.filePath("Korvel.ini"), settings, {}).ok());
    QVERIFY(text::writeLines(dir.filePath("Korvel.cbx"), {"[BANQUE]", "BNP"}).ok());
    QVERIFY(QDir(dir.path()).mkdir("Korvel.soc"));   // there, but not a file that reads
    FakeWindows dialogs;
    Fiche fiche(dialogs, dialogs, dialogs);
    QSignalSpy choices(&fiche.employees(), &EmployeesPage::choicesChanged);
    fiche.loadSideFiles(dir.path());
    // The employees page has its lists and its amount format at once, before any dossier.
    QCOMPARE(choices.size(), 1);
    QCOMPARE(fiche.employees().lists().banks, QStringList{"BNP"});
    QCOMPARE(fiche.employees().amountFormat(), QStringLiteral("0.0"));
    // The unreadable file is told in the file-error form, and not replaced at exit.
    const QString soc = QDir::toNativeSeparators(dir.filePath("Korvel.soc"));
    QCOMPARE(dialogs.messages(), QStringList{"Impossible de lire le fichier " + soc});
    QVERIFY(fiche.saveSideFiles(dir.path()));
    QCOMPARE(dialogs.messages().size(), 1);
    QVERIFY(QFileInfo(dir.filePath("Korvel.cai")).isFile());
}

void TestShell::payrollParametersDialog()
{
    Harness h;
    PayrollParametersForm form(h.fiche.settings().payroll);
    QCOMPARE(form.text(PayrollParametersForm::Plafond), QStringLiteral("0,00"));
    QCOMPARE(form.text(PayrollParametersForm::SurBaseDe), QStringLiteral("169"));
    QCOMPARE(form.decimalPlaces(), 2);

    // Confirmed without changes: line 15 becomes 169 and the file is written at once.
    h.dialogs.paramAnswers << [](PayrollParametersForm &) { return true; };
    h.frame.paramPaie();
    QStringList lines = h.read("Korvel.ini");
    QCOMPARE(lines.size(), 19);
    QCOMPARE(lines[14], QStringLiteral(" 1.69000000000000E+0002"));
    QCOMPARE(lines[9], QStringLiteral(" 0.00000000000000E+0000"));
    // The amount format changes only at the next start-up.
    QVERIFY(h.fiche.amountFormat().isEmpty());

    // With a value stored, "sur base de" shows it.
    PayrollParametersForm again(h.fiche.settings().payroll);
    QCOMPARE(again.text(PayrollParametersForm::SurBaseDe), QStringLiteral("169,00"));

    // Annuler changes nothing and writes nothing.
    QFile::remove(h.path("Korvel.ini"));
    h.dialogs.paramAnswers << [](PayrollParametersForm &f) { f.setText(0, "9"); return false; };
    h.frame.paramPaie();
    QVERIFY(!QFileInfo::exists(h.path("Korvel.ini")));
    QCOMPARE(h.fiche.settings().payroll.socialSecurityCeiling, 0.0);
}

void TestShell::payrollParametersRefuseAnUnreadableField_data()
{
    QTest::addColumn<QString>("precarite");
    QTest::newRow("a field after readable ones does not read") << "1,2,3";
    QTest::newRow("every field reads") << " 10 ";
}

void TestShell::payrollParametersRefuseAnUnreadableField()
{
    QFETCH(QString, precarite);
    Harness h;
    h.fiche.settings().payroll.csgBasePercent = 97;
    h.dialogs.paramAnswers << [&](PayrollParametersForm &f) {
        f.setText(PayrollParametersForm::Plafond, "2432,5");
        f.setText(PayrollParametersForm::Precarite, precarite);
        f.setDecimalPlaces(0);
        return true;
    };
    h.frame.paramPaie();
    const PayrollParameters &p = h.fiche.settings().payroll;
    if (precarite.contains(u',')) {
        // What the dialog refuses "OK" with (it stays open); nothing stored, nothing written.
        QCOMPARE(h.dialogs.messages(), QStringList{"'" + precarite + "' n'est pas une valeur numérique correcte"});
        QCOMPARE(p.socialSecurityCeiling, 0.0);
        QCOMPARE(p.decimalPlaces, 2);
        QVERIFY(!QFileInfo::exists(h.path("Korvel.ini")));
        return;
    }
    QCOMPARE(p.socialSecurityCeiling, 2432.5);
    QCOMPARE(p.csgBasePercent, 97.0);
    QCOMPARE(p.precarityPercent, 10.0);
    QCOMPARE(p.decimalPlaces, 0);
    QCOMPARE(h.read("Korvel.ini").value(9), QStringLiteral(" 2.43250000000000E+0003"));
}

void TestShell::companyDialog()
{
    Harness h;
    h.fiche.letterhead().setLine(0, QStringLiteral("Ancienne"));
    h.dialogs.societeAnswers << [](QStringList &l) { l[0] = QString(); l[1] = "x"; return true; };
    h.frame.societe();
    QCOMPARE(h.fiche.letterhead().line(0), QStringLiteral("Ancienne"));
    QCOMPARE(h.fiche.letterhead().line(1), QString());
    h.dialogs.societeAnswers << [](QStringList &l) { l[0] = "Nouvelle"; l[6] = "Siret"; return true; };
    h.frame.societe();
    QCOMPARE(h.fiche.letterhead().line(0), QStringLiteral("Nouvelle"));
    QCOMPARE(h.fiche.letterhead().line(6), QStringLiteral("Siret"));
    // The company file is written only at exit.
    QVERIFY(!QFileInfo::exists(h.path("Korvel.soc")));
}

void TestShell::employeeEditCycle()
{
    Harness h;
    h.writeDossier("paie.emp", 3);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    EmployeeForm &form = h.fiche.employees().form();
    QCOMPARE(form.code, QStringLiteral("10001"));
    // A keystroke edits the form and marks the dossier; a move writes it back first.
    form.name = QStringLiteral("DURAND Élise");
    h.fiche.employees().formEdited();
    QVERIFY(h.fiche.TestModif());
    QVERIFY(h.fiche.employees().move(Move::Suivant));
    QCOMPARE(form.code, QStringLiteral("10002"));
    QVERIFY(h.fiche.employees().move(Move::Premier));
    QCOMPARE(form.name, QStringLiteral("DURAND Élise"));

    // A new record gets the next code; pattern D alone follows.
    h.frame.showPage(Fiche::Page::Employes);
    h.frame.nouvelleFiche();
    QCOMPARE(h.fiche.dossier().employees().count(), 4);
    QCOMPARE(form.code, QStringLiteral("10004"));
    QVERIFY(h.frame.commands().enabled(Cmd::BtnFicheEmploye));
    form.name = QStringLiteral("MARTIN Paul");
    h.fiche.employees().formEdited();

    // Pending edits are saved with the dossier and found again after a reload.
    h.frame.enregistrer();
    QVERIFY(!h.fiche.TestModif());
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    QCOMPARE(h.fiche.dossier().employees().count(), 4);
    QCOMPARE(form.name, QStringLiteral("DURAND Élise"));
    QVERIFY(h.fiche.employees().move(Move::Dernier));
    QCOMPARE(form.name, QStringLiteral("MARTIN Paul"));

    // Deleting shows the record that takes the place, without writing the pending edits.
    form.name = QStringLiteral("perdu");
    h.fiche.employees().formEdited();
    h.dialogs.answers << Answer::Ok;
    h.frame.supprimer();
    QCOMPARE(h.fiche.dossier().employees().count(), 3);
    QCOMPARE(form.code, QStringLiteral("10003"));
    QVERIFY(!h.fiche.dossier().employees().lines().contains(QStringLiteral("perdu")));
}

void TestShell::leavingTheEmployeesPageKeepsItsEdits()
{
    Harness h;
    h.writeDossier("paie.emp", 2);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    h.fiche.employees().form().name = QStringLiteral("DURAND Élise");
    h.fiche.employees().formEdited();
    h.frame.showPage(Fiche::Page::Profils);
    // The profiles and payslips pages read employee records: the block holds the edit already.
    QCOMPARE(h.fiche.dossier().employees().blockContent(0).value(EmployeeForm::kName - 1),
             QStringLiteral("DURAND Élise"));
    QVERIFY(!h.fiche.employees().form().edited);

    // An open from the profiles page shows the employees page, as its commands say.
    h.fiche.SetSauve();
    h.dialogs.answers << Answer::Non;
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    QCOMPARE(h.fiche.pageShown(), Fiche::Page::Employes);
    QVERIFY(h.frame.available(Cmd::Suivant));
}

void TestShell::employeeSelectionAndSearch()
{
    Harness h;
    QStringList lines;
    const QStringList names{"ROBERT Luc", "ABEL Anne", "MOREAU Jean"};
    const QStringList towns{"LYON", "PARIS", "LYON"};
    for (int i = 0; i < 3; ++i) {
        QStringList content(29);
        content[0] = QString::number(10001 + i);
        content[3] = names[i];
        content[8] = towns[i];
        lines << blk(i, content);
    }
    QVERIFY(text::writeLines(h.path("paie.emp"), lines).ok());
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    EmployeeForm &form = h.fiche.employees().form();

    h.fiche.employees().search(SearchKind::Nom, QStringLiteral("mor"));
    QCOMPARE(form.name, QStringLiteral("MOREAU Jean"));
    h.fiche.employees().search(SearchKind::Nom, QStringLiteral("zz"));
    QCOMPARE(h.dialogs.messages().last(), QStringLiteral("Fiche ZZ non trouvée"));
    QCOMPARE(form.name, QStringLiteral("MOREAU Jean"));

    h.frame.selectionEmployes(Cmd::SelVille, Selection::ByTown, QStringLiteral("LYON"));
    QVERIFY(h.frame.commands().checked(Cmd::SelVille));
    QVERIFY(!h.frame.commands().checked(Cmd::TousEmployes));
    QCOMPARE(form.name, QStringLiteral("ROBERT Luc"));
    h.fiche.employees().move(Move::Suivant);
    QCOMPARE(form.name, QStringLiteral("MOREAU Jean"));

    // After an import the last-record command runs: the last record of the selection.
    QVERIFY(text::writeLines(h.path("ajout.txt"), {"M\t\tNEUF Lyon\t\t\t\t69001\tLYON",
                                                   "M\t\tNEUF Paris\t\t\t\t75001\tPARIS"}).ok());
    h.dialogs.files << h.path("ajout.txt");
    h.frame.importer();
    QCOMPARE(form.name, QStringLiteral("NEUF Lyon"));

    h.fiche.employees().sort(SortKey::Nom);
    QVERIFY(h.fiche.TestModif());
    QCOMPARE(h.fiche.dossier().employees().blockContent(0).value(3), QStringLiteral("ABEL Anne"));
}

void TestShell::exchangeFilesFromThePage()
{
    Harness h;
    h.writeDossier("paie.emp", 2);
    h.dialogs.files << h.path("paie.emp");
    h.frame.ouvrir();
    // A name without extension gets ".txt", so that the import lists it.
    h.dialogs.files << h.path("sortie");
    h.frame.run(Cmd::Exporter);
    QCOMPARE(h.read("sortie.txt").size(), 2);
    // An existing file is replaced only after "Ce fichier existe déjà".
    QVERIFY(text::writeLines(h.path("sortie.txt"), {"gardé"}).ok());
    h.dialogs.files << h.path("sortie");
    h.dialogs.answers << Answer::Annuler;
    h.frame.run(Cmd::Exporter);
    QCOMPARE(h.dialogs.log.last(), QStringLiteral("ask: Ce fichier existe déjà"));
    QCOMPARE(h.read("sortie.txt"), QStringList{"gardé"});
    // A file that is not text is refused and changes nothing.
    writeBytes(h.path("photo.txt"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    h.dialogs.files << h.path("photo.txt");
    h.frame.run(Cmd::Importer);
    QCOMPARE(h.dialogs.messages(), QStringList{"Le fichier photo.txt n'est pas un fichier texte"});
    QCOMPARE(h.fiche.dossier().employees().count(), 2);
    QVERIFY(!h.fiche.TestModif());
}

QTEST_GUILESS_MAIN(TestShell)
#include "test_shell.moc"
