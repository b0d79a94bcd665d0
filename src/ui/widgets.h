#pragma once

#include <QDateEdit>
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

// The "Fermer" button of a dialog (its parent, the dialog unless given): never the default
// button; it closes the dialog by rejecting it, or by accepting it for the dialogs that keep
// what they hold as they go.
enum class CloseWith { Reject, Accept };
QPushButton *closeButton(QDialog *dialog, CloseWith with = CloseWith::Reject, QWidget *parent = nullptr);

// Refuses characters that the program's Windows-1252 files cannot hold, so that what is saved
// is what is shown.
class Cp1252Validator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// A field that is one line of a record or of a side file: besides the Windows-1252 rule, a TAB
// or a line break is refused (they separate the cells of the table lines and the caisse
// fields), and so is a text that reads as a block tag, which would cut its block in two when
// the dossier is read again.
class LineFieldValidator : public Cp1252Validator
{
public:
    using Cp1252Validator::Cp1252Validator;
    State validate(QString &input, int &pos) const override;
};

// What a numeric field may hold once its key filter has done its work: digits and ",", and
// blanks, so that a value read with padding can still be edited.
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

// A date field ("dd/mm/yyyy" with its calendar) that also takes a date typed as text: the first
// digit typed replaces the whole date shown with what is typed, "31032026" or "31/03/2026" ("."
// and "-" become "/"); Backspace and Delete edit the text in place. A date typed in full is taken
// at once; anything else when the field is left or when Enter is pressed. A text that is not a
// date is refused: refused() carries its message and the field shows its date again. The arrow
// keys and the calendar work as in any date field.
class DateEdit : public QDateEdit
{
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);

    // Takes the text being typed, if any: false, after refused(), when it is not a date. A text
    // erased to nothing gives the date shown back.
    bool commitTyped();
    bool typing() const { return m_typing; }

    // A field that may hold no date (a date the user never set): it shows empty, and a text
    // erased to nothing empties it. value() and setValue() speak of the null date for it.
    void setEmptyAllowed();
    QDate value() const;
    void setValue(const QDate &date);

    QValidator::State validate(QString &input, int &pos) const override;

Q_SIGNALS:
    void refused(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool m_typing = false;
    bool m_emptyAllowed = false;
};
