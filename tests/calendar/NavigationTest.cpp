// Moving through months and years, and the minute timer's interval.
#include "Navigation.h"

#include "DateUtils.h"
#include "PortableTestHooks.h"

#include <gtest/gtest.h>

namespace {
const double tenPast = (10 * 3600.0 + 10 * 60) / 86400.0;

class NavigationTest : public testing::Test {
  protected:
    void SetUp() override { SetPortableNow(EncodeDate(2026, 12, 7) + tenPast); }
    void Show(int year, int month, int day) {
        state.DisplayDate = EncodeDate(year, month, day) + 0.25;
    }
    std::string Shown() const {
        int year, month, day;
        DecodeDate(state.DisplayDate, &year, &month, &day);
        return std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year);
    }
    TNavigationState state;
};

TEST_F(NavigationTest, NextMonthRemembersTheDayAShortMonthCutOff) {
    Show(2026, 1, 31);
    NextMonth(state);
    EXPECT_EQ(Shown(), "28/2/2026");
    EXPECT_EQ(state.NextMonthDay, 31);
    NextMonth(state);
    EXPECT_EQ(Shown(), "31/3/2026");
    EXPECT_EQ(state.NextMonthDay, 0);
    // The step keeps the whole date and takes the time of day from the clock.
    EXPECT_NEAR(TimeOfDay(state.DisplayDate), tenPast, 1e-9);
}

TEST_F(NavigationTest, EachDirectionKeepsItsOwnRememberedDay) {
    Show(2026, 1, 31);
    NextMonth(state);
    PrevMonth(state);
    EXPECT_EQ(Shown(), "28/1/2026");
    Show(2024, 3, 31);
    PrevMonth(state);
    EXPECT_EQ(Shown(), "29/2/2024");
    EXPECT_EQ(state.PrevMonthDay, 31);
    PrevMonth(state);
    EXPECT_EQ(Shown(), "31/1/2024");
}

TEST_F(NavigationTest, MonthsAndYearsWrap) {
    Show(2025, 12, 31);
    NextMonth(state);
    EXPECT_EQ(Shown(), "31/1/2026");
    PrevMonth(state);
    EXPECT_EQ(Shown(), "31/12/2025");
    Show(2024, 2, 29);
    NextYear(state);
    EXPECT_EQ(Shown(), "28/2/2025");
    PrevYear(state);
    EXPECT_EQ(Shown(), "28/2/2024");
}

TEST_F(NavigationTest, TheEndsOfTheCalendarAreNotPassed) {
    Show(1, 1, 15);
    PrevYear(state);
    PrevMonth(state);
    EXPECT_EQ(Shown(), "15/1/1");
    Show(9999, 12, 15);
    NextMonth(state);
    NextYear(state);
    EXPECT_EQ(Shown(), "15/12/9999");
}

TEST_F(NavigationTest, SelectingADayAndReturningToToday) {
    Show(2026, 3, 4);
    SelectDay(state, 15);
    EXPECT_EQ(Shown(), "15/3/2026");
    EXPECT_FALSE(DisplayDateIsToday(state));
    ShowToday(state);
    EXPECT_EQ(Shown(), "7/12/2026");
    EXPECT_TRUE(DisplayDateIsToday(state));
}

TEST_F(NavigationTest, TheMinuteTimerAimsAtTheNextWholeMinute) {
    SetPortableNow(EncodeDate(2026, 12, 7) + 10 * 3600.0 / 86400.0);
    EXPECT_EQ(MinuteTimerInterval(), 60000u);
    SetPortableNow(EncodeDate(2026, 12, 7) + (10 * 3600.0 + 45) / 86400.0);
    EXPECT_EQ(MinuteTimerInterval(), 15000u);
    SetPortableNow(EncodeDate(2026, 12, 7) + (10 * 3600.0 + 59.4) / 86400.0);
    EXPECT_EQ(MinuteTimerInterval(), 1000u);
}

