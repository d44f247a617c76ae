// The heavy store reads back through the library as the benchmarks assume: every file,
// record and type there, of the variety promised, and the same bytes every time.
#include "HeavyStore.h"
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "Settings.h"
#include "TestFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

namespace {
void UseFolder(const TestFolder& folder) {
    SetPortableProgramDirectory(folder.WithSeparator());
    ResetSettings();
    ClearEventTypes();
    RegularEntries().clear();
    RecordedMessageBoxes().clear();
}

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t LineCount(const std::string& text) {
    return text.empty() ? 0 : static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}
} // namespace

class HeavyStoreTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        store = new TestFolder;
        UseFolder(*store);
        summary = GenerateHeavyStore(HeavyStoreAtScale(1));
    }
    static void TearDownTestSuite() {
        delete store;
        store = nullptr;
    }
    void SetUp() override { UseFolder(*store); }

    static TestFolder* store;
    static HeavyStoreSummary summary;
};
TestFolder* HeavyStoreTest::store = nullptr;
HeavyStoreSummary HeavyStoreTest::summary;

TEST_F(HeavyStoreTest, EveryDayOfTenYearsHasAFileOfThreeVariedReminders) {
    const std::vector<DayFileListing> files = ListDayFiles();
    const size_t days = static_cast<size_t>(EncodeDate(2020, 1, 1) - EncodeDate(2010, 1, 1));
    ASSERT_EQ(days, files.size());
    EXPECT_EQ(days, summary.dayFiles);
    std::set<double> dates;
    size_t typed = 0, untyped = 0, continued = 0, unlisted = 0;
    for (const DayFileListing& file : files) {
        dates.insert(file.date);
        const std::vector<std::string> lines = ReadDayFile(file.date);
        ASSERT_EQ(3u, lines.size()) << file.name;
        for (const std::string& line : lines) {
            const TCalendarEntry entry = ParseDayFileLine(line);
            (entry.ReminderType.empty() ? untyped : typed)++;
            unlisted += entry.ReminderType == "Unlisted";
            continued += line.find('|') != std::string::npos;
            EXPECT_FALSE(entry.Description.empty()) << file.name;
        }
    }
    EXPECT_EQ(days, dates.size());
    EXPECT_EQ(EncodeDate(2010, 1, 1), *dates.begin());
    EXPECT_EQ(EncodeDate(2019, 12, 31), *dates.rbegin());
    // Each kind well represented, not merely present once.
    EXPECT_GT(typed, days / 2);
    EXPECT_GT(untyped, days / 2);
    EXPECT_GT(continued, days / 2);
    EXPECT_GT(unlisted, days / 10);
}

TEST_F(HeavyStoreTest, RegularRemindersCoverEveryIntervalAndTheEndsOfMonths) {
    const std::vector<TRegularEntry> entries = ReadRegularFile();
    ASSERT_EQ(1000u, entries.size());
    EXPECT_EQ(1000u, summary.regularReminders);
    size_t perInterval[6] = {};
    std::set<int> lateDays;
    std::set<double> startDates;
    for (const TRegularEntry& entry : entries) {
        ASSERT_LE(entry.Interval, 5);
        ++perInterval[entry.Interval];
        EXPECT_GE(entry.StartDate, EncodeDate(2010, 1, 1));
        EXPECT_LT(entry.StartDate, EncodeDate(2020, 1, 1));
        EXPECT_LE(entry.Description.size(), 255u);
        startDates.insert(entry.StartDate);
        if (DayOfMonth(entry.StartDate) >= 28)
            lateDays.insert(DayOfMonth(entry.StartDate));
    }
    EXPECT_EQ(0u, perInterval[0]); // the editor never stores None
    for (int interval = 1; interval <= 5; ++interval)
        EXPECT_EQ(200u, perInterval[interval]) << interval;
    EXPECT_EQ((std::set<int>{28, 29, 30, 31}), lateDays);
    EXPECT_GT(startDates.size(), 800u);
}

TEST_F(HeavyStoreTest, TwentyTypesWithColoursAreStoredInTheSettingsFile) {
    LoadEventTypes();
    const std::vector<TEventType>& types = EventTypes();
    ASSERT_EQ(20u, types.size());
    const std::vector<std::string> names = HeavyStoreTypeNames(HeavyStoreAtScale(1));
    for (size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(names[i], types[i].Name);
        EXPECT_GE(types[i].Colour, 0);
    }
    LoadSettings();
    EXPECT_EQ("dddd, d mmmm yyyy", CalendarOptions().dateformat);
}

TEST_F(HeavyStoreTest, BothQueriesReadTheStoreWithoutComplaint) {
    const double date = EncodeDate(2015, 6, 15);
    std::string items;
    ASSERT_TRUE(BuildItemsText(date, &items));
    EXPECT_EQ(0u, items.find("Monday 15 June 2015\r\n"));
    EXPECT_GE(LineCount(items), 4u); // the heading and at least the three dated reminders
    std::string comingUp;
    ASSERT_TRUE(BuildComingUpText(200, date, &comingUp));
    EXPECT_GE(comingUp.size(), ItemTextRoom); // 200 reminders fill all the window can show
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST(HeavyStoreGeneration, IsReproducibleAndScalesTheRegularReminders) {
    HeavyStoreShape shape = HeavyStoreAtScale(3);
    shape.years = 1;
    TestFolder first, second;
    UseFolder(first);
    GenerateHeavyStore(shape);
    UseFolder(second);
    GenerateHeavyStore(shape);
    EXPECT_EQ(3000u, ReadRegularFile().size());
    for (const char* file :
         {"calendar.ini", "data/regular.dat", "data/2010-01-01.txt", "data/2010-12-31.txt"}) {
        const std::string bytes = Bytes(first.Path() / file);
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes, Bytes(second.Path() / file)) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(second.Path() / "data/2011-01-01.txt"));
}
