#include "platform/shell_open.h"

#include <shellapi.h>
#include <wininet.h>

#include "platform/system_library.h"

namespace {

// Wine's shell (up to 8.16) copies the target behind the 52-character key path
// "Software\Microsoft\Windows\CurrentVersion\App Paths\" into a 1024-character stack buffer
// before it looks at the scheme: a longer target overwrites its stack and the program dies. Its
// command-line buffer of the same size cuts a target of some 985 characters silently.
const size_t kWineShellBuffer = 1024;
const size_t kWineAppPathsKey = 52;

bool RunsUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

size_t ShellOpenLimit() {
    // Windows' own limit for a URL is INTERNET_MAX_URL_LENGTH, its terminating NUL included.
    static const size_t limit =
        RunsUnderWine() ? kWineShellBuffer - kWineAppPathsKey - 1 : INTERNET_MAX_URL_LENGTH - 1;
    return limit;
}

size_t ShellTargetLength(const std::string& target) {
    if (target.empty())
        return 0;
    int length = MultiByteToWideChar(CP_ACP, 0, target.data(), static_cast<int>(target.size()), nullptr, 0);
    // Text the code page cannot convert is counted by its bytes, never less than it may take.
    return length > 0 ? static_cast<size_t>(length) : target.size();
}

bool ShellOpen(HWND owner, const std::string& target, int showCommand) {
    if (target.size() > 0x7FFFFFFF || ShellTargetLength(target) > ShellOpenLimit())
        return false;
    auto shellExecute = SystemFunction<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!shellExecute)
        return false;
    HINSTANCE result = shellExecute(owner, "open", target.c_str(), nullptr, nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
