// The calling convention of the library's exports: WINAPI on Windows, nothing natively,
// so the export code also builds and runs under the native sanitizers.
#pragma once
#ifdef _WIN32
#include <windows.h>
#define VELMORA_EXPORT extern "C"
#define VELMORA_CALL WINAPI
#else
#define VELMORA_EXPORT extern "C"
#define VELMORA_CALL
#endif
