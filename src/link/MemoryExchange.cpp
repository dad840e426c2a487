#include "link/MemoryExchange.h"

#include "link/AnswerTests.h"
#include "link/LinkTexts.h"
#include "link/MemoryInfo.h"
#include "link/MemoryTexts.h"
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

void MemoryExchange::handleLine(Sequencer& seq, link::State linkState, int, const QString& line)
{
    switch (linkState) {
    case link::State::DownloadListStatus:
        listStatus(seq, line);
        break;
    case link::State::DownloadListCount:
        listCount(seq, line);
        break;
    case link::State::DownloadListInfo:
        listInfo(seq, line);
        break;
    case link::State::DownloadStatus:
        downloadStatus(seq, line);
        break;
    case link::State::DownloadData:
        downloadData(seq, line);
        break;
    default:
        break;
    }
}

// State 7: the status before the memory list.
void MemoryExchange::listStatus(Sequencer& seq, const QString& line)
{
    ExchangeStep* step = seq.currentStep();
    if (!step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.timerOff();
    step->ReplyData = echoData(line, step->Command);
    if (line.at(4) != QLatin1Char('0')) {
        refuseList(seq, memory_text::kMeasuringNoList);
        return;
    }
    seq.replaceList({blockCountStep()});
    seq.context().link.LinkState = link::State::DownloadListCount;
    seq.continueExchange();
}

// State 8: the number of blocks.
void MemoryExchange::listCount(Sequencer& seq, const QString& line)
{
    // An answer without a usable count is left to the time-out.
    const std::optional<int> blocks = takeBlockCount(seq, line);
    if (!blocks)
        return;
    if (*blocks == 0) {
        refuseList(seq, memory_text::kNoMemory);
        return;
    }
    readMemoryInfo(seq, *blocks, link::State::DownloadListInfo);
}

// State 9: the five "CMI" reads of every block.
void MemoryExchange::listInfo(Sequencer& seq, const QString& line)
{
    if (takeMemoryInfo(seq, line) && dialog_)
        dialog_->DispMemory();
}

void MemoryExchange::refuseList(Sequencer& seq, const QString& text)
{
    // The dialog waited with the hourglass since it loaded.
    seq.context().svc.pointer.setPointer(MousePointer::Default);
    if (!dialog_)
        return;
    dialog_->setEnabled(true);
    dialog_->showSingleLine(text);
}

// State 19: the status before the download. It is tested like every status
// answer, so that a stray line cannot start or refuse a download.
void MemoryExchange::downloadStatus(Sequencer& seq, const QString& line)
{
    Context& ctx = seq.context();
    ExchangeStep* step = seq.currentStep();
    if (!downloadRunning(ctx) || !step || !lengthTest(line, *step) || !echoTest(line, *step))
        return;
    seq.timerOff();
    step->ReplyData = echoData(line, step->Command);
    if (meterMeasuring(line)) {
        abandonDownload(seq);
        if (clients_.main)
            clients_.main->clearBusyText();
        ctx.svc.pointer.setPointer(MousePointer::Default);
        if (dialog_)
            dialog_->setEnabled(true);
        ctx.svc.msg.info(memory_text::kMeasuringNoDownload + kCrLf + memory_text::kEndMeasurement);
        if (dialog_)
            dialog_->disableDownload();
        return;
    }
    ++ctx.link.ExchangeIndex;
    ctx.link.LinkState = link::State::DownloadData;
    // The time-out runs from the first command on: a meter that never starts
    // sending would otherwise leave the dialog waiting for ever.
    seq.continueExchange();
}

// State 20: the record lines and block ends of the download commands.
void MemoryExchange::downloadData(Sequencer& seq, const QString& line)
{
    Context& ctx = seq.context();
    if (!downloadRunning(ctx))
        return;
    if (line == QLatin1String("NG")) {
        if (clients_.main)
            clients_.main->clearBusyText();
        seq.timerOff();
        // The meter has ended the download: whatever it still sends is not taken.
        ctx.link.LinkState = link::State::Idle;
        abandonDownload(seq);
        ctx.svc.pointer.setPointer(MousePointer::Default);
        ctx.svc.msg.info(memory_text::kDownloadRefused);
        if (dialog_)
            dialog_->setEnabled(true);
        return;
    }
    // "RMME" also begins with "RMM": the block end is tested first.
    if (line.startsWith(QLatin1String("RMME"))) {
        seq.timerOff();
        ++ctx.link.ExchangeIndex;
        if (!seq.exchangeDone()) {
            seq.continueExchange();
            return;
        }
        ctx.dataSet().CloseTmp();
        ctx.link.LinkState = link::State::Idle;
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
        seq.timerOff();
        if (clients_.main)
            clients_.main->Download_Recv(line.mid(3));
        seq.timerOn();
    }
}

void MemoryExchange::abandonDownload(Sequencer& seq)
{
    seq.context().dataSet().CloseTmp();
    if (clients_.main)
        clients_.main->downloadAbandoned();
}

} // namespace quellin
