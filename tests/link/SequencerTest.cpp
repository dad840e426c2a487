#include "LinkDoubles.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

class SequencerTest : public ::testing::Test, public LinkFixture {};

// --- Sending and starting ------------------------------------------------------------

TEST_F(SequencerTest, SendCommandWritesTheCommandAndOneCarriageReturnAsOneBlock)
{
    seq.SendCommand("CCF03");
    ASSERT_EQ(transport.writes.size(), 1u);
    EXPECT_EQ(transport.writes[0], QByteArray("CCF03\r"));
}

TEST_F(SequencerTest, SendCommandWithThePortClosedWritesNothing)
{
    transport.open = false;
    seq.SendCommand("CMD");
    seq.startMeasurementRequest();
    EXPECT_TRUE(transport.writes.empty());
    // The exchange still waits, so that its time-out reports the failure.
    EXPECT_TRUE(timer.active);
}

TEST_F(SequencerTest, StartExchangeFillsTheListSendsStepZeroAndStartsTheTimer)
{
    seq.startExchange(link::State::MemoryClear,
                      {makeStep("SCB1", 2), makeStep("SCB2", 2), makeStep("SCB3", 2)});
    SequencerProbe::exchange(seq).accept("OK");
    SequencerProbe::exchange(seq).accept("OK");
    ASSERT_EQ(seq.ExchangeIndex(), 2);
    transport.writes.clear();
    seq.startExchange(link::State::ModeSendStatus, {makeStep("CMD", 6), makeStep("SMD11", 2)});
    EXPECT_EQ(seq.LinkState(), link::State::ModeSendStatus);
    EXPECT_EQ(seq.ExchangeIndex(), 0);
    EXPECT_EQ(seq.ExchangeLast(), 1);
    ASSERT_EQ(SequencerProbe::steps(seq).size(), 2u);
    EXPECT_EQ(SequencerProbe::steps(seq)[1].Command, "SMD11");
    EXPECT_EQ(sent(), QStringList{"CMD"});
    EXPECT_TRUE(timer.active);
}

TEST_F(SequencerTest, StartExchangeWithAnEmptyListOnlySetsTheState)
{
    seq.startExchange(link::State::DownloadListStatus, {});
    EXPECT_EQ(seq.LinkState(), link::State::DownloadListStatus);
    EXPECT_EQ(seq.ExchangeLast(), -1);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_FALSE(timer.active);
}

// --- The dispatcher ------------------------------------------------------------------

TEST_F(SequencerTest, StpInAnyCaseShowsTheStopMessageAndRequestsTheEnd)
{
    for (const QString stp : {"STP", "stp", "sTp"}) {
        log.clear();
        tc.msg.clear();
        line(stp);
        EXPECT_EQ(log.entries, (QStringList{"msg:本体側で中断されました。", "main.KeisokuEnd_Req"}))
            << stp.toStdString();
        ASSERT_EQ(tc.msg.shown.size(), 1u);
        EXPECT_EQ(tc.msg.shown[0].icon, MsgIcon::Information);
        EXPECT_EQ(tc.msg.shown[0].buttons, MsgButtons::Ok);
    }
}

TEST_F(SequencerTest, StpOrLowInsideALongerLineIsNotTaken)
{
    enterState(link::State::Idle);
    for (const QString text : {"STPX", "XSTP", "STP ", "\nSTP", "LOWX", " LOW"})
        line(text);
    EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join('|').toStdString();
}

TEST_F(SequencerTest, LowDuringAnExchangeShowsTheBatteryMessageAndLeavesItRunning)
{
    seq.startMeasurementRequest();
    line("RMD100");
    const link::State stateBefore = seq.LinkState();
    const int indexBefore = seq.ExchangeIndex();
    log.clear();
    line("low");
    EXPECT_EQ(log.entries, QStringList{"msg:本体側のバッテリがありません。"});
    EXPECT_EQ(tc.msg.shown.back().icon, MsgIcon::Information);
    EXPECT_TRUE(timer.active);
    EXPECT_EQ(seq.LinkState(), stateBefore);
    EXPECT_EQ(seq.ExchangeIndex(), indexBefore);
    EXPECT_EQ(sent().size(), 2);
    line("RCF031234"); // the exchange goes on
    EXPECT_EQ(lastSent(), "CCF04");
}

