// GetItems and ComingUp: gathering, recurrence, ordering and the item-text markup.
#include "Queries.h"
#include "DatePattern.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "Locale.h"
#include "MessageBoxes.h"
#include "ProfileFile.h"
#include "Settings.h"
#include "TextCase.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <string>
#include <utility>

namespace {
std::vector<TRegularEntry> regularEntries;

const size_t maxCandidateText = 255;
// The dates a regular reminder can fall on.
const double firstCalendarDate = FirstSystemDate;
const double lastCalendarDate = LastOleDate;

int StepMonths(uint8_t interval) {
    switch (static_cast<TEntryInterval>(interval)) {
    case TEntryInterval::Monthly: return 1;
    case TEntryInterval::Quarterly: return 3;
    case TEntryInterval::Yearly: return 12;
    default: return 0;
    }
}

// The date that lies monthsAhead months after (year, month), on day, or on the month's last
// day when it is shorter; false past the end of the calendar.
bool MonthStep(int year, int month, long monthsAhead, int day, double* date) {
    long index = static_cast<long>(year) * 12 + (month - 1) + monthsAhead;
    int newYear = static_cast<int>(index / 12);
    int newMonth = static_cast<int>(index % 12) + 1;
    if (newYear > 9999) return false;
    *date = EncodeDate(newYear, newMonth, std::min(day, DaysInMonth(newYear, newMonth)));
    return true;
}

// Moves the entry to its first occurrence on or after date without stepping through every
// occurrence in between; the result is the one repeated steps would reach.
bool CatchUp(TRegularEntry& entry, double date) {
    if (entry.StartDate >= date) return true;
    const uint8_t interval = entry.Interval;
    if (interval == static_cast<uint8_t>(TEntryInterval::Weekly) ||
        interval == static_cast<uint8_t>(TEntryInterval::Fortnightly)) {
        const double step = interval == static_cast<uint8_t>(TEntryInterval::Weekly) ? 7 : 14;
        entry.StartDate += std::ceil((date - entry.StartDate) / step) * step;
        return entry.StartDate <= lastCalendarDate;
    }
    const int months = StepMonths(interval);
    int year, month, day, queryYear, queryMonth, queryDay;
    DecodeDate(entry.StartDate, &year, &month, &day);
    DecodeDate(date, &queryYear, &queryMonth, &queryDay);
    const long gap = (static_cast<long>(queryYear) * 12 + queryMonth) - (static_cast<long>(year) * 12 + month);
    long steps = std::max(0L, gap / months - 1);
    double occurrence = entry.StartDate;
    for (;;) {
        if (!MonthStep(year, month, steps * months, entry.AnchorDay, &occurrence)) return false;
        if (occurrence >= date) break;
        ++steps;
    }
    entry.StartDate = occurrence;
    return true;
}

bool CanOccur(const TRegularEntry& entry) {
    return entry.Interval <= static_cast<uint8_t>(TEntryInterval::Yearly) &&
           std::isfinite(entry.StartDate) && entry.StartDate >= firstCalendarDate &&
           entry.StartDate <= lastCalendarDate;
}

// Reads regular.dat for the queries: each entry that can occur is moved to its first
// occurrence on or after date and handed to keep, in file order. A file that ends in a part
// of a record is used up to it and then reported; a file that cannot be read gives no
// entries at all (drop forgets those kept so far) and is reported. The records are decoded
// one at a time into one entry, so the many that are not kept cost no allocation.
template <typename Keep, typename Drop> void ReadOccurringEntries(double date, Keep keep, Drop drop) {
    const std::string path = RegularFileName();
    if (!FileExists(path)) return;
    TRegularEntry entry;
    std::string failure;
    // Raised once the file is read, as if the whole file had been read before any entry was kept.
    std::exception_ptr keepFailure;
    try {
        const size_t part = ReadRegularRecords(path, [&](const char* record) {
            if (keepFailure) return;
            try {
                DecodeRegularRecord(record, entry);
                if (!CanOccur(entry)) return;
                entry.StartDate = std::floor(entry.StartDate);
                entry.AnchorDay = DayOfMonth(entry.StartDate);
                if (entry.Interval != static_cast<uint8_t>(TEntryInterval::None) && !CatchUp(entry, date)) return;
                keep(entry);
            } catch (...) {
                keepFailure = std::current_exception();
            }
        });
        if (part != 0) failure = PartRecordMessage(part); // the whole records before it are still used
    } catch (const std::exception& error) {
        drop();
        keepFailure = nullptr;
        failure = error.what();
    }
    if (keepFailure) std::rethrow_exception(keepFailure);
    if (!failure.empty()) ShowErrorBox(failure);
}

void ReportError(const std::exception& error) { ShowErrorBox(error.what()); }

std::string FormattedDateLine(double date) {
    return FormatDatePattern(ItemsDatePattern(CalendarOptions().dateformat), date);
}

struct Candidate {
    double date;
    size_t sequence; // gathering order, which orders candidates of one date
    std::string text;
};

bool CandidateBefore(const Candidate& a, const Candidate& b) {
    return a.date < b.date || (a.date == b.date && a.sequence < b.sequence);
}

void GatherDatedCandidates(int count, double date, std::vector<Candidate>& candidates) {
    std::vector<DayFileListing> files = ListDayFiles();
    files.erase(std::remove_if(files.begin(), files.end(),
                               [date](const DayFileListing& file) { return file.date < date; }),
                files.end());
    // In date order, a file later than the count-th dated reminder found so far cannot
    // reach the list, so reading stops there; files of one date keep the search order.
    std::stable_sort(files.begin(), files.end(),
                     [](const DayFileListing& a, const DayFileListing& b) { return a.date < b.date; });
    for (const DayFileListing& file : files) {
        if (candidates.size() >= static_cast<size_t>(count) && file.date > candidates[count - 1].date) break;
        for (const std::string& line : SplitDayFileLines(ReadWholeFile(DataDirectory() + "\\" + file.name)))
            candidates.push_back({file.date, candidates.size(), line.substr(0, maxCandidateText)});
    }
}

// Each entry's occurrences come in date order, so the first count regular candidates of
// the sorted list are the first count of a merge of those sequences: only they are made,
// instead of count occurrences of every entry. The sequence numbers are those the full
// gathering would give them relative to each other (entry by entry, then occurrence by
// occurrence), so equal dates keep the same order.
void GatherRegularCandidates(int count, double date, std::vector<Candidate>& candidates) {
    LoadRegularEntries(date);
    struct Next {
        double date;
        size_t entry;
        size_t occurrence;
    };
    const auto later = [](const Next& a, const Next& b) {
        return a.date > b.date || (a.date == b.date && a.entry > b.entry);
    };
    std::vector<TRegularEntry> upcoming;
    std::vector<Next> heap;
    for (const TRegularEntry& entry : regularEntries) {
        if (entry.StartDate < date) continue;
        heap.push_back({entry.StartDate, upcoming.size(), 0});
        upcoming.push_back(entry);
    }
    std::make_heap(heap.begin(), heap.end(), later);
    const size_t firstSequence = candidates.size();
    const size_t limit = static_cast<size_t>(count);
    for (size_t made = 0; made < limit && !heap.empty(); ++made) {
        std::pop_heap(heap.begin(), heap.end(), later);
        Next next = heap.back();
        heap.pop_back();
        TRegularEntry& entry = upcoming[next.entry];
        candidates.push_back({next.date, firstSequence + next.entry * limit + next.occurrence, entry.Description});
        if (entry.Interval == static_cast<uint8_t>(TEntryInterval::None) || next.occurrence + 1 >= limit) continue;
        AdvanceRegularEntry(entry, entry.AnchorDay);
        if (entry.StartDate == next.date || entry.StartDate > lastCalendarDate) continue; // the calendar ends
        heap.push_back({entry.StartDate, next.entry, next.occurrence + 1});
        std::push_heap(heap.begin(), heap.end(), later);
    }
}
} // namespace

