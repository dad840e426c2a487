#include "main/FrmMDIMain.h"

#include "Controls.h"
#include "MeasureStateAccess.h"
#include "about/FrmHelp.h"

#include "Catalogue.h"
#include "TestContext.h"
#include "link/LinkDoubles.h"
#include "link/Sequencer.h"
#include "main/WindowMenu.h"
#include "platform/StatusBarProxy.h"
#include "store/ModFile.h"
#include "views/FrmDisp.h"
#include "views/FrmGraph.h"
#include "views/FrmSpread.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <cstring>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

struct MainFixture : ::testing::Test {
    MainFixture()
    {
        test::giveTestCatalogue(*t.ctx, 1);
        ResetStore(*t.ctx);
        // As after a measurement: every column holds data.
        test::props(*t.ctx).ColumnPresent.assign(13, true);
        main = std::make_unique<FrmMDIMain>(*t.ctx, status, seq, MainWindowLinks{});
        clients.main = main.get();
        clients.measured = &main->measurementRun().measuredData();
        main->showChildWindows();
    }
    ~MainFixture() override
    {
        t.ctx->app.Measuring = false;
        test::MeasureStateAccess::state(main->measurementRun().measuredData()).PcLogging = false;
        t.msg.defaultAnswer = MsgAnswer::Yes;
        main->close();
    }

    // Appends n records at one-second steps from 2002/06/01 00:00:00.
    void addRecords(int n)
    {
        t.ctx->dataSet().OpenTmpForAppend();
        for (int i = 0; i < n; ++i) {
            DataRecord r;
            r.number = i;
            r.setTime(37408.0 + i / 86400.0);
            r.setColumn(2, 100 + i);
            t.ctx->dataSet().AppendRecord(r);
        }
        t.ctx->dataSet().CloseTmp();
    }

    test::TestContext t;
    test::FakeTransport transport;
    test::FakeTimer timer;
    LinkClients clients;
    Sequencer seq{*t.ctx, transport, timer, clients};
    StatusBarProxy status;
    std::unique_ptr<FrmMDIMain> main;
};

TEST_F(MainFixture, CaptionMenusAndToolbarAfterStartUp)
{
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Quellin"));
    QStringList menus;
    for (QAction* a : main->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"ﾌｧｲﾙ(&F)", "表示(&V)", "動作制御(&E)", "操作(&M)", "設定(&P)",
                                  "ウィンドウ(&W)", "ﾍﾙﾌﾟ(&H)"}));
    QStringList fileItems;
    for (QAction* a : main->MnuFile->actions())
        fileItems << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(fileItems,
              (QStringList{"ﾌｧｲﾙ読込(&L)...", "追加読込(&J)...", "ﾌｧｲﾙ保存(&S)...", "-",
                           "ﾀﾞｳﾝﾛｰﾄﾞ(&D)...", "ﾒﾓﾘｸﾘｱ(&C)", "-", "ﾃﾞｰﾀ一覧印刷(&A)", "ｸﾞﾗﾌ印刷(&G)",
                           "PDFに出力(&P)...", "グラフ画像を保存(&I)...", "-", "終了(&X)"}));
    // Printing and the help are offered, in the menus and on the toolbar.
    for (QAction* a :
         {main->MnuFile_PrintSpread, main->MnuFile_PrintGraph, main->MnuFile_Pdf,
          main->MnuFile_GraphImage, main->MnuHelp_Mokuji, main->MnuHelp_Version,
          main->MnuHelp->menuAction(), main->toolButton(ToolButton::SpreadPrint),
          main->toolButton(ToolButton::GraphPrint), main->toolButton(ToolButton::Help)})
        EXPECT_TRUE(a->isVisible()) << a->text().toStdString();
    // Disabled after start-up: save, clear and logging, menu items and buttons alike.
    EXPECT_FALSE(main->MnuFile_Save->isEnabled());
    EXPECT_FALSE(main->MnuFile_Clear->isEnabled());
    EXPECT_FALSE(main->MnuExec_Loging->isEnabled());
    EXPECT_FALSE(main->toolButton(ToolButton::Save)->isEnabled());
    EXPECT_FALSE(main->toolButton(ToolButton::Clear)->isEnabled());
    EXPECT_FALSE(main->toolButton(ToolButton::Loging)->isEnabled());
    EXPECT_TRUE(main->MnuExec_Keisoku->isEnabled());
    EXPECT_TRUE(main->toolButton(ToolButton::Keisoku)->isEnabled());
    EXPECT_EQ(main->toolButton(ToolButton::Keisoku)->toolTip(), QStringLiteral("計測開始"));
    EXPECT_EQ(main->toolButton(ToolButton::Loging)->toolTip(), QStringLiteral("ロギング開始"));
    EXPECT_EQ(main->ToolButtons.size(), 10);
}

