// The fixture of tests that read and write settings: the profile calls go to pavra.ini in a
// fresh folder for each test, and nowhere once it is over.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "temp_folder.h"

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ini_ = folder_.File("pavra.ini");
        SetProfileFile(ini_);
    }
    void TearDown() override { SetProfileFile(std::string()); }

    TempFolder folder_;
    std::string ini_;
};
