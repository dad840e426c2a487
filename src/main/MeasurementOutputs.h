#pragma once
// What a measurement of the window program tells beyond its windows: the
// alarms of the settings file, evaluated on every stored record, and the
// monitoring outputs of the 外部出力 settings (MQTT, InfluxDB, metrics), fed
// through the same publishing core as quellin-cli. Both are set up when a
// measurement starts and ended when it ends; settings changed meanwhile count
// from the next start. An output that cannot be set up is told (and left
// off), as is a broker that is away: the measurement goes on.

#include "base/Context.h"
#include "measure/AlarmEvaluator.h"

#include <QObject>
#include <deque>
#include <memory>

namespace quellin {

class MeasurementRun;
class Publishing;

class MeasurementOutputs : public QObject {
    Q_OBJECT
public:
    // The events kept for the event list; older ones are forgotten.
    static constexpr std::size_t kMaxEvents = 10000;

    MeasurementOutputs(Context& ctx, MeasurementRun& run);
    ~MeasurementOutputs() override;

    const std::deque<AlarmEvent>& events() const { return events_; }
    const AlarmEvaluator& alarms() const { return alarms_; }
    Publishing* publishing() { return publishing_.get(); }

Q_SIGNALS:
    void alarmEvent(const quellin::AlarmEvent& event);
    // Every alarm cleared without an event: a measurement started or ended.
    void alarmsReset();
    // What the outputs have to say (a setting that cannot be used, a broker
    // away or back); "" at a measurement's start.
    void told(const QString& text);

private:
    void begin();
    void end();
    void recordStored(const DataRecord& record);
    void tell(const QString& text);

    Context& ctx_;
    AlarmEvaluator alarms_;
    std::vector<AlarmEvent> fresh_;
    std::deque<AlarmEvent> events_;
    std::unique_ptr<Publishing> publishing_;
    bool active_ = false;
    bool absentTold_ = false; // the rules without their item, told at the first record
};

} // namespace quellin
