#include "base/ErrorReport.h"

namespace quellin {

namespace {
const QString kErrorTitle = QStringLiteral("エラー");
const QString kOccurred = QStringLiteral("でエラーが起こりました。");

// Reporting itself failed: say so under the report's own name. If even that box
// fails there is nobody left to tell; the error must not escape the trap.
void reportFailure(Context& ctx, const QString& description)
{
    try {
        ctx.svc.msg.show(
            {QStringLiteral("bfErrMSgBox") + kOccurred + QLatin1Char('\r') + description,
             kErrorTitle, MsgButtons::Ok, MsgIcon::Exclamation, true});
    } catch (...) {
    }
}
} // namespace

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
    } catch (const VbError& e) {
        reportFailure(ctx, e.description());
    } catch (const std::exception& e) {
        reportFailure(ctx, QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(ctx, QString());
    }
}

} // namespace quellin
