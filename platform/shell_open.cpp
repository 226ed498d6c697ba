#include "platform/shell_open.h"

#include <shellapi.h>

#include "platform/system_library.h"

bool ShellOpen(HWND owner, const std::string& target, int showCommand) {
    auto shellExecute = SystemFunction<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!shellExecute)
        return false;
    HINSTANCE result = shellExecute(owner, "open", target.c_str(), nullptr, nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
