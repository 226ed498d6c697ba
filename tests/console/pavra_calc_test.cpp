// pavra-calc as a user runs it: UTF-8 lines in, one answer line out for each.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

struct CalcRun {
    int status;
    std::string output;
};

CalcRun RunCalc(const std::string& options, const std::string& input) {
    char path[] = "/tmp/pavra-calc-input-XXXXXX";
    int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(fd);
    std::string command = std::string(PAVRA_CALC) + " " + options + " < " + path + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    CalcRun run{-1, ""};
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    unlink(path);
    return run;
}

struct ConsoleCase {
    const char* what;
    const char* options;
    const char* input;
    const char* output;
};

const ConsoleCase kCases[] = {
    {"empty lines greet", "", "\n   \n",
     u8"Calc: 数式を入力すると答えを表示します。詳しくは、helpまたはmanualと入力してください。\n"
     u8"Calc: 数式を入力すると答えを表示します。詳しくは、helpまたはmanualと入力してください。\n"},
    {"values with commas", "", "1234567\n-1234567.25\n1e16\n1/3\n",
     "1,234,567\n-1,234,567.25\n1e+016\n0.3333333333333333\n"},
    {"no commas", "--no-comma", "1234567\n", "1234567\n"},
    {"hex from the start", "--hex", "255\n-1\n", "0xFF\n0xFFFFFFFF\n"},
    {"hex and dec before any value", "", "hex\n255\ndec\n",
     u8"hex: 出力の表示形式を16進数にします\n0xFF\n255\n"},
    {"hex and dec show the last value", "", "1000\n1/0\nhex\ndec\n",
     u8"1,000\nError: 0による割り算です\n0x3E8\n1,000\n"},
    {"command texts", "", "help\nref\nreference\nman\nmanual\nvars\nclose\n",
     u8"help: リファレンスマニュアルを表示します\nreference: リファレンスマニュアルを表示します\n"
     u8"reference: リファレンスマニュアルを表示します\nman: ユーザーズマニュアルを表示します\n"
     u8"manual: ユーザーズマニュアルを表示します\nvars: 使用中の変数一覧を表示します\n"
     u8"close: リファレンスダイアログおよび変数ダイアログを閉じます\n"},
    {"clear empties the variables, not ans", "", "x = 2\nclear\nx\nans\n",
     u8"2\nclear: 定義した変数を全て削除します\nError: 変数が存在しませんx\n2\n"},
    {"angle modes", "", "deg\nasin(1)\nrad\nasin(1)\n",
     u8"deg: 角度の入出力モードを「度」にします\n90\nrad: "
     u8"角度の入出力モードをラジアンにします\n1.570796326794897\n"},
    {"degrees from the start", "--deg", "sin(90)\n", "1\n"},
    {"exit ends the input", "", "1\nexit\n2\n", u8"1\nexit: プログラムを終了します\n"},
    {"quit ends the input", "", "quit\n2\n", u8"quit: プログラムを終了します\n"},
    {"error texts", "", "1+\nsqrt(-1)\nHELP\n",
     u8"Error: 数式の最後に何かが足りません\nError: 関数内でエラーが起きましたsqrt\nError: "
     u8"変数が存在しませんHELP\n"},
    {"non-ASCII and broken UTF-8", "", u8"1 + あ\n\xff\xfe\n1 ＋ 1\n",
     u8"Error: 不正な数です\nError: 不正な数です\nError: 数式の最後に余計なものが付いています\n"},
    {"CR LF lines", "", "1+1\r\nhelp\r\n\r\n",
     u8"2\nhelp: リファレンスマニュアルを表示します\n"
     u8"Calc: 数式を入力すると答えを表示します。詳しくは、helpまたはmanualと入力してください。\n"},
    {"last line without newline", "", "2*21", "42\n"},
    {"inf and nan in decimal", "", "1e308*10\n-1e308*10\n1e308*10-1e308*10\n", "inf\n-inf\nnan\n"},
};

TEST(PavraCalc, LinesToAnswers) {
    for (const ConsoleCase& c : kCases) {
        CalcRun run = RunCalc(c.options, c.input);
        EXPECT_EQ(run.output, c.output) << c.what;
        EXPECT_EQ(run.status, 0) << c.what;
    }
}

// A NUL byte does not cut the line short: the rest is still read, and rejected.
TEST(PavraCalc, NulInsideALine) {
    CalcRun run = RunCalc("", std::string("12\0+5\n7\n", 8));
    EXPECT_EQ(run.output, u8"Error: 数式の最後に余計なものが付いています\n7\n");
}

TEST(PavraCalc, MegabyteLine) {
    std::string line;
    for (int i = 0; i < (1 << 19); ++i)
        line += "1+";
    CalcRun run = RunCalc("", line + "1\n" + line + "\n");
    EXPECT_EQ(run.output, u8"524,289\nError: 数式の最後に何かが足りません\n");
}

TEST(PavraCalc, UnknownOptionIsRefused) {
    CalcRun run = RunCalc("--octal", "1\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "");
}

}  // namespace
