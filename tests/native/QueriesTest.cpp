// The two queries: day headings, markup, recurrence, ordering and their failures.
#include "StoreFixture.h"
#include "DatePattern.h"
#include "Tools.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

namespace {
class QueriesTest : public StoreFixture {
  protected:
    void Regular(std::vector<std::tuple<double, std::string, uint8_t>> records) {
        std::vector<TRegularEntry> entries;
        for (auto& [date, text, interval] : records) {
            TRegularEntry entry;
            entry.StartDate = date;
            entry.Description = text;
            entry.Interval = interval;
            entries.push_back(entry);
        }
        WriteRegularFile(entries);
    }
    std::string Items(double date) {
        std::string text;
        EXPECT_TRUE(BuildItemsText(date, &text));
        return text;
    }
    std::string Coming(int count, double date) {
        std::string text = "unset";
        EXPECT_TRUE(BuildComingUpText(count, date, &text));
        return text;
    }
    // GetItems or ComingUp as the window calls them, into an exactly 1024-byte buffer whose
    // text must agree with the length handed back.
    std::string Export(bool items, double date, int32_t count = 3) {
        std::unique_ptr<char[]> storage(new char[1024]);
        std::memset(storage.get(), 'u', 1024);
        storage[0] = '\0';
        char* buffer = storage.get();
        uint32_t length = 0;
        if (items) GetItems(&buffer, &length, date);
        else ComingUp(count, &buffer, &length, date);
        EXPECT_LT(length, 1024u);
        EXPECT_EQ(std::strlen(buffer), length);
        return std::string(buffer, length);
    }
    // The reminder lines of a day, without the heading.
    std::string Reminders(double date) {
        std::string text = Items(date);
        size_t end = text.find("\r\n");
        return end == std::string::npos ? "" : text.substr(end + 2);
    }
};

TEST_F(QueriesTest, ADayWithoutRemindersGivesItsHeadingAlone) {
    EXPECT_EQ(Items(Date(2007, 3, 5) + 0.7), "Monday March 5 2007");
    EXPECT_EQ(CalendarOptions().dateformat, "dddd, MMMM d, yyyy"); // kept for a later save
    EXPECT_EQ(Coming(3, Date(2007, 3, 5)), "");
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(QueriesTest, TheHeadingPatternKeepsOnlyDateLetters) {
    EXPECT_EQ(ItemsDatePattern("dddd, d mmmm yyyy"), "dddd d mmmm yyyy");
    EXPECT_EQ(ItemsDatePattern("hh:mm"), "mm");
    EXPECT_EQ(ItemsDatePattern("d/m/yy AM/PM"), "d/m/yy");
    EXPECT_EQ(ItemsDatePattern("d mmm am/pmAm/Pm"), "d mmm");
    EXPECT_EQ(ItemsDatePattern("  ddd  "), "ddd");
    EXPECT_EQ(ItemsDatePattern("hh:nn:ss"), "");
    WriteFile("calendar.ini", "[options]\r\ndateformat=hh:nn\r\n");
    EXPECT_EQ(Items(Date(2007, 3, 5)), "3/5/2007");
}

TEST_F(QueriesTest, TheComingUpPatternDropsTheYearAndOneSeparator) {
    EXPECT_EQ(ComingUpDatePattern("dd/MM/yyyy"), "dd/MM");
    EXPECT_EQ(ComingUpDatePattern("M/d/yyyy"), "M/d");
    EXPECT_EQ(ComingUpDatePattern("yy/MM/dd/"), "MM/dd/");
    EXPECT_EQ(ComingUpDatePattern("yyyy"), "");
    PortableLocale iso;
    iso.dateSeparator = '-';
    SetPortableLocale(iso);
    EXPECT_EQ(ComingUpDatePattern("yyyy-MM-dd"), "MM-dd");
}

TEST_F(QueriesTest, ADayListsItsDatedThenItsRegularRemindersMarkedUp) {
    WriteFile("calendar.ini", "[options]\r\ndateformat=dddd, d mmmm yyyy\r\n[eventtypes]\r\nBirthday=255\r\n");
    WriteFile("data/2007-03-05.txt", "{Birthday}Party|Bring cake\r\n\r\n{Holiday}Trip\r\nCall {Bob}\r\n");
    Regular({{Date(2007, 3, 5), "{Birthday}Anna", 0}, {Date(2007, 2, 26), "Standup", 1}});
    EXPECT_EQ(Items(Date(2007, 3, 5)),
              "Monday 5 March 2007\r\n{255}Party\r\n|20{255}Bring cake\r\n\r\n{-1}Trip\r\nCall {-1}\r\n"
              "{255}Anna\r\nStandup");
}

TEST_F(QueriesTest, OneTimeAndWeeklyRemindersFallOnTheirDays) {
    Regular({{Date(2007, 3, 20), "Future weekly", 1}, {Date(2007, 3, 10), "Once", 0}});
    EXPECT_EQ(Reminders(Date(2007, 3, 13)), "");
    EXPECT_EQ(Reminders(Date(2007, 3, 20)), "Future weekly");
    EXPECT_EQ(Reminders(Date(2007, 3, 27)), "Future weekly");
    EXPECT_EQ(Reminders(Date(2007, 3, 10)), "Once");
    EXPECT_EQ(Reminders(Date(2007, 3, 17)), "");
    EXPECT_EQ(Coming(5, Date(2007, 3, 10)), "3/10 Once\r\n3/20 Future weekly\r\n3/27 Future weekly\r\n"
                                            "4/3 Future weekly\r\n4/10 Future weekly");
    EXPECT_EQ(Coming(5, Date(2007, 3, 11)).find("Once"), std::string::npos);
}

TEST_F(QueriesTest, CalendarStepsReturnToTheStartDay) {
    Regular({{Date(2008, 1, 31), "Monthly", 3}});
    for (auto [y, m, d] : {std::tuple{2008, 2, 29}, {2008, 3, 31}, {2008, 4, 30}, {2008, 5, 31}})
        EXPECT_EQ(Reminders(Date(y, m, d)), "Monthly") << y << "-" << m << "-" << d;
    EXPECT_EQ(Reminders(Date(2008, 3, 29)), "");
    Regular({{Date(2007, 1, 31), "Quarterly", 4}});
    for (auto [y, m, d] : {std::tuple{2007, 4, 30}, {2007, 7, 31}, {2007, 10, 31}, {2008, 1, 31}})
        EXPECT_EQ(Reminders(Date(y, m, d)), "Quarterly") << y << "-" << m << "-" << d;
    EXPECT_EQ(Reminders(Date(2007, 7, 30)), "");
    Regular({{Date(2008, 2, 29), "Yearly", 5}});
    for (int year : {2009, 2010, 2011}) EXPECT_EQ(Reminders(Date(year, 2, 28)), "Yearly") << year;
    EXPECT_EQ(Reminders(Date(2012, 2, 29)), "Yearly");
    EXPECT_EQ(Reminders(Date(2012, 2, 28)), "");
}

TEST_F(QueriesTest, ComingUpAimsMonthlyStepsAtTheStartDay) {
    Regular({{Date(2007, 1, 31), "Rent", 3}});
    EXPECT_EQ(Coming(3, Date(2007, 2, 10)), "2/28 Rent\r\n3/31 Rent\r\n4/30 Rent");
    Regular({{Date(2007, 1, 31), "Quarterly", 4}});
    EXPECT_EQ(Coming(4, Date(2007, 2, 1)), "4/30 Quarterly\r\n7/31 Quarterly\r\n10/31 Quarterly\r\n1/31 Quarterly");
}

TEST_F(QueriesTest, BothQueriesAgreeOnEveryOccurrence) {
    std::mt19937 random(7);
    std::vector<std::tuple<double, std::string, uint8_t>> records;
    for (int i = 0; i < 40; ++i) {
        const int day = 25 + static_cast<int>(random() % 7);
        const int month = 1 + static_cast<int>(random() % 12);
        const double start = Date(2004 + static_cast<int>(random() % 4), month, std::min(day, DaysInMonth(2004, month)));
        records.emplace_back(start, "R" + std::to_string(i), static_cast<uint8_t>(1 + random() % 5));
    }
    Regular(records);
    const double from = Date(2007, 6, 1);
    const std::string list = Coming(80, from); // as many lines as the buffer shows
    size_t checked = 0;
    for (size_t at = 0; at < list.size();) {
        size_t end = list.find("\r\n", at);
        if (end == std::string::npos) end = list.size();
        const std::string line = list.substr(at, end - at);
        at = end + 2;
        int month, day;
        char name[16];
        ASSERT_EQ(std::sscanf(line.c_str(), "%d/%d %15s", &month, &day, name), 3) << line;
        const int year = month >= 6 ? 2007 : 2008; // 80 lines from 1 June 2007 stay within a year
        const std::string reminders = "\r\n" + Reminders(Date(year, month, day)) + "\r\n";
        EXPECT_NE(reminders.find("\r\n" + std::string(name) + "\r\n"), std::string::npos) << line;
        ++checked;
    }
    EXPECT_EQ(checked, 80u);
}

TEST_F(QueriesTest, CatchingUpMatchesStepByStep) {
    std::mt19937 random(11);
    for (int i = 0; i < 300; ++i) {
        TRegularEntry entry;
        const int month = 1 + static_cast<int>(random() % 12);
        entry.StartDate = Date(1990 + static_cast<int>(random() % 30), month, 1 + static_cast<int>(random() % 31) % 28 + (random() % 4));
        entry.Interval = static_cast<uint8_t>(1 + random() % 5);
        entry.Description = "x";
        WriteRegularFile({entry});
        const double query = entry.StartDate + static_cast<double>(random() % 9000);
        LoadRegularEntries(query);
        ASSERT_EQ(RegularEntries().size(), 1u);
        TRegularEntry stepped = entry;
        const int day = DayOfMonth(entry.StartDate);
        while (stepped.StartDate < query) AdvanceRegularEntry(stepped, day);
        EXPECT_EQ(RegularEntries()[0].StartDate, stepped.StartDate) << i;
    }
}

// GetItems decides whether a record falls on its day without stepping it; the answer must be
// the one stepping gives, for every interval, month end and leap day.
TEST_F(QueriesTest, ADayShowsARegularReminderExactlyWhenItsStepsReachTheDay) {
    std::mt19937 random(5);
    for (int i = 0; i < 400; ++i) {
        TRegularEntry entry;
        const int month = 1 + static_cast<int>(random() % 12);
        const int year = 1996 + static_cast<int>(random() % 12);
        entry.StartDate = Date(year, month, 1 + static_cast<int>(random() % DaysInMonth(year, month)));
        entry.Interval = static_cast<uint8_t>(random() % 6);
        entry.Description = "x";
        WriteRegularFile({entry});
        // Month ends and the days around a start are where the steps differ.
        const double query = i % 2 ? entry.StartDate + static_cast<double>(random() % 4000)
                                   : Date(year + 1 + static_cast<int>(random() % 8), 1 + static_cast<int>(random() % 12), 1) - 1;
        LoadRegularEntries(query);
        const bool stepped = !RegularEntries().empty() && RegularEntries()[0].StartDate == query;
        ResetSettings();
        EXPECT_EQ(Reminders(query) == "x", stepped) << i << ": interval " << int(entry.Interval) << " from "
                                                  << entry.StartDate << " on " << query;
    }
}

TEST_F(QueriesTest, ComingUpOrdersByDateWithDatedRemindersFirst) {
    WriteFile("data/2007-03-06.txt", "dated a\r\ndated b\r\n");
    WriteFile("data/2007-03-04.txt", "before the query\r\n");
    Regular({{Date(2007, 3, 6), "regular", 0}, {Date(2007, 3, 5), "weekly", 1}});
    EXPECT_EQ(Coming(4, Date(2007, 3, 5)), "3/5 weekly\r\n3/6 dated a\r\n3/6 dated b\r\n3/6 regular");
    EXPECT_EQ(Coming(0, Date(2007, 3, 5)), "");
    EXPECT_EQ(Coming(-4, Date(2007, 3, 5)), "");
}

TEST_F(QueriesTest, ComingUpIndentsByItsOwnDateText) {
    WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    WriteFile("data/2007-03-12.txt", "{Birthday}Party|Cake\r\n");
    EXPECT_EQ(Coming(3, Date(2007, 3, 5)), "3/12 {255}Party\r\n|5{255}Cake");
}

TEST_F(QueriesTest, AFileThatOnlyLooksLikeADayIsPassedOver) {
    WriteFile("data/2007-02-30.txt", "never\r\n");
    WriteFile("data/2007-13-01.txt", "never\r\n");
    WriteFile("data/notes.txt", "never\r\n");
    WriteFile("data/2007-03-07.txt", "real\r\n");
    EXPECT_EQ(Coming(3, Date(2007, 1, 1)), "3/7 real");
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(QueriesTest, BrokenRegularRecordsNeverStopTheQueries) {
    TRegularEntry good;
    good.StartDate = Date(2007, 3, 5);
    good.Description = "good";
    good.Interval = 1;
    std::string content = EncodeRegularRecords({good});
    std::string strange = content;
    strange[264] = 9; // an interval no step is known for
    std::string endless = content;
    const double notANumber = std::nan("");
    std::memcpy(&endless[0], &notANumber, 8);
    std::string far = content;
    const double huge = 1e300;
    std::memcpy(&far[0], &huge, 8);
    WriteFile("data/regular.dat", strange + endless + far + content + "trailing");
    EXPECT_EQ(Reminders(Date(2007, 3, 12)), "good");
    ASSERT_EQ(ErrorBoxCount(), 1u);
    EXPECT_NE(RecordedMessageBoxes()[0].text.find("regular.dat"), std::string::npos);
    EXPECT_EQ(Coming(2, Date(2007, 3, 6)), "3/12 good\r\n3/19 good");
    EXPECT_EQ(ErrorBoxCount(), 1u); // told once while the file stays as it is
}

// A day's regular reminders are found however far into the file they are stored, in file
// order; a regular.dat that is no file at all loses only its own reminders.
TEST_F(QueriesTest, ADayFindsItsRegularRemindersAnywhereInALargeFile) {
    std::vector<std::tuple<double, std::string, uint8_t>> records;
    for (int i = 0; i < 1000; ++i) records.emplace_back(Date(2006, 1, 1) + i % 300, "r" + std::to_string(i), 0);
    std::get<0>(records[240]) = Date(2007, 3, 9); // stored across the first two pieces read
    std::get<0>(records[999]) = Date(2007, 3, 9);
    std::get<0>(records[500]) = Date(2007, 3, 2);
    std::get<2>(records[500]) = 1;
    Regular(records);
    WriteFile("data/2007-03-09.txt", "dated\r\n");
    EXPECT_EQ(Reminders(Date(2007, 3, 9)), "dated\r\nr240\r\nr500\r\nr999");
    EXPECT_EQ(ErrorBoxCount(), 0u);

    std::filesystem::remove(folder.Path() / "data/regular.dat");
    std::filesystem::create_directories(folder.Path() / "data/regular.dat");
    ResetSettings();
    EXPECT_EQ(Reminders(Date(2007, 3, 9)), "dated");
}

TEST_F(QueriesTest, RemindersNearTheEndOfTheCalendarStop) {
    Regular({{Date(9999, 12, 3), "last weekly", 1}, {Date(9999, 11, 30), "last monthly", 3}});
    const std::string list = Coming(10, Date(9999, 12, 1));
    EXPECT_EQ(list, "12/3 last weekly\r\n12/10 last weekly\r\n12/17 last weekly\r\n12/24 last weekly\r\n"
                    "12/30 last monthly\r\n12/31 last weekly");
}

TEST_F(QueriesTest, LongTextIsShortenedAtTheEndOfAWholeLine) {
    const std::string text = "heading\r\n" + std::string(500, 'a') + "\r\n|9" + std::string(600, 'b');
    EXPECT_EQ(ShortenItemText(text, 1023), "heading\r\n" + std::string(500, 'a') + "\r\n|9" + std::string(1023 - 513, 'b'));
    EXPECT_EQ(ShortenItemText("short", 1023), "short");
    EXPECT_EQ(ShortenItemText(std::string(2000, 'c'), 1023), std::string(1023, 'c'));
    const std::string exact = std::string(1021, 'd') + "\r\nx";
    EXPECT_EQ(ShortenItemText(exact, 1023), std::string(1021, 'd'));
}
// Item text holds no byte that would end or break it where the grammar does not: no NUL,
// and no CR or LF except in the CR LF pairs that join lines.
void ExpectCleanItemText(const std::string& text) {
    EXPECT_EQ(text.find('\0'), std::string::npos) << text;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << i << ": " << text;
        }
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << i << ": " << text;
        }
    }
}

