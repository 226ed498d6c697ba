// The web search mode's logic with the shell's open action replaced by a recorder, and its
// site chooser as a real window owned by a stand-in bar.
#include "modes/www/www_mode.h"
#include "modes/www/www_param_dlg.h"
#include "platform/shell_open.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct OpenRecord {
    std::string target;
    HWND owner;
    int showCommand;
};

std::vector<OpenRecord> g_opened;
bool g_openSucceeds = true;

bool RecordOpen(HWND owner, const std::string& target, int showCommand) {
    g_opened.push_back({target, owner, showCommand});
    return g_openSucceeds;
}

class WwwModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_opened.clear();
        g_openSucceeds = true;
        bar = CreateWindowExA(0, "STATIC", "bar", WS_POPUP, 100, 100, 400, 60, nullptr, nullptr, nullptr,
                              nullptr);
        ASSERT_NE(bar, nullptr);
        mode.owner = bar;
        mode.open = &RecordOpen;
    }
    void TearDown() override {
        mode.Shutdown();
        DestroyWindow(bar);
    }

    // The user's pick in the chooser: the list's selection and its notification.
    void PickSite(int site) {
        HWND chooser = mode.siteChooser->hwnd();
        HWND list = GetDlgItem(chooser, IDC_WWW_SITES);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(site), 0);
        SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_WWW_SITES, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }

    int ChooserSelection() {
        return static_cast<int>(
            SendDlgItemMessageA(mode.siteChooser->hwnd(), IDC_WWW_SITES, CB_GETCURSEL, 0, 0));
    }

    // Clears what the bar would have applied.
    void Apply() {
        mode.inputChanged = mode.answerChanged = false;
        mode.followRequest = mode.focusRequest = false;
        mode.intChanged = false;
        mode.changedInts.clear();
    }

    HWND bar = nullptr;
    CwwwMode mode{2};
};

TEST_F(WwwModeTest, UrlIsPrefixWordPostfixByteForByte) {
    struct Case {
        int site;
        const char* postfix;
        std::string word;
        std::string url;
    } cases[] = {
        {0, "", "pavra test", "https://www.google.co.jp/search?hl=ja&q=pavra test"},
        {1, "", "a b&c", "https://search.yahoo.co.jp/search?p=a b&c"},
        {2, "", "x#y%20", "https://www.bing.com/search?q=x#y%20"},
        {5, "", "ソフトウェア", "https://ja.wikipedia.org/wiki/ソフトウェア"},
        {0, "&num=50", "pavra", "https://www.google.co.jp/search?hl=ja&q=pavra&num=50"},
        {4, "", "", "https://dic.search.yahoo.co.jp/search?p="},
        {3, "", "  trailing  ", "https://eow.alc.co.jp/search?q=  trailing  "},
    };
    mode.Activate();
    ASSERT_NE(mode.siteChooser, nullptr);
    for (const Case& c : cases) {
        g_opened.clear();
        mode.SetString(12 + c.site, c.postfix);
        PickSite(c.site);
        mode.Execute(c.word);
        ASSERT_EQ(g_opened.size(), 1u);
        EXPECT_EQ(g_opened[0].target, c.url);
        EXPECT_EQ(g_opened[0].owner, bar);
        EXPECT_EQ(g_opened[0].showCommand, SW_SHOWNORMAL);
        EXPECT_TRUE(mode.inputChanged);
        EXPECT_EQ(mode.inputText, "");
        EXPECT_EQ(mode.history.back(), c.word);
    }
    // Multi-byte words go out as code page 932 bytes.
    EXPECT_EQ(mode.BuildUrl(5, "ソ"), std::string("https://ja.wikipedia.org/wiki/\x83\x5c"));
}

TEST_F(WwwModeTest, WithoutChooserSearchesGoToFirstSite) {
    mode.siteIndex = 4;
    mode.Execute("w");
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].target, "https://www.google.co.jp/search?hl=ja&q=w");
}

