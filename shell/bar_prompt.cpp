#include "shell/bar_prompt.h"

#include <windows.h>

namespace {

const std::string kBufferPrompt = "Switch to buffer: ";
const std::string kCommandPrompt = "M-x: ";

const std::string& PromptLabel(int kind) { return kind == kPromptBuffer ? kBufferPrompt : kCommandPrompt; }

}  // namespace

BarPrompt::BarPrompt(CeqnPavraEdit& input, CansPavraEdit& answer, KeyState& keys)
    : inputLine(input), answerLine(answer), keyState(keys) {}

void BarPrompt::ShowLine(const std::string& text) { SetWindowTextA(answerLine.hwnd(), text.c_str()); }

void BarPrompt::FillCompletionLists(const std::vector<std::string>& modeNames) {
    commandCompletion.candidates = ShellCommandNames();
    bufferCompletion.candidates.clear();
    for (const std::string& name : modeNames) {
        commandCompletion.candidates.push_back(name);
        bufferCompletion.candidates.push_back(BufferName(name));
    }
}

void BarPrompt::OpenPrompt(int kind, CpavraEdit& origin, const std::string& proposal) {
    promptOrigin = &origin;
    savedAnswer = answerLine.Text();
    inputLine.mark = -1;
    // A mark left on the answer text means nothing on the prompt.
    answerLine.mark = -1;
    SetFocus(answerLine.hwnd());
    answerLine.SetReadOnly(false);
    answerLine.promptLength = static_cast<int>(PromptLabel(kind).size());
    if (kind == kPromptBuffer) {
        ShowLine(kBufferPrompt + proposal);
        answerLine.Select(answerLine.promptLength, answerLine.Length());
        bufferCompletion.cycling = 0;
    } else {
        ShowLine(kCommandPrompt);
        answerLine.CaretTo(answerLine.promptLength);
        commandCompletion.cycling = 0;
    }
}

std::string BarPrompt::PromptText(const std::string& line) const {
    size_t prompt = static_cast<size_t>(answerLine.promptLength);
    return line.size() > prompt ? line.substr(prompt) : std::string();
}

void BarPrompt::CompletePrompt(int kind, const std::string& line) {
    CompletionList& list = kind == kPromptBuffer ? bufferCompletion : commandCompletion;
    std::string completion;
    if (list.Complete(PromptText(line), completion) == 0)
        return;
    ShowLine(PromptLabel(kind) + completion);
    answerLine.Select(answerLine.promptLength, answerLine.Length());
}

void BarPrompt::EndPromptLine() {
    answerLine.promptLength = 0;
    answerLine.mark = -1;
    answerLine.SetReadOnly(true);
}

std::string BarPrompt::FinishPrompt(const std::string& line) {
    std::string typed = PromptText(line);
    EndPromptLine();
    return typed;
}

void BarPrompt::ReturnFocus() const {
    if (promptOrigin)
        SetFocus(promptOrigin->hwnd());
}

void BarPrompt::CancelPrompt() {
    EndPromptLine();
    ShowLine(savedAnswer);
}

void BarPrompt::DropPrompt() {
    if (keyState.prompt == 0)
        return;
    EndPromptLine();
    ShowLine(savedAnswer);
    keyState.Clear();
}
