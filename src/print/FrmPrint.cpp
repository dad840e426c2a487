#include "print/FrmPrint.h"

#include "platform/Tx.h"
#include "print/FrmImageSize.h"
#include "print/FrmPrintPreview.h"
#include "print/PrintFiles.h"
#include "print/PrintTable.h"
#include "store/DataSet.h"
#include "views/FrmGraph.h"
#include "views/FrmGraphParts.h"
#include "views/GraphScene.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPaintEngine>
#include <QProgressDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace quellin {

QString printSpreadQuestion()
{
    return TX("データ一覧を印字します。\r\nよろしいですか？");
}

QString printGraphQuestion()
{
    return TX("グラフ画面を印刷します。\r\nよろしいですか？");
}

QString printerErrorText()
{
    return TX("プリンタエラーが発生しました。");
}

QString nothingToPrintText()
{
    return TX("印刷するデータがありません。");
}

QString longPrintQuestion(int pages)
{
    return TX("データ一覧は %1 ページになります。\r\n印刷（プレビュー）に時間がかかります。続けますか？")
        .arg(pages);
}

QString printProgressText(int page, int pages)
{
    return TX("%1 / %2 ページを印刷しています。").arg(page).arg(pages);
}

QString nothingToExportText()
{
    return TX("出力するデータがありません。");
}

QString noPrinterText()
{
    return TX("プリンタが見つかりません。\r\n印刷のウィンドウから PDF ファイルに出力できます。");
}

