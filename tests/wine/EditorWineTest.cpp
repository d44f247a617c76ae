// The reminder editor end to end: AddEntry called through TOOLS.DLL loaded by name, the
// dialog driven as a user would (clicks, typing, keys, the drop-down month), and the files
// checked byte for byte afterwards.
#include "DateUtils.h"
#include "DialogDriver.h"
#include "ReminderFiles.h"
#include "WineTestSupport.h"

#include <windows.h>

#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>

namespace {
using AddEntryProc = void(WINAPI*)(double);
using Step = DialogDriver::Step;
using Files = std::vector<std::pair<std::string, std::optional<std::string>>>;

const double march5 = 39146; // Monday 5 March 2007
const double march6 = march5 + 1;

// The way the window calls the editor: load, look up, call, free.
void CallAddEntry(double date) {
    HMODULE library = LoadLibraryA("TOOLS.DLL");
    ASSERT_NE(library, nullptr);
    auto addEntry = reinterpret_cast<AddEntryProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "AddEntry")));
    ASSERT_NE(addEntry, nullptr);
    addEntry(date);
    // Whatever the dialog registered is gone before the library is.
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    for (const char* name : {"TCalendarEntriesForm", "TrmComboCalendar", "TrmDropDownMonth"})
        EXPECT_FALSE(GetClassInfoExA(library, name, &info)) << name << " left registered";
    FreeLibrary(library);
}

std::string DayFile(double date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, &year, &month, &day);
    char name[32];
    std::snprintf(name, sizeof name, "data\\%04d-%02d-%02d.txt", year, month, day);
    return name;
}
const std::string regularFile = "data\\regular.dat";

std::string Record(double date, const std::string& text, uint8_t interval) {
    TRegularEntry entry;
    entry.StartDate = date;
    entry.Description = text;
    entry.Interval = interval;
    return EncodeRegularRecords({entry});
}

const char* const typesIni =
    "[eventtypes]\r\nBirthday=255\r\nMeeting=16711680\r\nHoliday=32768\r\n";
const char* const intervalMessage = "Information: You must set an interval for a regular entry.";

// --- Steps, each run in a tick of its own ---
Step Click(const char* button) {
    return [=](DialogDriver& d) { d.Click(button); };
}
Step Type(const char* edit, const std::string& text) {
    return [=](DialogDriver& d) { d.Type(edit, text); };
}
Step Row(const char* list, int row) {
    return [=](DialogDriver& d) { d.ClickRow(list, row); };
}
Step Choose(const char* combo, const std::string& entry) {
    return [=](DialogDriver& d) { d.Choose(combo, entry); };
}
Step Page(int page) {
    return [=](DialogDriver& d) { d.ShowPage(page); };
}
Step Key(WORD key, bool alt = false, bool control = false) {
    return [=](DialogDriver& d) { d.Key(key, alt, control); };
}
Step Focus(const char* component) {
    return [=](DialogDriver& d) { SetFocus(d.Find(component)); };
}
// Opens the drop-down month of the "Reminders" date field with Alt+Down and picks the day
// that many days after the shown one with the arrow keys and Enter.
std::vector<Step> PickDay(int daysLater) {
    std::vector<Step> steps{Focus("rmComboCalendar1"), Key(VK_DOWN, true)};
    for (int day = 0; day < daysLater; ++day)
        steps.push_back(Key(VK_RIGHT));
    steps.push_back(Key(VK_RETURN));
    return steps;
}

class EditorTest : public testing::Test {
  protected:
    void SetUp() override {
        ClearStore();
        WriteStoreFile("calendar.ini", typesIni);
    }
    void TearDown() override { ClearStore(); }
};

struct Scenario {
    const char* name;
    Files before; // the store besides calendar.ini, which holds three reminder types
    std::vector<std::vector<Step>> steps;
    Files expected;                     // a file without content must not exist
    std::vector<std::string> boxes{};   // a part of the text of each message box seen, in order
    std::vector<int> answers{};         // the buttons they are answered with
    std::function<void()> beforeOpen{}; // run after the store is written, before AddEntry
};

void RunScenario(const Scenario& scenario) {
    SCOPED_TRACE(scenario.name);
    ClearStore();
    WriteStoreFile("calendar.ini", typesIni);
    for (const auto& [file, content] : scenario.before)
        if (content)
            WriteStoreFile(file, *content);
    DialogDriver driver("TCalendarEntriesForm");
    for (const std::vector<Step>& group : scenario.steps)
        for (const Step& step : group)
            driver.Then(step);
    driver.AnswerBoxes(scenario.answers);
    if (scenario.beforeOpen)
        scenario.beforeOpen();
    CallAddEntry(march5);
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_EQ(driver.StepsLeft(), 0u) << "the dialog closed before the script ended";
    for (const auto& [file, content] : scenario.expected) {
        SCOPED_TRACE(file);
        EXPECT_EQ(StoreFileExists(file), content.has_value());
        if (content) {
            EXPECT_EQ(ReadStoreFile(file), *content);
        }
    }
    ASSERT_EQ(driver.Boxes().size(), scenario.boxes.size());
    for (size_t box = 0; box < scenario.boxes.size(); ++box) {
        const std::string seen = driver.Boxes()[box].caption + ": " + driver.Boxes()[box].text;
        EXPECT_NE(seen.find(scenario.boxes[box]), std::string::npos) << seen;
    }
}

