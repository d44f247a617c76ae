// What the user does with the window: buttons, day cells, Coming Up clicks, dragging, and
// the timers that bring it back to today and show tooltips while it is in the background.
#include "MainFormUnit.h"

#include "CalendarUnit.h"
#include "Clock.h"
#include "ComingUpClick.h"
#include "DateUtils.h"
#include "EventTypeUnit.h"
#include "Navigation.h"
#include "WindowQueries.h"

#include <cstdlib>

namespace {
// A cell's caption as a day number; 0 for a blank cell or any other text.
int CaptionNumber(const std::string& caption) {
    if (caption.empty() || caption.size() > 2) return 0;
    char* end = nullptr;
    const long number = std::strtol(caption.c_str(), &end, 10);
    return *end == '\0' ? static_cast<int>(number) : 0;
}
} // namespace

int TVelmora::CellDayOf(const TVrHyperButton& cell) const {
    const int day = CaptionNumber(cell.Caption());
    int year, month, ignored;
    DecodeDate(navigation_.DisplayDate, &year, &month, &ignored);
    // Before the first layout the cells still carry their numbers 1 to 42.
    return day >= 1 && day <= DaysInMonth(year, month) ? day : 0;
}

void TVelmora::ToolButtonClick(TVrHyperButton& sender) {
    const std::string& name = sender.Name();
    if (name == "MonthNextButton") NextMonth(navigation_);
    else if (name == "MonthBackButton") PrevMonth(navigation_);
    else if (name == "YearBackButton") PrevYear(navigation_);
    else if (name == "YearNextButton") NextYear(navigation_);
    else if (name == "TodayButton") ShowToday(navigation_);
    LayoutCalendar();
}

