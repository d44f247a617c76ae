// The date field's drop-down month without a window: keys, month steps, special days and
// what a point of the drop-down hits.
#include "DropDownMonth.h"

#include "DateUtils.h"
#include "PortableTestHooks.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {
class DropDownMonthTest : public testing::Test {
  protected:
    void SetUp() override { SetPortableLocale(PortableLocale()); }
};

struct TKeyCase {
    int Year, Month, Day;
    TDropDownKey Key;
    int ExpectedYear, ExpectedMonth, ExpectedDay;
    TDropDownAction Expected;
};

TEST_F(DropDownMonthTest, KeysMoveTheCursorAcrossMonthsAndYears) {
    using K = TDropDownKey;
    using A = TDropDownAction;
    const TKeyCase cases[] = {
        {2026, 1, 31, K::Right, 2026, 2, 1, A::Redraw},
        {2026, 3, 1, K::Left, 2026, 2, 28, A::Redraw},
        {2026, 12, 28, K::Down, 2027, 1, 4, A::Redraw},
        {2026, 1, 3, K::Up, 2025, 12, 27, A::Redraw},
        {2026, 1, 31, K::PageDown, 2026, 2, 28, A::Redraw}, // the day is kept where it can be
        {2026, 3, 31, K::PageUp, 2026, 2, 28, A::Redraw},
        {2024, 2, 29, K::YearNext, 2025, 2, 28, A::Redraw},
        {2024, 2, 29, K::YearBack, 2023, 2, 28, A::Redraw},
        {2026, 2, 17, K::Home, 2026, 2, 1, A::Redraw},
        {2026, 2, 17, K::End, 2026, 2, 28, A::Redraw},
        {2026, 2, 1, K::Home, 2026, 2, 1, A::None},
        {2026, 2, 17, K::Enter, 2026, 2, 17, A::Pick},
        {2026, 2, 17, K::Escape, 2026, 2, 17, A::Cancel},
        // The ends of the calendar hold.
        {1, 1, 1, K::Left, 1, 1, 1, A::None},
        {1, 1, 20, K::PageUp, 1, 1, 20, A::None},
        {9999, 12, 31, K::Right, 9999, 12, 31, A::None},
        {9999, 12, 30, K::YearNext, 9999, 12, 30, A::None},
    };
    for (const TKeyCase& c : cases) {
        TDropDownMonth month;
        month.Open(EncodeDate(c.Year, c.Month, c.Day), 1, nullptr);
        EXPECT_EQ(month.Key(c.Key), c.Expected) << c.Year << "-" << c.Month << "-" << c.Day;
        EXPECT_EQ(std::make_tuple(month.Year(), month.Month(), month.CursorDay()),
                  std::make_tuple(c.ExpectedYear, c.ExpectedMonth, c.ExpectedDay))
            << c.Year << "-" << c.Month << "-" << c.Day << " key " << static_cast<int>(c.Key);
        EXPECT_EQ(month.CursorDate(), EncodeDate(c.ExpectedYear, c.ExpectedMonth, c.ExpectedDay));
    }
}

TEST_F(DropDownMonthTest, EveryDayOfEachShownMonthIsAskedOnceAndAgainAtEachOpening) {
    std::map<std::tuple<int, int, int>, int> asked;
    auto question = [&](int year, int month, int day) {
        ++asked[{year, month, day}];
        if (day == 13)
            throw std::runtime_error("unreadable folder");
        return day % 5 == 0;
    };
    TDropDownMonth month;
    month.Open(EncodeDate(2026, 2, 10), 2, question);
    EXPECT_EQ(asked.size(), 28u);
    EXPECT_TRUE(month.IsSpecial(5));
    EXPECT_TRUE(month.IsSpecial(25));
    EXPECT_FALSE(month.IsSpecial(13)); // a failing question leaves the day plain
    EXPECT_FALSE(month.IsSpecial(29));
    EXPECT_FALSE(month.IsSpecial(0));

    // Moving within the month asks nothing; entering March asks its 31 days.
    month.Key(TDropDownKey::Right);
    EXPECT_EQ(asked.size(), 28u);
    month.StepMonths(1);
    EXPECT_EQ(asked.size(), 28u + 31u);
    EXPECT_TRUE(month.IsSpecial(30));
    month.Open(EncodeDate(2026, 3, 1), 2, question);
    for (const auto& entry : asked)
        EXPECT_EQ(entry.second, std::get<1>(entry.first) == 3 ? 2 : 1);
}

