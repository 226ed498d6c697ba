// What a screen reader gets from the windows in the same process: the output view's own object,
// a name given to a control without text, the events that have an answer spoken (through the
// seam, for the system notification Wine lacks), the output view's value events at a reader's
// pace, and the colours chosen in high contrast.
#include <gtest/gtest.h>

#include <oleacc.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/accessible.h"
#include "platform/output_view.h"
#include "platform/system_colours.h"
#include "shell/bar_title_strip.h"

namespace {

const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Read {
    std::wstring name, value;
    long role = 0, state = 0;
};

std::wstring Take(BSTR text) {
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

bool ReadObject(HWND window, Read& read) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIidAccessible,
                                          reinterpret_cast<void**>(&object))))
        return false;
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    object->get_accName(self, &text);
    read.name = Take(text);
    text = nullptr;
    object->get_accValue(self, &text);
    read.value = Take(text);
    VARIANT answer = {};
    object->get_accRole(self, &answer);
    read.role = answer.lVal;
    answer = {};
    object->get_accState(self, &answer);
    read.state = answer.lVal;
    object->Release();
    return true;
}

class AccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterOutputView());
        parent = CreateWindowExA(0, "STATIC", "DOS Prompt", WS_POPUP | WS_VISIBLE, 0, 0, 320, 200, nullptr,
                                 nullptr, nullptr, nullptr);
        view = CreateWindowExA(0, kOutputViewClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 300, 180,
                               parent, nullptr, nullptr, nullptr);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }
    void Append(const std::string& text) const {
        SendMessageA(view, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        SendMessageA(view, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }

    HWND parent = nullptr;
    HWND view = nullptr;
};

std::vector<std::pair<DWORD, HWND>> events;
void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT)
        events.push_back({event, window});
}

}  // namespace

TEST_F(AccessibleTest, OutputViewIsReadOnlyTextNamedAfterItsWindowWithItsTextAsValue) {
    SendMessageA(view, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\>dir\r\n"));
    Append("ファイル 2 個\r\n");
    Read read;
    ASSERT_TRUE(ReadObject(view, read));
    EXPECT_EQ(read.role, ROLE_SYSTEM_TEXT);
    EXPECT_TRUE(read.state & STATE_SYSTEM_READONLY);
    EXPECT_EQ(read.name, L"DOS Prompt");
    EXPECT_EQ(read.value, L"C:\\>dir\r\n\x30D5\x30A1\x30A4\x30EB 2 \x500B\r\n");
}

TEST_F(AccessibleTest, ANamedControlKeepsTheSystemsValueAndRoleAndCanBeRenamed) {
    HWND edit = CreateWindowExA(0, "EDIT", "1+1", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, nullptr,
                                nullptr, nullptr);
    Read plain;
    ASSERT_TRUE(ReadObject(edit, plain));
    struct {
        const char* given;
        const wchar_t* read;
    } names[] = {{"入力", L"\x5165\x529B"}, {"答え", L"\x7B54\x3048"}};
    for (const auto& name : names) {
        ASSERT_TRUE(SetAccessibleName(edit, name.given));
        Read read;
        ASSERT_TRUE(ReadObject(edit, read));
        EXPECT_EQ(read.name, name.read);
        EXPECT_EQ(read.role, plain.role);
        EXPECT_EQ(read.value, plain.value);
    }
}

TEST(AnnounceLine, SpeaksThroughTheNotificationOrTheLiveRegionAndAlwaysChangesTheValue) {
    struct Case {
        bool notification;
        std::vector<std::string> calls;
    } cases[] = {
        {true, {"notify 2", "event 800E"}},
        {false, {"notify 2", "mark", "event 8019", "event 800E"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> calls;
        AnnouncePaths paths;
        paths.notify = [&](HWND, const std::wstring& text) {
            calls.push_back("notify " + std::to_string(text.size()));
            return c.notification;
        };
        paths.markLiveRegion = [&](HWND) {
            calls.push_back("mark");
            return true;
        };
        paths.winEvent = [&](DWORD event, HWND) {
            char hex[16];
            snprintf(hex, sizeof hex, "event %lX", static_cast<unsigned long>(event));
            calls.push_back(hex);
        };
        AnnounceLine(nullptr, "答え", paths);
        EXPECT_EQ(calls, c.calls) << "notification " << c.notification;
    }
}

// Output streaming in for a second gives a screen reader a few value changes, and the last one
// comes after the last addition.
TEST_F(AccessibleTest, OutputViewRaisesValueChangesAtAReadersPace) {
    events.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, Record,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const DWORD start = GetTickCount();
    int additions = 0;
    MSG msg;
    while (GetTickCount() - start < 1000) {
        Append("line " + std::to_string(++additions) + "\r\n");
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    const DWORD end = GetTickCount() + 1000;
    while (GetTickCount() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    UnhookWinEvent(hook);
    size_t fromView = 0;
    for (const auto& e : events)
        fromView += e.second == view;
    EXPECT_GE(fromView, 2u) << additions << " additions";
    EXPECT_LE(fromView, 6u) << additions << " additions";
}

TEST(SystemColours, HighContrastTakesTheSystemsColourAndOtherwiseTheOwn) {
    const COLORREF own = RGB(209, 225, 254);
    struct {
        bool contrast;
        int index;
        COLORREF expected;
    } cases[] = {
        {false, COLOR_ACTIVECAPTION, own},
        {true, COLOR_ACTIVECAPTION, GetSysColor(COLOR_ACTIVECAPTION)},
        {true, COLOR_WINDOW, GetSysColor(COLOR_WINDOW)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PartColour(c.contrast, own, c.index), c.expected) << c.contrast << " " << c.index;
    HBRUSH mine = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(PartBrush(false, mine, COLOR_WINDOW), mine);
    EXPECT_EQ(PartBrush(true, mine, COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW));
}

// Wine does not let a program switch high contrast on (SPI_SETHIGHCONTRAST fails), so the strip's
// choice is held here: the settings' colour without high contrast, the caption's with it.
TEST(BarTitleStrip, HighContrastDrawsTheStripInTheSystemsCaptionColoursWhateverTheSettings) {
    struct {
        bool contrast;
        COLORREF title;
        COLORREF text, background;
    } cases[] = {
        {false, RGB(209, 225, 254), GetSysColor(COLOR_WINDOWTEXT), RGB(209, 225, 254)},
        {false, RGB(255, 0, 0), GetSysColor(COLOR_WINDOWTEXT), RGB(255, 0, 0)},
        {true, RGB(255, 0, 0), GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_ACTIVECAPTION)},
        {true, RGB(209, 225, 254), GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_ACTIVECAPTION)},
    };
    for (const auto& c : cases) {
        BarTitleStrip::Colours colours = BarTitleStrip::StripColours(c.contrast, c.title);
        EXPECT_EQ(colours.text, c.text) << c.contrast << " " << c.title;
        EXPECT_EQ(colours.background, c.background) << c.contrast << " " << c.title;
    }
}
