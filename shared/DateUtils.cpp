// Calendar arithmetic on OLE Automation dates.
#include "DateUtils.h"
#include "Errors.h"

#include <cmath>
#include <string>

namespace {
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

void DateArithmetic::ThrowInvalidDate(int year, int month, int day) {
    throw VelmoraError("'" + std::to_string(year) + "-" + std::to_string(month) + "-" +
                       std::to_string(day) + "' is not a valid date");
}

double WholeDay(double date) { return std::floor(date); }
double TimeOfDay(double date) { return date - std::floor(date); }

void DecodeDate(double date, int* year, int* month, int* day) {
    CivilFromDays(HeldDay(date) + DateArithmetic::oleEpoch, year, month, day);
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
