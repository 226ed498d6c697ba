// The About box: the program's name with its version, and its copyright line.
#pragma once

#include "platform/dialog.h"

#include <string>

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    std::string versionText;
    std::string noticeText;

protected:
    BOOL OnInit() override;
};
