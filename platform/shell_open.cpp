#include "platform/shell_open.h"

#include <shellapi.h>

bool ShellOpen(HWND owner, const std::string& target) {
    HINSTANCE result = ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
