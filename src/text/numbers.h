#pragma once

#include <QString>

// Amounts and numbers as the program shows, reads and stores them. The decimal
// separator of the user interface is always ",".
namespace text {

// Formats with an amount format: "#" (whole number, empty text for 0), "0.0", "0.00", or
// "" for the general form. Rounds half away from zero on the value written with 15
// significant digits, so 1,005 gives 1,01 and 2,675 gives 2,68.
QString formatAmount(double value, const QString &format);

// The general form: at most 15 significant digits, "," separator, no trailing zeros,
// no exponent for the amounts a payroll sees.
QString formatGeneral(double value, int significantDigits = 15);

// "#.00": two decimals, no leading zero before the comma for values below 1 ("0,5" gives ",50").
QString formatHashDot00(double value);

// Reads a number written with "," as separator. Leading and trailing blanks are allowed;
// anything else (letters, a second separator, a "." ...) makes ok false and returns 0.
double parseNumber(const QString &text, bool *ok = nullptr);

// An amount of a record or an input: blank (empty or spaces only) reads as 0, anything else
// as parseNumber. False, with value untouched, when the text is not a number.
bool blankIsZero(const QString &text, double *value);

// Reads a whole number (optional sign, digits, surrounding blanks allowed).
int parseInteger(const QString &text, bool *ok = nullptr);

// The settings file's 6-byte real: sign bit, 8-bit exponent, 39 fraction bits under an
// implied leading 1. roundReal48 rounds to the nearest such value (halves away from zero);
// a value too small for the exponent gives 0, one too large gives the largest value.
double roundReal48(double value);

// A 6-byte real as a person wrote it: the value roundReal48 gives, taken at the 12
// significant digits such a real holds, so that 151,67 stays 151,67 rather than the
// 151,669999999925 its 40 bits come back as.
double real48AsWritten(double value);

// The settings file's 23-character form of a 6-byte real: " 5.50000000000000E+0000",
// " 1.96000000000058E+0001", "-2.43200000000000E+0003".
QString formatIniReal(double value);

// Reads the number at the start of a settings line (leading blanks skipped, "." as
// separator, exponent allowed, the rest of the line ignored) as a 6-byte real written by a
// person (real48AsWritten).
double parseIniReal(const QString &line, bool *ok = nullptr);

// Reads the whole number at the start of a settings line (leading blanks skipped).
int parseIniInteger(const QString &line, bool *ok = nullptr);

// Key filter of the numeric fields: "." becomes ","; a character outside "0123456789,"
// is refused (returns a null QChar). Backspace and control characters pass unchanged.
QChar filterNumericKey(QChar c);

} // namespace text
