// The module that holds the calling code: the library itself, or the program the code is
// linked into. Classes, controls and resources are registered and found under it, so that
// everything the library sets up can be undone before the library is freed.
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

// Registers a window class under this module (a null cursor is the arrow). False when the
// system refused, for example because the class is registered already.
inline bool RegisterOwnWindowClass(const char* name, WNDPROC procedure, UINT style,
                                   HBRUSH background, HCURSOR cursor, int windowExtraBytes = 0) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = windowExtraBytes;
    windowClass.hInstance = OwnModule();
    windowClass.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}
