#pragma once
// "グラフ表示": the trend graph with its legend check boxes, the summary of the
// data set and the pager of the time window. A child window of the main window.

#include "base/Context.h"
#include "views/GraphHost.h"
#include "views/GraphCursorPair.h"
#include "views/GraphLayout.h"
#include "views/GraphWindow.h"
#include "views/GraphZoom.h"
#include "views/ModGraphDraw.h"

#include <QMdiSubWindow>
#include <array>
#include <functional>
#include <vector>
#include <optional>

class QCheckBox;
class QDialog;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QRubberBand;
class QMdiArea;

namespace quellin {

class GraphCanvas;
class GraphCursorView;
class GraphPictureBox;
class GraphPager;

class FrmGraph : public QMdiSubWindow {
public:
    // Loads the window: per-version layout, menu check mark, legend boxes from
    // SeriesShown, placement from the settings (the state is applied by open()).
    FrmGraph(Context& ctx, GraphHost& host, QWidget* parent = nullptr);

    // Creates the window as a child of area, restores its saved state, shows it.
    static FrmGraph* open(QMdiArea& area, Context& ctx, GraphHost& host);

    // The display cycle: the window (following the newest record), LoadGraphWindow,
    // the automatic scales (the first, or an outgrown one), draw, summary.
    void refresh();
    // Draws the graph from the current window and settings.
    void redraw();
    // Fills LblGraphInfo(0..2) from the data set, or empties them.
    void showSummary(GraphSummary summary);
    // Scales every series but power factor to the loaded window's values.
    void autoScale();
    // Background of the frame pictures (PicGraphBase, PicBottomBar, PicLeftBar)
    // and of the plot: white and white for printing, the design colours otherwise.
    void setBackColours(const QColor& frame, const QColor& plot);
    // The cursor at x pixels of the plot (the mouse over it): the line on the
    // nearest sample position, its time and the shown series' values. A click
    // keeps it there (another click lets it follow the mouse again); leaving the
    // plot hides it unless it is kept.
    void showCursorAt(int x);
    GraphCursorView* cursorView() const { return cursor_; }

    // Zoom and pan of the time axis (the wheel, a dragged rectangle, a drag with
    // the middle or right button, the arrow keys, + and −): a span of its own
    // from ten seconds to the whole data set, kept while paging and following.
    // restoreView (Home, 元の表示) goes back to the window the time axis names.
    void zoomBy(double factor, double fraction);
    void panBy(double fraction);
    void showWholeData();
    void restoreView();
    bool zoomed() const;

    // The second cursor (Shift+click) at time: the readout of both cursors with
    // the figures between them at the foot of the plot. The first is the kept
    // cursor, or the one under the mouse, which a second cursor keeps.
    void setSecondCursor(double time);
    void clearSecondCursor();
    // The second cursor at the middle of the plot, or gone again.
    void toggleSecondCursor();
    std::optional<CursorPairReadout> cursorPair() const;
    GraphCursorView* secondCursorView() const { return cursor2_; }
    // Hands the period between the cursors to the report window.
    void reportCursorPeriod();

    // 比較表示: a second data set laid over the graph on the same axes, in the
    // same colours but lighter and dashed; its start moved onto the current data
    // set's start (alignToStart) or at its own times. The legend names it and the
    // cursor reads it too. The current data set is not touched.
    void setOverlay(DataSet data, const QString& name, bool alignToStart);
    void clearOverlay();
    bool hasOverlay() const { return overlay_.has_value(); }
    // The overlay's points in the current window, at the times they are drawn.
    const GraphWindowState& overlayWindow() const { return overlayWindow_; }

    // Runs a prepared axis dialog modally; tests replace it to act as the user.
    std::function<int(QDialog&)> runDialog;

    // The pictures as the renderer sees them, in the window's pixels and colours
    // (the print draws them again on paper).
    GraphPictures pictures() const;
    // The graph as last drawn, at the window's size.
    const QImage& graphImage() const;

    // The layout last applied, in twips.
    const GraphWindowLayout& layoutTwips() const { return layout_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Zoom, Pan };
    void showView(const TimeView& view);
    void plotPressed(QMouseEvent& event);
    void plotDragged(QMouseEvent& event);
    void plotReleased(QMouseEvent& event);
    // One step of the pager: −1 earlier, +1 later.
    void page(int direction);
    // The double-clicks on the time axis and on the Y bar of series s.
    void editTimeAxis();
    void editYAxis(int s);
    void clickPlot(int x);
    void leavePlot();
    void showCursorPair();
    void loadOverlayWindow();
    // The plot's x (pixels) of a time, nullopt outside the window.
    std::optional<int> plotX(double time) const;
    void buildInfo(QWidget* body);
    void buildLegend(QWidget* body);
    void buildGraph(QWidget* body);
    void applyVersionLayout();
    void relayout();
    // The legend's boxes in rows (rowOf: each series' row).
    void placeLegend(const std::vector<int>& rowOf);
    // Moves boxes to further rows where the frame is too narrow for a row of
    // them; true when the legend's height changed with it.
    bool flowLegend();
    void seriesClicked(int s, bool checked);
    void rememberNormalGeometry();
    // The legend's boxes carry a sample of their curve's colour.
    void colourLegend();

    Context& ctx_;
    GraphHost& host_;
    QWidget* body_ = nullptr;
    GraphFormDesign design_;
    GraphWindowLayout layout_;
    GraphLayerCache layer_;
    GraphCursorView* cursor_ = nullptr;
    bool cursorKept_ = false;
    GraphCursorView* cursor2_ = nullptr;
    std::optional<double> secondTime_;
    // The energy between the cursors, read from the records once for them.
    struct EnergyKey {
        long long first = 0, second = 0;
        int records = -1;
        bool operator==(const EnergyKey&) const = default;
    };
    mutable EnergyKey energyKey_;
    mutable EnergyBetween energy_;
    std::optional<DataSet> overlay_;
    GraphWindowState overlayWindow_;
    long long overlayOffset_ = 0; // seconds the overlay is moved by
    QLabel* LblOverlay = nullptr;
    Drag drag_ = Drag::None;
    QPoint dragFrom_;
    bool dragMoved_ = false;
    TimeView dragView_;
    QRubberBand* band_ = nullptr;
    // The start of the window the time axis named before the user zoomed.
    double homeStart_ = 0;
    // The series whose Y bar the mouse was over last (a Shift-dragged rectangle
    // zooms its values), and the Y axes as they were before any such zoom.
    int ySeries_ = -1;
    struct SavedAxis {
        int series;
        double ymin, ymax;
        bool fitted, chosen;
    };
    std::vector<SavedAxis> savedAxes_;
    void zoomValues(int s, double fromFraction, double toFraction);
    void restoreValues();
    QColor legendPlotColour_;
    QRect normalGeometry_;
    bool loaded_ = false;

    QWidget* PicInfo = nullptr;
    std::array<QLabel*, 3> LblGraphInfo{};
    std::array<QLabel*, 3> LblGraphInfoCaption{};
    QWidget* PicHanrei = nullptr;
    std::vector<int> legendRowOf_;
    // The series' names as shown, for the readouts at every move of the mouse.
    QStringList seriesNames_;
    std::array<QCheckBox*, kMaxSeries> ChkDisp{};
    GraphCanvas* PicGraphBase = nullptr;
    std::array<GraphPictureBox*, kMaxSeries> PicLeftBar{};
    GraphPictureBox* PicGraph = nullptr;
    GraphPictureBox* PicBottomBar = nullptr;
    GraphPager* UDGraph = nullptr;
};

} // namespace quellin