TEST_F(WwwModeTest, FailedOpenKeepsErrorAndHistory) {
    mode.Activate();
    mode.Execute("first");
    Apply();
    g_openSucceeds = false;
    mode.Execute("lost");
    EXPECT_TRUE(mode.inputChanged);
    EXPECT_EQ(mode.inputText, "");
    EXPECT_TRUE(mode.answerChanged);
    EXPECT_EQ(mode.answerText, "Error: ブラウザを開けませんでした");
    EXPECT_EQ(mode.history, std::vector<std::string>{"first"});
    EXPECT_EQ(mode.historyCursor, 1);

    // A later success leaves the message; every later activation shows it again.
    Apply();
    g_openSucceeds = true;
    mode.Execute("next");
    EXPECT_FALSE(mode.answerChanged);
    mode.Deactivate("typed");
    Apply();
    mode.Activate();
    EXPECT_TRUE(mode.answerChanged);
    EXPECT_EQ(mode.answerText, "Error: ブラウザを開けませんでした");
    EXPECT_TRUE(mode.inputChanged);
    EXPECT_EQ(mode.inputText, "typed");
}

TEST_F(WwwModeTest, HistoryKeepsTheNewest64Words) {
    for (int i = 1; i <= 65; ++i)
        mode.Execute("word" + std::to_string(i));
    ASSERT_EQ(mode.history.size(), 64u);
    EXPECT_EQ(mode.history.front(), "word2");
    EXPECT_EQ(mode.history.back(), "word65");
    EXPECT_EQ(mode.historyCursor, 64);
    Apply();
    mode.HistoryFirst();
    EXPECT_EQ(mode.inputText, "word2");
}

TEST_F(WwwModeTest, HistoryMovesAtBothEnds) {
    enum Move { First, Last, Previous, Next };
    struct Step {
        Move move;
        bool changes;
        const char* input;
        int cursor;
    } steps[] = {
        {Next, false, "", 3},     {Last, false, "", 3},     {Previous, true, "c", 2},
        {Next, true, "", 3},      {Previous, true, "c", 2}, {Previous, true, "b", 1},
        {Previous, true, "a", 0}, {Previous, false, "", 0}, {First, false, "", 0},
        {Next, true, "b", 1},     {First, true, "a", 0},    {Last, true, "", 3},
        {First, true, "a", 0},    {Next, true, "b", 1},     {Next, true, "c", 2},
        {Next, true, "", 3},
    };
    for (const char* word : {"a", "b", "c"})
        mode.Execute(word);
    int i = 0;
    for (const Step& s : steps) {
        Apply();
        mode.inputText.clear();
        switch (s.move) {
        case First: mode.HistoryFirst(); break;
        case Last: mode.HistoryLast(); break;
        case Previous: mode.HistoryPrevious(); break;
        case Next: mode.HistoryNext(); break;
        }
        EXPECT_EQ(mode.inputChanged, s.changes) << "step " << i;
        EXPECT_EQ(mode.inputText, s.input) << "step " << i;
        EXPECT_EQ(mode.historyCursor, s.cursor) << "step " << i;
        ++i;
    }
}

TEST_F(WwwModeTest, EmptyHistoryMovesChangeNothing) {
    for (void (CwwwMode::*move)() : {&CwwwMode::HistoryFirst, &CwwwMode::HistoryLast,
                                     &CwwwMode::HistoryPrevious, &CwwwMode::HistoryNext}) {
        (mode.*move)();
        EXPECT_FALSE(mode.inputChanged);
        EXPECT_EQ(mode.historyCursor, 0);
    }
}

TEST_F(WwwModeTest, PickedSiteIsQueuedOnceOnTheNextSearch) {
    mode.SetInt(0, 1);
    mode.Activate();
    EXPECT_EQ(ChooserSelection(), 1);
    Apply();
    PickSite(3);
    EXPECT_EQ(mode.siteIndex, 3);
    EXPECT_FALSE(mode.intChanged);  // picking alone writes nothing
    mode.Execute("w");
    EXPECT_EQ(g_opened.back().target, "https://eow.alc.co.jp/search?q=w");
    EXPECT_TRUE(mode.intChanged);
    EXPECT_EQ(mode.changedInts, std::vector<int>{0});
    EXPECT_EQ(mode.GetInt(0), 3);
    Apply();
    mode.Execute("w");
    EXPECT_FALSE(mode.intChanged);
    EXPECT_TRUE(mode.changedInts.empty());
    // A failed search still records the pick.
    PickSite(5);
    g_openSucceeds = false;
    mode.Execute("w");
    EXPECT_EQ(mode.changedInts, std::vector<int>{0});
}

