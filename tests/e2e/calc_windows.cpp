// The calculator's own windows through the real bar: the reference window, the variable list and
// the settings dialog, opened with typed commands and the mode buttons, read back from another
// process, placed against the bar and closed.
#include "pavra_driver.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "listview_reader.h"

namespace {

using e2e::RectText;
using e2e::WaitUntil;

const char kRefTitle[] = "Calc リファレンスマニュアル";
const char kVarsTitle[] = "変数一覧";
const char kParamTitle[] = "Calc設定";
const int kPages[] = {IDC_REF_OVERVIEW, IDC_REF_COMMANDS, IDC_REF_FUNCTIONS, IDC_REF_CONSTANTS,
                      IDC_REF_OPERATORS};

RECT RectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

::testing::AssertionResult HasRect(HWND window, const RECT& expected) {
    RECT now = {};
    bool same = WaitUntil([&] {
        now = RectOf(window);
        return now.left == expected.left && now.top == expected.top && now.right == expected.right &&
               now.bottom == expected.bottom;
    });
    if (same)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "window at " << RectText(now) << ", not " << RectText(expected);
}

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

int Selection(HWND tab) { return static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)); }

// The page controls of the reference window that are visible.
std::vector<int> VisiblePages(HWND ref) {
    std::vector<int> visible;
    for (int id : kPages) {
        if (IsWindowVisible(GetDlgItem(ref, id)))
            visible.push_back(id);
    }
    return visible;
}

class CalcWindowsTest : public e2e::BarTest {
protected:
    // The pinned bar does not roll up (and hide these windows) when one of them is clicked. The
    // mode buttons are in the settings area, which is opened.
    ::testing::AssertionResult Start(const std::string& calcSection = "") {
        if (!bar.WriteIni("[pavra]\r\nDialogPinFixed=1\r\n[calc]\r\n" + calcSection))
            return ::testing::AssertionFailure() << "cannot write pavra.ini";
        ::testing::AssertionResult started = bar.Start();
        if (!started)
            return started;
        // The open area makes the client 169 pixels high; a click the starting bar missed is repeated.
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!bar.Click(IDC_SETTINGS_TOGGLE))
                break;
            if (WaitUntil([&] { return bar.ClientSize().cy == 169; }, 2000))
                return WaitUntil([&] { return bar.FocusId() == IDC_INPUT; })
                           ? ::testing::AssertionSuccess()
                           : ::testing::AssertionFailure() << "the input line does not take the focus";
        }
        return ::testing::AssertionFailure() << "the settings area does not open";
    }

    int CountWindows(const char* title) {
        int count = 0;
        for (HWND window : bar.Process().Windows()) {
            char text[256] = "";
            GetWindowTextA(window, text, sizeof text);
            count += std::string(text) == title;
        }
        return count;
    }

    bool WaitGone(HWND window) {
        return WaitUntil([&] { return !IsWindow(window); });
    }

    // Activates a companion window with a click on its caption (the focus goes back to the
    // control that had it, at first the tab control) and presses keys there.
    bool KeysIn(HWND window, const std::string& keys) {
        RECT rect = RectOf(window);
        e2e::Click(rect.left + 40, rect.top + GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2);
        if (!WaitUntil([&] { return e2e::ForegroundWindow() == window; }))
            return false;
        return e2e::PressKeys(keys);
    }

    RECT Below(const RECT& b) { return {b.left, b.bottom, b.right, b.bottom + 260}; }
};

