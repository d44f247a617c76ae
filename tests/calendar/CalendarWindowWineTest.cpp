// Calendar.exe as a person meets it: started on a folder of settings and reminders, looked at
// through its own window (cells, colours, Coming Up lines), clicked, and closed.
#include "CalendarDriver.h"

#include "DateUtils.h"
#include "WinHandles.h"
#include "WindowQueries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {
const COLORREF keyColour = RGB(0xC9, 0xC0, 0xC0);
const COLORREF white = RGB(255, 255, 255);
const COLORREF red = RGB(255, 0, 0);
const COLORREF green = RGB(0, 255, 0);

// The day the program is told it is (through the clock's test hook), at 10:30, so that every
// check runs whatever day the tests run on. A Monday early in a 31-day month, whose next
// month has the 12th, 20th and 25th apart from the selected 5th.
double Today() { return EncodeDate(2007, 3, 5); }
double TestNow() {
    return EncodeDate(2007, 3, 5) + 10.5 / 24;
}

double FirstOfNextMonth() {
    int year, month, day;
    DecodeDate(Today(), &year, &month, &day);
    return month == 12 ? EncodeDate(year + 1, 1, 1) : EncodeDate(year, month + 1, 1);
}

int YearOf(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    return year;
}
int MonthOf(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    return month;
}

// The date text of a Coming Up line in the default month/day short date.
std::string ShortDate(double date) {
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    return std::to_string(month) + "/" + std::to_string(day);
}

std::string Options(const std::string& extra) {
    return "[options]\r\ntop=40\r\nleft=50\r\nfontsize=10\r\nlistcount=3\r\n" + extra +
           "[eventtypes]\r\nBirthday=255\r\nHoliday=65280\r\n";
}

// Reminders of three kinds: the next three days for the Coming Up list, and in the next
// month a birthday with a second reminder on the 12th and a yearly holiday on the 20th.
void WriteReminders(const TCalendarFolder& folder) {
    const double today = Today();
    folder.WriteDayFile(today + 1, {"{Birthday}Cake for Anna"});
    folder.WriteDayFile(today + 2, {"Dentist"});
    folder.WriteDayFile(today + 3, {"{Holiday}Trip|2 bags to pack"});
    const double next = FirstOfNextMonth();
    folder.WriteDayFile(next + 11, {"{Birthday}Anna turns 30", "R&D review"});
    folder.WriteRegularFile({{EncodeDate(YearOf(next) - 1, MonthOf(next), 20), "{Holiday}Beach day", 5}});
}

class CalendarWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        char format[80] = "";
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format, sizeof format);
        ASSERT_STREQ(format, "M/d/yyyy") << "the expectations are written for the default locale";
        char now[64];
        std::snprintf(now, sizeof now, "%.6f", TestNow());
        SetEnvironmentVariableA("VELMORA_NOW", now);
    }
    void TearDown() override { SetEnvironmentVariableA("VELMORA_NOW", nullptr); }

    // Every cell's caption as the month starting at firstOfMonth should number it.
    void ExpectNumbering(const TCalendarProcess& calendar, double firstOfMonth, int firstday) {
        int firstCell = DayOfWeek(firstOfMonth) - (firstday - 1);
        if (firstCell < 1) firstCell += 7;
        const int length = DaysInMonth(YearOf(firstOfMonth), MonthOf(firstOfMonth));
        for (int n = 1; n <= 42; ++n) {
            const int day = n - firstCell + 1;
            const std::string expected = day >= 1 && day <= length ? std::to_string(day) : "";
            HWND cell = calendar.Control("VrHyperButton" + std::to_string(n));
            ASSERT_NE(cell, nullptr) << n;
            EXPECT_EQ(calendar.Caption(cell), expected) << "cell " << n;
        }
    }
};

