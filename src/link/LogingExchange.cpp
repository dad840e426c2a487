#include "link/LogingExchange.h"

#include "link/AnswerTests.h"
#include "link/LinkTexts.h"
#include "link/MemoryInfo.h"
#include "link/MemoryTexts.h"
#include "link/RunningExchange.h"

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

void LogingExchange::handleLine(RunningExchange& ex, int count, const QString& line)
{
    switch (ex.state()) {
    case link::State::LogingStatus:
        logingStatus(ex, line);
        break;
    case link::State::LogingSendStatus:
        sendStatus(ex, line);
        break;
    case link::State::LogingSend:
        if (count == 2)
            send(ex, line);
        break;
    case link::State::MemoryCount:
        memoryCount(ex, line);
        break;
    case link::State::MemoryInfo:
        memoryInfo(ex, line);
        break;
    case link::State::MemoryClear:
        clear(ex, line);
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
void LogingExchange::logingStatus(RunningExchange& ex, const QString& line)
{
    ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.accept(line);
    dataDisp(ex);
}

// The status is known: the exchange is over before the dialog shows it (and
// starts the memory list).
void LogingExchange::dataDisp(RunningExchange& ex)
{
    if (!dialog_)
        return;
    ex.end();
    dialog_->DataDisp(ex.replies());
}

// State 11: the status before "SMD20"/"SMD21" decides whether it is sent.
void LogingExchange::sendStatus(RunningExchange& ex, const QString& line)
{
    ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.accept(line);
    const ExchangeStep* next = ex.currentStep();
    const QString command = next ? next->Command : QString();
    Context& ctx = ex.context();
    if (command == kStopLogging) {
        if (meterLogging(line)) {
            ex.enter(link::State::LogingSend);
            ex.continueExchange();
        } else {
            // Not logging: already what the user asked for.
            enableDialog();
            settled(ex, line, memory_text::sendDone());
        }
        return;
    }
    if (command == kStartLogging) {
        if (meterLogging(line)) {
            enableDialog();
            settled(ex, line, memory_text::sendDone());
        } else if (line.at(4) == QLatin1Char('0')) {
            // The meter logs what it measures: logging needs a running measurement.
            enableDialog();
            ctx.svc.pointer.setPointer(MousePointer::Default);
            settled(ex, line, memory_text::notMeasuring() + kCrLf + memory_text::measureFirst());
        } else {
            ex.enter(link::State::LogingSend);
            ex.continueExchange();
        }
        return;
    }
    // A list without a logging command: nothing to send.
    ctx.svc.pointer.setPointer(MousePointer::Default);
    enableDialog();
}

void LogingExchange::settled(RunningExchange& ex, const QString& line, const QString& message)
{
    ex.stepBack(line);
    ex.context().svc.msg.info(message);
    dataDisp(ex);
}

// State 12: the answer to "SMD20"/"SMD21".
void LogingExchange::send(RunningExchange& ex, const QString& line)
{
    ex.timerOff();
    Context& ctx = ex.context();
    const ExchangeStep* step = ex.currentStep();
    const bool starting = step && step->Command == kStartLogging;
    if (okTest(line)) {
        ctx.svc.msg.info(memory_text::sendDone());
        // The state is read again and shown.
        ex.replaceList({statusStep()});
        ex.enter(link::State::LogingStatus);
        ex.continueExchange();
        return;
    }
    // Refused: over, so that a stray "OK" later reports no success.
    ex.end();
    ctx.svc.pointer.setPointer(MousePointer::Default);
    enableDialog();
    ctx.svc.msg.info(starting ? memory_text::noFreeMemory() + kCrLf + memory_text::clearSomeMemory()
                              : memory_text::cannotSet() + kCrLf + link_text::checkMeter());
}

// State 13: the number of blocks; an "NG" while the meter measures.
void LogingExchange::memoryCount(RunningExchange& ex, const QString& line)
{
    Context& ctx = ex.context();
    const auto refuse = [&](const QString& text) {
        ctx.svc.pointer.setPointer(MousePointer::Default);
        if (!dialog_)
            return;
        dialog_->showSingleLine(text);
        dialog_->setEnabled(true);
    };
    if (line == QLatin1String("NG")) {
        ex.timerOff();
        refuse(memory_text::measuringNoList());
        return;
    }
    const std::optional<int> blocks = takeBlockCount(ex, line);
    if (!blocks)
        return; // left to the time-out
    if (*blocks == 0) {
        // After a clear the memory may be empty: its busy text goes as well.
        if (clients_.main)
            clients_.main->clearBusyText();
        refuse(memory_text::noMemory());
        return;
    }
    readMemoryInfo(ex, *blocks, link::State::MemoryInfo);
}

// State 14: the five "CMI" reads of every block.
void LogingExchange::memoryInfo(RunningExchange& ex, const QString& line)
{
    if (!takeMemoryInfo(ex, line) || !dialog_)
        return;
    ex.end();
    dialog_->DispMemory(ex.replies());
}

// State 21: the "SCB" commands, then the memory list is read again.
void LogingExchange::clear(RunningExchange& ex, const QString& line)
{
    Context& ctx = ex.context();
    // The meter is still copying or clearing: the 10 seconds start again.
    if (line.size() == 4 &&
        (line.startsWith(QLatin1String("CPY")) || line.startsWith(QLatin1String("CLR")))) {
        ex.restartTimer();
        return;
    }
    if (line == QLatin1String("NG")) {
        ex.timerOff();
        if (clients_.main)
            clients_.main->clearBusyText();
        ctx.svc.pointer.setPointer(MousePointer::Default);
        enableDialog();
        ctx.svc.msg.info(memory_text::measuringNoClear() + kCrLf + memory_text::endMeasurement());
        return;
    }
    ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !prefixTest(line, *step))
        return;
    ex.accept(line);
    if (!ex.done()) {
        ex.continueExchange();
        return;
    }
    ex.replaceList({blockCountStep()});
    ex.enter(link::State::MemoryCount);
    ex.continueExchange();
}

} // namespace quellin
