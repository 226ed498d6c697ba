#include "controls.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>

namespace e2e {

namespace {

const int kMessageTimeoutMs = 5000;

struct Answer {
    LRESULT result = -1;  // -1: no answer
    std::string buffer;
};

struct Call {
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;
    LRESULT result = -1;
    std::string buffer;
};

struct Question {
    std::shared_ptr<Call> call;
    HWND window;
    UINT message;
    WPARAM wParam;
    bool withBuffer;
    bool wide;
};

DWORD WINAPI AskOnItsOwnThread(void* parameter) {
    std::unique_ptr<Question> question(static_cast<Question*>(parameter));
    Call& call = *question->call;
    const LPARAM lParam = question->withBuffer ? reinterpret_cast<LPARAM>(&call.buffer[0]) : 0;
    DWORD_PTR result = 0;
    const auto send = question->wide ? SendMessageTimeoutW : SendMessageTimeoutA;
    const bool answered = send(question->window, question->message, question->wParam, lParam,
                               SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result);
    std::lock_guard<std::mutex> hold(call.lock);
    call.result = answered ? static_cast<LRESULT>(result) : -1;
    call.done = true;
    call.ended.notify_all();
    return 0;
}

// One message, sent on a thread of its own and waited for at most kMessageTimeoutMs: Wine's
// SendMessageTimeout can wait for a busy program long past its timeout. An abandoned call ends
// later, into its own buffer. bufferBytes > 0 passes a buffer of that size as lParam. The thread
// is a plain system thread: the C++ runtime's threads, made and let go by the thousand, now and
// then started with no argument under Wine and took the driver down.
Answer Ask(HWND window, UINT message, WPARAM wParam, size_t bufferBytes = 0, bool wide = false) {
    auto call = std::make_shared<Call>();
    call->buffer.assign(bufferBytes, '\0');
    std::unique_ptr<Question> question(new Question{call, window, message, wParam, bufferBytes > 0, wide});
    HANDLE thread = CreateThread(nullptr, 64 * 1024, AskOnItsOwnThread, question.get(),
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread)
        return Answer{};
    question.release();
    CloseHandle(thread);
    std::unique_lock<std::mutex> hold(call->lock);
    if (!call->ended.wait_for(hold, std::chrono::milliseconds(kMessageTimeoutMs), [&] { return call->done; }))
        return Answer{};
    return Answer{call->result, std::move(call->buffer)};
}

// Entries are asked for in UTF-16: Wine hands the ANSI forms of these messages back unconverted
// when they cross processes.
std::string ItemText(HWND window, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = Ask(window, lengthMessage, static_cast<WPARAM>(index), 0, true).result;
    if (length < 0)
        return std::string();
    const size_t units = static_cast<size_t>(length) + 1;
    const Answer copied = Ask(window, textMessage, static_cast<WPARAM>(index), units * sizeof(wchar_t), true);
    if (copied.result < 0)
        return std::string();
    std::wstring wide(units, L'\0');
    std::memcpy(&wide[0], copied.buffer.data(), units * sizeof(wchar_t));
    wide.resize(std::min<size_t>(static_cast<size_t>(copied.result), static_cast<size_t>(length)));
    const int count = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(932, 0, wide.data(), count, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(932, 0, wide.data(), count, &text[0], bytes, nullptr, nullptr);
    return text;
}

}  // namespace

std::string WindowText(HWND window) {
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH, 0).result;
    if (length < 0)
        return std::string();
    const Answer copied =
        Ask(window, WM_GETTEXT, static_cast<WPARAM>(length) * 2 + 2, static_cast<size_t>(length) * 2 + 2);
    if (copied.result < 0)
        return std::string();
    return std::string(copied.buffer.c_str());
}

long WindowTextLength(HWND window) { return static_cast<long>(Ask(window, WM_GETTEXTLENGTH, 0).result); }

bool IsChecked(HWND button) { return Ask(button, BM_GETCHECK, 0).result == BST_CHECKED; }

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::vector<std::string> texts;
    for (HWND child : children) {
        std::string text = WindowText(child);
        if (!text.empty())
            texts.push_back(text);
    }
    return texts;
}

int ComboSelection(HWND combo) { return static_cast<int>(Ask(combo, CB_GETCURSEL, 0).result); }

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = Ask(combo, CB_GETCOUNT, 0).result;
    for (int i = 0; i < count; ++i)
        items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

int ListBoxSelection(HWND list) { return static_cast<int>(Ask(list, LB_GETCURSEL, 0).result); }

std::vector<std::string> ListBoxItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = Ask(list, LB_GETCOUNT, 0).result;
    for (int i = 0; i < count; ++i)
        items.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return items;
}

RECT WindowRectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE ClientSizeOf(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ControlRectInParent(HWND control) {
    RECT rect = WindowRectOf(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) +
           "," + std::to_string(r.bottom) + ")";
}

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }

LONG_PTR ExStyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

}  // namespace e2e
