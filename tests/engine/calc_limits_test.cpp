#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "calc_test_util.h"
#include "engine/calc_parser.h"

#ifdef _WIN32
#include <malloc.h>
#include <windows.h>
#else
#include <alloca.h>
#include <pthread.h>
#endif

namespace {

const char kTooComplex[] = "Error: 数式が複雑すぎます";
const int kDepth = CalcParser::kMaxDepth;

std::string Repeat(const std::string& text, size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

// n levels of nesting of one kind around the operand 1. The line itself is one level.
std::string Parens(int n) { return Repeat("(", n) + "1" + Repeat(")", n); }
std::string Calls(int n) { return Repeat("atan2(0, ", n) + "1" + Repeat(")", n); }
std::string Assignments(int n) { return Repeat("a = ", n) + "1"; }
std::string Mixed(int n) {
    const char* kinds[] = {"+(", "sqrt(", "(0 ? 1 : "};
    std::string open;
    for (int i = 0; i < n; ++i)
        open += kinds[i % 3];
    return open + "1" + Repeat(")", n);
}

#if defined(__SANITIZE_ADDRESS__)
#define PAVRA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PAVRA_ASAN 1
#endif
#endif

// Sanitizers multiply frame sizes; the stack bound only means something without them.
#ifdef PAVRA_ASAN
const size_t kStackBudget = 16u << 20;
#else
// A quarter of the 1 MB that Windows gives the main thread, which also runs the window
// procedures around the calculator.
const size_t kStackBudget = 256u << 10;
#endif

// Runs work on a fresh thread whose stack holds only `bytes`: overflowing it crashes the test.
void RunOnSmallStack(size_t bytes, const std::function<void()>& work) {
#ifdef _WIN32
    HANDLE thread = CreateThread(
        nullptr, bytes,
        [](void* param) -> DWORD {
            (*static_cast<const std::function<void()>*>(param))();
            return 0;
        },
        const_cast<std::function<void()>*>(&work), STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
#else
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, bytes);
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, &attr,
                  [](void* param) -> void* {
                      (*static_cast<const std::function<void()>*>(param))();
                      return nullptr;
                  },
                  const_cast<std::function<void()>*>(&work)),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
#endif
}

// The stack a call of work() needs at most: the stack below this frame is painted with a
// pattern first, and afterwards the lowest byte that no longer holds it marks the deepest point.
const size_t kPainted = 192u << 10;
const size_t kSlack = 16u << 10;
const unsigned char kPaint = 0xA5;

__attribute__((noinline)) uintptr_t PaintStack() {
    volatile unsigned char* area = static_cast<unsigned char*>(alloca(kPainted));
    for (size_t i = 0; i < kPainted; ++i)
        area[i] = kPaint;
    return reinterpret_cast<uintptr_t>(area);
}

// Its own area reaches below the painted one, so every byte it reads lies inside its frame.
__attribute__((noinline)) uintptr_t DeepestTouched(uintptr_t painted) {
    volatile unsigned char* area = static_cast<unsigned char*>(alloca(kPainted + kSlack));
    if (reinterpret_cast<uintptr_t>(area) > painted)
        return painted;  // cannot tell: count the whole painted area as used
    uintptr_t i = painted;
    uintptr_t end = painted + kPainted;
    while (i < end && area[i - reinterpret_cast<uintptr_t>(area)] == kPaint)
        ++i;
    return i;
}

__attribute__((noinline)) size_t StackUse(const std::function<void()>& work) {
    volatile char mark = 0;
    uintptr_t painted = PaintStack();
    work();
    uintptr_t deepest = DeepestTouched(painted);
    uintptr_t top = reinterpret_cast<uintptr_t>(&mark);
    return top > deepest ? top - deepest : 0;
}

struct Nesting {
    const char* kind;
    std::string (*make)(int);
    const char* value;
};

const Nesting kNestings[] = {
    {"parentheses", Parens, "1"},
    {"function calls", Calls, "0"},
    {"assignments", Assignments, "1"},
    {"mixed", Mixed, "1"},
};

// The deepest line that is accepted, and the first that is not, on a thread whose stack is a
// quarter of the 1 MB that a Windows main thread has. Wine gives every thread at least 1 MB, so
// the stack actually used is measured as well: it must stay below an eighth.
TEST(Limits, DeepestAcceptedNestingFitsTheStack) {
    for (const Nesting& n : kNestings) {
        std::string deepest = n.make(kDepth - 1);
        std::string tooDeep = n.make(kDepth);
        std::string atLimit, beyond;
        size_t used = 0;
        RunOnSmallStack(kStackBudget, [&] {
            used = StackUse([&] { atLimit = EvalText(deepest.c_str()); });
            beyond = EvalText(tooDeep.c_str());
        });
        EXPECT_EQ(atLimit, n.value) << n.kind;
        EXPECT_EQ(beyond, kTooComplex) << n.kind;
#ifndef PAVRA_ASAN
        std::printf("[ stack    ] %s: %d levels use %zu bytes\n", n.kind, kDepth, used);
        EXPECT_LT(used, kPainted) << n.kind;
#endif
    }
}

TEST(Limits, NestingIsCountedPerLine) {
    VariableStore store;
    std::string line = Parens(kDepth - 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(EvalText(line, store), "1");
    std::string wide = Repeat(Parens(kDepth - 1) + " + ", 100) + "1";
    EXPECT_EQ(EvalText(wide, store), "101");
}

// Lines of a megabyte: long chains, long names, long literals. None may be slow or fail
// other than with its own message.
TEST(Limits, MegabyteLines) {
    const size_t mb = 1u << 20;
    VariableStore store;
    store.Assign("x", 2);
    struct LongCase {
        std::string line;
        std::string expected;
    };
    const LongCase cases[] = {
        {Repeat("1+", mb / 2).append("1"), "524289"},
        {Repeat("x*0+", mb / 4).append("x"), "2"},
        {Repeat("0 ? 1 : ", mb / 8).append("7"), "7"},
        {Repeat(" ", mb), "command 0"},
        {(Repeat(" ", mb) + "help" + Repeat(" ", mb)), "command 6"},
        {Repeat("(", mb), kTooComplex},
        {Repeat("-", mb), "Error: 符号が二重になっています"},
        {(Repeat("0", mb) + "1"), "1"},
        {(Repeat("0", mb) + "x1"), "Error: 数式の最後に余計なものが付いています"},
        {("0." + Repeat("0", mb) + "1"), "Error: レンジエラー（オーバー／アンダーフロー）"},
        {("1" + Repeat("0", mb)), "Error: レンジエラー（オーバー／アンダーフロー）"},
        {("1" + Repeat("0", 300)), "1e+300"},
        {("0x" + Repeat("0", mb) + "1"), "1"},
    };
    for (const LongCase& c : cases)
        EXPECT_EQ(EvalText(c.line.c_str(), store), c.expected) << c.line.substr(0, 20);
    std::string name = Repeat("n", mb);
    EXPECT_EQ(EvalText(name, store), "Error: 変数が存在しません" + name);
    std::string spaced = Repeat("n ", mb / 2) + "= 3";
    EXPECT_EQ(EvalText(spaced, store), "3");
    double value = 0;
    EXPECT_TRUE(store.Lookup(std::string(mb / 2, 'n'), &value));
}

}  // namespace
