// The output view as code and its user reach it: the edit-box messages it answers, wrapping at its
// width, the last line shown after text is added, and copying what is selected.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/cp932.h"
#include "platform/output_view.h"

namespace {

class OutputViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterOutputView());
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        view = CreateWindowExA(WS_EX_CLIENTEDGE, kOutputViewClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0,
                               0, 300, 180, parent, nullptr, nullptr, nullptr);
        ASSERT_NE(view, nullptr);
        SendMessageA(view, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    }
    void TearDown() override { DestroyWindow(parent); }

    std::string Text() const {
        std::string text(static_cast<size_t>(GetWindowTextLengthA(view)) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(view, &text[0], static_cast<int>(text.size()))));
        return text;
    }
    LRESULT Lines() const { return SendMessageA(view, EM_GETLINECOUNT, 0, 0); }
    void Append(const std::string& text) const {
        SendMessageA(view, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        SendMessageA(view, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // The clipboard's data in format, as it comes (a text with its NUL).
    std::string Clipboard(UINT format = CF_TEXT) const {
        std::string data;
        if (!OpenClipboard(view))
            return "(no clipboard)";
        if (HANDLE memory = GetClipboardData(format)) {
            data.assign(static_cast<const char*>(GlobalLock(memory)), GlobalSize(memory));
            GlobalUnlock(memory);
        }
        CloseClipboard();
        return format == CF_TEXT ? data.c_str() : data;
    }
    // How many pixels of the client area the view paints in other colours than its background.
    int InkPixels() const {
        RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT client;
        GetClientRect(view, &client);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom;  // top down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC screen = GetDC(view), memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ before = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        const auto* pixels = static_cast<const DWORD*>(bits);
        const size_t count = static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom);
        int ink = 0;
        for (size_t i = 0; i < count; ++i)
            ink += pixels[i] != pixels[count - 1];  // the bottom right corner is background
        SelectObject(memory, before);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(view, screen);
        return ink;
    }
    void PressWithControl(WPARAM key) const {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        BYTE before = keys[VK_CONTROL];
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(view, WM_KEYDOWN, key, 0);
        keys[VK_CONTROL] = before;
        SetKeyboardState(keys);
    }

    HWND parent = nullptr;
    HWND view = nullptr;
};

TEST_F(OutputViewTest, TextInAndOutWholeAndNeverHalfACharacter) {
    const std::string text = "C:\\>dir\r\n 日本語のファイル名.txt\r\n";
    SetWindowTextA(view, text.c_str());
    EXPECT_EQ(Text(), text);
    EXPECT_EQ(GetWindowTextLengthA(view), static_cast<int>(text.size()));
    EXPECT_EQ(Lines(), 3);
    // A buffer that ends inside a double-byte character gets the text up to the one before it.
    const size_t inside = text.find("本") + 1;
    std::string buffer(inside + 1, 'x');
    LRESULT got = SendMessageA(view, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]));
    EXPECT_EQ(got, static_cast<LRESULT>(inside - 1));
    EXPECT_EQ(std::string(buffer.c_str()), text.substr(0, inside - 1));
    SetWindowTextA(view, "");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Lines(), 1);
}

