// The meter's logging memory in the whole program against the virtual meter over a
// pseudo-terminal: a measurement spanning three blocks is listed as one line,
// downloaded, and the records in TMP.DAT, the list, the graph and a saved file
// are those computed here from the meter's own record lines. Clearing a
// measurement sends "SCB" for its blocks in order; a failed download leaves no
// data set behind.

#include "Controls.h"
#include "Doubles.h"
#include "EventWait.h"
#include "MeterSim.h"
#include "ProgramFixture.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "dialogs/FrmDownload.h"
#include "dialogs/FrmLogingMem.h"
#include "link/LinkTexts.h"
#include "main/FrmMDIMain.h"
#include "platform/Format.h"
#include "platform/VbDate.h"
#include "store/DataSetInfo.h"
#include "store/ModFile.h"
#include "views/FrmGraph.h"
#include "views/FrmSpread.h"
#include "views/ListTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <bit>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace quellin {
namespace {

using test::control;

using test::runEventsUntil;

QStringList listTexts(const QListWidget& list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

const QStringList kPresetLines = {"0： 単相３線式 ・  5 ・ 2024/05/13 09:00 ・   50.0 ・ 96",
                                  "1： 三相３線式 ・  1 ・ 2024/05/14 08:30 ・   50.0 ・ 24800",
                                  "2： 単相２線式 ・ 15 ・ 2024/06/03 13:15 ・   60.0 ・ 672"};

// One record line of the meter decoded here ("RMM", four digits, then 8-digit
// hexadecimal singles one character apart); nothing for a damaged line.
std::optional<std::array<double, 11>> decode(const QString& line)
{
    std::array<double, 11> f{};
    for (int k = 0; k < 11; ++k) {
        bool ok = false;
        const QString hex = line.mid(7 + 9 * k, 8);
        const quint32 bits = hex.toUInt(&ok, 16);
        if (!ok || hex.size() != 8)
            return std::nullopt;
        const float v = std::bit_cast<float>(bits);
        f[static_cast<size_t>(k)] = std::isfinite(v) ? v : 0.0;
    }
    return f;
}

// The records the program must make of a measurement's lines, computed on their own.
std::vector<DataRecord> expectedRecords(const QStringList& lines, int wiring, double start,
                                        int interval, double frequency)
{
    std::vector<DataRecord> out;
    double energy = 0;
    for (int n = 0; n < lines.size(); ++n) {
        const auto f = decode(lines[n]);
        if (!f)
            continue;
        const auto [vR, vT, iR, iT, p, pf, l1, l2, l3, t1, t2] = *f;
        const double s = wiring == 0   ? vR * iR
                         : wiring == 1 ? vR * iR + vT * iT
                                       : (vR * iR + vT * iT) * std::sqrt(3.0) / 2;
        energy += interval / 3600.0 * p / 1000;
        DataRecord r;
        r.number = n;
        r.setTime(start + double(n) * interval / 86400);
        const double hours = double(out.size() + 1) * interval / 3600;
        const double q = std::sqrt(std::fabs(s * s - p * p));
        const double values[] = {vR,        vT,     iR,    iT, p,  q,  s,  pf,
                                 frequency, energy, hours, l1, l2, l3, t1, t2};
        for (int c = 2; c <= 17; ++c)
            r.setColumn(c, values[c - 2]);
        out.push_back(r);
    }
    return out;
}

// With QUELLIN_SCREENSHOT_DIR set, the window as a PNG file there.
void screenshot(QWidget& w, const QString& name)
{
    if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty())
        w.grab().save(dir + '/' + name);
}

void expectSameRecord(const DataRecord& got, const DataRecord& want)
{
    EXPECT_EQ(got.number, want.number);
    EXPECT_NEAR(got.time(), want.time(), 1e-8) << "record " << want.number;
    for (int c = 2; c <= 17; ++c)
        EXPECT_NEAR(got.column(c), want.column(c), 1e-9 * std::max(1.0, std::fabs(want.column(c))))
            << "record " << want.number << " column " << c;
}

QStringList recordLines(const test::MeterSim& sim)
{
    QStringList out;
    for (const QString& line : sim.sentLines())
        if (line.startsWith("RMM") && !line.startsWith("RMME"))
            out << line;
    return out;
}

struct MemoryDownload : test::ProgramFixture {
    // Waits for the dialog's exchange to give it back.
    static bool waitEnabled(QWidget& dlg)
    {
        return runEventsUntil([&] { return dlg.isEnabled(); });
    }
};

TEST_F(MemoryDownload, AMeasurementOverThreeBlocksIsOneLineAndItsRecordsReachListGraphAndFile)
{
    start({"--version", "2", "--memory-preset", "--download-baud", "0", "--seed", "11"});
    QStringList progress;
    EXPECT_TRUE(
        runDialog<FrmDownload>(main().toolButton(ToolButton::Download), [&](FrmDownload& dlg) {
            ASSERT_TRUE(waitEnabled(dlg));
            ASSERT_EQ(listTexts(*control<QListWidget>(dlg, "LstMemory")), kPresetLines);
            control<QListWidget>(dlg, "LstMemory")->setCurrentRow(1);
            screenshot(dlg, "download-dialog.png");
            control<QPushButton>(dlg, "CmdDownLoad")->click();
            ASSERT_TRUE(runEventsUntil([&] {
                const QString text = main().StsBar[2]->text();
                if (text.startsWith("ダウンロード中です。 ") && !progress.contains(text))
                    progress << text;
                return !dlg.isVisible();
            }));
        }));
    EXPECT_TRUE(msg.shown.empty()) << msg.texts().join('|').toStdString();
    const QStringList commands = sim.receivedCommands();
    EXPECT_EQ(commands.mid(commands.lastIndexOf("CMD")),
              (QStringList{"CMD", "CMM100009999", "CMM200009999", "CMM300004802"}));
    // The progress counted the records of the 24,800 the write counts announce.
    ASSERT_FALSE(progress.isEmpty());
    for (const QString& text : progress) {
        const auto m =
            QRegularExpression("^ダウンロード中です。 (\\d+) / 24800 件（(\\d+)%）$").match(text);
        ASSERT_TRUE(m.hasMatch()) << text.toStdString();
        EXPECT_EQ(m.captured(2).toInt(), m.captured(1).toInt() * 100 / 24800);
    }
    EXPECT_EQ(main().StsBar[2]->text(), QString());
    EXPECT_TRUE(ctx().app.DataPresent);
    EXPECT_TRUE(main().MnuFile_Save->isEnabled());

    // TMP.DAT: the records as computed here from the meter's lines.
    const QStringList lines = recordLines(sim);
    ASSERT_EQ(lines.size(), 24800);
    const double start = *vbdate::parse(u"2024/05/14 08:30");
    const std::vector<DataRecord> want = expectedRecords(lines, 2, start, 60, 50.02f);
    ASSERT_EQ(ctx().dataSet().RecordCount(), 24800);
    // The downloaded set is restorable after a crash, like a measured one.
    QFile info(dataSetInfoPath(ctx()));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    const std::optional<DataSetInfo> kept = parseDataSetInfo(QString::fromUtf8(info.readAll()));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->kind, DataSetKind::Download);
    EXPECT_EQ(kept->sampleInterval, 60);
    const std::vector<DataRecord> got = ctx().dataSet().ReadRecords(1, 24800);
    for (size_t k = 0; k < want.size(); k += (k < 20 || k > 24780) ? 1 : 97)
        expectSameRecord(got[k], want[k]);

