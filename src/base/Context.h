#pragma once
// The program's shared state, grouped by the module that owns it, and the one
// context object that carries it (with the services) to every routine. The
// link's conversation (its state number, exchange list and wiring mode) is not
// here: the Sequencer owns it.

#include "base/DataRecord.h"
#include "platform/Services.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

namespace quellin {

class SettingsStore;

inline const QString kNotQueriedText = QStringLiteral("参照してません。");

// Application globals (ModMain).
struct AppGlobals {
    QString AppFolder;   // ends with the platform separator
    int HardVersion = 0; // 0 unknown, 1, 2 or more
    QString HardVersionText = kNotQueriedText;
    QString FilePath;
    QString CommPort = QStringLiteral("1");
    QString CommParam = QStringLiteral("9600,N,8,1");
    int LogingTime = 1;
    QString LogingPath;
    int GraphXHani = 1;
    bool Measuring = false;
    bool PcLogging = false;
    bool DataPresent = false;
};

// Item catalogue (ModVer), built once the hardware version is known.
struct Catalog {
    int ColumnLast = 12;
    int SeriesLast = 8;
    QStringList ColumnTitles;
    QStringList SeriesNames;
    QStringList SeriesUnits;
    QStringList UnitPrefixes;
    std::array<int, 2> AbsSeries{4, 8};
    std::vector<bool> LogColumns;
    std::vector<bool> ColumnOn;
    std::vector<bool> SeriesShown;
    std::vector<int> SeriesScale;
    // The user chose the series' Y scale in the Y-axis dialog; the first scale of
    // a measurement leaves such a series alone.
    std::vector<bool> SeriesScaleChosen;
    std::vector<double> SeriesYMin;
    std::vector<double> SeriesYMax;
};

// The records of TMP.DAT that the last LoadGraphWindow read (0-based positions
// from, from + 1, …, 140 bytes each), kept so that the next one, a second later,
// reads only what was appended since instead of the whole day again.
struct GraphRecordCache {
    int from = -1;
    std::vector<char> bytes;
    int count() const { return static_cast<int>(bytes.size() / kRecordBytes); }
};

// Measurement data store (ModFile).
struct StoreGlobals {
    int RecordCount = 0;
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
    std::unique_ptr<QFile> TmpFileNo; // TMP.DAT while a measurement or download writes it
    int ListTop = 1;
    std::array<DataRecord, 15> ListPage{};
    double GraphStart = 0;
    double GraphEnd = 0;
    // While measuring: the window moves on with the newest record (until the user
    // pages back), and the first points are still to be scaled.
    bool GraphFollowing = true;
    bool GraphFirstScalePending = false;
    int GraphPoints = 0;
    std::vector<double> GraphTimes;
    std::vector<std::vector<double>> GraphValues;
    GraphRecordCache GraphRecords;
    QString TitleLine; // first line of a loaded data file
};

// State of the measured-data handler and PC logging.
struct MeasureGlobals {
    double EnergyTotal = 0;
    double HoursTotal = 0;
    bool FirstSampleSeen = false;
    int StoreCounter = 0;
    DataRecord LogSums{};
    int LogLineCount = 0;
    std::unique_ptr<QFile> LogFileNo; // the open PC log file while PcLogging
    long long LinesHandled = 0;       // measured-data lines since the program started
};

// State of a download's reception: prepared by the download dialog, kept by
// Download_Recv for every line of the logged measurement.
struct DownloadGlobals {
    int RecordCounter = 0;  // lines received so far; the next record's number
    double EnergyTotal = 0; // integrated energy in kWh since the measurement's start
    double HoursTotal = 0;  // elapsed hours since the measurement's start
    double PowerSum = 0;    // sum of the active power of the stored records
    int Available = 0;      // records the measurement's write counts announce
    int Announced = 0;      // records the download asks for (at most the store's limit)
    int Stored = 0;         // records written to TMP.DAT
    int Skipped = 0;        // lines that carried no readable record
    int Overflows = 0;      // lines with a value that overflowed (stored with 0 there)
    QString StoreError;     // why TMP.DAT refused a record; the download then fails
};

struct Context {
    Context(Services& services, SettingsStore& settingsStore)
        : svc(services), settings(settingsStore)
    {
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    AppGlobals app;
    Catalog cat;
    StoreGlobals store;
    MeasureGlobals meas;
    DownloadGlobals download;
    Services& svc;
    SettingsStore& settings;

    QString tmpDatPath() const { return app.AppFolder + QStringLiteral("TMP.DAT"); }
};

// flags[i]; false for an index outside the array.
inline bool flagAt(const std::vector<bool>& flags, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < flags.size() &&
           flags[static_cast<std::size_t>(i)];
}

// A column is listed, saved and printed only when the data set has it and it is
// switched on.
inline bool columnShown(const Context& ctx, int c)
{
    return flagAt(ctx.store.ColumnPresent, c) && flagAt(ctx.cat.ColumnOn, c);
}

} // namespace quellin
