// Calendar arithmetic on OLE Automation dates: whole days counted from 30 December 1899,
// the fraction being the time of day. Used by both modules.
#pragma once

// The range of dates the program holds: 1 January 1 to 31 December 9999.
constexpr double FirstOleDate = -693593.0;
constexpr double LastOleDate = 2958465.0;
// 1 January 100: the first date the system's own date conversion takes, and so the first a
// regular reminder may fall on.
constexpr double FirstSystemDate = -657434.0;

// Gregorian month lengths; February has 29 days in a leap year.
constexpr bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
constexpr int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12)
        return 0;
    if (month == 2)
        return IsLeapYear(year) ? 29 : 28;
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}
constexpr bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

namespace DateArithmetic {
// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
constexpr long long DaysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}
// Day 0 of the OLE dates, 30 December 1899, a constant of the compiler's: dates are encoded
// correctly from any translation unit's static initialisation, whatever the order.
constexpr long long oleEpoch = DaysFromCivil(1899, 12, 30);
[[noreturn]] void ThrowInvalidDate(int year, int month, int day);
} // namespace DateArithmetic

// The OLE date of a day; raises VelmoraError for a date that does not exist. A constant
// expression for a fixed date.
constexpr double EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day))
        DateArithmetic::ThrowInvalidDate(year, month, day);
    return static_cast<double>(DateArithmetic::DaysFromCivil(year, static_cast<unsigned>(month),
                                                             static_cast<unsigned>(day)) -
                               DateArithmetic::oleEpoch);
}
void DecodeDate(double date, int* year, int* month, int* day);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(double date);
// True when the date is a number whose day lies in the calendar, 1 January 1 to
// 31 December 9999; anything else (infinite, not a number, beyond either end) is no day.
bool IsCalendarDay(double date);
// The date without its time of day, and the time of day alone.
double WholeDay(double date);
double TimeOfDay(double date);
int DayOfMonth(double date);
