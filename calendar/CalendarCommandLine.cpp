// The calendar-file switches of the command line.
#include "CalendarCommandLine.h"
#include "TextCase.h"

CalendarFileCommand FindCalendarFileCommand(const std::vector<std::string>& arguments) {
    CalendarFileCommand command;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const bool import = SameTextIgnoringCase(arguments[i], "/import");
        if (!import && !SameTextIgnoringCase(arguments[i], "/export"))
            continue;
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            command.kind = CalendarFileCommand::Incomplete;
            return command;
        }
        command.kind = import ? CalendarFileCommand::Import : CalendarFileCommand::Export;
        command.path = arguments[i + 1];
        return command;
    }
    return command;
}

int CalendarFileCommandExitCode(bool ran, int result) {
    if (!ran)
        return 2;
    return result >= 0 ? 0 : 1;
}
