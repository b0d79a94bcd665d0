#pragma once

#include "store/collection.h"

// The one write-back of a record's working copy, which EcritFiche, EcritProfil and
// EcritBulletin are for their collections: when the form is edited, its block lines go into
// block number at placement, and the form is no longer edited. Writing the record just past
// the last one (the form a new dossier or a new record shows) makes it a record: the count
// grows by one, as it would when the file is loaded again, so that the next record added does
// not take its number. True when the block was written.
template <class Form>
bool writeRecord(Collection &collection, int number, Form &form, Collection::Placement placement)
{
    if (!form.edited)
        return false;
    if (!collection.writeBlock(number, form.blockLines(), placement))
        return false;
    if (number == collection.count())
        collection.setCount(number + 1);
    form.edited = false;
    return true;
}
