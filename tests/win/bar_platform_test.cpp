// The hotkey and notification-area owners, and the hot-key control's flag conversion.
#include "platform/hotkey.h"
#include "platform/tray_icon.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

struct Window {
    HWND hwnd = CreateWindowExA(0, "STATIC", "bar test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ~Window() { DestroyWindow(hwnd); }
};

const UINT kTestKey = VK_F12;
const UINT kTestModifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;

TEST(HotkeyControlToModifiers, ConvertsEveryFlagAndDropsTheExtendedKey) {
    struct Case {
        UINT control;
        UINT modifiers;
    } cases[] = {
        {0, 0},
        {HOTKEYF_SHIFT, MOD_SHIFT},
        {HOTKEYF_CONTROL, MOD_CONTROL},
        {HOTKEYF_ALT, MOD_ALT},
        {HOTKEYF_CONTROL | HOTKEYF_SHIFT, MOD_CONTROL | MOD_SHIFT},  // the default Ctrl+Shift
        {HOTKEYF_EXT, 0},
        {HOTKEYF_SHIFT | HOTKEYF_EXT, MOD_SHIFT},      // 9
        {HOTKEYF_CONTROL | HOTKEYF_EXT, MOD_CONTROL},  // 10: Ctrl with a cursor key
        {HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT, MOD_SHIFT | MOD_CONTROL | MOD_ALT},
        {0xFF, MOD_SHIFT | MOD_CONTROL | MOD_ALT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HotkeyControlToModifiers(c.control), c.modifiers) << "control flags " << c.control;
}

TEST(HotkeyName, NamesTheCombinationAsTheUserPressesIt) {
    struct Case {
        UINT key, control;
        const char* name;
    } cases[] = {
        {'C', HOTKEYF_CONTROL | HOTKEYF_SHIFT, "Ctrl+Shift+C"},  // the default
        {VK_F2, HOTKEYF_ALT, "Alt+F2"},
        {'7', HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT, "Ctrl+Alt+Shift+7"},
        {VK_F24, 0, "F24"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HotkeyName(c.key, c.control), c.name);
    // Another key by the keyboard's name, never an empty one.
    const std::string home = HotkeyName(VK_HOME, HOTKEYF_CONTROL | HOTKEYF_EXT);
    EXPECT_EQ(home.rfind("Ctrl+", 0), 0u) << home;
    EXPECT_GT(home.size(), 5u) << home;
}

TEST(Hotkey, HoldsTheKeyUntilItsOwnerGoes) {
    Window a, b;
    Hotkey other;
    {
        Hotkey hotkey;
        ASSERT_TRUE(hotkey.Register(a.hwnd, 0, kTestModifiers, kTestKey));
        EXPECT_TRUE(hotkey.IsRegistered());
        EXPECT_FALSE(other.Register(b.hwnd, 0, kTestModifiers, kTestKey)) << "a taken key is refused";
        EXPECT_FALSE(other.IsRegistered());
    }
    EXPECT_TRUE(other.Register(b.hwnd, 0, kTestModifiers, kTestKey)) << "the owner gave the key back";
}

TEST(Hotkey, RegisteringAgainGivesTheOldKeyBack) {
    Window a, b;
    Hotkey hotkey, other;
    ASSERT_TRUE(hotkey.Register(a.hwnd, 0, kTestModifiers, kTestKey));
    ASSERT_TRUE(hotkey.Register(a.hwnd, 0, kTestModifiers, VK_F11));
    EXPECT_TRUE(other.Register(b.hwnd, 0, kTestModifiers, kTestKey));
    hotkey.Unregister();
    EXPECT_FALSE(hotkey.IsRegistered());
    EXPECT_TRUE(other.Register(b.hwnd, 0, kTestModifiers, VK_F11));
}

// The shell's own answer tells whether the icon is there: adding an existing icon fails,
// changing a missing one fails.
bool IconShown(HWND window, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, "probe");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

TEST(TrayIcon, IsShownWhileItsOwnerLives) {
    Window window;
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    {
        TrayIcon tray;
        ASSERT_TRUE(tray.Add(window.hwnd, 100, WM_APP + 2, icon, "Pavra"));
        EXPECT_TRUE(tray.IsAdded());
        EXPECT_TRUE(IconShown(window.hwnd, 100));
        // A second add replaces the icon instead of failing on the one already there.
        EXPECT_TRUE(tray.Add(window.hwnd, 100, WM_APP + 2, icon, "Pavra"));
        // After a shell restart the icon comes back; here the shell still has it.
        EXPECT_TRUE(tray.Restore());
        EXPECT_TRUE(IconShown(window.hwnd, 100));
        tray.Remove();
        EXPECT_FALSE(tray.IsAdded());
        EXPECT_FALSE(IconShown(window.hwnd, 100));
        EXPECT_FALSE(tray.Restore()) << "a removed icon is not wanted back";
        ASSERT_TRUE(tray.Add(window.hwnd, 100, WM_APP + 2, icon, "Pavra"));
    }
    EXPECT_FALSE(IconShown(window.hwnd, 100)) << "the owner took the icon away";
}

}  // namespace