std::vector<TRegularEntry>& RegularEntries() { return regularEntries; }

void AdvanceRegularEntry(TRegularEntry& entry, int day) {
    switch (static_cast<TEntryInterval>(entry.Interval)) {
    case TEntryInterval::Weekly: entry.StartDate += 7; return;
    case TEntryInterval::Fortnightly: entry.StartDate += 14; return;
    case TEntryInterval::Monthly:
    case TEntryInterval::Quarterly:
    case TEntryInterval::Yearly: {
        int year, month, ignored;
        DecodeDate(entry.StartDate, &year, &month, &ignored);
        double next;
        if (MonthStep(year, month, StepMonths(entry.Interval), std::max(1, day), &next)) entry.StartDate = next;
        return;
    }
    default: return;
    }
}

void LoadRegularEntries(double date) {
    regularEntries.clear();
    ReadOccurringEntries(
        date, [](const TRegularEntry& entry) { regularEntries.push_back(entry); },
        [] { regularEntries.clear(); });
}

std::string ItemsDatePattern(const std::string& dateformat) {
    std::string pattern = dateformat;
    for (;;) {
        const size_t found = LowerCaseAscii(pattern).find("am/pm");
        if (found == std::string::npos) break;
        pattern.erase(found, 5);
    }
    const char separator = DateSeparator();
    std::string kept;
    for (char c : pattern)
        if (c == ' ' || c == separator || std::string("DMYdmy").find(c) != std::string::npos) kept += c;
    size_t first = kept.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return kept.substr(first, kept.find_last_not_of(' ') - first + 1);
}

