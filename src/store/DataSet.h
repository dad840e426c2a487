#pragma once
// The data set: its records and the properties that describe them. Only the
// data set changes its properties, each change a named event (a reset, the
// start of a measurement or download, a reading, an append, a loaded file);
// everyone else reads them through the const accessors.
//
// The current data set keeps its records in TMP.DAT of the program's folder:
// record k (1-based) at bytes (k − 1) × 140 .. k × 140 − 1; only records
// 1..RecordCount belong to it. The writer's handle (TmpFileNo) is unbuffered;
// every reading routine opens its own handle, reads what it needs with one read
// and closes it again, so it sees every record appended before it runs.
//
// A data set read from a data file beside the current one (to compare two days,
// to report over one) keeps its records in memory instead (at most 32,768 of 140
// bytes, 4.6 MB): it never touches TMP.DAT, TMP.INF or the current data set.

#include "base/Context.h"
#include "base/DataRecord.h"
#include "store/DataViews.h"

#include <QFile>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace quellin {

namespace test {
struct DataSetAccess; // tests set up data sets the program could not make
}

// What describes a data set besides its records.
struct DataSetProperties {
    int RecordCount = 0;
    // Seconds between two stored records: the storage period of a measurement,
    // the logging interval of a download, the first two records' distance of a
    // loaded file; 1 after a reset.
    int SampleInterval = 1;
    double FirstTime = 0;
    double LastTime = 0;
    int DataWiring = 0;
    double TotalEnergy = 0;
    double PeakWatts = 0;
    double PeakTime = 0;
    double DataFrequency = 0; // the data set's frequency field (filled by a download)
    std::vector<bool> ColumnPresent;
    int NextRecordNumber = 0;
    QString TitleLine; // first line of a loaded data file

    bool operator==(const DataSetProperties&) const = default;
};

// What a download brings along before its first record: its start, interval,
// frequency and wiring (and how many columns the catalogue has).
struct DownloadStart {
    double firstTime = 0;
    int sampleInterval = 1;
    double frequency = 0;
    int wiring = 0;
    int columnLast = 0;
};

// What a data file said about its data set once all its records were read.
struct DataFileProperties {
    std::optional<int> wiring; // none: the file names none, the wiring stays
    QString titleLine;
    std::vector<bool> columnPresent;
    double firstTime = 0;
    double lastTime = 0;
    int sampleInterval = 1;
    double peakWatts = 0;
    double peakTime = 0;
    double totalEnergy = 0;
};

// What a data set left in TMP.DAT by a program that ended abnormally says about
// itself (TMP.INF), besides what its records say.
struct LeftoverProperties {
    int records = 0;
    std::vector<bool> columnPresent;
    int sampleInterval = 1;
    int dataWiring = 0;
    double dataFrequency = 0;
    QString titleLine;
};

// The records of TMP.DAT that the last LoadGraphWindow read (0-based positions
// from, from + 1, …, 140 bytes each), kept so that the next one, a second later,
// reads only what was appended since instead of the whole day again.
struct GraphRecordCache {
    int from = -1;
    std::vector<char> bytes;
    int count() const { return static_cast<int>(bytes.size() / kRecordBytes); }
};

class RecordReader;

class DataSet {
public:
    // The current data set on TMP.DAT of the folder setFolder names.
    DataSet();
    // A data set of its own with its records in memory, its wiring not known
    // (-1) until a file names it.
    static DataSet inMemory();
    DataSet(DataSet&&) noexcept;
    DataSet& operator=(DataSet&&) noexcept;
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;
    ~DataSet();

    // The folder of TMP.DAT and TMP.INF (the program's folder, ending with the
    // platform separator).
    void setFolder(const QString& folder);
    QString tmpDatPath() const;
    bool keepsRecordsInMemory() const { return inMemory_; }
    // A measurement or a download is writing it (TMP.DAT is open for appending).
    bool isOpenForAppend() const;

    // ---- properties
    const DataSetProperties& properties() const { return p_; }
    int RecordCount() const { return p_.RecordCount; }
    int SampleInterval() const { return p_.SampleInterval; }
    double FirstTime() const { return p_.FirstTime; }
    double LastTime() const { return p_.LastTime; }
    int DataWiring() const { return p_.DataWiring; }
    double TotalEnergy() const { return p_.TotalEnergy; }
    double PeakWatts() const { return p_.PeakWatts; }
    double PeakTime() const { return p_.PeakTime; }
    double DataFrequency() const { return p_.DataFrequency; }
    const std::vector<bool>& ColumnPresent() const { return p_.ColumnPresent; }
    bool columnPresent(int c) const { return flagAt(p_.ColumnPresent, c); }
    int NextRecordNumber() const { return p_.NextRecordNumber; }
    const QString& TitleLine() const { return p_.TitleLine; }

