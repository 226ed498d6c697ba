// The bar's fixed height, its place at start, the top-most band and the top edge.
#include "bar_e2e.h"

namespace e2e {
namespace {

using BarGeometry = BarTest;

RECT WorkAreaRect() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

TEST_F(BarGeometry, StartsCentredOrAtTheTopEdgeInTheTopMostBandAsSet) {
    struct Case {
        int topPos, topMost;
    } cases[] = {{0, 1}, {1, 0}, {1, 1}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("DialogTopPos=" + std::to_string(c.topPos) +
                     " DialogTopMost=" + std::to_string(c.topMost));
        PavraBar one(CurrentTestName() + std::to_string(c.topPos) + std::to_string(c.topMost));
        ASSERT_TRUE(one.WriteIni(PavraIni("DialogTopPos=" + std::to_string(c.topPos) +
                                          "\r\nDialogTopMost=" + std::to_string(c.topMost) + "\r\n")));
        ASSERT_TRUE(one.Start());
        const RECT area = WorkAreaRect();
        const RECT window = one.WindowRect();
        EXPECT_EQ(one.ClientSize().cy, 49);
        EXPECT_EQ(window.left, ((area.right - area.left) - (window.right - window.left)) / 2);
        if (c.topPos) {
            EXPECT_EQ(window.top, 0);
        } else {
            // Centred by the template's height, which is taller than the closed bar.
            EXPECT_GT(window.top, (area.bottom - area.top) / 2 - 200);
            EXPECT_LT(window.top, (area.bottom - area.top) / 2);
        }
        EXPECT_EQ(TopMost(one.Window()), c.topMost == 1);
        EXPECT_TRUE(one.Quit());
    }
}

TEST_F(BarGeometry, DraggingTheBordersChangesOnlyTheWidthAndTheLayoutFollows) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned)));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Foreground());
    const RECT before = bar.WindowRect();
    const SIZE client = bar.ClientSize();
    ASSERT_EQ(client.cy, 49);

    // Bottom border, downwards: the height stays, the top too.
    const int midX = (before.left + before.right) / 2;
    ASSERT_TRUE(DragSlowly(bar.Process(), {midX, before.bottom - 1}, {midX, before.bottom + 79}));
    EXPECT_EQ(bar.ClientSize().cy, 49);
    EXPECT_EQ(bar.WindowRect().top, before.top);

    // Right border, outwards: the width follows, and with it the right-hand controls.
    const int midY = (before.top + before.bottom) / 2;
    ASSERT_TRUE(DragSlowly(bar.Process(), {before.right - 1, midY}, {before.right + 99, midY + 40}));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cx > client.cx + 50; }));
    const int w = bar.ClientSize().cx;
    EXPECT_EQ(bar.ClientSize().cy, 49);
    EXPECT_EQ(bar.ItemRect(IDC_CLOSE).left, w - 15);
    EXPECT_EQ(bar.ItemRect(IDC_INPUT).right, w - 86);
    EXPECT_EQ(bar.ItemRect(IDC_MODE_LIST).left, w - 86);

    // With the settings area open the height is 169, and a drag keeps it.
    ASSERT_TRUE(OpenSettingsArea(bar));
    const RECT open = bar.WindowRect();
    const int openX = (open.left + open.right) / 2;
    ASSERT_TRUE(DragSlowly(bar.Process(), {openX, open.bottom - 1}, {openX, open.bottom - 61}));
    EXPECT_EQ(bar.ClientSize().cy, 169);
    EXPECT_EQ(bar.WindowRect().top, open.top);
    EXPECT_TRUE(bar.Quit());
}

TEST_F(BarGeometry, AtTheTopEdgeADragMovesTheBarOnlySideways) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(std::string("DialogTopPos=1\r\n") + kPinned)));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Foreground());
    const RECT before = bar.WindowRect();
    ASSERT_EQ(before.top, 0);
    // The title strip between the icon and the buttons drags the bar.
    const RECT title = ClientRectOnScreen(bar.Window());
    const int x = title.left + 40, y = title.top + 6;
    ASSERT_TRUE(DragSlowly(bar.Process(), {x, y}, {x - 70, y + 200}));
    ASSERT_TRUE(WaitUntil([&] { return bar.WindowRect().left == before.left - 70; }));
    EXPECT_EQ(bar.WindowRect().top, 0);
    EXPECT_EQ(bar.ClientSize().cy, 49);

    // Without the option the same drag moves it down as well.
    ASSERT_TRUE(OpenSettingsArea(bar));
    ASSERT_TRUE(bar.Click(IDC_TOPPOS));
    ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogTopPos") == 0; }));
    const RECT strip = ClientRectOnScreen(bar.Window());
    ASSERT_TRUE(
        DragSlowly(bar.Process(), {strip.left + 40, strip.top + 6}, {strip.left + 40, strip.top + 106}));
    EXPECT_TRUE(WaitUntil([&] { return bar.WindowRect().top == 100; }));
    EXPECT_TRUE(bar.Quit());
}

}  // namespace
}  // namespace e2e
