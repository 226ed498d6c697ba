// Long lines pasted into every mode and into the prompts, and settings files at the ends of what
// they can hold: whatever the bar makes of them, it runs on and the calculator answers at once.
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
        if (active->ModeSelection() == mode.index)
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult keys = active->Keys("Escape X");
        if (!keys)
            return keys;
        if (!active->WaitText(IDC_ANSWER, "M-x: "))
            return ::testing::AssertionFailure() << "no M-x prompt";
        if (!active->Type(std::string(mode.command) + "\n"))
            return ::testing::AssertionFailure() << "cannot type " << mode.command;
        if (!WaitUntil(
                [&] { return active->ModeSelection() == mode.index && active->FocusId() == IDC_INPUT; }))
            return ::testing::AssertionFailure()
                   << "mode " << active->ModeSelection() << ", not " << mode.index;
        return ::testing::AssertionSuccess();
    }

    // Empties the input line however long it is: to its start, then kill to its end.
    ::testing::AssertionResult ClearLongInput() {
        if (!WaitUntil([&] { return active->FocusId() == IDC_INPUT; }))
            return ::testing::AssertionFailure() << "the focus is on " << active->FocusId();
        if (WindowTextLength(active->Item(IDC_INPUT)) == 0)
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult keys = active->Keys("Home Ctrl+K");
        if (!keys)
            return keys;
        if (!WaitUntil([&] { return WindowTextLength(active->Item(IDC_INPUT)) == 0; }))
            return ::testing::AssertionFailure()
                   << "the input line keeps " << WindowTextLength(active->Item(IDC_INPUT)) << " bytes";
        return ::testing::AssertionSuccess();
    }

    // Pastes into the focused line; the paste arrives in one piece or not at all.
    ::testing::AssertionResult Paste(const std::string& text, int id, long before) {
        if (!SetClipboardText(text))
            return ::testing::AssertionFailure() << "no clipboard";
        ::testing::AssertionResult keys = active->Keys("Ctrl+V");
        if (!keys)
            return keys;
        if (!WaitUntil([&] { return WindowTextLength(active->Item(id)) > before; }, 10000))
            return ::testing::AssertionFailure() << "nothing pasted";
        return ::testing::AssertionSuccess();
    }

    // The program runs, and in the calculator 1+1 comes back as 2 within two seconds.
    ::testing::AssertionResult StillAnswers() {
        if (!active->Process().Running())
            return ::testing::AssertionFailure() << "the program has ended";
        ::testing::AssertionResult calc = SwitchTo(kModes[0]);
        if (!calc)
            return calc;
        ::testing::AssertionResult cleared = ClearLongInput();
        if (!cleared)
            return cleared;
        if (!active->Type("1+1\n"))
            return ::testing::AssertionFailure() << "cannot type 1+1";
        if (!WaitUntil([&] { return active->Text(IDC_ANSWER) == two; }, 2000))
            return ::testing::AssertionFailure() << "1+1 gives \"" << active->Text(IDC_ANSWER) << "\"";
        // A different answer, so that the next 2 is a fresh one.
        if (!active->Enter("0") || !WaitUntil([&] { return active->Text(IDC_ANSWER) == zero; }, 2000))
            return ::testing::AssertionFailure() << "0 gives \"" << active->Text(IDC_ANSWER) << "\"";
        return ::testing::AssertionSuccess();
    }

    // The bar the helpers steer.
    PavraBar* active = &bar;
    // The calculator's answers to 1+1 and 0 (hexadecimal with ModeHex=1).
    std::string two = "2", zero = "0";
};

