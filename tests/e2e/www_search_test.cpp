// Searches end to end: the word typed into the real bar, the URL as it reaches xdg-open through
// Wine's shell, the settings file, the error line and the history keys.
#include "www_fixture.h"

using namespace e2e;

namespace {

TEST_F(WwwTest, DefaultSiteGetsTheWordAsTyped) {
    ASSERT_TRUE(StartInWww());
    EXPECT_EQ(Search("pavra test"), Expected(std::string(kGooglePrefix) + "pavra test"));
    EXPECT_EQ(bar.Text(IDC_INPUT), "");
    EXPECT_EQ(bar.Text(IDC_ANSWER), kWwwWelcome);
}

TEST_F(WwwTest, JapaneseWordArrivesAsTheSameCharacters) {
    ASSERT_TRUE(StartInWww());
    const std::string word = "日本語の検索　表示";  // 表 and 示 carry a backslash byte in code page 932
    EXPECT_EQ(Search(word), Expected(kGooglePrefix + word));
}

TEST_F(WwwTest, SiteOneTakesSpaceAndAmpersandUnencoded) {
    ASSERT_TRUE(StartInWww("WWWSiteIndex=1\r\n"));
    const std::string url = Search("a b&c");
    EXPECT_EQ(url, "https://search.yahoo.co.jp/search?p=a b&c");
    // Pavra encodes nothing: the ampersand reached the browser as a second query separator.
    EXPECT_NE(RecordedUrls().back().find("p=a"), std::string::npos);
    EXPECT_NE(RecordedUrls().back().find("&c"), std::string::npos);
}

TEST_F(WwwTest, WikipediaTakesTheWordAsLastPathSegment) {
    ASSERT_TRUE(StartInWww("WWWSiteIndex=5\r\n"));
    EXPECT_EQ(Search("ソフトウェア"), Expected("https://ja.wikipedia.org/wiki/ソフトウェア"));
}

TEST_F(WwwTest, PostfixFromTheSettingsComesAfterTheWord) {
    ASSERT_TRUE(StartInWww("WWWPostFix0=&num=50\r\n"));
    EXPECT_EQ(Search("pavra"), std::string(kGooglePrefix) + "pavra&num=50");
    // An empty word still searches: prefix and postfix alone.
    EXPECT_EQ(Search(""), std::string(kGooglePrefix) + "&num=50");
}

TEST_F(WwwTest, SiteIndexOutOfRangeIsClampedToTheLastSite) {
    ASSERT_TRUE(StartInWww("WWWSiteIndex=9\r\n"));
    EXPECT_EQ(bar.Ini().Int("www", "WWWSiteIndex"), 5);
    EXPECT_EQ(ComboSelection(SiteList()), 5);
    EXPECT_EQ(Search("Pavra"), "https://ja.wikipedia.org/wiki/Pavra");
}

TEST_F(WwwTest, OwnSiteFromTheSettingsFile) {
    ASSERT_TRUE(StartInWww("WWWSite2=Mine\r\nWWWURL2=https://example.org/find?w=\r\nWWWSiteIndex=2\r\n"));
    EXPECT_EQ(ComboItems(SiteList())[2], "Mine");
    EXPECT_EQ(Search("x"), "https://example.org/find?w=x");
}

TEST_F(WwwTest, FailedOpenShowsTheErrorAndKeepsHistory) {
    ASSERT_TRUE(StartInWww("WWWURL1=nosuchscheme:\r\n", kPinned));
    ASSERT_EQ(Search("kept"), std::string(kGooglePrefix) + "kept");

    // Site 1 now has a prefix no program handles.
    ASSERT_TRUE(PickSite(1));
    ASSERT_TRUE(bar.Type("lost\n"));
    ASSERT_TRUE(bar.WaitText(IDC_ANSWER, kWwwOpenFailed));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, ""));
    EXPECT_EQ(RecordedUrls().size(), 1u);
    // The history holds the earlier word only.
    ASSERT_TRUE(bar.Keys("Up"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "kept"));
    ASSERT_TRUE(bar.Keys("Up"));
    EXPECT_TRUE(bar.WaitText(IDC_INPUT, "kept"));

    // The message outlives a later search and a trip to another mode and back.
    ASSERT_TRUE(bar.Keys("Down"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, ""));
    ASSERT_TRUE(StepModeList("Down", 0));
    ASSERT_TRUE(StepModeList("Up", WwwIndex()));
    EXPECT_TRUE(bar.WaitText(IDC_ANSWER, kWwwOpenFailed));
}

// Wine's shell takes a URL of 971 characters at most; a longer one once brought the bar down.
constexpr size_t kWineShellLimit = 971;
constexpr char kTooLong[] = "Error: URLが長すぎます（";

// Pastes the line into the emptied input line and waits until all of it has arrived.
::testing::AssertionResult Paste(PavraBar& bar, const std::string& line) {
    if (!SetClipboardText(line))
        return ::testing::AssertionFailure() << "no clipboard";
    auto cleared = bar.ClearInput();
    if (!cleared)
        return cleared;
    if (!bar.Keys("Ctrl+V"))
        return ::testing::AssertionFailure() << "no paste key";
    if (!WaitUntil([&] { return bar.Text(IDC_INPUT) == line; }, 10000))
        return ::testing::AssertionFailure()
               << "the paste did not arrive whole: " << bar.Text(IDC_INPUT).size() << " of " << line.size()
               << " bytes, answer " << bar.Text(IDC_ANSWER);
    return ::testing::AssertionSuccess();
}

