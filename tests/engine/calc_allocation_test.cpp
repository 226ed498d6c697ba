// One evaluation of a typical line makes no heap allocation: the calculator evaluates at each
// Enter and the variable list re-reads every value. Counted by replacing operator new, which
// the sanitizers' own allocator must keep, so the check runs in the plain builds only.
#include <gtest/gtest.h>

#if !defined(__SANITIZE_ADDRESS__)

#include <cstdlib>
#include <new>

#include "calc_test_util.h"

namespace {
long allocations = 0;
}  // namespace

void* operator new(size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

namespace {

TEST(Allocation, TypicalLinesAllocateNothing) {
    VariableStore store;
    CalcResult result;
    CalcEvaluate(false, "price = 1980", store, &result);
    CalcEvaluate(false, "rate = 1.1", store, &result);
    const char* const lines[] = {
        "1/(sqrt(2*pi)*0.5) * exp( -pow(1,2) / (2*pow(0.5,2)) )",
        "total = price * rate",
        "x = y = 0xFFul & 0x0F | 1 << 4",
        "atan2(1, 2) * 180 / pi ? ans : -e",
        "my var = 123456.789e-3 % 7",
        "   ",
        "help",
    };
    // The first assignment of a name stores it; from then on nothing more is allocated.
    for (const char* line : lines)
        CalcEvaluate(true, line, store, &result);
    for (const char* line : lines) {
        long before = allocations;
        CalcEvaluate(true, line, store, &result);
        EXPECT_EQ(allocations - before, 0) << line;
    }
}

}  // namespace

#endif
