#include "shell/settings_path.h"

#include "platform/module_path.h"
#include "shell/report_error.h"

std::string SettingsPathFor(const std::string& executable) {
    auto parts = SplitPath(executable);
    if (!parts)
        return std::string();
    return parts->drive + parts->directory + parts->baseName + ".ini";
}

unsigned BuildSettingsPath(std::string* path) {
    path->clear();
    auto executable = ModulePath();
    if (!executable)
        return ErrModulePath;
    *path = SettingsPathFor(*executable);
    return path->empty() ? ErrModulePath : 0;
}
