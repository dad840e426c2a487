#include "store/CsvSave.h"
#include "CsvTestSupport.h"
#include "store/CsvFile.h"
#include "store/CsvLoad.h"
#include "support/EnglishTexts.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

struct SaveCase {
    const char* fixture; // tests/data/csv/<fixture>, also the saved file's name
    int version;
    int wiring;
    int records;
    std::vector<int> absent; // columns not present in the data set
    std::vector<int> off;    // columns switched off
};

class SavedFile : public ::testing::TestWithParam<SaveCase> {};

// The case's data set in t, and the path its file is saved to.
QString storeCase(TestContext& t, const SaveCase& c)
{
    useVersion(*t.ctx, c.version);
    std::vector<DataRecord> records = knownRecords();
    records.resize(static_cast<size_t>(c.records));
    storeRecords(*t.ctx, records, c.wiring);
    for (int col : c.absent)
        test::props(*t.ctx).ColumnPresent[static_cast<size_t>(col)] = false;
    for (int col : c.off)
        t.ctx->cat.ColumnOn[static_cast<size_t>(col)] = false;
    return t.path(QString::fromLatin1(c.fixture));
}

TEST_P(SavedFile, MatchesTheFileWrittenByHand)
{
    const SaveCase& c = GetParam();
    TestContext t;
    const QString path = storeCase(t, c);
    ASSERT_TRUE(SaveDataFile(*t.ctx, path));
    EXPECT_TRUE(t.msg.shown.empty());
    const QByteArray expected = fixture(QString::fromLatin1(c.fixture));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(readBytes(path), expected);
}

// The file is a format, not a text for the reader: saved while the program
// speaks English it is the same file, and it loads back as it was.
TEST_P(SavedFile, IsTheSameFileInEnglishAndLoadsBack)
{
    const SaveCase& c = GetParam();
    const EnglishTexts english;
    ASSERT_TRUE(english.loaded());
    TestContext t;
    const QString path = storeCase(t, c);
    ASSERT_TRUE(SaveDataFile(*t.ctx, path));
    EXPECT_EQ(readBytes(path), fixture(QString::fromLatin1(c.fixture)));
    ASSERT_TRUE(LoadDataFile(*t.ctx, path)) << (t.msg.shown.empty() ? std::string()
                                                : t.msg.shown[0].text.toStdString());
    EXPECT_EQ(recordsOf(*t.ctx).size(), static_cast<size_t>(c.records));
    EXPECT_EQ(t.ctx->dataSet().DataWiring(), c.wiring);
}

INSTANTIATE_TEST_SUITE_P(
    DataSets, SavedFile,
    ::testing::Values(SaveCase{"v1_three_phase.csv", 1, 2, 3, {}, {}},
                      SaveCase{"v2_single_three_wire.csv", 2, 1, 3, {}, {}},
                      SaveCase{"v1_single_two_wire.csv", 1, 0, 2, {3, 5}, {}},
                      SaveCase{"v2_columns_off.csv", 2, 2, 2, {}, {7, 10, 12, 14, 16}}),
    [](const auto& info) {
        std::string n = info.param.fixture;
        return n.substr(0, n.find('.'));
    });

// A missing value (NaN: a reading that was not a number) is written so that it
// loads back as missing, never as a number.
TEST(SavedFile, AMissingValueLoadsBackMissing)
{
    TestContext t;
    useVersion(*t.ctx, 2);
    std::vector<DataRecord> records = knownRecords();
    records[1].setColumn(6, std::numeric_limits<double>::quiet_NaN());
    records[1].setColumn(7, std::numeric_limits<double>::quiet_NaN());
    storeRecords(*t.ctx, records, 1);
    const QString path = t.path(QStringLiteral("missing.csv"));
    ASSERT_TRUE(SaveDataFile(*t.ctx, path));
    ASSERT_TRUE(LoadDataFile(*t.ctx, path)) << (t.msg.shown.empty() ? std::string()
                                                : t.msg.shown[0].text.toStdString());
    const std::vector<DataRecord> loaded = recordsOf(*t.ctx);
    ASSERT_EQ(loaded.size(), 3u);
    for (int c = 2; c < kMaxColumns; ++c) {
        const double v = loaded[1].column(c);
        EXPECT_EQ(std::isnan(v), c == 6 || c == 7) << c;
    }
    EXPECT_EQ(loaded[0].column(6), single(1000));
}

TEST(SavedFileHeader, AnUnknownWiringHasNoWiringLine)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    std::vector<DataRecord> records = knownRecords();
    storeRecords(*t.ctx, records, 7);
    const QString path = t.path(QStringLiteral("v1_three_phase.csv"));
    ASSERT_TRUE(SaveDataFile(*t.ctx, path));
    QByteArray expected = fixture(QStringLiteral("v1_three_phase.csv"));
    const qsizetype line2 = expected.indexOf("\r\n") + 2;
    expected.remove(line2, expected.indexOf("\r\n", line2) + 2 - line2);
    EXPECT_EQ(readBytes(path), expected);
}

