#include "paths.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace e2e {

namespace {

std::string Environment(const char* name) {
    char value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

std::string DosPath(const std::string& unixPath) {
    if (unixPath.empty() || unixPath[0] != '/')
        return unixPath;
    std::string dos = "Z:" + unixPath;
    for (char& c : dos)
        if (c == '/')
            c = '\\';
    return dos;
}

std::string UnixPath(const std::string& dosPath) {
    if (dosPath.size() < 2 || (dosPath[0] != 'Z' && dosPath[0] != 'z') || dosPath[1] != ':')
        return dosPath;
    std::string unix = dosPath.substr(2);
    for (char& c : unix)
        if (c == '\\')
            c = '/';
    return unix.empty() ? "/" : unix;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty())
        return name;
    const char last = dir.back();
    return (last == '\\' || last == '/') ? dir + name : dir + "\\" + name;
}

// The build passes these as Unix paths; the environment may point elsewhere (the benchmark).
std::string WorkRoot() {
    const std::string fromEnvironment = Environment("PAVRA_E2E_WORK");
    return DosPath(fromEnvironment.empty() ? PAVRA_E2E_WORK : fromEnvironment);
}

std::string ScreenshotFolder() { return DosPath(PAVRA_E2E_SCREENSHOTS); }

std::string PavraExe() { return DosPath(PAVRA_E2E_EXE); }

std::string ReadFileBytes(const std::string& path, bool* exists) {
    std::ifstream in(path, std::ios::binary);
    if (exists)
        *exists = static_cast<bool>(in);
    if (!in)
        return std::string();
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool MakeFolders(const std::string& path) {
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos && slash > 2 && !MakeFolders(path.substr(0, slash)))
        return false;
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace e2e