Step Expect(std::function<void(DialogDriver&)> check) {
    return check;
}

TEST_F(EditorTest, DatedRemindersAreEditedAndSavedAsTheUserLeftThem) {
    const std::string longLine(300, 'L');
    const std::string typed300(300, 't');
    const Scenario scenarios[] = {
        {"add, type, choose a type, OK",
         {},
         {{Expect([](DialogDriver& d) {
               EXPECT_EQ(d.RowCount("ListView1"), 0);
               for (const char* name :
                    {"Edit1", "ComboBox2", "DeleteEntryButton", "ShuffleUpButton",
                     "ShuffleDownButton", "ApplyButton", "Edit2", "ComboBox1"})
                   EXPECT_FALSE(d.Enabled(name)) << name;
               EXPECT_TRUE(d.Enabled("AddEntryButton"));
           }),
           Click("AddEntryButton"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.SelectedRow("ListView1"), 0);
               EXPECT_EQ(d.Focused(), d.Find("Edit1"));
               EXPECT_FALSE(d.Enabled("ApplyButton"));
           }),
           Type("Edit1", "Dentist"), Choose("ComboBox2", "Meeting"),
           Expect([](DialogDriver& d) { EXPECT_TRUE(d.Enabled("ApplyButton")); }),
           Click("OkButton")}},
         {{DayFile(march5), "{Meeting}Dentist\r\n"}, {regularFile, std::nullopt}}},
        {"a type whose name holds \"=\" is offered and stored whole",
         {{"calendar.ini", "[eventtypes]\r\n%0%613D62=255\r\nb=65280\r\n"}},
         {{Click("AddEntryButton"), Type("Edit1", "x"), Choose("ComboBox2", "a=b"),
           Click("OkButton")}},
         {{DayFile(march5), "{a=b}x\r\n"}}},
        {"a read-only day file is untouched by OK without changes",
         {{DayFile(march5), "a\r\n{birthday}b\r\n"}},
         {{Expect([](DialogDriver&) {
               SetFileAttributesA((ExecutableFolder() + DayFile(march5)).c_str(),
                                  FILE_ATTRIBUTE_READONLY);
           }),
           Click("OkButton")}},
         {{DayFile(march5), "a\r\n{birthday}b\r\n"}}},
        {"a write that fails is reported and the dialog stays open with the edit",
         {{DayFile(march5), "a\r\n"}},
         {{Expect([](DialogDriver&) {
               SetFileAttributesA((ExecutableFolder() + DayFile(march5)).c_str(),
                                  FILE_ATTRIBUTE_READONLY);
           }),
           Row("ListView1", 0), Type("Edit1", "b"), Click("OkButton"), Expect([](DialogDriver& d) {
               EXPECT_TRUE(IsWindowVisible(d.Dialog()));
               EXPECT_TRUE(d.Enabled("ApplyButton"));
               SetFileAttributesA((ExecutableFolder() + DayFile(march5)).c_str(),
                                  FILE_ATTRIBUTE_NORMAL);
           }),
           Click("OkButton")}},
         {{DayFile(march5), "b\r\n"}},
         {"2007-03-05.txt"}},
        {"Cancel after Apply keeps what Apply saved",
         {{DayFile(march5), "a\r\n"}},
         {{Row("ListView1", 0), Type("Edit1", "a2"), Click("ApplyButton"),
           Expect([](DialogDriver& d) {
               EXPECT_FALSE(d.Enabled("ApplyButton"));
               EXPECT_EQ(d.SelectedRow("ListView1"), -1);
           }),
           Row("ListView1", 0), Type("Edit1", "a3"), Click("CancelButton")}},
         {{DayFile(march5), "a2\r\n"}}},
        {"shuffling trades places with the neighbour and stops at the ends",
         {{DayFile(march5), "one\r\ntwo\r\nthree\r\n"}},
         {{Row("ListView1", 1), Click("ShuffleUpButton"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.SelectedRow("ListView1"), 0);
               EXPECT_EQ(d.Cell("ListView1", 0, 0), "two");
               EXPECT_FALSE(d.Enabled("ShuffleUpButton"));
               EXPECT_TRUE(d.Enabled("ShuffleDownButton"));
               EXPECT_TRUE(d.Enabled("ApplyButton"));
           }),
           Click("ShuffleDownButton"),
           Expect([](DialogDriver& d) { EXPECT_EQ(d.SelectedRow("ListView1"), 1); }),
           Click("ShuffleDownButton"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.SelectedRow("ListView1"), 2);
               EXPECT_FALSE(d.Enabled("ShuffleDownButton"));
           }),
           Click("OkButton")}},
         {{DayFile(march5), "one\r\nthree\r\ntwo\r\n"}}},
        {"deleting every reminder removes the day file",
         {{DayFile(march5), "a\r\nb\r\n"}},
         {{Row("ListView1", 0), Click("DeleteEntryButton"), Row("ListView1", 0),
           Click("DeleteEntryButton"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.RowCount("ListView1"), 0);
               EXPECT_FALSE(d.Enabled("DeleteEntryButton"));
               EXPECT_EQ(d.Text("Edit1"), "");
           }),
           Click("OkButton")}},
         {{DayFile(march5), std::nullopt}}},
        {"an edit of row A survives Add and a click on row B; the added empty row is not written",
         {{DayFile(march5), "a\r\nb\r\n"}},
         {{Row("ListView1", 0), Type("Edit1", "A!"), Click("AddEntryButton"), Row("ListView1", 1),
           Expect([](DialogDriver& d) {
               EXPECT_EQ(d.Text("Edit1"), "b");
               EXPECT_TRUE(d.Enabled("ApplyButton"));
           }),
           Click("OkButton")}},
         {{DayFile(march5), "A!\r\nb\r\n"}}},
        {"looking at rows changes nothing of them: an unknown type and a long text stay whole",
         {{DayFile(march5), "{Gone}old\r\n" + longLine + "\r\n{Birthday}x\r\n"}},
         {{Row("ListView1", 0),
           Expect([](DialogDriver& d) { EXPECT_EQ(d.Chosen("ComboBox2"), "Gone"); }),
           Row("ListView1", 1), Row("ListView1", 2), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.Chosen("ComboBox2"), "Birthday");
               // Emptying the description field of the row left counts as a change.
               EXPECT_TRUE(d.Enabled("ApplyButton"));
           }),
           Click("OkButton")}},
         {{DayFile(march5), "{Gone}old\r\n" + longLine + "\r\n{Birthday}x\r\n"}}},
        {"a reminder of 100,000 characters shows its beginning in the list and stays whole",
         {{DayFile(march5), "{Birthday}" + std::string(100000, 'L') + "\r\nb\r\n"}},
         {{Expect([](DialogDriver& d) {
               EXPECT_EQ(d.Cell("ListView1", 0, 0), std::string(1023, 'L'));
               EXPECT_EQ(d.Cell("ListView1", 0, 1), "Birthday");
               EXPECT_EQ(d.Cell("ListView1", 1, 0), "b");
           }),
           Row("ListView1", 0), Expect([](DialogDriver& d) {
               // The box shows the beginning; the row keeps the whole.
               EXPECT_EQ(GetWindowTextLengthA(d.Find("Edit1")), 4096);
           }),
           Row("ListView1", 1), Click("OkButton")}},
         {{DayFile(march5), "{Birthday}" + std::string(100000, 'L') + "\r\nb\r\n"}}},
        {"the description box takes 255 characters; rows left empty are not written",
         {},
         {{Click("AddEntryButton"), Click("AddEntryButton"), Type("Edit1", typed300),
           Expect([](DialogDriver& d) { EXPECT_EQ(d.Text("Edit1").size(), 255u); }),
           Click("AddEntryButton"), Click("OkButton")}},
         {{DayFile(march5), std::string(255, 't') + "\r\n"}}},
    };
    for (const Scenario& scenario : scenarios)
        RunScenario(scenario);
}

