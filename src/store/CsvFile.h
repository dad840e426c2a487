#pragma once
// CSV data files: the current data set (TMP.DAT) saved as text and loaded back.
//
//   "ファイル名="<name>""                         the file's own name
//   "測定条件　結線＝単相２線式"                  wiring (absent for an unknown one)
//   "番号","時刻","電圧Ｒ(V)",…                   titles of the saved columns
//   0000,"2002/06/01 10:00:00",1.002E+2,…         one line per record
//
// Shift_JIS, lines ended by CR LF, fields separated by ",". A column is saved
// when it is present in the data set and switched on (ColumnPresent, ColumnOn).

#include "base/Context.h"
#include "platform/Tx.h"

#include <QString>

namespace quellin {

// The wiring line's texts for DataWiring 0, 1 and 2, without quotes.
QString wiringLineText(int wiring);

inline QString noDataRecordedText() { return TX("データが記録されていません。"); }
inline QString invalidDataFileText() { return TX("不正なデータファイルです。"); }

} // namespace quellin
