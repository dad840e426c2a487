#include "link/Sequencer.h"

#include "store/DataSet.h"

#include <utility>

namespace quellin {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString joined(const QString& detail, const QString& advice)
{
    return detail + kCrLf + advice;
}

constexpr int kSleepBeforeSlg = 1000;

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
    replaceList(std::move(steps));
    ctx_.link.LinkState = linkState;
    if (ctx_.link.ExchangeList.empty())
        return;
    SendCommand(ctx_.link.ExchangeList.front().Command);
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

bool Sequencer::portIsOpen() const
{
    return transport_.isOpen();
}

void Sequencer::startVersionExchange()
{
    std::vector<ExchangeStep> steps(2);
    steps[0].Command = QStringLiteral("SLE");
    replaceList(std::move(steps));
    ctx_.link.LinkState = link::State::VersionSle;
    SendCommand(QStringLiteral("SLE"));
    if (ctx_.app.HardVersion != 0) {
        versionNoCheck();
        // Building the catalogue leaves the link idle; the answer to "SLE" is still
        // awaited so that a refusal is reported.
        ctx_.link.LinkState = link::State::VersionSle;
    } else {
        timerOn();
    }
}

// ---------------------------------------------------------------------------------------
// The dispatcher

void Sequencer::dispatch(int count, const QString& received)
{
    const QString line = received.toUpper();

    if (count == 3 && line == QLatin1String("STP")) {
        ctx_.svc.msg.info(link_text::kStoppedByMeter, MsgIcon::Information);
        if (clients_.main)
            clients_.main->KeisokuEnd_Req();
        return;
    }
    if (count == 3 && line == QLatin1String("LOW")) {
        ctx_.svc.msg.info(link_text::kBatteryLow, MsgIcon::Information);
        return;
    }
    if (ctx_.app.Measuring && line.startsWith(QLatin1String("RML"))) {
        // An exchange started during the measurement (the stop, the logging memory
        // dialog) keeps its time-out: a meter that ignores "SLE" but goes on
        // streaming, or never answers, must not leave it waiting for ever.
        if (ctx_.link.LinkState > link::kLastState)
            timerOff();
        if (clients_.measured)
            clients_.measured->handleMeasuredLine(line.mid(3));
        return;
    }

    const link::State state = ctx_.link.LinkState;
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
            dispatchToDialogHandler(state, count, line);
        return; // idle (99) and any other value: ignored
    }
}

// Dispatch point of the dialog exchanges: each group of states has one handler.
void Sequencer::dispatchToDialogHandler(link::State state, int count, const QString& line)
{
    using S = link::State;
    DialogExchangeHandler* handler = nullptr;
    if (state <= S::SettingsWrite)
        handler = clients_.settingsExchange;
    else if (state <= S::ModeSend)
        handler = clients_.modeExchange;
    else if (state <= S::DownloadListInfo || state == S::DownloadStatus || state == S::DownloadData)
        handler = clients_.memoryExchange;
    else if (state <= S::MemoryInfo || state == S::MemoryClear)
        handler = clients_.logingExchange;
    if (handler)
        handler->handleLine(*this, state, count, line);
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
    ctx_.link.WiringMode = digitAt(line, 3);

    std::vector<ExchangeStep> list;
    if (line.at(4) == QLatin1Char('1')) // the meter measures already: stop it first
        list.push_back(makeStep(QStringLiteral("SMD10"), 2, QStringLiteral("OK"), 2));
    list.push_back(makeStep(QStringLiteral("CCF03"), 9, QStringLiteral("RCF03"), 5));
    list.push_back(makeStep(QStringLiteral("CCF04"), 9, QStringLiteral("RCF04"), 5));
    list.push_back(makeStep(QStringLiteral("SMD11"), 2, QStringLiteral("OK"), 2));
    replaceList(std::move(list));
    ctx_.link.LinkState = link::State::MeasureSetup;
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
    ++ctx_.link.ExchangeIndex;
    if (exchangeDone()) {
        replaceList({makeStep(QStringLiteral("SLG"), 2, QStringLiteral("OK"), 2)});
        ctx_.link.LinkState = link::State::MeasureSend;
        ctx_.svc.sleep.sleep(kSleepBeforeSlg);
    }
    continueExchange();
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
        ctx_.link.LinkState = link::State::Idle;
        showMessage(joined(link_text::kCannotStart, link_text::kCheckMeter));
        return;
    }
    // Idle before the call: KeisokuStart may itself start the stop exchange (when
    // TMP.DAT cannot be opened), and that exchange's state must stand.
    ctx_.link.LinkState = link::State::Idle;
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
    ++ctx_.link.ExchangeIndex;
    if (exchangeDone()) {
        ctx_.link.LinkState = link::State::Idle;
        keisokuEnd();
    } else {
        continueExchange();
    }
}

