// The main window: its actions follow the frame, the keys and the focus, the caption and the
// status bar, and the frame's own dialogs typed into.
#include "fakedialogs.h"
#include "payroll/parameters.h"
#include "payroll/settings.h"
#include "text/encoding.h"
#include "ui/fiche.h"
#include "ui/mainform.h"
#include "ui/parampaie.h"
#include "ui/typing.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QLabel>

using Answer = Dialogs::Answer;

class TestMainForm : public QObject
{
    Q_OBJECT
    QTemporaryDir *m_dir = nullptr;
    FakeDialogs *m_dialogs = nullptr;
    TMainForm *m_form = nullptr;
    QAction *action(Cmd c) { return m_form->action(c); }
    QString writeDossier()
    {
        const QString path = m_dir->filePath("paie.emp");
        [&] { QVERIFY(text::writeLines(path, {"<BLOC0000>", "10001", "</BLOC0000>"}).ok()); }();
        return path;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = new QTemporaryDir;
        m_dialogs = new FakeDialogs;
        m_form = new TMainForm(m_dialogs);
        m_form->start(m_dir->path());
        m_form->resize(1000, 700);
        typing::showActive(*m_form);
    }
    void cleanup()
    {
        m_form->fiche().dossier().Nouveau();
        delete m_form;
        delete m_dialogs;
        delete m_dir;
    }

