#pragma once

#include "accessories/richdoc.h"

#include <QByteArray>

namespace rtf {

// The document as RTF, in Windows-1252 with \uN for the characters that code page lacks.
// Every paragraph ends with \par; bullets are written both as a Word list (\ls) and with the
// bullet text in \listtext, so that word processors old and new show them.
QByteArray writeDocument(const richdoc::Document &doc);

} // namespace rtf
