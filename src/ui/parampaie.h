#pragma once

#include <QDialog>

class PayrollParametersForm;
class QLineEdit;
class QSpinBox;

// The dialog "Paramètres de la paie" over its form.
class TParamPaie : public QDialog
{
    Q_OBJECT
public:
    TParamPaie(PayrollParametersForm &form, QWidget *parent = nullptr);
    QLineEdit *field(int i) const { return m_fields[i]; }
    QSpinBox *decimals() const { return m_decimals; }

private:
    void confirm();

    PayrollParametersForm &m_form;
    QLineEdit *m_fields[9];
    QSpinBox *m_decimals;
};
