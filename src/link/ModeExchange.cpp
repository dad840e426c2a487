#include "link/ModeExchange.h"

#include "link/AnswerTests.h"
#include "link/MeterDialogTexts.h"
#include "link/Sequencer.h"

namespace quellin {

namespace {

using S = link::State;

ExchangeStep statusStep()
{
    return makeStep(QStringLiteral("CMD"), 6);
}

DialogClient* dialog(Sequencer& seq)
{
    return seq.clients().keisokuMode;
}

void enable(Sequencer& seq)
{
    if (DialogClient* d = dialog(seq))
        d->setEnabled(true);
}

void dataDisp(Sequencer& seq)
{
    seq.context().link.LinkState = S::Idle;
    if (DialogClient* d = dialog(seq))
        d->DataDisp();
}

void clearSelections(Sequencer& seq)
{
    if (DialogClient* d = dialog(seq))
        d->clearSelections();
}

// Pointer back before the message; the link is idle unless a branch goes on.
void show(Sequencer& seq, const QString& text)
{
    Context& ctx = seq.context();
    ctx.link.LinkState = S::Idle;
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

void ModeExchange::handleLine(Sequencer& seq, link::State linkState, int count, const QString& line)
{
    switch (linkState) {
    case S::ModeStatus:
        readStatus(seq, line);
        break;
    case S::ModeSendStatus:
        sendStatus(seq, line);
        break;
    case S::ModeSend:
        sendCommand(seq, count, line);
        break;
    default:
        break;
    }
}

void ModeExchange::readStatus(Sequencer& seq, const QString& line)
{
    const ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.accept(line);
    dataDisp(seq);
}

void ModeExchange::sendStatus(Sequencer& seq, const QString& line)
{
    const ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.accept(line);
    const ExchangeStep* next = seq.currentStep();
    if (!next)
        return;
    const QString command = next->Command;
    const bool measuring = statusCharIs(line, 4, '1');
    const bool idle = statusCharIs(line, 4, '0');
    const bool logging = statusCharIs(line, 5, '1');

    if (command.startsWith(QLatin1String("SMD0")) && measuring) {
        enable(seq);
        show(seq, dialog_text::kMeasuringRefusal);
        seq.stepBack(line);
        dataDisp(seq);
    } else if (command == QLatin1String("SMD11") && measuring) {
        seq.stepBack(line);
        show(seq, dialog_text::kSendDone);
        dataDisp(seq);
    } else if (command == QLatin1String("SMD10") && idle) {
        seq.stepBack(line);
        show(seq, dialog_text::kSendDone);
        clearSelections(seq);
        dataDisp(seq);
    } else if (command == QLatin1String("SMD10") && logging) {
        enable(seq);
        show(seq, dialog_text::kLoggingRefusal);
    } else {
        seq.context().link.LinkState = S::ModeSend;
        seq.continueExchange();
    }
}

void ModeExchange::sendCommand(Sequencer& seq, int count, const QString& line)
{
    if (count != 2)
        return;
    seq.timerOff();
    const ExchangeStep* step = seq.currentStep();
    if (!step)
        return;
    if (!okTest(line)) {
        const bool start = step->Command == QLatin1String("SMD11");
        enable(seq);
        show(seq, start ? dialog_text::kCannotSetTopMenu : dialog_text::kCannotSetCheckMeter);
        return;
    }
    seq.accept(line);
    if (!seq.exchangeDone()) {
        seq.continueExchange();
        return;
    }
    seq.context().svc.pointer.setPointer(MousePointer::Default);
    seq.context().svc.msg.info(dialog_text::kSendDone);
    clearSelections(seq);
    seq.context().svc.pointer.setPointer(MousePointer::Hourglass);
    seq.replaceList({statusStep()});
    seq.context().link.LinkState = S::ModeStatus;
    seq.continueExchange();
}

} // namespace quellin