    void actionsDoNotFollowTheFrameOrClosingDoesNotAsk()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Korvel"));
        QVERIFY(action(Cmd::Quitter)->shortcut() == QKeySequence(QStringLiteral("Alt+X")) && action(Cmd::TousEmployes)->isChecked()
                && m_form->menu(Menu::Outils)->property("helpContext").toInt() == 9);
        // The hints and a scan's progress go to the status bar.
        action(Cmd::Ouvrir)->showStatusText(m_form);
        QCOMPARE(m_form->statusBar()->currentMessage(), QStringLiteral("Ouvrir un fichier"));
        Q_EMIT m_form->frame().progressChanged(QStringLiteral("Bulletin 3"));
        QCOMPARE(m_form->statusPanel(0)->text(), QStringLiteral("Bulletin 3"));
        // Before any dossier: pattern N (command by command, the frame's test against its own
        // table), an item of "&Imprimer" with it.
        QVERIFY(action(Cmd::Nouveau)->isEnabled() && !action(Cmd::Enregistrer)->isEnabled() && !action(Cmd::ImprimerListe)->isEnabled());
        // Opened: patterns D and E, the caption joins the dossier's.
        m_dialogs->files << writeDossier();
        action(Cmd::Ouvrir)->trigger();
        QVERIFY(action(Cmd::BtnEnregistrer)->isEnabled() && !action(Cmd::PageEmployes)->isEnabled());
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Korvel - [paie.emp]"));
        QCOMPARE(m_form->ficheWindow()->windowTitle(), QStringLiteral("paie.emp"));
        // The page shown gives the help topic.
        TFiche *fiche = m_form->ficheWindow();
        action(Cmd::PageProfils)->trigger();
        QVERIFY(fiche->currentPage() == fiche->page(Fiche::Page::Profils) && fiche->helpContext() == 16
                && !action(Cmd::PageProfils)->isEnabled());
        // Closing asks about the changes: cancelled, nothing is closed nor written; declined,
        // the window closes and the side files are written.
        m_form->fiche().SetSauve();
        m_dialogs->answers << Answer::Annuler << Answer::Non;
        QVERIFY(!m_form->close() && m_form->isVisible() && !QFileInfo::exists(m_dir->filePath("Korvel.ini")));
        QVERIFY(m_form->close() && QFileInfo::exists(m_dir->filePath("Korvel.ini")));
    }

    void dossierKeysTakenFromTheField()
    {
        TFiche *fiche = m_form->ficheWindow();
        auto *edit = new QLineEdit(fiche->page(Fiche::Page::Employes));
        edit->show();
        edit->setFocus();
        QSignalSpy spy(fiche, &TFiche::keyCommand);
        QTest::keyClicks(edit, "abc");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QList<Cmd> sent;
        QList<int> cursor;
        // Home and End without Ctrl reach the control; Ctrl+Shift+Home is not the dossier's.
        for (const auto &[key, modifiers] : {std::pair(Qt::Key_PageDown, Qt::KeyboardModifiers()), {Qt::Key_PageUp, {}},
                                            {Qt::Key_Home, ctrl}, {Qt::Key_End, ctrl}, {Qt::Key_F2, {}}, {Qt::Key_Home, {}},
                                            {Qt::Key_End, {}}, {Qt::Key_Home, ctrl | Qt::ShiftModifier}}) {
            const qsizetype before = spy.size();
            QTest::keyClick(edit, key, modifiers);
            sent << (spy.size() > before ? spy.last()[0].value<Cmd>() : Cmd::Count);
            cursor << edit->cursorPosition();
        }
        QCOMPARE(sent, (QList<Cmd>{Cmd::Suivant, Cmd::Precedent, Cmd::Premier, Cmd::Dernier, Cmd::Liste, Cmd::Count,
                                   Cmd::Count, Cmd::Count}));
        QCOMPARE(cursor, (QList<int>{3, 3, 3, 3, 3, 0, 3, 3}));
    }

    void focusNotInTheNameField()
    {
        // Start-up with auto-open.
        Settings settings;
        settings.autoOpen = 1;
        QVERIFY(SauveIni(m_dir->filePath("Korvel.ini"), settings, writeDossier()).ok());
        FakeDialogs dialogs;
        TMainForm form(&dialogs);
        form.start(m_dir->path());
        typing::showActive(form);
        auto *name = typing::child<QLineEdit>(form.ficheWindow(), "name");
        QCOMPARE(QApplication::focusWidget(), name);
        // After "Nouveau", "Nouvelle fiche" and a move, typed from another field.
        for (Cmd command : {Cmd::Nouveau, Cmd::NouvelleFiche, Cmd::Premier}) {
            typing::child<QLineEdit>(form.ficheWindow(), "code")->setFocus();
            form.action(command)->trigger();
            QVERIFY2(QApplication::focusWidget() == name, qPrintable(commands::info(command).caption));
        }
        // A menu closed with Escape, opened with the mouse or with its key: the next letter goes
        // to the field, not to the menu bar.
        QMenu *fichier = form.menu(Menu::Fichier);
        QTest::mouseClick(form.menuBar(), Qt::LeftButton, {}, form.menuBar()->actionGeometry(fichier->menuAction()).center());
        QTRY_VERIFY(fichier->isVisible());
        QTest::keyClick(fichier, Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), name);
        QTest::keyClick(name, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(fichier->isVisible());
        QTest::keyClick(fichier, Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), name);
        typing::type(QStringLiteral("o "));
        QCOMPARE(name->text(), QStringLiteral("o "));
        QVERIFY(!QApplication::activePopupWidget());
        form.fiche().dossier().Nouveau();
    }

    // Opened as the program opens it (maximised; an 800 x 600 screen here), the window shows a
    // town of 28 characters whole beside a postcode field no wider than a postcode.
    void longTownCutAtOpeningSize()
    {
        FakeDialogs dialogs;
        TMainForm form(&dialogs);
        form.start(m_dir->path());
        form.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *town = typing::child<QLineEdit>(form.ficheWindow(), "town");
        town->setText(QStringLiteral("BOULOGNE-BILLANCOURT CEDEX 1"));
        QVERIFY(town->fontMetrics().horizontalAdvance(town->text()) < town->contentsRect().width() - 4);
        QVERIFY(typing::child<QLineEdit>(form.ficheWindow(), "postcode")->width() < town->width() / 2);
    }

    void payrollParametersLetAWrongKeyOrFieldThrough()
    {
        PayrollParameters params;
        PayrollParametersForm form(params);
        FakeDialogs dialogs;
        TParamPaie dlg(form, nullptr, &dialogs);
        typing::showActive(dlg);
        QCOMPARE(dlg.decimals()->maximum(), 3);
        // Every number field filters its keys.
        for (int f : {int(PayrollParametersForm::Plafond), int(PayrollParametersForm::Hs25)}) {
            QLineEdit *edit = dlg.field(f);
            edit->clear();
            typing::keys(edit, QStringLiteral("/3a4.2-5:\b"));
            QCOMPARE(edit->text(), QStringLiteral("34,2"));
        }
        // Enter on a field that does not read: the message, the focus on it, the dialog open.
        QLineEdit *precarite = dlg.field(PayrollParametersForm::Precarite);
        precarite->setText(QStringLiteral("1,2,3"));
        QTest::keyClick(dlg.field(PayrollParametersForm::Hs25), Qt::Key_Return);
        QCOMPARE(dialogs.messages(), QStringList{"'1,2,3' n'est pas une valeur numérique correcte"});
        QVERIFY(dlg.isVisible() && dlg.focusWidget() == precarite);
        // Its text is selected: typed over, and Enter in any field confirms, "Nb décimales" included.
        QTest::keyClicks(precarite, "1.2");
        QTest::keyClick(dlg.decimals(), Qt::Key_Return);
        QVERIFY(dialogs.messages().size() == 1 && dlg.result() == QDialog::Accepted && form.apply(params));
        QCOMPARE(params.overtime25Threshold, 34.2);
        QCOMPARE(params.precarityPercent, 1.2);
    }
};

QTEST_MAIN(TestMainForm)
#include "test_mainform.moc"
