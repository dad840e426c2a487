#include "cli/CliMeasure.h"

#include "cli/CliRecordText.h"
#include "link/Sequencer.h"
#include "platform/Tx.h"
#include "publish/RecordJson.h"
#include "store/CsvSave.h"
#include "store/ModFile.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

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
    QObject::connect(&run_, &MeasurementRun::recordStored, &run_, [this](const DataRecord& r) {
        if (outputs_)
            outputs_->recordStored(r);
        checkAlarms(r);
    });
    second_.setInterval(1000);
    QObject::connect(&second_, &QTimer::timeout, [this] { onSecond(); });
    forTimer_.setSingleShot(true);
    QObject::connect(&forTimer_, &QTimer::timeout, [this] { requestStop(); });
}

CliMeasure::~CliMeasure()
{
    session_.onStopSignal(nullptr);
    session_.clients().main = nullptr;
    session_.clients().measured = nullptr;
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

void CliMeasure::setUpAlarms()
{
    AlarmRulesParse rules = readAlarmRules(ctx_.settings);
    if (!rules.rejected.isEmpty())
        writeLine(session_.err(), rejectedAlarmRulesText(ctx_.settings.iniPath(), rules.rejected));
    for (const AlarmRule& r : session_.options().alarms)
        putAlarmRule(rules.rules, r);
    alarms_.reset(std::move(rules.rules));
}

void CliMeasure::checkAlarms(const DataRecord& record)
{
    alarmEvents_.clear();
    const ColumnMask present = presentColumns(ctx_.dataSet());
    if (!absentAlarmsTold_) {
        // Known once the meter's first record has arrived.
        absentAlarmsTold_ = true;
        if (const QString absent = absentAlarmRulesText(alarms_.rules(), present); !absent.isEmpty())
            writeLine(session_.err(), absent);
    }
    alarms_.evaluate(record, present, alarmEvents_);
    for (const AlarmEvent& e : alarmEvents_) {
        writeLine(session_.err(), alarmEventText(e));
        if (outputs_)
            outputs_->alarmEvent(e);
    }
}

CliExit CliMeasure::startOutputs()
{
    const CliOptions& o = session_.options();
    setUpAlarms();
    PublishOptions p;
    p.alarms = alarms_.rules();
    p.meterId = o.mqttId.isEmpty() ? QDir(ctx_.app.AppFolder).dirName() : o.mqttId;
    p.mqtt = o.mqtt;
    p.mqttCa = o.mqttCa;
    p.influx = o.influx;
    p.influxToken = o.influxToken;
    p.metrics = o.metrics;
    if (!p.any())
        return CliExit::Done;
    outputs_ = std::make_unique<Publishing>(ctx_, p, [this](const QString& text) {
        writeLine(session_.err(), text);
    });
    QString error;
    if (!outputs_->start(&error)) {
        writeLine(session_.err(), error);
        outputs_.reset();
        return CliExit::Usage;
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
        writeLine(session_.err(), TX("計測開始に失敗しました。"));
    return session_.failureExit();
}

CliExit CliMeasure::run()
{
    session_.onStopSignal([this](int) { requestStop(); });
    if (const CliExit e = applyOptions(); e != CliExit::Done)
        return e;
    const CliOptions& o = session_.options();
    // A log left by an earlier run (one that crashed, say) is never written over.
    if (!o.append && QFileInfo::exists(o.log)) {
        writeLine(session_.err(),
                  TX("ログファイル %1 は既にあります。上書きしません"
                                 "（続けて書くには --append を付けて下さい）。")
                      .arg(QDir::toNativeSeparators(o.log)));
        return CliExit::Refused;
    }
    if (!session_.keepLeftoverDataSet())
        return CliExit::Refused;
    if (const CliExit e = startOutputs(); e != CliExit::Done)
        return e;
    session_.clients().main = this;
    session_.clients().measured = &run_.measuredData();

    const CliExit started = start();
    if (abandoned_)
        return abandonedExit();
    if (started != CliExit::Done)
        return started;
    if (stopping_ ||
        !run_.beginPcLogging(o.log, o.append ? PcLogOpen::Continue : PcLogOpen::New)) {
        // A signal during the start: the meter measures now and is told to stop.
        const bool refused = !stopping_;
        stopping_ = false;
        requestStop();
        session_.waitFor([&] { return ended_; }, kStopWaitMs);
        if (refused)
            return CliExit::Refused;
        return abandoned_ ? abandonedExit() : CliExit::Done;
    }
    measuring_.start();
    if (o.forSeconds > 0)
        forTimer_.start(static_cast<int>(std::min<qint64>(o.forSeconds * 1000, INT_MAX)));
    second_.start();

    QEventLoop loop;
    while (!ended_)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    second_.stop();
    forTimer_.stop();
    // The last records and "offline" go out now, each within a few seconds.
    if (outputs_)
        outputs_->stop();

    // The log and the records are complete unless writing them failed; a meter
    // that went away or never confirmed the stop is a link failure.
    CliExit exit = CliExit::Done;
    for (const QString& text : session_.messages())
        if (text.startsWith(run_text::storeWriteFailed()) ||
            text.startsWith(run_text::logWriteFailed()))
            exit = CliExit::Refused;
    if (lost_ || session_.linkFailed())
        exit = CliExit::LinkFailure;
    if (abandoned_)
        exit = abandonedExit();
    const int records = ctx_.dataSet().RecordCount();
    QStringList written{QDir::toNativeSeparators(o.log)};
    if (!o.save.isEmpty()) {
        if (SaveDataFile(ctx_, o.save)) {
            ctx_.dataSet().DeleteTmpFile(); // kept in the data file now
            written << QDir::toNativeSeparators(o.save);
        } else if (exit == CliExit::Done) {
            exit = CliExit::Refused;
        }
    }
    if (!o.quiet)
        writeLine(session_.err(), measureSummaryText(records,
                                                     measuring_.elapsed() / 1000, written));
    return exit;
}

void CliMeasure::requestStop()
{
    if (ended_)
        return;
    if (stopping_) {
        // A second signal: end here without waiting for the meter's answer.
        abandoned_ = true;
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
    if (run_.state() == MeasurementState::Starting)
        return; // the stop follows as soon as the meter measures
    ended_ = true;
    session_.recheck();
}

CliExit CliMeasure::abandonedExit() const
{
    writeLine(session_.err(), TX("電力計の停止の確認を待たずに終了しました。"
                                             "電力計は計測を続けている可能性があります。"));
    return CliExit::LinkFailure;
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
    if (outputs_)
        outputs_->setLinkUp(false);
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
        writeProgress(session_.err(),
                  measureProgressText(ctx_.dataSet().RecordCount(),
                                      haveLine_ ? &lastLine_ : nullptr, run_.measureState().EnergyTotal));
}

} // namespace quellin
