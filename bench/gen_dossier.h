#pragma once

// Generator of dossiers of any size for the benchmarks: employees of about thirty lines (the
// 29 positional fields, a note and a pay history), profiles with their rubriques, payslips with
// their positional values and rubrique lines, written as the program writes them.

#include "store/collection.h"
#include "text/encoding.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace gen {

// Employee 10001 + n, of profile 10001 + n % profiles.
inline QStringList employeeBlockOf(int n, int profiles)
{
    const QString code = QString::number(10001 + n);
    QStringList c;
    c << code << (n % 2 ? QStringLiteral("F") : QStringLiteral("M")) << QStringLiteral("15/03/1970")
      << QStringLiteral("DURAND Paul %1").arg(n) << QStringLiteral("Lyon") << QStringLiteral("%1 rue des Lilas").arg(n % 200)
      << QString() << QStringLiteral("69003") << QStringLiteral("LYON") << QStringLiteral("04 78 00 00 00") << QString()
      << QStringLiteral("Comptable") << QStringLiteral("BTS") << QString() << QString() << QString() << QString()
      << QString() << QStringLiteral("Virement") << QStringLiteral("1 70 03 69 123 456 78") << QStringLiteral("Marié")
      << QStringLiteral("151,67") << QStringLiteral("1500,00") << QString::number(10001 + n % profiles)
      << QStringLiteral("Standard") << QStringLiteral("421000") << QStringLiteral("0") << QStringLiteral("01/02/2001")
      << QStringLiteral("05/12/2002");
    c << QStringLiteral("MEMOEmbauché en CDI, période d'essai validée.") << QStringLiteral("MEMOVoir avenant.");
    c << QStringLiteral("DATA10/01/2002\tAvance\t    150,00") << QStringLiteral("DATA10/02/2002\tPrime\t    300,00");
    return c;
}

inline QStringList employeeBlock(int n)
{
    return employeeBlockOf(n, 40);
}

inline QStringList profileBlock(int n)
{
    QStringList c;
    c << QString::number(10001 + n) << QStringLiteral("Profil %1").arg(n);
    for (int r = 0; r < 28; ++r)
        c << QStringLiteral("DATA%1\tRubrique %2\t%3\t%4\tT").arg(100 + r).arg(r).arg(6.75, 0, 'f', 2).arg(12.8, 0, 'f', 2);
    c << QStringLiteral("MEMOProfil de test");
    return c;
}

// A validated payslip of employee 10001 + n % employees, its 26 positional lines and 20
// rubrique lines.
inline QStringList payslipBlockOf(int n, int employees)
{
    const int month = 1 + n % 12;
    QStringList c;
    c << QStringLiteral("2002%1%2").arg(month, 2, 10, QLatin1Char('0')).arg(n % 1000, 3, 10, QLatin1Char('0'))
      << QStringLiteral("01/%1/2002").arg(month, 2, 10, QLatin1Char('0'))
      << QStringLiteral("28/%1/2002").arg(month, 2, 10, QLatin1Char('0')) << QString::number(10001 + n % employees)
      << QStringLiteral("1 70 03 69 123 456 78") << QStringLiteral("151") << QStringLiteral("10,50")
      << QStringLiteral("N") << QStringLiteral("Y") << QStringLiteral("N") << QStringLiteral("DURAND Paul")
      << QStringLiteral("12 rue des Lilas") << QString() << QStringLiteral("69003 LYON") << QStringLiteral("Comptable")
      << QStringLiteral("Y") << QStringLiteral("2") << QString() << QString() << QStringLiteral("30,00") << QString()
      << QStringLiteral("    1250,50") << QStringLiteral("1250,50") << QStringLiteral("310,20")
      << QStringLiteral("1280,30") << QStringLiteral("1590,50");
    for (int r = 0; r < 20; ++r)
        c << QStringLiteral("PAIERubrique %1\t1500,00\t6,75\t101,25\t12,80\t192,00\t").arg(r);
    return c;
}

inline QStringList payslipBlock(int n)
{
    return payslipBlockOf(n, 500);
}

template <class Block>
QStringList collection(int count, Block block)
{
    QStringList lines;
    for (int n = 0; n < count; ++n) {
        lines << Collection::openTag(n);
        lines << block(n);
        lines << Collection::closeTag(n);
    }
    return lines;
}

// Writes dir/name.emp, .Prl and .Pai with count records each; returns the dossier path.
inline QString writeDossier(const QString &dir, const QString &name, int count)
{
    const QString base = QDir(dir).filePath(name + QLatin1Char('.'));
    text::writeLines(base + QStringLiteral("emp"), collection(count, employeeBlock));
    text::writeLines(base + QStringLiteral("Prl"), collection(count, profileBlock));
    text::writeLines(base + QStringLiteral("Pai"), collection(count, payslipBlock));
    return base + QStringLiteral("emp");
}

} // namespace gen
