// Repeat rules and reminders made from any bytes. A rule expands within its bounds, in order,
// from its start; a rule that a regular reminder can hold gives the days the queries step
// it to. And reminders exported and planned for import come back as they were: the same
// dated lines on the same days, the same regular reminders.
#include "DateUtils.h"
#include "FuzzSupport.h"
#include "ICalendar.h"
#include "ICalendarRecurrence.h"
#include "Queries.h"

#include <algorithm>
#include <map>
#include <string>

namespace {
struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    // Text up to the next zero byte, without braces or control characters other than the tab
    // (which the stored reminders do not hold), at most limit characters.
    std::string Text(size_t limit) {
        std::string text;
        while (at < size && data[at] != 0) {
            const char c = static_cast<char>(data[at++]);
            const bool control = static_cast<unsigned char>(c) < 0x20 && c != '\t';
            if (c != '{' && c != '}' && !control && text.size() < limit)
                text += c;
        }
        ++at;
        return text;
    }
};

void CheckExpansion(const std::string& ruleText, double start) {
    RecurrenceRule rule;
    std::string reason;
    if (!ParseRecurrenceRule(ruleText, &rule, &reason)) {
        if (reason.empty())
            FuzzFailure("a refused rule without a reason");
        return;
    }
    const ExpansionLimits limits{start + 100, start + 1200, 300};
    double last = -1e300;
    std::vector<double> days;
    const ExpansionResult result = ExpandRecurrence(rule, start, 0.5, limits, [&](double day) {
        if (day <= last || day < limits.firstDay || day > limits.lastDay)
            FuzzFailure("an occurrence out of order or bounds");
        last = day;
        days.push_back(day);
    });
    if (result.handed != days.size() || days.size() > limits.maxOccurrences)
        FuzzFailure("more occurrences than the bound");
    TEntryInterval interval;
    if (ProgramInterval(rule, start, &interval) && !result.cut) {
        // The queries' own stepping over the same days.
        TRegularEntry entry;
        entry.StartDate = start;
        entry.Interval = static_cast<uint8_t>(interval);
        std::vector<double> stepped;
        for (int i = 0; i < 2000 && entry.StartDate <= limits.lastDay; ++i) {
            if (entry.StartDate >= limits.firstDay)
                stepped.push_back(entry.StartDate);
            AdvanceRegularEntry(entry, DayOfMonth(start));
        }
        if (stepped != days)
            FuzzFailure("a held rule that repeats otherwise than the queries: " + ruleText);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input{data, size};
    const double start = EncodeDate(1990, 1, 1) + (input.Byte() * 256 + input.Byte()) % 40000;
    CheckExpansion(input.Text(200), start);

    // Reminders for the round trip.
    const std::vector<TEventType> types{{"Birthday", 255}, {"Work", 0x123456}};
    std::vector<DatedReminder> dated;
    std::vector<TRegularEntry> regular;
    while (input.at < size && dated.size() + regular.size() < 8) {
        const uint8_t kind = input.Byte();
        const double day = EncodeDate(1990, 1, 1) + (input.Byte() * 256 + input.Byte()) % 40000;
        const std::string type = kind & 1 ? "{Birthday}" : kind & 2 ? "{Work}" : "";
        const std::string text = input.Text(255 - type.size());
        if (kind & 4) {
            TRegularEntry entry;
            entry.StartDate = day;
            entry.Interval = static_cast<uint8_t>((kind >> 3) % 6);
            entry.Description = type + text;
            regular.push_back(entry);
        } else {
            dated.push_back({day, type + text});
        }
    }
    std::stable_sort(dated.begin(), dated.end(),
                     [](const DatedReminder& a, const DatedReminder& b) { return a.day < b.day; });
    const std::string file = CalendarFileText(dated, regular, types, EncodeDate(2007, 3, 5) + 0.5);
    const ImportPlan plan = PlanCalendarImport(file, types, EncodeDate(2007, 3, 5));
    if (!plan.failure.empty() || plan.replacedCharacters != 0 || !plan.skipped.empty())
        FuzzFailure("an exported file that does not import cleanly");
    std::multimap<double, std::string> sent, back;
    for (const DatedReminder& reminder : dated)
        sent.emplace(reminder.day, reminder.line);
    std::vector<std::tuple<double, int, std::string>> sentRegular, backRegular;
    for (const TRegularEntry& entry : regular) {
        if (entry.Interval == 0)
            sent.emplace(entry.StartDate, entry.Description); // a single day
        else
            sentRegular.emplace_back(entry.StartDate, entry.Interval, entry.Description);
    }
    for (const DatedReminder& reminder : plan.dated)
        back.emplace(reminder.day, reminder.line);
    for (const TRegularEntry& entry : plan.regular)
        backRegular.emplace_back(entry.StartDate, entry.Interval, entry.Description);
    if (sent != back)
        FuzzFailure("dated reminders changed on the way out and back");
    if (sentRegular != backRegular)
        FuzzFailure("regular reminders changed on the way out and back");
    return 0;
}