TEST_F(CalendarWindowTest, DayNumbersModeWithSundayFirst) {
    TCalendarFolder folder("day-numbers");
    folder.WriteFile("calendar.ini", Options("firstday=1\r\ncolourcoding=0\r\nvspacing=20\r\n"));
    WriteReminders(folder);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_EQ(calendar.ErrorBoxes(), 0);

    // Placed where the settings say, today selected.
    EXPECT_EQ(calendar.WindowRect().left, 50);
    EXPECT_EQ(calendar.WindowRect().top, 40);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), Today());
    int year, month, day;
    DecodeDate(Today(), &year, &month, &day);
    ExpectNumbering(calendar, EncodeDate(year, month, 1), 1);
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption(std::to_string(day))), white);

    // Coming Up: colours of the types, untyped in the window's colour, and the continuation
    // line indented by its date text and keeping the digits it begins with.
    const std::vector<std::string> lines = calendar.ComingUpLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], ShortDate(Today() + 1) + " Cake for Anna");
    EXPECT_EQ(lines[1], ShortDate(Today() + 2) + " Dentist");
    EXPECT_EQ(lines[2], ShortDate(Today() + 3) + " Trip");
    EXPECT_EQ(lines[3], std::string(ShortDate(Today() + 3).size() + 1, ' ') + "2 bags to pack");
    const std::vector<COLORREF> colours = calendar.ComingUpColours();
    EXPECT_EQ(colours, (std::vector<COLORREF>{red, white, green, green}));

    // The navigation buttons draw symbol glyphs; screen readers and automation read what
    // each does.
    const std::pair<const char*, const char*> named[] = {
        {"YearBackButton", "Previous year"}, {"MonthBackButton", "Previous month"},
        {"TodayButton", "Today"},            {"MonthNextButton", "Next month"},
        {"YearNextButton", "Next year"}};
    for (const auto& [name, text] : named)
        EXPECT_EQ(calendar.Caption(calendar.Control(name)), text);

    // A click at the very top of the first line jumps to that line's date, also with cells
    // much taller than 24 pixels.
    HWND today = calendar.Control("TodayButton");
    const RECT navigation = calendar.ControlRect(today);
    ASSERT_GT(navigation.bottom - navigation.top, 40);
    calendar.ClickWindow(5, navigation.bottom + 1);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), Today() + 1);
    const RECT window = calendar.WindowRect();
    const int lineHeight = (window.bottom - window.top - navigation.bottom) / 3;
    calendar.ClickWindow(5, navigation.bottom + 2 * lineHeight + 1);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), Today() + 3);
    // The list now starts with that day; its second line continues the reminder, is no
    // date, and changes nothing.
    ASSERT_EQ(calendar.ComingUpLines().at(1), lines[3]);
    calendar.ClickWindow(5, navigation.bottom + lineHeight + 1);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), Today() + 3);

    // Next month: the typed reminder colours its number, the frame stays invisible.
    calendar.Click(today);
    calendar.Click(calendar.Control("MonthNextButton"));
    const double next = FirstOfNextMonth();
    ExpectNumbering(calendar, next, 1);
    HWND twelfth = calendar.CellWithCaption("12");
    EXPECT_EQ(calendar.FontColor(twelfth), red);
    EXPECT_EQ(calendar.BorderColor(twelfth), keyColour);
    EXPECT_EQ(calendar.FontColor(calendar.CellWithCaption("20")), green);
    EXPECT_EQ(calendar.FontColor(calendar.CellWithCaption("25")), white);

    // Pointing at the 12th gives it the day's reminders as typed, without colours.
    SendMessageA(twelfth, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    const std::string hint = calendar.Hint(twelfth);
    EXPECT_NE(hint.find("\r\nAnna turns 30\r\nR&D review"), std::string::npos) << hint;
    EXPECT_EQ(hint.find('{'), std::string::npos) << hint;
    EXPECT_EQ(calendar.Hint(calendar.Control("YearBackButton")), "Previous year");

    // The minute timer brings the window back to today.
    calendar.FireTimer(1);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), Today());
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption(std::to_string(day))), white);

    // Closing stores where the window was moved to.
    SetWindowPos(calendar.Window(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(calendar.Close());
    EXPECT_EQ(folder.ReadSetting("options", "top"), "90");
    EXPECT_EQ(folder.ReadSetting("options", "left"), "120");
    EXPECT_EQ(folder.ReadSetting("eventtypes", "Birthday"), "255");
}

TEST_F(CalendarWindowTest, DayBordersModeWithMondayFirst) {
    TCalendarFolder folder("day-borders");
    folder.WriteFile("calendar.ini", Options("firstday=2\r\ncolourcoding=1\r\n"));
    WriteReminders(folder);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.Click(calendar.Control("MonthNextButton"));
    ExpectNumbering(calendar, FirstOfNextMonth(), 2);
    int year, month, day;
    DecodeDate(calendar.DisplayDate(), &year, &month, &day);
    // The typed day shows a frame of its colour; the selected day keeps its white one.
    HWND twelfth = calendar.CellWithCaption("12");
    ASSERT_EQ(day, 5);
    EXPECT_EQ(calendar.BorderColor(twelfth), red);
    EXPECT_EQ(calendar.FontColor(twelfth), white);
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("20")), green);
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("5")), white);
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("25")), keyColour);
    ASSERT_TRUE(calendar.Close());
}

