#pragma once

#include "ports/status.h"

#include "store/collection.h"
#include "store/dossier.h"
#include "text/encoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Exchange of employees with other software as tab-separated text ("E&xporter...",
// "I&mporter..."): one employee per line, no header, Windows-1252, CR LF. Fields, in order:
// civility, birth date, name, birth place, both address lines, postcode, town, telephone,
// e-mail, job (lines 2 to 12 of the block).
namespace exchange {

// Captions of the file dialogs.
QString exportFilter(); // "Fichiers texte (*.txt)", default extension "txt"
QString importFilter(); // "Fichier texte (*.txt)" and "Fichiers Korvel (*.emp)"
QString defaultExportSuffix();

// The export file's name: ".txt" added when the file name has no extension.
QString withExportSuffix(const QString &path);

// One line per block, in the order the blocks stand in the collection: lines 2 to 12 of the
// block joined by TABs (a block cut short gives empty fields).
QStringList exportLines(const Collection &employees);
// Writes the exchange file whole.
text::FileResult Exporter(const Collection &employees, const QString &path);

// True when the bytes can be the text of an exchange file: no NUL byte, no control character
// but TAB, CR, LF, form feed and the old end-of-file mark (Ctrl+Z), and either valid UTF-8 or
// Windows-1252 without the five bytes that character set leaves undefined.
bool isText(const QByteArray &bytes);

// The text of an import file: Windows-1252, unless the bytes are valid UTF-8 holding
// characters beyond ASCII (a file from a modern spreadsheet), which is read as UTF-8; a
// UTF-8 byte order mark is dropped. Characters Windows-1252 cannot hold become "?", so that
// what the form shows is what the dossier file will hold.
QString decodeImport(const QByteArray &bytes);

// The fields of one import line: split at each TAB, keeping after each TAB only the first
// 1024 characters of the rest.
QStringList importFields(const QString &line);

struct ImportResult {
    int added = 0;          // records appended
    bool truncated = false; // the collection reached 9998 records: "Trop de lignes..."
    bool notText = false;   // the file is not text (isText()): nothing was imported
};

// Appends one record per line: the next employee code (Numerom, then one more per record),
// the line's fields from line 2 on, twenty empty lines. Records are numbered after the
// existing ones; records at the end of the collection that were added but never written
// (no block) are taken by the first imported lines so that no number is left without a
// block. The current record becomes the last one. The caller shows the last record and
// marks the dossier modified.
ImportResult importLines(Collection &employees, const QStringList &lines);

// Reads the file and imports it. A file that is missing (the caller shows
// missingMessage(path)), cannot be read, or is not text (result->notText; the caller shows
// notTextMessage(path)) changes nothing.
text::FileResult Importer(Collection &employees, const QString &path, ImportResult *result = nullptr);

// The command-line tool's "export DOSSIER.emp OUT.txt": loads the dossier and writes its
// employees to out. Unavailable when the dossier cannot be read, refused when the file cannot
// be written; the message names the file.
Status exporterDossier(const QString &dossierPath, const QString &out);
// "import DOSSIER.emp IN.txt": loads the dossier (or starts a new one when the dossier file
// does not exist yet), imports in and saves the dossier under dossierPath. False with message
// set on a failure (a file that is not text included), in which case the dossier file is
// unchanged. A truncated import still
// saves what was imported and sets message to truncatedMessage().
bool importerDossier(const QString &dossierPath, const QString &in, QString *message = nullptr,
                     ImportResult *result = nullptr);

// "Le fichier " + file name + " n'existe pas".
QString missingMessage(const QString &path);
// "Le fichier " + file name + " n'est pas un fichier texte"
QString notTextMessage(const QString &path);
// "Trop de lignes, le fichier a été tronqué"
QString truncatedMessage();
// Most records an import lets the collection reach.
constexpr int kImportLimit = 9998;
// Characters kept of the rest of a line after each TAB.
constexpr int kRestLimit = 1024;

} // namespace exchange
