#include "shell/bar_title_strip.h"

#include <iterator>
#include <utility>

#include "platform/dialog.h"
#include "platform/dpi.h"
#include "platform/system_colours.h"
#include "resources/resource.h"
#include "shell/bar_bitmaps.h"

namespace {

// Loaded in this order; indices into BarTitleStrip::bitmaps.
const int kBitmapIds[] = {IDB_DOWN,       IDB_UP,       IDB_CLOSE,   IDB_MINIMIZE,
                          IDB_TITLE_ICON, IDB_PIN_DOWN, IDB_PIN_SIDE};

int BitmapSlot(int id) {
    for (size_t i = 0; i < std::size(kBitmapIds); ++i) {
        if (kBitmapIds[i] == id)
            return static_cast<int>(i);
    }
    return 0;
}

COLORREF TitleColour(const BarSettings& settings) {
    return RGB(settings[BarSettings::DialogTitleColorR], settings[BarSettings::DialogTitleColorG],
               settings[BarSettings::DialogTitleColorB]);
}

}  // namespace

BarTitleStrip::BarTitleStrip(const CDialog& owner, const BarSettings& barSettings)
    : bar(owner), settings(barSettings) {
    static_assert(std::size(kBitmapIds) == kBitmapCount, "one slot for each bitmap");
}

BarTitleStrip::Colours BarTitleStrip::StripColours(bool highContrast, COLORREF title) {
    return {PartColour(highContrast, GetSysColor(COLOR_WINDOWTEXT), COLOR_CAPTIONTEXT),
            PartColour(highContrast, title, COLOR_ACTIVECAPTION)};
}

// A space is 4 pixels wide at 96 DPI, and the figures grow with it.
std::string BarTitleStrip::TitleText(int clientWidth, UINT dpi) {
    int spaces = (clientWidth - ScaleForDpi(97, dpi)) / ScaleForDpi(4, dpi) + 10;
    return " Pavra" + std::string(spaces > 0 ? static_cast<size_t>(spaces) : 0, ' ');
}

// The controls take the new bitmaps before the old ones go.
void BarTitleStrip::LoadBitmaps(UINT dpi, bool settingsOpen) {
    colours = StripColours(HighContrastOn(), TitleColour(settings));
    COLORREF title = colours.background;
    titleBrush.Reset(CreateSolidBrush(title));
    CBitmap previous[kBitmapCount];
    for (int i = 0; i < kBitmapCount; ++i) {
        previous[i] = std::move(bitmaps[i]);
        bitmaps[i].Reset(LoadBarBitmap(kBitmapIds[i], dpi, title));
    }
    ShowBitmap(IDC_CLOSE, IDB_CLOSE);
    ShowBitmap(IDC_MINIMIZE, IDB_MINIMIZE);
    ShowBitmap(IDC_TITLE_ICON, IDB_TITLE_ICON);
    ShowBitmap(IDC_SETTINGS_TOGGLE, settingsOpen ? IDB_UP : IDB_DOWN);
    ShowBitmap(IDC_PIN, settings[BarSettings::DialogPinFixed] ? IDB_PIN_DOWN : IDB_PIN_SIDE);
}

// A bitmap that could not be loaded leaves the control without image.
void BarTitleStrip::ShowBitmap(int controlId, int bitmapId) {
    HWND control = bar.Item(controlId);
    HBITMAP bitmap = bitmaps[BitmapSlot(bitmapId)].Get();
    if (!control)
        return;
    UINT message = controlId == IDC_TITLE_ICON ? STM_SETIMAGE : BM_SETIMAGE;
    SendMessageA(control, message, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

INT_PTR BarTitleStrip::OnControlColour(HDC dc, HWND control) {
    if (control == bar.Item(IDC_TITLE)) {
        SetTextColor(dc, colours.text);
        SetBkColor(dc, colours.background);
        return reinterpret_cast<INT_PTR>(titleBrush.Get());
    }
    if (control == bar.Item(IDC_ANSWER)) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return 0;
}

LRESULT BarTitleStrip::HitTest(LPARAM lParam) {
    LRESULT hit = DefWindowProcA(bar.hwnd(), WM_NCHITTEST, 0, lParam);
    if (hit != HTCLIENT)
        return hit;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(bar.hwnd(), &point);
    RECT client;
    GetClientRect(bar.hwnd(), &client);
    // The title strip between the icon and the title buttons drags the bar.
    if (point.x >= bar.Scaled(16) && point.x < client.right - bar.Scaled(30) && point.y < bar.Scaled(12))
        return HTCAPTION;
    return HTCLIENT;
}

void BarTitleStrip::ShowPressed(int id) {
    HWND button = bar.Item(id);
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    UpdateWindow(button);
    Sleep(100);
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    UpdateWindow(button);
}
