// Windows side of the locale: the user's date formats, separator and names.
#include "Locale.h"

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

} // namespace

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