TEST(SavedFileHeader, TheNameLineHoldsTheFileNameWithoutFolder)
{
    const struct {
        QString name;
        QByteArray line;
    } cases[] = {{QStringLiteral("data.csv"),
                  QByteArray::fromHex("837483408343838b96bc3d") + "\"data.csv\""},
                 {QStringLiteral("測定.csv"), QByteArray::fromHex("837483408343838b96bc3d") + "\"" +
                                                  QByteArray::fromHex("91aa92e8") + ".csv\""},
                 {QStringLiteral("a〜b.csv"), QByteArray::fromHex("837483408343838b96bc3d") +
                                                  "\"a" + QByteArray::fromHex("8160") + "b.csv\""}};
    for (const auto& c : cases) {
        TestContext t;
        useVersion(*t.ctx, 1);
        storeRecords(*t.ctx, knownRecords(), 2);
        QDir(t.dir.path()).mkdir(QStringLiteral("sub"));
        const QString path = t.path(QStringLiteral("sub/") + c.name);
        ASSERT_TRUE(SaveDataFile(*t.ctx, path));
        const QByteArray bytes = readBytes(path);
        EXPECT_EQ(bytes.left(bytes.indexOf("\r\n")), c.line) << c.name.toStdString();
    }
}

TEST(SavedFileHeader, EmptyDataSetWritesTheHeaderOnly)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    ResetStore(*t.ctx);
    test::props(*t.ctx).DataWiring = 2;
    test::props(*t.ctx).ColumnPresent.assign(13, true);
    const QString path = t.path(QStringLiteral("v1_three_phase.csv"));
    ASSERT_TRUE(SaveDataFile(*t.ctx, path));
    const QByteArray full = fixture(QStringLiteral("v1_three_phase.csv"));
    qsizetype headerEnd = 0;
    for (int i = 0; i < 3; ++i)
        headerEnd = full.indexOf("\r\n", headerEnd) + 2;
    EXPECT_EQ(readBytes(path), full.left(headerEnd));
}

// A failure must never look like success, and never leave half a file behind
// in place of the one the user had.
TEST(SaveFailure, IsReportedAndLeavesAnExistingFileAlone)
{
    enum class Fault { NoFolder, PathIsFolder, TmpDatShort };
    const struct {
        const char* name;
        Fault fault;
        int errorNumber;
    } cases[] = {{"missing folder", Fault::NoFolder, 76},
                 {"path is a folder", Fault::PathIsFolder, 75},
                 {"TMP.DAT shorter than the record count", Fault::TmpDatShort, 0}};
    for (const auto& c : cases) {
        TestContext t;
        useVersion(*t.ctx, 1);
        storeRecords(*t.ctx, knownRecords(), 2);
        QString path = t.path(QStringLiteral("old.csv"));
        writeBytes(path, "previous contents");
        switch (c.fault) {
        case Fault::NoFolder:
            path = t.path(QStringLiteral("no/such/folder/x.csv"));
            break;
        case Fault::PathIsFolder:
            path = t.path(QStringLiteral("folder.csv"));
            QDir(t.dir.path()).mkdir(QStringLiteral("folder.csv"));
            break;
        case Fault::TmpDatShort:
            path = t.path(QStringLiteral("new.csv"));
            test::props(*t.ctx).RecordCount = 5000; // the file holds 3
            break;
        }
        EXPECT_FALSE(SaveDataFile(*t.ctx, path)) << c.name;
        ASSERT_EQ(t.msg.shown.size(), 1u) << c.name;
        const MessageRequest& box = t.msg.shown.front();
        EXPECT_TRUE(box.text.startsWith(QStringLiteral("SaveDataFileでエラーが起こりました。\r")))
            << box.text.toStdString();
        if (c.fault != Fault::TmpDatShort) {
            EXPECT_TRUE(box.text.contains(QStringLiteral("エラー：%1 / ").arg(c.errorNumber)))
                << box.text.toStdString();
        }
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_EQ(readBytes(t.path(QStringLiteral("old.csv"))), QByteArray("previous contents"));
        if (c.fault == Fault::TmpDatShort) {
            EXPECT_FALSE(QFile::exists(path)) << "no half file";
        }
    }
}

TEST(SaveFailure, AFailedSaveKeepsTheFileItWouldHaveReplaced)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    storeRecords(*t.ctx, knownRecords(), 2);
    const QString path = t.path(QStringLiteral("keep.csv"));
    writeBytes(path, "the user's earlier file");
    test::props(*t.ctx).RecordCount = 10; // reading TMP.DAT fails half way
    EXPECT_FALSE(SaveDataFile(*t.ctx, path));
    EXPECT_EQ(readBytes(path), QByteArray("the user's earlier file"));
}

} // namespace
