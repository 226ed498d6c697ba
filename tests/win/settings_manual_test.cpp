// The user manual's settings page against the program: every key of every section, its default
// and its range, as the bar and the modes read them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "manual_page.h"
#include "modes/pavra_mode_base.h"
#include "platform/profile.h"
#include "shell/bar_settings.h"
#include "shell/mode_list.h"
#include "profile_file_test.h"

namespace {

// "（空）" in the page's UTF-8: the default of a string that is empty.
const char kEmptyMark[] = "\xEF\xBC\x88\xE7\xA9\xBA\xEF\xBC\x89";

struct ManualKey {
    std::string defaultText;
    std::string range;  // "0～255" or empty
};

// Sections in page order, each its keys; "WWWSite0～5" stands for WWWSite0 to WWWSite5.
using ManualSections = std::vector<std::pair<std::string, std::map<std::string, ManualKey>>>;

bool ParseNumber(const std::string& text, int* value) {
    if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos)
        return false;
    *value = std::atoi(text.c_str());
    return true;
}

// "0～255" (any separator that is no digit or minus) to its two ends.
bool ParseRange(const std::string& text, int* low, int* high) {
    const size_t split = text.find_first_not_of("-0123456789");
    if (split == 0 || split == std::string::npos)
        return false;
    const size_t second = text.find_first_of("-0123456789", split);
    return second != std::string::npos && ParseNumber(text.substr(0, split), low) &&
           ParseNumber(text.substr(second), high);
}

// The keys a row names: one, or a numbered run.
std::vector<std::string> ExpandKey(const std::string& key) {
    const size_t firstDigit = key.find_first_of("0123456789");
    const size_t other =
        firstDigit == std::string::npos ? std::string::npos : key.find_first_not_of("0123456789", firstDigit);
    if (other == std::string::npos)
        return {key};
    const size_t lastRun = key.find_last_not_of("0123456789") + 1;
    const std::string stem = key.substr(0, firstDigit);
    const int first = std::atoi(key.substr(firstDigit, other - firstDigit).c_str());
    const int last = std::atoi(key.substr(lastRun).c_str());
    std::vector<std::string> keys;
    for (int n = first; n <= last; ++n)
        keys.push_back(stem + std::to_string(n));
    return keys;
}

ManualSections ReadManualSettings(std::string* error) {
    const std::string html = ReadManualPage("settings.html", error);
    ManualSections sections;
    for (size_t at = html.find("<h2>["); at != std::string::npos; at = html.find("<h2>[", at + 1)) {
        const std::string name = Between(html, at, "<h2>[", "]");
        size_t tableEnd = std::string::npos;
        const std::string table = Between(html, at, "<table>", "</table>", &tableEnd);
        std::map<std::string, ManualKey> keys;
        for (size_t row = table.find("<tr><td><code>"); row != std::string::npos;
             row = table.find("<tr><td><code>", row + 1)) {
            size_t next = 0;
            const std::string key = Between(table, row, "<code>", "</code>", &next);
            const std::string defaultText = Between(table, next, "<td>", "</td>", &next);
            const std::string range = Between(table, next, "<td>", "</td>");
            for (const std::string& each : ExpandKey(key))
                keys[each] = {defaultText, range};
        }
        sections.emplace_back(name, keys);
    }
    return sections;
}

class ManualSettings : public ProfileFileTest {
protected:
    void SetUp() override {
        ProfileFileTest::SetUp();
        std::string error;
        sections = ReadManualSettings(&error);
        ASSERT_TRUE(error.empty()) << error;
        ASSERT_EQ(sections.size(), 4u) << "settings.html should have the four sections";
    }

    const std::map<std::string, ManualKey>* Section(const std::string& name) const {
        for (const auto& section : sections)
            if (section.first == name)
                return &section.second;
        return nullptr;
    }

    ManualSections sections;
};

TEST_F(ManualSettings, BarSectionHasEveryKeyWithItsDefaultAndTheRangeItIsHeldTo) {
    EXPECT_EQ(sections[0].first, kBarSection);
    const auto* manual = Section(kBarSection);
    ASSERT_TRUE(manual);
    EXPECT_EQ(manual->size(), static_cast<size_t>(BarSettings::Count));
    const BarSettings defaults;
    for (int i = 0; i < BarSettings::Count; ++i) {
        const auto key = static_cast<BarSettings::Key>(i);
        SCOPED_TRACE(BarSettings::KeyName(key));
        const auto row = manual->find(BarSettings::KeyName(key));
        ASSERT_NE(row, manual->end()) << "missing from the manual";
        int manualDefault = 0;
        ASSERT_TRUE(ParseNumber(row->second.defaultText, &manualDefault)) << row->second.defaultText;
        EXPECT_EQ(manualDefault, defaults[key]);
        int low = 0, high = 0;
        ASSERT_TRUE(ParseRange(row->second.range, &low, &high)) << row->second.range;
        // The range as the program holds a value to it: one past either end comes back as that end.
        for (const auto& probe : {std::make_pair(low - 1, low), std::make_pair(high + 1, high),
                                  std::make_pair(low, low), std::make_pair(high, high)}) {
            ASSERT_TRUE(TempFolder::Write(ini_, std::string("[pavra]\r\n") + BarSettings::KeyName(key) + "=" +
                                                    std::to_string(probe.first) + "\r\n"));
            BarSettings settings;
            settings.Load();
            EXPECT_EQ(settings[key], probe.second) << "read " << probe.first;
        }
    }
}

TEST_F(ManualSettings, ModeSectionsHaveEveryKeyWithItsDefaultAndRange) {
    ModeList modes = CreateModes();
    ASSERT_EQ(modes.size() + 1, sections.size());
    for (size_t m = 0; m < modes.size(); ++m) {
        CpavraModeBase& mode = *modes[m];
        SCOPED_TRACE(mode.GetSection());
        EXPECT_EQ(sections[m + 1].first, mode.GetSection()) << "sections in mode order";
        const auto* manual = Section(mode.GetSection());
        ASSERT_TRUE(manual);
        EXPECT_EQ(manual->size(), static_cast<size_t>(mode.GetIntCount() + mode.GetStringCount()));
        for (int j = 0; j < mode.GetIntCount(); ++j) {
            SCOPED_TRACE(mode.GetIntKey(j));
            const auto row = manual->find(mode.GetIntKey(j));
            ASSERT_NE(row, manual->end()) << "missing from the manual";
            int manualDefault = 0, low = 0, high = 0;
            ASSERT_TRUE(ParseNumber(row->second.defaultText, &manualDefault)) << row->second.defaultText;
            EXPECT_EQ(manualDefault, mode.GetInt(j));
            ASSERT_TRUE(ParseRange(row->second.range, &low, &high)) << row->second.range;
            EXPECT_EQ(low, mode.GetIntMin(j));
            EXPECT_EQ(high, mode.GetIntMax(j));
        }
        for (int j = 0; j < mode.GetStringCount(); ++j) {
            SCOPED_TRACE(mode.GetStringKey(j));
            const auto row = manual->find(mode.GetStringKey(j));
            ASSERT_NE(row, manual->end()) << "missing from the manual";
            const bool emptyInManual = row->second.defaultText == kEmptyMark;
            EXPECT_EQ(emptyInManual, std::string(mode.GetString(j)).empty()) << row->second.defaultText;
            EXPECT_TRUE(row->second.range.empty());
        }
    }
}

}  // namespace