TEST_F(EditorTest, AnotherDateIsPickedInTheDropDownMonthAndUnsavedEditsAreAskedAbout) {
    const std::string question =
        "The reminders of this date have changes that are not saved.\r\n\r\n"
        "Save them before another date is shown?";
    const auto shows = [](const char* day) {
        return Expect([=](DialogDriver& d) { EXPECT_EQ(d.Text("rmComboCalendar1"), day); });
    };
    const std::vector<Step> edit{Row("ListView1", 0), Type("Edit1", "changed")};
    const Scenario scenarios[] = {
        {"without edits the date changes at once and the lists load",
         {{DayFile(march5), "a\r\n"}, {DayFile(march6), "six\r\n"}},
         {PickDay(1),
          {shows("Tuesday, March 6, 2007"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.RowCount("ListView1"), 1);
               EXPECT_EQ(d.Cell("ListView1", 0, 0), "six");
           }),
           Row("ListView1", 0), Type("Edit1", "six!"), Click("OkButton")}},
         {{DayFile(march5), "a\r\n"}, {DayFile(march6), "six!\r\n"}}},
        {"No drops the edits",
         {{DayFile(march5), "a\r\n"}, {DayFile(march6), "six\r\n"}},
         {edit, PickDay(1), {shows("Tuesday, March 6, 2007"), Click("OkButton")}},
         {{DayFile(march5), "a\r\n"}, {DayFile(march6), "six\r\n"}},
         {question},
         {IDNO}},
        {"Yes saves them first",
         {{DayFile(march5), "a\r\n"}, {DayFile(march6), "six\r\n"}},
         {edit,
          PickDay(1),
          {shows("Tuesday, March 6, 2007"),
           Expect([](DialogDriver& d) { EXPECT_FALSE(d.Enabled("ApplyButton")); }),
           Click("CancelButton")}},
         {{DayFile(march5), "changed\r\n"}, {DayFile(march6), "six\r\n"}},
         {question},
         {IDYES}},
        {"Cancel keeps the date and the edits",
         {{DayFile(march5), "a\r\n"}, {DayFile(march6), "six\r\n"}},
         {edit,
          PickDay(1),
          {shows("Monday, March 5, 2007"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.Text("Edit1"), "changed");
               // The edits are still to be saved, and Apply says so without waiting for input.
               EXPECT_TRUE(d.Enabled("ApplyButton"));
           }),
           Click("OkButton")}},
         {{DayFile(march5), "changed\r\n"}, {DayFile(march6), "six\r\n"}},
         {question},
         {IDCANCEL}},
        {"an unsaved regular reminder is asked about too, and No drops it",
         {{DayFile(march6), "six\r\n"}},
         {{Page(1), Click("AddRegularEntryButton"), Type("Edit2", "Gym"), Page(0)},
          PickDay(1),
          {Expect([](DialogDriver& d) { EXPECT_EQ(d.RowCount("ListView2"), 0); }),
           Click("OkButton")}},
         {{regularFile, std::nullopt}},
         {question},
         {IDNO}},
    };
    for (const Scenario& scenario : scenarios)
        RunScenario(scenario);
}

