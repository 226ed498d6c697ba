#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/report_error.h"

namespace {

std::string g_text;
std::string g_title;
UINT g_type = 0;
int g_calls = 0;

int RecordBox(HWND, const char* text, const char* title, UINT type) {
    g_text = text;
    g_title = title;
    g_type = type;
    ++g_calls;
    return IDOK;
}

class ReportErrorTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_text.clear();
        g_calls = 0;
        previous_ = SetMessageBoxFunction(RecordBox);
    }
    void TearDown() override { SetMessageBoxFunction(previous_); }
    MessageBoxFunction previous_ = nullptr;
};

}  // namespace

TEST_F(ReportErrorTest, TextsAndFatality) {
    struct Case {
        unsigned code;
        bool fatal;
        const char* text;  // empty: no box at all
    } cases[] = {
        {0, false, ""},
        {ErrModulePath, true, "致命的なエラーが発生したためPavraを終了します。\n（エラーコード=0x00001001）"},
        {ErrRunWindow, true, "致命的なエラーが発生したためPavraを終了します。\n（エラーコード=0x00001002）"},
        {ErrNoStartMode, true,
         "致命的なエラーが発生したためPavraを終了します。\n（エラーコード=0x00001003）"},
        // Both bits: the fatal test comes first.
        {0x3000, true, "致命的なエラーが発生したためPavraを終了します。\n（エラーコード=0x00003000）"},
        {0x2001, false, "エラーが発生しました。\n（エラーコード=0x00002001）"},
        {0xABCD2000u, false, "エラーが発生しました。\n（エラーコード=0xabcd2000）"},
        {0x0FFF, false, ""},
    };
    for (const Case& c : cases) {
        g_text.clear();
        g_calls = 0;
        EXPECT_EQ(ReportError(c.code), c.fatal) << std::hex << c.code;
        EXPECT_EQ(g_calls, c.text[0] ? 1 : 0) << std::hex << c.code;
        EXPECT_EQ(g_text, c.text) << std::hex << c.code;
    }
}

TEST_F(ReportErrorTest, BoxHasOkWarningIconAndProgramName) {
    ReportError(ErrNoStartMode);
    EXPECT_EQ(g_type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    // The title is the executable's base name: this test program's.
    EXPECT_EQ(g_title, "pavra_win_tests");
}

TEST(CodePage, AnsiCodePageIsJapanese) { EXPECT_EQ(GetACP(), 932u); }
