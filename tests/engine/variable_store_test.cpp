#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calc_test_util.h"
#include "engine/variable_store.h"

namespace {

std::vector<std::pair<std::string, double>> Listing(const VariableStore& store) {
    std::vector<std::pair<std::string, double>> rows;
    store.Enumerate([&](const std::string& name, double value) { rows.emplace_back(name, value); });
    return rows;
}

TEST(VariableStore, KeepsFirstAssignmentOrder) {
    VariableStore store;
    EvalText("x = 1", store);
    EvalText("y = 2", store);
    EvalText("x = 3", store);
    std::vector<std::pair<std::string, double>> expected = {{"x", 3.0}, {"y", 2.0}};
    EXPECT_EQ(Listing(store), expected);
}

TEST(VariableStore, ClearForgetsEverything) {
    VariableStore store;
    EvalText("x = 1", store);
    EvalText("7", store);
    store.Clear();
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_EQ(EvalText("x", store), "Error: 変数が存在しませんx");
    EXPECT_EQ(EvalText("ans", store), "7");
    EXPECT_EQ(EvalText("x = 5", store), "5");
    EXPECT_EQ(Listing(store).size(), 1u);
}

TEST(VariableStore, NamesAreCaseSensitive) {
    VariableStore store;
    EXPECT_EQ(EvalText("Abc = 1", store), "1");
    EXPECT_EQ(EvalText("abc", store), "Error: 変数が存在しませんabc");
    EXPECT_EQ(EvalText("ABC = 2", store), "2");
    EXPECT_EQ(EvalText("Abc + ABC", store), "3");
}

// Thousands of names, with shared prefixes and growth of the index along the way: each keeps
// its value and its place.
TEST(VariableStore, ManyNames) {
    VariableStore store;
    const int count = 5000;
    for (int i = 0; i < count; ++i)
        store.Assign("v" + std::to_string(i), i);
    for (int i = 0; i < count; i += 2)
        store.Assign("v" + std::to_string(i), -i);
    ASSERT_EQ(store.Count(), static_cast<size_t>(count));
    int n = 0;
    store.Enumerate([&](const std::string& name, double value) {
        EXPECT_EQ(name, "v" + std::to_string(n));
        EXPECT_EQ(value, n % 2 == 0 ? -n : n);
        ++n;
    });
    double value = 0;
    EXPECT_TRUE(store.Lookup("v4999", &value));
    EXPECT_EQ(value, 4999.0);
    EXPECT_FALSE(store.Lookup("v5000", &value));
    EXPECT_FALSE(store.Lookup("v", &value));
    EXPECT_FALSE(store.Lookup("", &value));
}

}  // namespace
