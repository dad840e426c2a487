#include "LinkDoubles.h"

#include "platform/VbError.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kStp = "msg:本体側で中断されました。";
const QString kLow = "msg:本体側のバッテリがありません。";
const QString kPortLost =
    "msg:通信ポート1 が使用できなくなりました。\r\n"
    "ケーブルを確認して下さい。同じポートが使えるようになると、自動的に開き直します。";

class LinkInputTest : public ::testing::Test, public LinkFixture {
protected:
    // Runs action once, from inside the first message box shown.
    void whileFirstBoxIsOpen(std::function<void()> action)
    {
        tc.msg.onShow = [this, action, done = false](const MessageRequest& r) mutable {
            log.add("msg:" + r.text);
            if (!done) {
                done = true;
                action();
            }
        };
    }
};

TEST_F(LinkInputTest, LinesArrivingWhileABoxIsOpenAreHandledAfterTheCurrentLine)
{
    enterState(link::State::SettingsStatus);
    whileFirstBoxIsOpen([this] {
        EXPECT_TRUE(input.busy());
        receive("\rLOW\r");
        // Nothing of it has run yet: the box belongs to the line being handled.
        EXPECT_EQ(log.entries, QStringList{kStp});
    });
    receive("STP\rOK");
    EXPECT_EQ(log.entries, (QStringList{kStp, "main.KeisokuEnd_Req", "settings:0:2:OK", kLow}));
    EXPECT_FALSE(input.busy());
}

TEST_F(LinkInputTest, BytesOfOneReadAfterTheLineWithTheBoxKeepTheirOrder)
{
    enterState(link::State::SettingsStatus);
    whileFirstBoxIsOpen([this] { receive("C\rD\r"); });
    receive("LOW\rA\rB");
    EXPECT_EQ(log.entries,
              (QStringList{kLow, "settings:0:1:A", "settings:0:2:BC", "settings:0:1:D"}));
}

TEST_F(LinkInputTest, NestedBoxesInsideQueuedLinesAreDrainedToo)
{
    int depth = 0;
    int maxDepth = 0;
    tc.msg.onShow = [&](const MessageRequest& r) {
        log.add("msg:" + r.text);
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (log.entries.size() < 4)
            receive("LOW\r");
        --depth;
    };
    receive("LOW\r");
    EXPECT_EQ(log.entries, (QStringList{kLow, kLow, kLow, kLow}));
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(LinkInputTest, TimeOutFiringWhileALineIsHandledRunsAfterIt)
{
    seq.startMeasurementRequest();
    whileFirstBoxIsOpen([this] { input.timerFired(); });
    line("LOW");
    EXPECT_EQ(log.entries, (QStringList{kLow, "msg:計測開始に失敗しました。"}));
}

TEST_F(LinkInputTest, QueuedTimeOutIsDroppedWhenTheTimerWasSwitchedMeanwhile)
{
    seq.startMeasurementRequest();
    main.onCall = [this](const QString& call) {
        if (call == "KeisokuEnd_Req")
            seq.startStopExchange();
    };
    whileFirstBoxIsOpen([this] { input.timerFired(); });
    line("STP");
    EXPECT_EQ(log.entries, (QStringList{kStp, "main.KeisokuEnd_Req"}));
    EXPECT_EQ(seq.LinkState(), link::State::MeasureStop);
    EXPECT_EQ(lastSent(), "SLE");
    EXPECT_TRUE(timer.active);
}

TEST_F(LinkInputTest, TimeOutOutsideAnyLineRunsAtOnce)
{
    enterState(link::State::MeasureSend);
    input.timerFired();
    EXPECT_EQ(log.entries, QStringList{"msg:計測開始に失敗しました。"});
}

TEST_F(LinkInputTest, ErrorInAWindowCalledBackIsReportedAndTheNextLineStillHandled)
{
    main.onCall = [](const QString& call) {
        if (call == "KeisokuEnd_Req")
            throw VbError(ErrorNumber::FileIo, "装置入出力エラーです。");
    };
    enterState(link::State::SettingsStatus);
    receive("STP\rOK\r");
    ASSERT_EQ(tc.msg.shown.size(), 2u);
    EXPECT_EQ(tc.msg.shown[1].title, "エラー");
    EXPECT_TRUE(tc.msg.shown[1].text.startsWith("Mscomm_OnComm"));
    EXPECT_TRUE(log.entries.contains("settings:0:2:OK"));
}

TEST_F(LinkInputTest, ResetForgetsThePartialLine)
{
    enterState(link::State::SettingsStatus);
    receive("RMD0");
    input.reset();
    receive("OK\r");
    EXPECT_EQ(log.entries, QStringList{"settings:0:2:OK"});
}

// --- The port becomes unusable ---------------------------------------------------------

struct PortLostCase {
    const char* name;
    bool measuring;
    int state;
    bool timerOn;
    bool downloadFileOpen;
    QStringList expected; // after the port-lost message
};

class PortLost : public ::testing::TestWithParam<PortLostCase>, public LinkFixture {};

TEST_P(PortLost, TellsTheUserOnceAndEndsWhatWasWaiting)
{
    const PortLostCase& c = GetParam();
    ctx().app.Measuring = c.measuring;
    enterState(static_cast<link::State>(c.state));
    timer.active = c.timerOn;
    if (c.downloadFileOpen) {
        test::DataSetAccess::setWriter(ctx().dataSet(),
                                       std::make_unique<QFile>(tc.path("TMP.DAT")));
        ASSERT_TRUE(test::DataSetAccess::writer(ctx().dataSet())->open(QIODevice::ReadWrite));
    }
    input.portLost("1");
    QStringList expected{kPortLost};
    expected += c.expected;
    EXPECT_EQ(log.entries, expected) << log.entries.join(" | ").toStdString();
    EXPECT_FALSE(timer.active);
    ASSERT_FALSE(tc.msg.shown.empty());
    EXPECT_EQ(tc.msg.shown[0].icon, MsgIcon::Exclamation);
}

INSTANTIATE_TEST_SUITE_P(
    LinkInput, PortLost,
    ::testing::Values(
        PortLostCase{"idle", false, 99, false, false, {}},
        PortLostCase{"measuring", true, 99, false, false, {"main.linkLost"}},
        PortLostCase{"stoppingAMeasurement", true, 18, true, false, {"main.linkLost"}},
        PortLostCase{
            "startingAMeasurement", false, 16, true, false, {"msg:計測開始に失敗しました。"}},
        PortLostCase{"readingSettings",
                     false,
                     1,
                     true,
                     false,
                     {"dispSet.enable",
                      "msg:現在の設定が取得できません。\r\n電力計を確認して下さい。",
                      "dispSet.unload"}},
        PortLostCase{"readingTheVersion",
                     false,
                     23,
                     true,
                     false,
                     {"version.ask", "version.bfVer_NoCheck:1"}},
        PortLostCase{"downloadBeforeItsFirstLine",
                     false,
                     20,
                     false,
                     true,
                     {"main.clearBusyText", "download.enable",
                      "msg:ダウンロードに失敗しました。\r\n電力計を確認して下さい。"}},
        PortLostCase{"downloadAlreadyRefused", false, 20, false, false, {}},
        PortLostCase{"settingsWhileMeasuring",
                     true,
                     12,
                     true,
                     false,
                     {"main.linkLost", "msg:ロギング設定できません。\r\n電力計を確認して下さい。",
                      "logingMem.enable"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin::test