TEST_F(SequencerTest, MeasuredLineWhileMeasuringStopsTheTimerAndGoesToTheSinkUpperCased)
{
    ctx().app.Measuring = true;
    enterState(link::State::Idle);
    timer.active = true;
    line("rml00ab");
    EXPECT_EQ(log.entries, QStringList{"measured:00AB"});
    EXPECT_FALSE(timer.active);
}

TEST_F(SequencerTest, MeasuredLineWithoutAMeasurementGoesToTheStateHandler)
{
    ctx().app.Measuring = false;
    enterState(link::State::DownloadData);
    line("RML0001");
    EXPECT_EQ(log.entries, QStringList{"memory:20:7:RML0001"});
}

TEST_F(SequencerTest, EachDialogStateGoesToTheHandlerOfItsGroup)
{
    struct Route {
        int state;
        QString handler;
    };
    const std::vector<Route> routes = {
        {0, "settings"}, {1, "settings"}, {2, "settings"}, {3, "settings"}, {4, "mode"},
        {5, "mode"},     {6, "mode"},     {7, "memory"},   {8, "memory"},   {9, "memory"},
        {19, "memory"},  {20, "memory"},  {10, "loging"},  {11, "loging"},  {12, "loging"},
        {13, "loging"},  {14, "loging"},  {21, "loging"},  {99, ""},        {24, ""},
        {-1, ""},
    };
    for (const auto& r : routes) {
        log.clear();
        enterState(static_cast<link::State>(r.state));
        line("rcf02abc");
        const QStringList expected =
            r.handler.isEmpty()
                ? QStringList{}
                : QStringList{QStringLiteral("%1:%2:8:RCF02ABC").arg(r.handler).arg(r.state)};
        EXPECT_EQ(log.entries, expected) << "state " << r.state;
    }
}

TEST_F(SequencerTest, DialogStateWithoutAHandlerIgnoresItsLines)
{
    detachAll();
    for (int state = 0; state <= 21; ++state) {
        if (state >= 15 && state <= 18)
            continue;
        enterState(static_cast<link::State>(state));
        line("OK");
    }
    EXPECT_TRUE(log.entries.isEmpty());
    EXPECT_TRUE(sent().isEmpty());
}

// --- Measurement start ----------------------------------------------------------------

TEST_F(SequencerTest, MeasurementStartReadsStatusAndRatiosStartsMeasuringAndSending)
{
    int sentBeforeSleep = -1;
    tc.sleep.onSleep = [&](int) { sentBeforeSleep = static_cast<int>(sent().size()); };

    seq.startMeasurementRequest();
    EXPECT_EQ(seq.LinkState(), link::State::MeasureStatus);
    EXPECT_EQ(sent(), QStringList{"CMD"});

    line("RMD200");
    EXPECT_EQ(seq.WiringMode(), 2);
    EXPECT_EQ(seq.LinkState(), link::State::MeasureSetup);
    EXPECT_EQ(seq.ExchangeLast(), 2);
    EXPECT_EQ(lastSent(), "CCF03");
    line("RCF030010");
    EXPECT_EQ(lastSent(), "CCF04");
    line("RCF040005");
    EXPECT_EQ(lastSent(), "SMD11");
    EXPECT_TRUE(tc.sleep.slept.empty());
    line("OK");
    EXPECT_EQ(tc.sleep.slept, std::vector<int>{1000});
    EXPECT_EQ(sentBeforeSleep, 4); // the wait comes before "SLG"
    EXPECT_EQ(seq.LinkState(), link::State::MeasureSend);
    EXPECT_EQ(lastSent(), "SMD11"); // not before the second has passed
    EXPECT_FALSE(timer.active);
    tc.sleep.runSteps();
    EXPECT_EQ(lastSent(), "SLG");
    EXPECT_TRUE(timer.active);

    line("OK");
    EXPECT_EQ(log.entries, QStringList{"main.KeisokuStart"});
    EXPECT_EQ(seq.LinkState(), link::State::Idle);
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(sent(), (QStringList{"CMD", "CCF03", "CCF04", "SMD11", "SLG"}));
}

TEST_F(SequencerTest, MeterAlreadyMeasuringGetsSmd10BeforeCcf03)
{
    seq.startMeasurementRequest();
    line("RMD011");
    EXPECT_EQ(seq.WiringMode(), 0);
    EXPECT_EQ(seq.ExchangeLast(), 3);
    for (const QString answer : {"OK", "RCF030010", "RCF040005", "OK", "OK"})
        line(answer);
    tc.sleep.runSteps(); // the last "OK" waited for "SLG"
    EXPECT_EQ(sent(), (QStringList{"CMD", "SMD10", "CCF03", "CCF04", "SMD11", "SLG"}));
    EXPECT_EQ(log.entries, QStringList{"main.KeisokuStart"});
}

