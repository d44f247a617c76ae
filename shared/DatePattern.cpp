// Date-pattern formatting shared by the queries, the window title and the options preview.
#include "DatePattern.h"
#include "DateUtils.h"
#include "Locale.h"
#include "TextCase.h"

#include <cctype>
#include <cstdio>

namespace {
std::string Number(int value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
    return buffer;
}

// The system's own formats may name ddddd themselves; one level of nesting is enough.
std::string Format(const std::string& pattern, double date, int depth) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    std::string result;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        const char lower = LowerCaseAscii(c);
        if (c == '\'' || c == '"') {
            size_t close = pattern.find(c, i + 1);
            if (close == std::string::npos) close = pattern.size();
            result += pattern.substr(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        if (lower != 'd' && lower != 'm' && lower != 'y') {
            result += c == '/' ? DateSeparator() : c;
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < pattern.size() && LowerCaseAscii(pattern[i + run]) == lower)
            ++run;
        i += run;
        if (lower == 'd') {
            if (run == 1) result += std::to_string(day);
            else if (run == 2) result += Number(day, 2);
            else if (run == 3) result += ShortDayName(DayOfWeek(date));
            else if (run == 4) result += LongDayName(DayOfWeek(date));
            else if (depth == 0) result += Format(run == 5 ? ShortDateFormat() : LongDateFormat(), date, 1);
        } else if (lower == 'm') {
            if (run == 1) result += std::to_string(month);
            else if (run == 2) result += Number(month, 2);
            else if (run == 3) result += ShortMonthName(month);
            else result += LongMonthName(month);
        } else {
            result += run <= 2 ? Number(year % 100, 2) : Number(year, 4);
        }
    }
    return result;
}
} // namespace

std::string FormatDatePattern(const std::string& pattern, double date) {
    return Format(pattern.empty() ? ShortDateFormat() : pattern, date, pattern.empty() ? 1 : 0);
}

std::string ComingUpDatePattern(const std::string& shortDateFormat) {
    std::string pattern;
    for (char c : shortDateFormat)
        if (c != 'y' && c != 'Y') pattern += c;
    const char separator = DateSeparator();
    if (!pattern.empty() && pattern.front() == separator) pattern.erase(0, 1);
    else if (!pattern.empty() && pattern.back() == separator) pattern.pop_back();
    return pattern;
}

std::string ComingUpDatePattern() { return ComingUpDatePattern(ShortDateFormat()); }
