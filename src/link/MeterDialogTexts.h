#pragma once
// The texts the link shows while it runs the exchanges of the meter's settings
// and measurement-mode dialogs, looked up in the catalogue when shown. Two-part
// texts are joined with CR LF, each part translated on its own.

#include "platform/Tx.h"

#include <QString>

namespace quellin::dialog_text {

inline const QString kCrLf = QStringLiteral("\r\n");

inline QString measuringRefusal()
{
    return TX("電力計が計測中は設定できません。") + kCrLf + TX("計測を終了して下さい。");
}
inline QString loggingRefusal()
{
    return TX("電力計がロギング中は設定できません。") + kCrLf + TX("ロギングを終了して下さい。");
}
inline QString settingsUnread()
{
    return TX("現在の設定が取得できません。") + kCrLf + TX("電力計を確認して下さい。");
}
inline QString cannotSetTopMenu()
{
    return TX("設定できません。") + kCrLf + TX("電力計本体をトップメニューにして下さい。");
}
inline QString cannotSetCheckMeter()
{
    return TX("設定できません。") + kCrLf + TX("電力計を確認して下さい。");
}
inline QString sendDone() { return TX("送信を完了しました。"); }
// Shown after a read when an earlier send ended before the meter wrote the
// values to its flash memory (refused, timed out, or the program ended).
inline QString unflashedSettings()
{
    return TX("前回の設定の送信は電力計本体への書き込みの前に終わりました。") + kCrLf +
           TX("電力計の設定は電源を切ると元に戻ります。設定を確認して、もう一度送信して下さい。");
}

} // namespace quellin::dialog_text