void TVelmora::ToolButtonMouseDown(TVrHyperButton& sender, TMouseButton button, TShiftState shift) {
    // The menu from a navigation button keeps whatever day a day cell's menu remembered.
    if (button == TMouseButton::Right) ShowToolsPopup(sender);
    else if (button == TMouseButton::Left && shift.Shift) {
        // Shift-drag on a navigation button is the one way to move the window.
        ReleaseCapture();
        SendMessageA(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    }
}

void TVelmora::ToolButtonMouseEnter(TVrHyperButton&) { StartHoverTimer(); }

void TVelmora::DayButtonClick(TVrHyperButton& sender) {
    const int day = CellDayOf(sender);
    if (day == 0) return;
    SelectDay(navigation_, day);
    LayoutCalendar();
}

void TVelmora::DayButtonMouseEnter(TVrHyperButton& sender) {
    const int day = CellDayOf(sender);
    if (day == 0) return; // a blank cell keeps the hint it had
    int year, month, ignored;
    DecodeDate(navigation_.DisplayDate, &year, &month, &ignored);
    sender.Hint = DayTooltipText(EncodeDate(year, month, day));
    StartHoverTimer();
}

void TVelmora::VrHyperButton1MouseLeave(TVrHyperButton&) { KillTimer(Handle(), MouseOverTimerId); }
void TVelmora::TodayButtonMouseLeave(TVrHyperButton&) { KillTimer(Handle(), MouseOverTimerId); }

void TVelmora::StartHoverTimer() {
    THintManager& hints = THintManager::Application();
    if (hints.IsApplicationActive()) return; // the hint mechanism shows it by itself
    KillTimer(Handle(), MouseOverTimerId);
    SetTimer(Handle(), MouseOverTimerId, hints.HintPause, nullptr);
}

void TVelmora::MouseOverTimerTimer() {
    KillTimer(Handle(), MouseOverTimerId);
    // Taking the foreground for a tooltip would take it from an open dialog of the library.
    if (dialogsOpen_ > 0) return;
    SetForegroundWindow(Handle());
    POINT cursor;
    GetCursorPos(&cursor);
    THintManager::Application().ActivateHint(cursor);
}

void TVelmora::FormMouseDown(WPARAM keys, int x, int y) {
    // Only a plain left click; Shift, Ctrl or Alt with it mean something else.
    if (keys != MK_LBUTTON || GetKeyState(VK_MENU) < 0) return;
    RECT client;
    GetClientRect(Handle(), &client);
    if (x <= 0 || x >= client.right) return;
    int lineHeight;
    {
        WindowDC dc(Handle());
        SelectedObject font(dc.Get(), font_.Get());
        lineHeight = LineHeight(dc.Get());
    }
    const int line = ComingUpLineIndex(y, NavigationBottom(), lineHeight);
    if (line < 0 || static_cast<size_t>(line) >= ComingUpList.size()) return;
    double date;
    if (!ComingUpLineDate(ComingUpList[line], navigation_.DisplayDate, &date)) return;
    navigation_.DisplayDate = date + TimeOfDay(CurrentDateTime());
    LayoutCalendar();
}

void TVelmora::Timer1Timer() {
    const bool wasToday = DisplayDateIsToday(navigation_);
    ShowToday(navigation_);
    if (wasToday) {
        FormPaint();
        RefreshDayButtons();
    } else {
        LayoutCalendar();
    }
    SyncMinuteTimer();
    RemindOnTick();
}

void TVelmora::RestartTimer1() {
    KillTimer(Handle(), Timer1Id);
    SetTimer(Handle(), Timer1Id, timer1Interval_, nullptr);
}

void TVelmora::SyncMinuteTimer() {
    timer1Interval_ = MinuteTimerInterval();
    RestartTimer1();
}

void TVelmora::RefreshDayButtons() {
    for (int n = 1; n <= CellCount; ++n) {
        if (TVrHyperButton* cell = FindControlByName("VrHyperButton" + std::to_string(n))) {
            ShowWindow(cell->Handle(), SW_HIDE);
            ShowWindow(cell->Handle(), SW_SHOWNA);
        }
    }
}

void TVelmora::WMWindowPosChanging(WINDOWPOS* position) {
    position->hwndInsertAfter = HWND_BOTTOM;
    // An owned window is only ever placed just above its owner, so the hidden owner that
    // keeps the window off the taskbar has to lie at the very bottom first.
    HWND owner = GetWindow(Handle(), GW_OWNER);
    if (owner && !(position->flags & SWP_NOZORDER))
        SetWindowPos(owner, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TVelmora::FormMouseWheel(WPARAM wParam) {
    const int notches = wheelNotches_.Add(GET_WHEEL_DELTA_WPARAM(wParam));
    if (notches == 0)
        return;
    MoveByWheel(navigation_, notches, (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0);
    // Like a button: the layout restarts the minute timer, so today comes back only after a
    // whole quiet minute.
    LayoutCalendar();
}

bool TVelmora::FormKeyDown(WPARAM key) {
    TCalendarKey move = TCalendarKey::Other;
    switch (key) {
    case VK_LEFT:
        move = TCalendarKey::Left;
        break;
    case VK_RIGHT:
        move = TCalendarKey::Right;
        break;
    case VK_UP:
        move = TCalendarKey::Up;
        break;
    case VK_DOWN:
        move = TCalendarKey::Down;
        break;
    case VK_PRIOR:
        move = TCalendarKey::PageUp;
        break;
    case VK_NEXT:
        move = TCalendarKey::PageDown;
        break;
    case VK_HOME:
        move = TCalendarKey::Home;
        break;
    case VK_RETURN:
    case VK_SPACE:
        OpenSelectedDay();
        return true;
    default:
        return false;
    }
    if (!MoveByKey(navigation_, move, GetKeyState(VK_CONTROL) < 0))
        return false;
    LayoutCalendar();
    return true;
}

void TVelmora::OpenSelectedDay() {
    // As the menu's item, which is disabled while a dialog of the library is open.
    if (dialogsOpen_ > 0)
        return;
    const double date = navigation_.DisplayDate;
    DialogStarted();
    EditReminders(date);
    DialogEnded();
    LayoutCalendar();
}
