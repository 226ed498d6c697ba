// A fresh folder under the temporary directory, removed with everything in it at the end.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string File(const char* name) const { return path_ + "\\" + name; }

    static bool Write(const std::string& file, const std::string& bytes);
    static std::string Read(const std::string& file);

private:
    std::string path_;
};
