#include "link/Sequencer.h"

#include "base/ErrorReport.h"
#include "link/RunningExchange.h"
#include "platform/Tx.h"
#include "store/DataSet.h"

#include <QTimer>
#include <utility>

namespace quellin {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString joined(const QString& detail, const QString& advice)
{
    return detail + kCrLf + advice;
}

} // namespace

ExchangeStep makeStep(const QString& command, int replyLength, const QString& prefix,
                      int prefixLength)
{
    ExchangeStep step;
    step.Command = command;
    step.ReplyLength = replyLength;
    step.ReplyPrefix = prefix;
    step.PrefixLength = prefixLength;
    return step;
}

Sequencer::Sequencer(Context& ctx, LinkTransport& transport, LinkTimer& timer, LinkClients& clients)
    : ctx_(ctx), transport_(transport), timer_(timer), clients_(clients)
{
}

void Sequencer::setState(link::State state)
{
    if (state == state_)
        return;
    state_ = state;
    Q_EMIT stateChanged(state);
}

// ---------------------------------------------------------------------------------------
// Starting exchanges

void Sequencer::SendCommand(const QString& command)
{
    if (!transport_.isOpen())
        return;
    QByteArray bytes = command.toLatin1();
    bytes.append('\r');
    transport_.write(bytes);
}

void Sequencer::startExchange(link::State linkState, std::vector<ExchangeStep> steps)
{
    cancelPause();
    ++exchangeSerial_;
    replaceList(std::move(steps));
    setState(linkState);
    if (list_.empty())
        return;
    SendCommand(list_.front().Command);
    timerOn();
}

void Sequencer::startMeasurementRequest()
{
    startExchange(link::State::MeasureStatus,
                  {makeStep(QStringLiteral("CMD"), 6, QStringLiteral("RMD"), 3)});
}

void Sequencer::startStopExchange()
{
    startExchange(link::State::MeasureStop,
                  {makeStep(QStringLiteral("SLE"), 2), makeStep(QStringLiteral("SMD10"), 2)});
}

void Sequencer::endExchange()
{
    cancelPause();
    setState(link::State::Idle);
}

bool Sequencer::portIsOpen() const
{
    return transport_.isOpen();
}

void Sequencer::startVersionExchange()
{
    cancelPause();
    std::vector<ExchangeStep> steps(2);
    steps[0].Command = QStringLiteral("SLE");
    replaceList(std::move(steps));
    setState(link::State::VersionSle);
    SendCommand(QStringLiteral("SLE"));
    if (ctx_.app.HardVersion != 0) {
        // The catalogue is built at once; the answer to "SLE" is still awaited (in
        // state 22, without a time-out) so that a refusal is reported.
        if (clients_.version)
            clients_.version->bfVer_NoCheck();
    } else {
        timerOn();
    }
}

// ---------------------------------------------------------------------------------------
// The dispatcher

void Sequencer::dispatch(int count, const QString& line)
{
    if (pausing_ || releasing_) {
        held_.emplace_back(count, line);
        return;
    }
    dispatchLine(count, line);
}

void Sequencer::dispatchLine(int count, const QString& received)
{
    const QString line = received.toUpper();

    if (count == 3 && line == QLatin1String("STP")) {
        ctx_.svc.msg.info(link_text::stoppedByMeter(), MsgIcon::Information);
        if (clients_.main)
            clients_.main->KeisokuEnd_Req();
        return;
    }
    if (count == 3 && line == QLatin1String("LOW")) {
        ctx_.svc.msg.info(link_text::batteryLow(), MsgIcon::Information);
        return;
    }
    if (ctx_.app.Measuring && line.startsWith(QLatin1String("RML"))) {
        // An exchange started during the measurement (the stop, the logging memory
        // dialog) keeps its time-out: a meter that ignores "SLE" but goes on
        // streaming, or never answers, must not leave it waiting for ever.
        if (state_ > link::kLastState)
            timerOff();
        if (clients_.measured)
            clients_.measured->handleMeasuredLine(line.mid(3));
        return;
    }

    const link::State state = state_;
    const bool awaited = timer_.isActive();
    dispatchByState(state, count, line);
    // Over when no answer is awaited any more: the handler has called its caller
    // back (a next exchange the call-back started awaits its own answer).
    const bool awaiting = timer_.isActive() || pausing_;
    if (!awaiting && (awaited || (state != link::State::Idle && state_ == link::State::Idle)))
        Q_EMIT exchangeEnded(state);
}

