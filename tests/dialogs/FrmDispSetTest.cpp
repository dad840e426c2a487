// The environment settings dialog with the link's real handlers and a recorded
// line: it opens disabled, shows what the meter answered, refuses invalid fields
// on their tab with the focus on them, lets only its characters into its fields,
// and sends what is shown. With QUELLIN_SCREENSHOT_DIR set, every page is saved.

#include "dialogs/FrmDispSet.h"
#include "Catalogue.h"
#include "DialogShots.h"
#include "link/LinkDoubles.h"
#include "link/SettingsExchange.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

// A version-2 meter's answers to the read list, after "RMD000".
QStringList meterAnswers(int version)
{
    QStringList a = {"RMD200",
                     "RCF021230.5",
                     "RCF030060",
                     "RCF040400",
                     "RCF063",
                     "RCF072002/06/02 09:00",
                     "RCF082002/06/02 17:00",
                     "RCF012",
                     "RCF051",
                     "RCM19200E71"};
    if (version < 2)
        return a;
    const char* outputs[6][5] = {{"05", "1", "10", "90", "05"},    {"08", "1", "10", "90", "05"},
                                 {"1", "030.0", "05", "80", "03"}, {"2", "100.0", "05", "80", "03"},
                                 {"1", "60", "30", "90", "10"},    {"2", "45", "30", "90", "10"}};
    for (int n = 10; n <= 39; ++n)
        a << QStringLiteral("RCF%1").arg(n) + QLatin1String(outputs[(n - 10) / 5][(n - 10) % 5]);
    return a;
}

struct DispSetWindow : LinkFixture {
    explicit DispSetWindow(int version)
    {
        clients.settingsExchange = &handler;
        ctx().app.HardVersion = version;
        giveTestCatalogue(ctx(), version);
        dlg = std::make_unique<FrmDispSet>(ctx(), seq);
        dlg->show();
    }
    void answerRead()
    {
        for (const QString& a : meterAnswers(ctx().app.HardVersion))
            line(a);
    }
    void type(QWidget* w, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }

    SettingsExchange handler;
    std::unique_ptr<FrmDispSet> dlg;
};

class DispSetVersions : public ::testing::TestWithParam<int> {};

TEST_P(DispSetVersions, ShowsTheMetersSettingsAndSendsThemBack)
{
    const int version = GetParam();
    DispSetWindow w(version);
    FrmDispSet& d = *w.dlg;
    EXPECT_FALSE(d.isEnabled());
    EXPECT_EQ(w.tc.pointer.current, 11);
    EXPECT_EQ(w.sent(), QStringList{"CMD"});
    w.answerRead();

    EXPECT_TRUE(d.isEnabled());
    EXPECT_EQ(w.tc.pointer.current, 0);
    EXPECT_TRUE(d.Tmr1Sec->isActive());
    EXPECT_EQ(d.CmbDenatu->currentText(), "非接触");
    EXPECT_TRUE(d.TxtData[0]->isEnabled());
    EXPECT_EQ(d.TxtData[0]->text(), "230.5");
    EXPECT_EQ(d.TxtData[1]->text(), "60");
    EXPECT_EQ(d.CmbJikan->currentText(), "１５分");
    EXPECT_EQ(d.CmbRenge->currentText(), " 50 A");
    EXPECT_EQ(d.CmbTimer->currentText(), "タイマ ON ");
    EXPECT_EQ(d.TxtData[5]->text(), "2002/06/01 00:00:00");
    EXPECT_EQ(d.LblComm[1]->text(), "EVEN");
    for (QPushButton* selector : d.OptionSet)
        EXPECT_EQ(selector->isVisibleTo(&d), version >= 2);
    if (version >= 2) {
        EXPECT_EQ(d.TxtDataSb[8]->text(), "30.0");
        EXPECT_EQ(d.CmbSb[0]->currentText(), "ＫＷ");
        EXPECT_EQ(d.CmbSb[3]->currentText(), "２");
    }

    // The clock ticks until the send.
    w.tc.clock.value += 1.0 / 86400;
    d.Tmr1Sec_Timer();
    EXPECT_EQ(d.TxtData[5]->text(), "2002/06/01 00:00:01");

    d.CmbDenatu->setCurrentIndex(0);
    EXPECT_FALSE(d.TxtData[0]->isEnabled());
    d.TxtData[1]->setText("75");
    ASSERT_TRUE(d.CmdSend_Click());
    EXPECT_FALSE(d.isEnabled());
    EXPECT_FALSE(d.Tmr1Sec->isActive());
    EXPECT_EQ(w.lastSent(), "CMD");
    w.line("RMD200");
    QStringList sent = {"SCF020",
                        "SCF030075",
                        "SCF040400",
                        "SCF063",
                        "SCF072002/06/02 09:00",
                        "SCF082002/06/02 17:00",
                        "SCF012"};
    if (version >= 2)
        sent << "SCF1005"
             << "SCF111";
    for (const QString& command : sent) {
        EXPECT_EQ(w.lastSent(), command);
        w.line("OK");
    }
    while (w.lastSent() != "SCFW" && w.sent().size() < 100)
        w.line("OK");
    EXPECT_EQ(w.sent().mid(w.sent().size() - 3),
              (QStringList{"SCF051", "STM2002/06/01 00:00:01", "SCFW"}));
    EXPECT_EQ(w.sent().size(), 1 + 9 + (version >= 2 ? 30 : 0) + 1 + 10 + (version >= 2 ? 30 : 0));
    w.line("OK");
    EXPECT_EQ(w.tc.msg.texts(), QStringList{"送信を完了しました。"});
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(w.ctx().link.LinkState, link::State::Idle);
}

INSTANTIATE_TEST_SUITE_P(Versions, DispSetVersions, ::testing::Values(1, 2));

