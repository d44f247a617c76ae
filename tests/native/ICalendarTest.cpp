// Calendar files: repeat rules against the queries' own occurrences, the text layer, the
// code page, and imports into the store.
#include "ICalendar.h"
#include "CodePage.h"
#include "ICalendarRecurrence.h"
#include "ICalendarStore.h"
#include "StoreFixture.h"

#include <map>
#include <set>
#include <sys/stat.h>

namespace {
class ICalendarTest : public StoreFixture {
  protected:
    ~ICalendarTest() override { SetPortableUtcOffset(0); }
    static TRegularEntry Entry(double start, TEntryInterval interval, const std::string& text) {
        TRegularEntry entry;
        entry.StartDate = start;
        entry.Interval = static_cast<uint8_t>(interval);
        entry.Description = text;
        return entry;
    }
    // The lines GetItems shows for the day, without the heading.
    std::vector<std::string> Shown(double day) {
        std::string text;
        EXPECT_TRUE(BuildItemsText(day, &text));
        std::vector<std::string> lines = SplitItemLines(text);
        if (!lines.empty())
            lines.erase(lines.begin());
        return lines;
    }
    ImportOutcome Import(const std::string& calendar) {
        WriteFile("in.ics", calendar);
        return ImportCalendarFromFile(folder.File("in.ics"));
    }
    static std::string Wrap(const std::string& body) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:test\r\n" + body + "END:VCALENDAR\r\n";
    }
};

// Every interval from the days a month may lack: the rule written for a regular reminder
// gives exactly the days GetItems shows it on, for ten years, and reads back as the interval.
TEST_F(ICalendarTest, RulesGiveTheQueriesOccurrencesForTenYears) {
    const double starts[] = {Date(2008, 1, 29), Date(2008, 1, 30), Date(2008, 1, 31),
                             Date(2008, 2, 29), Date(2007, 8, 31), Date(2008, 1, 15)};
    const TEntryInterval intervals[] = {TEntryInterval::Weekly, TEntryInterval::Fortnightly,
                                        TEntryInterval::Monthly, TEntryInterval::Quarterly,
                                        TEntryInterval::Yearly};
    std::vector<TRegularEntry> entries;
    for (double start : starts)
        for (TEntryInterval interval : intervals)
            entries.push_back(Entry(start, interval, "r" + std::to_string(entries.size())));
    WriteRegularFile(entries);
    const double first = Date(2007, 8, 1), last = Date(2018, 1, 31);
    std::map<std::string, std::set<double>> shown;
    for (double day = first; day <= last; ++day)
        for (const std::string& line : Shown(day))
            shown[line].insert(day);

    for (const TRegularEntry& entry : entries) {
        const TEntryInterval interval = static_cast<TEntryInterval>(entry.Interval);
        const std::string text = RecurrenceRuleText(interval, entry.StartDate);
        RecurrenceRule rule;
        std::string reason;
        ASSERT_TRUE(ParseRecurrenceRule(text, &rule, &reason)) << text;
        std::set<double> expanded;
        ExpandRecurrence(rule, entry.StartDate, 0, {first, last, 100000},
                         [&](double day) { expanded.insert(day); });
        EXPECT_EQ(expanded, shown[entry.Description])
            << text << " from " << ICalDateText(entry.StartDate);
        EXPECT_GT(expanded.size(), 9u);
        TEntryInterval back;
        ASSERT_TRUE(ProgramInterval(rule, entry.StartDate, &back)) << text;
        EXPECT_EQ(back, interval) << text;
    }
    // The examples the queries are known by.
    EXPECT_TRUE(shown["r12"].count(Date(2008, 2, 29)) && shown["r12"].count(Date(2008, 4, 30)));
    EXPECT_TRUE(shown["r19"].count(Date(2009, 2, 28)) && shown["r19"].count(Date(2012, 2, 29)));
}

