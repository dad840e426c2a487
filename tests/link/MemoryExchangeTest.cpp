// The memory dialogs' exchanges with their real handlers: the download dialog's
// list and download (states 7-9, 19, 20) and the logging dialog's logging, list
// and clear (10-14, 21). Every call into the main window and the dialogs is
// logged in order.

#include "link/MemoryExchange.h"
#include "LinkDoubles.h"
#include "base/MemoryClients.h"
#include "link/LogingExchange.h"
#include "store/ModFile.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kDone = QStringLiteral("msg:送信を完了しました。");

class DownloadMainDouble : public RecordingMain {
public:
    explicit DownloadMainDouble(CallLog& log) : RecordingMain(log), log_(log) {}
    void Download_Recv(const QString& text) override { log_.add("main.Download_Recv:" + text); }
    void DispDownload() override { log_.add("main.DispDownload"); }
    void downloadAbandoned() override { log_.add("main.downloadAbandoned"); }

private:
    CallLog& log_;
};

// Both memory dialogs in one double ("dlg." in the log).
class MemoryDialogDouble : public DownloadDialogClient, public LogingMemDialogClient {
public:
    explicit MemoryDialogDouble(CallLog& log) : log_(log) {}
    void setEnabled(bool on) override { log_.add(on ? "dlg.enable" : "dlg.disable"); }
    void unload() override { log_.add("dlg.unload"); }
    void DataDisp(const ExchangeReplies& r) override
    {
        log_.add("dlg.DataDisp");
        replies = r;
    }
    void DispMemory(const ExchangeReplies& r) override
    {
        log_.add("dlg.DispMemory");
        replies = r;
    }
    void showSingleLine(const QString& text) override { log_.add("dlg.line:" + text); }
    void disableDownload() override { log_.add("dlg.disableDownload"); }

    ExchangeReplies replies; // what the last DataDisp or DispMemory was given

private:
    CallLog& log_;
};

struct MemoryExchanges : ::testing::Test {
    MemoryExchanges()
    {
        tc.msg.onShow = [this](const MessageRequest& r) { log.add("msg:" + r.text); };
        clients.main = &main;
        clients.memoryExchange = &memory;
        clients.logingExchange = &loging;
        memory.attach(&dialog);
        loging.attach(&dialog);
    }
    Context& ctx() { return *tc.ctx; }
    void line(const QString& text) { input.bytesReceived((text + '\r').toLatin1()); }
    QStringList sent() const { return transport.commands(); }
    void start(link::State state, const QStringList& commands)
    {
        std::vector<ExchangeStep> steps;
        for (const QString& c : commands)
            steps.push_back(c.startsWith("SCB")   ? makeStep(c, 2, "OK", 2)
                            : c.startsWith("CMM") ? makeStep(c, -1)
                                                  : makeStep(c, c.size() == 3 ? 6 : 2));
        if (state == link::State::DownloadStatus)
            ctx().dataSet().OpenTmpForAppend(); // as the download dialog leaves it
        seq.startExchange(state, steps);
        log.clear();
    }

    TestContext tc;
    CallLog log;
    FakeTransport transport;
    FakeTimer timer;
    DownloadMainDouble main{log};
    MemoryDialogDouble dialog{log};
    LinkClients clients;
    MemoryExchange memory{clients};
    LogingExchange loging{clients};
    Sequencer seq{*tc.ctx, transport, timer, clients};
    LinkInput input{seq};
};

TEST_F(MemoryExchanges, AMeasuringOrEmptyMeterListsWhyInASingleLine)
{
    for (const auto& [state, answers, text] :
         std::vector<std::tuple<link::State, QStringList, QString>>{
             {link::State::DownloadListStatus,
              {"RMD210"},
              "電力計が計測中はメモリ一覧を取得できません。"},
             {link::State::DownloadListStatus, {"RMD000", "RBN000"}, "有効なメモリはありません。"},
             {link::State::MemoryCount, {"NG"}, "電力計が計測中はメモリ一覧を取得できません。"},
             {link::State::MemoryCount, {"RBN000"}, "有効なメモリはありません。"}}) {
        start(state, {state == link::State::MemoryCount ? "CBN" : "CMD"});
        tc.pointer.current = 11;
        for (const QString& a : answers)
            line(a);
        EXPECT_TRUE(log.entries.contains("dlg.line:" + text))
            << log.entries.join('|').toStdString();
        EXPECT_TRUE(log.entries.contains("dlg.enable"));
        EXPECT_EQ(tc.pointer.current, 0);
        EXPECT_FALSE(timer.active);
    }
}

