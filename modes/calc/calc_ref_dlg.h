// The calculator's reference window: an overview page and four tables (commands, functions,
// constants, operators) on five tabs. Modeless; it deletes itself when its window goes.
#pragma once

#include "platform/companion_dialog.h"

class CcalcRefDlg : public CCompanionDialog<CcalcRefDlg> {
public:
    CcalcRefDlg();

    // Takes the bar's left edge and width, 260 pixels high below or above the bar.
    void PlaceAgainst(const RECT& bar);

protected:
    BOOL OnInit() override;
    LRESULT OnNotify(NMHDR* header) override;
    void OnSize(int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    bool SetUp();
    bool FillTables();
    void ShowPage(int page);

    bool initialized_ = false;
};
