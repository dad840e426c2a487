#include "platform/VbDate.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace quellin::vbdate {

namespace {

constexpr qint64 kJulianDayOfZero = 2415019; // 1899-12-30
constexpr qint64 kSecondsPerDay = 86400;
// The platform's date range: 0100-01-01 .. 9999-12-31 23:59:59.
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958465;
constexpr qint64 kFirstSerial = static_cast<qint64>(kFirstDay) * kSecondsPerDay;
constexpr qint64 kLastSerial = static_cast<qint64>(kLastDay) * kSecondsPerDay + kSecondsPerDay - 1;

// A date value as whole seconds on a linear civil time line (day 0 = 1899-12-30).
// Negative date values keep the original convention: the integer part is the day,
// the absolute fraction the time of that day. Values outside the date range are
// held at its ends, so that no arithmetic overflows.
qint64 toSerialSeconds(double date)
{
    if (!std::isfinite(date))
        return 0;
    if (date < kFirstDay)
        return kFirstSerial;
    if (date >= kLastDay + 1)
        return kLastSerial;
    const double dayPart = std::trunc(date);
    const double frac = std::fabs(date - dayPart);
    const qint64 serial =
        static_cast<qint64>(dayPart) * kSecondsPerDay + std::llround(frac * kSecondsPerDay);
    return std::clamp(serial, kFirstSerial, kLastSerial);
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

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A small cursor over the text: every step looks at one character once.
struct Cursor {
    const QChar* p;
    const QChar* end;

    bool atEnd() const { return p == end; }
    char16_t peek() const { return p == end ? u'\0' : p->unicode(); }
    void skipBlanks()
    {
        while (p != end && isBlank(p->unicode()))
            ++p;
    }
    // Reads 1..maxDigits decimal digits; the digit count goes to *count.
    bool number(int maxDigits, int& value, int* count = nullptr)
    {
        int n = 0;
        value = 0;
        while (p != end && isDigit(p->unicode())) {
            if (++n > maxDigits)
                return false;
            value = value * 10 + (p->unicode() - u'0');
            ++p;
        }
        if (count)
            *count = n;
        return n > 0;
    }
    bool take(char16_t c)
    {
        if (peek() != c)
            return false;
        ++p;
        return true;
    }
};

// "y/m/d" or "y-m-d" with the same separator twice; the cursor stands on the first digit.
bool parseDatePart(Cursor& in, Civil& c)
{
    int yearDigits = 0;
    if (!in.number(4, c.year, &yearDigits) || yearDigits == 3)
        return false;
    if (yearDigits <= 2)
        c.year += c.year < 30 ? 2000 : 1900; // the platform's two-digit year window
    const char16_t sep = in.peek();
    if (sep != u'/' && sep != u'-')
        return false;
    in.take(sep);
    if (!in.number(2, c.month) || !in.take(sep))
        return false;
    return in.number(2, c.day);
}

// "h:m" or "h:m:s"; the cursor stands on the first digit.
bool parseTimePart(Cursor& in, Civil& c)
{
    if (!in.number(2, c.hour) || !in.take(u':') || !in.number(2, c.minute))
        return false;
    c.second = 0;
    if (in.take(u':'))
        return in.number(2, c.second);
    return true;
}

// Whether the digits at the cursor start a time ("h:") rather than a date.
bool startsTime(const Cursor& in)
{
    const QChar* q = in.p;
    int n = 0;
    while (q != in.end && isDigit(q->unicode()) && n < 3) {
        ++q;
        ++n;
    }
    return n > 0 && q != in.end && q->unicode() == u':';
}

} // namespace

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

bool inDateRange(double date)
{
    return std::isfinite(date) && date >= kFirstDay && date < kLastDay + 1;
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
    Cursor in{text.data(), text.data() + text.size()};
    in.skipBlanks();
    Civil c;
    bool any = false;
    if (isDigit(in.peek()) && !startsTime(in)) {
        if (!parseDatePart(in, c))
            return std::nullopt;
        any = true;
        // A time after a date needs a blank between them.
        const QChar* beforeBlanks = in.p;
        in.skipBlanks();
        if (isDigit(in.peek()) && in.p == beforeBlanks)
            return std::nullopt;
    }
    if (isDigit(in.peek())) {
        if (!parseTimePart(in, c))
            return std::nullopt;
        any = true;
        in.skipBlanks();
    }
    if (!any || !in.atEnd())
        return std::nullopt;
    return fromCivil(c);
}

bool isDate(QStringView text)
{
    return parse(text).has_value();
}

std::optional<double> parseNumber(QStringView text)
{
    Cursor in{text.data(), text.data() + text.size()};
    in.skipBlanks();
    // The number as plain ASCII for from_chars: sign, mantissa, exponent.
    QVarLengthArray<char, 64> buf;
    const char16_t sign = in.peek();
    if (sign == u'+' || sign == u'-') {
        if (sign == u'-')
            buf.append('-');
        ++in.p;
    }
    int mantissaDigits = 0;
    // Decimal magnitude of the mantissa: the count of integer digits from the first
    // significant one, or minus the zeros after the point before it. With the
    // exponent it tells an overflow from an underflow.
    long long magnitude = 0;
    bool significant = false;
    while (isDigit(in.peek())) {
        const char d = static_cast<char>(in.peek());
        significant = significant || d != '0';
        if (significant)
            ++magnitude;
        buf.append(d);
        ++mantissaDigits;
        ++in.p;
    }
    if (in.take(u'.')) {
        buf.append('.');
        while (isDigit(in.peek())) {
            const char d = static_cast<char>(in.peek());
            if (!significant && d == '0')
                --magnitude;
            significant = significant || d != '0';
            buf.append(d);
            ++mantissaDigits;
            ++in.p;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    long long exponent = 0;
    const char16_t e = in.peek();
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        ++in.p;
        buf.append('e');
        bool negative = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            negative = in.peek() == u'-';
            buf.append(static_cast<char>(in.peek()));
            ++in.p;
        }
        if (!isDigit(in.peek()))
            return std::nullopt;
        while (isDigit(in.peek())) {
            buf.append(static_cast<char>(in.peek()));
            if (exponent < 100000)
                exponent = exponent * 10 + (in.peek() - u'0');
            ++in.p;
        }
        if (negative)
            exponent = -exponent;
    }
    in.skipBlanks();
    if (!in.atEnd())
        return std::nullopt;
    double v = 0;
    const auto [ptr, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Too large is not a number we can hold; too small is zero.
        if (magnitude + exponent > 0)
            return std::nullopt;
        return buf.front() == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || ptr != buf.data() + buf.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool isNumeric(QStringView text)
{
    return parseNumber(text).has_value();
}

double addSeconds(double date, long long seconds)
{
    // Steps beyond the whole date range end at its first or last second.
    const qint64 span = kLastSerial - kFirstSerial;
    const qint64 step = std::clamp<qint64>(seconds, -span, span);
    return fromSerialSeconds(std::clamp(toSerialSeconds(date) + step, kFirstSerial, kLastSerial));
}

double addDays(double date, int days)
{
    return addSeconds(date, static_cast<long long>(days) * kSecondsPerDay);
}

long long secondsBetween(double a, double b)
{
    return toSerialSeconds(b) - toSerialSeconds(a);
}

} // namespace quellin::vbdate
