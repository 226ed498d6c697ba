// The bar's home-made title strip: its text and colour, the dragging between the icon and the
// title buttons, and the bitmaps of the title buttons and the settings toggle.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "shell/bar_settings.h"

class CDialog;

class BarTitleStrip {
public:
    BarTitleStrip(const CDialog& owner, const BarSettings& barSettings);

    // The strip's text and background: the settings' title colour on the dialog's text colour,
    // or the system's caption colours while high contrast is on.
    struct Colours {
        COLORREF text;
        COLORREF background;
    };
    static Colours StripColours(bool highContrast, COLORREF title);

    // " Pavra" and the spaces that carry the title colour across a strip of clientWidth pixels.
    static std::string TitleText(int clientWidth, UINT dpi = 96);

    // Again whenever the bar's DPI or the system's colours change; settingsOpen chooses the
    // toggle's arrow.
    void LoadBitmaps(UINT dpi, bool settingsOpen);
    void ShowBitmap(int controlId, int bitmapId);
    // The title's and the answer line's colours (WM_CTLCOLORSTATIC): a brush, or 0 for the default.
    INT_PTR OnControlColour(HDC dc, HWND control);
    // WM_NCHITTEST: the strip drags the bar.
    LRESULT HitTest(LPARAM lParam);
    // The pushed look of a title button for a moment, as it acts.
    void ShowPressed(int id);

private:
    static const int kBitmapCount = 7;

    const CDialog& bar;
    const BarSettings& settings;
    CBitmap bitmaps[kBitmapCount];
    CBrush titleBrush;
    Colours colours = {};
};
