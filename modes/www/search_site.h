// One search site of the web search mode: the URL is urlPrefix, the word, then postfix.
#pragma once

#include <string>

struct SearchSite {
    std::string name;
    std::string urlPrefix;
    std::string postfix;
};
