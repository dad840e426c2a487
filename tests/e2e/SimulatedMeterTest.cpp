// The link against the virtual meter (quellin-meter-sim) over its pseudo-terminal:
// the real port window, framing, queue and sequencer on one side, the simulated
// instrument's protocol on the other.

#include "MeterSim.h"
#include "link/LinkDoubles.h"

#include "link/FrmComm.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

template <class Pred> bool runEventsUntil(Pred done, int ms = 8000)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class SimulatedMeter : public ::testing::Test, public LinkFixture {
protected:
    // Starts the meter and opens FrmComm on it.
    void connect(const QStringList& args)
    {
        ASSERT_TRUE(sim.start(args)) << sim.errorText().toStdString();
        qputenv("QUELLIN_COM1", sim.device().toLocal8Bit());
        comm = std::make_unique<FrmComm>(ctx(), clients);
        ASSERT_TRUE(comm->openPort()) << tc.msg.texts().join('|').toStdString();
        // Act like the main window: a started measurement runs until it ends.
        main.onCall = [this](const QString& call) {
            if (call == "KeisokuStart")
                ctx().app.Measuring = true;
            if (call == "KeisokuEnd") {
                ctx().app.Measuring = false;
                comm->sequencer().endExchange();
            }
        };
    }
    void TearDown() override
    {
        comm.reset();
        sim.stop();
        qunsetenv("QUELLIN_COM1");
    }
    int measuredCount() const
    {
        int n = 0;
        for (const auto& e : log.entries)
            n += e.startsWith("measured:") ? 1 : 0;
        return n;
    }

    MeterSim sim;
    std::unique_ptr<FrmComm> comm;
};

TEST_F(SimulatedMeter, VersionExchangeReadsTheMetersVersion)
{
    connect({"--version", "2"});
    comm->sequencer().startVersionExchange();
    ASSERT_TRUE(runEventsUntil([&] { return ctx().app.HardVersion != 0; }));
    EXPECT_EQ(ctx().app.HardVersion, 2);
    EXPECT_TRUE(ctx().app.HardVersionText.startsWith('2'));
    EXPECT_EQ(ctx().app.HardVersionText.size(), 5);
    EXPECT_FALSE(comm->timeOutTimer().isActive());
    EXPECT_TRUE(tc.msg.shown.empty());
}

TEST_F(SimulatedMeter, RefusedVersionQuestionMeansVersionOne)
{
    connect({"--version", "2", "--ver-ng"});
    comm->sequencer().startVersionExchange();
    ASSERT_TRUE(runEventsUntil([&] { return ctx().app.HardVersion != 0; }));
    EXPECT_EQ(ctx().app.HardVersion, 1);
    EXPECT_EQ(ctx().app.HardVersionText, "1");
}

TEST_F(SimulatedMeter, MeasurementStartsStreamsAndStops)
{
    connect({"--version", "2", "--wiring", "1", "--measuring", "--rate", "50"});
    comm->sequencer().startMeasurementRequest();
    ASSERT_TRUE(runEventsUntil([&] { return ctx().app.Measuring; }))
        << log.entries.join(" | ").toStdString();
    EXPECT_EQ(comm->sequencer().WiringMode(), 1);
    EXPECT_EQ(tc.sleep.slept, std::vector<int>{1000});

    ASSERT_TRUE(runEventsUntil([&] { return measuredCount() >= 3; }));
    EXPECT_FALSE(comm->timeOutTimer().isActive());
    for (const auto& e : log.entries)
        if (e.startsWith("measured:")) {
            EXPECT_EQ(e.size(), QString("measured:").size() + 131) << e.toStdString();
        }

    comm->sequencer().startStopExchange();
    ASSERT_TRUE(runEventsUntil([&] { return !ctx().app.Measuring; }));
    EXPECT_TRUE(tc.msg.shown.empty()) << tc.msg.texts().join('|').toStdString();

    const QStringList commands = sim.receivedCommands();
    const QStringList expected{"CMD", "SMD10", "CCF03", "CCF04", "SMD11", "SLG", "SLE", "SMD10"};
    EXPECT_EQ(commands, expected);
}

TEST_F(SimulatedMeter, MeterThatHangsUpDuringAMeasurementEndsItWithOneMessage)
{
    connect({"--version", "1", "--rate", "50", "--hangup-after", "3"});
    comm->sequencer().startMeasurementRequest();
    ASSERT_TRUE(runEventsUntil([&] { return log.entries.contains("main.linkLost"); }))
        << log.entries.join(" | ").toStdString();
    runEventsUntil([] { return false; }, 300); // nothing more may follow
    EXPECT_FALSE(comm->isOpen());
    ASSERT_EQ(tc.msg.shown.size(), 1u) << tc.msg.texts().join('|').toStdString();
    EXPECT_EQ(tc.msg.shown[0].text,
              "通信ポート1 が使用できなくなりました。\r\n"
              "ケーブルを確認して下さい。同じポートが使えるようになると、自動的に開き直します。");
    EXPECT_EQ(measuredCount(), 3);
    EXPECT_EQ(log.entries.count("main.linkLost"), 1);
}

} // namespace
} // namespace quellin::test
