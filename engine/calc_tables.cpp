#include "engine/calc_tables.h"

#include "engine/calc_engine.h"

// Alphabetical: a command's code is its index here plus one.
const CalcCommandInfo kCalcCommands[14] = {
    {"clear", "定義した変数を全て削除します"},
    {"close", "リファレンスダイアログおよび変数ダイアログを閉じます"},
    {"dec", "出力の表示形式を10進数にします"},
    {"deg", "角度の入出力モードを「度」にします"},
    {"exit", "プログラムを終了します"},
    {"help", "リファレンスマニュアルを表示します"},
    {"hex", "出力の表示形式を16進数にします"},
    {"man", "ユーザーズマニュアルを表示します"},
    {"manual", "ユーザーズマニュアルを表示します"},
    {"quit", "プログラムを終了します"},
    {"rad", "角度の入出力モードをラジアンにします"},
    {"ref", "リファレンスマニュアルを表示します"},
    {"reference", "リファレンスマニュアルを表示します"},
    {"vars", "使用中の変数一覧を表示します"},
};

// Longer names come before their prefixes: this is also the order in which the evaluator
// matches a function name at the cursor.
const CalcFunctionInfo kCalcFunctions[20] = {
    {"abs", 1, "abs( arg )", "絶対値"},
    {"acos", 1, "acos( arg )", "アークコサイン（逆余弦）"},
    {"asin", 1, "asin( arg )", "アークサイン（逆正弦）"},
    {"atan2", 2, "atan2( arg0, arg1 )", "arg0/arg1のアークタンジェント（逆正接）"},
    {"atan", 1, "atan( arg )", "アークタンジェント（逆正接）"},
    {"ceil", 1, "ceil( arg )", "正の無限大方向への丸め"},
    {"cosh", 1, "cosh( arg )", "ハイパボリックコサイン（双曲線余弦）"},
    {"cos", 1, "cos( arg )", "コサイン（余弦）"},
    {"exp", 1, "exp( arg )", "エクスポネンシャル:自然対数の底のarg乗"},
    {"fabs", 1, "fabs( arg )", "絶対値（absと同じ）"},
    {"floor", 1, "floor( arg )", "負の無限大方向への丸め"},
    {"fmod", 2, "fmod( arg0, arg1 )", "arg0をarg1で割った余り"},
    {"log10", 1, "log10( arg )", "１０を底とする対数"},
    {"log", 1, "log( arg )", "自然対数"},
    {"pow", 2, "pow( arg0, arg1 )", "べき乗:arg0のarg1乗"},
    {"sinh", 1, "sinh( arg )", "ハイパボリックサイン（双曲線正弦）"},
    {"sin", 1, "sin( arg )", "サイン（正弦）"},
    {"sqrt", 1, "sqrt( arg )", "平方根"},
    {"tanh", 1, "tanh( arg )", "ハイパボリックタンジェント（双曲線正接）"},
    {"tan", 1, "tan( arg )", "タンジェント（正接）"},
};

const CalcConstantInfo kCalcConstants[3] = {
    {"ans", "直前の計算結果"},
    {"pi", "π（円周率）"},
    {"e", "自然対数の底"},
};

const CalcOperatorInfo kCalcOperators[19] = {
    {"*", "掛け算", ""},
    {"/", "割り算", ""},
    {"%", "剰余（余り）", "整数にしてから演算が行われる"},
    {"+", "足し算", ""},
    {"-", "引き算", ""},
    {"<<", "左シフト", "整数にしてから演算が行われる"},
    {">>", "右シフト", "整数にしてから演算が行われる"},
    {"<", "小なり", "式の評価値は１or０"},
    {">", "大なり", "式の評価値は１or０"},
    {"<=", "小なりイコール", "式の評価値は１or０"},
    {">=", "大なりイコール", "式の評価値は１or０"},
    {"==", "等価等", "式の評価値は１or０"},
    {"!=", "不等価", "式の評価値は１or０"},
    {"&", "ビット単位論理積", "整数にしてから演算が行われる"},
    {"^", "ビット単位排他的論理和", "整数にしてから演算が行われる"},
    {"|", "ビット単位論理和", "整数にしてから演算が行われる"},
    {"&&", "論理積", "式の評価値は１or０"},
    {"||", "論理和", "式の評価値は１or０"},
    {"=", "代入", "式の評価値は代入された値"},
};

const char* const kCalcGreeting =
    "Calc: 数式を入力すると答えを表示します。詳しくは、helpまたはmanualと入力してください。";

namespace {

// "ref" answers with the row of "reference".
const CalcCommandInfo* AnswerRow(int code) {
    if (code < CalcClear || code > CalcVars)
        return nullptr;
    if (code == CalcRef)
        code = CalcReference;
    return &kCalcCommands[code - 1];
}

}  // namespace

const char* CalcCommandWord(int code) {
    const CalcCommandInfo* row = AnswerRow(code);
    return row ? row->word : "";
}

const char* CalcCommandDescription(int code) {
    const CalcCommandInfo* row = AnswerRow(code);
    return row ? row->description : "";
}

std::string CalcCommandAnswer(int code) {
    const CalcCommandInfo* row = AnswerRow(code);
    if (!row)
        return std::string();
    return std::string(row->word) + ": " + row->description;
}
