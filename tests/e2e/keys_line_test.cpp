// The Emacs-style keys of the input and answer lines, typed for real.
#include "pavra_driver.h"

using namespace e2e;

namespace {

// The selection as the control reports it (start, end), in its own position units.
std::pair<int, int> Selection(HWND edit) {
    DWORD packed = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    return {LOWORD(packed), HIWORD(packed)};
}

class KeysTest : public BarTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(bar.Start());
        ASSERT_TRUE(SetClipboardText("(before)"));
    }
    // Types a line into the input line and waits until it shows there.
    void TypeInput(const std::string& text) {
        ASSERT_TRUE(bar.Type(text));
        ASSERT_TRUE(bar.WaitText(IDC_INPUT, text));
    }
    // Reading the clipboard while the bar copies would make its copy fail: the keys that copy
    // are followed by a change that shows, and the clipboard is read once that is seen.
    std::string Clipboard() { return ClipboardText(); }
    // Gives the answer line a text of its own.
    std::string MakeAnswer() {
        EXPECT_TRUE(bar.Enter("1/3"));
        return bar.Text(IDC_ANSWER);
    }
    ::testing::AssertionResult WaitFocus(int id) {
        if (WaitUntil([&] { return bar.FocusId() == id; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "focus on " << bar.FocusId() << ", expected " << id;
    }
};

TEST_F(KeysTest, MarkThreeJapaneseCharactersKillAndYank) {
    TypeInput("x日本語y");
    ASSERT_TRUE(bar.Keys("Home Ctrl+F Ctrl+Space Ctrl+F Ctrl+F Ctrl+F Ctrl+W"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "xy"));
    EXPECT_EQ(Clipboard(), "日本語");
    ASSERT_TRUE(bar.Keys("Ctrl+Y"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "x日本語y"));
    // The caret is after the yanked text: typing goes in before the y.
    ASSERT_TRUE(bar.Type("!"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "x日本語!y"));
}

TEST_F(KeysTest, CharacterKeysStepOverJapanese) {
    TypeInput("a日本b");
    ASSERT_TRUE(bar.Keys("Home Right Right Ctrl+D"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "a日b"));
    ASSERT_TRUE(bar.Keys("Left Ctrl+D"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "ab"));
    ASSERT_TRUE(bar.Type("語"));
    ASSERT_TRUE(bar.Keys("Ctrl+B Ctrl+B Ctrl+F Ctrl+F"));
    ASSERT_TRUE(bar.Type("-"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "a語-b"));
}

TEST_F(KeysTest, DeleteWithTheMarkAfterThePoint) {
    TypeInput("a日本b");
    // Mark before the b, point moved back to after the a: the region is 日本.
    ASSERT_TRUE(bar.Keys("End Left Ctrl+Space Ctrl+B Ctrl+B Ctrl+D"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "a本b"));
    // The mark moved with the deletion: the region is still up to the b.
    ASSERT_TRUE(bar.Keys("Ctrl+W"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "ab"));
    EXPECT_EQ(Clipboard(), "本");
}

TEST_F(KeysTest, KillToEndAndUndo) {
    TypeInput("12+34");
    ASSERT_TRUE(bar.Keys("Ctrl+A Ctrl+F Ctrl+F Ctrl+K"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "12"));
    EXPECT_EQ(Clipboard(), "+34");
    ASSERT_TRUE(bar.Keys("Ctrl+X U"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "12+34"));
    // Escape W copies the region and leaves the line.
    ASSERT_TRUE(bar.Keys("Ctrl+A Ctrl+Space Ctrl+E Escape W Ctrl+G Ctrl+E"));
    ASSERT_TRUE(bar.Type("!"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "12+34!"));
    EXPECT_EQ(Clipboard(), "12+34");
}

TEST_F(KeysTest, ReadOnlyAnswerLineCopiesAndKeepsItsText) {
    const std::string answer = MakeAnswer();
    ASSERT_GT(answer.size(), 2u);
    ASSERT_TRUE(bar.Keys("Tab"));
    ASSERT_TRUE(WaitFocus(IDC_ANSWER));
    ASSERT_TRUE(bar.Keys("Ctrl+F Ctrl+F Ctrl+K"));
    ASSERT_TRUE(WaitUntil([&] { return Selection(bar.Item(IDC_ANSWER)) == std::make_pair(2, 2); }));
    // Ctrl+Y, Ctrl+D and Return do nothing on it.
    ASSERT_TRUE(bar.Keys("Ctrl+Y Ctrl+D Return Tab Tab"));
    ASSERT_TRUE(WaitFocus(IDC_INPUT));
    EXPECT_EQ(Clipboard(), answer.substr(2));
    EXPECT_EQ(bar.Text(IDC_ANSWER), answer);
}

TEST_F(KeysTest, FocusCycle) {
    ASSERT_GT(MakeAnswer().size(), 1u);
    TypeInput("abc");
    ASSERT_TRUE(bar.Keys("Tab"));
    ASSERT_TRUE(WaitFocus(IDC_ANSWER));
    EXPECT_EQ(Selection(bar.Item(IDC_ANSWER)), std::make_pair(0, 0));
    // A mark on the answer line goes when it loses the focus.
    ASSERT_TRUE(bar.Keys("Ctrl+Space Ctrl+F Ctrl+F Tab"));
    ASSERT_TRUE(WaitFocus(IDC_MODE_LIST));
    ASSERT_TRUE(bar.Keys("Shift+Tab"));
    ASSERT_TRUE(WaitFocus(IDC_INPUT));
    ASSERT_TRUE(bar.Type("<"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "<abc"));
    ASSERT_TRUE(bar.Keys("Ctrl+X O"));
    ASSERT_TRUE(WaitFocus(IDC_ANSWER));
    ASSERT_TRUE(bar.Keys("Ctrl+F"));
    EXPECT_TRUE(WaitUntil([&] { return Selection(bar.Item(IDC_ANSWER)) == std::make_pair(1, 1); }));
}

TEST_F(KeysTest, HistoryKeysPlaceTheCaret) {
    ASSERT_TRUE(bar.Enter("1+1"));
    ASSERT_TRUE(bar.Enter("22+2"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, ""));
    // A replaced line keeps the caret where it was (at 0 on the empty line).
    ASSERT_TRUE(bar.Keys("Up"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "22+2"));
    ASSERT_TRUE(bar.Type("5"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "522+2"));
    ASSERT_TRUE(bar.Keys("Ctrl+P"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "1+1"));
    ASSERT_TRUE(bar.Type("7"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "17+1"));
    // Escape > goes past the last entry, Escape < to the first with the caret at the start.
    ASSERT_TRUE(bar.Keys("Escape Shift+Period"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, ""));
    ASSERT_TRUE(bar.Keys("Escape Shift+Comma"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "1+1"));
    ASSERT_TRUE(bar.Type("8"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "81+1"));
    ASSERT_TRUE(bar.Keys("Down Ctrl+N"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, ""));
    // Escape then the comma key without Shift has no binding: the comma is typed.
    ASSERT_TRUE(bar.Keys("Escape Comma"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, ","));
}

TEST_F(KeysTest, PrefixSurvivesAnUnboundKey) {
    ASSERT_TRUE(bar.Keys("Ctrl+X A"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "a"));
    ASSERT_TRUE(bar.Keys("B"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "Switch to buffer: *calc*"));
    EXPECT_TRUE(WaitFocus(IDC_ANSWER));
    EXPECT_EQ(bar.Text(IDC_INPUT), "a");
}

TEST_F(KeysTest, ReturnOrEscapeDropAPendingPrefix) {
    const std::string answer = bar.Text(IDC_ANSWER);
    TypeInput("abc");
    ASSERT_TRUE(bar.Keys("Escape Return Ctrl+X Return Ctrl+X Escape Escape Escape Ctrl+Return"));
    // The dialog's own Return and Escape would have ended the program.
    ASSERT_TRUE(bar.Type("d"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, "abcd"));
    EXPECT_TRUE(bar.Process().Running());
    EXPECT_EQ(bar.Text(IDC_ANSWER), answer);
    // The prefix is gone: X is typed, not taken as Escape X.
    ASSERT_TRUE(bar.Keys("Escape Escape X"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "abcdx"));
    EXPECT_EQ(bar.FocusId(), IDC_INPUT);
}

TEST_F(KeysTest, CtrlXCtrlCQuits) {
    ASSERT_TRUE(bar.Keys("Ctrl+X Ctrl+C"));
    EXPECT_TRUE(bar.WaitExit());
}

}  // namespace
