// Reading the settings a section at a time must give what the single-key calls give, for files
// as users leave them, and must never leave out a write that changes the file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/profile.h"
#include "profile_file_test.h"

namespace {

using ProfileBatchTest = ProfileFileTest;

struct Read {
    const char* section;
    const char* key;
};

// Files with what hand editing leaves: spaces, quotes, case, repeats, odd numbers, long values.
const char* const kFiles[] = {
    "[pavra]\r\nModeIndex=2\r\nHotkeyKey=67\r\n[www]\r\nWWWSite0=Google\r\nWWWURL0=https://x/?q=\r\n",
    "[pavra]\r\n  ModeIndex =  1  \r\nhotkeykey=0x43\r\nDialogTopMost=-5\r\nHotkeyMod=+3\r\n",
    "[PAVRA]\r\nModeIndex=1\r\nModeIndex=2\r\n[pavra]\r\nHotkeyKey=9\r\n",
    "[pavra]\r\nModeIndex=\r\nHotkeyKey=12abc\r\nHotkeyMod= 007\r\nDialogTopMost=99999999999\r\n",
    "[www]\r\nWWWSite0=\"quoted\"\r\nWWWSite1='single'\r\nWWWSite2=\"half\r\nWWWURL0=a=b=c\r\n"
    "WWWPostFix0=  spaced value  \r\n; comment=1\r\nWWWURL1\r\n",
    "[www]\r\nWWWSite0=日本語のサイト\r\nWWWURL0=https://ja.wikipedia.org/wiki/\r\n",
    "no section at all\r\nModeIndex=2\r\n",
    "",
};

const Read kReads[] = {
    {"pavra", "ModeIndex"},     {"pavra", "HotkeyKey"}, {"pavra", "HotkeyMod"}, {"pavra", "DialogTopMost"},
    {"pavra", "Missing"},       {"www", "WWWSite0"},    {"www", "WWWSite1"},    {"www", "WWWSite2"},
    {"www", "WWWURL0"},         {"www", "WWWURL1"},     {"www", "WWWPostFix0"}, {"www", "comment"},
    {"nosection", "ModeIndex"},
};

TEST_F(ProfileBatchTest, ReadsAsTheSingleKeyCalls) {
    for (const char* file : kFiles) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(TempFolder::Write(ini_, file));
        for (const Read& read : kReads) {
            SCOPED_TRACE(std::string(read.section) + "/" + read.key);
            const int plainInt = ProfileReadInt(read.section, read.key, 77);
            const std::string plainString = ProfileReadString(read.section, read.key, "default");
            ProfileBatch batch;
            EXPECT_EQ(plainInt, ProfileReadInt(read.section, read.key, 77));
            EXPECT_EQ(plainString, ProfileReadString(read.section, read.key, "default"));
        }
    }
}

TEST_F(ProfileBatchTest, LongValuesAreCutAsTheSingleKeyCallsCutThem) {
    const std::string longValue(5000, 'x');
    ASSERT_TRUE(TempFolder::Write(ini_, "[www]\r\nWWWURL0=" + longValue + "\r\nWWWURL1=short\r\n"));
    const std::string plain = ProfileReadString("www", "WWWURL0", "");
    ASSERT_EQ(plain.size(), 4095u);
    ProfileBatch batch;
    EXPECT_EQ(plain, ProfileReadString("www", "WWWURL0", ""));
    EXPECT_EQ("short", ProfileReadString("www", "WWWURL1", ""));
}

TEST_F(ProfileBatchTest, WritesThatChangeTheFileAreKept) {
    const std::string before = "[pavra]\r\nModeIndex=1\r\nHotkeyKey=67\r\n[www]\r\nWWWSite0=\"Google\"\r\n";
    ASSERT_TRUE(TempFolder::Write(ini_, before));
    {
        ProfileBatch batch;
        EXPECT_EQ(1, ProfileReadInt("pavra", "ModeIndex", 0));
        // The same text: nothing to write.
        EXPECT_TRUE(ProfileWriteInt("pavra", "HotkeyKey", 67));
        EXPECT_EQ(before, TempFolder::Read(ini_));
        // A new value, a quoted value written plain, a key and a section the file lacks.
        EXPECT_TRUE(ProfileWriteInt("pavra", "ModeIndex", 2));
        EXPECT_TRUE(ProfileWriteString("www", "WWWSite0", "Google"));
        EXPECT_TRUE(ProfileWriteString("pavra", "HotkeyMod", "3"));
        EXPECT_TRUE(ProfileWriteString("calc", "ModeHex", "0"));
        // Read again inside the batch: what was just written.
        EXPECT_EQ(2, ProfileReadInt("pavra", "ModeIndex", 0));
        EXPECT_EQ(3, ProfileReadInt("pavra", "HotkeyMod", 0));
        // Writing the old value back is a change again.
        EXPECT_TRUE(ProfileWriteInt("pavra", "ModeIndex", 1));
    }
    EXPECT_EQ(1, static_cast<int>(GetPrivateProfileIntA("pavra", "ModeIndex", -1, ini_.c_str())));
    EXPECT_EQ(3, static_cast<int>(GetPrivateProfileIntA("pavra", "HotkeyMod", -1, ini_.c_str())));
    EXPECT_EQ(0, static_cast<int>(GetPrivateProfileIntA("calc", "ModeHex", -1, ini_.c_str())));
    EXPECT_NE(TempFolder::Read(ini_).find("WWWSite0=Google\r\n"), std::string::npos)
        << TempFolder::Read(ini_);
}

TEST_F(ProfileBatchTest, FileChangedBetweenBatchesIsReadAnew) {
    ASSERT_TRUE(TempFolder::Write(ini_, "[pavra]\r\nModeIndex=1\r\n"));
    {
        ProfileBatch batch;
        EXPECT_EQ(1, ProfileReadInt("pavra", "ModeIndex", 0));
    }
    ASSERT_TRUE(TempFolder::Write(ini_, "[pavra]\r\nModeIndex=2\r\n"));
    ProfileBatch batch;
    EXPECT_EQ(2, ProfileReadInt("pavra", "ModeIndex", 0));
    // A write the batch thinks unneeded would be lost: the file says 2, so writing 1 must happen.
    EXPECT_TRUE(ProfileWriteInt("pavra", "ModeIndex", 1));
    EXPECT_EQ(1, static_cast<int>(GetPrivateProfileIntA("pavra", "ModeIndex", -1, ini_.c_str())));
}

TEST_F(ProfileBatchTest, UnwritableFileStillFailsItsWrites) {
    // A folder where the file should be: reads give the defaults, writes report failure.
    ASSERT_TRUE(CreateDirectoryA(ini_.c_str(), nullptr));
    ProfileBatch batch;
    EXPECT_EQ(5, ProfileReadInt("pavra", "ModeIndex", 5));
    EXPECT_EQ("x", ProfileReadString("www", "WWWSite0", "x"));
    EXPECT_FALSE(ProfileWriteInt("pavra", "ModeIndex", 5));
    RemoveDirectoryA(ini_.c_str());
}

}  // namespace
