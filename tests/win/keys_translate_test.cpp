#include <gtest/gtest.h>
#include <windows.h>

#include "shell/key_state.h"

namespace {

struct TranslateCase {
    int prefix;
    int key;
    bool ctrl;
    bool shift;
    KeyCommand expected;
};

const int kComma = 188;
const int kPeriod = 190;

TEST(KeyTranslate, BindingTable) {
    const TranslateCase cases[] = {
        {0, VK_SPACE, true, false, KeyCommand::SetMark},
        {0, 'A', true, false, KeyCommand::LineStart},
        {0, 'B', true, false, KeyCommand::CharBackward},
        {0, 'D', true, false, KeyCommand::DeleteForward},
        {0, 'E', true, false, KeyCommand::LineEnd},
        {0, 'F', true, false, KeyCommand::CharForward},
        {0, 'G', true, false, KeyCommand::Cancel},
        {0, 'K', true, false, KeyCommand::KillToEnd},
        {0, 'N', true, false, KeyCommand::HistoryNext},
        {0, 'P', true, false, KeyCommand::HistoryPrevious},
        {0, 'W', true, false, KeyCommand::KillSelection},
        {0, 'X', true, false, KeyCommand::PrefixCtrlX},
        {0, 'Y', true, false, KeyCommand::Paste},
        {0, 'C', true, false, KeyCommand::None},
        {0, 'V', true, false, KeyCommand::None},
        // Ctrl bindings come first: Ctrl with a plain key has no binding and reaches the control,
        // except Return and Escape, which would end the program through the dialog's keys.
        {0, VK_RETURN, true, false, KeyCommand::Ignore},
        {0, VK_ESCAPE, true, false, KeyCommand::Ignore},
        {0, VK_LEFT, true, false, KeyCommand::None},
        {0, VK_HOME, true, false, KeyCommand::None},
        {0, VK_TAB, false, false, KeyCommand::Tab},
        {0, VK_TAB, false, true, KeyCommand::Tab},
        {0, VK_RETURN, false, false, KeyCommand::Enter},
        {0, VK_ESCAPE, false, false, KeyCommand::PrefixEscape},
        {0, VK_END, false, false, KeyCommand::LineEnd},
        {0, VK_HOME, false, false, KeyCommand::LineStart},
        {0, VK_LEFT, false, false, KeyCommand::CharBackward},
        {0, VK_LEFT, false, true, KeyCommand::CharBackward},
        {0, VK_UP, false, false, KeyCommand::HistoryPrevious},
        {0, VK_RIGHT, false, false, KeyCommand::CharForward},
        {0, VK_DOWN, false, false, KeyCommand::HistoryNext},
        {0, 'A', false, false, KeyCommand::None},
        {0, VK_BACK, false, false, KeyCommand::None},
        {0, VK_DELETE, false, false, KeyCommand::None},
        {0, VK_CONTROL, true, false, KeyCommand::None},
        {1, VK_CONTROL, true, false, KeyCommand::PrefixHold},
        {1, 'C', true, false, KeyCommand::Quit},
        {1, 'C', false, false, KeyCommand::None},
        {1, 'B', true, false, KeyCommand::None},
        {1, VK_SHIFT, false, true, KeyCommand::PrefixHold},
        {1, VK_SHIFT, true, true, KeyCommand::None},
        {1, 'B', false, true, KeyCommand::None},
        {1, 'B', false, false, KeyCommand::SwitchToBuffer},
        {1, 'M', false, false, KeyCommand::NextMode},
        {1, 'O', false, false, KeyCommand::OtherWindow},
        {1, 'U', false, false, KeyCommand::Undo},
        {1, 'A', false, false, KeyCommand::None},
        {1, 'X', false, false, KeyCommand::None},
        {2, VK_CONTROL, true, false, KeyCommand::PrefixHold},
        {2, 'W', true, false, KeyCommand::None},
        {2, VK_SHIFT, false, true, KeyCommand::PrefixHold},
        {2, kComma, false, true, KeyCommand::HistoryFirst},
        {2, kPeriod, false, true, KeyCommand::HistoryLast},
        {2, kComma, false, false, KeyCommand::None},
        {2, kPeriod, false, false, KeyCommand::None},
        {2, 'W', false, false, KeyCommand::CopySelection},
        {2, 'X', false, false, KeyCommand::ExtendedCommand},
        {2, 'X', false, true, KeyCommand::None},
        // A pending prefix is dropped by Return or Escape, never handed to the dialog.
        {1, VK_RETURN, false, false, KeyCommand::Ignore},
        {1, VK_ESCAPE, false, false, KeyCommand::Ignore},
        {1, VK_RETURN, true, false, KeyCommand::Ignore},
        {2, VK_ESCAPE, false, false, KeyCommand::Ignore},
        {2, VK_RETURN, false, false, KeyCommand::Ignore},
        {2, VK_RETURN, false, true, KeyCommand::Ignore},
    };
    for (const TranslateCase& c : cases) {
        KeyState state;
        state.prefix = c.prefix;
        EXPECT_EQ(state.Translate(c.key, c.ctrl, c.shift), c.expected)
            << "prefix " << c.prefix << " key " << c.key << " ctrl " << c.ctrl << " shift " << c.shift;
        EXPECT_EQ(state.command, c.expected);
    }
}

struct Press {
    int key;
    bool ctrl;
    bool shift;
};

// Feeds keys as the key hook does: an unbound key is not consumed and leaves the state alone.
KeyState Feed(std::initializer_list<Press> keys, bool onLine = true, KeyState state = KeyState()) {
    for (const Press& press : keys) {
        if (state.Translate(press.key, press.ctrl, press.shift) != KeyCommand::None)
            state.Update(onLine);
    }
    return state;
}

TEST(KeyTranslate, PrefixSequences) {
    // Ctrl+X, an unbound A, then B still opens the buffer prompt.
    KeyState state = Feed({{'X', true, false}, {'A', false, false}});
    EXPECT_EQ(state.prefix, 1);
    state = Feed({{'B', false, false}}, true, state);
    EXPECT_EQ(state.command, KeyCommand::SwitchToBuffer);
    EXPECT_EQ(state.prompt, 1);
    EXPECT_EQ(state.prefix, 0);

    // Ctrl+X, then Ctrl pressed again (and its auto-repeat), then C: quit.
    state =
        Feed({{'X', true, false}, {VK_CONTROL, true, false}, {VK_CONTROL, true, false}, {'C', true, false}});
    EXPECT_EQ(state.command, KeyCommand::Quit);
    EXPECT_EQ(state.prefix, 0);

    // Escape, Shift held, comma: first history entry.
    state = Feed({{VK_ESCAPE, false, false}, {VK_SHIFT, false, true}, {kComma, false, true}});
    EXPECT_EQ(state.command, KeyCommand::HistoryFirst);
    EXPECT_EQ(state.prefix, 0);

    // Escape X opens M-x; Ctrl+G closes it.
    state = Feed({{VK_ESCAPE, false, false}, {'X', false, false}});
    EXPECT_EQ(state.prompt, 2);
    state = Feed({{VK_TAB, false, false}, {'F', true, false}}, true, state);
    EXPECT_EQ(state.prompt, 2);
    state = Feed({{'G', true, false}}, true, state);
    EXPECT_EQ(state.prompt, 0);
    state = Feed({{VK_ESCAPE, false, false}, {'X', false, false}, {VK_RETURN, false, false}});
    EXPECT_EQ(state.prompt, 0);

    // Escape then Return drops the prefix; the next Return is an ordinary Enter.
    state = Feed({{VK_ESCAPE, false, false}, {VK_RETURN, false, false}});
    EXPECT_EQ(state.command, KeyCommand::Ignore);
    EXPECT_EQ(state.prefix, 0);
    state = Feed({{VK_RETURN, false, false}}, true, state);
    EXPECT_EQ(state.command, KeyCommand::Enter);

    // Escape Escape: the second one drops the prefix rather than starting a new one.
    state = Feed({{VK_ESCAPE, false, false}, {VK_ESCAPE, false, false}});
    EXPECT_EQ(state.prefix, 0);
}

TEST(KeyTranslate, ModeListOpensNoPrompt) {
    KeyState state = Feed({{'X', true, false}, {'B', false, false}}, false);
    EXPECT_EQ(state.command, KeyCommand::SwitchToBuffer);
    EXPECT_EQ(state.prompt, 0);
    state = Feed({{VK_ESCAPE, false, false}, {'X', false, false}}, false);
    EXPECT_EQ(state.prompt, 0);
    EXPECT_EQ(state.prefix, 0);
}

}  // namespace
