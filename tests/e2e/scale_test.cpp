// The bar and its windows at the display's scale, run once per DPI (each with its own Wine
// prefix): every pixel figure of the 96-DPI design is that figure times DPI / 96, and every text
// is seen whole. Screenshots of each window go to scale-<dpi>-*.png.
#include "bar_e2e.h"

#include <algorithm>
#include <string>

namespace e2e {
namespace {

class ScaleTest : public BarTest {
protected:
    ::testing::AssertionResult StartPinned() {
        if (!bar.WriteIni(PavraIni(kPinned)))
            return ::testing::AssertionFailure() << "cannot write pavra.ini";
        ::testing::AssertionResult started = bar.Start();
        dpi = DpiOfWindow(bar.Window());
        return started;
    }

    int s(int value) const { return MulDiv(value, static_cast<int>(dpi), 96); }

    void Shot(const std::string& name) { bar.Screenshot("scale-" + std::to_string(dpi) + "-" + name); }

    static void ExpectWhole(HWND window, const std::string& what, const DialogFont& font = kShellDlgFont) {
        ASSERT_NE(window, nullptr) << what;
        const std::vector<TextCut> cuts = TextCuts(window, font);
        EXPECT_TRUE(cuts.empty()) << what << " cuts:\n" << Describe(cuts);
    }

    HWND WaitWindow(const char* title) {
        HWND window = nullptr;
        WaitUntil([&] {
            window = bar.FindWindowByTitle(title);
            return window && IsWindowVisible(window);
        });
        return window;
    }

    // A modal dialog opened by a click on the bar: looked at, shot, and cancelled.
    void CheckDialog(int buttonId, const char* title, const std::string& name,
                     const DialogFont& font = kShellDlgFont) {
        SCOPED_TRACE(name);
        if (buttonId)
            ASSERT_TRUE(bar.Click(buttonId));
        else
            PostMessageA(bar.Window(), WM_SYSCOMMAND, 16, 0);  // About, from the system menu
        HWND dialog = WaitWindow(title);
        ASSERT_NE(dialog, nullptr);
        ExpectWhole(dialog, name, font);
        Shot(name);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    }

    // Tells the bar that it now stands on a display of newDpi, as the platform does after a move
    // to another monitor. The suggested rectangle is written into the program's own memory, where
    // the message's pointer must lead.
    ::testing::AssertionResult ChangeDpi(UINT newDpi, const RECT& suggested) {
        HANDLE process = bar.Process().Handle();
        void* remote =
            VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!remote || !WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr))
            return ::testing::AssertionFailure() << "cannot write into the program: " << GetLastError();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(bar.Window(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                            reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &result);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        dpi = newDpi;
        return ::testing::AssertionSuccess();
    }

    // Every control of the closed bar at its scaled place, edges scaled and sizes their differences.
    void ExpectLayout() {
        const int w = bar.ClientSize().cx;
        SCOPED_TRACE("client width " + std::to_string(w));
        const struct {
            int id, left, top, right, bottom;
        } places[] = {
            {IDC_TITLE, s(16), 0, w - s(45), s(12)},
            {IDC_TITLE_ICON, 0, 0, s(16), s(12)},
            {IDC_PIN, w - s(45), 0, w - s(30), s(12)},
            {IDC_MINIMIZE, w - s(30), 0, w - s(15), s(12)},
            {IDC_CLOSE, w - s(15), 0, w, s(12)},
            {IDC_INPUT, 0, s(12), w - s(86), s(31)},
            {IDC_MODE_LIST, w - s(86), s(12), w, -1},  // its height is the drop-down's
            {IDC_ANSWER, 0, s(31), w - s(86), s(49)},
            {IDC_MD0, w - s(86), s(31), w - s(53), s(49)},
            {IDC_MD1, w - s(53), s(31), w - s(20), s(49)},
            {IDC_SETTINGS_TOGGLE, w - s(19), s(32), w - s(2), s(48)},
        };
        for (const auto& p : places) {
            const RECT r = bar.ItemRect(p.id);
            EXPECT_TRUE(r.left == p.left && r.top == p.top && r.right == p.right &&
                        (p.bottom < 0 || r.bottom == p.bottom))
                << "control " << p.id << " at (" << r.left << "," << r.top << ")-(" << r.right << ","
                << r.bottom << "), not (" << p.left << "," << p.top << ")-(" << p.right << "," << p.bottom
                << ")";
        }
    }

