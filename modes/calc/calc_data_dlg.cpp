#include "modes/calc/calc_data_dlg.h"

#include <commctrl.h>

#include "engine/calc_engine.h"
#include "platform/accessible.h"
#include "platform/dpi.h"
#include "platform/list_view.h"
#include "platform/placement.h"
#include "resources/resource.h"

namespace {
const int kWidth = 260;
const int kNameWidth = 50;
}  // namespace

CcalcDataDlg::CcalcDataDlg() : CCompanionDialog(IDD_CALC_DATA) {}

BOOL CcalcDataDlg::OnInit() {
    HWND list = Item(IDC_DATA_LIST);
    SetAccessibleName(list, "変数一覧");
    if (ListViewAddColumn(list, 0, "変数", Scaled(kNameWidth)) &&
        ListViewAddColumn(list, 1, "値", ClientWidth(hwnd()) - Scaled(kNameWidth)) &&
        ListViewUseReport(list)) {
        initialized_ = true;
    } else {
        PostMessageA(hwnd(), WM_CLOSE, 0, 0);
    }
    return TRUE;
}

void CcalcDataDlg::Refill(const VariableStore& store, bool hex, bool comma) {
    HWND list = Item(IDC_DATA_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    store.Enumerate([&](const std::string& name, double value) {
        std::string text = FormatValue(value, hex, comma);
        if (ListViewAddRow(list, row, {name.c_str(), text.c_str()}))
            ++row;
    });
}

void CcalcDataDlg::OnSize(int width, int height) {
    if (!initialized_)
        return;
    HWND list = Item(IDC_DATA_LIST);
    int margin = Scaled(10);
    MoveWindow(list, margin, margin, width - 2 * margin, height - 2 * margin, TRUE);
    int l = ClientWidth(list);
    ListViewSetColumnWidth(list, 0, Scaled(kNameWidth));
    ListViewSetColumnWidth(list, 1, l - Scaled(kNameWidth));
    InvalidateRect(list, nullptr, TRUE);
}

void CcalcDataDlg::PlaceBeside(const RECT& bar) {
    MoveToRect(hwnd(),
               ::PlaceBeside(bar, ScaleForDpi(kWidth, PlacementDpi(hwnd(), bar)), WorkAreaOrUnbounded(bar)));
}
