// Notification-area mode: no taskbar button, an icon that brings the bar back, close and
// minimise that only hide it, and the icon's menu that quits.
#include "bar_e2e.h"

namespace e2e {
namespace {

using Tray = BarTest;

const std::string kTrayMode = std::string("DialogTaskTray=1\r\n") + kPinned;

::testing::AssertionResult Hidden(PavraBar& bar) {
    if (!WaitUntil([&] { return !IsWindowVisible(bar.Window()); }))
        return ::testing::AssertionFailure() << "the bar is still shown";
    if (!bar.Process().Running())
        return ::testing::AssertionFailure() << "the program ended instead of hiding";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ShownInFront(PavraBar& bar) {
    if (!WaitUntil([&] { return IsWindowVisible(bar.Window()) && ForegroundWindow() == bar.Window(); }))
        return ::testing::AssertionFailure() << "the bar did not come back to the foreground";
    return ::testing::AssertionSuccess();
}

TEST_F(Tray, CloseAndMinimiseHideTheBarAndTheHotkeyAndTheIconBringItBack) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(bar.Start());
    EXPECT_FALSE(HasTaskbarButton(bar.Window()));
    EXPECT_TRUE(TrayIconShown(bar.Window()));

    ASSERT_TRUE(bar.Click(IDC_CLOSE));
    ASSERT_TRUE(Hidden(bar));
    ASSERT_TRUE(bar.ComesBackOn("Ctrl+Shift+C"));
    ASSERT_TRUE(ShownInFront(bar));
    EXPECT_EQ(bar.ClientSize().cy, 49);

    ASSERT_TRUE(bar.Click(IDC_MINIMIZE));
    ASSERT_TRUE(Hidden(bar));
    EXPECT_FALSE(IsIconic(bar.Window()));
    PostMessageA(bar.Window(), kTrayCallback, kTrayIconId, WM_LBUTTONDOWN);
    ASSERT_TRUE(ShownInFront(bar));

    // The system menu's minimise command hides, and so does the platform's close shortcut; the
    // program stays.
    PostMessageA(bar.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(Hidden(bar));
    EXPECT_FALSE(IsIconic(bar.Window()));
    PostMessageA(bar.Window(), kTrayCallback, kTrayIconId, WM_LBUTTONDOWN);
    ASSERT_TRUE(ShownInFront(bar));
    ASSERT_TRUE(bar.Keys("Alt+F4"));
    ASSERT_TRUE(Hidden(bar));
    EXPECT_TRUE(StaysFalse([&] { return !bar.Process().Running(); }));
    // Other mouse events on the icon change nothing.
    PostMessageA(bar.Window(), kTrayCallback, kTrayIconId, WM_MOUSEMOVE);
    PostMessageA(bar.Window(), kTrayCallback, kTrayIconId, WM_LBUTTONUP);
    EXPECT_TRUE(StaysFalse([&] { return IsWindowVisible(bar.Window()) != FALSE; }, 1000));
    EXPECT_EQ(bar.Ini().Int("pavra", "DialogTaskTray"), 1);
}

// The window of the program that holds the mouse, read from outside.
HWND CaptureOf(const AppProcess& process) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process.ThreadId(), &info) ? info.hwndCapture : nullptr;
}

// The title buttons act while the mouse is still down: whatever took the bar away must not leave
// the button holding the mouse, or the next click anywhere on the bar goes to it.
TEST_F(Tray, AfterATitleButtonTookTheBarAwayTheFirstClickReachesACheckBox) {
    struct Case {
        const char* lines;
        int button;
    } cases[] = {
        {"DialogTaskTray=1\r\n", IDC_CLOSE},     // hidden to the notification area
        {"DialogTaskTray=1\r\n", IDC_MINIMIZE},  // the same, by the minimise button
        {"", IDC_MINIMIZE},                      // minimised to the taskbar
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lines) + " button " + std::to_string(c.button));
        PavraBar each(CurrentTestName() + "-" + std::to_string(&c - cases));
        ASSERT_TRUE(each.WriteIni(PavraIni(std::string(c.lines) + kPinned)));
        ASSERT_TRUE(each.Start());
        ASSERT_TRUE(OpenSettingsArea(each));
        // The user presses the button, the bar goes, and the user lets go.
        RECT button;
        ASSERT_TRUE(each.Foreground());
        ASSERT_TRUE(GetWindowRect(each.Item(c.button), &button));
        MouseDown((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        bool away = WaitUntil([&] { return !IsWindowVisible(each.Window()) || IsIconic(each.Window()); });
        MouseUp((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        ASSERT_TRUE(away);
        ASSERT_TRUE(each.ComesBackOn("Ctrl+Shift+C"));
        ASSERT_TRUE(WaitUntil([&] {
            return IsWindowVisible(each.Window()) && !IsIconic(each.Window()) &&
                   ForegroundWindow() == each.Window();
        }));
        ASSERT_TRUE(WaitUntil([&] { return each.ClientSize().cy == 169; }));
        EXPECT_EQ(CaptureOf(each.Process()), nullptr) << "the bar still holds the mouse";
        bool before = each.Checked(IDC_TOPMOST);
        ASSERT_TRUE(each.Click(IDC_TOPMOST));
        EXPECT_TRUE(WaitUntil([&] { return each.Checked(IDC_TOPMOST) != before; }));
        EXPECT_TRUE(IsWindowVisible(each.Window()) && !IsIconic(each.Window())) << "the bar went away again";
        EXPECT_TRUE(each.Quit());
    }
}

TEST_F(Tray, TheIconMenuQuits) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Click(IDC_CLOSE));
    ASSERT_TRUE(Hidden(bar));
    PostMessageA(bar.Window(), kTrayCallback, kTrayIconId, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu(bar.Process()) != nullptr; }));
    EXPECT_TRUE(IsWindowVisible(bar.Window())) << "the menu shows the bar";
    ASSERT_TRUE(PressKeys("E"));
    ASSERT_TRUE(bar.WaitExit());
    EXPECT_FALSE(TrayIconShown(bar.Window())) << "the icon goes with the program";
}

