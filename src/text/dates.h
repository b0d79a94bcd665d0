#pragma once

#include <QDate>
#include <QString>

namespace text {

// "dd/mm/yyyy", the program's only short date form.
QString formatDate(const QDate &date);
// Reads "dd/mm/yyyy" (also d/m/yyyy, and a two-digit year: 00 to 49 as 20xx, 50 to 99 as
// 19xx); an invalid QDate when the text is not a date.
QDate parseDate(const QString &text);

// A date typed in a date field: what parseDate reads, or the digits alone, "31032026" (and
// "310326" with a two-digit year). An invalid QDate when it is not a date.
QDate parseTypedDate(const QString &text);
// Whether a date being typed is complete, so that the field can take it without waiting for
// the user to leave it: eight digits, or "dd/mm/yyyy" with its four-digit year.
bool typedInFull(const QString &text);
// The refusal of a typed text that is not a date: "'32/01/2026' n'est pas une date correcte".
QString dateRefusal(const QString &text);

// French month name, lower case ("janvier" ... "décembre"), month 1 to 12.
QString frenchMonthName(int month);
// French day name, lower case, Qt's day numbering (1 = lundi ... 7 = dimanche).
QString frenchDayName(int dayOfWeek);

} // namespace text
