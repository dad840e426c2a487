#pragma once
// Saving the data set as a CSV data file (the layout is in CsvFile.h).

#include "base/Context.h"

#include <QString>

namespace quellin {

// Writes the data set to path (the file is replaced only when it was written
// completely). A failure is reported under "SaveDataFile"; the result tells
// whether the file was written.
bool SaveDataFile(Context& ctx, const QString& path);

} // namespace quellin
