// The running executable's own path and the splitting of a path into its parts.
#pragma once

#include <optional>
#include <string>

// The executable's full path (at most 260 bytes), or nothing when it cannot be obtained.
std::optional<std::string> ModulePath();

struct PathParts {
    std::string drive;      // "D:" or empty
    std::string directory;  // "\Tools\" (keeps its separators, ends with one) or empty
    std::string baseName;   // "pavra"
    std::string extension;  // ".exe" or empty
};

// Splits a code page 932 path; the trail byte of a double-byte character is never taken for a
// separator or a dot. A part longer than the classic limits (drive 2, others 255 bytes) makes
// the split fail.
std::optional<PathParts> SplitPath(const std::string& path);
