#include "LinkDoubles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

QString twoPart(const QString& detail)
{
    return "msg:" + detail + "\r\n電力計を確認して下さい。";
}

const QString kNoData = twoPart("電力計からデータ送信されていません。");

struct TimeoutCase {
    int state;
    QStringList withWindows; // every window loaded
};

// The calls and messages of every row, in order. Without windows only the messages
// remain (and the main window's calls are skipped).
const std::vector<TimeoutCase> kRows = {
    {0, {"dispSet.enable", twoPart("現在の設定が取得できません。"), "dispSet.unload"}},
    {1, {"dispSet.enable", twoPart("現在の設定が取得できません。"), "dispSet.unload"}},
    {2, {"dispSet.enable", twoPart("設定できません。"), "dispSet.Tmr1Sec"}},
    {3, {"dispSet.enable", kNoData, "dispSet.Tmr1Sec", "main.KeisokuEnd"}},
    {4,
     {"keisokuMode.enable", twoPart("現在の計測モードが取得できません。"), "keisokuMode.unload"}},
    {5, {"keisokuMode.enable", twoPart("現在の計測モードが取得できません。")}},
    {6, {"keisokuMode.enable", twoPart("設定できません。")}},
    {7, {"download.enable", twoPart("メモリ一覧情報の受信に失敗しました。"), "download.unload"}},
    {8, {"download.enable", twoPart("メモリ一覧情報の受信に失敗しました。"), "download.unload"}},
    {9, {"download.enable", kNoData, "main.KeisokuEnd"}},
    {10, {"logingMem.enable", twoPart("現在のロギング状態が取得できません。"), "logingMem.unload"}},
    {11, {twoPart("ロギング設定できません。"), "logingMem.enable"}},
    {12, {twoPart("ロギング設定できません。"), "logingMem.enable"}},
    {13, {"logingMem.enable", twoPart("メモリ一覧情報の受信に失敗しました。"), "logingMem.unload"}},
    {14, {"logingMem.enable", twoPart("メモリ一覧情報の受信に失敗しました。"), "logingMem.unload"}},
    {15, {"msg:計測開始に失敗しました。"}},
    {16, {"msg:計測開始に失敗しました。"}},
    {17, {"msg:計測開始に失敗しました。"}},
    {18, {"main.KeisokuEnd"}},
    {19, {"main.clearBusyText", "download.enable", twoPart("ダウンロードに失敗しました。")}},
    {20, {"main.clearBusyText", "download.enable", twoPart("ダウンロードに失敗しました。")}},
    {21,
     {"main.clearBusyText", "logingMem.enable", twoPart("メモリクリアに失敗しました。"),
      "logingMem.unload"}},
    {22, {"version.ask", "version.bfVer_NoCheck:1"}},
    {23, {"version.ask", "version.bfVer_NoCheck:1"}},
    {99, {kNoData, "main.KeisokuEnd"}},
    {0x7fff, {kNoData, "main.KeisokuEnd"}},
};

class TimeoutTable : public ::testing::TestWithParam<TimeoutCase>, public LinkFixture {
protected:
    void fire()
    {
        enterState(static_cast<link::State>(GetParam().state));
        timer.active = true;
        tc.pointer.current = 11;
        seq.onTimeout();
    }
};

TEST_P(TimeoutTable, WithItsWindowsLoadedDoesTheWholeRowInOrder)
{
    fire();
    EXPECT_EQ(log.entries, GetParam().withWindows) << log.entries.join(" | ").toStdString();
}

TEST_P(TimeoutTable, WithoutWindowsStillShowsTheMessage)
{
    detachAll();
    fire();
    QStringList messagesOnly;
    for (const auto& e : GetParam().withWindows)
        if (e.startsWith("msg:"))
            messagesOnly << e;
    EXPECT_EQ(log.entries, messagesOnly);
}

TEST_P(TimeoutTable, SwitchesTheTimerOffAndThePointerToDefaultFirst)
{
    int pointerAtFirstCall = -1;
    bool timerAtFirstCall = true;
    auto capture = [&] {
        if (pointerAtFirstCall < 0) {
            pointerAtFirstCall = tc.pointer.current;
            timerAtFirstCall = timer.active;
        }
    };
    tc.msg.onShow = [&](const MessageRequest& r) {
        capture();
        log.add("msg:" + r.text);
    };
    main.onCall = [&](const QString&) { capture(); };
    fire();
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(tc.pointer.current, 0);
    if (pointerAtFirstCall >= 0) {
        EXPECT_EQ(pointerAtFirstCall, 0);
        EXPECT_FALSE(timerAtFirstCall);
    }
}

TEST_P(TimeoutTable, MessagesHaveAnOkButtonAndNoIcon)
{
    fire();
    for (const auto& box : tc.msg.shown) {
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(box.icon, MsgIcon::None);
    }
}

TEST_P(TimeoutTable, LeavesTheStateNumberToTheWindows)
{
    fire();
    const int state = GetParam().state;
    if (state == 22 || state == 23)
        EXPECT_EQ(seq.LinkState(), link::State::Idle); // the catalogue was built
    else if (state == 2 || state == 5 || state == 12)
        EXPECT_EQ(seq.LinkState(), link::State::Idle); // a late answer sends nothing
    else
        EXPECT_EQ(link::number(seq.LinkState()), state);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, TimeoutTable, ::testing::ValuesIn(kRows), [](const auto& info) {
    return "state" + std::to_string(info.param.state);
});

class TimeoutExtras : public ::testing::Test, public LinkFixture {};

TEST_F(TimeoutExtras, DownloadTimeOutClosesTheTemporaryFile)
{
    for (int state : {19, 20}) {
        test::DataSetAccess::setWriter(ctx().dataSet(),
                                       std::make_unique<QFile>(tc.path("TMP.DAT")));
        ASSERT_TRUE(test::DataSetAccess::writer(ctx().dataSet())->open(QIODevice::ReadWrite));
        enterState(static_cast<link::State>(state));
        seq.onTimeout();
        EXPECT_EQ(test::DataSetAccess::writer(ctx().dataSet()), nullptr) << "state " << state;
    }
}

TEST_F(TimeoutExtras, VersionTimeOutAnsweredNoAssumesVersionTwo)
{
    version.answerVersion1 = false;
    enterState(link::State::VersionSle);
    seq.onTimeout();
    EXPECT_EQ(ctx().app.HardVersion, 2);
}

} // namespace
} // namespace quellin::test
