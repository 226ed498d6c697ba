// Paths between the two sides of Wine: the build tree knows Unix paths, Windows calls need DOS ones.
#pragma once

#include <string>

namespace e2e {

// "/work/build-win/x" -> "Z:\work\build-win\x" (Wine maps the Unix root to drive Z:).
std::string DosPath(const std::string& unixPath);
// The reverse, for paths handed to Unix programs (screenshots, the xdg-open log).
std::string UnixPath(const std::string& dosPath);
// dir + "\" + name, without doubling the separator.
std::string JoinPath(const std::string& dir, const std::string& name);

// The folder every test's throwaway folder is made in (build tree).
std::string WorkRoot();
// The folder screenshots are saved in (build tree).
std::string ScreenshotFolder();
// pavra.exe as built.
std::string PavraExe();

// Whole file as bytes; empty when it cannot be read (exists tells the two apart).
std::string ReadFileBytes(const std::string& path, bool* exists = nullptr);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Creates the folder and every missing parent.
bool MakeFolders(const std::string& path);

}  // namespace e2e
