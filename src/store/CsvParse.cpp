#include "store/CsvParse.h"

#include "platform/VbDate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace quellin::csv {

namespace {

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

// Parses [+-](digits[.digits]|.digits)[(E|D)[+-]digits] with nothing around it,
// through the library's correctly rounded conversion.
Converted parseGeneralNumber(QByteArrayView t)
{
    Converted r;
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

constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;

// The same for the texts a data file holds. A number of at most 15 or so
// significant digits with a small exponent is m × 10^e with m and 10^e exact
// doubles, so one multiplication or division gives the correctly rounded value,
// the very value of the general conversion. Anything else goes the general way.
Converted parseStrictNumber(QByteArrayView t)
{
    Converted r;
    if (t.isEmpty() || t.size() > kMaxNumberText)
        return r;
    const char* p = t.data();
    const char* const end = p + t.size();
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    std::uint64_t mantissa = 0;
    int taken = 0; // digits in mantissa, from the first one that is not 0
    int digits = 0;
    int exp10 = 0;
    bool exact = true;
    for (; p < end && isDigit(*p); ++p, ++digits) {
        if (taken < 19 && (taken > 0 || *p != '0')) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            ++taken;
        } else if (taken >= 19) {
            exact = false;
        }
    }
    if (p < end && *p == '.') {
        for (++p; p < end && isDigit(*p); ++p, ++digits) {
            if (taken < 19 && (taken > 0 || *p != '0')) {
                mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
                ++taken;
                --exp10;
            } else if (taken >= 19) {
                exact = false;
            } else {
                --exp10; // a zero before the first significant digit
            }
        }
    }
    if (digits == 0)
        return r;
    if (p < end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
        ++p;
        const bool negativeExp = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        int e = 0;
        int expDigits = 0;
        for (; p < end && isDigit(*p); ++p, ++expDigits)
            if (e < 1000)
                e = e * 10 + (*p - '0');
        if (expDigits == 0)
            return r;
        exp10 += negativeExp ? -e : e;
    }
    if (p != end)
        return r;
    if (!exact || mantissa > kExactMantissa || exp10 < -22 || exp10 > 22)
        return parseGeneralNumber(t);
    const double m = static_cast<double>(mantissa);
    const double v = exp10 >= 0 ? m * kExactPow10[exp10] : m / kExactPow10[-exp10];
    r.status = Conversion::Ok;
    r.value = negative ? -v : v;
    return r;
}

// The smallest magnitude that no longer rounds to a finite single: FLT_MAX plus
// half a unit in its last place (a tie goes to the even neighbour, infinity).
constexpr double kSingleOverflow = 3.4028235677973366e+38;

// Reads up to `most` digits (at least one) at p; false when there are none.
bool digitsAt(QByteArrayView t, qsizetype& p, int most, int& value)
{
    const qsizetype start = p;
    value = 0;
    while (p < t.size() && p - start < most && isDigit(t[p]))
        value = value * 10 + (t[p++] - '0');
    return p > start;
}

TimeField timeOf(const vbdate::Civil& c)
{
    const std::optional<double> d = vbdate::fromCivil(c);
    return d ? TimeField{TimeForm::Ok, *d} : TimeField{TimeForm::NotADate, 0};
}

// "yyyy/mm/dd hh:mm:ss", the form the program writes.
std::optional<TimeField> writtenTime(QByteArrayView t)
{
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
    return timeOf({num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2)});
}

} // namespace

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
    Converted r = parseStrictNumber(t);
    if (r.status == Conversion::NotConvertible) {
        if (t == "inf")
            return {Conversion::Ok, std::numeric_limits<double>::infinity()};
        if (t == "-inf")
            return {Conversion::Ok, -std::numeric_limits<double>::infinity()};
        if (t == "nan")
            return {Conversion::Ok, std::numeric_limits<double>::quiet_NaN()};
    }
    if (r.status != Conversion::Ok)
        return r;
    if (std::fabs(r.value) >= kSingleOverflow) {
        r.status = Conversion::Overflow;
        return r;
    }
    r.value = static_cast<double>(static_cast<float>(r.value));
    return r;
}

TimeField readTime(QByteArrayView text)
{
    QByteArrayView t = text;
    if (t.startsWith('"'))
        t = t.sliced(1);
    if (t.endsWith('"'))
        t.chop(1);
    if (const auto written = writtenTime(t))
        return *written;
    t = trimmed(t);
    vbdate::Civil c;
    qsizetype p = 0;
    const TimeField other;
    if (!digitsAt(t, p, 4, c.year) || p != 4 || p >= t.size())
        return other;
    const char separator = t[p];
    if ((separator != '/' && separator != '-') || !digitsAt(t, ++p, 2, c.month) || p >= t.size() ||
        t[p] != separator || !digitsAt(t, ++p, 2, c.day))
        return other;
    const qsizetype dateEnd = p;
    while (p < t.size() && (t[p] == ' ' || t[p] == '\t'))
        ++p;
    if (p == dateEnd || !digitsAt(t, p, 2, c.hour) || p >= t.size() || t[p] != ':' ||
        !digitsAt(t, ++p, 2, c.minute))
        return other;
    if (p == t.size())
        return {TimeForm::NoSeconds, 0};
    if (t[p] != ':' || !digitsAt(t, ++p, 2, c.second) || p != t.size())
        return other;
    return timeOf(c);
}

int splitFields(QByteArrayView line, QByteArrayView* fields, int maxFields)
{
    if (maxFields <= 0)
        return 0;
    const char* p = line.data();
    const char* const end = p + line.size();
    auto nextComma = [end](const char* from) {
        const void* hit =
            from < end ? std::memchr(from, ',', static_cast<size_t>(end - from)) : nullptr;
        return hit ? static_cast<const char*>(hit) : end;
    };
    int n = 0;
    while (true) {
        const char* fieldEnd = nullptr;
        if (p < end && *p == '"') {
            // The closing quote is the first one that is not doubled.
            const char* q = p + 1;
            const char* close = nullptr;
            while (q < end) {
                const void* hit = std::memchr(q, '"', static_cast<size_t>(end - q));
                if (!hit)
                    break;
                q = static_cast<const char*>(hit);
                if (q + 1 < end && q[1] == '"') {
                    q += 2;
                    continue;
                }
                close = q;
                break;
            }
            if (close && (close + 1 == end || close[1] == ',')) {
                fields[n++] = QByteArrayView(p + 1, close - p - 1);
                fieldEnd = close + 1;
            } else {
                fieldEnd = nextComma(close ? close + 1 : p);
                fields[n++] = QByteArrayView(p, fieldEnd - p);
            }
        } else {
            fieldEnd = nextComma(p);
            fields[n++] = QByteArrayView(p, fieldEnd - p);
        }
        if (fieldEnd >= end || n == maxFields)
            return n;
        p = fieldEnd + 1;
    }
}

void splitFields(QByteArrayView line, std::vector<QByteArrayView>& fields, int maxFields)
{
    const qsizetype most = std::min<qsizetype>(std::max(maxFields, 0), line.count(',') + 1);
    fields.resize(static_cast<size_t>(most));
    fields.resize(static_cast<size_t>(splitFields(line, fields.data(), static_cast<int>(most))));
}

bool isEmptyRow(QByteArrayView line)
{
    for (char c : line)
        if (c != ',' && !isBlank(c))
            return false;
    return true;
}

} // namespace quellin::csv
