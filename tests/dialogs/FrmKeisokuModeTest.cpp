// The measurement mode dialog with the link's real handler and a recorded line:
// a status digit it does not know leaves its label as it was, and the dialog fits
// its window (saved with QUELLIN_SCREENSHOT_DIR set).

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
