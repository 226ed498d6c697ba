// The console's text: UTF-8 on Linux, turned into the calculator's code page 932 and back.
// On Windows the console already speaks code page 932 and the bytes pass unchanged.
#pragma once

#include <string>

class TextConverter {
public:
    TextConverter();
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    bool Ready() const;
    // Bytes that have no code page 932 form become "？", which the calculator rejects.
    std::string ToCalc(const std::string& text);
    std::string FromCalc(const std::string& text);

private:
#ifndef _WIN32
    std::string Convert(void* cd, const std::string& text, const char* replacement);
    void* toCalc_;
    void* fromCalc_;
#endif
};
