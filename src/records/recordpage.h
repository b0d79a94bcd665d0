#pragma once

#include "ports/status.h"
#include "store/collection.h"

#include <QObject>

#include <functional>

// The four moves through the records of a page.
enum class Move { Premier, Precedent, Suivant, Dernier };

// The record a move leads to among the records 0 to count - 1 that accepts takes, looked for
// from the nearest in the move's direction ("Premier" from the first, "Dernier" from the
// last); current when there is none. Costs the records between current and the one found.
int nearestIn(int count, int current, Move move, const std::function<bool(int)> &accepts);

// One page of the dossier window: a form that is the working copy of the current record of one
// collection, and the verbs the frame's generic commands reach whatever the page (moves, new
// record, delete, copy, paste, the list window). The employees page is EmployeesPage; the
// profiles and payslips pages follow the same interface.
//
// Edit cycle: read() fills the form from the current block; a keystroke edits the form (the page
// then marks it edited and the dossier modified); writeBack() puts an edited form back into its
// block. Every verb that shows another record writes back first, except deleteCurrent(), whose
// pending edits go with the record. After any verb that refilled the form the page emits
// changed(), and the view shows the form again.
class RecordPage : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The collection whose records the page shows.
    virtual Collection &collection() = 0;
    virtual const Collection &collection() const = 0;

    // Fills the form from the current record (the defaults when it has no block yet).
    virtual void read() = 0;
    // Writes the form back into its block when it was edited; true when something was written.
    virtual bool writeBack() = 0;

    // A move: false when it did nothing at all.
    virtual bool move(Move move) = 0;
    // "&Nouvelle fiche": a record is added and shown with its defaults; false when the
    // collection is full (the user has been told).
    virtual bool addRecord() = 0;
    // Whether the current record may be deleted; a refusal carries the message shown instead
    // of the question.
    virtual Status deletable() const { return Status::done(); }
    // The question the frame asks before deleting the current record.
    virtual QString deleteQuestion() const { return QStringLiteral("Confirmer suppression de la fiche ?"); }
    // Deletes the current record (the frame has asked for confirmation) and shows the one that
    // takes its place; false when there was no record.
    virtual bool deleteCurrent() = 0;
    // "C&opier" keeps the page's part of the copy buffer; "Co&ller" puts it into the form.
    virtual void copy() = 0;
    virtual void paste() = 0;
    // The page's list window ("&Liste", F2), when it has one: a record chosen there becomes
    // the current one.
    virtual bool hasList() const { return false; }
    virtual void list() {}

Q_SIGNALS:
    // The form was filled anew: the view shows it again.
    void changed();
    // A record was read or added and awaits typing: the view puts the cursor in its first field
    // to type.
    void focusEntry();
};
