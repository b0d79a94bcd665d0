#pragma once

#include <QDialog>

#include "accessories/euroconverter.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

// The converter "Euro convertisseur" between francs and euros. The rate starts at the legal
// rate with each window and is kept nowhere.
class TEurof : public QDialog
{
    Q_OBJECT
public:
    explicit TEurof(QWidget *parent = nullptr);

    const EuroConverter &model() const { return m_model; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void typeKey(QChar c);
    void convert();
    void rateUp();
    void rateDown();
    void refresh();

    EuroConverter m_model;
    QLineEdit *m_input = nullptr;
    QLineEdit *m_result = nullptr;
    QLineEdit *m_rate = nullptr;
    QRadioButton *m_toEuros = nullptr;
    QRadioButton *m_toFrancs = nullptr;
    QPushButton *m_equals = nullptr;
};
