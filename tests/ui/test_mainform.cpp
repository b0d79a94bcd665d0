#include "fakedialogs.h"
#include "payroll/parameters.h"
#include "payroll/settings.h"
#include "testsupport.h"
#include "text/encoding.h"
#include "ui/fiche.h"
#include "ui/help.h"
#include "ui/mainform.h"
#include "ui/parampaie.h"
#include "ui/societe.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

using Answer = Dialogs::Answer;

class TestMainForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void menusAndToolBar();
    void unbuiltCommandsStayUnavailable();
    void hintsGoToTheStatusBar();
    void openingADossierAppliesPatternsDAndE();
    void pagesSwitchFromTheBasesMenu();
    void dossierKeysAreConsumedByTheDossierWindow();
    void typingGoesToTheNameField();
    void closingAsksAndWritesTheSideFiles();
    void payrollParametersDialogFiltersKeys();
    void payrollParametersEscapeCancels();
    void companyDialogTyping();
    void helpTopicsExistForEveryContext();
    void accessoriesOpenFromTheirMenus_data();
    void accessoriesOpenFromTheirMenus();

private:
    QTemporaryDir *m_dir = nullptr;
    FakeDialogs *m_dialogs = nullptr;
    TMainForm *m_form = nullptr;
};

void TestMainForm::init()
{
    m_dir = new QTemporaryDir;
    m_dialogs = new FakeDialogs;
    m_form = new TMainForm(m_dialogs);
    m_form->start(m_dir->path());
    m_form->resize(1000, 700);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestMainForm::cleanup()
{
    m_form->fiche().dossier().Nouveau();
    delete m_form;
    delete m_dialogs;
    delete m_dir;
}

void TestMainForm::menusAndToolBar()
{
    QStringList titles;
    for (QAction *a : m_form->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"&Fichier", "&Edition", "&Bases", "&Paye", "&Rubriques", "&Sélection",
                                  "&Outils", "Para&mètres", "&Utilitaires", "&Aide"}));
    QStringList fichier;
    for (QAction *a : m_form->menu(Menu::Fichier)->actions())
        if (!a->isSeparator())
            fichier << a->text();
    QCOMPARE(fichier, (QStringList{"&Nouveau", "&Ouvrir...", "&Enregistrer", "Enregistrer &sous...", "&Imprimer",
                                   "&Mise en page", "&Configurer imprimante", "I&mporter...", "E&xporter...",
                                   "&Quitter"}));
    QCOMPARE(m_form->action(Cmd::Quitter)->shortcut(), QKeySequence(QStringLiteral("Alt+X")));
    QCOMPARE(m_form->menu(Menu::Outils)->property("helpContext").toInt(), 9);
    QVERIFY(m_form->action(Cmd::TousEmployes)->isChecked());
    QVERIFY(m_form->action(Cmd::TousBulletins)->isChecked());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Korvel"));

    auto *bar = m_form->findChild<QToolBar *>(QStringLiteral("toolBar"));
    QVERIFY(bar);
    QStringList buttons;
    for (QAction *a : bar->actions())
        buttons << (a->isSeparator() ? QStringLiteral("|") : a->toolTip());
    QCOMPARE(buttons.join(u','), QStringLiteral("Nouveau fichier,Ouvrir,Enregistrer,|,Copier,Coller,|,Premier,"
                                                "Précédent,Suivant,Dernier,|,Nouvelle fiche,Fiche employé,"
                                                "Profils,Bulletins,Calculer,|,Imprimer,Imprimer enveloppe"));
}

void TestMainForm::unbuiltCommandsStayUnavailable()
{
    // Offered before any dossier: the frame's own commands and the dialogs that exist.
    for (Cmd c : {Cmd::Nouveau, Cmd::Ouvrir, Cmd::Quitter, Cmd::Societe, Cmd::ParamPaie, Cmd::OuvrirAuto,
                  Cmd::AideIndex, Cmd::APropos, Cmd::PageProfils, Cmd::BtnOuvrir, Cmd::Caisses})
        QVERIFY2(m_form->action(c)->isEnabled(), qPrintable(commands::info(c).caption));
    // Not offered: pattern N says no (the items of "&Imprimer" with it).
    for (Cmd c : {Cmd::Enregistrer, Cmd::Exporter, Cmd::Imprimer, Cmd::ImprimerListe, Cmd::CalculerBulletin,
                  Cmd::ProfilStandard, Cmd::BtnCalculer})
        QVERIFY2(!m_form->action(c)->isEnabled(), qPrintable(commands::info(c).caption));
}

void TestMainForm::hintsGoToTheStatusBar()
{
    m_form->action(Cmd::Ouvrir)->showStatusText(m_form);
    QCOMPARE(m_form->statusBar()->currentMessage(), QStringLiteral("Ouvrir un fichier"));
    QCOMPARE(m_form->statusPanel(1)->width(), 50);
    QCOMPARE(m_form->statusPanel(0)->width(), m_form->width() - 100);
    // A scan's progress goes to the first panel.
    Q_EMIT m_form->frame().progressChanged(QStringLiteral("Bulletin 3"));
    QCOMPARE(m_form->statusPanel(0)->text(), QStringLiteral("Bulletin 3"));
}

