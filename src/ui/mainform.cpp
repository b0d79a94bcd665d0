#include "ui/mainform.h"

#include "ui/about.h"
#include "ui/blocnotes.h"
#include "ui/calendrier.h"
#include "ui/eurof.h"
#include "ui/fichemsg.h"
#include "ui/horloge.h"
#include "ui/pocket.h"
#include "ui/texte.h"
#include "ui/fiche.h"
#include "ui/combo.h"
#include "ui/departements.h"
#include "ui/help.h"
#include "ui/listeemployes.h"
#include "ui/recherche.h"
#include "ui/trier.h"
#include "ui/pageemployes.h"
#include "ui/qtdialogs.h"
#include "ui/qtshelldialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

QIcon toolIcon(Cmd id, const QStyle *style)
{
    switch (id) {
    case Cmd::BtnNouveauFichier: return style->standardIcon(QStyle::SP_FileIcon);
    case Cmd::BtnOuvrir: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case Cmd::BtnEnregistrer: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case Cmd::BtnCopier: return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case Cmd::BtnColler: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case Cmd::BtnPremier: return style->standardIcon(QStyle::SP_MediaSkipBackward);
    case Cmd::BtnPrecedent: return style->standardIcon(QStyle::SP_MediaSeekBackward);
    case Cmd::BtnSuivant: return style->standardIcon(QStyle::SP_MediaSeekForward);
    case Cmd::BtnDernier: return style->standardIcon(QStyle::SP_MediaSkipForward);
    case Cmd::BtnNouvelleFiche: return style->standardIcon(QStyle::SP_FileDialogNewFolder);
    case Cmd::BtnFicheEmploye: return style->standardIcon(QStyle::SP_DirHomeIcon);
    case Cmd::BtnProfils: return style->standardIcon(QStyle::SP_FileDialogListView);
    case Cmd::BtnBulletins: return style->standardIcon(QStyle::SP_FileDialogInfoView);
    case Cmd::BtnCalculer: return style->standardIcon(QStyle::SP_BrowserReload);
    case Cmd::BtnImprimer: return style->standardIcon(QStyle::SP_DriveFDIcon);
    case Cmd::BtnImprimerEnveloppe: return style->standardIcon(QStyle::SP_DriveNetIcon);
    default: return {};
    }
}

} // namespace

TMainForm::TMainForm(Dialogs *dialogs, ShellDialogs *shellDialogs, QWidget *parent) : QMainWindow(parent)
{
    if (!dialogs) {
        m_ownDialogs = std::make_unique<QtDialogs>(this);
        dialogs = m_ownDialogs.get();
    }
    if (!shellDialogs) {
        m_ownShellDialogs = std::make_unique<QtShellDialogs>(this);
        shellDialogs = m_ownShellDialogs.get();
    }
    m_dialogs = dialogs;
    m_fiche = std::make_unique<Fiche>(*m_dialogs, *shellDialogs);
    m_frame = std::make_unique<Frame>(*m_fiche, *m_dialogs);

    setWindowTitle(m_frame->caption());
    m_ficheWindow = new TFiche(*m_fiche, this);
    setCentralWidget(m_ficheWindow);
    connect(m_ficheWindow, &TFiche::keyCommand, this, [this](Cmd c) { run(c); });
    // F1 shows the help topic of the page shown (on an open menu, that menu's topic).
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { showHelp(m_ficheWindow->helpContext()); });

    registerHandlers();
    buildMenus();
    buildToolBar();
    buildStatusBar();
    connect(m_frame.get(), &Frame::commandsChanged, this, &TMainForm::refreshCommands);
    connect(m_frame.get(), &Frame::captionChanged, this, &TMainForm::refreshCaption);
    connect(m_fiche.get(), &Fiche::captionChanged, this, &TMainForm::refreshCaption);
    connect(m_fiche.get(), &Fiche::pageChanged, this, &TMainForm::refreshCommands);
    refreshCommands();
    refreshCaption();
}

TMainForm::~TMainForm() = default;

