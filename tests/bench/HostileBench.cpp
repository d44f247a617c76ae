// Times GetItems and ComingUp on stores made to hurt them (one huge day file, a huge
// regular.dat, tens of thousands of day files, thousands of reminder types) and reports the
// peak memory of a process that makes one such call. Each query's cost should follow what it
// hands out plus one read of its input. hostile_bench <folder>. It only prints.
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "ReminderFiles.h"
#include "Settings.h"
#include "Tools.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
const double queryDate = 42170; // 15 June 2015

void Write(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string DayName(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    char name[32];
    std::snprintf(name, sizeof name, "data/%04d-%02d-%02d.txt", year, month, day);
    return name;
}

struct Store {
    std::string name;
    std::string what;
    std::function<void(const std::filesystem::path&)> make;
};

std::vector<Store> Stores() {
    return {
        {"huge-line", "one day file of 50 MB in a single line",
         [](const std::filesystem::path& root) {
             Write(root / DayName(queryDate), "{Work}" + std::string(50u << 20, 'a') + "|b\r\n");
             Write(root / "calendar.ini", "[eventtypes]\r\nWork=255\r\n");
         }},
        {"huge-lines", "one day file of 50 MB in lines of 100 characters",
         [](const std::filesystem::path& root) {
             std::string line = "{Work}" + std::string(92, 'a') + "\r\n";
             std::string content;
             content.reserve(50u << 20);
             while (content.size() < (50u << 20))
                 content += line;
             Write(root / DayName(queryDate), content);
             Write(root / "calendar.ini", "[eventtypes]\r\nWork=255\r\n");
         }},
        {"regular-200k", "200,000 regular reminders of every interval",
         [](const std::filesystem::path& root) {
             std::vector<TRegularEntry> entries(200000);
             for (size_t i = 0; i < entries.size(); ++i) {
                 entries[i].StartDate =
                     36526 + static_cast<double>(i % 5000); // from 1 January 2000
                 entries[i].Interval = static_cast<uint8_t>(1 + i % 5);
                 entries[i].Description =
                     "{Work}regular reminder " + std::to_string(i) + "|second line";
             }
             Write(root / "data/regular.dat", EncodeRegularRecords(entries));
             Write(root / "calendar.ini", "[eventtypes]\r\nWork=255\r\n");
         }},
        {"day-files-50k", "50,000 day files of three reminders",
         [](const std::filesystem::path& root) {
             for (int i = 0; i < 50000; ++i)
                 Write(root / DayName(queryDate - 25000 + i),
                       "first\r\n{Work}second|more\r\nthird\r\n");
             Write(root / "calendar.ini", "[eventtypes]\r\nWork=255\r\n");
         }},
        {"types-4000", "4000 reminder types, the day's reminders of the last one",
         [](const std::filesystem::path& root) {
             std::string ini = "[options]\r\ndateformat=dddd d mmmm yyyy\r\n[eventtypes]\r\n";
             for (int i = 0; i < 4000; ++i)
                 ini += "Type" + std::to_string(i) + "=" + std::to_string(i * 97) + "\r\n";
             Write(root / "calendar.ini", ini);
             std::string day;
             for (int i = 0; i < 40; ++i)
                 day += "{type3999}reminder " + std::to_string(i) + "|and {more}\r\n";
             Write(root / DayName(queryDate), day);
             Write(root / DayName(queryDate + 1), day);
         }},
    };
}

void UseStore(const std::filesystem::path& root) {
    SetPortableProgramDirectory(root.string() + "/");
    ResetSettings();
    ClearEventTypes();
    RegularEntries().clear();
    RecordedMessageBoxes().clear();
}

uint32_t Call(bool items, int count) {
    ResetSettings();
    ClearEventTypes();
    RegularEntries().clear();
    std::unique_ptr<char[]> buffer(new char[1024]());
    char* address = buffer.get();
    uint32_t length = 0;
    if (items)
        GetItems(&address, &length, queryDate);
    else
        ComingUp(count, &address, &length, queryDate);
    return length;
}

// The peak resident memory, in MiB, of a fresh process that makes the call once (or none).
double PeakMemory(const std::filesystem::path& root, int what, int count) {
    const pid_t child = fork();
    if (child == 0) {
        UseStore(root);
        if (what == 1)
            Call(true, 0);
        if (what == 2)
            Call(false, count);
        _exit(0);
    }
    int status = 0;
    struct rusage usage = {};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss / 1024.0;
}

double MedianSeconds(int runs, const std::function<void()>& call) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        call();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

uintmax_t StoreBytes(const std::filesystem::path& root) {
    uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            bytes += entry.file_size();
    return bytes;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::printf(
        "Hostile stores: median of 5 calls (the library state reset before each, as after a fresh\n"
        "load); peak memory of a process making one call, against one making none.\n");
    for (const Store& store : Stores()) {
        const std::filesystem::path root = folder / store.name;
        std::filesystem::remove_all(root);
        store.make(root);
        UseStore(root);
        const uint32_t itemsLength = Call(true, 0);
        const uint32_t comingLength = Call(false, 255);
        const size_t boxes = RecordedMessageBoxes().size();
        const double items = MedianSeconds(5, [] { Call(true, 0); });
        const double coming = MedianSeconds(5, [] { Call(false, 255); });
        const double none = PeakMemory(root, 0, 0);
        std::printf("\n== %s: %s (%.1f MB on disk)\n", store.name.c_str(), store.what.c_str(),
                    static_cast<double>(StoreBytes(root)) / 1e6);
        std::printf("GetItems            %10.3f ms  peak %7.1f MiB (+%.1f)  %u characters\n",
                    items * 1e3, PeakMemory(root, 1, 0), PeakMemory(root, 1, 0) - none,
                    itemsLength);
        std::printf("ComingUp, count 255 %10.3f ms  peak %7.1f MiB (+%.1f)  %u characters%s\n",
                    coming * 1e3, PeakMemory(root, 2, 255), PeakMemory(root, 2, 255) - none,
                    comingLength, boxes ? "  [WARNING: message boxes shown]" : "");
        std::filesystem::remove_all(root);
    }
    return 0;
}
