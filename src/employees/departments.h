#pragma once

#include <QStringList>

// The read-only list of the window "Départements": 97 entries, a two-digit number, a space
// and the department's name, in this order.
const QStringList &departements();
