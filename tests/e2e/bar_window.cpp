// The bar window itself: its title text and layout at different widths, the pin, the settings area
// with its option boxes, and screenshots of the bar closed and open.
#include "pavra_driver.h"

#include <string>

namespace {

using e2e::BarTest;
using e2e::WaitUntil;

// Gives the bar this client width, keeping its height, as a window manager would.
bool SetClientWidth(e2e::PavraBar& bar, int width) {
    const RECT window = bar.WindowRect();
    const int frame = (window.right - window.left) - bar.ClientSize().cx;
    SetWindowPos(bar.Window(), nullptr, 0, 0, width + frame, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return WaitUntil([&] { return bar.ClientSize().cx == width; });
}

std::string Spaces(int count) { return std::string(static_cast<size_t>(count), ' '); }

TEST_F(BarTest, TitleTextFollowsTheClientWidth) {
    struct Case {
        int width;
        std::string title;
    };
    // (W - 97) / 4 + 10 spaces, the division truncated toward zero.
    const Case cases[] = {
        {301, " Pavra" + Spaces(61)}, {57, " Pavra"},
        {58, " Pavra" + Spaces(1)},  // -39 / 4 is -9, not -10
        {97, " Pavra" + Spaces(10)},  {459, " Pavra" + Spaces(100)},
    };
    ASSERT_TRUE(bar.Start());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        ASSERT_TRUE(SetClientWidth(bar, c.width));
        EXPECT_TRUE(bar.WaitText(IDC_TITLE, c.title));
    }
}

// Every control of the closed bar at its place for the client width W.
void ExpectLayout(const e2e::PavraBar& bar) {
    const int w = bar.ClientSize().cx;
    SCOPED_TRACE("client width " + std::to_string(w));
    struct Place {
        int id, x, y, width, height;
    };
    const Place places[] = {
        {IDC_TITLE, 16, 0, w - 61, 12},      {IDC_TITLE_ICON, 0, 0, 16, 12},
        {IDC_PIN, w - 45, 0, 15, 12},        {IDC_MINIMIZE, w - 30, 0, 15, 12},
        {IDC_CLOSE, w - 15, 0, 15, 12},      {IDC_INPUT, 0, 12, w - 86, 19},
        {IDC_MODE_LIST, w - 86, 12, 86, -1},  // its height is the drop-down's
        {IDC_ANSWER, 0, 31, w - 86, 18},     {IDC_MD0, w - 86, 31, 33, 18},
        {IDC_MD1, w - 53, 31, 33, 18},       {IDC_SETTINGS_TOGGLE, w - 19, 32, 17, 16},
    };
    for (const Place& place : places) {
        SCOPED_TRACE("control " + std::to_string(place.id));
        const RECT rect = bar.ItemRect(place.id);
        EXPECT_EQ(place.x, rect.left);
        EXPECT_EQ(place.y, rect.top);
        EXPECT_EQ(place.width, rect.right - rect.left);
        if (place.height >= 0) {
            EXPECT_EQ(place.height, rect.bottom - rect.top);
        }
    }
    EXPECT_EQ(49, bar.ClientSize().cy);
}

TEST_F(BarTest, LayoutFollowsAResizeWithTheMouse) {
    ASSERT_TRUE(bar.Start());
    ExpectLayout(bar);
    const int before = bar.ClientSize().cx;
    ASSERT_TRUE(bar.Foreground());
    // Drag the right border 120 pixels to the right.
    const RECT window = bar.WindowRect();
    const int x = window.right - 2;
    const int y = (window.top + window.bottom) / 2;
    e2e::Drag(x, y, x + 120, y, bar.Window());
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cx == before + 120; }))
        << "client width " << bar.ClientSize().cx << " after dragging the border from " << before;
    ExpectLayout(bar);
    ASSERT_TRUE(SetClientWidth(bar, 301));
    ExpectLayout(bar);
}

TEST_F(BarTest, PinButtonWritesDialogPinFixedAndSwapsItsImage) {
    ASSERT_TRUE(bar.Start());
    ASSERT_EQ(0, bar.Ini().Int("pavra", "DialogPinFixed"));
    auto image = [&] { return SendMessageA(bar.Item(IDC_PIN), BM_GETIMAGE, IMAGE_BITMAP, 0); };
    const LRESULT lying = image();
    EXPECT_NE(0, lying);
    for (int expected : {1, 0}) {
        SCOPED_TRACE(expected);
        ASSERT_TRUE(bar.Click(IDC_PIN));
        EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogPinFixed") == expected; }));
        EXPECT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));
        if (expected == 1) {
            EXPECT_TRUE(WaitUntil([&] { return image() != lying && image() != 0; }));
        } else {
            EXPECT_TRUE(WaitUntil([&] { return image() == lying; }));
        }
    }
}

TEST_F(BarTest, SettingsAreaOpensAndCloses) {
    ASSERT_TRUE(bar.Start());
    EXPECT_EQ(49, bar.ClientSize().cy);
    EXPECT_FALSE(bar.Screenshot("bar-closed").empty());

    ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 169; }))
        << "client height " << bar.ClientSize().cy;
    EXPECT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));
    EXPECT_TRUE(bar.Checked(IDC_TOPMOST));
    EXPECT_FALSE(bar.Checked(IDC_TOPPOS));
    EXPECT_FALSE(bar.Checked(IDC_TASKTRAY));
    const struct {
        int id;
        const char* caption;
    } buttons[] = {{IDC_BUTTON0, "リファレンス"}, {IDC_BUTTON1, "変数一覧"}, {IDC_BUTTON2, "設定"}};
    for (const auto& button : buttons) {
        EXPECT_EQ(button.caption, bar.Text(button.id));
        EXPECT_TRUE(bar.Enabled(button.id));
    }
    EXPECT_FALSE(bar.Screenshot("bar-settings-open").empty());

    ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 49; }))
        << "client height " << bar.ClientSize().cy;
}

// Each option box writes its own key and nothing else; "常に前面に表示" moves the bar in or out
// of the top-most band, "上辺貼付き" to the top edge.
TEST_F(BarTest, OptionBoxesWriteTheirKeyOnly) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 169; }));
    auto topMost = [&] { return (e2e::ExStyleOf(bar.Window()) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(topMost());

    struct Step {
        int id;
        const char* key;
        int value;
    };
    const Step steps[] = {
        {IDC_TOPMOST, "DialogTopMost", 0},
        {IDC_TOPMOST, "DialogTopMost", 1},
        {IDC_TOPPOS, "DialogTopPos", 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.key) + "=" + std::to_string(step.value));
        const e2e::IniFile before = bar.Ini();
        ASSERT_TRUE(bar.Click(step.id));
        ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", step.key) == step.value; }));
        EXPECT_EQ(step.value != 0, bar.Checked(step.id));
        // Back into the band Wine leaves the style unset for a window that owns tooltips (it links
        // the window below its own top-most tooltips instead), so only the way out is checked.
        if (step.id == IDC_TOPMOST && step.value == 0) {
            EXPECT_TRUE(WaitUntil([&] { return !topMost(); }));
        }
        const e2e::IniFile after = bar.Ini();
        for (const auto& entry : before.Entries("pavra"))
            if (entry.first != step.key) {
                EXPECT_EQ(entry.second, after.String("pavra", entry.first)) << entry.first;
            }
        EXPECT_EQ(before.Entries("calc"), after.Entries("calc"));
    }
    EXPECT_TRUE(WaitUntil([&] { return bar.WindowRect().top == 0; })) << "top " << bar.WindowRect().top;
}

}  // namespace
