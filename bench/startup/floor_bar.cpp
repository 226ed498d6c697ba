// The second floor of the start-up benchmark: the floor's few lines, but showing the bar's own
// window (its template with all its controls, and the title strip's bitmaps), with the common
// controls loaded, a tooltip over the same controls and the window made layered, as pavra.exe
// does. What pavra.exe takes beyond this is its own work: settings, modes, layout and placement.
#include <windows.h>

#include "floor_commands.h"
#include "platform/common_controls.h"
#include "platform/tooltip.h"
#include "resources/resource.h"

namespace {

const int kTooltipControls[] = {IDC_INPUT,   IDC_ANSWER,   IDC_MD0,      IDC_MD1,
                                IDC_BUTTON0, IDC_BUTTON1,  IDC_BUTTON2,  IDC_SETTINGS_TOGGLE,
                                IDC_TOPMOST, IDC_TOPPOS,   IDC_TASKTRAY, IDC_MODE_LIST,
                                IDC_PIN,     IDC_MINIMIZE, IDC_CLOSE};

// The tooltip as the bar makes it: not owned, every control a tool asking for its text.
void AddTooltips(HWND dialog) {
    HWND tooltip = CreateTooltip(nullptr);
    for (int id : kTooltipControls)
        AddTooltipTool(tooltip, dialog, GetDlgItem(dialog, id));
}

// The title strip's bitmaps, as the bar shows them.
void ShowBitmaps(HWND dialog) {
    const struct {
        int control, bitmap;
        UINT message;
    } images[] = {{IDC_CLOSE, IDB_CLOSE, BM_SETIMAGE},
                  {IDC_MINIMIZE, IDB_MINIMIZE, BM_SETIMAGE},
                  {IDC_TITLE_ICON, IDB_TITLE_ICON, STM_SETIMAGE},
                  {IDC_SETTINGS_TOGGLE, IDB_DOWN, BM_SETIMAGE},
                  {IDC_PIN, IDB_PIN_SIDE, BM_SETIMAGE}};
    for (const auto& image : images) {
        HANDLE bitmap = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(image.bitmap), IMAGE_BITMAP, 0,
                                   0, image.bitmap == IDB_TITLE_ICON ? 0 : LR_LOADMAP3DCOLORS);
        SendMessageA(GetDlgItem(dialog, image.control), image.message, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(bitmap));
    }
}

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetWindowTextA(dialog, "FloorBar");
        ShowBitmaps(dialog);
        SetWindowLongPtrA(dialog, GWL_EXSTYLE, GetWindowLongPtrA(dialog, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(dialog, 0, 255, LWA_ALPHA);
        AddTooltips(dialog);
        return TRUE;
    }
    return FloorCommand(dialog, message, wParam, IDC_INPUT, IDC_ANSWER) ? TRUE : FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitAllCommonControls();
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PAVRA), nullptr, FloorProc, 0));
}
