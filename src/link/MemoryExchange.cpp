#include "link/MemoryExchange.h"

#include "link/AnswerTests.h"
#include "link/LinkTexts.h"
#include "link/MemoryInfo.h"
#include "link/MemoryTexts.h"
#include "link/RunningExchange.h"
#include "link/Sequencer.h"
#include "store/ModFile.h"

namespace quellin {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A download runs while the TMP.DAT it opened is open: once it has failed (or
// timed out), late lines of the meter are not taken for it.
bool downloadRunning(const Context& ctx)
{
    return ctx.dataSet().isOpenForAppend();
}

} // namespace

void MemoryExchange::attach(DownloadDialogClient* dialog)
{
    dialog_ = dialog;
    clients_.download = dialog;
}

void MemoryExchange::detach(DownloadDialogClient* dialog)
{
    if (dialog_ != dialog)
        return;
    dialog_ = nullptr;
    clients_.download = nullptr;
}

void MemoryExchange::handleLine(RunningExchange& ex, int, const QString& line)
{
    switch (ex.state()) {
    case link::State::DownloadListStatus:
        listStatus(ex, line);
        break;
    case link::State::DownloadListCount:
        listCount(ex, line);
        break;
    case link::State::DownloadListInfo:
        listInfo(ex, line);
        break;
    case link::State::DownloadStatus:
        downloadStatus(ex, line);
        break;
    case link::State::DownloadData:
        downloadData(ex, line);
        break;
    default:
        break;
    }
}

// State 7: the status before the memory list.
void MemoryExchange::listStatus(RunningExchange& ex, const QString& line)
{
    ExchangeStep* step = ex.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.timerOff();
    step->ReplyData = echoData(line, step->Command);
    if (line.at(4) != QLatin1Char('0')) {
        refuseList(ex, memory_text::measuringNoList());
        return;
    }
    ex.replaceList({blockCountStep()});
    ex.enter(link::State::DownloadListCount);
    ex.continueExchange();
}

// State 8: the number of blocks.
void MemoryExchange::listCount(RunningExchange& ex, const QString& line)
{
    // An answer without a usable count is left to the time-out.
    const std::optional<int> blocks = takeBlockCount(ex, line);
    if (!blocks)
        return;
    if (*blocks == 0) {
        refuseList(ex, memory_text::noMemory());
        return;
    }
    readMemoryInfo(ex, *blocks, link::State::DownloadListInfo);
}

// State 9: the five "CMI" reads of every block.
void MemoryExchange::listInfo(RunningExchange& ex, const QString& line)
{
    if (!takeMemoryInfo(ex, line) || !dialog_)
        return;
    // Every block is read: the list is over before the dialog shows it.
    ex.end();
    dialog_->DispMemory(ex.replies());
}

void MemoryExchange::refuseList(RunningExchange& ex, const QString& text)
{
    // The dialog waited with the hourglass since it loaded.
    ex.context().svc.pointer.setPointer(MousePointer::Default);
    if (!dialog_)
        return;
    dialog_->setEnabled(true);
    dialog_->showSingleLine(text);
}

// State 19: the status before the download. It is tested like every status
// answer, so that a stray line cannot start or refuse a download.
void MemoryExchange::downloadStatus(RunningExchange& ex, const QString& line)
{
    Context& ctx = ex.context();
    ExchangeStep* step = ex.currentStep();
    if (!downloadRunning(ctx) || !step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    ex.timerOff();
    step->ReplyData = echoData(line, step->Command);
    if (meterMeasuring(line)) {
        abandonDownload(ex);
        if (clients_.main)
            clients_.main->clearBusyText();
        ctx.svc.pointer.setPointer(MousePointer::Default);
        if (dialog_)
            dialog_->setEnabled(true);
        ctx.svc.msg.info(memory_text::measuringNoDownload() + kCrLf + memory_text::endMeasurement());
        if (dialog_)
            dialog_->disableDownload();
        return;
    }
    if (cancelling(ex)) {
        ex.end();
        abandonDownload(ex);
        finishCancel(ex);
        return;
    }
    ex.advance();
    ex.enter(link::State::DownloadData);
    // The time-out runs from the first command on: a meter that never starts
    // sending would otherwise leave the dialog waiting for ever.
    ex.continueExchange();
}

// State 20: the record lines and block ends of the download commands.
void MemoryExchange::downloadData(RunningExchange& ex, const QString& line)
{
    Context& ctx = ex.context();
    if (!downloadRunning(ctx))
        return;
    if (line == QLatin1String("NG")) {
        if (clients_.main)
            clients_.main->clearBusyText();
        ex.timerOff();
        // The meter has ended the download: whatever it still sends is not taken.
        ex.end();
        abandonDownload(ex);
        ctx.svc.pointer.setPointer(MousePointer::Default);
        ctx.svc.msg.info(memory_text::downloadRefused());
        if (dialog_)
            dialog_->setEnabled(true);
        return;
    }
    // "RMME" also begins with "RMM": the block end is tested first.
    if (line.startsWith(QLatin1String("RMME"))) {
        ex.timerOff();
        ex.advance();
        if (cancelling(ex)) {
            ex.end();
            abandonDownload(ex);
            finishCancel(ex);
            return;
        }
        if (!ex.done()) {
            ex.continueExchange();
            return;
        }
        ctx.dataSet().CloseTmp();
        ex.end();
        if (clients_.main) {
            clients_.main->clearBusyText();
            clients_.main->DispDownload();
        }
        ctx.svc.pointer.setPointer(MousePointer::Default);
        if (dialog_)
            dialog_->unload();
        return;
    }
    if (line.startsWith(QLatin1String("RMM"))) {
        ex.timerOff();
        if (clients_.main && !cancelling(ex))
            clients_.main->Download_Recv(line.mid(3));
        ex.timerOn();
    }
}

bool MemoryExchange::cancelDownload(const Sequencer& seq)
{
    const link::State state = seq.LinkState();
    if (!downloadRunning(seq.context()) ||
        (state != link::State::DownloadStatus && state != link::State::DownloadData))
        return false;
    cancelled_ = seq.exchangeSerial();
    return true;
}

bool MemoryExchange::cancelling(const RunningExchange& ex) const
{
    return cancelled_ != 0 && cancelled_ == ex.serial();
}

void MemoryExchange::finishCancel(RunningExchange& ex)
{
    // The busy text was replaced by the note of what was discarded: it stays.
    ex.context().svc.pointer.setPointer(MousePointer::Default);
    if (dialog_)
        dialog_->setEnabled(true);
}

void MemoryExchange::abandonDownload(RunningExchange& ex)
{
    cancelled_ = 0;
    ex.context().dataSet().CloseTmp();
    if (clients_.main)
        clients_.main->downloadAbandoned();
}

} // namespace quellin
