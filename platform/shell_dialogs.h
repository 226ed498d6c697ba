// The desktop shell's folder picker and the common open-file dialog.
#pragma once

#include <windows.h>

#include <string>

// Shows the folder picker with the given BROWSEINFO flags; a non-empty initial folder is selected
// once the picker is up. True, with path, when the user picked a folder that has a file-system
// path.
bool BrowseForFolder(HWND owner, const char* title, UINT flags, const std::string& initial,
                     std::string& path);

// Shows the open-file dialog. filter is written as "label|pattern|...||"; flags are OPENFILENAME
// flags. True, with the chosen file's full path, when the user chose one.
bool ChooseFileToOpen(HWND owner, const std::string& initialFile, const char* filter,
                      const char* defaultExtension, DWORD flags, std::string& path);
