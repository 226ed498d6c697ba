// The user manual's key table against the bar's key translation: every row of keys.html gives
// the command it names, and every key the translation binds has its row.
#include <gtest/gtest.h>
#include <windows.h>

#include "manual_page.h"
#include "shell/key_state.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const int kComma = 188;   // with Shift: <
const int kPeriod = 190;  // with Shift: >

struct CommandName {
    KeyCommand command;
    const char* name;
};

// The names the manual's table uses for the commands.
const CommandName kCommandNames[] = {
    {KeyCommand::LineStart, "LineStart"},
    {KeyCommand::LineEnd, "LineEnd"},
    {KeyCommand::CharForward, "CharForward"},
    {KeyCommand::CharBackward, "CharBackward"},
    {KeyCommand::Cancel, "Cancel"},
    {KeyCommand::SetMark, "SetMark"},
    {KeyCommand::KillToEnd, "KillToEnd"},
    {KeyCommand::KillSelection, "KillSelection"},
    {KeyCommand::Paste, "Paste"},
    {KeyCommand::DeleteForward, "DeleteForward"},
    {KeyCommand::Undo, "Undo"},
    {KeyCommand::CopySelection, "CopySelection"},
    {KeyCommand::HistoryPrevious, "HistoryPrevious"},
    {KeyCommand::HistoryNext, "HistoryNext"},
    {KeyCommand::HistoryFirst, "HistoryFirst"},
    {KeyCommand::HistoryLast, "HistoryLast"},
    {KeyCommand::Enter, "Enter"},
    {KeyCommand::Tab, "Tab"},
    {KeyCommand::Quit, "Quit"},
    {KeyCommand::OtherWindow, "OtherWindow"},
    {KeyCommand::NextMode, "NextMode"},
    {KeyCommand::SwitchToBuffer, "SwitchToBuffer"},
    {KeyCommand::ExtendedCommand, "ExtendedCommand"},
    {KeyCommand::PinBar, "PinBar"},
    {KeyCommand::SettingsArea, "SettingsArea"},
};

struct KeyName {
    int key;
    const char* name;
};

// How the manual writes a key; letters stand for themselves.
const KeyName kKeyNames[] = {
    {VK_SPACE, "Space"}, {VK_TAB, "Tab"},   {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_HOME, "Home"},   {VK_END, "End"},   {VK_LEFT, "Left"},    {VK_RIGHT, "Right"},
    {VK_UP, "Up"},       {VK_DOWN, "Down"}, {VK_BACK, "BS"},      {VK_DELETE, "Del"},
};

std::string NameOfCommand(KeyCommand command) {
    for (const CommandName& entry : kCommandNames)
        if (entry.command == command)
            return entry.name;
    return "#" + std::to_string(static_cast<int>(command));
}

// "Ctrl+A", "Esc", "<": empty when the manual has no way to write the key.
std::string NameOfChord(int key, bool ctrl, bool shift) {
    std::string name;
    if (shift && key == kComma)
        name = "<";
    else if (shift && key == kPeriod)
        name = ">";
    else if (key >= 'A' && key <= 'Z')
        name = std::string(1, static_cast<char>(key));
    else
        for (const KeyName& entry : kKeyNames)
            if (entry.key == key)
                name = entry.name;
    if (name.empty())
        return name;
    if (shift && key != kComma && key != kPeriod)
        name = "Shift+" + name;
    return ctrl ? "Ctrl+" + name : name;
}

struct Chord {
    int key = 0;
    bool ctrl = false;
    bool shift = false;
};

// The reverse of NameOfChord; false for a name it does not know.
bool ParseChord(std::string text, Chord* chord) {
    *chord = Chord();
    if (text.rfind("Ctrl+", 0) == 0) {
        chord->ctrl = true;
        text.erase(0, 5);
    }
    if (text.rfind("Shift+", 0) == 0) {
        chord->shift = true;
        text.erase(0, 6);
    }
    if (text == "<" || text == ">") {
        chord->key = text == "<" ? kComma : kPeriod;
        chord->shift = true;
        return true;
    }
    if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
        chord->key = text[0];
        return true;
    }
    for (const KeyName& entry : kKeyNames)
        if (text == entry.name) {
            chord->key = entry.key;
            return true;
        }
    return false;
}

