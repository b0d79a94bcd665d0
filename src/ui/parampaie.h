#pragma once

#include <QDialog>

#include <memory>

class Dialogs;
class PayrollParametersForm;
class QLineEdit;
class QSpinBox;

// The dialog "Paramètres de la paie" over its form. "OK" (or Enter in any field) closes it only
// when every field reads as a number; otherwise the field that does not read is named in a
// message (through dialogs, Qt's message box when none is given) and gets the focus.
class TParamPaie : public QDialog
{
    Q_OBJECT
public:
    TParamPaie(PayrollParametersForm &form, QWidget *parent = nullptr, Dialogs *dialogs = nullptr);
    ~TParamPaie() override;
    QLineEdit *field(int i) const { return m_fields[i]; }
    QSpinBox *decimals() const { return m_decimals; }

private:
    void confirm();

    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs *m_dialogs;
    PayrollParametersForm &m_form;
    QLineEdit *m_fields[9];
    QSpinBox *m_decimals;
};