TEST_F(MainFixture, ChildWindowsKeepTheirViewMarks)
{
    EXPECT_TRUE(main->MnuView_Spread->isChecked());
    EXPECT_TRUE(main->MnuView_Denryoku->isChecked());
    // Closing the list with its own close box clears the mark …
    main->spreadWindow()->close();
    QApplication::processEvents();
    EXPECT_FALSE(main->MnuView_Spread->isChecked());
    EXPECT_EQ(main->spreadWindow(), nullptr);
    // … and the menu shows it again.
    main->MnuView_Spread->trigger();
    ASSERT_NE(main->spreadWindow(), nullptr);
    EXPECT_TRUE(main->MnuView_Spread->isChecked());
    // The menu closes it too.
    main->MnuView_Denryoku->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(main->MnuView_Denryoku->isChecked());
    EXPECT_EQ(main->dispWindow(), nullptr);
}

TEST_F(MainFixture, ClearAnsweredNoChangesNothing)
{
    addRecords(20);
    t.ctx->app.DataPresent = true;
    main->MnuFile_Save->setEnabled(true);
    main->MnuFile_Clear->setEnabled(true);
    t.msg.answers = {MsgAnswer::No};
    main->MnuFile_Clear->trigger();
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text,
              QStringLiteral("内部メモリをクリアします。\r\nよろしいですか？"));
    EXPECT_EQ(t.msg.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Question);
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_TRUE(QFile::exists(t.ctx->tmpDatPath()));
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 20);
    EXPECT_TRUE(main->MnuFile_Save->isEnabled());
}

TEST_F(MainFixture, ClearAnsweredYesEmptiesTheDataSet)
{
    addRecords(20);
    t.ctx->app.DataPresent = true;
    main->MnuFile_Save->setEnabled(true);
    main->MnuFile_Clear->setEnabled(true);
    main->dispWindow()->setValue(2, QStringLiteral("230.4"));
    t.msg.answers = {MsgAnswer::Yes};
    main->MnuFile_Clear->trigger();
    EXPECT_FALSE(t.ctx->app.DataPresent);
    EXPECT_FALSE(QFile::exists(t.ctx->tmpDatPath()));
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 0);
    EXPECT_FALSE(main->MnuFile_Save->isEnabled());
    EXPECT_FALSE(main->toolButton(ToolButton::Clear)->isEnabled());
    EXPECT_EQ(control<QLabel>(*main->dispWindow(), "LblValue", 2)->text(), QStringLiteral("0.000"));
    EXPECT_EQ(control<QLabel>(*main->dispWindow(), "LblValue", 1)->text(),
              QStringLiteral("00/00 00:00:00"));
    EXPECT_FALSE(control<QScrollBar>(*main->spreadWindow(), "VscSprd")->isEnabled());
}

TEST_F(MainFixture, ListShowsAPageAndScrollsThroughTheDataSet)
{
    addRecords(15);
    LoadListPage(*t.ctx, 0);
    main->spreadWindow()->fillList();
    QTableWidget* grid = control<QTableWidget>(*main->spreadWindow(), "VSprd");
    QScrollBar* bar = control<QScrollBar>(*main->spreadWindow(), "VscSprd");
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), 1);
    // Grid row 1 is never written; rows 2..15 hold records 1..14.
    EXPECT_EQ(grid->item(0, 0)->text(), QString());
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("0"));
    EXPECT_EQ(grid->item(14, 0)->text(), QStringLiteral("13"));
    bar->setValue(1);
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(grid->item(14, 0)->text(), QStringLiteral("14"));
    EXPECT_EQ(grid->item(14, 2)->text(), QStringLiteral("114.0E+0"));
}

