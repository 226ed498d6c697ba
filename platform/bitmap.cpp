#include "platform/bitmap.h"

#include <algorithm>
#include <vector>

namespace {

// Reads the bitmap as top-down 32-bit BGRA pixels.
bool ReadPixels(HBITMAP bitmap, int* width, int* height, std::vector<DWORD>* pixels) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    pixels->assign(static_cast<size_t>(info.bmWidth) * info.bmHeight, 0);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, info.bmHeight, pixels->data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    *width = info.bmWidth;
    *height = info.bmHeight;
    return lines == info.bmHeight;
}

DWORD ToPixel(COLORREF colour) {
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

}  // namespace

HBITMAP CopyBitmapReplacingColour(HBITMAP source, COLORREF from, COLORREF to) {
    int width, height;
    std::vector<DWORD> pixels;
    if (!ReadPixels(source, &width, &height, &pixels))
        return nullptr;
    const DWORD match = ToPixel(from), replacement = ToPixel(to);
    for (DWORD& pixel : pixels) {
        if ((pixel & 0xFFFFFF) == match)
            pixel = replacement;
    }
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!copy || !bits) {
        if (copy)
            DeleteObject(copy);
        return nullptr;
    }
    std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(bits));
    GdiFlush();
    return copy;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    int width, height;
    std::vector<DWORD> pixels;
    if (!ReadPixels(bitmap, &width, &height, &pixels) || x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    DWORD pixel = pixels[static_cast<size_t>(y) * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