// Both memory lists end with the link idle and the five answers of every block
// handed to the dialog.
TEST_F(MemoryExchanges, AListReadEndsIdleAndHandsTheDialogEveryAnswer)
{
    const QStringList info = {"RMI000", "RMI012", "RMI022002/06/01 10:00", "RMI0342480000",
                              "RMI041234"};
    for (const auto& [state, first] :
         {std::pair{link::State::DownloadListStatus, QStringList{"RMD000", "RBN001"}},
          std::pair{link::State::MemoryCount, QStringList{"RBN001"}}}) {
        start(state, {state == link::State::MemoryCount ? "CBN" : "CMD"});
        for (const QString& a : first + info)
            line(a);
        EXPECT_EQ(log.entries, QStringList{"dlg.DispMemory"});
        EXPECT_EQ(dialog.replies, (QStringList{"0", "2", "2002/06/01 10:00", "42480000", "1234"}));
        EXPECT_EQ(seq.LinkState(), link::State::Idle);
        EXPECT_FALSE(timer.active);
    }
}

TEST_F(MemoryExchanges, ADownloadTakesEveryRecordLineAndNeverTheBlockEnd)
{
    start(link::State::DownloadStatus, {"CMD", "CMM000000002", "CMM100000001"});
    line("RMD200");
    EXPECT_TRUE(timer.active); // the first command is watched as well
    for (const QString l :
         {"RMM0000,41200000", "rmm0001,C1200000", "RMME", "garbage", "RMM0000,00000000", "RMME"})
        line(l);
    EXPECT_EQ(sent(), (QStringList{"CMD", "CMM000000002", "CMM100000001"}));
    EXPECT_EQ(log.entries,
              (QStringList{"main.Download_Recv:0000,41200000", "main.Download_Recv:0001,C1200000",
                           "main.Download_Recv:0000,00000000", "main.clearBusyText",
                           "main.DispDownload", "dlg.unload"}));
    EXPECT_EQ(test::DataSetAccess::writer(ctx().dataSet()), nullptr);
    EXPECT_EQ(seq.LinkState(), link::State::Idle);
    EXPECT_FALSE(timer.active);
}

TEST_F(MemoryExchanges, ARefusedOrFailedDownloadIsDiscardedAndLaterLinesAreNotTaken)
{
    start(link::State::DownloadStatus, {"CMD", "CMM000000120"});
    line("RMD210");
    EXPECT_EQ(log.entries,
              (QStringList{"main.downloadAbandoned", "main.clearBusyText", "dlg.enable",
                           "msg:電力計が計測中はダウンロードできません。\r\n計測を終了して下さい。",
                           "dlg.disableDownload"}));
    for (const int failure : {0, 1, 2}) { // "NG", time-out, port lost
        start(link::State::DownloadStatus, {"CMD", "CMM000000120"});
        line("RMD200");
        line("RMM0000,41200000");
        log.clear();
        if (failure == 0)
            line("NG");
        else if (failure == 1)
            seq.onTimeout();
        else
            seq.portLost("1");
        EXPECT_TRUE(log.entries.contains("main.downloadAbandoned")) << failure;
        EXPECT_TRUE(log.entries.contains(failure == 0 ? "msg:ダウンロードできません。"
                                                      : "msg:ダウンロードに失敗しました。\r\n"
                                                        "電力計を確認して下さい。"))
            << failure;
        EXPECT_EQ(test::DataSetAccess::writer(ctx().dataSet()), nullptr);
        log.clear();
        line("RMM0001,41200000");
        line("RMME");
        EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();
    }
}

// A cancelled download asks for no further block; the block under way drains
// without a record taken, and then (or at once, before any block) what was
// received is discarded. A cancel is not carried over to the next download.
TEST_F(MemoryExchanges, ACancelledDownloadDrainsItsBlockAndDiscardsWhatCame)
{
    struct Case {
        const char* name;
        QStringList before; // answers before the cancel
        QStringList after;  // answers after it
        QStringList sent;
    };
    const Case cases[] = {
        {"beforeTheStatus", {}, {"RMD200", "RMM0000,41200000"}, {"CMD"}},
        {"withinTheFirstBlock",
         {"RMD200", "RMM0000,41200000"},
         {"RMM0001,41200000", "RMME", "RMM0000,41200000"},
         {"CMD", "CMM000000002"}},
    };
    for (const Case& c : cases) {
        start(link::State::DownloadStatus, {"CMD", "CMM000000002", "CMM100000001"});
        for (const QString& l : c.before)
            line(l);
        log.clear();
        EXPECT_TRUE(memory.cancelDownload(seq)) << c.name;
        for (const QString& l : c.after)
            line(l);
        EXPECT_EQ(sent(), c.sent) << c.name;
        // The note of what was discarded stays in the status bar.
        EXPECT_EQ(log.entries, (QStringList{"main.downloadAbandoned", "dlg.enable"}))
            << c.name << log.entries.join('|').toStdString();
        EXPECT_EQ(test::DataSetAccess::writer(ctx().dataSet()), nullptr) << c.name;
        EXPECT_EQ(seq.LinkState(), link::State::Idle) << c.name;
        EXPECT_FALSE(memory.cancelDownload(seq)) << c.name; // nothing runs now
        transport.writes.clear();
    }
    // A cancelled download that timed out leaves the next one whole.
    start(link::State::DownloadStatus, {"CMD", "CMM000000001"});
    line("RMD200");
    EXPECT_TRUE(memory.cancelDownload(seq));
    seq.onTimeout();
    start(link::State::DownloadStatus, {"CMD", "CMM000000001"});
    line("RMD200");
    line("RMM0000,41200000");
    line("RMME");
    EXPECT_TRUE(log.entries.contains("main.Download_Recv:0000,41200000"));
    EXPECT_TRUE(log.entries.contains("main.DispDownload"));
}

