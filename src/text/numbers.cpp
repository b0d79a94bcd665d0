#include "text/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

// Every conversion here goes through std::to_chars / std::from_chars: unlike printf and
// strtod they ignore the process locale, which would otherwise turn "." into "," under a
// French locale.
namespace text {

namespace {

// A finite double written as decimal digits: value = 0.d1d2d3... x 10^point.
// A zero value has no digits.
struct Decimal
{
    bool negative = false;
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }
};

// The value with `significant` significant digits (correctly rounded from the binary value).
Decimal toDecimal(double value, int significant)
{
    Decimal d;
    d.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   significant - 1);
    // "d.ddddde+XX" (or "de+XX" for one digit)
    const char *p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.')
            d.digits += *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), res.ptr, exponent);
    d.point = exponent + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Rounds to `decimals` digits after the point, halves away from zero.
void roundTo(Decimal &d, int decimals)
{
    const long keep = long(d.point) + decimals;
    if (keep >= long(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (up) {
        long i = long(d.digits.size()) - 1;
        while (i >= 0 && d.digits[std::size_t(i)] == '9')
            d.digits[std::size_t(i--)] = '0';
        if (i >= 0) {
            ++d.digits[std::size_t(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

// The i-th digit of d (0 = the first significant one); '0' outside the digits held.
char digitAt(const Decimal &d, long i)
{
    return i >= 0 && i < long(d.digits.size()) ? d.digits[std::size_t(i)] : '0';
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// A digit-placeholder pattern: "0" forces a digit, "#" shows one only when needed.
struct Pattern
{
    bool valid = false;
    int minInteger = 0;   // forced integer digits
    int minDecimals = 0;  // forced decimals
    int maxDecimals = 0;  // forced + optional decimals
};

Pattern parsePattern(const QString &format)
{
    Pattern p;
    bool inDecimals = false;
    for (QChar c : format) {
        if (c == u'.' && !inDecimals) {
            inDecimals = true;
        } else if (c == u'0') {
            if (inDecimals) {
                // An optional decimal before a forced one is forced too.
                p.minDecimals = ++p.maxDecimals;
            } else {
                ++p.minInteger;
            }
        } else if (c == u'#') {
            if (inDecimals)
                ++p.maxDecimals;
        } else {
            return {};
        }
    }
    p.valid = !format.isEmpty();
    return p;
}

QString formatFixed(double value, const Pattern &p)
{
    Decimal d = toDecimal(value, 15);
    roundTo(d, p.maxDecimals);

    std::string out;
    out.reserve(std::size_t(std::max(d.point, p.minInteger) + p.maxDecimals + 2));
    // A value that rounds to zero carries no sign.
    if (d.negative && !d.isZero())
        out += '-';
    for (int i = std::max(d.point, 0); i < p.minInteger; ++i)
        out += '0';
    for (long i = 0; i < d.point; ++i)
        out += digitAt(d, i);
    int decimals = p.maxDecimals;
    while (decimals > p.minDecimals && digitAt(d, long(d.point) + decimals - 1) == '0')
        --decimals;
    if (decimals > 0) {
        out += ',';
        for (long i = 0; i < decimals; ++i)
            out += digitAt(d, long(d.point) + i);
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

constexpr double kTwo40 = 1099511627776.0; // 2^40
// (2^40 - 1) x 2^87: all 40 bits set under the largest exponent byte.
const double kReal48Max = std::ldexp(kTwo40 - 1, 87);

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Scans digits from pos and appends them to out. Returns the number of digits read.
int scanDigits(const QString &s, qsizetype &pos, std::string &out)
{
    int n = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        out += char(s[pos].unicode());
        ++pos;
        ++n;
    }
    return n;
}

// Skips an optional "+" or "-" at pos; a "-" is appended to out.
bool scanSign(const QString &s, qsizetype &pos, std::string &out)
{
    if (pos < s.size() && (s[pos] == u'-' || s[pos] == u'+')) {
        if (s[pos] == u'-')
            out += '-';
        ++pos;
        return true;
    }
    return false;
}

// Reads "[sign]digits[sep digits][E[sign]digits]" from pos, with sep the decimal separator
// and at least one digit in the mantissa. The exponent is taken only when complete.
// Returns false when no number starts at pos; pos is left after what was read.
bool scanNumber(const QString &s, qsizetype &pos, QChar sep, std::string &normalized)
{
    std::string text;
    scanSign(s, pos, text);
    int digits = scanDigits(s, pos, text);
    if (pos < s.size() && s[pos] == sep) {
        ++pos;
        text += '.';
        digits += scanDigits(s, pos, text);
    }
    if (digits == 0)
        return false;
    if (pos < s.size() && (s[pos] == u'E' || s[pos] == u'e')) {
        qsizetype p = pos + 1;
        std::string exponent = "e";
        scanSign(s, p, exponent);
        if (scanDigits(s, p, exponent) > 0) {
            text += exponent;
            pos = p;
        }
    }
    normalized = text;
    return true;
}

// The power of ten of the first significant digit of a normalized number, plus one
// ("123.4" gives 3, "0.05" gives -1, "1e400" gives 401); 0 for a zero mantissa.
long long decimalMagnitude(const std::string &normalized)
{
    const std::size_t ePos = std::min(normalized.find('e'), normalized.size());
    const std::size_t dot = std::min(normalized.find('.'), ePos);
    long long exponent = 0;
    if (ePos < normalized.size()) {
        std::size_t i = ePos + 1;
        const bool minus = normalized[i] == '-';
        if (minus)
            ++i;
        for (; i < normalized.size() && exponent < 100000; ++i)
            exponent = exponent * 10 + (normalized[i] - '0');
        if (minus)
            exponent = -exponent;
    }
    for (std::size_t i = 0; i < ePos; ++i) {
        const char c = normalized[i];
        if (c >= '1' && c <= '9')
            return (i < dot ? (long long)(dot - i) : -(long long)(i - dot - 1)) + exponent;
    }
    return 0;
}

bool toDouble(const std::string &normalized, double &value)
{
    const char *first = normalized.data();
    const char *last = first + normalized.size();
    const auto res = std::from_chars(first, last, value, std::chars_format::general);
    return res.ec == std::errc() && res.ptr == last && std::isfinite(value);
}

bool toInt(const std::string &digits, int &value)
{
    const char *first = digits.data();
    const char *last = first + digits.size();
    const auto res = std::from_chars(first, last, value);
    return res.ec == std::errc() && res.ptr == last;
}

} // namespace

QString formatAmount(double value, const QString &format)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const Pattern p = parsePattern(format);
    if (!p.valid)
        return formatGeneral(value);
    return formatFixed(value, p);
}

QString formatGeneral(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const Decimal d = toDecimal(value, qBound(1, significantDigits, 17));
    if (d.isZero())
        return QStringLiteral("0");

    QString out;
    if (d.negative)
        out += u'-';
    const int exponent = d.point - 1;
    if (exponent >= -5 && exponent < 15) {
        if (d.point <= 0) {
            out += QLatin1String("0,") + QString(-d.point, u'0')
                   + QLatin1String(d.digits.data(), qsizetype(d.digits.size()));
        } else {
            for (long i = 0; i < d.point; ++i)
                out += QLatin1Char(digitAt(d, i));
            if (long(d.digits.size()) > d.point)
                out += u',' + QLatin1String(d.digits.data() + d.point,
                                           qsizetype(d.digits.size()) - d.point);
        }
    } else {
        // Far outside what a payroll handles: scientific form, which parseNumber reads back.
        out += QLatin1Char(d.digits[0]);
        if (d.digits.size() > 1)
            out += u',' + QLatin1String(d.digits.data() + 1, qsizetype(d.digits.size()) - 1);
        out += (exponent < 0 ? QLatin1String("E-") : QLatin1String("E+"))
               + QString::number(std::abs(exponent));
    }
    return out;
}

QString formatHashDot00(double value)
{
    return formatAmount(value, QStringLiteral("#.00"));
}

double parseNumber(const QString &text, bool *ok)
{
    const QString s = text.trimmed();
    qsizetype pos = 0;
    std::string normalized;
    double value = 0;
    const bool good = scanNumber(s, pos, u',', normalized) && pos == s.size()
                      && toDouble(normalized, value);
    if (ok)
        *ok = good;
    return good ? value + 0.0 : 0; // + 0.0 turns -0 into 0
}

bool blankIsZero(const QString &text, double *value)
{
    if (text.trimmed().isEmpty()) {
        *value = 0;
        return true;
    }
    bool ok = false;
    const double v = parseNumber(text, &ok);
    if (ok)
        *value = v;
    return ok;
}

int parseInteger(const QString &text, bool *ok)
{
    const QString s = text.trimmed();
    qsizetype pos = 0;
    std::string digits;
    scanSign(s, pos, digits);
    int value = 0;
    const bool good = scanDigits(s, pos, digits) > 0 && pos == s.size() && toInt(digits, value);
    if (ok)
        *ok = good;
    return good ? value : 0;
}

double roundReal48(double value)
{
    if (std::isnan(value) || value == 0)
        return 0;
    const bool negative = value < 0;
    double result;
    if (std::isinf(value)) {
        result = kReal48Max;
    } else {
        // |value| = m x 2^e with m in [0.5, 1): the 40 bits are round(m x 2^40), and the
        // exponent byte of 1.f x 2^(e-1) is e + 128.
        int e = 0;
        const double m = std::frexp(std::fabs(value), &e);
        double bits = std::round(m * kTwo40); // halves away from zero
        if (bits == kTwo40) {
            bits = kTwo40 / 2;
            ++e;
        }
        const int exponentByte = e + 128;
        if (exponentByte < 1)
            return 0;
        result = exponentByte > 255 ? kReal48Max : std::ldexp(bits, e - 40);
    }
    return negative ? -result : result;
}

double real48AsWritten(double value)
{
    const double r = roundReal48(value);
    if (r == 0)
        return 0;
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::scientific, 11);
    double out = r;
    std::from_chars(buf, written.ptr, out, std::chars_format::scientific);
    return out;
}

QString formatIniReal(double value)
{
    const double r = roundReal48(value);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(r), std::chars_format::scientific, 14);
    const std::string s(buf, res.ptr); // "d.dddddddddddddde+XX"
    const std::size_t e = s.find('e');
    const int exponent = std::stoi(s.substr(e + 1));
    QString out;
    out.reserve(23);
    out += r < 0 ? u'-' : u' ';
    out += QLatin1String(s.data(), qsizetype(e));
    out += exponent < 0 ? QLatin1String("E-") : QLatin1String("E+");
    out += QStringLiteral("%1").arg(std::abs(exponent), 4, 10, QLatin1Char('0'));
    return out;
}

double parseIniReal(const QString &line, bool *ok)
{
    qsizetype pos = 0;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    std::string normalized;
    double value = 0;
    bool good = scanNumber(line, pos, u'.', normalized);
    if (good) {
        const char *first = normalized.data();
        const char *last = first + normalized.size();
        const auto res = std::from_chars(first, last, value, std::chars_format::general);
        if (res.ec == std::errc::result_out_of_range) {
            // Beyond the range of a double: too large saturates, too small is 0, as in roundReal48.
            value = decimalMagnitude(normalized) > 0
                        ? (normalized[0] == '-' ? -kReal48Max : kReal48Max)
                        : 0;
        } else if (res.ec != std::errc()) {
            good = false;
        }
    }
    if (ok)
        *ok = good;
    return good ? real48AsWritten(value) : 0;
}

int parseIniInteger(const QString &line, bool *ok)
{
    qsizetype pos = 0;
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
    std::string digits;
    scanSign(line, pos, digits);
    int value = 0;
    const bool good = scanDigits(line, pos, digits) > 0 && toInt(digits, value);
    if (ok)
        *ok = good;
    return good ? value : 0;
}

QChar filterNumericKey(QChar c)
{
    if (c == u'.')
        return QChar(u',');
    if (isDigit(c) || c == u',' || c.category() == QChar::Other_Control)
        return c;
    return QChar();
}

} // namespace text
