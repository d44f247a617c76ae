// Day files and regular.dat: names, byte layout, reading rules and safe replacement.
#include "Errors.h"
#include "ReminderFiles.h"
#include "StoreFixture.h"

#include <cstring>

namespace {
class ReminderFilesTest : public StoreFixture {};

std::string RecordBytes(double date, const std::string& text, uint8_t interval) {
    std::string record(272, '\0');
    std::memcpy(&record[0], &date, 8);
    record[8] = static_cast<char>(text.size());
    std::memcpy(&record[9], text.data(), text.size());
    record[264] = static_cast<char>(interval);
    return record;
}

TEST_F(ReminderFilesTest, DayFilesAreNamedByTheirDate) {
    EXPECT_EQ(DayFileName(Date(2007, 3, 5)), folder.WithSeparator() + "data\\2007-03-05.txt");
    EXPECT_EQ(DayFileName(Date(1999, 12, 31) + 0.9), folder.WithSeparator() + "data\\1999-12-31.txt");
}

TEST_F(ReminderFilesTest, WritingADayFileGivesExactBytes) {
    WriteDayFile(Date(2007, 3, 5), {{"Anna turns 40", "Birthday"}, {"Party|Bring cake", ""}, {"", ""}});
    EXPECT_EQ(ReadFile("data/2007-03-05.txt"), "{Birthday}Anna turns 40\r\nParty|Bring cake\r\n\r\n");
    EXPECT_TRUE(DayHasEntries(Date(2007, 3, 5)));
    EXPECT_FALSE(DayHasEntries(Date(2007, 3, 6)));
    EXPECT_FALSE(Exists("data/2007-03-05.txt.new"));

    WriteDayFile(Date(2007, 3, 5), {});
    EXPECT_FALSE(Exists("data/2007-03-05.txt"));
    EXPECT_TRUE(Exists("data"));
}

TEST_F(ReminderFilesTest, EveryLineEndingCaseReadsAsStored) {
    EXPECT_EQ(SplitDayFileLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitDayFileLines("a\r\nlast"), (std::vector<std::string>{"a", "last"}));
    EXPECT_EQ(SplitDayFileLines("a\rb\r"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitDayFileLines("one\ntwo\r\n"), (std::vector<std::string>{"one\ntwo"}));
    EXPECT_EQ(SplitDayFileLines("\r\n\r\nx"), (std::vector<std::string>{"", "", "x"}));
    EXPECT_EQ(SplitDayFileLines("a\r\nb\x1A" "c\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitDayFileLines("a\r\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitDayFileLines("  padded  \r\n"), (std::vector<std::string>{"  padded  "}));
    EXPECT_TRUE(SplitDayFileLines("").empty());

    WriteFile("data/2007-03-05.txt", "x\r\ny\n");
    EXPECT_EQ(ReadDayFile(Date(2007, 3, 5)), (std::vector<std::string>{"x", "y\n"}));
    EXPECT_TRUE(ReadDayFile(Date(2007, 3, 6)).empty());
}

// The editor reads a day in pieces of 64 KB; line ends and the end-of-text byte falling on
// the seams between pieces must give the lines the whole file gives.
TEST_F(ReminderFilesTest, ADayReadPieceByPieceGivesTheLinesOfTheWholeFile) {
    const size_t piece = 65536;
    const std::string filler(piece - 1, 'f');
    const std::string contents[] = {
        filler + "\r\nnext\r\n", // CR last in a piece, its LF first in the next
        filler + "\rnext",       // CR last in a piece, no LF after it
        filler + "a\r\n",        // line end wholly in the next piece
        filler + "\r\n\x1A"
                 "after\r\n",                           // end of text right after a seam
        std::string(3 * piece + 17, 'L') + "\r\nshort", // a line over several pieces
        "no line end at all",
        "",
    };
    for (const std::string& content : contents) {
        WriteFile("data/2007-03-05.txt", content);
        std::vector<std::string> lines;
        ReadDayFileWholeLines(DayFileName(Date(2007, 3, 5)),
                              [&lines](std::string& line) { lines.push_back(std::move(line)); });
        EXPECT_EQ(lines, SplitDayFileLines(content))
            << content.substr(content.size() > 40 ? content.size() - 40 : 0);
    }
}

TEST_F(ReminderFilesTest, TypeAndDescriptionAreSplitAtTheFirstBraces) {
    TCalendarEntry typed = ParseDayFileLine("{Birthday}Anna");
    EXPECT_EQ(typed.ReminderType, "Birthday");
    EXPECT_EQ(typed.Description, "Anna");
    TCalendarEntry middle = ParseDayFileLine("Call {Bob} now");
    EXPECT_EQ(middle.ReminderType, "Bob");
    EXPECT_EQ(middle.Description, "Call  now");
    TCalendarEntry reversed = ParseDayFileLine("a}b{c");
    EXPECT_EQ(reversed.ReminderType, "");
    EXPECT_EQ(reversed.Description, "a}b{c");
}

TEST_F(ReminderFilesTest, RegularRecordsHaveTheirFixedLayout) {
    TRegularEntry weekly;
    weekly.StartDate = Date(2007, 3, 5);
    weekly.Description = "{Work}Standup";
    weekly.Interval = 1;
    TRegularEntry yearly;
    yearly.StartDate = Date(2008, 2, 29);
    yearly.Description = "";
    yearly.Interval = 5;
    WriteRegularFile({weekly, yearly});
    const std::string bytes = ReadFile("data/regular.dat");
    ASSERT_EQ(bytes.size(), 544u);
    // 39146.0 as a little-endian IEEE double.
    const unsigned char start[8] = {0x00, 0x00, 0x00, 0x00, 0x40, 0x1D, 0xE3, 0x40};
    EXPECT_EQ(std::memcmp(bytes.data(), start, 8), 0);
    EXPECT_EQ(bytes[8], 13);
    EXPECT_EQ(bytes.substr(9, 13), "{Work}Standup");
    EXPECT_EQ(bytes.substr(22, 242), std::string(242, '\0'));
    EXPECT_EQ(bytes[264], 1);
    EXPECT_EQ(bytes.substr(265, 7), std::string(7, '\0'));
    EXPECT_EQ(bytes.substr(272), RecordBytes(Date(2008, 2, 29), "", 5));

    std::vector<TRegularEntry> read = ReadRegularFile();
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].StartDate, Date(2007, 3, 5));
    EXPECT_EQ(read[0].Description, "{Work}Standup");
    EXPECT_EQ(read[0].Interval, 1);
    EXPECT_EQ(read[1].Interval, 5);

    WriteRegularFile({});
    EXPECT_FALSE(Exists("data/regular.dat"));
}

TEST_F(ReminderFilesTest, BytesWithoutMeaningAreIgnoredOnRead) {
    std::string record = RecordBytes(Date(2007, 1, 31), "Rent", 3);
    for (size_t i = 13; i < 264; ++i) record[i] = 'x';
    for (size_t i = 265; i < 272; ++i) record[i] = '\x7F';
    WriteFile("data/regular.dat", record);
    std::vector<TRegularEntry> read = ReadRegularFile();
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Description, "Rent");
    EXPECT_EQ(read[0].StartDate, Date(2007, 1, 31));
}

