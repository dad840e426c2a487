// What the measurement mode dialog makes of the meter's status and which command
// a row sends.

#include "dialogs/KeisokuModeTexts.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

struct StatusCase {
    const char* reply;
    const char* line;  // "" leaves the label unchanged
    const char* state; // "" leaves the label unchanged
    int preselect;
};

class ModeStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(ModeStatus, ShowsTheLineAndPreselectsTheOppositeState)
{
    const StatusCase& c = GetParam();
    const ModeStatusView v = modeStatusView(QString::fromLatin1(c.reply));
    EXPECT_EQ(v.lineText.value_or(QString()), QString::fromUtf8(c.line));
    EXPECT_EQ(v.stateText.value_or(QString()), QString::fromUtf8(c.state));
    EXPECT_EQ(v.statePreselect, c.preselect);
}

INSTANTIATE_TEST_SUITE_P(Replies, ModeStatus,
                         ::testing::Values(StatusCase{"000", "単相２線式", "計測なし", 1},
                                           StatusCase{"110", "単相３線式", "計測中　", 0},
                                           StatusCase{"201", "三相３線式", "計測なし", 1},
                                           StatusCase{"310", "", "計測中　", 0},
                                           StatusCase{"2X0", "三相３線式", "", -1},
                                           StatusCase{"", "", "", -1}));

TEST(ModeCommand, IsTheRowAndTheChoice)
{
    EXPECT_EQ(modeCommand(0, 2), "SMD02");
    EXPECT_EQ(modeCommand(1, 0), "SMD10");
    EXPECT_EQ(modeCommand(1, 1), "SMD11");
    EXPECT_EQ(lineEntries().size(), 3);
    EXPECT_EQ(stateEntries(), (QStringList{"計測 OFF", "計測 ON "}));
}

} // namespace
} // namespace quellin
