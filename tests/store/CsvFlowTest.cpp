// The main window's load and save commands around the data-file routines.

#include "CsvTestSupport.h"
#include "store/CsvFile.h"
#include "store/CsvLoad.h"
#include "store/CsvSave.h"
#include "store/DataFileFlow.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

QString copyFixture(TestContext& t, const QString& name, const QString& folder)
{
    QDir(t.dir.path()).mkpath(folder);
    const QString path = t.path(folder + QLatin1Char('/') + name);
    QFile::copy(fixturePath(name), path);
    return path;
}

TEST(LoadFlow, CancelChangesNothing)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    storeRecords(*t.ctx, knownRecords(), 2);
    const QString folderBefore = t.ctx->app.FilePath;
    t.files.answers.push_back(QString());
    EXPECT_FALSE(chooseAndLoadDataFile(*t.ctx, nullptr));
    ASSERT_EQ(t.files.opens.size(), 1u);
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 3);
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_EQ(t.ctx->app.FilePath, folderBefore);
    EXPECT_TRUE(t.pointer.history.empty());
}

TEST(LoadFlow, AsksWithTheCsvFilterInTheRememberedFolder)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    t.ctx->app.FilePath = QStringLiteral("/some/folder");
    t.files.answers.push_back(QString());
    chooseAndLoadDataFile(*t.ctx, nullptr);
    ASSERT_EQ(t.files.opens.size(), 1u);
    const FileDialogRequest& r = t.files.opens.front();
    EXPECT_EQ(r.filter, QStringLiteral("CSVﾌｧｲﾙ(*.csv)"));
    EXPECT_EQ(r.pattern, QStringLiteral("*.csv"));
    EXPECT_EQ(r.initialFolder, QStringLiteral("/some/folder"));
}

TEST(LoadFlow, LoadsTheChosenFileWithEveryColumnOn)
{
    TestContext t;
    useVersion(*t.ctx, 2);
    for (int c : {3, 7, 14})
        t.ctx->cat.ColumnOn[static_cast<size_t>(c)] = false;
    const QString path =
        copyFixture(t, QStringLiteral("v2_single_three_wire.csv"), QStringLiteral("files"));
    t.files.answers.push_back(path);
    EXPECT_TRUE(chooseAndLoadDataFile(*t.ctx, nullptr));
    EXPECT_EQ(t.ctx->cat.ColumnOn, std::vector<bool>(18, true));
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 3);
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_EQ(t.ctx->app.FilePath, t.path(QStringLiteral("files")));
    EXPECT_EQ(t.settings->read(QStringLiteral("FilePath"), {}), t.path(QStringLiteral("files")));
    EXPECT_EQ(t.pointer.history, (std::vector<int>{11, 0}));
}

TEST(LoadFlow, TheEarlierDataSetIsGoneBeforeTheFileIsRead)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    std::vector<DataRecord> many(20, knownRecords()[0]);
    for (int i = 0; i < 20; ++i)
        many[static_cast<size_t>(i)].setTime(at(9, 0, i));
    storeRecords(*t.ctx, many, 2);
    t.files.answers.push_back(
        copyFixture(t, QStringLiteral("v1_three_phase.csv"), QStringLiteral("d")));
    ASSERT_TRUE(chooseAndLoadDataFile(*t.ctx, nullptr));
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 3);
    EXPECT_EQ(tmpDatSize(*t.ctx), 3 * kRecordBytes);
    EXPECT_EQ(t.ctx->dataSet().FirstTime(), at(10, 0, 0));
}

TEST(LoadFlow, ARefusedFileLeavesAnEmptyStore)
{
    const char* const files[] = {"bad_short_line.csv", "bad_headers_only.csv", "bad_binary.csv"};
    for (const char* name : files) {
        TestContext t;
        useVersion(*t.ctx, 1);
        storeRecords(*t.ctx, knownRecords(), 2);
        t.files.answers.push_back(copyFixture(t, QString::fromLatin1(name), QStringLiteral("d")));
        EXPECT_FALSE(chooseAndLoadDataFile(*t.ctx, nullptr)) << name;
        EXPECT_EQ(t.msg.shown.size(), 1u) << name;
        EXPECT_EQ(t.ctx->dataSet().RecordCount(), 0) << name;
        EXPECT_FALSE(QFile::exists(t.ctx->tmpDatPath())) << name;
        EXPECT_FALSE(t.ctx->app.DataPresent) << name;
        EXPECT_EQ(t.pointer.current, 0) << name;
        // The folder is remembered all the same: the user chose it.
        EXPECT_EQ(t.ctx->app.FilePath, t.path(QStringLiteral("d"))) << name;
    }
}

TEST(LoadFlow, IsRefusedWhileAMeasurementWritesTheStore)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    storeRecords(*t.ctx, knownRecords(), 2);
    t.ctx->app.Measuring = true;
    t.files.answers.push_back(fixturePath(QStringLiteral("v1_three_phase.csv")));
    EXPECT_FALSE(chooseAndLoadDataFile(*t.ctx, nullptr));
    EXPECT_TRUE(t.files.opens.empty());
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 3);
}

TEST(SaveFlow, AsksWithTheCsvFilterAndDefaultExtensionAndNoTitle)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    storeRecords(*t.ctx, knownRecords(), 2);
    t.files.answers.push_back(QString());
    EXPECT_FALSE(chooseAndSaveDataFile(*t.ctx, nullptr));
    ASSERT_EQ(t.files.saves.size(), 1u);
    const FileDialogRequest& r = t.files.saves.front();
    EXPECT_EQ(r.filter, QStringLiteral("CSVﾌｧｲﾙ(*.csv)"));
    EXPECT_EQ(r.pattern, QStringLiteral("*.csv"));
    EXPECT_EQ(r.defaultExtension, QStringLiteral("*.csv"));
    EXPECT_TRUE(r.title.isEmpty());
    EXPECT_EQ(r.initialFolder, t.ctx->app.FilePath);
    EXPECT_TRUE(t.pointer.history.empty());
}

TEST(SaveFlow, WritesTheFileAndRemembersItsFolder)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    storeRecords(*t.ctx, knownRecords(), 2);
    QDir(t.dir.path()).mkdir(QStringLiteral("out"));
    const QString path = t.path(QStringLiteral("out/v1_three_phase.csv"));
    t.files.answers.push_back(path);
    EXPECT_TRUE(chooseAndSaveDataFile(*t.ctx, nullptr));
    EXPECT_EQ(readBytes(path), fixture(QStringLiteral("v1_three_phase.csv")));
    EXPECT_EQ(t.ctx->app.FilePath, t.path(QStringLiteral("out")));
    EXPECT_EQ(t.settings->read(QStringLiteral("FilePath"), {}), t.path(QStringLiteral("out")));
    EXPECT_EQ(t.pointer.history, (std::vector<int>{11, 0}));
    EXPECT_TRUE(t.ctx->app.DataPresent);
}

TEST(SaveFlow, AFailedWriteIsNotReportedAsSuccess)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    storeRecords(*t.ctx, knownRecords(), 2);
    t.files.answers.push_back(t.path(QStringLiteral("missing/x.csv")));
    EXPECT_FALSE(chooseAndSaveDataFile(*t.ctx, nullptr));
    EXPECT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.pointer.current, 0);
}

} // namespace
