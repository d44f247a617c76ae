// GetItems and ComingUp: gathering, recurrence, ordering and the item-text markup.
#include "Queries.h"
#include "Clock.h"
#include "DatePattern.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "Locale.h"
#include "MessageBoxes.h"
#include "MonthArithmetic.h"
#include "ProfileFile.h"
#include "ReportOnce.h"
#include "Settings.h"
#include "SubscribedCalendar.h"
#include "TextCase.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <exception>
#include <string>
#include <utility>

namespace {
std::vector<TRegularEntry> regularEntries;

const size_t maxCandidateText = 255;
// 1 January 1 and 31 December 9999, where the calendar begins and ends.
const double firstCalendarDay = FirstOleDate;
const double lastCalendarDate = LastOleDate;

int YearOf(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    return year;
}

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
    if (!StepYearMonth(year, month, monthsAhead))
        return false;
    *date = EncodeDate(year, month, std::min(day, DaysInMonth(year, month)));
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
    return entry.Interval <= static_cast<uint8_t>(TEntryInterval::Yearly) && IsCalendarDay(entry.StartDate);
}

// Reads regular.dat for the queries: each entry that can occur is moved to its first
// occurrence on or after date and handed to keep, in file order. A file that ends in a part
// of a record is used up to it and then reported; a file that cannot be read gives no
// entries at all (drop forgets those kept so far) and is reported. Either is reported once
// for as long as the file stays as it is. The records are decoded one at a time into one
// entry, so the many that are not kept cost no allocation.
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
    if (!failure.empty()) ReportFileProblem(path, failure);
}

// The one day GetItems asks about, taken apart once for every record of regular.dat.
struct QueryDay {
    explicit QueryDay(double whole) : date(whole) { DecodeDate(whole, &year, &month, &day); }
    double date;
    int year, month, day;
};

// Whether a stored record falls on the day: the same answer as moving it to its first
// occurrence on or after the day (CatchUp) and comparing, without making any occurrence.
// Weekly steps land on the day when the distance is a whole number of steps; calendar steps
// when the months between are a whole number of steps and the month's day, the start day or
// the month's last day when it is shorter, is the day.
bool OccursOn(double start, uint8_t interval, const QueryDay& query) {
    // Within the calendar, and not after the day (a start not a number fails both).
    if (interval > static_cast<uint8_t>(TEntryInterval::Yearly) || !(start >= firstCalendarDay) ||
        !(start < query.date + 1))
        return false;
    start = std::floor(start);
    if (start == query.date) return true;
    const long long distance = static_cast<long long>(query.date - start);
    switch (static_cast<TEntryInterval>(interval)) {
    case TEntryInterval::Weekly: return distance % 7 == 0;
    case TEntryInterval::Fortnightly: return distance % 14 == 0;
    case TEntryInterval::None: return false;
    default: break;
    }
    int year, month, day;
    DecodeDate(start, &year, &month, &day);
    const long gap = (static_cast<long>(query.year) * 12 + query.month) - (static_cast<long>(year) * 12 + month);
    if (gap <= 0 || gap % StepMonths(interval) != 0) return false;
    return std::min(day, DaysInMonth(query.year, query.month)) == query.day;
}

// The day's regular reminders marked up, in file order, as long as they fit beside what
// the text holds already. Only the records that fall on the day are decoded further than
// their date and interval. The file's failures are those of ReadOccurringEntries.
std::string MarkedUpRegularOfDay(const QueryDay& query, int length, size_t room) {
    const std::string path = RegularFileName();
    std::string marked;
    if (!FileExists(path)) return marked;
    std::string failure;
    try {
        const size_t part = ReadRegularRecords(path, [&](const char* record) {
            if (marked.size() > room) return;
            double start;
            std::memcpy(&start, record, sizeof start);
            if (!OccursOn(start, static_cast<uint8_t>(record[264]), query)) return;
            const std::string description(record + 9, static_cast<unsigned char>(record[8]));
            marked += "\r\n";
            marked += MarkUpItemLine(description, length);
        });
        if (part != 0) failure = PartRecordMessage(part);
    } catch (const std::exception& error) {
        marked.clear();
        failure = error.what();
    }
    if (!failure.empty()) ReportFileProblem(path, failure);
    return marked;
}

