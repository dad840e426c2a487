#include "link/SettingsExchange.h"

#include "link/AnswerTests.h"
#include "link/MeterDialogTexts.h"
#include "link/RunningExchange.h"
#include "settings/ModRegistry.h"

namespace quellin {

namespace {

using S = link::State;

// The status answer "RMD" w m l: m is "1" while the meter measures.
bool meterIdle(const QString& line)
{
    return line.size() > 4 && line.at(4) == QLatin1Char('0');
}

DialogClient* dialog(RunningExchange& ex)
{
    return ex.clients().dispSet;
}

// What the dialog does once the meter has refused: a read leaves nothing to show,
// so the dialog closes; a refused send leaves the values to correct and send again.
enum class AfterRefusal { Unload, RestartClock };

// Every refusal ends the same way: the link idle (a stray answer later must not
// send the rest of a list or report it complete), the pointer back to the default,
// the dialog given back, the reason shown, then the dialog closed or its clock
// running again.
void refuse(RunningExchange& ex, const QString& text, AfterRefusal after)
{
    ex.end();
    ex.context().svc.pointer.setPointer(MousePointer::Default);
    DialogClient* d = dialog(ex);
    if (d)
        d->setEnabled(true);
    ex.context().svc.msg.info(text);
    // The message box's own event loop may have closed the dialog.
    d = dialog(ex);
    if (!d)
        return;
    if (after == AfterRefusal::Unload)
        d->unload();
    else
        d->startSecondTimer();
}

void markUnflashed(RunningExchange& ex, bool unflashed)
{
    ex.context().settings.write(kUnflashedSettingName,
                                unflashed ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

std::vector<ExchangeStep> settingsReadList(int hardVersion)
{
    std::vector<ExchangeStep> list = {
        makeStep(QStringLiteral("CCF02"), 11), makeStep(QStringLiteral("CCF03"), 9),
        makeStep(QStringLiteral("CCF04"), 9),  makeStep(QStringLiteral("CCF06"), 6),
        makeStep(QStringLiteral("CCF07"), 21), makeStep(QStringLiteral("CCF08"), 21),
        makeStep(QStringLiteral("CCF01"), 6),  makeStep(QStringLiteral("CCF05"), 6),
        makeStep(QStringLiteral("CCM"), 11),
    };
    if (hardVersion < 2)
        return list;
    for (int i = 9; i <= 38; ++i) {
        int length = 5;
        if (i == 9 || i == 14)
            length = 6;
        else if (i == 10 || i == 15 || i == 19 || i == 24 || i == 29)
            length = 4;
        else if (i == 20 || i == 25)
            length = 8;
        list.push_back(makeStep(QStringLiteral("CCF%1").arg(i + 1), length));
    }
    return list;
}

void startSettingsRead(Sequencer& seq)
{
    seq.context().svc.pointer.setPointer(MousePointer::Hourglass);
    seq.startExchange(S::SettingsStatus, {makeStep(QStringLiteral("CMD"), 6)});
}

void startSettingsWrite(Sequencer& seq, const QStringList& commands)
{
    std::vector<ExchangeStep> list;
    list.reserve(static_cast<size_t>(commands.size()) + 1);
    list.push_back(makeStep(QStringLiteral("CMD"), 6));
    for (const QString& command : commands) {
        list.push_back(makeStep(command, 2));
        if (command == QLatin1String("SCFW"))
            list.back().TimeOutMs = kFlashWriteTimeOutMs;
    }
    seq.context().svc.pointer.setPointer(MousePointer::Hourglass);
    seq.startExchange(S::SettingsWriteStatus, std::move(list));
}

void SettingsExchange::handleLine(RunningExchange& ex, int count, const QString& line)
{
    switch (ex.state()) {
    case S::SettingsStatus:
        readStatus(ex, line);
        break;
    case S::SettingsRead:
        readItem(ex, count, line);
        break;
    case S::SettingsWriteStatus:
        writeStatus(ex, line);
        break;
    case S::SettingsWrite:
        writeItem(ex, count, line);
        break;
    default:
        break;
    }
}

void SettingsExchange::readStatus(RunningExchange& ex, const QString& line)
{
    const ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.accept(line);
    if (!meterIdle(line)) {
        refuse(ex, dialog_text::measuringRefusal(), AfterRefusal::Unload);
        return;
    }
    ex.replaceList(settingsReadList(ex.context().app.HardVersion));
    ex.enter(S::SettingsRead);
    ex.continueExchange();
}

void SettingsExchange::readItem(RunningExchange& ex, int count, const QString& line)
{
    if (count == 2) {
        // Any other two-character line is no answer to a read command.
        if (line != QLatin1String("NG"))
            return;
        ex.timerOff();
        refuse(ex, dialog_text::settingsUnread(), AfterRefusal::Unload);
        return;
    }
    const ExchangeStep* step = ex.currentStep();
    if (!step || !echoTest(line, *step))
        return;
    // The basic items answer in fixed lengths: a line cut short or run together
    // would show (and later send back) a value the meter does not have.
    if (ex.index() < kFixedLengthReadSteps && !lengthTest(line, *step))
        return;
    ex.accept(line);
    if (!ex.done()) {
        ex.continueExchange();
        return;
    }
    ex.end();
    if (DialogClient* d = dialog(ex))
        d->DataDisp(ex.replies());
    if (ex.context().settings.read(kUnflashedSettingName, QString()) == QLatin1String("1"))
        ex.context().svc.msg.info(dialog_text::unflashedSettings());
}

void SettingsExchange::writeStatus(RunningExchange& ex, const QString& line)
{
    const ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.accept(line);
    if (!meterIdle(line)) {
        refuse(ex, dialog_text::measuringRefusal(), AfterRefusal::RestartClock);
        return;
    }
    markUnflashed(ex, true);
    ex.enter(S::SettingsWrite);
    ex.continueExchange();
}

void SettingsExchange::writeItem(RunningExchange& ex, int count, const QString& line)
{
    if (count != 2)
        return;
    ex.timerOff();
    if (!okTest(line)) {
        refuse(ex, dialog_text::cannotSetTopMenu(), AfterRefusal::RestartClock);
        return;
    }
    ex.accept(line);
    if (!ex.done()) {
        ex.continueExchange();
        return;
    }
    // Sent: the message first, then the dialog is given back and closes.
    ex.end();
    markUnflashed(ex, false);
    ex.context().svc.pointer.setPointer(MousePointer::Default);
    ex.context().svc.msg.info(dialog_text::sendDone());
    if (DialogClient* d = dialog(ex))
        d->setEnabled(true);
    if (DialogClient* d = dialog(ex))
        d->unload();
}

} // namespace quellin
