#include "print/PrintLayout.h"
#include "print/PrintPages.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

TEST(PageOrientation, FollowsTheGraphsShapeAndTheListsVersion)
{
    EXPECT_EQ(orientationForPicture({1200, 700}), PageOrientation::Landscape);
    EXPECT_EQ(orientationForPicture({700, 1200}), PageOrientation::Portrait);
    EXPECT_EQ(orientationForPicture({700, 700}), PageOrientation::Portrait);
    EXPECT_EQ(spreadOrientation(1), PageOrientation::Portrait);
    EXPECT_EQ(spreadOrientation(2), PageOrientation::Landscape);
    EXPECT_EQ(spreadOrientation(3), PageOrientation::Landscape);
}

struct PageCase {
    const char* name;
    int rows;
    QSizeF body;
    double tableWidth;
    double scale;
    int rowsPerPage;
    int pages;
};

class TablePagination : public ::testing::TestWithParam<PageCase> {};

TEST_P(TablePagination, RowsPerPageAndPages)
{
    const PageCase& c = GetParam();
    // Rows 10 high under 30 of headings.
    const TablePages p = paginateTable(c.rows, c.body, c.tableWidth, 10, 30);
    EXPECT_NEAR(p.scale, c.scale, 1e-9);
    EXPECT_EQ(p.rowsPerPage, c.rowsPerPage);
    EXPECT_EQ(p.pageCount, c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TablePagination,
    ::testing::Values(PageCase{"OnePartPage", 5, {500, 330}, 400, 1, 30, 1},
                      PageCase{"ExactlyFull", 60, {500, 330}, 400, 1, 30, 2},
                      PageCase{"OneOver", 61, {500, 330}, 400, 1, 30, 3},
                      // Twice as wide as the page: everything at half size, twice the rows.
                      PageCase{"Shrunk", 61, {500, 330}, 1000, 0.5, 63, 1},
                      // A page too short for one row still takes one.
                      PageCase{"TinyPage", 3, {500, 20}, 400, 1, 1, 3},
                      PageCase{"FullStore", 32767, {1000, 1030}, 900, 1, 100, 328},
                      PageCase{"NoRows", 0, {500, 330}, 400, 1, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TablePagination, EveryRowOnExactlyOnePage)
{
    const int rows = 1001;
    const TablePages p = paginateTable(rows, {500, 330}, 400, 10, 30);
    int next = 0;
    for (int page = 0; page < p.pageCount; ++page) {
        const RowRange r = rowsOfPage(p, rows, page);
        EXPECT_EQ(r.first, next);
        EXPECT_GT(r.count, 0);
        next += r.count;
    }
    EXPECT_EQ(next, rows);
    EXPECT_EQ(rowsOfPage(p, rows, p.pageCount).count, 0);
    EXPECT_EQ(rowsOfPage(p, rows, -1).count, 0);
}

} // namespace
} // namespace quellin

namespace quellin {
namespace {

// The list print's page: an inch at the top and the bottom, half an inch at the
// left, a narrow right margin, in the orientation of the version, under the
// heading "計測データ" with its page number.
TEST(SpreadPage, HasItsMarginsOrientationAndHeading)
{
    const struct {
        int version;
        QPageLayout::Orientation orientation;
        int page;
        const char* number;
    } cases[] = {
        {1, QPageLayout::Portrait, 1, "ページ 1"},
        {2, QPageLayout::Landscape, 12, "ページ 12"},
        {3, QPageLayout::Landscape, 3, "ページ 3"},
    };
    for (const auto& c : cases) {
        const QPageLayout layout = spreadPageLayout(c.version, QPageSize(QPageSize::A4));
        EXPECT_EQ(layout.orientation(), c.orientation) << c.version;
        const QMarginsF m = layout.margins(QPageLayout::Point);
        EXPECT_DOUBLE_EQ(m.top(), 72) << c.version;
        EXPECT_DOUBLE_EQ(m.bottom(), 72) << c.version;
        EXPECT_DOUBLE_EQ(m.left(), 36) << c.version;
        EXPECT_DOUBLE_EQ(m.right(), 10) << c.version;
        EXPECT_EQ(layout.pageSize().id(), QPageSize::A4) << c.version;
        EXPECT_EQ(spreadPageNumberText(c.page), QString::fromUtf8(c.number));
    }
    EXPECT_EQ(spreadPageTitle(), QStringLiteral("計測データ"));
}

} // namespace
} // namespace quellin
