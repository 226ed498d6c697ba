// The two prompts of the answer line, "Switch to buffer: " and "M-x: ", with their Tab
// completion: what the line shows while one is open, and what it shows again after it.
#pragma once

#include <string>
#include <vector>

#include "shell/completion_list.h"
#include "shell/key_state.h"
#include "shell/pavra_edit.h"

class BarPrompt {
public:
    // keyState.prompt tells which prompt is open (kPromptBuffer, kPromptCommand) or none (0).
    BarPrompt(CeqnPavraEdit& input, CansPavraEdit& answer, KeyState& keys);

    // The shell commands and the modes for "M-x: ", the modes' buffers for "Switch to buffer: ".
    void FillCompletionLists(const std::vector<std::string>& modeNames);
    // The line the key came from gets the focus back when the prompt ends; the buffer prompt
    // proposes proposal, selected.
    void OpenPrompt(int kind, CpavraEdit& origin, const std::string& proposal);
    // The word typed after the prompt in line, the answer line's text.
    std::string PromptText(const std::string& line) const;
    // Tab on line, the answer line's text.
    void CompletePrompt(int kind, const std::string& line);
    // Enter on line: the line is an answer line again; returns the word typed.
    std::string FinishPrompt(const std::string& line);
    // The focus goes back to the line the prompt came from.
    void ReturnFocus() const;
    // Escape: the answer line shows what it showed before.
    void CancelPrompt();
    // The answer line lost the focus: an open prompt is dropped.
    void DropPrompt();

    std::string savedAnswer;
    CpavraEdit* promptOrigin = nullptr;
    CompletionList commandCompletion;
    CompletionList bufferCompletion;

private:
    void EndPromptLine();
    void ShowLine(const std::string& text);

    CeqnPavraEdit& inputLine;
    CansPavraEdit& answerLine;
    KeyState& keyState;
};
