// Functions of the big system libraries (the shell, the common dialogs), reached the first time
// they are needed. Importing them would load a dozen libraries at every start for windows the
// user may never open.
#pragma once

#include <windows.h>

// The address of name in dll, loading dll on the first call; null when either is missing.
FARPROC SystemFunctionAddress(const char* dll, const char* name);

template <typename Function>
Function SystemFunction(const char* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunctionAddress(dll, name)));
}
