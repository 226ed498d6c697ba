// The bar on a desktop of two monitors (scripts/monitor-desktop): a 1280x1000 primary whose
// taskbar runs along its top, and a 1024x600 monitor on its right. Each companion window in each
// of its cases and each dialog must stay on the bar's monitor. Run as ctest -R e2e.monitors.
#include "pavra_driver.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

const RECT kPrimaryWork = {0, 40, 1280, 800};
const RECT kSecondWork = {1280, 0, 2304, 600};

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcWork);
    return TRUE;
}

std::vector<RECT> WorkAreas() {
    std::vector<RECT> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

bool OnTheTwoMonitorDesktop() {
    std::vector<RECT> areas = WorkAreas();
    return areas.size() == 2 && SameRect(areas[0], kPrimaryWork) && SameRect(areas[1], kSecondWork);
}

bool LiesWithin(const RECT& rect, const RECT& area) {
    return rect.left >= area.left && rect.top >= area.top && rect.right <= area.right &&
           rect.bottom <= area.bottom;
}

bool WithinAWorkArea(const RECT& rect) {
    for (const RECT& area : WorkAreas()) {
        if (LiesWithin(rect, area))
            return true;
    }
    return false;
}

// Where a companion goes against bar b: the three vertical cases; the variable list also has its
// horizontal ones.
enum Fit { Below, Above, Cut };
enum Side { Right, Left, CutRight, NoSide };

RECT Expected(const RECT& b, int size, Fit fit, Side side, const RECT& work) {
    RECT r = {b.left, b.bottom, b.right, b.bottom + size};
    if (fit == Above)
        r = {b.left, b.top - size, b.right, b.top};
    if (fit == Cut)
        r = {b.left, b.bottom, b.right, work.bottom};
    if (side == NoSide)
        return r;
    // Beside the bar: level with its top when there is room below.
    r.top = fit == Above ? b.top - size : b.top;
    r.bottom = fit == Below ? b.bottom + size : fit == Above ? b.bottom : work.bottom;
    r.left = side == Right ? b.right : side == Left ? b.left - size : b.right;
    r.right = side == Right ? b.right + size : side == Left ? b.left : work.right;
    return r;
}

struct Row {
    const char* what;
    int x, y, width;  // the bar's place; width 0 keeps it
    Fit fit;
    Side side;
    const RECT* work;
};

class MonitorsTest : public BarTest {
protected:
    void SetUp() override {
        if (!OnTheTwoMonitorDesktop())
            GTEST_SKIP()
                << "needs the two-monitor desktop of scripts/monitor-desktop (ctest -R e2e.monitors)";
    }

    // The pinned bar keeps its companions in view; the settings area holds the mode buttons.
    ::testing::AssertionResult Start(int mode, bool openSettings) {
        if (!bar.WriteIni("[pavra]\r\nDialogPinFixed=1\r\nModeIndex=" + std::to_string(mode) + "\r\n"))
            return ::testing::AssertionFailure() << "cannot write pavra.ini";
        ::testing::AssertionResult started = bar.Start();
        if (!started || !openSettings)
            return started;
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (bar.Click(IDC_SETTINGS_TOGGLE) && WaitUntil([&] { return bar.ClientSize().cy == 169; }, 2000))
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "the settings area does not open";
    }

    // Each row moves the bar and finds window against it as the row says.
    void CheckRows(HWND window, int size, const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.what);
            ASSERT_TRUE(bar.MoveTo(row.x, row.y, row.width));
            RECT b = bar.WindowRect();
            RECT expected = Expected(b, size, row.fit, row.side, *row.work);
            RECT now = {};
            EXPECT_TRUE(WaitUntil([&] { return GetWindowRect(window, &now) && SameRect(now, expected); }))
                << "bar " << RectText(b) << ": window at " << RectText(now) << ", not " << RectText(expected);
            if (row.fit != Cut && row.side != CutRight) {
                EXPECT_TRUE(WithinAWorkArea(now)) << RectText(now);
            }
        }
    }
};

