// The calculator through the real bar: lines typed with the keyboard, Return, the history keys,
// the two mode labels, and the ways to quit.
#include "pavra_driver.h"

#include <functional>
#include <string>

namespace {

using e2e::BarTest;
using e2e::PavraBar;
using e2e::WaitUntil;

const char kGreeting[] =
    "Calc: 数式を入力すると答えを表示します。詳しくは、helpまたはmanualと入力してください。";

TEST_F(BarTest, StartsInTheCalculatorWithItsGreeting) {
    ASSERT_TRUE(bar.Start());
    EXPECT_EQ(kGreeting, bar.Text(IDC_ANSWER));
    EXPECT_EQ("", bar.Text(IDC_INPUT));
    EXPECT_EQ("RAD", bar.Text(IDC_MD0));
    EXPECT_EQ("DEC", bar.Text(IDC_MD1));
    ASSERT_FALSE(bar.Modes().empty());
    EXPECT_EQ("電卓モード", bar.Modes()[0]);
    EXPECT_EQ(0, bar.ModeSelection());
    EXPECT_EQ("電卓モード設定", bar.Text(IDC_MODE_GROUP));
}

TEST_F(BarTest, CalculatorLineShowsItsValueAndEmptiesTheInput) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("2*pi"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "6.283185307179586"));
    EXPECT_EQ("", bar.Text(IDC_INPUT));
    // ans carries the value into the next line; an empty line greets again.
    ASSERT_TRUE(bar.Enter("ans/2"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "3.141592653589793"));
    ASSERT_TRUE(bar.Keys("Return"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, kGreeting));
}

TEST_F(BarTest, ErrorKeepsTheInputLine) {
    struct Case {
        const char* line;
        const char* answer;
    };
    const Case cases[] = {
        {"1+", "Error: 数式の最後に何かが足りません"},
        {"(1+2", "Error: 括弧が閉じていません"},
        {"6/0", "Error: 0による割り算です"},
    };
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("7*6"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "42"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(bar.ClearInput());
        ASSERT_TRUE(bar.Enter(c.line));
        EXPECT_TRUE(bar.WaitText(IDC_ANSWER, c.answer));
        EXPECT_EQ(c.line, bar.Text(IDC_INPUT));
    }
    // No error touched the previous answer.
    ASSERT_TRUE(bar.ClearInput());
    ASSERT_TRUE(bar.Enter("ans"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "42"));
}

// Typed as Unicode key input (as an input method delivers it), Japanese text must reach the line as
// the same code page 932 bytes, and an error must keep them there.
TEST_F(BarTest, JapaneseTextStaysOnTheInputLineByteForByte) {
    ASSERT_TRUE(bar.Start());
    for (const char* line : {"１＋あ", "ｶﾅ漢字"}) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(bar.ClearInput());
        // A value in between, so that each line's error is a change to wait for.
        ASSERT_TRUE(bar.Enter("1"));
        ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "1"));
        ASSERT_TRUE(bar.Enter(line));
        EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "Error: 不正な数です"));
        EXPECT_EQ(line, bar.Text(IDC_INPUT));
    }
}

TEST_F(BarTest, UpAndDownWalkTheHistory) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("1+2"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "3"));
    ASSERT_TRUE(bar.Enter("10*3"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "30"));
    // An error does not enter the history.
    ASSERT_TRUE(bar.Enter("1+"));
    ASSERT_TRUE(bar.ClearInput());

    struct Step {
        const char* key;
        const char* input;
        const char* answer;
    };
    const Step steps[] = {
        {"Up", "10*3", "30"},   {"Up", "1+2", "3"},
        {"Down", "10*3", "30"}, {"Down", "", "30"},  // past the end: an empty line, the last value
        {"Up", "10*3", "30"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.key) + " to \"" + step.input + "\"");
        ASSERT_TRUE(bar.Keys(step.key));
        EXPECT_TRUE(bar.WaitText(IDC_INPUT, step.input));
        EXPECT_TRUE(bar.WaitText(IDC_ANSWER, step.answer));
    }
}

