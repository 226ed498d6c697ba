#include "shell/pavra_app.h"

#include <windows.h>

#include <memory>
#include <string>

#include "platform/common_controls.h"
#include "platform/profile.h"
#include "shell/pavra_dlg.h"
#include "shell/report_error.h"
#include "shell/settings_path.h"

bool CpavraApp::InitInstance() {
    InitAllCommonControls();
    std::string SettingsPath;
    auto bar = std::make_unique<CpavraDlg>();
    if (ReportError(BuildSettingsPath(&SettingsPath)))
        return false;
    SetProfileFile(SettingsPath);
    INT_PTR result = bar->DoModal(nullptr);
    if (result == -1 || result == IDABORT)
        ReportError(ErrRunWindow);
    return false;
}

int CpavraApp::ExitInstance() {
    SetProfileFile(std::string());
    return 0;
}
