#include "engine/variable_store.h"

namespace {

uint64_t HashName(std::string_view name) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

// The slot that holds name, or the free slot where it would go. The table is never full.
size_t VariableStore::FindSlot(std::string_view name, uint64_t hash) const {
    size_t mask = slots_.size() - 1;
    size_t i = static_cast<size_t>(hash) & mask;
    while (slots_[i] != 0 && names_[slots_[i] - 1] != name)
        i = (i + 1) & mask;
    return i;
}

bool VariableStore::Lookup(std::string_view name, double* value) const {
    if (names_.empty())
        return false;
    uint32_t slot = slots_[FindSlot(name, HashName(name))];
    if (slot == 0)
        return false;
    *value = values_[slot - 1];
    return true;
}

void VariableStore::Assign(std::string_view name, double value) {
    if (slots_.empty())
        slots_.assign(16, 0);
    uint64_t hash = HashName(name);
    size_t i = FindSlot(name, hash);
    if (slots_[i] != 0) {
        values_[slots_[i] - 1] = value;
        return;
    }
    names_.emplace_back(name);
    values_.push_back(value);
    slots_[i] = static_cast<uint32_t>(names_.size());
    if (names_.size() * 2 > slots_.size())
        Grow();
}

// Keeps the table at most half full so that probe runs stay short.
void VariableStore::Grow() {
    slots_.assign(slots_.size() * 2, 0);
    for (size_t n = 0; n < names_.size(); ++n)
        slots_[FindSlot(names_[n], HashName(names_[n]))] = static_cast<uint32_t>(n + 1);
}

void VariableStore::Clear() {
    names_.clear();
    values_.clear();
    slots_.clear();
}
