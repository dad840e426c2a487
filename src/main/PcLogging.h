#pragma once
// The PC log file: a CSV file written while PC logging runs. Its header is three
// lines in Shift_JIS, each ended by CR LF:
//
//   FILE="<file name>"
//   "測定条件　結線＝<wiring>"        (none for an unknown wiring)
//   "<title>","<title>",…            (the columns present and chosen)
//
// The data lines follow, one per logging period (see MeasuredData).

#include "base/Context.h"

#include <QString>
#include <QStringList>

namespace quellin {

// The header lines (without line ends) for the file name without its folder and
// the wiring the meter reported (the link's WiringMode).
QStringList pcLogHeader(const Context& ctx, int wiringMode, const QString& fileName);

// Opens path for writing (replacing it), writes the header and keeps the open file
// in ctx.meas.LogFileNo. Throws VbError, with nothing left open, when the file
// cannot be created or written.
void openPcLogFile(Context& ctx, const QString& path, int wiringMode);

// Closes the log file (if open).
void closePcLogFile(Context& ctx);

} // namespace quellin
