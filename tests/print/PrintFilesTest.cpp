#include "print/PrintFiles.h"

#include "PdfProbe.h"
#include "TestContext.h"
#include "print/PrintLayout.h"
#include "store/ModFileGraph.h"
#include "views/GraphScale.h"
#include "views/GraphTestRecords.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// The graph window's pictures as a 900 × 500 window lays them out: two Y bars,
// the plot and the time axis.
GraphPictures widePictures()
{
    GraphPictures p;
    p.PicGraphBase = {QRect(0, 0, 900, 500), Qt::white, Qt::black, true};
    p.PicLeftBar[0] = {QRect(0, 0, 70, 440), Qt::white, Qt::red, true};
    p.PicLeftBar[4] = {QRect(70, 0, 70, 440), Qt::white, Qt::darkGreen, true};
    p.PicGraph = {QRect(140, 10, 740, 420), Qt::white, Qt::black, true};
    p.PicBottomBar = {QRect(100, 440, 800, 40), Qt::white, Qt::black, true};
    return p;
}

struct PdfFixture : ::testing::Test {
    PdfFixture()
    {
        test::buildCatalog(ctx, 1);
        test::writeDataSet(ctx, {test::at(2002, 6, 1, 10, 0, 0), 250, 1});
        test::props(ctx).ColumnPresent.assign(13, true);
        for (size_t s = 0; s < ctx.cat.SeriesShown.size(); ++s)
            ctx.cat.SeriesShown[s] = s == 0 || s == 4;
        SetGraphWindow(ctx, 0);
        LoadGraphWindow(ctx);
        GraphAutoScale(ctx);
    }
    test::TestContext t;
    Context& ctx = *t.ctx;
};

TEST_F(PdfFixture, GraphAndListPagesEachInTheirOwnOrientation)
{
    auto table = std::make_shared<const PrintTable>(buildPrintTable(ctx));
    const GraphScene scene = currentGraphScene(ctx, widePictures());
    GraphSection graph(scene, graphSheetHead(ctx.dataSet(), scene), 1, ctx.svc);
    SpreadSection list(table, 1);
    const QString path = t.path(QStringLiteral("out.pdf"));
    ASSERT_TRUE(writePdfFile(path, {&graph, &list}, QStringLiteral("計測データ")).ok());

    const test::PdfProbe pdf(path);
    const std::vector<QSizeF> pages = pdf.pageSizes();
    // 250 rows of a portrait A4 page with 1 inch at the top and the bottom.
    const int listPages = static_cast<int>(pages.size()) - 1;
    ASSERT_GE(listPages, 4);
    EXPECT_LE(listPages, 6);
    EXPECT_GT(pages[0].width(), pages[0].height()) << "the wide graph prints landscape";
    for (int p = 1; p <= listPages; ++p)
        EXPECT_LT(pages[static_cast<size_t>(p)].width(), pages[static_cast<size_t>(p)].height())
            << "list page " << p << " of version 1 prints portrait";
    EXPECT_TRUE(pdf.hasTitle(QStringLiteral("計測データ")));
    // With QUELLIN_SCREENSHOT_DIR set the file is kept there to be looked at.
    const QString keep = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        QFile::remove(QDir(keep).filePath(QStringLiteral("print-v1.pdf")));
        QFile::copy(path, QDir(keep).filePath(QStringLiteral("print-v1.pdf")));
    }
    // Nothing but the finished file is left in the folder.
    EXPECT_EQ(QDir(t.dir.path()).entryList({QStringLiteral("out*")}, QDir::Files),
              QStringList{QStringLiteral("out.pdf")});
}

TEST_F(PdfFixture, VersionTwoListPrintsLandscape)
{
    test::buildCatalog(ctx, 2);
    test::writeDataSet(ctx, {test::at(2002, 6, 1, 10, 0, 0), 20, 1});
    test::props(ctx).ColumnPresent.assign(18, true);
    auto table = std::make_shared<const PrintTable>(buildPrintTable(ctx));
    SpreadSection list(table, 2);
    const QString path = t.path(QStringLiteral("v2.pdf"));
    ASSERT_TRUE(writePdfFile(path, {&list}, QStringLiteral("計測データ")).ok());
    const std::vector<QSizeF> pages = test::PdfProbe(path).pageSizes();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].width(), pages[0].height());
}