void Sequencer::dispatchByState(link::State state, int count, const QString& line)
{
    switch (state) {
    case link::State::MeasureStatus:
        handleMeasureStatus(line);
        return;
    case link::State::MeasureSetup:
        handleMeasureSetup(line);
        return;
    case link::State::MeasureSend:
        handleMeasureSend(line);
        return;
    case link::State::MeasureStop:
        handleMeasureStop(line);
        return;
    case link::State::VersionSle:
        handleVersionSle(line);
        return;
    case link::State::VersionVer:
        handleVersionVer(line);
        return;
    default:
        if (link::number(state) >= 0 && state <= link::kLastState)
            dispatchToDialogHandler(count, line);
        return; // idle (99) and any other value: ignored
    }
}

// Dispatch point of the dialog exchanges: each group of states has one handler.
void Sequencer::dispatchToDialogHandler(int count, const QString& line)
{
    using S = link::State;
    const S state = state_;
    DialogExchangeHandler* handler = nullptr;
    if (state <= S::SettingsWrite)
        handler = clients_.settingsExchange;
    else if (state <= S::ModeSend)
        handler = clients_.modeExchange;
    else if (state <= S::DownloadListInfo || state == S::DownloadStatus || state == S::DownloadData)
        handler = clients_.memoryExchange;
    else if (state <= S::MemoryInfo || state == S::MemoryClear)
        handler = clients_.logingExchange;
    if (handler) {
        RunningExchange exchange(*this);
        handler->handleLine(exchange, count, line);
    }
}

// ---------------------------------------------------------------------------------------
// Measurement start and stop

void Sequencer::handleMeasureStatus(const QString& line)
{
    ExchangeStep* step = currentStep();
    if (!step || !lengthTest(line, *step) || !prefixTest(line, *step))
        return;
    timerOff();
    step->ReplyData = echoData(line, step->Command);
    // A wiring the program does not know (a digit other than 0, 1, 2, or no digit,
    // kept as −1) still measures: apparent power is then 0 and the PC log has no
    // wiring line.
    wiringMode_ = digitAt(line, 3);

    std::vector<ExchangeStep> list;
    if (line.at(4) == QLatin1Char('1')) // the meter measures already: stop it first
        list.push_back(makeStep(QStringLiteral("SMD10"), 2, QStringLiteral("OK"), 2));
    list.push_back(makeStep(QStringLiteral("CCF03"), 9, QStringLiteral("RCF03"), 5));
    list.push_back(makeStep(QStringLiteral("CCF04"), 9, QStringLiteral("RCF04"), 5));
    list.push_back(makeStep(QStringLiteral("SMD11"), 2, QStringLiteral("OK"), 2));
    replaceList(std::move(list));
    setState(link::State::MeasureSetup);
    continueExchange();
}

void Sequencer::handleMeasureSetup(const QString& line)
{
    ExchangeStep* step = currentStep();
    // An "NG" fails these tests and is left to the time-out.
    if (!step || !lengthTest(line, *step) || !prefixTest(line, *step))
        return;
    timerOff();
    step->ReplyData = echoData(line, step->Command);
    ++index_;
    if (exchangeDone()) {
        replaceList({makeStep(QStringLiteral("SLG"), 2, QStringLiteral("OK"), 2)});
        setState(link::State::MeasureSend);
        // The meter is given a second after "SMD11" before "SLG".
        startPauseBeforeSlg();
        return;
    }
    continueExchange();
}

void Sequencer::startPauseBeforeSlg()
{
    pausing_ = true;
    const unsigned pause = ++pauseGeneration_;
    ctx_.svc.sleep.after(kPauseBeforeSlgMs, this, [this, pause] { endPauseBeforeSlg(pause); });
}

void Sequencer::endPauseBeforeSlg(unsigned pause)
{
    if (!pausing_ || pause != pauseGeneration_)
        return;
    pausing_ = false;
    continueExchange();
    releaseHeldLines();
}

void Sequencer::cancelPause()
{
    if (!pausing_)
        return;
    pausing_ = false;
    ++pauseGeneration_;
    if (!held_.empty())
        QTimer::singleShot(0, this, [this] { releaseHeldLines(); });
}

void Sequencer::releaseHeldLines()
{
    if (releasing_)
        return;
    // Lines that arrive while the held ones are handled (a message box's own
    // event loop) queue up behind them.
    releasing_ = true;
    while (!pausing_ && !held_.empty()) {
        const std::pair<int, QString> held = std::move(held_.front());
        held_.pop_front();
        trapped(ctx_, "Mscomm_OnComm", false, [&] {
            dispatchLine(held.first, held.second);
            return true;
        });
    }
    releasing_ = false;
}

