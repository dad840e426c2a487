#pragma once
// The texts the link shows while it runs the exchanges of the meter's settings
// and measurement-mode dialogs. Two-part texts are joined with CR LF.

#include <QString>

namespace quellin::dialog_text {

inline const QString kCrLf = QStringLiteral("\r\n");

inline const QString kMeasuringRefusal = QStringLiteral("電力計が計測中は設定できません。") +
                                         kCrLf + QStringLiteral("計測を終了して下さい。");
inline const QString kLoggingRefusal = QStringLiteral("電力計がロギング中は設定できません。") +
                                       kCrLf + QStringLiteral("ロギングを終了して下さい。");
inline const QString kSettingsUnread = QStringLiteral("現在の設定が取得できません。") + kCrLf +
                                       QStringLiteral("電力計を確認して下さい。");
inline const QString kCannotSetTopMenu = QStringLiteral("設定できません。") + kCrLf +
                                         QStringLiteral("電力計本体をトップメニューにして下さい。");
inline const QString kCannotSetCheckMeter =
    QStringLiteral("設定できません。") + kCrLf + QStringLiteral("電力計を確認して下さい。");
inline const QString kSendDone = QStringLiteral("送信を完了しました。");

} // namespace quellin::dialog_text
