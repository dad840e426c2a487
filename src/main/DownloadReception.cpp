#include "main/DownloadReception.h"

#include "base/ErrorReport.h"
#include "link/MeasuredData.h"
#include "main/MeasurementRun.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "store/DataSetInfo.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/GraphScale.h"

#include <climits>
#include <cmath>
#include <limits>

namespace quellin {

namespace {

constexpr int kFieldsV1 = 6;
constexpr int kFieldsV2 = 11;
constexpr int kFirstFieldAt = 4; // 0-based: position 5
constexpr int kFieldStep = 9;
constexpr int kHexDigits = 8;
constexpr int kProgressEvery = 10;

// The fields of a line as singles widened to doubles; false when the line is too
// short or a field is not 8 hexadecimal digits.
bool readFields(QStringView text, int count, double* out)
{
    if (text.size() < kFirstFieldAt + kFieldStep * (count - 1) + kHexDigits)
        return false;
    for (int k = 0; k < count; ++k) {
        const std::optional<double> v =
            singleFromHex(text.mid(kFirstFieldAt + kFieldStep * k, kHexDigits));
        if (!v)
            return false;
        out[k] = *v;
    }
    return true;
}

// What a record holds where its value is missing.
constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

// v when it is a finite number, else 0 (and the line counts as an overflow).
double finite(double v, bool& overflow)
{
    if (std::isfinite(v))
        return v;
    overflow = true;
    return 0;
}

int percentOf(int part, int whole)
{
    if (whole <= 0)
        return 100;
    return static_cast<int>(std::min<long long>(100, 100LL * part / whole));
}

} // namespace

void Download_Recv(Context& ctx, DownloadCounts& d, QStringView text)
{
    DataSet& data = ctx.dataSet();
    const int n = d.RecordCounter;
    if (d.RecordCounter < INT_MAX)
        ++d.RecordCounter;
    // Nothing is stored once TMP.DAT refused a record, nor beyond what the store holds.
    if (!d.StoreError.isEmpty() || data.RecordCount() >= kMaxStoredRecords) {
        ++d.Skipped;
        return;
    }
    const bool v2 = ctx.app.HardVersion >= 2;
    double v[kFieldsV2] = {};
    if (!readFields(text, v2 ? kFieldsV2 : kFieldsV1, v)) {
        ++d.Skipped;
        return;
    }

    // An active power that is not a number is missing, not 0 W: the record keeps
    // it (and the reactive power made from it) as NaN, which the list shows blank
    // and the graph bridges, and the energy is not integrated over it.
    const bool powerMissing = !std::isfinite(v[4]);
    bool overflow = false;
    for (int i = 0; i < kFieldsV2; ++i)
        if (i != 4 || !powerMissing)
            v[i] = finite(v[i], overflow);
    const double voltR = v[0], voltT = v[1], currR = v[2], currT = v[3];
    const double power = powerMissing ? kMissing : v[4];
    const double apparent =
        finite(apparentPower(data.DataWiring(), voltR, currR, voltT, currT), overflow);
    const double reactive =
        powerMissing ? kMissing : finite(reactivePower(apparent, power), overflow);
    const int interval = data.SampleInterval();
    const double time = vbdate::addSeconds(data.FirstTime(), static_cast<long long>(n) * interval);
    const double hours = interval / 3600.0;
    if (powerMissing) {
        ++d.Missing;
    } else {
        d.PowerSum = finite(d.PowerSum + power, overflow);
        const double energy = d.EnergyTotal + hours * power / 1000;
        if (std::isfinite(energy))
            d.EnergyTotal = energy;
        else
            overflow = true;
    }
    d.HoursTotal += hours;

    DataRecord rec;
    rec.number = n;
    rec.setTime(time);
    const double frequency = data.DataFrequency();
    const double columns2to12[] = {voltR,    voltT, currR,     currT,         power,       reactive,
                                   apparent, v[5],  frequency, d.EnergyTotal, d.HoursTotal};
    for (int c = 2; c <= 12; ++c)
        rec.setColumn(c, columns2to12[c - 2]);
    if (v2)
        for (int c = 13; c <= 17; ++c)
            rec.setColumn(c, v[c - 7]);
    try {
        data.AppendRecord(rec);
    } catch (const VbError& e) {
        d.StoreError = e.description();
        ++d.Skipped;
        return;
    }
    ++d.Stored;
    if (overflow) {
        ++d.Overflows;
        ctx.svc.status.setPanelText(2, overflowText());
    }
    data.noteReading(time, d.EnergyTotal, power);
    ctx.graphWindow().GraphEnd = time;
}

bool downloadProgressDue(const DownloadCounts& d)
{
    return d.RecordCounter % kProgressEvery == 0 || d.RecordCounter == d.Announced;
}

QString downloadProgressText(const DownloadCounts& d)
{
    QString text = TX("ダウンロード中です。 %1 / %2 件（%3%）")
                       .arg(d.RecordCounter)
                       .arg(d.Announced)
                       .arg(percentOf(d.RecordCounter, d.Announced));
    if (d.Overflows > 0)
        text += QLatin1Char(' ') + overflowText();
    return text;
}

bool prepareDownloadedDataSet(Context& ctx, const DownloadCounts& d)
{
    if (!d.StoreError.isEmpty() || ctx.dataSet().RecordCount() == 0)
        return false;
    LoadListPage(ctx, 0);
    // A window that holds a good stretch of records: an hour of one-minute
    // records, a day of hourly ones.
    ctx.app.GraphXHani = graphXHaniFor(ctx.dataSet().SampleInterval());
    ctx.graphWindow().GraphSpan = 0;
    SetGraphWindow(ctx, 0);
    LoadGraphWindow(ctx);
    fitUnchosenScales(ctx);
    // From here on the downloaded set survives a crash like a measured one.
    writeDataSetInfo(ctx, DataSetKind::Download);
    return true;
}

QString downloadOutcomeText(const DownloadCounts& d)
{
    QStringList notes;
    if (d.Overflows > 0)
        notes << overflowText();
    if (d.Missing > 0)
        notes << TX("有効電力が読めない%1件は欠測としました。").arg(d.Missing);
    if (d.Skipped > 0)
        notes << TX("読み取れない%1行を除きました。").arg(d.Skipped);
    if (d.Available > d.Announced)
        notes << TX("記録数の上限のため、%1件のうち先頭の%2件を読み込みました。")
                     .arg(d.Available)
                     .arg(d.Announced);
    if (d.RecordCounter < d.Announced)
        notes << TX("%1件のうち%2件を受信しました。")
                     .arg(d.Announced)
                     .arg(d.RecordCounter);
    return notes.join(QLatin1Char(' '));
}

QString discardDownload(Context& ctx, const DownloadCounts& d)
{
    const int received = d.RecordCounter;
    const int announced = d.Announced;
    ctx.dataSet().DeleteTmpFile();
    ResetStore(ctx);
    ctx.app.DataPresent = false;
    if (received == 0)
        return {};
    return TX("ダウンロードは完了していません。受信した%1 / %2 件は破棄しました。")
        .arg(received)
        .arg(announced);
}

DownloadEnd finishDownload(Context& ctx, const DownloadCounts& d)
{
    DownloadEnd end;
    end.ready = trapped(ctx, "DispDownload", false, [&] { return prepareDownloadedDataSet(ctx, d); });
    if (end.ready) {
        ctx.app.DataPresent = true;
        end.statusText = downloadOutcomeText(d);
        return end;
    }
    const QString storeError = d.StoreError;
    const bool nothingStored = d.Stored == 0;
    end.statusText = discardDownload(ctx, d);
    if (!storeError.isEmpty())
        end.message = downloadStoreFailedText() + QStringLiteral("\r\n") + storeError;
    else if (nothingStored)
        end.statusText = nothingDownloadedText();
    return end;
}

} // namespace quellin