// Rules that look alike but repeat differently are not held by a regular reminder.
TEST_F(ICalendarTest, OnlyEquivalentRulesBecomeRegularReminders) {
    const struct {
        const char* rule;
        double start;
        bool held;
    } cases[] = {
        {"FREQ=MONTHLY", Date(2008, 1, 31), false}, // RFC skips the short months
        {"FREQ=YEARLY", Date(2008, 2, 29), false},  // leap years only
        {"FREQ=MONTHLY;BYMONTHDAY=15", Date(2008, 1, 15), true},
        {"FREQ=WEEKLY;BYDAY=TU", Date(2008, 1, 15), true},
        {"FREQ=WEEKLY;BYDAY=MO,TU", Date(2008, 1, 15), false},
        {"FREQ=WEEKLY;COUNT=4", Date(2008, 1, 15), false},
        {"FREQ=DAILY;INTERVAL=14", Date(2008, 1, 15), true},
        {"FREQ=DAILY", Date(2008, 1, 15), false},
        {"FREQ=MONTHLY;INTERVAL=2", Date(2008, 1, 15), false},
        {"FREQ=YEARLY;BYMONTH=1;BYMONTHDAY=15", Date(2008, 1, 15), true},
    };
    for (const auto& test : cases) {
        RecurrenceRule rule;
        std::string reason;
        ASSERT_TRUE(ParseRecurrenceRule(test.rule, &rule, &reason)) << test.rule;
        TEntryInterval interval;
        EXPECT_EQ(ProgramInterval(rule, test.start, &interval), test.held) << test.rule;
    }
    RecurrenceRule rule;
    std::string reason;
    for (const char* refused :
         {"FREQ=HOURLY", "FREQ=DAILY;BYHOUR=9", "FREQ=YEARLY;BYWEEKNO=3", "INTERVAL=2",
          "FREQ=DAILY;INTERVAL=0", "FREQ=WEEKLY;BYDAY=2MO", "FREQ=DAILY;COUNT=x"})
        EXPECT_FALSE(ParseRecurrenceRule(refused, &rule, &reason)) << refused;
}

TEST_F(ICalendarTest, ExpansionFollowsTheRuleParts) {
    const struct {
        const char* rule;
        double start;
        std::vector<double> days;
    } cases[] = {
        {"FREQ=DAILY;COUNT=3",
         Date(2007, 3, 30),
         {Date(2007, 3, 30), Date(2007, 3, 31), Date(2007, 4, 1)}},
        {"FREQ=WEEKLY;BYDAY=MO,WE;UNTIL=20070314",
         Date(2007, 3, 5),
         {Date(2007, 3, 5), Date(2007, 3, 7), Date(2007, 3, 12), Date(2007, 3, 14)}},
        {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=3",
         Date(2007, 3, 30),
         {Date(2007, 3, 30), Date(2007, 4, 27), Date(2007, 5, 25)}},
        {"FREQ=YEARLY;BYMONTH=11;BYDAY=4TH;COUNT=2",
         Date(2007, 11, 22),
         {Date(2007, 11, 22), Date(2008, 11, 27)}},
        {"FREQ=YEARLY;BYMONTH=1,2,3;COUNT=4", // a month without the start's day is passed
         Date(2007, 1, 31),
         {Date(2007, 1, 31), Date(2007, 3, 31), Date(2008, 1, 31), Date(2008, 3, 31)}},
        {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=2",
         Date(2007, 3, 30),
         {Date(2007, 3, 30), Date(2007, 4, 30)}},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,SU;WKST=SU;COUNT=4",
         Date(1997, 8, 5),
         {Date(1997, 8, 5), Date(1997, 8, 17), Date(1997, 8, 19), Date(1997, 8, 31)}},
    };
    for (const auto& test : cases) {
        RecurrenceRule rule;
        std::string reason;
        ASSERT_TRUE(ParseRecurrenceRule(test.rule, &rule, &reason)) << test.rule;
        std::vector<double> days;
        ExpandRecurrence(rule, test.start, 0, {test.start, test.start + 3000, 100},
                         [&](double d) { days.push_back(d); });
        EXPECT_EQ(days, test.days) << test.rule;
    }
    // Never-ending and never-matching rules stop at their bounds.
    RecurrenceRule rule;
    std::string reason;
    ASSERT_TRUE(ParseRecurrenceRule("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", &rule, &reason));
    EXPECT_EQ(ExpandRecurrence(rule, Date(2007, 1, 1), 0, {Date(2007, 1, 1), LastOleDate, 10},
                               [](double) {})
                  .handed,
              1u);
    ASSERT_TRUE(ParseRecurrenceRule("FREQ=DAILY", &rule, &reason));
    const ExpansionResult many = ExpandRecurrence(
        rule, Date(100, 1, 1), 0, {Date(2007, 1, 1), LastOleDate, 50}, [](double) {});
    EXPECT_EQ(many.handed, 50u);
    EXPECT_TRUE(many.cut);
}

