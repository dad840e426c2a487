#include "store/DataSet.h"

#include "base/MeasuredItems.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "platform/VbError.h"
#include "store/RecordReader.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace quellin {

namespace {

constexpr double kPeakAtStart = -9999.9;

DataRecord emptyRow()
{
    DataRecord r;
    r.number = -1;
    return r;
}

size_t columnsOf(int columnLast)
{
    return static_cast<size_t>(std::clamp(columnLast, 0, kMaxColumns - 1)) + 1;
}

// Every column of the catalogue but voltage and current T in single-phase
// two-wire wiring, which has no T phase.
std::vector<bool> columnsOfWiring(int wiring, int columnLast)
{
    std::vector<bool> present(columnsOf(columnLast), true);
    if (wiring == 0 && present.size() > 5)
        present[3] = present[5] = false;
    return present;
}

[[noreturn]] void throwNotOpen()
{
    throw VbError(ErrorNumber::BadFileNumber,
                  TX("一時データファイル (TMP.DAT) が書き込み用に開かれていません。"));
}

} // namespace

DataSet::DataSet() = default;
DataSet::DataSet(DataSet&&) noexcept = default;
DataSet& DataSet::operator=(DataSet&&) noexcept = default;
DataSet::~DataSet() = default;

DataSet DataSet::inMemory()
{
    DataSet data;
    data.inMemory_ = true;
    // Nothing came before it whose wiring a file without a wiring line could
    // keep: until one names it, the wiring is not known.
    data.p_.DataWiring = -1;
    return data;
}

void DataSet::setFolder(const QString& folder)
{
    folder_ = folder;
}

QString DataSet::tmpDatPath() const
{
    return folder_ + QStringLiteral("TMP.DAT");
}

bool DataSet::isOpenForAppend() const
{
    if (inMemory_)
        return memoryOpen_;
    return TmpFileNo && TmpFileNo->isOpen();
}

// ---------------------------------------------------------------------------------
// Changes

void DataSet::fitColumns(int columnLast)
{
    p_.ColumnPresent.assign(columnsOf(columnLast), false);
}

void DataSet::ResetStore(double now, int columnLast)
{
    p_.RecordCount = 0;
    p_.SampleInterval = 1;
    p_.ColumnPresent.assign(columnsOf(columnLast), false);
    p_.FirstTime = now;
    p_.LastTime = vbdate::addSeconds(now, 3600);
    graphRecords_ = {}; // the records of the data set that went
}

void DataSet::beginMeasurement(double now, int wiring, int sampleInterval, int columnLast)
{
    p_.ColumnPresent = columnsOfWiring(wiring, columnLast);
    p_.DataFrequency = 0;
    p_.DataWiring = wiring;
    p_.FirstTime = now;
    p_.PeakWatts = kPeakAtStart;
    p_.PeakTime = now;
    p_.SampleInterval = sampleInterval;
    p_.NextRecordNumber = 0;
    // A measurement is a new data set: its records start at position 1 whatever
    // count an earlier data set left behind.
    p_.RecordCount = 0;
}

void DataSet::firstSample(double time)
{
    p_.FirstTime = time;
}

void DataSet::noteReading(double time, double energy, double watts)
{
    p_.LastTime = time;
    p_.TotalEnergy = energy;
    if (p_.PeakWatts < watts) {
        p_.PeakWatts = watts;
        p_.PeakTime = time;
    }
}

void DataSet::beginDownload(const DownloadStart& start)
{
    // The download replaces the data set: its records start at position 1.
    p_.RecordCount = 0;
    p_.NextRecordNumber = 0;
    OpenTmpForAppend();
    p_.ColumnPresent = columnsOfWiring(start.wiring, start.columnLast);
    p_.SampleInterval = start.sampleInterval;
    p_.FirstTime = start.firstTime;
    p_.LastTime = start.firstTime;
    p_.DataFrequency = start.frequency;
    p_.DataWiring = start.wiring;
    p_.PeakWatts = kPeakAtStart;
    p_.PeakTime = start.firstTime;
    p_.TotalEnergy = 0;
}

void DataSet::takeLoadedFile(const DataFileProperties& file)
{
    if (file.wiring)
        p_.DataWiring = *file.wiring;
    p_.TitleLine = file.titleLine;
    p_.ColumnPresent = file.columnPresent;
    p_.PeakWatts = file.peakWatts;
    p_.PeakTime = file.peakTime;
    p_.FirstTime = file.firstTime;
    p_.SampleInterval = file.sampleInterval;
    p_.LastTime = file.lastTime;
    p_.TotalEnergy = file.totalEnergy;
}