TEST_F(MainFixture, ThreeRecordsLeaveTheRestBlankAndTheBarOff)
{
    addRecords(3);
    LoadListPage(*t.ctx, 0);
    main->spreadWindow()->fillList();
    QTableWidget* grid = control<QTableWidget>(*main->spreadWindow(), "VSprd");
    EXPECT_EQ(grid->item(3, 0)->text(), QStringLiteral("2"));
    EXPECT_EQ(grid->item(4, 0)->text(), QString());
    EXPECT_EQ(grid->item(14, 1)->text(), QString());
    EXPECT_FALSE(control<QScrollBar>(*main->spreadWindow(), "VscSprd")->isEnabled());
}

struct CloseCase {
    bool logging;
    bool measuring;
    bool unsaved;
    MsgAnswer answer;
    const char* message;
    bool closes;
};

class EndSequence : public ::testing::TestWithParam<CloseCase> {};

TEST_P(EndSequence, RefusesOrAsksBeforeClosing)
{
    const CloseCase& c = GetParam();
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 1);
    ResetStore(*t.ctx);
    StatusBarProxy status;
    bool linkClosed = false;
    MainWindowLinks links;
    links.closeLink = [&] { linkClosed = true; };
    test::FakeTransport transport;
    test::FakeTimer timer;
    LinkClients clients;
    Sequencer seq(*t.ctx, transport, timer, clients);
    FrmMDIMain main(*t.ctx, status, seq, links);
    main.show();
    MeasureState& meas = test::MeasureStateAccess::state(main.measurementRun().measuredData());
    meas.PcLogging = c.logging;
    t.ctx->app.Measuring = c.measuring;
    t.ctx->app.DataPresent = c.unsaved;
    main.MnuFile_Save->setEnabled(c.unsaved);
    t.msg.answers = {c.answer};
    main.MnuFile_Exit->trigger();
    ASSERT_FALSE(t.msg.shown.empty());
    EXPECT_EQ(t.msg.shown[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(main.isVisible(), !c.closes);
    EXPECT_EQ(linkClosed, c.closes);
    if (!c.closes) {
        meas.PcLogging = t.ctx->app.Measuring = false;
        t.msg.answers = {MsgAnswer::Yes};
        main.close();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EndSequence,
    ::testing::Values(
        CloseCase{true, true, true, MsgAnswer::Ok, "ロギングを終了してください。", false},
        CloseCase{false, true, true, MsgAnswer::Ok, "計測を終了してください。", false},
        CloseCase{false, false, true, MsgAnswer::No,
                  "内部メモリは破棄されます。\r\nよろしいですか？", false},
        CloseCase{false, false, true, MsgAnswer::Yes,
                  "内部メモリは破棄されます。\r\nよろしいですか？", true}));

TEST(EndSequence, ClosingStoresTheGraphSettingsAndRemovesTmpDat)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 1);
    ResetStore(*t.ctx);
    t.ctx->cat.SeriesScale[4] = 3;
    t.ctx->app.GraphXHani = 2;
    QFile tmp(t.ctx->tmpDatPath());
    ASSERT_TRUE(tmp.open(QIODevice::WriteOnly));
    tmp.close();
    StatusBarProxy status;
    test::FakeTransport transport;
    test::FakeTimer timer;
    LinkClients clients;
    Sequencer seq(*t.ctx, transport, timer, clients);
    FrmMDIMain main(*t.ctx, status, seq, {});
    main.show();
    main.close();
    EXPECT_TRUE(t.msg.shown.empty()); // nothing unsaved: no question
    EXPECT_FALSE(QFile::exists(t.ctx->tmpDatPath()));
    EXPECT_EQ(t.settings->read("GraphYFlg", {}), QStringLiteral("000010001"));
    EXPECT_EQ(t.settings->read("GraphYKizami", {}), QStringLiteral("000000000300000000"));
    EXPECT_EQ(t.settings->read("GraphXHani", {}), QStringLiteral("2"));
}

TEST_F(MainFixture, ExitUnloadsTheChildrenAndClosesTheFiles)
{
    main->spreadWindow()->move(30, 45);
    t.ctx->dataSet().OpenTmpForAppend();
    ASSERT_TRUE(test::DataSetAccess::writer(t.ctx->dataSet()));
    EXPECT_TRUE(main->bfExitApplication());
    EXPECT_FALSE(test::DataSetAccess::writer(t.ctx->dataSet()));
    EXPECT_FALSE(main->MnuView_Spread->isChecked());
    EXPECT_FALSE(main->MnuView_Graph->isChecked());
    EXPECT_FALSE(main->MnuView_Denryoku->isChecked());
    // The list saved its place on the way out (twips).
    EXPECT_EQ(t.settings->read("FrmSpread_Left", {}), QStringLiteral("450"));
    EXPECT_EQ(t.settings->read("FrmSpread_Top", {}), QStringLiteral("675"));
}

} // namespace
} // namespace quellin

