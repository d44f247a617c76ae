// Settings of the portable stand-in that native tests make: where the program "lives",
// the locale, the clock, and the message boxes that were shown.
#pragma once
#include "MessageBoxes.h"

#include <string>
#include <vector>

struct PortableLocale {
    std::string shortDateFormat = "M/d/yyyy";
    std::string longDateFormat = "dddd, MMMM d, yyyy";
    char dateSeparator = '/';
    std::string shortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string longDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                   "Thursday", "Friday", "Saturday"};
    std::string shortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string longMonthNames[12] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};
    int userDefaultLanguageId = 0x0409;
};

struct RecordedMessageBox {
    bool isError;
    std::string text;
};

void SetPortableProgramDirectory(const std::string& directoryWithTrailingSlash);
void SetPortableLocale(const PortableLocale& locale);
void SetPortableNow(double oleDateTime);
// The user's time zone of the stand-in: a fixed number of minutes ahead of UTC (0 at start).
void SetPortableUtcOffset(int minutes);
// Root under which the portable special folders live (each token is a subfolder); an empty
// root is a system without special folders.
void SetPortableSpecialFolderRoot(const std::string& root);
std::vector<RecordedMessageBox>& RecordedMessageBoxes();
// The answer every Yes/No/Cancel question gets (recorded like the other boxes).
void SetPortableQuestionAnswer(QuestionAnswer answer);
// The folder whose files stand for the form-description resources (named like them).
void SetPortableFormFolder(const std::string& folderWithTrailingSlash);
// The steps of writing a file, at which a test can make the next write fail.
enum class PortableFileStep {
    Create, // creating the new file
    Write,  // writing it: the disk is full after the given number of bytes
    Flush,  // flushing it to the disk
    Move,   // moving it over the old file
    Delete, // deleting a file
    // Steps of a save of several files, and of reading.
    Backup,  // keeping the previous content of a file while it is replaced
    Restore, // putting that content back after a later step failed
    Read     // opening a file to read it piece by piece (held open by another program)
};
// Makes the next write fail at this step, once; the profile stand-in's own writes, which
// rewrite the file in place as the system's profile API does, fail at Create and Write too.
void SetPortableFileFault(PortableFileStep step, long afterBytes = 0);
void ClearPortableFileFault();
// The same, but the fault lets this many steps of its kind pass first: the second file of a
// save of two fails while the first has gone through.
void SetPortableFileFaultAfterSteps(PortableFileStep step, int stepsToPass, long afterBytes = 0);
// Makes the next write fail after writing this many bytes (negative: never).
void SetPortableWriteFailureAfter(long bytes);
// Whether a fault at this step is armed, and if so clears it: for the stand-in's writers.
bool TakePortableFileFault(PortableFileStep step, long* afterBytes = nullptr);
// Maps a Windows-style path to the native one (backslashes become slashes).
std::string NativePath(const std::string& path);
