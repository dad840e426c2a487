// The value panel and the data list as a user sees them: texts fit their labels
// and cells, the version-2 rows exist only for version 2.

#include "Catalogue.h"
#include "Controls.h"
#include "TestContext.h"
#include "store/ModFile.h"
#include "views/FrmDisp.h"
#include "views/FrmSpread.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>
#include <QTableWidget>
#include <QKeyEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

class MarkOnly : public ChildWindowHost {
public:
    void setViewMark(ViewItem, bool checked) override { mark = checked; }
    bool viewMark(ViewItem) const override { return mark; }
    bool mark = false;
};

bool textFits(const QLabel& label, const QString& text)
{
    return QFontMetrics(label.font()).horizontalAdvance(text) <= label.contentsRect().width();
}

class PanelLayout : public ::testing::TestWithParam<int> {};

TEST_P(PanelLayout, TheWidestReadingsFitTheirLabels)
{
    const int version = GetParam();
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, version);
    MarkOnly host;
    FrmDisp panel(*t.ctx, host);
    panel.show();
    EXPECT_TRUE(host.mark);
    // The longest texts the measured-data handler writes for each item.
    const QString widest[15] = {"60.0",   "12/31 23:59:59", "-999.9", "-99.99", "-999.9",
                                "-99.99", "-999.9",         "999.9",  "999.9",  "-100.0",
                                "999.9",  "999.9",          "999.9",  "-99",    "-99"};
    for (int i = 0; i < 15; ++i) {
        const QLabel& value = *control<QLabel>(panel, "LblValue", i);
        if (i >= 10 && version < 2) {
            EXPECT_FALSE(value.isVisibleTo(&panel)) << i;
            continue;
        }
        EXPECT_TRUE(value.isVisibleTo(&panel)) << i;
        EXPECT_TRUE(textFits(value, widest[i])) << "item " << i;
        EXPECT_TRUE(textFits(*control<QLabel>(panel, "LblTani", i), QStringLiteral("KVar")) ||
                    i == 1)
            << "unit " << i;
        // Inside the frame.
        const QRect r(value.mapTo(control<QGroupBox>(panel, "FramWK"), QPoint(0, 0)), value.size());
        EXPECT_TRUE(control<QGroupBox>(panel, "FramWK")->rect().contains(r)) << i;
    }
    const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        panel.grab().save(QDir(dir).filePath(QStringLiteral("panel-v%1.png").arg(version)));
}

INSTANTIATE_TEST_SUITE_P(Versions, PanelLayout, ::testing::Values(1, 2));

class ListLayout : public ::testing::TestWithParam<int> {};

TEST_P(ListLayout, EveryColumnShowsItsWidestTextAndAtLeastFifteenRows)
{
    const int version = GetParam();
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, version);
    ResetStore(*t.ctx);
    MarkOnly host;
    FrmSpread list(*t.ctx, host);
    list.show();
    const QTableWidget& grid = *control<QTableWidget>(list, "VSprd");
    ASSERT_GE(grid.rowCount(), 15);
    ASSERT_EQ(grid.rowCount(), t.ctx->listPage().rowCount() + 1);
    ASSERT_EQ(grid.columnCount(), version >= 2 ? 17 : 12);
    const QFontMetrics fm(grid.font());
    const QString widest[18] = {"",          "32767",     "2002/06/01 10:00:05",
                                "-999.9E+9", "-999.9E+9", "-999.9E+9",
                                "-999.9E+9", "-999.9E+9", "-999.9E+9",
                                "-999.9E+9", "-1.000",    "-999.9E+9",
                                "24.00000",  "999.9",     "999.9",
                                "999.9",     "-99",       "-99"};
    for (int g = 1; g <= grid.columnCount(); ++g)
        EXPECT_LE(fm.horizontalAdvance(widest[g]) + 4, grid.columnWidth(g - 1)) << "column " << g;
    // All rows are visible without scrolling the grid itself.
    const int rowsHeight = grid.horizontalHeader()->height() + grid.rowCount() * grid.rowHeight(0);
    EXPECT_LE(rowsHeight, grid.viewport()->height() + grid.horizontalHeader()->height());
}

