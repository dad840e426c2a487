#include "catalog/ErrorReport.h"

namespace quellin {

namespace {
const QString kErrorTitle = QStringLiteral("エラー");
const QString kOccurred = QStringLiteral("でエラーが起こりました。");
}  // namespace

void bfErrMSgBox(Context& ctx, const QString& procName, bool showBox, const VbError& error)
{
    try {
        const QString detail = QStringLiteral("エラー：") + QString::number(error.number()) +
                               QStringLiteral(" / ") + error.description();
        if (showBox) {
            ctx.svc.msg.show({procName + kOccurred + QLatin1Char('\r') + detail, kErrorTitle,
                              MsgButtons::Ok, MsgIcon::Exclamation, true});
        } else {
            ctx.svc.status.setPanelText(2, procName + kOccurred + detail);
        }
    } catch (const std::exception& e) {
        // Reporting itself failed: say so under the report's own name.
        ctx.svc.msg.show({QStringLiteral("bfErrMSgBox") + kOccurred + QLatin1Char('\r') +
                              QString::fromLocal8Bit(e.what()),
                          kErrorTitle, MsgButtons::Ok, MsgIcon::Exclamation, true});
    }
}

}  // namespace quellin
