#pragma once
// What TMP.DAT alone does not say about the data set it holds: where it came
// from, its sample interval, wiring, frequency and columns. Kept beside it as
// TMP.INF, written whole (atomically) when a measurement starts, a file has
// been loaded or a download has finished, and removed with TMP.DAT. After an
// abnormal end the two together let the next start restore the data set.
//
//   TMP.INF, UTF-8, one "Name=value" per line:
//     Kind=measurement | file | download
//     HardVersion=2
//     SampleInterval=1
//     DataWiring=2
//     DataFrequency=50
//     ColumnPresent=111111111111111111     one digit per column
//     ColumnOn=111111111111111111
//     TitleLine=…                          (a loaded file's first line)

#include "base/Context.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

enum class DataSetKind { Measurement, File, Download };

struct DataSetInfo {
    DataSetKind kind = DataSetKind::Measurement;
    int hardVersion = 0;
    int sampleInterval = 1;
    int dataWiring = 0;
    double dataFrequency = 0;
    std::vector<bool> columnPresent;
    std::vector<bool> columnOn;
    QString titleLine;
};

QString dataSetInfoPath(const Context& ctx);

// The properties of the current data set as the store holds them.
DataSetInfo currentDataSetInfo(const Context& ctx, DataSetKind kind);
// The file's text and back; nullopt when the text is not such a file.
QString formatDataSetInfo(const DataSetInfo& info);
std::optional<DataSetInfo> parseDataSetInfo(const QString& text);

// Writes TMP.INF for the current data set. False when it could not be written
// (the data set is kept all the same; only its recovery after a crash is lost).
bool writeDataSetInfo(const Context& ctx, DataSetKind kind);
void removeDataSetInfo(const Context& ctx);

// What is wrong with a leftover, if anything: its TMP.INF is there but cannot
// be read, or its records hold what no meter sends (times outside 1980–2100,
// values that are not finite numbers). Neither is offered back as a data set.
enum class LeftoverDamage { None, Properties, Records };

// Records left in TMP.DAT by a program that did not end normally.
struct LeftoverDataSet {
    int records = 0;
    std::optional<DataSetInfo> info; // none: the data set was still being filled (or damaged)
    LeftoverDamage damage = LeftoverDamage::None;
    bool restorable() const { return info && damage == LeftoverDamage::None; }
};

// A record as a meter or a data file can give it.
bool recordIsPlausible(const DataRecord& rec);
std::optional<LeftoverDataSet> findLeftoverDataSet(const Context& ctx);

// Makes the leftover the current data set: the store's globals from TMP.INF and
// the records (first and last time, peak power, energy), the list page and the
// graph window. DataPresent is set. Throws VbError when TMP.DAT cannot be read.
void restoreDataSet(Context& ctx, const LeftoverDataSet& leftover);

// Moves an incomplete leftover (one without TMP.INF) aside as
// "TMP-yyyymmdd-hhmmss.DAT" in the data folder (with "-2", "-3" … before ".DAT"
// when that name is taken: nothing is ever overwritten), so that nothing is lost
// and the next data set starts clean. Returns the new path, or "" when it could
// not move.
QString setLeftoverAside(Context& ctx);

} // namespace quellin
