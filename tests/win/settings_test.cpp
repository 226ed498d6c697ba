#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "modes/pavra_mode_base.h"
#include "platform/profile.h"
#include "shell/bar_settings.h"
#include "shell/mode_settings.h"
#include "profile_file_test.h"

namespace {

// Points the profile calls at a file in a fresh folder for one test.
class SettingsFile : public ProfileFileTest {
protected:
    int FileInt(const char* section, const char* key) {
        return static_cast<int>(GetPrivateProfileIntA(section, key, -999, ini_.c_str()));
    }
};

using Values = std::map<BarSettings::Key, int>;

const int kDefaults[BarSettings::Count] = {2, 0, 0, 0, 1, 0, 0, 0, 209, 225, 254, 192, 67, 3, 0};

}  // namespace

TEST_F(SettingsFile, BarSectionIsClampedAndWrittenBack) {
    struct Case {
        const char* file;  // null: no file at all
        Values expected;   // the rest keep their defaults
    } cases[] = {
        {nullptr, {}},
        {"[pavra]\r\nDialogTransparency=300\r\nHotkeyMod=-4\r\n",
         {{BarSettings::DialogTransparency, 255}, {BarSettings::HotkeyMod, 0}}},
        {"[pavra]\r\nVersionMajor=1\r\nVersionBuild=999\r\n",
         {{BarSettings::VersionMajor, 1}, {BarSettings::VersionBuild, 255}}},
        {"[pavra]\r\nModeIndex=7\r\nDialogTopMost=0\r\nDialogPinFixed=2\r\n",
         {{BarSettings::ModeIndex, 2}, {BarSettings::DialogTopMost, 0}, {BarSettings::DialogPinFixed, 1}}},
        // Text that is no number reads as 0 and is then clamped.
        {"[pavra]\r\nDialogTitleColorR=red\r\nHotkeyKey=x\r\nVersionMajor=abc\r\n",
         {{BarSettings::DialogTitleColorR, 0}, {BarSettings::HotkeyKey, 0}, {BarSettings::VersionMajor, 0}}},
        // A number beyond the 32-bit range stops at the nearest end instead of wrapping round;
        // hexadecimal text reads as the platform reads it.
        {"[pavra]\r\nDialogTransparency=4294967296\r\nHotkeyMod=-4294967296\r\nModeIndex=2147483648\r\n"
         "DialogTitleColorR=-2147483649\r\nHotkeyKey=99999999999999999999\r\n"
         "VersionMajor=-99999999999999999999\r\nVersionMinor= +4294967296x\r\nDialogTitleColorG=0x20\r\n",
         {{BarSettings::DialogTransparency, 255},
          {BarSettings::HotkeyMod, 0},
          {BarSettings::ModeIndex, 2},
          {BarSettings::DialogTitleColorR, 0},
          {BarSettings::HotkeyKey, 255},
          {BarSettings::VersionMajor, 0},
          {BarSettings::VersionMinor, 255},
          {BarSettings::DialogTitleColorG, 32}}},
        // Another section's keys are not the bar's.
        {"[calc]\r\nModeIndex=1\r\n", {}},
    };
    for (const Case& c : cases) {
        DeleteFileA(ini_.c_str());
        if (c.file) {
            ASSERT_TRUE(TempFolder::Write(ini_, c.file));
        }
        BarSettings settings;
        settings.Load();
        for (int k = 0; k < BarSettings::Count; ++k) {
            auto key = static_cast<BarSettings::Key>(k);
            int want = c.expected.count(key) ? c.expected.at(key) : kDefaults[k];
            EXPECT_EQ(settings[key], want)
                << BarSettings::KeyName(key) << " in " << (c.file ? c.file : "(none)");
            EXPECT_EQ(FileInt("pavra", BarSettings::KeyName(key)), want) << BarSettings::KeyName(key);
        }
    }
}

