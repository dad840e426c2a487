#include "link/SettingsExchange.h"

#include "link/AnswerTests.h"
#include "link/MeterDialogTexts.h"
#include "link/Sequencer.h"

namespace quellin {

namespace {

using S = link::State;

// The status answer "RMD" w m l: m is "1" while the meter measures.
bool meterIdle(const QString& line)
{
    return line.size() > 4 && line.at(4) == QLatin1Char('0');
}

// A branch that ends the exchange: the link goes idle, the pointer back to the
// default before any message.
void endExchange(Sequencer& seq)
{
    Context& ctx = seq.context();
    ctx.link.LinkState = S::Idle;
    ctx.svc.pointer.setPointer(MousePointer::Default);
}

DialogClient* dialog(Sequencer& seq)
{
    return seq.clients().dispSet;
}

void enable(Sequencer& seq)
{
    if (DialogClient* d = dialog(seq))
        d->setEnabled(true);
}

void unload(Sequencer& seq)
{
    if (DialogClient* d = dialog(seq))
        d->unload();
}

void restartClock(Sequencer& seq)
{
    if (DialogClient* d = dialog(seq))
        d->startSecondTimer();
}

void show(Sequencer& seq, const QString& text)
{
    seq.context().svc.msg.info(text);
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
    for (const QString& command : commands)
        list.push_back(makeStep(command, 2));
    seq.context().svc.pointer.setPointer(MousePointer::Hourglass);
    seq.startExchange(S::SettingsWriteStatus, std::move(list));
}

void SettingsExchange::handleLine(Sequencer& seq, link::State linkState, int count,
                                  const QString& line)
{
    switch (linkState) {
    case S::SettingsStatus:
        readStatus(seq, line);
        break;
    case S::SettingsRead:
        readItem(seq, count, line);
        break;
    case S::SettingsWriteStatus:
        writeStatus(seq, line);
        break;
    case S::SettingsWrite:
        writeItem(seq, count, line);
        break;
    default:
        break;
    }
}

void SettingsExchange::readStatus(Sequencer& seq, const QString& line)
{
    const ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.accept(line);
    if (!meterIdle(line)) {
        endExchange(seq);
        enable(seq);
        show(seq, dialog_text::kMeasuringRefusal);
        unload(seq);
        return;
    }
    Context& ctx = seq.context();
    seq.replaceList(settingsReadList(ctx.app.HardVersion));
    ctx.link.LinkState = S::SettingsRead;
    seq.continueExchange();
}

void SettingsExchange::readItem(Sequencer& seq, int count, const QString& line)
{
    if (count == 2) {
        // Any other two-character line is no answer to a read command.
        if (line != QLatin1String("NG"))
            return;
        seq.timerOff();
        endExchange(seq);
        enable(seq);
        show(seq, dialog_text::kSettingsUnread);
        unload(seq);
        return;
    }
    const ExchangeStep* step = seq.currentStep();
    if (!step || !echoTest(line, *step))
        return;
    // The basic items answer in fixed lengths: a line cut short or run together
    // would show (and later send back) a value the meter does not have.
    if (seq.context().link.ExchangeIndex < kFixedLengthReadSteps && !lengthTest(line, *step))
        return;
    seq.accept(line);
    if (!seq.exchangeDone()) {
        seq.continueExchange();
        return;
    }
    seq.context().link.LinkState = S::Idle;
    if (DialogClient* d = dialog(seq))
        d->DataDisp();
}

void SettingsExchange::writeStatus(Sequencer& seq, const QString& line)
{
    const ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.accept(line);
    if (!meterIdle(line)) {
        endExchange(seq);
        enable(seq);
        show(seq, dialog_text::kMeasuringRefusal);
        restartClock(seq);
        return;
    }
    seq.context().link.LinkState = S::SettingsWrite;
    seq.continueExchange();
}

void SettingsExchange::writeItem(Sequencer& seq, int count, const QString& line)
{
    if (count != 2)
        return;
    seq.timerOff();
    if (!okTest(line)) {
        // Ended here: a stray "OK" later must not send the rest of the list and
        // report it complete.
        endExchange(seq);
        enable(seq);
        show(seq, dialog_text::kCannotSetTopMenu);
        restartClock(seq);
        return;
    }
    seq.accept(line);
    if (!seq.exchangeDone()) {
        seq.continueExchange();
        return;
    }
    endExchange(seq);
    show(seq, dialog_text::kSendDone);
    enable(seq);
    unload(seq);
}

} // namespace quellin
