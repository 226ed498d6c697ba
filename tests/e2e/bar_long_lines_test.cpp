// Long lines pasted into every mode and into the prompts: whatever the mode makes of them, the
// program runs on and the calculator answers at once.
#include "pavra_driver.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

struct ModeEntry {
    const char* command;  // what M-x takes to reach it
    int index;
};
const ModeEntry kModes[] = {{"calc", 0}, {"dos", 1}, {"www", 2}};

struct LongLine {
    const char* what;
    std::string text;
};

std::string Repeated(const std::string& unit, size_t times) {
    std::string text;
    text.reserve(unit.size() * times);
    for (size_t i = 0; i < times; ++i)
        text += unit;
    return text;
}

std::vector<LongLine> LongLines() {
    std::vector<LongLine> lines;
    for (size_t characters : {1000u, 4000u, 32767u}) {
        lines.push_back({"ASCII", std::string(characters, 'x')});
        lines.push_back({"Japanese", Repeated("検索", characters / 2) + (characters % 2 ? "表" : "")});
    }
    return lines;
}

class LongLineTest : public BarTest {
protected:
    ::testing::AssertionResult SwitchTo(const ModeEntry& mode) {
        if (bar.ModeSelection() == mode.index)
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult keys = bar.Keys("Escape X");
        if (!keys)
            return keys;
        if (!bar.WaitText(IDC_ANSWER, "M-x: "))
            return ::testing::AssertionFailure() << "no M-x prompt";
        if (!bar.Type(std::string(mode.command) + "\n"))
            return ::testing::AssertionFailure() << "cannot type " << mode.command;
        if (!WaitUntil([&] { return bar.ModeSelection() == mode.index && bar.FocusId() == IDC_INPUT; }))
            return ::testing::AssertionFailure() << "mode " << bar.ModeSelection() << ", not " << mode.index;
        return ::testing::AssertionSuccess();
    }

    // Empties the input line however long it is: to its start, then kill to its end.
    ::testing::AssertionResult ClearLongInput() {
        if (!WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }))
            return ::testing::AssertionFailure() << "the focus is on " << bar.FocusId();
        if (WindowTextLength(bar.Item(IDC_INPUT)) == 0)
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult keys = bar.Keys("Home Ctrl+K");
        if (!keys)
            return keys;
        if (!WaitUntil([&] { return WindowTextLength(bar.Item(IDC_INPUT)) == 0; }))
            return ::testing::AssertionFailure() << "the input line keeps "
                                                 << WindowTextLength(bar.Item(IDC_INPUT)) << " bytes";
        return ::testing::AssertionSuccess();
    }

    // Pastes into the focused line; the paste arrives in one piece or not at all.
    ::testing::AssertionResult Paste(const std::string& text, int id, long before) {
        if (!SetClipboardText(text))
            return ::testing::AssertionFailure() << "no clipboard";
        ::testing::AssertionResult keys = bar.Keys("Ctrl+V");
        if (!keys)
            return keys;
        if (!WaitUntil([&] { return WindowTextLength(bar.Item(id)) > before; }, 10000))
            return ::testing::AssertionFailure() << "nothing pasted";
        return ::testing::AssertionSuccess();
    }

    // The program runs, and in the calculator 1+1 comes back as 2 within two seconds.
    ::testing::AssertionResult StillAnswers() {
        if (!bar.Process().Running())
            return ::testing::AssertionFailure() << "the program has ended";
        ::testing::AssertionResult calc = SwitchTo(kModes[0]);
        if (!calc)
            return calc;
        ::testing::AssertionResult cleared = ClearLongInput();
        if (!cleared)
            return cleared;
        if (!bar.Type("1+1\n"))
            return ::testing::AssertionFailure() << "cannot type 1+1";
        if (!WaitUntil([&] { return bar.Text(IDC_ANSWER) == "2"; }, 2000))
            return ::testing::AssertionFailure() << "1+1 gives \"" << bar.Text(IDC_ANSWER) << "\"";
        // A different answer, so that the next 2 is a fresh one.
        if (!bar.Enter("0") || !WaitUntil([&] { return bar.Text(IDC_ANSWER) == "0"; }, 2000))
            return ::testing::AssertionFailure() << "0 gives \"" << bar.Text(IDC_ANSWER) << "\"";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(LongLineTest, PastedIntoEveryModeThenReturn) {
    ASSERT_TRUE(bar.WriteIni("[pavra]\r\nDialogPinFixed=1\r\n"));
    ASSERT_TRUE(bar.Start());
    for (const ModeEntry& mode : kModes) {
        for (const LongLine& line : LongLines()) {
            SCOPED_TRACE(std::string(mode.command) + ", " + line.what + " " + std::to_string(line.text.size()) +
                         " bytes");
            ASSERT_TRUE(SwitchTo(mode));
            ASSERT_TRUE(ClearLongInput());
            ASSERT_TRUE(Paste(line.text, IDC_INPUT, 0));
            ASSERT_TRUE(bar.Keys("Return"));
            ASSERT_TRUE(StillAnswers());
        }
    }
    ASSERT_TRUE(bar.Quit());
}

TEST_F(LongLineTest, PastedIntoThePromptsThenReturn) {
    ASSERT_TRUE(bar.WriteIni("[pavra]\r\nDialogPinFixed=1\r\n"));
    ASSERT_TRUE(bar.Start());
    struct Prompt {
        const char* keys;
        const char* shown;
    };
    for (const Prompt& prompt : {Prompt{"Escape X", "M-x: "}, Prompt{"Ctrl+X B", "Switch to buffer: "}}) {
        for (const LongLine& line : LongLines()) {
            SCOPED_TRACE(std::string(prompt.shown) + line.what + " " + std::to_string(line.text.size()) + " bytes");
            ASSERT_TRUE(bar.Keys(prompt.keys));
            ASSERT_TRUE(WaitUntil([&] {
                return bar.Text(IDC_ANSWER).rfind(prompt.shown, 0) == 0 && bar.FocusId() == IDC_ANSWER;
            }));
            // The proposed completion is selected: the paste replaces it.
            ASSERT_TRUE(Paste(line.text, IDC_ANSWER, static_cast<long>(std::string(prompt.shown).size())));
            ASSERT_TRUE(bar.Keys("Return"));
            // A line that names nothing leaves the calculator where it was.
            ASSERT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));
            EXPECT_EQ(bar.ModeSelection(), 0);
            ASSERT_TRUE(StillAnswers());
        }
    }
    ASSERT_TRUE(bar.Quit());
}

}  // namespace
