// The command line's calendar-file switches: "/import FILE" and "/export FILE" do their work
// through the library without showing the window, for scripts.
#pragma once
#include <string>
#include <vector>

struct CalendarFileCommand {
    enum Kind { None, Import, Export, Incomplete } kind = None;
    std::string path;
};
// arguments: the command line's arguments after the program name, in any order with others.
CalendarFileCommand FindCalendarFileCommand(const std::vector<std::string>& arguments);
// The exit code of a run: 0 when the library gave a count, 1 after a failure it reported,
// 2 when there is no library, no such export or no file named.
int CalendarFileCommandExitCode(bool ran, int result);
