// The system clipboard as the driver sees it (code page 932 text).
#pragma once

#include <string>

namespace e2e {

bool SetClipboardText(const std::string& cp932);
// The clipboard's text, or empty when it holds none.
std::string ClipboardText();

}  // namespace e2e
