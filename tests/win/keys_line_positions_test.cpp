#include <gtest/gtest.h>

#include "shell/line_positions.h"

namespace {

// "a日本b": a at 0, 日 at 1-2, 本 at 3-4, b at 5; six bytes, four characters.
const std::string kMixed = "a日本b";

TEST(LinePositions, Cp932Characters) {
    ASSERT_EQ(kMixed.size(), 6u);
    LinePositions line = LinePositions::FromCp932(kMixed, false);
    EXPECT_EQ(line.Length(), 6);
    struct Case {
        int byte;
        int charStart;
        int nextChar;
        int control;
    } cases[] = {
        {-1, 0, 1, 0}, {0, 0, 1, 0}, {1, 1, 3, 1}, {2, 1, 3, 1}, {3, 3, 5, 2},
        {4, 3, 5, 2},  {5, 5, 6, 3}, {6, 6, 7, 4}, {7, 6, 8, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(line.CharStart(c.byte), c.charStart) << c.byte;
        EXPECT_EQ(line.NextChar(c.byte), c.nextChar) << c.byte;
        EXPECT_EQ(line.ToControl(c.byte), c.control) << c.byte;
    }
    const int fromControl[] = {0, 1, 3, 5, 6, 6};
    for (int position = 0; position < 6; ++position)
        EXPECT_EQ(line.FromControl(position), fromControl[position]) << position;
}

TEST(LinePositions, ControlCountingBytes) {
    LinePositions line = LinePositions::FromCp932(kMixed, true);
    const int toControl[] = {0, 1, 1, 3, 3, 5, 6, 6};
    for (int byte = 0; byte < 8; ++byte)
        EXPECT_EQ(line.ToControl(byte), toControl[byte]) << byte;
    EXPECT_EQ(line.FromControl(4), 4);
    EXPECT_EQ(line.FromControl(9), 6);
    EXPECT_EQ(line.NextChar(1), 3);
}

TEST(LinePositions, HalfWidthKanaAndStrayLeadByte) {
    // Half-width katakana (0xB1) is a single byte; a lead byte with nothing after it stands alone.
    LinePositions line = LinePositions::FromCp932("\xB1\x82\xA0\x81", false);
    EXPECT_EQ(line.Length(), 4);
    EXPECT_EQ(line.NextChar(0), 1);
    EXPECT_EQ(line.NextChar(1), 3);
    EXPECT_EQ(line.CharStart(2), 1);
    EXPECT_EQ(line.NextChar(3), 4);
    EXPECT_EQ(line.ToControl(4), 3);
}

TEST(LinePositions, EmptyLine) {
    LinePositions line = LinePositions::FromCp932("", false);
    EXPECT_EQ(line.Length(), 0);
    EXPECT_EQ(line.CharStart(3), 0);
    EXPECT_EQ(line.NextChar(0), 1);
    EXPECT_EQ(line.FromControl(2), 0);
}

}  // namespace
