// Every writer of a stored file against a failure at each step of its write: the previous file
// stays byte for byte, no new file is left where a reader could find it, and the failure is
// reported naming the file.
#include "CalendarEntriesModel.h"
#include "ReminderFiles.h"
#include "StoreFixture.h"
#include "Tools.h"

#include <functional>
#include <set>

namespace {
struct Fault {
    PortableFileStep step;
    long afterBytes;
    const char* name;
};

// The day and regular files of these writers, and calendar.ini with its types, are all well
// over the largest byte count below, so each write fault falls inside the file.
const Fault faults[] = {
    {PortableFileStep::Create, 0, "create"},
    {PortableFileStep::Write, 0, "write, nothing written"},
    {PortableFileStep::Write, 1, "write, one byte"},
    {PortableFileStep::Write, 1000, "write, 1000 bytes"},
    {PortableFileStep::Flush, 0, "flush"},
    {PortableFileStep::Move, 0, "move over the old file"},
    {PortableFileStep::Delete, 0, "delete"},
};

class FileWriteFaultTest : public StoreFixture {
  protected:
    // The program folder as a fresh load finds it: no files, no library state.
    void StartAfresh() {
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            std::filesystem::remove_all(entry);
        ClearPortableFileFault();
        RecordedMessageBoxes().clear();
        ResetSettings();
        ClearEventTypes();
    }
    std::set<std::string> FilesInFolder() {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path()))
            names.insert(std::filesystem::relative(entry.path(), folder.Path()).string());
        return names;
    }
    static std::vector<TEventType> Types(const std::string& prefix) {
        std::vector<TEventType> types;
        for (int i = 0; i < 200; ++i)
            types.push_back({prefix + std::to_string(i), i});
        return types;
    }
    static std::vector<TRegularEntry> Regulars(const std::string& text, int count) {
        std::vector<TRegularEntry> entries(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            entries[static_cast<size_t>(i)].StartDate = Date(2007, 3, 1 + i);
            entries[static_cast<size_t>(i)].Description = text + std::to_string(i);
            entries[static_cast<size_t>(i)].Interval = 1;
        }
        return entries;
    }
    static std::vector<TCalendarEntry> DayEntries(const std::string& text) {
        return std::vector<TCalendarEntry>(20,
                                           TCalendarEntry{text + std::string(60, '.'), "Birthday"});
    }
};

struct Writer {
    const char* name;
    const char* file;       // relative to the program folder
    bool deletes;           // the write removes the file instead of replacing it
    bool throughTheExports; // the failure reaches the user in the library's error box
    std::function<void()> previous;
    std::function<void()> write;
};

