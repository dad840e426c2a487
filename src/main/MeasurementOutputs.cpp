#include "main/MeasurementOutputs.h"

#include "main/MeasurementRun.h"
#include "platform/Tx.h"
#include "publish/OutputSettings.h"
#include "publish/Publishing.h"
#include "settings/ModRegistry.h"

#include <QDir>

namespace quellin {

MeasurementOutputs::MeasurementOutputs(Context& ctx, MeasurementRun& run) : ctx_(ctx)
{
    connect(&run, &MeasurementRun::stateChanged, this, [this](MeasurementState state) {
        if (state == MeasurementState::Measuring && !active_)
            begin();
        else if (state == MeasurementState::Idle && active_)
            end();
    });
    connect(&run, &MeasurementRun::recordStored, this,
            [this](const DataRecord& record) { recordStored(record); });
}

MeasurementOutputs::~MeasurementOutputs() = default;

void MeasurementOutputs::tell(const QString& text)
{
    Q_EMIT told(text);
}

void MeasurementOutputs::begin()
{
    active_ = true;
    absentTold_ = false;
    tell(QString());
    AlarmRulesParse rules = readAlarmRules(ctx_.settings);
    if (!rules.rejected.isEmpty())
        tell(rejectedAlarmRulesText(TX("警報設定"), rules.rejected));
    alarms_.reset(std::move(rules.rules));
    events_.clear();
    Q_EMIT alarmsReset();

    OutputCheck check = checkOutputSettings(readOutputSettings(ctx_.settings),
                                            QDir(ctx_.app.AppFolder).dirName());
    if (!check.failures.empty())
        tell(TX("外部出力: ") + check.failures.front().message);
    if (!check.options.any())
        return;
    check.options.alarms = alarms_.rules();
    publishing_ = std::make_unique<Publishing>(ctx_, check.options, [this](const QString& text) { tell(text); });
    QString error;
    if (!publishing_->start(&error)) {
        tell(TX("外部出力: ") + error);
        publishing_.reset();
    }
}

void MeasurementOutputs::end()
{
    active_ = false;
    if (publishing_) {
        // The last records and "offline" go out now, each within a few seconds.
        publishing_->stop();
        publishing_.reset();
    }
    alarms_.reset(alarms_.rules());
    Q_EMIT alarmsReset();
}

void MeasurementOutputs::recordStored(const DataRecord& record)
{
    if (!active_)
        return;
    if (publishing_)
        publishing_->recordStored(record);
    fresh_.clear();
    const ColumnMask present = presentColumns(ctx_.dataSet());
    if (!absentTold_) {
        // Known once the meter's first record has arrived.
        absentTold_ = true;
        if (const QString absent = absentAlarmRulesText(alarms_.rules(), present); !absent.isEmpty())
            Q_EMIT told(absent);
    }
    alarms_.evaluate(record, present, fresh_);
    for (const AlarmEvent& e : fresh_) {
        events_.push_back(e);
        if (events_.size() > kMaxEvents)
            events_.pop_front();
        if (publishing_)
            publishing_->alarmEvent(e);
        Q_EMIT alarmEvent(e);
    }
}

} // namespace quellin
