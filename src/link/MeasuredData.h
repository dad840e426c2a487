#pragma once
// The measured-data handler: the only place where live readings enter the
// program. Each line is decoded (measure/MeasuredLine), made into a record
// (measure/MeasuredRecord), stored and logged at the logging period
// (measure/PcLogLine) and shown in the value panel (measure/PanelTexts), every
// step under its own error trap.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "measure/MeasuredLine.h"
#include "measure/MeasuredRecord.h"
#include "measure/PanelTexts.h"
#include "measure/PcLogLine.h"
#include "platform/VbError.h"

#include <QString>

namespace quellin {

// What the handler needs of the main window and the measurement run.
class MeasuredDataHost {
public:
    virtual ~MeasuredDataHost() = default;
    // MnuView_Denryoku ("測定値表示(&D)") carries its check mark.
    virtual bool valuePanelChecked() const = 0;
    // The value panel while it is loaded, else null.
    virtual ValuePanel* valuePanel() = 0;
    // TmrDisp on: the display cycle runs from the first line of a measurement.
    virtual void startDisplayTimer() = 0;
    // A PC log line could not be written: logging has to stop, with a message.
    virtual void pcLogWriteFailed(const QString& reason) = 0;
    // A record could not be appended to TMP.DAT: the measurement has to end.
    virtual void storeAppendFailed(const VbError& error) = 0;
    // The wiring the meter reported when the measurement started (the link's
    // WiringMode).
    virtual int wiringMode() const = 0;
    // A measured-data line has come in (before it is handled).
    virtual void lineArrived() {}
    // The record has been appended to the data set.
    virtual void recordAppended(const DataRecord& record) { (void)record; }
    // The line has been handled; record is what it made.
    virtual void lineDone(const DataRecord& record) { (void)record; }
};

inline const QString kOverflowText = QStringLiteral("演算中にオーバーフローが発生しました。");

// The PC log line's input for the sums in ctx.meas.LogSums over n lines, with the
// time and the not-averaged values of current: the columns chosen for logging
// that the data set has.
PcLogLineInput pcLogLineInput(const Context& ctx, int wiringMode, const DataRecord& current, int n);

// The measured-data handler. Its state lives in ctx (MeasureGlobals); the records
// and the readings go to the current data set.
class MeasuredData : public MeasuredDataSink {
public:
    MeasuredData(Context& ctx, MeasuredDataHost& host);

    void handleMeasuredLine(const QString& rest) override;

private:
    template <class Body> void step(const char* name, Body&& body);
    void storeRecord();
    void writeLogLine(int lines);

    Context& ctx_;
    MeasuredDataHost& host_;
    MeasuredReadings in_;      // the readings of the line being handled
    DataRecord rec_{};         // the record built from them
    bool storeFailed_ = false; // TMP.DAT refused a record in this measurement
    QString logLine_;          // reused for every log line
    PcLogWriter logWriter_;
};

} // namespace quellin
