#pragma once
// quellin-cli measure: the measurement run of the main window without the
// window. The link calls it back as the main window; of the run it hears the
// lines (the progress line) and the stored records (the JSON output, the
// alarms on standard error and the monitoring outputs, which it never waits
// for). It
// stops on SIGINT, SIGTERM or SIGHUP (one during the start stops the meter
// once it measures), after --for, on the meter's "STP" and when the store is
// full; the stop is the window's (log closed, then "SLE", "SMD10"). A second
// signal ends at once, with exit 3: the meter may still measure.

#include "base/LinkClients.h"
#include "cli/CliSession.h"
#include "main/MeasurementRun.h"
#include "publish/Publishing.h"

#include <QElapsedTimer>
#include <QTimer>
#include <memory>

namespace quellin {

class CliMeasure : public MainWindowClient {
public:
    explicit CliMeasure(CliSession& session);
    ~CliMeasure() override;

    // The whole command; its exit code.
    CliExit run();

    // MainWindowClient
    void KeisokuStart() override;
    void KeisokuEnd() override;
    void KeisokuEnd_Req() override;
    void clearBusyText() override {}
    void linkLost() override;

private:
    CliExit applyOptions();
    // The settings file's alarm rules with --alarm over them.
    void setUpAlarms();
    void checkAlarms(const DataRecord& record);
    // The monitoring outputs asked for, started; Usage when one cannot be set up.
    CliExit startOutputs();
    CliExit start();
    void requestStop();
    void onSecond();
    // A second signal ended the run without the meter's stop: exit 3, saying so.
    CliExit abandonedExit() const;

    CliSession& session_;
    Context& ctx_;
    MeasurementView noWindow_; // nothing shown, nothing asked
    MeasurementRun run_;
    QTimer second_;
    QTimer forTimer_;
    QElapsedTimer measuring_; // from the meter's start on, for the summary
    bool ended_ = false;
    bool stopping_ = false;
    bool abandoned_ = false; // ended by a second signal, the stop unconfirmed
    bool lost_ = false;
    bool haveLine_ = false;
    DataRecord lastLine_{};
    QString lastPanel_; // status panel 2 as last told
    std::unique_ptr<Publishing> outputs_;
    AlarmEvaluator alarms_;
    std::vector<AlarmEvent> alarmEvents_;
    bool absentAlarmsTold_ = false;
};

} // namespace quellin
