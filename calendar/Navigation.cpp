// Month and year steps over the shown date.
#include "Navigation.h"

#include "Clock.h"
#include "DateUtils.h"
#include "MonthArithmetic.h"

#include <cmath>

double DisplayDate = CurrentDateTime();
uint8_t NextMonthDay = 0;
uint8_t PrevMonthDay = 0;

namespace {
// Every step keeps a whole date and takes the time of day from the clock.
void ShowDay(int year, int month, int day) {
    DisplayDate = EncodeDate(year, month, day) + TimeOfDay(CurrentDateTime());
}

void StepMonth(int step, uint8_t& rememberedDay) {
    int year, month, day;
    DecodeDate(DisplayDate, &year, &month, &day);
    if (rememberedDay != 0) day = rememberedDay;
    if (!StepYearMonth(year, month, step)) return; // past the ends of the calendar: stay put
    const int length = DaysInMonth(year, month);
    if (length < day) {
        rememberedDay = static_cast<uint8_t>(day);
        day = length;
    } else {
        rememberedDay = 0;
    }
    ShowDay(year, month, day);
}

void StepYear(int step) {
    int year, month, day;
    DecodeDate(DisplayDate, &year, &month, &day);
    year += step;
    if (!IsValidDate(year, month, 1)) return;
    if (day > DaysInMonth(year, month)) day = DaysInMonth(year, month);
    ShowDay(year, month, day);
}
} // namespace

void NextMonth() { StepMonth(+1, NextMonthDay); }
void PrevMonth() { StepMonth(-1, PrevMonthDay); }
void NextYear() { StepYear(+1); }
void PrevYear() { StepYear(-1); }

void SelectDay(int day) {
    int year, month, ignored;
    DecodeDate(DisplayDate, &year, &month, &ignored);
    ShowDay(year, month, day);
}

void ShowToday() { DisplayDate = CurrentDateTime(); }

bool DisplayDateIsToday() { return WholeDay(DisplayDate) == WholeDay(CurrentDateTime()); }

void StepDays(int days) {
    const double target = WholeDay(DisplayDate) + days;
    if (!IsCalendarDay(target))
        return;
    DisplayDate = target + TimeOfDay(CurrentDateTime());
}

bool MoveByKey(TCalendarKey key, bool ctrl) {
    switch (key) {
    case TCalendarKey::Left:
        StepDays(-1);
        return true;
    case TCalendarKey::Right:
        StepDays(+1);
        return true;
    case TCalendarKey::Up:
        StepDays(-7);
        return true;
    case TCalendarKey::Down:
        StepDays(+7);
        return true;
    case TCalendarKey::PageUp:
        ctrl ? PrevYear() : PrevMonth();
        return true;
    case TCalendarKey::PageDown:
        ctrl ? NextYear() : NextMonth();
        return true;
    case TCalendarKey::Home:
        ShowToday();
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

void MoveByWheel(int notches, bool years) {
    for (; notches > 0; --notches)
        years ? PrevYear() : PrevMonth();
    for (; notches < 0; ++notches)
        years ? NextYear() : NextMonth();
}

unsigned MinuteTimerInterval() {
    // Rounded to milliseconds first, so 10:00:00 does not come out as 09:59:59.999.
    const long long milliseconds = std::llround(TimeOfDay(CurrentDateTime()) * 86400000.0);
    const int seconds = static_cast<int>((milliseconds / 1000) % 60);
    return static_cast<unsigned>(60 - seconds) * 1000u;
}
