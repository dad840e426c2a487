// Every file the program writes, on a disk that is full: the write is reported
// as failed with the file and the reason, and the file that was there before is
// left exactly as it was.

#include "FullDisk.h"
#include "TestContext.h"
#include "print/PrintFiles.h"
#include "settings/ModRegistry.h"
#include "store/CsvSave.h"
#include "store/DataSetInfo.h"
#include "views/GraphTestRecords.h"

#include <QFile>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace quellin {
namespace {

constexpr const char* kDiskFull = "ディスクの空き容量が足りません。";

QByteArray fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool putFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// What a writer reported: false for a failure, with the texts the user saw.
struct Outcome {
    bool ok = true;
    QString shown;
};

struct Writer {
    const char* name;
    const char* file;
    std::function<Outcome(test::TestContext&, const QString& path)> write;
};

QImage noise()
{
    QImage image(600, 600, QImage::Format_RGB32);
    quint32 x = 12345;
    for (int y = 0; y < image.height(); ++y)
        for (int i = 0; i < image.width(); ++i) {
            x = x * 1103515245u + 12345u;
            image.setPixel(i, y, x);
        }
    return image;
}

class FullDiskWrite : public ::testing::TestWithParam<Writer> {};

TEST_P(FullDiskWrite, FailsNamingTheFileAndTheReasonAndKeepsTheOldFile)
{
    QUELLIN_FULL_DISK(disk);
    test::TestContext t;
    Context& ctx = *t.ctx;
    test::buildCatalog(ctx, 2);
    test::writeDataSet(ctx, {test::at(2002, 6, 1, 10, 0, 0), 3000, 1});
    test::props(ctx).ColumnPresent.assign(18, true);

    const QString path = disk->path(QString::fromLatin1(GetParam().file));
    const QByteArray before = "[Tarvo]\nCommPort=1\n";
    ASSERT_TRUE(putFile(path, before));
    disk->fill();

    const Outcome out = GetParam().write(t, path);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.shown.contains(QString::fromUtf8(kDiskFull))) << out.shown.toStdString();
    EXPECT_TRUE(out.shown.contains(GetParam().file)) << out.shown.toStdString();
    EXPECT_EQ(fileText(path), before);
}

Outcome fromMessages(bool ok, test::TestContext& t)
{
    Outcome out{ok, {}};
    for (const auto& m : t.msg.shown)
        out.shown += m.text + QLatin1Char('\n');
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFile, FullDiskWrite,
    ::testing::Values(Writer{"DataFile", "site.csv",
                             [](test::TestContext& t, const QString& path) {
                                 return fromMessages(SaveDataFile(*t.ctx, path), t);
                             }},
                      Writer{"Settings", "Quellin.ini",
                             [](test::TestContext& t, const QString& path) {
                                 SettingsStore store(path, t.msg);
                                 return fromMessages(store.write(QStringLiteral("FilePath"),
                                                                 QString(3000, QLatin1Char('x'))),
                                                     t);
                             }},
                      Writer{"DataSetInfo", "TMP.INF",
                             [](test::TestContext& t, const QString& path) {
                                 t.ctx->app.AppFolder =
                                     path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
                                 test::props(*t.ctx).TitleLine = QString(3000, QLatin1Char('t'));
                                 const bool ok = writeDataSetInfo(*t.ctx, DataSetKind::File);
                                 return Outcome{ok, t.status.panels[2]};
                             }},
                      Writer{"Pdf", "graph.pdf",
                             [](test::TestContext&, const QString& path) {
                                 std::vector<PrintSection*> none;
                                 const FileWriteResult r =
                                     writePdfFile(path, none, QStringLiteral("x"));
                                 return Outcome{r.ok(), fileWriteMessage(path, r)};
                             }},
                      Writer{"Png", "graph.png",
                             [](test::TestContext&, const QString& path) {
                                 const FileWriteResult r = writePngFile(path, noise());
                                 return Outcome{r.ok(), fileWriteMessage(path, r)};
                             }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FullDiskSettings, AFullDiskIsToldOnceAcrossTheValuesOfARun)
{
    QUELLIN_FULL_DISK(disk);
    test::TestContext t;
    SettingsStore store(disk->path(QStringLiteral("Quellin.ini")), t.msg);
    ASSERT_TRUE(store.write(QStringLiteral("CommPort"), QStringLiteral("2")));
    disk->fill();
    for (int i = 0; i < 13; ++i)
        EXPECT_FALSE(store.write(QStringLiteral("GraphYMax%1").arg(i), QString(5000, 'x')));
    EXPECT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(store.read(QStringLiteral("CommPort"), QString()), QStringLiteral("2"));
}

} // namespace
} // namespace quellin
