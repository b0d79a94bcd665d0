#include "payroll/caisses.h"

#include "text/encoding.h"

text::FileResult ChargeCaisse(const QString &path, QStringList &lines)
{
    return text::readLines(path, lines);
}

text::FileResult SauveCaisse(const QString &path, const QStringList &lines)
{
    return text::writeLines(path, lines);
}