TEST_F(MonitorsTest, ReferenceWindowBelowAboveOrCutOnEachMonitor) {
    ASSERT_TRUE(Start(0, true));
    ASSERT_TRUE(bar.Enter("ref"));
    HWND ref = bar.WaitWindow("Calc リファレンスマニュアル");
    ASSERT_NE(ref, nullptr);
    CheckRows(ref, 260,
              {
                  {"second, below", 1500, 50, 0, Below, NoSide, &kSecondWork},
                  {"second, above", 1500, 300, 0, Above, NoSide, &kSecondWork},
                  {"second, cut at its bottom", 1500, 200, 0, Cut, NoSide, &kSecondWork},
                  {"primary, above", 100, 600, 0, Above, NoSide, &kPrimaryWork},
                  {"primary, below", 100, 60, 0, Below, NoSide, &kPrimaryWork},
              });
}

TEST_F(MonitorsTest, VariableListRightLeftOrCutOnEachMonitor) {
    ASSERT_TRUE(Start(0, true));
    ASSERT_TRUE(bar.Enter("vars"));
    HWND vars = bar.WaitWindow("変数一覧");
    ASSERT_NE(vars, nullptr);
    CheckRows(vars, 260,
              {
                  {"second, right and below", 1300, 50, 0, Below, Right, &kSecondWork},
                  {"second, left and above", 1800, 300, 0, Above, Left, &kSecondWork},
                  {"second, cut at both edges", 1400, 200, 760, Cut, CutRight, &kSecondWork},
                  {"primary, left and above", 800, 560, 465, Above, Left, &kPrimaryWork},
              });
}

TEST_F(MonitorsTest, OutputWindowBelowAboveOrCutOnTheSecondMonitor) {
    ASSERT_TRUE(Start(1, false));
    HWND output = bar.WaitWindow("DOS Prompt");
    ASSERT_NE(output, nullptr);
    CheckRows(output, 400,
              {
                  {"below", 1500, 50, 0, Below, NoSide, &kSecondWork},
                  {"above", 1708, 406, 0, Above, NoSide, &kSecondWork},
                  {"cut at its bottom", 1500, 200, 0, Cut, NoSide, &kSecondWork},
              });
    SaveScreenshot("monitors-dos-output-on-the-second");
}

TEST_F(MonitorsTest, SiteChooserBelowOrAboveOnTheSecondMonitor) {
    ASSERT_TRUE(Start(2, false));
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : bar.Process().Windows())
            if (GetDlgItem(window, IDC_WWW_SITES) && IsWindowVisible(window))
                chooser = window;
        return chooser != nullptr;
    }));
    RECT frame = WindowRectOf(chooser);
    int height = (frame.bottom - frame.top) - ClientSizeOf(chooser).cy + 21;
    CheckRows(chooser, height,
              {
                  {"below", 1500, 100, 0, Below, NoSide, &kSecondWork},
                  {"above", 1500, 540, 0, Above, NoSide, &kSecondWork},
              });
}

// Every dialog of the bar and its modes opens wholly within the second monitor's work area when
// the bar hangs over that monitor's bottom edge.
TEST_F(MonitorsTest, DialogsOpenWithinTheBarsMonitor) {
    struct Dialog {
        int mode;
        int button;  // a control of the bar, or 0 for the About box of the system menu
        const char* title;
        int picker;  // a browse button of the dialog, whose picker is checked too
    };
    const Dialog dialogs[] = {
        {0, IDC_BUTTON2, "Calc設定", 0},
        {0, IDC_DETAIL, "Pavra詳細設定", 0},
        {0, 0, "Pavra バージョン情報", 0},
        {1, IDC_BUTTON0, "DOS設定", IDC_DOS_BROWSE_DIRECTORY},
        {1, IDC_BUTTON0, "DOS設定", IDC_DOS_BROWSE_SCRIPT},
    };
    int started = -1;
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.title);
        if (started != d.mode) {
            if (started >= 0) {
                ASSERT_TRUE(bar.Quit());
            }
            ASSERT_TRUE(Start(d.mode, true));
            started = d.mode;
        }
        ASSERT_TRUE(bar.MoveTo(1900, 440));
        if (d.button) {
            ASSERT_TRUE(bar.Click(d.button));
        } else {
            PostMessageA(bar.Window(), WM_SYSCOMMAND, 16, 0);
        }
        HWND dialog = bar.WaitWindow(d.title);
        ASSERT_NE(dialog, nullptr);
        RECT at = WindowRectOf(dialog);
        EXPECT_TRUE(LiesWithin(at, kSecondWork)) << RectText(at);
        if (d.picker) {
            ClickWindow(GetDlgItem(dialog, d.picker));
            HWND picker = nullptr;
            ASSERT_TRUE(WaitUntil([&] {
                for (HWND window : bar.Process().Windows())
                    if (GetWindow(window, GW_OWNER) == dialog && IsWindowVisible(window))
                        picker = window;
                return picker != nullptr;
            }));
            EXPECT_TRUE(WaitUntil([&] { return LiesWithin(WindowRectOf(picker), kSecondWork); }))
                << RectText(WindowRectOf(picker));
            SaveScreenshot(std::string("monitors-picker-") +
                           (d.picker == IDC_DOS_BROWSE_SCRIPT ? "file" : "folder"));
            PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }));
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    }
}

