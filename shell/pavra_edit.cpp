#include "shell/pavra_edit.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

CpavraEdit::~CpavraEdit() = default;

// The line is made a Unicode window before anything subclasses it: behind an ANSI subclass (a
// tooltip's, say) Wine hands an ANSI edit control a typed double-byte character as two bytes,
// and it takes each byte for a character of its own.
void CpavraEdit::Attach(HWND edit) {
    hwnd_ = edit;
    if (edit && !IsWindowUnicode(edit))
        SetWindowLongPtrW(edit, GWLP_WNDPROC, GetWindowLongPtrW(edit, GWLP_WNDPROC));
}

std::string CpavraEdit::Text() const {
    int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    length = GetWindowTextA(hwnd_, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

// An ANSI edit control on a double-byte system counts bytes; one that keeps UTF-16 text (Wine's)
// counts characters. Its own length tells which, when the line holds a double-byte character.
LinePositions CpavraEdit::Positions() const {
    int wideLength = GetWindowTextLengthW(hwnd_);
    std::wstring wide(static_cast<size_t>(std::max(wideLength, 0)) + 1, L'\0');
    wideLength = std::max(GetWindowTextW(hwnd_, &wide[0], wideLength + 1), 0);
    int controlLength = static_cast<int>(SendMessageA(hwnd_, EM_LINELENGTH, 0, 0));
    if (controlLength != wideLength)
        return LinePositions::FromCp932(Text(), true);
    std::vector<int> charBytes;
    charBytes.reserve(static_cast<size_t>(wideLength));
    for (int i = 0; i < wideLength; ++i) {
        char bytes[8];
        int count = WideCharToMultiByte(CP_ACP, 0, &wide[static_cast<size_t>(i)], 1, bytes, sizeof bytes,
                                        nullptr, nullptr);
        charBytes.push_back(count > 0 ? count : 1);
    }
    return LinePositions(std::move(charBytes), false);
}

int CpavraEdit::Length() const { return Positions().Length(); }

void CpavraEdit::GetSel(int& start, int& end) const {
    DWORD first = 0;
    DWORD last = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    LinePositions positions = Positions();
    start = positions.FromControl(static_cast<int>(first));
    end = positions.FromControl(static_cast<int>(last));
}

int CpavraEdit::SelectionEnd() const {
    int start;
    int end;
    GetSel(start, end);
    return end;
}

void CpavraEdit::Select(int anchor, int active) {
    LinePositions positions = Positions();
    SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(positions.ToControl(anchor)),
                 static_cast<LPARAM>(positions.ToControl(active)));
    SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);
}

