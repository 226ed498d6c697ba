#include "test_folder.h"

#include "paths.h"

#include <windows.h>

namespace e2e {

namespace {

std::string SafeName(const std::string& name) {
    std::string safe;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '.' || c == '-' || c == '_';
        safe += plain ? c : '_';
    }
    return safe.empty() ? std::string("test") : safe;
}

std::string Parent(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileA(path.c_str()) != 0;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(path, "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                RemoveTree(JoinPath(path, name));
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != 0;
}

TestFolder::TestFolder(const std::string& name) : path_(JoinPath(WorkRoot(), SafeName(name))) {
    RemoveTree(path_);
    valid_ = MakeFolders(path_);
}

TestFolder::~TestFolder() {
    if (!keep_)
        RemoveTree(path_);
}

std::string TestFolder::File(const std::string& relative) const {
    std::string path = JoinPath(path_, relative);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool TestFolder::Write(const std::string& relative, const std::string& bytes) const {
    const std::string path = File(relative);
    return MakeFolders(Parent(path)) && WriteFileBytes(path, bytes);
}

bool TestFolder::MakeFolder(const std::string& relative) const { return MakeFolders(File(relative)); }

bool TestFolder::CopyIn(const std::string& source, const std::string& relative) const {
    const std::string path = File(relative);
    return MakeFolders(Parent(path)) && CopyFileA(source.c_str(), path.c_str(), FALSE) != 0;
}

std::string TestFolder::Read(const std::string& relative, bool* exists) const {
    return ReadFileBytes(File(relative), exists);
}

bool TestFolder::Exists(const std::string& relative) const {
    return GetFileAttributesA(File(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace e2e
