// What the query benchmarks share on both builds: which files a query has to read (so the
// raw side reads the very same bytes), medians of interleaved runs, and the printed lines.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The reads one query makes, in its order, as paths for the raw side.
struct QueryReads {
    bool listsDirectory = false;
    std::vector<std::string> files;
    size_t bytes = 0;
    // Coming Up candidates as the gathering rules count them (all occurrences of every regular
    // reminder up to count), which is what the growth check measures against.
    size_t datedCandidates = 0; // lines of the day files read
    size_t regularCandidates = 0;
    size_t Candidates() const { return datedCandidates + regularCandidates; }
};

// GetItems reads calendar.ini (settings and types), the day's file if there is one, and
// regular.dat.
QueryReads ItemsReads(double date);
// ComingUp lists data\, reads the day files from the date on in date order until a later
// file cannot reach the first count reminders, then regular.dat; and calendar.ini for the
// types. Counts above the window's buffer are cut as the export cuts them.
QueryReads ComingUpReads(int count, double date);
void AddReads(QueryReads& total, const QueryReads& more);
// Performs the reads raw; gives the bytes read.
size_t RawReads(const QueryReads& reads);

struct Medians {
    double librarySeconds;
    double rawSeconds;
    double Ratio() const { return rawSeconds > 0 ? librarySeconds / rawSeconds : 0; }
};

// Runs both sides alternately, after two unmeasured rounds that warm the page cache and the
// allocator, and gives the median of each.
template <typename Library, typename Raw> Medians MedianTimes(int runs, Library library, Raw raw);

void PrintHeading(const std::string& text);
// One comparison: the two medians, their ratio against the target and the figures.
void PrintComparison(const std::string& label, const Medians& medians, const std::string& figures,
                     double target = 3);
// "3 files, 273,456 bytes" and the like.
std::string ReadsFigures(const QueryReads& reads);
std::string Grouped(size_t value);
// The time per candidate x log2(candidates): flat when the cost grows as n log n.
double SecondsPerNLogN(double seconds, size_t candidates);
std::string FormatSeconds(double seconds);

double MedianOf(std::vector<double> values);

// How a build makes one GetItems call (giving the text's length), and what went wrong on
// the way ("" when nothing did).
using GetItemsCall = std::function<uint32_t(double)>;
using HealthNote = std::function<std::string()>;
// GetItems for one day, and for every day of its month, against the raw reads of the same
// files; the labels end in " call" or " use" as the build calls them.
// The target is the largest ratio to the raw reads that counts as met.
void BenchGetItemsDay(const std::string& label, int runs, double date, const GetItemsCall& call,
                      const HealthNote& health, double target);
void BenchGetItemsMonth(const std::string& label, int runs, double date, const GetItemsCall& call,
                        const HealthNote& health, double target);

template <typename Library, typename Raw> Medians MedianTimes(int runs, Library library, Raw raw) {
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < 2; ++i) {
        library();
        raw();
    }
    std::vector<double> libraryTimes, rawTimes;
    for (int i = 0; i < runs; ++i) {
        Clock::time_point start = Clock::now();
        library();
        Clock::time_point middle = Clock::now();
        raw();
        Clock::time_point end = Clock::now();
        libraryTimes.push_back(std::chrono::duration<double>(middle - start).count());
        rawTimes.push_back(std::chrono::duration<double>(end - middle).count());
    }
    return {MedianOf(libraryTimes), MedianOf(rawTimes)};
}
