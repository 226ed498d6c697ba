// The detailed settings dialog: the key combination that brings the bar back from anywhere.
#pragma once

#include "platform/dialog.h"

#include <cstdint>
#include <functional>
#include <string>

// "ホットキー Ctrl+Shift+C は他のプログラムが使用中です。" for a combination (a hot-key control's flags).
std::string TakenHotkeyText(UINT key, UINT controlFlags);

class CpavraParamDlg : public CDialog {
public:
    CpavraParamDlg();

    // As the hot-key control reports them: the main key's virtual-key code, and the
    // modifier flags Shift 1, Ctrl 2, Alt 4, extended key 8.
    uint16_t hotkeyKey = 0;
    uint16_t hotkeyModifiers = 0;
    // Registers a chosen combination before the dialog closes; false when it is taken, and the
    // dialog then stays open for another choice. Without it every choice is taken as it is.
    std::function<bool(uint16_t key, uint16_t modifiers)> registerCombination;

protected:
    BOOL OnInit() override;
    void OnOK() override;
};
