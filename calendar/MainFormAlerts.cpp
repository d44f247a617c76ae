// The window reminds: the notification-area icon with the calendar's own menu, today's
// reminders in a notification once a day, and the alerts of reminders that start with a time.
// What was shown, dismissed and snoozed is kept in alerts.ini beside calendar.ini: the library
// owns calendar.ini and writes it whole from its own record, so the window writes only a file
// of its own and asks the library for its few settings (LibraryOptionNumbers).
#include "MainFormUnit.h"

#include "CalendarUnit.h"
#include "Clock.h"
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "Navigation.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"
#include "ViewOptions.h"
#include "WindowQueries.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char* const notificationSection = "notification";
const char* const dismissedSection = "dismissed";
const char* const snoozedSection = "snoozed";
const int leadChoices[] = {0, 5, 10, 15, 30, 60};
const size_t balloonTextLength = 255; // the balloon's text holds 256 bytes with its zero

std::string AlertStatePath() {
    return ProgramDirectory() + "alerts.ini";
}

// One of the window's own keys; the default when the library has no number for it.
int32_t OptionNumber(const TOptionNumber& number, const char* key, int32_t defaultValue) {
    int32_t value = defaultValue;
    number(key, &value);
    return value;
}

TTimeConventions LocaleTimeConventions() {
    TTimeConventions conventions;
    char text[8] = "";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, text, sizeof text) > 1)
        conventions.Separator = text[0];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ITIME, text, sizeof text) > 1)
        conventions.TwelveHour = text[0] == '0';
    return conventions;
}

// The reminder types' colours in the order of calendar.ini, which is the options dialog's,
// read as the library reads them; none while the file cannot be read.
std::vector<int32_t> TypeColours() {
    std::vector<int32_t> colours;
    try {
        for (const TEventType& type : ReadEventTypes(ProfileFileSections(SettingsFileName())))
            colours.push_back(type.Colour);
    } catch (const VelmoraError&) {
    }
    return colours;
}

TAlertState ReadAlertState() {
    TAlertState state;
    for (const std::string& line : ProfileReadSection(AlertStatePath(), dismissedSection))
        state.Dismissed.insert(line.substr(0, line.find('=')));
    for (const std::string& line : ProfileReadSection(AlertStatePath(), snoozedSection)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        char* end = nullptr;
        const double until = std::strtod(line.c_str() + equals + 1, &end);
        if (*end == '\0' && IsCalendarDay(until))
            state.SnoozedUntil[line.substr(0, equals)] = until;
    }
    return state;
}

// Written in one replacement, so a failed write leaves the previous state whole; a state that
// cannot be kept only means an alert may come again after a restart.
void WriteAlertState(const TAlertState& state) {
    ProfileSectionLines dismissed{dismissedSection, {}}, snoozed{snoozedSection, {}};
    for (const std::string& key : state.Dismissed)
        dismissed.lines.push_back(key + "=1");
    for (const auto& entry : state.SnoozedUntil) {
        char until[40];
        std::snprintf(until, sizeof until, "%.8f", entry.second);
        snoozed.lines.push_back(entry.first + "=" + until);
    }
    try {
        ProfileReplaceSections(AlertStatePath(), {dismissed, snoozed});
    } catch (const std::exception&) {
    }
}

std::vector<TReminderAlert> AlertCandidates(double today, const TTimeConventions& conventions) {
    std::vector<TReminderAlert> candidates = ReminderAlerts(today, GetDayItems(today), conventions);
    // A lead reaches back into the evening before a reminder early in the morning.
    std::vector<TReminderAlert> tomorrow =
        ReminderAlerts(today + 1, GetDayItems(today + 1), conventions);
    candidates.insert(candidates.end(), tomorrow.begin(), tomorrow.end());
    return candidates;
}

#ifdef VELMORA_TEST_HOOKS
// While the test clock is set, moves it; false otherwise, so no user's clock is ever touched.
bool MoveTestClock(double now) {
    char text[64] = "";
    if (GetEnvironmentVariableA("VELMORA_NOW", text, sizeof text) == 0)
        return false;
    std::snprintf(text, sizeof text, "%.8f", now);
    return SetEnvironmentVariableA("VELMORA_NOW", text) != FALSE;
}
#endif
} // namespace

