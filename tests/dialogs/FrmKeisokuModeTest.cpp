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

} // namespace
} // namespace quellin::test
