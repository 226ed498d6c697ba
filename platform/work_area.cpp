#include "platform/work_area.h"

std::optional<RECT> WorkArea() {
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        return std::nullopt;
    return area;
}
