// Calendar arithmetic and date-pattern formatting.
#include "DatePattern.h"
#include "StoreFixture.h"

namespace {
TEST(DateUtils, MonthLengthsFollowTheGregorianRule) {
    const int expected[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) EXPECT_EQ(DaysInMonth(2007, month), expected[month - 1]);
    EXPECT_EQ(DaysInMonth(2008, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
}

// Fixed dates are constants of the compiler's, so no static initialiser can see them unmade.
static_assert(EncodeDate(1899, 12, 30) == 0.0 && EncodeDate(1, 1, 1) == FirstOleDate &&
                  EncodeDate(9999, 12, 31) == LastOleDate &&
                  EncodeDate(100, 1, 1) == FirstSystemDate,
              "the date limits are the dates they name");

TEST(DateUtils, OleDatesRoundTripAndKnowTheirWeekday) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2007, 3, 5), 39146.0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2007, 3, 5)), 2); // a Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2007, 4, 1)), 1); // a Sunday
    for (double date = -1000; date < 80000; date += 37) {
        int year, month, day;
        DecodeDate(date + 0.75, &year, &month, &day);
        EXPECT_EQ(EncodeDate(year, month, day), date);
    }
    EXPECT_THROW(EncodeDate(2007, 2, 30), VelmoraError);
    EXPECT_THROW(EncodeDate(2007, 13, 1), VelmoraError);
}

class DatePatternTest : public StoreFixture {};

TEST_F(DatePatternTest, EveryRunLengthOfEveryLetter) {
    const double date = Date(2007, 3, 5);
    EXPECT_EQ(FormatDatePattern("d dd ddd dddd", date), "5 05 Mon Monday");
    EXPECT_EQ(FormatDatePattern("m mm mmm mmmm", date), "3 03 Mar March");
    EXPECT_EQ(FormatDatePattern("y yy yyy yyyy", date), "07 07 2007 2007");
    EXPECT_EQ(FormatDatePattern("D-M-Y", date), "5-3-07");
    EXPECT_EQ(FormatDatePattern("ddddd", date), "3/5/2007");
    EXPECT_EQ(FormatDatePattern("dddddd", date), "Monday, March 5, 2007");
    EXPECT_EQ(FormatDatePattern("", date), "3/5/2007");
}

TEST_F(DatePatternTest, SeparatorQuotesAndOtherCharacters) {
    PortableLocale dutch;
    dutch.dateSeparator = '-';
    dutch.shortDateFormat = "d-M-yyyy";
    SetPortableLocale(dutch);
    const double date = Date(2007, 12, 24);
    EXPECT_EQ(FormatDatePattern("dd/mm/yyyy", date), "24-12-2007");
    EXPECT_EQ(FormatDatePattern("'day' d \"of\" mmmm, yyyy!", date), "day 24 of December, 2007!");
    EXPECT_EQ(FormatDatePattern("ddddd", date), "24-12-2007");
}

TEST_F(DatePatternTest, LocaleNamesAreUsed) {
    PortableLocale australian;
    australian.shortMonthNames[8] = "Sept";
    SetPortableLocale(australian);
    EXPECT_EQ(FormatDatePattern("d mmm", Date(2007, 9, 3)), "3 Sept");
}
} // namespace
