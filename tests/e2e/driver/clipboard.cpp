#include "clipboard.h"

#include "wait.h"

#include <windows.h>

#include <cstring>

namespace e2e {

namespace {

// Another program may hold the clipboard for a moment.
bool OpenTheClipboard() {
    return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000);
}

}  // namespace

bool SetClipboardText(const std::string& cp932) {
    if (!OpenTheClipboard())
        return false;
    EmptyClipboard();
    bool done = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, cp932.size() + 1)) {
        char* bytes = static_cast<char*>(GlobalLock(memory));
        std::memcpy(bytes, cp932.c_str(), cp932.size() + 1);
        GlobalUnlock(memory);
        done = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!done)
            GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

std::string ClipboardText() {
    if (!OpenTheClipboard())
        return std::string();
    std::string text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(memory))) {
            text = bytes;
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace e2e
