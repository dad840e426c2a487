// quellin-cli against the virtual meter, run as a process the way a service or a
// shell runs it: a measurement stopped by SIGINT or by the meter (the meter is
// told "SLE", "SMD10"; the PC log is whole), the memory list and a download
// into a data file, the environment settings read, changed and read again, and
// the exit codes.

#include "print/PdfProbe.h"
#include "support/FullDisk.h"
#include "support/MeterSim.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace quellin::test {
namespace {

constexpr int kRecordBytes = 140;

// One run of quellin-cli in a data folder of its own.
class Cli {
public:
    Cli() { home_.setAutoRemove(true); }

    QString home() const { return home_.path(); }
    QString path(const QString& name) const { return home_.filePath(name); }

    void start(const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUELLIN_HOME", home_.path());
        env.insert("LANG", "C.UTF-8");
        env.remove("LC_ALL");
        env.remove("LC_MESSAGES");
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(QUELLIN_CLI), args);
        ASSERT_TRUE(process_.waitForStarted(5000));
    }
    // Exit code, or -1 when it did not end within ms.
    int finish(int ms = 30000)
    {
        if (!process_.waitForFinished(ms)) {
            process_.kill();
            process_.waitForFinished(3000);
            return -1;
        }
        out_ += process_.readAllStandardOutput();
        err_ += process_.readAllStandardError();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    int run(const QStringList& args, int ms = 30000)
    {
        start(args);
        return finish(ms);
    }
    void signal(int sig) { ::kill(static_cast<pid_t>(process_.processId()), sig); }
    // As a reader that has gone (`| head -1`): further writes to stdout fail.
    void closeOutput() { process_.closeReadChannel(QProcess::StandardOutput); }
    // Waits until standard error holds text.
    bool waitForErr(const QString& text, int ms = 15000)
    {
        QElapsedTimer t;
        t.start();
        while (!err().contains(text) && t.elapsed() < ms) {
            process_.waitForReadyRead(100);
            err_ += process_.readAllStandardError();
        }
        return err().contains(text);
    }

    QString out() const { return QString::fromUtf8(out_); }
    QString err() const { return QString::fromUtf8(err_); }

private:
    QTemporaryDir home_;
    QProcess process_;
    QByteArray out_;
    QByteArray err_;
};

QStringList lines(const QString& text)
{
    return text.split('\n', Qt::SkipEmptyParts);
}

// The PC log decoded; empty when it cannot be read.
QString readShiftJis(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder("Shift_JIS");
    return decoder.decode(f.readAll());
}

// Waits until the file holds at least n CR LF lines.
bool waitForLines(const QString& path, int n, int ms = 15000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly) && f.readAll().count("\r\n") >= n)
            return true;
        QThread::msleep(50);
    }
    return false;
}

// A whole PC log: three header lines, then data lines numbered from 0000 on with
// one field per title, every line ended by CR LF.
void expectWholeLog(const QString& path, int minimumLines)
{
    const QString text = readShiftJis(path);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.endsWith("\r\n")) << "a line cut short at the end";
    const QStringList rows = text.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GE(rows.size(), 3 + minimumLines);
    EXPECT_EQ(rows[0], "FILE=\"log.csv\"");
    EXPECT_EQ(rows[1], "\"測定条件　結線＝三相３線式\"");
    const int titles = static_cast<int>(rows[2].split(',').size());
    EXPECT_EQ(titles, 18);
    for (int i = 3; i < rows.size(); ++i) {
        const QStringList fields = rows[i].split(',');
        ASSERT_EQ(fields.size(), titles) << rows[i].toStdString();
        EXPECT_EQ(fields[0], QString::asprintf("%04d", i - 3));
    }
}

