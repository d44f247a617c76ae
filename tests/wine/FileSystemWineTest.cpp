// The store's own code against the real Windows file, profile and shell APIs: safe
// replacement, reminder types whose names the profile format cannot hold as keys, and the
// special folders of shortcut locations; and the readme opened in Notepad.
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "ReadMe.h"
#include "ReminderFiles.h"
#include "Shortcut.h"
#include "TypeRoundTrip.h"
#include "WineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {
class StoreOnWindows : public testing::Test {
  protected:
    StoreOnWindows() { ClearStore(); }
    ~StoreOnWindows() override { ClearStore(); }
};

TEST_F(StoreOnWindows, AReadOnlyDayFileIsNeitherReplacedNorDeleted) {
    const double date = EncodeDate(2007, 3, 5);
    WriteDayFile(date, {{"Keep me", "Birthday"}});
    EXPECT_EQ(ReadStoreFile("data\\2007-03-05.txt"), "{Birthday}Keep me\r\n");
    SetFileAttributesA(DayFileName(date).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(WriteDayFile(date, {{"Other", ""}}), VelmoraError);
    EXPECT_THROW(WriteDayFile(date, {}), VelmoraError);
    EXPECT_EQ(ReadStoreFile("data\\2007-03-05.txt"), "{Birthday}Keep me\r\n");
    EXPECT_FALSE(StoreFileExists("data\\2007-03-05.txt.new"));
}

TEST_F(StoreOnWindows, AFolderThatCannotBeWrittenKeepsRegularDat) {
    TRegularEntry entry;
    entry.StartDate = EncodeDate(2007, 3, 5);
    entry.Description = "Old";
    entry.Interval = 1;
    WriteRegularFile({entry});
    const std::string before = ReadStoreFile("data\\regular.dat");
    // A directory where the new file would go makes the write fail before anything is moved.
    CreateDirectoryA((RegularFileName() + ".new").c_str(), nullptr);
    entry.Description = "New";
    EXPECT_THROW(WriteRegularFile({entry}), VelmoraError);
    EXPECT_EQ(ReadStoreFile("data\\regular.dat"), before);
    RemoveDirectoryA((RegularFileName() + ".new").c_str());
    WriteRegularFile({entry});
    EXPECT_EQ(ReadRegularFile().at(0).Description, "New");
}

TEST_F(StoreOnWindows, EveryReminderTypeNameSurvivesTheProfileFile) {
    const std::vector<TEventType> types = {{"Birthday", 255}, {"", 1},     {"a=b", 2},
                                           {";note", 3},      {"[x]", 4},  {"birthday", 5},
                                           {"Birthday", 6},   {" pad ", 7}};
    ExpectTypesSurviveTheSettingsFile(types);
    const std::string path = ExecutableFolder() + "calendar.ini";
    EXPECT_EQ(GetPrivateProfileIntA("eventtypes", "Birthday", 0, path.c_str()), 255u);
    ClearEventTypes();
}

TEST_F(StoreOnWindows, ShortcutLocationsNameRealFolders) {
    const std::string startup = ResolveShortcutLocation("<startup>\\Calendar");
    EXPECT_NE(startup.find("StartUp\\Calendar.lnk"), std::string::npos) << startup;
    const std::string quickLaunch = ResolveShortcutLocation("<QUICK_LAUNCH>\\x");
    EXPECT_NE(quickLaunch.find("\\Microsoft\\Internet Explorer\\Quick Launch\\x.lnk"),
              std::string::npos);
    EXPECT_EQ(ResolveShortcutLocation("<NOWHERE>\\x"), "");
}

struct NotepadWindow {
    HWND window = nullptr;
    std::string title;
};
BOOL CALLBACK FindNotepad(HWND window, LPARAM found) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "Notepad") != 0)
        return TRUE;
    auto* notepad = reinterpret_cast<NotepadWindow*>(found);
    char title[MAX_PATH] = "";
    GetWindowTextA(window, title, sizeof title);
    notepad->window = window;
    notepad->title = title;
    return FALSE;
}

// The readme is the program folder's, whichever folder the program was started from.
TEST(ReadMe, NotepadOpensTheProgramFoldersReadmeFromAnotherCurrentDirectory) {
    const std::string readme = ExecutableFolder() + "readme.txt";
    const bool hadReadme = GetFileAttributesA(readme.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!hadReadme)
        WriteStoreFile("readme.txt", "The readme.\r\n");
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    char elsewhere[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, elsewhere);
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere));
    OpenReadMe();
    SetCurrentDirectoryA(previous);
    NotepadWindow notepad;
    for (int wait = 0; wait < 200 && !notepad.window; ++wait) {
        Sleep(50);
        EnumWindows(FindNotepad, reinterpret_cast<LPARAM>(&notepad));
    }
    EXPECT_NE(notepad.window, nullptr) << "Notepad did not start";
    DWORD process = 0;
    GetWindowThreadProcessId(notepad.window, &process);
    HANDLE child = !process
                       ? nullptr
                       : OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION,
                                     FALSE, process);
    // Its window shows untitled before it has read the file; without the file it stays so.
    if (child)
        WaitForInputIdle(child, 5000);
    Sleep(200);
    char titleText[MAX_PATH] = "";
    GetWindowTextA(notepad.window, titleText, sizeof titleText);
    std::string title = titleText;
    std::transform(title.begin(), title.end(), title.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_NE(title.find("readme"), std::string::npos) << titleText;
    if (child) {
        TerminateProcess(child, 0);
        WaitForSingleObject(child, 5000);
        CloseHandle(child);
    }
    if (!hadReadme)
        DeleteFileA(readme.c_str());
}
} // namespace
