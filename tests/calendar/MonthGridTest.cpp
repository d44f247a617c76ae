// The month grid: where day 1 falls, the day names, the geometry and the colour coding.
#include "MonthGrid.h"

#include "DateUtils.h"
#include "PortableTestHooks.h"

#include <gtest/gtest.h>

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
} // namespace
