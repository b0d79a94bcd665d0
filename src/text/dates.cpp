#include "text/dates.h"

#include <QStringList>

#include <algorithm>

// Month and day names are written out here so that they do not depend on which locales
// the computer has installed.
namespace text {

namespace {

bool readDigits(const QString &s, qsizetype &pos, int minCount, int maxCount, int &value)
{
    value = 0;
    int n = 0;
    while (pos < s.size() && n < maxCount && s[pos] >= u'0' && s[pos] <= u'9') {
        value = value * 10 + (s[pos].unicode() - u'0');
        ++pos;
        ++n;
    }
    return n >= minCount;
}

} // namespace

QString formatDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    const QLatin1Char zero('0');
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, zero)
        .arg(date.month(), 2, 10, zero)
        .arg(date.year(), 4, 10, zero);
}

QDate parseDate(const QString &text)
{
    const QString s = text.trimmed();
    qsizetype pos = 0;
    int day = 0, month = 0, year = 0;
    if (!readDigits(s, pos, 1, 2, day) || pos >= s.size() || s[pos++] != u'/')
        return {};
    if (!readDigits(s, pos, 1, 2, month) || pos >= s.size() || s[pos++] != u'/')
        return {};
    const qsizetype yearStart = pos;
    if (!readDigits(s, pos, 2, 4, year) || pos != s.size() || pos - yearStart == 3)
        return {};
    // A two-digit year, as spreadsheets export dates: 00 to 49 are 2000 to 2049, 50 to 99 are
    // 1950 to 1999.
    if (pos - yearStart == 2)
        year += year < 50 ? 2000 : 1900;
    return QDate(year, month, day); // invalid for 31/02 and the like
}

namespace {

bool allDigits(const QString &s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QDate parseTypedDate(const QString &text)
{
    const QString s = text.trimmed();
    if ((s.size() == 8 || s.size() == 6) && allDigits(s))
        return parseDate(s.left(2) + u'/' + s.mid(2, 2) + u'/' + s.mid(4));
    return parseDate(s);
}

bool typedInFull(const QString &text)
{
    const QString s = text.trimmed();
    if (allDigits(s))
        return s.size() == 8;
    const QStringList parts = s.split(u'/');
    return parts.size() == 3 && parts[2].size() == 4 && allDigits(parts[2]);
}

QString dateRefusal(const QString &text)
{
    return u'\'' + text + QStringLiteral("' n'est pas une date correcte");
}

QString frenchMonthName(int month)
{
    static const char16_t *const names[12] = {
        u"janvier", u"février", u"mars", u"avril", u"mai", u"juin",
        u"juillet", u"août", u"septembre", u"octobre", u"novembre", u"décembre"};
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf16(names[month - 1]);
}

QString frenchDayName(int dayOfWeek)
{
    static const char16_t *const names[7] = {
        u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi", u"dimanche"};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return QString::fromUtf16(names[dayOfWeek - 1]);
}

} // namespace text
