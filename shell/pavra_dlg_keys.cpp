// The bar's keys, mode switching and the shell's own commands.
#include <windows.h>

#include "platform/module_path.h"
#include "platform/shell_open.h"
#include "resources/resource.h"
#include "shell/pavra_dlg.h"

bool CpavraDlg::PreTranslateMessage(MSG* msg) { return msg->message == WM_KEYDOWN && KeyHook(msg); }

// Return runs the line; Up and Down step through the mode's history.
bool CpavraDlg::KeyHook(MSG* msg) {
    if (msg->hwnd != Item(IDC_INPUT))
        return false;
    switch (msg->wParam) {
    case VK_RETURN:
        Enter();
        return true;
    case VK_UP:
        History(true);
        return true;
    case VK_DOWN:
        History(false);
        return true;
    default:
        return false;
    }
}

void CpavraDlg::Enter() {
    ReadDialogData();
    if (CpavraModeBase* mode = CurrentMode()) {
        mode->Execute(inputLineText);
        ApplyModeChanges();
    }
}

void CpavraDlg::History(bool previous) {
    CpavraModeBase* mode = CurrentMode();
    if (!mode)
        return;
    HWND line = Item(IDC_INPUT);
    DWORD start = 0;
    SendMessageA(line, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    if (previous)
        mode->HistoryPrevious();
    else
        mode->HistoryNext();
    if (ApplyModeChanges()) {
        SendMessageA(line, EM_SETSEL, start, start);
        SendMessageA(line, EM_SCROLLCARET, 0, 0);
    }
}

void CpavraDlg::SwitchMode() {
    HWND focus = GetFocus();
    int selected = static_cast<int>(SendMessageA(Item(IDC_MODE_LIST), CB_GETCURSEL, 0, 0));
    if (selected < 0)
        return;
    settings[BarSettings::ModeIndex] = selected;
    ReadDialogData();
    if (CpavraModeBase* mode = CurrentMode())
        mode->Deactivate(inputLineText);
    previousMode = currentMode;
    currentMode = selected;
    if (CpavraModeBase* mode = CurrentMode()) {
        // The entered mode is handed the input line too, so the typed text is carried over.
        mode->Deactivate(inputLineText);
        mode->Activate();
        ApplyModeChanges();
    }
    ShowModeCaption();
    SetFocus(focus);
}

void CpavraDlg::Quit() { EndDialog(IDCANCEL); }

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

void CpavraDlg::OnManualButton() {
    inputLineText.clear();
    answerLineText = "man: ユーザーズマニュアルを表示します";
    OpenManual();
    WriteDialogData();
}
