#pragma once
// Where the program keeps its data: AppFolder and the paths below it.

#include <QString>

namespace quellin {

// $QUELLIN_HOME/ when set, else the per-user data folder (~/.local/share/Quellin/);
// always ending with the platform separator. The folder is created if missing.
QString resolveAppFolder();

// "The folder of a file": the text before the last separator ("/" or the native
// one); a drive root keeps its separator ("C:\\x.csv" → "C:\\", "/x.csv" → "/").
// Without any separator the folder is empty.
QString folderOf(const QString& path);
// The file name after the last separator (the whole path without one).
QString fileNameOf(const QString& path);

} // namespace quellin
