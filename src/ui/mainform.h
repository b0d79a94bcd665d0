#pragma once

#include "accessories/calculator.h"
#include "shell/commands.h"
#include "shell/fiche.h"
#include "shell/frame.h"

#include <QHash>
#include <QSet>
#include <QMainWindow>
#include <functional>
#include <memory>

class Dialogs;
class ShellDialogs;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class TFiche;

// The frame window: menus, tool bar and status bar around the single dossier window. Menus and
// tool bar are built from the command table; a command is offered only when its enabling
// pattern allows it and the program provides it.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // The platform's dialogs and the frame's windows; tests pass scripted ones. The Qt ones are
    // used for those not given.
    explicit TMainForm(Dialogs *dialogs = nullptr, ShellDialogs *shellDialogs = nullptr, QWidget *parent = nullptr);
    ~TMainForm() override;

    Frame &frame() { return *m_frame; }
    Fiche &fiche() { return *m_fiche; }
    TFiche *ficheWindow() const { return m_ficheWindow; }
    QAction *action(Cmd id) const { return m_actions.value(id); }
    QMenu *menu(Menu menu) const { return m_menus.value(menu); }
    QLabel *statusPanel(int i) const { return m_panels[i]; }

    // True when the command is available to the user now.
    bool available(Cmd id) const;
    // Runs a command as its menu item or tool button would.
    void run(Cmd id);

    // The first activation of the dossier window and the first show of the frame.
    void start(const QString &startDirectory);

    // The printer that the program prints on, shared by every printout.
    static QPrinter &currentPrinter();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void registerHandlers();
    void refreshCommands();
    void refreshCaption();
    void showHelp(int context, const QString &page = {});
    void about();
    void rechercher(SearchKind kind);
    void configurePrinter();

    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<ShellDialogs> m_ownShellDialogs;
    Dialogs *m_dialogs;
    std::unique_ptr<Fiche> m_fiche;
    std::unique_ptr<Frame> m_frame;
    TFiche *m_ficheWindow;
    QHash<Cmd, QAction *> m_actions;
    QHash<Menu, QMenu *> m_menus;
    QHash<Cmd, std::function<void()>> m_handlers;
    QSet<Cmd> m_employeesOnly;
    QLabel *m_panels[2] = {nullptr, nullptr};
    // The calculator's registers are kept for the program's life.
    Calculator m_calculator;
    bool m_started = false;
};
