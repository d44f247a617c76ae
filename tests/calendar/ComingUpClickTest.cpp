// Clicks on the Coming Up list: the line hit and the date it stands for.
#include "ComingUpClick.h"

#include "DateUtils.h"
#include "PortableTestHooks.h"
#include "StartupCheck.h"

#include <gtest/gtest.h>

namespace {
class ComingUpClickTest : public testing::Test {
  protected:
    void SetUp() override { SetPortableLocale(PortableLocale()); }
    void UseShortDate(const std::string& format, char separator) {
        PortableLocale locale;
        locale.shortDateFormat = format;
        locale.dateSeparator = separator;
        SetPortableLocale(locale);
    }
    std::string Read(const std::string& line, double displayDate) {
        double date;
        if (!ComingUpLineDate(line, displayDate, &date)) return "none";
        int year, month, day;
        DecodeDate(date, &year, &month, &day);
        return std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year);
    }
};

TEST_F(ComingUpClickTest, LinesAreCountedFromWhereTheyAreDrawn) {
    // A navigation row 27 pixels high ending at 200, lines 15 pixels high.
    EXPECT_EQ(ComingUpLineIndex(199, 200, 15), -1);
    EXPECT_EQ(ComingUpLineIndex(200, 200, 15), 0);
    // 24 pixels below the row's top (173) would already count as the second line.
    EXPECT_EQ(ComingUpLineIndex(212, 200, 15), 0);
    EXPECT_EQ(ComingUpLineIndex(215, 200, 15), 1);
    EXPECT_EQ(ComingUpLineIndex(244, 200, 15), 2);
    EXPECT_EQ(ComingUpLineIndex(210, 200, 0), -1);
}

TEST_F(ComingUpClickTest, ReadingFormatPutsTheYearLast) {
    UseShortDate("d/MM/yyyy", '/');
    EXPECT_EQ(ComingUpReadingFormat(), "d/MM/yyyy");
    UseShortDate("yyyy-MM-dd", '-');
    EXPECT_EQ(ComingUpReadingFormat(), "MM-dd-yyyy");
    UseShortDate("M/d/yy", '/');
    EXPECT_EQ(ComingUpReadingFormat(), "M/d/yyyy");
}

TEST_F(ComingUpClickTest, MonthNamesBecomeNumbersWhateverTheirCase) {
    EXPECT_EQ(MonthNamesToNumbers("05-mar-2026"), "05-3-2026");
    EXPECT_EQ(MonthNamesToNumbers("DEC/Jan"), "12/1");
}

TEST_F(ComingUpClickTest, ALineEarlierThanTheShownDayBelongsToNextYear) {
    const double december20 = EncodeDate(2025, 12, 20) + 0.5;
    EXPECT_EQ(Read("1/3 {255}Party", december20), "3/1/2026");
    EXPECT_EQ(Read("12/20 Today's own", december20), "20/12/2025");
    EXPECT_EQ(Read("12/24 Eve", december20), "24/12/2025");
}

TEST_F(ComingUpClickTest, OtherLocalesOrdersAndNames) {
    UseShortDate("d/MM/yyyy", '/');
    EXPECT_EQ(Read("3/01 Dentist", EncodeDate(2026, 1, 2)), "3/1/2026");
    UseShortDate("yyyy-MM-dd", '-');
    EXPECT_EQ(Read("02-14 Flowers", EncodeDate(2026, 1, 2)), "14/2/2026");
    UseShortDate("dd-MMM-yy", '-');
    EXPECT_EQ(Read("05-Mar Taxes", EncodeDate(2026, 1, 2)), "5/3/2026");
}

TEST_F(ComingUpClickTest, ADateOfAnotherYearIsReadWithItsOwnYear) {
    const double december20 = EncodeDate(2025, 12, 20);
    EXPECT_EQ(Read("1/3/2027 Far ahead", december20), "3/1/2027");
    EXPECT_EQ(Read("1/3/2024 Never listed, still read", december20), "3/1/2024");
    UseShortDate("dd-MMM-yy", '-');
    EXPECT_EQ(Read("05-Mar-27 Taxes", december20), "5/3/2027");
    EXPECT_EQ(Read("05-Mar-99 Taxes", EncodeDate(2070, 1, 1)), "5/3/2099");
    UseShortDate("yyyy-MM-dd", '-');
    EXPECT_EQ(Read("2027-02-14 Flowers", december20), "14/2/2027");
}

TEST_F(ComingUpClickTest, LinesWithoutADateChangeNothing) {
    const double date = EncodeDate(2026, 1, 2);
    EXPECT_EQ(Read("|6{255}Bring cake", date), "none");
    EXPECT_EQ(Read("      bring 2 copies", date), "none");
    EXPECT_EQ(Read("2/30 Not a day", date), "none");
    EXPECT_EQ(Read("", date), "none");
    EXPECT_EQ(Read("1/2/3 Too many fields", date), "none");
}

TEST(StartupCheckTest, OnlyAFirstNoVersionArgumentSkipsTheCheck) {
    EXPECT_TRUE(SkipsVersionCheck({"/NoVersion"}));
    EXPECT_TRUE(SkipsVersionCheck({"/noversion", "other"}));
    EXPECT_FALSE(SkipsVersionCheck({"other", "/noversion"}));
    EXPECT_FALSE(SkipsVersionCheck({}));
}

TEST(StartupCheckTest, OldSystemsAreRefusedWithTheirNumbers) {
    EXPECT_EQ(VersionCheckReason(2, 5), "");
    EXPECT_EQ(VersionCheckReason(2, 10), "");
    EXPECT_EQ(VersionCheckReason(1, 5), "Windows 2000/XP required.");
    EXPECT_EQ(InitialisationErrorText(VersionCheckReason(2, 4), 2, 4),
              "There was an error during initialisation.\r\n\r\nWindows 2000/XP required.\r\n"
              "Platform Id:2\r\nVersion:    4");
}
} // namespace
