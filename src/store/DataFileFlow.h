#pragma once
// The main window's file commands around the data-file routines: the file
// dialog, the remembered folder (FilePath), the hourglass, and the clean-up of
// a refused file. The clear-data confirmation before loading is the window's.

#include "base/Context.h"
#include "platform/Tx.h"

#include <QString>

class QWidget;

namespace quellin {

inline QString csvFilterText() { return TX("CSVﾌｧｲﾙ(*.csv)"); }
inline const QString kCsvPattern = QStringLiteral("*.csv");
inline const QString kCsvDefaultExtension = QStringLiteral("*.csv");

// Asks for a data file and loads it. Every column is switched on, the chosen
// folder becomes FilePath (also in the settings), TMP.DAT is deleted and the
// store reset before the file is read. True when a data set was loaded: the
// window then refills the list, scales and draws the graph and shows the
// summary. False when the user cancelled (nothing changes) or the file was
// refused (the store is empty, TMP.DAT gone, DataPresent false). Refused while a
// measurement runs, since the measurement still writes TMP.DAT.
bool chooseAndLoadDataFile(Context& ctx, QWidget* owner);

// The two halves of chooseAndLoadDataFile, so that the window can clear the data
// set it holds only once a file was chosen: the open-file dialog (empty when
// cancelled, or while a measurement runs), and loading the chosen file.
QString chooseDataFileToLoad(Context& ctx, QWidget* owner);
bool loadChosenDataFile(Context& ctx, const QString& path);

// Asks for a file name and saves the data set there; the chosen folder becomes
// FilePath. True when the file was written; false when cancelled or when
// writing failed (the failure was reported).
bool chooseAndSaveDataFile(Context& ctx, QWidget* owner);

} // namespace quellin
