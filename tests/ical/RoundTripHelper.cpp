// The native side of the round trip with an independent calendar library: fills a store,
// exports it, imports a file into one, and prints what GetItems shows on every day.
//   round_trip_helper seed DIR | export DIR FILE | import DIR FILE TODAY | dump DIR FROM TO
// Days are yyyy-mm-dd; the store lives in DIR; text is printed in the code page's bytes.
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "ICalendarStore.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "ReminderFiles.h"
#include "Settings.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {
double Day(const std::string& text) {
    int year = 0, month = 0, day = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d", &year, &month, &day) != 3)
        throw std::runtime_error("bad day " + text);
    return EncodeDate(year, month, day);
}

TRegularEntry Entry(double start, TEntryInterval interval, const std::string& text) {
    TRegularEntry entry;
    entry.StartDate = start;
    entry.Interval = static_cast<uint8_t>(interval);
    entry.Description = text;
    return entry;
}

// Every interval from the days a month may lack, and dated reminders with the characters
// that need escaping, continuation lines, types with and without a CSS colour name.
void Seed() {
    ReplaceEventTypes({{"Birthday", 0x0000FF}, {"Work", 0x123456}, {"Holiday", 0x00FF00}});
    SaveEventTypes();
    std::vector<TRegularEntry> entries;
    const double starts[] = {EncodeDate(2008, 1, 29), EncodeDate(2008, 1, 30),
                             EncodeDate(2008, 1, 31), EncodeDate(2008, 2, 29),
                             EncodeDate(2007, 8, 31), EncodeDate(2007, 5, 15)};
    const char* names[] = {"", "weekly", "fortnightly", "monthly", "quarterly", "yearly"};
    int n = 0;
    for (double start : starts)
        for (int interval = 1; interval <= 5; ++interval, ++n)
            entries.push_back(Entry(start, static_cast<TEntryInterval>(interval),
                                    std::string(n % 3 == 0 ? "{Work}" : "") + names[interval] +
                                        " " + std::to_string(n) +
                                        (n % 4 == 0 ? "|second line" : "")));
    entries.push_back(
        Entry(EncodeDate(2009, 6, 1), TEntryInterval::None, "{Holiday}Once, only; here"));
    WriteRegularFile(entries);
    WriteDayFile(EncodeDate(2007, 3, 5),
                 {{"Party|Bring cake|", "Birthday"}, {"Caf\xE9 50%; a\\b, c", ""}});
    WriteDayFile(EncodeDate(2007, 3, 6), {{"Dentist", "Work"}, {"Dentist", "Work"}});
    WriteDayFile(EncodeDate(2010, 12, 31), {{"Year end \x80 \xAB quoted \xBB", "Holiday"}});
    WriteDayFile(EncodeDate(2016, 2, 29),
                 {{std::string(200, 'x') + "|" + std::string(40, 'y'), ""}});
}

void Dump(double first, double last) {
    for (double day = first; day <= last; ++day) {
        std::string text;
        if (!BuildItemsText(day, &text))
            throw std::runtime_error("GetItems failed");
        const size_t lineBreak = text.find("\r\n");
        if (lineBreak == std::string::npos)
            continue;
        int year, month, dayOfMonth;
        DecodeDate(day, &year, &month, &dayOfMonth);
        std::printf("%04d-%02d-%02d", year, month, dayOfMonth);
        std::string rest = text.substr(lineBreak + 2);
        for (char& c : rest)
            if (c == '\t')
                c = ' ';
        size_t start = 0;
        for (;;) {
            const size_t end = rest.find("\r\n", start);
            std::printf("\t%s", rest.substr(start, end - start).c_str());
            if (end == std::string::npos)
                break;
            start = end + 2;
        }
        std::printf("\n");
    }
}
} // namespace

int main(int argc, char** argv) {
    try {
        if (argc < 3)
            throw std::runtime_error("usage: seed|export|import|dump DIR ...");
        const std::string command = argv[1];
        SetPortableProgramDirectory(std::string(argv[2]) + "/");
        ResetSettings();
        ClearEventTypes();
        if (command == "seed") {
            Seed();
        } else if (command == "export" && argc == 4) {
            std::printf("%zu\n", ExportCalendarToFile(argv[3]));
        } else if (command == "import" && argc == 5) {
            SetPortableNow(Day(argv[4]) + 0.5);
            const ImportOutcome outcome = ImportCalendarFromFile(argv[3]);
            std::printf("%s\n", outcome.summary.c_str());
        } else if (command == "dump" && argc == 5) {
            Dump(Day(argv[3]), Day(argv[4]));
        } else {
            throw std::runtime_error("unknown command");
        }
        for (const RecordedMessageBox& box : RecordedMessageBoxes())
            std::fprintf(stderr, "box: %s\n", box.text.c_str());
        return RecordedMessageBoxes().empty() ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
