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
// Root under which the portable special folders live (each token is a subfolder); an empty
// root is a system without special folders.
void SetPortableSpecialFolderRoot(const std::string& root);
std::vector<RecordedMessageBox>& RecordedMessageBoxes();
// The answer every Yes/No/Cancel question gets (recorded like the other boxes).
void SetPortableQuestionAnswer(QuestionAnswer answer);
// Makes the next ReplaceFileContent fail after writing this many bytes (negative: never).
void SetPortableWriteFailureAfter(long bytes);
// The folder whose files stand for the form-description resources (named like them).
void SetPortableFormFolder(const std::string& folderWithTrailingSlash);
// Maps a Windows-style path to the native one (backslashes become slashes).
std::string NativePath(const std::string& path);
