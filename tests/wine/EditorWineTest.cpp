// The reminder editor end to end: AddEntry called through TOOLS.DLL loaded by name, the
// dialog driven as a user would, and the files checked byte for byte afterwards.
#include "DateUtils.h"
#include "DialogDriver.h"
#include "ReminderFiles.h"
#include "WineTestSupport.h"

#include <windows.h>

#include <commctrl.h>
#include <cstring>
#include <gtest/gtest.h>

namespace {
using AddEntryProc = void(WINAPI*)(double);

const double march5 = 39146; // Monday 5 March 2007

// The way the window calls the editor: load, look up, call, free.
void CallAddEntry(double date) {
    HMODULE library = LoadLibraryA("TOOLS.DLL");
    ASSERT_NE(library, nullptr);
    auto addEntry = reinterpret_cast<AddEntryProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "AddEntry")));
    ASSERT_NE(addEntry, nullptr);
    addEntry(date);
    FreeLibrary(library);
}

std::string DayFile(double date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, &year, &month, &day);
    char name[32];
    std::snprintf(name, sizeof name, "data\\%04d-%02d-%02d.txt", year, month, day);
    return name;
}

std::string Record(double date, const std::string& text, uint8_t interval) {
    TRegularEntry entry;
    entry.StartDate = date;
    entry.Description = text;
    entry.Interval = interval;
    return EncodeRegularRecords({entry});
}

const char* const typesIni =
    "[eventtypes]\r\nBirthday=255\r\nMeeting=16711680\r\nHoliday=32768\r\n";

class EditorTest : public testing::Test {
  protected:
    void SetUp() override {
        ClearStore();
        WriteStoreFile("calendar.ini", typesIni);
    }
    void TearDown() override { ClearStore(); }

    // Runs the editor on date with the driver's script; the script must end the dialog.
    void Run(DialogDriver& driver, double date = march5) {
        CallAddEntry(date);
        EXPECT_TRUE(driver.DialogSeen());
        EXPECT_EQ(driver.StepsLeft(), 0u) << "the dialog closed before the script ended";
    }
};

TEST_F(EditorTest, AddTypeAndOkWritesTheDayFile) {
    DialogDriver driver("TCalendarEntriesForm");
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.RowCount("ListView1"), 0);
        EXPECT_FALSE(d.Enabled("Edit1"));
        EXPECT_FALSE(d.Enabled("DeleteEntryButton"));
        EXPECT_FALSE(d.Enabled("ShuffleUpButton"));
        EXPECT_FALSE(d.Enabled("ShuffleDownButton"));
        EXPECT_FALSE(d.Enabled("ApplyButton"));
        d.Click("AddEntryButton");
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.SelectedRow("ListView1"), 0);
        EXPECT_EQ(d.Focused(), d.Find("Edit1"));
        d.Type("Edit1", "Dentist");
    });
    driver.Then([](DialogDriver& d) { d.Choose("ComboBox2", "Meeting"); });
    driver.Then([](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled("ApplyButton"));
        d.Click("OkButton");
    });
    Run(driver);
    EXPECT_EQ(ReadStoreFile(DayFile(march5)), "{Meeting}Dentist\r\n");
    EXPECT_FALSE(StoreFileExists("data\\regular.dat"));
    EXPECT_TRUE(driver.Boxes().empty());
}
} // namespace

namespace {
// Not a check: pictures of the dialog for the documentation, taken when VELMORA_SHOTS names
// a folder (tests/wine/take-editor-screenshots.sh).
std::string ShotFolder() {
    char folder[MAX_PATH] = "";
    return GetEnvironmentVariableA("VELMORA_SHOTS", folder, MAX_PATH) ? std::string(folder) + "\\"
                                                                      : std::string();
}

TEST_F(EditorTest, Screenshots) {
    const std::string folder = ShotFolder();
    if (folder.empty())
        GTEST_SKIP() << "VELMORA_SHOTS not set";
    WriteStoreFile(DayFile(march5), "{Birthday}Anna turns 40\r\n{Meeting}Budget review|Room "
                                    "4\r\n{Holiday}Labour Day\r\nCall the plumber\r\n");
    WriteStoreFile("data\\regular.dat", Record(march5 - 30, "{Birthday}Mother", 5) +
                                            Record(march5 - 7, "{Meeting}Team meeting", 1) +
                                            Record(march5 - 60, "{Holiday}Long weekend", 4));
    DialogDriver driver("TCalendarEntriesForm");
    driver.Then([](DialogDriver& d) { d.ClickRow("ListView1", 1); });
    driver.Then([&](DialogDriver& d) { d.SaveScreenshot(folder + "editor-reminders.bmp"); });
    driver.Then([](DialogDriver& d) { d.ShowPage(1); });
    driver.Then([](DialogDriver& d) { d.ClickRow("ListView2", 1); });
    driver.Then([&](DialogDriver& d) { d.SaveScreenshot(folder + "editor-regular.bmp"); });
    driver.Then([](DialogDriver& d) { d.Click("CancelButton"); });
    Run(driver);
}
} // namespace
