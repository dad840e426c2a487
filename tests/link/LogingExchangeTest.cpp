// The logging memory dialog's exchanges (states 10 to 14, 21) with the real
// handler: starting and stopping the meter's logging, its memory list, clearing.

#include "MemoryLinkDoubles.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kDone = QStringLiteral("msg:送信を完了しました。");

class LogingExchangeTest : public ::testing::Test, public MemoryLinkFixture {
protected:
    void startSend(int newState)
    {
        seq.startExchange(
            link::State::LogingSendStatus,
            {makeStep("CMD", 6), makeStep(QStringLiteral("SMD2%1").arg(newState), 2)});
    }
};

TEST_F(LogingExchangeTest, TheStatusIsShownByDataDisp)
{
    seq.startExchange(link::State::LogingStatus, {makeStep("CMD", 6)});
    line("RMD2");
    line("RMD211");
    EXPECT_EQ(log.entries, QStringList{"logingMem.DataDisp"});
    EXPECT_EQ(ctx().link.ExchangeList[0].ReplyData, "211");
    EXPECT_FALSE(timer.active);
}

struct SendCase {
    int newState;       // 0 stop, 1 start
    QString status;     // the answer to "CMD"
    bool sent;          // "SMD2n" goes out
    QStringList before; // calls before DataDisp when it is not sent
};

class LogingSend : public ::testing::TestWithParam<SendCase>, public MemoryLinkFixture {};

TEST_P(LogingSend, TheStatusDecidesWhetherTheCommandIsSent)
{
    const SendCase& c = GetParam();
    seq.startExchange(link::State::LogingSendStatus,
                      {makeStep("CMD", 6), makeStep(QStringLiteral("SMD2%1").arg(c.newState), 2)});
    line(c.status);
    if (c.sent) {
        EXPECT_EQ(sent().back(), QStringLiteral("SMD2%1").arg(c.newState));
        EXPECT_EQ(ctx().link.LinkState, link::State::LogingSend);
        EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();
        return;
    }
    EXPECT_EQ(sent(), QStringList{"CMD"});
    EXPECT_EQ(log.entries, c.before + QStringList{"logingMem.DataDisp"});
    // Stepped back: DataDisp shows the status just read.
    EXPECT_EQ(ctx().link.ExchangeIndex, 0);
    EXPECT_EQ(ctx().link.ExchangeList[0].ReplyData, c.status.mid(3));
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, LogingSend,
    ::testing::Values(SendCase{0, "RMD211", true, {}},
                      SendCase{0, "RMD210", false, {"logingMem.enable", kDone}},
                      SendCase{1, "RMD211", false, {"logingMem.enable", kDone}},
                      SendCase{
                          1,
                          "RMD200",
                          false,
                          {"logingMem.enable",
                           "msg:電力計が計測中でないため設定できません。\r\n計測中にして下さい。"}},
                      SendCase{1, "RMD210", true, {}}));

TEST_F(LogingExchangeTest, AnAcceptedCommandReadsTheStatusAgain)
{
    startSend(1);
    line("RMD210");
    line("OK");
    EXPECT_EQ(sent(), (QStringList{"CMD", "SMD21", "CMD"}));
    EXPECT_EQ(ctx().link.LinkState, link::State::LogingStatus);
    EXPECT_EQ(log.entries, QStringList{kDone});
    line("RMD211");
    EXPECT_EQ(log.entries.back(), "logingMem.DataDisp");
}

TEST_F(LogingExchangeTest, ARefusedCommandSaysWhy)
{
    struct Case {
        int newState;
        QString status, message;
    };
    for (const Case& c :
         {Case{1, "RMD210",
               "ロギング用の空きメモリがありません。\r\nメモリをどれかクリアして下さい。"},
          Case{0, "RMD211", "設定できません。\r\n電力計を確認して下さい。"}}) {
        log.clear();
        startSend(c.newState);
        line(c.status);
        line("OKAY"); // not a two-character answer: ignored
        EXPECT_TRUE(log.entries.isEmpty());
        line("NG");
        EXPECT_EQ(log.entries, (QStringList{"logingMem.enable", "msg:" + c.message}));
        EXPECT_EQ(tc.pointer.current, 0);
    }
}

TEST_F(LogingExchangeTest, TheMemoryListOrWhyThereIsNone)
{
    struct Case {
        QString answer;
        QStringList calls;
    };
    for (const Case& c :
         {Case{"NG",
               {"logingMem.line:電力計が計測中はメモリ一覧を取得できません。", "logingMem.enable"}},
          Case{"RBN000",
               {"main.clearBusyText", "logingMem.line:有効なメモリはありません。",
                "logingMem.enable"}}}) {
        log.clear();
        seq.startExchange(link::State::MemoryCount, {makeStep("CBN", 6)});
        line(c.answer);
        EXPECT_EQ(log.entries, c.calls) << c.answer.toStdString();
        EXPECT_FALSE(timer.active);
    }
    log.clear();
    transport.writes.clear();
    seq.startExchange(link::State::MemoryCount, {makeStep("CBN", 6)});
    answer(
        [](const QString& c) -> QString { return c == "CBN" ? "RBN002" : "R" + c.mid(1) + "8"; });
    EXPECT_EQ(sent().size(), 11);
    EXPECT_EQ(sent().back(), "CMI14");
    EXPECT_EQ(log.entries, QStringList{"logingMem.DispMemory"});
}

TEST_F(LogingExchangeTest, ClearingKeepsAliveOnProgressLinesThenReadsTheListAgain)
{
    seq.startExchange(link::State::MemoryClear,
                      {makeStep("SCB2", 2, "OK", 2), makeStep("SCB3", 2, "OK", 2)});
    const int startsBefore = timer.starts;
    for (const QString progress : {"CLR2", "CPY3", "CLR4"})
        line(progress);
    EXPECT_EQ(timer.starts, startsBefore + 3);
    EXPECT_TRUE(timer.active);
    line("CLR22"); // five characters: not a progress line
    line("XX");
    EXPECT_EQ(sent(), QStringList{"SCB2"});
    line("OK");
    line("OK");
    EXPECT_EQ(sent(), (QStringList{"SCB2", "SCB3", "CBN"}));
    EXPECT_EQ(ctx().link.LinkState, link::State::MemoryCount);
    EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();
}

TEST_F(LogingExchangeTest, AClearRefusedWhileMeasuringGivesTheDialogBack)
{
    seq.startExchange(link::State::MemoryClear, {makeStep("SCB7", 2, "OK", 2)});
    line("NG");
    EXPECT_EQ(
        log.entries,
        (QStringList{"main.clearBusyText", "logingMem.enable",
                     "msg:電力計が計測中はメモリクリアできません。\r\n計測を終了して下さい。"}));
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(tc.pointer.current, 0);
}

} // namespace
} // namespace quellin::test
