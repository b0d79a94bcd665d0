#pragma once

// What every command of korvel-cli shares: its two output streams, the exit statuses, and
// opening the dossier, a payslip of it and the side files of the current directory as the
// program does.

#include "payroll/letterhead.h"
#include "records/payslipform.h"
#include "payroll/settings.h"
#include "ports/status.h"
#include "store/dossier.h"

#include <QHash>
#include <QStringList>
#include <QTextStream>

namespace cli {

// 0 done; 1 the user's data refused (with the program's message) or a file that cannot be
// written; 2 bad arguments, or a file missing or unreadable (one line on stderr).
enum Exit { Done = 0, Refused = 1, Unavailable = 2 };

QTextStream &out();
QTextStream &err();

// "korvel-cli : " + message on stderr, one line; returns status.
int fail(const QString &message, int status);
// The exit status of an operation's outcome: Done, or its message on stderr with Refused
// or Unavailable.
int exitWith(const ::Status &status);
// The usage lines of one command (from the dispatch table), each ending with a line end.
QString usageOf(const QString &command);
// That usage on stderr after a line saying that the command's arguments are wrong; returns 2.
int badArguments(const QString &command);

// A command's own arguments: the words in order, and the options it knows ("--name" alone,
// or "--name VALUE"). False when an option is unknown, repeated or lacks its value.
struct Arguments {
    QStringList words;
    QHash<QString, QString> options; // a flag maps to an empty text
    bool has(const QString &option) const { return options.contains(option); }
    QString value(const QString &option) const { return options.value(option); }
};
bool parseArguments(const QStringList &args, const QStringList &flags, const QStringList &valued, Arguments &parsed);

// The open command's test of a dossier name, made before the file is looked for: a name
// that does not end in ".emp" (in any case) is refused with "Type de fichier non valide"
// (status 1), so that no side file is ever read or created beside another kind of file.
int checkDossierName(const QString &path);
// Loads the dossier as "Ou&vrir..." does, after checkDossierName: a dossier that is missing
// or cannot be read is one line on stderr (status 2). 0 when loaded; report, when given,
// receives what the load did.
int openDossier(const QString &path, Dossier &dossier, Dossier::LoadReport *report = nullptr);
// openDossier, then readSettings: what every command that calculates does first.
int openDossier(const QString &path, Dossier &dossier, Settings &settings);
// Writes the dossier's three files under the name it was loaded from: 0, or 1 with the
// message on stderr.
int saveDossier(Dossier &dossier);

// The block of the payslip whose "N° de paie" is number, as "Chercher bulletin" finds it;
// -1, with one line on stderr, when there is none.
int findPayslip(const Dossier &dossier, const QString &number);
// Makes the payslip current and reads it as the payslips page does.
void readPayslip(Dossier &dossier, int block, PayslipForm &form);
// What every payslip command does first: opens the dossier, finds the payslip numbered
// number, reads the settings, then the payslip. 0, or the status of the first step that failed.
int openPayslip(const QString &path, const QString &number, Dossier &dossier, Settings &settings,
                PayslipForm &form);

// Korvel.ini and Korvel.soc of the current directory, as the program reads them at start-up:
// a missing file leaves the defaults; one that cannot be read, or a settings file cut short
// or holding a value that does not read, is one line on stderr (status 2), since amounts
// worked out with half the parameters would be wrong. 0 when read.
int readSettings(Settings &settings);
int readLetterhead(Letterhead &letterhead);
int readCaisses(QStringList &lines);

} // namespace cli