TEST_F(CalendarWindowTest, MonthStepsRememberTheDayAShortMonthCutOff) {
    TCalendarFolder folder("remembered-day");
    folder.WriteFile("calendar.ini", Options(""));
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    HWND back = calendar.Control("MonthBackButton");
    for (int step = 0; step < 12 && MonthOf(calendar.DisplayDate()) != 1; ++step) calendar.Click(back);
    ASSERT_EQ(MonthOf(calendar.DisplayDate()), 1);
    const int year = YearOf(calendar.DisplayDate());
    calendar.Click(calendar.CellWithCaption("31"));
    HWND next = calendar.Control("MonthNextButton");
    calendar.Click(next);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), EncodeDate(year, 2, DaysInMonth(year, 2)));
    calendar.Click(next);
    EXPECT_EQ(std::floor(calendar.DisplayDate()), EncodeDate(year, 3, 31));
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("31")), white);
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("30")), keyColour);
    // Blank cells do nothing when clicked.
    calendar.Click(calendar.Control("VrHyperButton42"));
    EXPECT_EQ(std::floor(calendar.DisplayDate()), EncodeDate(year, 3, 31));
    ASSERT_TRUE(calendar.Close());
}

TEST_F(CalendarWindowTest, ComingUpIsAskedForOncePerLayout) {
    TCalendarFolder folder("coming-up-once");
    folder.WriteFile("calendar.ini", Options(""));
    // A reminder file far ahead that the program cannot open makes every Coming Up query fail.
    const double later = EncodeDate(YearOf(Today()) + 1, 6, 1);
    folder.WriteDayFile(later, {"Locked"});
    char name[64];
    std::snprintf(name, sizeof name, "data\\%04d-06-01.txt", YearOf(later));
    KernelHandle locked(
        CreateFileA((folder.Path() + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);

    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.DismissErrorBoxes(1500);
    EXPECT_EQ(calendar.ErrorBoxes(), 1) << calendar.LastErrorText();
    EXPECT_EQ(calendar.ComingUpFetches(), 1);
    EXPECT_TRUE(calendar.ComingUpLines().empty());
    RedrawWindow(calendar.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    calendar.DismissErrorBoxes(500);
    EXPECT_EQ(calendar.ErrorBoxes(), 1);

    // A new layout asks again, once; the file, unchanged, is not told about again.
    PostMessageA(calendar.Control("MonthNextButton"), BM_CLICK, 0, 0);
    calendar.DismissErrorBoxes(1500);
    EXPECT_EQ(calendar.ErrorBoxes(), 1);
    EXPECT_EQ(calendar.ComingUpFetches(), 2);
    locked.Reset();
    ASSERT_TRUE(calendar.Close());
}

TEST_F(CalendarWindowTest, AnEmptyComingUpListIsNotAskedForAtEveryPaint) {
    TCalendarFolder folder("coming-up-empty");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_TRUE(calendar.ComingUpLines().empty());
    for (int paint = 0; paint < 3; ++paint)
        RedrawWindow(calendar.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(calendar.ComingUpFetches(), 1);
    ASSERT_TRUE(calendar.Close());
    // On a first start the store is created with the window's place in it.
    EXPECT_NE(folder.ReadSetting("options", "top"), "<missing>");
}

TEST_F(CalendarWindowTest, ABadSettingIsReportedOnceAndTheOtherSettingsSurvive) {
    TCalendarFolder folder("bad-setting");
    folder.WriteFile("calendar.ini", "[options]\r\ntop=40\r\nleft=50\r\nfirstday=300\r\nfontsize=14\r\n"
                                     "listcount=2\r\n[eventtypes]\r\nBirthday=255\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_EQ(calendar.ErrorBoxes(), 1);
    EXPECT_NE(calendar.LastErrorText().find("firstday"), std::string::npos) << calendar.LastErrorText();
    calendar.DismissErrorBoxes(300);
    EXPECT_EQ(calendar.ErrorBoxes(), 1);
    // The window came up laid out with the defaults: Sunday first, three Coming Up lines.
    int year, month, day;
    DecodeDate(Today(), &year, &month, &day);
    ExpectNumbering(calendar, EncodeDate(year, month, 1), 1);
    const RECT navigation = calendar.ControlRect(calendar.Control("TodayButton"));
    const RECT window = calendar.WindowRect();
    EXPECT_GT(window.bottom - window.top, navigation.bottom);

    SetWindowPos(calendar.Window(), nullptr, 70, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(calendar.Close());
    EXPECT_EQ(folder.ReadSetting("options", "top"), "60");
    EXPECT_EQ(folder.ReadSetting("options", "left"), "70");
    EXPECT_EQ(folder.ReadSetting("options", "firstday"), "300");
    EXPECT_EQ(folder.ReadSetting("options", "fontsize"), "14");
    EXPECT_EQ(folder.ReadSetting("eventtypes", "Birthday"), "255");
}
// The window asks the library about every day at each layout, hover and minute; a broken
// regular.dat is still told about once, and its whole records still show.
TEST_F(CalendarWindowTest, ABrokenReminderFileBringsOneBoxForTheWholeRun) {
    TCalendarFolder folder("broken-once");
    folder.WriteFile("calendar.ini", Options(""));
    folder.WriteRegularFile({{Today() + 1, "Weekly standup", 1}});
    std::ifstream in(folder.Path() + "data\\regular.dat", std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    folder.WriteFile("data\\regular.dat", whole + "part of a record");

    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.DismissErrorBoxes(1500);
    for (const char* button : {"MonthNextButton", "MonthNextButton", "MonthBackButton"}) {
        PostMessageA(calendar.Control(button), BM_CLICK, 0, 0);
        calendar.DismissErrorBoxes(1000);
    }
    for (const char* day : {"3", "14", "27"}) {
        PostMessageA(calendar.CellWithCaption(day), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        calendar.DismissErrorBoxes(500);
    }
    PostMessageA(calendar.Window(), WM_TIMER, 1, 0);
    calendar.DismissErrorBoxes(1500);
    EXPECT_EQ(calendar.ErrorBoxes(), 1) << calendar.LastErrorText();
    EXPECT_NE(calendar.LastErrorText().find("regular.dat"), std::string::npos) << calendar.LastErrorText();
    EXPECT_EQ(std::floor(calendar.DisplayDate()), Today());
    const std::vector<std::string> lines = calendar.ComingUpLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], ShortDate(Today() + 1) + " Weekly standup");
    ASSERT_TRUE(calendar.Close());
}

// A day whose file cannot be read has no reminders; the days after it keep theirs.
TEST_F(CalendarWindowTest, AnUnreadableDayLeavesTheRestOfTheMonthAsItIs) {
    TCalendarFolder folder("unreadable-day");
    folder.WriteFile("calendar.ini", Options("colourcoding=0\r\n"));
    const double next = FirstOfNextMonth();
    folder.WriteDayFile(next + 4, {"Locked away"});
    folder.WriteDayFile(next + 19, {"{Birthday}Party"});
    char name[64];
    std::snprintf(name, sizeof name, "data\\%04d-%02d-05.txt", YearOf(next), MonthOf(next));
    HANDLE locked = CreateFileA((folder.Path() + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);

    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.DismissErrorBoxes(1000);
    PostMessageA(calendar.Control("MonthNextButton"), BM_CLICK, 0, 0);
    calendar.DismissErrorBoxes(1500);
    EXPECT_EQ(calendar.ErrorBoxes(), 1) << calendar.LastErrorText();
    EXPECT_EQ(calendar.FontColor(calendar.CellWithCaption("20")), red);
    EXPECT_EQ(calendar.FontColor(calendar.CellWithCaption("5")), white);
    CloseHandle(locked);
    ASSERT_TRUE(calendar.Close());
}
} // namespace

namespace {
// One bad value elsewhere must not cost the window its place: it comes up where it was left,
// and closing it where it stands keeps that place in the file.
TEST_F(CalendarWindowTest, ABadSettingKeepsTheStoredWindowPosition) {
    TCalendarFolder folder("bad-setting-position");
    folder.WriteFile("calendar.ini", "[options]\r\ntop=40\r\nleft=50\r\nlistcount=300\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.DismissErrorBoxes(300);
    EXPECT_EQ(calendar.WindowRect().top, 40);
    EXPECT_EQ(calendar.WindowRect().left, 50);
    ASSERT_TRUE(calendar.Close());
    EXPECT_EQ(folder.ReadSetting("options", "top"), "40");
    EXPECT_EQ(folder.ReadSetting("options", "left"), "50");
    EXPECT_EQ(folder.ReadSetting("options", "listcount"), "300");
}
} // namespace

namespace {
bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// A size far beyond what the options dialog offers, or a place no screen shows, must not lose
// the window: it comes up whole on the screen at a size it fits, and is stored where it shows.
TEST_F(CalendarWindowTest, AnyStoredSizeOrPlaceLeavesTheWindowOnTheScreen) {
    RECT workArea = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0));
    const struct {
        const char* Name;
        const char* Options;
    } cases[] = {
        {"huge-font", "top=-2252\r\nleft=-1996\r\nfontsize=9999\r\n"},
        {"largest-offered",
         "top=5000\r\nleft=5000\r\nfontsize=72\r\nlistcount=200\r\nhspacing=250\r\n"
         "vspacing=250\r\n"},
        {"negative-font", "top=-40000\r\nleft=40000\r\nfontsize=-9999\r\nlistcount=3\r\n"},
    };
    for (const auto& c : cases) {
        TCalendarFolder folder(std::string("on-screen-") + c.Name);
        folder.WriteFile("calendar.ini", std::string("[options]\r\n") + c.Options);
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start()) << c.Name;
        calendar.DismissErrorBoxes(300);
        const RECT window = calendar.WindowRect();
        EXPECT_TRUE(Inside(window, workArea)) << c.Name << ": " << window.left << "," << window.top
                                              << " to " << window.right << "," << window.bottom;
        // Not the whole screen either, which would make it a full-screen window above the rest.
        EXPECT_LT(window.bottom - window.top, GetSystemMetrics(SM_CYSCREEN)) << c.Name;
        EXPECT_GT(window.right - window.left, 7 * 6) << c.Name;
        ASSERT_TRUE(calendar.Close()) << c.Name;
        const int storedTop = std::atoi(folder.ReadSetting("options", "top").c_str());
        const int storedLeft = std::atoi(folder.ReadSetting("options", "left").c_str());
        EXPECT_EQ(storedTop, window.top) << c.Name;
        EXPECT_EQ(storedLeft, window.left) << c.Name;
    }
}

// The wheel over the window and the keys it receives move the month and the selected day;
// the selected day's white frame and the day colours follow.
TEST_F(CalendarWindowTest, WheelAndKeysMoveTheMonthAndTheSelectedDay) {
    TCalendarFolder folder("wheel-and-keys");
    folder.WriteFile("calendar.ini", Options("firstday=2\r\n"));
    WriteReminders(folder);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    HWND window = calendar.Window();
    const auto wheel = [&](int delta, WPARAM keys) {
        SendMessageA(window, WM_MOUSEWHEEL,
                     MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(delta))),
                     MAKELPARAM(60, 60));
    };
    const auto key = [&](WPARAM virtualKey) { SendMessageA(window, WM_KEYDOWN, virtualKey, 1); };
    const auto shown = [&] {
        int year, month, day;
        DecodeDate(calendar.DisplayDate(), &year, &month, &day);
        return std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year);
    };

    wheel(-120, 0); // towards the user: the next month, with its birthday in red
    EXPECT_EQ(shown(), "5/4/2007");
    EXPECT_EQ(calendar.FontColor(calendar.CellWithCaption("12")), red);
    wheel(40, 0); // a high-resolution wheel: a third of a notch does nothing yet
    wheel(40, 0);
    EXPECT_EQ(shown(), "5/4/2007");
    wheel(40, 0);
    EXPECT_EQ(shown(), "5/3/2007");
    EXPECT_EQ(calendar.FontColor(calendar.CellWithCaption("12")), white);
    wheel(120, MK_SHIFT);
    EXPECT_EQ(shown(), "5/3/2006");

    key(VK_HOME);
    EXPECT_EQ(shown(), "5/3/2007");
    key(VK_UP);
    EXPECT_EQ(shown(), "26/2/2007");
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("26")), white);
    key(VK_DOWN);
    key(VK_RIGHT);
    EXPECT_EQ(shown(), "6/3/2007");
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("6")), white);
    EXPECT_EQ(calendar.BorderColor(calendar.CellWithCaption("5")), keyColour);
    key(VK_NEXT);
    EXPECT_EQ(shown(), "6/4/2007");
    key(VK_PRIOR);
    key(VK_LEFT);
    EXPECT_EQ(shown(), "5/3/2007");
    ASSERT_TRUE(calendar.Close());
}

