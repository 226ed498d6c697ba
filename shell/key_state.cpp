#include "shell/key_state.h"

#include <windows.h>

namespace {

const int kCommaKey = 188;   // VK_OEM_COMMA: the less-than sign with Shift
const int kPeriodKey = 190;  // VK_OEM_PERIOD: the greater-than sign with Shift

KeyCommand TranslateCtrl(int key) {
    switch (key) {
    case VK_SPACE: return KeyCommand::SetMark;
    case 'A': return KeyCommand::LineStart;
    case 'B': return KeyCommand::CharBackward;
    case 'D': return KeyCommand::DeleteForward;
    case 'E': return KeyCommand::LineEnd;
    case 'F': return KeyCommand::CharForward;
    case 'G': return KeyCommand::Cancel;
    case 'K': return KeyCommand::KillToEnd;
    case 'N': return KeyCommand::HistoryNext;
    case 'P': return KeyCommand::HistoryPrevious;
    case 'W': return KeyCommand::KillSelection;
    case 'X': return KeyCommand::PrefixCtrlX;
    case 'Y': return KeyCommand::Paste;
    default: return KeyCommand::None;
    }
}

KeyCommand TranslatePlain(int key) {
    switch (key) {
    case VK_TAB: return KeyCommand::Tab;
    case VK_RETURN: return KeyCommand::Enter;
    case VK_ESCAPE: return KeyCommand::PrefixEscape;
    case VK_END: return KeyCommand::LineEnd;
    case VK_HOME: return KeyCommand::LineStart;
    case VK_LEFT: return KeyCommand::CharBackward;
    case VK_UP: return KeyCommand::HistoryPrevious;
    case VK_RIGHT: return KeyCommand::CharForward;
    case VK_DOWN: return KeyCommand::HistoryNext;
    default: return KeyCommand::None;
    }
}

KeyCommand TranslateAfterCtrlX(int key, bool ctrl, bool shift) {
    if (ctrl) {
        if (key == VK_CONTROL)
            return KeyCommand::PrefixHold;
        return key == 'C' ? KeyCommand::Quit : KeyCommand::None;
    }
    if (shift)
        return key == VK_SHIFT ? KeyCommand::PrefixHold : KeyCommand::None;
    switch (key) {
    case 'B': return KeyCommand::SwitchToBuffer;
    case 'M': return KeyCommand::NextMode;
    case 'O': return KeyCommand::OtherWindow;
    case 'P': return KeyCommand::PinBar;
    case 'S': return KeyCommand::SettingsArea;
    case 'U': return KeyCommand::Undo;
    default: return KeyCommand::None;
    }
}

KeyCommand TranslateAfterEscape(int key, bool ctrl, bool shift) {
    if (ctrl)
        return key == VK_CONTROL ? KeyCommand::PrefixHold : KeyCommand::None;
    if (shift) {
        switch (key) {
        case VK_SHIFT: return KeyCommand::PrefixHold;
        case kCommaKey: return KeyCommand::HistoryFirst;
        case kPeriodKey: return KeyCommand::HistoryLast;
        default: return KeyCommand::None;
        }
    }
    switch (key) {
    case 'W': return KeyCommand::CopySelection;
    case 'X': return KeyCommand::ExtendedCommand;
    default: return KeyCommand::None;
    }
}

}  // namespace

KeyCommand KeyState::Translate(int key, bool ctrl, bool shift) {
    command = KeyCommand::None;
    if (prefix == 0)
        command = ctrl ? TranslateCtrl(key) : TranslatePlain(key);
    else
        command =
            prefix == 1 ? TranslateAfterCtrlX(key, ctrl, shift) : TranslateAfterEscape(key, ctrl, shift);
    if (command == KeyCommand::None && (key == VK_RETURN || key == VK_ESCAPE))
        command = KeyCommand::Ignore;
    return command;
}

void KeyState::Update(bool canOpenPrompt) {
    if (prompt == 0) {
        if (canOpenPrompt && command == KeyCommand::SwitchToBuffer)
            prompt = 1;
        else if (canOpenPrompt && command == KeyCommand::ExtendedCommand)
            prompt = 2;
    } else if (command == KeyCommand::Cancel || command == KeyCommand::Enter) {
        prompt = 0;
    }
    if (prefix == 0) {
        if (command == KeyCommand::PrefixCtrlX)
            prefix = 1;
        else if (command == KeyCommand::PrefixEscape)
            prefix = 2;
    } else if (command != KeyCommand::PrefixHold) {
        prefix = 0;
    }
}
