// The calendar files the calendar-file benchmarks read, the same natively and under Wine.
#pragma once
#include <string>

// The benchmark's large file: this many events from another program (all-day, timed, in a
// time zone, in UTC, one in a hundred repeating weekly) over ten years from 2020.
const int eventCount = 100000;
std::string GeneratedCalendar(int events);
// A calendar of 5,000 events around today, some repeating weekly: a subscription.
std::string SubscribedCalendarText(double today);
