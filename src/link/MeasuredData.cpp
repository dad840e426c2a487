#include "link/MeasuredData.h"

#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/VbDate.h"
#include "store/DataSet.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace quellin {

namespace {

// Field starts (0-based in the text after "RML") and the time field.
constexpr int kReadingAt[7] = {4, 13, 22, 31, 40, 49, 58};
constexpr int kTimeAt = 67;
constexpr int kTimeLengthV2 = 19;
constexpr int kExtraAt[5] = {87, 96, 105, 114, 123};
constexpr int kHexDigits = 8;

const QString kOneDecimal = QStringLiteral("0.0");
const QString kWhole = QStringLiteral("0");
const QString kPanelTimePattern = QStringLiteral("mm/dd hh:mm:ss");

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

QStringView field(QStringView rest, int at, int width)
{
    if (at >= rest.size())
        return {};
    return rest.mid(at, std::min<qsizetype>(width, rest.size() - at));
}

// A reading that is not a finite number is an overflow of the meter's value; it
// reads as 0 so that no infinity or NaN reaches a record, a sum or a file.
double reading(QStringView rest, int at, bool& overflow)
{
    const double v = HexToSingle(field(rest, at, kHexDigits));
    if (!std::isfinite(v)) {
        overflow = true;
        return 0;
    }
    return v;
}

void requireFinite(double v)
{
    if (!std::isfinite(v))
        throw VbError(ErrorNumber::Overflow, QStringLiteral("オーバーフローしました。"));
}

} // namespace

