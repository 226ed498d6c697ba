#include "platform/tooltip.h"

#include <cstring>

#include "platform/cp932.h"

HWND CreateTooltip(HWND owner) {
    HWND tooltip =
        CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tooltip)
        SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
    return tooltip;
}

bool AddTooltipTool(HWND tooltip, HWND owner, HWND control) {
    if (!tooltip || !control)
        return false;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    return SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

HWND TooltipRequestControl(const NMHDR* header) {
    if (!header || header->code != TTN_GETDISPINFOA)
        return nullptr;
    auto* info = reinterpret_cast<const NMTTDISPINFOA*>(header);
    if (!(info->uFlags & TTF_IDISHWND))
        return nullptr;
    return reinterpret_cast<HWND>(header->idFrom);
}

void SetTooltipText(NMHDR* header, const char* text) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->hinst = nullptr;
    info->lpszText = info->szText;
    info->szText[0] = '\0';
    if (!text)
        return;
    // Cut at a character boundary so that no lone lead byte ends the text.
    size_t length = 0;
    while (text[length]) {
        size_t step = Cp932CharBytes(text + length);
        if (length + step > sizeof info->szText - 1)
            break;
        length += step;
    }
    std::memcpy(info->szText, text, length);
    info->szText[length] = '\0';
}
