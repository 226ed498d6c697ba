#include "shell/bar_bitmaps.h"

#include "platform/bitmap.h"
#include "resources/resource.h"

int ScaledBitmapId(int id, UINT dpi) {
    // Drawn smaller than the scale rather than larger: a bitmap never spills out of its button.
    const int steps = dpi >= 192 ? 3 : dpi >= 144 ? 2 : dpi >= 120 ? 1 : 0;
    return id + steps * IDB_SCALE_STEP;
}

HBITMAP LoadBarBitmap(int id, UINT dpi, COLORREF title) {
    const bool titleIcon = id == IDB_TITLE_ICON;
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ScaledBitmapId(id, dpi)),
                                        IMAGE_BITMAP, 0, 0, titleIcon ? 0 : LR_LOADMAP3DCOLORS));
    if (!titleIcon || !bitmap || title == kDefaultTitleColour)
        return bitmap;
    // A recolouring that fails keeps the icon as drawn.
    if (HBITMAP recoloured = CopyBitmapReplacingColour(bitmap, kDefaultTitleColour, title)) {
        DeleteObject(bitmap);
        return recoloured;
    }
    return bitmap;
}
