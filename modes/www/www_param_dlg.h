// The site chooser: a captionless strip against the bar holding the drop-down list of the
// six search sites. Picking an entry writes the mode's siteIndex at once.
#pragma once

#include "platform/dialog.h"

#include <string>
#include <vector>

class CwwwParamDlg : public CDialog {
public:
    CwwwParamDlg(const std::vector<std::string>& names, int& siteIndex, CwwwParamDlg*& owner);

    // Selects entry index without counting as the user's pick.
    void SelectSite(int index);

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSize(int width, int height) override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

private:
    void FitList();

    std::vector<std::string> siteNames;
    int& siteIndexReference;
    CwwwParamDlg*& ownerReference;
    bool controlsReady = false;
};
