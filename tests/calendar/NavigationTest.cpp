// Moving through months and years, and the minute timer's interval.
#include "Navigation.h"

#include "DateUtils.h"
#include "PortableTestHooks.h"

#include <gtest/gtest.h>

namespace {
const double tenPast = (10 * 3600.0 + 10 * 60) / 86400.0;

class NavigationTest : public testing::Test {
  protected:
    void SetUp() override {
        SetPortableNow(EncodeDate(2026, 12, 7) + tenPast);
        NextMonthDay = 0;
        PrevMonthDay = 0;
    }
    void Show(int year, int month, int day) { DisplayDate = EncodeDate(year, month, day) + 0.25; }
    std::string Shown() const {
        int year, month, day;
        DecodeDate(DisplayDate, &year, &month, &day);
        return std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year);
    }
};

TEST_F(NavigationTest, NextMonthRemembersTheDayAShortMonthCutOff) {
    Show(2026, 1, 31);
    NextMonth();
    EXPECT_EQ(Shown(), "28/2/2026");
    EXPECT_EQ(NextMonthDay, 31);
    NextMonth();
    EXPECT_EQ(Shown(), "31/3/2026");
    EXPECT_EQ(NextMonthDay, 0);
    // The step keeps the whole date and takes the time of day from the clock.
    EXPECT_NEAR(TimeOfDay(DisplayDate), tenPast, 1e-9);
}

TEST_F(NavigationTest, EachDirectionKeepsItsOwnRememberedDay) {
    Show(2026, 1, 31);
    NextMonth();
    PrevMonth();
    EXPECT_EQ(Shown(), "28/1/2026");
    Show(2024, 3, 31);
    PrevMonth();
    EXPECT_EQ(Shown(), "29/2/2024");
    EXPECT_EQ(PrevMonthDay, 31);
    PrevMonth();
    EXPECT_EQ(Shown(), "31/1/2024");
}

TEST_F(NavigationTest, MonthsAndYearsWrap) {
    Show(2025, 12, 31);
    NextMonth();
    EXPECT_EQ(Shown(), "31/1/2026");
    PrevMonth();
    EXPECT_EQ(Shown(), "31/12/2025");
    Show(2024, 2, 29);
    NextYear();
    EXPECT_EQ(Shown(), "28/2/2025");
    PrevYear();
    EXPECT_EQ(Shown(), "28/2/2024");
}

TEST_F(NavigationTest, TheEndsOfTheCalendarAreNotPassed) {
    Show(1, 1, 15);
    PrevYear();
    PrevMonth();
    EXPECT_EQ(Shown(), "15/1/1");
    Show(9999, 12, 15);
    NextMonth();
    NextYear();
    EXPECT_EQ(Shown(), "15/12/9999");
}

TEST_F(NavigationTest, SelectingADayAndReturningToToday) {
    Show(2026, 3, 4);
    SelectDay(15);
    EXPECT_EQ(Shown(), "15/3/2026");
    EXPECT_FALSE(DisplayDateIsToday());
    ShowToday();
    EXPECT_EQ(Shown(), "7/12/2026");
    EXPECT_TRUE(DisplayDateIsToday());
}

TEST_F(NavigationTest, TheMinuteTimerAimsAtTheNextWholeMinute) {
    SetPortableNow(EncodeDate(2026, 12, 7) + 10 * 3600.0 / 86400.0);
    EXPECT_EQ(MinuteTimerInterval(), 60000u);
    SetPortableNow(EncodeDate(2026, 12, 7) + (10 * 3600.0 + 45) / 86400.0);
    EXPECT_EQ(MinuteTimerInterval(), 15000u);
    SetPortableNow(EncodeDate(2026, 12, 7) + (10 * 3600.0 + 59.4) / 86400.0);
    EXPECT_EQ(MinuteTimerInterval(), 1000u);
}
} // namespace
