// Times the two reminder queries in process on heavy stores and sets each against the raw
// read of the same files: query_bench <store> <larger store>. It only prints.
#include "BenchSupport.h"
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "Settings.h"
#include "Tools.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {
// The date the window would show: inside the stored years, in a month with 30 days.
const int queryYear = 2015, queryMonth = 6, queryDay = 15;

// What a fresh load of the library starts from: nothing held from an earlier call.
void ForgetLibraryState() {
    ResetSettings();
    ClearEventTypes();
    RegularEntries().clear();
}

// One call as the window makes it: its own 1024-byte buffer and a length set to 0.
uint32_t CallGetItems(double date) {
    ForgetLibraryState();
    std::unique_ptr<char[]> buffer(new char[1024]());
    char* address = buffer.get();
    uint32_t length = 0;
    GetItems(&address, &length, date);
    return length;
}

uint32_t CallComingUp(int count, double date) {
    ForgetLibraryState();
    std::unique_ptr<char[]> buffer(new char[1024]());
    char* address = buffer.get();
    uint32_t length = 0;
    ComingUp(count, &address, &length, date);
    return length;
}

void UseStore(const std::string& folder) {
    SetPortableProgramDirectory(folder.back() == '/' ? folder : folder + "/");
    ForgetLibraryState();
    RecordedMessageBoxes().clear();
}

// A query that failed or showed a box would time the wrong work; say so beside the figures.
std::string Health() {
    if (RecordedMessageBoxes().empty())
        return "";
    return "  [WARNING: " + Grouped(RecordedMessageBoxes().size()) +
           " message boxes: " + RecordedMessageBoxes().front().text + "]";
}

// Gives the library's median time, for the growth check.
double BenchComingUp(int count, double date, int runs, const std::string& store) {
    const QueryReads reads = ComingUpReads(count, date);
    const uint32_t length = CallComingUp(count, date);
    const Medians medians = MedianTimes(
        runs, [count, date] { CallComingUp(count, date); }, [&reads] { RawReads(reads); });
    PrintComparison("ComingUp, count " + std::to_string(count) + " (" + store + ")", medians,
                    ReadsFigures(reads) + ", " + Grouped(reads.Candidates()) +
                        " candidates by the gathering rules (" + Grouped(reads.datedCandidates) +
                        " dated), " + Grouped(length) + " characters of text" + Health());
    return medians.librarySeconds;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <store> <larger store>\n", argv[0]);
        return 2;
    }
    const double date = EncodeDate(queryYear, queryMonth, queryDay);
    std::printf(
        "Native, in process (the library state is reset before every call, as after a fresh "
        "load).\n"
        "Query date %04d-%02d-%02d. Medians of interleaved runs after two warm-up rounds.\n",
        queryYear, queryMonth, queryDay);

    UseStore(argv[1]);
    PrintHeading(std::string("store ") + argv[1]);
    // In process the query may cost at most twice the raw read of its files.
    BenchGetItemsDay("GetItems, one call", 201, date, CallGetItems, Health, 2);
    BenchGetItemsMonth("GetItems, a month of calls", 31, date, CallGetItems, Health, 2);
    BenchComingUp(3, date, 101, "smaller store");
    const QueryReads smaller = ComingUpReads(200, date);
    const double smallerSeconds = BenchComingUp(200, date, 21, "smaller store");

    UseStore(argv[2]);
    PrintHeading(std::string("store ") + argv[2]);
    const QueryReads larger = ComingUpReads(200, date);
    const double largerSeconds = BenchComingUp(200, date, 21, "larger store");

    PrintHeading("ComingUp growth with the number of candidates (count 200)");
    const double smallerUnit = SecondsPerNLogN(smallerSeconds, smaller.Candidates());
    const double largerUnit = SecondsPerNLogN(largerSeconds, larger.Candidates());
    std::printf("smaller store: %12s candidates  %s  %.3f ns per candidate x log2(candidates)\n",
                Grouped(smaller.Candidates()).c_str(), FormatSeconds(smallerSeconds).c_str(),
                smallerUnit * 1e9);
    std::printf("larger store:  %12s candidates  %s  %.3f ns per candidate x log2(candidates)\n",
                Grouped(larger.Candidates()).c_str(), FormatSeconds(largerSeconds).c_str(),
                largerUnit * 1e9);
    std::printf("larger / smaller per n log n: %.2f (n log n or better: about 1 or below)\n",
                smallerUnit > 0 ? largerUnit / smallerUnit : 0);
    return 0;
}
