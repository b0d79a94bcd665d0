#pragma once

#include "payroll/parameters.h"
#include "ports/fileresult.h"

#include <QString>
#include <QStringList>

// The page set-up values ("Mise en page"): which paper the payslip is printed on and how
// envelopes go into the printer. Held in the settings file, lines 4 to 6.
struct PageSetup
{
    enum PaperType { PapierBlanc = 0, PapierEnTete = 1 };
    enum EnvelopeOrientation { Portrait = 0, Paysage = 1 };
    static constexpr int kGuideTicked = 100;

    // The stored values are kept as read, whatever they are: the dialog decides how to show a
    // value past its choices.
    int paperType = PapierBlanc;
    int envelopeOrientation = Portrait;
    // 0, or kGuideTicked for "Guide enveloppe à droite"; any value above 0 counts as ticked.
    int envelopeGuide = 0;

    bool guideTicked() const { return envelopeGuide > 0; }
};

// The 19 values of the settings file Korvel.ini, with the defaults in force when there is no
// file. Reals are written in the file's 23-character scientific form (text::formatIniReal).
struct Settings
{
    static inline const QString kFileName = QStringLiteral("Korvel.ini");

    double conversionRate = 6.55957;   // line 1: kept and written back
    QString lastDossier;               // line 2
    int autoOpen = 0;                  // line 3: 1 opens the dossier of line 2 at start-up
    PageSetup pageSetup;               // lines 4 to 6
    double rate7 = 19.6;               // lines 7 to 9: kept and written back
    double rate8 = 0;
    double rate9 = 5.5;
    PayrollParameters payroll;         // lines 10 to 19
    // The amount format in force: "#", "0.0" or "0.00", from "Nb décimales" (two decimals
    // until a settings file says otherwise). 3 decimals have no format: the one in force stays.
    QString amountFormat = amountFormatFor(2);

    // The amount format follows payroll.decimalPlaces, when that number has one: after the
    // settings file is read and when "Paramètres de la paie" is confirmed.
    void followDecimalPlaces();
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
