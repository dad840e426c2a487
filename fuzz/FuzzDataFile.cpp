// The data-file loader on any bytes. A file it accepts must save and load back
// to the same records: a round trip that changes the data set is a fault.

#include "store/CsvLoad.h"
#include "store/CsvSave.h"
#include "store/ModFile.h"
#include "support/Catalogue.h"
#include "support/TestContext.h"

#include <QCoreApplication>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace quellin;

namespace {

struct Harness {
    test::TestContext tc;
};

Harness& harness()
{
    static int argc = 1;
    static char name[] = "fuzz_data_file";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Harness h;
    return h;
}

std::vector<DataRecord> allRecords(const Context& ctx)
{
    return ctx.dataSet().RecordCount() > 0
               ? ctx.dataSet().ReadRecords(1, ctx.dataSet().RecordCount())
               : std::vector<DataRecord>{};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Harness& h = harness();
    Context& ctx = *h.tc.ctx;
    test::giveTestCatalogue(ctx, size > 0 && (data[0] & 1) ? 2 : 1);
    h.tc.msg.clear();
    const QString path = h.tc.path(QStringLiteral("fuzz.csv"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    if (!LoadDataFile(ctx, path))
        return 0;
    const std::vector<DataRecord> first = allRecords(ctx);
    const QString again = h.tc.path(QStringLiteral("again.csv"));
    if (!SaveDataFile(ctx, again) || !LoadDataFile(ctx, again))
        std::abort(); // what loaded once must save and load again
    const std::vector<DataRecord> second = allRecords(ctx);
    if (first.size() != second.size())
        std::abort();
    for (std::size_t i = 0; i < first.size(); ++i) {
        // The file keeps what it shows (four significant digits of a measured
        // value), so the first save may round; numbers and times never change.
        if (first[i].number != second[i].number || first[i].time() != second[i].time())
            std::abort();
    }
    // From the program's own file on, saving and loading change nothing.
    const QString third = h.tc.path(QStringLiteral("third.csv"));
    if (!SaveDataFile(ctx, third))
        std::abort();
    QFile a(again), b(third);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        std::abort();
    // The file-name line names the file itself: compare from the second line on.
    QByteArray textA = a.readAll(), textB = b.readAll();
    textA.remove(0, textA.indexOf('\n'));
    textB.remove(0, textB.indexOf('\n'));
    if (textA != textB)
        std::abort();
    return 0;
}
