#pragma once
// The graph of a data set read back from a file. The window shown before has
// nothing to do with it: the span follows the file's period as for a download,
// widened when the file is long and its window would hold only a few records,
// and the series the user never scaled are scaled from its first window.

#include "base/Context.h"

namespace quellin {

// GraphXHani for records sampleInterval seconds apart spanning extentSeconds:
// graphXHaniFor(sampleInterval), widened while its window holds fewer than
// four steps and the records reach beyond it; a day at most.
int graphXHaniForData(int sampleInterval, long long extentSeconds);

// Chooses GraphXHani for the current data set, puts the window at its first
// record, loads the window's points and scales the series whose scale the user
// has not chosen.
void fitGraphToLoadedData(Context& ctx);

} // namespace quellin
