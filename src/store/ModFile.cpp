#include "store/ModFile.h"

#include "platform/VbDate.h"
#include "platform/VbError.h"
#include "store/DataSetInfo.h"
#include "store/TmpDatReader.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace quellin {

namespace {

constexpr int kListSlots = 15; // slot 0 is never filled, slots 1..14 hold the page
constexpr int kListRows = 14;

DataRecord emptySlot()
{
    DataRecord r;
    r.number = -1;
    return r;
}

void checkRange(const Context& ctx, int first, int count)
{
    if (first < 1 || count < 0 || count > ctx.store.RecordCount - first + 1)
        throw VbError(ErrorNumber::BadRecordNumber, QStringLiteral("レコード番号が不正です。"));
}

} // namespace

void ResetStore(Context& ctx)
{
    StoreGlobals& st = ctx.store;
    st.RecordCount = 0;
    st.SampleInterval = 1;
    st.GraphPoints = 0;
    st.ListTop = 1;
    for (int i = 0; i < kListSlots; ++i)
        st.ListPage[i] = emptySlot();
    const int last = std::clamp(ctx.cat.ColumnLast, 0, kMaxColumns - 1);
    st.ColumnPresent.assign(static_cast<size_t>(last) + 1, false);
    st.FirstTime = ctx.svc.clock.now();
    st.LastTime = vbdate::addSeconds(st.FirstTime, 3600);
    st.GraphStart = st.FirstTime;
    st.GraphRecords = {}; // the records of the data set that went
    SetGraphWindow(ctx, 0);
}

void SetGraphWindow(Context& ctx, int k)
{
    StoreGlobals& st = ctx.store;
    const int hani = ctx.app.GraphXHani;
    // Any other range value leaves the window as it is.
    if (hani < 1 || hani > 3)
        return;
    auto shifted = [hani](double t, int steps) {
        switch (hani) {
        case 1:
            return vbdate::addSeconds(t, 60LL * steps);
        case 2:
            return vbdate::addSeconds(t, 3600LL * steps);
        default:
            return vbdate::addDays(t, steps);
        }
    };
    const double c = shifted(st.GraphStart, k);
    // Paging back stops at the first record, paging forward at the last.
    if (k < 0) {
        if (vbdate::secondsBetween(st.FirstTime, c) >= 0)
            st.GraphStart = c;
    } else {
        if (vbdate::secondsBetween(c, st.LastTime) >= 0)
            st.GraphStart = c;
    }
    st.GraphEnd = shifted(st.GraphStart, 1);
}

bool DeleteTmpFile(Context& ctx)
{
    CloseTmp(ctx);
    // The data set's properties go with its records.
    removeDataSetInfo(ctx);
    const QString path = ctx.tmpDatPath();
    if (!QFile::exists(path))
        return true;
    return QFile::remove(path);
}

void OpenTmpForAppend(Context& ctx)
{
    CloseTmp(ctx);
    auto file = std::make_unique<QFile>(ctx.tmpDatPath());
    // Unbuffered: every append reaches the file at once, so readers opening their
    // own handle see it, and a failing write is noticed by the append itself.
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw VbError(ErrorNumber::PathFileAccess,
                      QStringLiteral("一時データファイル (TMP.DAT) を開けません。"));
    // The file is cut behind the records of the current data set (all of it
    // after a reset), so that stale records of an earlier data set can never be
    // read back. A data set whose file lost records keeps only those still there,
    // so that appends never leave a hole of zero-filled records.
    StoreGlobals& st = ctx.store;
    const qint64 held = file->size() / kRecordBytes;
    st.RecordCount = static_cast<int>(std::clamp<qint64>(held, 0, std::max(st.RecordCount, 0)));
    const qint64 keep = static_cast<qint64>(st.RecordCount) * kRecordBytes;
    if (file->size() != keep && !file->resize(keep))
        throw VbError(ErrorNumber::PathFileAccess,
                      QStringLiteral("一時データファイル (TMP.DAT) を初期化できません。"));
    st.TmpFileNo = std::move(file);
}

