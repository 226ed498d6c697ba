// The bar's keys: the key hook over the two lines and the mode list, the focus cycle, mode
// switching, the "Switch to buffer: " and "M-x: " prompts and the shell's own commands.
#include <windows.h>

#include <algorithm>

#include "platform/accessible.h"
#include "platform/module_path.h"
#include "platform/shell_open.h"
#include "resources/resource.h"
#include "shell/pavra_dlg.h"

namespace {

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

bool CpavraDlg::PreTranslateMessage(MSG* msg) { return msg->message == WM_KEYDOWN && KeyHook(msg); }

bool CpavraDlg::KeyHook(MSG* msg) {
    HWND focus = GetFocus();
    if (!focus)
        return false;
    CpavraEdit* line = nullptr;
    if (focus == inputLine.hwnd())
        line = &inputLine;
    else if (focus == answerLine.hwnd())
        line = &answerLine;
    bool onModeList = focus == Item(IDC_MODE_LIST);
    if (!line && !onModeList)
        return false;
    KeyCommand command = keyState.Translate(static_cast<int>(msg->wParam), Held(VK_CONTROL), Held(VK_SHIFT));
    if (command == KeyCommand::None)
        return false;
    if (keyState.prompt == 0 && (command == KeyCommand::Tab || command == KeyCommand::OtherWindow))
        CycleFocus(focus);
    else if (onModeList)
        ModeListKey(command);
    else
        LineKey(*line, command);
    keyState.Update(!onModeList);
    return true;
}

void CpavraDlg::LineKey(CpavraEdit& line, KeyCommand command) {
    int start;
    int end;
    line.GetSel(start, end);
    line.RunCommand(command, start, end);
    if (keyState.prompt != 0) {
        PromptKey(command);
        return;
    }
    switch (command) {
    case KeyCommand::HistoryPrevious:
    case KeyCommand::HistoryNext: History(line, command, start); break;
    case KeyCommand::HistoryFirst:
    case KeyCommand::HistoryLast: HistoryEnd(line, command); break;
    case KeyCommand::Enter:
        if (&line == &inputLine)
            Enter();
        break;
    case KeyCommand::Quit: Quit(); break;
    case KeyCommand::NextMode: NextMode(); break;
    case KeyCommand::PinBar: PressTitleButton(IDC_PIN); break;
    case KeyCommand::SettingsArea: SettingsAreaKey(); break;
    case KeyCommand::SwitchToBuffer:
        // Before the first switch the previous mode is the current one.
        prompt.OpenPrompt(kPromptBuffer, line,
                          previousMode >= 0 && previousMode < static_cast<int>(modes.size())
                              ? BufferName(modes[previousMode]->GetSection())
                              : std::string());
        break;
    case KeyCommand::ExtendedCommand: prompt.OpenPrompt(kPromptCommand, line, std::string()); break;
    default: break;
    }
}

// With a prompt open only its own keys and the quit key do more than edit the line.
void CpavraDlg::PromptKey(KeyCommand command) {
    switch (command) {
    case KeyCommand::Cancel:
        prompt.CancelPrompt();
        FocusInput();
        break;
    case KeyCommand::Enter: FinishPrompt(keyState.prompt); break;
    case KeyCommand::Tab:
        ReadDialogData();
        prompt.CompletePrompt(keyState.prompt, answerLineText);
        break;
    case KeyCommand::Quit: Quit(); break;
    default: break;
    }
}

void CpavraDlg::Enter() {
    ReadDialogData();
    if (CpavraModeBase* mode = CurrentMode()) {
        mode->Execute(inputLineText);
        ApplyModeChanges();
    }
    inputLine.mark = -1;
}

// The caret goes back to where it was only when the history replaced a line's text.
void CpavraDlg::History(CpavraEdit& line, KeyCommand command, int start) {
    CpavraModeBase* mode = CurrentMode();
    if (!mode)
        return;
    if (command == KeyCommand::HistoryPrevious)
        mode->HistoryPrevious();
    else
        mode->HistoryNext();
    if (ApplyModeChanges()) {
        line.CaretTo(std::max(start, line.promptLength));
        line.mark = -1;
    }
}

void CpavraDlg::HistoryEnd(CpavraEdit& line, KeyCommand command) {
    bool first = command == KeyCommand::HistoryFirst;
    if (CpavraModeBase* mode = CurrentMode()) {
        if (first)
            mode->HistoryFirst();
        else
            mode->HistoryLast();
        ApplyModeChanges();
    }
    line.CaretTo(first ? std::max(line.promptLength, 0) : std::max(line.Length(), line.promptLength));
    line.mark = -1;
}

// Input line, answer line, mode list, and round again.
void CpavraDlg::CycleFocus(HWND from) {
    HWND next;
    if (from == inputLine.hwnd()) {
        inputLine.mark = -1;
        next = answerLine.hwnd();
    } else if (from == answerLine.hwnd()) {
        answerLine.mark = -1;
        next = Item(IDC_MODE_LIST);
    } else {
        next = inputLine.hwnd();
    }
    SetFocus(next);
    if (next == inputLine.hwnd())
        inputLine.CaretTo(0);
    else if (next == answerLine.hwnd())
        answerLine.CaretTo(0);
}

void CpavraDlg::ModeListKey(KeyCommand command) {
    int count = static_cast<int>(modes.size());
    if (count == 0)
        return;
    int index;
    switch (command) {
    case KeyCommand::HistoryPrevious: index = currentMode <= 0 ? count - 1 : currentMode - 1; break;
    case KeyCommand::HistoryNext: index = currentMode >= count - 1 ? 0 : currentMode + 1; break;
    case KeyCommand::HistoryFirst: index = 0; break;
    case KeyCommand::HistoryLast: index = count - 1; break;
    case KeyCommand::Quit: Quit(); return;
    default: return;
    }
    SendMessageA(Item(IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SwitchMode();
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

// Unlike SwitchMode, the entered mode shows the input it had kept.
void CpavraDlg::NextMode() {
    CpavraModeBase* mode = CurrentMode();
    if (!mode)
        return;
    ReadDialogData();
    mode->Deactivate(inputLineText);
    previousMode = currentMode;
    currentMode = currentMode + 1 < static_cast<int>(modes.size()) ? currentMode + 1 : 0;
    CurrentMode()->Activate();
    ApplyModeChanges();
    settings[BarSettings::ModeIndex] = currentMode;
    SendMessageA(Item(IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(currentMode), 0);
    ShowModeCaption();
    FocusInput();
}

std::vector<std::string> CpavraDlg::ModeNames() const {
    std::vector<std::string> names;
    for (const auto& mode : modes)
        names.push_back(mode->GetSection());
    return names;
}

// A word that names nothing does nothing here: the focus going back drops the prompt and the
// answer line shows what it showed before.
void CpavraDlg::FinishPrompt(int kind) {
    ReadDialogData();
    std::string typed = prompt.FinishPrompt(answerLineText);
    int index = FindModeByName(kind, typed, ModeNames());
    if (index >= 0) {
        keyState.Clear();
        settings[BarSettings::ModeIndex] = index;
        SendMessageA(Item(IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SwitchMode();
    } else if (typed == "exit" || typed == "quit") {
        Quit();
    } else if (typed == "close") {
        CloseBar();
    } else if (typed == "manual" || typed == "man") {
        ManualCommand(typed);
    }
    prompt.ReturnFocus();
    // A prompt typed on the answer line keeps the focus there: drop it all the same.
    prompt.DropPrompt();
}

void CpavraDlg::ManualCommand(const std::string& name) {
    inputLineText.clear();
    answerLineText = name + ": " + ShellCommandDescription(name);
    keyState.Clear();
    OpenManual();
    inputLine.mark = -1;
    WriteDialogData();
    AnnounceLine(Item(IDC_ANSWER), answerLineText);
}

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
