#include "shell/pavra_param_dlg.h"

#include "resources/resource.h"

#include <commctrl.h>

CpavraParamDlg::CpavraParamDlg() : CDialog(IDD_PAVRA_PARAM) {}

BOOL CpavraParamDlg::OnInit() {
    WORD combination = MAKEWORD(hotkeyKey & 0xFF, hotkeyModifiers & 0xFF);
    SendDlgItemMessageA(hwnd(), IDC_HOTKEY, HKM_SETHOTKEY, combination, 0);
    return TRUE;
}

void CpavraParamDlg::OnOK() {
    WORD combination = LOWORD(SendDlgItemMessageA(hwnd(), IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    hotkeyKey = LOBYTE(combination);
    hotkeyModifiers = HIBYTE(combination);
    EndDialog(IDOK);
}