// Text added in pieces, cut anywhere between characters, reads and lays out as the same text given
// whole; after each addition the last line can be scrolled to.
TEST_F(OutputViewTest, AddedInPiecesIsTheWholeTextWithTheLastLineShown) {
    std::string whole;
    for (int i = 0; i < 300; ++i)
        whole += std::to_string(i) + " 行目の出力 output line with a few words to wrap\r\n";
    for (size_t at = 0; at < whole.size();) {
        size_t piece = std::min<size_t>(whole.size() - at, 97);
        while (at + piece < whole.size() &&
               IsCp932LeadByte(static_cast<unsigned char>(whole[at + piece - 1])) && piece > 1)
            --piece;
        Append(whole.substr(at, piece));
        at += piece;
        SendMessageA(view, EM_LINESCROLL, 0, Lines());
    }
    EXPECT_EQ(Text(), whole);
    const LRESULT lines = Lines();
    EXPECT_GT(lines, 300);  // lines wrap at the width
    RECT client;
    GetClientRect(view, &client);
    LRESULT first = SendMessageA(view, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 0);
    EXPECT_LT(first, lines);
    // The scroll bar catches up with the added output soon after.
    SCROLLINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    auto barCaughtUp = [&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        GetScrollInfo(view, SB_VERT, &bar);
        return bar.nPos == first && bar.nMax == lines - 1;
    };
    for (DWORD start = GetTickCount(); !barCaughtUp() && GetTickCount() - start < 2000;)
        Sleep(5);
    EXPECT_EQ(bar.nPos, first);
    EXPECT_EQ(bar.nMax, lines - 1);
    SetWindowTextA(view, whole.c_str());
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(SendMessageA(view, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    // Wider, fewer lines; as wide as the longest line, one line per line of text.
    MoveWindow(view, 0, 0, 3000, 180, TRUE);
    EXPECT_EQ(Lines(), 301);
    MoveWindow(view, 0, 0, 150, 180, TRUE);
    EXPECT_GT(Lines(), lines);
}

TEST_F(OutputViewTest, SelectionIsCopiedByteForByte) {
    const std::string text = "一行目 first\r\nsecond 二行目\r\n";
    SetWindowTextA(view, text.c_str());
    PressWithControl('A');
    DWORD start = 1, end = 0;
    SendMessageA(view, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, text.size());
    PressWithControl('C');
    EXPECT_EQ(Clipboard(), text);

    SendMessageA(view, EM_SETSEL, 7, 18);
    PressWithControl(VK_INSERT);
    EXPECT_EQ(Clipboard(), text.substr(7, 11));
    // An end inside a double-byte character stops before it.
    SendMessageA(view, EM_SETSEL, 0, 3);
    SendMessageA(view, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 2u);
}

// A lead byte with no trail byte after it stands alone: the line it ends is painted whole, as
// the same line without it is, and the byte stays in the text.
TEST_F(OutputViewTest, LineEndingInALoneLeadByteIsPainted) {
    struct Case {
        std::string text;
        std::string without;
    } cases[] = {
        {"abc\x82\r\n", "abc\r\n"},
        {"abc\x82", "abc"},
        {"abc\x82\r\ndef\r\n", "abc\r\ndef\r\n"},
        {"日本\x82\ndef", "日本\ndef"},
    };
    for (const Case& c : cases) {
        SetWindowTextA(view, c.without.c_str());
        const int expected = InkPixels();
        SetWindowTextA(view, c.text.c_str());
        EXPECT_EQ(Text(), c.text);
        EXPECT_GT(expected, 0);
        EXPECT_GE(InkPixels(), expected) << c.without;
    }
}

// A paste decodes the Unicode text, whatever the keyboard layout's code page: it is the code page
// 932 text decoded, with the Japanese locale beside it.
TEST_F(OutputViewTest, CopyPutsTheTextInUnicodeToo) {
    const std::string text = "日本語の出力 ｶﾅ output\r\n";
    SetWindowTextA(view, text.c_str());
    HKL layout = GetKeyboardLayout(0);
    // Where the system can, an English layout is active while the text is copied.
    ActivateKeyboardLayout(LoadKeyboardLayoutA("00000409", 0), 0);
    PressWithControl('A');
    PressWithControl('C');
    ActivateKeyboardLayout(layout, 0);
    EXPECT_EQ(Clipboard(CF_TEXT), text);
    std::wstring decoded(text.size(), L'\0');
    decoded.resize(static_cast<size_t>(MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()),
                                                           &decoded[0], static_cast<int>(decoded.size()))));
    const std::string unicode = Clipboard(CF_UNICODETEXT);
    std::wstring pasted(reinterpret_cast<const wchar_t*>(unicode.data()), unicode.size() / sizeof(wchar_t));
    EXPECT_EQ(std::wstring(pasted.c_str()), decoded);  // up to its NUL
    const std::string locale = Clipboard(CF_LOCALE);
    ASSERT_GE(locale.size(), sizeof(LCID));
    EXPECT_EQ(*reinterpret_cast<const LCID*>(locale.data()), 0x0411u);
}

}  // namespace
