// pavra.ini as the real program reads and writes it: the write-back in full at start, the clamps,
// ModeIndex out of range, and the length a string value can have.
#include "pavra_driver.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using e2e::BarTest;
using e2e::WaitUntil;
using Entries = std::vector<std::pair<std::string, std::string>>;

bool HasMode(const e2e::PavraBar& bar, const std::string& caption) {
    const std::vector<std::string> modes = bar.Modes();
    return std::find(modes.begin(), modes.end(), caption) != modes.end();
}

TEST_F(BarTest, FirstStartWritesEveryKeyOfEverySection) {
    ASSERT_FALSE(bar.Ini().Exists());
    ASSERT_TRUE(bar.Start());
    const e2e::IniFile file = bar.Ini();
    ASSERT_TRUE(file.Exists());
    std::string why;
    EXPECT_TRUE(file.WellFormed(&why)) << why;

    const Entries pavra = {
        {"VersionMajor", "2"},        {"VersionMinor", "0"},        {"VersionRevision", "0"},
        {"VersionBuild", "0"},        {"DialogTopMost", "1"},       {"DialogTopPos", "0"},
        {"DialogTaskTray", "0"},      {"DialogPinFixed", "0"},      {"DialogTitleColorR", "209"},
        {"DialogTitleColorG", "225"}, {"DialogTitleColorB", "254"}, {"DialogTransparency", "192"},
        {"HotkeyKey", "67"},          {"HotkeyMod", "3"},           {"ModeIndex", "0"},
    };
    EXPECT_EQ(pavra, file.Entries("pavra"));
    const Entries calc = {{"UseComma", "1"}, {"FollowWindow", "1"}, {"ModeHex", "0"}, {"ModeDeg", "0"}};
    EXPECT_EQ(calc, file.Entries("calc"));

    // The sections of the modes that exist, in mode order, each with all its keys.
    std::vector<std::string> sections = {"pavra", "calc"};
    if (HasMode(bar, "DOSモード")) {
        sections.push_back("dos");
        const Entries dos = {{"FollowWindow", "1"}, {"InitialDirectory", ""}, {"InitialScript", ""}};
        EXPECT_EQ(dos, file.Entries("dos"));
    }
    if (HasMode(bar, "WWWサーチ")) {
        sections.push_back("www");
        std::vector<std::string> keys = {"WWWSiteIndex"};
        for (const char* stem : {"WWWSite", "WWWURL", "WWWPostFix"})
            for (int site = 0; site < 6; ++site)
                keys.push_back(stem + std::to_string(site));
        std::vector<std::string> written;
        for (const auto& entry : file.Entries("www"))
            written.push_back(entry.first);
        EXPECT_EQ(keys, written);
    }
    EXPECT_EQ(sections, file.Sections());
}

TEST_F(BarTest, ValuesAreClampedWhenReadAndWrittenBackClamped) {
    struct Case {
        const char* section;
        const char* key;
        const char* written;
        int expected;
    };
    const Case cases[] = {
        {"pavra", "DialogTransparency", "300", 255},
        {"pavra", "HotkeyMod", "-4", 0},
        {"pavra", "VersionMajor", "1", 1},         // the version keys are written back as read
        {"pavra", "DialogTitleColorG", "abc", 0},  // not a number: 0
        {"pavra", "DialogTopMost", "7", 1},
        {"calc", "ModeHex", "5", 1},
        {"calc", "ModeDeg", "-2", 0},
        {"calc", "UseComma", "0", 0},
    };
    std::string text;
    for (const char* section : {"pavra", "calc"}) {
        text += std::string("[") + section + "]\r\n";
        for (const Case& c : cases)
            if (std::string(c.section) == section)
                text += std::string(c.key) + "=" + c.written + "\r\n";
    }
    ASSERT_TRUE(bar.WriteIni(text));
    ASSERT_TRUE(bar.Start());

    const e2e::IniFile file = bar.Ini();
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, file.Int(c.section, c.key)) << c.section << "/" << c.key << "=" << c.written;
    }
    EXPECT_EQ(67, file.Int("pavra", "HotkeyKey"));  // missing: the default
    // The clamped values are the ones in force.
    EXPECT_EQ("HEX", bar.Text(IDC_MD1));
    EXPECT_EQ("RAD", bar.Text(IDC_MD0));
    EXPECT_NE(0, e2e::ExStyleOf(bar.Window()) & WS_EX_TOPMOST);
    ASSERT_TRUE(bar.Enter("1234567"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "0x12D687"));
}

// ModeIndex is clamped to 0..2. A clamped index that names no mode of this build ends the program
// with the start-mode error; one that names a mode starts the bar in it.
TEST_F(BarTest, ModeIndexOutOfRangeIsClamped) {
    struct Case {
        const char* written;
        int expected;
    };
    const Case cases[] = {{"-3", 0}, {"9", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("ModeIndex=") + c.written);
        e2e::PavraBar run(e2e::CurrentTestName() + "-" + c.written);
        ASSERT_TRUE(run.WriteIni(std::string("[pavra]\r\nModeIndex=") + c.written + "\r\n"));
        ASSERT_TRUE(run.Launch());
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                box = run.FindWindowByTitle("pavra", "#32770");
                return (box && IsWindowVisible(box)) || run.WaitReady(0);
            },
            e2e::kStartMs));
        EXPECT_EQ(c.expected, run.Ini().Int("pavra", "ModeIndex"));
        if (box && IsWindowVisible(box)) {
            std::string said;
            for (const std::string& text : e2e::ChildTexts(box))
                said += text + "\n";
            EXPECT_NE(std::string::npos, said.find("0x00001003")) << said;
            run.Screenshot("start-mode-error");
            // The user answers the box with Return; the program then ends.
            SetForegroundWindow(box);
            ASSERT_TRUE(WaitUntil([&] { return e2e::ForegroundWindow() == box; }));
            ASSERT_TRUE(e2e::PressKeys("Return"));
            EXPECT_TRUE(run.WaitExit());
        } else {
            EXPECT_EQ(c.expected, run.ModeSelection());
            EXPECT_TRUE(run.Quit());
        }
    }
}

// A string value is read into 4096 bytes: a longer one comes back cut, and the cut value is what
// the write-back stores. The strings are the web search mode's.
TEST_F(BarTest, LongStringValueIsCutTo4095Bytes) {
    std::string url = "https://example.com/";
    while (url.size() < 5000)
        url += "abcdefghij";
    url.resize(5000);
    ASSERT_TRUE(bar.WriteIni("[www]\r\nWWWURL3=" + url + "\r\n"));
    ASSERT_TRUE(bar.Start());
    if (!HasMode(bar, "WWWサーチ"))
        GTEST_SKIP() << "this build has no web search mode, whose settings hold the strings";
    const std::optional<std::string> written = bar.Ini().String("www", "WWWURL3");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(url.substr(0, 4095), *written);
}

}  // namespace
