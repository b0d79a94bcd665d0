#pragma once

#include "shell/commands.h"
#include "shell/fiche.h"
#include "shell/frame.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <memory>

class Dialogs;
class EmployeeDialogs;
class PayrollDialogs;
class QAction;
class QLabel;
class QMenu;
class Printer;
class QPrinter;
class ShellDialogs;
class TFiche;

// The frame window: menus, tool bar and status bar around the single dossier window. Menus and
// tool bar are built from the command table; every trigger and key goes to Frame::run, and the
// items are enabled and ticked as Frame::available and Frame::checked say.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // The platform's dialogs, the employees' windows, the frame's windows and the payroll's
    // windows; tests pass scripted ones. Qt's are used for those not given.
    explicit TMainForm(Dialogs *dialogs = nullptr, EmployeeDialogs *employeeDialogs = nullptr,
                       ShellDialogs *shellDialogs = nullptr, PayrollDialogs *payrollDialogs = nullptr,
                       QWidget *parent = nullptr);
    ~TMainForm() override;

    Frame &frame() { return *m_frame; }
    Fiche &fiche() { return *m_fiche; }
    TFiche *ficheWindow() const { return m_ficheWindow; }
    QAction *action(Cmd id) const { return m_actions.value(id); }
    QMenu *menu(Menu menu) const { return m_menus.value(menu); }
    QLabel *statusPanel(int i) const { return m_panels[i]; }

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
    void refreshCommands();
    void refreshCaption();
    // The progress of a scan in the first panel, shown at once (the scan holds the event loop).
    void showProgress(const QString &text);

    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<EmployeeDialogs> m_ownEmployeeDialogs;
    std::unique_ptr<ShellDialogs> m_ownShellDialogs;
    std::unique_ptr<PayrollDialogs> m_ownPayrollDialogs;
    ShellDialogs *m_shellDialogs;
    // The session's printer, on currentPrinter().
    std::unique_ptr<Printer> m_printer;
    std::unique_ptr<Fiche> m_fiche;
    std::unique_ptr<Frame> m_frame;
    TFiche *m_ficheWindow;
    QHash<Cmd, QAction *> m_actions;
    QHash<Menu, QMenu *> m_menus;
    QLabel *m_panels[2] = {nullptr, nullptr};
    QElapsedTimer m_progressShown;
    bool m_started = false;
};
