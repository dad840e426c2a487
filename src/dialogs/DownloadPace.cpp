#include "dialogs/DownloadPace.h"

#include "platform/Tx.h"

#include <cmath>

namespace quellin {

void DownloadPace::note(int received, qint64 nowMs)
{
    if (received <= 0)
        return;
    if (!started_) {
        started_ = true;
        firstReceived_ = received;
        firstMs_ = nowMs;
    }
    received_ = received;
    lastMs_ = nowMs;
}

std::optional<int> DownloadPace::secondsLeft(int announced) const
{
    const int records = received_ - firstReceived_;
    const qint64 ms = lastMs_ - firstMs_;
    if (!started_ || records < kMinRecords || ms < kMinMs)
        return std::nullopt;
    const int left = std::max(announced - received_, 0);
    return static_cast<int>(std::ceil(double(left) * double(ms) / double(records) / 1000.0));
}

QString downloadTimeLeftText(std::optional<int> seconds)
{
    if (!seconds)
        return TX("残り時間を計っています");
    const int s = *seconds;
    if (s < 60)
        return TX("残り 約 %1 秒").arg(s);
    // Minutes rounded up: "約 1 分" must not show while 1 min 50 s remain.
    const int minutes = (s + 59) / 60;
    if (minutes < 60)
        return TX("残り 約 %1 分").arg(minutes);
    return TX("残り 約 %1 時間 %2 分").arg(minutes / 60).arg(minutes % 60);
}

QString downloadReceivedText(int received, int announced)
{
    return TX("%1 / %2 件を受信しました。").arg(received).arg(announced);
}

} // namespace quellin