    // What the bar answers for a client point.
    LRESULT HitAt(int x, int y) {
        POINT point = {x, y};
        ClientToScreen(bar.Window(), &point);
        return SendMessageA(bar.Window(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    }

    UINT dpi = 96;
};

TEST_F(ScaleTest, HeightsLayoutAndTitleStripFollowTheScale) {
    ASSERT_TRUE(StartPinned());
    SCOPED_TRACE("DPI " + std::to_string(dpi));
    EXPECT_EQ(bar.ClientSize().cy, s(49));
    ExpectLayout();
    Shot("bar-closed");

    // A widening drag keeps the right-hand controls at the right edge.
    ASSERT_TRUE(bar.Foreground());
    const int before = bar.ClientSize().cx;
    const RECT window = bar.WindowRect();
    const int y = (window.top + window.bottom) / 2;
    ASSERT_TRUE(DragSlowly(bar.Process(), {window.right - 1, y}, {window.right - 1 + s(120), y}));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cx > before + s(60); })) << bar.ClientSize().cx;
    EXPECT_EQ(bar.ClientSize().cy, s(49));
    ExpectLayout();
    EXPECT_TRUE(
        bar.WaitText(IDC_TITLE, " Pavra" + std::string((bar.ClientSize().cx - s(97)) / s(4) + 10, ' ')));

    // The strip between the icon and the title buttons drags the bar.
    const int w = bar.ClientSize().cx;
    const struct {
        int x, y;
        LRESULT hit;
    } hits[] = {
        {s(16) - 1, 0, HTCLIENT}, {s(16), 0, HTCAPTION},    {w - s(30) - 1, s(12) - 1, HTCAPTION},
        {w - s(30), 0, HTCLIENT}, {s(40), s(12), HTCLIENT},
    };
    for (const auto& h : hits)
        EXPECT_EQ(HitAt(h.x, h.y), h.hit) << "at (" << h.x << "," << h.y << ")";

    ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == s(169); })) << bar.ClientSize().cy;
    ExpectWhole(bar.Window(), "the bar with the settings area open", kBarFont);
    Shot("bar-open");

    // Unpinned, the bar rolls up to its title strip when another window takes over.
    ASSERT_TRUE(bar.Click(IDC_PIN));
    ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogPinFixed") == 0; }));
    ForeignWindow other;
    ASSERT_TRUE(other.Activate());
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == s(12); })) << bar.ClientSize().cy;
}

TEST_F(ScaleTest, CompanionsAndDialogsArePlacedAndWhole) {
    ASSERT_TRUE(StartPinned());
    SCOPED_TRACE("DPI " + std::to_string(dpi));
    // Narrow enough that the variable list has room on the right at every scale.
    const RECT start = bar.WindowRect();
    const int frame = (start.right - start.left) - bar.ClientSize().cx;
    ASSERT_TRUE(SetWindowPos(bar.Window(), nullptr, 20, 20, frame + s(300), start.bottom - start.top,
                             SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == s(169); }));

    ASSERT_TRUE(bar.Enter("ref"));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cx == s(300); }));
    HWND ref = WaitWindow("Calc リファレンスマニュアル");
    ASSERT_NE(ref, nullptr);
    RECT b = bar.WindowRect();
    EXPECT_TRUE(WaitUntil(
        [&] { return WindowRectOf(ref).top == b.bottom && WindowRectOf(ref).bottom == b.bottom + s(260); }));
    ExpectWhole(ref, "the reference window");
    Shot("reference");
    ASSERT_TRUE(bar.Enter("close"));

    ASSERT_TRUE(bar.Enter("vars"));
    HWND vars = WaitWindow("変数一覧");
    ASSERT_NE(vars, nullptr);
    EXPECT_TRUE(WaitUntil(
        [&] { return WindowRectOf(vars).left == b.right && WindowRectOf(vars).right == b.right + s(260); }));
    ExpectWhole(vars, "the variable list");
    Shot("variables");
    ASSERT_TRUE(bar.Enter("close"));

    // Back at the template's width, which shows the whole settings area.
    ASSERT_TRUE(SetWindowPos(bar.Window(), nullptr, 0, 0, start.right - start.left, start.bottom - start.top,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(WaitUntil(
        [&] { return bar.WindowRect().right - bar.WindowRect().left == start.right - start.left; }));
    b = bar.WindowRect();
    ExpectWhole(bar.Window(), "the bar in the calculator mode", kBarFont);
    CheckDialog(IDC_BUTTON2, "Calc設定", "calc-settings");
    CheckDialog(IDC_DETAIL, "Pavra詳細設定", "detailed-settings");
    CheckDialog(0, "Pavra バージョン情報", "about", {"MS UI Gothic", 9, DEFAULT_CHARSET});

    ASSERT_TRUE(bar.Keys("Ctrl+X M"));
    HWND output = WaitWindow("DOS Prompt");
    ASSERT_NE(output, nullptr);
    // Below the bar, cut off at the work area's bottom when there is not room for all of it.
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return WindowRectOf(output).top == b.bottom &&
               WindowRectOf(output).bottom == std::min<LONG>(b.bottom + s(400), area.bottom);
    }));
    ExpectWhole(bar.Window(), "the bar in the command-prompt mode", kBarFont);
    ExpectWhole(output, "the output window");
    Shot("output");
    CheckDialog(IDC_BUTTON0, "DOS設定", "dos-settings");

    ASSERT_TRUE(bar.Keys("Ctrl+X M"));
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : bar.Process().Windows())
            if (IsWindowVisible(window) && GetDlgItem(window, IDC_WWW_SITES))
                chooser = window;
        return chooser != nullptr;
    }));
    // Window and client sizes are read together in each try: the chooser may still be sizing.
    EXPECT_TRUE(WaitUntil([&] {
        return WindowRectOf(chooser).top == b.bottom && ClientSizeOf(chooser).cy == s(21);
    })) << WindowRectOf(chooser).top
        << " " << ClientSizeOf(chooser).cy;
    ExpectWhole(bar.Window(), "the bar in the web search mode", kBarFont);
    ExpectWhole(chooser, "the site chooser");
    Shot("site-chooser");
    EXPECT_TRUE(bar.Quit());
}

