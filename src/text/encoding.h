#pragma once

#include "ports/fileresult.h"

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

// Reads a whole file; bytes are left as they were unless the read succeeded.
FileResult readFile(const QString &path, QByteArray &bytes);
// Writes a whole file atomically: on a failure the previous file stays intact.
FileResult writeFile(const QString &path, const QByteArray &bytes);

// Reads a whole Windows-1252 text file into lines (left as they were unless the read
// succeeded).
FileResult readLines(const QString &path, QStringList &lines);
// Writes lines as a whole Windows-1252 file, each ended by CR LF, atomically.
FileResult writeLines(const QString &path, const QStringList &lines);

// The file in dir whose name equals name without regard to case; an exact match is preferred.
// Returns the path to use: the existing file when one is found, otherwise dir/name.
QString findCaseInsensitive(const QString &path);

} // namespace text
