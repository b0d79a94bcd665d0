#pragma once

#include "accessories/richdoc.h"

#include <QByteArray>
#include <QString>

namespace rtf {

// Reads RTF into doc. Understands what writeDocument produces and the common RTF of word
// processors: font and colour tables, style sheets and other destinations (skipped), \par,
// \line, \tab, \'hh in Windows-1252, \uN, Word lists and old-style bullets. Anything it does
// not know is ignored. Returns false, with a French reason in error, when the data is not RTF
// or is cut short; doc is then left untouched.
//
// Safe on any input: the work is linear in the size of the data, group nesting beyond a fixed
// depth keeps the state of the deepest kept group, and numbers are clamped.
bool readDocument(const QByteArray &data, richdoc::Document &doc, QString *error = nullptr);

} // namespace rtf