namespace quellin {
namespace {

// Which commands are enabled, menu items and toolbar buttons alike.
struct CommandStates {
    bool load, save, clear, loging, keisoku, system, prefLoging;
};

CommandStates states(FrmMDIMain& m)
{
    const auto both = [&](QAction* item, ToolButton button) {
        EXPECT_EQ(item->isEnabled(), m.toolButton(button)->isEnabled())
            << toolButtonKey(button).toStdString();
        return item->isEnabled();
    };
    return {both(m.MnuFile_Load, ToolButton::Load),
            both(m.MnuFile_Save, ToolButton::Save),
            both(m.MnuFile_Clear, ToolButton::Clear),
            both(m.MnuExec_Loging, ToolButton::Loging),
            both(m.MnuExec_Keisoku, ToolButton::Keisoku),
            both(m.MnuPref_System, ToolButton::System),
            m.MnuPref_Loging->isEnabled()};
}

void expectStates(FrmMDIMain& m, CommandStates want, const char* when)
{
    SCOPED_TRACE(when);
    const CommandStates got = states(m);
    EXPECT_EQ(got.load, want.load);
    EXPECT_EQ(got.save, want.save);
    EXPECT_EQ(got.clear, want.clear);
    EXPECT_EQ(got.loging, want.loging);
    EXPECT_EQ(got.keisoku, want.keisoku);
    EXPECT_EQ(got.system, want.system);
    EXPECT_EQ(got.prefLoging, want.prefLoging);
}

TEST_F(MainFixture, CommandStatesThroughAMeasurementAndAClear)
{
    //                   load   save   clear  loging keisoku system prefLog
    expectStates(*main, {true, false, false, false, true, true, true}, "after start-up");

    main->MnuExec_Keisoku->trigger();
    for (const char* answer : {"RMD200", "RCF030001", "RCF040001", "OK", "OK"})
        seq.dispatch(static_cast<int>(strlen(answer)), QString::fromLatin1(answer));
    t.sleep.runSteps(); // the pause before "SLG"
    ASSERT_TRUE(t.ctx->app.Measuring);
    expectStates(*main, {false, false, false, true, true, false, false}, "measuring");
    EXPECT_EQ(main->MnuExec_Keisoku->text(), QStringLiteral("計測停止(&S)"));
    EXPECT_EQ(t.status.panelText(1), QStringLiteral("計測中"));

    main->MnuExec_Keisoku->trigger();
    seq.dispatch(2, QStringLiteral("OK"));
    seq.dispatch(2, QStringLiteral("OK"));
    ASSERT_FALSE(t.ctx->app.Measuring);
    expectStates(*main, {true, true, true, false, true, true, true}, "after the measurement");
    EXPECT_EQ(main->MnuExec_Keisoku->text(), QStringLiteral("計測開始(&S)"));
    EXPECT_EQ(main->toolButton(ToolButton::Keisoku)->toolTip(), QStringLiteral("計測開始"));
    EXPECT_EQ(t.status.panelText(1), QString());

    t.msg.answers = {MsgAnswer::Yes};
    main->MnuFile_Clear->trigger();
    expectStates(*main, {true, false, false, false, true, true, true}, "after clearing");
}

TEST_F(MainFixture, StartWithDataPresentAnsweredNoSendsNothing)
{
    t.ctx->app.DataPresent = true;
    t.msg.answers = {MsgAnswer::No};
    main->MnuExec_Keisoku->trigger();
    EXPECT_TRUE(transport.writes.empty());
    EXPECT_TRUE(t.ctx->app.DataPresent);
}

} // namespace
} // namespace quellin

