// The bar's keys: the key hook over the two lines and the mode list, the focus cycle, mode
// switching, the "Switch to buffer: " and "M-x: " prompts and the shell's own commands.
#include <windows.h>

#include <algorithm>

#include "platform/module_path.h"
#include "platform/shell_open.h"
#include "resources/resource.h"
#include "shell/pavra_dlg.h"

namespace {

const std::string kBufferPrompt = "Switch to buffer: ";
const std::string kCommandPrompt = "M-x: ";

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
        PromptKey(keyState.prompt, command);
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
    case KeyCommand::SwitchToBuffer: OpenPrompt(kPromptBuffer, line); break;
    case KeyCommand::ExtendedCommand: OpenPrompt(kPromptCommand, line); break;
    default: break;
    }
}

// With a prompt open only its own keys and the quit key do more than edit the line.
void CpavraDlg::PromptKey(int kind, KeyCommand command) {
    switch (command) {
    case KeyCommand::Cancel: CancelPrompt(); break;
    case KeyCommand::Enter: FinishPrompt(kind); break;
    case KeyCommand::Tab: CompletePrompt(kind); break;
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

void CpavraDlg::FillCompletionLists() {
    commandCompletion.candidates = ShellCommandNames();
    for (const std::string& name : ModeNames()) {
        commandCompletion.candidates.push_back(name);
        bufferCompletion.candidates.push_back(BufferName(name));
    }
}

std::vector<std::string> CpavraDlg::ModeNames() const {
    std::vector<std::string> names;
    for (const auto& mode : modes)
        names.push_back(mode->GetSection());
    return names;
}

void CpavraDlg::OpenPrompt(int kind, CpavraEdit& origin) {
    promptOrigin = &origin;
    savedAnswer = answerLine.Text();
    inputLine.mark = -1;
    // A mark left on the answer text means nothing on the prompt.
    answerLine.mark = -1;
    SetFocus(answerLine.hwnd());
    answerLine.SetReadOnly(false);
    if (kind == kPromptBuffer) {
        // Before the first switch the previous mode is the current one.
        std::string proposal;
        if (previousMode >= 0 && previousMode < static_cast<int>(modes.size()))
            proposal = BufferName(modes[previousMode]->GetSection());
        SetItemText(IDC_ANSWER, kBufferPrompt + proposal);
        answerLine.promptLength = static_cast<int>(kBufferPrompt.size());
        answerLine.Select(answerLine.promptLength, answerLine.Length());
        bufferCompletion.cycling = 0;
    } else {
        SetItemText(IDC_ANSWER, kCommandPrompt);
        answerLine.promptLength = static_cast<int>(kCommandPrompt.size());
        answerLine.CaretTo(answerLine.promptLength);
        commandCompletion.cycling = 0;
    }
}

std::string CpavraDlg::PromptText() {
    ReadDialogData();
    size_t prompt = static_cast<size_t>(answerLine.promptLength);
    return answerLineText.size() > prompt ? answerLineText.substr(prompt) : std::string();
}

void CpavraDlg::CompletePrompt(int kind) {
    std::string typed = PromptText();
    CompletionList& list = kind == kPromptBuffer ? bufferCompletion : commandCompletion;
    std::string completion;
    if (list.Complete(typed, completion) == 0)
        return;
    SetItemText(IDC_ANSWER, (kind == kPromptBuffer ? kBufferPrompt : kCommandPrompt) + completion);
    answerLine.Select(answerLine.promptLength, answerLine.Length());
}

void CpavraDlg::EndPromptLine() {
    answerLine.promptLength = 0;
    answerLine.mark = -1;
    answerLine.SetReadOnly(true);
}

// A word that names nothing does nothing here: the focus going back drops the prompt and the
// answer line shows what it showed before.
void CpavraDlg::FinishPrompt(int kind) {
    std::string typed = PromptText();
    EndPromptLine();
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
    if (promptOrigin)
        SetFocus(promptOrigin->hwnd());
    // A prompt typed on the answer line keeps the focus there: drop it all the same.
    DropPrompt();
}

void CpavraDlg::CancelPrompt() {
    EndPromptLine();
    SetItemText(IDC_ANSWER, savedAnswer);
    FocusInput();
}

void CpavraDlg::DropPrompt() {
    if (keyState.prompt == 0)
        return;
    EndPromptLine();
    SetItemText(IDC_ANSWER, savedAnswer);
    keyState.Clear();
}

void CpavraDlg::ManualCommand(const std::string& name) {
    inputLineText.clear();
    answerLineText = name + ": " + ShellCommandDescription(name);
    keyState.Clear();
    OpenManual();
    inputLine.mark = -1;
    WriteDialogData();
}

void CpavraDlg::OnManualButton() { ManualCommand("man"); }

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