TEST_F(Tray, TheIconComesBackWhenTheShellRestarts) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(TrayIconShown(bar.Window()));
    // A restarted shell has forgotten every icon, then announces itself to all windows.
    ASSERT_TRUE(RemoveTrayIcon(bar.Window()));
    ASSERT_FALSE(TrayIconShown(bar.Window()));
    SendMessageA(bar.Window(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(bar.Window()); }));
    EXPECT_TRUE(bar.Quit());
    EXPECT_FALSE(TrayIconShown(bar.Window())) << "the icon goes with the program";
}

TEST_F(Tray, TheOptionSwitchesTheTaskbarButtonAndTheIcon) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kPinned)));
    ASSERT_TRUE(bar.Start());
    EXPECT_TRUE(HasTaskbarButton(bar.Window()));
    EXPECT_FALSE(TrayIconShown(bar.Window()));
    ASSERT_TRUE(OpenSettingsArea(bar));

    ASSERT_TRUE(bar.Click(IDC_TASKTRAY));
    EXPECT_TRUE(WaitUntil([&] { return !HasTaskbarButton(bar.Window()); }));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(bar.Window()); }));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogTaskTray") == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }))
        << "shown again after the switch";
    EXPECT_EQ(bar.ClientSize().cy, 169);

    ASSERT_TRUE(bar.Click(IDC_TASKTRAY));
    EXPECT_TRUE(WaitUntil([&] { return HasTaskbarButton(bar.Window()); }));
    EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(bar.Window()); }));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogTaskTray") == 0; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(bar.Window()) != FALSE; }));
    // Without the notification area the close button quits.
    ASSERT_TRUE(bar.Click(IDC_CLOSE));
    EXPECT_TRUE(bar.WaitExit());
}

TEST_F(Tray, WithoutTheNotificationAreaMinimiseGoesToTheTaskbarAndTheHotkeyRestores) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Click(IDC_MINIMIZE));
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(bar.Window()) != FALSE; }));
    ASSERT_TRUE(bar.ComesBackOn("Ctrl+Shift+C"));
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(bar.Window()) && ForegroundWindow() == bar.Window(); }));
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 49; }));
    // Back at full height it rolls up again like any shown bar.
    ForeignWindow other;
    ASSERT_TRUE(other.Activate());
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 12; }));
    EXPECT_TRUE(bar.Quit());
}

}  // namespace
}  // namespace e2e
