// The calculator's variables: names in order of first assignment, each with its value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class VariableStore {
public:
    bool Lookup(std::string_view name, double* value) const;
    void Assign(std::string_view name, double value);
    void Clear();

    // Calls visit(name, value) for every variable in order of first assignment.
    template <typename Visit>
    void Enumerate(Visit visit) const {
        for (size_t i = 0; i < names_.size(); ++i)
            visit(names_[i], values_[i]);
    }

    size_t Count() const { return names_.size(); }

private:
    size_t FindSlot(std::string_view name, uint64_t hash) const;
    void Grow();

    std::vector<std::string> names_;
    std::vector<double> values_;
    // Open addressing over names_: each slot holds an index + 1, 0 marks a free slot.
    std::vector<uint32_t> slots_;
};