namespace {

// The hourglass for as long as the work runs, however it ends.
class Hourglass {
public:
    explicit Hourglass(Context& ctx) : ctx_(ctx)
    {
        ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    }
    ~Hourglass() { ctx_.svc.pointer.setPointer(MousePointer::Default); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Context& ctx_;
};

// The preview paints onto a recording engine; only the real print reaches paper
// or a file.
// The pages going to the printer, counted in a window whose 中止 stops them.
class PrintProgress {
public:
    explicit PrintProgress(QWidget* owner)
        : dialog_(QString(), TX("中止"), 0, 1, owner)
    {
        dialog_.setWindowTitle(TX("印刷"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
    }
    PageProgress callback()
    {
        return [this](int page, int pages) {
            dialog_.setMaximum(pages);
            dialog_.setLabelText(printProgressText(page + 1, pages));
            dialog_.setValue(page);
            return !dialog_.wasCanceled();
        };
    }

private:
    QProgressDialog dialog_;
};

bool isPreview(QPrinter& printer)
{
    const QPaintEngine* engine = printer.paintEngine();
    return engine && engine->type() == QPaintEngine::Picture;
}

QString withSuffix(const QString& path, const QString& suffix)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1Char('.') + suffix : path;
}

FrmPrint::ExportFile pdfFile()
{
    return {TX("PDFﾌｧｲﾙ(*.pdf)"), QStringLiteral("pdf")};
}

FrmPrint::ExportFile pngFile()
{
    return {TX("PNGﾌｧｲﾙ(*.png)"), QStringLiteral("png")};
}

} // namespace

GraphSheetScene graphSheetScene(Context& ctx, FrmGraph& graph)
{
    graph.redraw(); // its window brought up to the data
    GraphSheetScene sheet{currentGraphScene(ctx, printColours(graph.pictures())), {}};
    sheet.head = graphSheetHead(ctx.dataSet(), sheet.scene);
    return sheet;
}

QImage graphSheetImage(const GraphSheetScene& sheet, QSize size, int hardVersion, Services& svc)
{
    // A picture is looked at on a screen: the sizes of a screen's 96 dpi.
    constexpr double kScreenDpi = 96;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter p(&image);
    const double margin = std::min(size.width(), size.height()) * 0.02;
    paintGraphSheet(p, QRectF(QPointF(0, 0), QSizeF(size)).adjusted(margin, margin, -margin, -margin),
                    kScreenDpi, sheet.head, sheet.scene, hardVersion, svc);
    p.end();
    return image;
}

FrmPrint::FrmPrint(Context& ctx, QWidget* owner) : ctx_(ctx), owner_(owner)
{
    preview = [owner](QPrinter& printer, const std::vector<PrintSection*>& sections,
                      const std::function<void(QPrinter*)>& paint) {
        FrmPrintPreview dialog(printer, sections, paint, owner);
        dialog.exec();
    };
    printerAvailable = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    askImageSize = [owner](QSize offered) { return askGraphImageSize(owner, offered); };
}

bool FrmPrint::hasRecords(const QString& nothingText) const
{
    if (ctx_.dataSet().RecordCount() > 0)
        return true;
    ctx_.svc.msg.info(nothingText, MsgIcon::Exclamation);
    return false;
}

QString FrmPrint::askExportPath(const ExportFile& file) const
{
    if (!hasRecords(nothingToExportText()))
        return {};
    const QString pattern = QStringLiteral("*.") + file.suffix;
    FileDialogRequest request;
    request.owner = owner_;
    request.filter = file.filter;
    request.pattern = pattern;
    request.initialFolder = ctx_.app.FilePath;
    request.defaultExtension = pattern;
    const QString chosen = ctx_.svc.files.saveFile(request);
    if (chosen.isEmpty())
        return {};
    return withSuffix(QDir::fromNativeSeparators(chosen), file.suffix);
}

std::unique_ptr<GraphSection> FrmPrint::graphSection(FrmGraph& graph, const QPageSize& size)
{
    GraphSheetScene sheet = graphSheetScene(ctx_, graph);
    return std::make_unique<GraphSection>(sheet.scene, std::move(sheet.head), ctx_.app.HardVersion,
                                          ctx_.svc, size);
}

void FrmPrint::printSpreadCommand()
{
    if (ctx_.svc.msg.askYesNo(printSpreadQuestion(), MsgIcon::Question))
        PrintSpread();
}

void FrmPrint::PrintSpread()
{
    if (!hasRecords(nothingToPrintText()))
        return;
    QPrinter printer(QPrinter::HighResolution);
    std::shared_ptr<const PrintTable> table;
    {
        Hourglass busy(ctx_);
        table = std::make_shared<const PrintTable>(buildPrintTable(ctx_));
    }
    if (table->rowCount() == 0) {
        ctx_.svc.msg.info(nothingToPrintText(), MsgIcon::Exclamation);
        return;
    }
    SpreadSection section(table, ctx_.app.HardVersion, printer.pageLayout().pageSize());
    printer.setDocName(TX("スプレッドシート"));
    printer.setPageLayout(section.pageLayout());
    // A full store is a thousand pages: the preview draws every one of them
    // before it shows, so the user is told how many first.
    const double dpi = printer.logicalDpiY();
    const int pages = section.pageCount(
        printer, {QSizeF(section.pageLayout().paintRectPixels(static_cast<int>(dpi)).size()), dpi});
    if (pages > kLongPrintPages && !ctx_.svc.msg.askYesNo(longPrintQuestion(pages), MsgIcon::Question))
        return;
    runPrint(printer, {&section});
}

void FrmPrint::PrintGraph(FrmGraph& graph)
{
    if (!hasRecords(nothingToPrintText()))
        return;
    QPrinter printer(QPrinter::HighResolution);
    std::unique_ptr<GraphSection> section;
    {
        Hourglass busy(ctx_);
        section = graphSection(graph, printer.pageLayout().pageSize());
    }
    printer.setDocName(TX("グラフ"));
    printer.setPageLayout(section->pageLayout());
    runPrint(printer, {section.get()});
}

void FrmPrint::printDocument(const QString& docName, const std::vector<PrintSection*>& sections)
{
    if (sections.empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName);
    printer.setPageLayout(sections.front()->pageLayout());
    runPrint(printer, sections);
}

void FrmPrint::runPrint(QPrinter& printer, const std::vector<PrintSection*>& sections)
{
    if (!printerAvailable()) {
        // The print dialog still writes PDF files: offer that instead.
        ctx_.svc.msg.info(noPrinterText(), MsgIcon::Information);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
    }
    preview(printer, sections, [this, &sections](QPrinter* target) {
        if (target)
            paintOn(*target, sections);
    });
}

void FrmPrint::paintOn(QPrinter& printer, const std::vector<PrintSection*>& sections)
{
    if (isPreview(printer)) {
        Hourglass busy(ctx_);
        paintSections(printer, sections, false);
        return;
    }
    Hourglass busy(ctx_);
    PrintProgress progress(owner_);
    const QString file = printer.outputFileName();
    if (printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty()) {
        // Printing to a file: it appears complete or not at all.
        const FileWriteResult result = writePdfFile(file, sections, printer.docName(),
                                                    printer.pageLayout(), progress.callback());
        if (!result.ok() && !result.stopped)
            ctx_.svc.msg.info(fileWriteMessage(file, result), MsgIcon::Exclamation);
        return;
    }
    const PaintOutcome outcome = paintSections(printer, sections, false, progress.callback());
    if (outcome == PaintOutcome::Stopped)
        printer.abort(); // the pages already sent are cancelled with the job
    else if (outcome == PaintOutcome::Failed || printer.printerState() == QPrinter::Error)
        reportPrinterError(printer);
}

void FrmPrint::reportPrinterError(QPrinter& printer)
{
    ctx_.svc.msg.show(
        {printerErrorText(), TX("エラー"), MsgButtons::Ok, MsgIcon::Critical, false});
    printer.abort();
}

void FrmPrint::exportPdf(FrmGraph& graph)
{
    const QString path = askExportPath(pdfFile());
    if (path.isEmpty())
        return;

    FileWriteResult result;
    {
        Hourglass busy(ctx_);
        auto table = std::make_shared<const PrintTable>(buildPrintTable(ctx_));
        const std::unique_ptr<GraphSection> graphPage = graphSection(graph, defaultPageSize());
        SpreadSection list(table, ctx_.app.HardVersion);
        std::vector<PrintSection*> sections{graphPage.get()};
        if (table->rowCount() > 0)
            sections.push_back(&list);
        result = writePdfFile(path, sections, TX("計測データ"));
    }
    if (!result.ok())
        ctx_.svc.msg.info(fileWriteMessage(path, result), MsgIcon::Exclamation);
}

void FrmPrint::saveGraphImage(FrmGraph& graph)
{
    if (!hasRecords(nothingToExportText()))
        return;
    const std::optional<QSize> size = askImageSize(imageSize_);
    if (!size)
        return;
    imageSize_ = *size;
    const QString path = askExportPath(pngFile());
    if (path.isEmpty())
        return;
    QImage image;
    {
        Hourglass busy(ctx_);
        image = graphSheetImage(graphSheetScene(ctx_, graph), imageSize_, ctx_.app.HardVersion,
                                ctx_.svc);
    }
    const FileWriteResult result = writePngFile(path, image);
    if (!result.ok())
        ctx_.svc.msg.info(fileWriteMessage(path, result), MsgIcon::Exclamation);
}

} // namespace quellin