TEST_F(QueriesTest, StrayBytesInsideAReminderAreShownTheSameEverywhere) {
    WriteFile("data/2007-03-05.txt", std::string("a") + '\0' + "b\r\nunix\nline\r\nlast\n\r\n");
    Regular({{Date(2007, 3, 5), "cr\ralone|and\r\npair", 0}});
    const std::string items = Export(true, Date(2007, 3, 5));
    ExpectCleanItemText(items);
    EXPECT_EQ(items, "Monday March 5 2007\r\na?b\r\nunix\r\n|20{-1}line\r\nlast\r\n|20{-1}\r\n"
                     "cr\r\n|20{-1}alone\r\n|20{-1}and\r\n|20{-1}pair");
    // The tooltip has as many lines as it measures, and the window draws no control byte.
    EXPECT_EQ(SplitItemLines(TooltipText(items))[2], "unix");
    const std::string coming = Export(false, Date(2007, 3, 5), 10);
    ExpectCleanItemText(coming);
    const std::string start = "3/5 a?b\r\n3/5 unix\r\n|4{-1}line\r\n3/5 last\r\n|4{-1}\r\n3/5 cr\r\n|4{-1}alone";
    EXPECT_EQ(coming.substr(0, start.size()), start);
}

TEST_F(QueriesTest, ADateOutsideTheCalendarGetsAnEmptyAnswerAtOnce) {
    Regular({{Date(2007, 1, 31), "monthly", 3}, {Date(2007, 1, 31), "yearly", 5}});
    WriteFile("data/9999-12-31.txt", "last day\r\n");
    const double inf = std::numeric_limits<double>::infinity();
    for (double date : {inf, -inf, std::nan(""), 2958466.0, -693594.0, 1e300}) {
        EXPECT_EQ(Export(true, date), "") << date;
        EXPECT_EQ(Export(false, date, 5), "") << date;
        LoadRegularEntries(date);
        EXPECT_TRUE(RegularEntries().empty()) << date;
    }
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    // The calendar's own ends still work, and their weekdays are right.
    EXPECT_EQ(Export(true, 2958465.5), "Friday December 31 9999\r\nlast day\r\nmonthly");
    EXPECT_EQ(Export(true, -693593.0), "Monday January 1 0001");
}

