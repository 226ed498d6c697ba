// The "M-x: " and "Switch to buffer: " prompts, mode switching by keys and the manual.
#include "pavra_driver.h"

using namespace e2e;

namespace {

class PromptTest : public BarTest {
protected:
    void SetUp() override { ASSERT_TRUE(bar.Start()); }

    ::testing::AssertionResult WaitFocus(int id) {
        if (WaitUntil([&] { return bar.FocusId() == id; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "focus on " << bar.FocusId() << ", expected " << id;
    }
    ::testing::AssertionResult WaitMode(int index) {
        if (WaitUntil([&] { return bar.ModeSelection() == index; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "mode " << bar.ModeSelection() << ", expected " << index;
    }
    // Presses Tab and waits for the answer line to show the prompt with this completion.
    ::testing::AssertionResult Tab(const std::string& shown) {
        ::testing::AssertionResult pressed = bar.Keys("Tab");
        if (!pressed)
            return pressed;
        return bar.WaitText(IDC_ANSWER, shown);
    }
    // Waits until the ordinary answer (not a prompt) is back on the read-only answer line.
    ::testing::AssertionResult WaitAnswerRestored(const std::string& answer) {
        ::testing::AssertionResult text = bar.WaitText(IDC_ANSWER, answer);
        if (!text)
            return text;
        if (!(StyleOf(bar.Item(IDC_ANSWER)) & ES_READONLY))
            return ::testing::AssertionFailure() << "the answer line is still editable";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(PromptTest, CommandCycleWithNothingTyped) {
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: "));
    ASSERT_TRUE(WaitFocus(IDC_ANSWER));
    for (const char* name : {"close", "exit", "man", "manual", "quit", "calc", "dos", "www", "close"})
        ASSERT_TRUE(Tab(std::string("M-x: ") + name));
}

TEST_F(PromptTest, CommandCycleFromTypedText) {
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: "));
    ASSERT_TRUE(bar.Type("m"));
    ASSERT_TRUE(Tab("M-x: man"));
    ASSERT_TRUE(Tab("M-x: manual"));
    ASSERT_TRUE(Tab("M-x: man"));
    // Typing replaces the selected completion and starts a new cycle from what was typed.
    ASSERT_TRUE(bar.Type("d"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: d"));
    ASSERT_TRUE(Tab("M-x: dos"));
    ASSERT_TRUE(Tab("M-x: dos"));
}

TEST_F(PromptTest, LineStartAndLeftStayOutOfThePrompt) {
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: "));
    ASSERT_TRUE(bar.Type("ab"));
    ASSERT_TRUE(bar.Keys("Ctrl+A"));
    ASSERT_TRUE(bar.Type("1"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: 1ab"));
    ASSERT_TRUE(bar.Keys("Left Left Ctrl+B Home Backspace"));
    ASSERT_TRUE(bar.Type("2"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: 21ab"));
    // Ctrl+Space at the start of the typed text, then Ctrl+B: nothing moves.
    ASSERT_TRUE(bar.Keys("Home Ctrl+Space Ctrl+B"));
    ASSERT_TRUE(bar.Type("3"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: 321ab"));
    // A click at the left end of the line puts the caret after the prompt, not into it.
    const RECT answer = bar.ItemRect(IDC_ANSWER);
    ASSERT_TRUE(bar.ClickAt(answer.left + 3, (answer.top + answer.bottom) / 2));
    ASSERT_TRUE(bar.Type("4"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: 4321ab"));
}

TEST_F(PromptTest, CommandSwitchesModeAndKeepsTheInput) {
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.Type("w"));
    ASSERT_TRUE(Tab("M-x: www"));
    ASSERT_TRUE(bar.Keys("Return"));
    ASSERT_TRUE(WaitMode(2));
    ASSERT_TRUE(WaitFocus(IDC_INPUT));
    const std::string wwwAnswer = bar.Text(IDC_ANSWER);
    ASSERT_TRUE(bar.Type("abc"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "abc"));
    // The calculator, met before, takes the line that was typed in the web search mode.
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.Type("calc\n"));
    ASSERT_TRUE(WaitMode(0));
    EXPECT_TRUE(WaitFocus(IDC_INPUT));
    EXPECT_EQ(bar.Text(IDC_INPUT), "abc");
    EXPECT_EQ(bar.Text(IDC_MODE_GROUP), "電卓モード設定");
    EXPECT_NE(bar.Text(IDC_ANSWER).rfind("M-x: ", 0), 0u);
    EXPECT_NE(bar.Text(IDC_ANSWER), wwwAnswer);
    EXPECT_TRUE(StyleOf(bar.Item(IDC_ANSWER)) & ES_READONLY);
}

TEST_F(PromptTest, BufferNamesAndBareNames) {
    const std::string answer = bar.Text(IDC_ANSWER);
    // "www" names no buffer: nothing happens and the answer comes back.
    ASSERT_TRUE(bar.Keys("Ctrl+X B"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    ASSERT_TRUE(bar.Type("www\n"));
    ASSERT_TRUE(WaitAnswerRestored(answer));
    EXPECT_EQ(bar.ModeSelection(), 0);
    EXPECT_TRUE(WaitFocus(IDC_INPUT));
    // "*calc*" at M-x names no command either.
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.Type("*calc*\n"));
    ASSERT_TRUE(WaitAnswerRestored(answer));
    // "*www*" switches to the web search mode.
    ASSERT_TRUE(bar.Keys("Ctrl+X B"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    ASSERT_TRUE(bar.Type("*www*\n"));
    ASSERT_TRUE(WaitMode(2));
    // The previous mode is proposed now.
    ASSERT_TRUE(bar.Keys("Ctrl+X B"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    ASSERT_TRUE(Tab("Switch to buffer: *calc*"));
    ASSERT_TRUE(bar.Keys("Return"));
    ASSERT_TRUE(WaitMode(0));
    ASSERT_TRUE(bar.Keys("Ctrl+X B"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *www*"));
}

TEST_F(PromptTest, CancelRestoresTheAnswer) {
    ASSERT_TRUE(bar.Enter("1+2"));
    const std::string answer = bar.Text(IDC_ANSWER);
    ASSERT_TRUE(bar.Keys("Tab"));
    ASSERT_TRUE(WaitFocus(IDC_ANSWER));
    // Opened from the answer line; Ctrl+G sends the focus to the input line.
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: "));
    ASSERT_TRUE(bar.Type("qu"));
    ASSERT_TRUE(bar.Keys("Ctrl+G"));
    ASSERT_TRUE(WaitAnswerRestored(answer));
    EXPECT_TRUE(WaitFocus(IDC_INPUT));
    // Clicking away drops a prompt the same way.
    ASSERT_TRUE(bar.Keys("Ctrl+X B"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    ASSERT_TRUE(bar.Click(IDC_INPUT));
    ASSERT_TRUE(WaitAnswerRestored(answer));
    // A word naming nothing, typed into a prompt opened from the answer line itself.
    ASSERT_TRUE(bar.Keys("Tab Ctrl+X B"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    ASSERT_TRUE(bar.Type("nothing\n"));
    ASSERT_TRUE(WaitAnswerRestored(answer));
    EXPECT_EQ(bar.FocusId(), IDC_ANSWER);
    // Tab moves the focus again: no prompt is left open.
    ASSERT_TRUE(bar.Keys("Tab"));
    EXPECT_TRUE(WaitFocus(IDC_MODE_LIST));
}

TEST_F(PromptTest, QuitWordsEndTheProgram) {
    ASSERT_TRUE(bar.Keys("Ctrl+X B"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    ASSERT_TRUE(bar.Type("quit\n"));
    EXPECT_TRUE(bar.WaitExit());
}

TEST_F(PromptTest, CloseEndsTheProgramWithoutTheTray) {
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.Type("clo"));
    ASSERT_TRUE(Tab("M-x: close"));
    ASSERT_TRUE(bar.Keys("Return"));
    EXPECT_TRUE(bar.WaitExit());
}

TEST_F(PromptTest, QuitKeyWorksInsideAPrompt) {
    ASSERT_TRUE(bar.Keys("Escape X"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "M-x: "));
    ASSERT_TRUE(bar.Keys("Ctrl+X Ctrl+C"));
    EXPECT_TRUE(bar.WaitExit());
}

TEST_F(PromptTest, NextModeWrapsAround) {
    ASSERT_TRUE(bar.Type("kept"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "kept"));
    ASSERT_TRUE(bar.Keys("Ctrl+X M"));
    ASSERT_TRUE(WaitMode(1));
    // The entered mode shows what it had kept, not the line that was typed.
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, ""));
    EXPECT_EQ(bar.Text(IDC_MODE_GROUP), "DOSモード設定");
    ASSERT_TRUE(bar.Keys("Ctrl+X M"));
    ASSERT_TRUE(WaitMode(2));
    ASSERT_TRUE(bar.Keys("Ctrl+X M"));
    ASSERT_TRUE(WaitMode(0));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "kept"));
    EXPECT_EQ(bar.FocusId(), IDC_INPUT);
}

TEST_F(PromptTest, ModeListKeys) {
    ASSERT_TRUE(bar.Keys("Tab Tab"));
    ASSERT_TRUE(WaitFocus(IDC_MODE_LIST));
    // Up from the first mode goes to the last.
    ASSERT_TRUE(bar.Keys("Up"));
    ASSERT_TRUE(WaitMode(2));
    ASSERT_TRUE(bar.Keys("Down"));
    ASSERT_TRUE(WaitMode(0));
    ASSERT_TRUE(bar.Keys("Ctrl+N"));
    ASSERT_TRUE(WaitMode(1));
    ASSERT_TRUE(bar.Keys("Escape Shift+Period"));
    ASSERT_TRUE(WaitMode(2));
    ASSERT_TRUE(bar.Keys("Escape Shift+Comma"));
    ASSERT_TRUE(WaitMode(0));
    EXPECT_EQ(bar.FocusId(), IDC_MODE_LIST);
    // The prompt keys open nothing here, and Tab still moves on to the input line.
    const std::string answer = bar.Text(IDC_ANSWER);
    ASSERT_TRUE(bar.Keys("Ctrl+X B Escape X Return Tab"));
    ASSERT_TRUE(WaitFocus(IDC_INPUT));
    EXPECT_EQ(bar.Text(IDC_ANSWER), answer);
    EXPECT_TRUE(bar.Process().Running());
    ASSERT_TRUE(bar.Type("z"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "z"));
}

}  // namespace
