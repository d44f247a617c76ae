// Month layout arithmetic shared by the desktop window and the drop-down month.
#include "MonthArithmetic.h"

#include "DateUtils.h"
#include "Locale.h"

int FirstCell(double date, int firstday) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    int cell = DayOfWeek(EncodeDate(year, month, 1)) - (firstday - 1);
    return cell < 1 ? cell + 7 : cell;
}

int CellDay(int cell, int firstCell, int daysInMonth) {
    if (cell < firstCell || cell > firstCell + daysInMonth - 1)
        return 0;
    return cell - firstCell + 1;
}

std::string DayName(int column, int firstday) {
    int index = column + firstday - 1;
    if (index > 7)
        index %= 7;
    return index >= 1 && index <= 7 ? ShortDayName(index) : std::string();
}

bool StepYearMonth(int& year, int& month, long long months) {
    const long long index = static_cast<long long>(year) * 12 + (month - 1) + months;
    const long long newYear = index >= 0 ? index / 12 : -1;
    if (newYear < 1 || newYear > 9999)
        return false;
    year = static_cast<int>(newYear);
    month = static_cast<int>(index % 12) + 1;
    return true;
}
