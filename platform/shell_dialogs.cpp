#include "platform/shell_dialogs.h"

#include <commdlg.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "platform/cp932.h"
#include "platform/system_library.h"

namespace {

int CALLBACK SelectInitialFolder(HWND picker, UINT message, LPARAM, LPARAM data) {
    const char* initial = reinterpret_cast<const char*>(data);
    // The picker names folders in MAX_PATH buffers: a longer start is one it could not show, and
    // the shell is not handed it.
    if (message == BFFM_INITIALIZED && initial && *initial && std::strlen(initial) < MAX_PATH)
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(initial));
    return 0;
}

// "label|pattern||" to the NUL-separated list the dialog reads. A '|' can be the second byte of a
// double-byte character; those are left alone.
std::vector<char> FilterList(const char* filter) {
    std::vector<char> list;
    for (const char* p = filter; *p; ++p) {
        if (Cp932CharBytes(p) == 2) {
            list.push_back(*p++);
            list.push_back(*p);
            continue;
        }
        list.push_back(*p == '|' ? '\0' : *p);
    }
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

}  // namespace

bool BrowseForFolder(HWND owner, const char* title, UINT flags, const std::string& initial,
                     std::string& path) {
    auto getMalloc = SystemFunction<decltype(&SHGetMalloc)>("shell32.dll", "SHGetMalloc");
    auto browse = SystemFunction<decltype(&SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    auto pathOf = SystemFunction<decltype(&SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    IMalloc* allocator = nullptr;
    if (!getMalloc || !browse || !pathOf || FAILED(getMalloc(&allocator)) || !allocator)
        return false;
    // The new picker style is built from COM objects.
    bool ole = SUCCEEDED(OleInitialize(nullptr));
    char displayName[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = flags;
    info.lpfn = SelectInitialFolder;
    info.lParam = reinterpret_cast<LPARAM>(initial.c_str());
    bool picked = false;
    if (LPITEMIDLIST item = browse(&info)) {
        char folder[MAX_PATH] = "";
        if (pathOf(item, folder)) {
            path = folder;
            picked = true;
        }
        allocator->Free(item);
    }
    allocator->Release();
    if (ole)
        OleUninitialize();
    return picked;
}

bool ChooseFileToOpen(HWND owner, const std::string& initialFile, const char* filter,
                      const char* defaultExtension, DWORD flags, std::string& path) {
    auto getOpenFileName = SystemFunction<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!getOpenFileName)
        return false;
    std::vector<char> file(32768, '\0');
    initialFile.copy(file.data(), file.size() - 1);
    std::vector<char> filters = FilterList(filter);
    OPENFILENAMEA info = {};
    info.lStructSize = sizeof info;
    info.hwndOwner = owner;
    info.lpstrFilter = filters.data();
    info.nFilterIndex = 1;
    info.lpstrFile = file.data();
    info.nMaxFile = static_cast<DWORD>(file.size());
    info.lpstrDefExt = defaultExtension;
    info.Flags = flags;
    if (!getOpenFileName(&info))
        return false;
    path = file.data();
    return true;
}