    // ---- changes
    // The catalogue was built for another meter: one flag per catalogue column
    // (0..columnLast), none of them present.
    void fitColumns(int columnLast);
    // Empties the data set: no records, interval 1, no column present (columns
    // 0..columnLast), FirstTime now and LastTime an hour later. The wiring and the
    // title line stay (a file that names no wiring keeps the one before).
    void ResetStore(double now, int columnLast);
    // A measurement starts at now (KeisokuStart): no records, every column present
    // but voltage and current T in single-phase two-wire wiring, the storage
    // period as interval, no frequency, the peak -9999.9 at now.
    void beginMeasurement(double now, int wiring, int sampleInterval, int columnLast);
    // The measurement's first line arrived at time: its data set starts there.
    void firstSample(double time);
    // A reading of a measurement or a download's record: the newest time, the
    // integrated energy so far, and the peak when watts exceed it.
    void noteReading(double time, double energy, double watts);
    // A download replaces the data set: no records, TMP.DAT opened for them (throws
    // VbError when it cannot be), then the download's properties, the peak
    // -9999.9 at its start.
    void beginDownload(const DownloadStart& start);
    // A data file's records have all been appended: its properties.
    void takeLoadedFile(const DataFileProperties& file);
    // Another data set that starts after this one is appended to it (a data file
    // joined to the loaded one): its records follow with the next numbers, the
    // gap between them stays a gap, the energy of both adds up and the higher
    // peak stays. Throws VbError when TMP.DAT refuses the records; the data set
    // then stays as it was.
    void appendDataSet(const DataSet& other);
    // A load that failed after the file's properties were taken: the wiring and
    // the title line go back to those of the data set before it, as a refused
    // file leaves them (ResetStore keeps both).
    void restoreWiringAndTitle(int wiring, const QString& titleLine);
    // The leftover of an abnormal end becomes the data set: its records count as
    // stored, its times, peak, energy and next number come from the records
    // themselves, the rest from TMP.INF. Throws VbError when TMP.DAT cannot be read.
    void takeLeftover(const LeftoverProperties& leftover);

    // Deletes TMP.DAT if it exists (closing TmpFileNo first), and with it the data
    // set's properties (TMP.INF). True when no TMP.DAT remains afterwards. A data
    // set in memory drops its records.
    bool DeleteTmpFile();
    // Opens TMP.DAT for reading and writing into TmpFileNo (created if missing).
    // The file is cut behind record RecordCount (to nothing after a reset), so
    // records of an earlier data set can never be read back; should the file hold
    // fewer records than RecordCount, RecordCount is lowered to match. Throws
    // VbError when it cannot be opened.
    void OpenTmpForAppend();
    void CloseTmp();
    // Writes rec at record position RecordCount + 1 through TmpFileNo and adds 1 to
    // RecordCount. Throws VbError (with a clear description) when the write fails
    // (handle missing or read-only, disk full, I/O error); RecordCount then stays
    // unchanged and the records already stored stay readable.
    void AppendRecord(const DataRecord& rec);
    // The same for count records in one write (a file load appends thousands).
    void AppendRecords(const DataRecord* recs, int count);
    // A measurement's record: appended, and the next one gets the next number.
    void appendMeasuredRecord(const DataRecord& rec);

    // ---- reading
    // Record k (1-based); throws VbError when k is outside 1..RecordCount or the
    // record cannot be read.
    DataRecord ReadRecord(int k) const;
    // Records first..first+count-1 (1-based), read in one go.
    std::vector<DataRecord> ReadRecords(int first, int count) const;
    // The same into a buffer the caller keeps between calls (resized to count).
    void ReadRecordsInto(int first, int count, std::vector<DataRecord>& out) const;

    // Sets page.ListTop = top and fills rows 1..14 with records top+1..top+14; rows
    // without a record of 1..RecordCount are marked empty (-1).
    void LoadListPage(ListPage& page, int top) const;
    // Moves or recomputes window by k steps (−1, 0, +1) within FirstTime..LastTime:
    // graphXHani 1 = one minute, 2 = one hour, 3 = one calendar day; any other
    // value leaves the window unchanged. A window zoomed to a span of its own
    // (GraphSpan) steps by that span instead.
    void SetGraphWindow(GraphWindowState& window, int k, int graphXHani) const;
    // Fills the window's GraphTimes, GraphValues and GraphPoints for its
    // GraphStart..GraphEnd (ModFileGraph.h): series 0..seriesLast, series 9..13
    // filled only when hardVersion ≥ 2. Only the records next to and inside the
    // window are read; the window's arrays are reused between calls.
    void LoadGraphWindow(GraphWindowState& window, int seriesLast, int hardVersion) const;

private:
    friend class RecordReader;
    friend struct test::DataSetAccess;

    void checkRange(int first, int count) const;

    DataSetProperties p_;
    QString folder_;
    bool inMemory_ = false;
    // TMP.DAT while a measurement or download writes it; for a data set in
    // memory, whether it takes records.
    std::unique_ptr<QFile> TmpFileNo;
    bool memoryOpen_ = false;
    std::vector<DataRecord> memory_;
    mutable GraphRecordCache graphRecords_;
};

// The program's current data set and its views, owned once by the start-up (the
// program, quellin-cli's session, a test's context) and reached through Context.
struct CurrentData {
    DataSet dataSet;
    GraphWindowState graphWindow;
    ListPage listPage;
};

// A column is listed, saved and printed only when the data set has it and it is
// switched on.
inline bool columnShown(const DataSet& data, const Catalog& cat, int c)
{
    return data.columnPresent(c) && flagAt(cat.ColumnOn, c);
}
inline bool columnShown(const Context& ctx, int c)
{
    return columnShown(ctx.dataSet(), ctx.cat, c);
}

} // namespace quellin