INSTANTIATE_TEST_SUITE_P(Versions, ListLayout, ::testing::Values(1, 2));

// The list as the user reads it: no highlighted empty cell in the unwritten first
// row, an idle scroll bar without the thumb of an earlier data set, and "at the
// newest records" only while the bar is at its end.
TEST(ListLook, NoHighlightedCellNoStaleThumbAndTheEndOfTheBar)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 1);
    ResetStore(*t.ctx);
    MarkOnly host;
    FrmSpread list(*t.ctx, host);
    list.show();
    control<QTableWidget>(list, "VSprd")->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(control<QTableWidget>(list, "VSprd")->selectedItems().isEmpty());
    EXPECT_TRUE(list.showsNewest());

    t.ctx->dataSet().OpenTmpForAppend();
    for (int i = 0; i < 40; ++i) {
        DataRecord r;
        r.number = i;
        r.setTime(37408.0 + i / 86400.0);
        t.ctx->dataSet().AppendRecord(r);
    }
    t.ctx->dataSet().CloseTmp();
    const int newestTop = 40 - t.ctx->listPage().rowCount();
    LoadListPage(*t.ctx, newestTop);
    list.fillList();
    EXPECT_EQ(control<QScrollBar>(list, "VscSprd")->maximum(), newestTop);
    EXPECT_TRUE(list.showsNewest());
    control<QScrollBar>(list, "VscSprd")->setValue(10);
    EXPECT_FALSE(list.showsNewest());
    EXPECT_EQ(t.ctx->listPage().ListTop, 10);

    // Cleared: the bar goes idle with no thumb left standing at 10 of 26.
    t.ctx->dataSet().DeleteTmpFile();
    ResetStore(*t.ctx);
    LoadListPage(*t.ctx, 0);
    list.fillList();
    EXPECT_FALSE(control<QScrollBar>(list, "VscSprd")->isEnabled());
    EXPECT_EQ(control<QScrollBar>(list, "VscSprd")->maximum(), 0);
    EXPECT_EQ(control<QScrollBar>(list, "VscSprd")->value(), 0);
    EXPECT_TRUE(list.showsNewest());
}

// The wheel and the keys move through the records; a taller window shows more
// rows, the newest still at the bottom.
TEST(ListLook, TheWheelAndTheKeysScrollAndATallWindowShowsMoreRows)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 1);
    ResetStore(*t.ctx);
    t.ctx->dataSet().OpenTmpForAppend();
    for (int i = 0; i < 100; ++i) {
        DataRecord r;
        r.number = i;
        r.setTime(37408.0 + i / 86400.0);
        t.ctx->dataSet().AppendRecord(r);
    }
    t.ctx->dataSet().CloseTmp();
    MarkOnly host;
    FrmSpread list(*t.ctx, host);
    list.show();
    QApplication::processEvents();
    const int r = t.ctx->listPage().rowCount();
    ASSERT_GE(r, 14);
    const int last = 100 - r;
    QTableWidget* grid = control<QTableWidget>(list, "VSprd");
    // The moves themselves: ListMoves; here the keys and the wheel reach them.
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(grid, &end);
    EXPECT_EQ(t.ctx->listPage().ListTop, last);
    const QPoint at = grid->viewport()->rect().center();
    QWheelEvent up(at, grid->viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &up);
    EXPECT_EQ(t.ctx->listPage().ListTop, last - kWheelRows);

    QApplication::sendEvent(grid, &end);
    list.resize(list.width(), list.height() + 10 * grid->rowHeight(1));
    QApplication::processEvents();
    const int rows = t.ctx->listPage().rowCount();
    EXPECT_GE(rows, r + 9);
    EXPECT_EQ(t.ctx->listPage().Rows[static_cast<size_t>(rows)].number, 99);
    EXPECT_TRUE(grid->viewport()->rect().contains(
        grid->visualRect(grid->model()->index(rows, 0))));
}

} // namespace
} // namespace quellin
