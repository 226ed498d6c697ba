#include "engine/exact_float.h"

#include <cmath>
#include <cstring>

namespace {

using u128 = unsigned __int128;

Fixed Blank(int n) {
    Fixed r;
    r.n = n;
    std::memset(r.w, 0, sizeof(uint64_t) * n);
    return r;
}

// Adds v * 2^shift (shift >= 0) into the words of r.
void PlaceBits(Fixed& r, uint64_t v, int shift) {
    int word = shift / 64, bit = shift % 64;
    if (word < r.n)
        r.w[word] |= v << bit;
    if (bit != 0 && word + 1 < r.n)
        r.w[word + 1] |= v >> (64 - bit);
}

void NegateInPlace(Fixed& a) {
    uint64_t carry = 1;
    for (int i = 0; i < a.n; ++i) {
        uint64_t v = ~a.w[i] + carry;
        carry = carry && v == 0;
        a.w[i] = v;
    }
}

}  // namespace

Fixed FixedInt(int64_t value, int n) {
    Fixed r = Blank(n);
    r.w[n - 1] = static_cast<uint64_t>(value < 0 ? -(value + 1) : value);
    if (value < 0) {
        r.w[n - 1] += 1;
        NegateInPlace(r);
    }
    return r;
}

Fixed FixedFromDouble(double d, int n) {
    Fixed r = Blank(n);
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t mant = bits & ((1ull << 52) - 1);
    if (biased != 0)
        mant |= 1ull << 52;
    else
        biased = 1;
    // d = mant * 2^(biased - 1075); the fixed point counts units of 2^(-64 (n - 1)).
    int shift = biased - 1075 + 64 * (n - 1);
    if (shift >= 0)
        PlaceBits(r, mant, shift);
    else if (shift > -64)
        r.w[0] = mant >> -shift;
    if (bits >> 63)
        NegateInPlace(r);
    return r;
}

double FixedToDouble(const Fixed& a) {
    Fixed m = FixedAbs(a);
    int top = m.n - 1;
    while (top > 0 && m.w[top] == 0)
        --top;
    double v = static_cast<double>(m.w[top]);
    if (top > 0)
        v = v * 18446744073709551616.0 + static_cast<double>(m.w[top - 1]);
    v = std::ldexp(v, 64 * (top - 1) - 64 * (m.n - 1) + (top > 0 ? 0 : 64));
    return FixedNegative(a) ? -v : v;
}

Fixed FixedResize(const Fixed& a, int n) {
    Fixed r = Blank(n);
    int offset = n - a.n;  // words move up by this much
    for (int i = 0; i < a.n; ++i) {
        int j = i + offset;
        if (j >= 0)
            r.w[j] = a.w[i];
    }
    return r;
}

bool FixedNegative(const Fixed& a) { return a.w[a.n - 1] >> 63; }

bool FixedZero(const Fixed& a) {
    for (int i = 0; i < a.n; ++i) {
        if (a.w[i])
            return false;
    }
    return true;
}

int FixedCompare(const Fixed& a, const Fixed& b) {
    Fixed d = FixedSub(a, b);
    if (FixedNegative(d))
        return -1;
    return FixedZero(d) ? 0 : 1;
}

Fixed FixedAdd(const Fixed& a, const Fixed& b) {
    Fixed r;
    r.n = a.n;
    uint64_t carry = 0;
    for (int i = 0; i < a.n; ++i) {
        u128 t = static_cast<u128>(a.w[i]) + b.w[i] + carry;
        r.w[i] = static_cast<uint64_t>(t);
        carry = static_cast<uint64_t>(t >> 64);
    }
    return r;
}

Fixed FixedSub(const Fixed& a, const Fixed& b) {
    Fixed r;
    r.n = a.n;
    uint64_t borrow = 0;
    for (int i = 0; i < a.n; ++i) {
        uint64_t x = a.w[i], y = b.w[i];
        uint64_t d = x - y - borrow;
        borrow = (x < y) || (x == y && borrow);
        r.w[i] = d;
    }
    return r;
}

Fixed FixedNeg(const Fixed& a) {
    Fixed r = a;
    NegateInPlace(r);
    return r;
}

Fixed FixedAbs(const Fixed& a) { return FixedNegative(a) ? FixedNeg(a) : a; }

