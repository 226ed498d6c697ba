// The detailed settings dialog moves the combination in and out of its hot-key control; a mode's
// dialog that cannot open says so.
#include "modes/pavra_mode_base.h"
#include "resources/resource.h"
#include "shell/pavra_param_dlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

WORD ControlCombination(HWND dialog) {
    return LOWORD(SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
}

void SetControlCombination(HWND dialog, WORD combination) {
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, combination, 0);
}

TEST(CpavraParamDlg, ShowsTheCombinationAndReadsTheChosenOneBackOnOk) {
    struct Case {
        uint16_t key, modifiers;  // given to the dialog
        WORD shown;               // what the control shows
        WORD chosen;              // what the user picks
        uint16_t keyOut, modifiersOut;
    } cases[] = {
        {67, 3, MAKEWORD(67, 3), MAKEWORD(65, 3), 65, 3},                          // Ctrl+Shift+C, then A
        {67, 3, MAKEWORD(67, 3), MAKEWORD(VK_F2, HOTKEYF_ALT), VK_F2, 4},          // Alt+F2
        {0, 0, 0, MAKEWORD(VK_LEFT, HOTKEYF_CONTROL | HOTKEYF_EXT), VK_LEFT, 10},  // extended flag kept
        {0x141, 0x103, MAKEWORD(0x41, 3), 0, 0, 0},  // only the low bytes count; a cleared control
    };
    InitCommonControls();
    for (const Case& c : cases) {
        CpavraParamDlg dialog;
        dialog.hotkeyKey = c.key;
        dialog.hotkeyModifiers = c.modifiers;
        ASSERT_TRUE(dialog.Create(nullptr));
        HWND window = dialog.hwnd();
        EXPECT_EQ(ControlCombination(window), c.shown);
        SetControlCombination(window, c.chosen);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_FALSE(IsWindow(window)) << "OK closes the dialog";
        EXPECT_EQ(dialog.hotkeyKey, c.keyOut);
        EXPECT_EQ(dialog.hotkeyModifiers, c.modifiersOut);
    }
}

TEST(CpavraParamDlg, CancelLeavesTheFieldsAsTheyWere) {
    CpavraParamDlg dialog;
    dialog.hotkeyKey = 67;
    dialog.hotkeyModifiers = 3;
    ASSERT_TRUE(dialog.Create(nullptr));
    SetControlCombination(dialog.hwnd(), MAKEWORD(65, 4));
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(dialog.hotkeyKey, 67);
    EXPECT_EQ(dialog.hotkeyModifiers, 3);
}

class DialogMode : public CpavraModeBase {
public:
    DialogMode() : CpavraModeBase(0) {}
    using CpavraModeBase::RunDialog;
};

TEST(ModeDialogs, ADialogThatCannotOpenIsToldOnTheAnswerLineAndEndsAsCancel) {
    DialogMode mode;
    CDialog missing(32000);  // no such template
    EXPECT_FALSE(mode.RunDialog(missing));
    EXPECT_TRUE(mode.answerChanged);
    EXPECT_EQ(mode.answerText, kDialogOpenFailed);
}

}  // namespace