namespace quellin {
namespace {

TEST_F(MainFixture, LoadWithDataPresentAnsweredNoOpensNoDialog)
{
    addRecords(5);
    t.ctx->app.DataPresent = true;
    t.msg.answers = {MsgAnswer::No};
    main->MnuFile_Load->trigger();
    EXPECT_TRUE(t.files.opens.empty());
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 5);
}

TEST_F(MainFixture, SavedDataSetLoadsBackThroughTheMenus)
{
    addRecords(20);
    t.ctx->app.DataPresent = true;
    test::props(*t.ctx).FirstTime = 37408.0;
    test::props(*t.ctx).LastTime = 37408.0 + 19 / 86400.0;
    main->MnuFile_Save->setEnabled(true);
    main->MnuFile_Clear->setEnabled(true);
    const QString path = t.path(QStringLiteral("set.csv"));
    t.files.answers = {path};
    main->toolButton(ToolButton::Save)->setEnabled(true);
    main->toolButton(ToolButton::Save)->trigger(); // the button runs the menu item
    ASSERT_EQ(t.files.saves.size(), 1u);
    EXPECT_EQ(t.files.saves[0].filter, QStringLiteral("CSVﾌｧｲﾙ(*.csv)"));
    ASSERT_TRUE(QFile::exists(path));

    // Clear, then load the file again: the list, the commands and the graph follow.
    t.msg.answers = {MsgAnswer::Yes};
    main->MnuFile_Clear->trigger();
    ASSERT_EQ(t.ctx->dataSet().RecordCount(), 0);
    main->graphWindow()->close();
    QApplication::processEvents();
    ASSERT_FALSE(main->MnuView_Graph->isChecked());
    t.files.answers = {path};
    t.ctx->app.GraphXHani = 3; // a day, left from something else
    main->MnuFile_Load->trigger();
    ASSERT_EQ(t.files.opens.size(), 1u);
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 20);
    // Twenty one-second records: a minute from the first one.
    EXPECT_EQ(t.ctx->app.GraphXHani, 1);
    EXPECT_EQ(t.ctx->graphWindow().GraphStart, t.ctx->dataSet().FirstTime());
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_TRUE(main->MnuFile_Save->isEnabled());
    EXPECT_TRUE(main->toolButton(ToolButton::Clear)->isEnabled());
    EXPECT_TRUE(main->MnuView_Graph->isChecked()); // shown again for the loaded data
    EXPECT_EQ(control<QTableWidget>(*main->spreadWindow(), "VSprd")->item(1, 0)->text(),
              QStringLiteral("0"));
    EXPECT_EQ(control<QTableWidget>(*main->spreadWindow(), "VSprd")->item(1, 2)->text(),
              QStringLiteral("100.0E+0"));
    EXPECT_EQ(t.settings->read(QStringLiteral("FilePath"), {}), QFileInfo(path).absolutePath());
}

TEST_F(MainFixture, RefusedFileLeavesAnEmptyDataSet)
{
    const QString path = t.path(QStringLiteral("bad.csv"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a data file\r\n");
    f.close();
    t.files.answers = {path};
    main->MnuFile_Load->trigger();
    EXPECT_FALSE(t.msg.shown.empty());
    EXPECT_FALSE(t.ctx->app.DataPresent);
    EXPECT_FALSE(QFile::exists(t.ctx->tmpDatPath()));
    EXPECT_FALSE(main->MnuFile_Save->isEnabled());
}

TEST_F(MainFixture, GraphWindowKeepsItsViewMark)
{
    ASSERT_NE(main->graphWindow(), nullptr);
    EXPECT_TRUE(main->MnuView_Graph->isChecked());
    main->graphWindow()->close();
    QApplication::processEvents();
    EXPECT_FALSE(main->MnuView_Graph->isChecked());
    main->MnuView_Graph->trigger();
    EXPECT_NE(main->graphWindow(), nullptr);
    EXPECT_TRUE(main->MnuView_Graph->isChecked());
}

} // namespace
} // namespace quellin

namespace quellin {
namespace {

TEST_F(MainFixture, AListPageThatCannotBeReadIsReportedNotFatal)
{
    addRecords(20);
    LoadListPage(*t.ctx, 0);
    main->spreadWindow()->fillList();
    ASSERT_TRUE(QFile::remove(t.ctx->tmpDatPath()));
    control<QScrollBar>(*main->spreadWindow(), "VscSprd")->setValue(3);
    EXPECT_TRUE(
        t.status.panelText(2).startsWith(QStringLiteral("VscSprd_Changeでエラーが起こりました。")))
        << t.status.panelText(2).toStdString();
}

TEST_F(MainFixture, HelpButtonOpensOneHelpWindowAtTheContents)
{
    main->toolButton(ToolButton::Help)->trigger();
    FrmHelp* help = main->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(control<QTextBrowser>(*help, "HelpBrowser")->source(),
              QUrl(QStringLiteral("qrc:/help/index.html")));
    // Moved on, then asked again: the same window, back at the contents.
    control<QTextBrowser>(*help, "HelpBrowser")
        ->setSource(QUrl(QStringLiteral("qrc:/help/graph.html")));
    main->MnuHelp_Mokuji->trigger();
    EXPECT_EQ(main->helpWindow(), help);
    EXPECT_EQ(control<QTextBrowser>(*help, "HelpBrowser")->source(),
              QUrl(QStringLiteral("qrc:/help/index.html")));
}

} // namespace
} // namespace quellin