TEST(CliMeasure, SigintStopsTheMeterAndLeavesAWholeLog)
{
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--version", "2", "--wiring", "2", "--rate", "20"}))
        << sim.errorText().toStdString();
    Cli cli;
    const QString log = cli.path("log.csv");
    cli.start({"measure", "--port", sim.device(), "--log", log, "--interval", "00:00:01", "--jsonl",
               "--quiet"});
    ASSERT_TRUE(waitForLines(log, 3 + 8)) << cli.err().toStdString();
    cli.signal(SIGINT);
    EXPECT_EQ(cli.finish(), 0) << cli.err().toStdString();
    sim.stop();

    const QStringList received = sim.receivedCommands();
    ASSERT_GE(received.size(), 2);
    EXPECT_EQ(received.mid(received.size() - 2), (QStringList{"SLE", "SMD10"}));
    EXPECT_TRUE(received.contains("SLG"));
    expectWholeLog(log, 8);

    // Every stored record: one JSON line, and one record of TMP.DAT.
    const QStringList json = lines(cli.out());
    const qint64 tmpBytes = QFileInfo(QDir(cli.home()).filePath("TMP.DAT")).size();
    EXPECT_EQ(tmpBytes % kRecordBytes, 0);
    EXPECT_EQ(json.size(), tmpBytes / kRecordBytes);
    ASSERT_FALSE(json.isEmpty());
    EXPECT_TRUE(json[0].startsWith("{\"number\":0,\"time\":\"")) << json[0].toStdString();
    EXPECT_TRUE(json.last().endsWith("}"));
}

TEST(CliMeasure, SigtermAndTheMetersStopEndItToo)
{
    {
        MeterSim sim;
        ASSERT_TRUE(sim.start({"--rate", "20"})) << sim.errorText().toStdString();
        Cli cli;
        cli.start({"measure", "--port", sim.device(), "--log", cli.path("log.csv"), "--version",
                   "2", "--interval", "1", "--quiet"});
        ASSERT_TRUE(waitForLines(cli.path("log.csv"), 3 + 2)) << cli.err().toStdString();
        cli.signal(SIGTERM);
        EXPECT_EQ(cli.finish(), 0) << cli.err().toStdString();
        sim.stop();
        EXPECT_EQ(sim.receivedCommands().mid(sim.receivedCommands().size() - 2),
                  (QStringList{"SLE", "SMD10"}));
        expectWholeLog(cli.path("log.csv"), 2);
    }
    {
        MeterSim sim;
        ASSERT_TRUE(sim.start({"--rate", "20", "--stp-after", "10"}))
            << sim.errorText().toStdString();
        Cli cli;
        EXPECT_EQ(cli.run({"measure", "--port", sim.device(), "--log", cli.path("log.csv"),
                           "--interval", "1", "--quiet"}),
                  0)
            << cli.err().toStdString();
        EXPECT_TRUE(cli.err().contains("本体側で中断されました。"));
        expectWholeLog(cli.path("log.csv"), 1);
    }
}

