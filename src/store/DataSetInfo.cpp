#include "store/DataSetInfo.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/SafeSave.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace quellin {

namespace {

constexpr int kRecordsPerRead = 4096; // about 570 KB of TMP.DAT per read

QString kindText(DataSetKind kind)
{
    switch (kind) {
    case DataSetKind::File:
        return QStringLiteral("file");
    case DataSetKind::Download:
        return QStringLiteral("download");
    case DataSetKind::Measurement:
        break;
    }
    return QStringLiteral("measurement");
}

std::optional<DataSetKind> kindOf(const QString& text)
{
    if (text == QLatin1String("measurement"))
        return DataSetKind::Measurement;
    if (text == QLatin1String("file"))
        return DataSetKind::File;
    if (text == QLatin1String("download"))
        return DataSetKind::Download;
    return std::nullopt;
}

QString flagsText(const std::vector<bool>& flags)
{
    QString out;
    for (bool f : flags)
        out += f ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

std::optional<std::vector<bool>> flagsOf(const QString& text)
{
    if (text.size() > kMaxColumns)
        return std::nullopt;
    std::vector<bool> out;
    for (QChar c : text) {
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            return std::nullopt;
        out.push_back(c == QLatin1Char('1'));
    }
    return out;
}

std::optional<int> intOf(const QString& text, int lo, int hi)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi)
        return std::nullopt;
    return v;
}

} // namespace

QString dataSetInfoPath(const Context& ctx)
{
    return ctx.app.AppFolder + QStringLiteral("TMP.INF");
}

DataSetInfo currentDataSetInfo(const Context& ctx, DataSetKind kind)
{
    DataSetInfo info;
    info.kind = kind;
    info.hardVersion = ctx.app.HardVersion;
    const DataSet& data = ctx.dataSet();
    info.sampleInterval = data.SampleInterval();
    info.dataWiring = data.DataWiring();
    info.dataFrequency = data.DataFrequency();
    info.columnPresent = data.ColumnPresent();
    info.columnOn = ctx.cat.ColumnOn;
    info.titleLine = data.TitleLine();
    return info;
}

QString formatDataSetInfo(const DataSetInfo& info)
{
    QString titleLine = info.titleLine;
    titleLine.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    QStringList lines;
    lines << QStringLiteral("Kind=") + kindText(info.kind)
          << QStringLiteral("HardVersion=") + QString::number(info.hardVersion)
          << QStringLiteral("SampleInterval=") + QString::number(info.sampleInterval)
          << QStringLiteral("DataWiring=") + QString::number(info.dataWiring)
          << QStringLiteral("DataFrequency=") + QString::number(info.dataFrequency, 'g', 17)
          << QStringLiteral("ColumnPresent=") + flagsText(info.columnPresent)
          << QStringLiteral("ColumnOn=") + flagsText(info.columnOn)
          << QStringLiteral("TitleLine=") + titleLine;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

std::optional<DataSetInfo> parseDataSetInfo(const QString& text)
{
    DataSetInfo info;
    int found = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString name = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (name == QLatin1String("Kind")) {
            const auto kind = kindOf(value);
            if (!kind)
                return std::nullopt;
            info.kind = *kind;
            ++found;
        } else if (name == QLatin1String("HardVersion")) {
            const auto v = intOf(value, 1, 9);
            if (!v)
                return std::nullopt;
            info.hardVersion = *v;
            ++found;
        } else if (name == QLatin1String("SampleInterval")) {
            const auto v = intOf(value, 0, 86400);
            if (!v)
                return std::nullopt;
            info.sampleInterval = *v;
        } else if (name == QLatin1String("DataWiring")) {
            const auto v = intOf(value, -1, 9);
            if (!v)
                return std::nullopt;
            info.dataWiring = *v;
        } else if (name == QLatin1String("DataFrequency")) {
            bool ok = false;
            info.dataFrequency = value.toDouble(&ok);
            if (!ok)
                return std::nullopt;
        } else if (name == QLatin1String("ColumnPresent") || name == QLatin1String("ColumnOn")) {
            const auto flags = flagsOf(value);
            if (!flags)
                return std::nullopt;
            (name == QLatin1String("ColumnOn") ? info.columnOn : info.columnPresent) = *flags;
        } else if (name == QLatin1String("TitleLine")) {
            info.titleLine = value;
        }
    }
    // The kind and the version are what make the file one of ours.
    if (found < 2)
        return std::nullopt;
    return info;
}

bool writeDataSetInfo(const Context& ctx, DataSetKind kind)
{
    CheckedSaveFile file(dataSetInfoPath(ctx));
    if (file.open() && file.write(formatDataSetInfo(currentDataSetInfo(ctx, kind)).toUtf8()) &&
        file.commit())
        return true;
    // The data set itself is fine; what is lost is its recovery after a crash,
    // and the user should know before relying on it.
    ctx.svc.status.setPanelText(2, TX("TMP.INF を書き込めません（%1）。"
                                                  "異常終了すると計測データを復旧できません。")
                                       .arg(file.reason()));
    return false;
}