bool BuildItemsText(double date, std::string* text) {
    date = WholeDay(date);
    // The types and the settings come from one read of calendar.ini.
    const ProfileFileSections settingsFile(SettingsFileName());
    LoadEventTypes(settingsFile);
    try {
        LoadSettingsIfNeeded(settingsFile);
    } catch (const RangeError&) {
        // GetOptions tells the user; the heading is made from the defaults meanwhile.
    }
    TCalendarOptions& options = CalendarOptions();
    if (options.dateformat.empty()) options.dateformat = LongDateFormat();
    try {
        std::string result = FormattedDateLine(date);
        const int length = static_cast<int>(result.size());
        for (const std::string& line : ReadDayFile(date)) result += "\r\n" + MarkUpItemLine(line, length);
        // Only the day's occurrences are kept, not an entry for every record.
        std::vector<std::string> occurring;
        ReadOccurringEntries(
            date,
            [&](const TRegularEntry& entry) {
                if (entry.StartDate == date) occurring.push_back(entry.Description);
            },
            [&] { occurring.clear(); });
        for (const std::string& description : occurring) result += "\r\n" + MarkUpItemLine(description, length);
        *text = result;
        return true;
    } catch (const std::exception& error) {
        ReportError(error);
        return false;
    }
}

bool BuildComingUpText(int count, double date, std::string* text) {
    date = WholeDay(date);
    LoadEventTypes();
    try {
        const std::string pattern = ComingUpDatePattern();
        std::string result;
        if (count > 0) {
            std::vector<Candidate> candidates;
            GatherDatedCandidates(count, date, candidates);
            GatherRegularCandidates(count, date, candidates);
            const size_t shown = std::min(candidates.size(), static_cast<size_t>(count));
            std::partial_sort(candidates.begin(), candidates.begin() + static_cast<long>(shown),
                              candidates.end(), CandidateBefore);
            for (size_t i = 0; i < shown; ++i) {
                const std::string dateText = FormatDatePattern(pattern, candidates[i].date);
                if (!result.empty()) result += "\r\n";
                result += dateText + " " + MarkUpItemLine(candidates[i].text, static_cast<int>(dateText.size()));
            }
        }
        *text = result;
        return true;
    } catch (const std::exception& error) {
        ReportError(error);
        return false;
    }
}

std::string ShortenItemText(const std::string& text, size_t maxLength) {
    if (text.size() <= maxLength) return text;
    size_t cut = text.rfind("\r\n", maxLength);
    if (cut == std::string::npos || cut == 0) return text.substr(0, maxLength);
    return text.substr(0, cut);
}
