// Month and year steps over the shown date.
#include "Navigation.h"

#include "Clock.h"
#include "DateUtils.h"
#include "MonthArithmetic.h"

#include <cmath>

namespace {
// Every step keeps a whole date and takes the time of day from the clock.
void ShowDay(TNavigationState& state, int year, int month, int day) {
    state.DisplayDate = EncodeDate(year, month, day) + TimeOfDay(CurrentDateTime());
}

void StepMonth(TNavigationState& state, int step, uint8_t& rememberedDay) {
    int year, month, day;
    DecodeDate(state.DisplayDate, &year, &month, &day);
    if (rememberedDay != 0)
        day = rememberedDay;
    if (!StepYearMonth(year, month, step))
        return; // past the ends of the calendar: stay put
    const int length = DaysInMonth(year, month);
    if (length < day) {
        rememberedDay = static_cast<uint8_t>(day);
        day = length;
    } else {
        rememberedDay = 0;
    }
    ShowDay(state, year, month, day);
}

void StepYear(TNavigationState& state, int step) {
    int year, month, day;
    DecodeDate(state.DisplayDate, &year, &month, &day);
    year += step;
    if (!IsValidDate(year, month, 1))
        return;
    if (day > DaysInMonth(year, month))
        day = DaysInMonth(year, month);
    ShowDay(state, year, month, day);
}
} // namespace

void NextMonth(TNavigationState& state) {
    StepMonth(state, +1, state.NextMonthDay);
}
void PrevMonth(TNavigationState& state) {
    StepMonth(state, -1, state.PrevMonthDay);
}
void NextYear(TNavigationState& state) {
    StepYear(state, +1);
}
void PrevYear(TNavigationState& state) {
    StepYear(state, -1);
}

void SelectDay(TNavigationState& state, int day) {
    int year, month, ignored;
    DecodeDate(state.DisplayDate, &year, &month, &ignored);
    ShowDay(state, year, month, day);
}

void ShowToday(TNavigationState& state) {
    state.DisplayDate = CurrentDateTime();
}

bool DisplayDateIsToday(const TNavigationState& state) {
    return WholeDay(state.DisplayDate) == WholeDay(CurrentDateTime());
}

void StepDays(TNavigationState& state, int days) {
    const double target = WholeDay(state.DisplayDate) + days;
    if (!IsCalendarDay(target))
        return;
    state.DisplayDate = target + TimeOfDay(CurrentDateTime());
}

bool MoveByKey(TNavigationState& state, TCalendarKey key, bool ctrl) {
    switch (key) {
    case TCalendarKey::Left:
        StepDays(state, -1);
        return true;
    case TCalendarKey::Right:
        StepDays(state, +1);
        return true;
    case TCalendarKey::Up:
        StepDays(state, -7);
        return true;
    case TCalendarKey::Down:
        StepDays(state, +7);
        return true;
    case TCalendarKey::PageUp:
        ctrl ? PrevYear(state) : PrevMonth(state);
        return true;
    case TCalendarKey::PageDown:
        ctrl ? NextYear(state) : NextMonth(state);
        return true;
    case TCalendarKey::Home:
        ShowToday(state);
        return true;
    default:
        return false;
    }
}

int TWheelNotches::Add(int delta) {
    if ((pending_ > 0 && delta < 0) || (pending_ < 0 && delta > 0))
        pending_ = 0;
    pending_ += delta;
    const int notches = pending_ / NotchDelta;
    pending_ -= notches * NotchDelta;
    return notches;
}

void MoveByWheel(TNavigationState& state, int notches, bool years) {
    for (; notches > 0; --notches)
        years ? PrevYear(state) : PrevMonth(state);
    for (; notches < 0; ++notches)
        years ? NextYear(state) : NextMonth(state);
}

unsigned MinuteTimerInterval() {
    // Rounded to milliseconds first, so 10:00:00 does not come out as 09:59:59.999.
    const long long milliseconds = std::llround(TimeOfDay(CurrentDateTime()) * 86400000.0);
    const int seconds = static_cast<int>((milliseconds / 1000) % 60);
    return static_cast<unsigned>(60 - seconds) * 1000u;
}
