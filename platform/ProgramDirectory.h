// Where the program lives: calendar.ini, data\ and readme.txt are found here.
// It is the directory of the running executable (inside TOOLS.DLL too), with its trailing
// separator, so relative parts such as "data\" can be appended directly.
#pragma once
#include <string>

std::string ProgramDirectory();
// Full path of the running executable.
std::string ProgramExecutablePath();
// calendar.ini in the program directory: the settings and the reminder types, which the
// library owns and writes and the window reads.
inline std::string SettingsFileName() {
    return ProgramDirectory() + "calendar.ini";
}
