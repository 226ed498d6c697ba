#include "modes/dos/dos_param_dlg.h"

#include <commctrl.h>

#include "platform/accessible.h"
#include "platform/dialog_monitor.h"
#include "platform/shell_dialogs.h"
#include "resources/resource.h"

namespace {
// File-system folders only, an edit box for a typed path, the new picker style.
const UINT kFolderPickerFlags = 0x51;
// Read-only box hidden, existing files only.
const DWORD kOpenFileFlags = 0x1004;
}  // namespace

CdosParamDlg::CdosParamDlg() : CDialog(IDD_DOS_PARAM) {}

BOOL CdosParamDlg::OnInit() {
    tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    AddTooltip(IDC_DOS_FOLLOW, "DOSプロンプト出力ウィンドウをメインウィンドウに追従させます");
    AddTooltip(IDC_DOS_DIRECTORY, "DOSプロンプト起動時の初期ディレクトリを設定します");
    AddTooltip(IDC_DOS_SCRIPT, "DOSプロンプト起動時に実行するスクリプト（.batファイル）を指定します");
    NameControls(hwnd(), {{IDC_DOS_DIRECTORY, "初期ディレクトリ"},
                          {IDC_DOS_BROWSE_DIRECTORY, "初期ディレクトリを選択"},
                          {IDC_DOS_SCRIPT, "初期スクリプト"},
                          {IDC_DOS_BROWSE_SCRIPT, "初期スクリプトを選択"}});
    ShowFields();
    return TRUE;
}

bool CdosParamDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_DOS_BROWSE_DIRECTORY) {
        BrowseDirectory();
        return true;
    }
    if (id == IDC_DOS_BROWSE_SCRIPT) {
        BrowseScript();
        return true;
    }
    return false;
}

void CdosParamDlg::OnOK() {
    TakeControls();
    EndDialog(IDOK);
}

bool CdosParamDlg::PreTranslateMessage(MSG* msg) {
    if (tooltips_)
        SendMessageA(tooltips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return false;
}

void CdosParamDlg::ShowFields() {
    CheckDlgButton(hwnd(), IDC_DOS_FOLLOW, follow ? BST_CHECKED : BST_UNCHECKED);
    SetItemText(IDC_DOS_DIRECTORY, directory);
    SetItemText(IDC_DOS_SCRIPT, script);
}

void CdosParamDlg::TakeControls() {
    follow = IsDlgButtonChecked(hwnd(), IDC_DOS_FOLLOW) == BST_CHECKED ? 1 : 0;
    directory = ItemText(IDC_DOS_DIRECTORY);
    script = ItemText(IDC_DOS_SCRIPT);
}

// The controls are not taken in first: the fields, as they stand, are shown again.
void CdosParamDlg::BrowseDirectory() {
    std::string picked;
    CScopedOwnedDialogFit onMonitor(hwnd());
    if (BrowseForFolder(hwnd(), "フォルダを選択してください", kFolderPickerFlags, directory, picked)) {
        directory = picked;
        ShowFields();
    }
}

void CdosParamDlg::BrowseScript() {
    TakeControls();
    std::string picked;
    CScopedOwnedDialogFit onMonitor(hwnd());
    if (ChooseFileToOpen(hwnd(), script, "batファイル | *.bat||", "*.bat", kOpenFileFlags, picked)) {
        script = picked;
        ShowFields();
    }
}

void CdosParamDlg::AddTooltip(int id, const char* text) {
    if (!tooltips_)
        return;
    TOOLINFOA tool = {};
    // The size every common-controls version accepts.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}
