#pragma once
// The texts the link shows during the logging-memory and download exchanges,
// looked up in the catalogue when shown.

#include "platform/Tx.h"

#include <QString>

namespace quellin::memory_text {

inline QString measuringNoList() { return TX("電力計が計測中はメモリ一覧を取得できません。"); }
inline QString noMemory() { return TX("有効なメモリはありません。"); }
inline QString endMeasurement() { return TX("計測を終了して下さい。"); }
inline QString measuringNoDownload() { return TX("電力計が計測中はダウンロードできません。"); }
inline QString downloadRefused() { return TX("ダウンロードできません。"); }
inline QString sendDone() { return TX("送信を完了しました。"); }
inline QString notMeasuring() { return TX("電力計が計測中でないため設定できません。"); }
inline QString measureFirst() { return TX("計測中にして下さい。"); }
inline QString noFreeMemory() { return TX("ロギング用の空きメモリがありません。"); }
inline QString clearSomeMemory() { return TX("メモリをどれかクリアして下さい。"); }
inline QString cannotSet() { return TX("設定できません。"); }
inline QString measuringNoClear() { return TX("電力計が計測中はメモリクリアできません。"); }

} // namespace quellin::memory_text