std::optional<double> singleFromHex(QStringView hex)
{
    if (hex.size() != kHexDigits)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (const QChar ch : hex) {
        const int d = hexValue(ch.unicode());
        if (d < 0)
            return std::nullopt;
        bits = (bits << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<double>(std::bit_cast<float>(bits));
}

double HexToSingle(QStringView hex)
{
    return singleFromHex(hex).value_or(0);
}

MeasuredReadings decodeMeasuredLine(QStringView rest, int hardVersion)
{
    MeasuredReadings r;
    double* const seven[7] = {&r.voltR, &r.voltT,       &r.currR,    &r.currT,
                              &r.power, &r.powerFactor, &r.frequency};
    for (int i = 0; i < 7; ++i)
        *seven[i] = reading(rest, kReadingAt[i], r.overflow);

    const bool v2 = hardVersion >= 2;
    const QStringView timeText =
        v2 ? field(rest, kTimeAt, kTimeLengthV2) : field(rest, kTimeAt, rest.size());
    if (const auto t = vbdate::parse(timeText))
        r.time = *t;
    if (v2) {
        for (int i = 0; i < 3; ++i)
            r.leak[i] = reading(rest, kExtraAt[i], r.overflow);
        for (int i = 0; i < 2; ++i)
            r.temp[i] = reading(rest, kExtraAt[3 + i], r.overflow);
    }
    return r;
}

double apparentPower(int wiringMode, double voltR, double currR, double voltT, double currT)
{
    switch (wiringMode) {
    case 0:
        return voltR * currR;
    case 1:
        return voltR * currR + voltT * currT;
    case 2:
        return (voltR * currR + voltT * currT) * std::sqrt(3.0) / 2;
    default:
        return 0;
    }
}

double reactivePower(double apparent, double active)
{
    return std::sqrt(std::fabs(apparent * apparent - active * active));
}

ScaledValue scaledValue(double v, const QString& baseUnit)
{
    int d = 0;
    double limit = 10;
    while (d <= 11 && std::fabs(v) >= limit) {
        limit *= 10;
        ++d;
    }
    ScaledValue out;
    if (d <= 2) {
        out.unit = baseUnit;
    } else if (d <= 5) {
        v /= 1000;
        out.unit = QLatin1Char('K') + baseUnit;
    } else if (d <= 8) {
        v /= 1000000;
        out.unit = QLatin1Char('M') + baseUnit;
    } else {
        v /= 1000000000;
        out.unit = QLatin1Char('G') + baseUnit;
    }
    static const QString kPatterns[3] = {QStringLiteral("0.000"), QStringLiteral("0.00"),
                                         QStringLiteral("0.0")};
    out.value = Format(v, d > 11 ? kWhole : kPatterns[d % 3]);
    return out;
}

void FormatScaled(ValuePanel& panel, int item, double v, const QString& baseUnit)
{
    const ScaledValue s = scaledValue(v, baseUnit);
    panel.setValue(item, s.value);
    panel.setUnit(item, s.unit);
}

QString powerFactorText(double pf)
{
    QString text = Format(pf, QStringLiteral("0.000"));
    if (pf >= 0)
        text.append(QLatin1Char(' '));
    text.truncate(6);
    return text;
}

MeasuredData::MeasuredData(Context& ctx, MeasuredDataHost& host) : ctx_(ctx), host_(host)
{
    logBytes_.reserve(256);
    logLine_.reserve(256);
}

// Every step traps its own errors: an overflow shows in status panel 2, any other
// error is reported there under the step's name, and the line goes on.
template <class Body> void MeasuredData::step(const char* name, Body&& body)
{
    try {
        body();
    } catch (const VbError& e) {
        if (e.code() == ErrorNumber::Overflow)
            ctx_.svc.status.setPanelText(2, kOverflowText);
        else
            bfErrMSgBox(ctx_, QString::fromLatin1(name), false, e);
    } catch (const std::exception& e) {
        bfErrMSgBox(ctx_, QString::fromLatin1(name), false,
                    VbError(ErrorNumber::InvalidCall, QString::fromLocal8Bit(e.what())));
    }
}

void MeasuredData::handleMeasuredLine(const QString& rest)
{
    MeasureGlobals& m = ctx_.meas;
    DataSet& data = ctx_.dataSet();
    const bool v2 = ctx_.app.HardVersion >= 2;
    double apparent = 0;
    double reactive = 0;
    rec_ = DataRecord{};
    in_ = MeasuredReadings{};
    host_.lineArrived();
    ++m.LinesHandled;

    step("HexToSingle", [&] {
        in_ = decodeMeasuredLine(rest, ctx_.app.HardVersion);
        if (in_.overflow)
            throw VbError(ErrorNumber::Overflow, kOverflowText);
    });
    step("ApparentPower", [&] {
        const double s =
            apparentPower(host_.wiringMode(), in_.voltR, in_.currR, in_.voltT, in_.currT);
        requireFinite(s);
        apparent = s;
    });
    step("ReactivePower", [&] {
        const double q = reactivePower(apparent, in_.power);
        requireFinite(q);
        reactive = q;
    });
    step("EnergyTotal", [&] {
        const double energy = m.EnergyTotal + in_.power / 3600 / 1000;
        requireFinite(energy);
        m.EnergyTotal = energy;
        m.HoursTotal += 1.0 / 3600;
    });
    rec_.number = data.NextRecordNumber();
    rec_.setTime(in_.time);
    const double columns2to12[] = {in_.voltR,     in_.voltT,     in_.currR,   in_.currT,
                                   in_.power,     reactive,      apparent,    in_.powerFactor,
                                   in_.frequency, m.EnergyTotal, m.HoursTotal};
    for (int c = 2; c <= 12; ++c)
        rec_.setColumn(c, columns2to12[c - 2]);
    if (v2) {
        for (int i = 0; i < 3; ++i)
            rec_.setColumn(13 + i, in_.leak[i]);
        for (int i = 0; i < 2; ++i)
            rec_.setColumn(16 + i, in_.temp[i]);
    }
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
            refreshPanel(*panel);
    });
    step("LastTime", [&] { data.noteReading(in_.time, m.EnergyTotal, in_.power); });
    host_.lineHandled(rec_);
}

void MeasuredData::storeRecord()
{
    MeasureGlobals& m = ctx_.meas;
    DataSet& data = ctx_.dataSet();
    const bool logging = ctx_.app.PcLogging;
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
    }
}

