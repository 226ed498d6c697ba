#include "shell/mode_list.h"

#include <new>

#include "modes/calc/calc_mode.h"
#include "modes/dos/dos_mode.h"
#include "modes/www/www_mode.h"

namespace {

template <typename Mode>
void AddMode(ModeList& modes) {
    int index = static_cast<int>(modes.size());
    if (CpavraModeBase* mode = new (std::nothrow) Mode(index))
        modes.emplace_back(mode);
}

}  // namespace

ModeList CreateModes() {
    ModeList modes;
    AddMode<CcalcMode>(modes);
    AddMode<CdosMode>(modes);
    AddMode<CwwwMode>(modes);
    return modes;
}
