// The installer as a user meets it: a silent per-user install, the installed calendar started
// from its folder and a reminder added through its menu and the library's editor, the same
// package again, an upgrade to a higher version, and an uninstall. The user's calendar.ini
// and data\ outlive all of it; the program files, shortcuts and the installed-programs entry
// do not. tests/package/install-test.sh builds the two packages and names them in
// VELMORA_PACKAGE (the project's version) and VELMORA_NEWER_PACKAGE (VELMORA_NEWER_VERSION),
// and unzips the portable zip into VELMORA_PORTABLE_FOLDER.
#include "CalendarDriver.h"

#include "DateUtils.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
// The packages hold the shipped program, which runs on the system's clock: the reminders go on
// days of the month it shows at start, the system's month, and the day file is named for it.
std::string DayFileOfThisMonth(int day) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char name[48];
    std::snprintf(name, sizeof name, "data\\%04d-%02d-%02d.txt", now.wYear, now.wMonth, day);
    return name;
}

// The reminders of a day as the window's tooltip for it shows them.
std::string DayTooltip(const TCalendarProcess& calendar, const char* day) {
    return ShowTooltip(calendar, calendar.CellWithCaption(day)).Text;
}

std::string Environment(const char* name) {
    char value[MAX_PATH * 2] = "";
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

std::string KnownFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::string(path) + "\\";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadText(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, read);
        std::fclose(file);
    }
    return text;
}

// msiexec's exit code: 0 for success, 1638 for "another version is installed", and so on.
DWORD Msiexec(const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "msiexec.exe " + arguments;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// The DisplayVersion of every entry called Velmora in the installed-programs lists, per user
// and per machine (Wine keeps a per-user installation's entry in the machine's list).
std::vector<std::string> InstalledEntries() {
    std::vector<std::string> versions;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY list = nullptr;
        if (RegOpenKeyExA(root, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                          KEY_READ, &list) != ERROR_SUCCESS)
            continue;
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = sizeof name;
            if (RegEnumKeyExA(list, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            char value[256] = "";
            DWORD size = sizeof value;
            if (RegGetValueA(list, name, "DisplayName", RRF_RT_REG_SZ, nullptr, value, &size) !=
                    ERROR_SUCCESS ||
                std::strcmp(value, "Velmora") != 0)
                continue;
            size = sizeof value;
            value[0] = 0;
            RegGetValueA(list, name, "DisplayVersion", RRF_RT_REG_SZ, nullptr, value, &size);
            versions.push_back(value);
            size = sizeof value;
            EXPECT_EQ(RegGetValueA(list, name, "UninstallString", RRF_RT_ANY | RRF_NOEXPAND,
                                   nullptr, value, &size),
                      ERROR_SUCCESS);
        }
        RegCloseKey(list);
    }
    return versions;
}

std::string FileVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::string block(size, '\0');
    char* text = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, &block[0]) ||
        !VerQueryValueA(&block[0], "StringFileInfo\\0C0904E4\\FileVersion",
                        reinterpret_cast<void**>(&text), &length))
        return "";
    return text;
}

