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

#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>

namespace quellin {

// The header lines (without line ends) for the file name without its folder and
// the wiring the meter reported (the link's WiringMode).
QStringList pcLogHeader(const Context& ctx, int wiringMode, const QString& fileName);

// How an existing log file is treated: the window's file dialog has asked before
// replacing one; quellin-cli never writes over one, but may continue it.
enum class PcLogOpen {
    Replace,  // an existing file is emptied
    New,      // an existing file is refused
    Continue, // an existing file is kept and the header written again after it
};

// Opens path for writing, writes the header and returns the open file for the
// measured-data handler (MeasuredData::beginLog). Throws VbError, with nothing
// left open, when the file cannot be created or written (or exists, for
// PcLogOpen::New).
std::unique_ptr<QFile> openPcLogFile(const Context& ctx, const QString& path, int wiringMode,
                                     PcLogOpen mode = PcLogOpen::Replace);

} // namespace quellin
