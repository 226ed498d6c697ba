// A settings file as the program left it, read the way the profile functions read it:
// sections and keys without regard to ASCII case, blanks around keys and values dropped.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

class IniFile {
public:
    // Reads the file now; a missing file gives an empty object with Exists() false.
    static IniFile Load(const std::string& path);
    static IniFile Parse(const std::string& text);

    bool Exists() const { return exists_; }
    const std::string& Text() const { return text_; }

    std::optional<std::string> String(const std::string& section, const std::string& key) const;
    // The value as the profile functions read an integer (leading decimal number, 0 if none).
    std::optional<int> Int(const std::string& section, const std::string& key) const;

    std::vector<std::string> Sections() const;
    // The keys of a section, in file order, with their values.
    std::vector<std::pair<std::string, std::string>> Entries(const std::string& section) const;
    // Every line is a section header, a key=value line or blank, and no section or key of a
    // section appears twice.
    bool WellFormed(std::string* why = nullptr) const;

private:
    struct Line {
        std::string section;  // the section the line belongs to
        std::string key;
        std::string value;
    };

    bool exists_ = false;
    std::string text_;
    std::vector<std::string> sections_;
    std::vector<Line> entries_;
    std::vector<std::string> badLines_;
};

}  // namespace e2e