void removeDataSetInfo(const Context& ctx)
{
    QFile::remove(dataSetInfoPath(ctx));
}

bool recordIsPlausible(const DataRecord& rec)
{
    // 1980-01-01 .. 2100-01-01 as date values: no meter's clock lies outside.
    constexpr double kEarliest = 29221;
    constexpr double kLatest = 73051;
    constexpr double kLargest = 1e15;
    if (rec.number < 0 || !(rec.time() >= kEarliest && rec.time() <= kLatest))
        return false;
    // The record is packed: its fields are read one by one, by value.
    for (int c = 2; c < kMaxColumns; ++c) {
        const double v = rec.column(c);
        if (!std::isfinite(v) || std::fabs(v) > kLargest)
            return false;
    }
    return true;
}

std::optional<LeftoverDataSet> findLeftoverDataSet(const Context& ctx)
{
    const QFileInfo tmp(ctx.tmpDatPath());
    const qint64 records = tmp.exists() ? tmp.size() / kRecordBytes : 0;
    if (records <= 0)
        return std::nullopt;
    LeftoverDataSet leftover;
    leftover.records = static_cast<int>(std::min<qint64>(records, kMaxStoredRecords));
    QFile infoFile(dataSetInfoPath(ctx));
    if (infoFile.exists()) {
        if (infoFile.open(QIODevice::ReadOnly) && infoFile.size() < 64 * 1024)
            leftover.info = parseDataSetInfo(QString::fromUtf8(infoFile.readAll()));
        if (!leftover.info)
            leftover.damage = LeftoverDamage::Properties;
    }
    // Records that no meter could have sent (random bytes, a file cut in the
    // middle of a record's write) are no measurement to offer back.
    QFile tmpFile(ctx.tmpDatPath());
    if (!tmpFile.open(QIODevice::ReadOnly)) {
        leftover.damage = LeftoverDamage::Records;
        return leftover;
    }
    std::vector<char> buffer;
    for (int first = 0; first < leftover.records; first += kRecordsPerRead) {
        const int n = std::min(kRecordsPerRead, leftover.records - first);
        buffer.resize(static_cast<size_t>(n) * kRecordBytes);
        if (tmpFile.read(buffer.data(), static_cast<qint64>(buffer.size())) !=
            static_cast<qint64>(buffer.size())) {
            leftover.damage = LeftoverDamage::Records;
            return leftover;
        }
        for (int i = 0; i < n; ++i) {
            DataRecord rec;
            std::memcpy(&rec, buffer.data() + static_cast<size_t>(i) * kRecordBytes, kRecordBytes);
            if (!recordIsPlausible(rec)) {
                leftover.damage = LeftoverDamage::Records;
                return leftover;
            }
        }
    }
    return leftover;
}

void restoreDataSet(Context& ctx, const LeftoverDataSet& leftover)
{
    const DataSetInfo info = leftover.info.value_or(DataSetInfo{});
    ResetStore(ctx);
    LeftoverProperties left;
    left.records = leftover.records;
    left.columnPresent = info.columnPresent;
    left.sampleInterval = info.sampleInterval;
    left.dataWiring = info.dataWiring;
    left.dataFrequency = info.dataFrequency;
    left.titleLine = info.titleLine;
    DataSet& data = ctx.dataSet();
    data.takeLeftover(left);

    const auto columns =
        static_cast<size_t>(std::clamp(ctx.cat.ColumnLast, 0, kMaxColumns - 1)) + 1;
    ctx.cat.ColumnOn = info.columnOn;
    ctx.cat.ColumnOn.resize(columns, true);

    GraphWindowState& window = ctx.graphWindow();
    window.GraphSpan = 0;
    window.GraphStart = data.FirstTime();
    if (info.kind == DataSetKind::File) {
        window.GraphEnd = data.LastTime(); // as after a load: the whole file
    } else {
        SetGraphWindow(ctx, 0);
    }
    LoadListPage(ctx, 0);
    LoadGraphWindow(ctx);
    ctx.app.DataPresent = true;
}

QString setLeftoverAside(Context& ctx)
{
    constexpr int kAsideNamesPerSecond = 999;
    ctx.dataSet().CloseTmp();
    const QString stamp = Format(ctx.svc.clock.now(), QStringLiteral("yyyymmdd-hhmmss"));
    // Two starts in one second, or a clock set back, meet a name already taken:
    // the earlier leftover keeps it and this one gets a number.
    for (int n = 1; n <= kAsideNamesPerSecond; ++n) {
        const QString target = ctx.app.AppFolder + QStringLiteral("TMP-") + stamp +
                               (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) +
                               QStringLiteral(".DAT");
        if (QFile::exists(target))
            continue;
        if (!QFile::rename(ctx.tmpDatPath(), target))
            return {};
        removeDataSetInfo(ctx);
        return target;
    }
    return {};
}

} // namespace quellin
