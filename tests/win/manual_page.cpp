#include "manual_page.h"

#include <fstream>
#include <sstream>
#include <utility>

std::string ReadManualPage(const char* name, std::string* error) {
    // The build tree knows the source folder as a Unix path; Wine shows the Unix root as drive Z:.
    std::string path = std::string("Z:") + PAVRA_MANUAL_DIR + "/um/" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot read " + path;
        return std::string();
    }
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string Between(const std::string& html, size_t from, const std::string& open, const std::string& close,
                    size_t* end) {
    if (end)
        *end = std::string::npos;
    const size_t start = html.find(open, from);
    if (start == std::string::npos)
        return std::string();
    const size_t stop = html.find(close, start + open.size());
    if (stop == std::string::npos)
        return std::string();
    if (end)
        *end = stop + close.size();
    return html.substr(start + open.size(), stop - start - open.size());
}

std::string Unescaped(std::string text) {
    const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& entity : entities)
        for (size_t at = text.find(entity.first); at != std::string::npos; at = text.find(entity.first, at))
            text.replace(at, std::string(entity.first).size(), entity.second);
    return text;
}
