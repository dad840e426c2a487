#include "link/ModeExchange.h"

#include "link/AnswerTests.h"
#include "link/MeterDialogTexts.h"
#include "link/RunningExchange.h"

namespace quellin {

namespace {

using S = link::State;

ExchangeStep statusStep()
{
    return makeStep(QStringLiteral("CMD"), 6);
}

DialogClient* dialog(RunningExchange& ex)
{
    return ex.clients().keisokuMode;
}

void enable(RunningExchange& ex)
{
    if (DialogClient* d = dialog(ex))
        d->setEnabled(true);
}

void dataDisp(RunningExchange& ex)
{
    ex.end();
    if (DialogClient* d = dialog(ex))
        d->DataDisp(ex.replies());
}

void clearSelections(RunningExchange& ex)
{
    if (DialogClient* d = dialog(ex))
        d->clearSelections();
}

// Pointer back before the message; the link is idle unless a branch goes on.
void show(RunningExchange& ex, const QString& text)
{
    Context& ctx = ex.context();
    ex.end();
    ctx.svc.pointer.setPointer(MousePointer::Default);
    ctx.svc.msg.info(text);
}

bool statusCharIs(const QString& line, int pos, char c)
{
    return line.size() > pos && line.at(pos) == QLatin1Char(c);
}

} // namespace

void startModeRead(Sequencer& seq)
{
    seq.context().svc.pointer.setPointer(MousePointer::Hourglass);
    seq.startExchange(S::ModeStatus, {statusStep()});
}

void startModeSend(Sequencer& seq, const QString& command)
{
    seq.context().svc.pointer.setPointer(MousePointer::Hourglass);
    seq.startExchange(S::ModeSendStatus, {statusStep(), makeStep(command, 2)});
}

void ModeExchange::handleLine(RunningExchange& ex, int count, const QString& line)
{
    switch (ex.state()) {
    case S::ModeStatus:
        readStatus(ex, line);
        break;
    case S::ModeSendStatus:
        sendStatus(ex, line);
        break;
    case S::ModeSend:
        sendCommand(ex, count, line);
        break;
    default:
        break;
    }
}

void ModeExchange::readStatus(RunningExchange& ex, const QString& line)
{
    const ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.accept(line);
    dataDisp(ex);
}

void ModeExchange::sendStatus(RunningExchange& ex, const QString& line)
{
    const ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.accept(line);
    const ExchangeStep* next = ex.currentStep();
    if (!next)
        return;
    const QString command = next->Command;
    const bool measuring = statusCharIs(line, 4, '1');
    const bool idle = statusCharIs(line, 4, '0');
    const bool logging = statusCharIs(line, 5, '1');

    if (command.startsWith(QLatin1String("SMD0")) && measuring) {
        enable(ex);
        show(ex, dialog_text::measuringRefusal());
        ex.stepBack(line);
        dataDisp(ex);
    } else if (command == QLatin1String("SMD11") && measuring) {
        ex.stepBack(line);
        show(ex, dialog_text::sendDone());
        dataDisp(ex);
    } else if (command == QLatin1String("SMD10") && idle) {
        ex.stepBack(line);
        show(ex, dialog_text::sendDone());
        clearSelections(ex);
        dataDisp(ex);
    } else if (command == QLatin1String("SMD10") && logging) {
        enable(ex);
        show(ex, dialog_text::loggingRefusal());
    } else {
        ex.enter(S::ModeSend);
        ex.continueExchange();
    }
}

void ModeExchange::sendCommand(RunningExchange& ex, int count, const QString& line)
{
    if (count != 2)
        return;
    ex.timerOff();
    const ExchangeStep* step = ex.currentStep();
    if (!step)
        return;
    if (!okTest(line)) {
        const bool start = step->Command == QLatin1String("SMD11");
        enable(ex);
        show(ex, start ? dialog_text::cannotSetTopMenu() : dialog_text::cannotSetCheckMeter());
        return;
    }
    ex.accept(line);
    if (!ex.done()) {
        ex.continueExchange();
        return;
    }
    ex.context().svc.pointer.setPointer(MousePointer::Default);
    ex.context().svc.msg.info(dialog_text::sendDone());
    clearSelections(ex);
    ex.context().svc.pointer.setPointer(MousePointer::Hourglass);
    ex.replaceList({statusStep()});
    ex.enter(S::ModeStatus);
    ex.continueExchange();
}

} // namespace quellin