TEST_F(CalcWindowsTest, ReferenceOpensOnceAndIsPlacedAgain) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(bar.MoveTo(100, 100));
    RECT b = bar.WindowRect();
    ASSERT_TRUE(bar.Click(IDC_BUTTON0));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, "reference: リファレンスマニュアルを表示します"));
    HWND ref = bar.WaitWindow(kRefTitle);
    ASSERT_NE(ref, nullptr);
    EXPECT_TRUE(HasRect(ref, Below(b)));
    EXPECT_TRUE(WaitUntil([&] { return bar.FocusId() == IDC_INPUT; }));

    SetWindowPos(ref, nullptr, 600, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(bar.Enter("ref"));
    EXPECT_TRUE(HasRect(ref, Below(b)));
    EXPECT_EQ(CountWindows(kRefTitle), 1);

    // A page chosen now is not kept: "close" and "help" make a fresh window on the overview.
    ASSERT_TRUE(KeysIn(ref, "Right Right"));
    EXPECT_TRUE(WaitUntil([&] { return Selection(GetDlgItem(ref, IDC_REF_TAB)) == 2; }));
    ASSERT_TRUE(bar.Enter("close"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "close: リファレンスダイアログおよび変数ダイアログを閉じます"));
    EXPECT_TRUE(WaitGone(ref));
    ASSERT_TRUE(bar.Enter("help"));
    ref = bar.WaitWindow(kRefTitle);
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(Selection(GetDlgItem(ref, IDC_REF_TAB)), 0);
    EXPECT_EQ(VisiblePages(ref), std::vector<int>{IDC_REF_OVERVIEW});

    // Escape and Return close it alike; the bar carries on.
    ASSERT_TRUE(KeysIn(ref, "Escape"));
    EXPECT_TRUE(WaitGone(ref));
    ASSERT_TRUE(bar.Enter("ref"));
    ref = bar.WaitWindow(kRefTitle);
    ASSERT_NE(ref, nullptr);
    ASSERT_TRUE(KeysIn(ref, "Return"));
    EXPECT_TRUE(WaitGone(ref));
    ASSERT_TRUE(bar.Enter("1+1"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "2"));
}

TEST_F(CalcWindowsTest, ReferencePagesShowTheCalculatorsTables) {
    struct Page {
        int id;
        size_t rows;
        std::vector<std::string> first;
        std::vector<std::string> last;
        const char* shot;
    };
    const Page pages[] = {
        {IDC_REF_COMMANDS,
         14,
         {"clear", "定義した変数を全て削除します"},
         {"vars", "使用中の変数一覧を表示します"},
         "calc-reference-commands"},
        {IDC_REF_FUNCTIONS,
         20,
         {"abs", "abs( arg )", "絶対値"},
         {"tan", "tan( arg )", "タンジェント（正接）"},
         "calc-reference-functions"},
        {IDC_REF_CONSTANTS, 3, {"ans", "直前の計算結果"}, {"e", "自然対数の底"}, "calc-reference-constants"},
        {IDC_REF_OPERATORS,
         19,
         {"*", "掛け算", ""},
         {"=", "代入", "式の評価値は代入された値"},
         "calc-reference-operators"},
    };
    ASSERT_TRUE(Start());
    ASSERT_TRUE(bar.MoveTo(40, 60));
    // A wide bar gives a wide window, whose last columns take the added width.
    RECT b = bar.WindowRect();
    SetWindowPos(bar.Window(), nullptr, 0, 0, 800, b.bottom - b.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return bar.WindowRect().right == 840; }));
    ASSERT_TRUE(bar.Enter("reference"));
    HWND ref = bar.WaitWindow(kRefTitle);
    ASSERT_NE(ref, nullptr);
    bar.Screenshot("calc-reference-overview");
    for (const Page& page : pages) {
        SCOPED_TRACE(page.shot);
        ASSERT_TRUE(KeysIn(ref, "Right"));
        ASSERT_TRUE(WaitUntil([&] { return VisiblePages(ref) == std::vector<int>{page.id}; }));
        ListRows rows = ReadListView(GetDlgItem(ref, page.id));
        ASSERT_EQ(rows.size(), page.rows);
        EXPECT_EQ(rows.front(), page.first);
        EXPECT_EQ(rows.back(), page.last);
        // The last column takes the rest of the list's width.
        HWND list = GetDlgItem(ref, page.id);
        RECT client;
        GetClientRect(list, &client);
        std::vector<int> widths = ListViewColumnWidths(list);
        int total = 0;
        for (int width : widths)
            total += width;
        EXPECT_EQ(total, client.right) << "the columns fill the list";
        EXPECT_GT(widths.back(), 400);
        bar.Screenshot(page.shot);
    }
}

TEST_F(CalcWindowsTest, WindowsGoAboveOrBesideABarAtTheEdges) {
    ASSERT_TRUE(Start());
    RECT work = WorkArea();
    RECT start = bar.WindowRect();
    // Less than 260 pixels under the bar and beside it.
    ASSERT_TRUE(bar.MoveTo(work.right - (start.right - start.left) - 10,
                           work.bottom - 100 - (start.bottom - start.top)));
    RECT b = bar.WindowRect();
    ASSERT_TRUE(bar.Enter("ref"));
    HWND ref = bar.WaitWindow(kRefTitle);
    ASSERT_NE(ref, nullptr);
    EXPECT_TRUE(HasRect(ref, {b.left, b.top - 260, b.right, b.top}));
    ASSERT_TRUE(bar.Click(IDC_BUTTON1));
    HWND vars = bar.WaitWindow(kVarsTitle);
    ASSERT_NE(vars, nullptr);
    EXPECT_TRUE(HasRect(vars, {b.left - 260, b.top - 260, b.left, b.bottom}));
    // With room below and on the right: beside it, level with its top.
    ASSERT_TRUE(bar.MoveTo(50, 50));
    b = bar.WindowRect();
    ASSERT_TRUE(bar.Enter("vars"));
    EXPECT_TRUE(HasRect(vars, {b.right, b.top, b.right + 260, b.bottom + 260}));
    EXPECT_TRUE(HasRect(ref, Below(b)));
}

