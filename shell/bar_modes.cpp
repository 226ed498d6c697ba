#include "shell/bar_modes.h"

#include "shell/mode_settings.h"

BarModes::BarModes(Factory modeFactory) : factory(modeFactory) {}

void BarModes::CreateAndLoad(HWND owner) {
    modes = factory();
    for (auto& mode : modes)
        LoadModeSettings(*mode);
    for (auto& mode : modes)
        SaveModeSettings(*mode);
    for (auto& mode : modes) {
        mode->owner = owner;
        mode->Initialize();
    }
}

CpavraModeBase* BarModes::Start(int index) {
    current = previous = index;
    return Current();
}

CpavraModeBase* BarModes::Current() const {
    if (current < 0 || current >= static_cast<int>(modes.size()))
        return nullptr;
    return modes[static_cast<size_t>(current)].get();
}

CpavraModeBase* BarModes::Switch(int index, const std::string& input) {
    if (CpavraModeBase* mode = Current())
        mode->Deactivate(input);
    previous = current;
    current = index;
    CpavraModeBase* mode = Current();
    if (mode) {
        mode->Deactivate(input);
        mode->Activate();
    }
    return mode;
}

CpavraModeBase* BarModes::Next(const std::string& input) {
    CpavraModeBase* mode = Current();
    if (!mode)
        return nullptr;
    mode->Deactivate(input);
    previous = current;
    current = current + 1 < static_cast<int>(modes.size()) ? current + 1 : 0;
    mode = Current();
    mode->Activate();
    return mode;
}

std::vector<std::string> BarModes::Names() const {
    std::vector<std::string> names;
    for (const auto& mode : modes)
        names.push_back(mode->GetSection());
    return names;
}

std::vector<std::string> BarModes::Captions() const {
    std::vector<std::string> captions;
    for (const auto& mode : modes)
        captions.push_back(mode->GetCaption());
    return captions;
}

void BarModes::Shutdown(const std::string& input) {
    if (CpavraModeBase* mode = Current())
        mode->Deactivate(input);
    for (auto& mode : modes) {
        mode->Shutdown();
        mode.reset();
    }
    modes.clear();
}
