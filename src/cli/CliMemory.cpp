#include "cli/CliMemory.h"

#include "base/ErrorReport.h"
#include "dialogs/MemoryCommands.h"
#include "link/MemoryExchange.h"
#include "link/MemoryTexts.h"
#include "main/DownloadReception.h"
#include "platform/Tx.h"
#include "store/CsvSave.h"
#include "store/ModFile.h"

namespace quellin {

namespace {

// The list: "CMD", "CBN" and five "CMI" per block, each within the time-out.
constexpr int kListWaitMs = 10 * 60 * 1000;
// A download ends by its last block end or by a time-out between two lines; its
// length depends on the records (24,800 take minutes at 9600 baud).
constexpr int kDownloadWaitMs = 24 * 60 * 60 * 1000;
constexpr int kProgressIntervalMs = 1000;

} // namespace

CliMemory::CliMemory(CliSession& session) : session_(session), ctx_(session.ctx())
{
    session_.clients().main = this;
    session_.memoryExchange().attach(this);
}

CliMemory::~CliMemory()
{
    session_.memoryExchange().detach(this);
    session_.clients().main = nullptr;
}

void CliMemory::DispMemory(const ExchangeReplies& replies)
{
    blocks_ = memoryBlocksFrom(replies);
    listed_ = true;
}

CliExit CliMemory::readList()
{
    startDownloadList(session_.seq());
    session_.waitFor(
        [&] { return listed_ || unloaded_ || !singleLine_.isEmpty() || session_.linkFailed(); },
        kListWaitMs);
    if (session_.interrupted())
        return session_.interruptedExit();
    if (listed_)
        return CliExit::Done;
    if (!singleLine_.isEmpty()) {
        // The meter holds nothing (a list of nothing), or it measures (refused).
        writeLine(session_.out(), singleLine_);
        return singleLine_ == memory_text::noMemory() ? CliExit::Done : CliExit::Refused;
    }
    return CliExit::LinkFailure;
}

CliExit CliMemory::list()
{
    const CliExit e = readList();
    if (e != CliExit::Done || !listed_)
        return e;
    writeLine(session_.out(), memoryListHeader());
    for (const MemoryListLine& line : memoryListLines(blocks_))
        writeLine(session_.out(), line.text);
    return CliExit::Done;
}

CliExit CliMemory::download()
{
    const CliExit e = readList();
    if (e != CliExit::Done)
        return e;
    const std::vector<MemoryListLine> lines = memoryListLines(blocks_);
    const int n = session_.options().downloadNumber;
    if (!listed_ || n >= static_cast<int>(lines.size())) {
        writeLine(session_.err(),
                  TX("メモリ一覧に番号 %1 の計測はありません。").arg(n));
        return CliExit::Refused;
    }
    const DownloadPlanResult planned =
        planDownload(blocks_, lines[static_cast<size_t>(n)].firstBlock);
    if (!planned.plan) {
        writeLine(session_.err(), terminalText(planned.error));
        return CliExit::Refused;
    }
    if (!session_.keepLeftoverDataSet())
        return CliExit::Refused;
    const bool started = trapped(ctx_, "CmdDownLoad_Click", false, [&] {
        startDownload(ctx_, download_.counts(), session_.seq(), *planned.plan);
        return true;
    });
    if (!started) {
        ctx_.dataSet().CloseTmp();
        return CliExit::Refused;
    }
    // The first stop signal cancels: the meter cannot be stopped within a block, so
    // the block it sends drains; a second one ends at once.
    session_.onStopSignal([this](int received) {
        if (received == 1 && session_.memoryExchange().cancelDownload(session_.seq())) {
            writeLine(session_.err(),
                      TX("ダウンロードを中止します。電力計が送信中のブロックを"
                                     "送り終えるまで待ちます（もう一度で直ちに終了）。"));
            cancelled_ = true;
            return;
        }
        session_.interrupt();
    });
    session_.waitFor([&] { return downloadEnded_ || refused_; }, kDownloadWaitMs);
    session_.onStopSignal(nullptr);
    if (session_.interrupted() && !downloadEnded_) {
        ctx_.dataSet().CloseTmp();
        if (const QString note = download_.discard(); !note.isEmpty())
            writeLine(session_.err(), note);
        writeLine(session_.err(),
                  TX("電力計はダウンロードのブロックを送り続けている可能性があります。"));
        return session_.interruptedExit();
    }
    if (!downloadEnded_)
        return CliExit::Refused; // the meter measures: nothing was downloaded
    if (downloadExit_ != CliExit::Done)
        return downloadExit_;
    if (!SaveDataFile(ctx_, session_.options().save))
        return CliExit::Refused;
    ctx_.dataSet().DeleteTmpFile(); // the data file holds it now
    return CliExit::Done;
}

void CliMemory::Download_Recv(const QString& text)
{
    download_.Download_Recv(text);
    if (session_.options().quiet || !download_.progressDue())
        return;
    // A line a second at most, and the last: a fast line fills no screen.
    const bool last = download_.counts().RecordCounter >= download_.counts().Announced;
    if (!last && sinceProgress_.isValid() && sinceProgress_.elapsed() < kProgressIntervalMs)
        return;
    sinceProgress_.start();
    writeLine(session_.err(), download_.progressText());
}

void CliMemory::DispDownload()
{
    const DownloadEnd end = download_.finish();
    downloadEnded_ = true;
    if (!end.message.isEmpty())
        ctx_.svc.msg.show({end.message, {}, MsgButtons::Ok, MsgIcon::Exclamation, false});
    if (!end.statusText.isEmpty())
        writeLine(session_.err(), end.statusText);
    downloadExit_ = end.ready ? CliExit::Done : CliExit::Refused;
}

void CliMemory::downloadAbandoned()
{
    const QString note = download_.discard();
    if (!note.isEmpty())
        writeLine(session_.err(), note);
    downloadEnded_ = true;
    downloadExit_ = cancelled_ ? session_.interruptedExit() : session_.failureExit();
}

} // namespace quellin
