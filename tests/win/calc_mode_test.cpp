// The calculator mode driven through its mode interface, as the bar drives it; what it
// publishes is read back and cleared the way the bar's ApplyModeChanges does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "modes/calc/calc_mode.h"

namespace {

const char kGreeting[] =
    "Calc: 数式を入力すると答えを表示します。詳しくは、helpまたはmanualと入力してください。";

struct Applied {
    bool inputChanged = false;
    std::string input;
    bool answerChanged = false;
    std::string answer;
    std::string mode0;
    std::string mode1;
    bool follow = false;
    bool focus = false;
    bool quit = false;
    bool manual = false;
    std::vector<int> ints;
};

// Takes what the mode published and clears its flags.
Applied Apply(CpavraModeBase& mode) {
    Applied a;
    a.inputChanged = mode.inputChanged;
    a.input = mode.inputChanged ? mode.inputText : "";
    a.answerChanged = mode.answerChanged;
    a.answer = mode.answerChanged ? mode.answerText : "";
    a.mode0 = mode.mode0Changed ? mode.mode0Text : "";
    a.mode1 = mode.mode1Changed ? mode.mode1Text : "";
    a.follow = mode.followRequest;
    a.focus = mode.focusRequest;
    a.quit = mode.quitRequest;
    a.manual = mode.manualRequest;
    a.ints = mode.changedInts;
    mode.inputChanged = mode.answerChanged = mode.mode0Changed = mode.mode1Changed = false;
    mode.button0Changed = mode.button1Changed = mode.button2Changed = false;
    mode.followRequest = mode.focusRequest = mode.quitRequest = mode.manualRequest = false;
    mode.intChanged = mode.stringChanged = false;
    mode.changedInts.clear();
    mode.changedStrings.clear();
    return a;
}

// The settings dialog replaced by a scripted answer.
class ScriptedCalcMode : public CcalcMode {
public:
    ScriptedCalcMode() : CcalcMode(0) {}
    bool dialogOk = true;
    int dialogComma = 0;
    int dialogFollow = 0;
    int seenComma = -1;
    int seenFollow = -1;

protected:
    bool RunSettingsDialog(int* useComma, int* followWindow) override {
        seenComma = *useComma;
        seenFollow = *followWindow;
        *useComma = dialogComma;
        *followWindow = dialogFollow;
        return dialogOk;
    }
};

class CalcModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        CalcResetLastAnswer();
        mode.Activate();
        Apply(mode);
    }
    Applied Run(const std::string& line) {
        mode.Execute(line);
        return Apply(mode);
    }
    ScriptedCalcMode mode;
};

TEST(CalcModeStart, FirstActivationGreetsAndPublishesLabelsAndButtons) {
    CcalcMode mode(0);
    mode.SetInt(CcalcMode::kModeDeg, 1);
    mode.Activate();
    EXPECT_TRUE(mode.initialized);
    EXPECT_EQ(mode.button0Text, "リファレンス");
    EXPECT_EQ(mode.button1Text, "変数一覧");
    EXPECT_EQ(mode.button2Text, "設定");
    Applied a = Apply(mode);
    EXPECT_TRUE(a.inputChanged);
    EXPECT_EQ(a.input, "");
    EXPECT_EQ(a.answer, kGreeting);
    EXPECT_EQ(a.mode0, "DEG");
    EXPECT_EQ(a.mode1, "DEC");
}

