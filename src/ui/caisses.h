#pragma once

#include <QDialog>

class CaisseModel;
class QLineEdit;
class QTableWidget;
class QToolButton;

// The dialog "Caisses" over its model: the nine fields of the caisse shown, the table of every
// caisse under them, and a tool strip ("Ajouter fiche", "Supprimer fiche", "Fiche précédente",
// "Fiche suivante") with "Fermer". Enter in a field stores the caisse; Page Up and Page Down
// move; clicking a row shows that caisse. "Fermer" or Escape closes; the caller then takes
// the model's lines.
class TCaisses : public QDialog
{
    Q_OBJECT
public:
    explicit TCaisses(CaisseModel &model, QWidget *parent = nullptr);

    QLineEdit *field(int f) const { return m_fields[f]; }
    QTableWidget *table() const { return m_table; }
    // The tool strip's buttons, in its order.
    QToolButton *tool(int i) const { return m_tools[i]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shows the model: the fields, the table and the current caisse's row.
    void refresh();
    void run(void (CaisseModel::*step)());

    CaisseModel &m_model;
    QLineEdit *m_fields[9] = {};
    QToolButton *m_tools[4] = {};
    QTableWidget *m_table = nullptr;
    bool m_refreshing = false;
};
