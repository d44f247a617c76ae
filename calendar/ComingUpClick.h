// Reading a click on the Coming Up list: which line was hit, and which date that line's
// date text stands for, in the user's short date format with the year added.
#pragma once
#include <string>

// The line under y, counted from the bottom of the navigation row where the lines are
// drawn; -1 above it.
int ComingUpLineIndex(int y, int navigationBottom, int lineHeight);
// Every short month name of the locale (any letter case) replaced by its number.
std::string MonthNamesToNumbers(const std::string& text);
// The short date format without its year, and with the year put back at its end.
std::string ComingUpReadingFormat();
// Reads text as a date in format: the order of day, month and year comes from the format,
// the fields are numbers between the date separators. False when it is no date.
bool ReadDateText(const std::string& text, const std::string& format, double* date);
// The date a Coming Up line stands for: its date text in the shown year, or in the next year
// when that lies before the shown day. False for a line that starts with no date.
bool ComingUpLineDate(const std::string& line, double displayDate, double* date);
