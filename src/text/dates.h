#pragma once

#include <QDate>
#include <QString>

namespace text {

// "dd/mm/yyyy", the program's only short date form.
QString formatDate(const QDate &date);
// Reads "dd/mm/yyyy" (also d/m/yyyy, and a two-digit year: 00 to 49 as 20xx, 50 to 99 as
// 19xx); an invalid QDate when the text is not a date.
QDate parseDate(const QString &text);

// French month name, lower case ("janvier" ... "décembre"), month 1 to 12.
QString frenchMonthName(int month);
// French day name, lower case, Qt's day numbering (1 = lundi ... 7 = dimanche).
QString frenchDayName(int dayOfWeek);

} // namespace text