TEST_F(SequencerTest, StatusAnswersThatFailTheirTestsAreIgnored)
{
    for (const QString bad : {"RMD01", "RMD0100", "XMD010", "OK", "NG"}) {
        seq.startMeasurementRequest();
        transport.writes.clear();
        line(bad);
        EXPECT_EQ(seq.LinkState(), link::State::MeasureStatus) << bad.toStdString();
        EXPECT_TRUE(timer.active) << bad.toStdString();
        EXPECT_TRUE(sent().isEmpty()) << bad.toStdString();
    }
}

// A wiring the program does not know is measured with all the same (apparent power 0,
// no wiring line in the PC log) instead of being left to the time-out.
TEST_F(SequencerTest, UnknownWiringStartsTheMeasurementAtOnce)
{
    for (const auto& [status, wiring] :
         {std::pair{"RMD300", 3}, std::pair{"RMD900", 9}, std::pair{"RMDX00", -1}}) {
        log.entries.clear();
        transport.writes.clear();
        seq.startMeasurementRequest();
        line(QString::fromLatin1(status));
        EXPECT_EQ(seq.WiringMode(), wiring) << status;
        EXPECT_EQ(seq.LinkState(), link::State::MeasureSetup) << status;
        for (const QString answer : {"RCF030010", "RCF040005", "OK", "OK"})
            line(answer);
        tc.sleep.runSteps();
        EXPECT_EQ(log.entries, QStringList{"main.KeisokuStart"}) << status;
        EXPECT_EQ(sent(), (QStringList{"CMD", "CCF03", "CCF04", "SMD11", "SLG"})) << status;
    }
}

TEST_F(SequencerTest, NgToSmd11IsIgnoredAndTheTimeOutReportsTheFailedStart)
{
    seq.startMeasurementRequest();
    for (const QString answer : {"RMD100", "RCF030010", "RCF040005"})
        line(answer);
    line("NG");
    EXPECT_EQ(lastSent(), "SMD11");
    EXPECT_EQ(seq.LinkState(), link::State::MeasureSetup);
    EXPECT_TRUE(timer.active);
    EXPECT_TRUE(log.entries.isEmpty());

    seq.onTimeout();
    EXPECT_EQ(log.entries, QStringList{"msg:計測開始に失敗しました。"});
    EXPECT_EQ(tc.msg.shown.back().icon, MsgIcon::None);
    EXPECT_FALSE(timer.active);
}

TEST_F(SequencerTest, NgToSlgShowsCannotStartAndReturnsToIdle)
{
    seq.startMeasurementRequest();
    for (const QString answer : {"RMD100", "RCF030010", "RCF040005", "OK"})
        line(answer);
    tc.sleep.runSteps();
    tc.pointer.current = 11;
    line("NGX"); // not two characters: ignored
    EXPECT_TRUE(log.entries.isEmpty());
    line("NG");
    EXPECT_EQ(log.entries,
              QStringList{"msg:計測を開始できません。" + kCrLf + "電力計を確認して下さい。"});
    EXPECT_EQ(tc.pointer.current, 0);
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(seq.LinkState(), link::State::Idle);
    line("OK"); // a late answer starts nothing
    EXPECT_EQ(log.entries.size(), 1);
}

// --- Measurement stop -----------------------------------------------------------------

TEST_F(SequencerTest, StopSendsSleThenSmd10ThenEndsTheMeasurement)
{
    seq.startStopExchange();
    EXPECT_EQ(seq.LinkState(), link::State::MeasureStop);
    EXPECT_EQ(seq.ExchangeLast(), 1);
    EXPECT_EQ(sent(), QStringList{"SLE"});
    line("OK");
    EXPECT_EQ(lastSent(), "SMD10");
    EXPECT_TRUE(timer.active);
    line("OK");
    EXPECT_EQ(log.entries, QStringList{"main.KeisokuEnd"});
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(SequencerProbe::steps(seq)[0].ReplyData, "OK");
}

