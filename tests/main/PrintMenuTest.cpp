// The print commands of the main window: the questions, the preview, the print
// to a printer or a PDF file, the PDF export and the graph picture through the
// file-dialog service, and what each says when something is missing or fails.

#include "print/FrmPrint.h"

#include "Controls.h"
#include "TestContext.h"
#include "link/LinkDoubles.h"
#include "link/Sequencer.h"
#include "main/FrmMDIMain.h"
#include "platform/StatusBarProxy.h"
#include "print/FrmPrintPreview.h"
#include "print/PdfProbe.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/FrmGraph.h"
#include "views/FrmGraphParts.h"
#include "views/FrmReport.h"
#include "views/GraphTestRecords.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>

namespace quellin {
namespace {

using test::control;

struct PrintFixture : ::testing::Test {
    explicit PrintFixture(int version = 1, int records = 120)
    {
        test::buildCatalog(*t.ctx, version);
        test::writeDataSet(*t.ctx, {test::at(2002, 6, 1, 10, 0, 0), records, 1});
        test::props(*t.ctx).ColumnPresent.assign(static_cast<size_t>(t.ctx->cat.ColumnLast) + 1,
                                                 true);
        main = std::make_unique<FrmMDIMain>(*t.ctx, status, seq, MainWindowLinks{});
        main->showChildWindows();
        main->show();
        // The graph as after a load: its window of the data, scaled to it.
        SetGraphWindow(*t.ctx, 0);
        LoadGraphWindow(*t.ctx);
        main->graphWindow()->autoScale();
        main->graphWindow()->redraw();
        main->printer().printerAvailable = [] { return true; };
        main->printer().askImageSize = [this](QSize offered) {
            offeredSizes.push_back(offered);
            return imageSize;
        };
        // The preview as the dialog runs it: the pages drawn for the screen, then
        // (if the test says so) printed to the printer as the user set it up.
        main->printer().preview = [this](QPrinter& printer, const std::vector<PrintSection*>&,
                                         const std::function<void(QPrinter*)>& paint) {
            ++previews;
            docName = printer.docName();
            orientation = printer.pageLayout().orientation();
            QPrintPreviewWidget widget(&printer);
            QObject::connect(&widget, &QPrintPreviewWidget::paintRequested, &widget,
                             [&](QPrinter* p) { paint(p); });
            widget.updatePreview();
            previewPages = widget.pageCount();
            if (printTo) {
                printTo(printer);
                widget.print();
            }
        };
    }
    ~PrintFixture() override
    {
        t.msg.defaultAnswer = MsgAnswer::Yes;
        main->close();
    }

    // Prints to a PDF file, as the print dialog's "print to file" does.
    void printToFile(const QString& path)
    {
        printTo = [path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
        };
    }

