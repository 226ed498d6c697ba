// "DOS設定": whether the output window follows the bar, the interpreter's initial directory and
// its initial script. The two paths are chosen through the browse buttons only.
#pragma once

#include <string>

#include "platform/dialog.h"

class CdosParamDlg : public CDialog {
public:
    CdosParamDlg();

    // Filled before DoModal, read back after IDOK.
    int follow = 1;
    std::string directory;
    std::string script;

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    bool PreTranslateMessage(MSG* msg) override;

private:
    void ShowFields();
    void TakeControls();
    void BrowseDirectory();
    void BrowseScript();
    void AddTooltip(int id, const char* text);

    HWND tooltips_ = nullptr;
};
