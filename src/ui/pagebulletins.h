#pragma once

#include "payroll/payslips.h"

#include <QList>
#include <QPair>
#include <QWidget>

class PayslipsPage;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

// The payslips page of the dossier window: the payslip's fields with their labels, limits and
// numeric filters, the 63 lines of the table, the results, the buttons "Créer", "Valider" and
// "Imprimer" and the status text. It shows the page's form (locked as a validated payslip is)
// and forwards the user's gestures: typing, Enter in a field (the calculation), "..." (the
// employee picker), "Valider". "Créer" asks for the command "&Nouveau bulletin", "Imprimer" for
// "&Imprimer bulletin".
class TPageBulletins : public QWidget
{
    Q_OBJECT
public:
    explicit TPageBulletins(PayslipsPage &page, QWidget *parent = nullptr);

    // Shows the form again, locked when the payslip is validated; emits nothing.
    void refresh();
    // The cursor in "N° employé" (a new payslip).
    void focusEmployee();

    QTableWidget *table() const { return m_table; }
    QPushButton *validerButton() const { return m_valider; }
    QPushButton *printButton() const { return m_imprimer; }

Q_SIGNALS:
    // "Créer": a new payslip for the employee shown on the employees page.
    void createRequested();
    // "Imprimer": the payslip shown is printed.
    void printRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *addLine(const QString &objectName, QString *target, PayslipField field, int maxLength = 0);
    QCheckBox *addBox(const QString &caption, const QString &objectName, bool *target, PayslipField field);
    QDateEdit *addDate(const QString &objectName, QDate *target, PayslipField field);
    QLineEdit *addResult(const QString &objectName);
    // A field typed or chosen, its value already in the form.
    void typed(PayslipField field);
    void enter();
    void cellEdited(int row, int column);
    void lock();

    PayslipsPage &m_page;
    bool m_refreshing = false;
    QList<QPair<QLineEdit *, QString *>> m_lines;
    QList<QPair<QCheckBox *, bool *>> m_boxes;
    QList<QPair<QDateEdit *, QDate *>> m_dates;
    QList<QPair<QWidget *, PayslipField>> m_locked;
    QLineEdit *m_employeeCode = nullptr;
    QLineEdit *m_socialSecurity = nullptr;
    QToolButton *m_picker = nullptr;
    QTableWidget *m_table = nullptr;
    QLineEdit *m_taxableNet = nullptr;
    QLineEdit *m_totalDeductions = nullptr;
    QLineEdit *m_netToPay = nullptr;
    QPushButton *m_creer = nullptr;
    QPushButton *m_valider = nullptr;
    QPushButton *m_imprimer = nullptr;
    QLabel *m_status = nullptr;
};
