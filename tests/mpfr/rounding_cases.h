// The arguments on which the rounding test holds each function against MPFR: random ones over
// the whole domain and the usual range, and the hard ones of each function.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Arguments = std::vector<std::pair<double, double>>;

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    double Uniform(double low, double high) {
        return low + (high - low) * (static_cast<double>(Next() >> 11) / 9007199254740992.0);
    }
    // Any finite double, every exponent equally likely.
    double AnyDouble();

private:
    uint64_t state_;
};

// `count` random arguments of function `name`, half over its whole domain, half in the range
// that a user types.
Arguments RandomArguments(const std::string& name, int count, Random& random);
// Arguments near the places where rounding or range is hardest for the function.
Arguments HardArguments(const std::string& name);