void CpavraEdit::SetReadOnly(bool readOnly) {
    SendMessageA(hwnd_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void CpavraEdit::CopyToClipboard() { SendMessageA(hwnd_, WM_COPY, 0, 0); }

void CpavraEdit::RunCommand(KeyCommand command, int start, int end) {
    switch (command) {
    case KeyCommand::LineStart: LineStart(); break;
    case KeyCommand::LineEnd: LineEnd(Length()); break;
    case KeyCommand::CharForward: CharForward(start, end); break;
    case KeyCommand::CharBackward: CharBackward(start, end); break;
    case KeyCommand::Cancel:
        CaretTo(std::max(start, promptLength));
        mark = -1;
        break;
    case KeyCommand::SetMark: SetMark(start, end); break;
    case KeyCommand::KillToEnd: KillToEnd(start); break;
    case KeyCommand::KillSelection: KillSelection(start); break;
    case KeyCommand::Paste: Paste(start, end); break;
    case KeyCommand::DeleteForward: DeleteForward(start, end); break;
    case KeyCommand::Undo: SendMessageA(hwnd_, EM_UNDO, 0, 0); break;
    case KeyCommand::CopySelection: CopyToClipboard(); break;
    default: break;
    }
}

// "mark < promptLength" covers both no mark (-1) and a mark left inside the prompt.
void CpavraEdit::LineStart() {
    if (mark < promptLength)
        CaretTo(promptLength);
    else
        Select(promptLength, mark);
}

void CpavraEdit::LineEnd(int length) {
    if (mark < promptLength)
        CaretTo(length);
    else
        Select(mark, length);
}

// Select() drops a position inside a double-byte character back to its first byte, so a step
// forward that lands there is retried one byte further and a step forward of the start uses
// the next character boundary; the steps backward fall onto the boundary by themselves.
void CpavraEdit::CharForward(int start, int end) {
    if (mark == start) {
        Select(start, end + 1);
        if (SelectionEnd() != end + 1)
            Select(start, end + 2);
    } else if (mark == end) {
        Select(Positions().NextChar(start), end);
    } else {
        mark = -1;
        CaretTo(end + 1);
        if (SelectionEnd() != end + 1)
            CaretTo(end + 2);
    }
}

void CpavraEdit::CharBackward(int start, int end) {
    int back = std::max(start - 1, promptLength);
    if (mark == start) {
        Select(start, std::max(end - 1, promptLength));
    } else if (mark == end) {
        Select(back, end);
    } else {
        mark = -1;
        CaretTo(back);
    }
}

void CpavraEdit::SetMark(int start, int end) {
    int point = mark == start ? end : start;
    mark = point;
    CaretTo(point);
}

void CpavraEdit::CutToEnd(int start) {
    Select(start, Length());
    SendMessageA(hwnd_, WM_CUT, 0, 0);
    mark = -1;
}

void CpavraEdit::CutSelection() {
    SendMessageA(hwnd_, WM_CUT, 0, 0);
    mark = -1;
}

// The paste goes in at the point; the mark keeps its value.
void CpavraEdit::PasteAtPoint(int start, int end) {
    if (mark == start) {
        CaretTo(end);
    } else if (mark == end) {
        CaretTo(start);
    } else {
        mark = -1;
    }
    SendMessageA(hwnd_, WM_PASTE, 0, 0);
}

// Deletes the character at the point, a double-byte character whole. A mark after the point
// moves back by what was deleted, so the region still ends at the same character.
void CpavraEdit::DeleteCharAtPoint(int start, int end) {
    if (mark == start) {
        Select(end, Positions().NextChar(end));
        SendMessageA(hwnd_, WM_CLEAR, 0, 0);
        Select(start, end);
    } else if (mark == end) {
        int before = Length();
        Select(start, Positions().NextChar(start));
        SendMessageA(hwnd_, WM_CLEAR, 0, 0);
        mark -= before - Length();
        Select(start, mark);
    } else {
        Select(start, Positions().NextChar(start));
        SendMessageA(hwnd_, WM_CLEAR, 0, 0);
        mark = -1;
    }
}

void CeqnPavraEdit::KillToEnd(int start) { CutToEnd(start); }
void CeqnPavraEdit::KillSelection(int) { CutSelection(); }
void CeqnPavraEdit::Paste(int start, int end) { PasteAtPoint(start, end); }
void CeqnPavraEdit::DeleteForward(int start, int end) { DeleteCharAtPoint(start, end); }

CansPavraEdit::~CansPavraEdit() {
    if (hwnd())
        RemoveWindowSubclass(hwnd(), SubclassProc, 0);
}

void CansPavraEdit::Attach(HWND edit) {
    CpavraEdit::Attach(edit);
    SetWindowSubclass(edit, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// Without a prompt the answer line is read-only: the kills copy and leave the text.
void CansPavraEdit::KillToEnd(int start) {
    if (promptLength != 0) {
        CutToEnd(start);
        return;
    }
    Select(start, Length());
    CopyToClipboard();
    CaretTo(start);
    mark = -1;
}

void CansPavraEdit::KillSelection(int start) {
    if (promptLength != 0) {
        CutSelection();
        return;
    }
    CopyToClipboard();
    CaretTo(start);
    mark = -1;
}

void CansPavraEdit::Paste(int start, int end) {
    if (promptLength != 0)
        PasteAtPoint(start, end);
}

void CansPavraEdit::DeleteForward(int start, int end) {
    if (promptLength != 0)
        DeleteCharAtPoint(start, end);
}

LRESULT CALLBACK CansPavraEdit::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
    auto* line = reinterpret_cast<CansPavraEdit*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassProc, 0);
        line->Detach();
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return line->HandleMessage(message, wParam, lParam);
}

LRESULT CansPavraEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND edit = hwnd();
    if (message == WM_CHAR && wParam == VK_BACK && promptLength > 0) {
        // Backspace at the start of the typed text would eat into the prompt.
        int start;
        int end;
        GetSel(start, end);
        if (end <= promptLength)
            return 0;
    }
    LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_LBUTTONUP)
        KeepSelectionOffPrompt(true);
    else if (message == WM_KEYDOWN && promptLength > 0)
        KeepSelectionOffPrompt(false);
    return result;
}

// A click (or an unbound key such as Ctrl+Home) cannot leave the caret inside the prompt.
// After a click the selection is always set again, lower end as the anchor.
void CansPavraEdit::KeepSelectionOffPrompt(bool always) {
    int start;
    int end;
    GetSel(start, end);
    if (always || start < promptLength)
        Select(std::max(start, promptLength), std::max(end, promptLength));
}
