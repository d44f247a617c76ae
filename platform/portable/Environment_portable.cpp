// Portable stand-in for the program directory, the clock, the locale and message boxes:
// values that native tests set, and a record of every box that was "shown".
#include "Clock.h"
#include "Locale.h"
#include "MessageBoxes.h"
#include "PortableTestHooks.h"
#include "ProgramDirectory.h"
#include "TimeZone.h"

#include <cstdio>

namespace {
std::string programDirectory = "./";
PortableLocale locale;
double now = 39146.5; // 5 March 2007, noon
int utcOffsetMinutes = 0;
std::vector<RecordedMessageBox> messageBoxes;
QuestionAnswer questionAnswer = QuestionAnswer::Cancel;

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}
} // namespace

void SetPortableProgramDirectory(const std::string& directory) {
    programDirectory = directory;
}
void SetPortableLocale(const PortableLocale& newLocale) {
    locale = newLocale;
}
void SetPortableNow(double oleDateTime) {
    now = oleDateTime;
}
std::vector<RecordedMessageBox>& RecordedMessageBoxes() {
    return messageBoxes;
}

std::string ProgramDirectory() {
    return programDirectory;
}
std::string ProgramExecutablePath() {
    return programDirectory + "Calendar.exe";
}
void SetPortableUtcOffset(int minutes) {
    utcOffsetMinutes = minutes;
}
int LocalUtcOffsetMinutes(double) {
    return utcOffsetMinutes;
}
double CurrentDateTime() {
    return now;
}

std::string ShortDateFormat() {
    return locale.shortDateFormat;
}
std::string LongDateFormat() {
    return locale.longDateFormat;
}
char DateSeparator() {
    return locale.dateSeparator;
}
std::string ShortDayName(int weekday) {
    return locale.shortDayNames[Clamp(weekday, 1, 7) - 1];
}
std::string LongDayName(int weekday) {
    return locale.longDayNames[Clamp(weekday, 1, 7) - 1];
}
std::string ShortMonthName(int month) {
    return locale.shortMonthNames[Clamp(month, 1, 12) - 1];
}
std::string LongMonthName(int month) {
    return locale.longMonthNames[Clamp(month, 1, 12) - 1];
}
int UserDefaultLanguageId() {
    return locale.userDefaultLanguageId;
}

std::string LanguageAbbreviation(int languageId) {
    switch (languageId) {
    case 0x0409:
        return "ENU";
    case 0x0809:
        return "ENG";
    case 0x0C09:
        return "ENA";
    case 0x0413:
        return "NLD";
    case 0x0407:
        return "DEU";
    case 0x040C:
        return "FRA";
    default:
        return "";
    }
}

void ShowErrorBox(const std::string& text) {
    messageBoxes.push_back({true, text});
}
void ShowInformationBox(const std::string& text) {
    messageBoxes.push_back({false, text});
}
QuestionAnswer AskYesNoCancel(const std::string& text) {
    messageBoxes.push_back({false, text});
    return questionAnswer;
}
void SetPortableQuestionAnswer(QuestionAnswer answer) {
    questionAnswer = answer;
}