TEST_F(WwwModeTest, SettingsKeysAndBounds) {
    EXPECT_STREQ(mode.GetSection(), "www");
    EXPECT_EQ(mode.GetIntCount(), 1);
    EXPECT_STREQ(mode.GetIntKey(0), "WWWSiteIndex");
    EXPECT_EQ(mode.GetIntMin(0), 0);
    EXPECT_EQ(mode.GetIntMax(0), 5);
    EXPECT_EQ(mode.GetIntKey(1), nullptr);
    ASSERT_EQ(mode.GetStringCount(), 18);
    const char* stems[] = {"WWWSite", "WWWURL", "WWWPostFix"};
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(mode.GetStringKey(i), stems[i / 6] + std::to_string(i % 6));
    EXPECT_STREQ(mode.GetString(4), "Yahoo!辞書");
    EXPECT_STREQ(mode.GetString(11), "https://ja.wikipedia.org/wiki/");
    EXPECT_STREQ(mode.GetString(17), "");
    mode.SetString(7, "mine:");
    EXPECT_EQ(mode.sites[1].urlPrefix, "mine:");
    mode.SetString(18, "ignored");
    mode.SetString(-1, "ignored");
    EXPECT_EQ(mode.GetString(18), nullptr);
    EXPECT_EQ(mode.GetStringKey(-1), nullptr);
    mode.SetInt(0, 9);
    EXPECT_EQ(mode.siteIndex, 5);
    EXPECT_EQ(mode.savedSiteIndex, 5);
}

TEST_F(WwwModeTest, ActivationAndDeactivation) {
    mode.Activate();
    EXPECT_TRUE(mode.followRequest);
    EXPECT_TRUE(mode.focusRequest);
    EXPECT_EQ(mode.inputText, "");
    EXPECT_EQ(mode.answerText, "WWW: 検索ワードを入力するとブラウザを立ち上げて検索結果を表示します。");
    for (const std::string* text :
         {&mode.mode0Text, &mode.mode1Text, &mode.button0Text, &mode.button1Text, &mode.button2Text})
        EXPECT_EQ(*text, "");
    EXPECT_TRUE(mode.button0Changed && mode.button1Changed && mode.button2Changed);
    EXPECT_TRUE(IsWindowVisible(mode.siteChooser->hwnd()));
    EXPECT_EQ(GetWindow(mode.siteChooser->hwnd(), GW_OWNER), bar);

    mode.Deactivate("half typed");
    EXPECT_FALSE(IsWindowVisible(mode.siteChooser->hwnd()));
    EXPECT_FALSE(mode.inputChanged && mode.inputText != "half typed");
    Apply();
    mode.Activate();
    EXPECT_TRUE(mode.followRequest);
    EXPECT_TRUE(mode.inputChanged);
    EXPECT_EQ(mode.inputText, "half typed");
    EXPECT_TRUE(IsWindowVisible(mode.siteChooser->hwnd()));

    mode.ShowSubWindows(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(mode.siteChooser->hwnd()));
    mode.ShowSubWindows(SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(mode.siteChooser->hwnd()));
}

TEST_F(WwwModeTest, ChooserListsNamesOfFirstActivation) {
    mode.SetString(0, "Zeta");
    mode.SetString(1, "Alpha");
    mode.SetInt(0, 4);
    mode.Activate();
    HWND list = GetDlgItem(mode.siteChooser->hwnd(), IDC_WWW_SITES);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 6);
    const char* expected[] = {"Zeta", "Alpha", "MSN", "英辞郎", "Yahoo!辞書", "Wikipedia"};
    for (int i = 0; i < 6; ++i) {
        char text[64] = {};
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, expected[i]);
    }
    EXPECT_EQ(ChooserSelection(), 4);
    mode.SetString(0, "Later");
    mode.Deactivate("");
    mode.Activate();
    char text[64] = {};
    SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Zeta");
    // The settings load selects from outside; that is not the user's pick.
    mode.SetInt(0, 2);
    EXPECT_EQ(ChooserSelection(), 2);
    EXPECT_EQ(mode.savedSiteIndex, 2);
}

