// Query read plans, medians and the report lines of the benchmarks.
#include "BenchSupport.h"
#include "DateUtils.h"
#include "FileSystem.h"
#include "ProgramDirectory.h"
#include "Queries.h"
#include "RawRead.h"
#include "ReminderFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// The export never gathers more Coming Up lines than its text buffer could show.
const int exportCountLimit = 1024;
// 31 December 9999, where the occurrences of a regular reminder end.
const double lastCalendarDate = 2958465.0;

std::string RawDataPath(const std::string& name) {
    return ProgramDirectory() + "data" + RawPathSeparator + name;
}
std::string RawSettingsPath() {
    return ProgramDirectory() + "calendar.ini";
}

void AddFile(QueryReads& reads, const std::string& path) {
    reads.files.push_back(path);
    reads.bytes += RawReadFile(path);
}

std::string DayFileBaseName(double date) {
    const std::string path = DayFileName(date);
    return path.substr(path.find_last_of('\\') + 1);
}

size_t RegularOccurrences(int count, double date) {
    LoadRegularEntries(date);
    size_t occurrences = 0;
    for (TRegularEntry entry : RegularEntries()) {
        if (entry.StartDate < date)
            continue;
        for (int i = 0; i < count; ++i) {
            ++occurrences;
            if (entry.Interval == static_cast<uint8_t>(TEntryInterval::None))
                break;
            const double before = entry.StartDate;
            AdvanceRegularEntry(entry, entry.AnchorDay);
            if (entry.StartDate == before || entry.StartDate > lastCalendarDate)
                break;
        }
    }
    RegularEntries().clear();
    return occurrences;
}
} // namespace

QueryReads ItemsReads(double date) {
    QueryReads reads;
    AddFile(reads, RawSettingsPath());
    if (DayHasEntries(date))
        AddFile(reads, RawDataPath(DayFileBaseName(date)));
    if (FileExists(RegularFileName()))
        AddFile(reads, RawDataPath("regular.dat"));
    return reads;
}

QueryReads ComingUpReads(int count, double date) {
    count = std::min(count, exportCountLimit);
    QueryReads reads;
    reads.listsDirectory = true;
    AddFile(reads, RawSettingsPath());
    if (count <= 0)
        return reads;
    std::vector<DayFileListing> files = ListDayFiles();
    files.erase(std::remove_if(files.begin(), files.end(),
                               [date](const DayFileListing& f) { return f.date < date; }),
                files.end());
    std::stable_sort(
        files.begin(), files.end(),
        [](const DayFileListing& a, const DayFileListing& b) { return a.date < b.date; });
    double countThDate = 0;
    for (const DayFileListing& file : files) {
        if (reads.datedCandidates >= static_cast<size_t>(count) && file.date > countThDate)
            break;
        const size_t lines =
            SplitDayFileLines(ReadWholeFile(DataDirectory() + "\\" + file.name)).size();
        if (reads.datedCandidates < static_cast<size_t>(count) &&
            reads.datedCandidates + lines >= static_cast<size_t>(count))
            countThDate = file.date;
        reads.datedCandidates += lines;
        AddFile(reads, RawDataPath(file.name));
    }
    if (FileExists(RegularFileName()))
        AddFile(reads, RawDataPath("regular.dat"));
    reads.regularCandidates = RegularOccurrences(count, date);
    return reads;
}

void AddReads(QueryReads& total, const QueryReads& more) {
    total.listsDirectory = total.listsDirectory || more.listsDirectory;
    total.files.insert(total.files.end(), more.files.begin(), more.files.end());
    total.bytes += more.bytes;
    total.datedCandidates += more.datedCandidates;
    total.regularCandidates += more.regularCandidates;
}

size_t RawReads(const QueryReads& reads) {
    if (reads.listsDirectory)
        RawListDirectory(ProgramDirectory() + "data");
    size_t bytes = 0;
    for (const std::string& path : reads.files)
        bytes += RawReadFile(path);
    return bytes;
}

double MedianOf(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string FormatSeconds(double seconds) {
    char text[32];
    if (seconds >= 1)
        std::snprintf(text, sizeof text, "%8.3f s ", seconds);
    else if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%8.3f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%8.1f us", seconds * 1e6);
    return text;
}

std::string Grouped(size_t value) {
    std::string digits = std::to_string(value);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<size_t>(i), ",");
    return digits;
}

std::string ReadsFigures(const QueryReads& reads) {
    std::string text = Grouped(reads.files.size()) + " files, " + Grouped(reads.bytes) + " bytes";
    if (reads.listsDirectory)
        text += ", directory listed";
    return text;
}

double SecondsPerNLogN(double seconds, size_t candidates) {
    if (candidates < 2)
        return 0;
    const double n = static_cast<double>(candidates);
    return seconds / (n * std::log2(n));
}

void PrintHeading(const std::string& text) {
    std::printf("\n== %s\n", text.c_str());
}

void PrintComparison(const std::string& label, const Medians& medians, const std::string& figures,
                     double target) {
    std::printf("%-44s library %s  raw %s  ratio %6.2f (target < %g: %s)\n    %s\n", label.c_str(),
                FormatSeconds(medians.librarySeconds).c_str(),
                FormatSeconds(medians.rawSeconds).c_str(), medians.Ratio(), target,
                medians.Ratio() < target ? "met" : "NOT met", figures.c_str());
    std::fflush(stdout);
}

void BenchGetItemsDay(const std::string& label, int runs, double date, const GetItemsCall& call,
                      const HealthNote& health, double target) {
    const QueryReads reads = ItemsReads(date);
    const uint32_t length = call(date);
    const Medians medians = MedianTimes(
        runs, [&] { call(date); }, [&reads] { RawReads(reads); });
    PrintComparison(label, medians,
                    ReadsFigures(reads) + ", " + Grouped(length) + " characters of text" + health(), target);
}

void BenchGetItemsMonth(const std::string& label, int runs, double date, const GetItemsCall& call,
                        const HealthNote& health, double target) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    const int days = DaysInMonth(year, month);
    QueryReads reads;
    for (int d = 1; d <= days; ++d)
        AddReads(reads, ItemsReads(EncodeDate(year, month, d)));
    const Medians medians = MedianTimes(
        runs,
        [&] {
            for (int d = 1; d <= days; ++d)
                call(EncodeDate(year, month, d));
        },
        [&reads] { RawReads(reads); });
    PrintComparison(label + " (" + std::to_string(days) + ")", medians, ReadsFigures(reads) + health(),
                    target);
}
