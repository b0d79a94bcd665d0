#pragma once

#include "payroll/parameters.h"
#include "text/fileresult.h"

#include <QString>
#include <QStringList>

// The small text files beside the dossiers, in the start directory: settings (Korvel.ini),
// company letterhead (Korvel.soc), bank and job lists (Korvel.cbx) and caisses (Korvel.cai).
namespace sidefiles {

inline constexpr auto kIniName = "Korvel.ini";
inline constexpr auto kSocName = "Korvel.soc";
inline constexpr auto kCbxReadName = "Korvel.cbx";
inline constexpr auto kCbxWriteName = "Korvel.Cbx";
inline constexpr auto kCaiName = "Korvel.cai";
inline constexpr auto kIniLineCount = 19;
inline constexpr auto kLetterheadLines = 7;

} // namespace sidefiles

// The 19 values of the settings file, with the defaults in force when there is no file.
struct Settings
{
    double conversionRate = 6.55957;   // line 1: kept and written back
    QString lastDossier;               // line 2
    int autoOpen = 0;                  // line 3: 1 opens the dossier of line 2 at start-up
    int paperType = 0;                 // line 4
    int envelopeOrientation = 0;       // line 5
    int envelopeGuide = 0;             // line 6
    double rate7 = 19.6;               // lines 7 to 9: kept and written back
    double rate8 = 0;
    double rate9 = 5.5;
    PayrollParameters payroll;         // lines 10 to 19
    // "#", "0.0" or "0.00" once a settings file has been read; empty (the general number
    // form) until then.
    QString amountFormat;
};

struct IniReadResult
{
    text::FileResult file;
    bool found = false;
    // 0 when every line read; otherwise the number of the first line that is missing or does
    // not hold a value of its type (that line and the ones after it keep their values). A
    // file that cannot be read at all (file.status() is Failed) reads nothing.
    int badLine = 0;
};

// Reads the settings file into settings (only if it exists). Unless auto-open is 1 the last
// dossier path is discarded; the amount format follows line 19 when it reads 0, 1 or 2.
IniReadResult ChargeIni(const QString &path, Settings &settings);
// Writes the 19 lines; currentDossier is the path of the dossier loaded now (empty if none).
text::FileResult SauveIni(const QString &path, const Settings &settings, const QString &currentDossier);
// The 19 lines as written.
QStringList iniLines(const Settings &settings, const QString &currentDossier);

// Company letterhead: seven lines; lines after the seventh are ignored.
text::FileResult ChargeSoc(const QString &path, QStringList &letterhead);
text::FileResult SauveSoc(const QString &path, const QStringList &letterhead);

// Bank and job lists: "[BANQUE]" then one bank a line, "[EMPLOI]" then one job a line.
text::FileResult ChargeCombo(const QString &path, QStringList &banks, QStringList &jobs);
text::FileResult SauveCombo(const QString &path, const QStringList &banks, const QStringList &jobs);

// The caisses file is kept as its lines.
text::FileResult ChargeCaisse(const QString &path, QStringList &lines);
text::FileResult SauveCaisse(const QString &path, const QStringList &lines);
