#include "shell/bar_system_menu.h"

#include "resources/resource.h"

// The standard menu keeps move, size, minimise and close; the bar adds About and "終了(&E)".
void BuildBarSystemMenu(HWND bar) {
    // A window without the minimise-box style gets its minimise entry greyed whenever the platform
    // refreshes the menu; the bar has no caption to show the box, only its own button.
    SetWindowLongPtrA(bar, GWL_STYLE, GetWindowLongPtrA(bar, GWL_STYLE) | WS_MINIMIZEBOX);
    HMENU menu = GetSystemMenu(bar, FALSE);
    if (!menu)
        return;
    for (int position = 5; position >= 0; --position) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item))
            continue;
        if ((item.fType & MFT_SEPARATOR) || item.wID == SC_MAXIMIZE || item.wID == SC_RESTORE)
            DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }
    char about[256] = "";
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, about, sizeof(about)) > 0) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about);
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_QUIT, "終了(&E)");
}

void ShowBarSystemMenu(HWND bar, POINT client) {
    HMENU menu = GetSystemMenu(bar, FALSE);
    if (!menu)
        return;
    SetMenuDefaultItem(menu, IDM_QUIT, FALSE);
    EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED);
    ClientToScreen(bar, &client);
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                                    client.x, client.y, 0, bar, nullptr));
    if (command)
        PostMessageA(bar, WM_SYSCOMMAND, command, 0);
}
