#include "modes/calc/calc_ref_dlg.h"

#include <commctrl.h>

#include <iterator>

#include "engine/calc_tables.h"
#include "platform/accessible.h"
#include "platform/dpi.h"
#include "platform/list_view.h"
#include "platform/placement.h"
#include "platform/system_colours.h"
#include "resources/resource.h"

namespace {

const int kHeight = 260;

const char kOverview[] =
    " Calcは、数式で入力する電卓です。\n"
    "\n"
    " 四則演算・括弧・論理演算など様々な演算子が使用可能です。\n"
    " また、豊富な組込み関数・組込み定数が使用可能です。\n"
    "\n"
    " 数式の入力例）\n"
    "   1/(sqrt(2*pi)*0.5) * exp( -pow(1,2) / (2*pow(0.5,2)) )\n"
    "\n"
    " モード設定やマニュアル表示などは、専用のコマンドを入力して行います\n"
    "\n";

const char* const kTabs[] = {"概要", "コマンド", "関数", "定数", "演算子"};

// The control shown for each tab, in tab order.
const int kPages[] = {IDC_REF_OVERVIEW, IDC_REF_COMMANDS, IDC_REF_FUNCTIONS, IDC_REF_CONSTANTS,
                      IDC_REF_OPERATORS};
const int kPageCount = sizeof kPages / sizeof kPages[0];

}  // namespace

CcalcRefDlg::CcalcRefDlg() : CCompanionDialog(IDD_CALC_REF) {}

BOOL CcalcRefDlg::OnInit() {
    NameControls(hwnd(), {{IDC_REF_TAB, "ページ"},
                          {IDC_REF_COMMANDS, "コマンド一覧"},
                          {IDC_REF_FUNCTIONS, "関数一覧"},
                          {IDC_REF_CONSTANTS, "定数一覧"},
                          {IDC_REF_OPERATORS, "演算子一覧"}});
    // A page that cannot be built closes the window at once.
    if (!SetUp())
        PostMessageA(hwnd(), WM_CLOSE, 0, 0);
    return TRUE;
}

bool CcalcRefDlg::SetUp() {
    SetWindowTextA(hwnd(), "Calc リファレンスマニュアル");
    HWND tab = Item(IDC_REF_TAB);
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kTabs[i]);
        if (SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item)) != i)
            return false;
    }
    SetItemText(IDC_REF_OVERVIEW, kOverview);
    if (!FillTables())
        return false;
    for (int i = 1; i < kPageCount; ++i)
        ShowWindow(Item(kPages[i]), SW_HIDE);
    initialized_ = true;
    return true;
}

bool CcalcRefDlg::FillTables() {
    HWND list = Item(IDC_REF_COMMANDS);
    int width = ClientWidth(list);
    if (!ListViewAddColumn(list, 0, "コマンド", Scaled(50)) ||
        !ListViewAddColumn(list, 1, "説明", width - Scaled(70)))
        return false;
    for (size_t i = 0; i < std::size(kCalcCommands); ++i) {
        if (!ListViewAddRow(list, static_cast<int>(i), {kCalcCommands[i].word, kCalcCommands[i].description}))
            return false;
    }
    if (!ListViewUseReport(list))
        return false;

    list = Item(IDC_REF_FUNCTIONS);
    width = ClientWidth(list);
    if (!ListViewAddColumn(list, 0, "関数", Scaled(50)) ||
        !ListViewAddColumn(list, 1, "使用法", Scaled(120)) ||
        !ListViewAddColumn(list, 2, "説明", width - Scaled(190)))
        return false;
    for (size_t i = 0; i < std::size(kCalcFunctions); ++i) {
        const CalcFunctionInfo& f = kCalcFunctions[i];
        if (!ListViewAddRow(list, static_cast<int>(i), {f.name, f.usage, f.description}))
            return false;
    }
    if (!ListViewUseReport(list))
        return false;

    list = Item(IDC_REF_CONSTANTS);
    width = ClientWidth(list);
    if (!ListViewAddColumn(list, 0, "定数", Scaled(50)) ||
        !ListViewAddColumn(list, 1, "説明", width - Scaled(70)))
        return false;
    for (size_t i = 0; i < std::size(kCalcConstants); ++i) {
        if (!ListViewAddRow(list, static_cast<int>(i),
                            {kCalcConstants[i].name, kCalcConstants[i].description}))
            return false;
    }
    if (!ListViewUseReport(list))
        return false;

    list = Item(IDC_REF_OPERATORS);
    width = ClientWidth(list);
    if (!ListViewAddColumn(list, 0, "演算子", Scaled(50)) ||
        !ListViewAddColumn(list, 1, "説明", Scaled(120)) ||
        !ListViewAddColumn(list, 2, "注釈", width - Scaled(190)))
        return false;
    for (size_t i = 0; i < std::size(kCalcOperators); ++i) {
        const CalcOperatorInfo& op = kCalcOperators[i];
        if (!ListViewAddRow(list, static_cast<int>(i), {op.symbol, op.name, op.note}))
            return false;
    }
    return ListViewUseReport(list);
}

