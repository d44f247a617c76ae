// The module that holds the calling code: the library itself, or the program the code is
// linked into. Classes (widgets/WindowClassRegistry.h), controls and resources are registered
// and found under it, so that everything the library sets up can be undone before the library
// is freed.
#pragma once
#include <windows.h>

// Inline so that each module answers with its own file: the address asked about is the copy
// of this function linked into the caller's module.
inline HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}