// Week numbers stand in a column at the grid's left, which the window grows by, so the grid
// stays where the settings place it; today's cell is filled, and only in today's month.
TEST_F(CalendarWindowTest, WeekNumbersBesideTheRowsAndTodayFilled) {
    TCalendarFolder plain("look-plain");
    plain.WriteFile("calendar.ini", Options("firstday=1\r\n"));
    TCalendarProcess without(plain);
    ASSERT_TRUE(without.Start());
    const RECT gridWithout = without.ControlRect(without.Control("VrHyperButton1"));
    const RECT windowWithout = without.WindowRect();
    EXPECT_EQ(SendMessageA(without.Window(), CalendarWeekColumnQuery, 0, 0), 0);
    for (int n = 1; n <= 42; ++n)
        EXPECT_EQ(SendMessageA(without.Window(), CalendarCellFillQuery, n, 0), -1) << n;
    ASSERT_TRUE(without.Close());

    TCalendarFolder folder("look-week-numbers");
    // The fill asked for in the key colour itself must still show.
    folder.WriteFile("calendar.ini",
                     Options("firstday=1\r\nweeknumbers=1\r\nfilltoday=1\r\ntodaycolour=" +
                             std::to_string(keyColour) + "\r\n"));
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    HWND window = calendar.Window();
    const int column = static_cast<int>(SendMessageA(window, CalendarWeekColumnQuery, 0, 0));
    ASSERT_GT(column, 0);
    const RECT windowRect = calendar.WindowRect();
    const RECT grid = calendar.ControlRect(calendar.Control("VrHyperButton1"));
    EXPECT_EQ(windowRect.left + grid.left, windowWithout.left + gridWithout.left);
    EXPECT_EQ(windowRect.right - windowRect.left,
              windowWithout.right - windowWithout.left + column);

    // March 2007 with Sunday first: the rows' Wednesdays are 28 February and 7 to 28 March.
    std::vector<LRESULT> weeks;
    for (int row = 0; row < 6; ++row)
        weeks.push_back(SendMessageA(window, CalendarWeekNumberQuery, row, 0));
    EXPECT_EQ(weeks, (std::vector<LRESULT>{9, 10, 11, 12, 13, 0}));

    // The numbers are drawn in the dimmed font colour inside the column, level with row 1.
    const RECT row1 = calendar.ControlRect(calendar.Control("VrHyperButton8"));
    const COLORREF dimmed = RGB(0xBF, 0xBF, 0xBF);
    int dimmedPixels = 0;
    HDC screen = GetDC(nullptr);
    for (int y = row1.top; y < row1.bottom; ++y)
        for (int x = 0; x < column; ++x)
            if (GetPixel(screen, windowRect.left + x, windowRect.top + y) == dimmed)
                ++dimmedPixels;
    ReleaseDC(nullptr, screen);
    EXPECT_GT(dimmedPixels, 5);

    HWND today = calendar.CellWithCaption("5");
    const LRESULT fill = SendMessageA(window, CalendarCellFillQuery, GetDlgCtrlID(today), 0);
    EXPECT_NE(fill, -1);
    EXPECT_NE(static_cast<COLORREF>(fill), keyColour);
    EXPECT_EQ(
        SendMessageA(window, CalendarCellFillQuery, GetDlgCtrlID(calendar.CellWithCaption("6")), 0),
        -1);
    calendar.Click(calendar.Control("MonthNextButton"));
    for (int n = 1; n <= 42; ++n)
        EXPECT_EQ(SendMessageA(window, CalendarCellFillQuery, n, 0), -1) << n;
    EXPECT_EQ(SendMessageA(window, CalendarWeekNumberQuery, 0, 0),
              14); // Sunday 1 April: Wednesday the 4th

    // The place stored is the grid's, so an older copy puts its grid there too.
    ASSERT_TRUE(calendar.Close());
    EXPECT_EQ(folder.ReadSetting("options", "left"),
              std::to_string(windowWithout.left + gridWithout.left));
}
} // namespace
