#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

#include "shell/pavra_edit.h"

namespace {

// A real edit control, as the bar has it: ANSI, single line, auto-scrolling.
class EditWindow {
public:
    explicit EditWindow(bool readOnly = false) {
        hwnd = CreateWindowExA(0, "EDIT", "",
                               WS_POPUP | WS_BORDER | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0), 0, 0,
                               300, 24, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~EditWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

bool SetClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    return true;
}

std::string Clipboard() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return "<no clipboard>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// One key as the key hook runs it: the selection is read just before the command.
void Press(CpavraEdit& line, KeyCommand command) {
    int start;
    int end;
    line.GetSel(start, end);
    line.RunCommand(command, start, end);
}

std::pair<int, int> Sel(const CpavraEdit& line) {
    int start;
    int end;
    line.GetSel(start, end);
    return {start, end};
}

void SetLine(CpavraEdit& line, const std::string& text, int anchor, int active, int mark) {
    SetWindowTextA(line.hwnd(), text.c_str());
    line.Select(anchor, active);
    line.mark = mark;
}

using P = std::pair<int, int>;

// "a日本b": a 0, 日 1-2, 本 3-4, b 5, length 6.
const std::string kMixed = "a日本b";

TEST(LineEditor, PositionsAreCp932Bytes) {
    EditWindow window;
    CeqnPavraEdit line;
    line.Attach(window.hwnd);
    SetLine(line, kMixed, 3, 5, -1);
    EXPECT_EQ(Sel(line), P(3, 5));
    EXPECT_EQ(line.Length(), 6);
    line.CaretTo(2);  // inside 日: back to its first byte
    EXPECT_EQ(Sel(line), P(1, 1));
}

TEST(LineEditor, CharacterStepsOverJapanese) {
    EditWindow window;
    CeqnPavraEdit line;
    line.Attach(window.hwnd);
    struct Case {
        KeyCommand command;
        int start, end, mark;
        P selection;
        int markAfter;
    } cases[] = {
        {KeyCommand::CharForward, 0, 0, -1, {1, 1}, -1},  {KeyCommand::CharForward, 1, 1, -1, {3, 3}, -1},
        {KeyCommand::CharForward, 3, 3, -1, {5, 5}, -1},  {KeyCommand::CharForward, 6, 6, -1, {6, 6}, -1},
        {KeyCommand::CharForward, 1, 3, 1, {1, 5}, 1},   // growing the region to the right
        {KeyCommand::CharForward, 1, 5, 5, {3, 5}, 5},   // shrinking it from the left
        {KeyCommand::CharForward, 1, 1, 7, {3, 3}, -1},  // a mark elsewhere is dropped
        {KeyCommand::CharBackward, 5, 5, -1, {3, 3}, -1}, {KeyCommand::CharBackward, 3, 3, -1, {1, 1}, -1},
        {KeyCommand::CharBackward, 0, 0, -1, {0, 0}, -1}, {KeyCommand::CharBackward, 1, 5, 1, {1, 3}, 1},
        {KeyCommand::CharBackward, 3, 5, 5, {1, 5}, 5},   {KeyCommand::LineStart, 3, 3, -1, {0, 0}, -1},
        {KeyCommand::LineStart, 5, 5, 3, {0, 3}, 3},      {KeyCommand::LineEnd, 1, 1, -1, {6, 6}, -1},
        {KeyCommand::LineEnd, 1, 3, 3, {3, 6}, 3},        {KeyCommand::SetMark, 3, 3, -1, {3, 3}, 3},
        {KeyCommand::SetMark, 1, 5, 1, {5, 5}, 5},        {KeyCommand::SetMark, 1, 5, 5, {1, 1}, 1},
        {KeyCommand::Cancel, 1, 5, 1, {1, 1}, -1},
    };
    for (const auto& c : cases) {
        SetLine(line, kMixed, c.start, c.end, c.mark);
        Press(line, c.command);
        EXPECT_EQ(Sel(line), c.selection)
            << static_cast<int>(c.command) << " from " << c.start << "," << c.end;
        EXPECT_EQ(line.mark, c.markAfter)
            << static_cast<int>(c.command) << " from " << c.start << "," << c.end;
        EXPECT_EQ(line.Text(), kMixed);
    }
}

TEST(LineEditor, DeleteForward) {
    EditWindow window;
    CeqnPavraEdit line;
    line.Attach(window.hwnd);
    struct Case {
        std::string text;
        int start, end, mark;
        std::string after;
        P selection;
        int markAfter;
    } cases[] = {
        {kMixed, 1, 1, -1, "a本b", {1, 1}, -1},
        {kMixed, 0, 0, -1, "日本b", {0, 0}, -1},
        {kMixed, 6, 6, -1, kMixed, {6, 6}, -1},
        {kMixed, 1, 5, -1, "a本b", {1, 1}, -1},  // a plain selection: only the character at its start
        {kMixed, 0, 1, 0, "a本b", {0, 1}, 0},    // mark before the point: the character after the region
        {kMixed, 1, 5, 5, "a本b", {1, 3}, 3},    // mark after the point: the region keeps its last character
        {"abcd", 1, 3, 3, "acd", {1, 2}, 2},
        {kMixed, 6, 6, 6, kMixed, {6, 6}, 6},  // nothing to delete: the mark stays
    };
    for (const auto& c : cases) {
        SetLine(line, c.text, c.start, c.end, c.mark);
        Press(line, KeyCommand::DeleteForward);
        EXPECT_EQ(line.Text(), c.after) << c.text << " " << c.start << "," << c.end << " mark " << c.mark;
        EXPECT_EQ(Sel(line), c.selection) << c.text << " " << c.start << "," << c.end;
        EXPECT_EQ(line.mark, c.markAfter) << c.text << " " << c.start << "," << c.end;
    }
}

LRESULT CALLBACK PassThrough(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A tooltip subclasses the line after the bar has attached it; a typed kanji must still arrive
// as one character, not as its two bytes taken one by one.
TEST(LineEditor, TypedJapaneseArrivesWholeBehindASubclass) {
    EditWindow window;
    CeqnPavraEdit line;
    line.Attach(window.hwnd);
    SetWindowSubclass(window.hwnd, PassThrough, 1, 0);
    SendMessageW(window.hwnd, WM_CHAR, 0x65E5, 0);  // 日
    SendMessageW(window.hwnd, WM_CHAR, L'a', 0);
    EXPECT_EQ(line.Text(), "日a");
    EXPECT_EQ(Sel(line), P(3, 3));
    RemoveWindowSubclass(window.hwnd, PassThrough, 1);
}

TEST(LineEditor, PasteGoesInAtThePoint) {
    EditWindow window;
    CeqnPavraEdit line;
    line.Attach(window.hwnd);
    // The paste goes in at the point, whichever end of the region that is; the mark stays.
    ASSERT_TRUE(SetClipboard("AB"));
    SetLine(line, "0123", 1, 3, 1);
    Press(line, KeyCommand::Paste);
    EXPECT_EQ(line.Text(), "012AB3");
    EXPECT_EQ(line.mark, 1);
    SetLine(line, "0123", 1, 3, 3);
    Press(line, KeyCommand::Paste);
    EXPECT_EQ(line.Text(), "0AB123");
    SetLine(line, "0123", 1, 3, -1);
    Press(line, KeyCommand::Paste);
    EXPECT_EQ(line.Text(), "0AB3");
}

TEST(LineEditor, ReadOnlyAnswerLineCopies) {
    EditWindow window(true);
    CansPavraEdit line;
    line.Attach(window.hwnd);
    ASSERT_TRUE(SetClipboard("clip"));
    SetLine(line, "答え日本", 2, 2, -1);
    Press(line, KeyCommand::KillToEnd);
    EXPECT_EQ(line.Text(), "答え日本");
    EXPECT_EQ(Clipboard(), "え日本");
    EXPECT_EQ(Sel(line), P(2, 2));

    SetLine(line, "答え日本", 0, 4, 0);
    Press(line, KeyCommand::KillSelection);
    EXPECT_EQ(line.Text(), "答え日本");
    EXPECT_EQ(Clipboard(), "答え");
    EXPECT_EQ(Sel(line), P(0, 0));
    EXPECT_EQ(line.mark, -1);

    SetLine(line, "答え日本", 2, 2, -1);
    Press(line, KeyCommand::Paste);
    Press(line, KeyCommand::DeleteForward);
    EXPECT_EQ(line.Text(), "答え日本");

    SetLine(line, "答え日本", 4, 8, -1);
    Press(line, KeyCommand::CopySelection);
    EXPECT_EQ(Clipboard(), "日本");
}

TEST(LineEditor, PromptIsOutOfReach) {
    EditWindow window;
    CansPavraEdit line;
    line.Attach(window.hwnd);
    line.promptLength = 5;
    struct Case {
        KeyCommand command;
        int start, end, mark;
        P selection;
    } cases[] = {
        {KeyCommand::LineStart, 7, 7, -1, {5, 5}},
        {KeyCommand::LineStart, 7, 7, 2, {5, 5}},  // a mark inside the prompt counts as none
        {KeyCommand::CharBackward, 5, 5, -1, {5, 5}},
        {KeyCommand::CharBackward, 5, 5, 5, {5, 5}},
        {KeyCommand::Cancel, 6, 6, -1, {6, 6}},
        {KeyCommand::LineEnd, 5, 5, 3, {7, 7}},
    };
    for (const auto& c : cases) {
        SetLine(line, "M-x: ab", c.start, c.end, c.mark);
        Press(line, c.command);
        EXPECT_EQ(Sel(line), c.selection) << static_cast<int>(c.command);
    }

    // Backspace at the start of the typed text leaves the prompt alone.
    SetLine(line, "M-x: ab", 5, 5, -1);
    SendMessageA(window.hwnd, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(line.Text(), "M-x: ab");
    SendMessageA(window.hwnd, WM_CHAR, 'c', 0);
    EXPECT_EQ(line.Text(), "M-x: cab");

    // A click at the left edge cannot put the caret into the prompt.
    SetLine(line, "M-x: ab", 7, 7, -1);
    SendMessageA(window.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    SendMessageA(window.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(1, 5));
    EXPECT_EQ(Sel(line), P(5, 5));

    // In the prompt the kills cut, as on the input line.
    SetLine(line, "M-x: ab", 5, 5, -1);
    Press(line, KeyCommand::KillToEnd);
    EXPECT_EQ(line.Text(), "M-x: ");
    EXPECT_EQ(Clipboard(), "ab");
}

}  // namespace
