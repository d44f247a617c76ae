// The two reminder queries: the item text of one day (GetItems) and of the next reminders
// from a date on (ComingUp), with the recurrence arithmetic of regular reminders.
#pragma once
#include "ReminderFiles.h"

#include <string>
#include <vector>

// The library-wide array of regular reminders, each moved to its current occurrence.
std::vector<TRegularEntry>& RegularEntries();
// Fills the array from regular.dat and moves every recurring entry to its first occurrence
// on or after date. Records that cannot occur (an interval above 5, a date outside the
// calendar) are passed over. A read error is shown in an error box; the records read stay.
void LoadRegularEntries(double date);
// Moves the entry to its next occurrence; day is the day of month that month, quarter and
// year steps aim at, shortened only in a month that lacks it.
void AdvanceRegularEntry(TRegularEntry& entry, int day);

// The date pattern of the day heading made from the dateformat setting.
std::string ItemsDatePattern(const std::string& dateformat);

// The characters of item text the window's 1024-byte buffer holds before its zero. The
// queries mark up no more than this, and the exports cut the text to it.
const size_t ItemTextRoom = 1023;

// Both queries catch their own failures, show them in an error box and then give false.
bool BuildItemsText(double date, std::string* text);
bool BuildComingUpText(int count, double date, std::string* text);

// The text cut to maxLength characters: whole lines while they fit, then as much of the next
// line as fits, cut neither inside its indent mark nor inside its colour group (a line that
// keeps nothing is left out with its line break), so a long reminder still shows its start
// and its colour.
std::string ShortenItemText(const std::string& text, size_t maxLength);
