// The subscribed calendar and its cache.
#include "SubscribedCalendar.h"
#include "Clock.h"
#include "DateUtils.h"
#include "Errors.h"
#include "FileSystem.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"
#include "Queries.h"
#include "ReportOnce.h"
#include "Settings.h"
#include "TextCase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char* const cacheMagic = "VELMORA SUBSCRIPTION CACHE 1";
// The most reminders a subscription shows; a larger calendar is cut there.
const size_t maxSubscribed = 200000;

// A check of the cache's body, eight bytes a step: it is read at every query.
uint64_t Hash(const std::string& text, size_t from) {
    uint64_t hash = 1469598103934665603ULL ^ (text.size() - from);
    size_t i = from;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
        hash ^= hash >> 29;
    }
    for (; i < text.size(); ++i)
        hash = (hash ^ static_cast<unsigned char>(text[i])) * 1099511628211ULL;
    return hash;
}

std::string Header(unsigned long long size, long long writeTime, double today, size_t count,
                   uint64_t hash) {
    char text[160];
    std::snprintf(text, sizeof text, "%s\r\n%llu %lld %.0f %zu %016llx\r\n", cacheMagic, size,
                  writeTime, today, count, static_cast<unsigned long long>(hash));
    return text;
}

std::string CacheBody(const std::vector<DatedReminder>& reminders) {
    std::string body;
    for (const DatedReminder& reminder : reminders)
        body += std::to_string(static_cast<long>(reminder.day)) + "\t" + reminder.line + "\r\n";
    return body;
}

// Whether a reminder of this day is one more the range takes, after taken others.
bool RangeTakes(const SubscribedRange& range, double day, size_t taken) {
    return day >= range.firstDay && day <= range.lastDay && taken < range.maxCount;
}

// The cache's reminders within the range when it was made from the file as it is now, for
// today, and is whole. A query needs a day or the next few, and reads the cache each time.
bool ReadCache(const std::string& cachePath, unsigned long long size, long long writeTime,
               double today, const SubscribedRange& range, std::vector<DatedReminder>* reminders) {
    if (!FileExists(cachePath))
        return false;
    const std::string content = ReadWholeFile(cachePath);
    const size_t firstBreak = content.find("\r\n");
    if (firstBreak == std::string::npos || content.compare(0, firstBreak, cacheMagic) != 0)
        return false;
    const size_t secondBreak = content.find("\r\n", firstBreak + 2);
    if (secondBreak == std::string::npos)
        return false;
    const size_t bodyStart = secondBreak + 2;
    unsigned long long storedSize = 0, storedHash = 0;
    long long storedTime = 0;
    double storedToday = 0;
    size_t count = 0;
    if (std::sscanf(content.c_str() + firstBreak + 2, "%llu %lld %lf %zu %llx", &storedSize,
                    &storedTime, &storedToday, &count, &storedHash) != 5)
        return false;
    if (storedSize != size || storedTime != writeTime || storedToday != today ||
        count > maxSubscribed || storedHash != Hash(content, bodyStart))
        return false;
    reminders->clear();
    size_t lines = 0;
    double previous = -1e300;
    for (size_t at = bodyStart; at < content.size(); ++lines) {
        const size_t end = content.find("\r\n", at);
        if (end == std::string::npos)
            return false;
        char* stop = nullptr;
        const double day = static_cast<double>(std::strtol(content.c_str() + at, &stop, 10));
        if (stop >= content.c_str() + end || *stop != '\t' || !IsCalendarDay(day) || day < previous)
            return false;
        previous = day;
        if (RangeTakes(range, day, reminders->size())) {
            const size_t text = static_cast<size_t>(stop - content.c_str()) + 1;
            reminders->push_back({day, content.substr(text, end - text)});
        }
        at = end + 2;
    }
    return lines == count;
}

// Every event of the file on its days of today's horizon, repeating ones included.
std::vector<DatedReminder> ReadCalendar(const std::string& path, double today,
                                        std::string* failure) {
    ImportPlan plan = PlanCalendarImport(ReadWholeFile(path), {}, today);
    if (!plan.failure.empty()) {
        *failure = plan.failure;
        return {};
    }
    const double first = today - ImportDaysBefore, last = today + ImportDaysAfter;
    std::vector<DatedReminder> reminders;
    for (DatedReminder& reminder : plan.dated)
        if (reminder.day >= first && reminder.day <= last)
            reminders.push_back(std::move(reminder));
    for (const TRegularEntry& regular : plan.regular) {
        TRegularEntry entry = regular;
        for (size_t i = 0; i < MaxOccurrencesPerEvent && entry.StartDate <= last; ++i) {
            if (entry.StartDate >= first)
                reminders.push_back({entry.StartDate, entry.Description});
            const double before = entry.StartDate;
            AdvanceRegularEntry(entry, entry.AnchorDay);
            if (entry.StartDate == before)
                break;
        }
    }
    std::stable_sort(reminders.begin(), reminders.end(),
                     [](const DatedReminder& a, const DatedReminder& b) { return a.day < b.day; });
    if (reminders.size() > maxSubscribed)
        reminders.resize(maxSubscribed);
    return reminders;
}
} // namespace

