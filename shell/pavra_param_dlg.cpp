#include "shell/pavra_param_dlg.h"

#include "platform/accessible.h"
#include "resources/resource.h"

#include <commctrl.h>

CpavraParamDlg::CpavraParamDlg() : CDialog(IDD_PAVRA_PARAM) {}

BOOL CpavraParamDlg::OnInit() {
    WORD combination = MAKEWORD(hotkeyKey & 0xFF, hotkeyModifiers & 0xFF);
    SendDlgItemMessageA(hwnd(), IDC_HOTKEY, HKM_SETHOTKEY, combination, 0);
    SetAccessibleName(Item(IDC_HOTKEY), "ウィンドウ表示ショートカット");
    return TRUE;
}

void CpavraParamDlg::OnOK() {
    WORD combination = LOWORD(SendDlgItemMessageA(hwnd(), IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    hotkeyKey = LOBYTE(combination);
    hotkeyModifiers = HIBYTE(combination);
    EndDialog(IDOK);
}