void Sequencer::handleMeasureSend(const QString& line)
{
    ExchangeStep* step = currentStep();
    if (!step || !lengthTest(line, *step))
        return;
    timerOff();
    if (!prefixTest(line, *step)) {
        ctx_.svc.pointer.setPointer(MousePointer::Default);
        // The exchange is over: a late "OK" must not start a measurement the user
        // has been told failed.
        setState(link::State::Idle);
        showMessage(joined(link_text::cannotStart(), link_text::checkMeter()));
        return;
    }
    // Idle before the call: KeisokuStart may itself start the stop exchange (when
    // TMP.DAT cannot be opened), and that exchange's state must stand.
    setState(link::State::Idle);
    if (clients_.main)
        clients_.main->KeisokuStart();
}

void Sequencer::handleMeasureStop(const QString& line)
{
    ExchangeStep* step = currentStep();
    if (!step || !lengthTest(line, *step))
        return;
    timerOff();
    step->ReplyData = line;
    ++index_;
    if (exchangeDone()) {
        setState(link::State::Idle);
        keisokuEnd();
    } else {
        continueExchange();
    }
}

// ---------------------------------------------------------------------------------------
// Hardware version

void Sequencer::handleVersionSle(const QString& line)
{
    // A meter still streaming a block (a download killed half-way) sends lines that
    // are not the two-character answer: while the version is awaited they neither
    // count as it nor restart the wait, so the time-out comes 10 s after "SLE"
    // whatever streams meanwhile. (With the version given there is no wait: any
    // line ends the exchange, as before.)
    if (line.size() != 2 && ctx_.app.HardVersion == 0)
        return;
    timerOff();
    if (line == QLatin1String("NG")) {
        ctx_.svc.msg.show({link_text::sleRefused(), link_text::commandErrorTitle(), MsgButtons::Ok,
                           MsgIcon::Exclamation, true});
    }
    if (ctx_.app.HardVersion != 0) {
        setState(link::State::Idle);
        return;
    }
    if (list_.size() < 2)
        list_.resize(2);
    list_[1] = makeStep(QStringLiteral("VER"), 8, QStringLiteral("VER"), 3);
    index_ = 1;
    last_ = 1;
    setState(link::State::VersionVer);
    SendCommand(QStringLiteral("VER"));
    timerOn();
}

void Sequencer::handleVersionVer(const QString& line)
{
    const bool versionForm = lengthTest(line, 8) && prefixTest(line, QStringLiteral("VER"), 3);
    // Lines of another form are streamed ones, not the answer: the wait goes on
    // without restarting.
    if (!versionForm && line != QLatin1String("NG"))
        return;
    timerOff();
    if (line == QLatin1String("NG")) {
        ctx_.app.HardVersion = 1;
        ctx_.app.HardVersionText = QStringLiteral("1");
    } else {
        // Only a digit is a version; anything else leaves the version unknown and
        // the time-out asks the user.
        const int version = digitAt(line, 3);
        if (version > 0) {
            ctx_.app.HardVersion = version;
            ctx_.app.HardVersionText = line.mid(3);
        }
    }
    if (!versionNoCheck())
        timerOn();
}

bool Sequencer::versionNoCheck()
{
    if (!clients_.version || !clients_.version->bfVer_NoCheck())
        return false;
    setState(link::State::Idle);
    return true;
}

void Sequencer::cancelVersionWait()
{
    const bool versionWait = state_ == link::State::VersionSle || state_ == link::State::VersionVer;
    if (versionWait && timer_.isActive())
        onTimeout();
}

void Sequencer::assumeVersionFromUser()
{
    if (!clients_.version)
        return;
    ctx_.app.HardVersion = clients_.version->askAssumeVersion1() ? 1 : 2;
    versionNoCheck();
}

// ---------------------------------------------------------------------------------------
// Time-out

void Sequencer::onTimeout()
{
    timerOff();
    ctx_.svc.pointer.setPointer(MousePointer::Default);
    const link::State state = state_;
    const TimeoutRow& row = timeoutRow(state);
    DialogClient* dialog = dialogClient(row.dialog);
    for (int i = 0; i < row.stepCount; ++i) {
        switch (row.steps[static_cast<std::size_t>(i)]) {
        case TimeoutStep::ClearBusyText:
            if (clients_.main)
                clients_.main->clearBusyText();
            break;
        case TimeoutStep::CloseDownloadFile:
            closeDownloadFile();
            break;
        case TimeoutStep::EnableDialog:
            enableDialog(dialog);
            break;
        case TimeoutStep::ShowMessage:
            showMessage(timeoutMessage(row));
            break;
        case TimeoutStep::UnloadDialog:
            unloadDialog(dialog);
            break;
        case TimeoutStep::StartSecondTimer:
            if (dialog)
                dialog->startSecondTimer();
            break;
        case TimeoutStep::KeisokuEnd:
            keisokuEnd();
            break;
        case TimeoutStep::AskVersion:
            assumeVersionFromUser();
            break;
        case TimeoutStep::EndExchange:
            setState(link::State::Idle);
            break;
        }
    }
    Q_EMIT exchangeFailed(state);
}

