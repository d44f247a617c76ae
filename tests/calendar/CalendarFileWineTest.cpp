// Calendar files through the real TOOLS.DLL: the two exports called as a script would, and
// with the standard file dialog; Calendar.exe's /import and /export; and the popup menu's
// "Import Calendar..." and "Export Calendar..." with the file dialog, the imported reminder
// then shown in its type's colour on the month.
#include "CalendarDriver.h"

#include "DateUtils.h"
#include "Tools.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
const COLORREF red = RGB(255, 0, 0);

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\') + 1);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWhole(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// The file dialogs and message boxes of a process, answered as a user would: the dialog
// given the file and OK, every other box read and closed with OK.
struct Answerer {
    DWORD process = 0;
    std::string file;
    int dialogs = 0;
    HWND answered = nullptr; // a dialog closes a moment after its OK
    std::vector<std::string> boxes;
};
Answerer* timerAnswerer = nullptr;

BOOL CALLBACK CollectStatic(HWND child, LPARAM target) {
    char className[32] = "", text[2048] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
        *reinterpret_cast<std::string*>(target) += text;
    return TRUE;
}

BOOL CALLBACK AnswerWindow(HWND window, LPARAM parameter) {
    auto* answerer = reinterpret_cast<Answerer*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = "", caption[128] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (process != answerer->process || !IsWindowVisible(window) ||
        std::strcmp(className, "#32770") != 0)
        return TRUE;
    if (window == answerer->answered)
        return TRUE;
    if (std::strcmp(caption, "Import Calendar") == 0 ||
        std::strcmp(caption, "Export Calendar") == 0 ||
        std::strcmp(caption, "Subscribed Calendar") == 0) {
        answerer->answered = window;
        // The file name field: a combo box in the explorer-style dialog, an edit in the old one.
        for (int id : {0x47c, 0x480})
            if (HWND field = GetDlgItem(window, id))
                SendMessageA(field, WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(answerer->file.c_str()));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        ++answerer->dialogs;
    } else {
        std::string text;
        EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&text));
        answerer->boxes.push_back(text);
        answerer->answered = window;
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return FALSE;
}

void CALLBACK AnswerFromTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (timerAnswerer)
        EnumWindows(AnswerWindow, reinterpret_cast<LPARAM>(timerAnswerer));
}

// Calls an export of the library beside the test, with the dialogs it opens answered from
// inside their own modal loops.
int32_t CallExport(const char* name, const char* path, Answerer* answerer) {
    HMODULE library = LoadLibraryA("TOOLS.DLL");
    EXPECT_NE(library, nullptr);
    auto function = reinterpret_cast<TImportCalendarFileFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, name)));
    EXPECT_NE(function, nullptr);
    answerer->process = GetCurrentProcessId();
    timerAnswerer = answerer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, AnswerFromTimer);
    const int32_t result = function ? function(path) : -2;
    KillTimer(nullptr, timer);
    timerAnswerer = nullptr;
    FreeLibrary(library);
    return result;
}

std::string Items(double date) {
    HMODULE library = LoadLibraryA("TOOLS.DLL");
    auto getItems = reinterpret_cast<TGetItemsFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetItems")));
    std::vector<char> buffer(1024, '\0');
    char* text = buffer.data();
    uint32_t length = 0;
    getItems(&text, &length, date);
    FreeLibrary(library);
    return text;
}