void MeasuredData::writeLogLine(int lines)
{
    logLine_.resize(0);
    appendLogLine(ctx_, host_.wiringMode(), rec_, lines, logLine_);
    // The line is ASCII (digits, signs, quotes); it goes out as it is, with CR LF.
    const qsizetype n = logLine_.size();
    logBytes_.resize(n + 2);
    const QChar* from = logLine_.constData();
    char* to = logBytes_.data();
    for (qsizetype i = 0; i < n; ++i)
        to[i] = from[i].unicode() < 0x80 ? static_cast<char>(from[i].unicode()) : '?';
    to[n] = '\r';
    to[n + 1] = '\n';
    QFile* file = ctx_.meas.LogFileNo.get();
    if (!file || !file->isOpen())
        throw VbError(ErrorNumber::FileIo, QStringLiteral("ロギングファイルが開かれていません。"));
    // Flushed per line: a crash loses at most the line being written.
    if (file->write(logBytes_) != logBytes_.size() || !file->flush())
        throw VbError(ErrorNumber::FileIo, file->errorString());
}

QString MeasuredData::buildLogLine(const Context& ctx, int wiringMode, const DataRecord& current,
                                   int n)
{
    QString out;
    appendLogLine(ctx, wiringMode, current, n, out);
    return out;
}

void MeasuredData::appendLogLine(const Context& ctx, int wiringMode, const DataRecord& current,
                                 int n, QString& out)
{
    const DataRecord& sums = ctx.meas.LogSums;
    const double lines = n > 0 ? n : 1;
    const auto mean = [&](int c) { return sums.column(c) / lines; };
    const double meanS = apparentPower(wiringMode, mean(2), mean(4), mean(3), mean(5));
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);

    out.reserve(16 * (last + 1));
    bool first = true;
    for (int c = 0; c <= last; ++c) {
        if (!flagAt(ctx.cat.LogColumns, c) || !ctx.dataSet().columnPresent(c))
            continue;
        if (!first)
            out.append(QLatin1Char(','));
        first = false;
        const MeasuredItem& item = measuredItem(c);
        double value = 0;
        switch (c) {
        case column::kNumber:
            value = ctx.meas.LogLineCount;
            break;
        case column::kTime:
            out.append(QLatin1Char('"'));
            out.append(Format(current.time(), fieldPattern(item.fileFormat)));
            out.append(QLatin1Char('"'));
            continue;
        case column::kReactivePower:
            value = reactivePower(meanS, mean(column::kActivePower));
            break;
        case column::kApparentPower:
            value = meanS;
            break;
        case column::kPowerFactor:
            value = mean(column::kApparentPower) == 0
                        ? 0.0
                        : 100 * mean(column::kActivePower) / mean(column::kApparentPower);
            break;
        default:
            // Leakage currents and temperatures are logged as they are, not averaged.
            value = (item.kind == SeriesKind::Leakage || item.kind == SeriesKind::Temperature)
                        ? current.column(c)
                        : mean(c);
            break;
        }
        out.append(Format(value, fieldPattern(item.fileFormat)));
    }
}

void MeasuredData::refreshPanel(ValuePanel& panel)
{
    // The units of the scaled items, made once (this runs for every line).
    static const std::array<QString, kMaxColumns> units = [] {
        std::array<QString, kMaxColumns> out;
        for (int c = 0; c < kMaxColumns; ++c)
            out[static_cast<size_t>(c)] = toQString(measuredItem(c).unit);
        return out;
    }();
    const bool singlePhaseTwoWire = host_.wiringMode() == 0;
    for (int c = 0; c < kMaxColumns; ++c) {
        const MeasuredItem& item = measuredItem(c);
        const int slot = item.panelItem;
        if (slot < 0 || item.firstVersion > ctx_.app.HardVersion)
            continue;
        const double v = rec_.column(c);
        if (c == column::kTime) {
            panel.setValue(slot, Format(v, kPanelTimePattern));
        } else if (c == column::kPowerFactor) {
            panel.setValue(slot, powerFactorText(v));
        } else if (item.decimalPrefix) {
            // A two-wire line has no T phase.
            if (singlePhaseTwoWire && (c == column::kVoltT || c == column::kCurrT)) {
                panel.setValue(slot, QString());
                panel.setUnit(slot, QString());
            } else {
                FormatScaled(panel, slot, v, units[static_cast<size_t>(c)]);
            }
        } else {
            panel.setValue(slot,
                           Format(v, item.kind == SeriesKind::Temperature ? kWhole : kOneDecimal));
        }
    }
}

} // namespace quellin