TEST_F(SettingsFile, FirstStartWritesTheKeysInOrder) {
    BarSettings settings;
    settings.Load();
    std::string text = TempFolder::Read(ini_);
    size_t at = text.find("[pavra]");
    ASSERT_NE(at, std::string::npos);
    for (int k = 0; k < BarSettings::Count; ++k) {
        size_t next =
            text.find(std::string(BarSettings::KeyName(static_cast<BarSettings::Key>(k))) + "=", at);
        ASSERT_NE(next, std::string::npos) << k;
        at = next;
    }
}

TEST_F(SettingsFile, WritingOneKeyLeavesTheOthersText) {
    ASSERT_TRUE(TempFolder::Write(
        ini_, "[pavra]\r\nDialogTopPos=0\r\nHotkeyKey=065\r\n[www]\r\nWWWSite0=ソフト=検索\r\n"));
    BarSettings settings;
    settings[BarSettings::DialogTopPos] = 1;
    ASSERT_TRUE(settings.Write(BarSettings::DialogTopPos));
    std::string text = TempFolder::Read(ini_);
    EXPECT_NE(text.find("DialogTopPos=1"), std::string::npos) << text;
    EXPECT_NE(text.find("HotkeyKey=065"), std::string::npos) << text;
    EXPECT_NE(text.find("WWWSite0=ソフト=検索"), std::string::npos) << text;
}

TEST_F(SettingsFile, UnreadableOrUnwritableFilesGiveDefaults) {
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"binary garbage", garbage},
        {"very long lines",
         "[pavra]\r\nDialogTopMost=" + std::string(200000, '9') + "\r\n" + std::string(300000, 'x') + "\r\n"},
        {"no line ends", std::string("[pavra]") + std::string(100000, '[')},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(TempFolder::Write(ini_, c.bytes));
        BarSettings settings;
        settings.Load();  // must not crash or hang
        for (int k = 0; k < BarSettings::Count; ++k) {
            auto key = static_cast<BarSettings::Key>(k);
            if (key == BarSettings::DialogTopMost)
                continue;  // an overlong number may read as anything; it is clamped
            EXPECT_EQ(settings[key], kDefaults[k]) << c.name << " " << BarSettings::KeyName(key);
        }
        EXPECT_GE(settings[BarSettings::DialogTopMost], 0) << c.name;
        EXPECT_LE(settings[BarSettings::DialogTopMost], 1) << c.name;
        DeleteFileA(ini_.c_str());
    }
}

TEST_F(SettingsFile, AFolderInThePlaceOfTheFileKeepsValuesInMemory) {
    ASSERT_TRUE(CreateDirectoryA(ini_.c_str(), nullptr));
    BarSettings settings;
    settings.Load();
    for (int k = 0; k < BarSettings::Count; ++k)
        EXPECT_EQ(settings[static_cast<BarSettings::Key>(k)], kDefaults[k]);
    settings[BarSettings::DialogPinFixed] = 1;
    EXPECT_FALSE(settings.Write(BarSettings::DialogPinFixed));
    EXPECT_EQ(settings[BarSettings::DialogPinFixed], 1);
    RemoveDirectoryA(ini_.c_str());
}

// A folder in the file's place refuses every write; without it they go through.
TEST_F(SettingsFile, AFileThatRefusesWritesIsToldOnceUntilAWriteGoesThrough) {
    const std::string told =
        "Error: 設定を保存できません（" + ini_ + "）。設定はこのPavraを終了するまで有効です";
    struct Step {
        bool refuses;
        const char* said;
    } steps[] = {
        {false, ""}, {true, "told"}, {true, ""}, {true, ""}, {false, ""}, {true, "told"}, {true, ""},
    };
    BarSettings settings;
    UnsavedSettingsNotice notice;
    int n = 0;
    for (const Step& step : steps) {
        if (step.refuses) {
            DeleteFileA(ini_.c_str());
            CreateDirectoryA(ini_.c_str(), nullptr);
        } else {
            RemoveDirectoryA(ini_.c_str());
        }
        settings[BarSettings::DialogTopPos] = n & 1;
        EXPECT_EQ(settings.Write(BarSettings::DialogTopPos), !step.refuses) << n;
        EXPECT_EQ(notice.Take(), *step.said ? told : std::string()) << n;
        ++n;
    }
    EXPECT_EQ(notice.Take(), "") << "told once only";
    RemoveDirectoryA(ini_.c_str());
}

