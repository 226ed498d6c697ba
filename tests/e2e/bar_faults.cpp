// The bar under abuse: killed while it runs, and a megabyte pasted into its input line.
#include "pavra_driver.h"

#include <string>

namespace {

using e2e::BarTest;
using e2e::WaitUntil;

// Every setting is written the moment it changes: a kill loses nothing, and the next start reads
// the file.
TEST_F(BarTest, KilledBarLeavesEveryWrittenSettingInAValidFile) {
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bar.Click(IDC_MD1));
    ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("calc", "ModeHex") == 1; }));
    ASSERT_TRUE(bar.Click(IDC_MD0));
    ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("calc", "ModeDeg") == 1; }));
    ASSERT_TRUE(bar.Click(IDC_PIN));
    ASSERT_TRUE(WaitUntil([&] { return bar.Ini().Int("pavra", "DialogPinFixed") == 1; }));

    bar.Kill();
    ASSERT_FALSE(bar.Process().Running());
    const e2e::IniFile file = bar.Ini();
    std::string why;
    EXPECT_TRUE(file.WellFormed(&why)) << why;
    EXPECT_EQ(15u, file.Entries("pavra").size());
    EXPECT_EQ(4u, file.Entries("calc").size());
    EXPECT_EQ(1, file.Int("calc", "ModeHex"));
    EXPECT_EQ(1, file.Int("calc", "ModeDeg"));
    EXPECT_EQ(1, file.Int("pavra", "DialogPinFixed"));

    ASSERT_TRUE(bar.Start());
    EXPECT_EQ("HEX", bar.Text(IDC_MD1));
    EXPECT_EQ("DEG", bar.Text(IDC_MD0));
    EXPECT_EQ(file.Text(), bar.Ini().Text());
}

// The answer line gets an answer or an error, and the bar stays responsive. Only the length of the
// input line is asked for while it may hold a megabyte.
TEST_F(BarTest, MegabytePastedIntoTheInputLineThenReturn) {
    std::string line;
    line.reserve(1 << 20);
    while (line.size() + 2 < (1 << 20))
        line += "1+";
    line += "1";
    ASSERT_TRUE(e2e::SetClipboardText(line));
    ASSERT_TRUE(bar.Start());
    const std::string greeting = bar.Text(IDC_ANSWER);
    ASSERT_TRUE(bar.Keys("Ctrl+V"));
    ASSERT_TRUE(WaitUntil([&] { return e2e::WindowTextLength(bar.Item(IDC_INPUT)) > 1000; }, 60000))
        << "the paste has not arrived within a minute";
    ASSERT_TRUE(bar.Keys("Return"));
    ASSERT_TRUE(WaitUntil([&] { return bar.Text(IDC_ANSWER) != greeting; }, 60000))
        << "no answer within a minute";
    const std::string answer = bar.Text(IDC_ANSWER);
    const bool isError = answer.rfind("Error: ", 0) == 0;
    const bool isNumber = !answer.empty() && answer.find_first_not_of("0123456789,") == std::string::npos;
    EXPECT_TRUE(isError || isNumber) << answer;
    ASSERT_TRUE(bar.Process().Running());
    // Still answering.
    ASSERT_TRUE(bar.Click(IDC_MD1));
    EXPECT_TRUE(bar.WaitText(IDC_MD1, "HEX"));
}

}  // namespace
