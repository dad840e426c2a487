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
#include "platform/Tx.h"
#include "platform/VbError.h"

#include <QFile>
#include <QString>
#include <memory>

namespace quellin {

namespace test {
struct MeasureStateAccess; // tests set up states the program could not make
}

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

inline QString overflowText() { return TX("演算中にオーバーフローが発生しました。"); }

// The measured-data handler's running values. The handler changes them with
// every line; the session starts them through the handler's calls below, and
// whoever else needs them reads them const (MeasurementRun::measureState).
struct MeasureState {
    double EnergyTotal = 0;
    double HoursTotal = 0;
    bool FirstSampleSeen = false;
    int StoreCounter = 0;
    DataRecord LogSums{};
    int LogLineCount = 0;
    bool PcLogging = false;           // the lines are summed and logged
    std::unique_ptr<QFile> LogFileNo; // the open PC log file while PcLogging
    long long LinesHandled = 0;       // measured-data lines since the program started
};

// The PC log line's input for the sums in m.LogSums over n lines, with the time
// and the not-averaged values of current: the columns chosen for logging that the
// data set has.
PcLogLineInput pcLogLineInput(const Context& ctx, const MeasureState& m, int wiringMode,
                              const DataRecord& current, int n);

// The measured-data handler. It owns its state (MeasureState); the records and
// the readings go to the current data set.
class MeasuredData : public MeasuredDataSink {
public:
    MeasuredData(Context& ctx, MeasuredDataHost& host);

    void handleMeasuredLine(const QString& rest) override;

    const MeasureState& state() const { return m_; }
    // The start is asked for: the next line is a measurement's first.
    void expectFirstSample() { m_.FirstSampleSeen = false; }
    // KeisokuStart: the totals from zero, the first line stored.
    void beginMeasurement(int logingTime);
    // PC logging starts into file (open, its header written): the sums and the
    // line count from zero, the next period's line logged.
    void beginLog(std::unique_ptr<QFile> file);
    // PC logging stops: the file closed.
    void endLog();

private:
    template <class Body> void step(const char* name, Body&& body);
    void storeRecord();
    void writeLogLine(int lines);

    Context& ctx_;
    friend struct test::MeasureStateAccess;

    MeasuredDataHost& host_;
    MeasureState m_;
    MeasuredReadings in_;      // the readings of the line being handled
    DataRecord rec_{};         // the record built from them
    bool storeFailed_ = false; // TMP.DAT refused a record in this measurement
    QString logLine_;          // reused for every log line
    PcLogWriter logWriter_;
};

} // namespace quellin
