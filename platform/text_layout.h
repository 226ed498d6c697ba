// The lines of a long, growing text as a window shows them: broken at each line feed and wrapped
// at the window's width, after the last space that fits or else after the last character that
// does. Adding text at the end lays out only the last line again, so a text of megabytes takes
// new output in time that grows with the output alone. No window code: the widths come from the
// caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TextLayout {
public:
    // Widths in pixels of each byte standing alone (a lead byte without its trail byte among
    // them), and of a double-byte character asked for the first time (its two bytes). Which
    // bytes pair is code page 932's rule.
    struct Metrics {
        int single[256] = {};
        int tabWidth = 8;
        std::function<int(const char* pair)> measurePair;
    };

    TextLayout();

    void SetMetrics(const Metrics& metrics);
    // The width lines wrap at; below one pixel, one.
    void SetWrapWidth(int width);
    int WrapWidth() const { return wrapWidth_; }

    void Assign(const std::string& text);
    void Append(const char* text, size_t length);
    const std::string& Text() const { return text_; }

    // Always at least one line; a text ending in a line feed ends in an empty line.
    size_t LineCount() const { return starts_.size(); }
    size_t LineStart(size_t line) const { return starts_[line]; }
    // The end of what the line shows: its line break and the carriage returns before it left out.
    size_t LineEnd(size_t line) const;
    // The line that shows the byte at offset (an offset at the very end: the last line).
    size_t LineOf(size_t offset) const;

    // The x of the place before the byte at offset, within the line that starts at lineStart.
    int XOf(size_t lineStart, size_t offset) const;
    // The offset within line whose place is nearest to x.
    size_t OffsetAt(size_t line, int x) const;
    // How far the character at offset advances from x (a tab to the next tab stop).
    int Advance(size_t offset, int x) const;
    // The bytes the character at offset takes (two for a whole double-byte character).
    size_t CharLength(size_t offset) const;

private:
    void LayOutFrom(size_t start);
    // Where the line from start ends: the start of the next line, or npos when it runs to the end.
    size_t NextLineStart(size_t start) const;
    int PairWidth(size_t offset) const;

    Metrics metrics_;
    int wrapWidth_ = 1;
    std::string text_;
    std::vector<size_t> starts_;
    // Widths of double-byte characters by their two bytes; -1 until measured.
    mutable std::vector<int16_t> pairWidths_;
};
