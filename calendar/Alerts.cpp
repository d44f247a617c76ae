// The decisions behind the day's notification and the alerts at a time.
#include "Alerts.h"

#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "TextCase.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetterOrDigit(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The length of an "am"/"pm" mark at text[at] ("am", "a.m.", any case), 0 for none; *pm says which.
size_t MeridiemLength(const std::string& text, size_t at, bool* pm) {
    if (at >= text.size())
        return 0;
    const char first = LowerCaseAscii(text[at]);
    if (first != 'a' && first != 'p')
        return 0;
    *pm = first == 'p';
    if (at + 1 < text.size() && LowerCaseAscii(text[at + 1]) == 'm')
        return 2;
    if (at + 3 < text.size() && text[at + 1] == '.' && LowerCaseAscii(text[at + 2]) == 'm' &&
        text[at + 3] == '.')
        return 4;
    return 0;
}

bool EndsWord(const std::string& text, size_t at) {
    return at >= text.size() || !IsLetterOrDigit(text[at]);
}

// A line of item text without its indent mark and its colour group.
std::string PlainLine(const std::string& line) {
    std::string text = line;
    if (!text.empty() && text[0] == '|') {
        size_t digits = 1;
        while (digits < text.size() && IsDigit(text[digits]))
            ++digits;
        text.erase(0, digits);
    }
    size_t open = 0, close = 0;
    if (FindFirstBraceGroup(text, &open, &close))
        text.erase(open, close - open + 1);
    return text;
}

// FNV-1a: short, stable across builds and systems, and enough to tell an edited text.
uint32_t TextHash(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

int32_t DayNumber(double date) {
    return static_cast<int32_t>(WholeDay(date));
}

struct TItemReminder {
    int32_t Colour;
    std::string FirstLine;
};

// The lines of item text after the first, the day's heading.
std::vector<std::string> ReminderLines(const std::string& itemText) {
    std::vector<std::string> lines = SplitItemLines(itemText);
    if (!lines.empty())
        lines.erase(lines.begin());
    return lines;
}

std::vector<TItemReminder> ItemReminders(const std::string& itemText) {
    std::vector<TItemReminder> reminders;
    for (const std::string& line : ReminderLines(itemText)) {
        if (line.empty() || line[0] == '|')
            continue;
        reminders.push_back({ItemColour(line, -1), PlainLine(line)});
    }
    return reminders;
}
} // namespace

int ReminderTimeOfDay(const std::string& text, const TTimeConventions& conventions) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    size_t hourStart = at;
    while (at < text.size() && IsDigit(text[at]) && at - hourStart < 3)
        ++at;
    const size_t hourDigits = at - hourStart;
    if (hourDigits < 1 || hourDigits > 2 || at >= text.size())
        return -1;
    if (text[at] != ':' && text[at] != conventions.Separator)
        return -1;
    ++at;
    if (at + 2 > text.size() || !IsDigit(text[at]) || !IsDigit(text[at + 1]))
        return -1;
    int hour = std::stoi(text.substr(hourStart, hourDigits));
    const int minute = (text[at] - '0') * 10 + (text[at + 1] - '0');
    at += 2;
    if (minute > 59)
        return -1;
    size_t markAt = at;
    while (markAt < text.size() && text[markAt] == ' ')
        ++markAt;
    bool pm = false;
    const size_t mark = MeridiemLength(text, markAt, &pm);
    if (mark > 0 && EndsWord(text, markAt + mark)) {
        if (!conventions.TwelveHour || hour < 1 || hour > 12)
            return -1;
        hour = hour % 12 + (pm ? 12 : 0);
        return hour * 60 + minute;
    }
    if (!EndsWord(text, at) || hour > 23)
        return -1;
    return hour * 60 + minute;
}

std::vector<TReminderAlert> ReminderAlerts(double day, const std::string& itemText,
                                           const TTimeConventions& conventions) {
    std::vector<TReminderAlert> alerts;
    const double wholeDay = WholeDay(day);
    bool inTimedReminder = false;
    for (const std::string& line : ReminderLines(itemText)) {
        const bool continuation = !line.empty() && line[0] == '|';
        if (continuation) {
            if (inTimedReminder)
                alerts.back().Text += "\n" + PlainLine(line);
            continue;
        }
        const std::string text = PlainLine(line);
        const int minute = ReminderTimeOfDay(text, conventions);
        inTimedReminder = minute >= 0;
        if (inTimedReminder)
            alerts.push_back({wholeDay, minute, text, ""});
    }
    for (TReminderAlert& alert : alerts) {
        char key[64];
        std::snprintf(key, sizeof key, "%ld-%04d-%08lx", static_cast<long>(DayNumber(wholeDay)),
                      alert.Minute, static_cast<unsigned long>(TextHash(alert.Text)));
        alert.Key = key;
    }
    return alerts;
}

