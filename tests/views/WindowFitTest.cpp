// The child windows' first places fitted to the window area.

#include "views/WindowFit.h"

#include <gtest/gtest.h>

using namespace quellin;

namespace {

struct FitCase {
    const char* name;
    QRect window;
    QSize area;
    QRect want;
};

class FitIntoArea : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitIntoArea, MovesThenShrinksIntoTheArea)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(fitIntoArea(c.window, c.area), c.want) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, FitIntoArea,
    ::testing::Values(
        FitCase{"inside stays", {10, 20, 300, 200}, {800, 600}, {10, 20, 300, 200}},
        FitCase{"below moves up", {0, 495, 900, 360}, {1366, 640}, {0, 280, 900, 360}},
        FitCase{"right moves left", {700, 0, 300, 100}, {800, 600}, {500, 0, 300, 100}},
        FitCase{"larger shrinks", {50, 50, 1000, 900}, {800, 600}, {0, 0, 800, 600}},
        FitCase{"left of the area", {-40, -5, 100, 100}, {800, 600}, {0, 0, 100, 100}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (ch == ' ')
                ch = '_';
        return n;
    });

TEST(FirstRunPlaces, TheListKeepsItsRowsAndTheGraphGivesUpHeight)
{
    // The designed first run: panel top left, graph right of it, list below the graph.
    ChildPlaces designed;
    designed.panel = QRect(0, 0, 333, 200);
    designed.graph = QRect(333, 0, 734, 495);
    designed.list = QRect(0, 495, 1270, 360);

    // Room enough: nothing moves.
    const ChildPlaces roomy = fitFirstRunPlaces(designed, QSize(1600, 900), QSize(300, 240));
    EXPECT_EQ(*roomy.graph, *designed.graph);
    EXPECT_EQ(*roomy.list, *designed.list);

    // A laptop: the list at the bottom, the graph ending where it begins.
    const ChildPlaces laptop = fitFirstRunPlaces(designed, QSize(1366, 640), QSize(300, 240));
    EXPECT_EQ(*laptop.list, QRect(0, 280, 1270, 360));
    EXPECT_EQ(*laptop.graph, QRect(333, 0, 734, 280));
    EXPECT_EQ(*laptop.panel, *designed.panel);

    // Very little room: the graph keeps its minimum and lies over the list's top.
    const ChildPlaces small = fitFirstRunPlaces(designed, QSize(1000, 450), QSize(300, 240));
    EXPECT_EQ(small.list->bottom(), 449);
    EXPECT_EQ(small.graph->height(), 240);
    EXPECT_LE(small.graph->right(), 999);

    // A window placed by the user before is left alone.
    ChildPlaces placed = designed;
    placed.list.reset();
    const ChildPlaces kept = fitFirstRunPlaces(placed, QSize(1366, 640), QSize(300, 240));
    EXPECT_FALSE(kept.list);
    EXPECT_EQ(kept.graph->height(), 495);
    EXPECT_EQ(kept.graph->top(), 0);
}

} // namespace

namespace quellin {
namespace {

// The arranged layout and the main window's first size on the screens users
// have, from a small laptop to a desktop: the main window and its status bar on
// the screen, the children filling the window area without overlap, the list
// with its rows, the graph the largest.
TEST(ArrangedPlaces, FillTheAreaOnEveryScreen)
{
    const QSize panel(333, 233);
    const int listRows = 250;
    for (const QSize screen : {QSize(1280, 720), QSize(1366, 768), QSize(1920, 1080), QSize(2560, 1440)}) {
        SCOPED_TRACE(screen.width());
        const QSize available(screen.width(), screen.height() - 32); // a task bar
        const QSize window = firstMainWindowSize(available);
        EXPECT_LE(window.width() + kMainWindowFrameAllowance.width(), available.width());
        EXPECT_LE(window.height() + kMainWindowFrameAllowance.height(), available.height());
        const QSize area(window.width() - 4, window.height() - 110); // menu, tools, status
        const ChildPlaces p = arrangedPlaces(area, panel, listRows, 240);
        const QRect all(QPoint(0, 0), area);
        for (const QRect& r : {*p.panel, *p.graph, *p.list})
            EXPECT_TRUE(all.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        EXPECT_FALSE(p.graph->intersects(*p.list));
        EXPECT_FALSE(p.panel->intersects(*p.graph));
        EXPECT_FALSE(p.panel->intersects(*p.list));
        EXPECT_EQ(p.graph->right(), area.width() - 1);
        EXPECT_EQ(p.list->bottom(), area.height() - 1);
        EXPECT_EQ(p.list->width(), area.width());
        EXPECT_GE(p.list->height(), listRows);
        EXPECT_GE(p.graph->height(), 240);
        EXPECT_GT(p.graph->width() * p.graph->height(), p.list->width() * p.list->height() / 2);
        EXPECT_EQ(p.panel->size(), panel);
    }
    // An area too low for both: the list keeps its rows, the graph what is left.
    const ChildPlaces low = arrangedPlaces(QSize(1000, 400), panel, listRows, 240);
    EXPECT_EQ(low.list->height(), listRows);
    EXPECT_EQ(low.graph->height(), 150);
    EXPECT_EQ(low.panel->height(), 150);
}

} // namespace
} // namespace quellin
