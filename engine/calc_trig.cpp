#include "engine/calc_trig.h"

#include <cmath>
#include <cstdint>

namespace {

using u128 = unsigned __int128;

// The fraction of 2/pi, 64 bits a word: 2/pi = 0.A2F9836E4E441529FC27... in hexadecimal.
// Enough bits for the largest double plus 192 bits of window.
const uint64_t kTwoOverPi[20] = {
    0xA2F9836E4E441529, 0xFC2757D1F534DDC0, 0xDB6295993C439041, 0xFE5163ABDEBBC561, 0xB7246E3A424DD2E0,
    0x06492EEA09D1921C, 0xFE1DEB1CB129A73E, 0xE88235F52EBB4484, 0xE99C7026B45F7E41, 0x3991D639835339F4,
    0x9C845F8BBDF9283B, 0x1FF897FFDE05980F, 0xEF2F118B5A0A6D1F, 0x6D367ECF27CB09B7, 0x4F463F669E5FEA2D,
    0x7527BAC7EBE5F17B, 0x3D0739F78A5292EA, 0x6BFB5FB11F8D5D08, 0x56033046FC7B6BAB, 0xF0CFBC209AF4361D,
};

// pi/2 as the sum of two doubles.
const double kHalfPiHigh = 1.5707963267948966;
const double kHalfPiLow = 6.123233995736766e-17;
const double kQuarterPi = 0.7853981633974483;

// 64 bits of 2/pi starting after `bit` bits of its fraction.
uint64_t TwoOverPiBits(int bit) {
    int word = bit / 64;
    int shift = bit % 64;
    if (shift == 0)
        return kTwoOverPi[word];
    return (kTwoOverPi[word] << shift) | (kTwoOverPi[word + 1] >> (64 - shift));
}

// Bits [low, low + 128) of the 256-bit number p (p[0] least significant), for low below 128.
u128 Window(const uint64_t p[4], int low) {
    int word = low / 64;
    int shift = low % 64;
    uint64_t w0 = p[word], w1 = p[word + 1];
    if (shift != 0) {
        w0 = (w0 >> shift) | (w1 << (64 - shift));
        w1 = (w1 >> shift) | (p[word + 2] << (64 - shift));
    }
    return (static_cast<u128>(w1) << 64) | w0;
}

// a * b as an exact sum of two doubles (Dekker), with plain IEEE operations only.
void TwoProduct(double a, double b, double* product, double* error) {
    const double split = 134217729.0;  // 2^27 + 1
    double ca = split * a, cb = split * b;
    double aHigh = ca - (ca - a), aLow = a - aHigh;
    double bHigh = cb - (cb - b), bLow = b - bHigh;
    *product = a * b;
    *error = ((aHigh * bHigh - *product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

struct Reduced {
    int quadrant;  // x = (4n + quadrant) * pi/2 + angle
    double high;   // angle = high + low, |angle| <= pi/4
    double low;
};

// Reduces a finite x with |x| > pi/4. With x = m * 2^e, only the bits of 2/pi whose product
// with m is below 4 matter (the rest are whole turns); 192 of them give the quadrant and a
// fraction of a quarter turn good to far more bits than a double holds, even for the doubles
// closest to a multiple of pi/2.
Reduced Reduce(double x) {
    int exponent;
    double fraction = std::frexp(std::fabs(x), &exponent);
    uint64_t m = static_cast<uint64_t>(std::ldexp(fraction, 53));
    int e = exponent - 53;
    int first = e >= 2 ? e - 2 : 0;  // bits of 2/pi skipped: they only add whole turns
    uint64_t b2 = TwoOverPiBits(first), b1 = TwoOverPiBits(first + 64), b0 = TwoOverPiBits(first + 128);
    u128 t0 = static_cast<u128>(m) * b0;
    u128 t1 = static_cast<u128>(m) * b1 + (t0 >> 64);
    u128 t2 = static_cast<u128>(m) * b2 + (t1 >> 64);
    uint64_t p[4] = {static_cast<uint64_t>(t0), static_cast<uint64_t>(t1), static_cast<uint64_t>(t2),
                     static_cast<uint64_t>(t2 >> 64)};
    // The product's bit k weighs 2^(k + e - first - 192): the binary point sits at bit `point`.
    int point = first + 192 - e;
    Reduced r;
    r.quadrant = static_cast<int>((p[point / 64] >> (point % 64)) & 1) |
                 static_cast<int>(((p[(point + 1) / 64] >> ((point + 1) % 64)) & 1) << 1);
    u128 turn = Window(p, point - 128);  // the fraction of a quarter turn, times 2^128
    bool negative = turn >> 127;         // past half a quarter turn: count from the next one
    if (negative) {
        turn = ~turn + 1;
        r.quadrant = (r.quadrant + 1) & 3;
    }
    const double scale = std::ldexp(1.0, -128);
    double high = static_cast<double>(turn);
    __int128 rest = static_cast<__int128>(turn - static_cast<u128>(high));
    double t = high * scale;
    double tLow = static_cast<double>(rest) * scale;
    double product, error;
    TwoProduct(t, kHalfPiHigh, &product, &error);
    error += t * kHalfPiLow + tLow * kHalfPiHigh;
    r.high = product + error;
    r.low = error - (r.high - product);
    if (negative) {
        r.high = -r.high;
        r.low = -r.low;
    }
    if (x < 0) {
        r.quadrant = (4 - r.quadrant) & 3;
        r.high = -r.high;
        r.low = -r.low;
    }
    return r;
}

// sin and cos of high + low, where low is below half a unit in the last place of high.
double SinOf(const Reduced& r) {
    return std::sin(r.high) + r.low * std::cos(r.high);
}
double CosOf(const Reduced& r) {
    return std::cos(r.high) - r.low * std::sin(r.high);
}

}  // namespace

double CalcSin(double x) {
    if (!(std::fabs(x) > kQuarterPi) || std::isinf(x))
        return std::sin(x);
    Reduced r = Reduce(x);
    switch (r.quadrant) {
        case 0:
            return SinOf(r);
        case 1:
            return CosOf(r);
        case 2:
            return -SinOf(r);
        default:
            return -CosOf(r);
    }
}

double CalcCos(double x) {
    if (!(std::fabs(x) > kQuarterPi) || std::isinf(x))
        return std::cos(x);
    Reduced r = Reduce(x);
    switch (r.quadrant) {
        case 0:
            return CosOf(r);
        case 1:
            return -SinOf(r);
        case 2:
            return -CosOf(r);
        default:
            return SinOf(r);
    }
}

double CalcTan(double x) {
    if (!(std::fabs(x) > kQuarterPi) || std::isinf(x))
        return std::tan(x);
    Reduced r = Reduce(x);
    double t = std::tan(r.high);
    t += r.low * (1 + t * t);
    return r.quadrant % 2 == 0 ? t : -1 / t;
}
