// Reminders moved with a renamed type: only the name in each type group changes, every other
// byte stays, and a failed save leaves every file as it was.
#include "TypeRenames.h"
#include "ReminderFiles.h"
#include "StoreFixture.h"

#include <cstring>

namespace {
const std::vector<TypeChange> workToJob = {
    {"Work", "Job"}, {"Home", "Home"}, {"Old", std::nullopt}};

TEST(TypeRenames, DayFileLinesKeepTheirEndingsTextAndEverythingAfterTheEndMark) {
    const struct {
        const char* before;
        const char* after;
        size_t moved;
    } cases[] = {
        {"{Work}a\r\n{Home}b\r\n", "{Job}a\r\n{Home}b\r\n", 1},
        {"x{work}y{Work}z\rnext\n{Work}\r\n", "x{Job}y{Work}z\rnext\n{Job}\r\n", 2},
        {"{Old}gone\r\n}{Work}\r\n{Work", "{Old}gone\r\n}{Work}\r\n{Work", 0},
        {"a\nb{Work}c\r\n\r\n{Work}", "a\nb{Job}c\r\n\r\n{Job}", 2},
        {"{Work}1\r\n\x1A{Work}after\r\n", "{Job}1\r\n\x1A{Work}after\r\n", 1},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        std::string content = c.before;
        EXPECT_EQ(RenameTypesInDayFile(content, workToJob), c.moved) << c.before;
        EXPECT_EQ(content, c.after) << c.before;
    }
}

TEST(TypeRenames, RegularRecordsKeepEveryOtherByteAndAreCutAt255) {
    TRegularEntry entry;
    entry.StartDate = 39146;
    entry.Description = "{Work}gym";
    entry.Interval = 3;
    std::string content = EncodeRegularRecords({entry, entry});
    content[266] = 'K'; // a byte past the interval that a writer left there
    content += "part";  // a part record at the end is no record
    std::string expected = content;
    entry.Description = "{Job}gym";
    const std::string renamed = EncodeRegularRecords({entry});
    std::memcpy(&expected[0], renamed.data(), 264);
    std::memcpy(&expected[RegularRecordSize], renamed.data(), 264);
    EXPECT_EQ(RenameTypesInRegularFile(content, workToJob), 2u);
    EXPECT_EQ(content, expected);

    entry.Description = "{Work}" + std::string(249, 'x');
    content = EncodeRegularRecords({entry});
    EXPECT_EQ(RenameTypesInRegularFile(content, {{"Work", "Occupation"}}), 1u);
    std::vector<TRegularEntry> read;
    DecodeRegularRecords(content, read);
    EXPECT_EQ(read[0].Description, "{Occupation}" + std::string(243, 'x'));
}

class TypeRenamesStoreTest : public StoreFixture {};

TEST_F(TypeRenamesStoreTest, AFailedSaveMovesNothingAndSaysWhy) {
    WriteFile("data/2007-03-05.txt", "{Work}a\r\n");
    WriteFile("data/2007-03-06.txt", "{Work}b\r\n");
    TRegularEntry entry;
    entry.StartDate = 39146;
    entry.Description = "{Work}gym";
    entry.Interval = 1;
    WriteFile("data/regular.dat", EncodeRegularRecords({entry}));
    const std::string regularBefore = ReadFile("data/regular.dat");
    // The last file put in place fails: the ones before it go back.
    SetPortableFileFaultAfterSteps(PortableFileStep::Move, 2);
    EXPECT_THROW(MoveRenamedReminders(workToJob), VelmoraError);
    ClearPortableFileFault();
    EXPECT_EQ(ReadFile("data/2007-03-05.txt"), "{Work}a\r\n");
    EXPECT_EQ(ReadFile("data/2007-03-06.txt"), "{Work}b\r\n");
    EXPECT_EQ(ReadFile("data/regular.dat"), regularBefore);

    EXPECT_EQ(MoveRenamedReminders(workToJob), 3u);
    EXPECT_EQ(ReadFile("data/2007-03-05.txt"), "{Job}a\r\n");
    EXPECT_EQ(ReadFile("data/2007-03-06.txt"), "{Job}b\r\n");
    EXPECT_EQ(MoveRenamedReminders(workToJob), 0u);
}
} // namespace
