#include "platform/common_controls.h"

#include <windows.h>
#include <commctrl.h>

bool InitAllCommonControls() {
    INITCOMMONCONTROLSEX init;
    init.dwSize = sizeof init;
    init.dwICC = 0xFF;
    return InitCommonControlsEx(&init) != FALSE;
}
