#pragma once

#include <QDialog>

class MonthPayrollModel;
class QLineEdit;
class QListWidget;
class QTableWidget;

// The window "Paie du mois" over its model: the month ("MM/AAAA"), the month's employees each
// with a tick, the table of the month's payslips (N° de paie, code, name, gross, net to pay,
// the message of a refusal), and the buttons "Préparer", "Valider tout", "Imprimer tout",
// "PDF..." (a folder chooser) and "Fermer". Escape closes it too.
class TPaieMois : public QDialog
{
    Q_OBJECT
public:
    explicit TPaieMois(MonthPayrollModel &model, QWidget *parent = nullptr);

    void Preparer();
    void ValiderTout();
    void ImprimerTout();
    void Pdf();

private:
    void showRows();

    MonthPayrollModel &m_model;
    QLineEdit *m_month = nullptr;
    QListWidget *m_employees = nullptr;
    QTableWidget *m_table = nullptr;
};