TEST_F(ICalendarTest, TextIsEscapedFoldedAndReadBack) {
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {{"a,b;c\\d", "a\\,b\\;c\\\\d"},
                 {"one\ntwo", "one\\ntwo"},
                 {"one\r\ntwo", "one\\ntwo"},
                 {"", ""}};
    for (const auto& test : cases) {
        EXPECT_EQ(EscapeText(test.text), test.escaped);
        if (std::string(test.text).find('\r') == std::string::npos) {
            EXPECT_EQ(UnescapeText(test.escaped), test.text);
        }
    }
    EXPECT_EQ(UnescapeText("A\\NB"), "A\nB");
    EXPECT_EQ(SplitTextList("Work,Home\\, garden,x"),
              (std::vector<std::string>{"Work", "Home, garden", "x"}));

    // Three-octet characters across every fold: no physical line over 75 octets, none split.
    std::string value;
    for (int i = 0; i < 100; ++i)
        value += i % 3 ? "x" : "\xE2\x82\xAC";
    const std::string folded = FoldContentLine("SUMMARY:" + value);
    size_t lineStart = 0;
    for (size_t end; (end = folded.find("\r\n", lineStart)) != std::string::npos;
         lineStart = end + 2) {
        EXPECT_LE(end - lineStart, 75u);
        std::u32string points;
        size_t malformed = 0;
        DecodeUtf8(folded.substr(lineStart, end - lineStart), &points, &malformed);
        EXPECT_EQ(malformed, 0u);
    }
    // Unfolded with LF-only and tab continuations as well, after a byte-order mark.
    std::string loose = "\xEF\xBB\xBF" + Wrap("BEGIN:VEVENT\r\n" + folded +
                                              "X-A;P=\"q;:\",b:v\nX-B:w\n\tx\r\nEND:VEVENT\r\n");
    ICalComponent root;
    ICalReadNotes notes;
    std::string failure;
    ASSERT_TRUE(ReadICalendar(loose, ICalLimits(), &root, &notes, &failure));
    ASSERT_EQ(root.children.size(), 1u);
    const ICalComponent& event = root.children[0].children.at(0);
    EXPECT_EQ(event.Find("SUMMARY")->value, value);
    EXPECT_EQ(event.Find("X-A")->parameters.at(0).values, (std::vector<std::string>{"q;:", "b"}));
    EXPECT_EQ(event.Find("X-B")->value, "wx");
}

TEST_F(ICalendarTest, ReaderStaysWithinItsBounds) {
    ICalLimits limits;
    limits.maxLineOctets = 100;
    limits.maxDepth = 3;
    limits.maxComponents = 50;
    const std::string event = "BEGIN:VEVENT\r\nSUMMARY:ok\r\nEND:VEVENT\r\n";
    const std::string file =
        Wrap(event + "BEGIN:VEVENT\r\nSUMMARY:" + std::string(500, 'x') + "\r\nEND:VEVENT\r\n" +
             "BEGIN:VEVENT\r\nBEGIN:A\r\nBEGIN:B\r\nBEGIN:C\r\nEND:C\r\nEND:B\r\nEND:A\r\nEND:"
             "VEVENT\r\n" +
             "garbage line\r\nBEGIN:VEVENT\r\nSUMMARY:never ended\r\n");
    ICalComponent root;
    ICalReadNotes notes;
    std::string failure;
    ASSERT_TRUE(ReadICalendar(file, limits, &root, &notes, &failure));
    ASSERT_EQ(root.children.size(), 1u);
    // The sound event, the nested one without its too-deep part; the long one and the unended one
    // are lost.
    EXPECT_EQ(root.children[0].children.size(), 2u);
    EXPECT_EQ(notes.tooDeep, 1u);
    EXPECT_EQ(notes.badLines, 1u);
    EXPECT_EQ(notes.damagedComponents,
              2u); // the long line, and the event the calendar's end closed
    std::string many;
    for (int i = 0; i < 60; ++i)
        many += event;
    EXPECT_FALSE(ReadICalendar(Wrap(many), limits, &root, &notes, &failure));
    EXPECT_NE(failure.find("50"), std::string::npos);
}

