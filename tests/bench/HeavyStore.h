// A heavy reminder store for timing the queries: years of day files with several reminders
// each, many regular reminders of every interval, and a full reminder-type table. Written
// through the library's own writers so the formats are exactly the stored ones.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct HeavyStoreShape {
    int firstYear = 2010;
    int years = 10;
    int remindersPerDay = 3;
    int regularReminders = 1000;
    int reminderTypes = 20;
};

// Scale 1 is the store of the benchmark; a larger scale multiplies the regular reminders,
// which are what the Coming Up candidates grow with.
HeavyStoreShape HeavyStoreAtScale(int scale);

// The names of the generated reminder types, in table order.
std::vector<std::string> HeavyStoreTypeNames(const HeavyStoreShape& shape);

struct HeavyStoreSummary {
    size_t dayFiles = 0;
    size_t datedReminders = 0;
    size_t regularReminders = 0;
    size_t reminderTypes = 0;
};

// Writes calendar.ini and data\ into the current program directory. The same shape always
// gives the same bytes, so timings of different runs compare.
HeavyStoreSummary GenerateHeavyStore(const HeavyStoreShape& shape);