QPrinter &TMainForm::currentPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void TMainForm::registerHandlers()
{
    Frame &f = *m_frame;
    m_handlers = {
        {Cmd::Nouveau, [&f] { f.nouveau(); }},
        {Cmd::Ouvrir, [&f] { f.ouvrir(); }},
        {Cmd::Enregistrer, [&f] { f.enregistrer(); }},
        {Cmd::EnregistrerSous, [&f] { f.enregistrerSous(); }},
        {Cmd::ConfigurerImprimante, [this] { configurePrinter(); }},
        {Cmd::Quitter, [this] { close(); }},
        {Cmd::PageEmployes, [&f] { f.showPage(Fiche::Page::Employes); }},
        {Cmd::PageProfils, [&f] { f.showPage(Fiche::Page::Profils); }},
        {Cmd::PageBulletins, [&f] { f.showPage(Fiche::Page::Bulletins); }},
        {Cmd::Societe, [this] { m_fiche->Psoc(); }},
        {Cmd::ParamPaie, [this] { m_fiche->ParamPaie(); }},
        {Cmd::OuvrirAuto, [&f] { f.toggleAutoOpen(); }},
        {Cmd::AideIndex, [this] { showHelp(0); }},
        {Cmd::AideRechercher, [this] {
             THelpSearch search(this);
             if (search.exec() == QDialog::Accepted && !search.chosenTopic().isEmpty())
                 showHelp(0, search.chosenTopic());
         }},
        {Cmd::AideUtiliser, [this] { showHelp(12); }},
        {Cmd::APropos, [this] { about(); }},
        // Desk accessories: each opens modally and is freed when it closes.
        {Cmd::Calculatrice, [this] { TPocket w(m_calculator, this); w.exec(); }},
        {Cmd::EuroConversion, [this] { TEurof w(this); w.exec(); }},
        {Cmd::Horloge, [this] { THorloge w(this); w.exec(); }},
        {Cmd::Calendrier, [this] { TCalendrier w(this); w.exec(); }},
        {Cmd::BlocNotes, [this] { TBlocNotes w(m_frame->startDirectory(), this); w.exec(); }},
        {Cmd::Message, [this] { TFicheMsg w(m_fiche->dossierFileName(), this); w.exec(); }},
        {Cmd::TraitementTexte, [this] { TTexte w(m_fiche->letterhead().lines(), this); w.exec(); }},
        // The employees page.
        {Cmd::Premier, [this] { m_fiche->deplacer(Move::Premier); }},
        {Cmd::Precedent, [this] { m_fiche->deplacer(Move::Precedent); }},
        {Cmd::Suivant, [this] { m_fiche->deplacer(Move::Suivant); }},
        {Cmd::Dernier, [this] { m_fiche->deplacer(Move::Dernier); }},
        {Cmd::NouvelleFiche, [this, &f] {
             f.nouvelleFiche();
             m_ficheWindow->employeePage()->focusName();
         }},
        {Cmd::SupprimerFiche, [&f] { f.supprimer(); }},
        {Cmd::Copier, [this] { m_fiche->Copier(); }},
        {Cmd::Coller, [this] { m_fiche->Coller(); }},
        {Cmd::TousEmployes, [&f] { f.tousLesEmployes(); }},
        {Cmd::Importer, [&f] { f.importer(); }},
        {Cmd::RechercherNom, [this] { rechercher(SearchKind::Nom); }},
        {Cmd::RechercherCode, [this] { rechercher(SearchKind::Numero); }},
        {Cmd::RechercherTelephone, [this] { rechercher(SearchKind::Telephone); }},
        {Cmd::SelCodePostal, [this, &f] {
             QString value;
             if (TFcp::ask(value, this))
                 f.selectionEmployes(Cmd::SelCodePostal, 2, value);
         }},
        {Cmd::SelVille, [this, &f] {
             QString value;
             if (TVille::ask(value, this))
                 f.selectionEmployes(Cmd::SelVille, 3, value);
         }},
        {Cmd::TrierEmployes, [this] {
             const int key = TTri::ask(this);
             if (key >= 0)
                 m_fiche->trier(static_cast<SortKey>(key));
         }},
        {Cmd::Liste, [this] {
             const Collection &employees = m_fiche->dossier().employees();
             if (!listeDisponible(employees))
                 return;
             const int chosen = TListeEmployes::choose(listeEmployes(employees), employees.current(), this);
             if (chosen >= 0)
                 m_fiche->choisir(chosen);
         }},
        {Cmd::Banques, [this] {
             m_fiche->lists().banks = TCombo::edit(ListEditor::Kind::Banques, m_fiche->lists().banks, this);
             m_ficheWindow->refreshChoices();
         }},
        {Cmd::Emplois, [this] {
             m_fiche->lists().jobs = TCombo::edit(ListEditor::Kind::Emplois, m_fiche->lists().jobs, this);
             m_ficheWindow->refreshChoices();
         }},
        {Cmd::Departements, [this] { TDepart::montrer(this); }},
        {Cmd::Exporter, [&f] { f.exporter(); }},
    };
    // Commands that exist on the employees page only, so far.
    for (Cmd c : {Cmd::Premier, Cmd::Precedent, Cmd::Suivant, Cmd::Dernier, Cmd::NouvelleFiche,
                  Cmd::SupprimerFiche, Cmd::Copier, Cmd::Coller, Cmd::Liste})
        m_employeesOnly.insert(c);
}

