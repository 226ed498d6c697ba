#include "ini_file.h"

#include "paths.h"

#include <cstdlib>
#include <set>

namespace e2e {

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

IniFile IniFile::Load(const std::string& path) {
    bool exists = false;
    const std::string text = ReadFileBytes(path, &exists);
    IniFile file = Parse(text);
    file.exists_ = exists;
    return file;
}

IniFile IniFile::Parse(const std::string& text) {
    IniFile file;
    file.exists_ = true;
    file.text_ = text;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty())
            continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            section = Trim(trimmed.substr(1, trimmed.size() - 2));
            file.sections_.push_back(section);
            continue;
        }
        const size_t equals = trimmed.find('=');
        if (equals == std::string::npos || section.empty()) {
            file.badLines_.push_back(line);
            continue;
        }
        file.entries_.push_back(
            Line{section, Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))});
    }
    return file;
}

std::optional<std::string> IniFile::String(const std::string& section, const std::string& key) const {
    const std::string wantedSection = Lower(section);
    const std::string wantedKey = Lower(key);
    for (const Line& entry : entries_)
        if (Lower(entry.section) == wantedSection && Lower(entry.key) == wantedKey)
            return entry.value;
    return std::nullopt;
}

std::optional<int> IniFile::Int(const std::string& section, const std::string& key) const {
    const std::optional<std::string> value = String(section, key);
    if (!value)
        return std::nullopt;
    return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
}

std::vector<std::string> IniFile::Sections() const { return sections_; }

std::vector<std::pair<std::string, std::string>> IniFile::Entries(const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> result;
    const std::string wanted = Lower(section);
    for (const Line& entry : entries_)
        if (Lower(entry.section) == wanted)
            result.emplace_back(entry.key, entry.value);
    return result;
}

bool IniFile::WellFormed(std::string* why) const {
    auto fail = [&](const std::string& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!badLines_.empty())
        return fail("a line that is neither a section nor a key: \"" + badLines_.front() + "\"");
    std::set<std::string> sections;
    for (const std::string& section : sections_)
        if (!sections.insert(Lower(section)).second)
            return fail("section [" + section + "] appears twice");
    std::set<std::string> keys;
    for (const Line& entry : entries_)
        if (!keys.insert(Lower(entry.section) + "\n" + Lower(entry.key)).second)
            return fail("key " + entry.key + " appears twice in [" + entry.section + "]");
    return true;
}

}  // namespace e2e