TEST_F(LongLineTest, PastedIntoEveryModeThenReturn) {
    ASSERT_TRUE(bar.WriteIni("[pavra]\r\nDialogPinFixed=1\r\n"));
    ASSERT_TRUE(bar.Start());
    for (const ModeEntry& mode : kModes) {
        for (const LongLine& line : LongLines()) {
            SCOPED_TRACE(std::string(mode.command) + ", " + line.what + " " +
                         std::to_string(line.text.size()) + " bytes");
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
            SCOPED_TRACE(std::string(prompt.shown) + line.what + " " + std::to_string(line.text.size()) +
                         " bytes");
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

// Every string key at its longest and every integer key far beyond the 32-bit range: the bar
// starts, works in every mode and quits, and the file holds each number at the nearest end of its
// range.
TEST_F(LongLineTest, SettingsAtTheirLongestAndBeyondTheRange) {
    struct IntKey {
        const char* section;
        const char* key;
        int max;
    };
    const IntKey ints[] = {
        {"pavra", "VersionMajor", 255},
        {"pavra", "VersionMinor", 255},
        {"pavra", "VersionRevision", 255},
        {"pavra", "VersionBuild", 255},
        {"pavra", "DialogTopMost", 1},
        {"pavra", "DialogTopPos", 1},
        {"pavra", "DialogTaskTray", 1},
        {"pavra", "DialogPinFixed", 1},
        {"pavra", "DialogTitleColorR", 255},
        {"pavra", "DialogTitleColorG", 255},
        {"pavra", "DialogTitleColorB", 255},
        {"pavra", "DialogTransparency", 255},
        {"pavra", "HotkeyKey", 255},
        {"pavra", "HotkeyMod", 15},
        {"pavra", "ModeIndex", 2},
        {"calc", "UseComma", 1},
        {"calc", "FollowWindow", 1},
        {"calc", "ModeHex", 1},
        {"calc", "ModeDeg", 1},
        {"dos", "FollowWindow", 1},
        {"www", "WWWSiteIndex", 5},
    };
    std::vector<std::string> strings = {"dos/InitialDirectory", "dos/InitialScript"};
    for (const char* stem : {"WWWSite", "WWWURL", "WWWPostFix"})
        for (int site = 0; site < 6; ++site)
            strings.push_back(std::string("www/") + stem + std::to_string(site));
    const std::string longest(4095, 's');

    for (const char* number : {"4294967296", "-4294967296", "2147483648", "-2147483648",
                               "99999999999999999999", "-99999999999999999999"}) {
        SCOPED_TRACE(number);
        const bool negative = number[0] == '-';
        PavraBar run(CurrentTestName() + (negative ? "-minus" : "-") + std::string(number).substr(negative));
        std::string text;
        for (const char* section : {"pavra", "calc", "dos", "www"}) {
            text += std::string("[") + section + "]\r\n";
            for (const IntKey& k : ints)
                if (std::string(k.section) == section)
                    text += std::string(k.key) + "=" + number + "\r\n";
            for (const std::string& s : strings)
                if (s.rfind(std::string(section) + "/", 0) == 0)
                    text += s.substr(s.find('/') + 1) + "=" + longest + "\r\n";
        }
        ASSERT_TRUE(run.WriteIni(text));
        ASSERT_TRUE(run.Start());
        const e2e::IniFile file = run.Ini();
        for (const IntKey& k : ints)
            EXPECT_EQ(file.Int(k.section, k.key), negative ? 0 : k.max) << k.section << "/" << k.key;
        for (const std::string& s : strings)
            EXPECT_EQ(file.String(s.substr(0, s.find('/')), s.substr(s.find('/') + 1)), longest) << s;

        active = &run;
        two = negative ? "2" : "0x2";
        zero = negative ? "0" : "0x0";
        ASSERT_TRUE(StillAnswers());
        ASSERT_TRUE(SwitchTo(kModes[1]));
        ASSERT_TRUE(StillAnswers());
        ASSERT_TRUE(SwitchTo(kModes[2]));
        ASSERT_TRUE(run.Type("x\n"));
        EXPECT_TRUE(
            WaitUntil([&] { return run.Text(IDC_ANSWER).rfind("Error: URLが長すぎます（", 0) == 0; }));
        ASSERT_TRUE(StillAnswers());
        EXPECT_TRUE(run.Quit());
    }
}

}  // namespace
