#pragma once
// The printed pages: the data list as a table over as many pages as it needs, and
// the graph on a page of its own. The same sections go to a printer, to the
// print preview and into a PDF file.

#include "print/GraphSheet.h"
#include "print/PrintTable.h"
#include "views/GraphScene.h"
#include "views/ModGraphDraw.h"

#include <QFont>
#include <QImage>
#include <functional>
#include <QPageLayout>
#include <QSizeF>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace quellin {

// The part of a page that may be painted, in device units of the painter whose
// origin is its top-left corner, and the device's resolution.
struct PageArea {
    QSizeF size;
    double dpi = 72;
};

class PrintSection {
public:
    virtual ~PrintSection() = default;
    // The layout the section's pages are meant for.
    virtual QPageLayout pageLayout() const = 0;
    virtual int pageCount(QPaintDevice& device, const PageArea& area) = 0;
    virtual void paintPage(QPainter& painter, const PageArea& area, int page) = 0;
};

// A font of the given size in points on a device of dpi, sized in the device's
// pixels so that its glyphs can be placed by hand.
QFont printFont(double points, double dpi, bool bold);

// Page layouts: the list by hardware version with its margins; the graph in the
// orientation of its shape, with narrow margins (its sheet is wider than high).
QPageLayout spreadPageLayout(int hardVersion, const QPageSize& size);
QPageLayout graphPageLayout(const QSizeF& picture, const QPageSize& size);
// The paper the program prints on unless the user picks another: A4.
QPageSize defaultPageSize();

// The data list: a title line ("計測データ" centred, the page number right), the
// column headings, and the rows, with a grid; shrunk to the width of the page
// when it is wider.
class SpreadSection : public PrintSection {
public:
    SpreadSection(std::shared_ptr<const PrintTable> table, int hardVersion,
                  const QPageSize& size = defaultPageSize());
    QPageLayout pageLayout() const override { return layout_; }
    int pageCount(QPaintDevice& device, const PageArea& area) override;
    void paintPage(QPainter& painter, const PageArea& area, int page) override;

private:
    struct Metrics;
    const Metrics& measure(QPaintDevice& device, const PageArea& area);

    std::shared_ptr<const PrintTable> table_;
    QPageLayout layout_;
    std::shared_ptr<Metrics> metrics_;
};

// The graph as a sheet (head, graph laid out for the page, legend) on a
// landscape page; the scene keeps its points, so the window may move on. Drawing
// errors are reported through svc.
class GraphSection : public PrintSection {
public:
    GraphSection(const GraphScene& scene, GraphSheetHead head, int hardVersion, Services& svc,
                 const QPageSize& size = defaultPageSize());
    QPageLayout pageLayout() const override { return layout_; }
    int pageCount(QPaintDevice&, const PageArea&) override { return 1; }
    void paintPage(QPainter& painter, const PageArea& area, int page) override;

private:
    KeptGraphScene scene_;
    GraphSheetHead head_;
    int hardVersion_;
    Services& svc_;
    QPageLayout layout_;
};

// The graph window's pictures with the print colours: white backgrounds, so the
// renderer draws the grid and the power factor in black.
GraphPictures printColours(GraphPictures pictures);

// Told before each page is painted (0-based, of pages in all); false stops the
// painting there.
using PageProgress = std::function<bool(int page, int pages)>;

enum class PaintOutcome { Done, Failed, Stopped };

// Paints every page of the sections, in order, onto device. With applyLayouts
// each section's pages get the section's own layout (a PDF file); without, the
// device keeps the layout it has (a printer set up by the user). Failed when the
// device refused to start or to turn a page.
PaintOutcome paintSections(QPagedPaintDevice& device, const std::vector<PrintSection*>& sections,
                           bool applyLayouts, const PageProgress& progress = {});

// One page of a document on the printer's paper, for a preview: the whole sheet
// at dpi on white, the page laid out as the printer (its layout and resolution)
// will print it. A document's pages run through its sections in order.
struct DocumentPage {
    PrintSection* section = nullptr;
    int page = 0;
};
std::vector<DocumentPage> documentPages(QPagedPaintDevice& printer,
                                        const std::vector<PrintSection*>& sections);
QImage previewPageImage(QPagedPaintDevice& printer, const DocumentPage& page, double dpi);

} // namespace quellin
