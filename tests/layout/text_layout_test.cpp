// The output view's line layout: where lines break and wrap, and that text added piece by piece
// lays out exactly as the same text given whole.
#include "platform/text_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Every single byte 1 pixel wide, every double-byte character 2, tab stops every 4 pixels.
TextLayout::Metrics UnitMetrics() {
    TextLayout::Metrics m;
    for (int c = 0; c < 256; ++c)
        m.single[c] = 1;
    m.tabWidth = 4;
    m.measurePair = [](const char*) { return 2; };
    return m;
}

std::vector<std::string> Lines(const TextLayout& layout) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < layout.LineCount(); ++i)
        lines.push_back(layout.Text().substr(layout.LineStart(i), layout.LineEnd(i) - layout.LineStart(i)));
    return lines;
}

TEST(TextLayout, BreaksAndWraps) {
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"", 10, {""}},
        {"abc\r\ndef", 10, {"abc", "def"}},
        {"abc\r\n", 10, {"abc", ""}},
        {"a\r\r\nb", 10, {"a", "b"}},
        // After the last space that fits; the space stays at the end of its line.
        {"one two three", 8, {"one two ", "three"}},
        // A word longer than the line: after the last character that fits.
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        // Spaces may hang past the edge.
        {"abcd    e", 4, {"abcd    ", "e"}},
        // A double-byte character is never split; one that does not fit starts the next line.
        {"a\x82\xa0\x82\xa2", 4, {"a\x82\xa0", "\x82\xa2"}},
        // Tabs move to the next stop, and wrap as spaces do.
        {"a\tb\tcd", 8, {"a\tb\t", "cd"}},
        // One character always fits, however narrow.
        {"\x82\xa0x", 1, {"\x82\xa0", "x"}},
        // A lead byte without a trail byte after it is one byte, also before a line break.
        {"ab\x82", 10, {"ab\x82"}},
        {"ab\x82\r\ncd", 10, {"ab\x82", "cd"}},
        {"ab\x82\ncd", 10, {"ab\x82", "cd"}},
        {"\x82 \x82\tx\xe0", 2, {"\x82 ", "\x82\t", "x\xe0"}},
    };
    for (const Case& c : cases) {
        TextLayout layout;
        layout.SetMetrics(UnitMetrics());
        layout.SetWrapWidth(c.width);
        layout.Assign(c.text);
        EXPECT_EQ(Lines(layout), c.lines) << c.text;
        // Every line ends between characters: stepping through it lands on its end.
        for (size_t line = 0; line < layout.LineCount(); ++line) {
            size_t at = layout.LineStart(line);
            while (at < layout.LineEnd(line))
                at += layout.CharLength(at);
            EXPECT_EQ(at, layout.LineEnd(line)) << c.text << " line " << line;
        }
    }
}

TEST(TextLayout, PlacesAndOffsets) {
    TextLayout layout;
    layout.SetMetrics(UnitMetrics());
    layout.SetWrapWidth(100);
    layout.Assign("a\tb\x82\xa0z\r\nsecond");
    EXPECT_EQ(layout.XOf(0, 1), 1);
    EXPECT_EQ(layout.XOf(0, 2), 4);  // after the tab
    EXPECT_EQ(layout.XOf(0, 5), 7);  // after the double-byte character
    EXPECT_EQ(layout.OffsetAt(0, 0), 0u);
    EXPECT_EQ(layout.OffsetAt(0, 3), 2u);   // the tab's right half
    EXPECT_EQ(layout.OffsetAt(0, 5), 3u);   // the double-byte character's left half
    EXPECT_EQ(layout.OffsetAt(0, 99), 6u);  // past the end: before the line break
    EXPECT_EQ(layout.LineOf(6), 0u);
    EXPECT_EQ(layout.LineOf(8), 1u);
    EXPECT_EQ(layout.LineOf(layout.Text().size()), 1u);
}

// Output arrives in pieces of any size, cut anywhere; the lines are those of the whole text,
// also after the width changes.
TEST(TextLayout, AddedPieceByPieceLaysOutAsWhole) {
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'b', ' ', ' ', '\t', '\r', '\n', '\x82', '\xa0', 'x'};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        size_t length = random() % 400;
        for (size_t i = 0; i < length; ++i)
            text += alphabet[random() % sizeof alphabet];
        int width = 1 + static_cast<int>(random() % 30);
        TextLayout whole, pieces;
        for (TextLayout* layout : {&whole, &pieces}) {
            layout->SetMetrics(UnitMetrics());
            layout->SetWrapWidth(width);
        }
        whole.Assign(text);
        for (size_t at = 0; at < text.size();) {
            size_t piece = std::min(text.size() - at, static_cast<size_t>(1 + random() % 40));
            pieces.Append(text.data() + at, piece);
            at += piece;
        }
        ASSERT_EQ(Lines(pieces), Lines(whole)) << "round " << round;
        for (size_t i = 0; i < whole.LineCount(); ++i)
            ASSERT_EQ(pieces.LineStart(i), whole.LineStart(i));
        whole.SetWrapWidth(width + 5);
        TextLayout fresh;
        fresh.SetMetrics(UnitMetrics());
        fresh.SetWrapWidth(width + 5);
        fresh.Assign(text);
        ASSERT_EQ(Lines(whole), Lines(fresh)) << "round " << round;
    }
}

}  // namespace
