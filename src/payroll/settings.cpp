#include "payroll/settings.h"

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

void Settings::followDecimalPlaces()
{
    const QString format = amountFormatFor(payroll.decimalPlaces);
    if (!format.isEmpty())
        amountFormat = format;
}

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
    r.integer(s.pageSetup.paperType);
    r.integer(s.pageSetup.envelopeOrientation);
    r.integer(s.pageSetup.envelopeGuide);
    r.real(s.rate7);
    r.real(s.rate8);
    r.real(s.rate9);
    for (int i = 0; i < PayrollParameters::kRealCount; ++i)
        r.real(s.payroll.real(i));
    if (r.integer(s.payroll.decimalPlaces))
        s.followDecimalPlaces();
    result.badLine = r.badLine();
    if (s.autoOpen != 1)
        s.lastDossier.clear();
    return result;
}

QStringList iniLines(const Settings &s, const QString &currentDossier)
{
    QStringList l;
    l << text::formatIniReal(s.conversionRate) << currentDossier << QString::number(s.autoOpen)
      << QString::number(s.pageSetup.paperType) << QString::number(s.pageSetup.envelopeOrientation)
      << QString::number(s.pageSetup.envelopeGuide) << text::formatIniReal(s.rate7)
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

