#include "platform/list_view.h"

#include <commctrl.h>

bool ListViewAddColumn(HWND list, int column, const char* title, int width) {
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.pszText = const_cast<char*>(title);
    info.cx = width;
    info.iSubItem = column;
    return SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info)) == column;
}

bool ListViewAddRow(HWND list, int row, std::initializer_list<const char*> cells) {
    int column = 0;
    for (const char* text : cells) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text);
        if (column == 0) {
            if (SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != row)
                return false;
        } else if (!SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item))) {
            return false;
        }
        ++column;
    }
    return true;
}

bool ListViewUseReport(HWND list) {
    // A style change works with every version of the control, unlike LVM_SETVIEW.
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    SetWindowLongPtrA(list, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | LVS_REPORT);
    return (GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void ListViewSetColumnWidth(HWND list, int column, int width) {
    LVCOLUMNA info = {};
    info.mask = LVCF_WIDTH;
    if (SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)))
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

int ClientWidth(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect.right - rect.left;
}
