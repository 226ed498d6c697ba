// The fixture of the end-to-end tests: each test gets its own folder with a copy of pavra.exe.
// A failing test keeps its folder and leaves a screenshot "<test>-failure" to look at.
#pragma once

#include "pavra_bar.h"

#include <gtest/gtest.h>

namespace e2e {

class BarTest : public ::testing::Test {
protected:
    BarTest() : bar(CurrentTestName()) {}

    void TearDown() override {
        if (HasFailure()) {
            bar.Screenshot(CurrentTestName() + "-failure");
            bar.Folder().Keep();
        }
    }

    PavraBar bar;
};

}  // namespace e2e
