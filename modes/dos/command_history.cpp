#include "modes/dos/command_history.h"

#include <utility>

void CommandHistory::Append(std::string command, std::string output) {
    LockGuard lock(historyLock_);
    if (static_cast<int>(commands_.size()) == kMaxPairs) {
        commands_.pop_front();
        outputs_.pop_front();
    }
    commands_.push_back(std::move(command));
    outputs_.push_back(std::move(output));
    cursor_ = static_cast<int>(commands_.size()) + 1;
}

NavResult CommandHistory::MoveFirst() {
    LockGuard lock(historyLock_);
    if (commands_.empty())
        return {};
    if (cursor_ == 0)
        return {NavUnchanged, {}, {}};
    return Select(0);
}

NavResult CommandHistory::MoveLast() {
    LockGuard lock(historyLock_);
    int n = static_cast<int>(commands_.size());
    if (n == 0)
        return {};
    if (cursor_ == n + 1)
        return {NavUnchanged, {}, {}};
    return Select(n + 1);
}

NavResult CommandHistory::MovePrevious() {
    LockGuard lock(historyLock_);
    int n = static_cast<int>(commands_.size());
    if (n == 0 || cursor_ < 0 || cursor_ > n + 1)
        return {};
    if (cursor_ == 0)
        return {NavUnchanged, {}, {}};
    return Select(cursor_ - 1);
}

NavResult CommandHistory::MoveNext() {
    LockGuard lock(historyLock_);
    int n = static_cast<int>(commands_.size());
    if (n == 0 || cursor_ < 0 || cursor_ > n + 1)
        return {};
    if (cursor_ == n + 1)
        return {NavUnchanged, {}, {}};
    return Select(cursor_ + 1);
}

int CommandHistory::Count() const {
    LockGuard lock(historyLock_);
    return static_cast<int>(commands_.size());
}

int CommandHistory::Cursor() const {
    LockGuard lock(historyLock_);
    return cursor_;
}

NavResult CommandHistory::Select(int position) {
    int n = static_cast<int>(commands_.size());
    cursor_ = position;
    if (position == n + 1)
        return {NavBlank, {}, {}};
    if (position == n)
        return {NavCurrent, {}, {}};
    size_t i = static_cast<size_t>(position);
    return {NavEntry, commands_[i], outputs_[i]};
}
