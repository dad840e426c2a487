#pragma once
// The texts the link shows during the logging-memory and download exchanges.

#include "platform/Tx.h"

#include <QString>

namespace quellin::memory_text {

inline const QString kMeasuringNoList =
    TX("電力計が計測中はメモリ一覧を取得できません。");
inline const QString kNoMemory = TX("有効なメモリはありません。");
inline const QString kEndMeasurement = TX("計測を終了して下さい。");
inline const QString kMeasuringNoDownload =
    TX("電力計が計測中はダウンロードできません。");
inline const QString kDownloadRefused = TX("ダウンロードできません。");
inline const QString kSendDone = TX("送信を完了しました。");
inline const QString kNotMeasuring = TX("電力計が計測中でないため設定できません。");
inline const QString kMeasureFirst = TX("計測中にして下さい。");
inline const QString kNoFreeMemory = TX("ロギング用の空きメモリがありません。");
inline const QString kClearSomeMemory = TX("メモリをどれかクリアして下さい。");
inline const QString kCannotSet = TX("設定できません。");
inline const QString kMeasuringNoClear = TX("電力計が計測中はメモリクリアできません。");

} // namespace quellin::memory_text