TEST_F(CalcWindowsTest, VariableListFollowsAssignmentsFormatAndClear) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(bar.MoveTo(60, 80));
    ASSERT_TRUE(bar.Enter("vars"));
    HWND vars = bar.WaitWindow(kVarsTitle);
    ASSERT_NE(vars, nullptr);
    HWND list = GetDlgItem(vars, IDC_DATA_LIST);
    EXPECT_TRUE(ReadListView(list).empty());
    for (const char* line : {"a = 1", "b = 2", "a = 3"})
        ASSERT_TRUE(bar.Enter(line));
    EXPECT_TRUE(WaitUntil([&] {
        return ReadListView(list) == ListRows{{"a", "3"}, {"b", "2"}};
    })) << "rows: "
        << ReadListView(list).size();
    ASSERT_TRUE(bar.Enter("hex"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "0x3"));
    EXPECT_TRUE(WaitUntil([&] { return ReadListView(list) == ListRows{{"a", "0x3"}, {"b", "0x2"}}; }));
    ASSERT_TRUE(bar.Click(IDC_MD1));
    EXPECT_TRUE(bar.WaitText(IDC_MD1, "DEC"));
    EXPECT_TRUE(WaitUntil([&] { return ReadListView(list) == ListRows{{"a", "3"}, {"b", "2"}}; }));
    ASSERT_TRUE(bar.Enter("clear"));
    EXPECT_TRUE(WaitUntil([&] { return ReadListView(list).empty(); }));
    ASSERT_TRUE(bar.Enter("total = 1234567.25"));
    ASSERT_TRUE(bar.Enter("ratio = -1/3"));
    EXPECT_TRUE(WaitUntil([&] {
        return ReadListView(list) == ListRows{{"total", "1,234,567.25"}, {"ratio", "-0.3333333333333333"}};
    }));
    // No tooltip of the bar in the picture.
    e2e::MouseMove(RectOf(vars).right - 20, RectOf(vars).bottom - 20);
    Sleep(500);
    bar.Screenshot("calc-variable-list");
}

class CalcSettingsTest : public CalcWindowsTest {
protected:
    // Opens the settings dialog with the third button.
    HWND OpenSettings() {
        if (!bar.Click(IDC_BUTTON2))
            return nullptr;
        return bar.WaitWindow(kParamTitle);
    }
    // Clicks a button of the dialog and waits until it is gone and the input line has the focus.
    bool Finish(HWND dialog, int id) {
        e2e::ClickWindow(GetDlgItem(dialog, id));
        return WaitGone(dialog) && WaitUntil([&] { return bar.FocusId() == IDC_INPUT; });
    }
    bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

    // The text of the program's tooltip that shows while the mouse rests on control.
    std::string TooltipOver(HWND control) {
        RECT rect = RectOf(control);
        // The mouse comes in from outside and rests there, as a user's would.
        for (int x = rect.left - 20; x <= rect.left + 10; x += 5) {
            e2e::MouseMove(x, (rect.top + rect.bottom) / 2);
            Sleep(30);
        }
        std::string text;
        WaitUntil([&] {
            for (HWND window : bar.Process().Windows()) {
                char name[64] = "";
                GetClassNameA(window, name, sizeof name);
                char buffer[256] = "";
                // A tooltip's text is no window caption: ask the control itself.
                if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && IsWindowVisible(window) &&
                    SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)) > 0) {
                    text = buffer;
                    return true;
                }
            }
            return false;
        });
        return text;
    }
};