void TestMainForm::openingADossierAppliesPatternsDAndE()
{
    const QString path = m_dir->filePath("paie.emp");
    QVERIFY(text::writeLines(path, {"<BLOC0000>", "10001", "</BLOC0000>"}).ok());
    m_dialogs->files << path;
    m_form->action(Cmd::Ouvrir)->trigger();
    QVERIFY(m_form->action(Cmd::Enregistrer)->isEnabled());
    QVERIFY(m_form->action(Cmd::BtnEnregistrer)->isEnabled());
    QVERIFY(!m_form->action(Cmd::PageEmployes)->isEnabled());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Korvel - [paie.emp]"));
    QCOMPARE(m_form->ficheWindow()->windowTitle(), QStringLiteral("paie.emp"));
}

void TestMainForm::pagesSwitchFromTheBasesMenu()
{
    TFiche *fiche = m_form->ficheWindow();
    QCOMPARE(fiche->helpContext(), 13);
    m_form->action(Cmd::PageProfils)->trigger();
    QCOMPARE(fiche->currentPage(), fiche->page(Fiche::Page::Profils));
    QCOMPARE(fiche->helpContext(), 16);
    QVERIFY(!m_form->action(Cmd::PageProfils)->isEnabled());
    QVERIFY(m_form->action(Cmd::BtnBulletins)->isEnabled());
    m_form->action(Cmd::BtnBulletins)->trigger();
    QCOMPARE(fiche->currentPage(), fiche->page(Fiche::Page::Bulletins));
    QCOMPARE(fiche->helpContext(), 14);
}

void TestMainForm::dossierKeysAreConsumedByTheDossierWindow()
{
    TFiche *fiche = m_form->ficheWindow();
    auto *edit = new QLineEdit(fiche->page(Fiche::Page::Employes));
    edit->show();
    edit->setFocus();
    QSignalSpy spy(fiche, &TFiche::keyCommand);
    QTest::keyClicks(edit, "abc");
    QTest::keyClick(edit, Qt::Key_PageDown);
    QTest::keyClick(edit, Qt::Key_PageUp);
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_F2);
    QCOMPARE(spy.size(), 5);
    QCOMPARE(spy[0][0].value<Cmd>(), Cmd::Suivant);
    QCOMPARE(spy[2][0].value<Cmd>(), Cmd::Premier);
    QCOMPARE(spy[4][0].value<Cmd>(), Cmd::Liste);
    // Home and End without Ctrl reach the control.
    QTest::keyClick(edit, Qt::Key_Home);
    QCOMPARE(edit->cursorPosition(), 0);
    QTest::keyClick(edit, Qt::Key_End);
    QCOMPARE(edit->cursorPosition(), 3);
    QCOMPARE(spy.size(), 5);
    // Ctrl+Shift+Home is not the dossier's key.
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(spy.size(), 5);
}