// Calendar.exe in the folder with these arguments; its exit code, or -1 when it did not end.
int RunCalendar(const TCalendarFolder& folder, const std::string& arguments) {
    std::string commandLine = "\"" + folder.Path() + "Calendar.exe\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.Path().c_str(), &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

void ClearOwnStore() {
    const std::string folder = ProgramFolder();
    DeleteFileA((folder + "calendar.ini").c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "data\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "data\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA((folder + "data").c_str(), nullptr);
}

const char* const foreignCalendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Another//EN\r\n"
                                    "BEGIN:VEVENT\r\nUID:a1\r\nDTSTART:20070320T093000\r\nDTEND:"
                                    "20070320T103000\r\nSUMMARY:Dentist\r\n"
                                    "CATEGORIES:BIRTHDAY\r\nEND:VEVENT\r\nBEGIN:VTODO\r\nSUMMARY:"
                                    "Skipped\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";

TEST(CalendarFileExports, ExportAndImportByPathSayNothingAndGiveTheCount) {
    ClearOwnStore();
    const std::string folder = ProgramFolder();
    WriteWhole(folder + "calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    WriteWhole(folder + "data\\2007-03-12.txt", "{Birthday}Caf\xE9 party|Bring cake\r\n");
    const std::string dayBefore = Items(EncodeDate(2007, 3, 12));
    Answerer quiet;
    EXPECT_EQ(CallExport("ExportCalendarFile", (folder + "out.ics").c_str(), &quiet), 1);
    const std::string exported = ReadWhole(folder + "out.ics");
    // The system code page's e acute as UTF-8, its type and colour.
    EXPECT_NE(exported.find("SUMMARY:Caf\xC3\xA9 party\r\nDESCRIPTION:Bring "
                            "cake\r\nCATEGORIES:Birthday\r\nCOLOR:red\r\n"),
              std::string::npos)
        << exported;

    ClearOwnStore();
    WriteWhole(folder + "calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    EXPECT_EQ(CallExport("ImportCalendarFile", (folder + "out.ics").c_str(), &quiet), 1);
    EXPECT_EQ(Items(EncodeDate(2007, 3, 12)), dayBefore);
    EXPECT_EQ(CallExport("ImportCalendarFile", (folder + "out.ics").c_str(), &quiet), 0);
    EXPECT_TRUE(quiet.boxes.empty());
    EXPECT_EQ(quiet.dialogs, 0);

    Answerer failing;
    EXPECT_EQ(CallExport("ImportCalendarFile", (folder + "missing.ics").c_str(), &failing), -1);
    ASSERT_EQ(failing.boxes.size(), 1u);
    EXPECT_NE(failing.boxes[0].find("missing.ics"), std::string::npos);
}

TEST(CalendarFileExports, WithoutAPathTheFileDialogAsksAndASummaryEnds) {
    ClearOwnStore();
    const std::string folder = ProgramFolder();
    WriteWhole(folder + "calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    WriteWhole(folder + "foreign.ics", foreignCalendar);
    Answerer import;
    import.file = folder + "foreign.ics";
    EXPECT_EQ(CallExport("ImportCalendarFile", nullptr, &import), 1);
    EXPECT_EQ(import.dialogs, 1);
    ASSERT_EQ(import.boxes.size(), 1u);
    EXPECT_NE(import.boxes[0].find("Added 1 reminder"), std::string::npos) << import.boxes[0];
    EXPECT_NE(import.boxes[0].find("1 to-do"), std::string::npos) << import.boxes[0];
    EXPECT_NE(Items(EncodeDate(2007, 3, 20)).find("{255}9:30 Dentist"), std::string::npos);

    Answerer exportAnswerer;
    exportAnswerer.file = folder + "chosen.ics";
    DeleteFileA(exportAnswerer.file.c_str()); // else the dialog asks whether to replace it
    EXPECT_EQ(CallExport("ExportCalendarFile", nullptr, &exportAnswerer), 1);
    EXPECT_EQ(exportAnswerer.dialogs, 1);
    EXPECT_NE(ReadWhole(folder + "chosen.ics").find("SUMMARY:9:30 Dentist"), std::string::npos);
}

TEST(CalendarFileCommandLine, ImportAndExportWithoutAWindow) {
    TCalendarFolder folder("command-line");
    folder.WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    folder.WriteFile("foreign.ics", foreignCalendar);
    EXPECT_EQ(RunCalendar(folder, "/import foreign.ics"), 0);
    EXPECT_EQ(folder.ReadFile("data\\2007-03-20.txt"), "{Birthday}9:30 Dentist\r\n");
    EXPECT_EQ(RunCalendar(folder, "/import foreign.ics"), 0);
    EXPECT_EQ(folder.ReadFile("data\\2007-03-20.txt"), "{Birthday}9:30 Dentist\r\n");
    EXPECT_EQ(RunCalendar(folder, "/noversion /export \"" + folder.Path() + "all.ics\""), 0);
    EXPECT_NE(folder.ReadFile("all.ics").find("SUMMARY:9:30 Dentist"), std::string::npos);
    EXPECT_EQ(RunCalendar(folder, "/export"), 2); // no file named
}

TEST(CalendarFileMenu, ExportAndImportFromThePopupMenuWithTheFileDialog) {
    SetEnvironmentVariableA("VELMORA_NOW", "39146.5"); // 5 March 2007, noon
    TCalendarFolder folder("menu");
    folder.WriteFile("calendar.ini", "[options]\r\nfirstday=1\r\n[eventtypes]\r\nBirthday=255\r\n");
    folder.WriteFile("foreign.ics", foreignCalendar);
    folder.WriteDayFile(EncodeDate(2007, 3, 12), {"Lunch"});
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_EQ(calendar.PopupItems(),
              (std::vector<std::string>{"Edit Reminders", "Options", "Import Calendar...",
                                        "Export Calendar...", "Read Me", "-", "Close"}));
    DWORD process = 0;
    GetWindowThreadProcessId(calendar.Window(), &process);
    HWND twentieth = calendar.CellWithCaption("20");
    ASSERT_NE(calendar.FontColor(twentieth), red);

    const auto choose = [&](int downPresses, const std::string& file) {
        calendar.RightClick(calendar.CellWithCaption("15"));
        HWND menu = calendar.WaitForPopupMenu();
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return Answerer();
        calendar.ChooseFromMenu(menu, downPresses);
        Answerer answerer;
        answerer.process = process;
        answerer.file = file;
        // The dialog, then the summary box.
        for (int attempt = 0; attempt < 300 && answerer.boxes.empty(); ++attempt) {
            EnumWindows(AnswerWindow, reinterpret_cast<LPARAM>(&answerer));
            Sleep(50);
        }
        return answerer;
    };
    const Answerer imported = choose(3, folder.Path() + "foreign.ics");
    EXPECT_EQ(imported.dialogs, 1);
    ASSERT_EQ(imported.boxes.size(), 1u);
    EXPECT_NE(imported.boxes[0].find("Added 1 reminder"), std::string::npos) << imported.boxes[0];
    // Laid out again after the import: the day in its type's colour.
    for (int attempt = 0; attempt < 100 && calendar.FontColor(twentieth) != red; ++attempt)
        Sleep(50);
    EXPECT_EQ(calendar.FontColor(twentieth), red);

    DeleteFileA((folder.Path() + "menu.ics").c_str());
    const Answerer exported = choose(4, folder.Path() + "menu.ics");
    EXPECT_EQ(exported.dialogs, 1);
    const std::string file = folder.ReadFile("menu.ics");
    EXPECT_NE(file.find("SUMMARY:Lunch"), std::string::npos);
    EXPECT_NE(file.find("SUMMARY:9:30 Dentist"), std::string::npos);
    ASSERT_TRUE(calendar.Close());
    SetEnvironmentVariableA("VELMORA_NOW", nullptr);
}
} // namespace

namespace {
struct TVisibleChild {
    const char* className;
    const char* caption; // null: any
    HWND found;
};

BOOL CALLBACK FindVisibleChild(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TVisibleChild*>(parameter);
    char className[64] = "", caption[128] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (!IsWindowVisible(window) || lstrcmpiA(className, search->className) != 0 ||
        (search->caption && std::strcmp(caption, search->caption) != 0))
        return TRUE;
    search->found = window;
    return FALSE;
}

// A control of the dialog shown on its current page.
HWND VisibleChild(HWND dialog, const char* className, const char* caption = nullptr) {
    TVisibleChild search = {className, caption, nullptr};
    EnumChildWindows(dialog, FindVisibleChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Asked of the control itself: another process's edit keeps its text to itself.
std::string WindowText(HWND window) {
    char text[512] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(CalendarFileSubscribed, ASubscribedCalendarShowsOnTheMonthInItsColour) {
    SetEnvironmentVariableA("VELMORA_NOW", "39146.5"); // 5 March 2007, noon
    TCalendarFolder folder("subscribed");
    folder.WriteFile(
        "calendar.ini",
        "[options]\r\nfirstday=1\r\nsubscribed=holidays.ics\r\nsubscribedcolour=65280\r\n");
    folder.WriteFile(
        "holidays.ics",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070320\r\n"
        "SUMMARY:Spring holiday\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    HWND twentieth = calendar.CellWithCaption("20");
    EXPECT_EQ(calendar.FontColor(twentieth), RGB(0, 255, 0));
    // Pointing at it gives the tooltip its text.
    SendMessageA(twentieth, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    const std::string hint = calendar.Hint(twentieth);
    EXPECT_NE(hint.find("\r\nSpring holiday"), std::string::npos) << hint;
    EXPECT_NE(calendar.FontColor(calendar.CellWithCaption("21")), RGB(0, 255, 0));

    // Another calendar chosen in the options dialog with Browse..., in red: at OK the month
    // shows it instead.
    folder.WriteFile(
        "school.ics",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070322\r\n"
        "SUMMARY:School trip\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    calendar.RightClick(calendar.CellWithCaption("12"));
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    calendar.ChooseFromMenu(menu, 2);
    DWORD process = 0;
    GetWindowThreadProcessId(calendar.Window(), &process);
    HWND options = nullptr;
    for (int attempt = 0; attempt < 500 && !options; ++attempt, Sleep(20))
        options = FindProcessWindow(process, "TOptionsForm");
    ASSERT_NE(options, nullptr);
    // The page is found by clicking along the tabs until its Browse button shows.
    HWND tabs = FindWindowExA(options, nullptr, "SysTabControl32", nullptr);
    ASSERT_NE(tabs, nullptr);
    RECT tabArea = {};
    GetClientRect(tabs, &tabArea);
    HWND browse = nullptr;
    for (int x = tabArea.right - 4; x > 0 && !browse; x -= 8) {
        const LPARAM at = MAKELPARAM(x, tabArea.bottom / 2);
        SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tabs, WM_LBUTTONUP, 0, at);
        browse = VisibleChild(options, "Button", "&Browse...");
    }
    ASSERT_NE(browse, nullptr);
    HWND file = VisibleChild(options, "Edit");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(WindowText(file), "holidays.ics");
    PostMessageA(browse, BM_CLICK, 0, 0);
    Answerer answerer;
    answerer.process = process;
    answerer.file = folder.Path() + "school.ics";
    for (int attempt = 0; attempt < 200 && answerer.dialogs == 0; ++attempt, Sleep(50))
        EnumWindows(AnswerWindow, reinterpret_cast<LPARAM>(&answerer));
    ASSERT_EQ(answerer.dialogs, 1);
    // Inside the program's folder: kept relative to it.
    for (int attempt = 0; attempt < 100 && WindowText(file) != "school.ics"; ++attempt)
        Sleep(50);
    EXPECT_EQ(WindowText(file), "school.ics");
    HWND colourHost = VisibleChild(options, "TColourComboBox");
    ASSERT_NE(colourHost, nullptr);
    HWND colourList = FindWindowExA(colourHost, nullptr, "ComboBox", nullptr);
    ASSERT_NE(colourList, nullptr);
    ASSERT_NE(SendMessageA(colourList, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("Red")),
              CB_ERR);
    SendMessageA(colourHost, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(colourList), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(colourList));
    PostMessageA(VisibleChild(options, "Button", "OK"), BM_CLICK, 0, 0);
    for (int attempt = 0; attempt < 250 && IsWindowVisible(options); ++attempt)
        Sleep(20);
    ASSERT_FALSE(IsWindowVisible(options));
    HWND twentySecond = calendar.CellWithCaption("22");
    for (int attempt = 0; attempt < 100 && calendar.FontColor(twentySecond) != red; ++attempt)
        Sleep(50);
    EXPECT_EQ(calendar.FontColor(twentySecond), red);
    EXPECT_NE(calendar.FontColor(twentieth), RGB(0, 255, 0));
    EXPECT_TRUE(answerer.boxes.empty());
    ASSERT_TRUE(calendar.Close());
    EXPECT_EQ(folder.ReadSetting("options", "subscribed"), "school.ics");
    EXPECT_EQ(folder.ReadSetting("options", "subscribedcolour"), "255");
    // Read-only: the store holds nothing of either.
    EXPECT_EQ(folder.ReadFile("data\\2007-03-20.txt"), "");
    EXPECT_EQ(folder.ReadFile("data\\2007-03-22.txt"), "");
    SetEnvironmentVariableA("VELMORA_NOW", nullptr);
}
} // namespace
