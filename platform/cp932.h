// Which bytes of code page 932 text make one character. Every scanner of the program's text
// follows this one rule, not the system's code page: a lead byte pairs only with a trail byte,
// and anything else, a lead byte at the end or before a control character among them, stands
// alone.
#pragma once

#include <cstddef>

inline bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline bool IsCp932TrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// The bytes (1 or 2) of the character that starts at text[at], where at < size.
inline size_t Cp932CharBytes(const char* text, size_t size, size_t at) {
    return at + 1 < size && IsCp932LeadByte(static_cast<unsigned char>(text[at])) &&
                   IsCp932TrailByte(static_cast<unsigned char>(text[at + 1]))
               ? 2
               : 1;
}

// The same for a NUL-terminated text whose first byte is not its NUL: the NUL is no trail byte.
inline size_t Cp932CharBytes(const char* text) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[0])) &&
                   IsCp932TrailByte(static_cast<unsigned char>(text[1]))
               ? 2
               : 1;
}