TEST_F(ICalendarTest, CodePageConversionCountsWhatIsLost) {
    EXPECT_EQ(AnsiToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
    const struct {
        const char* utf8;
        const char* ansi;
        size_t replaced;
    } cases[] = {{"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80", 0},
                 {"\xE6\x97\xA5\xE6\x9C\xAC.", "??.", 2},
                 {"a\xFF"
                  "b",
                  "a?b", 1},
                 {"\xC0\xAF", "??", 2}, // an overlong "/"
                 {"\xF0\x9F\x98\x80", "?", 1}};
    for (const auto& test : cases) {
        size_t replaced = 0;
        EXPECT_EQ(Utf8ToAnsi(test.utf8, &replaced), test.ansi) << test.utf8;
        EXPECT_EQ(replaced, test.replaced) << test.utf8;
    }
}

TEST_F(ICalendarTest, EventsBecomeRemindersOnLocalDays) {
    ReplaceEventTypes({{"Work", 0x0000FF}, {"Birthday", 255}});
    SetPortableUtcOffset(60); // the user is an hour ahead of UTC
    const std::string zone =
        "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
        "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    const auto event = [](const std::string& lines) {
        return "BEGIN:VEVENT\r\n" + lines + "END:VEVENT\r\n";
    };
    const std::string file = Wrap(
        zone +
        event("UID:1\r\nDTSTART;VALUE=DATE:20070305\r\nSUMMARY:All "
              "day\r\nCATEGORIES:Private,WORK\r\n") +
        event("UID:2\r\nDTSTART:20070306T093000\r\nSUMMARY:Dentist\r\nDESCRIPTION:Bring "
              "card\\nFloor 2\r\n") +
        event("UID:3\r\nDTSTART:20070306T233000Z\r\nSUMMARY:Late call\r\n") +
        // 22:00 in New York in summer time is 02:00 UTC, 03:00 here, the next day.
        event("UID:4\r\nDTSTART;TZID=America/New_York:20070610T220000\r\nSUMMARY:NY\r\n") +
        event("UID:5\r\nDTSTART;TZID=America/New_York:20070110T220000\r\nSUMMARY:NY winter\r\n") +
        event("UID:6\r\nDTSTART;VALUE=DATE:20070320\r\nDTEND;VALUE=DATE:20070323\r\nSUMMARY:"
              "Trip\r\n") +
        event("UID:7\r\nDTSTART;VALUE=DATE:20070401\r\nRRULE:FREQ=DAILY;COUNT=3\r\nEXDATE;VALUE="
              "DATE:20070402\r\n"
              "SUMMARY:Course\r\n") +
        event("UID:8\r\nDTSTART;VALUE=DATE:20070131\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=28,29,30,31;"
              "BYSETPOS=-1\r\n"
              "SUMMARY:Rent {flat}\r\nCATEGORIES:birthday\r\n") +
        event("UID:9\r\nDTSTART;TZID=Mars/Olympus:20070308T100000\r\nSUMMARY:Caf\xC3\xA9 "
              "\xE6\x97\xA5|x {y}\r\n") +
        "BEGIN:VTODO\r\nSUMMARY:todo\r\nEND:VTODO\r\nBEGIN:VJOURNAL\r\nEND:VJOURNAL\r\nBEGIN:X-"
        "THING\r\nEND:X-THING\r\n" +
        event("SUMMARY:no start\r\n") +
        event("DTSTART;VALUE=DATE:20070309\r\nSUMMARY:end\x1Aof\x01text\tand tab\r\n"));
    const ImportPlan plan = PlanCalendarImport(file, EventTypes(), Date(2007, 3, 5));
    ASSERT_EQ(plan.failure, "");
    std::multimap<double, std::string> dated;
    for (const DatedReminder& reminder : plan.dated)
        dated.emplace(reminder.day, reminder.line);
    const std::multimap<double, std::string> expected{
        {Date(2007, 3, 5), "{Work}All day"},
        {Date(2007, 3, 6), "9:30 Dentist|Bring card|Floor 2"},
        {Date(2007, 3, 7), "0:30 Late call"},
        {Date(2007, 6, 11), "3:00 NY"},
        {Date(2007, 1, 11), "4:00 NY winter"},
        {Date(2007, 3, 20), "Trip"},
        {Date(2007, 3, 21), "Trip"},
        {Date(2007, 3, 22), "Trip"},
        {Date(2007, 4, 1), "Course"},
        {Date(2007, 4, 3), "Course"},
        {Date(2007, 3, 8), "10:00 Caf\xE9 ?/x (y)"},
        {Date(2007, 3, 9), "end?of?text\tand tab"},
    };
    EXPECT_EQ(dated, expected);
    ASSERT_EQ(plan.regular.size(), 1u);
    EXPECT_EQ(plan.regular[0].Description, "{Birthday}Rent {flat}");
    EXPECT_EQ(plan.regular[0].Interval, static_cast<uint8_t>(TEntryInterval::Monthly));
    EXPECT_EQ(plan.replacedCharacters, 3u);
    EXPECT_EQ(plan.unknownZones, 1u);
    EXPECT_EQ(plan.skipped.at("to-do"), 1u);
    EXPECT_EQ(plan.skipped.at("journal entry"), 1u);
    EXPECT_EQ(plan.skipped.at("other entry (X-THING)"), 1u);
    EXPECT_EQ(plan.skipped.at("event without a start date the calendar can show"), 1u);
}

