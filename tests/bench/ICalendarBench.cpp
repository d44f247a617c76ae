// Times the calendar files on a large scale: a file of 100,000 events from another program
// (all-day, timed, in a time zone, some repeating) read and planned, imported into an empty
// store, imported again (all already present), and the store exported again.
// icalendar_bench <folder>. It only prints.
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "ICalendarBenchFiles.h"
#include "ICalendar.h"
#include "ICalendarRecurrence.h"
#include "ICalendarStore.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "ReminderFiles.h"
#include "Settings.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {
template <typename Work> double Seconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icalendar_bench <folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    SetPortableProgramDirectory(root.string() + "/");
    SetPortableNow(EncodeDate(2025, 1, 1) + 0.5);
    ResetSettings();
    ReplaceEventTypes({{"Work", 255}});
    SaveEventTypes();
    const std::string calendar = GeneratedCalendar(eventCount);
    const std::string path = (root / "large.ics").string();
    std::ofstream(path, std::ios::binary) << calendar;

    std::printf("Calendar files: %d events, %.1f MB\n", eventCount, calendar.size() / 1048576.0);
    ImportPlan plan;
    const double planned =
        Seconds([&] { plan = PlanCalendarImport(calendar, EventTypes(), EncodeDate(2025, 1, 1)); });
    std::printf("  read and map:         %8.3f s  (%zu dated, %zu regular reminders)\n", planned,
                plan.dated.size(), plan.regular.size());
    ImportOutcome outcome;
    const double imported = Seconds([&] { outcome = ImportCalendarFromFile(path); });
    std::printf(
        "  import, empty store:  %8.3f s  (%zu added, %zu day files)\n", imported, outcome.added,
        static_cast<size_t>(std::distance(std::filesystem::directory_iterator(root / "data"),
                                          std::filesystem::directory_iterator())));
    const double again = Seconds([&] { outcome = ImportCalendarFromFile(path); });
    std::printf("  import again:         %8.3f s  (%zu added, %zu already present)\n", again,
                outcome.added, outcome.alreadyPresent);
    size_t exported = 0;
    const double out =
        Seconds([&] { exported = ExportCalendarToFile((root / "out.ics").string()); });
    std::printf("  export of the store:  %8.3f s  (%zu reminders, %.1f MB)\n", out, exported,
                std::filesystem::file_size(root / "out.ics") / 1048576.0);
    std::printf("  peak memory:          %8.1f MB\n", PeakMegabytes());

    // The month layout: GetItems for each day of the month, as the window asks at every layout,
    // in a store of its own with a reminder on every day, whose text leaves room to show more.
    const std::filesystem::path layoutRoot = root / "layout";
    std::filesystem::create_directories(layoutRoot / "data");
    SetPortableProgramDirectory(layoutRoot.string() + "/");
    ResetSettings();
    ClearEventTypes();
    const double today = EncodeDate(2025, 1, 1);
    for (int day = 0; day < 31; ++day)
        WriteDayFile(today + day, {{"Own reminder", ""}});
    const auto layout = [&] {
        std::string text;
        size_t characters = 0;
        for (int day = 0; day < 31; ++day) {
            BuildItemsText(today + day, &text);
            characters += text.size();
        }
        return characters;
    };
    const auto layouts = [&](int count) {
        return Seconds([&] {
                   for (int i = 0; i < count; ++i)
                       layout();
               }) /
               count;
    };
    const double plain = layouts(20);
    std::ofstream(layoutRoot / "sub.ics", std::ios::binary) << SubscribedCalendarText(today);
    std::ofstream(layoutRoot / "calendar.ini", std::ios::binary | std::ios::app)
        << "[options]\r\nsubscribed=sub.ics\r\nsubscribedcolour=65280\r\n";
    ResetSettings();
    ClearEventTypes();
    const double first = Seconds([&] { layout(); });
    const double steady = layouts(20);
    std::printf("Month layout (31 GetItems, one own reminder a day):\n");
    std::printf("  without a subscription:                  %8.2f ms\n", plain * 1e3);
    std::printf("  5,000-event subscription, cache made:    %8.2f ms\n", first * 1e3);
    std::printf("  5,000-event subscription, from its cache:%8.2f ms\n", steady * 1e3);
    return 0;
}