TEST(CliMeasure, ForEndsItAndSaveWritesTheDataFile)
{
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--rate", "1", "--wiring", "2"})) << sim.errorText().toStdString();
    Cli cli;
    const QString csv = cli.path("data.csv");
    EXPECT_EQ(cli.run({"measure", "--port", sim.device(), "--log", cli.path("log.csv"), "--for",
                       "3s", "--items", "5,10", "--save", csv}),
              0)
        << cli.err().toStdString();
    EXPECT_TRUE(cli.err().contains("記録 ")); // the progress line
    const QStringList rows = readShiftJis(csv).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GE(rows.size(), 4);
    EXPECT_EQ(rows[0], "ファイル名=\"data.csv\"");
    EXPECT_EQ(rows[2], "\"番号\",\"時刻\",\"有効電力(W)\",\"積算電力(kWh)\"");
    // Saved: TMP.DAT is not kept as a data set to restore.
    EXPECT_FALSE(QFile::exists(QDir(cli.home()).filePath("TMP.DAT")));

    // The report over the saved file: its records, the power's figures under
    // the file's own title, no figure for a column the file does not hold.
    Cli report;
    const QString book = cli.path("report.xlsx");
    ASSERT_EQ(report.run({"report", csv, "--json", "--demand", "15", "--xlsx", book}), 0)
        << report.err().toStdString();
    const QJsonObject o = QJsonDocument::fromJson(report.out().toUtf8()).object();
    EXPECT_EQ(o["records"].toInt(), rows.size() - 3);
    EXPECT_EQ(o["period_s"].toInt(), 1);
    EXPECT_EQ(o["from"].toString(), rows[3].split(',')[1].remove('"'));
    const QJsonObject power = o["items"].toObject()["有効電力(W)"].toObject();
    EXPECT_LE(power["min"].toDouble(), power["mean"].toDouble());
    EXPECT_GE(power["max"].toDouble(), power["mean"].toDouble());
    EXPECT_FALSE(o["items"].toObject().contains("電圧Ｒ(V)"));
    EXPECT_NEAR(o["energy_kwh"].toDouble(), power["mean"].toDouble() * (rows.size() - 3) / 3.6e6, 1e-12);
    EXPECT_EQ(o["demand"].toObject()["minutes"].toInt(), 15);
    EXPECT_TRUE(o["power_factor"].isNull()); // no apparent power in the file

    // The workbook read back by a spreadsheet library: real dates and numbers.
    QProcess reader;
    reader.start("/usr/bin/python3", {"-c", R"(
import json, sys, datetime, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
rec, summary = wb["記録"], wb["集計"]
print(json.dumps({"sheets": wb.sheetnames, "rows": rec.max_row,
  "titles": [c.value for c in rec[1]],
  "time_is_date": isinstance(rec["B2"].value, datetime.datetime),
  "power_is_number": type(rec["C2"].value) in (int, float),
  "first": rec["B2"].value.strftime("%Y/%m/%d %H:%M:%S"),
  "energy": summary["B6"].value, "energy_label": summary["A6"].value}))
)", book});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject wb = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    EXPECT_EQ(wb["sheets"].toVariant().toStringList(), (QStringList{"集計", "デマンド", "電力量", "記録"}));
    EXPECT_EQ(wb["rows"].toInt(), rows.size() - 3 + 1);
    EXPECT_EQ(wb["titles"].toVariant().toStringList(), (QStringList{"番号", "時刻", "有効電力(W)", "積算電力(kWh)"}));
    EXPECT_TRUE(wb["time_is_date"].toBool());
    EXPECT_TRUE(wb["power_is_number"].toBool());
    EXPECT_EQ(wb["first"].toString(), o["from"].toString());
    EXPECT_EQ(wb["energy_label"].toString(), "電力量(kWh)");
    EXPECT_DOUBLE_EQ(wb["energy"].toDouble(), o["energy_kwh"].toDouble());
    // The printed report: A4 portrait pages under the report's title.
    Cli printed;
    const QString pdf = cli.path("report.pdf");
    ASSERT_EQ(printed.run({"report", csv, "--pdf", pdf}), 0) << printed.err().toStdString();
    const test::PdfProbe probe(pdf);
    EXPECT_TRUE(probe.isPdf());
    EXPECT_TRUE(probe.hasTitle("計測レポート"));
    const std::vector<QSizeF> pages = probe.pageSizes();
    EXPECT_GE(pages.size(), 2u);
    for (const QSizeF& page : pages)
        EXPECT_EQ(page.toSize(), QSize(595, 842));
    const QString nowhere = cli.path("none/report.pdf");
    for (const auto& [args, message] :
         {std::pair{QStringList{"report", csv, "--pdf", nowhere}, QString("ファイルに書き込めませんでした。")},
          std::pair{QStringList{"report", csv, "--from", "2024/13/01"}, QString("日時 2024/13/01 が読めません")},
          std::pair{QStringList{"report", csv, "--from", "2099/01/01 00:00:00"}, QString("指定された期間に記録がありません。")},
          std::pair{QStringList{"report", cli.path("none.csv")}, QString("none.csv")}}) {
        Cli refused;
        EXPECT_EQ(refused.run(args), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(refused.err().contains(message)) << refused.err().toStdString();
    }
}

TEST(CliMemory, ListsTheMemoryAndDownloadsAMeasurementIntoADataFile)
{
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--memory-preset", "--download-baud", "0"}))
        << sim.errorText().toStdString();
    Cli list;
    ASSERT_EQ(list.run({"memory", "--port", sim.device()}), 0) << list.err().toStdString();
    const QStringList listed = lines(list.out());
    ASSERT_EQ(listed.size(), 4);
    EXPECT_EQ(listed[0], "メモリ一覧（番号,測定ライン,測定間隔,測定開始時刻,周波数,書込回数）");
    EXPECT_TRUE(listed[1].startsWith("0： 単相３線式")) << listed[1].toStdString();
    EXPECT_TRUE(listed[1].endsWith("・ 96"));

    Cli download;
    const QString csv = download.path("dl.csv");
    ASSERT_EQ(download.run({"download", "0", "--port", sim.device(), "--save", csv}), 0)
        << download.err().toStdString();
    EXPECT_TRUE(download.err().contains("ダウンロード中です。 96 / 96 件（100%）"));
    const QStringList rows = readShiftJis(csv).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(rows.size(), 3 + 96);
    EXPECT_TRUE(rows[1].contains("単相３線式"));

    Cli missing;
    EXPECT_EQ(missing.run({"download", "7", "--port", sim.device(), "--save", csv}), 1);
    EXPECT_TRUE(missing.err().contains("番号 7"));
}

TEST(CliSettings, PrintsChangesAndReadsBackTheMetersSettings)
{
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--version", "2", "--pt", "1"})) << sim.errorText().toStdString();
    Cli read;
    ASSERT_EQ(read.run({"settings", "--port", sim.device()}), 0) << read.err().toStdString();
    QStringList settings = lines(read.out());
    ASSERT_EQ(settings.size(), 40);
    EXPECT_TRUE(settings.contains("PtRatio=1"));

    // Changed in a file, sent with the flash write last.
    settings.replaceInStrings(QRegularExpression("^PtRatio=.*"), "PtRatio=25");
    settings.replaceInStrings(QRegularExpression("^CurrentRange=.*"), "CurrentRange=3");
    Cli write;
    const QString file = write.path("meter.txt");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(settings.join('\n').toUtf8());
    }
    ASSERT_EQ(write.run({"settings", "--port", sim.device(), "--set", file}), 0)
        << write.err().toStdString();
    EXPECT_TRUE(write.err().contains("送信を完了しました。"));
    const QStringList received = sim.receivedCommands();
    EXPECT_TRUE(received.contains("SCF030025"));
    EXPECT_TRUE(received.contains("SCF013"));
    EXPECT_EQ(received.last(), "SCFW");

    Cli again;
    ASSERT_EQ(again.run({"settings", "--port", sim.device()}), 0);
    const QStringList after = lines(again.out());
    EXPECT_TRUE(after.contains("PtRatio=25"));
    EXPECT_TRUE(after.contains("CurrentRange=3"));

    // A value the dialog would refuse: its message, exit 1, nothing written.
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("VoltageInput=1\nVoltage=1000.5\n");
    }
    Cli refused;
    const qsizetype sentBefore = sim.receivedCommands().size();
    EXPECT_EQ(refused.run({"settings", "--port", sim.device(), "--set", file}), 1);
    EXPECT_TRUE(refused.err().contains("電圧値の設定を確認してください。"))
        << refused.err().toStdString();
    EXPECT_FALSE(sim.receivedCommands().mid(sentBefore).contains("SCFW"));
}

