// The month grid: where day 1 falls, the day names, the geometry and the colour coding.
#include "MonthGrid.h"

#include "DateUtils.h"
#include "PortableTestHooks.h"

#include <gtest/gtest.h>

#include <map>

namespace {
const int32_t white = 0xFFFFFF;
const int32_t red = 255;

class MonthGridTest : public testing::Test {
  protected:
    void SetUp() override { SetPortableLocale(PortableLocale()); }
};

TEST_F(MonthGridTest, DayOneFallsUnderItsWeekdayForEachFirstDayOfWeek) {
    const double sundayFirst = EncodeDate(2026, 2, 1); // 1 February 2026 is a Sunday
    EXPECT_EQ(FirstCell(sundayFirst, 1), 1);
    EXPECT_EQ(FirstCell(sundayFirst, 2), 7);
    EXPECT_EQ(FirstCell(sundayFirst, 7), 2);
    // Without options the grid is one column further right.
    const double saturdayFirst = EncodeDate(2025, 11, 1);
    EXPECT_EQ(FirstCell(saturdayFirst, 0), 8);
    EXPECT_EQ(FirstCell(saturdayFirst, 1), 7);
}

TEST_F(MonthGridTest, ThirtyOneDaysFromColumnSevenReachTheSixthRow) {
    EXPECT_EQ(CellDay(7, 7, 31), 1);
    EXPECT_EQ(CellDay(37, 7, 31), 31);
    EXPECT_EQ(CellDay(38, 7, 31), 0);
    EXPECT_EQ(CellDay(6, 7, 31), 0);
}

TEST_F(MonthGridTest, DayNamesFollowTheFirstDayOfWeek) {
    EXPECT_EQ(DayName(1, 2), "Mon");
    EXPECT_EQ(DayName(7, 2), "Sun");
    EXPECT_EQ(DayName(1, 7), "Sat");
    EXPECT_EQ(DayName(2, 7), "Sun");
    EXPECT_EQ(DayName(1, 0), "");
    EXPECT_EQ(DayName(2, 0), "Sun");
}

TEST_F(MonthGridTest, TitleUsesTheOwnPatternOrTheLongDate) {
    const double date = EncodeDate(2026, 12, 7);
    EXPECT_EQ(FormatTitle(date, ""), "Monday, December 7, 2026");
    EXPECT_EQ(FormatTitle(date, "d mmmm yyyy"), "7 December 2026");
}

TEST_F(MonthGridTest, CellsTouchAndTheNavigationRowSkipsColumnsThreeAndFive) {
    const TCalendarGeometry geometry = TCalendarGeometry::FromMeasures(25, 4, 2, 16);
    EXPECT_EQ(geometry.W, 29);
    EXPECT_EQ(geometry.H, 27);
    EXPECT_EQ(geometry.T, 32);
    const TCellBounds cell9 = geometry.Cell(9);
    EXPECT_EQ(cell9.Left, 29);
    EXPECT_EQ(cell9.Top, 32 + 27);
    EXPECT_EQ(geometry.Cell(42).Bottom(), geometry.NavigationButton(0).Top);
    const int expectedLefts[5] = {0, 29, 87, 145, 174};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(geometry.NavigationButton(i).Left, expectedLefts[i]);
    EXPECT_EQ(geometry.WindowWidth(), 203);
    EXPECT_EQ(geometry.WindowHeight(3, 15), 32 + 7 * 27 + 45);
    EXPECT_EQ(geometry.WindowHeight(0, 15), geometry.NavigationBottom());
}

// December 2026 starts on a Tuesday: with Sunday first, day d is in cell d + 2.
TMonthLayoutInput December(int colourCoding, std::vector<std::string> items) {
    return {2026, 12, 7, 1, colourCoding, white, std::move(items)};
}

std::vector<std::string> MonthWithBirthdayOnThe12th() {
    std::vector<std::string> items;
    for (int d = 1; d <= 31; ++d) items.push_back("Heading " + std::to_string(d));
    items[11] += "\r\n{255}Anna turns 30";
    items[6] += "\r\n{255}Also a birthday"; // the selected day
    items[19] += "\r\n{-1}Unknown type";
    items[20] += "\r\nNo type at all";
    return items;
}

TEST_F(MonthGridTest, DayNumbersModeColoursTheNumberAndNotTheFrame) {
    const auto cells = LayoutCells(December(0, MonthWithBirthdayOnThe12th()));
    EXPECT_EQ(cells[12 + 1].Caption, "12");
    EXPECT_EQ(*cells[12 + 1].CaptionColour, red);
    EXPECT_EQ(*cells[12 + 1].FrameColour, KeyColour);
    // The selected day keeps its reminder colour under its white frame.
    EXPECT_EQ(*cells[7 + 1].FrameColour, white);
    EXPECT_EQ(*cells[7 + 1].CaptionColour, red);
    EXPECT_EQ(*cells[13 + 1].CaptionColour, white);
    // A type missing from the table and an untyped reminder look alike.
    EXPECT_EQ(*cells[20 + 1].CaptionColour, white);
    EXPECT_EQ(*cells[21 + 1].CaptionColour, white);
}

TEST_F(MonthGridTest, DayBordersModeColoursTheFrameAndNotTheNumber) {
    const auto cells = LayoutCells(December(1, MonthWithBirthdayOnThe12th()));
    EXPECT_EQ(*cells[12 + 1].FrameColour, red);
    EXPECT_EQ(*cells[12 + 1].CaptionColour, white);
    EXPECT_EQ(*cells[7 + 1].FrameColour, white);
    EXPECT_EQ(*cells[20 + 1].FrameColour, KeyColour);
    EXPECT_EQ(*cells[13 + 1].FrameColour, KeyColour);
}

TEST_F(MonthGridTest, BlankCellsAndAnUnknownModeAndMissingItems) {
    auto cells = LayoutCells(December(1, MonthWithBirthdayOnThe12th()));
    EXPECT_EQ(cells[1].Caption, "");
    EXPECT_EQ(*cells[1].FrameColour, KeyColour);
    EXPECT_EQ(cells[34].Caption, ""); // after the 31st in cell 33
    EXPECT_EQ(cells[32].Caption, "31");

    cells = LayoutCells(December(5, MonthWithBirthdayOnThe12th()));
    EXPECT_FALSE(cells[12 + 1].FrameColour.has_value());
    EXPECT_FALSE(cells[12 + 1].CaptionColour.has_value());
    EXPECT_EQ(*cells[7 + 1].FrameColour, white);

    cells = LayoutCells(December(0, {}));
    for (int d = 1; d <= 31; ++d) {
        EXPECT_EQ(*cells[d + 1].CaptionColour, white);
        EXPECT_EQ(*cells[d + 1].FrameColour, d == 7 ? white : KeyColour);
    }
}

// Years of 52 and 53 weeks on both sides of their ends, and the calendar's first and last days.
TEST_F(MonthGridTest, IsoWeeksAcrossYearEnds) {
    const struct {
        int Year, Month, Day, Week;
    } cases[] = {
        {2020, 12, 31, 53}, {2021, 1, 3, 53},   {2021, 1, 4, 1},   {2018, 12, 31, 1},
        {2019, 12, 29, 52}, {2026, 12, 31, 53}, {2027, 1, 3, 53},  {2027, 1, 4, 1},
        {2005, 1, 1, 53},   {2005, 1, 3, 1},    {2008, 12, 29, 1}, {2010, 1, 3, 53},
        {2015, 12, 31, 53}, {2016, 1, 3, 53},   {2000, 2, 29, 9},  {1, 1, 1, 1},
        {1, 1, 7, 1},       {9999, 12, 31, 52},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsoWeekNumber(EncodeDate(c.Year, c.Month, c.Day) + 0.75), c.Week)
            << c.Day << "/" << c.Month << "/" << c.Year;
}

// Whatever day the week starts on, a row's number is the ISO week that holds at least four of
// its seven days; with Monday first every day of the row is in it. Rows without a day of the
// month have none, and the rows at the calendar's two ends are numbered too.
TEST_F(MonthGridTest, EachRowShowsTheWeekHoldingMostOfItsDays) {
    const struct {
        int Year, Month;
    } months[] = {{2020, 12}, {2021, 1}, {2026, 12}, {2027, 1}, {2004, 12},
                  {2005, 1},  {2026, 2}, {2015, 3},  {1, 1},    {9999, 12}};
    for (const auto& m : months) {
        for (int firstDay = 1; firstDay <= 7; ++firstDay) {
            const double first = EncodeDate(m.Year, m.Month, 1);
            const int firstCell = FirstCell(first, firstDay);
            const int length = DaysInMonth(m.Year, m.Month);
            const std::vector<int> numbers = RowWeekNumbers(m.Year, m.Month, firstDay);
            ASSERT_EQ(numbers.size(), 6u);
            for (int row = 0; row < 6; ++row) {
                std::map<int, int> daysInWeek;
                bool showsADay = false;
                for (int column = 0; column < 7; ++column) {
                    const int cell = row * 7 + column + 1;
                    showsADay = showsADay || CellDay(cell, firstCell, length) != 0;
                    ++daysInWeek[IsoWeekNumber(first + (cell - firstCell))];
                }
                int expected = 0;
                for (const auto& week : daysInWeek)
                    if (showsADay && week.second >= 4)
                        expected = week.first;
                EXPECT_EQ(numbers[row], expected)
                    << m.Month << "/" << m.Year << " first day " << firstDay << " row " << row;
                if (firstDay == 2 && showsADay) {
                    EXPECT_EQ(daysInWeek.size(), 1u);
                }
            }
        }
    }
    // February 2026 begins on a Sunday and fills four rows exactly.
    EXPECT_EQ(RowWeekNumbers(2026, 2, 1), (std::vector<int>{6, 7, 8, 9, 0, 0}));
    EXPECT_EQ(RowWeekNumbers(2027, 1, 2), (std::vector<int>{53, 1, 2, 3, 4, 0}));
}

TEST_F(MonthGridTest, TheWeekColumnWidensTheWindowToTheLeftOfTheGrid) {
    TCalendarGeometry geometry = TCalendarGeometry::FromMeasures(25, 4, 2, 16);
    const TCellBounds withoutColumn = geometry.Cell(8);
    const int widthWithout = geometry.WindowWidth();
    geometry.WeekColumn = 22;
    EXPECT_EQ(geometry.Cell(8).Left, withoutColumn.Left + 22);
    EXPECT_EQ(geometry.NavigationButton(0).Left, 22);
    EXPECT_EQ(geometry.WindowWidth(), widthWithout + 22);
    const TCellBounds number = geometry.WeekNumber(1);
    EXPECT_EQ(number.Top, withoutColumn.Top);
    EXPECT_EQ(number.Right(), geometry.Cell(8).Left);
}

// The fill goes on today's cell alone, besides the selected day's frame, and never in the key
// colour, through which the desktop would show.
TEST_F(MonthGridTest, TodaysCellAloneIsFilledAndNeverInTheKeyColour) {
    const TMonthLayoutInput input = December(0, MonthWithBirthdayOnThe12th());
    TTodayFill today{input.SelectedDay, 0x123456};
    auto cells = LayoutCells(input, today);
    int filled = 0;
    for (int n = 1; n <= CellCount; ++n) {
        if (!cells[n - 1].FillColour)
            continue;
        ++filled;
        EXPECT_EQ(cells[n - 1].Caption, std::to_string(today.Day));
        EXPECT_EQ(*cells[n - 1].FillColour, 0x123456);
        EXPECT_EQ(cells[n - 1].FrameColour, SelectedDayFrameColour);
    }
    EXPECT_EQ(filled, 1);

    today.Colour = KeyColour;
    cells = LayoutCells(input, today);
    ASSERT_TRUE(cells[input.SelectedDay + 1].FillColour); // day d is in cell d + 2
    EXPECT_NE(*cells[input.SelectedDay + 1].FillColour, KeyColour);

    for (const TCellState& cell : LayoutCells(input, {0, 0x123456})) // another month than today's
        EXPECT_FALSE(cell.FillColour);
    for (const TCellState& cell : LayoutCells(input, {3, std::nullopt})) // the option is off
        EXPECT_FALSE(cell.FillColour);
}

TEST_F(MonthGridTest, WeekNumbersAreDimmerThanTheFontEitherWay) {
    const auto brightness = [](int32_t colour) {
        return (colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF);
    };
    EXPECT_LT(brightness(WeekNumberColour(0xFFFFFF)), brightness(0xFFFFFF));
    EXPECT_GT(brightness(WeekNumberColour(0x000000)), brightness(0x000000));
    for (int32_t font : {0xFFFFFF, 0x000000, 0x0000FF, KeyColour, 0x8080FF}) {
        EXPECT_NE(WeekNumberColour(font), KeyColour) << font;
        EXPECT_NE(WeekNumberColour(font), font) << font;
    }
}
} // namespace
