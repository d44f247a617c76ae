// Windows side of the program directory, the clock, the locale and the message boxes.
#include "Clock.h"
#include "Locale.h"
#include "MessageBoxes.h"
#include "ProgramDirectory.h"

#include <windows.h>

namespace {
std::string LocaleString(LCID locale, LCTYPE type) {
    char buffer[256] = "";
    if (GetLocaleInfoA(locale, type, buffer, sizeof buffer) == 0) return "";
    return buffer;
}
std::string UserLocaleString(LCTYPE type) { return LocaleString(LOCALE_USER_DEFAULT, type); }

// Windows numbers its day names from Monday; ours start on Sunday.
int WindowsDayIndex(int weekday) {
    if (weekday < 1 || weekday > 7) weekday = 1;
    return weekday == 1 ? 6 : weekday - 2;
}
int ClampMonth(int month) { return month < 1 ? 1 : month > 12 ? 12 : month; }

long long DaysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}
} // namespace

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

double CurrentDateTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Day 0 of OLE dates is 30 December 1899.
    const long long days = DaysFromCivil(now.wYear, now.wMonth, now.wDay) - DaysFromCivil(1899, 12, 30);
    const double seconds = now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
    return static_cast<double>(days) + seconds / 86400.0;
}

std::string ShortDateFormat() { return UserLocaleString(LOCALE_SSHORTDATE); }
std::string LongDateFormat() { return UserLocaleString(LOCALE_SLONGDATE); }

char DateSeparator() {
    std::string separator = UserLocaleString(LOCALE_SDATE);
    return separator.empty() ? '/' : separator[0];
}

std::string ShortDayName(int weekday) {
    return UserLocaleString(LOCALE_SABBREVDAYNAME1 + WindowsDayIndex(weekday));
}
std::string LongDayName(int weekday) {
    return UserLocaleString(LOCALE_SDAYNAME1 + WindowsDayIndex(weekday));
}
std::string ShortMonthName(int month) {
    return UserLocaleString(LOCALE_SABBREVMONTHNAME1 + ClampMonth(month) - 1);
}
std::string LongMonthName(int month) {
    return UserLocaleString(LOCALE_SMONTHNAME1 + ClampMonth(month) - 1);
}

int UserDefaultLanguageId() { return GetUserDefaultLangID(); }

std::string LanguageAbbreviation(int languageId) {
    return LocaleString(MAKELCID(static_cast<WORD>(languageId), SORT_DEFAULT), LOCALE_SABBREVLANGNAME);
}

void ShowErrorBox(const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), "Velmora", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
void ShowInformationBox(const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), "Velmora", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}