TEST_F(QueriesTest, AReminderTooLongForTheBufferIsCutToWhatFits) {
    WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    WriteFile("data/2007-03-05.txt", "{Birthday}" + std::string(2000, 'a') + "\r\nsecond\r\n");
    const std::string items = Export(true, Date(2007, 3, 5));
    EXPECT_EQ(items.size(), 1023u);
    EXPECT_EQ(ItemColour(items, 7), 255);
    EXPECT_EQ(TooltipText(items), "Monday March 5 2007\r\n" + std::string(1023 - 26, 'a'));
    EXPECT_EQ(Export(false, Date(2007, 3, 5), 2), "3/5 {255}" + std::string(245, 'a') + "\r\n3/5 second");
}

// A date format that spells out more than the text holds shortens the heading, never the
// day's reminders: the day keeps its colour and its first reminder, under the same heading
// in GetItems and in the window's buffer.
TEST_F(QueriesTest, AnOverlongHeadingLeavesTheDayItsColourAndFirstReminder) {
    std::string dateformat;
    for (int i = 0; i < 36; ++i) dateformat += "dddddd ";
    WriteFile("calendar.ini", "[options]\r\ndateformat=" + dateformat + "\r\n[eventtypes]\r\nBirthday=255\r\n");
    WriteFile("data/2007-09-26.txt", "{Birthday}Party\r\nsecond\r\n");
    const std::string fullHeading = FormatDatePattern(ItemsDatePattern(dateformat), Date(2007, 9, 26));
    ASSERT_GT(fullHeading.size(), 1024u);
    const std::string items = Export(true, Date(2007, 9, 26));
    EXPECT_EQ(ItemColour(items, 7), 255);
    const std::string heading = items.substr(0, items.find("\r\n"));
    std::string wholeWords; // cut after the last whole word within 255 bytes
    for (int i = 0; i < 8; ++i) wholeWords += "Wednesday, September 26, 2007 ";
    EXPECT_EQ(heading, wholeWords + "Wednesday,");
    EXPECT_EQ(items.substr(heading.size()), "\r\n{255}Party\r\nsecond");
    EXPECT_EQ(Items(Date(2007, 9, 26)), items);
}