Fixed FixedMul(const Fixed& a, const Fixed& b) {
    int n = a.n;
    bool negative = FixedNegative(a) != FixedNegative(b);
    Fixed x = FixedAbs(a), y = FixedAbs(b);
    uint64_t p[2 * kFixedMaxWords];
    std::memset(p, 0, sizeof(uint64_t) * 2 * n);
    for (int i = 0; i < n; ++i) {
        if (x.w[i] == 0)
            continue;
        uint64_t carry = 0;
        for (int j = 0; j < n; ++j) {
            u128 t = static_cast<u128>(x.w[i]) * y.w[j] + p[i + j] + carry;
            p[i + j] = static_cast<uint64_t>(t);
            carry = static_cast<uint64_t>(t >> 64);
        }
        p[i + n] = carry;
    }
    Fixed r;
    r.n = n;
    std::memcpy(r.w, p + n - 1, sizeof(uint64_t) * n);
    if (negative)
        NegateInPlace(r);
    return r;
}

Fixed FixedMulInt(const Fixed& a, uint64_t k) {
    bool negative = FixedNegative(a);
    Fixed r = FixedAbs(a);
    uint64_t carry = 0;
    for (int i = 0; i < r.n; ++i) {
        u128 t = static_cast<u128>(r.w[i]) * k + carry;
        r.w[i] = static_cast<uint64_t>(t);
        carry = static_cast<uint64_t>(t >> 64);
    }
    if (negative)
        NegateInPlace(r);
    return r;
}

Fixed FixedDivInt(const Fixed& a, uint64_t k) {
    bool negative = FixedNegative(a);
    Fixed r = FixedAbs(a);
    uint64_t rest = 0;
    for (int i = r.n - 1; i >= 0; --i) {
        u128 t = (static_cast<u128>(rest) << 64) | r.w[i];
        r.w[i] = static_cast<uint64_t>(t / k);
        rest = static_cast<uint64_t>(t % k);
    }
    if (negative)
        NegateInPlace(r);
    return r;
}

Fixed FixedShift(const Fixed& a, int bits) {
    bool negative = FixedNegative(a);
    Fixed m = FixedAbs(a);
    Fixed r = Blank(a.n);
    FixedBits(m.w, m.n, -bits, 64 * m.n, r.w);
    if (negative)
        NegateInPlace(r);
    return r;
}

void FixedBits(const uint64_t* src, int words, int low, int count, uint64_t* dst) {
    int out = (count + 63) / 64;
    for (int k = 0; k < out; ++k) {
        int p = low + 64 * k;  // the bit of src that becomes bit 0 of dst[k]
        uint64_t v = 0;
        int word = p >= 0 ? p / 64 : -((-p + 63) / 64);
        int bit = p - 64 * word;
        if (word >= 0 && word < words)
            v = src[word] >> bit;
        if (bit != 0 && word + 1 >= 0 && word + 1 < words)
            v |= src[word + 1] << (64 - bit);
        dst[k] = v;
    }
    if (count % 64)
        dst[out - 1] &= (1ull << (count % 64)) - 1;
}

Fixed FixedReciprocal(const Fixed& d) {
    int n = d.n;
    Fixed one = FixedInt(1, n);
    Fixed y = FixedFromDouble(1.0 / FixedToDouble(d), n);
    for (int bits = 40; bits < 64 * n + 128; bits *= 2)
        y = FixedAdd(y, FixedMul(y, FixedSub(one, FixedMul(d, y))));
    return y;
}

Fixed FixedDiv(const Fixed& a, const Fixed& d) {
    Fixed y = FixedReciprocal(d);
    Fixed q = FixedMul(a, y);
    // One correction with the remainder takes the error from that of 1/d times a to a few units.
    return FixedAdd(q, FixedMul(FixedSub(a, FixedMul(q, d)), y));
}

Fixed FixedSqrt(const Fixed& a) {
    int n = a.n;
    if (FixedZero(a) || FixedNegative(a))
        return Blank(n);
    Fixed one = FixedInt(1, n);
    Fixed r = FixedFromDouble(1.0 / std::sqrt(FixedToDouble(a)), n);
    for (int bits = 40; bits < 64 * n + 128; bits *= 2) {
        Fixed e = FixedSub(one, FixedMul(a, FixedMul(r, r)));
        r = FixedAdd(r, FixedShift(FixedMul(r, e), -1));
    }
    Fixed s = FixedMul(a, r);
    return FixedAdd(s, FixedShift(FixedMul(r, FixedSub(a, FixedMul(s, s))), -1));
}
