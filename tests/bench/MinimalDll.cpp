// The least a library can be with this build's compiler and options: one export and the start-up
// code the toolchain adds. The Windows benchmark loads it beside TOOLS.DLL, as the floor the
// library's own load is measured against.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI MinimalExport() {
    return 1;
}
