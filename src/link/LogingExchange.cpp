#include "link/LogingExchange.h"

#include "link/AnswerTests.h"
#include "link/LinkTexts.h"
#include "link/MemoryInfo.h"
#include "link/MemoryTexts.h"
#include "link/Sequencer.h"

namespace quellin {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kStopLogging = QStringLiteral("SMD20");
const QString kStartLogging = QStringLiteral("SMD21");

} // namespace

void LogingExchange::attach(LogingMemDialogClient* dialog)
{
    dialog_ = dialog;
    clients_.logingMem = dialog;
}

void LogingExchange::detach(LogingMemDialogClient* dialog)
{
    if (dialog_ != dialog)
        return;
    dialog_ = nullptr;
    clients_.logingMem = nullptr;
}

void LogingExchange::handleLine(Sequencer& seq, link::State linkState, int count,
                                const QString& line)
{
    switch (linkState) {
    case link::State::LogingStatus:
        logingStatus(seq, line);
        break;
    case link::State::LogingSendStatus:
        sendStatus(seq, line);
        break;
    case link::State::LogingSend:
        if (count == 2)
            send(seq, line);
        break;
    case link::State::MemoryCount:
        memoryCount(seq, line);
        break;
    case link::State::MemoryInfo:
        memoryInfo(seq, line);
        break;
    case link::State::MemoryClear:
        clear(seq, line);
        break;
    default:
        break;
    }
}

void LogingExchange::enableDialog()
{
    if (dialog_)
        dialog_->setEnabled(true);
}

// State 10: the status, shown by DataDisp (which goes on to read the memory list).
void LogingExchange::logingStatus(Sequencer& seq, const QString& line)
{
    ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.accept(line);
    if (dialog_)
        dialog_->DataDisp();
}

// State 11: the status before "SMD20"/"SMD21" decides whether it is sent.
void LogingExchange::sendStatus(Sequencer& seq, const QString& line)
{
    ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.accept(line);
    const ExchangeStep* next = seq.currentStep();
    const QString command = next ? next->Command : QString();
    Context& ctx = seq.context();
    if (command == kStopLogging) {
        if (meterLogging(line)) {
            ctx.link.LinkState = link::State::LogingSend;
            seq.continueExchange();
        } else {
            // Not logging: already what the user asked for.
            enableDialog();
            settled(seq, line, memory_text::kSendDone);
        }
        return;
    }
    if (command == kStartLogging) {
        if (meterLogging(line)) {
            enableDialog();
            settled(seq, line, memory_text::kSendDone);
        } else if (line.at(4) == QLatin1Char('0')) {
            // The meter logs what it measures: logging needs a running measurement.
            enableDialog();
            ctx.svc.pointer.setPointer(MousePointer::Default);
            settled(seq, line, memory_text::kNotMeasuring + kCrLf + memory_text::kMeasureFirst);
        } else {
            ctx.link.LinkState = link::State::LogingSend;
            seq.continueExchange();
        }
        return;
    }
    // A list without a logging command: nothing to send.
    ctx.svc.pointer.setPointer(MousePointer::Default);
    enableDialog();
}

void LogingExchange::settled(Sequencer& seq, const QString& line, const QString& message)
{
    seq.stepBack(line);
    seq.context().svc.msg.info(message);
    if (dialog_)
        dialog_->DataDisp();
}

// State 12: the answer to "SMD20"/"SMD21".
void LogingExchange::send(Sequencer& seq, const QString& line)
{
    seq.timerOff();
    Context& ctx = seq.context();
    const ExchangeStep* step = seq.currentStep();
    const bool starting = step && step->Command == kStartLogging;
    if (okTest(line)) {
        ctx.svc.msg.info(memory_text::kSendDone);
        // The state is read again and shown.
        seq.replaceList({statusStep()});
        ctx.link.LinkState = link::State::LogingStatus;
        seq.continueExchange();
        return;
    }
    ctx.svc.pointer.setPointer(MousePointer::Default);
    enableDialog();
    ctx.svc.msg.info(starting ? memory_text::kNoFreeMemory + kCrLf + memory_text::kClearSomeMemory
                              : memory_text::kCannotSet + kCrLf + link_text::kCheckMeter);
}

// State 13: the number of blocks; an "NG" while the meter measures.
void LogingExchange::memoryCount(Sequencer& seq, const QString& line)
{
    Context& ctx = seq.context();
    const auto refuse = [&](const QString& text) {
        ctx.svc.pointer.setPointer(MousePointer::Default);
        if (!dialog_)
            return;
        dialog_->showSingleLine(text);
        dialog_->setEnabled(true);
    };
    if (line == QLatin1String("NG")) {
        seq.timerOff();
        refuse(memory_text::kMeasuringNoList);
        return;
    }
    const std::optional<int> blocks = takeBlockCount(seq, line);
    if (!blocks)
        return; // left to the time-out
    if (*blocks == 0) {
        // After a clear the memory may be empty: its busy text goes as well.
        if (clients_.main)
            clients_.main->clearBusyText();
        refuse(memory_text::kNoMemory);
        return;
    }
    readMemoryInfo(seq, *blocks, link::State::MemoryInfo);
}

// State 14: the five "CMI" reads of every block.
void LogingExchange::memoryInfo(Sequencer& seq, const QString& line)
{
    if (takeMemoryInfo(seq, line) && dialog_)
        dialog_->DispMemory();
}

// State 21: the "SCB" commands, then the memory list is read again.
void LogingExchange::clear(Sequencer& seq, const QString& line)
{
    Context& ctx = seq.context();
    // The meter is still copying or clearing: the 10 seconds start again.
    if (line.size() == 4 &&
        (line.startsWith(QLatin1String("CPY")) || line.startsWith(QLatin1String("CLR")))) {
        seq.restartTimer();
        return;
    }
    if (line == QLatin1String("NG")) {
        seq.timerOff();
        if (clients_.main)
            clients_.main->clearBusyText();
        ctx.svc.pointer.setPointer(MousePointer::Default);
        enableDialog();
        ctx.svc.msg.info(memory_text::kMeasuringNoClear + kCrLf + memory_text::kEndMeasurement);
        return;
    }
    ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !prefixTest(line, *step))
        return;
    seq.accept(line);
    if (!seq.exchangeDone()) {
        seq.continueExchange();
        return;
    }
    seq.replaceList({blockCountStep()});
    ctx.link.LinkState = link::State::MemoryCount;
    seq.continueExchange();
}

} // namespace quellin
