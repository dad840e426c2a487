// The measurement run: start and stop commands, the window while measuring, the
// display cycle and the end of a measurement, with a real sequencer over a port
// that records commands.

#include "RunDoubles.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

const QStringList kMenusOff = {"MnuManu_Keisoku",    "MnuManu_Pref",        "MnuFile_Load",
                               "MnuFile_Save",       "MnuFile_Download",    "MnuFile_Clear",
                               "MnuFile_PrintGraph", "MnuFile_PrintSpread", "MnuPref_System",
                               "MnuPref_Loging",     "MnuFile_Pdf"};
const QStringList kButtonsOff = {"Load",        "Save",       "Download", "Clear",
                                 "SpreadPrint", "GraphPrint", "System"};

// ---------------------------------------------------------------------------------
// Start command

TEST(MeasurementStart, WithoutDataSendsTheStatusRequest)
{
    RunHarness h;
    h.meas().FirstSampleSeen = true;
    h.run->keisokuCommand();
    EXPECT_EQ(h.port.commands, QStringList{"CMD"});
    EXPECT_EQ(h.seq->LinkState(), link::State::MeasureStatus);
    EXPECT_FALSE(h.meas().FirstSampleSeen);
    EXPECT_EQ(h.t.pointer.current, 11);
    EXPECT_EQ(h.view.clearQuestions, 0);
    EXPECT_TRUE(h.timer.active);
}

struct ClearCase {
    bool answer;
    QStringList commands;
};