void DataSet::appendDataSet(const DataSet& other)
{
    constexpr int kRecordsPerWrite = 4096;
    const int before = p_.RecordCount;
    const bool wasOpen = isOpenForAppend();
    if (!wasOpen)
        OpenTmpForAppend();
    try {
        // On from the number of the last record, as the file numbered them.
        int number = before >= 1 ? ReadRecord(before).number + 1 : 1;
        for (int k = 1; k <= other.RecordCount(); k += kRecordsPerWrite) {
            std::vector<DataRecord> recs =
                other.ReadRecords(k, std::min(kRecordsPerWrite, other.RecordCount() - k + 1));
            for (DataRecord& r : recs)
                r.number = number++;
            AppendRecords(recs.data(), static_cast<int>(recs.size()));
        }
        p_.NextRecordNumber = number;
    } catch (...) {
        // Nothing of the other data set stays behind RecordCount.
        p_.RecordCount = before;
        if (!wasOpen)
            CloseTmp();
        throw;
    }
    if (!wasOpen)
        CloseTmp();
    p_.LastTime = other.LastTime();
    p_.TotalEnergy += other.TotalEnergy();
    if (other.PeakWatts() > p_.PeakWatts) {
        p_.PeakWatts = other.PeakWatts();
        p_.PeakTime = other.PeakTime();
    }
}

void DataSet::restoreWiringAndTitle(int wiring, const QString& titleLine)
{
    p_.DataWiring = wiring;
    p_.TitleLine = titleLine;
}

void DataSet::takeLeftover(const LeftoverProperties& leftover)
{
    constexpr int kRecordsPerRead = 4096;
    const size_t columns = p_.ColumnPresent.size(); // the catalogue's, after ResetStore
    p_.RecordCount = leftover.records;

    // Times, peak and energy come from the records themselves: they are what the
    // data set held when the program ended.
    RecordReader reader(*this);
    std::vector<char> buffer;
    p_.PeakWatts = kPeakAtStart;
    for (int first = 0; first < p_.RecordCount; first += kRecordsPerRead) {
        const int n = std::min(kRecordsPerRead, p_.RecordCount - first);
        buffer.resize(static_cast<size_t>(n) * kRecordBytes);
        reader.readRecords(first, n, buffer.data());
        for (int i = 0; i < n; ++i) {
            DataRecord rec;
            std::memcpy(&rec, buffer.data() + static_cast<size_t>(i) * kRecordBytes, kRecordBytes);
            if (first + i == 0)
                p_.FirstTime = rec.time();
            const double watts = rec.column(column::kActivePower);
            if (watts > p_.PeakWatts) {
                p_.PeakWatts = watts;
                p_.PeakTime = rec.time();
            }
            p_.LastTime = rec.time();
            p_.TotalEnergy = rec.column(column::kEnergy);
            p_.NextRecordNumber = rec.number + 1;
        }
    }

    p_.ColumnPresent = leftover.columnPresent;
    p_.ColumnPresent.resize(columns, false);
    p_.SampleInterval = leftover.sampleInterval;
    p_.DataWiring = leftover.dataWiring;
    p_.DataFrequency = leftover.dataFrequency;
    p_.TitleLine = leftover.titleLine;
}

// ---------------------------------------------------------------------------------
// TMP.DAT

bool DataSet::DeleteTmpFile()
{
    CloseTmp();
    if (inMemory_) {
        memory_.clear();
        return true;
    }
    // The data set's properties go with its records.
    QFile::remove(folder_ + QStringLiteral("TMP.INF"));
    const QString path = tmpDatPath();
    if (!QFile::exists(path))
        return true;
    return QFile::remove(path);
}

void DataSet::OpenTmpForAppend()
{
    CloseTmp();
    if (inMemory_) {
        const auto held = static_cast<qint64>(memory_.size());
        p_.RecordCount = static_cast<int>(std::clamp<qint64>(held, 0, std::max(p_.RecordCount, 0)));
        memory_.resize(static_cast<size_t>(p_.RecordCount));
        memoryOpen_ = true;
        return;
    }
    auto file = std::make_unique<QFile>(tmpDatPath());
    // Unbuffered: every append reaches the file at once, so readers opening their
    // own handle see it, and a failing write is noticed by the append itself.
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw VbError(ErrorNumber::PathFileAccess,
                      TX("一時データファイル (TMP.DAT) を開けません。"));
    // The file is cut behind the records of the current data set (all of it
    // after a reset), so that stale records of an earlier data set can never be
    // read back. A data set whose file lost records keeps only those still there,
    // so that appends never leave a hole of zero-filled records.
    const qint64 held = file->size() / kRecordBytes;
    p_.RecordCount = static_cast<int>(std::clamp<qint64>(held, 0, std::max(p_.RecordCount, 0)));
    const qint64 keep = static_cast<qint64>(p_.RecordCount) * kRecordBytes;
    if (file->size() != keep && !file->resize(keep))
        throw VbError(ErrorNumber::PathFileAccess,
                      TX("一時データファイル (TMP.DAT) を初期化できません。"));
    TmpFileNo = std::move(file);
}

