#include "app/StartTexts.h"

#include "platform/Tx.h"

#include <QDir>

namespace quellin {

QString leftoverQuestionText(int records)
{
    return TX("前回 Quellin が正常に終了しなかったため、保存されていない"
              "計測データ（%1件）が残っています。\r\n"
              "復元しますか？\r\n\r\n"
              "はい：復元する\u3000いいえ：破棄する")
        .arg(records);
}

QString incompleteLeftoverText(int records, const QString& path)
{
    const QString head = TX("前回 Quellin が正常に終了しなかったとき、ファイル読込"
                            "またはダウンロードの途中だったため、"
                            "一時データ（%1件）は完全ではありません。")
                             .arg(records);
    if (path.isEmpty())
        return head +
               TX("\r\n一時データはそのまま残し、次の計測・読込で置き換えます。");
    return head + TX("\r\n削除せずに次のファイルへ移しました。\r\n%1")
                      .arg(QDir::toNativeSeparators(path));
}

QString damagedLeftoverText(int records, LeftoverDamage damage, const QString& path)
{
    const QString head =
        damage == LeftoverDamage::Properties
            ? TX("前回 Quellin が正常に終了しなかったときの一時データ（%1件）は、"
                 "その情報ファイル（TMP.INF）が壊れているため復元できません。")
            : TX("前回 Quellin が正常に終了しなかったときの一時データ（%1件）は、"
                 "内容が壊れているため（計測データとして読めない記録があります）"
                 "復元できません。");
    if (path.isEmpty())
        return head.arg(records) +
               TX("\r\n一時データはそのまま残し、次の計測・読込で置き換えます。");
    return head.arg(records) + TX("\r\n削除せずに次のファイルへ移しました。\r\n%1")
                                   .arg(QDir::toNativeSeparators(path));
}

} // namespace quellin
