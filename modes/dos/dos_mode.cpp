#include "modes/dos/dos_mode.h"

#include "modes/dos/dos_param_dlg.h"
#include "modes/dos/dos_resp_dlg.h"
#include "modes/dos/output_messages.h"
#include "platform/dpi.h"
#include "platform/placement.h"

CdosMode::CdosMode(int index) : CpavraModeBase(index) {}

CdosMode::~CdosMode() {
    child.CloseLink();
    if (outputWindow)
        outputWindow->Close();
}

void CdosMode::Shutdown() {
    if (initialized)
        child.CloseLink();
    if (outputWindow)
        outputWindow->Close();
    initialized = false;
}

void CdosMode::Activate() {
    if (!outputWindow) {
        if (!CdosRespDlg::Open(owner, &outputWindow)) {
            PublishAnswer("Fatal Error: ダイアログの生成に失敗しました");
        } else {
            outputWindow->SetLink(&child);
            child.SetWindow(outputWindow->hwnd());
        }
        if (!child.IsOpen())
            child.OpenLink(outputWindow ? outputWindow->hwnd() : nullptr, &commandHistory, initialDirectory,
                           initialScript);
        followRequest = true;
        focusRequest = true;
        firstPlacement = true;
    }
    if (!child.IsChildRunning())
        child.RestartChild(initialDirectory, initialScript);
    PublishActivation("DOS: コマンドプロンプトです。DOSコマンドを入力してください。", "設定", "", "");
    if (outputWindow) {
        ShowWindow(outputWindow->hwnd(), SW_SHOWNA);
        followRequest = true;
    }
}

void CdosMode::Deactivate(const std::string& inputLine) {
    if (outputWindow)
        ShowWindow(outputWindow->hwnd(), SW_HIDE);
    inputText = inputLine;
}

void CdosMode::OnButton0() {
    CdosParamDlg dialog;
    dialog.follow = followWindow;
    dialog.directory = initialDirectory;
    dialog.script = initialScript;
    if (RunDialog(dialog)) {
        if (dialog.follow != followWindow) {
            followWindow = dialog.follow;
            if (followWindow == 1)
                followRequest = true;
            QueueInt(0);
        }
        // Takes effect when the next child starts; the running one stays where it is.
        if (dialog.directory != initialDirectory) {
            initialDirectory = dialog.directory;
            QueueString(0);
        }
        if (dialog.script != initialScript) {
            initialScript = dialog.script;
            QueueString(1);
        }
    }
    focusRequest = true;
}

void CdosMode::HistoryFirst() {
    ShowOutputWindow();
    ShowHistoryMove(commandHistory.MoveFirst());
}

void CdosMode::HistoryLast() {
    ShowOutputWindow();
    ShowHistoryMove(commandHistory.MoveLast());
}

void CdosMode::HistoryPrevious() {
    ShowOutputWindow();
    ShowHistoryMove(commandHistory.MovePrevious());
}

void CdosMode::HistoryNext() {
    ShowOutputWindow();
    ShowHistoryMove(commandHistory.MoveNext());
}

void CdosMode::Execute(const std::string& inputLine) {
    ShowOutputWindow();
    child.SendCommand(inputLine);
    PublishInput("");
}

void CdosMode::FollowMainWindow(const RECT& bar) {
    if (firstPlacement)
        firstPlacement = false;
    else if (followWindow == 0)
        return;
    if (!outputWindow)
        return;
    MoveToRect(
        outputWindow->hwnd(),
        PlaceBelowOrAbove(bar, ScaleForDpi(kOutputWindowHeight, PlacementDpi(outputWindow->hwnd(), bar)),
                          WorkAreaOrUnbounded(bar)));
}

void CdosMode::ShowSubWindows(int showCommand) {
    // Shown without taking the activation from the bar.
    if (outputWindow)
        ShowWindow(outputWindow->hwnd(), showCommand == SW_HIDE ? SW_HIDE : SW_SHOWNA);
}

const char* CdosMode::GetSection() { return "dos"; }
const char* CdosMode::GetCaption() { return "DOSモード"; }
int CdosMode::GetIntCount() { return 1; }
int CdosMode::GetInt(int index) { return index == 0 ? followWindow : 0; }
int CdosMode::GetIntMin(int) { return 0; }
int CdosMode::GetIntMax(int index) { return index == 0 ? 1 : CpavraModeBase::GetIntMax(index); }
const char* CdosMode::GetIntKey(int index) { return index == 0 ? "FollowWindow" : nullptr; }

void CdosMode::SetInt(int index, int value) {
    if (index == 0)
        followWindow = value;
}

int CdosMode::GetStringCount() { return 2; }

const char* CdosMode::GetString(int index) {
    if (index == 0)
        return initialDirectory.c_str();
    return index == 1 ? initialScript.c_str() : nullptr;
}

const char* CdosMode::GetStringKey(int index) {
    if (index == 0)
        return "InitialDirectory";
    return index == 1 ? "InitialScript" : nullptr;
}

void CdosMode::SetString(int index, const char* text) {
    if (index == 0)
        initialDirectory = text ? text : "";
    else if (index == 1)
        initialScript = text ? text : "";
}

const char* CdosMode::GetInputTip() { return "DOSコマンドを入力します"; }

// A command or a history key brings a window the user had hidden back.
void CdosMode::ShowOutputWindow() {
    if (outputWindow && !IsWindowVisible(outputWindow->hwnd())) {
        ShowWindow(outputWindow->hwnd(), SW_SHOWNA);
        focusRequest = true;
    }
}

void CdosMode::ShowHistoryMove(const NavResult& move) {
    switch (move.kind) {
    case NavEntry:
        PublishInput(move.command);
        if (outputWindow) {
            child.ForgetWindowText();
            SendMessageA(outputWindow->hwnd(), kSetOutputMessage,
                         reinterpret_cast<WPARAM>(move.output.c_str()), 0);
        }
        break;
    case NavCurrent:
        PublishInput(child.CopyPendingCommand());
        child.DeliverOutput();
        break;
    case NavBlank:
        PublishInput("");
        child.DeliverOutput();
        break;
    case NavEmpty:
    case NavUnchanged: break;
    }
}