// ---------------------------------------------------------------------------------------
// Hardware version

void Sequencer::handleVersionSle(const QString& line)
{
    timerOff();
    if (line == QLatin1String("NG")) {
        ctx_.svc.msg.show({link_text::kSleRefused, link_text::kCommandErrorTitle, MsgButtons::Ok,
                           MsgIcon::Exclamation, true});
    }
    if (ctx_.app.HardVersion != 0) {
        ctx_.link.LinkState = link::State::Idle;
        return;
    }
    auto& list = ctx_.link.ExchangeList;
    if (list.size() < 2)
        list.resize(2);
    list[1] = makeStep(QStringLiteral("VER"), 8, QStringLiteral("VER"), 3);
    ctx_.link.ExchangeIndex = 1;
    ctx_.link.ExchangeLast = 1;
    ctx_.link.LinkState = link::State::VersionVer;
    SendCommand(QStringLiteral("VER"));
    timerOn();
}

void Sequencer::handleVersionVer(const QString& line)
{
    timerOff();
    if (line == QLatin1String("NG")) {
        ctx_.app.HardVersion = 1;
        ctx_.app.HardVersionText = QStringLiteral("1");
    } else if (lengthTest(line, 8) && prefixTest(line, QStringLiteral("VER"), 3)) {
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
    return clients_.version ? clients_.version->bfVer_NoCheck() : false;
}

void Sequencer::assumeVersionFromUser()
{
    if (!clients_.version)
        return;
    ctx_.app.HardVersion = clients_.version->askAssumeVersion1() ? 1 : 2;
    clients_.version->bfVer_NoCheck();
}

// ---------------------------------------------------------------------------------------
// Time-out

void Sequencer::onTimeout()
{
    timerOff();
    ctx_.svc.pointer.setPointer(MousePointer::Default);
    const TimeoutRow& row = timeoutRow(ctx_.link.LinkState);
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
        }
    }
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
    const link::State state = ctx_.link.LinkState;
    // A download sends its first command without the timer; its open TMP.DAT shows
    // that it is still running.
    const bool downloadRunning =
        state == link::State::DownloadData && ctx_.dataSet().isOpenForAppend();
    const bool exchangeRunning = timer_.isActive() || downloadRunning;
    timerOff();

    ctx_.svc.msg.show(
        {QStringLiteral("通信ポート") + portNumber + QStringLiteral(" が使用できなくなりました。") +
             kCrLf +
             QStringLiteral("ケーブルを確認して下さい。同じポートが使えるようになると、"
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
    auto& link = ctx_.link;
    if (link.ExchangeIndex < 0 || link.ExchangeIndex >= static_cast<int>(link.ExchangeList.size()))
        return nullptr;
    return &link.ExchangeList[static_cast<size_t>(link.ExchangeIndex)];
}

void Sequencer::accept(const QString& line)
{
    timerOff();
    if (ExchangeStep* step = currentStep())
        step->ReplyData = echoData(line, step->Command);
    ++ctx_.link.ExchangeIndex;
}

void Sequencer::continueExchange()
{
    if (exchangeDone())
        return;
    if (ExchangeStep* step = currentStep()) {
        SendCommand(step->Command);
        timerOn();
    }
}

void Sequencer::stepBack(const QString& line)
{
    if (ctx_.link.ExchangeIndex > 0)
        --ctx_.link.ExchangeIndex;
    if (ExchangeStep* step = currentStep())
        step->ReplyData = echoData(line, step->Command);
}

bool Sequencer::exchangeDone() const
{
    return ctx_.link.ExchangeIndex > ctx_.link.ExchangeLast;
}

void Sequencer::replaceList(std::vector<ExchangeStep> steps)
{
    auto& link = ctx_.link;
    link.ExchangeList = std::move(steps);
    link.ExchangeIndex = 0;
    link.ExchangeLast = static_cast<int>(link.ExchangeList.size()) - 1;
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
