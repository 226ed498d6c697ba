#include "shell/bar_keys.h"

#include <algorithm>

#include "platform/accessible.h"
#include "shell/completion_list.h"

namespace {

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

BarKeys::BarKeys(Bar& target, const int& currentModeIndex, const int& previousModeIndex)
    : prompt(inputLine, answerLine, keyState),
      bar(target),
      currentMode(currentModeIndex),
      previousMode(previousModeIndex) {}

void BarKeys::Attach(HWND input, HWND answer, HWND list) {
    inputLine.Attach(input);
    answerLine.Attach(answer);
    modeList = list;
}

bool BarKeys::KeyHook(const MSG& msg) {
    HWND focus = GetFocus();
    if (!focus)
        return false;
    CpavraEdit* line = nullptr;
    if (focus == inputLine.hwnd())
        line = &inputLine;
    else if (focus == answerLine.hwnd())
        line = &answerLine;
    bool onModeList = focus == modeList;
    if (!line && !onModeList)
        return false;
    KeyCommand command = keyState.Translate(static_cast<int>(msg.wParam), Held(VK_CONTROL), Held(VK_SHIFT));
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

void BarKeys::LineKey(CpavraEdit& line, KeyCommand command) {
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
    case KeyCommand::Quit: bar.Quit(); break;
    case KeyCommand::NextMode: bar.NextMode(); break;
    case KeyCommand::PinBar: bar.PressPin(); break;
    case KeyCommand::SettingsArea: bar.SettingsAreaKey(); break;
    case KeyCommand::SwitchToBuffer: prompt.OpenPrompt(kPromptBuffer, line, PreviousBuffer()); break;
    case KeyCommand::ExtendedCommand: prompt.OpenPrompt(kPromptCommand, line, std::string()); break;
    default: break;
    }
}

// Before the first switch the previous mode is the current one.
std::string BarKeys::PreviousBuffer() const {
    std::vector<std::string> names = bar.ModeNames();
    if (previousMode < 0 || previousMode >= static_cast<int>(names.size()))
        return std::string();
    return BufferName(names[static_cast<size_t>(previousMode)]);
}

// With a prompt open only its own keys and the quit key do more than edit the line.
void BarKeys::PromptKey(KeyCommand command) {
    switch (command) {
    case KeyCommand::Cancel:
        prompt.CancelPrompt();
        SetFocus(inputLine.hwnd());
        break;
    case KeyCommand::Enter: FinishPrompt(keyState.prompt); break;
    case KeyCommand::Tab:
        bar.ReadDialogData();
        prompt.CompletePrompt(keyState.prompt, bar.answerLineText);
        break;
    case KeyCommand::Quit: bar.Quit(); break;
    default: break;
    }
}

void BarKeys::Enter() {
    bar.ReadDialogData();
    if (CpavraModeBase* mode = bar.CurrentMode()) {
        mode->Execute(bar.inputLineText);
        bar.ApplyModeChanges();
    }
    inputLine.mark = -1;
}

// The caret goes back to where it was only when the history replaced a line's text.
void BarKeys::History(CpavraEdit& line, KeyCommand command, int start) {
    CpavraModeBase* mode = bar.CurrentMode();
    if (!mode)
        return;
    if (command == KeyCommand::HistoryPrevious)
        mode->HistoryPrevious();
    else
        mode->HistoryNext();
    if (bar.ApplyModeChanges()) {
        line.CaretTo(std::max(start, line.promptLength));
        line.mark = -1;
    }
}

void BarKeys::HistoryEnd(CpavraEdit& line, KeyCommand command) {
    bool first = command == KeyCommand::HistoryFirst;
    if (CpavraModeBase* mode = bar.CurrentMode()) {
        if (first)
            mode->HistoryFirst();
        else
            mode->HistoryLast();
        bar.ApplyModeChanges();
    }
    line.CaretTo(first ? std::max(line.promptLength, 0) : std::max(line.Length(), line.promptLength));
    line.mark = -1;
}

// Input line, answer line, mode list, and round again.
void BarKeys::CycleFocus(HWND from) {
    HWND next;
    if (from == inputLine.hwnd()) {
        inputLine.mark = -1;
        next = answerLine.hwnd();
    } else if (from == answerLine.hwnd()) {
        answerLine.mark = -1;
        next = modeList;
    } else {
        next = inputLine.hwnd();
    }
    SetFocus(next);
    if (next == inputLine.hwnd())
        inputLine.CaretTo(0);
    else if (next == answerLine.hwnd())
        answerLine.CaretTo(0);
}

void BarKeys::ModeListKey(KeyCommand command) {
    int count = static_cast<int>(bar.ModeNames().size());
    if (count == 0)
        return;
    int index;
    switch (command) {
    case KeyCommand::HistoryPrevious: index = currentMode <= 0 ? count - 1 : currentMode - 1; break;
    case KeyCommand::HistoryNext: index = currentMode >= count - 1 ? 0 : currentMode + 1; break;
    case KeyCommand::HistoryFirst: index = 0; break;
    case KeyCommand::HistoryLast: index = count - 1; break;
    case KeyCommand::Quit: bar.Quit(); return;
    default: return;
    }
    bar.SelectMode(index);
}

// A word that names nothing does nothing here: the focus going back drops the prompt and the
// answer line shows what it showed before.
void BarKeys::FinishPrompt(int kind) {
    bar.ReadDialogData();
    std::string typed = prompt.FinishPrompt(bar.answerLineText);
    int index = FindModeByName(kind, typed, bar.ModeNames());
    if (index >= 0) {
        keyState.Clear();
        bar.SelectMode(index);
    } else if (typed == "exit" || typed == "quit") {
        bar.Quit();
    } else if (typed == "close") {
        bar.CloseBar();
    } else if (typed == "manual" || typed == "man") {
        ManualCommand(typed);
    }
    prompt.ReturnFocus();
    // A prompt typed on the answer line keeps the focus there: drop it all the same.
    prompt.DropPrompt();
}

void BarKeys::ManualCommand(const std::string& name) {
    bar.inputLineText.clear();
    bar.answerLineText = name + ": " + ShellCommandDescription(name);
    keyState.Clear();
    bar.OpenManual();
    inputLine.mark = -1;
    bar.WriteDialogData();
    AnnounceLine(answerLine.hwnd(), bar.answerLineText);
}
