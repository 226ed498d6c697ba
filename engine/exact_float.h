// Multi-word fixed-point numbers for the functions' precise path: plain integer arithmetic, so
// every build computes the same bits.
#pragma once

#include <cstdint>

constexpr int kFixedMaxWords = 56;

// A signed number in two's complement over n 64-bit words, w[0] the least significant: the top
// word is the integer part, the n - 1 words below it the fraction. Every operation keeps its
// operands' n and truncates what falls below the last word, an error under one unit of it.
struct Fixed {
    int n = 0;
    uint64_t w[kFixedMaxWords];
};

Fixed FixedInt(int64_t value, int n);
// Exact when the double's bits fit in n words; |d| must be below 2^63.
Fixed FixedFromDouble(double d, int n);
double FixedToDouble(const Fixed& a);  // near the value, for first guesses and estimates
// The same value with n words: fraction words are dropped or zeros added at the bottom.
Fixed FixedResize(const Fixed& a, int n);

bool FixedNegative(const Fixed& a);
bool FixedZero(const Fixed& a);
int FixedCompare(const Fixed& a, const Fixed& b);

Fixed FixedAdd(const Fixed& a, const Fixed& b);
Fixed FixedSub(const Fixed& a, const Fixed& b);
Fixed FixedNeg(const Fixed& a);
Fixed FixedAbs(const Fixed& a);
Fixed FixedMul(const Fixed& a, const Fixed& b);
Fixed FixedMulInt(const Fixed& a, uint64_t k);  // exact while the product fits
Fixed FixedDivInt(const Fixed& a, uint64_t k);
Fixed FixedShift(const Fixed& a, int bits);  // times 2^bits, either way
// 1 / d and a / d for d > 0, and the square root of a >= 0, within a few units of the last word
// relative to the result.
Fixed FixedReciprocal(const Fixed& d);
Fixed FixedDiv(const Fixed& a, const Fixed& d);
Fixed FixedSqrt(const Fixed& a);

// Bits [low, low + count) of the words src[0..words) (bits outside read as 0) into dst,
// which gets (count + 63) / 64 words.
void FixedBits(const uint64_t* src, int words, int low, int count, uint64_t* dst);
