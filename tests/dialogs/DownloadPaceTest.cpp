// The time a download has left: from the pace since its first record, not
// before the pace is known, and in words a user reads at a glance.

#include "dialogs/DownloadPace.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace quellin {
namespace {

TEST(DownloadPace, SecondsLeftFollowThePaceSinceTheFirstRecord)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, qint64>> notes; // received, ms
        int announced;
        std::optional<int> left;
    };
    const Case cases[] = {
        {"nothing received", {{0, 0}, {0, 5000}}, 100, std::nullopt},
        {"too few records", {{1, 0}, {9, 5000}}, 100, std::nullopt},
        {"too short a time", {{1, 0}, {50, 1999}}, 100, std::nullopt},
        // The wait before the first record (10 s here) is not part of the pace:
        // 10 records a second from then on.
        {"pace from the first record", {{0, 0}, {1, 10000}, {21, 12000}}, 121, 10},
        {"rounded up", {{1, 0}, {31, 3000}}, 32, 1},
        {"nine records a second", {{1, 0}, {901, 100000}}, 24800, 2656},
        {"all in", {{1, 0}, {100, 4000}}, 100, 0},
        {"more than announced", {{1, 0}, {120, 4000}}, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DownloadPace pace;
        for (const auto& [received, ms] : c.notes)
            pace.note(received, ms);
        EXPECT_EQ(pace.secondsLeft(c.announced), c.left);
    }
}

TEST(DownloadPace, TimeLeftInWords)
{
    const std::pair<std::optional<int>, QString> cases[] = {
        {std::nullopt, "残り時間を計っています"},
        {0, "残り 約 0 秒"},
        {59, "残り 約 59 秒"},
        {60, "残り 約 1 分"},
        {61, "残り 約 2 分"},
        {3540, "残り 約 59 分"},
        {3599, "残り 約 1 時間 0 分"},
        {3600, "残り 約 1 時間 0 分"},
        {2656, "残り 約 45 分"},
        {9000, "残り 約 2 時間 30 分"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(downloadTimeLeftText(seconds), text) << seconds.value_or(-1);
    EXPECT_EQ(downloadReceivedText(1234, 24800), "1234 / 24800 件を受信しました。");
}

} // namespace
} // namespace quellin
