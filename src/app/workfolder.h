#pragma once

#include "ports/status.h"

#include <QString>

namespace app {

// The option the desktop entry starts the program with: work in the folder "Korvel" of the
// user's home folder rather than in whatever folder the desktop happened to start it from.
inline constexpr char kUserFolderOption[] = "--user-folder";

// Makes home/Korvel the current directory, creating it on the first start, so that the side
// files and the dossiers the program proposes stay together. On failure the current directory
// is left as it was and the French message says which folder could not be used.
Status enterUserFolder(const QString &home);

} // namespace app
