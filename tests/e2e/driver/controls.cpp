#include "controls.h"

#include <algorithm>
#include <cstring>

namespace e2e {

namespace {

const UINT kMessageTimeoutMs = 5000;

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

// Entries are asked for in UTF-16: Wine hands the ANSI forms of these messages back unconverted
// when they cross processes.
std::string ItemText(HWND window, UINT lengthMessage, UINT textMessage, int index)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, lengthMessage, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &length) ||
        static_cast<LRESULT>(length) < 0)
        return std::string();
    std::wstring wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&wide[0]),
                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied) ||
        static_cast<LRESULT>(copied) < 0)
        return std::string();
    wide.resize(std::min<size_t>(copied, length));
    const int units = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(932, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(932, 0, wide.data(), units, &text[0], bytes, nullptr, nullptr);
    return text;
}

}  // namespace

std::string WindowText(HWND window)
{
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0)
        return std::string();
    std::string text(static_cast<size_t>(length) * 2 + 2, '\0');
    const LRESULT copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    if (copied < 0)
        return std::string();
    text.resize(strlen(text.c_str()));
    return text;
}

bool IsChecked(HWND button)
{
    return Ask(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(Ask(combo, CB_GETCURSEL, 0, 0));
}

std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    const LRESULT count = Ask(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

int ListBoxSelection(HWND list)
{
    return static_cast<int>(Ask(list, LB_GETCURSEL, 0, 0));
}

std::vector<std::string> ListBoxItems(HWND list)
{
    std::vector<std::string> items;
    const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        items.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return items;
}

RECT WindowRectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE ClientSizeOf(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ControlRectInParent(HWND control)
{
    RECT rect = WindowRectOf(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG_PTR StyleOf(HWND window)
{
    return GetWindowLongPtrA(window, GWL_STYLE);
}

LONG_PTR ExStyleOf(HWND window)
{
    return GetWindowLongPtrA(window, GWL_EXSTYLE);
}

}  // namespace e2e
