// The user manual's pages as the tests read them: the source tree's manual/um, bytes as written
// (UTF-8), with the few HTML escapes the tables use undone on request.
#pragma once

#include <string>

// The page's bytes; empty with *error set when it cannot be read.
std::string ReadManualPage(const char* name, std::string* error);

// The text between open and the next close after from; empty when there is none. *end, when
// given, becomes the position after close (npos when none).
std::string Between(const std::string& html, size_t from, const std::string& open, const std::string& close,
                    size_t* end = nullptr);

// &lt; &gt; &amp; as the characters.
std::string Unescaped(std::string text);