// Exported, then imported into an empty store: every day shows what it showed before; a
// second import adds nothing; the same export twice gives the same identifiers.
TEST_F(ICalendarTest, ExportThenImportGivesBackTheReminders) {
    ReplaceEventTypes({{"Birthday", 0x0000FF}, {"Work", 0x123456}});
    SaveEventTypes();
    WriteDayFile(Date(2007, 3, 5),
                 {{"Party|Bring cake|", "Birthday"}, {"Caf\xE9, 50%; a\\b", ""}, {"", ""}});
    WriteDayFile(Date(2007, 3, 9), {{"Call {Bob}", ""}});
    WriteRegularFile(
        {Entry(Date(2008, 1, 31), TEntryInterval::Monthly, "{Work}Report|to the board"),
         Entry(Date(2008, 2, 29), TEntryInterval::Yearly, "Leap"),
         Entry(Date(2007, 3, 7), TEntryInterval::None, "Once")});
    const double first = Date(2007, 3, 1), last = Date(2012, 3, 31);
    std::map<double, std::vector<std::string>> before;
    for (double day = first; day <= last; ++day)
        before[day] = Shown(day);

    EXPECT_EQ(ExportCalendarToFile(folder.File("out.ics")), 7u);
    const std::string exported = ReadFile("out.ics");
    EXPECT_NE(exported.find("COLOR:red\r\n"), std::string::npos);
    EXPECT_EQ(exported.find("COLOR:#"), std::string::npos);
    EXPECT_NE(exported.find("SUMMARY:Caf\xC3\xA9\\, 50%\\; a\\\\b\r\n"), std::string::npos);
    ExportCalendarToFile(folder.File("again.ics"));
    const auto uids = [](const std::string& text) {
        std::vector<std::string> found;
        for (size_t at = 0; (at = text.find("\nUID:", at)) != std::string::npos; ++at)
            found.push_back(text.substr(at, text.find('\r', at) - at));
        return found;
    };
    EXPECT_EQ(uids(exported), uids(ReadFile("again.ics")));
    EXPECT_EQ(uids(exported).size(), 7u);

    std::filesystem::remove_all(folder.Path() / "data");
    const ImportOutcome outcome = ImportCalendarFromFile(folder.File("out.ics"));
    EXPECT_EQ(outcome.added, 7u);
    for (double day = first; day <= last; ++day) {
        std::vector<std::string> now = Shown(day), was = before[day];
        for (auto* lines : {&now, &was})
            for (std::string& line : *lines)
                line = TooltipText(line) + "/" + std::to_string(ItemColour(line, -1));
        EXPECT_EQ(now, was) << ICalDateText(day);
    }
    const std::string dayFile = ReadFile("data/2007-03-05.txt");
    const ImportOutcome second = ImportCalendarFromFile(folder.File("out.ics"));
    EXPECT_EQ(second.added, 0u);
    EXPECT_EQ(second.alreadyPresent, 7u);
    EXPECT_EQ(ReadFile("data/2007-03-05.txt"), dayFile);
    EXPECT_NE(second.summary.find("Already present: 7"), std::string::npos);
}

