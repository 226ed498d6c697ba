// The site chooser strip against the real bar, and mode switching through the mode list.
#include "www_fixture.h"

using namespace e2e;

namespace {

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// A drag at a person's pace: the window's move or size loop must see every step.
void SlowDrag(int fromX, int fromY, int toX, int toY) {
    MouseMove(fromX, fromY);
    Sleep(100);
    MouseDown(fromX, fromY);
    Sleep(100);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i) {
        MouseMove(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
        Sleep(30);
    }
    MouseUp(toX, toY);
}

// The strip's height: its frame plus room for the closed list.
LONG ExpectedHeight(HWND chooser) {
    RECT frame = WindowRectOf(chooser);
    SIZE client = ClientSizeOf(chooser);
    return (frame.bottom - frame.top) - client.cy + 21;
}

::testing::AssertionResult Against(HWND chooser, const RECT& bar, bool below) {
    RECT strip = WindowRectOf(chooser);
    LONG height = ExpectedHeight(chooser);
    RECT expected = below ? RECT{bar.left, bar.bottom, bar.right, bar.bottom + height}
                          : RECT{bar.left, bar.top - height, bar.right, bar.top};
    if (EqualRect(&strip, &expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "strip at " << strip.left << "," << strip.top << "-" << strip.right << "," << strip.bottom
           << ", expected " << expected.left << "," << expected.top << "-" << expected.right << ","
           << expected.bottom;
}

TEST_F(WwwTest, ChooserSitsAgainstTheBarAndFollowsIt) {
    ASSERT_TRUE(StartInWww("WWWSiteIndex=4\r\n"));
    HWND chooser = Chooser();
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(IsWindowVisible(chooser));
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), bar.Window());
    EXPECT_EQ(ComboItems(SiteList()),
              (std::vector<std::string>{"Google", "Yahoo!", "MSN", "英辞郎", "Yahoo!辞書", "Wikipedia"}));
    EXPECT_EQ(ComboSelection(SiteList()), 4);
    EXPECT_EQ(WindowText(SiteList()), "Yahoo!辞書");
    EXPECT_TRUE(WaitUntil([&] { return Against(chooser, bar.WindowRect(), true); }))
        << Against(chooser, bar.WindowRect(), true);
    bar.Screenshot("www-bar-with-chooser");

    // Dragged near the bottom of the work area, the bar gets the strip above it.
    const RECT work = WorkArea();
    RECT before = bar.WindowRect();
    const int grabX = before.left + (before.right - before.left) / 2, grabY = before.top + 6;
    ASSERT_TRUE(bar.Foreground());
    SlowDrag(grabX, grabY, grabX, grabY + (work.bottom - 10 - before.bottom));
    ASSERT_TRUE(WaitUntil([&] { return work.bottom - bar.WindowRect().bottom < ExpectedHeight(chooser); }))
        << "the bar did not move down";
    EXPECT_TRUE(WaitUntil([&] { return Against(chooser, bar.WindowRect(), false); }))
        << Against(chooser, bar.WindowRect(), false);

    // Widened by its right border, the bar takes the strip and its list with it.
    before = bar.WindowRect();
    const int edgeY = before.top + (before.bottom - before.top) / 2;
    SlowDrag(before.right - 2, edgeY, before.right + 120, edgeY);
    ASSERT_TRUE(WaitUntil([&] {
        return bar.WindowRect().right - bar.WindowRect().left > before.right - before.left + 60;
    })) << "the bar did not widen";
    EXPECT_TRUE(WaitUntil([&] { return Against(chooser, bar.WindowRect(), false); }))
        << Against(chooser, bar.WindowRect(), false);
    EXPECT_TRUE(WaitUntil([&] {
        RECT list = WindowRectOf(SiteList());
        return list.right - list.left == ClientSizeOf(chooser).cx;
    }));
}

TEST_F(WwwTest, ModeListCarriesTheInputLineThroughEveryMode) {
    ASSERT_TRUE(bar.WriteIni(""));
    ASSERT_TRUE(bar.Start());
    const int count = static_cast<int>(bar.Modes().size());
    ASSERT_GE(count, 2);
    ASSERT_GE(WwwIndex(), 0);
    // Once round the list so that every mode has had its first activation.
    for (int step = 1; step <= count; ++step)
        ASSERT_TRUE(StepModeList("Down", step % count));
    ASSERT_TRUE(FocusInput());
    ASSERT_TRUE(bar.Type("carried 文字"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "carried 文字"));
    for (int step = 1; step <= count; ++step) {
        const int mode = step % count;
        ASSERT_TRUE(StepModeList("Down", mode));
        EXPECT_TRUE(bar.WaitText(IDC_INPUT, "carried 文字")) << "mode " << mode;
        EXPECT_TRUE(bar.WaitText(IDC_MODE_GROUP, bar.Modes()[mode] + "設定")) << "mode " << mode;
        HWND chooser = Chooser();
        ASSERT_NE(chooser, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return (IsWindowVisible(chooser) != 0) == (mode == WwwIndex()); }))
            << "mode " << mode;
    }
}

TEST_F(WwwTest, SearchWordKeptAcrossAModeTrip) {
    ASSERT_TRUE(StartInWww());
    ASSERT_TRUE(bar.Type("half"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "half"));
    // Down from the last mode wraps round to the first; Up comes back.
    ASSERT_TRUE(StepModeList("Down", 0));
    EXPECT_FALSE(IsWindowVisible(Chooser()));
    ASSERT_TRUE(StepModeList("Up", WwwIndex()));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "half"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, kWwwWelcome));
    EXPECT_TRUE(IsWindowVisible(Chooser()));
    ASSERT_TRUE(FocusInput());
    EXPECT_EQ(Search(""), std::string(kGooglePrefix) + "half");
}

}  // namespace
