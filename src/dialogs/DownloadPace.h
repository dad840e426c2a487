#pragma once
// How long a download still takes, from the pace its records have come at so
// far. At 9600 baud a long measurement arrives at about nine records a second
// for the better part of an hour; the meter's pause before its first block is
// not part of that pace, so the clock starts at the first record.

#include <QString>
#include <optional>

namespace quellin {

class DownloadPace {
public:
    // The records received by nowMs (any steady clock in milliseconds).
    void note(int received, qint64 nowMs);
    // The seconds left until announced records are in, rounded up; nothing
    // until the pace is known (kMinRecords records over kMinMs since the first).
    std::optional<int> secondsLeft(int announced) const;

    static constexpr int kMinRecords = 10;
    static constexpr qint64 kMinMs = 2000;

private:
    bool started_ = false;
    int firstReceived_ = 0;
    qint64 firstMs_ = 0;
    int received_ = 0;
    qint64 lastMs_ = 0;
};

// "残り 約 12 分" and the like; "残り時間を計っています" while the pace is unknown.
QString downloadTimeLeftText(std::optional<int> seconds);
// "1234 / 24800 件を受信しました。"
QString downloadReceivedText(int received, int announced);

} // namespace quellin
