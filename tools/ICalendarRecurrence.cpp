// Recurrence rules between the queries' stepping and iCalendar's RRULE, and their expansion.
#include "ICalendarRecurrence.h"
#include "DateUtils.h"
#include "MonthArithmetic.h"
#include "TextCase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// Periods looked at for one rule at most: a daily rule over some 2700 years.
const long long maxPeriods = 1000000;

bool Digits(const std::string& text, size_t first, size_t count, int* value) {
    if (first + count > text.size())
        return false;
    int result = 0;
    for (size_t i = first; i < first + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        result = result * 10 + (text[i] - '0');
    }
    *value = result;
    return true;
}

// A whole number of at most six digits with an optional sign.
bool SmallNumber(const std::string& text, int* value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size() || text.size() - i > 6)
        return false;
    int result;
    if (!Digits(text, i, text.size() - i, &result))
        return false;
    *value = negative ? -result : result;
    return true;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

bool NumberList(const std::string& text, int low, int high, bool signedValues,
                std::vector<int>* list) {
    for (const std::string& part : Split(text, ',')) {
        int value;
        if (!SmallNumber(part, &value))
            return false;
        const int magnitude = value < 0 ? -value : value;
        if (magnitude < low || magnitude > high || (!signedValues && value < 0))
            return false;
        list->push_back(value);
    }
    return true;
}

const char* const weekdayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

int WeekdayOf(const std::string& code) {
    for (int i = 0; i < 7; ++i)
        if (code == weekdayCodes[i])
            return i + 1;
    return 0;
}

bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Whether the day is one of the month days listed (negative ones counted from the end).
bool MonthDayListed(const std::vector<int>& list, int day, int daysInMonth) {
    for (int listed : list)
        if (listed == day || (listed < 0 && daysInMonth + listed + 1 == day))
            return true;
    return false;
}

bool WeekdayListed(const std::vector<RecurrenceRule::WeekDay>& list, int weekday) {
    for (const RecurrenceRule::WeekDay& listed : list)
        if (listed.weekday == weekday)
            return true;
    return false;
}

// The days from first to last (inclusive) that BYDAY chooses, its ordinals counted within them.
void WeekdaysWithin(const std::vector<RecurrenceRule::WeekDay>& byDay, double first, double last,
                    std::vector<double>* days) {
    for (const RecurrenceRule::WeekDay& wanted : byDay) {
        const double firstMatch = first + (wanted.weekday - DayOfWeek(first) + 7) % 7;
        if (firstMatch > last)
            continue;
        const int matches = static_cast<int>((last - firstMatch) / 7) + 1;
        if (wanted.ordinal == 0) {
            for (int k = 0; k < matches; ++k)
                days->push_back(firstMatch + 7 * k);
        } else if (wanted.ordinal > 0 && wanted.ordinal <= matches) {
            days->push_back(firstMatch + 7 * (wanted.ordinal - 1));
        } else if (wanted.ordinal < 0 && -wanted.ordinal <= matches) {
            days->push_back(firstMatch + 7 * (matches + wanted.ordinal));
        }
    }
}

// The days of one month that the rule's month-level parts choose.
void MonthDays(const RecurrenceRule& rule, int year, int month, int startDay,
               std::vector<double>* days) {
    const int length = DaysInMonth(year, month);
    const double first = EncodeDate(year, month, 1);
    if (!rule.byMonthDay.empty()) {
        for (int day = 1; day <= length; ++day)
            if (MonthDayListed(rule.byMonthDay, day, length) &&
                (rule.byDay.empty() || WeekdayListed(rule.byDay, DayOfWeek(first + day - 1))))
                days->push_back(first + day - 1);
    } else if (!rule.byDay.empty()) {
        WeekdaysWithin(rule.byDay, first, first + length - 1, days);
    } else if (startDay <= length) {
        days->push_back(first + startDay - 1);
    }
}

