// The detailed settings dialog: the key combination that brings the bar back from anywhere.
#pragma once

#include "platform/dialog.h"

#include <cstdint>

class CpavraParamDlg : public CDialog {
public:
    CpavraParamDlg();

    // As the hot-key control reports them: the main key's virtual-key code, and the
    // modifier flags Shift 1, Ctrl 2, Alt 4, extended key 8.
    uint16_t hotkeyKey = 0;
    uint16_t hotkeyModifiers = 0;

protected:
    BOOL OnInit() override;
    void OnOK() override;
};