TEST_F(PdfFixture, AFailedWriteLeavesTheOldFileAndNoTrace)
{
    const QString path = t.path(QStringLiteral("keep.pdf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    // Nothing to paint: the device is never started and the write fails.
    const FileWriteResult result = writePdfFile(path, {}, QStringLiteral("x"));
    EXPECT_FALSE(result.ok());
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(t.dir.path()).entryList({QStringLiteral("keep*")}, QDir::Files),
              QStringList{QStringLiteral("keep.pdf")});
}

// The progress is told every page of the whole document, in order; stopped at a
// page, the file is not written and the old one stays.
TEST_F(PdfFixture, ProgressCountsThePagesAndStopsTheWriteWhereItSaysSo)
{
    auto table = std::make_shared<const PrintTable>(buildPrintTable(ctx));
    const GraphScene scene = currentGraphScene(ctx, widePictures());
    GraphSection graph(scene, graphSheetHead(ctx.dataSet(), scene), 1, ctx.svc);
    SpreadSection list(table, 1);
    for (const int stopAt : {-1, 0, 3}) {
        SCOPED_TRACE(stopAt);
        const QString path = t.path(QStringLiteral("p%1.pdf").arg(stopAt));
        std::vector<int> told;
        int total = 0;
        const FileWriteResult result = writePdfFile(
            path, {&graph, &list}, QStringLiteral("x"), std::nullopt, [&](int page, int pages) {
                told.push_back(page);
                total = pages;
                return page != stopAt;
            });
        if (stopAt < 0) {
            ASSERT_TRUE(result.ok()) << result.error.toStdString();
            EXPECT_EQ(static_cast<size_t>(total), test::PdfProbe(path).pageSizes().size());
        } else {
            EXPECT_TRUE(result.stopped);
            EXPECT_FALSE(result.ok());
            EXPECT_TRUE(result.error.isEmpty());
            EXPECT_FALSE(QFile::exists(path));
        }
        const int expected = stopAt < 0 ? total : stopAt + 1;
        ASSERT_EQ(told.size(), static_cast<size_t>(expected));
        for (int i = 0; i < expected; ++i)
            EXPECT_EQ(told[static_cast<size_t>(i)], i);
    }
}

// A preview page is the whole sheet of paper at the resolution asked, drawn on
// its own; the pages run through the sections in order.
TEST_F(PdfFixture, PreviewPagesAreDrawnOneAtATimeOnThePrintersPaper)
{
    auto table = std::make_shared<const PrintTable>(buildPrintTable(ctx));
    SpreadSection list(table, 1);
    QPdfWriter printer(t.path(QStringLiteral("unused.pdf")));
    printer.setResolution(600);
    printer.setPageLayout(list.pageLayout());
    const std::vector<DocumentPage> pages = documentPages(printer, {&list, nullptr, &list});
    ASSERT_GE(pages.size(), 8u);
    EXPECT_EQ(pages.size() % 2, 0u);
    EXPECT_EQ(pages[pages.size() / 2].page, 0);
    for (const double dpi : {48.0, 96.0}) {
        const QImage image = previewPageImage(printer, pages.back(), dpi);
        EXPECT_NEAR(image.width(), 8.27 * dpi, 2);
        EXPECT_NEAR(image.height(), 11.69 * dpi, 2);
        // Ink inside the margins only.
        int ink = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                if (image.pixelColor(x, y).lightness() < 128) {
                    ++ink;
                    EXPECT_GE(y, dpi * 0.9) << x;
                }
        EXPECT_GT(ink, 100);
    }
}

TEST(PrintFiles, AFolderThatDoesNotExistIsReportedWithItsPath)
{
    test::TestContext t;
    const QString path = t.path(QStringLiteral("missing/graph.png"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    const FileWriteResult png = writePngFile(path, image);
    ASSERT_FALSE(png.ok());
    EXPECT_FALSE(QFile::exists(path));
    const QString message = fileWriteMessage(path, png);
    EXPECT_TRUE(message.startsWith(QStringLiteral("ファイルに書き込めませんでした。\r\n")));
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(writePdfFile(t.path(QStringLiteral("missing/x.pdf")), {}, {}).ok());
    // An image that was never drawn is refused before anything is written.
    EXPECT_FALSE(writePngFile(t.path(QStringLiteral("empty.png")), QImage()).ok());
    EXPECT_FALSE(QFile::exists(t.path(QStringLiteral("empty.png"))));
}

} // namespace
} // namespace quellin