void CcalcRefDlg::ShowPage(int page) {
    for (int i = 0; i < kPageCount; ++i)
        ShowWindow(Item(kPages[i]), SW_HIDE);
    if (page >= 0 && page < kPageCount)
        ShowWindow(Item(kPages[page]), SW_SHOW);
}

LRESULT CcalcRefDlg::OnNotify(NMHDR* header) {
    if (header->idFrom == IDC_REF_TAB && header->code == TCN_SELCHANGE)
        ShowPage(static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
    return 0;
}

void CcalcRefDlg::OnSize(int width, int height) {
    if (!initialized_)
        return;
    // Margins are scaled edges: the tab 10 pixels in, the pages 20 (40 at the top, for the labels).
    int m10 = Scaled(10), m20 = Scaled(20), m40 = Scaled(40);
    MoveWindow(Item(IDC_REF_TAB), m10, m10, width - 2 * m10, height - 2 * m10, TRUE);
    for (int page : kPages)
        MoveWindow(Item(page), m20, m40, width - 2 * m20, height - m20 - m40, TRUE);

    HWND list = Item(IDC_REF_COMMANDS);
    int l = ClientWidth(list);
    ListViewSetColumnWidth(list, 0, Scaled(70));
    ListViewSetColumnWidth(list, 1, l - Scaled(70));

    list = Item(IDC_REF_FUNCTIONS);
    l = ClientWidth(list);
    ListViewSetColumnWidth(list, 0, Scaled(50));
    ListViewSetColumnWidth(list, 1, Scaled(170) - Scaled(50));
    ListViewSetColumnWidth(list, 2, l - Scaled(170));

    list = Item(IDC_REF_CONSTANTS);
    l = ClientWidth(list);
    ListViewSetColumnWidth(list, 0, Scaled(50));
    ListViewSetColumnWidth(list, 1, l - Scaled(50));

    list = Item(IDC_REF_OPERATORS);
    l = ClientWidth(list);
    ListViewSetColumnWidth(list, 0, Scaled(50));
    ListViewSetColumnWidth(list, 1, Scaled(190) - Scaled(50));
    ListViewSetColumnWidth(list, 2, l - Scaled(190));

    for (int i = 1; i < kPageCount; ++i)
        InvalidateRect(Item(kPages[i]), nullptr, TRUE);
}

INT_PTR CcalcRefDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    // The overview page is white, or the system's window colour in high contrast.
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(IDC_REF_OVERVIEW)) {
        bool contrast = HighContrastOn();
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, PartColour(contrast, RGB(255, 255, 255), COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        handled = true;
        return reinterpret_cast<INT_PTR>(
            PartBrush(contrast, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), COLOR_WINDOW));
    }
    handled = false;
    return 0;
}

void CcalcRefDlg::PlaceAgainst(const RECT& bar) {
    MoveToRect(hwnd(), PlaceBelowOrAbove(bar, ScaleForDpi(kHeight, PlacementDpi(hwnd(), bar)),
                                         WorkAreaOrUnbounded(bar)));
}
