// Record lines of a download (the text after "RMM", one per input line) through
// the reception into TMP.DAT, for the wiring, interval and version the first
// byte picks, then the finished data set prepared (or discarded) as the main
// window does.

#include "dialogs/MemoryCommands.h"
#include "main/DownloadReception.h"
#include "store/ModFile.h"
#include "support/Catalogue.h"
#include "support/TestContext.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

using namespace quellin;

namespace {

test::TestContext& harness()
{
    static int argc = 1;
    static char name[] = "fuzz_download_line";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static test::TestContext tc;
    return tc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    Context& ctx = *harness().ctx;
    const int version = (data[0] & 0x80) != 0 ? 2 : 1;
    test::giveTestCatalogue(ctx, version);
    const int wiring = data[0] % 3;
    const int interval = (data[0] >> 2) % 6;
    const std::vector<MemoryBlockInfo> blocks = {
        {wiring, interval, QStringLiteral("2002/06/01 10:00"), 50, 9999}};
    const DownloadPlanResult plan = planDownload(blocks, 0);
    if (!plan.plan)
        return 0;
    DownloadCounts counts;
    prepareDownload(ctx, counts, *plan.plan);
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 1),
                                             static_cast<qsizetype>(size - 1));
    for (QStringView line : QStringView(text).split(QLatin1Char('\n')))
        Download_Recv(ctx, counts, line);
    (void)downloadProgressText(counts);
    if (prepareDownloadedDataSet(ctx, counts))
        (void)downloadOutcomeText(counts);
    else
        (void)discardDownload(ctx, counts);
    ctx.dataSet().CloseTmp();
    return 0;
}