    test::TestContext t;
    test::FakeTransport transport;
    test::FakeTimer timer;
    LinkClients clients;
    Sequencer seq{*t.ctx, transport, timer, clients};
    StatusBarProxy status;
    std::unique_ptr<FrmMDIMain> main;
    std::function<void(QPrinter&)> printTo;
    int previews = 0;
    int previewPages = 0;
    std::optional<QSize> imageSize = QSize(1920, 1080);
    std::vector<QSize> offeredSizes;
    QString docName;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

TEST_F(PrintFixture, ListPrintsThroughThePreviewToAFile)
{
    const QString path = t.path(QStringLiteral("list.pdf"));
    printToFile(path);
    main->MnuFile_PrintSpread->trigger();
    ASSERT_GE(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("データ一覧を印字します。\r\nよろしいですか？"));
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(docName, QStringLiteral("スプレッドシート"));
    EXPECT_EQ(orientation, QPageLayout::Portrait);
    // 120 rows of version 1: three portrait pages, in the preview and in the file.
    EXPECT_EQ(previewPages, 3);
    const std::vector<QSizeF> pages = test::PdfProbe(path).pageSizes();
    EXPECT_EQ(pages.size(), 3u);
    EXPECT_EQ(t.msg.shown.size(), 1u) << t.msg.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(PrintFixture, AnsweredNoNothingIsPrinted)
{
    t.msg.answers = {MsgAnswer::No};
    main->MnuFile_PrintSpread->trigger();
    t.msg.answers = {MsgAnswer::No};
    main->MnuFile_PrintGraph->trigger();
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(t.msg.shown.size(), 2u);
    EXPECT_EQ(t.msg.shown[1].text, QStringLiteral("グラフ画面を印刷します。\r\nよろしいですか？"));
}

// A list of more than 50 pages says how many before the preview draws them all;
// No prints nothing, Yes goes on as before.
struct LongList : PrintFixture {
    LongList() : PrintFixture(1, 4000) {}
};

TEST_F(LongList, IsAnnouncedWithItsPagesBeforeThePreview)
{
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        SCOPED_TRACE(answer == MsgAnswer::Yes ? "yes" : "no");
        t.msg.shown.clear();
        previews = 0;
        t.msg.answers = {MsgAnswer::Yes, answer};
        main->MnuFile_PrintSpread->trigger();
        ASSERT_EQ(t.msg.shown.size(), 2u) << t.msg.texts().join(QLatin1Char('|')).toStdString();
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^データ一覧は (\\d+) ページになります。\r\n"))
                .match(t.msg.shown[1].text);
        ASSERT_TRUE(m.hasMatch()) << t.msg.shown[1].text.toStdString();
        EXPECT_GT(m.captured(1).toInt(), kLongPrintPages);
        EXPECT_EQ(previews, answer == MsgAnswer::Yes ? 1 : 0);
        if (answer == MsgAnswer::Yes) {
            EXPECT_EQ(previewPages, m.captured(1).toInt());
        }
    }
}

// The program's own preview draws the page it shows and no other: it holds the
// announced pages, keys and buttons move through them.
TEST_F(LongList, PreviewShowsThePagesOneAtATime)
{
    int pages = 0;
    std::vector<int> seen;
    main->printer().preview = [&](QPrinter& printer, const std::vector<PrintSection*>& sections,
                                  const std::function<void(QPrinter*)>& paint) {
        FrmPrintPreview dialog(printer, sections, paint, nullptr);
        dialog.show();
        pages = dialog.pageCount();
        const auto key = [&](int k) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &press);
            seen.push_back(dialog.currentPage());
        };
        seen.push_back(dialog.currentPage());
        key(Qt::Key_PageDown);
        key(Qt::Key_End);
        key(Qt::Key_PageDown);
        control<QPushButton>(dialog, "CmdPrevious")->click();
        seen.push_back(dialog.currentPage());
        key(Qt::Key_Home);
        key(Qt::Key_PageUp);
        EXPECT_FALSE(control<QLabel>(dialog, "LblPage")->pixmap().isNull());
        if (const QString keep = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !keep.isEmpty())
            dialog.grab().save(QDir(keep).filePath(QStringLiteral("print-preview.png")));
    };
    t.msg.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    main->MnuFile_PrintSpread->trigger();
    ASSERT_EQ(t.msg.shown.size(), 2u);
    EXPECT_TRUE(t.msg.shown[1].text.contains(QString::number(pages)));
    const int last = pages - 1;
    EXPECT_EQ(seen, (std::vector<int>{0, 1, last, last, last - 1, 0, 0}));
}

TEST_F(PrintFixture, GraphPrintsLandscapeAndTheWindowComesBackAsItWas)
{
    FrmGraph* graph = main->graphWindow();
    ASSERT_NE(graph, nullptr);
    graph->showNormal();
    graph->setGeometry(10, 10, 500, 700); // narrower than high
    const QRect before = graph->geometry();
    const QColor plot = control<GraphPictureBox>(*graph, "PicGraph")->BackColor;
    const QColor frame = control<GraphCanvas>(*graph, "PicGraphBase")->BackColor;
    const QString path = t.path(QStringLiteral("graph.pdf"));
    printToFile(path);

    main->MnuFile_PrintGraph->trigger();

    EXPECT_EQ(previews, 1);
    EXPECT_EQ(docName, QStringLiteral("グラフ"));
    // Printed as the maximised window, which is wider than high.
    EXPECT_EQ(orientation, QPageLayout::Landscape);
    const std::vector<QSizeF> pages = test::PdfProbe(path).pageSizes();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].width(), pages[0].height());
    EXPECT_FALSE(graph->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(graph->geometry(), before);
    EXPECT_EQ(control<GraphPictureBox>(*graph, "PicGraph")->BackColor, plot);
    EXPECT_EQ(control<GraphCanvas>(*graph, "PicGraphBase")->BackColor, frame);
    EXPECT_FALSE(control<GraphPager>(*graph, "UDGraph")->isHidden());
    EXPECT_EQ(t.pointer.current, 0);
}

