#include "unix_command.h"

#include "paths.h"
#include "wait.h"

#include <cstdio>

namespace e2e {

namespace {

// Wine's own way of starting a Unix program (winebrowser uses it): argv, wait for the end.
using UnixSpawn = NTSTATUS(CDECL*)(char* const argv[], int wait);

std::string XdgLogPath() {
    char value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableA("PAVRA_XDG_LOG", value, sizeof value);
    return length > 0 && length < sizeof value ? DosPath(std::string(value, length)) : std::string();
}

}  // namespace

bool RunUnixCommand(const std::vector<std::string>& argv) {
    const auto spawn = reinterpret_cast<UnixSpawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (!spawn || argv.empty())
        return false;
    std::vector<std::string> copies = argv;
    std::vector<char*> pointers;
    for (std::string& arg : copies)
        pointers.push_back(&arg[0]);
    pointers.push_back(nullptr);
    return spawn(pointers.data(), 1) == 0;
}

std::string SaveScreenshot(const std::string& name, const RECT* part) {
    const std::string folder = ScreenshotFolder();
    if (!MakeFolders(folder))
        return std::string();
    const std::string path = JoinPath(folder, name + ".png");
    DeleteFileA(path.c_str());
    std::vector<std::string> argv = {"import", "-window", "root"};
    if (part) {
        char geometry[64];
        std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", part->right - part->left,
                      part->bottom - part->top, part->left, part->top);
        argv.insert(argv.end(), {"-crop", geometry, "+repage"});
    }
    argv.push_back(UnixPath(path));
    if (!RunUnixCommand(argv))
        return std::string();
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ? path : std::string();
}

std::vector<std::string> RecordedUrls() {
    std::vector<std::string> urls;
    const std::string path = XdgLogPath();
    if (path.empty())
        return urls;
    const std::string text = ReadFileBytes(path);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        urls.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return urls;
}

bool ClearRecordedUrls() {
    const std::string path = XdgLogPath();
    return !path.empty() && WriteFileBytes(path, std::string());
}

bool WaitForRecordedUrls(size_t count, int ms) {
    return WaitUntil([&] { return RecordedUrls().size() >= count; }, ms);
}

std::string Utf8FromCp932(const std::string& cp932) {
    if (cp932.empty())
        return std::string();
    const int size = static_cast<int>(cp932.size());
    const int units = MultiByteToWideChar(932, 0, cp932.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), size, &wide[0], units);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

std::string PercentDecoded(const std::string& url) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::string decoded;
    for (size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size() && hex(url[i + 1]) >= 0 && hex(url[i + 2]) >= 0) {
            decoded += static_cast<char>(hex(url[i + 1]) * 16 + hex(url[i + 2]));
            i += 2;
        } else {
            decoded += url[i];
        }
    }
    return decoded;
}

}  // namespace e2e