// The candidate days of period number index, before BYSETPOS; false past the calendar's end.
bool PeriodDays(const RecurrenceRule& rule, double start, long long index,
                std::vector<double>* days, double* periodStart) {
    days->clear();
    int year, month, day;
    DecodeDate(start, &year, &month, &day);
    switch (rule.frequency) {
    case RecurrenceRule::Daily: {
        const double date = start + static_cast<double>(index) * rule.interval;
        if (date > LastOleDate)
            return false;
        *periodStart = date;
        int y, m, d;
        DecodeDate(date, &y, &m, &d);
        if ((rule.byMonth.empty() || Contains(rule.byMonth, m)) &&
            (rule.byMonthDay.empty() || MonthDayListed(rule.byMonthDay, d, DaysInMonth(y, m))) &&
            (rule.byDay.empty() || WeekdayListed(rule.byDay, DayOfWeek(date))))
            days->push_back(date);
        return true;
    }
    case RecurrenceRule::Weekly: {
        const double weekBegin = start - (DayOfWeek(start) - rule.weekStart + 7) % 7 +
                                 7.0 * rule.interval * static_cast<double>(index);
        if (weekBegin > LastOleDate)
            return false;
        *periodStart = weekBegin;
        if (rule.byDay.empty()) {
            days->push_back(weekBegin + (DayOfWeek(start) - rule.weekStart + 7) % 7);
        } else {
            for (const RecurrenceRule::WeekDay& wanted : rule.byDay)
                days->push_back(weekBegin + (wanted.weekday - rule.weekStart + 7) % 7);
        }
        break;
    }
    case RecurrenceRule::Monthly: {
        int y = year, m = month;
        if (!StepYearMonth(y, m, index * rule.interval))
            return false;
        *periodStart = EncodeDate(y, m, 1);
        if (rule.byMonth.empty() || Contains(rule.byMonth, m))
            MonthDays(rule, y, m, day, days);
        break;
    }
    case RecurrenceRule::Yearly: {
        const long long y = year + index * rule.interval;
        if (y > 9999)
            return false;
        const int thisYear = static_cast<int>(y);
        *periodStart = EncodeDate(thisYear, 1, 1);
        if (!rule.byMonth.empty()) {
            for (int m = 1; m <= 12; ++m)
                if (Contains(rule.byMonth, m))
                    MonthDays(rule, thisYear, m, day, days);
        } else if (!rule.byMonthDay.empty()) {
            for (int m = 1; m <= 12; ++m)
                MonthDays(rule, thisYear, m, day, days);
        } else if (!rule.byDay.empty()) {
            WeekdaysWithin(rule.byDay, EncodeDate(thisYear, 1, 1), EncodeDate(thisYear, 12, 31),
                           days);
        } else if (day <= DaysInMonth(thisYear, month)) {
            days->push_back(EncodeDate(thisYear, month, day));
        }
        break;
    }
    }
    std::sort(days->begin(), days->end());
    days->erase(std::unique(days->begin(), days->end()), days->end());
    if (!rule.bySetPos.empty()) {
        std::vector<double> chosen;
        const int size = static_cast<int>(days->size());
        for (int position : rule.bySetPos) {
            const int at = position > 0 ? position - 1 : size + position;
            if (at >= 0 && at < size)
                chosen.push_back((*days)[static_cast<size_t>(at)]);
        }
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
        days->swap(chosen);
    }
    return true;
}

// The first period worth looking at when occurrences before firstDay need not be counted.
long long FirstUsefulPeriod(const RecurrenceRule& rule, double start, double firstDay) {
    if (rule.count != 0 || firstDay <= start)
        return 0;
    const double gap = firstDay - start;
    long long periods = 0;
    switch (rule.frequency) {
    case RecurrenceRule::Daily:
        periods = static_cast<long long>(gap / rule.interval);
        break;
    case RecurrenceRule::Weekly:
        periods = static_cast<long long>(gap / (7.0 * rule.interval));
        break;
    case RecurrenceRule::Monthly:
        periods = static_cast<long long>(gap / 31 / rule.interval);
        break;
    case RecurrenceRule::Yearly:
        periods = static_cast<long long>(gap / 366 / rule.interval);
        break;
    }
    return std::max(0LL, periods - 1);
}
} // namespace

bool ParseICalDateTime(const std::string& value, ICalDateTime* result) {
    int year, month, day;
    if (!Digits(value, 0, 4, &year) || !Digits(value, 4, 2, &month) || !Digits(value, 6, 2, &day))
        return false;
    if (year < 1 || !IsValidDate(year, month, day))
        return false;
    ICalDateTime parsed;
    parsed.day = EncodeDate(year, month, day);
    if (value.size() == 8) {
        *result = parsed;
        return true;
    }
    int hour, minute, second;
    if (value.size() < 15 || value[8] != 'T' || !Digits(value, 9, 2, &hour) ||
        !Digits(value, 11, 2, &minute) || !Digits(value, 13, 2, &second) || hour > 23 ||
        minute > 59 || second > 60)
        return false;
    if (value.size() == 16 && value[15] == 'Z')
        parsed.utc = true;
    else if (value.size() != 15)
        return false;
    parsed.hasTime = true;
    parsed.time = (hour * 3600 + minute * 60 + std::min(second, 59)) / 86400.0;
    *result = parsed;
    return true;
}

