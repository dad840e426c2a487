#include "views/FrmSpread.h"

#include "base/ErrorReport.h"
#include "base/VersionLayout.h"
#include "platform/Tx.h"
#include "settings/ModRegistry.h"
#include "store/DataSet.h"
#include "store/ModFile.h"
#include "views/FrmChildPlacement.h"
#include "views/ListTexts.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <utility>

namespace quellin {

FrmSpread::FrmSpread(Context& ctx, ChildWindowHost& host, QPoint firstRunPosition, QWidget* parent)
    : QMdiSubWindow(parent), ctx_(ctx), host_(host)
{
    setObjectName(QStringLiteral("FrmSpread"));
    setWindowTitle(TX("データ一覧表示"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* body = new QWidget;
    VSprd = new QTableWidget(body);
    VscSprd = new QScrollBar(Qt::Vertical, body);
    VSprd->setObjectName(QStringLiteral("VSprd"));
    VscSprd->setObjectName(QStringLiteral("VscSprd"));
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(VSprd);
    layout->addWidget(VscSprd);
    setWidget(body);

    // bfVerSetVSprd: ColumnLast columns, 15 rows, centred headings, right-aligned cells.
    const int columns = ctx_.cat.ColumnLast;
    VSprd->setColumnCount(columns);
    VSprd->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    VSprd->verticalHeader()->setVisible(false);
    VSprd->setEditTriggers(QAbstractItemView::NoEditTriggers);
    VSprd->setSelectionMode(QAbstractItemView::SingleSelection);
    VSprd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    VSprd->setWordWrap(false);
    const QFontMetrics fm(VSprd->font());
    const int charWidth = fm.horizontalAdvance(QLatin1Char('0'));
    // A heading wider than its column (an English one) takes two lines, and the
    // column grows only where its longer line still needs the room.
    const QFontMetrics headerMetrics(VSprd->horizontalHeader()->font());
    const int headerMargins =
        2 * VSprd->horizontalHeader()->style()->pixelMetric(QStyle::PM_HeaderMargin) + 2;
    const auto headerWidth = [&](const QString& text) {
        int widest = 0;
        for (const QString& line : text.split(u'\n'))
            widest = std::max(widest, headerMetrics.horizontalAdvance(line));
        return static_cast<double>(widest);
    };
    QStringList headers = listHeaders(ctx_);
    for (int g = 1; g <= columns; ++g) {
        const int designed = static_cast<int>(listColumnWidthChars(g) * charWidth) + 8;
        if (g - 1 < headers.size()) {
            QString& header = headers[g - 1];
            header = wrappedHeader(header, designed - headerMargins, headerWidth);
            VSprd->setColumnWidth(
                g - 1, std::max(designed, static_cast<int>(headerWidth(header)) + headerMargins));
        } else {
            VSprd->setColumnWidth(g - 1, designed);
        }
    }
    VSprd->setHorizontalHeaderLabels(headers);
    const int rowHeight = fm.height() + 2;
    rowHeight_ = rowHeight;
    VSprd->verticalHeader()->setMinimumSectionSize(rowHeight);
    VSprd->verticalHeader()->setDefaultSectionSize(rowHeight);
    VSprd->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sizeGrid();
    // The list moves by pages of records, never the grid inside its window.
    VSprd->installEventFilter(this);
    VSprd->viewport()->installEventFilter(this);
    // No cell is selected: the first row is never written and a highlighted
    // empty cell there would only puzzle.
    VSprd->setCurrentCell(-1, -1);

    const SpreadLayout size = spreadLayout(ctx_.app.HardVersion);
    // The designed window, grown if the grid's font needs more room for 15 rows.
    const int gridHeight =
        VSprd->horizontalHeader()->sizeHint().height() + (kListRows + 1) * rowHeight + 4;
    int width = 0;
    for (int c = 0; c < columns; ++c)
        width += VSprd->columnWidth(c);
    resize(std::max(twipsToPixels(size.windowWidth), width + VscSprd->sizeHint().width() + 16),
           std::max(twipsToPixels(size.windowHeight), gridHeight + 30));

    connect(VscSprd, &QScrollBar::valueChanged, this, [this](int v) { VscSprd_Change(v); });

    restoreChildPosition(*this, ctx_.settings, QStringLiteral("FrmSpread"), firstRunPosition);
    trapped(
        ctx_, "FrmSpread_Load", false,
        [&] {
            LoadListPage(ctx_, 0);
            return true;
        },
        ReportTo::StatusBar);
    fillList();
    host_.setViewMark(ViewItem::Spread, true);
}

void FrmSpread::sizeGrid()
{
    const int rows = ctx_.listPage().rowCount() + 1;
    const int before = VSprd->rowCount();
    if (rows == before)
        return;
    VSprd->setRowCount(rows);
    for (int r = before; r < rows; ++r)
        for (int c = 0; c < VSprd->columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            VSprd->setItem(r, c, item);
        }
}

void FrmSpread::fitRows()
{
    const int rows = listRowsForHeight(VSprd->viewport()->height(), rowHeight_);
    ListPage& page = ctx_.listPage();
    if (rows == page.rowCount())
        return;
    const bool newest = showsNewest();
    page.setRowCount(rows);
    sizeGrid();
    const ListScroll scroll = listScroll(ctx_.dataSet().RecordCount(), page.rowCount());
    const int top = newest ? scroll.maximum : std::clamp(page.ListTop, 0, scroll.maximum);
    trapped(
        ctx_, "FrmSpread_Resize", false,
        [&] {
            LoadListPage(ctx_, top);
            return true;
        },
        ReportTo::StatusBar);
    fillList();
}

void FrmSpread::moveList(ListMove how)
{
    if (!VscSprd->isEnabled())
        return;
    VscSprd->setValue(
        listTopAfter(how, VscSprd->value(), VscSprd->maximum(), ctx_.listPage().rowCount()));
}

bool FrmSpread::eventFilter(QObject* watched, QEvent* event)
{
    // The grid's body takes its new size here, whoever resized the window.
    if (event->type() == QEvent::Resize && watched == VSprd->viewport()) {
        fitRows();
        return false;
    }
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int dy = wheel->angleDelta().y();
        if (dy != 0)
            moveList(dy > 0 ? ListMove::WheelUp : ListMove::WheelDown);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        static const std::array<std::pair<int, ListMove>, 6> kKeys = {{
            {Qt::Key_Up, ListMove::RowUp},
            {Qt::Key_Down, ListMove::RowDown},
            {Qt::Key_PageUp, ListMove::PageUp},
            {Qt::Key_PageDown, ListMove::PageDown},
            {Qt::Key_Home, ListMove::First},
            {Qt::Key_End, ListMove::Last},
        }};
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (const auto& [k, how] : kKeys)
            if (k == key) {
                moveList(how);
                return true;
            }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void FrmSpread::setCellText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = VSprd->item(row, column); item && item->text() != text)
        item->setText(text);
}

void FrmSpread::fillList()
{
    VSprd->setUpdatesEnabled(false);
    const int columns = ctx_.cat.ColumnLast;
    // Grid row i + 1 holds page slot i; the grid's first row is never written.
    const int rows = std::min(ctx_.listPage().rowCount(), VSprd->rowCount() - 1);
    for (int slot = 1; slot <= rows; ++slot) {
        const DataRecord& rec = ctx_.listPage().Rows[static_cast<size_t>(slot)];
        for (int g = 1; g <= columns; ++g)
            setCellText(slot, g - 1, rec.isEmptySlot() ? QString() : listCellText(ctx_, rec, g));
    }
    filling_ = true;
    const ListScroll scroll = listScroll(ctx_.dataSet().RecordCount(), ctx_.listPage().rowCount());
    if (!scroll.enabled) {
        // No thumb of an earlier data set stays behind on the idle bar.
        VscSprd->setRange(0, 0);
        VscSprd->setValue(0);
        VscSprd->setEnabled(false);
    } else {
        VscSprd->setEnabled(true);
        VscSprd->setRange(0, scroll.maximum);
        VscSprd->setPageStep(ctx_.listPage().rowCount());
        VscSprd->setValue(std::clamp(ctx_.listPage().ListTop, 0, scroll.maximum));
    }
    filling_ = false;
    // A window too low for the page hides its unwritten first row rather than
    // the newest records at the bottom.
    VSprd->scrollToBottom();
    VSprd->setUpdatesEnabled(true);
}

bool FrmSpread::showsNewest() const
{
    return !VscSprd->isEnabled() || VscSprd->value() >= VscSprd->maximum();
}

void FrmSpread::VscSprd_Change(int value)
{
    if (filling_)
        return;
    // The end of the bar is the newest page, also when records arrived since the
    // bar was last set (a measurement): the list then follows them again.
    const int top =
        value >= VscSprd->maximum()
            ? listScroll(ctx_.dataSet().RecordCount(), ctx_.listPage().rowCount()).maximum
            : value;
    // A page that cannot be read is reported in the status bar; the list stays usable.
    trapped(
        ctx_, "VscSprd_Change", false,
        [&] {
            LoadListPage(ctx_, top);
            fillList();
            return true;
        },
        ReportTo::StatusBar);
}

void FrmSpread::closeEvent(QCloseEvent* event)
{
    saveChildPosition(*this, ctx_.settings, QStringLiteral("FrmSpread"));
    host_.setViewMark(ViewItem::Spread, false);
    QMdiSubWindow::closeEvent(event);
}

} // namespace quellin
