#pragma once

#include <QDialog>

#include "payroll/reversepayroll.h"

class QComboBox;
class QLineEdit;
class QToolButton;

// The dialog "Paye à l'envers" over its model: the profile list (free text) and its name
// field, "Salaire net" (digits and "," only, Enter calculates), the "Calculer" button and the
// two displays "Salaire brut" and "Net calculé", which follow the search iteration by
// iteration. "Fermer" or Escape closes it. The caller has run model.Init and reads nothing
// back:
//
//     ReversePayroll model;
//     model.Init(choices, params.socialSecurityCeiling, lookup);
//     TPEnvers(model, parent).exec();
class TPEnvers : public QDialog
{
    Q_OBJECT
public:
    explicit TPEnvers(ReversePayroll &model, QWidget *parent = nullptr);

    // The search, as "Calculer" and Enter in "Salaire net" run it.
    void Calculer();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Leaving the profile list splits its text into the code and the name.
    void splitProfile();
    void refresh();

    ReversePayroll &m_model;
    QComboBox *m_profile = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_net = nullptr;
    QToolButton *m_calculer = nullptr;
    QLineEdit *m_gross = nullptr;
    QLineEdit *m_computedNet = nullptr;
    bool m_running = false;
};