namespace quellin {
namespace {

// Load with data present: the question, then the dialog; cancelling it keeps the
// data set, a chosen file replaces it.
TEST_F(MainFixture, LoadClearsTheDataOnlyOnceAFileWasChosen)
{
    addRecords(20);
    t.ctx->app.DataPresent = true;
    main->MnuFile_Save->setEnabled(true);
    t.msg.answers = {MsgAnswer::Yes};
    t.files.answers = {QString()}; // cancelled
    main->MnuFile_Load->trigger();
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text,
              QStringLiteral("内部メモリをクリアします。\r\nよろしいですか？"));
    ASSERT_EQ(t.files.opens.size(), 1u);
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 20);
    EXPECT_TRUE(QFile::exists(t.ctx->tmpDatPath()));
    EXPECT_TRUE(main->MnuFile_Save->isEnabled());

    // A file chosen: the old data set goes, the file's comes.
    test::props(*t.ctx).FirstTime = 37408.0;
    test::props(*t.ctx).LastTime = 37408.0 + 19 / 86400.0;
    const QString path = t.path(QStringLiteral("five.csv"));
    t.files.answers = {path};
    main->MnuFile_Save->trigger();
    addRecords(5); // the store holds 25 records now; the file has 20
    t.msg.answers = {MsgAnswer::Yes};
    t.files.answers = {path};
    main->MnuFile_Load->trigger();
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 20);
    EXPECT_TRUE(t.ctx->app.DataPresent);
}

TEST_F(MainFixture, AReopenedGraphWindowShowsTheSummaryOfTheDataSet)
{
    addRecords(20);
    t.ctx->app.DataPresent = true;
    test::props(*t.ctx).FirstTime = 37408.0;
    test::props(*t.ctx).LastTime = 37408.0 + 19 / 86400.0;
    test::props(*t.ctx).TotalEnergy = 1.25;
    test::props(*t.ctx).PeakWatts = 2500;
    test::props(*t.ctx).PeakTime = 37408.0;
    main->graphWindow()->close();
    QApplication::processEvents();
    main->MnuView_Graph->trigger();
    FrmGraph* graph = main->graphWindow();
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(control<QLabel>(*graph, "LblGraphInfo", 0)->text(),
              QStringLiteral("2002/06/01 00:00:00 ～ 2002/06/01 00:00:19"));
    EXPECT_EQ(control<QLabel>(*graph, "LblGraphInfo", 1)->text(), QStringLiteral("1.2500 kWh"));
    EXPECT_EQ(control<QLabel>(*graph, "LblGraphInfo", 2)->text(),
              QStringLiteral("2.5 kW (2002/06/01 00:00:00)"));

    // Without data the labels stay empty.
    t.msg.answers = {MsgAnswer::Yes};
    main->MnuFile_Clear->setEnabled(true);
    main->MnuFile_Clear->trigger();
    graph->close();
    QApplication::processEvents();
    main->MnuView_Graph->trigger();
    EXPECT_EQ(control<QLabel>(*main->graphWindow(), "LblGraphInfo", 0)->text(), QString());
}