void TVelmora::StartReminding() {
    trayIcon_ = std::make_unique<TTrayIcon>(Handle());
    alertState_ = ReadAlertState();
    ApplyAlertOptions();
    CheckNotification(false);
    CheckAlerts();
}

void TVelmora::ApplyAlertOptions() {
    TAlertOptions options;
    const TOptionNumber number = LibraryOptionNumbers(ToolsHandle);
    const int32_t lead = OptionNumber(number, "alertlead", 0);
    for (int choice : leadChoices)
        if (lead == choice)
            options.LeadMinutes = lead;
    options.Tomorrow = OptionNumber(number, "alerttomorrow", 0) != 0;
    options.Sound = OptionNumber(number, "alertsound", 1) != 0;
    options.HideTrayIcon = OptionNumber(number, "hidetrayicon", 0) != 0;
    alertOptions_ = options;
    if (!trayIcon_)
        return;
    if (options.HideTrayIcon) {
        // An icon that is there for a notification stays until the balloon has gone.
        if (!trayIconForBalloon_)
            trayIcon_->Hide();
        return;
    }
    trayIconForBalloon_ = false;
    ShowTrayIcon();
}

void TVelmora::ShowTrayIcon() {
    if (trayIcon_ && !trayIcon_->Shown())
        trayIcon_->Show();
}

void TVelmora::RemindOnTick() {
    CheckNotification(true);
    CheckAlerts();
}

void TVelmora::CheckNotification(bool dayChanged) {
    const double today = WholeDay(CurrentDateTime());
    // Looked at when the program starts and when the minute timer finds another day.
    if (dayChanged && today == notifiedCheckDay_)
        return;
    notifiedCheckDay_ = today;
    const int32_t day = static_cast<int32_t>(today);
    const std::vector<int32_t> shown =
        ParseShownDays(ProfileReadString(AlertStatePath(), notificationSection, "shown", ""));
    // A day already shown asks neither the library for its reminders nor calendar.ini for
    // the types' order: every start after the day's first comes this way.
    if (!NotificationDue(day, shown, true))
        return;
    const std::string text =
        NotificationText(GetDayItems(today), alertOptions_.Tomorrow ? GetDayItems(today + 1) : "",
                         TypeColours(), balloonTextLength);
    if (text.empty())
        return;
    if (alertOptions_.HideTrayIcon && trayIcon_ && !trayIcon_->Shown()) {
        // The balloon needs the icon; it goes again when the balloon does.
        trayIconForBalloon_ = true;
        ShowTrayIcon();
    }
    if (!trayIcon_ || !trayIcon_->ShowBalloon("Today's reminders", text))
        return;
#ifdef VELMORA_TEST_HOOKS
    ++notifications_;
    lastNotification_ = text;
#endif
    ProfileWriteString(AlertStatePath(), notificationSection, "shown",
                       FormatShownDays(WithShownDay(shown, day)));
}

void TVelmora::CheckAlerts() {
    // Swept here: a window is destroyed in its own handler, its object only afterwards.
    for (size_t i = alertWindows_.size(); i-- > 0;)
        if (!IsWindow(alertWindows_[i]->Handle()))
            alertWindows_.erase(alertWindows_.begin() + static_cast<long>(i));
    const double now = CurrentDateTime();
    std::set<std::string> open;
    for (const auto& window : alertWindows_)
        for (const TDueAlert& due : window->Alerts())
            open.insert(due.Alert.Key);
    std::vector<TDueAlert> due = DueAlerts(AlertCandidates(WholeDay(now), LocaleTimeConventions()),
                                           now, alertOptions_.LeadMinutes, alertState_, open);
    if (due.empty())
        return;
    RECT work = {0, 0, 800, 600};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int capacity = AlertWindowCapacity(work.bottom - work.top, TAlertWindow::Height());
    auto onDone = [this](TAlertWindow& sender, int snoozeMinutes) {
        AlertDone(sender, snoozeMinutes);
    };
    std::vector<bool> taken(static_cast<size_t>(capacity), false);
    for (const auto& window : alertWindows_)
        if (window->Slot() < capacity)
            taken[static_cast<size_t>(window->Slot())] = true;
    for (size_t i = 0; i < due.size();) {
        int slot = 0;
        while (slot < capacity && taken[static_cast<size_t>(slot)])
            ++slot;
        if (slot >= capacity)
            break;
        taken[static_cast<size_t>(slot)] = true;
        const bool lastPlace = std::find(taken.begin(), taken.end(), false) == taken.end();
        // The last place on the screen takes every alert that is left, as one summary.
        const size_t take = lastPlace ? due.size() - i : 1;
        std::vector<TDueAlert> alerts(due.begin() + static_cast<long>(i),
                                      due.begin() + static_cast<long>(i + take));
        alertWindows_.push_back(std::make_unique<TAlertWindow>(std::move(alerts), slot, onDone));
        i += take;
    }
    if (alertOptions_.Sound)
        MessageBeep(MB_ICONASTERISK);
}

