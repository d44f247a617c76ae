// Windows side of the readme launch.
#include "ReadMe.h"

#include "ProgramDirectory.h"
#include "WinHandles.h"

#include <string>

void OpenReadMe() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // CreateProcessA may write into the command line, so it is a buffer of our own.
    char commandLine[] = "notepad.exe readme.txt";
    const std::string directory = ProgramDirectory();
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        // Not waited for: both handles are let go at once.
        KernelHandle thread(process.hThread);
        KernelHandle child(process.hProcess);
    }
}