std::string ICalDateText(double day) {
    int year, month, dayOfMonth;
    DecodeDate(day, &year, &month, &dayOfMonth);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, dayOfMonth);
    return text;
}

bool ParseRecurrenceRule(const std::string& value, RecurrenceRule* rule, std::string* reason) {
    *rule = RecurrenceRule();
    bool hasFrequency = false;
    *reason = "a malformed repeat rule";
    for (const std::string& part : Split(value, ';')) {
        const size_t equals = part.find('=');
        if (equals == std::string::npos)
            return false;
        const std::string name = UpperCaseAscii(part.substr(0, equals));
        const std::string text = UpperCaseAscii(part.substr(equals + 1));
        if (name == "FREQ") {
            hasFrequency = true;
            if (text == "DAILY")
                rule->frequency = RecurrenceRule::Daily;
            else if (text == "WEEKLY")
                rule->frequency = RecurrenceRule::Weekly;
            else if (text == "MONTHLY")
                rule->frequency = RecurrenceRule::Monthly;
            else if (text == "YEARLY")
                rule->frequency = RecurrenceRule::Yearly;
            else if (text == "HOURLY" || text == "MINUTELY" || text == "SECONDLY") {
                *reason = "a repeat within the day";
                return false;
            } else {
                return false;
            }
        } else if (name == "INTERVAL") {
            if (!SmallNumber(text, &rule->interval) || rule->interval < 1)
                return false;
        } else if (name == "COUNT") {
            int count;
            if (!SmallNumber(text, &count) || count < 1)
                return false;
            rule->count = count;
        } else if (name == "UNTIL") {
            if (!ParseICalDateTime(text, &rule->until))
                return false;
            rule->hasUntil = true;
        } else if (name == "BYDAY") {
            for (const std::string& item : Split(text, ',')) {
                if (item.size() < 2)
                    return false;
                const int weekday = WeekdayOf(item.substr(item.size() - 2));
                int ordinal = 0;
                if (weekday == 0 ||
                    (item.size() > 2 && (!SmallNumber(item.substr(0, item.size() - 2), &ordinal) ||
                                         ordinal == 0 || ordinal > 53 || ordinal < -53)))
                    return false;
                rule->byDay.push_back({ordinal, weekday});
            }
        } else if (name == "BYMONTH") {
            if (!NumberList(text, 1, 12, false, &rule->byMonth))
                return false;
        } else if (name == "BYMONTHDAY") {
            if (!NumberList(text, 1, 31, true, &rule->byMonthDay))
                return false;
        } else if (name == "BYSETPOS") {
            if (!NumberList(text, 1, 366, true, &rule->bySetPos))
                return false;
        } else if (name == "WKST") {
            rule->weekStart = WeekdayOf(text);
            if (rule->weekStart == 0)
                return false;
        } else if (name == "BYHOUR" || name == "BYMINUTE" || name == "BYSECOND") {
            *reason = "a repeat within the day";
            return false;
        } else if (name == "BYWEEKNO" || name == "BYYEARDAY") {
            *reason = "a repeat by week or day of the year";
            return false;
        } else if (name.compare(0, 2, "X-") != 0) {
            return false;
        }
    }
    if (!hasFrequency)
        return false;
    // Ordinals belong to a month or a year only.
    const bool ordinalsAllowed =
        rule->frequency == RecurrenceRule::Monthly || (rule->frequency == RecurrenceRule::Yearly);
    for (const RecurrenceRule::WeekDay& day : rule->byDay)
        if (day.ordinal != 0 && !ordinalsAllowed)
            return false;
    if (!rule->bySetPos.empty() && rule->byDay.empty() && rule->byMonthDay.empty() &&
        rule->byMonth.empty())
        return false;
    reason->clear();
    return true;
}

namespace {
std::string LastDayOfMonthList(int day) {
    std::string list = "BYMONTHDAY=28";
    for (int d = 29; d <= day; ++d)
        list += "," + std::to_string(d);
    return list + ";BYSETPOS=-1";
}
} // namespace

std::string RecurrenceRuleText(TEntryInterval interval, double start) {
    int year, month, day;
    DecodeDate(start, &year, &month, &day);
    switch (interval) {
    case TEntryInterval::Weekly:
        return "FREQ=WEEKLY";
    case TEntryInterval::Fortnightly:
        return "FREQ=WEEKLY;INTERVAL=2";
    case TEntryInterval::Monthly:
        return day <= 28 ? "FREQ=MONTHLY" : "FREQ=MONTHLY;" + LastDayOfMonthList(day);
    case TEntryInterval::Quarterly:
        return day <= 28 ? "FREQ=MONTHLY;INTERVAL=3"
                         : "FREQ=MONTHLY;INTERVAL=3;" + LastDayOfMonthList(day);
    case TEntryInterval::Yearly:
        return month == 2 && day == 29 ? "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28,29;BYSETPOS=-1"
                                       : "FREQ=YEARLY";
    default:
        return "";
    }
}

