#include "platform/DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace quellin {

DecimalDigits toDecimalDigits(double v)
{
    DecimalDigits d;
    if (v == 0 || !std::isfinite(v))
        return d;
    char buf[40];
    // 15 significant digits, independent of the locale.
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != r.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits[d.size++] = *p;
    int exp10 = 0;
    if (p != r.ptr)
        std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exp10);
    d.trimTrailingZeros();
    d.pointPos = exp10 + 1;
    return d;
}

void roundDecimalDigits(DecimalDigits& d, int keep)
{
    if (keep >= d.size)
        return;
    if (keep < 0) {
        d.size = 0;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.size = keep;
    if (up) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (d.digits[i] == '9') {
                d.digits[i] = '0';
            } else {
                ++d.digits[i];
                break;
            }
        }
        if (i < 0) {
            std::memmove(d.digits + 1, d.digits, static_cast<size_t>(d.size));
            d.digits[0] = '1';
            ++d.size;
            d.pointPos += 1;
        }
    }
    d.trimTrailingZeros();
}

} // namespace quellin