DialogClient* Sequencer::dialogClient(LinkDialog dialog) const
{
    switch (dialog) {
    case LinkDialog::DispSet:
        return clients_.dispSet;
    case LinkDialog::KeisokuMode:
        return clients_.keisokuMode;
    case LinkDialog::Download:
        return clients_.download;
    case LinkDialog::LogingMem:
        return clients_.logingMem;
    case LinkDialog::None:
        break;
    }
    return nullptr;
}

void Sequencer::portLost(const QString& portNumber)
{
    const bool wasMeasuring = ctx_.app.Measuring;
    const link::State state = state_;
    // A download sends its first command without the timer; its open TMP.DAT shows
    // that it is still running.
    const bool downloadRunning =
        state == link::State::DownloadData && ctx_.dataSet().isOpenForAppend();
    const bool exchangeRunning = timer_.isActive() || downloadRunning;
    timerOff();

    ctx_.svc.msg.show(
        {TX("通信ポート%1 が使用できなくなりました。").arg(portNumber) + kCrLf +
             TX("ケーブルを確認して下さい。同じポートが使えるようになると、"
                "自動的に開き直します。"),
         {},
         MsgButtons::Ok,
         MsgIcon::Exclamation,
         false});

    if (wasMeasuring && clients_.main)
        clients_.main->linkLost();
    // A stop under way is what linkLost has just done.
    if (exchangeRunning && !(wasMeasuring && state == link::State::MeasureStop))
        onTimeout();
}

// ---------------------------------------------------------------------------------------
// Primitives

void Sequencer::timerOn()
{
    ++timerGeneration_;
    timer_.start();
}

void Sequencer::timerOff()
{
    ++timerGeneration_;
    timer_.stop();
}

void Sequencer::restartTimer()
{
    timerOff();
    timerOn();
}

ExchangeStep* Sequencer::currentStep()
{
    if (index_ < 0 || index_ >= static_cast<int>(list_.size()))
        return nullptr;
    return &list_[static_cast<size_t>(index_)];
}

void Sequencer::accept(const QString& line)
{
    timerOff();
    if (ExchangeStep* step = currentStep())
        step->ReplyData = echoData(line, step->Command);
    ++index_;
}

void Sequencer::continueExchange()
{
    if (exchangeDone())
        return;
    if (ExchangeStep* step = currentStep()) {
        SendCommand(step->Command);
        if (step->TimeOutMs > 0) {
            ++timerGeneration_;
            timer_.startFor(step->TimeOutMs);
        } else {
            timerOn();
        }
    }
}

void Sequencer::stepBack(const QString& line)
{
    if (index_ > 0)
        --index_;
    if (ExchangeStep* step = currentStep())
        step->ReplyData = echoData(line, step->Command);
}

bool Sequencer::exchangeDone() const
{
    return index_ > last_;
}

void Sequencer::replaceList(std::vector<ExchangeStep> steps)
{
    list_ = std::move(steps);
    index_ = 0;
    last_ = static_cast<int>(list_.size()) - 1;
}

ExchangeReplies Sequencer::replies() const
{
    ExchangeReplies out;
    out.reserve(static_cast<qsizetype>(list_.size()));
    for (const ExchangeStep& step : list_)
        out << step.ReplyData;
    return out;
}

// ---------------------------------------------------------------------------------------
// Helpers

void Sequencer::showMessage(const QString& text)
{
    ctx_.svc.msg.info(text);
}

void Sequencer::enableDialog(DialogClient* dialog)
{
    if (dialog)
        dialog->setEnabled(true);
}

void Sequencer::unloadDialog(DialogClient* dialog)
{
    if (dialog)
        dialog->unload();
}

void Sequencer::closeDownloadFile()
{
    ctx_.dataSet().CloseTmp();
    // The records of a download that did not end are not a data set.
    if (clients_.main)
        clients_.main->downloadAbandoned();
}

void Sequencer::keisokuEnd()
{
    if (clients_.main)
        clients_.main->KeisokuEnd();
}

} // namespace quellin