TEST_F(PrintFixture, TheReportWindowsPdfReportGoesThroughThePreviewToAFile)
{
    const QString path = t.path(QStringLiteral("report.pdf"));
    printToFile(path);
    main->MnuView_Report->setEnabled(true); // as when data is present
    main->MnuView_Report->trigger();
    auto* report = main->findChild<FrmReport*>();
    ASSERT_NE(report, nullptr);
    control<QPushButton>(*report, "CmdPdfReport")->click();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(docName, QStringLiteral("計測レポート"));
    EXPECT_EQ(orientation, QPageLayout::Portrait);
    EXPECT_EQ(static_cast<int>(test::PdfProbe(path).pageSizes().size()), previewPages);
    EXPECT_GE(previewPages, 2);
    EXPECT_TRUE(t.msg.shown.empty()) << t.msg.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(PrintFixture, AClosedGraphWindowIsOpenedForThePrintAndClosedAgain)
{
    main->graphWindow()->close();
    QApplication::processEvents();
    ASSERT_EQ(main->graphWindow(), nullptr);
    const QString path = t.path(QStringLiteral("graph.pdf"));
    printToFile(path);
    main->MnuFile_PrintGraph->trigger();
    EXPECT_EQ(test::PdfProbe(path).pageSizes().size(), 1u);
    QApplication::processEvents();
    EXPECT_EQ(main->graphWindow(), nullptr);
    EXPECT_FALSE(main->MnuView_Graph->isChecked());
}

TEST_F(PrintFixture, APrinterErrorIsReportedAndNothingElse)
{
    // A printer that cannot start a document.
    printTo = [](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
    };
    main->MnuFile_PrintSpread->trigger();
    ASSERT_EQ(t.msg.shown.size(), 2u);
    EXPECT_EQ(t.msg.shown[1].text, QStringLiteral("プリンタエラーが発生しました。"));
    EXPECT_EQ(t.msg.shown[1].title, QStringLiteral("エラー"));
    EXPECT_EQ(t.msg.shown[1].icon, MsgIcon::Critical);
}

TEST_F(PrintFixture, WithoutAPrinterThePrintGoesToAPdfFile)
{
    main->printer().printerAvailable = [] { return false; };
    QPrinter::OutputFormat format = QPrinter::NativeFormat;
    const QString path = t.path(QStringLiteral("no-printer.pdf"));
    printTo = [&](QPrinter& printer) {
        format = printer.outputFormat();
        printer.setOutputFileName(path);
    };
    main->MnuFile_PrintSpread->trigger();
    ASSERT_EQ(t.msg.shown.size(), 2u);
    EXPECT_EQ(t.msg.shown[1].text, noPrinterText());
    EXPECT_EQ(format, QPrinter::PdfFormat);
    EXPECT_EQ(test::PdfProbe(path).pageSizes().size(), 3u);
}

TEST_F(PrintFixture, PdfExportWritesGraphAndListThroughTheFileDialog)
{
    const QString path = t.path(QStringLiteral("report"));
    t.files.answers = {path};
    main->MnuFile_Pdf->trigger();
    ASSERT_EQ(t.files.saves.size(), 1u);
    EXPECT_EQ(t.files.saves[0].filter, QStringLiteral("PDFﾌｧｲﾙ(*.pdf)"));
    EXPECT_EQ(t.files.saves[0].defaultExtension, QStringLiteral("*.pdf"));
    EXPECT_TRUE(t.msg.shown.empty()) << t.msg.texts().join(QLatin1Char('|')).toStdString();
    // The suffix is added; the graph comes first, then the list's three pages.
    const test::PdfProbe pdf(path + QStringLiteral(".pdf"));
    const std::vector<QSizeF> pages = pdf.pageSizes();
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_GT(pages[0].width(), pages[0].height());
    EXPECT_LT(pages[1].width(), pages[1].height());
    EXPECT_EQ(previews, 0);
    // With QUELLIN_SCREENSHOT_DIR set the file is kept there to be looked at.
    if (const QString keep = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !keep.isEmpty()) {
        QDir().mkpath(keep);
        QFile::remove(QDir(keep).filePath(QStringLiteral("export-v1.pdf")));
        QFile::copy(path + QStringLiteral(".pdf"),
                    QDir(keep).filePath(QStringLiteral("export-v1.pdf")));
    }

    // Cancelled: nothing written, nothing said.
    t.files.answers = {QString()};
    main->MnuFile_Pdf->trigger();
    EXPECT_TRUE(t.msg.shown.empty());
}

TEST_F(PrintFixture, PdfExportToAFolderThatCannotBeWrittenSaysSo)
{
    const QString path = t.path(QStringLiteral("gone/report.pdf"));
    t.files.answers = {path};
    main->MnuFile_Pdf->trigger();
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_TRUE(t.msg.shown[0].text.startsWith(QStringLiteral("ファイルに書き込めませんでした。")));
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(t.pointer.current, 0);
}

// The picture is drawn at the size asked for, not captured from the window; the
// next time the last size is offered; cancelling the size writes nothing.
TEST_F(PrintFixture, GraphImageIsDrawnAtTheSizeAskedFor)
{
    struct Step {
        std::optional<QSize> answer;
        QSize offered;
    };
    const std::vector<Step> steps{{QSize(1920, 1080), QSize(1920, 1080)},
                                  {QSize(800, 600), QSize(1920, 1080)},
                                  {std::nullopt, QSize(800, 600)}};
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        const QString path = t.path(QStringLiteral("graph%1.png").arg(i));
        imageSize = steps[i].answer;
        t.files.answers = {path};
        t.files.saves.clear();
        main->MnuFile_GraphImage->trigger();
        ASSERT_EQ(offeredSizes.size(), i + 1);
        EXPECT_EQ(offeredSizes[i], steps[i].offered);
        const QImage image(path);
        if (!steps[i].answer) {
            EXPECT_TRUE(t.files.saves.empty());
            EXPECT_TRUE(image.isNull());
            continue;
        }
        ASSERT_EQ(t.files.saves.size(), 1u);
        EXPECT_EQ(t.files.saves[0].filter, QStringLiteral("PNGﾌｧｲﾙ(*.png)"));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), *steps[i].answer);
        if (const QString keep = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !keep.isEmpty())
            image.save(QDir(keep).filePath(QStringLiteral("graph-image-%1.png").arg(i)));
    }
    EXPECT_TRUE(t.msg.shown.empty()) << t.msg.texts().join(QLatin1Char('|')).toStdString();
}

