// Export of every reminder to one calendar file and import of a calendar file into the
// reminder store, all or nothing.
#pragma once
#include <cstddef>
#include <string>

// Writes every dated and regular reminder to the file at path, replacing it safely; returns
// the number of reminders written. Failures raise VelmoraError.
size_t ExportCalendarToFile(const std::string& path);

struct ImportOutcome {
    size_t added = 0;
    size_t alreadyPresent = 0;
    std::string summary; // the one message for the user
};
// Adds the file's events to the day files and regular.dat. A reminder already on its day
// (or an equal regular reminder) is not added again, so a second import adds nothing. A
// failure raises VelmoraError after every file written so far has been put back.
ImportOutcome ImportCalendarFromFile(const std::string& path);
