// The measurement mode dialog, showing a meter's status, fits its window (saved
// with QUELLIN_SCREENSHOT_DIR set).

#include "dialogs/FrmKeisokuMode.h"
#include "Controls.h"
#include "DialogShots.h"
#include "link/LinkDoubles.h"
#include "link/ModeExchange.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

struct ModeWindow : LinkFixture {
    ModeWindow()
    {
        clients.modeExchange = &handler;
        dlg = std::make_unique<FrmKeisokuMode>(ctx(), seq);
        dlg->show();
    }
    ModeExchange handler;
    std::unique_ptr<FrmKeisokuMode> dlg;
};

struct ShotCase {
    int version;
    const char* status;
};

class KeisokuModeLayout : public ::testing::TestWithParam<ShotCase> {};

TEST_P(KeisokuModeLayout, FitsItsWindow)
{
    ModeWindow w;
    w.ctx().app.HardVersion = GetParam().version;
    w.line(QString::fromLatin1(GetParam().status));
    EXPECT_TRUE(w.dlg->isEnabled());
    control<QComboBox>(*w.dlg, "CmbData", 0)->setCurrentIndex(2);
    expectNothingClippedOrOverlapping(*w.dlg);
    saveShot(*w.dlg, QStringLiteral("keisokumode-v%1.png").arg(GetParam().version));
}

// A single-phase version-1 meter that measures, an idle three-phase version-2 meter.
INSTANTIATE_TEST_SUITE_P(Versions, KeisokuModeLayout,
                         ::testing::Values(ShotCase{1, "RMD110"}, ShotCase{2, "RMD200"}));

// What the dialog makes of the status: the labels, the state row preselected
// with the opposite of the meter's state (one click toggles it), and a send
// button only for a row that has a choice.
TEST(KeisokuModeStatus, ShowsTheStatusAndPreselectsTheToggle)
{
    const struct {
        const char* name;
        const char* status;
        const char* line;
        const char* state;
        int preselected;
    } cases[] = {
        {"idle three-phase", "RMD200", "三相３線式", "計測なし", 1},
        {"measuring single-phase 3-wire", "RMD110", "単相３線式", "計測中　", 0},
        {"unknown wiring digit", "RMD700", "", "計測なし", 1},
        {"unknown state digit", "RMD090", "単相２線式", "", -1},
    };
    for (const auto& c : cases) {
        ModeWindow w;
        // Loaded: the status is asked for, nothing can be sent yet.
        EXPECT_EQ(w.sent(), QStringList{"CMD"}) << c.name;
        EXPECT_FALSE(w.dlg->isEnabled()) << c.name;
        for (int row = 0; row < 2; ++row)
            EXPECT_FALSE(control<QPushButton>(*w.dlg, "CmdSend", row)->isEnabled()) << c.name;

        w.line(QString::fromLatin1(c.status));
        EXPECT_TRUE(w.dlg->isEnabled()) << c.name;
        EXPECT_EQ(control<QLabel>(*w.dlg, "LblKeisoku", 0)->text(), QString::fromUtf8(c.line))
            << c.name;
        EXPECT_EQ(control<QLabel>(*w.dlg, "LblKeisoku", 1)->text(), QString::fromUtf8(c.state))
            << c.name;
        EXPECT_EQ(control<QComboBox>(*w.dlg, "CmbData", 1)->currentIndex(), c.preselected)
            << c.name;
        EXPECT_EQ(control<QPushButton>(*w.dlg, "CmdSend", 1)->isEnabled(), c.preselected >= 0)
            << c.name;
        EXPECT_FALSE(control<QPushButton>(*w.dlg, "CmdSend", 0)->isEnabled()) << c.name;
        control<QComboBox>(*w.dlg, "CmbData", 0)->setCurrentIndex(1);
        EXPECT_TRUE(control<QPushButton>(*w.dlg, "CmdSend", 0)->isEnabled()) << c.name;
    }
}

} // namespace
} // namespace quellin::test