TEST(CliExitCodes, TellUsageRefusalAndLinkFailureApart)
{
    Cli usage;
    EXPECT_EQ(usage.run({"measure", "--log"}), 2);
    Cli help;
    EXPECT_EQ(help.run({"--help", "--lang", "en"}), 0);
    EXPECT_TRUE(help.out().startsWith("quellin-cli: the power meter without windows"));

    Cli noPort;
    EXPECT_EQ(noPort.run({"memory", "--port", noPort.path("no-such-tty")}), 3);
    EXPECT_TRUE(noPort.err().contains("を初期化してオープンできません。"));

    MeterSim measuring;
    ASSERT_TRUE(measuring.start({"--measuring"})) << measuring.errorText().toStdString();
    Cli refused;
    EXPECT_EQ(refused.run({"settings", "--port", measuring.device()}), 1);
    EXPECT_TRUE(refused.err().contains("電力計が計測中は設定できません。"));
    measuring.stop();

    MeterSim ng;
    ASSERT_TRUE(ng.start({"--ng", "SLG"})) << ng.errorText().toStdString();
    Cli notStarted;
    EXPECT_EQ(notStarted.run({"measure", "--port", ng.device(), "--log", notStarted.path("l.csv")}),
              1);
    EXPECT_TRUE(notStarted.err().contains("計測を開始できません。"));
}

