#pragma once

#include <QString>
#include <QStringList>

class PayrollParametersForm;

// The platform services the core asks for: message boxes, questions, the input box and the
// file choosers. The windows implement it with Qt's dialogs; tests with a scripted fake.
class Dialogs
{
public:
    enum class Answer { Oui, Non, Annuler, Ok };

    virtual ~Dialogs() = default;

    // An information box with its text and an OK button.
    virtual void message(const QString &text) = 0;
    // A warning box with Oui, Non and Annuler.
    virtual Answer askYesNoCancel(const QString &text) = 0;
    // A warning box with OK and Annuler.
    virtual Answer askOkCancel(const QString &text) = 0;
    // An input box; false when cancelled.
    virtual bool inputBox(const QString &caption, const QString &prompt, QString &value) = 0;
    // The open and save choosers; an empty string when cancelled. filter is in the program's
    // "Description (*.ext)|*.ext" notation.
    virtual QString openFile(const QString &filter, const QString &proposed = {}) = 0;
    virtual QString saveFile(const QString &filter, const QString &proposed) = 0;

    // The company dialog "Société" on the seven letterhead lines; false when cancelled.
    virtual bool societe(QStringList &lines) = 0;
    // The dialog "Paramètres de la paie" on the form; false when cancelled.
    virtual bool paramPaie(PayrollParametersForm &form) = 0;
};
