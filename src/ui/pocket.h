#pragma once

#include <QDialog>

#include "accessories/calculator.h"

class QLineEdit;
class QPushButton;

// The pocket calculator "Calculatrice". Its registers live in a Calculator owned by the frame
// for the whole run of the program; the window resets them each time it opens.
class TPocket : public QDialog
{
    Q_OBJECT
public:
    explicit TPocket(Calculator &model, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Runs one calculator key (as typed, or the key of a button) and shows the outcome; false
    // when the calculator has no such key.
    bool press(QChar key);
    void refresh();

    Calculator &m_model;
    QLineEdit *m_display = nullptr;
    QPushButton *m_equals = nullptr;
};