// A click on a label changes the setting and writes it at once; the command word that changes the
// same thing for the running program only writes nothing.
TEST_F(BarTest, LabelClickWritesItsSettingWhileTheTypedWordDoesNot) {
    struct Label {
        int id;
        const char* key;
        const char* onWord;
        const char* offWord;
        const char* onText;
        const char* offText;
        const char* answerOn;  // the answer after a click turns it on, when it changes it
        const char* answerOff;
    };
    const Label labels[] = {
        {IDC_MD1, "ModeHex", "hex", "dec", "HEX", "DEC", "0xFF", "255"},
        {IDC_MD0, "ModeDeg", "deg", "rad", "DEG", "RAD", nullptr, nullptr},
    };
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("255"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "255"));
    for (const Label& label : labels) {
        SCOPED_TRACE(label.key);
        const std::string fileBefore = bar.Ini().Text();
        ASSERT_TRUE(bar.Enter(label.onWord));
        EXPECT_TRUE(bar.WaitText(label.id, label.onText));
        ASSERT_TRUE(bar.Enter(label.offWord));
        EXPECT_TRUE(bar.WaitText(label.id, label.offText));
        EXPECT_EQ(fileBefore, bar.Ini().Text());

        ASSERT_TRUE(bar.Click(label.id));
        EXPECT_TRUE(bar.WaitText(label.id, label.onText));
        EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("calc", label.key) == 1; }));
        if (label.answerOn) {
            EXPECT_TRUE(bar.WaitText(IDC_ANSWER, label.answerOn));
        }

        ASSERT_TRUE(bar.Click(label.id));
        EXPECT_TRUE(bar.WaitText(label.id, label.offText));
        EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("calc", label.key) == 0; }));
        if (label.answerOff) {
            EXPECT_TRUE(bar.WaitText(IDC_ANSWER, label.answerOff));
        }
        EXPECT_EQ(IDC_INPUT, bar.FocusId());
    }
}

// At exit only ModeIndex is written: a value edited by hand while the bar runs stays in the file.
TEST_F(BarTest, EveryWayToQuitWritesModeIndexAndNothingElse) {
    struct Way {
        const char* name;
        std::function<::testing::AssertionResult(PavraBar&)> quit;
    };
    auto typed = [](const char* word) {
        return [word](PavraBar& b) {
            ::testing::AssertionResult done = b.ClearInput();
            if (done)
                done = b.Type(std::string(word) + "\n");
            if (done && !b.WaitExit())
                return ::testing::AssertionFailure() << "still running after \"" << word << "\"";
            return done;
        };
    };
    const Way ways[] = {
        {"quit", typed("quit")},
        {"exit", typed("exit")},
        {"Ctrl+X Ctrl+C",
         [](PavraBar& b) {
             ::testing::AssertionResult pressed = b.Keys("Ctrl+X Ctrl+C");
             if (pressed && !b.WaitExit())
                 return ::testing::AssertionFailure() << "still running after Ctrl+X Ctrl+C";
             return pressed;
         }},
        {"close request", [](PavraBar& b) { return b.Close(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        PavraBar run(e2e::CurrentTestName() + "-" + way.name);
        ASSERT_TRUE(run.Start());
        ASSERT_EQ(0, run.Ini().Int("pavra", "ModeIndex"));
        std::string text = run.Ini().Text();
        for (auto edit : {std::make_pair("ModeIndex=0", "ModeIndex=1"),
                          std::make_pair("DialogTitleColorR=209", "DialogTitleColorR=12")}) {
            const size_t at = text.find(edit.first);
            ASSERT_NE(std::string::npos, at) << text;
            text.replace(at, std::string(edit.first).size(), edit.second);
        }
        ASSERT_TRUE(run.WriteIni(text));

        ASSERT_TRUE(way.quit(run));
        EXPECT_EQ(0u, run.Process().ExitCode());
        const e2e::IniFile after = run.Ini();
        EXPECT_EQ(0, after.Int("pavra", "ModeIndex"));
        EXPECT_EQ(12, after.Int("pavra", "DialogTitleColorR"));
        EXPECT_TRUE(after.WellFormed());
    }
}

}  // namespace
