// The bar's keys: the key hook over the two lines and the mode list, the focus cycle, the history
// keys, Enter, the mode-list keys, the "Switch to buffer: " and "M-x: " prompts and the shell's
// own commands. The keys reach the rest of the bar only through BarKeys::Bar.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "modes/pavra_mode_base.h"
#include "shell/bar_prompt.h"
#include "shell/key_state.h"
#include "shell/pavra_edit.h"

class BarKeys {
public:
    // What the keys do to the bar.
    class Bar {
    public:
        // Null when no mode is current.
        virtual CpavraModeBase* CurrentMode() const = 0;
        // Copies the mode's pending changes into the bar; true when a line's text was replaced.
        virtual bool ApplyModeChanges() = 0;
        // The two lines into inputLineText and answerLineText, and those texts back to the lines.
        virtual void ReadDialogData() = 0;
        virtual void WriteDialogData() = 0;
        // The modes' names, in mode order.
        virtual std::vector<std::string> ModeNames() const = 0;
        // The mode list selects index and the bar switches to it, as when the user picks it.
        virtual void SelectMode(int index) = 0;
        virtual void NextMode() = 0;
        virtual void Quit() = 0;
        virtual void CloseBar() = 0;
        // The pin, as the title button works it; the settings area opened for the keyboard, or
        // closed.
        virtual void PressPin() = 0;
        virtual void SettingsAreaKey() = 0;
        // A failure is left on answerLineText.
        virtual void OpenManual() = 0;

        std::string inputLineText;
        std::string answerLineText;

    protected:
        ~Bar() = default;
    };

    // The bar's mode indices are read at each use.
    BarKeys(Bar& target, const int& currentModeIndex, const int& previousModeIndex);

    // Binds the lines and the mode list once the dialog exists.
    void Attach(HWND input, HWND answer, HWND modeList);
    // A key-down message for the bar; true when the key was consumed.
    bool KeyHook(const MSG& msg);
    // A translated key on a line, on the mode list, and a prompt's word after Enter.
    void LineKey(CpavraEdit& line, KeyCommand command);
    void ModeListKey(KeyCommand command);
    void FinishPrompt(int kind);
    // The "man" and "manual" commands and the manual button.
    void ManualCommand(const std::string& name);

    CeqnPavraEdit inputLine;
    CansPavraEdit answerLine;
    KeyState keyState;
    BarPrompt prompt;

private:
    void PromptKey(KeyCommand command);
    void CycleFocus(HWND from);
    void Enter();
    void History(CpavraEdit& line, KeyCommand command, int start);
    void HistoryEnd(CpavraEdit& line, KeyCommand command);
    std::string PreviousBuffer() const;

    Bar& bar;
    const int& currentMode;
    const int& previousMode;
    HWND modeList = nullptr;
};
