// The system menu under the title icon: the About box and "終了(&E)".
#include "bar_e2e.h"

namespace e2e {
namespace {

using BarMenu = BarTest;

::testing::AssertionResult OpenTitleIconMenu(PavraBar& bar) {
    ::testing::AssertionResult clicked = bar.Click(IDC_TITLE_ICON);
    if (!clicked)
        return clicked;
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = OpenMenu(bar.Process())) != nullptr; }))
        return ::testing::AssertionFailure() << "no menu under the title icon";
    // It opens just below the icon.
    const RECT at = WindowRectOf(menu);
    const RECT client = ClientRectOnScreen(bar.Window());
    if (at.left != client.left || at.top != client.top + 12)
        return ::testing::AssertionFailure()
               << "the menu opens at " << at.left << "," << at.top << ", not below the icon";
    return ::testing::AssertionSuccess();
}

TEST_F(BarMenu, TheAboutBoxShowsTheVersionAndRollsTheBarUpWhileItIsActive) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(OpenTitleIconMenu(bar));
    // From the bottom: "終了(&E)", then "バージョン情報 pavra(&A)..." (Wine has an "&A" item of its own).
    ASSERT_TRUE(PressKeys("Up Up Return"));
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        about = bar.FindWindowByTitle("Pavra バージョン情報", "#32770");
        return about && IsWindowVisible(about);
    }));
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), "Pavra Ver. 2.0.0.0");
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_NOTICE)).rfind("Copyright (C) ", 0), 0u);
    // The bar's own dialog is another active window: the unpinned bar rolls up under it.
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 12; }));

    ASSERT_TRUE(ClickWindow(GetDlgItem(about, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 49; }));
    EXPECT_TRUE(bar.Process().Running());
    EXPECT_TRUE(bar.Quit());
}

TEST_F(BarMenu, QuitFromTheMenuEndsTheProgramEvenInTheNotificationArea) {
    ASSERT_TRUE(bar.WriteIni(PavraIni(std::string("DialogTaskTray=1\r\n") + kPinned)));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(OpenTitleIconMenu(bar));
    ASSERT_TRUE(PressKeys("E"));
    EXPECT_TRUE(bar.WaitExit());
}

}  // namespace
}  // namespace e2e