TEST_F(FileWriteFaultTest, AFailedWriteKeepsThePreviousFileAndIsReportedOnce) {
    const double day = Date(2007, 3, 5);
    const Writer writers[] = {
        {"day file replaced", "data/2007-03-05.txt", false, false,
         [&] { WriteDayFile(day, DayEntries("old")); },
         [&] { WriteDayFile(day, DayEntries("new")); }},
        {"day file emptied", "data/2007-03-05.txt", true, false,
         [&] { WriteDayFile(day, DayEntries("old")); }, [&] { WriteDayFile(day, {}); }},
        {"regular.dat replaced", "data/regular.dat", false, false,
         [] { WriteRegularFile(Regulars("old", 5)); },
         [] { WriteRegularFile(Regulars("new", 6)); }},
        {"regular.dat emptied", "data/regular.dat", true, false,
         [] { WriteRegularFile(Regulars("old", 5)); }, [] { WriteRegularFile({}); }},
        {"settings saved", "calendar.ini", false, false,
         [] {
             LoadSettings();
             ReplaceEventTypes(Types("Old"));
             SaveSettings();
         },
         [] {
             LoadSettings();
             CalendarOptions().fontsize = 20;
             ReplaceEventTypes(Types("New"));
             SaveSettings();
         }},
        {"window position handed in", "calendar.ini", false, true,
         [] {
             LoadSettings();
             ReplaceEventTypes(Types("Old"));
             SaveSettings();
             ResetSettings();
             ClearEventTypes();
         },
         [] { SetOptions(7, 8); }},
        {"position alone, beside a bad value", "calendar.ini", false, true,
         [this] {
             std::string content = "[options]\r\nlistcount=300\r\ntop=1\r\n[eventtypes]\r\n";
             for (const TEventType& type : Types("Old"))
                 content += type.Name + "=1\r\n";
             WriteFile("calendar.ini", content);
         },
         [] { SetOptions(7, 8); }},
    };
    for (const Writer& writer : writers) {
        for (const Fault& fault : faults) {
            // A write that removes the file has no other step to fail at.
            if ((fault.step == PortableFileStep::Delete) != writer.deletes)
                continue;
            const std::string what = std::string(writer.name) + ", fault at " + fault.name;
            StartAfresh();
            writer.previous();
            const std::string before = ReadFile(writer.file);
            ASSERT_GT(before.size(), 1000u) << what;
            const std::set<std::string> filesBefore = FilesInFolder();
            ResetSettings();
            ClearEventTypes();

            SetPortableFileFault(fault.step, fault.afterBytes);
            const std::string fileName = std::filesystem::path(writer.file).filename().string();
            if (writer.throughTheExports) {
                writer.write();
                ASSERT_EQ(ErrorBoxCount(), 1u) << what;
                EXPECT_NE(RecordedMessageBoxes()[0].text.find(fileName), std::string::npos) << what;
            } else {
                try {
                    writer.write();
                    ADD_FAILURE() << what << ": no failure raised";
                } catch (const VelmoraError& error) {
                    EXPECT_NE(std::string(error.what()).find(fileName), std::string::npos) << what;
                }
            }
            EXPECT_EQ(ReadFile(writer.file), before) << what;
            EXPECT_EQ(FilesInFolder(), filesBefore) << what;
        }
    }
}

int TypeEntryOf(const TCalendarEntriesModel& model, const std::string& name) {
    const std::vector<std::string> entries = model.TypeEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == name)
            return static_cast<int>(i);
    return -1;
}

