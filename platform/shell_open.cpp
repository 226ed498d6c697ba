#include "platform/shell_open.h"

#include <shellapi.h>

bool ShellOpen(const std::string& target, HWND owner, int showCommand) {
    HINSTANCE result = ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
