// Calendar arithmetic on OLE Automation dates.
#include "DateUtils.h"
#include "Errors.h"

#include <cmath>
#include <string>

namespace {
// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void CivilFromDays(long long days, int* year, int* month, int* day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    *day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    *month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    *year = static_cast<int>(static_cast<long long>(yearOfEra) + era * 400 + (*month <= 2));
}

const long long oleEpoch = DaysFromCivil(1899, 12, 30);
// Dates beyond the calendar (or no number at all) are held to its ends, so a broken stored
// date gives a defined result instead of an overflow; every reader of a date holds it alike.
long long HeldDay(double date) {
    if (!(date >= FirstOleDate)) date = std::isnan(date) ? 0.0 : FirstOleDate;
    if (date > LastOleDate) date = LastOleDate;
    return static_cast<long long>(std::floor(date));
}
} // namespace

bool IsCalendarDay(double date) {
    return std::isfinite(date) && std::floor(date) >= FirstOleDate && std::floor(date) <= LastOleDate;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return lengths[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

double EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day))
        throw VelmoraError("'" + std::to_string(year) + "-" + std::to_string(month) + "-" +
                           std::to_string(day) + "' is not a valid date");
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                             static_cast<unsigned>(day)) - oleEpoch);
}

double WholeDay(double date) { return std::floor(date); }
double TimeOfDay(double date) { return date - std::floor(date); }

void DecodeDate(double date, int* year, int* month, int* day) {
    CivilFromDays(HeldDay(date) + oleEpoch, year, month, day);
}

int DayOfMonth(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    return day;
}

int DayOfWeek(double date) {
    // Day 0, 30 December 1899, was a Saturday.
    const long long days = HeldDay(date);
    const long long index = ((days + 6) % 7 + 7) % 7; // 0 = Sunday
    return static_cast<int>(index) + 1;
}