// The editor's OK writes the day file and regular.dat as one save: a fault at any step of
// either file leaves both as they were, no file of the save's own behind, the edits in the
// dialog, and a second OK after the fault saves them.
TEST_F(FileWriteFaultTest, TheEditorsSaveOfBothFilesIsAllOrNothing) {
    const double day = Date(2007, 3, 5);
    struct Case {
        const char* name;
        bool emptyDay;     // the edit deletes every dated reminder
        bool emptyRegular; // ... every regular one
        bool newDay = false; // the day had no file: the edit adds its reminders
    };
    const Case cases[] = {
        {"both replaced", false, false},
        {"day file created, regular.dat replaced", false, false, true},
        {"day file emptied, regular.dat replaced", true, false},
        {"day file replaced, regular.dat emptied", false, true},
    };
    const PortableFileStep steps[] = {PortableFileStep::Create, PortableFileStep::Write,
                                      PortableFileStep::Flush,  PortableFileStep::Backup,
                                      PortableFileStep::Move,   PortableFileStep::Delete};
    const char* const stepNames[] = {"create", "write", "flush", "backup", "move", "delete"};
    for (const Case& edit : cases) {
        const int replaced = (edit.emptyDay ? 0 : 1) + (edit.emptyRegular ? 0 : 1);
        for (size_t s = 0; s < std::size(steps); ++s) {
            for (int pass = 0; pass < 2; ++pass) {
                // A file that was not there has no previous content to keep.
                const int occurrences = steps[s] == PortableFileStep::Delete ? 2 - replaced
                                        : steps[s] == PortableFileStep::Backup
                                            ? replaced - (edit.newDay ? 1 : 0)
                                            : replaced;
                const std::string what = std::string(edit.name) + ", fault at " + stepNames[s] +
                                         " of file " + std::to_string(pass + 1);
                StartAfresh();
                if (!edit.newDay)
                    WriteDayFile(day, DayEntries("old"));
                WriteRegularFile(Regulars("old", 5));
                const std::string dayBefore = ReadFile("data/2007-03-05.txt");
                const std::string regularBefore = ReadFile("data/regular.dat");
                const std::set<std::string> filesBefore = FilesInFolder();

                TCalendarEntriesModel model;
                model.SetEventTypes({{"Birthday", 255}});
                ASSERT_TRUE(model.SetDate(day).Succeeded()) << what;
                const auto editList = [&model](bool empty, bool dated) {
                    const int rows = static_cast<int>(dated ? model.DatedRows().size()
                                                            : model.RegularRows().size());
                    for (int row = 0; row < rows; ++row) {
                        if (dated) {
                            model.ListView1SelectItem(empty ? 0 : row, true);
                            if (empty)
                                model.DeleteEntryButtonClick();
                            else
                                model.SetDescriptionText("new " + std::string(60, '-'));
                        } else {
                            model.ListView2SelectItem(empty ? 0 : row, true);
                            if (empty)
                                model.DeleteRegularEntryButtonClick();
                            else
                                model.SetRegularDescriptionText("new" + std::to_string(row));
                        }
                    }
                };
                if (edit.newDay) {
                    for (int row = 0; row < 20; ++row) {
                        model.AddEntryButtonClick();
                        model.ChooseType(TypeEntryOf(model, "Birthday"));
                        model.SetDescriptionText("new " + std::string(60, '-'));
                    }
                }
                editList(edit.emptyDay, true);
                editList(edit.emptyRegular, false);

                SetPortableFileFaultAfterSteps(steps[s], pass,
                                               steps[s] == PortableFileStep::Write ? 1000 : 0);
                const SaveResult failed = model.OkButtonClick();
                ClearPortableFileFault();
                if (pass >= occurrences) {
                    // No such step in this save: the fault never came.
                    EXPECT_TRUE(failed.Succeeded()) << what << ": " << failed.message;
                    continue;
                }
                EXPECT_EQ(failed.status, SaveStatus::IoError) << what;
                EXPECT_NE(failed.message.find("Nothing was saved"), std::string::npos) << what;
                EXPECT_EQ(ReadFile("data/2007-03-05.txt"), dayBefore) << what;
                EXPECT_EQ(Exists("data/2007-03-05.txt"), !edit.newDay) << what;
                EXPECT_EQ(ReadFile("data/regular.dat"), regularBefore) << what;
                EXPECT_EQ(FilesInFolder(), filesBefore) << what;
                EXPECT_TRUE(model.Modified()) << what;

                ASSERT_TRUE(model.OkButtonClick().Succeeded()) << what;
                EXPECT_EQ(Exists("data/2007-03-05.txt"), !edit.emptyDay) << what;
                EXPECT_EQ(Exists("data/regular.dat"), !edit.emptyRegular) << what;
                if (!edit.emptyDay) {
                    EXPECT_EQ(ReadFile("data/2007-03-05.txt").substr(0, 14), "{Birthday}new ")
                        << what;
                }
                if (!edit.emptyRegular) {
                    EXPECT_EQ(ReadRegularFile().at(4).Description, "new4") << what;
                }
            }
        }
    }
}

// When the first file cannot be put back after the second failed, the message says where its
// previous content is, and that content is there whole.
TEST_F(FileWriteFaultTest, AFileThatCannotBePutBackIsNamedWithItsKeptCopy) {
    const double day = Date(2007, 3, 5);
    StartAfresh();
    WriteDayFile(day, DayEntries("old"));
    const std::string dayBefore = ReadFile("data/2007-03-05.txt");
    // A folder where regular.dat belongs: its new file is written, but nothing can take the
    // folder's place.
    WriteFile("data/regular.dat/inside", "x");
    TCalendarEntriesModel model;
    ASSERT_TRUE(model.SetDate(day).Succeeded());
    model.ListView1SelectItem(0, true);
    model.SetDescriptionText("changed");
    model.AddRegularEntryButtonClick();
    model.SetRegularDescriptionText("weekly");
    model.ChooseInterval(1);

    SetPortableFileFault(PortableFileStep::Restore);
    const SaveResult failed = model.OkButtonClick();
    ClearPortableFileFault();
    ASSERT_EQ(failed.status, SaveStatus::IoError);
    EXPECT_NE(failed.message.find("regular.dat"), std::string::npos) << failed.message;
    EXPECT_NE(failed.message.find("2007-03-05.txt.old"), std::string::npos) << failed.message;
    EXPECT_EQ(ReadFile("data/2007-03-05.txt.old"), dayBefore);
    EXPECT_FALSE(Exists("data/regular.dat.new"));
}
} // namespace
