// The mapping between the program's reminders and iCalendar events, in both directions,
// without any file or window: what an export writes, and what an import would add, with the
// count of everything it passed over and why.
#pragma once
#include "EventTypeUnit.h"
#include "ICalendarText.h"
#include "ReminderFiles.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// A dated reminder as its day file holds it: "{type}text" or the text alone, in the code page.
struct DatedReminder {
    double day;
    std::string line;
};

// The file of all reminders: one all-day event per dated reminder and one repeating event per
// regular reminder. now (a local OLE date and time) gives the file's time stamps only.
std::string CalendarFileText(const std::vector<DatedReminder>& dated,
                             const std::vector<TRegularEntry>& regular,
                             const std::vector<TEventType>& types, double now);
// The CSS colour name of a 0x00BBGGRR colour, or "" when no name is exactly that colour.
std::string CssColourName(int32_t colour);
// The stable identifiers: from the reminder's place (its day and line, or its record) and text.
std::string DatedReminderUid(double day, size_t line, const std::string& text);
std::string RegularReminderUid(size_t record, const TRegularEntry& entry);

// How far occurrences of a rule that no regular reminder can hold are made: from a year
// before today to two years after it.
const double ImportDaysBefore = 366;
const double ImportDaysAfter = 731;
// The most reminders one import adds, and the most days one event covers.
const size_t MaxImportedReminders = 1000000;
const size_t MaxOccurrencesPerEvent = 5000;
const int MaxEventDays = 366;

struct ImportPlan {
    std::vector<DatedReminder> dated;
    std::vector<TRegularEntry> regular;
    size_t events = 0;                     // events read
    size_t replacedCharacters = 0;         // became "?"
    size_t shortened = 0;                  // texts cut to 255 characters
    size_t unknownZones = 0;               // times of an unknown zone taken as local time
    size_t occurrencesCut = 0;             // events with occurrences beyond the bounds left out
    std::map<std::string, size_t> skipped; // why -> how many
    std::string failure;                   // the file as a whole could not be used
};
// What the calendar file would add: its events turned into reminders on the user's local
// days, types matched by name to the table. today is the local day the horizon starts from.
ImportPlan PlanCalendarImport(const std::string& bytes, const std::vector<TEventType>& types,
                              double today, const ICalLimits& limits = ICalLimits());

// The one message at the end of an import: added, already present, skipped and why.
std::string ImportSummary(const ImportPlan& plan, size_t added, size_t alreadyPresent);
