// A subscribed calendar: an .ics file named in the options (key "subscribed" of section
// "options", with its colour in "subscribedcolour") whose events the queries show beside the
// reminders, read-only and in that colour. What is derived from the file for speed is kept in
// a cache file beside it, rebuilt when the file's size or write time (or the day) changes and
// never used when it does not match.
#pragma once
#include "ICalendar.h"

#include <cstdint>
#include <string>
#include <vector>

class ProfileFileSections;

struct SubscribedCalendar {
    std::string path;   // "" when there is none; relative paths are the program folder's
    int32_t colour = 0; // 0x00BBGGRR
};
SubscribedCalendar ReadSubscribedCalendar(const ProfileFileSections& settingsFile);
// The file a stored "subscribed" value names: a relative one is the program folder's.
std::string SubscribedFullPath(const std::string& storedPath);
// What to store for a file chosen by its full path: a file inside the program folder is
// stored relative to it, so that the folder can be moved or copied with its calendar.
std::string SubscribedStoredPath(const std::string& chosenPath);

// The cache file of a subscribed calendar.
std::string SubscriptionCacheName(const std::string& calendarPath);
// The calendar's reminders within the range (each a stored line without type), in day order,
// from today's horizon
// (ImportDaysBefore to ImportDaysAfter around today). From the cache when it matches, else
// read from the file and cached again. A calendar that cannot be read gives none and is
// reported once while it stays as it is; a missing one gives none silently.
struct SubscribedRange {
    double firstDay, lastDay;
    size_t maxCount;
};
std::vector<DatedReminder> SubscribedReminders(const std::string& calendarPath, double today,
                                               const SubscribedRange& range);

// The marked-up lines of one reminder shown in a fixed colour: "{colour}first" and a
// continuation line "|indent{colour}text" for each "|".
std::string MarkUpInColour(const std::string& text, int length, int32_t colour);
// GetItems' lines of the subscribed calendar for the day: a line break before each.
std::string SubscribedItemLines(const ProfileFileSections& settingsFile, double day, int length,
                                size_t room);
