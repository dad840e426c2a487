#include "platform/VbDate.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>
#include <cmath>

namespace quellin::vbdate {

namespace {

constexpr qint64 kJulianDayOfZero = 2415019;  // 1899-12-30
constexpr qint64 kSecondsPerDay = 86400;

// A date value as whole seconds on a linear civil time line (day 0 = 1899-12-30).
// Negative date values keep the original convention: the integer part is the day,
// the absolute fraction the time of that day.
qint64 toSerialSeconds(double date)
{
    if (!std::isfinite(date))
        return 0;
    const double dayPart = std::trunc(date);
    const double frac = std::fabs(date - dayPart);
    return static_cast<qint64>(dayPart) * kSecondsPerDay + std::llround(frac * kSecondsPerDay);
}

double fromSerialSeconds(qint64 serial)
{
    qint64 day = serial / kSecondsPerDay;
    qint64 sec = serial % kSecondsPerDay;
    if (sec < 0) {
        sec += kSecondsPerDay;
        --day;
    }
    const double t = static_cast<double>(sec) / kSecondsPerDay;
    return day >= 0 ? static_cast<double>(day) + t : static_cast<double>(day) - t;
}

}  // namespace

std::optional<double> fromCivil(const Civil& c)
{
    if (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 || c.second > 59)
        return std::nullopt;
    if (c.year < 100 || c.year > 9999)
        return std::nullopt;
    const QDate d(c.year, c.month, c.day);
    if (!d.isValid())
        return std::nullopt;
    const qint64 day = d.toJulianDay() - kJulianDayOfZero;
    return fromSerialSeconds(day * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second);
}

Civil toCivil(double date)
{
    const qint64 serial = toSerialSeconds(date);
    qint64 day = serial / kSecondsPerDay;
    qint64 sec = serial % kSecondsPerDay;
    if (sec < 0) {
        sec += kSecondsPerDay;
        --day;
    }
    const QDate d = QDate::fromJulianDay(day + kJulianDayOfZero);
    Civil c;
    c.year = d.year();
    c.month = d.month();
    c.day = d.day();
    c.hour = static_cast<int>(sec / 3600);
    c.minute = static_cast<int>(sec / 60 % 60);
    c.second = static_cast<int>(sec % 60);
    return c;
}

double fromQDateTime(const QDateTime& dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    const qint64 day = d.toJulianDay() - kJulianDayOfZero;
    return fromSerialSeconds(day * kSecondsPerDay + t.hour() * 3600 + t.minute() * 60 + t.second());
}

QDateTime toQDateTime(double date)
{
    const Civil c = toCivil(date);
    return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second));
}

std::optional<double> parse(QStringView text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(?:(\d{1,4})[/-](\d{1,2})[/-](\d{1,2}))?\s*(?:(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    if (text.size() > 64)
        return std::nullopt;
    const QRegularExpressionMatch m = re.match(text.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const bool hasDate = m.capturedLength(1) > 0;
    const bool hasTime = m.capturedLength(4) > 0;
    if (!hasDate && !hasTime)
        return std::nullopt;
    Civil c;
    if (hasDate) {
        const QStringView y = m.capturedView(1);
        int year = y.toInt();
        if (y.size() <= 2)
            year += year < 30 ? 2000 : 1900;  // the platform's two-digit year window
        else if (y.size() == 3)
            return std::nullopt;
        c.year = year;
        c.month = m.capturedView(2).toInt();
        c.day = m.capturedView(3).toInt();
    }
    if (hasTime) {
        c.hour = m.capturedView(4).toInt();
        c.minute = m.capturedView(5).toInt();
        c.second = m.capturedLength(6) > 0 ? m.capturedView(6).toInt() : 0;
    }
    return fromCivil(c);
}

bool isDate(QStringView text)
{
    return parse(text).has_value();
}

std::optional<double> parseNumber(QStringView text)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?\s*$)"));
    if (text.size() > 400)
        return std::nullopt;
    if (!re.match(text.toString()).hasMatch())
        return std::nullopt;
    QString s = text.trimmed().toString();
    s.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool isNumeric(QStringView text)
{
    return parseNumber(text).has_value();
}

double addSeconds(double date, long long seconds)
{
    return fromSerialSeconds(toSerialSeconds(date) + seconds);
}

double addDays(double date, int days)
{
    return fromSerialSeconds(toSerialSeconds(date) + static_cast<qint64>(days) * kSecondsPerDay);
}

long long secondsBetween(double a, double b)
{
    return toSerialSeconds(b) - toSerialSeconds(a);
}

}  // namespace quellin::vbdate
