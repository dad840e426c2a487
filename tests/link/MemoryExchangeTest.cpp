// The download dialog's exchanges (states 7 to 9, 19, 20) with the real handler:
// what each answer sends next and which window calls follow.

#include "MemoryLinkDoubles.h"
#include "store/ModFile.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kCheck = QStringLiteral("\r\n電力計を確認して下さい。");

class MemoryExchangeTest : public ::testing::Test, public MemoryLinkFixture {
protected:
    void startList() { seq.startExchange(link::State::DownloadListStatus, {makeStep("CMD", 6)}); }
    // A download of the given "CMM" commands, TMP.DAT open as the dialog leaves it.
    void startDownload(const QStringList& commands)
    {
        OpenTmpForAppend(ctx());
        std::vector<ExchangeStep> steps{makeStep("CMD", 6)};
        for (const QString& c : commands)
            steps.push_back(makeStep(c, -1));
        seq.startExchange(link::State::DownloadStatus, steps);
        log.clear();
    }
};

TEST_F(MemoryExchangeTest, ThreeBlocksAreReadWithFifteenCmiCommandsThenDispMemory)
{
    startList();
    answer([](const QString& c) -> QString {
        if (c == "CMD")
            return "RMD200";
        if (c == "CBN")
            return "RBN003";
        return "R" + c.mid(1) + "0"; // every item answered
    });
    QStringList expected{"CMD", "CBN"};
    for (int b = 0; b < 3; ++b)
        for (int k = 0; k < 5; ++k)
            expected << QStringLiteral("CMI%1%2").arg(b).arg(k);
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(log.entries, QStringList{"download.DispMemory"});
    EXPECT_EQ(ctx().link.ExchangeLast, 14);
    EXPECT_EQ(ctx().link.ExchangeList[14].ReplyData, "0");
    EXPECT_FALSE(timer.active);
}

TEST_F(MemoryExchangeTest, AMeasuringOrEmptyMeterListsWhyInASingleLine)
{
    struct Case {
        QString status, count, line;
    };
    for (const Case& c : {Case{"RMD210", "", "電力計が計測中はメモリ一覧を取得できません。"},
                          Case{"RMD2X0", "", "電力計が計測中はメモリ一覧を取得できません。"},
                          Case{"RMD000", "RBN000", "有効なメモリはありません。"}}) {
        log.clear();
        transport.writes.clear();
        tc.pointer.current = 11;
        startList();
        line(c.status);
        if (!c.count.isEmpty())
            line(c.count);
        EXPECT_EQ(log.entries, (QStringList{"download.enable", "download.line:" + c.line}))
            << c.status.toStdString();
        EXPECT_EQ(tc.pointer.current, 0);
        EXPECT_FALSE(timer.active);
    }
}

TEST_F(MemoryExchangeTest, AnswersThatAreNotTheAwaitedOneAreLeftToTheTimeOut)
{
    startList();
    for (const QString bad : {"RMD20", "XMD200", "NG"})
        line(bad);
    EXPECT_EQ(sent(), QStringList{"CMD"});
    line("RMD200");
    for (const QString bad : {"NG", "RBN", "RBNXYZ", "RBN-01", "RBN1000"})
        line(bad);
    EXPECT_EQ(sent(), (QStringList{"CMD", "CBN"}));
    EXPECT_EQ(ctx().link.LinkState, link::State::DownloadListCount);
    EXPECT_TRUE(timer.active);
    EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();
}

TEST_F(MemoryExchangeTest, ADownloadTakesEveryRecordLineAndNeverTheBlockEnd)
{
    startDownload({"CMM000000002", "CMM100000001"});
    line("RMD200");
    EXPECT_EQ(ctx().link.LinkState, link::State::DownloadData);
    // The first command is watched by the time-out like every other.
    EXPECT_TRUE(timer.active);
    line("RMM0000,41200000");
    line("rmm0001,C1200000");
    line("RMME");
    line("garbage");
    line("RMM0000,00000000");
    EXPECT_TRUE(timer.active);
    line("RMME");
    EXPECT_EQ(sent(), (QStringList{"CMD", "CMM000000002", "CMM100000001"}));
    EXPECT_EQ(log.entries,
              (QStringList{"main.Download_Recv:0000,41200000", "main.Download_Recv:0001,C1200000",
                           "main.Download_Recv:0000,00000000", "main.clearBusyText",
                           "main.DispDownload", "download.unload"}));
    EXPECT_EQ(ctx().store.TmpFileNo, nullptr);
    EXPECT_EQ(ctx().link.LinkState, link::State::Idle);
    EXPECT_EQ(tc.pointer.current, 0);
    EXPECT_FALSE(timer.active);
}

TEST_F(MemoryExchangeTest, AMeasuringMeterRefusesTheDownloadAndTheButtonIsDisabled)
{
    startDownload({"CMM000000120"});
    line("RMD210");
    EXPECT_EQ(sent(), QStringList{"CMD"});
    EXPECT_EQ(log.entries,
              (QStringList{"main.downloadAbandoned", "main.clearBusyText", "download.enable",
                           "msg:電力計が計測中はダウンロードできません。\r\n計測を終了して下さい。",
                           "download.disableDownload"}));
    EXPECT_EQ(ctx().store.TmpFileNo, nullptr);
}

TEST_F(MemoryExchangeTest, NgDuringTheDownloadEndsItAndLaterLinesAreNotTaken)
{
    startDownload({"CMM000000120"});
    line("RMD200");
    line("RMM0000,41200000");
    log.clear();
    line("NG");
    line("RMM0001,41200000");
    line("RMME");
    EXPECT_EQ(log.entries, (QStringList{"main.clearBusyText", "main.downloadAbandoned",
                                        "msg:ダウンロードできません。", "download.enable"}));
    EXPECT_EQ(ctx().store.TmpFileNo, nullptr);
    EXPECT_FALSE(timer.active);
}

TEST_F(MemoryExchangeTest, ATimeOutOrALostPortDiscardsWhatWasReceived)
{
    for (const bool portLost : {false, true}) {
        startDownload({"CMM000000120"});
        line("RMD200");
        line("RMM0000,41200000");
        log.clear();
        if (portLost)
            seq.portLost("1");
        else
            seq.onTimeout();
        EXPECT_TRUE(log.entries.contains("main.downloadAbandoned")) << portLost;
        EXPECT_TRUE(log.entries.contains("msg:ダウンロードに失敗しました。" + kCheck)) << portLost;
        // Lines that still arrive belong to no download.
        log.clear();
        line("RMM0001,41200000");
        line("RMME");
        EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();
    }
}

TEST_F(MemoryExchangeTest, ADetachedDialogIsNoLongerCalled)
{
    memory.detach(&download);
    EXPECT_EQ(clients.download, nullptr);
    startList();
    line("RMD210");
    EXPECT_TRUE(log.entries.isEmpty());
    // Only the attached dialog detaches.
    RecordingDownloadDialog other{log, "other"};
    memory.attach(&download);
    memory.detach(&other);
    EXPECT_EQ(clients.download, &download);
}

} // namespace
} // namespace quellin::test
