// PC logging during a measurement: the file dialog, the header in Shift_JIS, the
// window, stopping before the meter is told, and log files that refuse writes.

#include "main/PcLogging.h"
#include "FullDisk.h"
#include "RunDoubles.h"
#include "link/LinkInput.h"
#include "settings/ModRegistry.h"
#include "store/ModFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for texts (internal to this test file).
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace quellin {
namespace {

using test::RunHarness;

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(PcLoggingStart, AsksForTheFileWithTheLoggingDialog)
{
    RunHarness h;
    h.start();
    h.ctx().app.LogingPath = QStringLiteral("/some/where/");
    h.t.files.answers.push_back(QString()); // cancelled
    h.run->logingCommand();

    ASSERT_EQ(h.t.files.saves.size(), 1u);
    const FileDialogRequest& r = h.t.files.saves[0];
    EXPECT_EQ(r.filter, QStringLiteral("CSVﾌｧｲﾙ(*.csv)"));
    EXPECT_EQ(r.pattern, QStringLiteral("*.csv"));
    EXPECT_EQ(r.initialFolder, QStringLiteral("/some/where/"));
    EXPECT_EQ(r.defaultExtension, QStringLiteral("*.csv"));
    EXPECT_EQ(r.title, QStringLiteral("記録データ格納先"));
    // Cancel: nothing changes.
    EXPECT_FALSE(h.logging());
    EXPECT_EQ(h.ctx().app.LogingPath, QStringLiteral("/some/where/"));
    EXPECT_FALSE(h.meas().LogFileNo);
    EXPECT_FALSE(h.view.captions.contains(QStringLiteral("MnuExec_Loging")));
}

struct HeaderCase {
    const char* name;
    int version;
    int wiring;
    std::vector<int> logOff;
    const char* file;
    const char* hexBytes; // the header in Shift_JIS, CR LF
};

class PcLogHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(PcLogHeaderTest, HeaderIsShiftJisWithCrLf)
{
    const HeaderCase& c = GetParam();
    RunHarness h(c.version, c.wiring, 10);
    for (int col : c.logOff)
        h.ctx().cat.LogColumns[static_cast<size_t>(col)] = false;
    h.start();
    const QString folder = h.t.path(QStringLiteral("logs"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QLatin1Char('/') + QString::fromLatin1(c.file);
    QFile old(path); // an existing file is replaced
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(1000, 'z'));
    old.close();
    h.t.files.answers.push_back(path);
    h.run->logingCommand();

    ASSERT_TRUE(h.logging());
    EXPECT_EQ(fileBytes(path), QByteArray::fromHex(c.hexBytes));
    EXPECT_EQ(h.ctx().app.LogingPath, folder);
    EXPECT_EQ(h.ctx().settings.read(QStringLiteral("LogingPath"), QString()), folder);
}

std::string headerName(const ::testing::TestParamInfo<HeaderCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Wirings, PcLogHeaderTest,
    ::testing::Values(
        // FILE="run1.csv" / "測定条件　結線＝単相２線式" / 番号,時刻,電圧Ｒ(V),電流Ｒ(A),
        // 有効電力(W),皮相電力(VA),力率(%),周波数(Hz),積算電力(kWh),積算時間(時間)
        HeaderCase{"SinglePhaseTwoWireVersion1",
                   1,
                   0,
                   {7},
                   "run1.csv",
                   "46494c453d2272756e312e637376220d0a2291aa92e88ff08c8f81408c8b90fc81819250918a"
                   "825190fc8eae220d0a2294d48d86222c228e9e8d8f222c22936488b38271285629222c229364"
                   "97ac8271284129222c22974c8cf8936497cd285729222c2294e7918a936497cd28564129222c"
                   "2297cd97a6282529222c228efc9467909428487a29222c2290cf8e5a936497cd286b57682922"
                   "2c2290cf8e5a8e9e8ad4288e9e8ad429220d0a"},
        // FILE="all.csv" / "測定条件　結線＝三相３線式" / all 18 titles
        HeaderCase{"ThreePhaseVersion2AllColumns",
                   2,
                   2,
                   {},
                   "all.csv",
                   "46494c453d22616c6c2e637376220d0a2291aa92e88ff08c8f81408c8b90fc81818e4f918a82"
                   "5290fc8eae220d0a2294d48d86222c228e9e8d8f222c22936488b38271285629222c22936488"
                   "b38273285629222c22936497ac8271284129222c22936497ac8273284129222c22974c8cf893"
                   "6497cd285729222c2296b38cf8936497cd2856617229222c2294e7918a936497cd2856412922"
                   "2c2297cd97a6282529222c228efc9467909428487a29222c2290cf8e5a936497cd286b576829"
                   "222c2290cf8e5a8e9e8ad4288e9e8ad429222c2298529364936497ac31286d4129222c229852"
                   "9364936497ac32286d4129222c2298529364936497ac33286d4129222c2289b793783128818e"
                   "29222c2289b793783228818e29220d0a"}),
    headerName);

TEST(PcLoggingHeader, UnknownWiringHasNoWiringLine)
{
    RunHarness h(1, 7, 1);
    test::props(h.ctx()).ColumnPresent.assign(13, false);
    test::props(h.ctx()).ColumnPresent[0] = test::props(h.ctx()).ColumnPresent[1] = true;
    EXPECT_EQ(pcLogHeader(h.ctx(), h.seq->WiringMode(), QStringLiteral("x.csv")),
              (QStringList{"FILE=\"x.csv\"", "\"番号\",\"時刻\""}));
}

TEST(PcLoggingStart, WindowAndAccumulatorsAreReset)
{
    RunHarness h(2, 2, 10);
    h.start();
    h.meas().StoreCounter = 7;
    h.meas().LogLineCount = 4;
    h.meas().LogSums.setColumn(2, 99);
    h.t.files.answers.push_back(h.t.path(QStringLiteral("log.csv")));
    h.run->logingCommand();

    EXPECT_TRUE(h.logging());
    EXPECT_EQ(h.meas().StoreCounter, 0);
    EXPECT_EQ(h.meas().LogLineCount, 0);
    EXPECT_EQ(h.meas().LogSums.column(2), 0);
    EXPECT_EQ(h.view.captions.value("MnuExec_Loging"), QStringLiteral("ﾛｷﾞﾝｸﾞ停止(&L)"));
    EXPECT_EQ(h.view.images.value("Loging"), 10);
    EXPECT_EQ(h.view.tips.value("Loging"), QStringLiteral("ﾛｷﾞﾝｸﾞ停止"));
    EXPECT_EQ(h.t.status.panels[2], QStringLiteral("ロギング中（間隔：10秒おき）"));

    h.run->logingCommand(); // and off again
    EXPECT_FALSE(h.logging());
    EXPECT_FALSE(h.meas().LogFileNo);
    EXPECT_EQ(h.view.captions.value("MnuExec_Loging"), QStringLiteral("ﾛｷﾞﾝｸﾞ開始(&L)"));
    EXPECT_EQ(h.view.images.value("Loging"), 9);
    EXPECT_EQ(h.view.tips.value("Loging"), QStringLiteral("ﾛｷﾞﾝｸﾞ開始"));
    EXPECT_EQ(h.t.status.panels[2], QString());
    EXPECT_TRUE(h.ctx().app.Measuring);
}

TEST(PcLoggingStart, NotStartedWhenTheMeasurementEndedDuringTheDialog)
{
    RunHarness h;
    h.start();
    h.t.files.answers.push_back(h.t.path(QStringLiteral("late.csv")));
    h.ctx().app.Measuring = false; // "STP" handled while the dialog was open
        h.run->startPcLogging();
    EXPECT_FALSE(h.logging());
    EXPECT_FALSE(QFile::exists(h.t.path(QStringLiteral("late.csv"))));
}

// ---------------------------------------------------------------------------------
// Stopping

enum class StopPath { Command, MeterStp, StoreFull };

class StopWhileLoggingTest : public ::testing::TestWithParam<StopPath> {};

TEST_P(StopWhileLoggingTest, LogFileIsClosedBeforeSleIsSent)
{
    RunHarness h;
    h.start();
    const QString path = h.t.path(QStringLiteral("log.csv"));
    h.t.files.answers.push_back(path);
    h.run->logingCommand();
    ASSERT_TRUE(h.logging());
    h.line(0);

    bool closedAtSle = false;
    h.port.onWrite = [&](const QString& command) {
        if (command == QStringLiteral("SLE"))
            closedAtSle = !h.logging() && !h.meas().LogFileNo;
    };
    switch (GetParam()) {
    case StopPath::Command:
        h.run->keisokuCommand();
        break;
    case StopPath::MeterStp:
        h.seq->dispatch(3, QStringLiteral("STP"));
        break;
    case StopPath::StoreFull:
        test::props(h.ctx()).RecordCount = 32768;
        h.run->onDisplayTick();
        break;
    }
    EXPECT_TRUE(h.port.commands.contains(QStringLiteral("SLE")));
    EXPECT_TRUE(closedAtSle);
    EXPECT_EQ(h.view.captions.value("MnuExec_Loging"), QStringLiteral("ﾛｷﾞﾝｸﾞ開始(&L)"));
    // The line written before the stop is in the file.
    EXPECT_TRUE(fileBytes(path).contains("\"2002/06/01 12:00:00\""));
}

INSTANTIATE_TEST_SUITE_P(Paths, StopWhileLoggingTest,
                         ::testing::Values(StopPath::Command, StopPath::MeterStp,
                                           StopPath::StoreFull));

TEST(PcLoggingStop, LinkLostStopsLoggingBeforeEnding)
{
    RunHarness h;
    h.start();
    h.t.files.answers.push_back(h.t.path(QStringLiteral("log.csv")));
    h.run->logingCommand();
    bool loggingWhenEnded = true;
    h.view.calls.clear();
    h.run->linkLost();
    loggingWhenEnded = h.logging();
    EXPECT_FALSE(loggingWhenEnded);
    ASSERT_GE(h.view.calls.size(), 2);
    // Logging captions first, then the end of the measurement (display cycle off).
    EXPECT_EQ(h.view.calls[0], QStringLiteral("caption MnuExec_Loging ﾛｷﾞﾝｸﾞ開始(&L)"));
    EXPECT_TRUE(h.view.calls.indexOf(QStringLiteral("caption MnuExec_Keisoku 計測開始(&S)")) > 0);
    EXPECT_FALSE(h.run->displayTimerActive());
    EXPECT_FALSE(h.ctx().app.Measuring);
    // Once the message box about the port is gone, the status bar still says it.
    EXPECT_EQ(h.t.status.panelText(2), run_text::loggingEndedByPortLoss(h.t.path(QStringLiteral("log.csv"))));
}

// ---------------------------------------------------------------------------------
// Files that refuse writes

TEST(PcLoggingFailures, FullDiskAtTheHeaderRefusesToStart)
{
    RunHarness h;
    h.start();
    h.t.files.answers.push_back(QStringLiteral("/dev/full"));
    h.run->logingCommand();
    EXPECT_FALSE(h.logging());
    EXPECT_FALSE(h.meas().LogFileNo);
    ASSERT_EQ(h.t.msg.shown.size(), 1u);
    EXPECT_TRUE(
        h.t.msg.shown[0].text.startsWith(QStringLiteral("ロギングファイルを作成できません。\r\n")));
    EXPECT_EQ(h.t.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(h.ctx().app.Measuring);
}

TEST(PcLoggingFailures, FullDiskDuringLoggingStopsLoggingWithAMessage)
{
    RunHarness h(2, 2, 1);
    h.start();
    h.t.files.answers.push_back(h.t.path(QStringLiteral("log.csv")));
    h.run->logingCommand();
    ASSERT_TRUE(h.logging());
    // The disk fills up under the open log file.
    h.meas().LogFileNo = std::make_unique<QFile>(QStringLiteral("/dev/full"));
    ASSERT_TRUE(h.meas().LogFileNo->open(QIODevice::WriteOnly));

    h.line(0);
    EXPECT_FALSE(h.logging());
    EXPECT_FALSE(h.meas().LogFileNo);
    QCoreApplication::processEvents(); // the box opens once the line is over
    ASSERT_EQ(h.t.msg.shown.size(), 1u);
    EXPECT_TRUE(h.t.msg.shown[0].text.startsWith(
        QStringLiteral("ロギングファイルに書き込めないため、ロギングを停止しました。\r\n")));
    EXPECT_EQ(h.t.status.panels[2],
              QStringLiteral("ロギングファイルに書き込めないため、ロギングを停止しました。"));
    EXPECT_EQ(h.view.captions.value("MnuExec_Loging"), QStringLiteral("ﾛｷﾞﾝｸﾞ開始(&L)"));

    // The measurement goes on: this line and the next are stored, nothing is sent.
    h.line(1);
    EXPECT_TRUE(h.ctx().app.Measuring);
    EXPECT_EQ(h.ctx().dataSet().RecordCount(), 2);
    EXPECT_EQ(h.port.commands, QStringList{"CMD"});
    EXPECT_EQ(h.t.msg.shown.size(), 1u);
}

TEST(StoreFailures, RefusedAppendEndsTheMeasurementOnce)
{
    RunHarness h(2, 2, 1);
    h.start();
    h.t.files.answers.push_back(h.t.path(QStringLiteral("log.csv")));
    h.run->logingCommand();
    h.line(0);
    h.line(1);
    ASSERT_EQ(h.ctx().dataSet().RecordCount(), 2);

    test::DataSetAccess::setWriter(h.ctx().dataSet(),
                                   std::make_unique<QFile>(QStringLiteral("/dev/full")));
    ASSERT_TRUE(test::DataSetAccess::writer(h.ctx().dataSet())
                    ->open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    for (int s = 2; s < 6; ++s) // the meter goes on sending until it has stopped
        h.line(s);

    EXPECT_EQ(h.port.commands, (QStringList{"CMD", "SLE"}));
    QCoreApplication::processEvents(); // the box opens once the line is over
    ASSERT_EQ(h.t.msg.shown.size(), 1u);
    EXPECT_TRUE(h.t.msg.shown[0].text.startsWith(QStringLiteral(
        "計測データを一時データファイルに書き込めないため、計測を終了しました。\r\n")));
    EXPECT_FALSE(h.logging());
    EXPECT_EQ(h.ctx().dataSet().RecordCount(), 2);

    // The stop completes; the records already stored stay readable.
    h.seq->dispatch(2, QStringLiteral("OK"));
    h.seq->dispatch(2, QStringLiteral("OK"));
    EXPECT_FALSE(h.ctx().app.Measuring);
    EXPECT_EQ(h.ctx().dataSet().ReadRecords(1, 2).at(1).number, 1);
}

// A failure found while a line is handled is told once the handling is over:
// while its box is open the meter's answers are still read, so that the stop
// runs to its end, and a log cut by a full disk ends on a whole line.
struct LateReportCase {
    const char* name;
    bool storeFails;        // TMP.DAT refuses the record; else the log's disk is full
    const char* whileOpen;  // what the meter sends while the box is open
    const char* firstLine;  // the box's text up to its reason
    size_t boxes;           // with the meter's own stop: "本体側で中断されました。"
};

class LateReportTest : public ::testing::TestWithParam<LateReportCase> {};

TEST_P(LateReportTest, TheBoxOpensAfterTheLineAndTheStopRunsToItsEnd)
{
    const LateReportCase& c = GetParam();
    QUELLIN_FULL_DISK(disk);
    RunHarness h(2, 2, 1);
    LinkInput input(*h.seq);
    const auto receive = [&](int second) {
        input.bytesReceived((test::measuredLine(2, second, 1000) + QLatin1Char('\r')).toLatin1());
    };
    h.start();
    const QString logPath = disk->path(QStringLiteral("log.csv"));
    h.t.files.answers.push_back(logPath);
    h.run->logingCommand();
    ASSERT_TRUE(h.logging());
    receive(0);

    QStringList sentWhileOpen;
    h.t.msg.onShow = [&](const MessageRequest&) {
        if (h.t.msg.shown.size() > 1)
            return; // a later box: the meter has said its part
        input.bytesReceived(c.whileOpen);
        sentWhileOpen = h.port.commands;
    };
    int second = 1;
    if (c.storeFails) {
        test::DataSetAccess::setWriter(h.ctx().dataSet(),
                                       std::make_unique<QFile>(QStringLiteral("/dev/full")));
        ASSERT_TRUE(test::DataSetAccess::writer(h.ctx().dataSet())
                        ->open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        receive(second);
    } else {
        // The log's last block still takes some lines; the one it cuts fails.
        disk->fill();
        while (h.logging() && second < 500)
            receive(second++);
        ASSERT_FALSE(h.logging());
    }
    EXPECT_TRUE(h.t.msg.shown.empty()) << "the box opened inside the line's handling";

    QCoreApplication::processEvents();
    ASSERT_EQ(h.t.msg.shown.size(), c.boxes) << h.t.msg.texts().join('|').toStdString();
    EXPECT_TRUE(h.t.msg.shown[0].text.startsWith(QString::fromUtf8(c.firstLine) +
                                                 QStringLiteral("\r\n")));
    EXPECT_EQ(sentWhileOpen, (QStringList{"CMD", "SLE", "SMD10"}));
    EXPECT_FALSE(h.ctx().app.Measuring);
    const QByteArray log = fileBytes(logPath);
    EXPECT_TRUE(log.contains("\"2002/06/01 12:00:00\""));
    EXPECT_TRUE(log.endsWith("\r\n")) << log.right(80).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LateReportTest,
    ::testing::Values(
        LateReportCase{"Store", true, "OK\rOK\r",
                       "計測データを一時データファイルに書き込めないため、計測を終了しました。", 1},
        LateReportCase{"Log", false, "STP\rOK\rOK\r",
                       "ロギングファイルに書き込めないため、ロギングを停止しました。", 2}),
    [](const ::testing::TestParamInfo<LateReportCase>& info) { return info.param.name; });

} // namespace
} // namespace quellin
