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
            if (v < 0 && n > 0)
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
    roundDecimalDigits(d, d.pointPos + decimals);
    if (d.negative && d.size > 0)
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

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

QByteArrayView trimmed(QByteArrayView t)
{
    qsizetype b = 0;
    qsizetype e = t.size();
    while (b < e && isBlank(t[b]))
        ++b;
    while (e > b && isBlank(t[e - 1]))
        --e;
    return t.sliced(b, e - b);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr qsizetype kMaxNumberText = 400; // longer texts are not numbers (as IsNumeric)

// Parses [+-](digits[.digits]|.digits)[(E|D)[+-]digits] with nothing around it.
Converted parseStrictNumber(QByteArrayView t)
{
    Converted r;
    if (t.isEmpty() || t.size() > kMaxNumberText)
        return r;
    char buf[kMaxNumberText + 8];
    int n = 0;
    qsizetype i = 0;
    const qsizetype size = t.size();
    if (t[i] == '+' || t[i] == '-') {
        if (t[i] == '-')
            buf[n++] = '-';
        ++i;
    }
    int intDigits = 0;        // significant digits before the point
    int leadingFracZeros = 0; // zeros right after the point while the integer part is zero
    bool nonZeroSeen = false;
    int mantissaDigits = 0;
    for (; i < size && isDigit(t[i]); ++i) {
        buf[n++] = t[i];
        ++mantissaDigits;
        if (t[i] != '0')
            nonZeroSeen = true;
        if (nonZeroSeen)
            ++intDigits;
    }
    if (i < size && t[i] == '.') {
        buf[n++] = '.';
        ++i;
        for (; i < size && isDigit(t[i]); ++i) {
            buf[n++] = t[i];
            ++mantissaDigits;
            if (t[i] != '0')
                nonZeroSeen = true;
            else if (!nonZeroSeen)
                ++leadingFracZeros;
        }
    }
    if (mantissaDigits == 0)
        return r;
    long long exponent = 0;
    if (i < size && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        buf[n++] = 'e';
        ++i;
        bool negativeExp = false;
        if (i < size && (t[i] == '+' || t[i] == '-')) {
            negativeExp = t[i] == '-';
            buf[n++] = t[i];
            ++i;
        }
        int expDigits = 0;
        for (; i < size && isDigit(t[i]); ++i) {
            buf[n++] = t[i];
            ++expDigits;
            if (exponent < 100000)
                exponent = exponent * 10 + (t[i] - '0');
        }
        if (expDigits == 0)
            return r;
        if (negativeExp)
            exponent = -exponent;
    }
    if (i != size)
        return r;
    double v = 0;
    const auto res = std::from_chars(buf, buf + n, v);
    if (res.ptr != buf + n)
        return r;
    if (res.ec == std::errc::result_out_of_range) {
        // Too small underflows to zero; too large is an overflow.
        const long long magnitude =
            nonZeroSeen ? exponent + (intDigits > 0 ? intDigits : -leadingFracZeros) : -1;
        if (magnitude > 0) {
            r.status = Conversion::Overflow;
            return r;
        }
        v = (buf[0] == '-') ? -0.0 : 0.0;
    } else if (res.ec != std::errc()) {
        return r;
    }
    if (!std::isfinite(v)) {
        r.status = Conversion::Overflow;
        return r;
    }
    r.status = Conversion::Ok;
    r.value = v;
    return r;
}

// The smallest magnitude that no longer rounds to a finite single: FLT_MAX plus
// half a unit in its last place (a tie goes to the even neighbour, infinity).
constexpr double kSingleOverflow = 3.4028235677973366e+38;

std::optional<double> fastDate(QByteArrayView t)
{
    // "yyyy/mm/dd hh:mm:ss", the form the program writes.
    if (t.size() != 19 || t[4] != '/' || t[7] != '/' || t[10] != ' ' || t[13] != ':' ||
        t[16] != ':')
        return std::nullopt;
    static constexpr int kDigitPos[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18};
    for (int p : kDigitPos)
        if (!isDigit(t[p]))
            return std::nullopt;
    auto num = [&](int p, int len) {
        int v = 0;
        for (int k = 0; k < len; ++k)
            v = v * 10 + (t[p + k] - '0');
        return v;
    };
    return vbdate::fromCivil({num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2)});
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

Converted toDouble(QByteArrayView text)
{
    return parseStrictNumber(trimmed(text));
}

Converted toLong(QByteArrayView text)
{
    Converted r = toDouble(text);
    if (r.status != Conversion::Ok)
        return r;
    const double rounded = std::nearbyint(r.value); // half to even, as CLng
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        r.status = Conversion::Overflow;
        return r;
    }
    r.value = rounded;
    return r;
}

Converted toSingle(QByteArrayView text)
{
    const QByteArrayView t = trimmed(text);
    if (t == "inf" || t == "-inf" || t == "nan") {
        const double special = t == "nan"    ? std::numeric_limits<double>::quiet_NaN()
                               : t[0] == '-' ? -std::numeric_limits<double>::infinity()
                                             : std::numeric_limits<double>::infinity();
        return {Conversion::Ok, special};
    }
    Converted r = parseStrictNumber(t);
    if (r.status != Conversion::Ok)
        return r;
    if (std::fabs(r.value) >= kSingleOverflow) {
        r.status = Conversion::Overflow;
        return r;
    }
    r.value = static_cast<double>(static_cast<float>(r.value));
    return r;
}

std::optional<double> toDate(QByteArrayView text)
{
    QByteArrayView t = text;
    if (t.startsWith('"'))
        t = t.sliced(1);
    if (t.endsWith('"'))
        t.chop(1);
    if (const auto fast = fastDate(t))
        return fast;
    if (t.size() > 64)
        return std::nullopt;
    return vbdate::parse(QString::fromLatin1(t.data(), t.size()));
}

int splitFields(QByteArrayView line, QByteArrayView* fields, int maxFields)
{
    if (maxFields <= 0)
        return 0;
    int n = 0;
    qsizetype start = 0;
    const qsizetype size = line.size();
    while (true) {
        qsizetype comma = start;
        while (comma < size && line[comma] != ',')
            ++comma;
        fields[n++] = line.sliced(start, comma - start);
        if (comma >= size || n == maxFields)
            return n;
        start = comma + 1;
    }
}

} // namespace quellin::csv
