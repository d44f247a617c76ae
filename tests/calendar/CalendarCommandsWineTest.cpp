// The window's popup menu and commands, against a stand-in TOOLS.DLL that records what it is
// asked and plays the dialogs: which day the editor opens on, how often the options are
// re-applied, what an open dialog lives through, and closing from the menu and the keyboard.
#include "CalendarDriver.h"
#include "wine/ScreenCapture.h"

#include "DateUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {
// The day the program is told it is, through the clock's test hook, at 10:30.
double Today() {
    return EncodeDate(2007, 3, 5);
}
double TestNow() {
    return EncodeDate(2007, 3, 5) + 10.5 / 24;
}

std::string DayText(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

double DayOfNextMonth(int day) {
    int year, month, ignored;
    DecodeDate(Today(), &year, &month, &ignored);
    return month == 12 ? EncodeDate(year + 1, 1, day) : EncodeDate(year, month + 1, day);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The calls recorded after the first line that starts with the marker.
std::vector<std::string> CallsAfter(const std::vector<std::string>& calls,
                                    const std::string& marker) {
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].rfind(marker, 0) == 0)
            return std::vector<std::string>(calls.begin() + i + 1, calls.end());
    return {};
}

const int editReminders = 1, options = 2;

class CalendarCommandsTest : public testing::Test {
  protected:
    void SetUp() override {
        char now[64];
        std::snprintf(now, sizeof now, "%.6f", TestNow());
        SetEnvironmentVariableA("VELMORA_NOW", now);
    }
    void TearDown() override { SetEnvironmentVariableA("VELMORA_NOW", nullptr); }
    // A folder for one run: the stand-in appends to calls.txt, which a folder keeps.
    static TCalendarFolder Folder(const std::string& name, const std::string& recording) {
        TCalendarFolder folder(name);
        folder.WriteFile("calls.txt", "");
        folder.WriteFile("recording.ini", recording);
        return folder;
    }

    // Waits until the stand-in has recorded a line starting with the text.
    bool WaitForCall(const TCalendarFolder& folder, const std::string& text) {
        for (int attempt = 0; attempt < 250; ++attempt) {
            for (const std::string& line : Lines(folder.ReadFile("calls.txt")))
                if (line.rfind(text, 0) == 0)
                    return true;
            Sleep(20);
        }
        return false;
    }
    // Waits until the program is back in its own message loop and the display has caught up
    // with the windows the stand-in's dialog showed and hid, whose focus changes would
    // otherwise reach the next menu late and close it.
    void Settle(const TCalendarProcess& calendar) {
        calendar.DisplayDate();
        Sleep(300);
    }
    void Choose(TCalendarProcess& calendar, int downPresses) {
        HWND menu = calendar.WaitForPopupMenu();
        ASSERT_NE(menu, nullptr);
        calendar.ChooseFromMenu(menu, downPresses);
    }
};

TEST_F(CalendarCommandsTest, EditRemindersOpensOnTheDayThatWasRightClicked) {
    const TCalendarFolder folder = Folder("edit-reminders", "[AddEntry]\r\ntimer=1\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_EQ(calendar.PopupItems(),
              (std::vector<std::string>{"Edit Reminders", "Options", "Import Calendar...",
                                        "Export Calendar...", "Read Me", "-", "Close"}));

    // The 12th of next month, right-clicked; the minute timer takes the window back to this
    // month while the menu is open; the editor still opens on the day that was clicked.
    calendar.Click(calendar.Control("MonthNextButton"));
    calendar.RightClick(calendar.CellWithCaption("12"));
    ASSERT_NE(calendar.WaitForPopupMenu(), nullptr);
    calendar.FireTimer(1);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), Today());
    Choose(calendar, editReminders);
    ASSERT_TRUE(WaitForCall(folder, "AddEntry after-timer"));
    std::vector<std::string> calls = Lines(folder.ReadFile("calls.txt"));
    EXPECT_EQ(CallsAfter(calls, "GetOptions").front(), "AddEntry " + DayText(DayOfNextMonth(12)));
    // A layout inside the editor leaves the editor active and its library loaded.
    EXPECT_EQ(CallsAfter(calls, "AddEntry 2").front(), "AddEntry after-timer active=1 loaded=1");
    Settle(calendar);

    // The day is used up: from a navigation button's menu the editor opens on the shown day.
    calendar.Click(calendar.CellWithCaption("15"));
    calendar.RightClick(calendar.Control("TodayButton"));
    Choose(calendar, editReminders);
    ASSERT_TRUE(WaitForCall(folder, "AddEntry " + DayText(std::floor(calendar.DisplayDate()))));
    Settle(calendar);

    // A right click on day 3 that was never used is what a navigation button's menu opens.
    calendar.RightClick(calendar.CellWithCaption("3"));
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    calendar.RightClick(calendar.Control("YearBackButton"));
    Choose(calendar, editReminders);
    int year, month, day;
    DecodeDate(calendar.DisplayDate(), &year, &month, &day);
    EXPECT_TRUE(WaitForCall(folder, "AddEntry " + DayText(EncodeDate(year, month, 3))));
    ASSERT_TRUE(calendar.Close());
}