TEST_F(CalcModeTest, CommandsAnswerAndRequestWithoutQueueingSettings) {
    struct Case {
        const char* line;
        const char* answer;
        bool follow, focus, quit, manual;
    };
    const Case cases[] = {
        {"", kGreeting, false, false, false, false},
        {"clear", "clear: 定義した変数を全て削除します", false, false, false, false},
        {"close", "close: リファレンスダイアログおよび変数ダイアログを閉じます", false, false, false, false},
        {"dec", "dec: 出力の表示形式を10進数にします", false, false, false, false},
        {"deg", "deg: 角度の入出力モードを「度」にします", false, false, false, false},
        {"rad", "rad: 角度の入出力モードをラジアンにします", false, false, false, false},
        {"hex", "hex: 出力の表示形式を16進数にします", false, false, false, false},
        {"exit", "exit: プログラムを終了します", false, false, true, false},
        {"quit", "quit: プログラムを終了します", false, false, true, false},
        {"man", "man: ユーザーズマニュアルを表示します", false, false, false, true},
        {"manual", "manual: ユーザーズマニュアルを表示します", false, false, false, true},
        {"  help  ", "help: リファレンスマニュアルを表示します", true, true, false, false},
        {"ref", "reference: リファレンスマニュアルを表示します", true, true, false, false},
        {"reference", "reference: リファレンスマニュアルを表示します", true, true, false, false},
        {"vars", "vars: 使用中の変数一覧を表示します", true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Applied a = Run(c.line);
        EXPECT_TRUE(a.inputChanged);
        EXPECT_EQ(a.input, "");
        EXPECT_EQ(a.answer, c.answer);
        EXPECT_EQ(a.follow, c.follow);
        EXPECT_EQ(a.focus, c.focus);
        EXPECT_EQ(a.quit, c.quit);
        EXPECT_EQ(a.manual, c.manual);
        EXPECT_TRUE(a.ints.empty());
    }
}

TEST_F(CalcModeTest, TypedSwitchesChangeLabelsAndFormatButAreNotQueued) {
    EXPECT_EQ(Run("255").answer, "255");
    Applied a = Run("hex");
    EXPECT_EQ(a.answer, "0xFF");
    EXPECT_EQ(a.mode1, "HEX");
    EXPECT_EQ(mode.GetInt(CcalcMode::kModeHex), 1);
    EXPECT_EQ(Run("dec").answer, "255");
    EXPECT_EQ(Run("deg").mode0, "DEG");
    EXPECT_EQ(Run("sin(90)").answer, "1");
    EXPECT_EQ(Run("rad").mode0, "RAD");
    EXPECT_EQ(mode.GetInt(CcalcMode::kModeDeg), 0);
    EXPECT_TRUE(a.ints.empty());
}

TEST_F(CalcModeTest, LabelClicksToggleAndQueueTheirSetting) {
    mode.OnMode0Click();
    Applied a = Apply(mode);
    EXPECT_EQ(a.mode0, "DEG");
    EXPECT_EQ(a.ints, std::vector<int>{CcalcMode::kModeDeg});
    EXPECT_FALSE(a.answerChanged);

    mode.OnMode1Click();
    a = Apply(mode);
    EXPECT_EQ(a.mode1, "HEX");
    EXPECT_FALSE(a.answerChanged);  // no value yet to re-format
    EXPECT_EQ(a.ints, std::vector<int>{CcalcMode::kModeHex});

    Run("1234567");
    mode.OnMode1Click();
    a = Apply(mode);
    EXPECT_EQ(a.mode1, "DEC");
    EXPECT_EQ(a.answer, "1,234,567");
    EXPECT_EQ(mode.GetInt(CcalcMode::kModeHex), 0);
}

TEST_F(CalcModeTest, ErrorKeepsTheLineAndLeavesAnsAndHistoryAlone) {
    Run("1+2");
    Applied a = Run("1+");
    EXPECT_EQ(a.input, "1+");
    EXPECT_EQ(a.answer.rfind("Error: ", 0), 0u) << a.answer;
    EXPECT_EQ(CalcLastAnswer(), 3.0);
    mode.HistoryPrevious();
    a = Apply(mode);
    EXPECT_EQ(a.input, "1+2");
    EXPECT_EQ(a.answer, "3");
    mode.HistoryPrevious();
    EXPECT_FALSE(Apply(mode).inputChanged);
}

TEST_F(CalcModeTest, HistoryMovesOverEntries) {
    // Each step: the move, then the input and answer it publishes ("-" for nothing published).
    struct Step {
        void (CcalcMode::*move)();
        const char* input;
        const char* answer;
    };
    for (auto move : {&CcalcMode::HistoryFirst, &CcalcMode::HistoryLast, &CcalcMode::HistoryPrevious,
                      &CcalcMode::HistoryNext}) {
        (mode.*move)();
        EXPECT_FALSE(Apply(mode).inputChanged) << "empty history";
    }
    Run("1+2");
    Run("a=10");
    Run("a*2");
    const Step steps[] = {
        {&CcalcMode::HistoryNext, "-", "-"},        {&CcalcMode::HistoryLast, "-", "-"},
        {&CcalcMode::HistoryPrevious, "a*2", "20"}, {&CcalcMode::HistoryPrevious, "a=10", "10"},
        {&CcalcMode::HistoryFirst, "1+2", "3"},     {&CcalcMode::HistoryFirst, "-", "-"},
        {&CcalcMode::HistoryPrevious, "-", "-"},    {&CcalcMode::HistoryNext, "a=10", "10"},
        {&CcalcMode::HistoryLast, "", "20"},        {&CcalcMode::HistoryPrevious, "a*2", "20"},
        {&CcalcMode::HistoryNext, "", "20"},
    };
    int n = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(n++);
        (mode.*s.move)();
        Applied a = Apply(mode);
        bool expected = std::string(s.input) != "-";
        EXPECT_EQ(a.inputChanged, expected);
        EXPECT_EQ(a.answerChanged, expected);
        if (expected) {
            EXPECT_EQ(a.input, s.input);
            EXPECT_EQ(a.answer, s.answer);
        }
    }
}