    // The list's first page, and the graph: an hour of one-minute records.
    const QTableWidget* grid = control<QTableWidget>(*main().spreadWindow(), "VSprd");
    for (int row = 1; row <= 14; ++row)
        for (int g = 1; g <= ctx().cat.ColumnLast; ++g)
            EXPECT_EQ(grid->item(row, g - 1)->text(), listCellText(ctx(), want[row - 1], g));
    ASSERT_EQ(ctx().graphWindow().GraphPoints, 61);
    for (int p = 1; p <= 61; ++p) {
        EXPECT_NEAR(ctx().graphWindow().GraphTimes[p], want[p - 1].time(), 1e-8);
        EXPECT_EQ(ctx().graphWindow().GraphValues[4][p], want[p - 1].column(6)) << p;
    }
    EXPECT_EQ(control<QLabel>(*main().graphWindow(), "LblGraphInfo", 1)->text(),
              Format(want.back().column(11), "0.0000") + " kWh");
    screenshot(main(), "main-download.png");

    // The saved file: a data line per record, in the columns of its title line.
    files.answers = {home.filePath("download.csv")};
    main().MnuFile_Save->trigger();
    QFile file(home.filePath("download.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringDecoder sjis("Shift_JIS");
    const QString text = sjis.decode(file.readAll());
    const QStringList fileLines = text.split("\r\n");
    ASSERT_EQ(fileLines.size(), 3 + 24800 + 1);
    const QStringList titles = fileLines[2].split(',');
    for (const int k : {0, 24799}) {
        const QStringList fields = fileLines[3 + k].split(',');
        ASSERT_EQ(fields.size(), titles.size());
        const DataRecord& r = want[static_cast<size_t>(k)];
        for (int i = 0; i < titles.size(); ++i) {
            const int c = ctx().cat.ColumnTitles.indexOf(titles[i].mid(1, titles[i].size() - 2));
            EXPECT_EQ(fields[i], c == 0    ? Format(double(r.number), "0000")
                                 : c == 1  ? '"' + Format(r.time(), "yyyy/mm/dd hh:mm:ss") + '"'
                                 : c <= 12 ? Format(r.column(c), "0.000E+0")
                                 : c <= 15 ? Format(r.column(c), "0.0")
                                           : Format(r.column(c), "0"))
                << titles[i].toStdString();
        }
    }
}

TEST_F(MemoryDownload, ClearingAMeasurementSendsScbForItsBlocksInOrder)
{
    start({"--memory-preset", "--clear-time", "30"});
    EXPECT_TRUE(runDialog<FrmLogingMem>(main().MnuManu_Memori, [&](FrmLogingMem& dlg) {
        const auto listed = [&](int n) {
            return runEventsUntil([&] {
                return dlg.isEnabled() && control<QListWidget>(dlg, "LstMemory")->count() == n;
            });
        };
        ASSERT_TRUE(listed(3));
        EXPECT_EQ(control<QLabel>(dlg, "LblLoging")->text(), "ロギングなし");
        control<QListWidget>(dlg, "LstMemory")->setCurrentRow(1);
        screenshot(dlg, "logingmem-dialog.png");
        control<QPushButton>(dlg, "CmdClear", 0)->click();
        ASSERT_TRUE(listed(2)) << msg.texts().join('|').toStdString();
        EXPECT_EQ(listTexts(*control<QListWidget>(dlg, "LstMemory")),
                  (QStringList{kPresetLines[0],
                               "1： 単相２線式 ・ 15 ・ 2024/06/03 13:15 ・   60.0 ・ 672"}));
        EXPECT_EQ(main().StsBar[2]->text(), QString());
    }));
    const QStringList commands = sim.receivedCommands();
    EXPECT_EQ(commands.filter(QRegularExpression("^SCB")), (QStringList{"SCB1", "SCB2", "SCB3"}));
    EXPECT_EQ(commands.mid(commands.indexOf("SCB1"), 4),
              (QStringList{"SCB1", "SCB2", "SCB3", "CBN"}));
    EXPECT_TRUE(sim.sentLines().contains("CLR3")); // progress lines kept the clear alive
}

TEST_F(MemoryDownload, LoggingStartsAndStopsWhileTheMeterMeasures)
{
    start({"--measuring", "--logging-rate", "100"});
    EXPECT_TRUE(runDialog<FrmLogingMem>(main().MnuManu_Memori, [&](FrmLogingMem& dlg) {
        const auto shows = [&](const QString& state) {
            return runEventsUntil([&] {
                return dlg.isEnabled() && control<QLabel>(dlg, "LblLoging")->text() == state;
            });
        };
        ASSERT_TRUE(shows("ロギングなし"));
        EXPECT_EQ(listTexts(*control<QListWidget>(dlg, "LstMemory")),
                  QStringList{"電力計が計測中はメモリ一覧を取得できません。"});
        EXPECT_FALSE(control<QPushButton>(dlg, "CmdClear", 1)->isEnabled());
        control<QPushButton>(dlg, "CmdSend")->click(); // preselected: start
        ASSERT_TRUE(shows("ロギング中"));
        EXPECT_EQ(control<QComboBox>(dlg, "CmbData")->currentIndex(), 0);
        control<QPushButton>(dlg, "CmdSend")->click();
        ASSERT_TRUE(shows("ロギングなし"));
    }));
    EXPECT_EQ(msg.texts(), (QStringList{"送信を完了しました。", "送信を完了しました。"}));
    EXPECT_EQ(sim.receivedCommands().filter(QRegularExpression("^SMD2")),
              (QStringList{"SMD21", "SMD20"}));
}

TEST_F(MemoryDownload, ARefusedDownloadLeavesNoDataSetAndARetryStartsAfresh)
{
    start({"--memory-preset", "--download-baud", "0", "--download-ng-after", "40"});
    EXPECT_TRUE(runDialog<FrmDownload>(main().MnuFile_Download, [&](FrmDownload& dlg) {
        ASSERT_TRUE(waitEnabled(dlg));
        control<QListWidget>(dlg, "LstMemory")->setCurrentRow(0);
        control<QPushButton>(dlg, "CmdDownLoad")->click();
        ASSERT_TRUE(runEventsUntil([&] { return msg.sawText("ダウンロードできません。"); }));
        EXPECT_TRUE(dlg.isEnabled());
        EXPECT_EQ(ctx().dataSet().RecordCount(), 0);
        EXPECT_FALSE(ctx().app.DataPresent);
        EXPECT_EQ(main().StsBar[2]->text(),
                  "ダウンロードは完了していません。受信した40 / 96 件は破棄しました。");
        control<QPushButton>(dlg, "CmdDownLoad")->click();
        ASSERT_TRUE(runEventsUntil([&] { return !dlg.isVisible(); }));
    }));
    ASSERT_EQ(ctx().dataSet().RecordCount(), 96);
    EXPECT_EQ(ctx().dataSet().ReadRecord(1).number, 0);
    EXPECT_EQ(vbdate::secondsBetween(ctx().dataSet().FirstTime(), ctx().dataSet().LastTime()),
              95 * 300);
    // With data present a download asks first; No keeps the data and opens nothing.
    msg.answers = {MsgAnswer::No};
    main().MnuFile_Download->trigger();
    EXPECT_EQ(msg.shown.back().text, "内部メモリをクリアします。\r\nよろしいですか？");
    EXPECT_TRUE(ctx().app.DataPresent);
    EXPECT_EQ(ctx().dataSet().RecordCount(), 96);
}

TEST_F(MemoryDownload, APortLostMidDownloadEndsItWithAMessageAndNoDataSet)
{
    start({"--memory-preset", "--download-baud", "0", "--download-hangup-after", "500"});
    EXPECT_TRUE(runDialog<FrmDownload>(main().MnuFile_Download, [&](FrmDownload& dlg) {
        ASSERT_TRUE(waitEnabled(dlg));
        control<QListWidget>(dlg, "LstMemory")->setCurrentRow(1);
        control<QPushButton>(dlg, "CmdDownLoad")->click();
        ASSERT_TRUE(runEventsUntil([&] {
            return msg.sawText("ダウンロードに失敗しました。\r\n電力計を確認して下さい。");
        })) << msg.texts().join('|').toStdString();
    }));
    EXPECT_TRUE(msg.texts().join('|').contains("が使用できなくなりました。"));
    EXPECT_EQ(ctx().dataSet().RecordCount(), 0);
    EXPECT_FALSE(ctx().app.DataPresent);
    EXPECT_FALSE(main().MnuFile_Save->isEnabled());
    EXPECT_TRUE(QRegularExpression(
                    "^ダウンロードは完了していません。受信した\\d+ / 24800 件は破棄しました。$")
                    .match(main().StsBar[2]->text())
                    .hasMatch())
        << main().StsBar[2]->text().toStdString();

    // With the port gone, every command that asks the meter says so at once
    // instead of opening a dialog that could only time out.
    for (QAction* item : {main().MnuFile_Download, main().MnuManu_Memori, main().MnuManu_Keisoku,
                          main().MnuManu_Pref}) {
        msg.clear();
        item->trigger();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << item->objectName().toStdString();
        EXPECT_TRUE(msg.sawText(link_text::portNotOpen(ctx().app.CommPort)))
            << item->objectName().toStdString() << ": " << msg.texts().join('|').toStdString();
    }
}

} // namespace
} // namespace quellin

