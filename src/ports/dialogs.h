#pragma once

#include "ports/fileresult.h"

#include <QString>

#include <functional>

// The platform's generic dialogs, which every part of the program may ask for: the message box,
// the question box, the input box and the file choosers. The windows implement it with Qt's
// dialogs; tests with a scripted fake. Each subsystem reaches its own modal windows through an
// interface of its own (EmployeeDialogs, ShellDialogs...).
class Dialogs
{
public:
    enum class Answer { Oui, Non, Annuler, Ok };
    enum class Buttons { OuiNonAnnuler, OuiNon, OkAnnuler };

    virtual ~Dialogs() = default;

    // An information box with its text and an OK button.
    virtual void message(const QString &text) = 0;
    // The same box with the warning icon, for what the program refuses or could not do: an input
    // that does not read, a full file, a file that cannot be read or written, a printer failure.
    virtual void warn(const QString &text) = 0;
    // A question box with the given buttons; closing it otherwise answers Annuler (Non for a
    // box without Annuler).
    virtual Answer ask(const QString &question, Buttons buttons) = 0;
    // An input box with "OK" and "Annuler": false when cancelled, value unchanged then.
    virtual bool inputBox(const QString &caption, const QString &prompt, QString &value) = 0;
    // The file choosers; an empty string when cancelled. filter is in the program's
    // "Description (*.ext)|*.ext" notation. The save chooser proposes proposed (unless it holds
    // a "*"), adds defaultSuffix to a name typed without one, and asks itself before replacing an
    // existing file only when confirmOverwrite is set (callers that ask their own question, such
    // as "Ce fichier existe déjà", leave it off). Its caption is title ("Enregistrer sous" when
    // empty).
    virtual QString openFile(const QString &filter, const QString &proposed = {}) = 0;
    virtual QString saveFile(const QString &filter, const QString &proposed, const QString &defaultSuffix = {},
                             bool confirmOverwrite = false, const QString &title = {}) = 0;

    Answer askYesNoCancel(const QString &question) { return ask(question, Buttons::OuiNonAnnuler); }
    // An OK/Annuler box: true for OK.
    bool confirm(const QString &question) { return ask(question, Buttons::OkAnnuler) == Answer::Ok; }

    // The question asked before a changed document is given up (a new document, another one
    // opened, the window closed): "Enregistrer changements dans " + the file name without its
    // folder + " ?" with Oui, Non and Annuler. Oui runs save and goes on only if it succeeded, so
    // that nothing is lost; Non goes on; Annuler stops. True when the caller may go on.
    bool saveChangesFirst(const QString &path, const std::function<bool()> &save);
    static QString saveChangesQuestion(const QString &path);

    // A window's file could not be written as it closes: the failure's message followed by
    // "Fermer sans enregistrer ?", Oui or Non. True when the user closes all the same.
    bool closeWithoutSaving(const text::FileResult &failure);
};
