#include "link/MeasuredData.h"

#include "base/ErrorReport.h"
#include "platform/Format.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

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

const QString kSci = QStringLiteral("0.000E+0");
const QString kOneDecimal = QStringLiteral("0.0");
const QString kWhole = QStringLiteral("0");
const QString kLineCountPattern = QStringLiteral("0000");
const QString kLogTimePattern = QStringLiteral("yyyy/mm/dd hh:mm:ss");
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
        throw VbError(err::kOverflow, QStringLiteral("オーバーフローしました。"));
}

bool flagAt(const std::vector<bool>& flags, int c)
{
    return c >= 0 && static_cast<size_t>(c) < flags.size() && flags[static_cast<size_t>(c)];
}

} // namespace

double HexToSingle(QStringView hex)
{
    if (hex.size() != kHexDigits)
        return 0;
    std::uint32_t bits = 0;
    for (const QChar ch : hex) {
        const int d = hexValue(ch.unicode());
        if (d < 0)
            return 0;
        bits = (bits << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<double>(std::bit_cast<float>(bits));
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
        if (e.number() == err::kOverflow)
            ctx_.svc.status.setPanelText(2, kOverflowText);
        else
            bfErrMSgBox(ctx_, QString::fromLatin1(name), false, e);
    } catch (const std::exception& e) {
        bfErrMSgBox(ctx_, QString::fromLatin1(name), false,
                    VbError(5, QString::fromLocal8Bit(e.what())));
    }
}

void MeasuredData::handleMeasuredLine(const QString& rest)
{
    MeasureGlobals& m = ctx_.meas;
    StoreGlobals& st = ctx_.store;
    const bool v2 = ctx_.app.HardVersion >= 2;
    double apparent = 0;
    double reactive = 0;
    rec_ = DataRecord{};
    in_ = MeasuredReadings{};

    step("HexToSingle", [&] {
        in_ = decodeMeasuredLine(rest, ctx_.app.HardVersion);
        if (in_.overflow)
            throw VbError(err::kOverflow, kOverflowText);
    });
    step("ApparentPower", [&] {
        const double s =
            apparentPower(ctx_.link.WiringMode, in_.voltR, in_.currR, in_.voltT, in_.currT);
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
    rec_.number = st.NextRecordNumber;
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
        st.FirstTime = in_.time;
        st.GraphStart = in_.time;
        host_.startDisplayTimer();
    });
    step("StoreRecord", [&] { storeRecord(); });
    step("ValuePanel", [&] {
        if (!host_.valuePanelChecked())
            return;
        if (ValuePanel* panel = host_.valuePanel())
            refreshPanel(*panel);
    });
    step("LastTime", [&] {
        st.LastTime = in_.time;
        st.TotalEnergy = m.EnergyTotal;
        if (st.PeakWatts < in_.power) {
            st.PeakWatts = in_.power;
            st.PeakTime = in_.time;
        }
    });
}

void MeasuredData::storeRecord()
{
    MeasureGlobals& m = ctx_.meas;
    StoreGlobals& st = ctx_.store;
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
    if (storeFailed_ || st.RecordCount >= kMaxStoredRecords)
        return;
    try {
        AppendRecord(ctx_, rec_);
    } catch (const VbError& e) {
        storeFailed_ = true;
        host_.storeAppendFailed(e);
        return;
    }
    ++st.NextRecordNumber;
}

void MeasuredData::writeLogLine(int lines)
{
    logLine_.resize(0);
    appendLogLine(ctx_, rec_, lines, logLine_);
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
        throw VbError(err::kFileIo, QStringLiteral("ロギングファイルが開かれていません。"));
    // Flushed per line: a crash loses at most the line being written.
    if (file->write(logBytes_) != logBytes_.size() || !file->flush())
        throw VbError(err::kFileIo, file->errorString());
}

QString MeasuredData::buildLogLine(const Context& ctx, const DataRecord& current, int n)
{
    QString out;
    appendLogLine(ctx, current, n, out);
    return out;
}

void MeasuredData::appendLogLine(const Context& ctx, const DataRecord& current, int n, QString& out)
{
    const DataRecord& sums = ctx.meas.LogSums;
    const double lines = n > 0 ? n : 1;
    const auto mean = [&](int c) { return sums.column(c) / lines; };
    const double meanS = apparentPower(ctx.link.WiringMode, mean(2), mean(4), mean(3), mean(5));
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);

    out.reserve(16 * (last + 1));
    bool first = true;
    for (int c = 0; c <= last; ++c) {
        if (!flagAt(ctx.cat.LogColumns, c) || !flagAt(ctx.store.ColumnPresent, c))
            continue;
        if (!first)
            out.append(QLatin1Char(','));
        first = false;
        switch (c) {
        case 0:
            out.append(Format(static_cast<double>(ctx.meas.LogLineCount), kLineCountPattern));
            break;
        case 1:
            out.append(QLatin1Char('"'));
            out.append(Format(current.time(), kLogTimePattern));
            out.append(QLatin1Char('"'));
            break;
        case 7:
            out.append(Format(reactivePower(meanS, mean(6)), kSci));
            break;
        case 8:
            out.append(Format(meanS, kSci));
            break;
        case 9:
            out.append(Format(mean(8) == 0 ? 0.0 : 100 * mean(6) / mean(8), kSci));
            break;
        case 13:
        case 14:
        case 15:
            out.append(Format(current.column(c), kOneDecimal));
            break;
        case 16:
        case 17:
            out.append(Format(current.column(c), kWhole));
            break;
        default: // 2..6, 10..12: means
            out.append(Format(mean(c), kSci));
            break;
        }
    }
}

void MeasuredData::refreshPanel(ValuePanel& panel)
{
    panel.setValue(0, Format(in_.frequency, kOneDecimal));
    panel.setValue(1, Format(in_.time, kPanelTimePattern));
    static const QString kV = QStringLiteral("V");
    static const QString kA = QStringLiteral("A");
    static const QString kW = QStringLiteral("W");
    static const QString kVar = QStringLiteral("Var");
    static const QString kVA = QStringLiteral("VA");
    FormatScaled(panel, 2, in_.voltR, kV);
    FormatScaled(panel, 3, in_.currR, kA);
    if (ctx_.link.WiringMode == 0) {
        for (int item : {4, 5}) {
            panel.setValue(item, QString());
            panel.setUnit(item, QString());
        }
    } else {
        FormatScaled(panel, 4, in_.voltT, kV);
        FormatScaled(panel, 5, in_.currT, kA);
    }
    FormatScaled(panel, 6, in_.power, kW);
    FormatScaled(panel, 7, rec_.column(7), kVar);
    FormatScaled(panel, 8, rec_.column(8), kVA);
    panel.setValue(9, powerFactorText(in_.powerFactor));
    if (ctx_.app.HardVersion >= 2) {
        for (int i = 0; i < 3; ++i)
            panel.setValue(10 + i, Format(in_.leak[i], kOneDecimal));
        for (int i = 0; i < 2; ++i)
            panel.setValue(13 + i, Format(in_.temp[i], kWhole));
    }
}

} // namespace quellin