TEST_F(SequencerTest, NgToSleDuringStopStillSendsSmd10AndEnds)
{
    seq.startStopExchange();
    line("NG");
    EXPECT_EQ(lastSent(), "SMD10");
    line("ng");
    EXPECT_EQ(log.entries, QStringList{"main.KeisokuEnd"});
    EXPECT_EQ(SequencerProbe::steps(seq)[0].ReplyData, "NG");
}

TEST_F(SequencerTest, StopIgnoresAnswersOfAnotherLengthAndEndsOnlyOnce)
{
    seq.startStopExchange();
    line("OKK");
    line("");
    EXPECT_EQ(sent(), QStringList{"SLE"});
    line("OK");
    line("OK");
    line("OK"); // after the end: nothing more
    EXPECT_EQ(log.entries, QStringList{"main.KeisokuEnd"});
    EXPECT_EQ(sent(), (QStringList{"SLE", "SMD10"}));
}

TEST_F(SequencerTest, TimeOutDuringStopEndsTheMeasurementWithoutAMessage)
{
    seq.startStopExchange();
    seq.onTimeout();
    EXPECT_EQ(log.entries, QStringList{"main.KeisokuEnd"});
    EXPECT_TRUE(tc.msg.shown.empty());
}

// --- Hardware version -----------------------------------------------------------------

TEST_F(SequencerTest, VersionExchangeAsksSleThenVerAndTakesTheAnswer)
{
    EXPECT_TRUE(seq.portIsOpen());
    seq.startVersionExchange();
    EXPECT_EQ(seq.LinkState(), link::State::VersionSle);
    EXPECT_EQ(seq.ExchangeLast(), 1);
    EXPECT_EQ(sent(), QStringList{"SLE"});
    EXPECT_TRUE(timer.active);

    line("OK");
    EXPECT_EQ(seq.LinkState(), link::State::VersionVer);
    EXPECT_EQ(seq.ExchangeIndex(), 1);
    EXPECT_EQ(SequencerProbe::steps(seq)[1].Command, "VER");
    EXPECT_EQ(SequencerProbe::steps(seq)[1].ReplyLength, 8);
    EXPECT_EQ(sent(), (QStringList{"SLE", "VER"}));
    EXPECT_TRUE(timer.active);

    line("VER3.10A");
    EXPECT_EQ(ctx().app.HardVersion, 3);
    EXPECT_EQ(ctx().app.HardVersionText, "3.10A");
    EXPECT_EQ(log.entries, QStringList{"version.bfVer_NoCheck:3"});
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(seq.LinkState(), link::State::Idle); // the catalogue is built
}

TEST_F(SequencerTest, VersionAnswersAreReadAfterUpperCasing)
{
    seq.startVersionExchange();
    line("ok");
    line("ver2.00b");
    EXPECT_EQ(ctx().app.HardVersion, 2);
    EXPECT_EQ(ctx().app.HardVersionText, "2.00B");
}

TEST_F(SequencerTest, NgToVerAssumesVersionOne)
{
    seq.startVersionExchange();
    line("OK");
    line("NG");
    EXPECT_EQ(ctx().app.HardVersion, 1);
    EXPECT_EQ(ctx().app.HardVersionText, "1");
    EXPECT_FALSE(timer.active);
}

TEST_F(SequencerTest, VersionWaitRestartsOnlyForAnAnswerAndTheTimeOutAsksTheUser)
{
    // An answer of the version's form without a digit restarts the wait; lines of
    // any other form (a meter still streaming a block) are not the answer and leave
    // the running wait alone, so that the time-out comes.
    struct Case {
        const char* sleAnswer;
        const char* verLine;
        link::State state;
        bool restarts;
    };
    const Case cases[] = {
        {"OK", "VERX.10A", link::State::VersionVer, true},
        {"OK", "VER0.00A", link::State::VersionVer, true},
        {"OK", "VER3.1", link::State::VersionVer, false},
        {"OK", "VER3.10AB", link::State::VersionVer, false},
        {"OK", "ABC3.10A", link::State::VersionVer, false},
        {"OK", "OK", link::State::VersionVer, false},
        {"OK", "RMM00000001,3F800000,42C80000", link::State::VersionVer, false},
        // Streamed lines before any answer to "SLE": "VER" is not sent yet.
        {"RMM00000001,3F800000,42C80000", "RMM00000002,3F800000,42C80000",
         link::State::VersionSle, false},
    };
    for (const Case& c : cases) {
        ctx().app.HardVersion = 0;
        ctx().app.HardVersionText = kNotQueriedText;
        transport.writes.clear();
        seq.startVersionExchange();
        line(c.sleAnswer);
        const int startsBefore = timer.starts;
        line(c.verLine);
        EXPECT_EQ(ctx().app.HardVersion, 0) << c.verLine;
        EXPECT_EQ(ctx().app.HardVersionText, kNotQueriedText) << c.verLine;
        EXPECT_TRUE(timer.active) << c.verLine;
        EXPECT_EQ(timer.starts, startsBefore + (c.restarts ? 1 : 0)) << c.verLine;
        EXPECT_EQ(seq.LinkState(), c.state) << c.verLine;
        EXPECT_EQ(sent().size(), c.state == link::State::VersionVer ? 2 : 1) << c.verLine;
    }
    log.clear();
    version.answerVersion1 = false;
    seq.onTimeout();
    EXPECT_EQ(log.entries, (QStringList{"version.ask", "version.bfVer_NoCheck:2"}));
    EXPECT_EQ(ctx().app.HardVersion, 2);
    EXPECT_EQ(ctx().app.HardVersionText, kNotQueriedText);
}

