#include "cli/CliMeasure.h"

#include "cli/CliRecordText.h"
#include "link/Sequencer.h"
#include "store/CsvSave.h"
#include "store/ModFile.h"

#include <QEventLoop>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace quellin {

namespace {

// The start exchange: status, two ratios, the mode, the pause before "SLG" and
// "SLG", each with the link's time-out.
constexpr int kStartWaitMs = 5 * FrmComm::kTimeOutMs;
// The stop exchange ends by its answers or by its time-out.
constexpr int kStopWaitMs = 3 * FrmComm::kTimeOutMs;

} // namespace

CliMeasure::CliMeasure(CliSession& session)
    : session_(session), ctx_(session.ctx()), run_(session.ctx(), noWindow_, session.seq())
{
    QObject::connect(&run_, &MeasurementRun::lineHandled, &run_, [this](const DataRecord& r) {
        lastLine_ = r;
        haveLine_ = true;
    });
    if (session_.options().jsonl)
        QObject::connect(&run_, &MeasurementRun::recordStored, &run_, [this](const DataRecord& r) {
            writeLine(session_.out(), recordJson(ctx_, r));
        });
    second_.setInterval(1000);
    QObject::connect(&second_, &QTimer::timeout, [this] { onSecond(); });
    forTimer_.setSingleShot(true);
    QObject::connect(&forTimer_, &QTimer::timeout, [this] { requestStop(); });
}

CliMeasure::~CliMeasure()
{
    signalNotifier_.reset();
    if (signalFd_ >= 0)
        ::close(signalFd_);
    session_.clients().main = nullptr;
    session_.clients().measured = nullptr;
}

void CliMeasure::watchSignals()
{
    // main() blocked SIGINT and SIGTERM before anything else started: they are
    // read here, in the event loop, and never interrupt a write to the port.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    signalFd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signalFd_ < 0)
        return;
    signalNotifier_ = std::make_unique<QSocketNotifier>(signalFd_, QSocketNotifier::Read);
    QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, [this] {
        signalfd_siginfo info;
        while (::read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        }
        requestStop();
    });
}

CliExit CliMeasure::applyOptions()
{
    const CliOptions& o = session_.options();
    if (!o.interval.isEmpty())
        ctx_.app.LogingTime = parseInterval(o.interval).seconds;
    if (!o.items.isEmpty()) {
        const ItemsParse items = parseItems(o.items, ctx_.cat.ColumnLast);
        if (!items.error.isEmpty()) {
            writeLine(session_.err(), items.error);
            return CliExit::Usage;
        }
        ctx_.cat.LogColumns = items.columns;
    }
    return CliExit::Done;
}

CliExit CliMeasure::start()
{
    const int shown = static_cast<int>(session_.messages().size());
    run_.keisokuCommand();
    // Started, or told why not (a refusal, the start's time-out).
    session_.waitFor(
        [&] {
            return ctx_.app.Measuring || ended_ ||
                   static_cast<int>(session_.messages().size()) > shown;
        },
        kStartWaitMs);
    if (ctx_.app.Measuring)
        return CliExit::Done;
    if (static_cast<int>(session_.messages().size()) == shown)
        writeLine(session_.err(), QStringLiteral("計測開始に失敗しました。"));
    return session_.failureExit();
}

CliExit CliMeasure::run()
{
    watchSignals();
    if (const CliExit e = applyOptions(); e != CliExit::Done)
        return e;
    if (!session_.keepLeftoverDataSet())
        return CliExit::Refused;
    session_.clients().main = this;
    session_.clients().measured = &run_.measuredData();

    if (const CliExit e = start(); e != CliExit::Done)
        return e;
    const CliOptions& o = session_.options();
    if (!run_.beginPcLogging(o.log)) {
        requestStop();
        session_.waitFor([&] { return ended_; }, kStopWaitMs);
        return CliExit::Refused;
    }
    if (o.forSeconds > 0)
        forTimer_.start(static_cast<int>(std::min<qint64>(o.forSeconds * 1000, INT_MAX)));
    second_.start();

    QEventLoop loop;
    while (!ended_)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    second_.stop();
    forTimer_.stop();

    // The log and the records are complete unless writing them failed; a meter
    // that went away or never confirmed the stop is a link failure.
    CliExit exit = CliExit::Done;
    for (const QString& text : session_.messages())
        if (text.startsWith(run_text::kStoreWriteFailed) ||
            text.startsWith(run_text::kLogWriteFailed))
            exit = CliExit::Refused;
    if (lost_ || session_.linkFailed())
        exit = CliExit::LinkFailure;
    if (!o.save.isEmpty()) {
        if (SaveDataFile(ctx_, o.save))
            ctx_.dataSet().DeleteTmpFile(); // kept in the data file now
        else if (exit == CliExit::Done)
            exit = CliExit::Refused;
    }
    return exit;
}

void CliMeasure::requestStop()
{
    if (ended_)
        return;
    if (stopping_) {
        // A second signal: end here without waiting for the meter's answer.
        run_.KeisokuEnd();
        ended_ = true;
        session_.recheck();
        return;
    }
    stopping_ = true;
    if (ctx_.app.Measuring) {
        run_.keisokuCommand(); // the log closed, then "SLE", "SMD10"
        return;
    }
    ended_ = true;
    session_.recheck();
}

void CliMeasure::KeisokuStart()
{
    run_.KeisokuStart();
}

void CliMeasure::KeisokuEnd_Req()
{
    stopping_ = true;
    run_.KeisokuEnd_Req();
}

void CliMeasure::KeisokuEnd()
{
    run_.KeisokuEnd();
    ended_ = true;
}

void CliMeasure::linkLost()
{
    lost_ = true;
    run_.linkLost();
    ended_ = true;
}

void CliMeasure::onSecond()
{
    // What the window's status bar would say (logging, the meter's silence, an
    // overflow, a full store) is told once, even with --quiet.
    const QString panel = ctx_.svc.status.panelText(2);
    if (panel != lastPanel_) {
        lastPanel_ = panel;
        if (!panel.isEmpty())
            writeLine(session_.err(), terminalText(panel));
    }
    if (!session_.options().quiet)
        writeLine(session_.err(),
                  measureProgressText(session_.options().lang, ctx_.dataSet().RecordCount(),
                                      haveLine_ ? &lastLine_ : nullptr, ctx_.meas.EnergyTotal));
}

} // namespace quellin
