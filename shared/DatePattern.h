// Turns a date into text with a date pattern: runs of d, m and y (either case) choose the
// day, month and year forms, "/" stands for the system's date separator, quoted text is
// copied, anything else is copied as it stands. Names come from the system's locale.
#pragma once
#include <string>

std::string FormatDatePattern(const std::string& pattern, double date);
