#include "platform/profile.h"

#include <windows.h>

#include <cstdio>

namespace {
std::string& File() {
    static std::string file;
    return file;
}
}  // namespace

void SetProfileFile(const std::string& path) { File() = path; }
const std::string& ProfileFile() { return File(); }

int ProfileReadInt(const char* section, const char* key, int def) {
    if (File().empty() || !section || !key)
        return def;
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, File().c_str()));
}

std::string ProfileReadString(const char* section, const char* key, const char* def) {
    const char* fallback = def ? def : "";
    if (File().empty() || !section || !key)
        return std::string(fallback).substr(0, 4095);
    char buffer[4096];
    DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, File().c_str());
    return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

bool ProfileWriteInt(const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return ProfileWriteString(section, key, text);
}

bool ProfileWriteString(const char* section, const char* key, const char* value) {
    if (File().empty() || !section || !key)
        return false;
    return WritePrivateProfileStringA(section, key, value ? value : "", File().c_str()) != FALSE;
}