TEST_F(EditorTest, RegularRemindersNeedAnIntervalAndAreSavedAsRecords) {
    const std::string typed255(255, 'x');
    const Scenario scenarios[] = {
        {"a new regular reminder must get an interval before OK saves and closes",
         {},
         {{Page(1), Click("AddRegularEntryButton"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.Focused(), d.Find("Edit2"));
               EXPECT_EQ(d.Cell("ListView2", 0, 1), "3/5/2007");
               EXPECT_EQ(d.Chosen("ComboBox1"), "None");
               EXPECT_FALSE(d.Enabled("ApplyButton"));
           }),
           Type("Edit2", "Gym"), Click("OkButton"), Expect([](DialogDriver& d) {
               EXPECT_TRUE(IsWindowVisible(d.Dialog()));
               EXPECT_TRUE(d.Enabled("ApplyButton"));
               EXPECT_TRUE(d.Enabled("Edit2"));
           }),
           Choose("ComboBox1", "Week"),
           Expect([](DialogDriver& d) { EXPECT_EQ(d.Cell("ListView2", 0, 2), "Week"); }),
           Click("OkButton")}},
         {{regularFile, Record(march5, "Gym", 1)}, {DayFile(march5), std::nullopt}},
         {intervalMessage}},
        {"a stored None is listed, and checked only once something changed",
         {{regularFile, Record(march5 - 3, "Old", 0) + Record(march5 - 400, "{Birthday}Mum", 5)}},
         {{Page(1), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.Cell("ListView2", 0, 2), "None");
               EXPECT_EQ(d.Cell("ListView2", 1, 2), "Year");
               EXPECT_EQ(d.Cell("ListView2", 1, 3), "Birthday");
           }),
           Row("ListView2", 1), Type("Edit2", "Mum!"), Click("OkButton"), Row("ListView2", 0),
           Click("DeleteRegularEntryButton"), Click("OkButton")}},
         {{regularFile, Record(march5 - 400, "{Birthday}Mum!", 5)}},
         {intervalMessage}},
        {"OK without changes passes a stored None without a word",
         {{regularFile, Record(march5 - 3, "Old", 0)}},
         {{Page(1), Click("OkButton")}},
         {{regularFile, Record(march5 - 3, "Old", 0)}}},
        {"choosing an interval shows at once in the row; a type and 255 characters make 255 in all",
         {},
         {{Page(1), Click("AddRegularEntryButton"), Choose("ComboBox3", "Birthday"),
           Type("Edit2", typed255), Choose("ComboBox1", "Quarter"), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.Cell("ListView2", 0, 2), "Quarter");
               EXPECT_TRUE(d.Enabled("ApplyButton"));
           }),
           Click("OkButton")}},
         {{regularFile, Record(march5, "{Birthday}" + std::string(245, 'x'), 4)}}},
        {"deleting every regular reminder and Apply deletes regular.dat",
         {{regularFile, Record(march5, "Old", 2)}},
         {{Page(1), Row("ListView2", 0), Click("DeleteRegularEntryButton"), Click("ApplyButton"),
           Expect([](DialogDriver&) { EXPECT_FALSE(StoreFileExists(regularFile)); }),
           Click("CancelButton")}},
         {{regularFile, std::nullopt}}},
        {"a record with an interval above 5 stops the list there, and says so",
         {{regularFile,
           Record(march5, "Good", 1) + Record(march5, "Bad", 9) + Record(march5, "After", 1)}},
         {{Page(1), Expect([](DialogDriver& d) {
               EXPECT_EQ(d.RowCount("ListView2"), 1);
               EXPECT_EQ(d.Cell("ListView2", 0, 0), "Good");
           }),
           Click("CancelButton")}},
         {{regularFile,
           Record(march5, "Good", 1) + Record(march5, "Bad", 9) + Record(march5, "After", 1)}},
         {"Range check error"}},
        {"a type that is no longer defined stays with its reminder",
         {{regularFile, Record(march5, "{Gone}Old", 2)}},
         {{Page(1), Row("ListView2", 0),
           Expect([](DialogDriver& d) { EXPECT_EQ(d.Chosen("ComboBox3"), "Gone"); }),
           Type("Edit2", "Old2"), Click("OkButton")}},
         {{regularFile, Record(march5, "{Gone}Old2", 2)}}},
    };
    for (const Scenario& scenario : scenarios)
        RunScenario(scenario);
}

