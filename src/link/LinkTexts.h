#pragma once
// The texts the link shows.

#include "platform/Tx.h"

#include <QChar>
#include <QString>

namespace quellin {

namespace link_text {
inline const QString kCheckMeter = TX("電力計を確認して下さい。");
inline const QString kStoppedByMeter = TX("本体側で中断されました。");
inline const QString kBatteryLow = TX("本体側のバッテリがありません。");
// Status panel 1 while the port is lost and looked for again.
inline const QString kPortLostPanel = TX("ポート切断");
inline const QString kStartFailed = TX("計測開始に失敗しました。");
inline const QString kCannotStart = TX("計測を開始できません。");
inline const QString kCommandErrorTitle = TX("コマンド通信エラー");
inline const QString kSleRefused =
    TX("本体の定期データ送信モードの解除設定ができませんでした。") + QChar(13) +
    TX("通信は成功しコマンド送信でエラーが発生したので再度起動しなおしてください。");
// The port is closed (lost, or never opened): commands that need the meter say so.
inline QString portNotOpen(const QString& commPort)
{
    return TX("通信ポート") + commPort + TX(" が開いていません。") +
           QStringLiteral("\r\n") +
           QStringLiteral("ケーブルを確認して下さい。ポートが戻ると自動的に開き直します。"
                          "別のポートを使うときは、通信条件設定で選んで下さい。");
}
} // namespace link_text

} // namespace quellin