TEST_F(ReminderFilesTest, APartialTrailingRecordIsReportedAfterTheWholeOnes) {
    std::vector<TRegularEntry> entries;
    const std::string content = RecordBytes(Date(2007, 1, 1), "One", 1) + "short";
    EXPECT_THROW(DecodeRegularRecords(content, entries), VelmoraError);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Description, "One");
}

// Records straddle the pieces the file is read in; each must arrive whole and in order.
TEST_F(ReminderFilesTest, RecordsReadPieceByPieceMatchTheWholeFileDecoded) {
    std::string content;
    for (int i = 0; i < 700; ++i)
        content += RecordBytes(Date(2007, 1, 1) + i, "entry " + std::to_string(i), static_cast<uint8_t>(i % 6));
    for (const std::string& tail : {std::string(), std::string("part")}) {
        WriteFile("data/regular.dat", content + tail);
        std::vector<TRegularEntry> whole;
        try {
            DecodeRegularRecords(content + tail, whole);
        } catch (const VelmoraError&) {
        }
        std::vector<TRegularEntry> pieces;
        const size_t part = ReadRegularRecords(RegularFileName(), [&](const char* record) {
            pieces.emplace_back();
            DecodeRegularRecord(record, pieces.back());
        });
        EXPECT_EQ(part, tail.size());
        ASSERT_EQ(pieces.size(), whole.size());
        for (size_t i = 0; i < whole.size(); ++i) {
            EXPECT_EQ(pieces[i].StartDate, whole[i].StartDate) << i;
            EXPECT_EQ(pieces[i].Description, whole[i].Description) << i;
            EXPECT_EQ(pieces[i].Interval, whole[i].Interval) << i;
        }
    }
    EXPECT_THROW(ReadRegularRecords(folder.File("absent.dat"), [](const char*) {}), VelmoraError);
}

