#include "platform/text_layout.h"

#include <algorithm>

#include "platform/cp932.h"

TextLayout::TextLayout() : pairWidths_(65536, -1) { starts_.push_back(0); }

void TextLayout::SetMetrics(const Metrics& metrics) {
    metrics_ = metrics;
    metrics_.tabWidth = std::max(1, metrics_.tabWidth);
    std::fill(pairWidths_.begin(), pairWidths_.end(), -1);
    Assign(std::string(std::move(text_)));
}

void TextLayout::SetWrapWidth(int width) {
    width = std::max(1, width);
    if (width == wrapWidth_)
        return;
    wrapWidth_ = width;
    starts_.clear();
    LayOutFrom(0);
}

void TextLayout::Assign(const std::string& text) {
    text_ = text;
    starts_.clear();
    LayOutFrom(0);
}

// Only the last line can change: every line before it ended where the text before its end
// decided, and that text stays as it is.
void TextLayout::Append(const char* text, size_t length) {
    if (!length)
        return;
    size_t from = starts_.back();
    starts_.pop_back();
    text_.append(text, length);
    LayOutFrom(from);
}

void TextLayout::LayOutFrom(size_t start) {
    for (;;) {
        starts_.push_back(start);
        size_t next = NextLineStart(start);
        if (next == std::string::npos)
            return;
        start = next;
    }
}

size_t TextLayout::CharLength(size_t offset) const {
    return Cp932CharBytes(text_.data(), text_.size(), offset);
}

int TextLayout::PairWidth(size_t offset) const {
    unsigned index =
        static_cast<unsigned char>(text_[offset]) << 8 | static_cast<unsigned char>(text_[offset + 1]);
    int16_t& width = pairWidths_[index];
    if (width < 0)
        width = static_cast<int16_t>(
            std::clamp(metrics_.measurePair ? metrics_.measurePair(&text_[offset]) : 2 * metrics_.single['M'],
                       0, 0x7FFF));
    return width;
}

int TextLayout::Advance(size_t offset, int x) const {
    unsigned char c = static_cast<unsigned char>(text_[offset]);
    if (c == '\t')
        return metrics_.tabWidth - x % metrics_.tabWidth;
    if (c == '\r' || c == '\n')
        return 0;
    return CharLength(offset) == 2 ? PairWidth(offset) : metrics_.single[c];
}

size_t TextLayout::NextLineStart(size_t start) const {
    const size_t size = text_.size();
    size_t afterSpace = std::string::npos;
    int x = 0;
    for (size_t i = start; i < size;) {
        char c = text_[i];
        if (c == '\n')
            return i + 1;
        int width = Advance(i, x);
        bool space = c == ' ' || c == '\t';
        // A space may hang past the edge; any other character that does not fit starts the next
        // line, after the last space when there is one.
        if (x + width > wrapWidth_ && i > start && !space)
            return afterSpace != std::string::npos ? afterSpace : i;
        x += width;
        i += CharLength(i);
        if (space)
            afterSpace = i;
    }
    return std::string::npos;
}

size_t TextLayout::LineEnd(size_t line) const {
    size_t start = starts_[line];
    size_t end = line + 1 < starts_.size() ? starts_[line + 1] : text_.size();
    if (end > start && text_[end - 1] == '\n') {
        --end;
        while (end > start && text_[end - 1] == '\r')
            --end;
    }
    return end;
}

size_t TextLayout::LineOf(size_t offset) const {
    auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    return static_cast<size_t>(after - starts_.begin()) - 1;
}

int TextLayout::XOf(size_t lineStart, size_t offset) const {
    int x = 0;
    for (size_t i = lineStart; i < offset && i < text_.size(); i += CharLength(i))
        x += Advance(i, x);
    return x;
}

size_t TextLayout::OffsetAt(size_t line, int x) const {
    size_t end = LineEnd(line);
    int left = 0;
    for (size_t i = starts_[line]; i < end; i += CharLength(i)) {
        int width = Advance(i, left);
        if (2 * x < 2 * left + width)
            return i;
        left += width;
    }
    return end;
}
