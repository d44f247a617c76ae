// The date the window shows and how the user moves it: months with their remembered days,
// years, a chosen day, and the minute timer's interval. The state is the window's; each step
// is handed it, as the month's layout is handed its input.
#pragma once
#include <cstdint>

struct TNavigationState {
    // The shown date with the time of its last change; its day is the selected day.
    double DisplayDate = 0;
    // The day a run of next-month (or previous-month) steps aims at, so that 31 January,
    // next, next gives 31 March; 0 when no day is remembered.
    uint8_t NextMonthDay = 0;
    uint8_t PrevMonthDay = 0;
};

void NextMonth(TNavigationState& state);
void PrevMonth(TNavigationState& state);
void NextYear(TNavigationState& state);
void PrevYear(TNavigationState& state);
void SelectDay(TNavigationState& state, int day);
void ShowToday(TNavigationState& state);
// Whether the shown day is the current one, times of day aside.
bool DisplayDateIsToday(const TNavigationState& state);
// Moves the selected day by a number of days, into the months before or after as needed; a
// step that would leave the calendar's years does nothing. The remembered days stay as they
// are: only the month steps change them.
void StepDays(TNavigationState& state, int days);

// What the keys do while the calendar has the keyboard.
enum class TCalendarKey { Left, Right, Up, Down, PageUp, PageDown, Home, Other };
// Moves the shown date for the key (Ctrl with the page keys: a year); false for a key that
// does not navigate.
bool MoveByKey(TNavigationState& state, TCalendarKey key, bool ctrl);

// The mouse wheel's notches: WHEEL_DELTA (120) a notch, positive away from the user. A
// high-resolution wheel sends parts of a notch, which add up here until a whole one is reached.
class TWheelNotches {
  public:
    static constexpr int NotchDelta = 120;
    // Whole notches the delta completes, with the rest kept for the next one; a turn the other
    // way drops what was kept, so a small reversal is never undone by an earlier remainder.
    int Add(int delta);

  private:
    int pending_ = 0;
};
// A month a notch, away from the user (up) earlier; with Shift a year.
void MoveByWheel(TNavigationState& state, int notches, bool years);

// Milliseconds from now to the next whole minute, as the minute timer is set.
unsigned MinuteTimerInterval();
