#pragma once

// The commands of korvel-cli, each given the arguments after its name and returning the exit
// status (see cli::Exit).

#include <QStringList>

namespace cli {

// Dossier files (clidossier.cpp).
int check(const QStringList &args);
int exportEmployees(const QStringList &args);
int importEmployees(const QStringList &args);

// Payroll (clipayroll.cpp).
int valider(const QStringList &args);
int calc(const QStringList &args);
int envers(const QStringList &args);
// The month's payroll (climonth.cpp): needs a QGuiApplication for its PDF files.
int mois(const QStringList &args);

// Reports (clireports.cpp).
int stats(const QStringList &args);
int journal(const QStringList &args);

// Printing (cliprint.cpp): needs a QGuiApplication.
int print(const QStringList &args);

} // namespace cli
