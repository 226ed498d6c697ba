#include "shell/pavra_param_dlg.h"

#include "platform/accessible.h"
#include "platform/hotkey.h"
#include "resources/resource.h"

#include <commctrl.h>

std::string TakenHotkeyText(UINT key, UINT controlFlags) {
    return "ホットキー " + HotkeyName(key, controlFlags) + " は他のプログラムが使用中です。";
}

CpavraParamDlg::CpavraParamDlg() : CDialog(IDD_PAVRA_PARAM) {}

BOOL CpavraParamDlg::OnInit() {
    WORD combination = MAKEWORD(hotkeyKey & 0xFF, hotkeyModifiers & 0xFF);
    SendDlgItemMessageA(hwnd(), IDC_HOTKEY, HKM_SETHOTKEY, combination, 0);
    SetAccessibleName(Item(IDC_HOTKEY), "ウィンドウ表示ショートカット");
    return TRUE;
}

// A cleared control (key 0) is no combination: it is stored as it is, whatever the platform says.
void CpavraParamDlg::OnOK() {
    WORD combination = LOWORD(SendDlgItemMessageA(hwnd(), IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    const uint16_t key = LOBYTE(combination), modifiers = HIBYTE(combination);
    if (key != 0 && registerCombination && !registerCombination(key, modifiers)) {
        const std::string text = TakenHotkeyText(key, modifiers) + "別の組み合わせを選んでください";
        MessageBoxA(hwnd(), text.c_str(), "Pavra詳細設定", MB_OK | MB_ICONWARNING);
        SetFocus(Item(IDC_HOTKEY));
        return;
    }
    hotkeyKey = key;
    hotkeyModifiers = modifiers;
    EndDialog(IDOK);
}