// A file held open without sharing, as a backup or sync tool holds it: another handle, so
// the library meets the same refusal as from another process.
HANDLE heldFile = INVALID_HANDLE_VALUE;
void HoldFile(const std::string& relative) {
    heldFile = CreateFileA((ExecutableFolder() + relative).c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(heldFile, INVALID_HANDLE_VALUE) << relative;
}
Step Hold(const std::string& relative) {
    return [=](DialogDriver&) { HoldFile(relative); };
}
Step Release() {
    return [](DialogDriver&) {
        CloseHandle(heldFile);
        heldFile = INVALID_HANDLE_VALUE;
    };
}
Step StaysOpenWithTheEdit(const char* list, const std::string& firstCell) {
    return [=](DialogDriver& d) {
        EXPECT_TRUE(IsWindowVisible(d.Dialog()));
        EXPECT_TRUE(d.Enabled("ApplyButton"));
        EXPECT_EQ(d.Cell(list, d.RowCount(list) - 1, 0), firstCell);
    };
}
Step SetReadOnly(const std::string& relative, bool readOnly) {
    return [=](DialogDriver&) {
        SetFileAttributesA((ExecutableFolder() + relative).c_str(),
                           readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    };
}

TEST_F(EditorTest, OneSaveWritesBothFilesOrNeitherAndAFailedOneKeepsTheEdits) {
    const std::string oldRegular = Record(march5 - 7, "{Meeting}Standup", 1);
    const std::string savedRegular = Record(march5 - 7, "{Meeting}Standup!", 1);
    const Files untouched = {{DayFile(march5), "a\r\n"},
                             {regularFile, oldRegular},
                             {DayFile(march5) + ".new", std::nullopt},
                             {DayFile(march5) + ".old", std::nullopt},
                             {regularFile + ".new", std::nullopt},
                             {regularFile + ".old", std::nullopt}};
    const Files saved = {{DayFile(march5), "b\r\n"},
                         {regularFile, savedRegular},
                         {DayFile(march5) + ".old", std::nullopt},
                         {regularFile + ".new", std::nullopt},
                         {regularFile + ".old", std::nullopt}};
    const std::vector<Step> editBoth = {Row("ListView1", 0), Type("Edit1", "b"), Page(1),
                                        Row("ListView2", 0), Type("Edit2", "Standup!")};
    const Scenario scenarios[] = {
        {"a read-only regular.dat: OK saves neither file and stays open; Cancel leaves both",
         {{DayFile(march5), "a\r\n"}, {regularFile, oldRegular}},
         {{SetReadOnly(regularFile, true)},
          editBoth,
          {Click("OkButton"), StaysOpenWithTheEdit("ListView2", "Standup!"), Page(0),
           StaysOpenWithTheEdit("ListView1", "b"), Click("CancelButton")}},
         untouched,
         {"regular.dat"}},
        {"regular.dat read-only, then writable again: the second OK saves both",
         {{DayFile(march5), "a\r\n"}, {regularFile, oldRegular}},
         {{SetReadOnly(regularFile, true)},
          editBoth,
          {Click("OkButton"), StaysOpenWithTheEdit("ListView2", "Standup!"),
           SetReadOnly(regularFile, false), Click("OkButton")}},
         saved,
         {"regular.dat"}},
        {"regular.dat held open by another program after the day file went in: the day file "
         "is put back",
         {{DayFile(march5), "a\r\n"}, {regularFile, oldRegular}},
         {editBoth,
          {Hold(regularFile), Click("ApplyButton"), Expect([](DialogDriver& d) {
               EXPECT_TRUE(d.Enabled("ApplyButton"));
               EXPECT_EQ(ReadStoreFile(DayFile(march5)), "a\r\n");
               EXPECT_FALSE(StoreFileExists(DayFile(march5) + ".old"));
           }),
           Release(), Click("OkButton")}},
         saved,
         {"regular.dat"}},
    };
    for (const Scenario& scenario : scenarios)
        RunScenario(scenario);
}

TEST_F(EditorTest, RemindersTypedWhileTheirFileWasHeldOpenAreKeptUntilItCanBeSaved) {
    const Scenario scenarios[] = {
        {"the day file held open at the start and at the first OK, released before the second",
         {{DayFile(march5), "{Birthday}Anna\r\n"}},
         {{Expect([](DialogDriver& d) { EXPECT_EQ(d.RowCount("ListView1"), 0); }),
           Click("AddEntryButton"), Type("Edit1", "typed"), Click("OkButton"),
           StaysOpenWithTheEdit("ListView1", "typed"), Release(), Click("OkButton")}},
         {{DayFile(march5), "{Birthday}Anna\r\ntyped\r\n"}},
         {"2007-03-05.txt", "cannot be read now"},
         {},
         [] { HoldFile(DayFile(march5)); }},
        {"regular.dat held open at the start and at the first OK, released before the second",
         {{regularFile, Record(march5 - 7, "Standup", 1)}},
         {{Page(1), Click("AddRegularEntryButton"), Type("Edit2", "Gym"),
           Choose("ComboBox1", "Week"), Click("OkButton"), StaysOpenWithTheEdit("ListView2", "Gym"),
           Release(), Click("OkButton")}},
         {{regularFile, Record(march5 - 7, "Standup", 1) + Record(march5, "Gym", 1)},
          {DayFile(march5), std::nullopt}},
         {"regular.dat", "cannot be read now"},
         {},
         [] { HoldFile(regularFile); }},
    };
    for (const Scenario& scenario : scenarios)
        RunScenario(scenario);
    if (heldFile != INVALID_HANDLE_VALUE)
        CloseHandle(heldFile);
    heldFile = INVALID_HANDLE_VALUE;
}

// Letters as the keyboard types them (lower case, no Shift).
std::vector<Step> Keys(const std::string& letters) {
    std::vector<Step> steps;
    for (char c : letters)
        steps.push_back(Key(static_cast<WORD>(c - 'a' + 'A')));
    return steps;
}

TEST_F(EditorTest, TheKeyboardAloneIsEnough) {
    const Scenario scenarios[] = {
        {"Alt+A adds, letters type, Tab and Down choose the type, Enter is OK",
         {},
         {{Key('A', true)}, Keys("dentist"), {Key(VK_TAB), Key(VK_DOWN), Key(VK_RETURN)}},
         {{DayFile(march5), "{Birthday}dentist\r\n"}}},
        {"Ctrl+Tab turns to the regular page, where Alt+A adds and Tab reaches the interval",
         {},
         {{Key(VK_TAB, false, true), Key('A', true)},
          Keys("gym"),
          {Key(VK_TAB), Key(VK_TAB), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)}},
         {{regularFile, Record(march5, "gym", 2)}}},
        {"Esc cancels",
         {},
         {{Key('A', true)}, Keys("lost"), {Key(VK_ESCAPE)}},
         {{DayFile(march5), std::nullopt}}},
    };
    for (const Scenario& scenario : scenarios)
        RunScenario(scenario);
}

COLORREF ScreenPixelOfCell(DialogDriver& d, const char* list, int row, int column) {
    HWND window = d.Find(list);
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(window, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
    // The middle of the swatch, a square at the left of the cell, inset by 4 and 2 pixels.
    POINT centre{cell.left + 4 + (cell.bottom - cell.top - 4) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(window, &centre);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST_F(EditorTest, TheTypeColumnShowsTheTypesColourAndNameAndNamesOneNoLongerDefined) {
    WriteStoreFile("calendar.ini", std::string(typesIni) + "[options]\r\nfontcolour=65535\r\n");
    WriteStoreFile(DayFile(march5), "{Birthday}a\r\n{Gone}b\r\nc\r\n{meeting}d\r\n");
    WriteStoreFile(regularFile, Record(march5, "{Holiday}e", 3) + Record(march5, "f", 3));
    DialogDriver driver("TCalendarEntriesForm");
    const struct {
        const char* list;
        int row;
        int column;
        COLORREF colour;
    } cells[] = {
        {"ListView1", 0, 1, RGB(255, 0, 0)},   {"ListView1", 1, 1, RGB(255, 255, 255)},
        {"ListView1", 2, 1, RGB(255, 255, 0)}, {"ListView1", 3, 1, RGB(0, 0, 255)},
        {"ListView2", 0, 3, RGB(0, 128, 0)},   {"ListView2", 1, 3, RGB(255, 255, 0)},
    };
    std::vector<COLORREF> seen;
    driver.Then([&](DialogDriver& d) {
        for (const auto& cell : cells)
            if (std::string(cell.list) == "ListView1")
                seen.push_back(ScreenPixelOfCell(d, cell.list, cell.row, cell.column));
        // The name beside the swatch; a type that is gone has no swatch and says so.
        EXPECT_EQ(d.Cell("ListView1", 0, 1), "Birthday");
        EXPECT_EQ(d.Cell("ListView1", 1, 1), "Gone (not defined)");
        EXPECT_EQ(d.Cell("ListView1", 2, 1), "");
        EXPECT_EQ(d.Cell("ListView1", 3, 1), "meeting");
        d.ShowPage(1);
    });
    driver.Then([&](DialogDriver& d) {
        for (const auto& cell : cells)
            if (std::string(cell.list) == "ListView2")
                seen.push_back(ScreenPixelOfCell(d, cell.list, cell.row, cell.column));
        d.Click("CancelButton");
    });
    CallAddEntry(march5);
    ASSERT_EQ(seen.size(), std::size(cells));
    for (size_t index = 0; index < seen.size(); ++index)
        EXPECT_EQ(seen[index], cells[index].colour)
            << cells[index].list << " row " << cells[index].row;
}

// A window of the calling program, registered by it, alive through every call.
struct CallerWindow {
    static int ticks;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMER)
            ++ticks;
        if (message == WM_USER)
            return 7;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    CallerWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TVelmoraStandIn";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(WS_EX_TOOLWINDOW, "TVelmoraStandIn", "", WS_POPUP | WS_VISIBLE, 0,
                                 0, 60, 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetTimer(window, 1, 10, nullptr);
    }
    ~CallerWindow() {
        DestroyWindow(window);
        UnregisterClassA("TVelmoraStandIn", GetModuleHandleA(nullptr));
    }
    HWND window;
};
int CallerWindow::ticks = 0;

TEST_F(EditorTest, TheCloseBoxCancelsAndThePictureButtonsAreNamedWhatTheyDo) {
    WriteStoreFile(DayFile(march5), "a\r\nb\r\n");
    DialogDriver driver("TCalendarEntriesForm");
    driver.Then([](DialogDriver& d) {
        EXPECT_TRUE(GetWindowLongA(d.Dialog(), GWL_STYLE) & WS_SYSMENU);
        EXPECT_EQ(d.Text("ShuffleUpButton"), "Shuffle up");
        EXPECT_EQ(d.Text("ShuffleDownButton"), "Shuffle down");
        // No empty header at the right of either list.
        for (const char* name : {"ListView1", "ListView2"}) {
            HWND list = d.Find(name);
            RECT client = {};
            GetClientRect(list, &client);
            int width = 0;
            for (int column = 0; column < Header_GetItemCount(ListView_GetHeader(list)); ++column)
                width += ListView_GetColumnWidth(list, column);
            EXPECT_EQ(width, client.right) << name;
        }
        d.ClickRow("ListView1", 1);
    });
    driver.Then([](DialogDriver& d) {
        // The glyph is still what the button shows: dark pixels of the arrow on its face.
        HWND button = d.Find("ShuffleUpButton");
        RECT face = {};
        GetClientRect(button, &face);
        HDC dc = GetDC(button);
        int dark = 0;
        for (int y = face.top + 4; y < face.bottom - 4; ++y)
            for (int x = face.left + 4; x < face.right - 4; ++x)
                dark += GetPixel(dc, x, y) == GetSysColor(COLOR_BTNTEXT) ? 1 : 0;
        ReleaseDC(button, dc);
        EXPECT_GT(dark, 4);
        d.Click("ShuffleUpButton");
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Cell("ListView1", 0, 0), "b");
        PostMessageA(d.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    CallAddEntry(march5);
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_EQ(ReadStoreFile(DayFile(march5)), "a\r\nb\r\n");
}

TEST_F(EditorTest, TheFirstStartOffersStarterTypes) {
    ClearStore();
    DialogDriver driver("TCalendarEntriesForm");
    driver.Then([](DialogDriver& d) {
        HWND types = d.Find("ComboBox2");
        std::vector<std::string> entries;
        for (LRESULT i = 0; i < SendMessageA(types, CB_GETCOUNT, 0, 0); ++i) {
            char text[64] = "";
            SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        EXPECT_EQ(entries, (std::vector<std::string>{"", "Birthday", "Holiday", "Work"}));
        d.Click("CancelButton");
    });
    CallAddEntry(march5);
    EXPECT_EQ(driver.StepsLeft(), 0u);
}

TEST_F(EditorTest, TheLibraryCanBeLoadedOpenedClosedAndFreedAgainAndAgain) {
    CallerWindow caller;
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        CallerWindow::ticks = 0;
        WriteStoreFile(DayFile(march5), "round\r\n");
        DialogDriver driver("TCalendarEntriesForm");
        driver.Then(Row("ListView1", 0));
        driver.Then(Type("Edit1", "round " + std::to_string(round)));
        driver.Then(Focus("rmComboCalendar1"));
        driver.Then(Key(VK_DOWN, true, false));
        driver.Then(Key(VK_ESCAPE));
        driver.Then(Click("OkButton"));
        CallAddEntry(march5);
        EXPECT_EQ(driver.StepsLeft(), 0u);
        EXPECT_EQ(ReadStoreFile(DayFile(march5)), "round " + std::to_string(round) + "\r\n");
        EXPECT_GT(CallerWindow::ticks, 3) << "the caller's timer stood still";
        EXPECT_TRUE(IsWindowEnabled(caller.window));
        EXPECT_EQ(SendMessageA(caller.window, WM_USER, 0, 0), 7);
    }
    EXPECT_EQ(GetModuleHandleA("TOOLS.DLL"), nullptr);
}

// --- Scale: a child process at 144 dots per inch ---

std::string Environment(const char* name) {
    char value[MAX_PATH] = "";
    return GetEnvironmentVariableA(name, value, MAX_PATH) ? std::string(value) : std::string();
}

BOOL CALLBACK CheckChildFits(HWND child, LPARAM parentRect) {
    const RECT& client = *reinterpret_cast<const RECT*>(parentRect);
    RECT box = {};
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&box), 2);
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (IsWindowVisible(child)) {
        EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= client.right &&
                    box.bottom <= client.bottom)
            << name << " outside the dialog";
        char text[256] = "";
        GetWindowTextA(child, text, sizeof text);
        // A picture button's text is its name, not what it shows.
        const bool picture = (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
        if (std::strlen(text) > 1 && !(std::string(name) == "Button" && picture) &&
            (std::string(name) == "Button" || std::string(name) == "Static")) {
            HDC dc = GetDC(child);
            HGDIOBJ previous =
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
            RECT needed = {0, 0, 0, 0};
            DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
            SelectObject(dc, previous);
            ReleaseDC(child, dc);
            const bool wraps = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT &&
                               std::string(name) == "Static";
            if (!wraps) {
                EXPECT_LE(needed.right, box.right - box.left) << "\"" << text << "\" is cut";
            }
            EXPECT_GE(needed.bottom, 16) << "\"" << text << "\" in a font that did not grow";
        }
    }
    return TRUE;
}

TEST_F(EditorTest, ScaledChild) {
    if (Environment("VELMORA_SCALED_CHILD").empty())
        GTEST_SKIP() << "run by At144DotsPerInchEverythingGrowsAndFits";
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 144);
    ReleaseDC(nullptr, screen);
    WriteStoreFile(DayFile(march5),
                   "{Birthday}Anna turns 40\r\n{Meeting}Budget review\r\n{Holiday}Labour Day\r\n");
    DialogDriver driver("TCalendarEntriesForm");
    driver.Then(Row("ListView1", 1));
    driver.Then([](DialogDriver& d) {
        RECT client = {};
        GetClientRect(d.Dialog(), &client);
        EXPECT_EQ(client.right, 797);
        EXPECT_EQ(client.bottom, 581);
        EnumChildWindows(d.Dialog(), CheckChildFits, reinterpret_cast<LPARAM>(&client));
        const std::string shots = Environment("VELMORA_SHOTS");
        if (!shots.empty())
            d.SaveScreenshot(shots + "\\editor-144dpi.bmp");
        d.Click("CancelButton");
    });
    CallAddEntry(march5);
    EXPECT_EQ(driver.StepsLeft(), 0u);
}

TEST_F(EditorTest, At144DotsPerInchEverythingGrowsAndFits) {
    HKEY desktop = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &desktop, nullptr),
              ERROR_SUCCESS);
    DWORD previous = 0, size = sizeof previous, type = 0;
    const bool hadValue =
        RegQueryValueExA(desktop, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&previous),
                         &size) == ERROR_SUCCESS;
    const DWORD scaled = 144;
    RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&scaled),
                   sizeof scaled);

    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = std::string("\"") + program + "\" --gtest_filter=EditorTest.ScaledChild";
    SetEnvironmentVariableA("VELMORA_SCALED_CHILD", "1");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA("VELMORA_SCALED_CHILD", nullptr);
    DWORD exitCode = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (hadValue)
        RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous),
                       sizeof previous);
    else
        RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u) << "the scaled dialog failed its checks (see the child's output above)";
}

