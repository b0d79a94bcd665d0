#pragma once

#include <QObject>
#include <QValidator>

class QDialog;
class QHBoxLayout;
class QPushButton;

// The "OK" and "Annuler" buttons at the bottom right of a dialog: "OK" is the default button
// (the caller connects it), the other rejects the dialog.
struct OkCancel
{
    QPushButton *ok;
    QPushButton *cancel;
    QHBoxLayout *row;
};
OkCancel okCancelRow(QDialog *dialog, const QString &cancelText = QStringLiteral("Annuler"));

// Refuses characters that the program's Windows-1252 files cannot hold, so that what is saved
// is what is shown.
class Cp1252Validator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// What the numeric fields may hold once the key filter has done its work: digits and ",".
// Blanks are let through so that a value read with padding can still be edited.
class NumericValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// The key filter of numeric fields: "." becomes ",", digits and "," pass, other printable
// characters are dropped. Optionally Enter triggers a slot (the dialog's confirmation).
class NumericKeyFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override;
Q_SIGNALS:
    void enterPressed();
};
