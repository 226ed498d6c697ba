#include "shell/report_error.h"

#include <cstdio>

#include "platform/module_path.h"

namespace {

int ShowMessageBox(HWND owner, const char* text, const char* title, UINT type) {
    return MessageBoxA(owner, text, title, type);
}

MessageBoxFunction g_messageBox = ShowMessageBox;

// The application's name: the executable's base name.
std::string ApplicationName() {
    if (auto path = ModulePath()) {
        if (auto parts = SplitPath(*path))
            return parts->baseName;
    }
    return "pavra";
}

}  // namespace

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function ? function : ShowMessageBox;
    return previous;
}

std::string ErrorText(unsigned code) {
    const char* format;
    if (code & 0x1000)
        format = "致命的なエラーが発生したためPavraを終了します。\n（エラーコード=0x%08x）";
    else if (code & 0x2000)
        format = "エラーが発生しました。\n（エラーコード=0x%08x）";
    else
        return std::string();
    char text[128];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

bool ReportError(unsigned code) {
    std::string text = ErrorText(code);
    if (text.empty())
        return false;
    g_messageBox(nullptr, text.c_str(), ApplicationName().c_str(), MB_OK | MB_ICONEXCLAMATION);
    return (code & 0x1000) != 0;
}
