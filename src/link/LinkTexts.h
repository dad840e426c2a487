#pragma once
// The texts the link shows. Functions, not constants: a text is looked up in the
// catalogue when it is shown, after the program's language is installed.

#include "platform/Tx.h"

#include <QChar>
#include <QString>

namespace quellin {

namespace link_text {
inline QString checkMeter() { return TX("電力計を確認して下さい。"); }
inline QString stoppedByMeter() { return TX("本体側で中断されました。"); }
inline QString batteryLow() { return TX("本体側のバッテリがありません。"); }
// Status panel 1 while the port is lost and looked for again.
inline QString portLostPanel() { return TX("ポート切断"); }
inline QString startFailed() { return TX("計測開始に失敗しました。"); }
inline QString cannotStart() { return TX("計測を開始できません。"); }
inline QString commandErrorTitle() { return TX("コマンド通信エラー"); }
inline QString sleRefused()
{
    return TX("本体の定期データ送信モードの解除設定ができませんでした。") + QChar(13) +
           TX("通信は成功しコマンド送信でエラーが発生したので再度起動しなおしてください。");
}
// The port is closed (lost, or never opened): commands that need the meter say so.
inline QString portNotOpen(const QString& commPort)
{
    return TX("通信ポート%1 が開いていません。").arg(commPort) + QStringLiteral("\r\n") +
           TX("ケーブルを確認して下さい。ポートが戻ると自動的に開き直します。"
              "別のポートを使うときは、通信条件設定で選んで下さい。");
}
} // namespace link_text

} // namespace quellin