TEST_F(CalcModeTest, HistoryKeepsTheLast64Values) {
    for (int i = 1; i <= 65; ++i)
        Run(std::to_string(i));
    mode.HistoryFirst();
    EXPECT_EQ(Apply(mode).input, "2");
    for (int i = 0; i < 63; ++i)
        mode.HistoryNext();
    EXPECT_EQ(Apply(mode).input, "65");
    mode.HistoryNext();
    Applied a = Apply(mode);
    EXPECT_EQ(a.input, "");
    EXPECT_EQ(a.answer, "65");
}

TEST_F(CalcModeTest, HexReformatsTheValueAtTheHistoryCursor) {
    Run("255");
    Run("16");
    mode.HistoryPrevious();
    mode.HistoryPrevious();
    Apply(mode);
    EXPECT_EQ(Run("hex").answer, "0xFF");
    // After Execute the input line is empty but the cursor stays on the first entry.
    mode.HistoryNext();
    EXPECT_EQ(Apply(mode).answer, "0x10");
}

TEST_F(CalcModeTest, SettingsDialogAppliesOnlyWhatChangedOnOk) {
    struct Case {
        bool ok;
        int comma, follow;
        std::vector<int> queued;
        bool follows;
    };
    // The mode starts with UseComma 1 and FollowWindow 1.
    const Case cases[] = {
        {true, 1, 1, {}, false},
        {false, 0, 0, {}, false},
        {true, 0, 1, {CcalcMode::kUseComma}, false},
        {true, 0, 0, {CcalcMode::kFollowWindow}, false},
        {true, 1, 1, {CcalcMode::kUseComma, CcalcMode::kFollowWindow}, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n++);
        int comma = mode.GetInt(CcalcMode::kUseComma);
        int follow = mode.GetInt(CcalcMode::kFollowWindow);
        mode.dialogOk = c.ok;
        mode.dialogComma = c.comma;
        mode.dialogFollow = c.follow;
        mode.OnButton2();
        Applied a = Apply(mode);
        EXPECT_EQ(mode.seenComma, comma);
        EXPECT_EQ(mode.seenFollow, follow);
        EXPECT_EQ(a.ints, c.queued);
        EXPECT_EQ(a.follow, c.follows);
        EXPECT_TRUE(a.focus);
        EXPECT_FALSE(a.answerChanged);  // no value yet
        EXPECT_EQ(mode.GetInt(CcalcMode::kUseComma), c.ok ? c.comma : comma);
    }
}

TEST_F(CalcModeTest, CommaChangeReformatsTheAnswer) {
    Run("1234.5");
    mode.dialogComma = 0;
    mode.dialogFollow = 1;
    mode.OnButton2();
    EXPECT_EQ(Apply(mode).answer, "1234.5");
}

TEST_F(CalcModeTest, ActivationRestoresWhatWasShown) {
    Run("6*7");
    mode.Deactivate("half typed");
    Apply(mode);
    mode.Activate();
    Applied a = Apply(mode);
    EXPECT_EQ(a.input, "half typed");
    EXPECT_EQ(a.answer, "42");
    EXPECT_EQ(a.mode0, "RAD");
    EXPECT_EQ(a.mode1, "DEC");
}

TEST(CalcModeSettings, KeysRangesAndClamping) {
    CcalcMode mode(0);
    EXPECT_STREQ(mode.GetSection(), "calc");
    EXPECT_STREQ(mode.GetCaption(), "電卓モード");
    ASSERT_EQ(mode.GetIntCount(), 4);
    const char* keys[] = {"UseComma", "FollowWindow", "ModeHex", "ModeDeg"};
    const int initial[] = {1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(mode.GetIntKey(i), keys[i]);
        EXPECT_EQ(mode.GetInt(i), initial[i]);
        EXPECT_EQ(mode.GetIntMin(i), 0);
        EXPECT_EQ(mode.GetIntMax(i), 1);
        mode.SetInt(i, 7);
        EXPECT_EQ(mode.GetInt(i), 1);
        mode.SetInt(i, -3);
        EXPECT_EQ(mode.GetInt(i), 0);
    }
    EXPECT_EQ(mode.GetIntKey(4), nullptr);
    EXPECT_EQ(mode.GetIntKey(-1), nullptr);
    EXPECT_EQ(mode.GetStringCount(), 0);
    EXPECT_STREQ(mode.GetInputTip(), "数式を入力します");
    EXPECT_STREQ(mode.GetAnswerTip(), "答えを表示します");
    EXPECT_STREQ(mode.GetMode0Tip(), "角度入出力モード");
    EXPECT_STREQ(mode.GetMode1Tip(), "出力表示モード");
    EXPECT_EQ(mode.GetButton0Tip(), nullptr);
}

}  // namespace
