#include "store/CsvFields.h"

#include "base/DataRecord.h"
#include "platform/DecimalDigits.h"
#include "platform/Format.h"
#include "platform/VbDate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace quellin::csv {

namespace {

// The longest text a field can have: a fixed-point 1.8E+308 has 309 digits.
constexpr qsizetype kFieldRoom = 400;

// Every writer below puts its text at p and returns the end; the caller has
// made room for kFieldRoom characters.

char* putFormat(char* p, double v, FieldFormat format)
{
    const QByteArray text = Format(v, fieldPattern(format)).toLatin1();
    const qsizetype n = std::min(text.size(), kFieldRoom);
    std::memcpy(p, text.constData(), static_cast<size_t>(n));
    return p + n;
}

char* putInt(char* p, long long v)
{
    return std::to_chars(p, p + 24, v).ptr;
}

char* putTwo(char* p, int v)
{
    p[0] = static_cast<char>('0' + v / 10);
    p[1] = static_cast<char>('0' + v % 10);
    return p + 2;
}

// Format rounds the value's 15-digit decimal form half away from zero. Away from
// a tie the value itself rounds the same way, which a multiplication by an exact
// power of ten settles at a fraction of the cost of a decimal conversion; near a
// tie (and beyond the exact powers of ten) the decimal conversion decides.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPowers = 22;
constexpr double kTieMargin = 1e-7; // far above the error of one scaling (about 1e-12 here)

// |v| × 10^k with a single rounding, or nothing when 10^k is not exact.
std::optional<double> scaled(double a, int k)
{
    if (k > kExactPowers || k < -kExactPowers)
        return std::nullopt;
    return k >= 0 ? a * kPow10[k] : a / kPow10[-k];
}

// Four significant digits (1000..9999) and the decimal exponent of the first.
bool fastScientific(double v, int& digits, int& exponent)
{
    const double a = std::fabs(v);
    int e = static_cast<int>(std::floor(std::log10(a)));
    std::optional<double> x = scaled(a, 3 - e);
    if (x && *x < 1000) {
        --e;
        x = scaled(a, 3 - e);
    } else if (x && *x >= 10000) {
        ++e;
        x = scaled(a, 3 - e);
    }
    if (!x || *x < 999 || *x >= 10001)
        return false;
    const double whole = std::floor(*x);
    const double frac = *x - whole;
    if (std::fabs(frac - 0.5) < kTieMargin)
        return false;
    int n = static_cast<int>(whole) + (frac > 0.5 ? 1 : 0);
    if (n >= 10000) {
        n /= 10;
        ++e;
    } else if (n < 1000) {
        return false;
    }
    digits = n;
    exponent = e;
    return true;
}

// "0.000E+0": one integer digit, three decimals, the exponent with its sign.
char* putScientific(char* p, double v)
{
    int digits = 0;
    int e = 0;
    if (v != 0 && fastScientific(v, digits, e)) {
        if (v < 0)
            *p++ = '-';
        *p++ = static_cast<char>('0' + digits / 1000);
        *p++ = '.';
        *p++ = static_cast<char>('0' + digits / 100 % 10);
        *p++ = static_cast<char>('0' + digits / 10 % 10);
        *p++ = static_cast<char>('0' + digits % 10);
        *p++ = 'E';
        *p++ = e < 0 ? '-' : '+';
        return putInt(p, std::abs(e));
    }
    DecimalDigits d = toDecimalDigits(v);
    int exponent = 0;
    if (d.size > 0) {
        roundDecimalDigits(d, 4);
        exponent = d.pointPos - 1;
    }
    if (d.negative && d.size > 0)
        *p++ = '-';
    *p++ = d.digitAt(0);
    *p++ = '.';
    *p++ = d.digitAt(1);
    *p++ = d.digitAt(2);
    *p++ = d.digitAt(3);
    *p++ = 'E';
    *p++ = exponent < 0 ? '-' : '+';
    return putInt(p, std::abs(exponent));
}

// "0" and "0.0": at least one integer digit, `decimals` decimals.
char* putFixed(char* p, double v, int decimals)
{
    const double x = std::fabs(v) * kPow10[std::clamp(decimals, 0, 1)];
    if (decimals <= 1 && x < 1e15) {
        const double whole = std::floor(x);
        const double frac = x - whole;
        // The 15-digit form moves a value by up to 5e-15 of itself.
        if (std::fabs(frac - 0.5) >= kTieMargin + x * 1e-13) {
            const long long n = static_cast<long long>(whole) + (frac > 0.5 ? 1 : 0);
            // A negative value keeps its sign even when it rounds to zero, as
            // Format writes it.
            if (v < 0)
                *p++ = '-';
            const long long unit = decimals == 0 ? 1 : 10;
            p = putInt(p, n / unit);
            if (decimals > 0) {
                *p++ = '.';
                *p++ = static_cast<char>('0' + n % unit);
            }
            return p;
        }
    }
    DecimalDigits d = toDecimalDigits(v);
    const bool negative = d.negative && d.size > 0;
    roundDecimalDigits(d, d.pointPos + decimals);
    if (negative)
        *p++ = '-';
    bool any = false;
    for (int i = 0; i < d.pointPos; ++i) {
        const char c = d.digitAt(i);
        if (c == '0' && !any)
            continue;
        any = true;
        *p++ = c;
    }
    if (!any)
        *p++ = '0';
    if (decimals > 0) {
        *p++ = '.';
        for (int i = 0; i < decimals; ++i)
            *p++ = d.digitAt(d.pointPos + i);
    }
    return p;
}

char* putRecordNumber(char* p, std::int32_t number)
{
    long long v = number;
    if (v < 0) {
        *p++ = '-';
        v = -v;
    }
    for (long long scale = 1000; scale > 1 && v < scale; scale /= 10)
        *p++ = '0';
    return putInt(p, v);
}

char* putTime(char* p, double date)
{
    const vbdate::Civil c = vbdate::toCivil(date);
    if (c.year < 0 || c.year > 9999)
        return putFormat(p, date, FieldFormat::Time);
    p = putTwo(p, c.year / 100);
    p = putTwo(p, c.year % 100);
    *p++ = '/';
    p = putTwo(p, c.month);
    *p++ = '/';
    p = putTwo(p, c.day);
    *p++ = ' ';
    p = putTwo(p, c.hour);
    *p++ = ':';
    p = putTwo(p, c.minute);
    *p++ = ':';
    return putTwo(p, c.second);
}

char* putValue(char* p, double value, FieldFormat format)
{
    if (!std::isfinite(value))
        return putFormat(p, value, format);
    switch (format) {
    case FieldFormat::RecordNumber:
        return putFormat(p, value, format);
    case FieldFormat::Time:
        return putTime(p, value);
    case FieldFormat::Scientific:
        return putScientific(p, value);
    case FieldFormat::OneDecimal:
        return putFixed(p, value, 1);
    case FieldFormat::Integer:
        return putFixed(p, value, 0);
    }
    return p;
}

// Writes through put into room characters at the end of out.
template <class Put> void appendWith(QByteArray& out, qsizetype room, Put&& put)
{
    const qsizetype old = out.size();
    out.resize(old + room);
    char* end = put(out.data() + old);
    out.resize(end - out.constData());
}

} // namespace

void appendRecordNumber(QByteArray& out, std::int32_t number)
{
    appendWith(out, kFieldRoom, [&](char* p) { return putRecordNumber(p, number); });
}

void appendTime(QByteArray& out, double date)
{
    appendWith(out, kFieldRoom, [&](char* p) { return putTime(p, date); });
}

void appendValue(QByteArray& out, double value, FieldFormat format)
{
    appendWith(out, kFieldRoom, [&](char* p) { return putValue(p, value, format); });
}

void appendDataLine(QByteArray& out, const DataRecord& rec, const int* columns, int count)
{
    appendWith(out, (count + 1) * (kFieldRoom + 3), [&](char* p) {
        for (int k = 0; k < count; ++k) {
            const int c = columns[k];
            if (k > 0)
                *p++ = ',';
            if (c == 0) {
                p = putRecordNumber(p, rec.number);
            } else if (c == 1) {
                *p++ = '"';
                p = putTime(p, rec.time());
                *p++ = '"';
            } else if (c > 1 && c < kMaxColumns) {
                p = putValue(p, rec.column(c), measuredItem(c).fileFormat);
            }
        }
        *p++ = '\r';
        *p++ = '\n';
        return p;
    });
}

} // namespace quellin::csv
