// The calculator's settings dialog (modal): digit grouping and following the bar.
#pragma once

#include "platform/dialog.h"

class CcalcParamDlg : public CDialog {
public:
    CcalcParamDlg();

    // Exchanged with the two check boxes; read back only after IDOK.
    int useComma = 0;
    int followWindow = 1;

protected:
    BOOL OnInit() override;
    void OnOK() override;
    bool PreTranslateMessage(MSG* msg) override;

private:
    HWND tooltip_ = nullptr;
};