class ClearQuestionTest : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ClearQuestionTest, OnlyYesStartsWhenDataIsPresent)
{
    RunHarness h;
    h.ctx().app.DataPresent = true;
    h.meas().FirstSampleSeen = true;
    h.seq->endExchange();
    h.view.clearAnswer = GetParam().answer;
    h.run->keisokuCommand();
    EXPECT_EQ(h.view.clearQuestions, 1);
    EXPECT_EQ(h.port.commands, GetParam().commands);
    EXPECT_EQ(h.meas().FirstSampleSeen, !GetParam().answer);
    EXPECT_EQ(h.seq->LinkState(),
              GetParam().answer ? link::State::MeasureStatus : link::State::Idle);
    EXPECT_EQ(h.t.pointer.history.empty(), !GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Answers, ClearQuestionTest,
                         ::testing::Values(ClearCase{false, {}}, ClearCase{true, {"CMD"}}));

TEST(MeasurementStart, KeisokuStartSetsTheWindowInOrder)
{
    RunHarness h;
    h.run->KeisokuStart();
    QStringList expected = {"caption MnuExec_Keisoku 計測停止(&S)", "image Keisoku 8",
                            "tip Keisoku 計測停止", "menu MnuExec_Loging 1", "button Loging 1"};
    for (const QString& item : kMenusOff)
        expected << "menu " + item + " 0";
    for (const QString& key : kButtonsOff)
        expected << "button " + key + " 0";
    EXPECT_EQ(h.view.calls, expected);
    EXPECT_EQ(h.t.status.panels[1], QStringLiteral("計測中"));
    EXPECT_EQ(h.t.pointer.current, 0);
    EXPECT_TRUE(h.ctx().app.Measuring);
    EXPECT_FALSE(h.run->displayTimerActive()); // the first line switches it on
}

TEST(MeasurementStart, KeisokuStartResetsTheDataSet)
{
    RunHarness h(2, 0, 10);
    Context& ctx = h.ctx();
    // Leftovers of an earlier data set.
    QFile stale(ctx.tmpDatPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(140 * 5, 'x'));
    stale.close();
    test::props(ctx).RecordCount = 5;
    test::props(ctx).NextRecordNumber = 5;
    h.meas().EnergyTotal = 3;
    h.meas().HoursTotal = 2;
    ctx.listPage().ListTop = 9;
    ctx.graphWindow().GraphPoints = 7;
    test::props(ctx).DataFrequency = 4;
    ctx.graphWindow().GraphFollowing = false; // paged back in the last measurement
    ctx.graphWindow().GraphFirstScalePending = false;
    ctx.cat.LogColumns[7] = false;
    ctx.cat.ColumnOn.assign(18, true);

    h.run->KeisokuStart();

    // The new graph follows the newest record and gets its first scale.
    EXPECT_TRUE(ctx.graphWindow().GraphFollowing);
    EXPECT_TRUE(ctx.graphWindow().GraphFirstScalePending);

    const double now = h.t.clock.value;
    EXPECT_EQ(ctx.graphWindow().GraphStart, now);
    EXPECT_EQ(vbdate::secondsBetween(now, ctx.graphWindow().GraphEnd), 3600);
    EXPECT_EQ(ctx.dataSet().FirstTime(), now);
    EXPECT_EQ(ctx.dataSet().PeakTime(), now);
    EXPECT_EQ(ctx.dataSet().PeakWatts(), -9999.9);
    EXPECT_EQ(ctx.dataSet().DataWiring(), 0);
    EXPECT_EQ(ctx.dataSet().DataFrequency(), 0);
    EXPECT_EQ(ctx.dataSet().SampleInterval(), 10);
    EXPECT_EQ(h.meas().StoreCounter, 10);
    EXPECT_EQ(ctx.listPage().ListTop, 0);
    EXPECT_EQ(ctx.graphWindow().GraphPoints, 0);
    EXPECT_EQ(h.meas().EnergyTotal, 0);
    EXPECT_EQ(h.meas().HoursTotal, 0);
    EXPECT_EQ(ctx.dataSet().NextRecordNumber(), 0);
    EXPECT_EQ(ctx.dataSet().RecordCount(), 0);
    EXPECT_TRUE(ctx.app.DataPresent);
    std::vector<bool> present(18, true);
    present[3] = present[5] = false; // single-phase two-wire has no T phase
    EXPECT_EQ(ctx.dataSet().ColumnPresent(), present);
    std::vector<bool> on(18, true);
    on[7] = false;
    EXPECT_EQ(ctx.cat.ColumnOn, on);
    ASSERT_TRUE(test::DataSetAccess::writer(ctx.dataSet()));
    EXPECT_TRUE(test::DataSetAccess::writer(ctx.dataSet())->isOpen());
    EXPECT_EQ(QFileInfo(ctx.tmpDatPath()).size(), 0); // stale records are gone
}

struct HaniCase {
    int logingTime;
    int hani;
};

class GraphXHaniTest : public ::testing::TestWithParam<HaniCase> {};

TEST_P(GraphXHaniTest, FollowsTheLoggingPeriod)
{
    RunHarness h(1, 1, GetParam().logingTime);
    h.ctx().app.GraphXHani = 0;
    h.run->KeisokuStart();
    EXPECT_EQ(h.ctx().app.GraphXHani, GetParam().hani);
    EXPECT_EQ(graphXHaniFor(GetParam().logingTime), GetParam().hani);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, GraphXHaniTest,
                         ::testing::Values(HaniCase{1, 1}, HaniCase{59, 1}, HaniCase{60, 2},
                                           HaniCase{3599, 2}, HaniCase{3600, 3},
                                           HaniCase{86400, 3}));

TEST(MeasurementStart, UnopenableTmpDatIsReportedAndTheMeterIsStopped)
{
    RunHarness h;
    ASSERT_TRUE(QDir().mkpath(h.ctx().tmpDatPath())); // a folder where the file should be
    h.run->KeisokuStart();
    ASSERT_EQ(h.t.msg.shown.size(), 1u);
    EXPECT_TRUE(
        h.t.msg.shown[0].text.startsWith(QStringLiteral("KeisokuStartでエラーが起こりました。")));
    EXPECT_EQ(h.port.commands, QStringList{"SLE"});
    EXPECT_EQ(h.seq->LinkState(), link::State::MeasureStop);
}

// ---------------------------------------------------------------------------------
// The whole start through the sequencer, then lines

TEST(MeasurementFlow, MeterConfirmsThenLinesBecomeRecords)
{
    RunHarness h(2, 2, 1);
    h.run->keisokuCommand();
    for (const char* answer : {"RMD200", "RCF030001", "RCF040001", "OK", "OK"})
        h.seq->dispatch(static_cast<int>(qstrlen(answer)), QString::fromLatin1(answer));
    h.t.sleep.runSteps();
    EXPECT_EQ(h.port.commands, (QStringList{"CMD", "CCF03", "CCF04", "SMD11", "SLG"}));
    ASSERT_TRUE(h.ctx().app.Measuring);
    EXPECT_EQ(h.seq->LinkState(), link::State::Idle);

    for (int s = 0; s < 3; ++s)
        h.line(s, 1000.0f * (s + 1));
    EXPECT_TRUE(h.run->displayTimerActive());
    EXPECT_EQ(h.ctx().dataSet().RecordCount(), 3);
    EXPECT_EQ(h.ctx().dataSet().PeakWatts(), 3000);
    EXPECT_EQ(h.ctx().dataSet().FirstTime(), *vbdate::parse(u"2002/06/01 12:00:00"));
}

// ---------------------------------------------------------------------------------
// Display cycle

TEST(DisplayCycle, DoesNothingUnlessMeasuring)
{
    RunHarness h;
    h.view.mark(ViewItem::Spread, true);
    h.view.mark(ViewItem::Graph, true);
    test::props(h.ctx()).RecordCount = 40000;
    h.ctx().listPage().ListTop = 3;
    h.run->onDisplayTick();
    EXPECT_EQ(h.ctx().listPage().ListTop, 3);
    EXPECT_EQ(h.view.listRefreshes + h.view.graphRefreshes, 0);
    EXPECT_TRUE(h.port.commands.isEmpty());
}

// The records stored after the last display tick are shown once the
// measurement ends, as far as the list and the graph are shown.
TEST(DisplayCycle, TheEndShowsTheRecordsSinceTheLastTick)
{
    for (const bool shown : {true, false}) {
        RunHarness h;
        h.view.mark(ViewItem::Spread, shown);
        h.view.mark(ViewItem::Graph, shown);
        h.start();
        for (int s = 0; s < 3; ++s)
            h.line(s);
        h.run->KeisokuEnd();
        EXPECT_EQ(h.view.listRefreshes, shown ? 1 : 0);
        EXPECT_EQ(h.view.graphRefreshes, shown ? 1 : 0);
        if (shown)
            EXPECT_EQ(h.ctx().listPage().Rows[3].number, 2); // the newest record
        h.run->KeisokuEnd(); // ended already: nothing more
        EXPECT_EQ(h.view.listRefreshes, shown ? 1 : 0);
    }
}

struct TickCase {
    int records;
    int listTop;
    bool list;
    bool graph;
};

class DisplayTickTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(DisplayTickTest, ListFollowsTheNewestRecords)
{
    const TickCase& c = GetParam();
    RunHarness h;
    h.start();
    for (int s = 0; s < c.records; ++s)
        h.line(s);
    h.view.mark(ViewItem::Spread, c.list);
    h.view.mark(ViewItem::Graph, c.graph);
    h.run->onDisplayTick();
    EXPECT_EQ(h.ctx().listPage().ListTop, c.listTop);
    EXPECT_EQ(listTopFor(c.records), c.listTop);
    EXPECT_EQ(h.view.listRefreshes, c.list ? 1 : 0);
    EXPECT_EQ(h.view.graphRefreshes, c.graph ? 1 : 0);
    if (c.list && c.records > 0) {
        // The page's last filled slot is the newest record.
        const int newest = std::min(c.records, 14);
        EXPECT_EQ(h.ctx().listPage().Rows[newest].number, c.records - 1);
    }
    EXPECT_EQ(h.port.commands, (QStringList{"CMD"}));
}

INSTANTIATE_TEST_SUITE_P(Counts, DisplayTickTest,
                         ::testing::Values(TickCase{0, 0, true, false}, TickCase{14, 0, true, true},
                                           TickCase{15, 1, true, false},
                                           TickCase{20, 6, false, true},
                                           TickCase{20, 6, true, true}));

// The list follows the newest records only while its scroll bar is at its end;
// scrolled back, the user's page stays (within the data set).
TEST(DisplayCycle, TheListStaysWhereTheUserScrolledIt)
{
    struct Case {
        int records, listTop;
        bool atEnd;
        int want;
    };
    for (const Case& c : {Case{40, 3, false, 3}, Case{40, 3, true, 26}, Case{40, 90, false, 26},
                          Case{10, 0, false, 0}, Case{15, -4, false, 0}})
        EXPECT_EQ(listTopForTick(c.records, c.listTop, c.atEnd), c.want)
            << c.records << " " << c.listTop << " " << c.atEnd;

    RunHarness h;
    h.start();
    h.view.mark(ViewItem::Spread, true);
    for (int s = 0; s < 30; ++s)
        h.line(s);
    h.run->onDisplayTick();
    EXPECT_EQ(h.ctx().listPage().ListTop, 16);
    LoadListPage(h.ctx(), 4); // the user scrolls back
    h.view.listAtEnd = false;
    for (int s = 30; s < 35; ++s)
        h.line(s);
    h.run->onDisplayTick();
    EXPECT_EQ(h.ctx().listPage().ListTop, 4);
    EXPECT_EQ(h.ctx().listPage().Rows[1].number, 4);
    EXPECT_EQ(h.view.listRefreshes, 2);
    h.view.listAtEnd = true; // and back to the end
    h.run->onDisplayTick();
    EXPECT_EQ(h.ctx().listPage().ListTop, 21);
    h.ctx().listPage().setRowCount(20); // a taller list window shows more of them
    h.run->onDisplayTick();
    EXPECT_EQ(h.ctx().listPage().ListTop, 15);
    EXPECT_EQ(h.ctx().listPage().Rows[20].number, 34);
}

TEST(DisplayCycle, FullStoreStopsOnTheTickAfterThe32768thRecord)
{
    RunHarness h(1, 1, 1);
    h.start();
    h.view.mark(ViewItem::Spread, true);
    for (int s = 0; s < 32767; ++s)
        h.line(s);
    h.run->onDisplayTick();
    EXPECT_EQ(h.ctx().listPage().ListTop, 32767 - 14);
    EXPECT_EQ(h.port.commands, QStringList{"CMD"});

    h.line(32767);
    ASSERT_EQ(h.ctx().dataSet().RecordCount(), 32768);
    // Lines arriving faster than the tick are not stored beyond the record that
    // passed the limit, so the data set can always be saved and loaded again.
    h.line(32768);
    h.line(32769);
    EXPECT_EQ(h.ctx().dataSet().RecordCount(), 32768);
    EXPECT_EQ(QFileInfo(h.ctx().tmpDatPath()).size(), 32768 * kRecordBytes);
    EXPECT_EQ(h.port.commands, QStringList{"CMD"}); // not before the tick
    h.run->onDisplayTick();
    EXPECT_FALSE(h.run->displayTimerActive());
    EXPECT_EQ(h.port.commands, (QStringList{"CMD", "SLE"}));
    EXPECT_EQ(h.t.status.panels[2], QStringLiteral("最大計測数になったため、計測を終了しました。"));
    EXPECT_EQ(h.view.listRefreshes, 1);
}

// ---------------------------------------------------------------------------------
// Stop and end

TEST(MeasurementStop, StopCommandSendsTheStopExchange)
{
    RunHarness h;
    h.start();
    h.run->keisokuCommand();
    EXPECT_EQ(h.port.commands, (QStringList{"CMD", "SLE"}));
    EXPECT_EQ(h.seq->LinkState(), link::State::MeasureStop);
    h.seq->dispatch(2, QStringLiteral("NG")); // a refused SLE still goes on
    h.seq->dispatch(2, QStringLiteral("OK"));
    EXPECT_EQ(h.port.commands, (QStringList{"CMD", "SLE", "SMD10"}));
    EXPECT_FALSE(h.ctx().app.Measuring);
}

TEST(MeasurementStop, KeisokuEndRestoresTheWindowAndKeepsTheData)
{
    RunHarness h;
    h.start();
    for (int s = 0; s < 3; ++s)
        h.line(s);
    h.view.calls.clear();
    h.seq->startExchange(link::State::MeasureStop, {});
    h.run->KeisokuEnd();

    EXPECT_FALSE(h.run->displayTimerActive());
    QStringList expected = {"caption MnuExec_Keisoku 計測開始(&S)", "image Keisoku 7",
                            "tip Keisoku 計測開始", "menu MnuExec_Loging 0", "button Loging 0"};
    for (const QString& item : kMenusOff)
        expected << "menu " + item + " 1";
    for (const QString& key : kButtonsOff)
        expected << "button " + key + " 1";
    EXPECT_EQ(h.view.calls, expected);
    EXPECT_EQ(h.t.status.panels[1], QString());
    EXPECT_FALSE(h.ctx().app.Measuring);
    EXPECT_TRUE(h.ctx().app.DataPresent);
    EXPECT_FALSE(test::DataSetAccess::writer(h.ctx().dataSet()));
    EXPECT_EQ(h.seq->LinkState(), link::State::Idle);
    EXPECT_EQ(h.ctx().dataSet().RecordCount(), 3);
    EXPECT_EQ(h.ctx().dataSet().ReadRecord(3).number, 2);
}

// An "STP" while idle ends in KeisokuEnd after the stop exchange times out: the
// window returns to idle, but with no data held there is nothing to save or clear.
TEST(MeasurementStop, StopWhileIdleOffersNoSaveOrClear)
{
    for (const bool data : {false, true}) {
        RunHarness h;
        h.ctx().app.DataPresent = data;
        h.seq->dispatch(3, QStringLiteral("STP"));
        EXPECT_EQ(h.port.commands, QStringList{"SLE"});
        h.seq->onTimeout();
        EXPECT_FALSE(h.ctx().app.Measuring);
        for (const char* item : {"MnuFile_Save", "MnuFile_Clear"})
            EXPECT_EQ(h.view.menuEnabled.value(QString::fromLatin1(item)), data) << item;
        for (const char* key : {"Save", "Clear"})
            EXPECT_EQ(h.view.buttonEnabled.value(QString::fromLatin1(key)), data) << key;
        EXPECT_TRUE(h.view.menuEnabled.value(QStringLiteral("MnuFile_Load")));
    }
}

TEST(MeasurementStop, LostLinkEndsAtOnceKeepingTheData)
{
    RunHarness h;
    h.start();
    h.line(0);
    h.line(1);
    h.seq->portLost(QStringLiteral("1"));
    EXPECT_FALSE(h.ctx().app.Measuring);
    EXPECT_FALSE(h.run->displayTimerActive());
    EXPECT_EQ(h.seq->LinkState(), link::State::Idle);
    EXPECT_EQ(h.ctx().dataSet().RecordCount(), 2);
    EXPECT_TRUE(h.ctx().app.DataPresent);
    EXPECT_EQ(h.port.commands, QStringList{"CMD"}); // nothing more to a lost port
}

} // namespace
} // namespace quellin

