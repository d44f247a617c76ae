// ComingUp on the heavy store against a plain reading of its rules: every day file from the
// date on, count occurrences of every regular reminder, one stable sort by date. The query
// reads fewer files and makes fewer occurrences; the text must not change for it.
#include "DatePattern.h"
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "HeavyStore.h"
#include "Locale.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "ReminderFiles.h"
#include "Settings.h"
#include "TestFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {
struct ReferenceCandidate {
    double date;
    std::string text;
};

std::string ReferenceComingUp(int count, double date) {
    LoadEventTypes();
    std::vector<ReferenceCandidate> candidates;
    for (const DayFileListing& file : ListDayFiles()) {
        if (file.date < date)
            continue;
        for (const std::string& line : ReadDayFile(file.date))
            candidates.push_back({file.date, line.substr(0, 255)});
    }
    LoadRegularEntries(date);
    for (TRegularEntry entry : RegularEntries()) {
        if (entry.StartDate < date)
            continue;
        for (int i = 0; i < count; ++i) {
            candidates.push_back({entry.StartDate, entry.Description});
            if (entry.Interval == static_cast<uint8_t>(TEntryInterval::None))
                break;
            const double before = entry.StartDate;
            AdvanceRegularEntry(entry, entry.AnchorDay);
            if (entry.StartDate == before || entry.StartDate > EncodeDate(9999, 12, 31))
                break;
        }
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const ReferenceCandidate& a, const ReferenceCandidate& b) { return a.date < b.date; });
    const std::string pattern = ComingUpDatePattern();
    std::string text;
    for (size_t i = 0; i < candidates.size() && i < static_cast<size_t>(std::max(count, 0)); ++i) {
        // A date of another year than the list's first day is written whole.
        int year, month, day, firstYear;
        DecodeDate(candidates[i].date, &year, &month, &day);
        DecodeDate(date, &firstYear, &month, &day);
        const std::string dateText =
            FormatDatePattern(year == firstYear ? pattern : "", candidates[i].date);
        if (!text.empty())
            text += "\r\n";
        text +=
            dateText + " " + MarkUpItemLine(candidates[i].text, static_cast<int>(dateText.size()));
    }
    return text;
}

class ComingUpReferenceTest : public testing::Test {
  protected:
    ComingUpReferenceTest() {
        SetPortableProgramDirectory(folder.WithSeparator());
        SetPortableLocale(PortableLocale());
        ResetSettings();
        ClearEventTypes();
        RegularEntries().clear();
        RecordedMessageBoxes().clear();
    }
    void ExpectSameAsReference(int count, double date) {
        std::string text;
        ASSERT_TRUE(BuildComingUpText(count, date, &text));
        // The query marks up only what the window's buffer can show.
        EXPECT_EQ(ShortenItemText(ReferenceComingUp(count, date), ItemTextRoom),
                  ShortenItemText(text, ItemTextRoom))
            << "count " << count << ", date " << date;
    }
    TestFolder folder;
};
} // namespace

TEST_F(ComingUpReferenceTest, HeavyStoreGivesTheSameTextAtEveryCountAndDate) {
    HeavyStoreShape shape = HeavyStoreAtScale(1);
    shape.years = 3; // enough for every interval to repeat; the query cost is the reference's
    GenerateHeavyStore(shape);
    // Before every file, in the middle, near the end of the day files and after all of them.
    for (const double date : {EncodeDate(2009, 12, 1), EncodeDate(2011, 1, 31),
                              EncodeDate(2012, 12, 28), EncodeDate(2014, 3, 1)})
        for (const int count : {0, 1, 3, 17, 200})
            ExpectSameAsReference(count, date);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(ComingUpReferenceTest, EqualDatesAndTheEndOfTheCalendarKeepTheirOrder) {
    // Several reminders of one day, dated and regular, and series that stop at 9999.
    WriteDayFile(EncodeDate(9999, 12, 24), {{"Dated first", ""}, {"Dated second", "Holiday"}});
    std::vector<TRegularEntry> entries;
    const uint8_t intervals[] = {1, 2, 3, 4, 5, 0, 1, 3};
    for (size_t i = 0; i < sizeof intervals; ++i) {
        TRegularEntry entry;
        entry.StartDate = EncodeDate(9999, 10, 24 + static_cast<int>(i % 3));
        entry.Interval = intervals[i];
        entry.Description = "Entry " + std::to_string(i) + "|second line";
        entries.push_back(entry);
    }
    WriteRegularFile(entries);
    for (const int count : {1, 2, 5, 12, 40})
        ExpectSameAsReference(count, EncodeDate(9999, 10, 1));
}
