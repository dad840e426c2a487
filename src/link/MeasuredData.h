#pragma once
// The measured-data line: the only place where live readings enter the program.
//
// The line after "RML" (positions from 1):
//
//   1..4   not read          41  active power (W)        88  leakage current 1 (mA)  ┐
//   5      voltage R (V)     50  power factor (%)        97  leakage current 2 (mA)  │ version 2
//   14     voltage T (V)     59  frequency (Hz)         106  leakage current 3 (mA)  │ and later
//   23     current R (A)     68  time "yyyy/mm/dd hh:mm:ss"  115  temperature 1      │
//   32     current T (A)         (v1: to the end; v2: 19)   124  temperature 2      ┘
//
// Each reading is 8 hexadecimal digits, an IEEE-754 single with its most
// significant byte first; one unread character separates the fields.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "platform/VbError.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace quellin {

// 8 hexadecimal digits (either case), most significant byte first, read as an
// IEEE-754 single; nullopt for anything that is not exactly 8 hexadecimal digits.
std::optional<double> singleFromHex(QStringView hex);
// The same, with 0 for anything else (the measured-data line's reading).
double HexToSingle(QStringView hex);

// The readings of one line (or the values derived from them).
struct MeasuredReadings {
    double voltR = 0;
    double voltT = 0;
    double currR = 0;
    double currT = 0;
    double power = 0;
    double powerFactor = 0;
    double frequency = 0;
    double time = 0; // day 0 when the time field is not a date
    double leak[3] = {};
    double temp[2] = {};
    bool overflow = false; // a reading was not a finite number (it reads as 0)
};

// Decodes the line without "RML" for the given hardware version (1: the time is the
// rest of the line and there are no further readings). Never throws.
MeasuredReadings decodeMeasuredLine(QStringView rest, int hardVersion);

// Apparent power by wiring mode (0 single-phase 2-wire, 1 single-phase 3-wire,
// 2 three-phase 3-wire); any other mode gives 0.
double apparentPower(int wiringMode, double voltR, double currR, double voltT, double currT);
// Reactive power from apparent and active power: √|S² − P²|.
double reactivePower(double apparent, double active);

// LblValue / LblTani of the measured-values panel, indexed by item 0..14.
class ValuePanel {
public:
    virtual ~ValuePanel() = default;
    virtual void setValue(int item, const QString& text) = 0;
    virtual void setUnit(int item, const QString& text) = 0;
};

// The value with its decimal prefix as the panel shows it.
struct ScaledValue {
    QString value;
    QString unit;
};
ScaledValue scaledValue(double v, const QString& baseUnit);
// Writes scaledValue(v, baseUnit) into the panel's value and unit labels of item.
void FormatScaled(ValuePanel& panel, int item, double v, const QString& baseUnit);

// Power factor as the panel shows it: "0.000", a blank after a value ≥ 0, at most 6
// characters.
QString powerFactorText(double pf);

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
    // The line has been handled; record is what it made.
    virtual void lineHandled(const DataRecord& record) { (void)record; }
};

inline const QString kOverflowText = QStringLiteral("演算中にオーバーフローが発生しました。");

// The measured-data handler. Its state lives in ctx (MeasureGlobals); the records
// and the readings go to the current data set.
class MeasuredData : public MeasuredDataSink {
public:
    MeasuredData(Context& ctx, MeasuredDataHost& host);

    void handleMeasuredLine(const QString& rest) override;

    // The PC log line for the sums in ctx.meas.LogSums over n lines, with the time
    // and the not-averaged values (leakage, temperature) of the current record.
    // Fields are joined by ","; no line end.
    static QString buildLogLine(const Context& ctx, int wiringMode, const DataRecord& current,
                                int n);
    static void appendLogLine(const Context& ctx, int wiringMode, const DataRecord& current, int n,
                              QString& out);

private:
    template <class Body> void step(const char* name, Body&& body);
    void storeRecord();
    void writeLogLine(int lines);
    void refreshPanel(ValuePanel& panel);

    Context& ctx_;
    MeasuredDataHost& host_;
    MeasuredReadings in_;      // the readings of the line being handled
    DataRecord rec_{};         // the record built from them
    bool storeFailed_ = false; // TMP.DAT refused a record in this measurement
    QString logLine_;          // reused for every log line
    QByteArray logBytes_;
};

} // namespace quellin
