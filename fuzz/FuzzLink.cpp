// The receive path with the sequencer in every link state and behind every real
// exchange a dialog starts: the first byte picks either a bare state or one of
// the exchanges (settings, measurement mode, memory list, logging, clearing,
// download), the second whether a measurement runs and the meter's version; the
// rest arrives as serial bytes, in pieces whose sizes the input also decides. The
// time-out of whatever state the bytes left fires at the end. Downloaded records
// go through the real reception into TMP.DAT.

#include "dialogs/MemoryCommands.h"
#include "link/DialogExchanges.h"
#include "link/LinkDoubles.h"
#include "main/DownloadReception.h"
#include "store/ModFile.h"
#include "support/Catalogue.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

using namespace quellin;

namespace {

// The main window's side of a download, without the window.
class DownloadMain : public test::RecordingMain {
public:
    DownloadMain(test::CallLog& log, Context& ctx) : RecordingMain(log), ctx_(ctx) {}
    void Download_Recv(const QString& text) override
    {
        quellin::Download_Recv(ctx_, counts, text);
        if (downloadProgressDue(counts))
            (void)downloadProgressText(counts);
    }
    void DispDownload() override
    {
        if (prepareDownloadedDataSet(ctx_, counts))
            (void)downloadOutcomeText(counts);
        else
            (void)discardDownload(ctx_, counts);
    }
    void downloadAbandoned() override { (void)discardDownload(ctx_, counts); }
    DownloadCounts counts;

private:
    Context& ctx_;
};

class DownloadDialog : public DownloadDialogClient {
public:
    void setEnabled(bool) override {}
    void unload() override {}
    void showSingleLine(const QString& text) override { chars += text.size(); }
    void disableDownload() override {}
    qsizetype chars = 0;
};

class LogingDialog : public LogingMemDialogClient {
public:
    void setEnabled(bool) override {}
    void unload() override {}
    void showSingleLine(const QString& text) override { chars += text.size(); }
    qsizetype chars = 0;
};

struct Harness {
    Harness()
    {
        test::giveTestCatalogue(link.ctx(), 2);
        link.clients.main = &main;
        exchanges.memory.attach(&downloadDialog);
        exchanges.loging.attach(&logingDialog);
    }
    test::LinkFixture link;
    DownloadMain main{link.log, link.ctx()};
    DialogExchanges exchanges{link.clients};
    DownloadDialog downloadDialog;
    LogingDialog logingDialog;
};

Harness& harness()
{
    static int argc = 1;
    static char name[] = "fuzz_link";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Harness h;
    return h;
}

constexpr int kStates[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                           13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 99};
constexpr int kExchanges = 10;

// Starts one of the dialogs' exchanges as the dialog would.
void startExchange(Harness& h, int which)
{
    Context& ctx = h.link.ctx();
    Sequencer& seq = h.link.seq;
    switch (which) {
    case 0:
        startSettingsRead(seq);
        break;
    case 1:
        startSettingsWrite(seq, {QStringLiteral("SDS0"), QStringLiteral("SMB1")});
        break;
    case 2:
        startModeRead(seq);
        break;
    case 3:
        startModeSend(seq, QStringLiteral("SMD10"));
        break;
    case 4:
        startDownloadList(seq);
        break;
    case 5:
        startLogingStatus(seq);
        break;
    case 6:
        startMemoryCount(seq);
        break;
    case 7:
        startLogingSend(seq, 1);
        break;
    case 8:
        startClear(ctx, seq, clearAllSteps());
        break;
    default: {
        // A two-block measurement of 40 one-minute records.
        const std::vector<MemoryBlockInfo> blocks = {
            {2, 0, QStringLiteral("2002/06/01 10:00"), 50, 25}, {8, -1, QString(), 0, 15}};
        const DownloadPlanResult plan = planDownload(blocks, 0);
        if (plan.plan)
            startDownload(ctx, h.main.counts, seq, *plan.plan);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    Harness& h = harness();
    Context& ctx = h.link.ctx();
    h.link.log.clear();
    h.link.tc.msg.clear();
    h.link.transport.writes.clear();
    h.link.input.reset();
    ctx.app.Measuring = (data[1] & 1) != 0;
    ctx.app.HardVersion = (data[1] & 2) != 0 ? 2 : 1;
    const int pick = data[0] % (static_cast<int>(std::size(kStates)) + kExchanges);
    if (pick < static_cast<int>(std::size(kStates))) {
        // The bare state with no list.
        h.link.seq.startExchange(static_cast<link::State>(kStates[pick]), {});
    } else {
        h.link.seq.endExchange();
        startExchange(h, pick - static_cast<int>(std::size(kStates)));
    }

    const char* bytes = reinterpret_cast<const char*>(data + 2);
    std::size_t left = size - 2;
    std::size_t piece = 1 + (data[1] >> 2);
    while (left > 0) {
        const std::size_t n = std::min(left, piece);
        h.link.input.bytesReceived(QByteArrayView(bytes, static_cast<qsizetype>(n)));
        bytes += n;
        left -= n;
        piece = piece * 3 % 61 + 1;
    }
    // The pause before "SLG" ends and the lines it held are handled.
    QCoreApplication::processEvents();
    h.link.seq.onTimeout();
    ctx.dataSet().CloseTmp();
    return 0;
}
