#include "platform/system_library.h"

FARPROC SystemFunctionAddress(const char* dll, const char* name) {
    // A library once loaded stays for the life of the program; the loader counts the references.
    HMODULE module = GetModuleHandleA(dll);
    if (!module)
        module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        module = LoadLibraryA(dll);
    return module ? GetProcAddress(module, name) : nullptr;
}
