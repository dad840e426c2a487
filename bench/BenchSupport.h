#pragma once
// Set-up shared by the benchmark programs: a full store, as after a measurement
// that ran until TMP.DAT held the most records it can.

#include "base/Context.h"

#include <functional>

namespace quellin::bench {

// Starts a new data set and writes kMaxRecords records to TMP.DAT: record i is
// numbered i, taken at timeOf(i) and holds valueOf(i, c) in columns 2..17. The
// file is closed again when it is full.
void fillFullStore(Context& ctx, const std::function<double(int record)>& timeOf,
                   const std::function<double(int record, int column)>& valueOf);

// main() of a benchmark program that paints text (fonts need the GUI
// application): offscreen unless QT_QPA_PLATFORM says otherwise.
int runPaintingBenchmarks(int argc, char** argv);

} // namespace quellin::bench