void CloseTmp(Context& ctx)
{
    if (!ctx.store.TmpFileNo)
        return;
    ctx.store.TmpFileNo->close();
    ctx.store.TmpFileNo.reset();
}

void AppendRecord(Context& ctx, const DataRecord& rec)
{
    AppendRecords(ctx, &rec, 1);
}

void AppendRecords(Context& ctx, const DataRecord* recs, int count)
{
    StoreGlobals& st = ctx.store;
    QFile* file = st.TmpFileNo.get();
    if (!file || !file->isOpen() || !file->isWritable())
        throw VbError(
            ErrorNumber::BadFileNumber,
            QStringLiteral("一時データファイル (TMP.DAT) が書き込み用に開かれていません。"));
    if (count <= 0)
        return;
    if (st.RecordCount < 0 || st.RecordCount > INT_MAX - count)
        throw VbError(ErrorNumber::Overflow, QStringLiteral("記録数が上限を超えました。"));
    const qint64 pos = static_cast<qint64>(st.RecordCount) * kRecordBytes;
    const qint64 bytes = static_cast<qint64>(count) * kRecordBytes;
    // A sequential device (a pipe, /dev/full) has no record positions to seek to.
    bool written = file->isSequential() || file->seek(pos);
    int cause = 0;
    if (written) {
        errno = 0;
        written = file->write(reinterpret_cast<const char*>(recs), bytes) == bytes;
        cause = errno;
        written = written && file->flush();
    }
    if (!written) {
        const bool full = cause == ENOSPC;
        // Partly written records lie behind RecordCount and are never read; the
        // next append overwrites them.
        if (full)
            throw VbError(
                ErrorNumber::DiskFull,
                QStringLiteral(
                    "ディスクの空き容量が不足しているため、計測データを書き込めません。"));
        throw VbError(
            ErrorNumber::FileIo,
            QStringLiteral("計測データを一時データファイル (TMP.DAT) に書き込めません。"));
    }
    st.RecordCount += count;
}

DataRecord ReadRecord(const Context& ctx, int k)
{
    checkRange(ctx, k, 1);
    DataRecord rec;
    TmpDatReader reader(ctx);
    reader.readRecords(k - 1, 1, reinterpret_cast<char*>(&rec));
    return rec;
}

void ReadRecordsInto(const Context& ctx, int first, int count, std::vector<DataRecord>& out)
{
    checkRange(ctx, first, count);
    out.resize(static_cast<size_t>(count));
    if (count == 0)
        return;
    TmpDatReader reader(ctx);
    reader.readRecords(first - 1, count, reinterpret_cast<char*>(out.data()));
}

std::vector<DataRecord> ReadRecords(const Context& ctx, int first, int count)
{
    std::vector<DataRecord> out;
    ReadRecordsInto(ctx, first, count, out);
    return out;
}

std::optional<double> GetColumnValue(const DataRecord& rec, int column)
{
    if (column == 0)
        return static_cast<double>(rec.number);
    if (column >= 1 && column < kMaxColumns)
        return rec.column(column);
    return std::nullopt;
}

void LoadListPage(Context& ctx, int top)
{
    StoreGlobals& st = ctx.store;
    st.ListTop = top;
    // Slots whose record lies outside 1..RecordCount (also for a negative top)
    // are marked empty; the others are read with one read.
    const long long firstRec = std::max<long long>(1LL, static_cast<long long>(top) + 1);
    const long long lastRec =
        std::min<long long>(st.RecordCount, static_cast<long long>(top) + kListRows);
    DataRecord page[kListRows];
    const int count = lastRec >= firstRec ? static_cast<int>(lastRec - firstRec + 1) : 0;
    if (count > 0) {
        TmpDatReader reader(ctx);
        reader.readRecords(static_cast<int>(firstRec - 1), count, reinterpret_cast<char*>(page));
    }
    for (int i = 1; i <= kListRows; ++i) {
        const long long k = static_cast<long long>(top) + i;
        st.ListPage[i] = (k >= firstRec && k <= lastRec) ? page[k - firstRec] : emptySlot();
    }
}

} // namespace quellin
