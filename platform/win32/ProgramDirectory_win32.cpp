// Windows side of the program directory: the folder of the running executable, also when
// asked from inside TOOLS.DLL.
#include "ProgramDirectory.h"

#include <windows.h>

std::string ProgramExecutablePath() {
    char path[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

std::string ProgramDirectory() {
    std::string path = ProgramExecutablePath();
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
