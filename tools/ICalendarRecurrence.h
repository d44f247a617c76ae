// Dates and recurrence rules of iCalendar files: reading DATE and DATE-TIME values, the
// rules that give a regular reminder's occurrences exactly as the queries step them, which
// rules a regular reminder can hold, and the expansion of any rule into days within bounds.
#pragma once
#include "ReminderFiles.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct ICalDateTime {
    double day = 0;  // OLE date of the day
    double time = 0; // fraction of the day; 0 for a date
    bool hasTime = false;
    bool utc = false; // ends in "Z"
};
// "yyyymmdd" or "yyyymmddThhmmss" with an optional "Z"; false for anything else or a day
// outside the calendar.
bool ParseICalDateTime(const std::string& value, ICalDateTime* result);
// "yyyymmdd" of a day.
std::string ICalDateText(double day);

struct RecurrenceRule {
    enum Frequency { Daily, Weekly, Monthly, Yearly } frequency = Daily;
    int interval = 1;
    long long count = 0; // 0: no COUNT
    bool hasUntil = false;
    ICalDateTime until;
    struct WeekDay {
        int ordinal; // 0 for every such day of the period, else the n-th (negative: from the end)
        int weekday; // 1 = Sunday ... 7 = Saturday
        bool operator==(const WeekDay& other) const {
            return ordinal == other.ordinal && weekday == other.weekday;
        }
    };
    std::vector<WeekDay> byDay;
    std::vector<int> byMonth, byMonthDay, bySetPos;
    int weekStart = 2; // Monday
};
// False, with the reason, for a rule that is malformed or repeats within a day or by week
// and year-day numbers, which days alone cannot show.
bool ParseRecurrenceRule(const std::string& value, RecurrenceRule* rule, std::string* reason);

// The rule whose occurrences are the days the queries show a regular reminder of this
// interval from this start; "" for None.
std::string RecurrenceRuleText(TEntryInterval interval, double start);
// Whether a regular reminder from this start can hold the rule, and with which interval: the
// rules above and the plain equivalents of them (no COUNT or UNTIL).
bool ProgramInterval(const RecurrenceRule& rule, double start, TEntryInterval* interval);

struct ExpansionLimits {
    double firstDay;       // occurrences before it are counted but not handed over
    double lastDay;        // the last day looked at
    size_t maxOccurrences; // handed over
};
struct ExpansionResult {
    size_t handed = 0;
    bool cut = false; // maxOccurrences or the work bound was reached before lastDay
};
// Hands over, in order, the days of the rule's occurrences from start, whose first occurrence
// is start itself; time is the start's time of day, which UNTIL is compared with.
ExpansionResult ExpandRecurrence(const RecurrenceRule& rule, double start, double time,
                                 const ExpansionLimits& limits,
                                 const std::function<void(double day)>& take);