std::vector<TDueAlert> DueAlerts(const std::vector<TReminderAlert>& candidates, double now,
                                 int leadMinutes, const TAlertState& state,
                                 const std::set<std::string>& open) {
    std::vector<TDueAlert> due;
    const double today = WholeDay(now);
    for (const TReminderAlert& alert : candidates) {
        if (alert.Day < today || state.Dismissed.count(alert.Key) || open.count(alert.Key))
            continue;
        double moment = alert.Day + (alert.Minute - leadMinutes) / (24.0 * 60);
        const auto snoozed = state.SnoozedUntil.find(alert.Key);
        if (snoozed != state.SnoozedUntil.end())
            moment = snoozed->second;
        // A hair of tolerance: the minute timer ticks at the whole minute the moment is.
        if (moment > now + 1e-7)
            continue;
        due.push_back({alert, moment, now - moment > LateAfter});
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const TDueAlert& a, const TDueAlert& b) { return a.Moment < b.Moment; });
    return due;
}

TAlertState PrunedAlertState(const TAlertState& state, double today) {
    // Keys begin with their day's number.
    const auto current = [today](const std::string& key) {
        return std::atol(key.c_str()) >= static_cast<long>(DayNumber(today));
    };
    TAlertState pruned;
    for (const std::string& key : state.Dismissed)
        if (current(key))
            pruned.Dismissed.insert(key);
    for (const auto& snoozed : state.SnoozedUntil)
        if (current(snoozed.first))
            pruned.SnoozedUntil.insert(snoozed);
    return pruned;
}

int AlertWindowCapacity(int workAreaHeight, int windowHeight) {
    if (windowHeight <= 0)
        return 1;
    return std::max(1, workAreaHeight / windowHeight);
}

std::vector<int32_t> ParseShownDays(const std::string& text) {
    std::vector<int32_t> days;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(',', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string item = text.substr(at, end - at);
        char* stop = nullptr;
        const long day = std::strtol(item.c_str(), &stop, 10);
        if (!item.empty() && *stop == '\0' && IsCalendarDay(static_cast<double>(day)))
            days.push_back(static_cast<int32_t>(day));
        at = end + 1;
    }
    return days;
}

std::string FormatShownDays(const std::vector<int32_t>& days) {
    std::string text;
    for (int32_t day : days)
        text += (text.empty() ? "" : ",") + std::to_string(day);
    return text;
}

bool NotificationDue(int32_t today, const std::vector<int32_t>& shownDays, bool hasReminders) {
    return hasReminders && std::find(shownDays.begin(), shownDays.end(), today) == shownDays.end();
}

std::vector<int32_t> WithShownDay(const std::vector<int32_t>& shownDays, int32_t today,
                                  size_t keep) {
    std::vector<int32_t> days{today};
    for (int32_t day : shownDays)
        if (day != today && days.size() < keep)
            days.push_back(day);
    return days;
}

std::string NotificationText(const std::string& todayItems, const std::string& tomorrowItems,
                             const std::vector<int32_t>& typeColours, size_t maxLength) {
    const auto ordered = [&typeColours](const std::string& items) {
        std::vector<TItemReminder> reminders = ItemReminders(items);
        const auto place = [&typeColours](int32_t colour) {
            return std::find(typeColours.begin(), typeColours.end(), colour) - typeColours.begin();
        };
        std::stable_sort(reminders.begin(), reminders.end(),
                         [&place](const TItemReminder& a, const TItemReminder& b) {
                             return place(a.Colour) < place(b.Colour);
                         });
        std::vector<std::string> lines;
        for (const TItemReminder& reminder : reminders)
            lines.push_back(reminder.FirstLine);
        return lines;
    };
    std::vector<std::string> lines = ordered(todayItems);
    const size_t reminderCount = lines.size();
    std::vector<std::string> tomorrow = ordered(tomorrowItems);
    if (!tomorrow.empty()) {
        lines.push_back("Tomorrow:");
        lines.insert(lines.end(), tomorrow.begin(), tomorrow.end());
    }
    if (reminderCount + tomorrow.size() == 0)
        return "";
    const size_t headingAt = tomorrow.empty() ? lines.size() : reminderCount;
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        const bool last = i + 1 == lines.size();
        // Room is kept for the line that tells what was left out, unless this is the last line.
        const size_t left = lines.size() - i - (i <= headingAt && headingAt < lines.size() ? 1 : 0);
        const std::string more = "... " + std::to_string(left) + " more";
        const size_t reserve = last ? 0 : more.size() + 1;
        const size_t separator = text.empty() ? 0 : 1;
        if (text.empty() && line.size() + reserve > maxLength && maxLength > reserve + 3) {
            // One line too long for the whole space is shortened rather than left out.
            line = line.substr(0, maxLength - reserve - 3) + "...";
        }
        if (text.size() + separator + line.size() + reserve > maxLength) {
            text += (text.empty() ? "" : "\n") + more;
            if (text.size() > maxLength)
                text.resize(maxLength);
            return text;
        }
        text += (separator ? "\n" : "") + line;
    }
    return text;
}