// Wine shows one monitor only: the change of monitor is the message alone.
TEST_F(ScaleTest, ADpiChangeLaysOutTheBarAndItsCompanionAgain) {
    ASSERT_TRUE(StartPinned());
    const UINT startDpi = dpi;
    ASSERT_TRUE(
        SetWindowPos(bar.Window(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(bar.Click(IDC_SETTINGS_TOGGLE));
    ASSERT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == s(169); }));
    ASSERT_TRUE(bar.Enter("ref"));
    HWND ref = WaitWindow("Calc リファレンスマニュアル");
    ASSERT_NE(ref, nullptr);
    const RECT before = bar.WindowRect();
    const SIZE client = bar.ClientSize();
    const int area[] = {IDC_PAVRA_GROUP, IDC_TOPMOST, IDC_TASKTRAY, IDC_MODE_GROUP, IDC_BUTTON2};
    std::vector<RECT> places;
    for (int id : area)
        places.push_back(bar.ItemRect(id));

    const UINT other = startDpi == 96 ? 144 : 96;
    const int width = MulDiv(before.right - before.left, static_cast<int>(other), static_cast<int>(startDpi));
    const RECT suggested = {40, 30, 40 + width, 30 + 200};
    ASSERT_TRUE(ChangeDpi(other, suggested));
    SCOPED_TRACE("DPI " + std::to_string(startDpi) + " to " + std::to_string(other));
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == s(169); })) << bar.ClientSize().cy;
    const RECT after = bar.WindowRect();
    EXPECT_EQ(after.left, suggested.left);
    EXPECT_EQ(after.top, suggested.top);
    EXPECT_EQ(after.right - after.left, width);
    ExpectLayout();
    const std::vector<TextCut> cuts = TextCuts(bar.Window(), kBarFont, other);
    EXPECT_TRUE(cuts.empty()) << Describe(cuts);
    EXPECT_TRUE(WaitUntil([&] {
        return WindowRectOf(ref).top == after.bottom && WindowRectOf(ref).bottom == after.bottom + s(260);
    }));
    bar.Screenshot("scale-" + std::to_string(startDpi) + "-to-" + std::to_string(other) + "-bar-open");

    // Back on the first display everything is where it was.
    ASSERT_TRUE(ChangeDpi(startDpi, before));
    EXPECT_TRUE(
        WaitUntil([&] { return bar.ClientSize().cy == client.cy && bar.ClientSize().cx == client.cx; }));
    ExpectLayout();
    for (size_t i = 0; i < places.size(); ++i) {
        const RECT now = bar.ItemRect(area[i]);
        EXPECT_TRUE(EqualRect(&now, &places[i])) << "control " << area[i];
    }
    EXPECT_TRUE(TextCuts(bar.Window(), kBarFont, startDpi).empty());
}

}  // namespace
}  // namespace e2e