void ReportError(const std::exception& error) { ShowErrorBox(error.what()); }

std::string FormattedDateLine(double date) {
    return FormatDatePattern(ItemsDatePattern(CalendarOptions().dateformat), date);
}

// The longest heading a day's text keeps. A date format may spell out far more than the text
// can hold; cut here, the heading always leaves the day's first reminder most of the text,
// so the day keeps its colour and shows what it holds.
const size_t headingRoom = 255;

// How much of a day-file line GetItems holds: more than the text buffer can show of it.
const size_t itemsLineKeep = 2 * 1024;

struct Candidate {
    double date;
    size_t sequence; // gathering order, which orders candidates of one date
    std::string text;
    bool subscribed = false; // shown in the subscribed calendar's colour
    int32_t colour = 0;
};

bool CandidateBefore(const Candidate& a, const Candidate& b) {
    return a.date < b.date || (a.date == b.date && a.sequence < b.sequence);
}

// The dated candidates that can reach the list: in date order the first count lines of the
// day files from the date on, each cut to 255 characters. Later lines and later files can
// never come before them, so reading ends there. A day file that cannot be read is reported
// and gives no candidates; the other days are still listed.
void GatherDatedCandidates(int count, double date, std::vector<Candidate>& candidates) {
    std::vector<DayFileListing> files = ListDayFiles();
    files.erase(std::remove_if(files.begin(), files.end(),
                               [date](const DayFileListing& file) { return file.date < date; }),
                files.end());
    // Files of one date keep the search order.
    std::stable_sort(files.begin(), files.end(),
                     [](const DayFileListing& a, const DayFileListing& b) { return a.date < b.date; });
    const size_t limit = static_cast<size_t>(count);
    BoundedDayFileLine line(maxCandidateText);
    for (const DayFileListing& file : files) {
        if (candidates.size() >= limit) break;
        const size_t first = candidates.size();
        const std::string path = DataDirectory() + "\\" + file.name;
        try {
            ReadDayFileLines(path, line, [&](const BoundedDayFileLine& read) {
                if (candidates.size() < limit) candidates.push_back({file.date, candidates.size(), read.Start()});
            });
        } catch (const VelmoraError& error) {
            candidates.resize(first);
            ReportFileProblem(path, error.what());
        }
    }
}

// Only the first count regular candidates of the sorted list can be shown, so while
// regular.dat is read only the count best so far are held, each entry giving occurrences
// as long as they can still beat the last of them. The sequence numbers are those the full
// gathering would give them relative to each other (entry by entry, then occurrence by
// occurrence), so equal dates keep the same order.
void GatherRegularCandidates(int count, double date, std::vector<Candidate>& candidates) {
    const size_t limit = static_cast<size_t>(count);
    const size_t firstSequence = candidates.size();
    std::vector<Candidate> best; // a heap whose front is the latest of those held
    size_t entryIndex = 0;
    const auto later = [](const Candidate& a, const Candidate& b) { return CandidateBefore(a, b); };
    ReadOccurringEntries(
        date,
        [&](const TRegularEntry& stored) {
            const size_t index = entryIndex++;
            if (stored.StartDate < date) return;
            TRegularEntry entry = stored;
            for (size_t occurrence = 0; occurrence < limit; ++occurrence) {
                const size_t sequence = firstSequence + index * limit + occurrence;
                const Candidate next{entry.StartDate, sequence, std::string()};
                if (best.size() >= limit && !CandidateBefore(next, best.front())) break;
                if (best.size() >= limit) {
                    std::pop_heap(best.begin(), best.end(), later);
                    best.pop_back();
                }
                best.push_back({entry.StartDate, sequence, entry.Description});
                std::push_heap(best.begin(), best.end(), later);
                if (entry.Interval == static_cast<uint8_t>(TEntryInterval::None)) break;
                const double before = entry.StartDate;
                AdvanceRegularEntry(entry, entry.AnchorDay);
                if (entry.StartDate == before || entry.StartDate > lastCalendarDate) break; // the calendar ends
            }
        },
        [&] { best.clear(); });
    for (Candidate& candidate : best) candidates.push_back(std::move(candidate));
}

