#pragma once
// The program's shared state, grouped by the module that owns it, and the one
// context object that carries it (with the services) to every routine. The
// link's conversation (its state number, exchange list and wiring mode) is not
// here: the Sequencer owns it.

#include "base/DataRecord.h"
#include "platform/Language.h"
#include "platform/Services.h"
#include "platform/Tx.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace quellin {

class SettingsStore;
class DataSet;
struct GraphWindowState;
struct ListPage;

// HardVersionText until the meter answered: kept as data (compared, also by the
// about box and the report), translated only where it is shown.
inline const QString kNotQueriedText = QStringLiteral(TXN("参照してません。"));

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
    bool DataPresent = false;
    // The language the texts are shown in, chosen once at the start.
    Language language = Language::Ja;
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
    // The series' range SeriesYMin..SeriesYMax is fitted to its data (ten bands
    // of a 1-2-5 step) rather than one of the listed steps; SeriesScale then
    // holds the listed step that would hold it.
    std::vector<bool> SeriesFitted;
    std::vector<double> SeriesYMin;
    std::vector<double> SeriesYMax;
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