TEST_F(CalcSettingsTest, OkWithoutChangesAndCancelAfterChangesWriteNothing) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(bar.Enter("1234*2"));
    const std::string before = bar.Ini().Text();
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, IDC_CALC_COMMA));
    EXPECT_TRUE(Checked(dialog, IDC_CALC_FOLLOW));
    EXPECT_EQ(TooltipOver(GetDlgItem(dialog, IDC_CALC_COMMA)), "計算結果にカンマを付けます");
    EXPECT_EQ(TooltipOver(GetDlgItem(dialog, IDC_CALC_FOLLOW)),
              "サブウィンドウをメインウィンドウに追従させます");
    ASSERT_TRUE(Finish(dialog, IDOK));
    EXPECT_EQ(bar.Ini().Text(), before);

    dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    e2e::ClickWindow(GetDlgItem(dialog, IDC_CALC_COMMA));
    e2e::ClickWindow(GetDlgItem(dialog, IDC_CALC_FOLLOW));
    EXPECT_TRUE(
        WaitUntil([&] { return !Checked(dialog, IDC_CALC_COMMA) && !Checked(dialog, IDC_CALC_FOLLOW); }));
    ASSERT_TRUE(Finish(dialog, IDCANCEL));
    EXPECT_EQ(bar.Ini().Text(), before);
    EXPECT_EQ(bar.Text(IDC_ANSWER), "2,468");
}

TEST_F(CalcSettingsTest, CommaTurnedOnBeforeAnyCalculationIsSaved) {
    ASSERT_TRUE(Start("UseComma=0\r\n"));
    const std::string greeting = bar.Text(IDC_ANSWER);
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(Checked(dialog, IDC_CALC_COMMA));
    e2e::ClickWindow(GetDlgItem(dialog, IDC_CALC_COMMA));
    ASSERT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_CALC_COMMA); }));
    ASSERT_TRUE(Finish(dialog, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("calc", "UseComma") == 1; }));
    EXPECT_EQ(bar.Ini().Int("calc", "FollowWindow"), 1);
    EXPECT_EQ(bar.Text(IDC_ANSWER), greeting);
    ASSERT_TRUE(bar.Enter("1234567"));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, "1,234,567"));
}

TEST_F(CalcSettingsTest, FollowTurnedOnPlacesBothWindowsAtOnce) {
    ASSERT_TRUE(Start("FollowWindow=0\r\n"));
    // The bar moves up and left, so that the windows left below it never cover its buttons.
    ASSERT_TRUE(bar.MoveTo(100, 400));
    ASSERT_TRUE(bar.Enter("vars"));
    ASSERT_TRUE(bar.Enter("ref"));
    HWND vars = bar.WaitWindow(kVarsTitle);
    HWND ref = bar.WaitWindow(kRefTitle);
    ASSERT_NE(vars, nullptr);
    ASSERT_NE(ref, nullptr);
    RECT b = bar.WindowRect();
    RECT varsAt = {b.right, b.top, b.right + 260, b.bottom + 260};
    ASSERT_TRUE(HasRect(vars, varsAt));
    ASSERT_TRUE(HasRect(ref, Below(b)));
    RECT refAt = Below(b);

    // Not following: a moved bar leaves them where they are; "vars" places the list once.
    ASSERT_TRUE(bar.MoveTo(200, 300));
    b = bar.WindowRect();
    Sleep(300);
    EXPECT_TRUE(HasRect(vars, varsAt));
    ASSERT_TRUE(bar.Enter("vars"));
    EXPECT_TRUE(HasRect(vars, {b.right, b.top, b.right + 260, b.bottom + 260}));
    EXPECT_TRUE(HasRect(ref, refAt));

    ASSERT_TRUE(bar.MoveTo(150, 250));
    b = bar.WindowRect();
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    e2e::ClickWindow(GetDlgItem(dialog, IDC_CALC_FOLLOW));
    ASSERT_TRUE(WaitUntil([&] { return Checked(dialog, IDC_CALC_FOLLOW); }));
    ASSERT_TRUE(Finish(dialog, IDOK));
    EXPECT_TRUE(HasRect(ref, Below(b)));
    EXPECT_TRUE(HasRect(vars, {b.right, b.top, b.right + 260, b.bottom + 260}));
    EXPECT_TRUE(WaitUntil([&] { return bar.Ini().Int("calc", "FollowWindow") == 1; }));

    // Following now: they go with the bar.
    ASSERT_TRUE(bar.MoveTo(120, 200));
    b = bar.WindowRect();
    EXPECT_TRUE(HasRect(ref, Below(b)));
    EXPECT_TRUE(HasRect(vars, {b.right, b.top, b.right + 260, b.bottom + 260}));
}

}  // namespace
