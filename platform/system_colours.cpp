#include "platform/system_colours.h"

bool HighContrastOn() {
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF PartColour(bool highContrast, COLORREF own, int systemIndex) {
    return highContrast ? GetSysColor(systemIndex) : own;
}

HBRUSH PartBrush(bool highContrast, HBRUSH own, int systemIndex) {
    return highContrast ? GetSysColorBrush(systemIndex) : own;
}
