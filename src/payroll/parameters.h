#pragma once

#include <QString>
#include <QStringList>

// The company-wide values the payslip calculation needs besides the employee, the profile and
// the payslip: held as 6-byte reals (lines 10 to 18 of the settings file) and the number of
// decimals of amounts (line 19).
struct PayrollParameters
{
    double socialSecurityCeiling = 0;
    double overtime25Threshold = 0;
    double overtime50Threshold = 0;
    double csgBasePercent = 0;
    double paidLeaveHoursDue = 0;
    double paidLeaveBaseHours = 0;
    double overtime100Threshold = 0;
    double paidLeaveIncludedPercent = 0;
    double precarityPercent = 0;
    int decimalPlaces = 2;

    // The nine reals in the order of the settings file and of the dialog's conversion.
    static constexpr int kRealCount = 9;
    double &real(int i);
    double real(int i) const;
};

// The amount format for a number of decimals: "#", "0.0", "0.00"; an empty string for any other
// value, meaning "keep the format in force".
QString amountFormatFor(int decimalPlaces);

// The dialog "Paramètres de la paie" as data: the texts of its fields, filled from the
// parameters and converted back when the dialog is confirmed. Every field is a number field:
// its keys are filtered (digits and "," only, "." turned into ","), and the dialog is confirmed
// only when every field reads as a number.
class PayrollParametersForm
{
public:
    enum Field { Plafond, Hs25, Hs50, BaseCsg, HeuresDues, SurBaseDe, Hs100, CpInclus, Precarite };
    static constexpr int kFieldCount = 9;

    explicit PayrollParametersForm(const PayrollParameters &params);

    QString text(int field) const { return m_texts[field]; }
    void setText(int field, const QString &text) { m_texts[field] = text; }
    int decimalPlaces() const { return m_decimals; }
    void setDecimalPlaces(int n);

    static QString label(int field);
    static QString unit(int field);

    // The first field, in the order of conversion, whose text does not read as a number; -1
    // when every one reads.
    int unreadableField() const;
    // What confirming shows for such a field: "'" + its text + "' n'est pas une valeur
    // numérique correcte".
    QString refusal(int field) const;
    // Stores every field and the number of decimals into params, only when every field reads;
    // false, with nothing stored, otherwise.
    bool apply(PayrollParameters &params) const;

private:
    QString m_texts[kFieldCount];
    int m_decimals = 2;
};