TEST_F(MonitorsTest, BarAndCompanionsOnTheSecondMonitor) {
    ASSERT_TRUE(Start(0, true));
    ASSERT_TRUE(bar.MoveTo(1500, 300));
    ASSERT_TRUE(bar.Enter("a = 355/113"));
    ASSERT_TRUE(bar.Enter("ref"));
    ASSERT_TRUE(bar.Enter("vars"));
    ASSERT_NE(bar.WaitWindow("Calc リファレンスマニュアル"), nullptr);
    ASSERT_NE(bar.WaitWindow("変数一覧"), nullptr);
    MouseMove(10, 990);
    SaveScreenshot("monitors-calc-on-the-second");
}

// The bar's own place on this desktop: at start, along the top edge, and back from off the screens.
TEST_F(MonitorsTest, StartsCentredInThePrimaryWorkAreaOrAtItsTop) {
    for (int topPos : {0, 1}) {
        SCOPED_TRACE(topPos);
        ASSERT_TRUE(bar.WriteIni("[pavra]\r\nDialogTopPos=" + std::to_string(topPos) + "\r\n"));
        ASSERT_TRUE(bar.Start());
        RECT b = bar.WindowRect();
        EXPECT_NEAR((b.left + b.right) / 2, (kPrimaryWork.left + kPrimaryWork.right) / 2, 1);
        if (topPos) {
            EXPECT_EQ(b.top, kPrimaryWork.top);
        } else {
            EXPECT_GT(b.top, kPrimaryWork.top + 200) << "about the middle of the work area";
        }
        ASSERT_TRUE(bar.Quit());
    }
}

TEST_F(MonitorsTest, TopEdgeDragKeepsTheBarAtItsMonitorsTop) {
    ASSERT_TRUE(bar.WriteIni("[pavra]\r\nDialogPinFixed=1\r\nDialogTopPos=1\r\n"));
    ASSERT_TRUE(bar.Start());
    struct Step {
        int toX, toY;
        LONG top;
    };
    for (const Step& step : {Step{1500, 300, kSecondWork.top}, Step{300, 300, kPrimaryWork.top}}) {
        RECT b = bar.WindowRect();
        ASSERT_TRUE(bar.Foreground());
        Drag(b.left + 60, b.top + 6, step.toX, step.toY, bar.Window());
        EXPECT_TRUE(WaitUntil([&] { return bar.WindowRect().top == step.top; }))
            << RectText(bar.WindowRect());
    }
}

TEST_F(MonitorsTest, ALostBarComesBackOntoTheNearestMonitor) {
    ASSERT_TRUE(bar.WriteIni("[pavra]\r\nDialogPinFixed=1\r\n"));
    ASSERT_TRUE(bar.Start());
    using Bring = void (*)(HWND);
    const Bring ways[] = {
        [](HWND window) { SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(2304, 1000)); },
        [](HWND window) { SendMessageA(window, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0); },
        [](HWND) { PressKeys("Ctrl+Shift+C"); },
    };
    for (Bring bring : ways) {
        ASSERT_TRUE(bar.MoveTo(3000, 900));
        RECT lost = bar.WindowRect();
        bring(bar.Window());
        EXPECT_TRUE(WaitUntil([&] {
            RECT b = bar.WindowRect();
            return LiesWithin(b, kSecondWork) && b.right - b.left == lost.right - lost.left;
        })) << RectText(bar.WindowRect());
    }
    // Half over the second monitor's bottom, with its title strip on the screen, it stays.
    ASSERT_TRUE(bar.MoveTo(1500, 570));
    SendMessageA(bar.Window(), WM_DISPLAYCHANGE, 32, MAKELPARAM(2304, 1000));
    EXPECT_EQ(bar.WindowRect().top, 570);
}

}  // namespace
