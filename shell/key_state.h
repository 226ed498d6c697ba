// The bar's key translation: Ctrl bindings, the two prefix keys (Ctrl+X and Escape) and the
// prompt state. Pure: the caller says which modifiers are held.
#pragma once

enum class KeyCommand {
    None = 0,
    LineStart,
    LineEnd,
    CharForward,
    CharBackward,
    Cancel,
    SetMark,
    KillToEnd,
    KillSelection,
    Paste,
    DeleteForward,
    Undo,
    CopySelection,
    HistoryPrevious,
    HistoryNext,
    HistoryFirst,
    HistoryLast,
    Enter,
    Tab,
    Quit,
    OtherWindow,
    NextMode,
    SwitchToBuffer,
    ExtendedCommand,
    // The pin and the settings area from the keyboard, as their buttons do.
    PinBar,
    SettingsArea,
    PrefixCtrlX,
    PrefixEscape,
    PrefixHold,
    // A Return or Escape the table leaves unbound (after a prefix, or with Ctrl): it would reach
    // the dialog as its OK or cancel key and end the program, so it only drops a pending prefix.
    Ignore,
};

struct KeyState {
    int prompt = 0;  // 0 none, 1 "Switch to buffer: ", 2 "M-x: "
    int prefix = 0;  // 0 none, 1 Ctrl+X, 2 Escape
    KeyCommand command = KeyCommand::None;

    // Sets command from the virtual-key code and the modifiers held; None when unbound.
    KeyCommand Translate(int virtualKey, bool ctrlHeld, bool shiftHeld);
    // The state change after a consumed key. canOpenPrompt is false when the key came from
    // the mode list, where the prompt keys open nothing.
    void Update(bool canOpenPrompt);
    void Clear() { *this = KeyState(); }
};
