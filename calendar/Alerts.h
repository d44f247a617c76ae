// What the calendar reminds of, decided without a window: the time of day a reminder's text
// starts with, which alerts are due at a given moment among those dismissed, snoozed or open,
// whether the day's notification is still to be shown, and the notification's text. The
// window feeds these with the library's item text and the clock, and shows what they say.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// How the user's locale writes a time of day.
struct TTimeConventions {
    char Separator = ':';    // ':' is always taken as well
    bool TwelveHour = false; // whether "am" and "pm" may follow
};

// The time of day, in minutes after midnight, that text starts with (leading spaces aside),
// or -1 when it starts with none. Taken: "9:30", "09:30", "14:00", "9.30" where the locale
// separates hours with "."; in a twelve-hour locale also "9:30 am", "9:30pm", "9:30 a.m.".
// Hours 0 to 23 (1 to 12 before am/pm), minutes always two digits 00 to 59, and the time
// must end the text or be followed by neither a letter nor a digit. Anything else ("25:00",
// "9:75", "9:3", "12:00pm" in a 24-hour locale, "9:30x") is the reminder's text, not a time.
int ReminderTimeOfDay(const std::string& text, const TTimeConventions& conventions);

// One reminder of a day that carries a time.
struct TReminderAlert {
    double Day = 0;   // the reminder's date, a whole day
    int Minute = 0;   // its time of day
    std::string Text; // its text as shown: lines joined by "\n", colour groups and indents gone
    // Names this reminder on this day with this text and time: an edited reminder is another.
    std::string Key;
};

// The reminders of one day's item text (as GetItems gives it: the day's heading, then a line
// and its continuation lines per reminder) that start with a time.
std::vector<TReminderAlert> ReminderAlerts(double day, const std::string& itemText,
                                           const TTimeConventions& conventions);

// What has become of alerts, kept across restarts.
struct TAlertState {
    std::set<std::string> Dismissed;
    std::map<std::string, double> SnoozedUntil; // key to the moment it comes back
};

struct TDueAlert {
    TReminderAlert Alert;
    double Moment = 0; // when it was due
    bool Late =
        false; // missed while the program was closed, the computer slept or the clock jumped
};

// An alert more than this many days past its moment when first seen is marked late; the
// minute timer and a moment of the tick itself fit well inside it.
const double LateAfter = 2.0 / (24 * 60);

// The alerts among candidates (today's and tomorrow's reminders) that are due at now with a
// lead of leadMinutes, leaving out those dismissed and those already open. A snoozed alert is
// due at its snooze's end instead. Only reminders of now's day or later count, so an alert
// missed yesterday never comes up. Ordered by moment, then as the candidates were.
std::vector<TDueAlert> DueAlerts(const std::vector<TReminderAlert>& candidates, double now,
                                 int leadMinutes, const TAlertState& state,
                                 const std::set<std::string>& open);

// The state without entries of days before today: they can no longer alert.
TAlertState PrunedAlertState(const TAlertState& state, double today);

// How many alert windows of this height go on a work area of this height, at least one.
int AlertWindowCapacity(int workAreaHeight, int windowHeight);

// The days on which the notification has been shown, most recent first. Kept as a list and
// not as one last day, so a clock set back and forward again repeats no day's notification
// and a clock once set far ahead does not silence the days after it is put right.
std::vector<int32_t> ParseShownDays(const std::string& text);
std::string FormatShownDays(const std::vector<int32_t>& days);
// Whether today's notification is to be shown: reminders to tell of and the day not yet shown.
bool NotificationDue(int32_t today, const std::vector<int32_t>& shownDays, bool hasReminders);
// The list with today in front, at most keep entries long.
std::vector<int32_t> WithShownDay(const std::vector<int32_t>& shownDays, int32_t today,
                                  size_t keep = 14);

// The notification's body from two days' item text: each reminder's first line, today's then (when
// given) tomorrow's under a "Tomorrow:" line, ordered by their colours' places in typeColours (the
// order of the reminder types) with reminders of other colours after them. Cut at a whole line
// within maxLength bytes, the last line then telling how many more there are. Empty when there are
// no reminders.
std::string NotificationText(const std::string& todayItems, const std::string& tomorrowItems,
                             const std::vector<int32_t>& typeColours, size_t maxLength);