TEST_F(SequencerTest, NgToSleShowsTheCommandErrorAndStillAsksTheVersion)
{
    seq.startVersionExchange();
    line("NG");
    ASSERT_EQ(tc.msg.shown.size(), 1u);
    const MessageRequest& box = tc.msg.shown[0];
    EXPECT_EQ(box.title, "コマンド通信エラー");
    EXPECT_EQ(box.text,
              "本体の定期データ送信モードの解除設定ができませんでした。\r"
              "通信は成功しコマンド送信でエラーが発生したので再度起動しなおしてください。");
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(box.foreground);
    EXPECT_EQ(sent(), (QStringList{"SLE", "VER"}));
}

TEST_F(SequencerTest, ForcedVersionSendsSleNeverVerAndStillReportsItsRefusal)
{
    ctx().app.HardVersion = 2;
    seq.startVersionExchange();
    EXPECT_EQ(sent(), QStringList{"SLE"});
    EXPECT_EQ(log.entries, QStringList{"version.bfVer_NoCheck:2"});
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(timer.starts, 0);

    line("NG");
    EXPECT_TRUE(log.entries.contains("msg:" + link_text::sleRefused()));
    EXPECT_EQ(tc.msg.shown.back().title, "コマンド通信エラー");
    EXPECT_EQ(sent(), QStringList{"SLE"});
    EXPECT_EQ(seq.LinkState(), link::State::Idle);
    EXPECT_EQ(ctx().app.HardVersion, 2);
}

TEST_F(SequencerTest, ForcedVersionAcceptedSleIsSilent)
{
    ctx().app.HardVersion = 1;
    seq.startVersionExchange();
    line("OK");
    EXPECT_TRUE(tc.msg.shown.empty());
    EXPECT_EQ(sent(), QStringList{"SLE"});
}

TEST_F(SequencerTest, CancellingTheVersionWaitAsksTheUserOnlyWhileItWaits)
{
    struct Case {
        const char* name;
        QStringList answers;
        bool asked;
    };
    const Case cases[] = {
        {"beforeTheSleAnswer", {}, true},
        {"beforeTheVerAnswer", {"OK"}, true},
        {"afterTheAnswer", {"OK", "VER2.00A"}, false},
    };
    for (const Case& c : cases) {
        ctx().app.HardVersion = 0;
        seq.startVersionExchange();
        for (const QString& a : c.answers)
            line(a);
        log.clear();
        seq.cancelVersionWait();
        EXPECT_EQ(log.entries.contains("version.ask"), c.asked) << c.name;
        EXPECT_EQ(seq.LinkState(), link::State::Idle) << c.name;
        EXPECT_FALSE(timer.active) << c.name;
    }
}

TEST_F(SequencerTest, PortIsOpenFollowsTheTransport)
{
    transport.open = false;
    EXPECT_FALSE(seq.portIsOpen());
}

// --- Primitives for the dialog exchanges ----------------------------------------------

