#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files of the program: Windows-1252, lines ended by CR LF on writing and by
// CR LF, CR or LF on reading; a last line without an end is read too.
namespace text {

QString decode1252(const QByteArray &bytes);
QByteArray encode1252(const QString &text);

// True when every character of text has a Windows-1252 byte.
bool fits1252(const QString &text);
bool fits1252(QChar c);

// Splits file contents into lines. A final line end does not make an extra empty line.
QStringList splitLines(const QString &contents);
// Every line followed by CR LF.
QString joinLines(const QStringList &lines);

enum class ReadStatus { Ok, Missing, Unreadable };

// Reads a whole Windows-1252 text file into lines.
ReadStatus readLines(const QString &path, QStringList &lines);
// Writes lines as a whole Windows-1252 file, atomically (the old file stays intact on failure).
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

// The file in dir whose name equals name without regard to case; an exact match is preferred.
// Returns the path to use: the existing file when one is found, otherwise dir/name.
QString findCaseInsensitive(const QString &path);

} // namespace text
