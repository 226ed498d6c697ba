// Mode switching (the mode list, a prompt's choice and the next-mode key) and the user manual;
// the keys themselves are BarKeys'.
#include <windows.h>

#include "platform/module_path.h"
#include "platform/shell_open.h"
#include "resources/resource.h"
#include "shell/pavra_dlg.h"

bool CpavraDlg::PreTranslateMessage(MSG* msg) { return msg->message == WM_KEYDOWN && keys.KeyHook(*msg); }

void CpavraDlg::SwitchMode() {
    HWND focus = GetFocus();
    int selected = static_cast<int>(SendMessageA(Item(IDC_MODE_LIST), CB_GETCURSEL, 0, 0));
    if (selected < 0)
        return;
    settings[BarSettings::ModeIndex] = selected;
    ReadDialogData();
    if (modes.Switch(selected, inputLineText))
        ApplyModeChanges();
    ShowModeCaption();
    SetFocus(focus);
}

void CpavraDlg::SelectMode(int index) {
    settings[BarSettings::ModeIndex] = index;
    SendMessageA(Item(IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SwitchMode();
}

// Unlike SwitchMode, the entered mode shows the input it had kept.
void CpavraDlg::NextMode() {
    if (!CurrentMode())
        return;
    ReadDialogData();
    modes.Next(inputLineText);
    ApplyModeChanges();
    settings[BarSettings::ModeIndex] = modes.CurrentIndex();
    SendMessageA(Item(IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(modes.CurrentIndex()), 0);
    ShowModeCaption();
    FocusInput();
}

std::vector<std::string> CpavraDlg::ModeNames() const { return modes.Names(); }

void CpavraDlg::OpenManual() {
    auto path = ModulePath();
    auto parts = path ? SplitPath(*path) : std::nullopt;
    if (!parts) {
        answerLineText = "Error: 実行ファイル名を取得できませんでした";
        return;
    }
    std::string url = "file:///" + parts->drive + parts->directory + "manual/um/index.html";
    if (!ShellOpen(hwnd(), url))
        answerLineText = "Error: マニュアルを開けませんでした";
}