TEST_F(SequencerTest, AcceptContinueAndStepBackMoveAlongTheList)
{
    seq.startExchange(link::State::MemoryClear,
                      {makeStep("CMD", 6), makeStep("SCB1", 2), makeStep("SCB2", 2)});
    RunningExchange ex = SequencerProbe::exchange(seq);
    ex.accept("RMD010");
    EXPECT_FALSE(timer.active);
    EXPECT_EQ(ex.replies()[0], "010");
    EXPECT_EQ(seq.ExchangeIndex(), 1);
    ex.continueExchange();
    EXPECT_EQ(lastSent(), "SCB1");
    EXPECT_TRUE(timer.active);
    ex.stepBack("RMD011");
    EXPECT_EQ(seq.ExchangeIndex(), 0);
    EXPECT_EQ(ex.replies()[0], "011");

    for (int i = 0; i < 3; ++i)
        ex.advance();
    EXPECT_TRUE(ex.done());
    EXPECT_EQ(ex.currentStep(), nullptr);
    const auto count = sent().size();
    ex.continueExchange(); // nothing left to send
    EXPECT_EQ(sent().size(), count);
    ex.accept("OK"); // past the end: only the index moves
    EXPECT_EQ(seq.ExchangeIndex(), 4);
}

TEST_F(SequencerTest, RestartTimerSwitchesOffAndOnAndCountsGenerations)
{
    const unsigned g = seq.timerGeneration();
    SequencerProbe::exchange(seq).restartTimer();
    EXPECT_TRUE(timer.active);
    EXPECT_EQ(timer.stops, 1);
    EXPECT_EQ(timer.starts, 1);
    EXPECT_EQ(seq.timerGeneration(), g + 2);
}

TEST_F(SequencerTest, StateHandlersSurviveAListShorterThanTheCursor)
{
    for (int state : {15, 16, 17, 18}) {
        enterState(state); // no list: every step is past it
        for (const QString text : {"OK", "RMD010", "RCF031234"})
            line(text);
    }
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_TRUE(log.entries.isEmpty());
}

} // namespace
} // namespace quellin::test

namespace quellin::test {
namespace {

class SequencerPause : public ::testing::Test, public LinkFixture {};

// The meter's characters waited in the port's buffer while the original slept:
// lines that come during the pause are handled after "SLG", in their order.
TEST_F(SequencerPause, LinesDuringThePauseWaitUntilSlgHasBeenSent)
{
    seq.startMeasurementRequest();
    for (const QString answer : {"RMD200", "RCF030010", "RCF040005", "OK"})
        line(answer);
    line("OK");
    line("LOW");
    EXPECT_TRUE(log.entries.isEmpty());
    EXPECT_EQ(lastSent(), "SMD11");
    tc.sleep.runSteps();
    EXPECT_EQ(lastSent(), "SLG");
    EXPECT_EQ(log.entries,
              (QStringList{"main.KeisokuStart", "msg:本体側のバッテリがありません。"}));
}

TEST_F(SequencerPause, ANewExchangeReplacesThePause)
{
    seq.startMeasurementRequest();
    for (const QString answer : {"RMD200", "RCF030010", "RCF040005", "OK"})
        line(answer);
    seq.startStopExchange();
    tc.sleep.runSteps();
    EXPECT_EQ(sent(), (QStringList{"CMD", "CCF03", "CCF04", "SMD11", "SLE"}));
    EXPECT_EQ(seq.LinkState(), link::State::MeasureStop);
}

// What quellin-cli waits on: every change of state, the end of an exchange (also
// one that awaited its answer without a time-out) and a time-out.
TEST_F(SequencerPause, SignalsTellTheStatesTheEndAndTheFailureOfAnExchange)
{
    QStringList told;
    const auto record = [&](const char* what) {
        return [&told, what](link::State s) {
            told << QStringLiteral("%1 %2").arg(what).arg(link::number(s));
        };
    };
    QObject::connect(&seq, &Sequencer::stateChanged, record("state"));
    QObject::connect(&seq, &Sequencer::exchangeEnded, record("ended"));
    QObject::connect(&seq, &Sequencer::exchangeFailed, record("failed"));

    seq.startStopExchange();
    line("OK");
    line("OK");
    ctx().app.HardVersion = 2;
    seq.startVersionExchange();
    line("OK");
    seq.startMeasurementRequest();
    line("RMD2"); // not an answer: nothing ends
    seq.onTimeout();
    EXPECT_EQ(told, (QStringList{"state 18", "state 99", "ended 18", "state 22", "state 99",
                                 "ended 22", "state 15", "failed 15"}));
}

} // namespace
} // namespace quellin::test
