// Byte positions on a line against the positions its edit control counts. The bar counts
// bytes of the code page 932 text; an edit control counts either bytes (an ANSI control on a
// double-byte system) or characters (a control that keeps its text in UTF-16).
#pragma once

#include <string>
#include <vector>

class LinePositions {
public:
    // charBytes: the byte length of each character of the line, in order.
    LinePositions(std::vector<int> charBytes, bool controlCountsBytes);
    // A line whose characters are found by scanning its code page 932 bytes.
    static LinePositions FromCp932(const std::string& text, bool controlCountsBytes);

    int Length() const { return offsets_.back(); }
    // A byte position inside a double-byte character counts as the character's first byte;
    // positions past the end count as the end.
    int CharStart(int byte) const;
    // The position just past the character that starts at or covers byte; past the end,
    // byte + 1, which the line clamps to its length.
    int NextChar(int byte) const;
    int ToControl(int byte) const;
    int FromControl(int position) const;

private:
    int CharIndex(int byte) const;

    std::vector<int> offsets_;  // byte offset of every character start, then the length
    bool countsBytes_;
};
