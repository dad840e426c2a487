// The measurement mode dialog with the link's real handler and a recorded line:
// it shows the meter's status, offers the opposite measuring state, sends one
// row at a time and shows the status read afterwards.

#include "dialogs/FrmKeisokuMode.h"
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

TEST(KeisokuModeWindow, ShowsTheStatusAndSendsTheChosenLine)
{
    ModeWindow w;
    FrmKeisokuMode& d = *w.dlg;
    EXPECT_FALSE(d.isEnabled());
    EXPECT_EQ(w.sent(), QStringList{"CMD"});
    w.line("RMD200");
    EXPECT_TRUE(d.isEnabled());
    EXPECT_EQ(d.LblKeisoku[0]->text(), "三相３線式");
    EXPECT_EQ(d.LblKeisoku[1]->text(), "計測なし");
    // The state row offers the opposite, ready to send; the line row waits for a pick.
    EXPECT_EQ(d.CmbData[1]->currentText(), "計測 ON ");
    EXPECT_TRUE(d.CmdSend[1]->isEnabled());
    EXPECT_EQ(d.CmbData[0]->currentIndex(), -1);
    EXPECT_FALSE(d.CmdSend[0]->isEnabled());

    d.CmbData[0]->setCurrentIndex(1);
    ASSERT_TRUE(d.CmdSend[0]->isEnabled());
    d.CmdSend[0]->click();
    EXPECT_FALSE(d.isEnabled());
    w.line("RMD200");
    EXPECT_EQ(w.lastSent(), "SMD01");
    w.line("OK");
    EXPECT_EQ(w.tc.msg.texts(), QStringList{"送信を完了しました。"});
    EXPECT_EQ(w.lastSent(), "CMD");
    EXPECT_FALSE(d.CmdSend[0]->isEnabled());
    w.line("RMD100");
    EXPECT_EQ(d.LblKeisoku[0]->text(), "単相３線式");
    EXPECT_EQ(d.CmbData[0]->currentIndex(), -1);
    EXPECT_TRUE(d.CmdSend[1]->isEnabled());
    EXPECT_TRUE(d.isEnabled());
    EXPECT_EQ(w.sent(), (QStringList{"CMD", "CMD", "SMD01", "CMD"}));
}

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
    w.dlg->CmbData[0]->setCurrentIndex(2);
    expectNothingClippedOrOverlapping(*w.dlg);
    saveShot(*w.dlg, QStringLiteral("keisokumode-v%1.png").arg(GetParam().version));
}

// A single-phase version-1 meter that measures, an idle three-phase version-2 meter.
INSTANTIATE_TEST_SUITE_P(Versions, KeisokuModeLayout,
                         ::testing::Values(ShotCase{1, "RMD110"}, ShotCase{2, "RMD200"}));

TEST(KeisokuModeWindow, StatusWithAnUnknownLineKeepsTheLabel)
{
    ModeWindow w;
    w.line("RMD110");
    EXPECT_EQ(w.dlg->LblKeisoku[0]->text(), "単相３線式");
    EXPECT_EQ(w.dlg->CmbData[1]->currentText(), "計測 OFF");
    w.dlg->CmdSend[1]->click();
    w.line("RMD910");
    EXPECT_EQ(w.lastSent(), "SMD10");
    w.line("OK");
    w.line("RMD900");
    EXPECT_EQ(w.dlg->LblKeisoku[0]->text(), "単相３線式");
    EXPECT_EQ(w.dlg->LblKeisoku[1]->text(), "計測なし");
    w.dlg->reject();
    EXPECT_FALSE(w.dlg->isVisible());
    EXPECT_EQ(w.ctx().link.LinkState, link::State::Idle);
}

} // namespace
} // namespace quellin::test
