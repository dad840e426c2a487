// Thousands of damaged data files (cut short, bytes changed, commas, quotes and
// line breaks put in, lines doubled or dropped), made from the good fixtures
// with a fixed seed: the loader never crashes and either loads a consistent data
// set or refuses the file cleanly.

#include "CsvTestSupport.h"
#include "store/CsvFile.h"
#include "store/CsvLoad.h"

#include <QFile>
#include <gtest/gtest.h>
#include <random>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : rng_(seed) {}

    QByteArray mutate(QByteArray bytes)
    {
        const int rounds = pick(1, 3);
        for (int i = 0; i < rounds; ++i)
            once(bytes);
        return bytes;
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    qsizetype position(const QByteArray& b) { return pick(0, static_cast<int>(b.size())); }

    void once(QByteArray& b)
    {
        static const char kInserts[] = {',', '"', '\r', '\n', ' ', '.', '-', 'E', '9', '\0'};
        switch (pick(0, 7)) {
        case 0:
            b.truncate(position(b));
            break;
        case 1:
            if (!b.isEmpty())
                b[pick(0, static_cast<int>(b.size()) - 1)] = static_cast<char>(pick(0, 255));
            break;
        case 2:
            if (!b.isEmpty()) // flip one bit
                b[pick(0, static_cast<int>(b.size()) - 1)] ^= static_cast<char>(1 << pick(0, 7));
            break;
        case 3:
            b.insert(position(b), kInserts[pick(0, sizeof kInserts - 1)]);
            break;
        case 4: {
            const qsizetype at = position(b);
            b.remove(at, pick(1, 40));
            break;
        }
        case 5: { // double a line
            const qsizetype start = b.lastIndexOf('\n', position(b)) + 1;
            const qsizetype end = b.indexOf('\n', start);
            if (end > start)
                b.insert(end + 1, b.mid(start, end - start + 1));
            break;
        }
        case 6: { // swap two data characters
            if (b.size() > 2) {
                const int i = pick(0, static_cast<int>(b.size()) - 2);
                std::swap(b[i], b[i + 1]);
            }
            break;
        }
        default:
            b.insert(position(b), QByteArray(pick(1, 5), ','));
        }
    }

    std::mt19937 rng_;
};

TEST(DamagedFiles, NeverCrashAndLoadConsistentlyOrNotAtAll)
{
    const QString seeds[] = {QStringLiteral("v1_three_phase.csv"),
                             QStringLiteral("v2_single_three_wire.csv"),
                             QStringLiteral("v1_single_two_wire.csv"),
                             QStringLiteral("v2_columns_off.csv"), QStringLiteral("utf8_bom.csv")};
    std::vector<QByteArray> originals;
    for (const QString& s : seeds) {
        originals.push_back(fixture(s));
        ASSERT_FALSE(originals.back().isEmpty());
    }

    TestContext t;
    Mutator mutator(20020601);
    const QString path = t.path(QStringLiteral("damaged.csv"));
    int loaded = 0;
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        useVersion(*t.ctx, 1 + i % 2);
        const QByteArray bytes =
            mutator.mutate(originals[static_cast<size_t>(i) % originals.size()]);
        writeBytes(path, bytes);
        t.msg.clear();
        const bool ok = LoadDataFile(*t.ctx, path);
        const DataSetProperties& st = t.ctx->dataSet().properties();
        const std::string what = "case " + std::to_string(i) + ": " + bytes.toHex().toStdString();
        ASSERT_FALSE(test::DataSetAccess::writer(t.ctx->dataSet())) << what;
        if (ok) {
            ++loaded;
            ASSERT_TRUE(t.msg.shown.empty()) << what;
            ASSERT_GE(st.RecordCount, 2) << what;
            ASSERT_EQ(tmpDatSize(*t.ctx), static_cast<qint64>(st.RecordCount) * kRecordBytes)
                << what;
            ASSERT_TRUE(t.ctx->app.DataPresent) << what;
            const std::vector<DataRecord> recs = recordsOf(*t.ctx);
            for (size_t r = 1; r < recs.size(); ++r)
                ASSERT_GE(vbdate::secondsBetween(recs[r - 1].time(), recs[r].time()), 0) << what;
            ASSERT_EQ(st.FirstTime, recs.front().time()) << what;
            ASSERT_EQ(st.LastTime, recs.back().time()) << what;
            ASSERT_NE(st.SampleInterval, 0) << what;
        } else {
            ++refused;
            ASSERT_EQ(t.msg.shown.size(), 1u) << what;
            ASSERT_EQ(st.RecordCount, 0) << what;
            ASSERT_EQ(tmpDatSize(*t.ctx), -1) << what;
            ASSERT_FALSE(t.ctx->app.DataPresent) << what;
        }
    }
    // The mutations reach both outcomes (a fuzz run that only ever refuses or
    // only ever loads would test nothing).
    EXPECT_GT(loaded, 300);
    EXPECT_GT(refused, 300);
}

} // namespace