bool TMainForm::available(Cmd id) const
{
    const CommandInfo &c = commands::info(id);
    if (!m_frame->commands().enabled(id))
        return false;
    // A submenu is offered when one of its items is.
    if (id == Cmd::Imprimer)
        return available(Cmd::ImprimerListe) || available(Cmd::ImprimerEnveloppes);
    if (m_employeesOnly.contains(c.action) && m_fiche->page() != Fiche::Page::Employes)
        return false;
    return m_handlers.contains(c.action);
}

void TMainForm::run(Cmd id)
{
    if (!available(id))
        return;
    const Cmd action = commands::info(id).action;
    // What leaving the focused field does happens before the record is written back.
    if (m_fiche->page() == Fiche::Page::Employes)
        m_ficheWindow->employeePage()->commitEdits();
    if (auto it = m_handlers.find(action); it != m_handlers.end())
        (*it)();
}

void TMainForm::buildMenus()
{
    QMenu *submenu = nullptr;
    for (const CommandInfo &c : commands::all()) {
        if (c.menu == Menu::ToolBar)
            continue;
        QMenu *menu = m_menus.value(c.menu);
        if (!menu) {
            menu = menuBar()->addMenu(commands::menuTitle(c.menu));
            menu->setProperty("helpContext", commands::menuHelpContext(c.menu));
            menu->installEventFilter(this);
            m_menus.insert(c.menu, menu);
        }
        QMenu *target = c.parent == Cmd::Count ? menu : submenu;
        if (c.separatorBefore && c.parent == Cmd::Count && !menu->isEmpty())
            menu->addSeparator();
        QAction *a = nullptr;
        if (c.id == Cmd::Imprimer) {
            submenu = menu->addMenu(c.caption);
            a = submenu->menuAction();
        } else {
            a = target->addAction(c.caption);
            const Cmd id = c.id;
            connect(a, &QAction::triggered, this, [this, id] { run(id); });
        }
        a->setStatusTip(c.hint);
        a->setCheckable(c.checkable);
        if (!c.key.isEmpty()) {
            a->setShortcut(QKeySequence(c.key));
            // The dossier window's keys are handled by the dossier window itself; in the menu
            // they are only shown.
            if (TFiche::commandForKey(QKeySequence(c.key)[0].key(), QKeySequence(c.key)[0].keyboardModifiers()) != Cmd::Count)
                a->setShortcutContext(Qt::WidgetShortcut);
        }
        m_actions.insert(c.id, a);
    }
}

void TMainForm::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Outils"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(20, 20));
    for (const CommandInfo &c : commands::all()) {
        if (c.menu != Menu::ToolBar)
            continue;
        if (c.separatorBefore)
            bar->addSeparator();
        QAction *a = bar->addAction(toolIcon(c.id, style()), c.caption);
        a->setToolTip(c.hint);
        a->setStatusTip(c.hint);
        const Cmd id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { run(id); });
        m_actions.insert(c.id, a);
    }
}

void TMainForm::buildStatusBar()
{
    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    m_panels[1]->setFixedWidth(50);
    statusBar()->addWidget(m_panels[0]);
    statusBar()->addPermanentWidget(m_panels[1]);
}

void TMainForm::refreshCommands()
{
    const CommandState &state = m_frame->commands();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(available(it.key()));
        if (it.value()->isCheckable())
            it.value()->setChecked(state.checked(it.key()));
    }
}

void TMainForm::refreshCaption()
{
    // The dossier window is always maximised: its caption joins the frame's, as a maximised
    // child window's does.
    const QString dossier = m_fiche->caption();
    setWindowTitle(dossier.isEmpty() ? m_frame->caption()
                                     : m_frame->caption() + QStringLiteral(" - [") + dossier + u']');
}

void TMainForm::start(const QString &startDirectory)
{
    if (m_started)
        return;
    m_started = true;
    const QString dir = startDirectory.isEmpty() ? QDir::currentPath() : startDirectory;
    m_fiche->loadSideFiles(dir);
    m_frame->firstShow(dir);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    start(QDir::currentPath());
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_panels[0])
        m_panels[0]->setFixedWidth(std::max(0, width() - 100));
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!m_frame->queryClose()) {
        event->ignore();
        return;
    }
    m_frame->close();
    event->accept();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    // F1 on an open menu shows the menu's help topic.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            const int context = menu->property("helpContext").toInt();
            menu->close();
            showHelp(context);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showHelp(int context, const QString &page)
{
    THelp help(this);
    if (!page.isEmpty())
        help.showTopic(page);
    else
        help.showContext(context);
    help.exec();
}

void TMainForm::rechercher(SearchKind kind)
{
    QString text;
    if (TRecherche::ask(kind, text, this))
        m_fiche->rechercher(kind, text);
}

void TMainForm::about()
{
    TAbout box(this);
    box.exec();
}

void TMainForm::configurePrinter()
{
    QPrintDialog dlg(&currentPrinter(), this);
    dlg.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
    // Only the choice of printer and its settings are kept; nothing is printed here.
    dlg.exec();
}
