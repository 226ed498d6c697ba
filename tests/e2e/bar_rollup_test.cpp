// Rolling up to the title strip when another window becomes active, and back.
#include "bar_e2e.h"

namespace e2e {
namespace {

using BarRollUp = BarTest;

TEST_F(BarRollUp, AnotherActiveWindowRollsTheBarUpAndItsActivationUnrollsItWithTheTexts) {
    ASSERT_TRUE(bar.WriteIni(PavraIni("DialogTransparency=100\r\n")));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("1+2"));
    const std::string answer = bar.Text(IDC_ANSWER);
    ASSERT_TRUE(bar.Type("4*5"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "4*5"));
    EXPECT_EQ(Opacity(bar.Window()), 255);

    ForeignWindow other;
    ASSERT_TRUE(other.Activate());
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 12; }));
    EXPECT_TRUE(WaitUntil([&] { return Opacity(bar.Window()) == 100; }));
    EXPECT_TRUE(IsWindowVisible(bar.Window()));

    // Clicking the strip brings it all back.
    ClickWindow(bar.Item(IDC_TITLE));
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 49; }));
    EXPECT_TRUE(WaitUntil([&] { return Opacity(bar.Window()) == 255; }));
    EXPECT_EQ(bar.Text(IDC_INPUT), "4*5");
    EXPECT_EQ(bar.Text(IDC_ANSWER), answer);
    EXPECT_TRUE(bar.Quit());
}

TEST_F(BarRollUp, AnOpenSettingsAreaComesBackOpen) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(OpenSettingsArea(bar));
    ForeignWindow other;
    ASSERT_TRUE(other.Activate());
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 12; }));
    EXPECT_TRUE(WaitUntil([&] { return Opacity(bar.Window()) == 192; })) << "the default transparency";
    ASSERT_TRUE(bar.Foreground());
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 169; }));
    EXPECT_TRUE(bar.Quit());
}

TEST_F(BarRollUp, WorkingInAModesWindowKeepsTheBarAndTheWindow) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("vars"));
    HWND variables = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        variables = bar.FindWindowByTitle("変数一覧");
        return variables && IsWindowVisible(variables);
    }));
    ClickWindow(variables);
    ASSERT_TRUE(WaitUntil([&] { return ForegroundWindow() == variables; }));
    EXPECT_TRUE(StaysFalse([&] { return bar.ClientSize().cy != 49 || !IsWindowVisible(variables); }));

    // Another program's window rolls the bar up and takes the mode's window out of sight with it.
    ForeignWindow other;
    ASSERT_TRUE(other.Activate());
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 12 && !IsWindowVisible(variables); }));
    ClickWindow(bar.Item(IDC_TITLE));
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 49 && IsWindowVisible(variables); }));
    EXPECT_TRUE(bar.Quit());
}

TEST_F(BarRollUp, APinnedBarStaysAsItIs) {
    ASSERT_TRUE(bar.WriteIni(PavraIni("DialogPinFixed=1\r\n")));
    ASSERT_TRUE(bar.Start());
    ForeignWindow other;
    ASSERT_TRUE(other.Activate());
    EXPECT_TRUE(StaysFalse([&] { return bar.ClientSize().cy != 49 || Opacity(bar.Window()) != 255; }));

    // Releasing the pin lets the next loss of activation roll it up.
    ASSERT_TRUE(bar.Click(IDC_PIN));
    ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogPinFixed") == 0; }));
    ASSERT_TRUE(other.Activate());
    EXPECT_TRUE(WaitUntil([&] { return bar.ClientSize().cy == 12; }));
    EXPECT_TRUE(bar.Quit());
}

}  // namespace
}  // namespace e2e
