// A whole measurement in the program against the virtual meter: started from the
// menu, PC logging switched on and off in between, stopped; the log file, TMP.DAT,
// the list's last row and the panel agree with what the meter sent.

#include "Controls.h"
#include "Doubles.h"
#include "EventWait.h"
#include "MeterSim.h"
#include "ProgramFixture.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "link/MeasuredData.h"
#include "main/FrmMDIMain.h"
#include "platform/Format.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "views/FrmDisp.h"
#include "views/FrmSpread.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QStringDecoder>
#include <QTableWidget>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

using test::runEventsUntil;

double reading(const QString& line, int position)
{
    return HexToSingle(QStringView(line).mid(3 + position - 1, 8));
}

using Measurement = test::ProgramFixture;

TEST_F(Measurement, MenuStartLoggingAndStopAgreeWithTheMeter)
{
    ASSERT_NO_FATAL_FAILURE(start({"--version", "2", "--wiring", "1", "--rate", "20", "--seed", "3",
                                   "--start-time", "2002/06/01 10:00:00"}));
    FrmMDIMain& main = *program->mainWindow();
    Context& ctx = program->context();
    ASSERT_EQ(ctx.app.HardVersion, 2);

    // Start from the menu; the toolbar and menus change to the measuring state.
    main.MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] { return ctx.app.Measuring; }))
        << msg.texts().join('|').toStdString();
    EXPECT_EQ(main.MnuExec_Keisoku->text(), QStringLiteral("計測停止(&S)"));
    EXPECT_EQ(main.toolButton(ToolButton::Keisoku)->toolTip(), QStringLiteral("計測停止"));
    EXPECT_TRUE(main.MnuExec_Loging->isEnabled());
    EXPECT_FALSE(main.MnuFile_Load->isEnabled());
    EXPECT_FALSE(main.toolButton(ToolButton::System)->isEnabled());
    EXPECT_EQ(main.StsBar[1]->text(), QStringLiteral("計測中"));

    ASSERT_TRUE(runEventsUntil([&] { return ctx.dataSet().RecordCount() >= 10; }));

    // PC logging on for a while.
    const QString logPath = home.filePath(QStringLiteral("log.csv"));
    files.answers = {logPath};
    main.MnuExec_Loging->trigger();
    ASSERT_TRUE(main.measurementRun().logging());
    ASSERT_EQ(files.saves.size(), 1u);
    EXPECT_EQ(files.saves[0].title, QStringLiteral("記録データ格納先"));
    EXPECT_EQ(main.MnuExec_Loging->text(), QStringLiteral("ﾛｷﾞﾝｸﾞ停止(&L)"));
    EXPECT_EQ(main.StsBar[2]->text(), QStringLiteral("ロギング中（間隔：1秒おき）"));
    const int loggingFrom = ctx.dataSet().RecordCount();
    ASSERT_TRUE(runEventsUntil([&] { return ctx.dataSet().RecordCount() >= loggingFrom + 8; }));
    main.MnuExec_Loging->trigger();
    const int loggingTo = ctx.dataSet().RecordCount();
    EXPECT_FALSE(main.measurementRun().logging());
    EXPECT_EQ(main.StsBar[2]->text(), QString());

    // Thirty lines in all, then stop and let the list catch up on its last tick.
    ASSERT_TRUE(runEventsUntil([&] { return ctx.dataSet().RecordCount() >= 30; }));
    main.MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] { return !ctx.app.Measuring; }));
    EXPECT_EQ(main.MnuExec_Keisoku->text(), QStringLiteral("計測開始(&S)"));
    EXPECT_FALSE(main.MnuExec_Loging->isEnabled());
    EXPECT_TRUE(main.MnuFile_Save->isEnabled());
    EXPECT_TRUE(msg.shown.empty()) << msg.texts().join('|').toStdString();

    const QStringList lines = sim.measuredLines();
    const int n = ctx.dataSet().RecordCount();
    ASSERT_GE(n, 30);
    ASSERT_GE(lines.size(), n);

    // TMP.DAT: record k is the meter's k-th line.
    const std::vector<DataRecord> recs = ctx.dataSet().ReadRecords(1, n);
    for (int k = 0; k < n; ++k) {
        const DataRecord& r = recs[static_cast<size_t>(k)];
        EXPECT_EQ(r.number, k);
        EXPECT_EQ(r.time(), *vbdate::parse(QStringView(lines[k]).mid(3 + 67, 19)));
        EXPECT_EQ(r.column(2), reading(lines[k], 5));
        EXPECT_EQ(r.column(6), reading(lines[k], 41));
        EXPECT_EQ(r.column(16), reading(lines[k], 115));
    }

    // The log file: the header, then one line per record stored while logging,
    // each the meter's reading (one line per period of one second).
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    QStringDecoder sjis("Shift_JIS");
    const QString text = sjis.decode(log.readAll());
    QStringList logLines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(logLines.takeLast(), QString());
    ASSERT_GE(logLines.size(), 3);
    EXPECT_EQ(logLines[0], QStringLiteral("FILE=\"log.csv\""));
    EXPECT_EQ(logLines[1], QStringLiteral("\"測定条件　結線＝単相３線式\""));
    EXPECT_TRUE(logLines[2].startsWith(QStringLiteral("\"番号\",\"時刻\",\"電圧Ｒ(V)\"")));
    EXPECT_TRUE(logLines[2].endsWith(QStringLiteral("\"温度2(℃)\"")));
    const QStringList data = logLines.mid(3);
    EXPECT_EQ(data.size(), loggingTo - loggingFrom);
    for (int i = 0; i < data.size(); ++i) {
        const int k = loggingFrom + i; // the record written with log line i
        const QStringList f = data[i].split(QLatin1Char(','));
        ASSERT_EQ(f.size(), 18) << data[i].toStdString();
        EXPECT_EQ(f[0], Format(double(i), QStringLiteral("0000")));
        EXPECT_EQ(f[1], QLatin1Char('"') + lines[k].mid(3 + 67, 19) + QLatin1Char('"'));
        EXPECT_EQ(f[2], Format(reading(lines[k], 5), QStringLiteral("0.000E+0")));
        EXPECT_EQ(f[6], Format(reading(lines[k], 41), QStringLiteral("0.000E+0")));
        EXPECT_EQ(f[13], Format(reading(lines[k], 88), QStringLiteral("0.0")));
    }

    // The list's last row is the newest record of its last refresh.
    const QTableWidget* grid = control<QTableWidget>(*main.spreadWindow(), "VSprd");
    const int lastRecord = ctx.listPage().ListTop + 14;
    ASSERT_LE(lastRecord, n);
    const DataRecord& shown = recs[static_cast<size_t>(lastRecord - 1)];
    EXPECT_EQ(grid->item(14, 0)->text(), QString::number(shown.number));
    EXPECT_EQ(grid->item(14, 2)->text(), Format(shown.column(2), QStringLiteral("000.0E+0")));

    // The panel shows the last line the program handled.
    const QString& last = lines[n - 1];
    FrmDisp* panel = main.dispWindow();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(control<QLabel>(*panel, "LblValue", 0)->text(),
              Format(reading(last, 59), QStringLiteral("0.0")));
    EXPECT_EQ(control<QLabel>(*panel, "LblValue", 1)->text(),
              Format(*vbdate::parse(QStringView(last).mid(3 + 67, 19)),
                     QStringLiteral("mm/dd hh:mm:ss")));
    EXPECT_EQ(control<QLabel>(*panel, "LblValue", 9)->text(), powerFactorText(reading(last, 50)));
    EXPECT_EQ(control<QLabel>(*panel, "LblValue", 13)->text(),
              Format(reading(last, 115), QStringLiteral("0")));
}

} // namespace
} // namespace quellin
