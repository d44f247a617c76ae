// Calendar arithmetic on OLE Automation dates: whole days counted from 30 December 1899,
// the fraction being the time of day. Used by both modules.
#pragma once

// The range of dates the program holds: 1 January 1 to 31 December 9999.
const double FirstOleDate = -693593.0;
const double LastOleDate = 2958465.0;
// 1 January 100: the first date the system's own date conversion takes, and so the first a
// regular reminder may fall on.
const double FirstSystemDate = -657434.0;

// Gregorian month lengths; February has 29 days in a leap year.
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);
bool IsValidDate(int year, int month, int day);
// The OLE date of a day; raises VelmoraError for a date that does not exist.
double EncodeDate(int year, int month, int day);
void DecodeDate(double date, int* year, int* month, int* day);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(double date);
// True when the date is a number whose day lies in the calendar, 1 January 1 to
// 31 December 9999; anything else (infinite, not a number, beyond either end) is no day.
bool IsCalendarDay(double date);
// The date without its time of day, and the time of day alone.
double WholeDay(double date);
double TimeOfDay(double date);
int DayOfMonth(double date);
