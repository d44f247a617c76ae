// Every writer of a stored file against a failure at each step of its write: the previous file
// stays byte for byte, no new file is left where a reader could find it, and the failure is
// reported naming the file.
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
} // namespace