bool ProgramInterval(const RecurrenceRule& rule, double start, TEntryInterval* interval) {
    if (rule.count != 0 || rule.hasUntil)
        return false;
    int year, month, day;
    DecodeDate(start, &year, &month, &day);
    std::vector<int> lastDayList;
    for (int d = 28; d <= day; ++d)
        lastDayList.push_back(d);
    const std::vector<int> lastPosition{-1};
    // The month days aimed at: the start's day, which every month has up to the 28th.
    const bool plainDay = rule.byMonthDay.empty() || rule.byMonthDay == std::vector<int>{day};
    const bool monthDays =
        (day <= 28 && plainDay && rule.bySetPos.empty()) ||
        (day > 28 && rule.byMonthDay == lastDayList && rule.bySetPos == lastPosition);
    switch (rule.frequency) {
    case RecurrenceRule::Daily:
        if (!rule.byDay.empty() || !rule.byMonth.empty() || !rule.byMonthDay.empty() ||
            !rule.bySetPos.empty())
            return false;
        if (rule.interval == 7)
            *interval = TEntryInterval::Weekly;
        else if (rule.interval == 14)
            *interval = TEntryInterval::Fortnightly;
        else
            return false;
        return true;
    case RecurrenceRule::Weekly: {
        const std::vector<RecurrenceRule::WeekDay> own{{0, DayOfWeek(start)}};
        if ((!rule.byDay.empty() && rule.byDay != own) || !rule.byMonth.empty() ||
            !rule.byMonthDay.empty() || !rule.bySetPos.empty())
            return false;
        // With two weeks between, the week start decides nothing when only the start's own day
        // repeats.
        if (rule.interval == 1)
            *interval = TEntryInterval::Weekly;
        else if (rule.interval == 2)
            *interval = TEntryInterval::Fortnightly;
        else
            return false;
        return true;
    }
    case RecurrenceRule::Monthly:
        if (!rule.byDay.empty() || !rule.byMonth.empty() || !monthDays)
            return false;
        if (rule.interval == 1)
            *interval = TEntryInterval::Monthly;
        else if (rule.interval == 3)
            *interval = TEntryInterval::Quarterly;
        else
            return false;
        return true;
    case RecurrenceRule::Yearly: {
        if (rule.interval != 1 || !rule.byDay.empty())
            return false;
        if (!rule.byMonth.empty() && rule.byMonth != std::vector<int>{month})
            return false;
        if (month == 2 && day == 29)
            return rule.byMonth == std::vector<int>{2} && rule.byMonthDay == lastDayList &&
                   rule.bySetPos == lastPosition && (*interval = TEntryInterval::Yearly, true);
        if (!plainDay || !rule.bySetPos.empty())
            return false;
        *interval = TEntryInterval::Yearly;
        return true;
    }
    }
    return false;
}

ExpansionResult ExpandRecurrence(const RecurrenceRule& rule, double start, double time,
                                 const ExpansionLimits& limits,
                                 const std::function<void(double day)>& take) {
    ExpansionResult result;
    long long counted = 0;
    const auto untilPassed = [&](double day) {
        if (!rule.hasUntil)
            return false;
        const double untilMoment = rule.until.day + (rule.until.hasTime ? rule.until.time : 0);
        return rule.until.hasTime ? day + time > untilMoment + 1e-9 : day > untilMoment;
    };
    // The start is the first occurrence, whether or not the rule would choose it.
    const auto offer = [&](double day) -> bool {
        if (untilPassed(day) || day > limits.lastDay)
            return false;
        ++counted;
        if (day >= limits.firstDay) {
            if (result.handed >= limits.maxOccurrences) {
                result.cut = true;
                return false;
            }
            take(day);
            ++result.handed;
        }
        return rule.count == 0 || counted < rule.count;
    };
    if (!offer(start))
        return result;
    std::vector<double> days;
    const long long first = FirstUsefulPeriod(rule, start, limits.firstDay);
    for (long long index = first; index < first + maxPeriods; ++index) {
        double periodStart = 0;
        if (!PeriodDays(rule, start, index, &days, &periodStart) || periodStart > limits.lastDay)
            return result;
        for (double day : days) {
            if (day <= start)
                continue;
            if (!offer(day))
                return result;
        }
    }
    result.cut = true;
    return result;
}
