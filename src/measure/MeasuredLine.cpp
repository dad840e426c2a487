#include "measure/MeasuredLine.h"

#include "platform/VbDate.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace quellin {

namespace {

// Field starts (0-based in the text after "RML") and the time field.
constexpr int kReadingAt[7] = {4, 13, 22, 31, 40, 49, 58};
constexpr int kTimeAt = 67;
constexpr int kTimeLengthV2 = 19;
constexpr int kExtraAt[5] = {87, 96, 105, 114, 123};
constexpr int kHexDigits = 8;

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

QStringView field(QStringView rest, int at, int width)
{
    if (at >= rest.size())
        return {};
    return rest.mid(at, std::min<qsizetype>(width, rest.size() - at));
}

// A reading that is not a finite number is an overflow of the meter's value; it
// reads as 0 so that no infinity or NaN reaches a record, a sum or a file.
double reading(QStringView rest, int at, bool& overflow)
{
    const double v = HexToSingle(field(rest, at, kHexDigits));
    if (!std::isfinite(v)) {
        overflow = true;
        return 0;
    }
    return v;
}

} // namespace

std::optional<double> singleFromHex(QStringView hex)
{
    if (hex.size() != kHexDigits)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (const QChar ch : hex) {
        const int d = hexValue(ch.unicode());
        if (d < 0)
            return std::nullopt;
        bits = (bits << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<double>(std::bit_cast<float>(bits));
}

double HexToSingle(QStringView hex)
{
    return singleFromHex(hex).value_or(0);
}

MeasuredReadings decodeMeasuredLine(QStringView rest, int hardVersion)
{
    MeasuredReadings r;
    double* const seven[7] = {&r.voltR, &r.voltT,       &r.currR,    &r.currT,
                              &r.power, &r.powerFactor, &r.frequency};
    for (int i = 0; i < 7; ++i)
        *seven[i] = reading(rest, kReadingAt[i], r.overflow);

    const bool v2 = hardVersion >= 2;
    const QStringView timeText =
        v2 ? field(rest, kTimeAt, kTimeLengthV2) : field(rest, kTimeAt, rest.size());
    if (const auto t = vbdate::parse(timeText))
        r.time = *t;
    if (v2) {
        for (int i = 0; i < 3; ++i)
            r.leak[i] = reading(rest, kExtraAt[i], r.overflow);
        for (int i = 0; i < 2; ++i)
            r.temp[i] = reading(rest, kExtraAt[3 + i], r.overflow);
    }
    return r;
}

} // namespace quellin