TEST_F(QueriesTest, ACutNeverSplitsAMarkOrALineBreak) {
    const std::string head = "heading\r\n";
    const struct {
        std::string text;
        size_t room;
        std::string expected;
    } cases[] = {
        {head + "{255}" + std::string(30, 'x'), 20, head + "{255}xxxxxx"},
        {head + "{255}" + std::string(30, 'x'), 13, head.substr(0, 7)},         // inside the group
        {head + "ab\r\n|20{255}cdef", 22, head + "ab\r\n|20{255}c"},
        {head + "ab\r\n|20{255}cdef", 20, head + "ab"},                     // inside the group
        {head + "ab\r\n|20{255}cdef", 21, head + "ab"},                     // nothing of its text
        {head + "ab\r\n|20{255}cdef", 15, head + "ab"},                     // inside the mark
        {head + "ab\r\ncd", 12, head + "ab"},                                // between CR and LF
        {head + "Call {-1} now", 16, head + "Call "},
        {std::string(30, 'h'), 10, std::string(10, 'h')},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortenItemText(c.text, c.room), c.expected) << c.room << " " << c.text;
}

// A file reported once in its present state is not reported again, however often the window
// asks; once the file changes, the user hears of it again.
TEST_F(QueriesTest, ABrokenFileIsReportedOnceUntilItChanges) {
    Regular({{Date(2007, 3, 5), "weekly", 1}});
    WriteFile("data/regular.dat", ReadFile("data/regular.dat") + "part");
    for (int day = 1; day <= 31; ++day) Export(true, Date(2007, 3, day));
    Export(false, Date(2007, 3, 5));
    EXPECT_EQ(ErrorBoxCount(), 1u);
    EXPECT_EQ(Reminders(Date(2007, 3, 12)), "weekly");
    WriteFile("data/regular.dat", ReadFile("data/regular.dat") + "more");
    Export(true, Date(2007, 3, 5));
    Export(true, Date(2007, 3, 6));
    EXPECT_EQ(ErrorBoxCount(), 2u);

    // A day file that cannot be read: that day alone has no text.
    std::filesystem::create_symlink("/proc/self/mem", folder.Path() / "data/2007-03-07.txt");
    WriteFile("data/2007-03-09.txt", "ninth\r\n");
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Export(true, Date(2007, 3, 7)), "");
        EXPECT_EQ(Export(true, Date(2007, 3, 9)), "Friday March 9 2007\r\nninth");
        EXPECT_EQ(Export(false, Date(2007, 3, 6), 2), "3/9 ninth\r\n3/12 weekly");
    }
    EXPECT_EQ(ErrorBoxCount(), 3u);
    EXPECT_NE(RecordedMessageBoxes().back().text.find("2007-03-07.txt"), std::string::npos);

    WriteFile("calendar.ini", "[options]\r\nfirstday=300\r\n");
    for (int round = 0; round < 3; ++round) {
        ResetSettings();
        int32_t top, left, size, colour, highlight, ttsize, ttcolour, ttbackground;
        uint8_t firstday, listcount, coding, hspacing, vspacing;
        unsigned char font[256], ttfont[256], format[256];
        GetOptions(&top, &left, font, 255, &size, &colour, &highlight, &firstday, ttfont, 255, &ttsize,
                   &ttcolour, &ttbackground, &listcount, &coding, format, 255, &hspacing, &vspacing);
    }
    EXPECT_EQ(ErrorBoxCount(), 4u);
}
} // namespace
