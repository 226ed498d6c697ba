// The calculator's variable list: one row per variable (name, formatted value). Modeless; it
// deletes itself when its window goes.
#pragma once

#include "engine/variable_store.h"
#include "platform/companion_dialog.h"

class CcalcDataDlg : public CCompanionDialog<CcalcDataDlg> {
public:
    CcalcDataDlg();

    // Shows every variable of store in order of first assignment, formatted as the answer line
    // would show its value.
    void Refill(const VariableStore& store, bool hex, bool comma);
    // 260 pixels wide beside the bar.
    void PlaceBeside(const RECT& bar);

protected:
    BOOL OnInit() override;
    void OnSize(int width, int height) override;

private:
    bool initialized_ = false;
};