// Arrows move by days and weeks into the neighbouring months, page keys by months (keeping the
// remembered day as the buttons do) and with Ctrl by years, Home to today.
TEST_F(NavigationTest, KeysMoveTheSelectedDayAcrossMonthsAndYears) {
    const struct {
        int Year, Month, Day;
        TCalendarKey Key;
        bool Ctrl;
        const char* Shown;
    } cases[] = {
        {2026, 1, 31, TCalendarKey::Right, false, "1/2/2026"},
        {2026, 3, 1, TCalendarKey::Left, false, "28/2/2026"},
        {2024, 3, 6, TCalendarKey::Up, false, "28/2/2024"},
        {2026, 12, 28, TCalendarKey::Down, false, "4/1/2027"},
        {2026, 1, 1, TCalendarKey::Left, true, "31/12/2025"},
        {2026, 3, 31, TCalendarKey::PageUp, false, "28/2/2026"},
        {2026, 1, 31, TCalendarKey::PageDown, false, "28/2/2026"},
        {2024, 2, 29, TCalendarKey::PageDown, true, "28/2/2025"},
        {2024, 2, 29, TCalendarKey::PageUp, true, "28/2/2023"},
        {1990, 5, 5, TCalendarKey::Home, false, "7/12/2026"},
    };
    for (const auto& c : cases) {
        Show(c.Year, c.Month, c.Day);
        EXPECT_TRUE(MoveByKey(state, c.Key, c.Ctrl));
        EXPECT_EQ(Shown(), c.Shown) << c.Day << "/" << c.Month << "/" << c.Year;
        EXPECT_NEAR(TimeOfDay(state.DisplayDate), tenPast, 1e-9);
    }
    Show(2026, 5, 5);
    EXPECT_FALSE(MoveByKey(state, TCalendarKey::Other, false));
    EXPECT_EQ(Shown(), "5/5/2026");
}

TEST_F(NavigationTest, DayStepsLeaveTheRememberedDaysToTheMonthSteps) {
    Show(2026, 1, 31);
    NextMonth(state); // 28 February, 31 remembered
    MoveByKey(state, TCalendarKey::Left, false);
    MoveByKey(state, TCalendarKey::Right, false);
    EXPECT_EQ(state.NextMonthDay, 31);
    MoveByKey(state, TCalendarKey::PageDown, false);
    EXPECT_EQ(Shown(), "31/3/2026");
}

TEST_F(NavigationTest, KeysAndWheelStopAtTheEndsOfTheCalendar) {
    for (TCalendarKey key : {TCalendarKey::Left, TCalendarKey::Up, TCalendarKey::PageUp}) {
        for (bool ctrl : {false, true}) {
            Show(1, 1, 1);
            MoveByKey(state, key, ctrl);
            EXPECT_EQ(Shown(), "1/1/1");
        }
    }
    for (TCalendarKey key : {TCalendarKey::Right, TCalendarKey::Down, TCalendarKey::PageDown}) {
        for (bool ctrl : {false, true}) {
            Show(9999, 12, 31);
            MoveByKey(state, key, ctrl);
            EXPECT_EQ(Shown(), "31/12/9999");
        }
    }
    Show(9999, 12, 27);
    StepDays(state, 7);
    EXPECT_EQ(Shown(), "27/12/9999");
    StepDays(state, 4);
    EXPECT_EQ(Shown(), "31/12/9999");
    Show(1, 2, 10);
    MoveByWheel(state, 3, false); // up: earlier, but no further than January of year 1
    EXPECT_EQ(Shown(), "10/1/1");
    Show(9998, 6, 10);
    MoveByWheel(state, -3, true);
    EXPECT_EQ(Shown(), "10/6/9999");
}

TEST_F(NavigationTest, TheWheelMovesAMonthANotchAndAYearWithShift) {
    Show(2026, 3, 15);
    MoveByWheel(state, 1, false);
    EXPECT_EQ(Shown(), "15/2/2026");
    MoveByWheel(state, -3, false);
    EXPECT_EQ(Shown(), "15/5/2026");
    MoveByWheel(state, 2, true);
    EXPECT_EQ(Shown(), "15/5/2024");
    Show(2026, 1, 31);
    MoveByWheel(state, -2, false); // as Next Month twice
    EXPECT_EQ(Shown(), "31/3/2026");
}

// A high-resolution wheel reports parts of a notch; only whole notches move, and a turn back
// does not complete a notch begun the other way.
TEST_F(NavigationTest, WheelDeltasAddUpToWholeNotches) {
    const struct {
        std::vector<int> Deltas;
        std::vector<int> Notches;
    } cases[] = {
        {{120, -120, 240}, {1, -1, 2}},        {{40, 40, 40, 40}, {0, 0, 1, 0}},
        {{-30, -30, -30, -30}, {0, 0, 0, -1}}, {{100, -20, 100}, {0, 0, 0}},
        {{100, 30, 110}, {0, 1, 1}},           {{80, -80, -40}, {0, 0, -1}},
    };
    for (const auto& c : cases) {
        TWheelNotches wheel;
        std::vector<int> notches;
        for (int delta : c.Deltas)
            notches.push_back(wheel.Add(delta));
        EXPECT_EQ(notches, c.Notches);
    }
}
} // namespace