TEST_F(CalendarCommandsTest, OptionsAreReappliedAfterEveryAcceptAndOnceMoreAfterOk) {
    struct TCase {
        const char* Name;
        int Accepts;
        int Result;
        std::vector<std::string> Applies; // GetOptions calls after ShowOptions
    };
    const TCase cases[] = {
        {"apply-apply-ok",
         3,
         1,
         {"GetOptions fontsize=14", "GetOptions fontsize=18", "GetOptions fontsize=22",
          "GetOptions fontsize=22"}},
        {"cancel", 0, 2, {}},
        {"apply-then-cancel", 1, 2, {"GetOptions fontsize=14"}},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        const TCalendarFolder folder = Folder(
            test.Name, "[ShowOptions]\r\ntimer=1\r\naccepts=" + std::to_string(test.Accepts) +
                           "\r\nresult=" + std::to_string(test.Result) + "\r\n");
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        // A month away from today, so the timer inside the dialog lays the window out anew.
        calendar.Click(calendar.Control("MonthNextButton"));
        SetWindowPos(calendar.Window(), nullptr, 70, 60, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        calendar.RightClick(calendar.Control("MonthNextButton"));
        Choose(calendar, options);
        ASSERT_TRUE(WaitForCall(folder, "ShowOptions after-timer"));
        Settle(calendar);
        const RECT before = calendar.WindowRect();
        ASSERT_TRUE(calendar.Close());
        std::vector<std::string> calls = Lines(folder.ReadFile("calls.txt"));
        // The dialog saves with the window's current place.
        EXPECT_EQ(CallsAfter(calls, "GetOptions").front(), "SetOptions 60 70");
        std::vector<std::string> afterShow = CallsAfter(calls, "ShowOptions");
        ASSERT_FALSE(afterShow.empty());
        EXPECT_EQ(afterShow.front(), "ShowOptions after-timer active=1 loaded=1");
        std::vector<std::string> applies, heights;
        for (const std::string& call : afterShow) {
            if (call.rfind("GetOptions", 0) == 0)
                applies.push_back(call);
            if (call.rfind("accepted", 0) == 0)
                heights.push_back(call.substr(call.find("height=") + 7));
        }
        EXPECT_EQ(applies, test.Applies);
        // Each accepted font size shows at once in the window's size.
        for (size_t i = 1; i < heights.size(); ++i)
            EXPECT_GT(std::stoi(heights[i]), std::stoi(heights[i - 1]));
        if (!heights.empty()) {
            EXPECT_EQ(before.bottom - before.top, std::stoi(heights.back()));
        }
    }
}

// Enter and Space open the editor on the day the keys selected, as Edit Reminders would.
TEST_F(CalendarCommandsTest, EnterAndSpaceOpenTheEditorOnTheSelectedDay) {
    const TCalendarFolder folder = Folder("keys-edit", "");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    SendMessageA(calendar.Window(), WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageA(calendar.Window(), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(WaitForCall(folder, "AddEntry " + DayText(Today() + 1)));
    Settle(calendar);
    SendMessageA(calendar.Window(), WM_KEYDOWN, VK_NEXT, 1);
    PostMessageA(calendar.Window(), WM_KEYDOWN, VK_SPACE, 1);
    ASSERT_TRUE(WaitForCall(folder, "AddEntry " + DayText(DayOfNextMonth(6))));
    ASSERT_TRUE(calendar.Close());
}

// Week numbers switched on and off by Apply: the window grows and shrinks at its left, so
// the grid stays at the place the settings give, whatever the font does to the cells.
TEST_F(CalendarCommandsTest, WeekNumbersSwitchedByApplyLeaveTheGridInItsPlace) {
    const TCalendarFolder folder =
        Folder("week-numbers-applied",
               "[ShowOptions]\r\naccepts=3\r\nresult=2\r\ntoggleweeknumbers=1\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.RightClick(calendar.Control("MonthNextButton"));
    Choose(calendar, options);
    ASSERT_TRUE(WaitForCall(folder, "accepted 3"));
    Settle(calendar);
    std::vector<std::string> grids, columns;
    for (const std::string& call : CallsAfter(Lines(folder.ReadFile("calls.txt")), "ShowOptions")) {
        if (call.rfind("accepted", 0) != 0)
            continue;
        grids.push_back(
            call.substr(call.find("grid=") + 5, call.find(" column=") - call.find("grid=") - 5));
        columns.push_back(call.substr(call.find("column=") + 7));
    }
    // The stand-in's stored place is left=50.
    EXPECT_EQ(grids, (std::vector<std::string>{"50", "50", "50"}));
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_GT(std::stoi(columns[0]), 0);
    EXPECT_EQ(columns[1], "0");
    EXPECT_GT(std::stoi(columns[2]), std::stoi(columns[0])); // a larger font, a wider column
    ASSERT_TRUE(calendar.Close());
}

TEST_F(CalendarCommandsTest, AFailureTheLibraryReportedIsShownOnceAndTheWindowStaysUsable) {
    const TCalendarFolder folder = Folder("failed-dialog", "[ShowOptions]\r\nfail=1\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.RightClick(calendar.Control("TodayButton"));
    Choose(calendar, options);
    EXPECT_EQ(calendar.DismissErrorBoxes(2000), 1);
    Settle(calendar);
    // Nothing re-applied, the menu's commands enabled again, the buttons still answer.
    calendar.RightClick(calendar.Control("TodayButton"));
    Choose(calendar, options);
    EXPECT_EQ(calendar.DismissErrorBoxes(2000), 1);
    const double before = calendar.DisplayDate();
    calendar.Click(calendar.Control("MonthNextButton"));
    EXPECT_GT(calendar.DisplayDate(), before + 27);
    ASSERT_TRUE(calendar.Close());
    const std::vector<std::string> calls = Lines(folder.ReadFile("calls.txt"));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "ShowOptions"), 2);
    EXPECT_EQ(
        std::count_if(calls.begin(), calls.end(),
                      [](const std::string& call) { return call.rfind("GetOptions", 0) == 0; }),
        1);
}

// A library without the calendar-file exports: their menu items do nothing, as for every
// missing export, and the window goes on as before.
TEST_F(CalendarCommandsTest, CalendarFileItemsAreSkippedWithoutTheirExports) {
    const TCalendarFolder folder = Folder("no-calendar-files", "");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    for (int item : {3, 4}) {
        calendar.RightClick(calendar.Control("TodayButton"));
        Choose(calendar, item);
        Settle(calendar);
    }
    EXPECT_EQ(calendar.DismissErrorBoxes(500), 0);
    calendar.RightClick(calendar.Control("TodayButton"));
    Choose(calendar, options);
    EXPECT_TRUE(WaitForCall(folder, "ShowOptions"));
    ASSERT_TRUE(calendar.Close());
}

TEST_F(CalendarCommandsTest, AClosingWindowWaitsForTheOpenDialog) {
    const TCalendarFolder folder =
        Folder("close-during-dialog", "[ShowOptions]\r\nclose=1\r\nresult=2\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.RightClick(calendar.Control("TodayButton"));
    Choose(calendar, options);
    // The program ends once the dialog has returned, saving its position then.
    ASSERT_TRUE(calendar.WaitForExit(10000));
    const std::vector<std::string> afterShow =
        CallsAfter(Lines(folder.ReadFile("calls.txt")), "ShowOptions");
    ASSERT_EQ(afterShow.size(), 2u);
    EXPECT_EQ(afterShow[0], "ShowOptions after-close window=1");
    EXPECT_EQ(afterShow[1].rfind("SetOptions ", 0), 0u);
}

TEST_F(CalendarCommandsTest, TheKeyboardOpensTheMenuAtTheSelectedDayAndCloseEndsTheProgram) {
    const TCalendarFolder folder = Folder("keyboard", "");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.Click(calendar.CellWithCaption("15"));
    const double selected = std::floor(calendar.DisplayDate());

    // The menu key: the menu comes up below the selected day, and Edit Reminders opens it.
    PostMessageA(calendar.Window(), WM_KEYDOWN, VK_APPS, 0);
    PostMessageA(calendar.Window(), WM_KEYUP, VK_APPS, 0xC0000001);
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    RECT menuBounds, cell;
    GetWindowRect(menu, &menuBounds);
    GetWindowRect(calendar.CellWithCaption("15"), &cell);
    EXPECT_EQ(menuBounds.left, cell.left);
    EXPECT_EQ(menuBounds.top, cell.bottom);
    calendar.ChooseFromMenu(menu, editReminders);
    ASSERT_TRUE(WaitForCall(folder, "AddEntry " + DayText(selected)));
    Settle(calendar);

    // Shift+F10 as typed, to the window in the foreground; Up reaches Close.
    SetForegroundWindow(calendar.Window());
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_SHIFT, VK_F10, VK_F10, VK_SHIFT};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof keys[0]);
    menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(calendar.WaitForExit(10000));
    EXPECT_TRUE(WaitForCall(folder, "SetOptions "));
}
} // namespace

namespace {
// With VELMORA_SCREENSHOTS naming a folder, the area is kept there as a BMP file.
void KeepPicture(const std::string& name, const RECT& area) {
    char folder[MAX_PATH] = "";
    if (GetEnvironmentVariableA("VELMORA_SCREENSHOTS", folder, sizeof folder))
        SaveScreenArea(std::string(folder) + "\\" + name + ".bmp", area.left, area.top,
                       area.right - area.left, area.bottom - area.top);
}

// An Apply that moves the cells and changes their frames leaves the window exactly as a
// fresh start with the applied options paints it: no old digits, no broken frame.
TEST_F(CalendarCommandsTest, AfterApplyTheWindowIsPaintedAsAFreshStartWouldPaintIt) {
    struct TCase {
        const char* Name;
        const char* Before;  // [options] at the start
        const char* Applied; // what the dialog's Apply changes
        const char* Fresh;   // the same options for a fresh start
    };
    const TCase cases[] = {
        {"apply-spacing-and-coding", "hspacing=4\r\ncolourcoding=1\r\n",
         "hspacing=24\r\ncolourcoding=0\r\n", "fontsize=14\r\nhspacing=24\r\ncolourcoding=0\r\n"},
        {"apply-spacing-day-borders", "hspacing=24\r\ncolourcoding=1\r\n", "hspacing=2\r\n",
         "fontsize=14\r\nhspacing=2\r\ncolourcoding=1\r\n"},
    };
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        const TCalendarFolder applied =
            Folder(std::string(test.Name) + "-applied",
                   std::string("[options]\r\n") + test.Before +
                       "[ShowOptions]\r\naccepts=1\r\nresult=2\r\n" + test.Applied);
        std::vector<COLORREF> afterApply;
        RECT area = {};
        {
            TCalendarProcess calendar(applied);
            ASSERT_TRUE(calendar.Start());
            Settle(calendar);
            // From the keyboard, so no button is left looking pointed at.
            PostMessageA(calendar.Window(), WM_KEYUP, VK_APPS, 0);
            Choose(calendar, options);
            ASSERT_TRUE(WaitForCall(applied, "accepted 1"));
            Settle(calendar);
            area = calendar.WindowRect();
            afterApply = ScreenPixels(area);
            KeepPicture(std::string(test.Name) + "-after-apply", area);
            ASSERT_TRUE(calendar.Close());
        }
        const TCalendarFolder fresh =
            Folder(std::string(test.Name) + "-fresh", std::string("[options]\r\n") + test.Fresh);
        TCalendarProcess calendar(fresh);
        ASSERT_TRUE(calendar.Start());
        Settle(calendar);
        const RECT freshArea = calendar.WindowRect();
        EXPECT_EQ(freshArea.right - freshArea.left, area.right - area.left);
        EXPECT_EQ(freshArea.bottom - freshArea.top, area.bottom - area.top);
        const std::vector<COLORREF> freshStart = ScreenPixels(area);
        KeepPicture(std::string(test.Name) + "-fresh-start", area);
        ASSERT_TRUE(calendar.Close());
        ASSERT_EQ(afterApply.size(), freshStart.size());
        size_t differing = 0;
        for (size_t i = 0; i < afterApply.size(); ++i)
            if (afterApply[i] != freshStart[i])
                ++differing;
        EXPECT_EQ(differing, 0u) << "of " << afterApply.size() << " pixels";
    }
}
} // namespace
