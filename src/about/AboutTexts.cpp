#include "about/AboutTexts.h"

#include "platform/Format.h"
#include "platform/Tx.h"

namespace quellin {

QString applicationTitle()
{
    return QStringLiteral("Quellin");
}

QString aboutCaption()
{
    return TX("%1のﾊﾞｰｼﾞｮﾝ情報").arg(applicationTitle());
}

QString aboutVersionText()
{
    return TX("ﾊﾞｰｼﾞｮﾝ ") + QString::number(QUELLIN_VERSION_MAJOR) + QLatin1Char('.') +
           Format(double(QUELLIN_VERSION_MINOR), QStringLiteral("00"));
}

QString aboutHardVersionText(const AppGlobals& app)
{
    const QString head = TX("ﾊｰﾄﾞ本体ﾊﾞｰｼﾞｮﾝ ");
    if (app.HardVersionText == kNotQueriedText)
        return head + QString::number(app.HardVersion) + QLatin1Char(' ') + txText(kNotQueriedText);
    return head + app.HardVersionText;
}

QString noSystemInfoText()
{
    return TX("現時点ではｼｽﾃﾑ情報を使用できません");
}

QString aboutDisclaimer()
{
    return TX(
        "このプログラムは現状のまま提供されます。測定値と記録の正しさ、および特定の目的への"
        "適合性について、明示または黙示を問わず一切の保証はありません。電力計の取り扱いと"
        "測定結果の利用は、使用者の責任において行ってください。");
}

const QStringList& systemInfoPrograms()
{
    static const QStringList programs{
        QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
        QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
        QStringLiteral("mate-system-monitor"),
    };
    return programs;
}

QString findSystemInfoProgram(const std::function<QString(const QString&)>& findExecutable)
{
    for (const QString& name : systemInfoPrograms())
        if (const QString path = findExecutable(name); !path.isEmpty())
            return path;
    return {};
}

} // namespace quellin
