#include "modes/calc/calc_param_dlg.h"

#include "platform/tooltip.h"
#include "resources/resource.h"

namespace {

void AddTip(HWND tooltip, HWND dialog, HWND control, const char* text) {
    TTTOOLINFOA info = {};
    // The smallest size every version of the control accepts.
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

CcalcParamDlg::CcalcParamDlg() : CDialog(IDD_CALC_PARAM) {}

BOOL CcalcParamDlg::OnInit() {
    CheckDlgButton(hwnd(), IDC_CALC_COMMA, useComma ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_CALC_FOLLOW, followWindow ? BST_CHECKED : BST_UNCHECKED);
    // The tooltip goes with the dialog; without one the dialog still works.
    tooltip_ = CreateTooltip(hwnd());
    if (tooltip_) {
        AddTip(tooltip_, hwnd(), Item(IDC_CALC_COMMA), "計算結果にカンマを付けます");
        AddTip(tooltip_, hwnd(), Item(IDC_CALC_FOLLOW), "サブウィンドウをメインウィンドウに追従させます");
    }
    return TRUE;
}

void CcalcParamDlg::OnOK() {
    useComma = IsDlgButtonChecked(hwnd(), IDC_CALC_COMMA) == BST_CHECKED;
    followWindow = IsDlgButtonChecked(hwnd(), IDC_CALC_FOLLOW) == BST_CHECKED;
    EndDialog(IDOK);
}

bool CcalcParamDlg::PreTranslateMessage(MSG* msg) {
    if (tooltip_)
        SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return false;
}
