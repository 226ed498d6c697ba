#include "shell/line_positions.h"

#include <algorithm>

#include "platform/cp932.h"

LinePositions::LinePositions(std::vector<int> charBytes, bool controlCountsBytes)
    : countsBytes_(controlCountsBytes) {
    offsets_.reserve(charBytes.size() + 1);
    int offset = 0;
    offsets_.push_back(0);
    for (int bytes : charBytes) {
        offset += bytes;
        offsets_.push_back(offset);
    }
}

LinePositions LinePositions::FromCp932(const std::string& text, bool controlCountsBytes) {
    std::vector<int> charBytes;
    for (size_t i = 0; i < text.size();) {
        int bytes = static_cast<int>(Cp932CharBytes(text.data(), text.size(), i));
        charBytes.push_back(bytes);
        i += static_cast<size_t>(bytes);
    }
    return LinePositions(std::move(charBytes), controlCountsBytes);
}

int LinePositions::CharIndex(int byte) const {
    if (byte <= 0)
        return 0;
    auto after = std::upper_bound(offsets_.begin(), offsets_.end(), byte);
    return static_cast<int>(after - offsets_.begin()) - 1;
}

int LinePositions::CharStart(int byte) const { return offsets_[static_cast<size_t>(CharIndex(byte))]; }

int LinePositions::NextChar(int byte) const {
    if (byte >= Length())
        return byte + 1;
    return offsets_[static_cast<size_t>(CharIndex(byte)) + 1];
}

int LinePositions::ToControl(int byte) const { return countsBytes_ ? CharStart(byte) : CharIndex(byte); }

int LinePositions::FromControl(int position) const {
    if (countsBytes_)
        return std::min(std::max(position, 0), Length());
    size_t index = static_cast<size_t>(std::max(position, 0));
    return offsets_[std::min(index, offsets_.size() - 1)];
}