TEST(Profile, NoFileNameReadsDefaultsAndWritesNothing) {
    SetProfileFile(std::string());
    EXPECT_EQ(ProfileReadInt("pavra", "ModeIndex", 7), 7);
    EXPECT_EQ(ProfileReadString("pavra", "Key", "text"), "text");
    const unsigned refusals = ProfileRefusals();
    EXPECT_FALSE(ProfileWriteInt("pavra", "ModeIndex", 1));
    EXPECT_EQ(ProfileRefusals(), refusals) << "no file is not a file that refuses";
}

namespace {

// A mode with two integers and two strings, counting its setter calls.
class SettingsMode : public CpavraModeBase {
public:
    SettingsMode() : CpavraModeBase(5) {}
    const char* GetSection() override { return "test"; }
    int GetIntCount() override { return 2; }
    int GetInt(int i) override { return ints[i]; }
    int GetIntMin(int i) override { return i == 0 ? -5 : 0; }
    int GetIntMax(int i) override { return i == 0 ? 5 : 100; }
    const char* GetIntKey(int i) override { return i == 0 ? "Small" : "Large"; }
    void SetInt(int i, int v) override { ints[i] = v; }
    int GetStringCount() override { return 2; }
    const char* GetString(int i) override { return strings[i].c_str(); }
    const char* GetStringKey(int i) override { return i == 0 ? "Name" : "Url"; }
    void SetString(int i, const char* s) override { strings[i] = s; }

    int ints[2] = {1, 50};
    std::string strings[2] = {"既定", "http://example.invalid/?q="};
};

}  // namespace

TEST_F(SettingsFile, ModeSettingsLoadClampAndSave) {
    struct Case {
        std::string file;
        int small, large;
        std::string name, url;
    } cases[] = {
        {"", 1, 50, "既定", "http://example.invalid/?q="},
        {"[test]\r\nSmall=-9\r\nLarge=1000\r\n", -5, 100, "既定", "http://example.invalid/?q="},
        {"[test]\r\nSmall=3\r\nName=検索\r\nUrl=\r\n", 3, 50, "検索", ""},
        {"[test]\r\nUrl=" + std::string(5000, 'u') + "\r\n", 1, 50, "既定", std::string(4095, 'u')},
    };
    for (const Case& c : cases) {
        DeleteFileA(ini_.c_str());
        if (!c.file.empty()) {
            ASSERT_TRUE(TempFolder::Write(ini_, c.file));
        }
        SettingsMode mode;
        LoadModeSettings(mode);
        EXPECT_EQ(mode.ints[0], c.small) << c.file;
        EXPECT_EQ(mode.ints[1], c.large) << c.file;
        EXPECT_EQ(mode.strings[0], c.name) << c.file;
        EXPECT_EQ(mode.strings[1], c.url) << c.file.substr(0, 40);
        SaveModeSettings(mode);
        EXPECT_EQ(FileInt("test", "Small"), c.small);
        EXPECT_EQ(FileInt("test", "Large"), c.large);
        EXPECT_EQ(ProfileReadString("test", "Url", "?"), c.url);
    }
}

TEST_F(SettingsFile, ModeSettingsAreWrittenIntegersFirst) {
    SettingsMode mode;
    SaveModeSettings(mode);
    std::string text = TempFolder::Read(ini_);
    size_t small = text.find("Small="), large = text.find("Large="), name = text.find("Name="),
           url = text.find("Url=");
    ASSERT_NE(url, std::string::npos) << text;
    EXPECT_LT(small, large);
    EXPECT_LT(large, name);
    EXPECT_LT(name, url);
}
