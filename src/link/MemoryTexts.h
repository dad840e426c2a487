#pragma once
// The texts the link shows during the logging-memory and download exchanges.

#include <QString>

namespace quellin::memory_text {

inline const QString kMeasuringNoList =
    QStringLiteral("電力計が計測中はメモリ一覧を取得できません。");
inline const QString kNoMemory = QStringLiteral("有効なメモリはありません。");
inline const QString kEndMeasurement = QStringLiteral("計測を終了して下さい。");
inline const QString kMeasuringNoDownload =
    QStringLiteral("電力計が計測中はダウンロードできません。");
inline const QString kDownloadRefused = QStringLiteral("ダウンロードできません。");
inline const QString kSendDone = QStringLiteral("送信を完了しました。");
inline const QString kNotMeasuring = QStringLiteral("電力計が計測中でないため設定できません。");
inline const QString kMeasureFirst = QStringLiteral("計測中にして下さい。");
inline const QString kNoFreeMemory = QStringLiteral("ロギング用の空きメモリがありません。");
inline const QString kClearSomeMemory = QStringLiteral("メモリをどれかクリアして下さい。");
inline const QString kCannotSet = QStringLiteral("設定できません。");
inline const QString kMeasuringNoClear = QStringLiteral("電力計が計測中はメモリクリアできません。");

} // namespace quellin::memory_text