TEST_F(DropDownMonthTest, TheFirstDayOfTheWeekPlacesDayOneAndNamesTheColumns) {
    TDropDownMonth month;
    month.Open(EncodeDate(2026, 2, 1), 2, nullptr); // 1 February 2026 is a Sunday
    EXPECT_EQ(month.FirstCell(), 7);
    EXPECT_EQ(month.CellDay(6), 0);
    EXPECT_EQ(month.CellDay(7), 1);
    EXPECT_EQ(month.CellDay(34), 28);
    EXPECT_EQ(month.CellDay(35), 0);
    EXPECT_EQ(month.CellOfDay(28), 34);
    EXPECT_EQ(month.Caption(), "February 2026");
    month.Open(EncodeDate(2026, 2, 1), 0, nullptr); // out of range counts as Sunday
    EXPECT_EQ(month.StartDay(), 1);
    EXPECT_EQ(month.FirstCell(), 1);
}

TEST_F(DropDownMonthTest, PointsHitTheButtonsAndTheDaysOfTheMonthOnly) {
    TDropDownMonth month;
    month.Open(EncodeDate(2026, 12, 7), 1, nullptr); // December 2026 starts on a Tuesday
    const TDropDownLayout layout = TDropDownLayout::For(250, 13, 1.0);
    EXPECT_LE(layout.GridLeft + 7 * layout.CellWidth, layout.Width);
    EXPECT_EQ(layout.Cell(42).Bottom() + layout.Padding, layout.Height());
    auto centre = [](const TCellBounds& b) {
        return std::make_pair(b.Left + b.Width / 2, b.Top + b.Height / 2);
    };
    auto hit = [&](std::pair<int, int> point) {
        return layout.HitTest(month, point.first, point.second);
    };
    EXPECT_EQ(hit(centre(layout.PreviousButton())).Kind, TDropDownHit::PreviousMonth);
    EXPECT_EQ(hit(centre(layout.NextButton())).Kind, TDropDownHit::NextMonth);
    EXPECT_EQ(hit(centre(layout.CaptionBand())).Kind, TDropDownHit::Nothing);
    EXPECT_EQ(hit(centre(layout.NameCell(3))).Kind, TDropDownHit::Nothing);
    EXPECT_EQ(hit(centre(layout.Cell(1))).Kind, TDropDownHit::Nothing);
    for (int day : {1, 7, 31}) {
        const TDropDownHit h = hit(centre(layout.Cell(day + 2)));
        EXPECT_EQ(h.Kind, TDropDownHit::DayCell);
        EXPECT_EQ(h.Day, day);
    }
    // Cells touch: the last pixel of one day and the first of the next.
    const TCellBounds seventh = layout.Cell(9);
    EXPECT_EQ(layout.HitTest(month, seventh.Right() - 1, seventh.Top).Day, 7);
    EXPECT_EQ(layout.HitTest(month, seventh.Right(), seventh.Top).Day, 8);
    // A larger scale gives a larger drop-down from the same width.
    EXPECT_GT(TDropDownLayout::For(500, 26, 2.0).Height(), layout.Height());
}

TEST(MonthArithmeticTest, StepYearMonthWrapsAndStopsAtTheEndsOfTheCalendar) {
    struct {
        int Year, Month, Step;
        bool Moved;
        int ExpectedYear, ExpectedMonth;
    } cases[] = {
        {2026, 12, 1, true, 2027, 1}, {2026, 1, -1, true, 2025, 12}, {2026, 5, -17, true, 2024, 12},
        {2026, 5, 24, true, 2028, 5}, {1, 1, -1, false, 1, 1},       {9999, 12, 1, false, 9999, 12},
        {1, 12, -11, true, 1, 1},
    };
    for (const auto& c : cases) {
        int year = c.Year, month = c.Month;
        EXPECT_EQ(StepYearMonth(year, month, c.Step), c.Moved);
        EXPECT_EQ(std::make_pair(year, month), std::make_pair(c.ExpectedYear, c.ExpectedMonth));
    }
}
} // namespace