TEST_F(ReminderFilesTest, RegularDescriptionsAreCutTo255WithTheTypeInFront) {
    const std::string text(255, 'a');
    const std::string stored = RegularDescription("Birthday", text);
    EXPECT_EQ(stored.size(), 255u);
    EXPECT_EQ(stored.substr(0, 10), "{Birthday}");
    EXPECT_EQ(RegularDescription("", std::string(300, 'b')), std::string(255, 'b'));
    EXPECT_EQ(RegularDescription("", "a|b"), "a|b");
}

TEST_F(ReminderFilesTest, AFailedWriteLeavesThePreviousFileIntact) {
    WriteDayFile(Date(2007, 3, 5), {{"Keep me", ""}});
    SetPortableWriteFailureAfter(3);
    EXPECT_THROW(WriteDayFile(Date(2007, 3, 5), {{"A much longer replacement text", ""}}), VelmoraError);
    EXPECT_EQ(ReadFile("data/2007-03-05.txt"), "Keep me\r\n");
    EXPECT_FALSE(Exists("data/2007-03-05.txt.new"));

    TRegularEntry entry;
    entry.StartDate = Date(2007, 3, 5);
    entry.Description = "Old";
    entry.Interval = 1;
    WriteRegularFile({entry});
    const std::string before = ReadFile("data/regular.dat");
    SetPortableWriteFailureAfter(100);
    entry.Description = "New";
    EXPECT_THROW(WriteRegularFile({entry, entry}), VelmoraError);
    EXPECT_EQ(ReadFile("data/regular.dat"), before);
}

TEST_F(ReminderFilesTest, AReadOnlyFileIsNeitherReplacedNorDeleted) {
    WriteDayFile(Date(2007, 3, 5), {{"Keep me", ""}});
    std::filesystem::permissions(folder.Path() / "data/2007-03-05.txt", std::filesystem::perms::owner_read |
                                                                            std::filesystem::perms::group_read);
    EXPECT_THROW(WriteDayFile(Date(2007, 3, 5), {{"Other", ""}}), VelmoraError);
    EXPECT_THROW(WriteDayFile(Date(2007, 3, 5), {}), VelmoraError);
    EXPECT_EQ(ReadFile("data/2007-03-05.txt"), "Keep me\r\n");
}

TEST_F(ReminderFilesTest, TheListingReadsDatesFromFixedPositions) {
    WriteFile("data/2007-03-05.txt", "a\r\n");
    WriteFile("data/2007-03-05 old.txt", "b\r\n");
    WriteFile("data/notes.txt", "c\r\n");
    WriteFile("data/2007-02-30.txt", "not a date\r\n");
    WriteFile("data/-007-03-05.txt", "negative\r\n");
    WriteFile("data/2007-03-06.TXT", "upper\r\n");
    WriteFile("data/2007-03-07.dat", "other kind\r\n");
    std::filesystem::create_directories(folder.Path() / "data/2007-03-08.txt");
    std::vector<DayFileListing> listing = ListDayFiles();
    std::vector<std::string> names;
    for (const DayFileListing& file : listing) names.push_back(file.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"2007-03-05 old.txt", "2007-03-05.txt", "2007-03-06.TXT"}));
    for (const DayFileListing& file : listing)
        EXPECT_EQ(file.date, file.name.compare(0, 10, "2007-03-06") == 0 ? Date(2007, 3, 6) : Date(2007, 3, 5));
}
} // namespace
