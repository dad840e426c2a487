#pragma once
// The print commands of the main window: the graph and the data list on paper
// (through the print preview and the print dialog), both in one PDF file, and
// the graph as a PNG picture.

#include "base/Context.h"
#include "print/PrintPages.h"

#include <QImage>
#include <QSize>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace quellin {

class FrmGraph;

// Texts of the print commands.
QString printSpreadQuestion();
QString printGraphQuestion();
QString printerErrorText();
QString nothingToPrintText();
// More pages than this are announced, with the question whether to go on.
inline constexpr int kLongPrintPages = 50;
QString longPrintQuestion(int pages);
// The print's progress: page of pages going out.
QString printProgressText(int page, int pages);
QString nothingToExportText();
QString noPrinterText();

class FrmPrint {
public:
    FrmPrint(Context& ctx, QWidget* owner);

    // MnuFile_PrintSpread: the question, then the print. (The graph's question
    // comes from the main window, which opens the graph window for the print.)
    void printSpreadCommand();

    // Every record of the data set as a table.
    void PrintSpread();
    // The graph window's drawing in print colours, fitted to the page; the
    // window is back in its state and colours afterwards.
    void PrintGraph(FrmGraph& graph);

    // Any document of sections through the same path as the two prints: the
    // preview, then the printer or a PDF file the user chooses there.
    void printDocument(const QString& docName, const std::vector<PrintSection*>& sections);

    // "PDFに出力": the graph and the table in one PDF chosen with the file dialog.
    void exportPdf(FrmGraph& graph);
    // "グラフ画像を保存": the graph as a sheet in a PNG picture of the size the
    // user asks for (1920 × 1080 at first, then the last one chosen).
    void saveGraphImage(FrmGraph& graph);

    // Shows the preview of sections on printer; paint draws the pages onto the
    // printer it is handed (the one the user prints on). Tests replace it.
    std::function<void(QPrinter&, const std::vector<PrintSection*>& sections,
                       const std::function<void(QPrinter*)>& paint)>
        preview;
    // Whether the machine knows a printer; tests replace it.
    std::function<bool()> printerAvailable;
    // Asks the picture's size, offering the one given; nothing when cancelled.
    // Tests replace it.
    std::function<std::optional<QSize>(QSize offered)> askImageSize;

    // A file the commands export to: the dialog's filter and the file's suffix.
    struct ExportFile {
        QString filter; // "PDFﾌｧｲﾙ(*.pdf)"
        QString suffix; // "pdf"
    };

private:
    // Every command's first step: without records the user is told nothingText.
    bool hasRecords(const QString& nothingText) const;
    // An export's first steps: records to export (else "出力するデータがありません。"),
    // then the file asked for, its suffix added when the name has none; "" when
    // there is nothing to export or the user cancelled.
    QString askExportPath(const ExportFile& file) const;
    // The graph window's graph as a sheet on a page, in print colours, its points
    // kept for the page.
    std::unique_ptr<GraphSection> graphSection(FrmGraph& graph, const QPageSize& size);
    void runPrint(QPrinter& printer, const std::vector<PrintSection*>& sections);
    void paintOn(QPrinter& printer, const std::vector<PrintSection*>& sections);
    void reportPrinterError(QPrinter& printer);

    Context& ctx_;
    QWidget* owner_;
    QSize imageSize_{1920, 1080};
};

// The graph window's scene in print colours and the head of its sheet.
struct GraphSheetScene {
    GraphScene scene;
    GraphSheetHead head;
};
GraphSheetScene graphSheetScene(Context& ctx, FrmGraph& graph);

// The graph as a sheet in a picture of size pixels, on white.
QImage graphSheetImage(const GraphSheetScene& sheet, QSize size, int hardVersion, Services& svc);

} // namespace quellin
