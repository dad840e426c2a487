#pragma once
// Loading a CSV data file into the data set (the layout is in CsvFile.h).

#include "base/Context.h"
#include "store/DataSet.h"

#include <QString>
#include <optional>

namespace quellin {

// Reads the data file at path into an emptied store (TMP.DAT is deleted and the
// store reset first). True when the data set was loaded: DataPresent is set and
// the list page and the graph window are read. A file that is not a data file
// is refused with a message; the store is then reset, TMP.DAT removed and the
// wiring and title line of the data set are as before.
bool LoadDataFile(Context& ctx, const QString& path);

// Reads the data file at path into a data set of its own, its records in memory,
// beside the current one (to compare two data sets, to report over one): the
// current data set, TMP.DAT, TMP.INF, DataPresent and the program's window and
// page stay as they are. The file is checked and refused as LoadDataFile does
// (with the same messages); nullopt then.
std::optional<DataSet> LoadDataFileAside(Context& ctx, const QString& path);

} // namespace quellin
