#include "base/ErrorReport.h"

#include "platform/Tx.h"

namespace quellin {

namespace {
QString errorTitle()
{
    return TX("エラー");
}

QString occurredText()
{
    return TX("でエラーが起こりました。");
}

// Reporting itself failed: say so under the report's own name. If even that box
// fails there is nobody left to tell; the error must not escape the trap.
void reportFailure(Services& svc, const QString& description)
{
    try {
        svc.msg.show({QStringLiteral("bfErrMSgBox") + occurredText() + QLatin1Char('\r') + description,
                      errorTitle(), MsgButtons::Ok, MsgIcon::Exclamation, true});
    } catch (...) {
    }
}
} // namespace

void bfErrMSgBox(Services& svc, const QString& procName, bool showBox, const VbError& error)
{
    try {
        const QString detail = TX("エラー：") + QString::number(error.number()) +
                               QStringLiteral(" / ") + error.description();
        if (showBox) {
            svc.msg.show({procName + occurredText() + QLatin1Char('\r') + detail, errorTitle(),
                          MsgButtons::Ok, MsgIcon::Exclamation, true});
        } else {
            svc.status.setPanelText(2, procName + occurredText() + detail);
        }
    } catch (const VbError& e) {
        reportFailure(svc, e.description());
    } catch (const std::exception& e) {
        reportFailure(svc, QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(svc, QString());
    }
}

} // namespace quellin
