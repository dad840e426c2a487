#include "dialogs/AlarmSetFields.h"

#include "base/MeasuredItems.h"
#include "platform/Tx.h"

#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

QString limitText(double v)
{
    return QString::number(v, 'g', 15);
}

QString holdText(int seconds)
{
    return seconds > 0 ? QString::number(seconds) : QString();
}

} // namespace

AlarmFields alarmFieldsFor(const std::vector<AlarmRule>& rules, int column)
{
    AlarmFields f;
    for (const AlarmRule& r : rules) {
        if (r.column != column)
            continue;
        if (r.direction == AlarmDirection::Above) {
            f.above = limitText(r.limit);
            f.aboveHold = holdText(r.holdSeconds);
        } else {
            f.below = limitText(r.limit);
            f.belowHold = holdText(r.holdSeconds);
        }
    }
    return f;
}

AlarmFieldsRead rulesFromFields(const std::vector<ShownAlarmFields>& shown, const std::vector<AlarmRule>& kept)
{
    AlarmFieldsRead read;
    for (const AlarmRule& r : kept)
        if (std::none_of(shown.begin(), shown.end(), [&](const ShownAlarmFields& s) { return s.column == r.column; }))
            putAlarmRule(read.rules, r);
    for (const ShownAlarmFields& s : shown) {
        const QString name = txText(toQString(measuredItem(s.column).name));
        const auto fail = [&](AlarmBox box, const QString& why) {
            read.error = AlarmFieldError{s.column, box, TX("%1：%2").arg(name, why)};
            return read;
        };
        std::optional<double> limits[2];
        const QString* limitBoxes[2] = {&s.fields.above, &s.fields.below};
        const QString* holdBoxes[2] = {&s.fields.aboveHold, &s.fields.belowHold};
        const AlarmBox limitIds[2] = {AlarmBox::Above, AlarmBox::Below};
        const AlarmBox holdIds[2] = {AlarmBox::AboveHold, AlarmBox::BelowHold};
        const QString kinds[2] = {TX("上限"), TX("下限")};
        for (int k = 0; k < 2; ++k) {
            const QString limit = limitBoxes[k]->trimmed();
            const QString hold = holdBoxes[k]->trimmed();
            if (limit.isEmpty()) {
                if (!hold.isEmpty())
                    return fail(limitIds[k], TX("%1の値がないと継続時間は使えません。").arg(kinds[k]));
                continue;
            }
            bool ok = false;
            const double v = limit.toDouble(&ok);
            if (!ok || !std::isfinite(v))
                return fail(limitIds[k], TX("%1は数値で入力して下さい。").arg(kinds[k]));
            int seconds = 0;
            if (!hold.isEmpty()) {
                seconds = hold.toInt(&ok);
                if (!ok || seconds < 0 || seconds > kMaxAlarmHoldSeconds)
                    return fail(holdIds[k], TX("継続時間は 0～%1 秒の整数で入力して下さい。")
                                                .arg(kMaxAlarmHoldSeconds));
            }
            limits[k] = v;
            putAlarmRule(read.rules, {s.column, k == 0 ? AlarmDirection::Above : AlarmDirection::Below, v, seconds});
        }
        // Both limits with nothing between them would keep one alarm raised always.
        if (limits[0] && limits[1] && *limits[0] <= *limits[1])
            return fail(AlarmBox::Above, TX("上限は下限より大きな値にして下さい。"));
    }
    return read;
}

} // namespace quellin