// The subscribed calendar's first count reminders from the date on, after the store's own
// reminders of the same day.
void GatherSubscribedCandidates(const ProfileFileSections& settingsFile, int count, double date,
                                std::vector<Candidate>& candidates) {
    const SubscribedCalendar calendar = ReadSubscribedCalendar(settingsFile);
    if (calendar.path.empty()) return;
    const std::vector<DatedReminder> reminders = SubscribedReminders(
        calendar.path, std::floor(CurrentDateTime()), {date, lastCalendarDate, static_cast<size_t>(count)});
    const size_t firstSequence = static_cast<size_t>(-1) / 2;
    for (size_t n = 0; n < reminders.size(); ++n)
        candidates.push_back({reminders[n].day, firstSequence + n, reminders[n].line.substr(0, maxCandidateText), true,
                              calendar.colour});
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
    if (!IsCalendarDay(date)) return; // no occurrence lies on or after a date that is no day
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

namespace {
// A settings file held by another program: the days show on the defaults and without type
// colours meanwhile, and the user hears of it once, not at every day the window asks for.
void ReportUnreadableSettings(const UnreadableFileError& error) {
    ReportFileProblem(SettingsFileName(), std::string(error.what()) +
                                              "\r\n\r\nThe calendar shows its default settings until it can be read.");
}

void LoadEventTypesOrReport(const ProfileFileSections& settingsFile) {
    try {
        LoadEventTypes(settingsFile);
    } catch (const UnreadableFileError& error) {
        ReportUnreadableSettings(error);
    }
}
} // namespace

bool BuildItemsText(double date, std::string* text) {
    // A date that is no day of the calendar has no heading and no reminders.
    if (!IsCalendarDay(date)) {
        text->clear();
        return true;
    }
    date = WholeDay(date);
    // The types and the settings come from one read of calendar.ini.
    const ProfileFileSections settingsFile(SettingsFileName());
    try {
        LoadSettingsIfNeeded(settingsFile);
    } catch (const RangeError&) {
        // GetOptions tells the user; the heading is made from the defaults meanwhile.
    } catch (const UnreadableFileError& error) {
        ReportUnreadableSettings(error);
    }
    LoadEventTypesOrReport(settingsFile);
    TCalendarOptions& options = CalendarOptions();
    if (options.dateformat.empty()) options.dateformat = LongDateFormat();
    try {
        std::string result = FormattedDateLine(date);
        if (result.size() > headingRoom) {
            // After the last whole word that fits, where there is one.
            const size_t wordEnd = result.find_last_not_of(' ', result.rfind(' ', headingRoom));
            result.resize(wordEnd == std::string::npos ? headingRoom : wordEnd + 1);
        }
        const int length = static_cast<int>(result.size());
        // Lines are marked up only while the text can still show something of them, so a
        // day of any size costs one read of its files and no more than the buffer holds.
        const std::string dayFile = DayFileName(date);
        if (FileExists(dayFile)) {
            BoundedDayFileLine line(itemsLineKeep);
            try {
                ReadDayFileLines(dayFile, line, [&](const BoundedDayFileLine& read) {
                    if (result.size() <= ItemTextRoom) result += "\r\n" + MarkUpItemLine(read.MarkUpEquivalent(), length);
                });
            } catch (const VelmoraError& error) {
                ReportFileProblem(dayFile, error.what());
                return false;
            }
        }
        if (result.size() <= ItemTextRoom)
            result += MarkedUpRegularOfDay(QueryDay(date), length, ItemTextRoom - result.size());
        if (result.size() <= ItemTextRoom)
            result += SubscribedItemLines(settingsFile, date, length, ItemTextRoom - result.size());
        *text = std::move(result);
        return true;
    } catch (const std::exception& error) {
        ReportError(error);
        return false;
    }
}

bool BuildComingUpText(int count, double date, std::string* text) {
    if (!IsCalendarDay(date)) {
        text->clear();
        return true;
    }
    date = WholeDay(date);
    // The types and the subscribed calendar come from one read of calendar.ini.
    const ProfileFileSections settingsFile(SettingsFileName());
    LoadEventTypesOrReport(settingsFile);
    try {
        const std::string pattern = ComingUpDatePattern();
        std::string result;
        if (count > 0) {
            std::vector<Candidate> candidates;
            GatherDatedCandidates(count, date, candidates);
            GatherRegularCandidates(count, date, candidates);
            GatherSubscribedCandidates(settingsFile, count, date, candidates);
            const size_t shown = std::min(candidates.size(), static_cast<size_t>(count));
            std::partial_sort(candidates.begin(), candidates.begin() + static_cast<long>(shown),
                              candidates.end(), CandidateBefore);
            for (size_t i = 0; i < shown && result.size() <= ItemTextRoom; ++i) {
                // A date of another year than the list starts in carries its year, in the
                // user's short date, which the window's click reader takes as it stands.
                const std::string dateText = FormatDatePattern(
                    YearOf(candidates[i].date) == YearOf(date) ? pattern : "", candidates[i].date);
                if (!result.empty()) result += "\r\n";
                const int length = static_cast<int>(dateText.size());
                result += dateText + " " +
                          (candidates[i].subscribed ? MarkUpInColour(candidates[i].text, length, candidates[i].colour)
                                                    : MarkUpItemLine(candidates[i].text, length));
            }
        }
        *text = std::move(result);
        return true;
    } catch (const std::exception& error) {
        ReportError(error);
        return false;
    }
}

namespace {
// Where a line of item text may be cut at or before want: never inside its indent mark (a
// "|" and its digits at the line's start) nor inside its colour group (its first "{" to
// its first "}"), so what is left still reads as the readers expect. A line that would keep
// nothing of its own text beyond its mark and a group right after it gives lineStart: it is
// better left out than shown empty.
size_t SafeCut(const std::string& text, size_t lineStart, size_t lineEnd, size_t want) {
    size_t markEnd = lineStart;
    if (text[lineStart] == '|') {
        ++markEnd;
        while (markEnd < lineEnd && text[markEnd] >= '0' && text[markEnd] <= '9') ++markEnd;
    }
    size_t open, close;
    const bool grouped = FindFirstBraceGroup(text, lineStart, lineEnd, &open, &close);
    const size_t leadEnd = grouped && open == markEnd ? close + 1 : markEnd;
    size_t cut = want;
    if (grouped && open < cut && cut <= close) cut = open;
    return cut <= leadEnd ? lineStart : cut;
}
} // namespace

std::string ShortenItemText(const std::string& text, size_t maxLength) {
    if (text.size() <= maxLength) return text;
    // The line that holds the first character beyond the room is cut to what fits.
    size_t lineStart = 0;
    for (;;) {
        const size_t next = text.find("\r\n", lineStart);
        if (next == std::string::npos || next + 2 > maxLength) break;
        lineStart = next + 2;
    }
    size_t lineEnd = text.find("\r\n", lineStart);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    if (lineStart >= maxLength) return text.substr(0, lineStart - 2); // only its line break fitted
    size_t cut = maxLength;
    if (lineEnd < cut) cut = lineEnd; // the room ends inside the line break after it
    cut = SafeCut(text, lineStart, lineEnd, cut);
    if (cut == lineStart) return lineStart == 0 ? text.substr(0, std::min(maxLength, lineEnd)) : text.substr(0, lineStart - 2);
    return text.substr(0, cut);
}
