// Calendar.exe with the real TOOLS.DLL, as a user adds a reminder: a right click on day 12,
// "Edit Reminders", the editor driven from outside (Add, a description, a type, OK), then the
// 12th in the type's colour and in Coming Up, and "Close" ending the program with its place
// saved.
#include "CalendarDriver.h"
#include "wine/ScreenCapture.h"

#include "DateUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
const COLORREF red = RGB(255, 0, 0);
double TestNow() {
    return EncodeDate(2007, 3, 5) + 10.5 / 24;
}

// The program's visible top-level window of the class, waited for up to ten seconds.
HWND WaitForWindow(HWND calendar, const char* className) {
    DWORD process = 0;
    GetWindowThreadProcessId(calendar, &process);
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (HWND found = FindProcessWindow(process, className))
            return found;
        Sleep(20);
    }
    return nullptr;
}

// With VELMORA_SCREENSHOTS naming a folder, the screen is kept there at each
// step as a BMP file, for the pictures of the documentation.
void Snapshot(const char* name) {
    char folder[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("VELMORA_SCREENSHOTS", folder, sizeof folder))
        return;
    Sleep(400); // let the display catch up with what was just drawn
    SaveScreenArea(std::string(folder) + "\\" + name + ".bmp", 0, 0, GetSystemMetrics(SM_CXSCREEN),
                   GetSystemMetrics(SM_CYSCREEN));
}

class CalendarEndToEndTest : public testing::Test {
  protected:
    void SetUp() override {
        char now[64];
        std::snprintf(now, sizeof now, "%.6f", TestNow());
        SetEnvironmentVariableA("VELMORA_NOW", now);
    }
    void TearDown() override { SetEnvironmentVariableA("VELMORA_NOW", nullptr); }
};

TEST_F(CalendarEndToEndTest, AReminderAddedFromTheMenuShowsInItsTypesColourAndInComingUp) {
    TCalendarFolder folder("add-from-menu");
    folder.WriteFile("calendar.ini",
                     "[options]\r\ntop=40\r\nleft=50\r\nfontsize=10\r\nlistcount=3\r\n"
                     "firstday=1\r\n[eventtypes]\r\nBirthday=255\r\nWork=33023\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    HWND twelfth = calendar.CellWithCaption("12");
    ASSERT_NE(calendar.FontColor(twelfth), red);
    EXPECT_TRUE(calendar.ComingUpLines().empty());

    calendar.RightClick(twelfth);
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    Snapshot("add-reminder-1-menu");
    calendar.ChooseFromMenu(menu, 0);
    HWND editor = WaitForWindow(calendar.Window(), "TCalendarEntriesForm");
    ASSERT_NE(editor, nullptr);
    Snapshot("add-reminder-2-editor");

    HWND add = FormControl(editor, "Button", "&Add");
    ASSERT_NE(add, nullptr);
    SendMessageA(add, BM_CLICK, 0, 0);
    HWND description = FormControl(editor, "Edit");
    ASSERT_NE(description, nullptr);
    SendMessageA(description, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Anna turns 30"));
    HWND type = FormControl(editor, "ComboBox");
    ASSERT_NE(type, nullptr);
    ASSERT_NE(SendMessageA(type, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("Birthday")),
              CB_ERR);
    SendMessageA(editor, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(type), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(type));
    Snapshot("add-reminder-3-typed");
    PostMessageA(FormControl(editor, "Button", "OK"), BM_CLICK, 0, 0);
    for (int attempt = 0; attempt < 250 && IsWindow(editor); ++attempt)
        Sleep(20);
    ASSERT_FALSE(IsWindow(editor));
    calendar.DisplayDate(); // back in the program's own loop: the month is laid out again

    EXPECT_EQ(folder.ReadFile("data\\2007-03-12.txt"), "{Birthday}Anna turns 30\r\n");
    EXPECT_EQ(calendar.FontColor(calendar.CellWithCaption("12")), red);
    const std::vector<std::string> lines = calendar.ComingUpLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "3/12 Anna turns 30");
    EXPECT_EQ(calendar.ComingUpColours().at(0), red);
    Snapshot("add-reminder-4-done");

    // "Close" ends the program, which saves where it was moved to.
    SetWindowPos(calendar.Window(), nullptr, 120, 90, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    calendar.RightClick(calendar.Control("TodayButton"));
    menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(calendar.WaitForExit(10000));
    EXPECT_EQ(folder.ReadSetting("options", "top"), "90");
    EXPECT_EQ(folder.ReadSetting("options", "left"), "120");
    EXPECT_EQ(folder.ReadSetting("eventtypes", "Birthday"), "255");
}
TEST_F(CalendarEndToEndTest, OptionsFromTheMenuAreReappliedAfterEachApplyAndAfterOk) {
    TCalendarFolder folder("options-from-menu");
    folder.WriteFile("calendar.ini",
                     "[options]\r\ntop=40\r\nleft=50\r\nfontsize=10\r\nlistcount=3\r\n"
                     "firstday=1\r\n[eventtypes]\r\nBirthday=255\r\n");
    HMODULE tools = LoadLibraryA((folder.Path() + "TOOLS.DLL").c_str());
    ASSERT_NE(tools, nullptr);
    const bool hasOptions = GetProcAddress(tools, "ShowOptions") != nullptr;
    FreeLibrary(tools);
    if (!hasOptions)
        GTEST_SKIP() << "this TOOLS.DLL has no options dialog yet";

    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    const int appliedAtStart = calendar.OptionsApplied();
    std::vector<LONG> heights = {calendar.WindowRect().bottom - calendar.WindowRect().top};
    calendar.RightClick(calendar.CellWithCaption("12"));
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    calendar.ChooseFromMenu(menu, 2);
    HWND options = WaitForWindow(calendar.Window(), "TOptionsForm");
    ASSERT_NE(options, nullptr);
    Snapshot("options-1-dialog");

    // The font size in its spin edit, then Apply: the window takes each size at once.
    for (const char* size : {"14", "18"}) {
        HWND spin = FormControl(options, "TSpinEdit");
        ASSERT_NE(spin, nullptr);
        HWND number = FindWindowExA(spin, nullptr, "Edit", nullptr);
        ASSERT_NE(number, nullptr);
        SendMessageA(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(size));
        HWND apply = FormControl(options, "Button", "A&pply");
        ASSERT_NE(apply, nullptr);
        for (int attempt = 0; attempt < 100 && !IsWindowEnabled(apply); ++attempt)
            Sleep(20);
        ASSERT_TRUE(IsWindowEnabled(apply)) << "Apply stays disabled after a new font size";
        SendMessageA(apply, BM_CLICK, 0, 0);
        heights.push_back(calendar.WindowRect().bottom - calendar.WindowRect().top);
    }
    PostMessageA(FormControl(options, "Button", "OK"), BM_CLICK, 0, 0);
    for (int attempt = 0; attempt < 250 && IsWindow(options); ++attempt)
        Sleep(20);
    ASSERT_FALSE(IsWindow(options));
    // Two Apply clicks and OK accepted three times, and the window applied them once more.
    EXPECT_EQ(calendar.OptionsApplied(), appliedAtStart + 4);
    EXPECT_LT(heights[0], heights[1]);
    EXPECT_LT(heights[1], heights[2]);
    EXPECT_EQ(calendar.WindowRect().bottom - calendar.WindowRect().top, heights[2]);
    EXPECT_EQ(folder.ReadSetting("options", "fontsize"), "18");
    ASSERT_TRUE(calendar.Close());
}
} // namespace