void DataSet::CloseTmp()
{
    memoryOpen_ = false;
    if (!TmpFileNo)
        return;
    TmpFileNo->close();
    TmpFileNo.reset();
}

void DataSet::AppendRecord(const DataRecord& rec)
{
    AppendRecords(&rec, 1);
}

void DataSet::appendMeasuredRecord(const DataRecord& rec)
{
    AppendRecords(&rec, 1);
    ++p_.NextRecordNumber;
}

void DataSet::AppendRecords(const DataRecord* recs, int count)
{
    QFile* file = TmpFileNo.get();
    if (inMemory_ ? !memoryOpen_ : (!file || !file->isOpen() || !file->isWritable()))
        throwNotOpen();
    if (count <= 0)
        return;
    if (p_.RecordCount < 0 || p_.RecordCount > INT_MAX - count)
        throw VbError(ErrorNumber::Overflow, TX("記録数が上限を超えました。"));
    if (inMemory_) {
        memory_.resize(static_cast<size_t>(p_.RecordCount));
        memory_.insert(memory_.end(), recs, recs + count);
        p_.RecordCount += count;
        return;
    }
    const qint64 pos = static_cast<qint64>(p_.RecordCount) * kRecordBytes;
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
                TX(
                    "ディスクの空き容量が不足しているため、計測データを書き込めません。"));
        throw VbError(
            ErrorNumber::FileIo,
            TX("計測データを一時データファイル (TMP.DAT) に書き込めません。"));
    }
    p_.RecordCount += count;
}

// ---------------------------------------------------------------------------------
// Reading

void DataSet::checkRange(int first, int count) const
{
    if (first < 1 || count < 0 || count > p_.RecordCount - first + 1)
        throw VbError(ErrorNumber::BadRecordNumber, TX("レコード番号が不正です。"));
}

DataRecord DataSet::ReadRecord(int k) const
{
    checkRange(k, 1);
    DataRecord rec;
    RecordReader reader(*this);
    reader.readRecords(k - 1, 1, reinterpret_cast<char*>(&rec));
    return rec;
}

void DataSet::ReadRecordsInto(int first, int count, std::vector<DataRecord>& out) const
{
    checkRange(first, count);
    out.resize(static_cast<size_t>(count));
    if (count == 0)
        return;
    RecordReader reader(*this);
    reader.readRecords(first - 1, count, reinterpret_cast<char*>(out.data()));
}

std::vector<DataRecord> DataSet::ReadRecords(int first, int count) const
{
    std::vector<DataRecord> out;
    ReadRecordsInto(first, count, out);
    return out;
}

void DataSet::LoadListPage(ListPage& page, int top) const
{
    page.ListTop = top;
    // Rows whose record lies outside 1..RecordCount (also for a negative top)
    // are marked empty; the others are read with one read.
    const int rows = page.rowCount();
    const long long firstRec = std::max<long long>(1LL, static_cast<long long>(top) + 1);
    const long long lastRec =
        std::min<long long>(p_.RecordCount, static_cast<long long>(top) + rows);
    const int count = lastRec >= firstRec ? static_cast<int>(lastRec - firstRec + 1) : 0;
    // The records lie one after another in the page's rows: one read puts them there.
    if (count > 0) {
        RecordReader reader(*this);
        reader.readRecords(static_cast<int>(firstRec - 1), count,
                           reinterpret_cast<char*>(&page.Rows[static_cast<size_t>(
                               firstRec - static_cast<long long>(top))]));
    }
    for (int i = 1; i <= rows; ++i) {
        const long long k = static_cast<long long>(top) + i;
        if (k < firstRec || k > lastRec)
            page.Rows[static_cast<size_t>(i)] = emptyRow();
    }
}

void DataSet::SetGraphWindow(GraphWindowState& window, int k, int graphXHani) const
{
    const int hani = graphXHani;
    const long long span = window.GraphSpan;
    // Any other range value leaves the window as it is.
    if (span <= 0 && (hani < 1 || hani > 3))
        return;
    auto shifted = [hani, span](double t, int steps) {
        if (span > 0)
            return vbdate::addSeconds(t, span * steps);
        switch (hani) {
        case 1:
            return vbdate::addSeconds(t, 60LL * steps);
        case 2:
            return vbdate::addSeconds(t, 3600LL * steps);
        default:
            return vbdate::addDays(t, steps);
        }
    };
    const double c = shifted(window.GraphStart, k);
    // Paging back stops at the first record, paging forward at the last.
    if (k < 0) {
        if (vbdate::secondsBetween(p_.FirstTime, c) >= 0)
            window.GraphStart = c;
    } else {
        if (vbdate::secondsBetween(c, p_.LastTime) >= 0)
            window.GraphStart = c;
    }
    window.GraphEnd = shifted(window.GraphStart, 1);
}

} // namespace quellin
