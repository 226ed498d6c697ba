// A settings file that cannot be written or cannot be read: the bar runs on, with defaults where
// nothing could be read.
#include "pavra_driver.h"

#include <cstdint>
#include <string>

namespace {

using e2e::BarTest;
using e2e::WaitUntil;

// As root, file permissions stop no write: a folder in the file's place does.
TEST_F(BarTest, UnwritableSettingsFileLeavesTheBarWorking) {
    ASSERT_TRUE(bar.Folder().Write("pavra.ini\\keep.txt", "a folder, not a file"));
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Enter("2*pi"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "6.283185307179586"));
    // Settings written on a click fail silently; the bar keeps its own values.
    ASSERT_TRUE(bar.Click(IDC_MD1));
    EXPECT_TRUE(bar.WaitText(IDC_MD1, "HEX"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "0x6"));
    ASSERT_TRUE(bar.Click(IDC_PIN));
    EXPECT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));
    ASSERT_TRUE(bar.Enter("255"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "0xFF"));
    ASSERT_TRUE(bar.Quit());
    EXPECT_EQ(0u, bar.Process().ExitCode());
    EXPECT_NE(0u, GetFileAttributesA(bar.IniPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Garbage(size_t size) {
    std::string bytes;
    uint32_t state = 12345;
    while (bytes.size() < size) {
        state = state * 1103515245u + 12345u;
        char c = static_cast<char>(state >> 24);
        if (c == '[')  // no accidental section header
            c = '(';
        bytes += c;
    }
    bytes[0] = 'G';  // not a byte-order mark either
    return bytes;
}

TEST_F(BarTest, UnreadableSettingsFilesGiveDefaultsWhereNothingReads) {
    struct Case {
        const char* name;
        std::string text;
        int transparency;  // what the file holds afterwards
        int modeHex;
    };
    const std::string longLine(300000, 'x');
    const Case cases[] = {
        {"binary garbage", Garbage(65536), 192, 0},
        // The keys after the long lines are still read.
        {"very long lines",
         "[pavra]\r\n" + longLine + "\r\nJunk=" + longLine + "\r\nDialogTransparency=100\r\n" + longLine +
             "=1\r\n[calc]\r\nModeHex=1\r\n",
         100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        e2e::PavraBar run(e2e::CurrentTestName() + "-" + std::string(c.name).substr(0, 4));
        ASSERT_TRUE(run.WriteIni(c.text));
        ASSERT_TRUE(run.Start());
        const e2e::IniFile file = run.Ini();
        EXPECT_EQ(c.transparency, file.Int("pavra", "DialogTransparency"));
        EXPECT_EQ(c.modeHex, file.Int("calc", "ModeHex"));
        EXPECT_EQ(67, file.Int("pavra", "HotkeyKey"));
        EXPECT_EQ(0, file.Int("pavra", "ModeIndex"));
        EXPECT_EQ(c.modeHex ? "HEX" : "DEC", run.Text(IDC_MD1));
        ASSERT_TRUE(run.Enter("6*7"));
        EXPECT_TRUE(run.WaitText(IDC_ANSWER, c.modeHex ? "0x2A" : "42"));
        EXPECT_TRUE(run.Quit());
    }
}

}  // namespace