void TestMainForm::typingGoesToTheNameField()
{
    auto nameOf = [](TMainForm &form) { return form.ficheWindow()->findChild<QLineEdit *>(QStringLiteral("name")); };
    // Start-up with auto-open.
    Settings settings;
    settings.autoOpen = 1;
    const QString path = m_dir->filePath("paie.emp");
    QVERIFY(text::writeLines(path, {"<BLOC0000>", "10001", "</BLOC0000>"}).ok());
    QVERIFY(SauveIni(m_dir->filePath("Korvel.ini"), settings, path).ok());
    FakeDialogs dialogs;
    TMainForm form(&dialogs);
    form.start(m_dir->path());
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QLineEdit *name = nameOf(form);
    QCOMPARE(QApplication::focusWidget(), name);

    // After "Nouveau", "Nouvelle fiche" and a move, typed from another field.
    for (Cmd command : {Cmd::Nouveau, Cmd::NouvelleFiche, Cmd::Premier}) {
        form.ficheWindow()->findChild<QLineEdit *>(QStringLiteral("code"))->setFocus();
        form.action(command)->trigger();
        QVERIFY2(QApplication::focusWidget() == name, qPrintable(commands::info(command).caption));
    }

    // A menu closed with Escape, opened with the mouse or with its key: the next letter goes to
    // the field, not to the menu bar.
    QMenu *fichier = form.menu(Menu::Fichier);
    const QPoint title = form.menuBar()->actionGeometry(fichier->menuAction()).center();
    QTest::mouseClick(form.menuBar(), Qt::LeftButton, {}, title);
    QTRY_VERIFY(fichier->isVisible());
    QTest::keyClick(fichier, Qt::Key_Escape);
    QTRY_COMPARE(QApplication::focusWidget(), name);
    QTest::keyClick(name, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(fichier->isVisible());
    QTest::keyClick(fichier, Qt::Key_Escape);
    QTRY_COMPARE(QApplication::focusWidget(), name);
    QTest::keyClicks(QApplication::focusWidget(), "o ");
    QCOMPARE(name->text(), QStringLiteral("o "));
    QVERIFY(!QApplication::activePopupWidget());
    form.fiche().dossier().Nouveau();
}

void TestMainForm::closingAsksAndWritesTheSideFiles()
{
    m_form->fiche().SetSauve();
    m_dialogs->answers << Answer::Annuler;
    QVERIFY(!m_form->close());
    QVERIFY(m_form->isVisible());
    QVERIFY(!QFileInfo::exists(m_dir->filePath("Korvel.ini")));
    m_dialogs->answers << Answer::Non;
    QVERIFY(m_form->close());
    QVERIFY(QFileInfo::exists(m_dir->filePath("Korvel.ini")));
    QVERIFY(QFileInfo::exists(m_dir->filePath("Korvel.Cbx")));
}

void TestMainForm::payrollParametersDialogFiltersKeys()
{
    PayrollParameters params;
    PayrollParametersForm form(params);
    FakeDialogs dialogs;
    TParamPaie dlg(form, nullptr, &dialogs);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Paramètres de la paie"));
    QCOMPARE(dlg.field(PayrollParametersForm::SurBaseDe)->text(), QStringLiteral("169"));
    QCOMPARE(dlg.decimals()->maximum(), 3);

    // Every number field filters its keys.
    for (int f : {int(PayrollParametersForm::Plafond), int(PayrollParametersForm::Hs25)}) {
        QLineEdit *edit = dlg.field(f);
        edit->clear();
        QTest::keyClicks(edit, "3a4.2-5");
        QCOMPARE(edit->text(), QStringLiteral("34,25"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("34,2"));
    }
    // Enter on a field that does not read: the message, the focus on it, the dialog open.
    QLineEdit *precarite = dlg.field(PayrollParametersForm::Precarite);
    precarite->setText(QStringLiteral("1,2,3"));
    QTest::keyClick(dlg.field(PayrollParametersForm::Hs25), Qt::Key_Return);
    QCOMPARE(dialogs.messages(), QStringList{"'1,2,3' n'est pas une valeur numérique correcte"});
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), precarite);
    // Its text is selected: typed over, and Enter in any field confirms, "Nb décimales" included.
    QTest::keyClicks(precarite, "1.2");
    QTest::keyClick(dlg.decimals(), Qt::Key_Return);
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(form.apply(params));
    QCOMPARE(params.overtime25Threshold, 34.2);
    QCOMPARE(params.precarityPercent, 1.2);
}

void TestMainForm::payrollParametersEscapeCancels()
{
    PayrollParameters params;
    PayrollParametersForm form(params);
    TParamPaie dlg(form);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClicks(dlg.field(PayrollParametersForm::Hs50), "9");
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(form.text(PayrollParametersForm::Hs50), QStringLiteral("0,00"));
}

void TestMainForm::companyDialogTyping()
{
    TSociete dlg;
    dlg.Init({"A", "B"});
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Société"));
    dlg.field(0)->setFocus();
    QTest::keyClicks(dlg.field(0), "ZZ");
    // A character the files cannot hold is refused at entry.
    QTest::keyClicks(dlg.field(1), "x");
    QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x4e2d)));
    QApplication::sendEvent(dlg.field(1), &chinese);
    QTest::keyClicks(dlg.field(1), "y");
    QCOMPARE(dlg.field(1)->text(), QStringLiteral("Bxy"));
    QTest::keyClick(dlg.field(0), Qt::Key_Return);
    QStringList result;
    dlg.Result(result);
    QCOMPARE(result.size(), 7);
    QCOMPARE(result[0], QStringLiteral("AZZ"));

    TSociete cancelled;
    cancelled.Init({"A"});
    cancelled.show();
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    cancelled.Result(result);
    QVERIFY(result[0].isEmpty());
}

void TestMainForm::helpTopicsExistForEveryContext()
{
    THelp help;
    for (int context : {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}) {
        help.showContext(context);
        QVERIFY2(help.currentTopic() != QStringLiteral("index.html") || context == 0,
                 qPrintable(QString::number(context)));
        QVERIFY(!help.browser()->toPlainText().isEmpty());
    }
    const auto index = THelp::keywordIndex();
    QVERIFY(index.contains(QStringLiteral("dossier")));
    QVERIFY(index.contains(QStringLiteral("paramètres de la paie")));
}

void TestMainForm::accessoriesOpenFromTheirMenus_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("caption");
    QTest::newRow("calculatrice") << int(Cmd::Calculatrice) << "Calculatrice";
    QTest::newRow("euro") << int(Cmd::EuroConversion) << "Euro convertisseur";
    QTest::newRow("horloge") << int(Cmd::Horloge) << "Horloge";
    QTest::newRow("texte") << int(Cmd::TraitementTexte) << "Texte";
}

void TestMainForm::accessoriesOpenFromTheirMenus()
{
    QFETCH(int, command);
    QFETCH(QString, caption);
    QAction *action = m_form->action(static_cast<Cmd>(command));
    QVERIFY(action->isEnabled());
    QString seen;
    QTimer::singleShot(100, this, [&seen] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            seen = w->windowTitle();
            w->close();
        }
    });
    action->trigger();
    QCOMPARE(seen, caption);
}

QTEST_MAIN(TestMainForm)
#include "test_mainform.moc"