struct FocusCase {
    const char* name;
    int version;
    std::function<void(FrmDispSet&)> change;
    const char* message;
    std::function<QWidget*(FrmDispSet&)> focus;
    int tab;
};

class DispSetRefusal : public ::testing::TestWithParam<FocusCase> {};

TEST_P(DispSetRefusal, ShowsItsMessageOnItsTabWithTheFocusOnTheField)
{
    const FocusCase& c = GetParam();
    DispSetWindow w(c.version);
    w.answerRead();
    FrmDispSet& d = *w.dlg;
    d.OptionSet_Click(kTabTemperature * (c.version >= 2));
    c.change(d);
    EXPECT_FALSE(d.CmdSend_Click());
    ASSERT_EQ(w.tc.msg.shown.size(), 1u);
    EXPECT_EQ(w.tc.msg.shown[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(w.tc.msg.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(d.currentTab(), c.tab);
    EXPECT_EQ(d.focusWidget(), c.focus(d));
    EXPECT_TRUE(d.isEnabled());
    EXPECT_TRUE(d.Tmr1Sec->isActive());
    EXPECT_EQ(w.sent().size(), 1 + 9 + (c.version >= 2 ? 30 : 0)); // nothing more sent
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DispSetRefusal,
    ::testing::Values(
        FocusCase{"voltageVersion1", 1, [](FrmDispSet& d) { d.TxtData[0]->setText("3000"); },
                  "電圧値の設定を確認してください。", [](FrmDispSet& d) { return d.TxtData[0]; },
                  kTabEnvironment},
        FocusCase{"voltageVersion2", 2, [](FrmDispSet& d) { d.TxtData[0]->clear(); },
                  "電圧値は数値を設定してください。", [](FrmDispSet& d) { return d.TxtData[0]; },
                  kTabEnvironment},
        FocusCase{"leakageLevel", 2, [](FrmDispSet& d) { d.TxtDataSb[12]->setText("1000"); },
                  "漏電電流制御出力のレベルは小数点込みの５桁が制限です、確認してください。",
                  [](FrmDispSet& d) { return d.TxtDataSb[12]; }, kTabLeakage},
        FocusCase{"powerUnit", 2, [](FrmDispSet& d) { d.CmbSb[1]->setCurrentIndex(-1); },
                  "電力制御出力の単位設定を確認してください。",
                  [](FrmDispSet& d) { return d.CmbSb[1]; }, kTabPower}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DispSetKeys, FieldsTakeOnlyTheirCharactersAndEnterSendsNothing)
{
    DispSetWindow w(2);
    w.answerRead();
    FrmDispSet& d = *w.dlg;
    d.TxtData[1]->clear();
    w.type(d.TxtData[1], "1a2.-３4");
    EXPECT_EQ(d.TxtData[1]->text(), "124");
    d.TxtData[3]->clear();
    w.type(d.TxtData[3], "2024/1/2 3:04x");
    EXPECT_EQ(d.TxtData[3]->text(), "2024/1/23:04");
    d.TxtDataSb[8]->clear();
    w.type(d.TxtDataSb[8], "12.5e");
    EXPECT_EQ(d.TxtDataSb[8]->text(), "12.5");
    // A paste comes in only when all of it could have been typed.
    QApplication::clipboard()->setText("77\rSCFW");
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(d.TxtData[2], &paste);
    EXPECT_EQ(d.TxtData[2]->text(), "400");
    const int before = static_cast<int>(w.sent().size());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(d.TxtData[2], &enter);
    EXPECT_EQ(w.sent().size(), before);
    EXPECT_TRUE(d.TxtData[5]->isReadOnly());
}

TEST(DispSetClosing, WaitsWhileTheReadRunsAndEndsTheExchangeWhenClosed)
{
    DispSetWindow w(1);
    w.dlg->reject(); // Escape or the close box during the read
    EXPECT_TRUE(w.dlg->isVisible());
    w.answerRead();
    w.dlg->CmdClose_Click();
    EXPECT_FALSE(w.dlg->isVisible());
    w.dlg.reset();
    EXPECT_EQ(w.clients.dispSet, nullptr);
    EXPECT_EQ(w.ctx().link.LinkState, link::State::Idle);
}

TEST(DispSetClosing, ClosesWhenTheMetersStopTookTheLinkOver)
{
    DispSetWindow w(2);
    w.main.onCall = [&](const QString& call) {
        if (call == "KeisokuEnd_Req")
            w.seq.startStopExchange();
    };
    w.line("RMD000");
    w.line("STP"); // the stop exchange replaces the read: nothing will give the dialog back
    EXPECT_FALSE(w.dlg->isEnabled());
    w.dlg->reject();
    EXPECT_FALSE(w.dlg->isVisible());
    EXPECT_EQ(w.ctx().link.LinkState, link::State::MeasureStop);
}

class DispSetLayoutCheck : public ::testing::TestWithParam<int> {};

TEST_P(DispSetLayoutCheck, EveryPageFitsTheWindow)
{
    const int version = GetParam();
    DispSetWindow w(version);
    w.answerRead();
    FrmDispSet& d = *w.dlg;
    EXPECT_EQ(d.size(), QSize(506, 299));
    const char* names[4] = {"environment", "power", "leakage", "temperature"};
    for (int tab = 0; tab < (version >= 2 ? 4 : 1); ++tab) {
        SCOPED_TRACE(names[tab]);
        d.OptionSet_Click(tab);
        expectNothingClippedOrOverlapping(d);
        saveShot(d, QStringLiteral("dispset-v%1-%2.png").arg(version).arg(names[tab]));
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, DispSetLayoutCheck, ::testing::Values(1, 2));

} // namespace
} // namespace quellin::test