namespace quellin {
namespace {

TEST_F(MemoryDownload, StoppingADownloadDrainsTheBlockDiscardsItAndClosingTheDialogKeepsTheData)
{
    start({"--memory-preset", "--download-baud", "0"});
    auto downloadRow = [&](FrmDownload& dlg, int row) {
        ASSERT_TRUE(waitEnabled(dlg));
        control<QListWidget>(dlg, "LstMemory")->setCurrentRow(row);
        control<QPushButton>(dlg, "CmdDownLoad")->click();
    };
    EXPECT_TRUE(runDialog<FrmDownload>(main().MnuFile_Download, [&](FrmDownload& dlg) {
        downloadRow(dlg, 0);
        ASSERT_TRUE(runEventsUntil([&] { return !dlg.isVisible(); }));
    }));
    ASSERT_EQ(ctx().dataSet().RecordCount(), 96);

    // Yes to the clear question, then the dialog closed without a download.
    msg.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(runDialog<FrmDownload>(main().MnuFile_Download, [&](FrmDownload& dlg) {
        ASSERT_TRUE(waitEnabled(dlg));
        control<QPushButton>(dlg, "cmdCancel")->click();
    }));
    EXPECT_TRUE(ctx().app.DataPresent);
    EXPECT_EQ(ctx().dataSet().RecordCount(), 96);
    EXPECT_TRUE(main().MnuFile_Save->isEnabled());

    // Escape in the progress window while the first of three blocks arrives.
    msg.answers = {MsgAnswer::Yes};
    QString receivedText;
    EXPECT_TRUE(runDialog<FrmDownload>(main().MnuFile_Download, [&](FrmDownload& dlg) {
        downloadRow(dlg, 1);
        EXPECT_FALSE(ctx().app.DataPresent); // cleared as the download starts
        auto* progress = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(progress);
        ASSERT_EQ(progress->objectName(), "FrmDownloadProgress");
        ASSERT_TRUE(runEventsUntil([&] { return ctx().dataSet().RecordCount() > 0; }));
        screenshot(*progress, "download-progress.png");
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(progress, &escape);
        EXPECT_FALSE(control<QPushButton>(*progress, "cmdStop")->isEnabled());
        ASSERT_TRUE(runEventsUntil([&] { return dlg.isEnabled(); }));
        EXPECT_FALSE(QApplication::topLevelWidgets().contains(progress));
        EXPECT_TRUE(dlg.isVisible());
    }));
    EXPECT_TRUE(msg.texts().filter("ダウンロード").isEmpty()) << msg.texts().join('|').toStdString();
    const QStringList commands = sim.receivedCommands();
    EXPECT_EQ(commands.mid(commands.lastIndexOf("CMD")), (QStringList{"CMD", "CMM100009999"}));
    EXPECT_EQ(ctx().dataSet().RecordCount(), 0);
    EXPECT_FALSE(ctx().app.DataPresent);
    EXPECT_FALSE(main().MnuFile_Save->isEnabled());
    EXPECT_TRUE(QRegularExpression("^ダウンロードは完了していません。受信した\\d+ / 24800 件は破棄しました。$")
                    .match(main().StsBar[2]->text())
                    .hasMatch())
        << main().StsBar[2]->text().toStdString();
    // The link is idle: the next download runs to its end.
    EXPECT_TRUE(runDialog<FrmDownload>(main().MnuFile_Download, [&](FrmDownload& dlg) {
        downloadRow(dlg, 2);
        ASSERT_TRUE(runEventsUntil([&] { return !dlg.isVisible(); }));
    }));
    EXPECT_EQ(ctx().dataSet().RecordCount(), 672);
}

} // namespace
} // namespace quellin
