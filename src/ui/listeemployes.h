#pragma once

#include "employees/navigation.h"

#include <QDialog>

class QListWidget;
class QTableWidget;

// The list window "Liste des employés" (F2 on the employees page): one row per employee in
// collection order, a hidden column with the block number, then the sequence number (1, 2,
// 3...), "Nom", "Adresse", "Adresse", "C.P.", "Ville", "Téléphone", "Email".
// The grid holds its rows by tens. A double-click or Enter on a row chooses it; "Fermer" or
// Escape closes without choosing.
class TListeEmployes : public QDialog
{
    Q_OBJECT
public:
    explicit TListeEmployes(QWidget *parent = nullptr);

    // The rows to show (listeEmployes()) and the current employee number, whose row is
    // selected when the window opens.
    void Init(const QList<EmployeeListRow> &rows, int current = -1);
    // The chosen block number, -1 when nothing was chosen.
    int Result() const { return m_chosen; }

    QTableWidget *grid() const { return m_grid; }

    // Opens the window maximised and modal: the chosen block number or -1. The caller opens
    // it only when listeDisponible() holds, and then runs Choisir() with the number.
    static int choose(const QList<EmployeeListRow> &rows, int current, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chooseRow(int row);

    QTableWidget *m_grid = nullptr;
    int m_chosen = -1;
};

// The employee picker of the payslips page, dialog "Liste des employés": one item "code name"
// per employee; "OK" or a double-click returns the chosen employee's code, "Annuler" nothing.
class TListeEmp : public QDialog
{
    Q_OBJECT
public:
    explicit TListeEmp(QWidget *parent = nullptr);

    // The items to offer (listeEmp()).
    void Init(const QStringList &items);
    // The code of the chosen item, empty when none was chosen.
    QString Result() const { return m_code; }

    QListWidget *list() const { return m_list; }

    // Shows the picker modally over the employees of the collection: the chosen code or an
    // empty text.
    static QString choose(const Collection &employees, QWidget *parent = nullptr);

private:
    void confirm();

    QListWidget *m_list = nullptr;
    QString m_code;
};