struct SendCase {
    int newState;       // 0 stop, 1 start
    QString status;     // the answer to "CMD"
    QStringList before; // calls before DataDisp; empty: "SMD2n" is sent
};

class LogingSend : public MemoryExchanges, public ::testing::WithParamInterface<SendCase> {};

TEST_P(LogingSend, TheStatusDecidesWhetherTheCommandIsSent)
{
    const SendCase& c = GetParam();
    const QString command = QStringLiteral("SMD2%1").arg(c.newState);
    start(link::State::LogingSendStatus, {"CMD", command});
    line(c.status);
    if (c.before.isEmpty()) {
        EXPECT_EQ(sent().back(), command);
        EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();
        return;
    }
    EXPECT_EQ(sent(), QStringList{"CMD"});
    EXPECT_EQ(log.entries, c.before + QStringList{"dlg.DataDisp"});
    // Stepped back: DataDisp shows the status just read.
    EXPECT_EQ(seq.ExchangeIndex(), 0);
    EXPECT_EQ(dialog.replies.value(0), c.status.mid(3));
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, LogingSend,
    ::testing::Values(SendCase{0, "RMD211", {}}, SendCase{0, "RMD210", {"dlg.enable", kDone}},
                      SendCase{1, "RMD211", {"dlg.enable", kDone}},
                      SendCase{1,
                               "RMD200",
                               {"dlg.enable", "msg:電力計が計測中でないため設定できません。\r\n"
                                              "計測中にして下さい。"}},
                      SendCase{1, "RMD210", {}}));

TEST_F(MemoryExchanges, ALoggingCommandAcceptedReadsTheStatusAgainOrARefusalSaysWhy)
{
    start(link::State::LogingSendStatus, {"CMD", "SMD21"});
    line("RMD210");
    line("OK");
    EXPECT_EQ(sent(), (QStringList{"CMD", "SMD21", "CMD"}));
    line("RMD211");
    EXPECT_EQ(log.entries, (QStringList{kDone, "dlg.DataDisp"}));
    for (const auto& [command, message] : std::vector<std::pair<QString, QString>>{
             {"SMD21", "ロギング用の空きメモリがありません。\r\nメモリをどれかクリアして下さい。"},
             {"SMD20", "設定できません。\r\n電力計を確認して下さい。"}}) {
        start(link::State::LogingSendStatus, {"CMD", command});
        line(command == "SMD21" ? "RMD210" : "RMD211");
        line("NG");
        // A stray "OK" after the refusal reports no success.
        line("OK");
        EXPECT_EQ(log.entries, (QStringList{"dlg.enable", "msg:" + message}));
        EXPECT_EQ(seq.LinkState(), link::State::Idle);
    }
}

TEST_F(MemoryExchanges, MeasuredLinesLeaveTheTimeOutOfAnExchangeStartedWhileMeasuring)
{
    ctx().app.Measuring = true;
    start(link::State::LogingStatus, {"CMD"});
    line("RML0000");
    EXPECT_TRUE(timer.active);
    seq.onTimeout();
    EXPECT_TRUE(log.entries.contains(
        "msg:現在のロギング状態が取得できません。\r\n電力計を確認して下さい。"));
    seq.endExchange();
    timer.active = true;
    line("RML0001");
    EXPECT_FALSE(timer.active);
}

TEST_F(MemoryExchanges, ClearingKeepsAliveOnProgressLinesThenReadsTheListAgain)
{
    start(link::State::MemoryClear, {"SCB2", "SCB3"});
    const int startsBefore = timer.starts;
    for (const QString l : {"CLR2", "CPY3", "CLR22", "XX", "OK", "CLR3", "OK"})
        line(l);
    EXPECT_EQ(timer.starts, startsBefore + 3 + 2); // three progress lines, two commands
    EXPECT_EQ(sent(), (QStringList{"SCB2", "SCB3", "CBN"}));
    EXPECT_EQ(seq.LinkState(), link::State::MemoryCount);
    EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();

    start(link::State::MemoryClear, {"SCB7"});
    line("NG");
    EXPECT_EQ(log.entries, (QStringList{"main.clearBusyText", "dlg.enable",
                                        "msg:電力計が計測中はメモリクリアできません。\r\n"
                                        "計測を終了して下さい。"}));
    EXPECT_FALSE(timer.active);
}

} // namespace
} // namespace quellin::test
