// The date the window shows and how the user moves it: months with their remembered days,
// years, a chosen day, and the minute timer's interval. Program-wide state, main thread only.
#pragma once
#include <cstdint>

// The shown date with the time of its last change; its day is the selected day.
extern double DisplayDate;
// The day a run of next-month (or previous-month) steps aims at, so that 31 January,
// next, next gives 31 March; 0 when no day is remembered.
extern uint8_t NextMonthDay;
extern uint8_t PrevMonthDay;

void NextMonth();
void PrevMonth();
void NextYear();
void PrevYear();
void SelectDay(int day);
void ShowToday();
// Whether the shown day is the current one, times of day aside.
bool DisplayDateIsToday();
// Milliseconds from now to the next whole minute, as the minute timer is set.
unsigned MinuteTimerInterval();
