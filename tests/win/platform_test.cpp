#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/bitmap.h"
#include "platform/handles.h"
#include "platform/module_path.h"
#include "platform/tooltip.h"
#include "platform/work_area.h"
#include "shell/bar_title_strip.h"
#include "shell/settings_path.h"

TEST(SplitPath, Parts) {
    struct Case {
        const char* path;
        const char *drive, *directory, *base, *extension;
    } cases[] = {
        {"D:\\Tools\\pavra.exe", "D:", "\\Tools\\", "pavra", ".exe"},
        {"C:\\a.b\\pavra", "C:", "\\a.b\\", "pavra", ""},
        {"C:\\x\\archive.tar.gz", "C:", "\\x\\", "archive.tar", ".gz"},
        {"\\\\server\\share\\p.exe", "", "\\\\server\\share\\", "p", ".exe"},
        {"pavra.exe", "", "", "pavra", ".exe"},
        {"C:/unix/style.exe", "C:", "/unix/", "style", ".exe"},
        // The second byte of ソ is 0x5C, the byte of a backslash: it is no separator.
        {"C:\\ソフト\\表\\pavra.exe", "C:", "\\ソフト\\表\\", "pavra", ".exe"},
        {"C:\\tools\\ソ.exe", "C:", "\\tools\\", "ソ", ".exe"},
    };
    for (const Case& c : cases) {
        auto parts = SplitPath(c.path);
        ASSERT_TRUE(parts) << c.path;
        EXPECT_EQ(parts->drive, c.drive) << c.path;
        EXPECT_EQ(parts->directory, c.directory) << c.path;
        EXPECT_EQ(parts->baseName, c.base) << c.path;
        EXPECT_EQ(parts->extension, c.extension) << c.path;
    }
    EXPECT_FALSE(SplitPath("C:\\" + std::string(300, 'n') + ".exe"));
}

TEST(SettingsPath, BesideTheExecutable) {
    struct Case {
        const char *executable, *ini;
    } cases[] = {
        {"D:\\Tools\\pavra.exe", "D:\\Tools\\pavra.ini"},
        {"C:\\ソフト\\Pavra.EXE", "C:\\ソフト\\Pavra.ini"},
        {"C:\\bin\\pavra", "C:\\bin\\pavra.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsPathFor(c.executable), c.ini);

    std::string path;
    ASSERT_EQ(BuildSettingsPath(&path), 0u);
    auto executable = ModulePath();
    ASSERT_TRUE(executable);
    EXPECT_EQ(path, executable->substr(0, executable->size() - 4) + ".ini");
}

TEST(WorkArea, IsOnTheScreen) {
    auto area = WorkArea();
    ASSERT_TRUE(area);
    EXPECT_LT(area->left, area->right);
    EXPECT_LT(area->top, area->bottom);
}

TEST(Handles, OwnersReleaseOnceAndMove) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        CHandle owner(event);
        CHandle moved(std::move(owner));
        EXPECT_FALSE(owner.Valid());
        EXPECT_EQ(moved.Get(), event);
        DWORD flags;
        EXPECT_TRUE(GetHandleInformation(event, &flags));
    }
    DWORD flags;
    EXPECT_FALSE(GetHandleInformation(event, &flags));

    CHandle invalid(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(invalid.Valid());

    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    {
        CBrush owner(brush);
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(brush), 0u);

    HBITMAP kept = CreateBitmap(4, 4, 1, 32, nullptr);
    {
        CBitmap owner(kept);
        EXPECT_EQ(owner.Release(), kept);
    }
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BITMAP));
    DeleteObject(kept);

    HDC dc = CreateCompatibleDC(nullptr);
    { CMemoryDC owner(dc); }
    EXPECT_EQ(GetObjectType(dc), 0u);

    HICON icon = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    CIcon iconOwner(icon);
    iconOwner.Reset();
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(icon, &info));
}

TEST(Bitmap, ReplacesOneColourOnly) {
    const COLORREF title = RGB(209, 225, 254), yellow = RGB(255, 255, 0);
    HDC screen = GetDC(nullptr);
    HBITMAP source = CreateCompatibleBitmap(screen, 4, 2);
    HDC dc = CreateCompatibleDC(screen);
    {
        CSelectObject select(dc, source);
        for (int x = 0; x < 4; ++x) {
            SetPixel(dc, x, 0, title);
            SetPixel(dc, x, 1, yellow);
        }
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(BitmapPixel(source, 0, 0), title);

    struct Case {
        COLORREF to;
    } cases[] = {{RGB(255, 0, 0)}, {title}, {RGB(0, 0, 0)}};
    for (const Case& c : cases) {
        CBitmap copy(CopyBitmapReplacingColour(source, title, c.to));
        ASSERT_TRUE(copy.Valid());
        EXPECT_EQ(BitmapPixel(copy.Get(), 3, 0), c.to);
        EXPECT_EQ(BitmapPixel(copy.Get(), 2, 1), yellow);
    }
    EXPECT_EQ(BitmapPixel(source, 3, 0), title);
    DeleteObject(source);
    EXPECT_EQ(CopyBitmapReplacingColour(nullptr, title, yellow), nullptr);
}

TEST(Tooltip, TextIsCutToItsBufferAtACharacterBoundary) {
    struct Case {
        std::string text;
        std::string shown;
    } cases[] = {
        {"モードを選択", "モードを選択"},
        {std::string(79, 'a'), std::string(79, 'a')},
        {std::string(100, 'a'), std::string(79, 'a')},
        // 78 single bytes and a double-byte character do not fit in 79: the character goes.
        {std::string(78, 'a') + "表", std::string(78, 'a')},
        {std::string(77, 'a') + "表", std::string(77, 'a') + "表"},
    };
    for (const Case& c : cases) {
        NMTTDISPINFOA info = {};
        SetTooltipText(&info.hdr, c.text.c_str());
        EXPECT_EQ(std::string(info.lpszText), c.shown);
    }
    NMTTDISPINFOA info = {};
    info.szText[0] = 'x';
    SetTooltipText(&info.hdr, nullptr);
    EXPECT_STREQ(info.lpszText, "");
}

TEST(Tooltip, OnlyRequestsThatNameTheirToolByWindow) {
    NMTTDISPINFOA info = {};
    info.hdr.code = TTN_GETDISPINFOA;
    info.hdr.idFrom = 0x1234;
    info.uFlags = TTF_IDISHWND;
    EXPECT_EQ(TooltipRequestControl(&info.hdr), reinterpret_cast<HWND>(0x1234));
    info.uFlags = 0;
    EXPECT_EQ(TooltipRequestControl(&info.hdr), nullptr);
    info.uFlags = TTF_IDISHWND;
    info.hdr.code = NM_CLICK;
    EXPECT_EQ(TooltipRequestControl(&info.hdr), nullptr);
}

// The division truncates toward zero: widths 94 to 100 all give 10 spaces.
TEST(TitleText, SpacesFollowTheWidth) {
    struct Case {
        int width;
        size_t spaces;
    } cases[] = {{301, 61}, {57, 0}, {97, 10}, {96, 10}, {93, 9}, {101, 11}, {58, 1}, {53, 0}, {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(BarTitleStrip::TitleText(c.width), " Pavra" + std::string(c.spaces, ' ')) << c.width;
}
