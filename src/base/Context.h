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
class DataSet;
struct GraphWindowState;
struct ListPage;

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
    Context(Services& services, SettingsStore& settingsStore, DataSet& current,
            GraphWindowState& window, ListPage& page)
        : svc(services), settings(settingsStore), dataSet_(&current), graphWindow_(&window),
          listPage_(&page)
    {
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    AppGlobals app;
    Catalog cat;
    MeasureGlobals meas;
    DownloadGlobals download;
    Services& svc;
    SettingsStore& settings;

    // The current data set (store/DataSet.h) and the program's views of it, the
    // graph's time window and the data list's page (store/DataViews.h), owned by
    // the start-up. A const context gives them const: a routine that only reads
    // the data set takes a const Context or a const DataSet.
    DataSet& dataSet() { return *dataSet_; }
    const DataSet& dataSet() const { return *dataSet_; }
    GraphWindowState& graphWindow() { return *graphWindow_; }
    const GraphWindowState& graphWindow() const { return *graphWindow_; }
    ListPage& listPage() { return *listPage_; }
    const ListPage& listPage() const { return *listPage_; }

    QString tmpDatPath() const { return app.AppFolder + QStringLiteral("TMP.DAT"); }

private:
    DataSet* dataSet_;
    GraphWindowState* graphWindow_;
    ListPage* listPage_;
};

// flags[i]; false for an index outside the array.
inline bool flagAt(const std::vector<bool>& flags, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < flags.size() &&
           flags[static_cast<std::size_t>(i)];
}

} // namespace quellin