namespace {
bool IsAbsolutePath(const std::string& path) {
    return path.find(':') != std::string::npos || path[0] == '\\' || path[0] == '/';
}
} // namespace

std::string SubscribedFullPath(const std::string& storedPath) {
    if (storedPath.empty() || IsAbsolutePath(storedPath))
        return storedPath;
    return ProgramDirectory() + storedPath;
}

std::string SubscribedStoredPath(const std::string& chosenPath) {
    const std::string folder = ProgramDirectory();
    if (chosenPath.size() <= folder.size() ||
        !SameTextIgnoringCase(chosenPath.substr(0, folder.size()), folder))
        return chosenPath;
    const std::string inside = chosenPath.substr(folder.size());
    return IsAbsolutePath(inside) ? chosenPath : inside;
}

SubscribedCalendar ReadSubscribedCalendar(const ProfileFileSections& settingsFile) {
    // As the settings are read, so that a value out of range is held as the load holds it
    // (the load itself is what names it).
    try {
        const TCalendarOptions stored = ReadSettings(settingsFile).record;
        return {SubscribedFullPath(stored.subscribed), stored.subscribedcolour};
    } catch (const UnreadableFileError&) {
        // Shown as none meanwhile: the queries tell of the file once, not at every day.
        return {};
    }
}

std::string SubscriptionCacheName(const std::string& calendarPath) {
    return calendarPath + ".cache";
}

std::vector<DatedReminder> SubscribedReminders(const std::string& calendarPath, double today,
                                               const SubscribedRange& range) {
    unsigned long long size = 0;
    long long writeTime = 0;
    if (calendarPath.empty() || !FileStamp(calendarPath, &size, &writeTime))
        return {};
    const std::string cachePath = SubscriptionCacheName(calendarPath);
    std::vector<DatedReminder> reminders;
    try {
        if (ReadCache(cachePath, size, writeTime, today, range, &reminders))
            return reminders;
    } catch (const VelmoraError&) {
        // An unreadable cache is made again.
    }
    std::string failure;
    try {
        if (size > ICalLimits().maxFileOctets)
            failure = "The file is larger than " +
                      std::to_string(ICalLimits().maxFileOctets >> 20) + " MB.";
        else
            reminders = ReadCalendar(calendarPath, today, &failure);
    } catch (const VelmoraError& error) {
        failure = error.what();
    }
    if (!failure.empty()) {
        ReportFileProblem(calendarPath, "The subscribed calendar cannot be shown: " + failure);
        return {};
    }
    try {
        const std::string body = CacheBody(reminders);
        ReplaceFileContent(cachePath,
                           Header(size, writeTime, today, reminders.size(), Hash(body, 0)) + body);
    } catch (const VelmoraError&) {
        // A folder that cannot be written (a shared one): the calendar is read each time.
    }
    std::vector<DatedReminder> wanted;
    for (DatedReminder& reminder : reminders)
        if (RangeTakes(range, reminder.day, wanted.size()))
            wanted.push_back(std::move(reminder));
    return wanted;
}

std::string MarkUpInColour(const std::string& text, int length, int32_t colour) {
    const std::string group = "{" + std::to_string(colour) + "}";
    std::string marked = group;
    for (char c : text) {
        if (c == '|')
            marked += "\r\n|" + std::to_string(length + 1) + group;
        else
            marked += c;
    }
    return marked;
}

std::string SubscribedItemLines(const ProfileFileSections& settingsFile, double day, int length,
                                size_t room) {
    const SubscribedCalendar calendar = ReadSubscribedCalendar(settingsFile);
    if (calendar.path.empty())
        return "";
    const std::vector<DatedReminder> reminders = SubscribedReminders(
        calendar.path, std::floor(CurrentDateTime()), {day, day, static_cast<size_t>(-1)});
    std::string lines;
    for (auto it = reminders.begin(); it != reminders.end() && lines.size() <= room; ++it)
        lines += "\r\n" + MarkUpInColour(it->line, length, calendar.colour);
    return lines;
}
