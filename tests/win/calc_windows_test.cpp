// The calculator's companion windows inside the test process: opened, filled, laid out and
// closed through the mode, with no bar (owner null).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/calc_tables.h"
#include "modes/calc/calc_data_dlg.h"
#include "modes/calc/calc_mode.h"
#include "modes/calc/calc_ref_dlg.h"
#include "platform/common_controls.h"
#include "resources/resource.h"

namespace {

std::string CellText(HWND list, int row, int column) {
    char buffer[512] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

std::vector<std::string> Row(HWND list, int row) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c)
        cells.push_back(CellText(list, row, c));
    return cells;
}

int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool Visible(HWND control) { return (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT ChildRect(HWND parent, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(parent, id), &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class CalcWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitAllCommonControls();
        mode.Activate();
    }
    void TearDown() override {
        mode.Shutdown();
        Pump();
    }
    CcalcMode mode{0};
};

TEST_F(CalcWindowsTest, ReferenceListsHoldTheEngineTables) {
    mode.Execute("help");
    ASSERT_NE(mode.referenceWindow(), nullptr);
    HWND dialog = mode.referenceWindow()->hwnd();
    char title[128] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Calc リファレンスマニュアル");

    HWND commands = GetDlgItem(dialog, IDC_REF_COMMANDS);
    ASSERT_EQ(Rows(commands), 14);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(Row(commands, i),
                  (std::vector<std::string>{kCalcCommands[i].word, kCalcCommands[i].description}));
    HWND functions = GetDlgItem(dialog, IDC_REF_FUNCTIONS);
    ASSERT_EQ(Rows(functions), 20);
    for (int i = 0; i < 20; ++i) {
        const CalcFunctionInfo& f = kCalcFunctions[i];
        EXPECT_EQ(Row(functions, i), (std::vector<std::string>{f.name, f.usage, f.description}));
    }
    HWND constants = GetDlgItem(dialog, IDC_REF_CONSTANTS);
    ASSERT_EQ(Rows(constants), 3);
    EXPECT_EQ(Row(constants, 2),
              (std::vector<std::string>{kCalcConstants[2].name, kCalcConstants[2].description}));
    HWND operators = GetDlgItem(dialog, IDC_REF_OPERATORS);
    ASSERT_EQ(Rows(operators), 19);
    for (int i = 0; i < 19; ++i) {
        const CalcOperatorInfo& op = kCalcOperators[i];
        EXPECT_EQ(Row(operators, i), (std::vector<std::string>{op.symbol, op.name, op.note}));
    }
}

TEST_F(CalcWindowsTest, TabsShowOnePageAtATime) {
    mode.Execute("ref");
    ASSERT_NE(mode.referenceWindow(), nullptr);
    HWND dialog = mode.referenceWindow()->hwnd();
    const int pages[] = {IDC_REF_OVERVIEW, IDC_REF_COMMANDS, IDC_REF_FUNCTIONS, IDC_REF_CONSTANTS,
                         IDC_REF_OPERATORS};
    HWND tab = GetDlgItem(dialog, IDC_REF_TAB);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 5);
    for (int selected : {0, 3, 1, 4, 2, 0}) {
        if (selected != SendMessageA(tab, TCM_GETCURSEL, 0, 0)) {
            SendMessageA(tab, TCM_SETCURSEL, selected, 0);
            NMHDR change = {tab, IDC_REF_TAB, static_cast<UINT>(TCN_SELCHANGE)};
            SendMessageA(dialog, WM_NOTIFY, IDC_REF_TAB, reinterpret_cast<LPARAM>(&change));
        }
        for (int p = 0; p < 5; ++p)
            EXPECT_EQ(Visible(GetDlgItem(dialog, pages[p])), p == selected) << selected << " " << p;
    }
}

TEST_F(CalcWindowsTest, LayoutKeepsMarginsAndFillsTheLastColumn) {
    mode.Execute("ref");
    ASSERT_NE(mode.referenceWindow(), nullptr);
    HWND dialog = mode.referenceWindow()->hwnd();
    for (SIZE size : {SIZE{700, 400}, SIZE{420, 300}}) {
        SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(dialog, &client);
        RECT tab = ChildRect(dialog, IDC_REF_TAB);
        EXPECT_EQ(tab.left, 10);
        EXPECT_EQ(tab.top, 10);
        EXPECT_EQ(tab.right, client.right - 10);
        EXPECT_EQ(tab.bottom, client.bottom - 10);
        RECT page = ChildRect(dialog, IDC_REF_FUNCTIONS);
        EXPECT_EQ(page.left, 20);
        EXPECT_EQ(page.top, 40);
        EXPECT_EQ(page.right, client.right - 20);
        EXPECT_EQ(page.bottom, client.bottom - 20);
        HWND functions = GetDlgItem(dialog, IDC_REF_FUNCTIONS);
        RECT inner;
        GetClientRect(functions, &inner);
        EXPECT_EQ(SendMessageA(functions, LVM_GETCOLUMNWIDTH, 2, 0), inner.right - 170);
        HWND commands = GetDlgItem(dialog, IDC_REF_COMMANDS);
        EXPECT_EQ(SendMessageA(commands, LVM_GETCOLUMNWIDTH, 0, 0), 70);
    }
}