// Right-click on the day, Edit Reminders, Add, the text, OK: the editor of the installed
// library writes the day file in the installed folder.
void AddReminderFromTheMenu(TCalendarProcess& calendar, const char* day, const char* text) {
    calendar.RightClick(calendar.CellWithCaption(day));
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    calendar.ChooseFromMenu(menu, 0);
    DWORD process = 0;
    GetWindowThreadProcessId(calendar.Window(), &process);
    HWND editor = nullptr;
    for (int attempt = 0; attempt < 500 && !editor; ++attempt) {
        editor = FindProcessWindow(process, "TCalendarEntriesForm");
        if (!editor)
            Sleep(20);
    }
    ASSERT_NE(editor, nullptr);
    HWND add = FormControl(editor, "Button", "&Add");
    ASSERT_NE(add, nullptr);
    SendMessageA(add, BM_CLICK, 0, 0);
    HWND description = FormControl(editor, "Edit");
    ASSERT_NE(description, nullptr);
    SendMessageA(description, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    PostMessageA(FormControl(editor, "Button", "OK"), BM_CLICK, 0, 0);
    for (int attempt = 0; attempt < 250 && IsWindow(editor); ++attempt)
        Sleep(20);
    ASSERT_FALSE(IsWindow(editor));
}

TEST(InstallTest, InstallRepairUpgradeAndUninstallKeepTheUsersRemindersAndSettings) {
    const std::string package = Environment("VELMORA_PACKAGE");
    const std::string newer = Environment("VELMORA_NEWER_PACKAGE");
    const std::string newerVersion = Environment("VELMORA_NEWER_VERSION");
    ASSERT_FALSE(package.empty() || newer.empty() || newerVersion.empty())
        << "run through tests/package/install-test.sh";
    const std::string folder = KnownFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Velmora\\";
    const std::string startMenu = KnownFolder(CSIDL_PROGRAMS) + "Velmora.lnk";
    const std::string startup = KnownFolder(CSIDL_STARTUP) + "Calendar.lnk";
    const char* const programFiles[] = {"Calendar.exe", "TOOLS.DLL", "readme.txt", "Tools.NLD"};
    const std::string dayFile = folder + DayFileOfThisMonth(12);

    // No administrator: the whole installation lies in the user's own folders.
    ASSERT_EQ(Msiexec("/i \"" + package + "\" /qn"), 0u);
    for (const char* file : programFiles)
        EXPECT_TRUE(Exists(folder + file)) << file;
    EXPECT_TRUE(Exists(startMenu));
    EXPECT_FALSE(Exists(startup)) << "starting with Windows is the user's choice";
    const std::vector<std::string> first = InstalledEntries();
    ASSERT_EQ(first.size(), 1u);
    const std::string version = first[0];
    EXPECT_EQ(FileVersion(folder + "Calendar.exe"), version);

    {
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        AddReminderFromTheMenu(calendar, "12", "Anna turns 30");
        EXPECT_NE(DayTooltip(calendar, "12").find("Anna turns 30"), std::string::npos);
        ASSERT_TRUE(calendar.Close());
    }
    ASSERT_EQ(ReadText(dayFile), "Anna turns 30\r\n");
    ASSERT_TRUE(Exists(folder + "calendar.ini"));
    const std::string settings = ReadText(folder + "calendar.ini");

    // The same package once more replaces the installation: still one entry, data kept.
    EXPECT_EQ(Msiexec("/i \"" + package + "\" /qn"), 0u);
    EXPECT_EQ(InstalledEntries(), std::vector<std::string>{version});
    EXPECT_EQ(ReadText(dayFile), "Anna turns 30\r\n");

    // The upgrade, this time starting with Windows: the new version in place of the old.
    EXPECT_EQ(Msiexec("/i \"" + newer + "\" /qn STARTWITHWINDOWS=1"), 0u);
    EXPECT_EQ(InstalledEntries(), std::vector<std::string>{newerVersion});
    EXPECT_EQ(FileVersion(folder + "Calendar.exe"), newerVersion);
    EXPECT_EQ(FileVersion(folder + "TOOLS.DLL"), newerVersion);
    EXPECT_TRUE(Exists(startMenu));
    EXPECT_TRUE(Exists(startup));
    EXPECT_EQ(ReadText(dayFile), "Anna turns 30\r\n");
    EXPECT_EQ(ReadText(folder + "calendar.ini"), settings);
    {
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        EXPECT_NE(DayTooltip(calendar, "12").find("Anna turns 30"), std::string::npos);
        ASSERT_TRUE(calendar.Close());
    }

    // An older package does not replace a newer installation.
    EXPECT_NE(Msiexec("/i \"" + package + "\" /qn"), 0u);
    EXPECT_EQ(FileVersion(folder + "Calendar.exe"), newerVersion);

    ASSERT_EQ(Msiexec("/x \"" + newer + "\" /qn"), 0u);
    for (const char* file : programFiles)
        EXPECT_FALSE(Exists(folder + file)) << file;
    EXPECT_FALSE(Exists(startMenu));
    EXPECT_FALSE(Exists(startup));
    EXPECT_TRUE(InstalledEntries().empty());
    EXPECT_EQ(ReadText(dayFile), "Anna turns 30\r\n");
    EXPECT_TRUE(Exists(folder + "calendar.ini"));
}
} // namespace

namespace {
// The portable zip unzipped into a folder of the user's (VELMORA_PORTABLE_FOLDER): the program
// runs from there as it is and keeps its settings and reminders in that folder.
TEST(InstallTest, TheUnzippedPortableFolderRunsAsItIsAndKeepsItsDataThere) {
    std::string folder = Environment("VELMORA_PORTABLE_FOLDER");
    ASSERT_FALSE(folder.empty()) << "run through tests/package/install-test.sh";
    if (folder.back() != '\\') folder += '\\';
    for (const char* file : {"Calendar.exe", "TOOLS.DLL", "readme.txt", "Tools.NLD"})
        EXPECT_TRUE(Exists(folder + file)) << file;
    {
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        AddReminderFromTheMenu(calendar, "20", "Pick up the bike");
        ASSERT_TRUE(calendar.Close());
    }
    EXPECT_EQ(ReadText(folder + DayFileOfThisMonth(20)), "Pick up the bike\r\n");
    EXPECT_TRUE(Exists(folder + "calendar.ini"));
}
} // namespace
