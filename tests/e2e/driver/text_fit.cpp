#include "text_fit.h"

#include <algorithm>

#include "controls.h"
#include "unix_command.h"

namespace e2e {

namespace {

int Scale(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), 96); }

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HFONT MakeFont(const DialogFont& font, UINT dpi) {
    LOGFONTA description = {};
    description.lfHeight = -MulDiv(font.points, static_cast<int>(dpi), 72);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = font.charset;
    lstrcpynA(description.lfFaceName, font.face, LF_FACESIZE);
    return CreateFontIndirectA(&description);
}

// The height a centred line needs: the strip's own when the ink of every character lies
// inside it, more by what reaches out.
int CentredInkHeight(HDC dc, const std::string& text, const TEXTMETRICA& metrics, int strip) {
    const int baseline = (strip - metrics.tmHeight) / 2 + metrics.tmAscent;
    int top = baseline, bottom = baseline;
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (size_t i = 0; i < text.size(); ++i) {
        UINT code = static_cast<unsigned char>(text[i]);
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(code)) && i + 1 < text.size())
            code = (code << 8) | static_cast<unsigned char>(text[++i]);
        GLYPHMETRICS glyph = {};
        if (GetGlyphOutlineA(dc, code, GGO_METRICS, &glyph, 0, nullptr, &identity) == GDI_ERROR ||
            glyph.gmBlackBoxY == 0 || code == ' ')
            continue;
        top = std::min(top, baseline - static_cast<int>(glyph.gmptGlyphOrigin.y));
        bottom = std::max(bottom, baseline - static_cast<int>(glyph.gmptGlyphOrigin.y) +
                                      static_cast<int>(glyph.gmBlackBoxY));
    }
    return strip + std::max(0, -top) + std::max(0, bottom - strip);
}

struct Measure {
    bool measured = false;
    SIZE needed = {};
};

// The text's extent, drawn the way the control draws it (word-wrapped or on one line).
SIZE TextExtent(HDC dc, const std::string& text, UINT format, int wrapWidth) {
    RECT rect = {0, 0, wrapWidth, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

Measure MeasureControl(HWND control, HDC dc, UINT dpi, SIZE client) {
    Measure m;
    const std::string kind = ClassOf(control);
    const LONG_PTR style = StyleOf(control);
    std::string text = WindowText(control);
    // Trailing spaces carry a colour (the title strip), they are no text to see.
    text.erase(text.find_last_not_of(' ') + 1);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int line = metrics.tmHeight;
    if (lstrcmpiA(kind.c_str(), "Button") == 0) {
        const LONG_PTR type = style & BS_TYPEMASK;
        if ((style & (BS_BITMAP | BS_ICON)) || text.empty() || type == BS_OWNERDRAW)
            return m;
        const UINT format = DT_SINGLELINE | ((style & BS_MULTILINE) ? DT_WORDBREAK : 0);
        SIZE extent = TextExtent(dc, text, format, client.cx);
        switch (type) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: {
            // The box and the gap of half a digit's width before the text.
            SIZE digit = {};
            GetTextExtentPoint32A(dc, "0", 1, &digit);
            const int box = Scale(13, dpi);
            m.needed = {extent.cx + box + digit.cx / 2, std::max<LONG>(extent.cy, box)};
            break;
        }
        case BS_GROUPBOX:
            // The caption sits on the frame, inset from both ends.
            m.needed = {extent.cx + Scale(16, dpi), extent.cy};
            break;
        default:
            // The push button's edges and focus rectangle.
            m.needed = {extent.cx + Scale(8, dpi), extent.cy + Scale(4, dpi)};
            break;
        }
        m.measured = true;
    } else if (lstrcmpiA(kind.c_str(), "Static") == 0) {
        const LONG_PTR type = style & SS_TYPEMASK;
        if (text.empty() || (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE &&
                             type != SS_LEFTNOWORDWRAP))
            return m;
        UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP || (style & SS_CENTERIMAGE))
            format |= DT_SINGLELINE;
        else
            format |= DT_WORDBREAK | DT_EXPANDTABS;
        m.needed = TextExtent(dc, text, format, client.cx);
        // A line centred in its strip shows its characters whole when their ink lies inside it;
        // the font's cell may be taller than the ink.
        if (style & SS_CENTERIMAGE)
            m.needed.cy = CentredInkHeight(dc, text, metrics, client.cy);
        m.measured = true;
    } else if (lstrcmpiA(kind.c_str(), "Edit") == 0) {
        // An edit line scrolls its text: one line of the font must fit its height.
        m.needed = {0, line};
        if (!(style & (ES_AUTOHSCROLL | ES_MULTILINE)))
            m.needed.cx = TextExtent(dc, text, DT_SINGLELINE | DT_NOPREFIX, 0).cx;
        m.measured = true;
    } else if (lstrcmpiA(kind.c_str(), "ComboBox") == 0) {
        // The selection shows in the field beside the drop-down button, inside the edges.
        SIZE extent = TextExtent(dc, text, DT_SINGLELINE | DT_NOPREFIX, 0);
        // The button is a scroll bar's width at the window's DPI; the edges are 2 pixels at any.
        const int edges = 2 * 2;
        m.needed = {extent.cx + Scale(16, dpi) + edges + Scale(2, dpi), line + edges};
        m.measured = true;
    }
    return m;
}

}  // namespace

UINT DpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    if (dpi)
        return dpi;
    HDC screen = GetDC(nullptr);
    dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : 96;
}

std::vector<TextCut> TextCuts(HWND window, const DialogFont& dialogFont, UINT dpi) {
    std::vector<TextCut> cuts;
    const SIZE area = ClientSizeOf(window);
    if (!dpi)
        dpi = DpiOfWindow(window);
    HDC dc = GetDC(nullptr);
    HFONT font = MakeFont(dialogFont, dpi);
    HGDIOBJ before = SelectObject(dc, font);
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control))
            continue;
        const int id = GetDlgCtrlID(control);
        const SIZE client = ClientSizeOf(control);
        const Measure m = MeasureControl(control, dc, dpi, client);
        if (!m.measured)
            continue;
        const std::string text = WindowText(control);
        if (m.needed.cx > client.cx || m.needed.cy > client.cy)
            cuts.push_back({id, text, m.needed, client});
        // A control that reaches past the window's client area is cut by the window's edge.
        const RECT place = ControlRectInParent(control);
        if (place.left < 0 || place.top < 0 || place.right > area.cx || place.bottom > area.cy)
            cuts.push_back({id, text + " (past the window's edge)", {place.right, place.bottom}, area});
    }
    SelectObject(dc, before);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return cuts;
}

std::string Describe(const std::vector<TextCut>& cuts) {
    std::string out;
    for (const TextCut& cut : cuts)
        out += "id " + std::to_string(cut.id) + " \"" + Utf8FromCp932(cut.text) + "\": needs " +
               std::to_string(cut.needed.cx) + "x" + std::to_string(cut.needed.cy) + ", has " +
               std::to_string(cut.room.cx) + "x" + std::to_string(cut.room.cy) + "\n";
    return out;
}

}  // namespace e2e