TEST_F(CalcWindowsTest, OneReferenceWindowUntilClosed) {
    mode.Execute("ref");
    CcalcRefDlg* first = mode.referenceWindow();
    ASSERT_NE(first, nullptr);
    mode.Execute("reference");
    EXPECT_EQ(mode.referenceWindow(), first);
    mode.Execute("close");
    EXPECT_EQ(mode.referenceWindow(), nullptr);
    mode.Execute("help");
    ASSERT_NE(mode.referenceWindow(), nullptr);
    HWND tab = GetDlgItem(mode.referenceWindow()->hwnd(), IDC_REF_TAB);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    // Escape (the cancel command) destroys it and clears the mode's pointer.
    SendMessageA(mode.referenceWindow()->hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(mode.referenceWindow(), nullptr);
}

TEST_F(CalcWindowsTest, VariableListFollowsTheStore) {
    mode.Execute("a = 1");
    mode.Execute("vars");
    ASSERT_NE(mode.variablesWindow(), nullptr);
    HWND list = GetDlgItem(mode.variablesWindow()->hwnd(), IDC_DATA_LIST);
    ASSERT_EQ(Rows(list), 1);
    mode.Execute("b = 2");
    mode.Execute("a = 3000");
    ASSERT_EQ(Rows(list), 2);
    EXPECT_EQ(Row(list, 0), (std::vector<std::string>{"a", "3,000"}));
    EXPECT_EQ(Row(list, 1), (std::vector<std::string>{"b", "2"}));
    mode.Execute("(c = 5) + nosuchname");  // an error leaves the list as it was
    EXPECT_EQ(Rows(list), 2);
    mode.Execute("hex");
    EXPECT_EQ(Row(list, 0), (std::vector<std::string>{"a", "0xBB8"}));
    mode.OnMode1Click();
    EXPECT_EQ(Row(list, 0), (std::vector<std::string>{"a", "3,000"}));
    mode.Execute("clear");
    EXPECT_EQ(Rows(list), 0);
    // The close box: the window goes, and with it the mode's pointer.
    SendMessageA(mode.variablesWindow()->hwnd(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(mode.variablesWindow(), nullptr);
    mode.Execute("x = 1");
    mode.Execute("vars");
    ASSERT_NE(mode.variablesWindow(), nullptr);
    EXPECT_EQ(Rows(GetDlgItem(mode.variablesWindow()->hwnd(), IDC_DATA_LIST)), 1);
}

TEST_F(CalcWindowsTest, PlacementOnceUnlessFollowing) {
    mode.SetInt(CcalcMode::kFollowWindow, 0);
    mode.Execute("vars");
    ASSERT_NE(mode.variablesWindow(), nullptr);
    HWND window = mode.variablesWindow()->hwnd();
    RECT bar = {100, 100, 500, 150};
    mode.FollowMainWindow(bar);
    RECT placed;
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, 500);
    EXPECT_EQ(placed.top, 100);
    EXPECT_EQ(placed.right - placed.left, 260);
    RECT moved = {150, 120, 550, 170};
    mode.FollowMainWindow(moved);
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left, placed.left);
    EXPECT_EQ(after.top, placed.top);
    mode.SetInt(CcalcMode::kFollowWindow, 1);
    mode.FollowMainWindow(moved);
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left, 550);
    EXPECT_EQ(after.top, 120);
}

TEST_F(CalcWindowsTest, CompanionsHideAndShowWithTheMode) {
    mode.Execute("ref");
    mode.Execute("vars");
    ASSERT_NE(mode.referenceWindow(), nullptr);
    ASSERT_NE(mode.variablesWindow(), nullptr);
    HWND ref = mode.referenceWindow()->hwnd();
    HWND vars = mode.variablesWindow()->hwnd();
    EXPECT_TRUE(IsWindowVisible(ref));
    mode.Deactivate("");
    EXPECT_FALSE(IsWindowVisible(ref));
    EXPECT_FALSE(IsWindowVisible(vars));
    mode.Activate();
    EXPECT_TRUE(IsWindowVisible(ref));
    EXPECT_TRUE(IsWindowVisible(vars));
    mode.ShowSubWindows(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(vars));
}

class CbrokenDlg : public CCompanionDialog<CbrokenDlg> {
public:
    CbrokenDlg() : CCompanionDialog(9999) {}  // no such template
};

TEST(CompanionDialog, AWindowThatCannotBeMadeLeavesNothingBehind) {
    CbrokenDlg* slot = nullptr;
    EXPECT_FALSE(CbrokenDlg::Open(nullptr, &slot));
    EXPECT_EQ(slot, nullptr);
}

}  // namespace
