#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/calc_engine.h"

namespace {

// The low 32 bits of the value truncated to 64 bits; out of that range, infinities and NaN
// stand for the 64-bit pattern 0x8000000000000000, whose low half is 0.
std::string FormatHex(double value) {
    uint32_t bits = 0;
    if (value >= -9223372036854775808.0 && value < 9223372036854775808.0)
        bits = static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(value)));
    char text[11] = "0x";
    char* end = text + 2;
    int shift = 28;
    while (shift > 0 && ((bits >> shift) & 15) == 0)
        shift -= 4;
    for (; shift >= 0; shift -= 4)
        *end++ = "0123456789ABCDEF"[(bits >> shift) & 15];
    return std::string(text, end);
}

// What "%.16g" prints, with an exponent of at least three digits ("1e+016"). The sixteen
// significant digits and the exponent come from "%.15e", which every C runtime rounds alike;
// the layout is done here so that it never depends on the runtime.
std::string FormatDecimal(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char e[40];
    std::snprintf(e, sizeof e, "%.15e", value);  // [-]d.ddddddddddddddde(+|-)dd[d]
    const char* p = e;
    std::string text;
    if (*p == '-') {
        text += '-';
        ++p;
    }
    char digits[16];
    int count = 0;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p != '.' && count < 16)
            digits[count++] = *p;
    }
    int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (exponent < -4 || exponent >= 16) {
        text += digits[0];
        if (count > 1) {
            text += '.';
            text.append(digits + 1, count - 1);
        }
        char tail[16];
        std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return text + tail;
    }
    if (exponent < 0) {
        text += "0.";
        text.append(-exponent - 1, '0');
        text.append(digits, count);
        return text;
    }
    int whole = exponent + 1;
    if (count <= whole) {
        text.append(digits, count);
        text.append(whole - count, '0');
        return text;
    }
    text.append(digits, whole);
    text += '.';
    text.append(digits + whole, count - whole);
    return text;
}

// Commas every three digits to the left of the decimal point, never right after the sign.
void InsertCommas(std::string* text) {
    if (text->find('e') != std::string::npos)
        return;
    size_t point = text->find('.');
    long i = static_cast<long>(point == std::string::npos ? text->size() : point) - 3;
    for (; i >= 1; i -= 3) {
        if (i == 1 && (*text)[0] == '-')
            break;
        text->insert(static_cast<size_t>(i), 1, ',');
    }
}

}  // namespace

std::string FormatValue(double value, bool hex, bool comma) {
    if (hex)
        return FormatHex(value);
    std::string text = FormatDecimal(value);
    if (comma)
        InsertCommas(&text);
    return text;
}
