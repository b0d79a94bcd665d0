#include "payroll/parameters.h"

#include "records/employeeform.h"
#include "text/numbers.h"

#include <algorithm>

double &PayrollParameters::real(int i)
{
    double *fields[kRealCount] = {&socialSecurityCeiling, &overtime25Threshold, &overtime50Threshold,
                                  &csgBasePercent, &paidLeaveHoursDue, &paidLeaveBaseHours,
                                  &overtime100Threshold, &paidLeaveIncludedPercent, &precarityPercent};
    return *fields[i];
}

double PayrollParameters::real(int i) const
{
    return const_cast<PayrollParameters *>(this)->real(i);
}

QString amountFormatFor(int decimalPlaces)
{
    switch (decimalPlaces) {
    case 0: return QStringLiteral("#");
    case 1: return QStringLiteral("0.0");
    case 2: return QStringLiteral("0.00");
    default: return {};
    }
}

PayrollParametersForm::PayrollParametersForm(const PayrollParameters &params)
{
    for (int i = 0; i < kFieldCount; ++i)
        m_texts[i] = text::formatAmount(params.real(i), QStringLiteral("0.00"));
    // "sur base de" keeps its default text unless a positive value is stored.
    if (params.paidLeaveBaseHours <= 0)
        m_texts[SurBaseDe] = QStringLiteral("169");
    setDecimalPlaces(params.decimalPlaces);
}

void PayrollParametersForm::setDecimalPlaces(int n)
{
    m_decimals = std::clamp(n, 0, 3);
}

QString PayrollParametersForm::label(int field)
{
    static const char16_t *labels[kFieldCount] = {
        u"Plafond S.S.", u"25% au delà de", u"50% au delà de", u"Base CSG/RDS", u"Heures dues",
        u"sur base de", u"100% au delà de", u"C.P. inclus", u"Précarité"};
    return QString::fromUtf16(labels[field]);
}

QString PayrollParametersForm::unit(int field)
{
    static const char16_t *units[kFieldCount] = {u"", u"H", u"H", u"%", u"", u"heures", u"H", u"%", u"%"};
    return QString::fromUtf16(units[field]);
}

int PayrollParametersForm::unreadableField() const
{
    for (int i = 0; i < kFieldCount; ++i) {
        bool ok = false;
        text::parseNumber(m_texts[i], &ok);
        if (!ok)
            return i;
    }
    return -1;
}

QString PayrollParametersForm::refusal(int field) const
{
    return conversionMessage(m_texts[field]);
}

bool PayrollParametersForm::apply(PayrollParameters &params) const
{
    if (unreadableField() >= 0)
        return false;
    for (int i = 0; i < kFieldCount; ++i)
        params.real(i) = text::real48AsWritten(text::parseNumber(m_texts[i]));
    params.decimalPlaces = m_decimals;
    return true;
}