// ---------------------------------------------------------------------------------
// Faults of the start and stop exchanges

namespace quellin::test {
namespace {

void answer(RunHarness& h, std::initializer_list<const char*> lines)
{
    for (const char* a : lines)
        h.seq->dispatch(static_cast<int>(qstrlen(a)), QString::fromLatin1(a));
}

// When TMP.DAT cannot be opened as the meter confirms the start, the stop that
// follows is really sent: "SMD10" goes out after "SLE" and the run ends idle.
TEST(MeasurementFaults, AStopRequestedInsideKeisokuStartIsCarriedOut)
{
    RunHarness h;
    ASSERT_TRUE(QDir().mkpath(h.ctx().tmpDatPath()));
    h.run->keisokuCommand();
    answer(h, {"RMD200", "RCF030001", "RCF040001", "OK", "OK"});
    h.t.sleep.runSteps(); // "SLG" after its pause, then its answer
    EXPECT_EQ(h.seq->LinkState(), link::State::MeasureStop);
    EXPECT_TRUE(h.timer.active);
    answer(h, {"OK"});
    answer(h, {"OK"});
    EXPECT_EQ(h.port.commands.mid(5), (QStringList{"SLE", "SMD10"}));
    EXPECT_FALSE(h.ctx().app.Measuring);
    EXPECT_EQ(h.seq->LinkState(), link::State::Idle);
}

// A meter that ignores "SLE" but keeps streaming: the lines no longer switch the
// stop exchange's time-out off, so the time-out ends the measurement.
TEST(MeasurementFaults, StreamingDuringTheStopDoesNotHoldTheTimeOutOff)
{
    RunHarness h;
    h.start();
    h.line(0);
    h.run->keisokuCommand(); // stop: "SLE" sent, time-out on
    ASSERT_TRUE(h.timer.active);
    for (int s = 1; s <= 5; ++s)
        h.line(s);
    EXPECT_TRUE(h.timer.active);
    h.seq->onTimeout();
    EXPECT_FALSE(h.ctx().app.Measuring);
}

// With the port closed a start says so at once: no clear question, no data lost,
// nothing sent.
TEST(MeasurementStart, ClosedPortIsToldAtOnceAndTheDataIsKept)
{
    RunHarness h;
    h.ctx().app.DataPresent = true;
    h.port.open = false;
    h.run->keisokuCommand();
    EXPECT_EQ(h.view.clearQuestions, 0);
    EXPECT_TRUE(h.ctx().app.DataPresent);
    ASSERT_EQ(h.t.msg.shown.size(), 1u);
    EXPECT_TRUE(h.t.msg.shown[0].text.startsWith(QStringLiteral("通信ポート1 が開いていません。")));
    EXPECT_TRUE(h.port.commands.isEmpty());
    EXPECT_FALSE(h.timer.active);
}

// Ten seconds without a line while measuring: a warning in panel 2 after what
// it said ("ロギング中…" stays in sight), the value panel's values marked old; the
// measurement goes on; the next line brings both back.
TEST(MeasurementSilence, WarnsAfterTenSecondsAndClearsWithTheNextLine)
{
    const QString logging = QStringLiteral("ロギング中（間隔：1秒おき）");
    const std::pair<QString, QString> cases[] = {
        {logging, logging + QStringLiteral("　") + run_text::meterSilent()},
        {QString(), run_text::meterSilent()},
    };
    for (const auto& [before, warning] : cases) {
        SCOPED_TRACE(before.toStdString());
        RunHarness h;
        h.view.panel = std::make_unique<RecordingView::StalePanel>();
        h.start();
        h.t.status.setPanelText(2, before);
        h.run->checkSilence(9999);
        EXPECT_EQ(h.t.status.panelText(2), before);
        EXPECT_FALSE(h.view.panel->stale);
        h.run->checkSilence(10000);
        EXPECT_EQ(h.t.status.panelText(2), warning);
        EXPECT_TRUE(h.view.panel->stale);
        EXPECT_TRUE(h.ctx().app.Measuring);
        h.line(0);
        EXPECT_EQ(h.t.status.panelText(2), before);
        EXPECT_FALSE(h.view.panel->stale);
        EXPECT_EQ(h.ctx().dataSet().RecordCount(), 1);
    }
}

// ---------------------------------------------------------------------------------
// What the session tells

// The session's signals as a front end hears them, one text per signal.
struct SessionLog {
    explicit SessionLog(MeasurementRun& run)
    {
        QObject::connect(&run, &MeasurementRun::stateChanged, &run, [this](MeasurementState s) {
            static const char* const names[] = {"idle", "starting", "measuring", "stopping"};
            heard << QString::fromLatin1(names[static_cast<int>(s)]);
        });
        QObject::connect(&run, &MeasurementRun::loggingChanged, &run, [this](bool on) {
            heard << (on ? QStringLiteral("logging on") : QStringLiteral("logging off"));
        });
        QObject::connect(&run, &MeasurementRun::recordStored, &run, [this](const DataRecord& r) {
            heard << QStringLiteral("stored %1").arg(r.number);
        });
        QObject::connect(&run, &MeasurementRun::lineHandled, &run, [this](const DataRecord& r) {
            heard << QStringLiteral("line %1").arg(r.number);
        });
    }
    QStringList heard;
};

enum class SessionEnd { Stopped, StartRefused, StartTimedOut };

struct SessionCase {
    const char* name;
    SessionEnd end;
    QStringList heard;
};

class SessionSignalsTest : public ::testing::TestWithParam<SessionCase> {};

TEST_P(SessionSignalsTest, EveryChangeIsToldInItsOrder)
{
    const SessionCase& c = GetParam();
    RunHarness h(2, 2, 2); // a record every second line
    SessionLog log(*h.run);
    h.run->keisokuCommand();
    switch (c.end) {
    case SessionEnd::Stopped:
        answer(h, {"RMD200", "RCF030001", "RCF040001", "OK"});
        h.t.sleep.runSteps();
        answer(h, {"OK"});
        h.t.files.answers.push_back(h.t.path(QStringLiteral("log.csv")));
        h.run->logingCommand();
        for (int s = 0; s < 3; ++s)
            h.line(s);
        h.run->keisokuCommand();
        answer(h, {"OK", "OK"});
        EXPECT_FALSE(h.run->running());
        break;
    case SessionEnd::StartRefused:
        answer(h, {"RMD200", "RCF030001", "RCF040001", "OK"});
        h.t.sleep.runSteps();
        answer(h, {"NG"});
        // Told apart from a confirmed start once the event is over.
        EXPECT_EQ(h.run->state(), MeasurementState::Starting);
        QCoreApplication::processEvents();
        break;
    case SessionEnd::StartTimedOut:
        answer(h, {"RMD200"});
        h.seq->onTimeout();
        break;
    }
    EXPECT_EQ(log.heard, c.heard);
    EXPECT_EQ(h.run->state(), MeasurementState::Idle);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, SessionSignalsTest,
    ::testing::Values(SessionCase{"Stopped",
                                  SessionEnd::Stopped,
                                  {"starting", "measuring", "logging on", "line 0", "stored 0",
                                   "line 0", "line 1", "logging off", "stopping", "idle"}},
                      SessionCase{"StartRefused", SessionEnd::StartRefused, {"starting", "idle"}},
                      SessionCase{
                          "StartTimedOut", SessionEnd::StartTimedOut, {"starting", "idle"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin::test
