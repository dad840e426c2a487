#include "cli/CliSettings.h"

#include "dialogs/DispSetCheck.h"
#include "dialogs/DispSetText.h"
#include "link/SettingsExchange.h"
#include "platform/Tx.h"

#include <QFile>

namespace quellin {

namespace {

// Up to 39 reads or 40 commands, each within the link's time-out.
constexpr int kExchangeWaitMs = 45 * FrmComm::kTimeOutMs;

} // namespace

CliSettings::CliSettings(CliSession& session) : session_(session), ctx_(session.ctx())
{
    session_.clients().dispSet = this;
}

CliSettings::~CliSettings()
{
    session_.clients().dispSet = nullptr;
}

CliExit CliSettings::run()
{
    const QString path = session_.options().setFile;
    // A file that cannot be read is told before the meter is asked anything.
    QStringList lines;
    if (!path.isEmpty()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            writeLine(
                session_.err(),
                TX("設定ファイル %1 を読めません。%2").arg(path, file.errorString()));
            return CliExit::Refused;
        }
        lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    }
    if (const CliExit e = read(); e != CliExit::Done)
        return e;
    if (path.isEmpty()) {
        for (const QString& line : dispSetLines(fields_, ctx_.app.HardVersion))
            writeLine(session_.out(), line);
        return CliExit::Done;
    }
    if (const auto error = applyDispSetLines(fields_, lines, ctx_.app.HardVersion)) {
        writeLine(session_.err(), *error);
        return CliExit::Refused;
    }
    return send();
}

void CliSettings::DataDisp(const ExchangeReplies& replies)
{
    fields_ = fieldsFromReplies(replies, ctx_.app.HardVersion);
    shown_ = true;
}

CliExit CliSettings::read()
{
    startSettingsRead(session_.seq());
    session_.waitFor([&] { return shown_ || unloaded_; }, kExchangeWaitMs);
    if (session_.interrupted())
        return session_.interruptedExit();
    if (shown_)
        return CliExit::Done;
    return session_.failureExit();
}

CliExit CliSettings::send()
{
    // The meter's clock is set to the PC's, as the dialog's clock field shows it.
    fields_.data[5] = clockText(ctx_.svc.clock.now());
    if (const auto error = checkDispSet(fields_, ctx_.app.HardVersion)) {
        ctx_.svc.msg.show({error->message, {}, MsgButtons::Ok, MsgIcon::Critical, false});
        return CliExit::Refused;
    }
    unloaded_ = false;
    // A send cut short leaves the meter half-configured and unflashed: the first
    // stop signal lets it finish, a second ends at once.
    session_.onStopSignal([this](int received) {
        if (received == 1) {
            writeLine(session_.err(), TX("設定の送信を終えてから終了します"
                                                     "（もう一度で直ちに終了）。"));
            return;
        }
        session_.interrupt();
    });
    startSettingsWrite(session_.seq(), dispSetCommands(fields_, ctx_.app.HardVersion));
    session_.waitFor([&] { return unloaded_ || sendFailed_; }, kExchangeWaitMs);
    session_.onStopSignal(nullptr);
    if (session_.interrupted() && !unloaded_) {
        writeLine(session_.err(), TX("設定の送信は途中で終わりました。電力計の設定を"
                                                 "確認して下さい。"));
        return session_.interruptedExit();
    }
    if (unloaded_ && !sendFailed_)
        return CliExit::Done;
    return session_.failureExit();
}

} // namespace quellin
