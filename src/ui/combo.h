#pragma once

#include "employees/listeditor.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QToolButton;

// The list editor of "&Banques" ("Les Banques", field "Banque") and "&Emplois" ("Les
// Conventions collectives", field "Emploi"): the entries, an input field that has the focus,
// a button with the hint "Valider" and "Fermer". Clicking an entry copies it into the field;
// "Valider" or Enter replaces the selected entry or appends the input; Delete in the list
// removes the selected entry. "Fermer" or Escape closes, and the edits are kept either way.
class TCombo : public QDialog
{
    Q_OBJECT
public:
    explicit TCombo(ListEditor::Kind kind, QWidget *parent = nullptr);

    void Init(const QStringList &entries);
    // The edited list, however the window was closed.
    QStringList Result() const { return m_model.Result(); }

    const ListEditor &model() const { return m_model; }
    QListWidget *list() const { return m_list; }
    QLineEdit *input() const { return m_input; }

    // Shows the editor modally over entries and returns the edited list.
    static QStringList edit(ListEditor::Kind kind, const QStringList &entries, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void choisir(int row);
    void valider();
    void refresh();

    ListEditor m_model;
    QListWidget *m_list = nullptr;
    QLineEdit *m_input = nullptr;
    QToolButton *m_valider = nullptr;
    bool m_refreshing = false;
};