struct EmptyPrintFixture : PrintFixture {
    EmptyPrintFixture() : PrintFixture(2, 0) {}
};

TEST_F(EmptyPrintFixture, AnEmptyDataSetIsRefusedByEveryCommand)
{
    main->MnuFile_PrintSpread->trigger();
    main->MnuFile_PrintGraph->trigger();
    main->MnuFile_Pdf->trigger();
    main->MnuFile_GraphImage->trigger();
    EXPECT_EQ(previews, 0);
    EXPECT_TRUE(t.files.saves.empty());
    EXPECT_EQ(t.msg.texts(),
              (QStringList{printSpreadQuestion(), nothingToPrintText(), printGraphQuestion(),
                           nothingToPrintText(), nothingToExportText(), nothingToExportText()}));
}

TEST_F(PrintFixture, PdfExportIsOffWhileMeasuring)
{
    main->setMenuEnabled(MenuItem::MnuFile_Pdf, true);
    main->KeisokuStart();
    EXPECT_FALSE(main->MnuFile_Pdf->isEnabled());
    EXPECT_FALSE(main->MnuFile_PrintSpread->isEnabled());
    EXPECT_TRUE(main->MnuFile_GraphImage->isEnabled());
    main->KeisokuEnd();
    EXPECT_TRUE(main->MnuFile_Pdf->isEnabled());
}

} // namespace
} // namespace quellin