// A stop signal ends every command cleanly: a measurement stops the meter on
// SIGHUP as on SIGINT, also with its output gone; a second signal ends at once
// and says that the meter may still measure; a download drains the block under
// way without asking for the next and keeps nothing. The lock goes with the
// program, so the folder is free afterwards.
TEST(CliSignals, EndEveryCommandCleanly)
{
    struct Case {
        const char* name;
        QStringList simArgs;
        QStringList cliArgs; // after the command's --port
        QString waitFor;     // in standard error before the signals ("": log lines)
        std::vector<int> signals;
        int exit;
        QString told; // in standard error afterwards
        bool stopSent;
    };
    const Case cases[] = {
        {"hangUpStopsTheMeasurement", {"--rate", "20"}, {"measure", "--quiet"}, {}, {SIGHUP}, 0,
         {}, true},
        {"closedOutputOnlyStopsThatOutput",
         {"--rate", "20"},
         {"measure", "--quiet", "--jsonl"},
         {},
         {SIGINT},
         0,
         {},
         true},
        {"secondSignalEndsUnconfirmed",
         {"--rate", "20", "--silent", "SLE"},
         {"measure", "--quiet", "--version", "2"},
         {},
         {SIGINT, SIGINT},
         3,
         "電力計は計測を続けている可能性があります。",
         false},
        {"downloadDrainsItsBlock",
         {"--memory-add", "2,0,2026/01/01 00:00,10100", "--download-baud", "1000000"},
         {"download", "0", "--save", "dl.csv"},
         "ダウンロード中です。",
         {SIGTERM},
         4,
         "ダウンロードを中止します。",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeterSim sim;
        ASSERT_TRUE(sim.start(c.simArgs)) << sim.errorText().toStdString();
        Cli cli;
        QStringList args = c.cliArgs;
        args.insert(1, "--port");
        args.insert(2, sim.device());
        if (args[0] == "measure")
            args << "--log" << cli.path("log.csv") << "--interval" << "1";
        else
            args.last() = cli.path(args.last());
        cli.start(args);
        if (c.waitFor.isEmpty()) {
            ASSERT_TRUE(waitForLines(cli.path("log.csv"), 3 + 2)) << cli.err().toStdString();
            cli.closeOutput();
            ASSERT_TRUE(waitForLines(cli.path("log.csv"), 3 + 4)) << cli.err().toStdString();
        } else {
            ASSERT_TRUE(cli.waitForErr(c.waitFor)) << cli.err().toStdString();
        }
        for (const int sig : c.signals) {
            cli.signal(sig);
            QThread::msleep(300); // a second signal of a kind pending merges into the first
        }
        EXPECT_EQ(cli.finish(), c.exit) << cli.err().toStdString();
        EXPECT_TRUE(cli.err().contains(c.told)) << cli.err().toStdString();
        sim.stop();
        const QStringList received = sim.receivedCommands();
        if (args[0] == "measure") {
            EXPECT_EQ(received.mid(received.size() - 2) == (QStringList{"SLE", "SMD10"}),
                      c.stopSent);
            expectWholeLog(cli.path("log.csv"), 4);
        } else {
            EXPECT_EQ(received.filter(QRegularExpression("^CMM")).size(), 1);
            EXPECT_FALSE(QFile::exists(cli.path("dl.csv")));
            EXPECT_FALSE(QFile::exists(QDir(cli.home()).filePath("TMP.DAT")));
        }
        EXPECT_FALSE(QFile::exists(QDir(cli.home()).filePath("Quellin.lock")));
    }
}

// A data file that cannot be written on a full disk keeps the records in
// TMP.DAT, says why, and does not end as a success.
TEST(CliSave, AFullDiskKeepsTheRecordsAndSaysWhy)
{
    QUELLIN_FULL_DISK(disk);
    disk->fill();
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--rate", "5"})) << sim.errorText().toStdString();
    Cli cli;
    EXPECT_EQ(cli.run({"measure", "--port", sim.device(), "--log", cli.path("log.csv"), "--for",
                       "2s", "--interval", "1", "--quiet", "--save", disk->path("data.csv")}),
              1)
        << cli.err().toStdString();
    EXPECT_TRUE(cli.err().contains("ディスクの空き容量が足りません。")) << cli.err().toStdString();
    const qint64 kept = QFileInfo(QDir(cli.home()).filePath("TMP.DAT")).size();
    EXPECT_GT(kept, 0);
    EXPECT_EQ(kept % kRecordBytes, 0);
}

// An existing log is never written over: refused before the meter is asked to
// measure, or continued with --append under a head of its own, also after a line
// that a crash cut short.
TEST(CliMeasureLog, AnExistingLogIsRefusedOrContinued)
{
    struct Case {
        const char* name;
        QByteArray before;
        bool append;
        int exit;
    };
    const Case cases[] = {
        {"refused", "earlier\r\n", false, 1},
        {"continued", "earlier\r\n", true, 0},
        {"continuedAfterACutLine", "earlier\r\n0007,\"2002/0", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeterSim sim;
        ASSERT_TRUE(sim.start({"--rate", "5"})) << sim.errorText().toStdString();
        Cli cli;
        const QString log = cli.path("log.csv");
        QFile old(log);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(c.before);
        old.close();
        QStringList args = {"measure", "--port", sim.device(), "--log", log, "--for", "2s",
                            "--interval", "1", "--quiet"};
        if (c.append)
            args << "--append";
        EXPECT_EQ(cli.run(args), c.exit) << cli.err().toStdString();
        sim.stop();
        QFile after(log);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        const QByteArray bytes = after.readAll();
        ASSERT_TRUE(bytes.startsWith(c.before));
        if (!c.append) {
            EXPECT_EQ(bytes, c.before);
            EXPECT_TRUE(cli.err().contains("--append")) << cli.err().toStdString();
            EXPECT_FALSE(sim.receivedCommands().contains("SMD11"));
            continue;
        }
        const QByteArray added = bytes.mid(c.before.size());
        EXPECT_TRUE(added.startsWith(c.before.endsWith('\n') ? "FILE=" : "\r\nFILE="))
            << added.left(20).toStdString();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
    }
}

TEST(CliDataFolder, IsUsedByOneProgramAtATime)
{
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--rate", "20"})) << sim.errorText().toStdString();
    Cli first;
    first.start({"measure", "--port", sim.device(), "--log", first.path("log.csv"), "--quiet"});
    ASSERT_TRUE(waitForLines(first.path("log.csv"), 3));

    // A second program on the same folder leaves it alone.
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUELLIN_HOME", first.home());
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(QUELLIN_CLI), {"memory", "--port", sim.device()});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(
        QString::fromUtf8(second.readAllStandardError()).contains("別の Quellin が使用中です"));

    first.signal(SIGINT);
    EXPECT_EQ(first.finish(), 0);
}

} // namespace
} // namespace quellin::test
