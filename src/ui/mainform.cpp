#include "ui/mainform.h"

#include "shell/shelldialogs.h"
#include "ui/fiche.h"
#include "ui/qtdialogs.h"
#include "ui/qtemployeedialogs.h"
#include "ui/qtpayrolldialogs.h"
#include "ui/qtprinter.h"
#include "ui/qtshelldialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

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

TMainForm::TMainForm(Dialogs *dialogs, EmployeeDialogs *employeeDialogs, ShellDialogs *shellDialogs,
                     PayrollDialogs *payrollDialogs, QWidget *parent)
    : QMainWindow(parent)
{
    if (!dialogs) {
        m_ownDialogs = std::make_unique<QtDialogs>(this);
        dialogs = m_ownDialogs.get();
    }
    if (!employeeDialogs) {
        m_ownEmployeeDialogs = std::make_unique<QtEmployeeDialogs>(this);
        employeeDialogs = m_ownEmployeeDialogs.get();
    }
    if (!shellDialogs) {
        m_ownShellDialogs = std::make_unique<QtShellDialogs>(this);
        shellDialogs = m_ownShellDialogs.get();
    }
    if (!payrollDialogs) {
        m_ownPayrollDialogs = std::make_unique<QtPayrollDialogs>(this);
        payrollDialogs = m_ownPayrollDialogs.get();
    }
    m_shellDialogs = shellDialogs;
    m_printer = std::make_unique<QtPrinter>(currentPrinter(), this);
    m_fiche = std::make_unique<Fiche>(*dialogs, *employeeDialogs, *payrollDialogs);
    m_frame = std::make_unique<Frame>(*m_fiche, *dialogs, *shellDialogs, *m_printer);
    m_frame->setPdfWriter(&QtCanvas::toPdfFile);

    setWindowTitle(m_frame->caption());
    m_ficheWindow = new TFiche(*m_fiche, this);
    setCentralWidget(m_ficheWindow);
    connect(m_ficheWindow, &TFiche::keyCommand, this, &TMainForm::run);
    // F1 shows the help of the page shown (on an open menu, that menu's topic).
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { m_shellDialogs->help(m_ficheWindow->helpContext()); });

    buildMenus();
    buildToolBar();
    buildStatusBar();
    connect(m_frame.get(), &Frame::commandsChanged, this, &TMainForm::refreshCommands);
    connect(m_frame.get(), &Frame::captionChanged, this, &TMainForm::refreshCaption);
    connect(m_frame.get(), &Frame::quitRequested, this, &QWidget::close);
    connect(m_frame.get(), &Frame::progressChanged, this, &TMainForm::showProgress);
    connect(m_fiche.get(), &Fiche::captionChanged, this, &TMainForm::refreshCaption);
    refreshCommands();
    refreshCaption();
}

TMainForm::~TMainForm() = default;

QPrinter &TMainForm::currentPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void TMainForm::run(Cmd id)
{
    if (!m_frame->available(id))
        return;
    m_ficheWindow->commitEdits();
    m_frame->run(id);
}

void TMainForm::buildMenus()
{
    QHash<Cmd, QMenu *> submenus;
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
        QMenu *target = c.parent == Cmd::Count ? menu : submenus.value(c.parent);
        if (c.separatorBefore && c.parent == Cmd::Count && !menu->isEmpty())
            menu->addSeparator();
        QAction *a = nullptr;
        if (commands::isSubmenu(c.id)) {
            QMenu *submenu = target->addMenu(c.caption);
            submenus.insert(c.id, submenu);
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
            const QKeyCombination key = QKeySequence(c.key)[0];
            if (commands::dossierKey(key.key(), key.keyboardModifiers()) != Cmd::Count)
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
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(m_frame->available(it.key()));
        if (it.value()->isCheckable())
            it.value()->setChecked(m_frame->checked(it.key()));
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

void TMainForm::showProgress(const QString &text)
{
    m_panels[0]->setText(text);
    // Painting costs more than reading a payslip: a long scan shows its progress ten times a
    // second, and the panel is always emptied at once.
    if (text.isEmpty() || !m_progressShown.isValid() || m_progressShown.elapsed() >= 100) {
        m_panels[0]->repaint();
        m_progressShown.start();
    }
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
            m_shellDialogs->help(context);
            return true;
        }
    }
    // Escape on an open menu gives the keyboard back to the field being typed into. The menu
    // bar would otherwise keep it, and the next letter typed would open a menu (the space bar
    // then running its highlighted command).
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            menu->hide();
            if (QWidget *field = m_ficheWindow->focusWidget())
                field->setFocus(Qt::PopupFocusReason);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
