// Turns a date into text with a date pattern: runs of d, m and y (either case) choose the
// day, month and year forms, "/" stands for the system's date separator, quoted text is
// copied, anything else is copied as it stands. Names come from the system's locale.
#pragma once
#include <string>

std::string FormatDatePattern(const std::string& pattern, double date);

// The one rule for the dates of the Coming Up list, which the library writes and the window
// reads back: the short date format without its year letters and without the separator the
// year leaves at either end.
std::string ComingUpDatePattern(const std::string& shortDateFormat);
// The same for the system's own short date format.
std::string ComingUpDatePattern();
