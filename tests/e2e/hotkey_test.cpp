// The global hotkey: chosen in the detailed settings dialog, stored, registered again, and held
// by the first of two running copies.
#include "bar_e2e.h"

namespace e2e {
namespace {

using Hotkey = BarTest;

const std::string kTrayMode = std::string("DialogTaskTray=1\r\n") + kPinned;

::testing::AssertionResult Hidden(PavraBar& bar) {
    if (!bar.Click(IDC_CLOSE))
        return ::testing::AssertionFailure() << "cannot click the close button";
    if (!WaitUntil([&] { return !IsWindowVisible(bar.Window()); }))
        return ::testing::AssertionFailure() << "the close button did not hide the bar";
    return ::testing::AssertionSuccess();
}

TEST_F(Hotkey, ChoosingCtrlShiftAStoresItAndTheNewKeyShowsTheBar) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(bar.Start());
    HWND dialog = OpenHotkeyDialog(bar);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Combination(dialog), MAKEWORD('C', HOTKEYF_CONTROL | HOTKEYF_SHIFT))
        << "the default Ctrl+Shift+C";
    ASSERT_TRUE(PressKeys("Ctrl+Shift+A"));
    ASSERT_TRUE(
        WaitUntil([&] { return Combination(dialog) == MAKEWORD('A', HOTKEYF_CONTROL | HOTKEYF_SHIFT); }));
    ASSERT_TRUE(ClickWindow(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "HotkeyKey") == 65; }));
    EXPECT_EQ(bar.Ini().Int("pavra", "HotkeyMod"), 3);
    EXPECT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));

    // The old combination is given up, the new one brings the bar back.
    ASSERT_TRUE(Hidden(bar));
    EXPECT_FALSE(bar.ComesBackOn("Ctrl+Shift+C"));
    EXPECT_TRUE(bar.ComesBackOn("Ctrl+Shift+A"));
}

TEST_F(Hotkey, AltF2IsStoredWithTheControlsAltFlag) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(bar.Start());
    HWND dialog = OpenHotkeyDialog(bar);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PressKeys("Alt+F2"));
    ASSERT_TRUE(WaitUntil([&] { return Combination(dialog) == MAKEWORD(VK_F2, HOTKEYF_ALT); }));
    ASSERT_TRUE(ClickWindow(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "HotkeyMod") == 4; }));
    EXPECT_EQ(bar.Ini().Int("pavra", "HotkeyKey"), VK_F2);
    ASSERT_TRUE(Hidden(bar));
    EXPECT_TRUE(bar.ComesBackOn("Alt+F2")) << "registered with the platform's Alt flag";
}

TEST_F(Hotkey, CancelWritesNothingAndKeepsTheKey) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(bar.Start());
    const std::string before = bar.Ini().Text();
    HWND dialog = OpenHotkeyDialog(bar);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PressKeys("Ctrl+Shift+A"));
    ASSERT_TRUE(
        WaitUntil([&] { return Combination(dialog) == MAKEWORD('A', HOTKEYF_CONTROL | HOTKEYF_SHIFT); }));
    ASSERT_TRUE(ClickWindow(GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));
    EXPECT_EQ(bar.Ini().Text(), before);
    ASSERT_TRUE(Hidden(bar));
    EXPECT_TRUE(bar.ComesBackOn("Ctrl+Shift+C"));
}

TEST_F(Hotkey, ASecondCopyRunsWithoutItAndOpensNoBox) {
    PavraBar second(CurrentTestName() + "-second");
    ASSERT_TRUE(bar.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(second.WriteIni(PavraIni(kTrayMode)));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(second.Start());
    // Nothing but the bar and its tooltip: the taken key is told on the answer line, in no box.
    for (HWND window : second.Process().Windows()) {
        if (IsWindowVisible(window) && window != second.Window())
            ADD_FAILURE() << "the second copy shows \"" << WindowText(window) << "\"";
    }
    // Both start at the same place; the second lies on top.
    ASSERT_TRUE(Hidden(second));
    ASSERT_TRUE(Hidden(bar));
    EXPECT_TRUE(bar.ComesBackOn("Ctrl+Shift+C"));
    EXPECT_FALSE(IsWindowVisible(second.Window())) << "the key belongs to the first copy";
    // The second copy still works and ends normally.
    PostMessageA(second.Window(), kTrayCallback, kTrayIconId, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(second.Window()) != FALSE; }));
    EXPECT_TRUE(second.Quit());
}

}  // namespace
}  // namespace e2e
