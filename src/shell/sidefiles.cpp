#include "shell/sidefiles.h"

#include "text/encoding.h"
#include "text/numbers.h"

namespace {

// Reads one line of the settings file after another, each as a value of its type; after
// the first line that fails, nothing more is read.
class IniReader
{
public:
    explicit IniReader(const QStringList &lines) : m_lines(lines) {}

    bool real(double &out) { return next([&](const QString &l, bool &ok) { const double v = text::parseIniReal(l, &ok); if (ok) out = v; }); }
    bool integer(int &out) { return next([&](const QString &l, bool &ok) { const int v = text::parseIniInteger(l, &ok); if (ok) out = v; }); }
    bool line(QString &out) { return next([&](const QString &l, bool &ok) { ok = true; out = l; }); }
    int badLine() const { return m_bad; }

private:
    template <typename F> bool next(F read)
    {
        if (m_bad)
            return false;
        const int n = m_pos++;
        bool ok = false;
        if (n < m_lines.size())
            read(m_lines[n], ok);
        if (!ok)
            m_bad = n + 1;
        return ok;
    }

    const QStringList &m_lines;
    int m_pos = 0;
    int m_bad = 0;
};

} // namespace

IniReadResult ChargeIni(const QString &path, Settings &s)
{
    IniReadResult result;
    QStringList lines;
    result.file = text::readLines(path, lines);
    if (result.file.isMissing())
        return result;
    result.found = true;
    if (!result.file.ok())
        return result;

    IniReader r(lines);
    r.real(s.conversionRate);
    r.line(s.lastDossier);
    r.integer(s.autoOpen);
    r.integer(s.paperType);
    r.integer(s.envelopeOrientation);
    r.integer(s.envelopeGuide);
    r.real(s.rate7);
    r.real(s.rate8);
    r.real(s.rate9);
    for (int i = 0; i < PayrollParameters::kRealCount; ++i)
        r.real(s.payroll.real(i));
    if (r.integer(s.payroll.decimalPlaces)) {
        const QString format = amountFormatFor(s.payroll.decimalPlaces);
        if (!format.isEmpty())
            s.amountFormat = format;
    }
    result.badLine = r.badLine();
    if (s.autoOpen != 1)
        s.lastDossier.clear();
    return result;
}

QStringList iniLines(const Settings &s, const QString &currentDossier)
{
    QStringList l;
    l << text::formatIniReal(s.conversionRate) << currentDossier << QString::number(s.autoOpen)
      << QString::number(s.paperType) << QString::number(s.envelopeOrientation)
      << QString::number(s.envelopeGuide) << text::formatIniReal(s.rate7)
      << text::formatIniReal(s.rate8) << text::formatIniReal(s.rate9);
    for (int i = 0; i < PayrollParameters::kRealCount; ++i)
        l << text::formatIniReal(s.payroll.real(i));
    l << QString::number(s.payroll.decimalPlaces);
    return l;
}

text::FileResult SauveIni(const QString &path, const Settings &s, const QString &currentDossier)
{
    return text::writeLines(path, iniLines(s, currentDossier));
}

text::FileResult ChargeSoc(const QString &path, QStringList &letterhead)
{
    while (letterhead.size() < sidefiles::kLetterheadLines)
        letterhead.append(QString());
    QStringList lines;
    const text::FileResult read = text::readLines(path, lines);
    if (!read.ok())
        return read;
    for (int i = 0; i < sidefiles::kLetterheadLines && i < lines.size(); ++i)
        letterhead[i] = lines[i];
    return read;
}

text::FileResult SauveSoc(const QString &path, const QStringList &letterhead)
{
    QStringList lines = letterhead.mid(0, sidefiles::kLetterheadLines);
    while (lines.size() < sidefiles::kLetterheadLines)
        lines.append(QString());
    return text::writeLines(path, lines);
}

text::FileResult ChargeCombo(const QString &path, QStringList &banks, QStringList &jobs)
{
    QStringList lines;
    const text::FileResult read = text::readLines(text::findCaseInsensitive(path), lines);
    if (!read.ok())
        return read;
    banks.clear();
    jobs.clear();
    QStringList *section = nullptr;
    for (const QString &line : lines) {
        if (line == QLatin1String("[BANQUE]"))
            section = &banks;
        else if (line == QLatin1String("[EMPLOI]"))
            section = &jobs;
        else if (section)
            section->append(line);
    }
    return read;
}

text::FileResult SauveCombo(const QString &path, const QStringList &banks, const QStringList &jobs)
{
    QStringList lines;
    lines << QStringLiteral("[BANQUE]") << banks << QStringLiteral("[EMPLOI]") << jobs;
    return text::writeLines(text::findCaseInsensitive(path), lines);
}

text::FileResult ChargeCaisse(const QString &path, QStringList &lines)
{
    return text::readLines(path, lines);
}

text::FileResult SauveCaisse(const QString &path, const QStringList &lines)
{
    return text::writeLines(path, lines);
}
