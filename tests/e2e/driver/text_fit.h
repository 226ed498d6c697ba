// Whether the texts of another process's window are seen whole: for every visible static, button,
// check box, edit line and combo box, the text's extent in the control's own font plus the room
// the check box or the frame takes, against the control's client rectangle; and every such
// control inside its window's client area.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct TextCut {
    int id;
    std::string text;  // code page 932
    SIZE needed;
    SIZE room;
};

// A dialog template's font. Its handle in the program cannot be read from here; the driver makes
// the same font at the window's DPI, as the dialog manager does.
struct DialogFont {
    const char* face;
    int points;
    BYTE charset;
};
// The bar's and the About box's, and the one of the other windows.
constexpr DialogFont kBarFont = {"MS UI Gothic", 9, SHIFTJIS_CHARSET};
constexpr DialogFont kShellDlgFont = {"MS Shell Dlg", 8, DEFAULT_CHARSET};

// The DPI that window is drawn at.
UINT DpiOfWindow(HWND window);
// The cut controls among window's children (empty: everything fits), in font at dpi (0: the
// window's own DPI).
std::vector<TextCut> TextCuts(HWND window, const DialogFont& font, UINT dpi = 0);
// "id 1011 "…": needs 100x16, has 90x18" per cut, for a failure message.
std::string Describe(const std::vector<TextCut>& cuts);

}  // namespace e2e
