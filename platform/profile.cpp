#include "platform/profile.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

std::string& File() {
    static std::string file;
    return file;
}

std::string Lowered(const char* text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Sections by lower-case name, each its keys by lower-case name with their values; the first of
// a key written twice counts, as in the single-key calls.
using Section = std::map<std::string, std::string>;

class SectionCache {
public:
    bool active = false;

    void Clear() { sections_.clear(); }

    // The section as it is in the file; null when it cannot be read whole (missing, too long).
    const Section* Get(const char* name) {
        const std::string key = Lowered(name);
        auto found = sections_.find(key);
        if (found == sections_.end())
            found = sections_.emplace(key, Read(name)).first;
        return found->second ? &*found->second : nullptr;
    }
    // After a write: the key has this text now.
    void Update(const char* section, const char* key, const char* value) {
        auto found = sections_.find(Lowered(section));
        if (found != sections_.end() && found->second)
            (*found->second)[Lowered(key)] = value;
    }

private:
    static std::optional<Section> Read(const char* name) {
        std::vector<char> buffer(32768);
        const DWORD length =
            GetPrivateProfileSectionA(name, buffer.data(), static_cast<DWORD>(buffer.size()), File().c_str());
        if (length == 0 || length >= buffer.size() - 2)
            return std::nullopt;
        Section section;
        for (const char* entry = buffer.data(); *entry; entry += std::strlen(entry) + 1) {
            const char* equals = std::strchr(entry, '=');
            if (!equals)
                continue;
            const std::string key = Trimmed(std::string(entry, equals));
            if (!key.empty())
                section.emplace(Lowered(key.c_str()), Trimmed(equals + 1));
        }
        return section;
    }

    std::map<std::string, std::optional<Section>> sections_;
};

// Whether the last write that reached the file was refused, and how often refusing began.
struct WriteOutcomes {
    bool refusing = false;
    unsigned refusals = 0;

    void Note(bool written) {
        if (!written && !refusing)
            ++refusals;
        refusing = !written;
    }
};

WriteOutcomes& Outcomes() {
    static WriteOutcomes outcomes;
    return outcomes;
}

SectionCache& Cache() {
    static SectionCache cache;
    return cache;
}

// The cached text of a key, when the batch has it; null otherwise.
const std::string* CachedValue(const char* section, const char* key) {
    if (!Cache().active)
        return nullptr;
    const Section* values = Cache().Get(section);
    if (!values)
        return nullptr;
    auto found = values->find(Lowered(key));
    return found == values->end() ? nullptr : &found->second;
}

// A number written the plain way: an optional minus and one to nine digits.
bool PlainNumber(const std::string& text, int* value) {
    const size_t digits = text.size() - (!text.empty() && text[0] == '-' ? 1 : 0);
    if (digits < 1 || digits > 9 ||
        text.find_first_not_of("0123456789", text.size() - digits) != std::string::npos)
        return false;
    *value = std::atoi(text.c_str());
    return true;
}

// A decimal number beyond the 32-bit range, read as the platform reads numbers (blanks, one sign,
// the digits up to the first other character): the platform wraps it round, so 4294967296 would
// read as 0; here it stops at the nearest end of the range, and the caller's clamp then takes it
// to its minimum or maximum. Anything else (a number in range, "0x" text, no number) is null.
std::optional<int> SaturatedDecimal(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    if (i + 1 < text.size() && text[i] == '0' && std::strchr("xXoObB", text[i + 1]))
        return std::nullopt;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            return negative ? INT_MIN : INT_MAX;
    }
    return std::nullopt;
}

// A string read the same through a section: no quotes to strip, not cut by the 4096-byte buffer.
bool PlainString(const std::string& text) {
    return text.size() < 4096 && (text.empty() || (text[0] != '"' && text[0] != '\''));
}

}  // namespace

ProfileBatch::ProfileBatch() {
    Cache().Clear();
    Cache().active = true;
}

ProfileBatch::~ProfileBatch() {
    Cache().active = false;
    Cache().Clear();
}

void SetProfileFile(const std::string& path) { File() = path; }
const std::string& ProfileFile() { return File(); }

int ProfileReadInt(const char* section, const char* key, int def) {
    if (File().empty() || !section || !key)
        return def;
    int cached = 0;
    const std::string* text = CachedValue(section, key);
    if (text && PlainNumber(*text, &cached))
        return cached;
    const std::string value = ProfileReadString(section, key, "");
    if (std::optional<int> saturated = SaturatedDecimal(value))
        return *saturated;
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, File().c_str()));
}

std::string ProfileReadString(const char* section, const char* key, const char* def) {
    const char* fallback = def ? def : "";
    if (File().empty() || !section || !key)
        return std::string(fallback).substr(0, 4095);
    const std::string* text = CachedValue(section, key);
    if (text && PlainString(*text))
        return *text;
    char buffer[4096];
    DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, File().c_str());
    return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

unsigned ProfileRefusals() { return Outcomes().refusals; }

bool ProfileWriteInt(const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return ProfileWriteString(section, key, text);
}

bool ProfileWriteString(const char* section, const char* key, const char* value) {
    if (File().empty() || !section || !key)
        return false;
    const char* text = value ? value : "";
    const std::string* cached = CachedValue(section, key);
    if (cached && *cached == text)
        return true;
    const bool written = WritePrivateProfileStringA(section, key, text, File().c_str()) != FALSE;
    Outcomes().Note(written);
    if (!written)
        return false;
    if (Cache().active)
        Cache().Update(section, key, text);
    return true;
}
