#include "dialogs/KeisokuModeTexts.h"

#include "platform/Tx.h"

namespace quellin {

QStringList lineEntries()
{
    return {TX("単相２線式"), TX("単相３線式"),
            TX("三相３線式")};
}

QStringList stateEntries()
{
    return {TX("計測 OFF"), TX("計測 ON ")};
}

QString modeCommand(int row, int choice)
{
    return QStringLiteral("SMD%1%2").arg(row).arg(choice);
}

ModeStatusView modeStatusView(const QString& replyData)
{
    ModeStatusView view;
    if (!replyData.isEmpty()) {
        const int line = replyData.at(0).unicode() - '0';
        if (line >= 0 && line <= 2)
            view.lineText = lineEntries().at(line);
    }
    if (replyData.size() > 1) {
        if (replyData.at(1) == QLatin1Char('0')) {
            view.stateText = TX("計測なし");
            view.statePreselect = 1;
        } else if (replyData.at(1) == QLatin1Char('1')) {
            view.stateText = TX("計測中　");
            view.statePreselect = 0;
        }
    }
    return view;
}

} // namespace quellin
