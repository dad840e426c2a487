#include "settings/LogPeriod.h"

#include "platform/Tx.h"
#include "platform/VbDate.h"

#include <array>
#include <cmath>

namespace quellin {

std::optional<PeriodError> checkLogPeriod(const QString& hours, const QString& minutes,
                                          const QString& seconds)
{
    const std::array<QString, 3> texts = {hours, minutes, seconds};
    std::array<double, 3> v{};
    for (int i = 0; i < 3; ++i) {
        const auto n = vbdate::parseNumber(texts[static_cast<size_t>(i)]);
        if (!n)
            return PeriodError{TX("数値を入力してください。"), i};
        v[static_cast<size_t>(i)] = *n;
    }
    if (v[0] < 0 || v[0] > 24)
        return PeriodError{TX("時間は０～２４の範囲で入力してください。"), 0};
    if (v[1] < 0 || v[1] > 59)
        return PeriodError{TX("分は０～５９の範囲で入力してください。"), 1};
    if (v[2] < 0 || v[2] > 59)
        return PeriodError{TX("秒は０～５９の範囲で入力してください。"), 2};
    const double period = v[0] * 3600 + v[1] * 60 + v[2];
    if (period < 1 || period > 86400)
        return PeriodError{TX("周期は１秒～２４時間の範囲で入力してください。"), 0};
    return std::nullopt;
}

int logPeriodSeconds(const QString& hours, const QString& minutes, const QString& seconds)
{
    if (checkLogPeriod(hours, minutes, seconds))
        return 0;
    const double period = *vbdate::parseNumber(hours) * 3600 +
                          *vbdate::parseNumber(minutes) * 60 + *vbdate::parseNumber(seconds);
    // As Basic assigns a number to an integer: to the nearest, halves to even (the
    // default rounding mode), so "00:00:1.5" is 2 s and "00:00:2.5" is 2 s.
    return static_cast<int>(std::nearbyint(period));
}

} // namespace quellin
