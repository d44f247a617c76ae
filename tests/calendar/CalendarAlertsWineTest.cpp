// The calendar reminding, run on the test clock: the day's notification at start and at the
// day's change, alerts at their time that are dismissed for good or snoozed and come back,
// and the notification-area icon with the calendar's own menu.
#include "AlertWindowUnit.h"
#include "CalendarDriver.h"
#include "TrayIcon.h"
#include "WinHandles.h"
#include "WindowQueries.h"

#include "DateUtils.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
double Today() {
    return EncodeDate(2007, 3, 5);
}
double At(double day, int hour, int minute) {
    return day + (hour * 60 + minute) / 1440.0;
}

void SetTestNow(double now) {
    char text[64];
    std::snprintf(text, sizeof text, "%.8f", now);
    SetEnvironmentVariableA("VELMORA_NOW", text);
}

struct TWindowList {
    DWORD process;
    std::vector<HWND> windows;
};

BOOL CALLBACK AddAlertWindow(HWND window, LPARAM parameter) {
    auto* list = reinterpret_cast<TWindowList*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (process == list->process && std::strcmp(className, AlertWindowClassName) == 0 &&
        IsWindowVisible(window))
        list->windows.push_back(window);
    return TRUE;
}

struct TChildSearch {
    const char* className;
    const char* caption;
    HWND found;
};

