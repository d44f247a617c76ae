// The calling convention of the library's exports on Windows: C names, WINAPI. The build's
// include path picks this file or the portable one, so shared code names only the macros.
#pragma once
#include <windows.h>

#define VELMORA_EXPORT extern "C"
#define VELMORA_CALL WINAPI