void TVelmora::AlertDone(TAlertWindow& sender, int snoozeMinutes) {
    alertState_ = PrunedAlertState(alertState_, WholeDay(CurrentDateTime()));
    const double until = CurrentDateTime() + snoozeMinutes / (24.0 * 60);
    for (const TDueAlert& due : sender.Alerts()) {
        if (snoozeMinutes > 0) {
            alertState_.Dismissed.erase(due.Alert.Key);
            alertState_.SnoozedUntil[due.Alert.Key] = until;
        } else {
            alertState_.SnoozedUntil.erase(due.Alert.Key);
            alertState_.Dismissed.insert(due.Alert.Key);
        }
    }
    WriteAlertState(alertState_);
}

void TVelmora::SelectToday() {
    ShowToday(navigation_);
    LayoutCalendar();
}

void TVelmora::TrayIconClick(LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONUP: {
        // The calendar's attention without leaving the bottom: shown on today, and it flashes.
        SelectToday();
        FLASHWINFO flash = {sizeof flash, Handle(), FLASHW_ALL, 3, 0};
        FlashWindowEx(&flash);
        break;
    }
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: {
        int year, month, day;
        const double today = CurrentDateTime();
        DecodeDate(today, &year, &month, &day);
        popupDay_.Remember(year, month, day);
        POINT cursor;
        GetCursorPos(&cursor);
        THintManager::Application().CancelHint();
        // The menu closes when the user clicks elsewhere only while its owner is in front.
        SetForegroundWindow(Handle());
        ToolsPopup.Popup(Handle(), cursor);
        break;
    }
    case NIN_BALLOONUSERCLICK:
        SelectToday();
        [[fallthrough]]; // the balloon is gone either way
    case NIN_BALLOONTIMEOUT:
    case NIN_BALLOONHIDE:
        if (trayIconForBalloon_ && trayIcon_) {
            trayIconForBalloon_ = false;
            trayIcon_->Hide();
        }
        break;
    default:
        break;
    }
}

bool TVelmora::AlertMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    if (message == TTrayIcon::TaskbarCreatedMessage() && message != 0) {
        // The notification area was made anew (the shell restarted) without our icon.
        if (trayIcon_ && (trayIcon_->Shown() || !alertOptions_.HideTrayIcon)) {
            trayIcon_->Hide();
            trayIcon_->Show();
        }
        return true;
    }
    switch (message) {
    case TrayIconMessage:
        TrayIconClick(lParam);
        return true;
    case WM_POWERBROADCAST:
        // Alerts missed while the computer slept come now, marked late.
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
            RemindOnTick();
        *result = TRUE;
        return true;
    case WM_TIMECHANGE:
        RemindOnTick();
        return true;
#ifdef VELMORA_TEST_HOOKS
    case CalendarNotificationQuery:
        *result = lastNotification_.empty()
                      ? 0
                      : GlobalAddAtomA(lastNotification_.substr(0, 255).c_str());
        return true;
    case CalendarNotificationCountQuery:
        *result = notifications_;
        return true;
    case CalendarTrayIconQuery:
        *result = trayIcon_ && trayIcon_->Shown() ? 1 : 0;
        return true;
    case CalendarSetTestNowMessage: {
        double now;
        static_assert(sizeof now == sizeof wParam, "an OLE date travels in wParam");
        std::memcpy(&now, &wParam, sizeof now);
        if (MoveTestClock(now))
            Timer1Timer();
        return true;
    }
#endif
    default:
        return false;
    }
}
