// A dialog built from a template at one DPI, laid out again for another: the dialog font made
// anew at the new DPI and every child moved to its template place scaled by the same ratio.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/handles.h"

class DialogRescaler {
public:
    // Takes note of the children's places and of the font as the template made them at dpi.
    void Record(HWND dialog, UINT dpi);
    // Gives every recorded child the font and its place for dpi.
    void Rescale(UINT dpi);
    UINT Dpi() const { return dpi_; }

private:
    struct Child {
        HWND window;
        RECT place;
    };
    HWND dialog_ = nullptr;
    UINT recordedDpi_ = 96;
    UINT dpi_ = 96;
    LOGFONTA font_ = {};
    bool hasFont_ = false;
    std::vector<Child> children_;
    CFont scaledFont_;
};
