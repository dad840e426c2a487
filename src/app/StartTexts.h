#pragma once
// What the start tells the user about the data folder and data left behind.

#include "store/DataSetInfo.h"

#include <QString>

namespace quellin {

// The question after an abnormal end: restore the records left in TMP.DAT?
QString leftoverQuestionText(int records);
// Records of an unfinished load or download, moved aside to path ("" when they
// could not be moved and stay in TMP.DAT).
QString incompleteLeftoverText(int records, const QString& path);
// Records whose properties file or whose contents are damaged, moved aside to
// path ("" when they could not be moved).
QString damagedLeftoverText(int records, LeftoverDamage damage, const QString& path);

} // namespace quellin
