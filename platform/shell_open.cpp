#include "platform/shell_open.h"

#include <shellapi.h>

namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// The shell library is big; it is loaded the first time something is opened, not at start.
ShellExecuteFunction ShellExecuteEntry() {
    static ShellExecuteFunction entry = [] {
        HMODULE shell = LoadLibraryA("shell32.dll");
        return shell ? reinterpret_cast<ShellExecuteFunction>(
                           reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")))
                     : nullptr;
    }();
    return entry;
}

}  // namespace

bool ShellOpen(HWND owner, const std::string& target, int showCommand) {
    ShellExecuteFunction shellExecute = ShellExecuteEntry();
    if (!shellExecute)
        return false;
    HINSTANCE result = shellExecute(owner, "open", target.c_str(), nullptr, nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
