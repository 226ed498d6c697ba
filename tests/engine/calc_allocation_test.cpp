// One evaluation of a typical line makes no heap allocation: the calculator evaluates at each
// Enter and the variable list re-reads every value. Counted by replacing operator new, which
// the sanitizers' own allocator must keep, so the check runs in the plain builds only.
#include <gtest/gtest.h>

#if !defined(__SANITIZE_ADDRESS__)

#include "allocation_counter.h"
#include "calc_test_util.h"

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
        long before = heapAllocations;
        CalcEvaluate(true, line, store, &result);
        EXPECT_EQ(heapAllocations - before, 0) << line;
    }
}

}  // namespace

#endif
