// The calculator's variables: names in order of first assignment, each with its value.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class VariableStore {
public:
    bool Lookup(const std::string& name, double* value) const;
    void Assign(const std::string& name, double value);
    void Clear();

    // Calls visit(name, value) for every variable in order of first assignment.
    template <typename Visit>
    void Enumerate(Visit visit) const {
        for (const std::string& name : names_) {
            auto it = values_.find(name);
            if (it != values_.end())
                visit(name, it->second);
        }
    }

    size_t Count() const { return names_.size(); }

private:
    std::vector<std::string> names_;
    std::unordered_map<std::string, double> values_;
};
