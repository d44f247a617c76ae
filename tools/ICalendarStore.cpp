// The reminder store read for an export and added to by an import.
#include "ICalendarStore.h"
#include "Clock.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "ICalendar.h"
#include "ReminderFiles.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace {
std::vector<DatedReminder> AllDatedReminders() {
    std::vector<DayFileListing> files = ListDayFiles();
    std::stable_sort(
        files.begin(), files.end(),
        [](const DayFileListing& a, const DayFileListing& b) { return a.date < b.date; });
    std::vector<DatedReminder> reminders;
    for (const DayFileListing& file : files)
        for (const std::string& line :
             SplitDayFileLines(ReadWholeFile(DataDirectory() + "\\" + file.name)))
            reminders.push_back({file.date, line});
    return reminders;
}

std::vector<TRegularEntry> AllRegularReminders() {
    std::vector<TRegularEntry> kept;
    for (TRegularEntry& entry : ReadRegularFile()) {
        if (entry.Interval > static_cast<uint8_t>(TEntryInterval::Yearly) ||
            !IsCalendarDay(entry.StartDate))
            continue;
        entry.StartDate = std::floor(entry.StartDate);
        kept.push_back(entry);
    }
    return kept;
}

// Files replaced one after the other; until Commit, the destructor puts every one back.
class StoreTransaction {
  public:
    StoreTransaction() = default;
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;
    void Replace(const std::string& path, const std::string& content) {
        Previous previous{path, FileExists(path), ""};
        if (previous.existed)
            previous.content = ReadWholeFile(path);
        written_.push_back(previous);
        ReplaceFileContent(path, content);
    }
    void Commit() { written_.clear(); }
    ~StoreTransaction() {
        for (auto it = written_.rbegin(); it != written_.rend(); ++it) {
            try {
                if (it->existed)
                    ReplaceFileContent(it->path, it->content);
                else
                    DeleteFileIfPresent(it->path);
            } catch (...) {
                // The first failure is the one reported; putting back goes on with the rest.
            }
        }
    }

  private:
    struct Previous {
        std::string path;
        bool existed;
        std::string content;
    };
    std::vector<Previous> written_;
};

using RegularKey = std::tuple<double, uint8_t, std::string>;
RegularKey KeyOf(const TRegularEntry& entry) {
    return RegularKey(std::floor(entry.StartDate), entry.Interval, entry.Description);
}
} // namespace

size_t ExportCalendarToFile(const std::string& path) {
    LoadEventTypes();
    const std::vector<DatedReminder> dated = AllDatedReminders();
    const std::vector<TRegularEntry> regular = AllRegularReminders();
    ReplaceFileContent(path, CalendarFileText(dated, regular, EventTypes(), CurrentDateTime()));
    return dated.size() + regular.size();
}

ImportOutcome ImportCalendarFromFile(const std::string& path) {
    LoadEventTypes();
    const ImportPlan plan =
        PlanCalendarImport(ReadWholeFile(path), EventTypes(), std::floor(CurrentDateTime()));
    if (!plan.failure.empty())
        throw VelmoraError("Cannot import \"" + path + "\": " + plan.failure);
    ImportOutcome outcome;
    std::map<double, std::vector<std::string>> byDay;
    for (const DatedReminder& reminder : plan.dated)
        byDay[reminder.day].push_back(reminder.line);

    StoreTransaction transaction;
    ForceDirectories(DataDirectory());
    for (const auto& day : byDay) {
        std::vector<std::string> lines = ReadDayFile(day.first);
        std::set<std::string> present(lines.begin(), lines.end());
        const size_t before = lines.size();
        for (const std::string& line : day.second) {
            if (present.insert(line).second)
                lines.push_back(line);
            else
                ++outcome.alreadyPresent;
        }
        if (lines.size() == before)
            continue;
        outcome.added += lines.size() - before;
        std::string content;
        for (const std::string& line : lines)
            content += line + "\r\n";
        transaction.Replace(DayFileName(day.first), content);
    }
    if (!plan.regular.empty()) {
        std::vector<TRegularEntry> entries = ReadRegularFile();
        std::set<RegularKey> present;
        for (const TRegularEntry& entry : entries)
            present.insert(KeyOf(entry));
        const size_t before = entries.size();
        for (const TRegularEntry& entry : plan.regular) {
            if (present.insert(KeyOf(entry)).second)
                entries.push_back(entry);
            else
                ++outcome.alreadyPresent;
        }
        if (entries.size() != before) {
            outcome.added += entries.size() - before;
            transaction.Replace(RegularFileName(), EncodeRegularRecords(entries));
        }
    }
    transaction.Commit();
    outcome.summary = ImportSummary(plan, outcome.added, outcome.alreadyPresent);
    return outcome;
}
