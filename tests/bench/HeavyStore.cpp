// Generation of the heavy store. Content is varied on purpose: typed and untyped lines,
// types the table does not know, continuation marks, long and short texts, and regular
// reminders anchored on days 28 to 31 so the month arithmetic takes its shortening paths.
#include "HeavyStore.h"
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "ProfileFile.h"
#include "ReminderFiles.h"
#include "Settings.h"

#include <algorithm>

namespace {
// A fixed sequence, the same on every platform and library version (unlike the standard
// distributions), so the store is reproducible byte for byte.
class Sequence {
  public:
    explicit Sequence(uint64_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<uint32_t>(state_ >> 11);
    }
    int Below(int limit) { return static_cast<int>(Next() % static_cast<uint32_t>(limit)); }

  private:
    uint64_t state_;
};

const char* const words[] = {"call",   "dentist", "meeting", "review",   "pay",     "rent",
                             "Anna",   "Bob",     "garden",  "invoice",  "train",   "tickets",
                             "school", "concert", "renew",   "passport", "project", "deadline"};

std::string Words(Sequence& sequence, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += words[sequence.Below(static_cast<int>(sizeof words / sizeof words[0]))];
    }
    return text;
}

// A description of a few words, now and then with one or two continuation lines.
std::string Description(Sequence& sequence) {
    std::string text = Words(sequence, 1 + sequence.Below(8));
    const int roll = sequence.Below(10);
    if (roll < 3)
        text += "|" + Words(sequence, 1 + sequence.Below(5));
    if (roll == 0)
        text += "|" + Words(sequence, 1 + sequence.Below(5));
    return text;
}

// Mostly a known type, sometimes none, and rarely one the table lacks (it shows as -1).
std::string TypeFor(Sequence& sequence, const std::vector<std::string>& typeNames) {
    const int roll = sequence.Below(10);
    if (roll < 6)
        return typeNames[static_cast<size_t>(sequence.Below(static_cast<int>(typeNames.size())))];
    if (roll < 9)
        return "";
    return "Unlisted";
}

void WriteSettings(const HeavyStoreShape& shape) {
    const std::vector<std::string> names = HeavyStoreTypeNames(shape);
    std::vector<std::string> list;
    Sequence colours(0x5eed0001);
    for (const std::string& name : names)
        list.push_back(name + "=" + std::to_string(colours.Below(0x1000000)));
    ListToEventTypes(list);
    SaveEventTypes();
    ClearEventTypes();
    const std::string path = SettingsFileName();
    ProfileWriteString(path, "options", "top", "120");
    ProfileWriteString(path, "options", "left", "840");
    ProfileWriteString(path, "options", "dateformat", "dddd, d mmmm yyyy");
    ProfileWriteString(path, "options", "listcount", "10");
}

size_t WriteDayFiles(const HeavyStoreShape& shape) {
    const std::vector<std::string> typeNames = HeavyStoreTypeNames(shape);
    Sequence sequence(0x5eed0002);
    const double first = EncodeDate(shape.firstYear, 1, 1);
    const double end = EncodeDate(shape.firstYear + shape.years, 1, 1);
    size_t files = 0;
    for (double day = first; day < end; ++day, ++files) {
        std::vector<TCalendarEntry> entries;
        for (int i = 0; i < shape.remindersPerDay; ++i)
            entries.push_back({Description(sequence), TypeFor(sequence, typeNames)});
        WriteDayFile(day, entries);
    }
    return files;
}

void WriteRegularReminders(const HeavyStoreShape& shape) {
    const std::vector<std::string> typeNames = HeavyStoreTypeNames(shape);
    Sequence sequence(0x5eed0003);
    std::vector<TRegularEntry> entries;
    for (int i = 0; i < shape.regularReminders; ++i) {
        TRegularEntry entry;
        // Every interval in turn; None never comes from the editor, so it stays out.
        entry.Interval = static_cast<uint8_t>(1 + i % 5);
        const int year = shape.firstYear + sequence.Below(shape.years);
        const int month = 1 + sequence.Below(12);
        // One in four anchored at the end of a month, where the steps have to shorten.
        const int day = sequence.Below(4) == 0 ? 28 + sequence.Below(4) : 1 + sequence.Below(28);
        entry.StartDate = EncodeDate(year, month, std::min(day, DaysInMonth(year, month)));
        entry.Description = RegularDescription(TypeFor(sequence, typeNames), Description(sequence));
        entries.push_back(entry);
    }
    WriteRegularFile(entries);
}
} // namespace

HeavyStoreShape HeavyStoreAtScale(int scale) {
    HeavyStoreShape shape;
    shape.regularReminders *= scale < 1 ? 1 : scale;
    return shape;
}

std::vector<std::string> HeavyStoreTypeNames(const HeavyStoreShape& shape) {
    static const char* const names[] = {"Birthday", "Holiday", "Work",    "Doctor",   "School",
                                        "Bills",    "Sport",   "Travel",  "Family",   "Garden",
                                        "Car",      "Music",   "Friends", "Club",     "Church",
                                        "Shopping", "Pets",    "Study",   "Visitors", "Repairs"};
    std::vector<std::string> result;
    for (int i = 0; i < shape.reminderTypes; ++i) {
        std::string name = names[i % 20];
        if (i >= 20)
            name += std::to_string(i / 20 + 1);
        result.push_back(name);
    }
    return result;
}

HeavyStoreSummary GenerateHeavyStore(const HeavyStoreShape& shape) {
    HeavyStoreSummary summary;
    ForceDirectories(DataDirectory()); // calendar.ini is written before any day file
    WriteSettings(shape);
    summary.reminderTypes = static_cast<size_t>(shape.reminderTypes);
    summary.dayFiles = WriteDayFiles(shape);
    summary.datedReminders = summary.dayFiles * static_cast<size_t>(shape.remindersPerDay);
    WriteRegularReminders(shape);
    summary.regularReminders = static_cast<size_t>(shape.regularReminders);
    return summary;
}