TEST_F(MainFixture, TheWindowMenuArrangesAndListsTheChildWindows)
{
    main->resize(1200, 900);
    main->show();
    QApplication::processEvents();
    QMenu* menu = main->MnuWindow->menu();
    QStringList items;
    main->MnuWindow->refreshList();
    for (QAction* a : menu->actions())
        if (a->isVisible())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, (QStringList{"重ねて表示(&C)", "並べて表示(&T)", "整列(&A)", "-",
                                  "&1 データ一覧表示", "&2 グラフ表示", "&3 測定値表示"}));

    // Tiled: side by side inside the area, none overlapping another.
    main->MnuWindow->tile()->trigger();
    const QRect area = main->mdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> windows = main->mdiArea()->subWindowList();
    for (QMdiSubWindow* w : windows) {
        EXPECT_TRUE(area.contains(w->geometry())) << w->windowTitle().toStdString();
        for (QMdiSubWindow* other : windows) {
            if (other != w) {
                EXPECT_FALSE(w->geometry().intersects(other->geometry()));
            }
        }
    }
    // Arranged: the panel top left, the graph beside it to the right edge, the
    // list below both across the area, reaching its bottom.
    main->MnuWindow->arrange()->trigger();
    for (QMdiSubWindow* w : windows)
        EXPECT_TRUE(area.contains(w->geometry())) << w->windowTitle().toStdString();
    EXPECT_EQ(main->graphWindow()->geometry().right(), area.right());
    EXPECT_EQ(main->spreadWindow()->geometry().bottom(), area.bottom());
    EXPECT_EQ(main->spreadWindow()->width(), area.width());
    EXPECT_EQ(main->graphWindow()->geometry().bottom() + 1, main->spreadWindow()->y());

    // Cascaded: each one a step right of and below the one before.
    main->MnuWindow->cascade()->trigger();
    const QList<QMdiSubWindow*> stacked = main->mdiArea()->subWindowList(QMdiArea::StackingOrder);
    for (qsizetype i = 1; i < stacked.size(); ++i) {
        EXPECT_GT(stacked[i]->x(), stacked[i - 1]->x());
        EXPECT_GT(stacked[i]->y(), stacked[i - 1]->y());
    }

    // A minimised window chosen from the list comes back, in front.
    main->graphWindow()->showMinimized();
    main->MnuWindow->refreshList();
    QAction* graphEntry = nullptr;
    for (QAction* a : menu->actions())
        if (a->text().endsWith(QStringLiteral("グラフ表示")))
            graphEntry = a;
    ASSERT_NE(graphEntry, nullptr);
    graphEntry->trigger();
    EXPECT_FALSE(main->graphWindow()->isMinimized());
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), main->graphWindow());
}

} // namespace
} // namespace quellin

namespace quellin {
namespace {

// A first run on a 1366 × 768 laptop screen and on a 1920 × 1080 one (a
// 40-pixel task bar below): every child window lies inside the window area, the
// list's newest row can be read, uncovered by the graph, and the graph spans to
// the right edge.
TEST(FirstRun, OnALaptopScreenTheNewestListRowIsVisible)
{
    for (const QSize size : {QSize(1366, 728), QSize(1920, 1040)}) {
        SCOPED_TRACE(size.width());
        test::TestContext t;
        test::giveTestCatalogue(*t.ctx, 2);
        ResetStore(*t.ctx);
        test::FakeTransport transport;
        test::FakeTimer timer;
        LinkClients clients;
        Sequencer seq(*t.ctx, transport, timer, clients);
        StatusBarProxy status;
        FrmMDIMain main(*t.ctx, status, seq, MainWindowLinks{});
        main.resize(size);
        main.showChildWindows();
        main.show();
        QApplication::processEvents();

        const QRect area = main.mdiArea()->viewport()->rect();
        ASSERT_GT(area.height(), 500);
        for (QMdiSubWindow* w : main.mdiArea()->subWindowList())
            EXPECT_TRUE(area.contains(w->geometry())) << w->windowTitle().toStdString();

        FrmSpread* list = main.spreadWindow();
        const QTableWidget* grid = control<QTableWidget>(*list, "VSprd");
        const QRect lastRow = grid->visualRect(grid->model()->index(14, 0));
        ASSERT_TRUE(grid->viewport()->rect().contains(lastRow));
        const QRect inArea(grid->viewport()->mapTo(main.mdiArea()->viewport(), lastRow.topLeft()),
                           lastRow.size());
        EXPECT_TRUE(area.contains(inArea));
        for (QMdiSubWindow* w : main.mdiArea()->subWindowList()) {
            if (w != list) {
                EXPECT_FALSE(w->geometry().intersects(inArea)) << w->windowTitle().toStdString();
            }
        }
        // The graph gave up height for the list, not its place.
        EXPECT_GE(main.graphWindow()->height(), 240);
        EXPECT_EQ(main.graphWindow()->geometry().right(), area.right());

        if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty())
            main.grab().save(dir + QStringLiteral("/main-first-run-%1x%2.png")
                                       .arg(size.width())
                                       .arg(size.height() + 40));
        main.close();
    }
}

} // namespace
} // namespace quellin