struct Row {
    std::string keys;
    std::string command;
};

// The manual's key table: its rows in page order.
std::vector<Row> ManualRows(std::string* error) {
    const std::string html = ReadManualPage("keys.html", error);
    if (html.empty())
        return {};
    std::vector<Row> rows;
    const std::string rowStart = "<tr class=\"binding\">";
    for (size_t at = html.find(rowStart); at != std::string::npos; at = html.find(rowStart, at + 1)) {
        const size_t end = html.find("</tr>", at);
        const std::string row = html.substr(at, end == std::string::npos ? std::string::npos : end - at);
        rows.push_back({Unescaped(Between(row, 0, "<kbd class=\"keys\">", "</kbd>")),
                        Between(row, 0, "<code class=\"command\">", "</code>")});
    }
    return rows;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

class ManualKeyTable : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        rows = ManualRows(&error);
        ASSERT_TRUE(error.empty()) << error;
        ASSERT_GE(rows.size(), 20u) << "the key table of keys.html has too few rows";
    }
    std::vector<Row> rows;
};

TEST_F(ManualKeyTable, EveryRowGivesItsCommand) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keys);
        const std::vector<std::string> chords = Words(row.keys);
        ASSERT_FALSE(chords.empty());
        ASSERT_LE(chords.size(), 2u);
        KeyState state;
        KeyCommand command = KeyCommand::None;
        for (size_t i = 0; i < chords.size(); ++i) {
            Chord chord;
            ASSERT_TRUE(ParseChord(chords[i], &chord)) << "unknown key " << chords[i];
            command = state.Translate(chord.key, chord.ctrl, chord.shift);
            state.Update(true);
            if (i + 1 < chords.size()) {
                ASSERT_TRUE(command == KeyCommand::PrefixCtrlX || command == KeyCommand::PrefixEscape)
                    << chords[i] << " is no prefix key";
            }
        }
        EXPECT_EQ(row.command, NameOfCommand(command));
    }
}

TEST_F(ManualKeyTable, EveryBoundKeyHasItsRow) {
    std::map<std::string, std::string> manual;
    for (const Row& row : rows) {
        EXPECT_EQ(manual.count(row.keys), 0u) << row.keys << " has two rows";
        manual[row.keys] = row.command;
    }
    const char* const prefixes[] = {"", "Ctrl+X ", "Esc "};
    size_t bound = 0;
    for (int prefix = 0; prefix < 3; ++prefix)
        for (int key = 1; key < 255; ++key)
            for (int modifiers = 0; modifiers < 4; ++modifiers) {
                const bool ctrl = modifiers & 1;
                const bool shift = modifiers & 2;
                KeyState state;
                state.prefix = prefix;
                const KeyCommand command = state.Translate(key, ctrl, shift);
                if (command == KeyCommand::None || command == KeyCommand::Ignore ||
                    command == KeyCommand::PrefixHold || command == KeyCommand::PrefixCtrlX ||
                    command == KeyCommand::PrefixEscape)
                    continue;
                // Shift that changes nothing is not written: Shift+Tab is Tab.
                if (shift && KeyState{0, prefix}.Translate(key, ctrl, false) == command)
                    continue;
                ++bound;
                const std::string chord = NameOfChord(key, ctrl, shift);
                ASSERT_FALSE(chord.empty())
                    << "key " << key << " (ctrl " << ctrl << ", shift " << shift << ") is bound to "
                    << NameOfCommand(command) << " and the manual has no name for it";
                const std::string keys = prefixes[prefix] + chord;
                const auto row = manual.find(keys);
                if (row == manual.end())
                    ADD_FAILURE() << keys << " (" << NameOfCommand(command) << ") is missing from the manual";
                else
                    EXPECT_EQ(row->second, NameOfCommand(command)) << keys;
            }
    EXPECT_EQ(bound, rows.size()) << "the translation binds a different number of keys than the table lists";
}

}  // namespace