// A control of a dialog by its class and caption.
HWND DialogControl(HWND dialog, const char* className, const char* caption) {
    TChildSearch search{className, caption, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM parameter) {
            auto* wanted = reinterpret_cast<TChildSearch*>(parameter);
            char className[64] = "", caption[128] = "";
            GetClassNameA(child, className, sizeof className);
            GetWindowTextA(child, caption, sizeof caption);
            if (lstrcmpiA(className, wanted->className) != 0 ||
                std::strcmp(caption, wanted->caption) != 0)
                return TRUE;
            wanted->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class CalendarAlertsTest : public testing::Test {
  protected:
    void SetUp() override { SetTestNow(At(Today(), 10, 30)); }
    void TearDown() override { SetEnvironmentVariableA("VELMORA_NOW", nullptr); }

    static void WriteSettings(const TCalendarFolder& folder, const std::string& extra = "") {
        folder.WriteFile("calendar.ini", "[options]\r\ntop=40\r\nleft=50\r\nalertsound=0\r\n" +
                                             extra +
                                             "[eventtypes]\r\nBirthday=255\r\nHoliday=65280\r\n");
    }
    // The alert windows of the program, after its queue has been worked through.
    static std::vector<HWND> AlertWindows(const TCalendarProcess& calendar) {
        SendMessageA(calendar.Window(), WM_NULL, 0, 0);
        TWindowList list{calendar.ProcessId(), {}};
        EnumWindows(AddAlertWindow, reinterpret_cast<LPARAM>(&list));
        return list.windows;
    }
    static void MoveClock(const TCalendarProcess& calendar, double now) {
        WPARAM bits;
        std::memcpy(&bits, &now, sizeof bits);
        SendMessageA(calendar.Window(), CalendarSetTestNowMessage, bits, 0);
    }
    static int Notifications(const TCalendarProcess& calendar) {
        return static_cast<int>(
            SendMessageA(calendar.Window(), CalendarNotificationCountQuery, 0, 0));
    }
    static std::string LastNotification(const TCalendarProcess& calendar) {
        const ATOM atom =
            static_cast<ATOM>(SendMessageA(calendar.Window(), CalendarNotificationQuery, 0, 0));
        const std::string text = atom ? AtomText(atom) : "";
        if (atom)
            GlobalDeleteAtom(atom);
        return text;
    }
};

TEST_F(CalendarAlertsTest, NotificationOnceADayAtStartAndAtTheDayChange) {
    TCalendarFolder folder("alerts_notification");
    WriteSettings(folder);
    folder.WriteDayFile(Today(), {"Shopping", "{Holiday}Trip", "{Birthday}Anna"});
    folder.WriteDayFile(Today() + 1, {"Dentist"});
    {
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        ASSERT_EQ(SendMessageA(calendar.Window(), CalendarTrayIconQuery, 0, 0), 1)
            << "no notification-area icon";
        EXPECT_EQ(Notifications(calendar), 1);
        // In the order of the types, untyped reminders last.
        EXPECT_EQ(LastNotification(calendar), "Anna\nTrip\nShopping");
        // The minute timer on the same day shows nothing more; the next day shows its own.
        MoveClock(calendar, At(Today(), 23, 59));
        EXPECT_EQ(Notifications(calendar), 1);
        MoveClock(calendar, At(Today() + 1, 0, 1));
        EXPECT_EQ(Notifications(calendar), 2);
        EXPECT_EQ(LastNotification(calendar), "Dentist");
        // A clock put back to the day before repeats nothing.
        MoveClock(calendar, At(Today(), 23, 0));
        EXPECT_EQ(Notifications(calendar), 2);
        EXPECT_TRUE(calendar.Close());
    }
    {
        // A restart the same day does not repeat it; a day without reminders shows nothing.
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        EXPECT_EQ(Notifications(calendar), 0);
        MoveClock(calendar, At(Today() + 2, 9, 0));
        EXPECT_EQ(Notifications(calendar), 0);
        EXPECT_TRUE(calendar.Close());
    }
    {
        // Tomorrow's reminders too, as an option.
        SetTestNow(At(Today() - 1, 8, 0));
        WriteSettings(folder, "alerttomorrow=1\r\n");
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        EXPECT_EQ(LastNotification(calendar), "Tomorrow:\nAnna\nTrip\nShopping");
        EXPECT_TRUE(calendar.Close());
    }
}

TEST_F(CalendarAlertsTest, AlertAtItsTimeDismissedForGood) {
    TCalendarFolder folder("alerts_dismissed");
    WriteSettings(folder, "alertlead=5\r\n");
    folder.WriteDayFile(
        Today(), {"{Birthday}10:50 Dentist|bring the card", "25:00 not a time", "9:00 Call Anna"});
    {
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        // The morning's call was missed while the program was closed: it comes once, late.
        std::vector<HWND> alerts = AlertWindows(calendar);
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(WindowText(alerts[0]), "Velmora reminder (late)");
        EXPECT_EQ(WindowText(GetDlgItem(alerts[0], AlertTextId)), "9:00 Call Anna\r\n(late)");
        SendMessageA(GetDlgItem(alerts[0], AlertDismissId), BM_CLICK, 0, 0);
        EXPECT_TRUE(AlertWindows(calendar).empty());

        MoveClock(calendar, At(Today(), 10, 44));
        EXPECT_TRUE(AlertWindows(calendar).empty());
        // Five minutes' lead before 10:50.
        MoveClock(calendar, At(Today(), 10, 45));
        alerts = AlertWindows(calendar);
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(WindowText(alerts[0]), "Velmora reminder");
        EXPECT_EQ(WindowText(GetDlgItem(alerts[0], AlertTextId)),
                  "10:50 Dentist\r\nbring the card");
        // The keyboard's Enter is the default button, Dismiss.
        PostMessageA(GetDlgItem(alerts[0], AlertDismissId), WM_KEYDOWN, VK_RETURN, 0);
        for (int attempt = 0; attempt < 50 && !AlertWindows(calendar).empty(); ++attempt)
            Sleep(20);
        EXPECT_TRUE(AlertWindows(calendar).empty());
        MoveClock(calendar, At(Today(), 10, 50));
        EXPECT_TRUE(AlertWindows(calendar).empty());
        EXPECT_TRUE(calendar.Close());
    }
    {
        SetTestNow(At(Today(), 11, 0));
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        EXPECT_TRUE(AlertWindows(calendar).empty()) << "dismissed alerts stay dismissed";
        EXPECT_TRUE(calendar.Close());
    }
    {
        // The reminder edited after its dismissal alerts again.
        folder.WriteDayFile(Today(),
                            {"{Birthday}10:50 Dentist|bring the card and cash", "9:00 Call Anna"});
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        const std::vector<HWND> alerts = AlertWindows(calendar);
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(WindowText(GetDlgItem(alerts[0], AlertTextId)),
                  "10:50 Dentist\r\nbring the card and cash\r\n(late)");
        EXPECT_TRUE(calendar.Close());
    }
}

TEST_F(CalendarAlertsTest, DismissedAlertStaysDismissedWhenItsStateCannotBeKept) {
    TCalendarFolder folder("alerts_read_only");
    WriteSettings(folder);
    folder.WriteDayFile(Today(), {"10:30 Stand-up"});
    folder.WriteFile("alerts.ini", "");
    const std::string state = folder.Path() + "alerts.ini";
    SetFileAttributesA(state.c_str(), FILE_ATTRIBUTE_READONLY);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    std::vector<HWND> alerts = AlertWindows(calendar);
    ASSERT_EQ(alerts.size(), 1u);
    SendMessageA(GetDlgItem(alerts[0], AlertDismissId), BM_CLICK, 0, 0);
    MoveClock(calendar, At(Today(), 10, 31));
    EXPECT_TRUE(AlertWindows(calendar).empty());
    EXPECT_TRUE(calendar.Close());
    SetFileAttributesA(state.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CalendarAlertsTest, ADayFileThatCannotBeReadIsToldOfOnceNotEveryMinute) {
    TCalendarFolder folder("alerts_broken_store");
    WriteSettings(folder);
    // Today's file held open by another program: every minute's look at today fails.
    folder.WriteDayFile(Today(), {"10:32 Locked"});
    KernelHandle locked(CreateFileA((folder.Path() + "data\\2007-03-05.txt").c_str(), GENERIC_READ,
                                    0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    calendar.DismissErrorBoxes(1000);
    EXPECT_EQ(calendar.ErrorBoxes(), 1) << "the locked day is told of at start";
    for (int minute = 31; minute < 35; ++minute) {
        WPARAM bits;
        const double now = At(Today(), 10, minute);
        std::memcpy(&bits, &now, sizeof bits);
        // Posted: a box in the handler would keep a sent message waiting.
        PostMessageA(calendar.Window(), CalendarSetTestNowMessage, bits, 0);
        calendar.DismissErrorBoxes(300);
    }
    EXPECT_EQ(calendar.ErrorBoxes(), 1) << calendar.LastErrorText();
    locked.Reset();
    EXPECT_TRUE(calendar.Close());
}

TEST_F(CalendarAlertsTest, SnoozedAlertComesBackAfterItsMinutesAlsoAfterARestart) {
    TCalendarFolder folder("alerts_snoozed");
    WriteSettings(folder);
    folder.WriteDayFile(Today(), {"10:30 Stand-up"});
    {
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        std::vector<HWND> alerts = AlertWindows(calendar);
        ASSERT_EQ(alerts.size(), 1u);
        SendMessageA(GetDlgItem(alerts[0], AlertSnoozeChoiceId), CB_SETCURSEL, 1, 0); // 10 minutes
        // Escape snoozes for the chosen minutes.
        PostMessageA(GetDlgItem(alerts[0], AlertSnoozeChoiceId), WM_KEYDOWN, VK_ESCAPE, 0);
        for (int attempt = 0; attempt < 50 && !AlertWindows(calendar).empty(); ++attempt)
            Sleep(20);
        EXPECT_TRUE(AlertWindows(calendar).empty());
        MoveClock(calendar, At(Today(), 10, 39));
        EXPECT_TRUE(AlertWindows(calendar).empty());
        EXPECT_TRUE(calendar.Close());
    }
    {
        SetTestNow(At(Today(), 10, 39));
        TCalendarProcess calendar(folder);
        ASSERT_TRUE(calendar.Start());
        EXPECT_TRUE(AlertWindows(calendar).empty());
        MoveClock(calendar, At(Today(), 10, 40));
        std::vector<HWND> alerts = AlertWindows(calendar);
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(WindowText(GetDlgItem(alerts[0], AlertTextId)), "10:30 Stand-up");
        EXPECT_TRUE(calendar.Close());
    }
}

TEST_F(CalendarAlertsTest, RegularRemindersAlertOnTheirOccurrences) {
    TCalendarFolder folder("alerts_regular");
    WriteSettings(folder);
    folder.WriteRegularFile(
        {{Today() - 14, "10:35 Weekly sync", 1}, {Today() - 1, "10:35 Yesterday's weekly", 1}});
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_TRUE(AlertWindows(calendar).empty());
    MoveClock(calendar, At(Today(), 10, 35));
    const std::vector<HWND> alerts = AlertWindows(calendar);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(WindowText(GetDlgItem(alerts[0], AlertTextId)), "10:35 Weekly sync");
    EXPECT_TRUE(calendar.Close());
}

TEST_F(CalendarAlertsTest, HundredsOfAlertsFillAtMostAScreen) {
    TCalendarFolder folder("alerts_many");
    WriteSettings(folder);
    std::vector<std::string> reminders;
    for (int i = 0; i < 300; ++i)
        reminders.push_back("9:" + std::to_string(10 + i % 50) + " Task " + std::to_string(i));
    folder.WriteDayFile(Today(), reminders);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    const std::vector<HWND> alerts = AlertWindows(calendar);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_GE(alerts.size(), 1u);
    EXPECT_LE(static_cast<int>(alerts.size()), (work.bottom - work.top) / TAlertWindow::Height());
    int summaries = 0;
    for (HWND alert : alerts) {
        RECT bounds;
        GetWindowRect(alert, &bounds);
        EXPECT_GE(bounds.top, work.top);
        if (WindowText(alert) == "Velmora reminders") {
            ++summaries;
            const std::string text = WindowText(GetDlgItem(alert, AlertTextId));
            // The library hands the window as many of the day's reminders as its buffer holds.
            EXPECT_GT(std::atoi(text.c_str()), 1) << text;
        }
    }
    EXPECT_EQ(summaries, 1);
    EXPECT_TRUE(calendar.Close());
}

TEST_F(CalendarAlertsTest, TrayIconMenuAndClick) {
    TCalendarFolder folder("alerts_tray");
    WriteSettings(folder);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    ASSERT_EQ(SendMessageA(calendar.Window(), CalendarTrayIconQuery, 0, 0), 1);
    // A click on the icon brings the calendar back to today.
    calendar.Click(calendar.Control("MonthNextButton"));
    ASSERT_NE(WholeDay(calendar.DisplayDate()), Today());
    SendMessageA(calendar.Window(), TrayIconMessage, 1, WM_LBUTTONUP);
    EXPECT_EQ(WholeDay(calendar.DisplayDate()), Today());
    // So does a click on the day's notification.
    calendar.Click(calendar.Control("MonthNextButton"));
    ASSERT_NE(WholeDay(calendar.DisplayDate()), Today());
    SendMessageA(calendar.Window(), TrayIconMessage, 1, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(WholeDay(calendar.DisplayDate()), Today());

    // Its right-click menu is the calendar's own; Close ends the program.
    PostMessageA(calendar.Window(), TrayIconMessage, 1, WM_RBUTTONUP);
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(calendar.PopupItems(),
              (std::vector<std::string>{"Edit Reminders", "Options", "Import Calendar...",
                                        "Export Calendar...", "Read Me", "-", "Close"}));
    calendar.ChooseFromMenu(menu, 6);
    EXPECT_TRUE(calendar.WaitForExit(10000));
}

TEST_F(CalendarAlertsTest, TheOptionsDialogsAlertsPageHidesTheIconOnApply) {
    TCalendarFolder folder("alerts_options");
    WriteSettings(folder);
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    ASSERT_EQ(SendMessageA(calendar.Window(), CalendarTrayIconQuery, 0, 0), 1);
    PostMessageA(calendar.Window(), TrayIconMessage, 1, WM_RBUTTONUP);
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    calendar.ChooseFromMenu(menu, 2);
    HWND options = nullptr;
    for (int attempt = 0; attempt < 250 && !options; ++attempt) {
        options = FindProcessWindow(calendar.ProcessId(), "TOptionsForm");
        if (!options)
            Sleep(20);
    }
    ASSERT_NE(options, nullptr);
    HWND hide = DialogControl(options, "Button", "Hide the icon in the notification area");
    ASSERT_NE(hide, nullptr);
    SendMessageA(hide, BM_CLICK, 0, 0);
    SendMessageA(DialogControl(options, "Button", "A&pply"), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(calendar.Window(), CalendarTrayIconQuery, 0, 0), 0);
    PostMessageA(DialogControl(options, "Button", "OK"), BM_CLICK, 0, 0);
    for (int attempt = 0; attempt < 250 && IsWindow(options); ++attempt)
        Sleep(20);
    EXPECT_TRUE(calendar.Close());
    EXPECT_EQ(folder.ReadSetting("options", "hidetrayicon"), "1");
}

TEST_F(CalendarAlertsTest, AHiddenIconComesForTheNotificationAndGoesWithIt) {
    TCalendarFolder folder("alerts_tray_balloon");
    WriteSettings(folder, "hidetrayicon=1\r\n");
    folder.WriteDayFile(Today(), {"Dentist"});
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_EQ(Notifications(calendar), 1);
    EXPECT_EQ(SendMessageA(calendar.Window(), CalendarTrayIconQuery, 0, 0), 1);
    SendMessageA(calendar.Window(), TrayIconMessage, 1, NIN_BALLOONTIMEOUT);
    EXPECT_EQ(SendMessageA(calendar.Window(), CalendarTrayIconQuery, 0, 0), 0);
    EXPECT_TRUE(calendar.Close());
}

TEST_F(CalendarAlertsTest, TrayIconHiddenByTheOptionAndEditRemindersOnToday) {
    TCalendarFolder folder("alerts_tray_hidden");
    WriteSettings(folder, "hidetrayicon=1\r\n");
    TCalendarProcess calendar(folder);
    ASSERT_TRUE(calendar.Start());
    EXPECT_EQ(SendMessageA(calendar.Window(), CalendarTrayIconQuery, 0, 0), 0);
    // The menu's Edit Reminders from the icon opens the editor on today, whatever month shows.
    calendar.Click(calendar.Control("MonthNextButton"));
    PostMessageA(calendar.Window(), TrayIconMessage, 1, WM_RBUTTONUP);
    HWND menu = calendar.WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    calendar.ChooseFromMenu(menu, 1);
    HWND editor = nullptr;
    for (int attempt = 0; attempt < 250 && !editor; ++attempt) {
        editor = FindProcessWindow(calendar.ProcessId(), "TCalendarEntriesForm");
        if (!editor)
            Sleep(20);
    }
    ASSERT_NE(editor, nullptr);
    HWND dateField = nullptr;
    EnumChildWindows(
        editor,
        [](HWND child, LPARAM found) {
            char className[64] = "";
            GetClassNameA(child, className, sizeof className);
            if (std::strcmp(className, "TrmComboCalendar") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&dateField));
    ASSERT_NE(dateField, nullptr);
    EXPECT_EQ(WindowText(dateField), "Monday, March 5, 2007");
    PostMessageA(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(calendar.Close());
}
} // namespace