TEST_F(WwwTest, LongestUrlArrivesWholeAndALongerOneIsRefusedWithTheWordKept) {
    ASSERT_TRUE(StartInWww("", kPinned));
    const std::string longest(kWineShellLimit - std::string(kGooglePrefix).size(), 'w');
    ASSERT_TRUE(Paste(bar, longest));
    ASSERT_TRUE(bar.Keys("Return"));
    ASSERT_TRUE(WaitForRecordedUrls(1));
    EXPECT_EQ(PercentDecoded(RecordedUrls().back()), kGooglePrefix + longest);

    struct Case {
        const char* what;
        std::string word;
    };
    std::string japanese;
    while (japanese.size() < 2 * 1200)
        japanese += "検索";
    const Case cases[] = {
        {"one character more", longest + "w"},
        {"1,200 characters", std::string(1200, 'x')},
        {"1,200 Japanese characters", japanese},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Paste(bar, c.word));
        ASSERT_TRUE(bar.Keys("Return"));
        ASSERT_TRUE(WaitUntil([&] { return bar.Text(IDC_ANSWER).rfind(kTooLong, 0) == 0; }));
        ASSERT_TRUE(bar.Process().Running());
        EXPECT_EQ(bar.Text(IDC_INPUT), c.word);
        EXPECT_EQ(RecordedUrls().size(), 1u);
    }
    // The bar searches on with a shorter word.
    ASSERT_TRUE(bar.ClearInput());
    ASSERT_TRUE(bar.Type("short\n"));
    ASSERT_TRUE(WaitForRecordedUrls(2));
    EXPECT_EQ(PercentDecoded(RecordedUrls().back()), std::string(kGooglePrefix) + "short");
}

TEST_F(WwwTest, LongSitePrefixFromTheSettingsIsRefusedNotFatal) {
    for (size_t length : {1000u, 4095u}) {
        SCOPED_TRACE(length);
        const std::string prefix = "https://example.org/?" + std::string(length - 21, 'p');
        ASSERT_TRUE(StartInWww("WWWURL0=" + prefix + "\r\n"));
        const size_t recorded = RecordedUrls().size();
        ASSERT_TRUE(bar.Type("x\n"));
        ASSERT_TRUE(WaitUntil([&] { return bar.Text(IDC_ANSWER).rfind(kTooLong, 0) == 0; }));
        ASSERT_TRUE(bar.Process().Running());
        EXPECT_EQ(bar.Text(IDC_INPUT), "x");
        EXPECT_EQ(RecordedUrls().size(), recorded);
        ASSERT_TRUE(bar.Quit());
    }
}

TEST_F(WwwTest, PickedSiteIsWrittenOnTheNextSearchOnly) {
    ASSERT_TRUE(StartInWww("", kPinned));
    ASSERT_TRUE(PickSite(3));
    // Picking alone writes nothing.
    EXPECT_EQ(bar.Ini().Int("www", "WWWSiteIndex"), 0);
    EXPECT_EQ(Search("dictionary"), "https://eow.alc.co.jp/search?q=dictionary");
    EXPECT_EQ(bar.Ini().Int("www", "WWWSiteIndex"), 3);
    const std::string written = bar.Folder().Read("pavra.ini");
    EXPECT_EQ(Search("again"), "https://eow.alc.co.jp/search?q=again");
    EXPECT_EQ(bar.Folder().Read("pavra.ini"), written);
}

TEST_F(WwwTest, HistoryKeepsTheLast64WordsAndMovesAtBothEnds) {
    ASSERT_TRUE(StartInWww());
    // Nothing to move through yet: the line keeps what is typed.
    ASSERT_TRUE(bar.Type("x"));
    for (const char* key : {"Up", "Down", "Escape Shift+Comma", "Escape Shift+Period"}) {
        ASSERT_TRUE(bar.Keys(key));
        EXPECT_TRUE(bar.WaitText(IDC_INPUT, "x")) << key;
    }
    ASSERT_TRUE(bar.Keys("Backspace"));
    ASSERT_TRUE(bar.WaitText(IDC_INPUT, ""));

    for (int i = 1; i <= 65; ++i)
        ASSERT_EQ(Search("w" + std::to_string(i)), std::string(kGooglePrefix) + "w" + std::to_string(i));

    struct Move {
        const char* keys;
        const char* input;
    } moves[] = {
        {"Down", ""},                 // past the newest word already: nothing
        {"Escape Shift+Period", ""},  // last: nothing either
        {"Up", "w65"},
        {"Down", ""},
        {"Escape Shift+Comma", "w2"},  // the first word kept is the second typed
        {"Up", "w2"},                  // nothing before it
        {"Escape Shift+Comma", "w2"},
        {"Down", "w3"},
        {"Escape Shift+Period", ""},
        {"Up", "w65"},
        {"Up", "w64"},
    };
    for (const Move& move : moves) {
        ASSERT_TRUE(bar.Keys(move.keys));
        EXPECT_TRUE(bar.WaitText(IDC_INPUT, move.input)) << move.keys;
    }
}

}  // namespace