TEST_F(WwwModeTest, ChooserSurvivesEnterAndEscapeAndGoesAtShutdown) {
    mode.Activate();
    HWND chooser = mode.siteChooser->hwnd();
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageA(chooser, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(chooser));
    mode.Shutdown();
    EXPECT_FALSE(IsWindow(chooser));
    EXPECT_EQ(mode.siteChooser, nullptr);
    EXPECT_FALSE(mode.initialized);
}

TEST_F(WwwModeTest, ChooserIsPlacedAgainstTheBar) {
    mode.Activate();
    HWND chooser = mode.siteChooser->hwnd();
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    RECT frame, client;
    GetWindowRect(chooser, &frame);
    GetClientRect(chooser, &client);
    int height = (frame.bottom - frame.top) - (client.bottom - client.top) + 21;

    struct Case {
        RECT bar;
        LONG top, bottom;
    } cases[] = {
        {{10, 0, 510, 60}, 60, 60 + height},  // room below
        {{30, work.bottom - 60, 730, work.bottom - 10},
         work.bottom - 60 - height,
         work.bottom - 60},                                                   // above
        {{0, height, 300, work.bottom - 15}, work.bottom - 15, work.bottom},  // no room above either
        {{0, 5, 300, work.bottom - 15}, work.bottom - 15, work.bottom},       // squeezed below
    };
    for (const Case& c : cases) {
        mode.FollowMainWindow(c.bar);
        RECT placed;
        GetWindowRect(chooser, &placed);
        EXPECT_EQ(placed.left, c.bar.left);
        EXPECT_EQ(placed.right, c.bar.right);
        EXPECT_EQ(placed.top, c.top);
        EXPECT_EQ(placed.bottom, c.bottom);
        // The list follows the strip's width.
        RECT list, inner;
        GetWindowRect(GetDlgItem(chooser, IDC_WWW_SITES), &list);
        GetClientRect(chooser, &inner);
        EXPECT_EQ(list.right - list.left, inner.right);
    }
}

}  // namespace

// A URL the shell cannot take safely is never handed over: the answer line says why, the word
// stays in the input line and out of the history. Lengths count UTF-16 characters, not bytes.
TEST_F(WwwModeTest, UrlBeyondTheShellLimitIsRefusedWhole) {
    const std::string prefix = "https://www.google.co.jp/search?hl=ja&q=";
    const size_t limit = ShellOpenLimit();
    ASSERT_GT(limit, prefix.size() + 2);
    const std::string kanji = "検";  // two bytes, one character
    struct Case {
        std::string word;
        bool opened;
    };
    const Case cases[] = {
        {std::string(limit - prefix.size(), 'a'), true},
        {std::string(limit - prefix.size() + 1, 'a'), false},
        {std::string(32767, 'a'), false},
        {[&] {
             std::string w;
             for (size_t i = 0; i < limit - prefix.size(); ++i)
                 w += kanji;
             return w;
         }(),
         true},
        {[&] {
             std::string w;
             for (size_t i = 0; i < 16383; ++i)
                 w += kanji;
             return w;
         }(),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word.size());
        g_opened.clear();
        mode.history.clear();
        mode.historyCursor = 0;
        Apply();
        mode.Execute(c.word);
        EXPECT_EQ(g_opened.size(), c.opened ? 1u : 0u);
        EXPECT_EQ(mode.inputChanged, c.opened);
        EXPECT_EQ(mode.history.size(), c.opened ? 1u : 0u);
        if (!c.opened) {
            EXPECT_TRUE(mode.answerChanged);
            EXPECT_EQ(mode.answerText.rfind("Error: URLが長すぎます（", 0), 0u) << mode.answerText;
            EXPECT_NE(mode.answerText.find("ブラウザに渡せるのは" + std::to_string(limit) + "文字まで"),
                      std::string::npos);
        }
    }
    // The platform call itself refuses what is too long, whoever calls it.
    EXPECT_FALSE(ShellOpen(bar, prefix + std::string(limit, 'a')));
    EXPECT_EQ(ShellTargetLength(prefix + kanji), prefix.size() + 1);
}
