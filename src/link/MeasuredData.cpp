#include "link/MeasuredData.h"

#include "base/ErrorReport.h"
#include "store/DataSet.h"

namespace quellin {

PcLogLineInput pcLogLineInput(const Context& ctx, const MeasureState& m, int wiringMode,
                              const DataRecord& current, int n)
{
    PcLogLineInput in;
    in.sums = &m.LogSums;
    in.current = &current;
    in.lines = n;
    in.lineNumber = m.LogLineCount;
    in.wiringMode = wiringMode;
    in.columnLast = ctx.cat.ColumnLast;
    for (int c = 0; c < kMaxColumns; ++c)
        in.logged[static_cast<size_t>(c)] =
            flagAt(ctx.cat.LogColumns, c) && ctx.dataSet().columnPresent(c);
    return in;
}

MeasuredData::MeasuredData(Context& ctx, MeasuredDataHost& host) : ctx_(ctx), host_(host)
{
    logLine_.reserve(256);
}

void MeasuredData::beginMeasurement(int logingTime)
{
    m_.StoreCounter = logingTime;
    m_.EnergyTotal = 0;
    m_.HoursTotal = 0;
}

void MeasuredData::beginLog(std::unique_ptr<QFile> file)
{
    m_.LogFileNo = std::move(file);
    m_.StoreCounter = 0;
    m_.LogSums = DataRecord{};
    m_.LogLineCount = 0;
    m_.PcLogging = true;
}

void MeasuredData::endLog()
{
    m_.PcLogging = false;
    if (m_.LogFileNo)
        m_.LogFileNo->close();
    m_.LogFileNo.reset();
}

// Every step traps its own errors: an overflow shows in status panel 2, any other
// error is reported there under the step's name, and the line goes on.
template <class Body> void MeasuredData::step(const char* name, Body&& body)
{
    try {
        body();
    } catch (const VbError& e) {
        if (e.code() == ErrorNumber::Overflow)
            ctx_.svc.status.setPanelText(2, overflowText());
        else
            bfErrMSgBox(ctx_, QString::fromLatin1(name), false, e);
    } catch (const std::exception& e) {
        bfErrMSgBox(ctx_, QString::fromLatin1(name), false,
                    VbError(ErrorNumber::InvalidCall, QString::fromLocal8Bit(e.what())));
    }
}

void MeasuredData::handleMeasuredLine(const QString& rest)
{
    MeasureState& m = m_;
    DataSet& data = ctx_.dataSet();
    DerivedPower derived;
    rec_ = DataRecord{};
    in_ = MeasuredReadings{};
    host_.lineArrived();
    ++m.LinesHandled;

    step("HexToSingle", [&] {
        in_ = decodeMeasuredLine(rest, ctx_.app.HardVersion);
        if (in_.overflow)
            throw VbError(ErrorNumber::Overflow, overflowText());
    });
    step("ApparentPower", [&] {
        derived.apparent = finiteOrOverflow(
            apparentPower(host_.wiringMode(), in_.voltR, in_.currR, in_.voltT, in_.currT));
    });
    step("ReactivePower",
         [&] { derived.reactive = finiteOrOverflow(reactivePower(derived.apparent, in_.power)); });
    step("EnergyTotal", [&] {
        const PowerTotals totals = addSecond({m.EnergyTotal, m.HoursTotal}, in_.power);
        m.EnergyTotal = totals.energy;
        m.HoursTotal = totals.hours;
    });
    rec_ = measuredRecord(data.NextRecordNumber(), in_, derived, {m.EnergyTotal, m.HoursTotal},
                          ctx_.app.HardVersion);
    step("FirstSample", [&] {
        if (m.FirstSampleSeen)
            return;
        m.FirstSampleSeen = true;
        storeFailed_ = false; // a new measurement may store again
        data.firstSample(in_.time);
        ctx_.graphWindow().GraphStart = in_.time;
        host_.startDisplayTimer();
    });
    step("StoreRecord", [&] { storeRecord(); });
    step("ValuePanel", [&] {
        if (!host_.valuePanelChecked())
            return;
        if (ValuePanel* panel = host_.valuePanel())
            showPanelTexts(*panel, panelTexts(rec_, host_.wiringMode(), ctx_.app.HardVersion));
    });
    step("LastTime", [&] { data.noteReading(in_.time, m.EnergyTotal, in_.power); });
    host_.lineDone(rec_);
}

void MeasuredData::storeRecord()
{
    MeasureState& m = m_;
    DataSet& data = ctx_.dataSet();
    const bool logging = m.PcLogging;
    if (logging) {
        for (int c = 2; c <= 12; ++c)
            if (c != 9)
                m.LogSums.setColumn(c, m.LogSums.column(c) + rec_.column(c));
    }
    ++m.StoreCounter;
    if (m.StoreCounter < ctx_.app.LogingTime)
        return;
    const int lines = m.StoreCounter; // LogingTime, the lines summed since the last log line
    m.StoreCounter = 0;
    if (logging) {
        try {
            writeLogLine(lines);
        } catch (const VbError& e) {
            host_.pcLogWriteFailed(e.description());
        }
        ++m.LogLineCount;
        m.LogSums = DataRecord{};
    }
    if (storeFailed_ || data.RecordCount() >= kMaxStoredRecords)
        return;
    try {
        data.appendMeasuredRecord(rec_);
    } catch (const VbError& e) {
        storeFailed_ = true;
        host_.storeAppendFailed(e);
        return;
    }
    host_.recordAppended(rec_);
}

void MeasuredData::writeLogLine(int lines)
{
    logLine_.resize(0);
    appendPcLogLine(pcLogLineInput(ctx_, m_, host_.wiringMode(), rec_, lines), logLine_);
    logWriter_.write(m_.LogFileNo.get(), logLine_);
}

} // namespace quellin
