// The bar's bitmaps at each display scale: the one drawn for the scale is chosen, it has the
// scaled size, and the title icon's background takes the title colour at every size.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/bitmap.h"
#include "platform/dpi.h"
#include "platform/handles.h"
#include "resources/resource.h"
#include "shell/bar_bitmaps.h"

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

TEST(BarBitmaps, TheScaleAtOrBelowTheDpiIsChosen) {
    struct Case {
        UINT dpi;
        int id;
    } cases[] = {{72, IDB_UP},
                 {96, IDB_UP},
                 {119, IDB_UP},
                 {120, IDB_UP_125},
                 {143, IDB_UP_125},
                 {144, IDB_UP_150},
                 {168, IDB_UP_150},
                 {192, IDB_UP_200},
                 {288, IDB_UP_200},
                 {120, IDB_PIN_SIDE_125},
                 {192, IDB_TITLE_ICON_200}};
    for (const Case& c : cases) {
        const int base = c.id % IDB_SCALE_STEP;
        EXPECT_EQ(ScaledBitmapId(base, c.dpi), c.id) << "dpi " << c.dpi;
    }
}

TEST(BarBitmaps, EachScaleHasTheScaledSize) {
    struct Picture {
        int id, width, height;
    } pictures[] = {{IDB_UP, 17, 16},      {IDB_DOWN, 17, 16},       {IDB_CLOSE, 11, 8},
                    {IDB_MINIMIZE, 11, 8}, {IDB_TITLE_ICON, 16, 12}, {IDB_PIN_DOWN, 11, 8},
                    {IDB_PIN_SIDE, 11, 8}};
    for (UINT dpi : {96u, 120u, 144u, 192u}) {
        for (const Picture& p : pictures) {
            CBitmap bitmap(LoadBarBitmap(p.id, dpi, kDefaultTitleColour));
            ASSERT_TRUE(bitmap.Valid()) << "bitmap " << p.id << " at " << dpi;
            const SIZE size = BitmapSize(bitmap.Get());
            EXPECT_EQ(size.cx, ScaleForDpi(p.width, dpi)) << "bitmap " << p.id << " at " << dpi;
            EXPECT_EQ(size.cy, ScaleForDpi(p.height, dpi)) << "bitmap " << p.id << " at " << dpi;
        }
    }
}

TEST(BarBitmaps, TheTitleIconTakesTheTitleColourAtEverySize) {
    const COLORREF yellow = RGB(255, 255, 0);
    for (UINT dpi : {96u, 120u, 144u, 192u}) {
        for (COLORREF title : {kDefaultTitleColour, RGB(255, 0, 0), RGB(0, 0, 0)}) {
            CBitmap icon(LoadBarBitmap(IDB_TITLE_ICON, dpi, title));
            ASSERT_TRUE(icon.Valid());
            const SIZE size = BitmapSize(icon.Get());
            EXPECT_EQ(BitmapPixel(icon.Get(), 0, 0), title) << dpi;
            EXPECT_EQ(BitmapPixel(icon.Get(), size.cx - 1, size.cy - 1), title) << dpi;
            EXPECT_EQ(BitmapPixel(icon.Get(), size.cx / 2, size.cy / 2), yellow) << dpi;
        }
    }
}
