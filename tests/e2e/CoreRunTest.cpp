// The program's core without windows against the virtual meter over a
// pseudo-terminal: the version exchange, a measurement start, twenty measured-data
// lines and the stop. TMP.DAT must then hold twenty records whose readings are
// exactly the meter's (from its log) and whose derived values follow from them.

#include "support/MeterSim.h"
#include "support/TestContext.h"

#include "catalog/ModVer.h"
#include "link/FrmComm.h"
#include "main/MeasurementRun.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>

namespace quellin::test {
namespace {

template <class Pred> bool runEventsUntil(Pred done, int ms = 10000)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// The main window without windows: the link's call-backs go to the run, the
// version to the catalogue; the list and the graph count as shown.
class Headless : public MainWindowClient, public VersionClient, public MeasurementView {
public:
    explicit Headless(Context& ctx) : ctx_(ctx) {}
    MeasurementRun* run = nullptr;

    void KeisokuStart() override { run->KeisokuStart(); }
    void KeisokuEnd() override { run->KeisokuEnd(); }
    void KeisokuEnd_Req() override { run->KeisokuEnd_Req(); }
    void clearBusyText() override {}
    void linkLost() override { run->linkLost(); }

    bool bfVer_NoCheck() override { return quellin::bfVer_NoCheck(ctx_); }
    bool askAssumeVersion1() override { return false; }

    bool viewMark(ViewItem item) const override { return item == ViewItem::Spread; }
    void refreshList() override { ++listRefreshes; }

    int listRefreshes = 0;

private:
    Context& ctx_;
};

// The reading at a position counted from 1 after "RML", decoded here on its own:
// eight hexadecimal digits, most significant byte first, an IEEE single.
std::optional<float> readingAt(const QString& line, int position)
{
    bool ok = false;
    const quint32 bits = line.mid(3 + position - 1, 8).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

TEST(CoreRun, TwentyLinesBecomeTwentyRecordsOfTheMetersReadings)
{
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--version", "2", "--wiring", "2", "--rate", "50", "--max-lines", "20",
                           "--start-time", "2002/06/01 12:00:00", "--seed", "7"}))
        << sim.errorText().toStdString();
    qputenv("QUELLIN_COM1", sim.device().toLocal8Bit());

    TestContext t;
    Context& ctx = *t.ctx;
    LinkClients clients;
    FrmComm comm(ctx, clients);
    Headless main(ctx);
    MeasurementRun run(ctx, main, comm.sequencer());
    main.run = &run;
    clients.main = &main;
    clients.version = &main;
    clients.measured = &run.measuredData();
    ASSERT_TRUE(comm.openPort()) << t.msg.texts().join('|').toStdString();

    // Version.
    ASSERT_TRUE(bfVer_Open(ctx, comm.sequencer()));
    ASSERT_TRUE(runEventsUntil([&] {
        return ctx.app.HardVersion != 0 && comm.sequencer().LinkState() == link::State::Idle;
    }));
    EXPECT_EQ(ctx.app.HardVersion, 2);
    EXPECT_EQ(ctx.cat.ColumnLast, 17);
    ctx.app.LogingTime = 1;

    // Start.
    run.keisokuCommand();
    ASSERT_TRUE(runEventsUntil([&] { return ctx.app.Measuring; }))
        << t.msg.texts().join('|').toStdString();
    EXPECT_EQ(comm.sequencer().WiringMode(), 2);

    // Twenty lines, the display cycle ticking meanwhile.
    ASSERT_TRUE(runEventsUntil([&] {
        run.onDisplayTick();
        return ctx.dataSet().RecordCount() >= 20;
    }));
    EXPECT_TRUE(run.displayTimerActive());
    EXPECT_GT(main.listRefreshes, 0);

    // Stop.
    run.keisokuCommand();
    ASSERT_TRUE(runEventsUntil([&] { return !ctx.app.Measuring; }));
    EXPECT_EQ(comm.sequencer().LinkState(), link::State::Idle);
    EXPECT_FALSE(run.displayTimerActive());
    EXPECT_TRUE(t.msg.shown.empty()) << t.msg.texts().join('|').toStdString();
    sim.stop();

    EXPECT_EQ(sim.receivedCommands(),
              (QStringList{"SLE", "VER", "CMD", "CCF03", "CCF04", "SMD11", "SLG", "SLE", "SMD10"}));
    const QStringList lines = sim.measuredLines();
    ASSERT_EQ(lines.size(), 20);
    ASSERT_EQ(ctx.dataSet().RecordCount(), 20);
    EXPECT_EQ(QFileInfo(ctx.tmpDatPath()).size(), 20 * kRecordBytes);

    const std::vector<DataRecord> recs = ctx.dataSet().ReadRecords(1, 20);
    double energy = 0;
    double peak = -9999.9;
    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(lines[k].toStdString());
        const QString& line = lines[k];
        ASSERT_EQ(line.size(), 134);
        const DataRecord& r = recs[static_cast<size_t>(k)];
        EXPECT_EQ(r.number, k);
        const auto time = vbdate::parse(line.mid(3 + 67, 19));
        ASSERT_TRUE(time.has_value());
        EXPECT_EQ(vbdate::secondsBetween(*vbdate::parse(u"2002/06/01 12:00:00"), r.time()), k);
        EXPECT_EQ(r.time(), *time);

        // position → record column
        const int positions[] = {5, 14, 23, 32, 41, 50, 59, 88, 97, 106, 115, 124};
        const int columns[] = {2, 3, 4, 5, 6, 9, 10, 13, 14, 15, 16, 17};
        float v[12];
        for (int i = 0; i < 12; ++i) {
            const auto reading = readingAt(line, positions[i]);
            ASSERT_TRUE(reading.has_value()) << "position " << positions[i];
            v[i] = *reading;
            EXPECT_EQ(r.column(columns[i]), static_cast<double>(v[i])) << "column " << columns[i];
        }
        const double s = (double(v[0]) * v[2] + double(v[1]) * v[3]) * std::sqrt(3.0) / 2;
        EXPECT_NEAR(r.column(8), s, 1e-9 * std::fabs(s));
        EXPECT_NEAR(r.column(7), std::sqrt(std::fabs(s * s - double(v[4]) * v[4])), 1e-6);
        energy += double(v[4]) / 3600 / 1000;
        EXPECT_NEAR(r.column(11), energy, 1e-12);
        EXPECT_NEAR(r.column(12), (k + 1) / 3600.0, 1e-12);
        peak = std::max(peak, double(v[4]));
        // The meter's mains frequency (50 Hz by default).
        EXPECT_NEAR(v[6], 50.0f, 1.0f);
    }
    EXPECT_EQ(ctx.dataSet().PeakWatts(), peak);
    EXPECT_NEAR(ctx.dataSet().TotalEnergy(), energy, 1e-12);
    EXPECT_EQ(ctx.dataSet().FirstTime(), recs[0].time());
    EXPECT_EQ(ctx.dataSet().LastTime(), recs[19].time());
    EXPECT_TRUE(ctx.app.DataPresent);

    comm.closePort();
    qunsetenv("QUELLIN_COM1");
}

} // namespace
} // namespace quellin::test
