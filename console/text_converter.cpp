#include "console/text_converter.h"

#ifdef _WIN32

TextConverter::TextConverter() {}
TextConverter::~TextConverter() {}
bool TextConverter::Ready() const { return true; }
std::string TextConverter::ToCalc(const std::string& text) { return text; }
std::string TextConverter::FromCalc(const std::string& text) { return text; }

#else

#include <errno.h>
#include <iconv.h>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

}  // namespace

TextConverter::TextConverter()
    : toCalc_(iconv_open("CP932", "UTF-8")), fromCalc_(iconv_open("UTF-8", "CP932")) {}

TextConverter::~TextConverter() {
    if (toCalc_ != kNoConverter)
        iconv_close(static_cast<iconv_t>(toCalc_));
    if (fromCalc_ != kNoConverter)
        iconv_close(static_cast<iconv_t>(fromCalc_));
}

bool TextConverter::Ready() const { return toCalc_ != kNoConverter && fromCalc_ != kNoConverter; }

// "？" in code page 932: not ASCII, so it can never become part of a token.
std::string TextConverter::ToCalc(const std::string& text) { return Convert(toCalc_, text, "\x81\x48"); }

std::string TextConverter::FromCalc(const std::string& text) { return Convert(fromCalc_, text, "?"); }

// A byte that cannot be converted is replaced and skipped, so every input gives an answer.
std::string TextConverter::Convert(void* cd, const std::string& text, const char* replacement) {
    iconv_t converter = static_cast<iconv_t>(cd);
    std::string out;
    out.reserve(text.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buffer[4096];
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char* dest = buffer;
        size_t destLeft = sizeof buffer;
        size_t done = iconv(converter, &in, &inLeft, &dest, &destLeft);
        out.append(buffer, dest - buffer);
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            out += replacement;
            ++in;
            --inLeft;
        }
    }
    return out;
}

#endif
