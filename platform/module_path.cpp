#include "platform/module_path.h"

#include <windows.h>

#include "platform/cp932.h"

std::optional<std::string> ModulePath() {
    char buffer[MAX_PATH];
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    // A full buffer means the path was cut off.
    if (length == 0 || length >= sizeof buffer || GetLastError() == ERROR_INSUFFICIENT_BUFFER)
        return std::nullopt;
    return std::string(buffer, length);
}

std::optional<PathParts> SplitPath(const std::string& path) {
    const size_t kLimit = 255;
    PathParts parts;
    size_t start = 0;
    // A colon is no trail byte: "X:" is always a drive.
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    size_t nameStart = start;
    size_t lastDot = std::string::npos;
    for (size_t i = start; i < path.size(); ++i) {
        char c = path[i];
        if (Cp932CharBytes(path.data(), path.size(), i) == 2) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/') {
            nameStart = i + 1;
            lastDot = std::string::npos;
        } else if (c == '.') {
            lastDot = i;
        }
    }
    parts.directory = path.substr(start, nameStart - start);
    size_t nameEnd = lastDot == std::string::npos ? path.size() : lastDot;
    parts.baseName = path.substr(nameStart, nameEnd - nameStart);
    parts.extension = path.substr(nameEnd);
    if (parts.directory.size() > kLimit || parts.baseName.size() > kLimit || parts.extension.size() > kLimit)
        return std::nullopt;
    return parts;
}