TEST_F(ICalendarTest, FailedImportChangesNothing) {
    WriteDayFile(Date(2007, 3, 5), {{"Kept", ""}});
    WriteRegularFile({Entry(Date(2007, 1, 1), TEntryInterval::Weekly, "Old")});
    const std::string dayBefore = ReadFile("data/2007-03-05.txt"),
                      regularBefore = ReadFile("data/regular.dat");
    chmod((folder.Path() / "data/regular.dat").c_str(), 0444); // written last, after the day files
    const std::string file =
        Wrap("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070305\r\nSUMMARY:New\r\nEND:VEVENT\r\n"
             "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070306\r\nSUMMARY:New\r\nEND:VEVENT\r\n"
             "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070305\r\nRRULE:FREQ=WEEKLY\r\n"
             "SUMMARY:Weekly\r\nEND:VEVENT\r\n");
    EXPECT_THROW(Import(file), VelmoraError);
    EXPECT_EQ(ReadFile("data/2007-03-05.txt"), dayBefore);
    EXPECT_FALSE(Exists("data/2007-03-06.txt"));
    EXPECT_EQ(ReadFile("data/regular.dat"), regularBefore);
    for (const char* refused : {"not a calendar at all", ""})
        EXPECT_THROW(Import(refused), VelmoraError);
}
} // namespace

namespace {
// A subscribed calendar shows on its days in its own colour, read-only, and its cache is
// used only while it matches the file.
TEST_F(ICalendarTest, SubscribedCalendarShowsInItsColourAndItsCacheIsNeverTrustedBlindly) {
    WriteFile("calendar.ini", "[options]\r\nsubscribed=holidays.ics\r\nsubscribedcolour=65280\r\n");
    const auto holidays = [&](const std::string& summary) {
        WriteFile("holidays.ics",
                  Wrap("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070310\r\nSUMMARY:" + summary +
                       "\r\nDESCRIPTION:Shops closed\r\nEND:VEVENT\r\n"
                       "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070301\r\nRRULE:FREQ=WEEKLY\r\n"
                       "SUMMARY:Market\r\nEND:VEVENT\r\n"));
    };
    holidays("Holiday");
    WriteDayFile(Date(2007, 3, 10), {{"Lunch", ""}});
    std::string text;
    ASSERT_TRUE(BuildItemsText(Date(2007, 3, 10), &text));
    const std::string heading = "Saturday March 10 2007";
    const std::string indent = std::to_string(heading.size() + 1);
    EXPECT_EQ(text, heading + "\r\nLunch\r\n{65280}Holiday\r\n|" + indent + "{65280}Shops closed");
    EXPECT_EQ(Shown(Date(2007, 3, 15)), (std::vector<std::string>{"{65280}Market"}));
    ASSERT_TRUE(BuildComingUpText(3, Date(2007, 3, 8), &text));
    EXPECT_EQ(text,
              "3/8 {65280}Market\r\n3/10 Lunch\r\n3/10 {65280}Holiday\r\n|5{65280}Shops closed");
    // Read-only: nothing of it went into the store.
    EXPECT_FALSE(Exists("data/2007-03-15.txt"));
    EXPECT_TRUE(Exists("holidays.ics.cache"));

    // A changed file is shown as it is now.
    holidays("Public holiday");
    EXPECT_EQ(Shown(Date(2007, 3, 10)).at(1), "{65280}Public holiday");
    // A cache whose text was altered is not believed, and is made again.
    std::string cache = ReadFile("holidays.ics.cache");
    const size_t at = cache.find("Public holiday");
    ASSERT_NE(at, std::string::npos);
    cache.replace(at, 6, "Forged");
    WriteFile("holidays.ics.cache", cache);
    EXPECT_EQ(Shown(Date(2007, 3, 10)).at(1), "{65280}Public holiday");
    EXPECT_NE(ReadFile("holidays.ics.cache").find("Public holiday"), std::string::npos);
    // Without the file, nothing of it shows and no box comes up.
    std::filesystem::remove(folder.Path() / "holidays.ics");
    EXPECT_EQ(Shown(Date(2007, 3, 10)), (std::vector<std::string>{"Lunch"}));
    EXPECT_EQ(ErrorBoxCount(), 0u);
}
} // namespace