// Not a check: pictures of the dialog for the documentation, taken when VELMORA_SHOTS names
// a folder (tests/wine/take-editor-screenshots.sh).
TEST_F(EditorTest, Screenshots) {
    const std::string folder = Environment("VELMORA_SHOTS");
    if (folder.empty())
        GTEST_SKIP() << "VELMORA_SHOTS not set";
    WriteStoreFile("calendar.ini", std::string(typesIni) + "[options]\r\nfontcolour=8421504\r\n");
    WriteStoreFile(DayFile(march5), "{Birthday}Anna turns 40\r\n{Meeting}Budget review|Room "
                                    "4\r\n{Holiday}Labour Day\r\nCall the plumber\r\n"
                                    "{Project}Hand over the old project\r\n");
    for (int day : {8, 14, 21, 27})
        WriteStoreFile(DayFile(march5 - 5 + day), "x\r\n");
    WriteStoreFile(regularFile, Record(march5 - 30, "{Birthday}Mother", 5) +
                                    Record(march5 - 7, "{Meeting}Team meeting", 1) +
                                    Record(march5 - 60, "{Holiday}Long weekend", 4));
    DialogDriver driver("TCalendarEntriesForm");
    driver.Then(Row("ListView1", 1));
    driver.Then([&](DialogDriver& d) { d.SaveScreenshot(folder + "\\editor-reminders.bmp"); });
    for (const Step& step : std::vector<Step>{Focus("rmComboCalendar1"), Key(VK_DOWN, true)})
        driver.Then(step);
    driver.Then([&](DialogDriver& d) { d.SaveScreenshot(folder + "\\editor-dropdown.bmp"); });
    driver.Then(Key(VK_ESCAPE));
    driver.Then(Page(1));
    driver.Then(Row("ListView2", 1));
    driver.Then([&](DialogDriver& d) { d.SaveScreenshot(folder + "\\editor-regular.bmp"); });
    driver.Then(Click("CancelButton"));
    CallAddEntry(march5);
    EXPECT_EQ(driver.StepsLeft(), 0u);
}
} // namespace
