// The user's locale as the system reports it: date formats, separator, day and month names,
// language identifiers. Everything that turns a date into text reads it from here.
#pragma once
#include <string>

std::string ShortDateFormat();
std::string LongDateFormat();
char DateSeparator();
// weekday: 1 = Sunday ... 7 = Saturday.
std::string ShortDayName(int weekday);
std::string LongDayName(int weekday);
// month: 1 ... 12.
std::string ShortMonthName(int month);
std::string LongMonthName(int month);
int UserDefaultLanguageId();
// The three-letter abbreviation of a language identifier ("ENU" for 0x0409); empty when unknown.
std::string LanguageAbbreviation(int languageId);
