// The date texts of both queries follow the user's locale: run once per locale by CTest,
// each run checks what that locale's own formats give.
#include "DatePattern.h"
#include "DateUtils.h"
#include "Locale.h"
#include "Queries.h"
#include "WineTestSupport.h"

#include <gtest/gtest.h>

namespace {
class LocaleOnWindows : public testing::Test {
  protected:
    LocaleOnWindows() { ClearStore(); }
    ~LocaleOnWindows() override { ClearStore(); }
    std::string Coming(double date) {
        std::string text;
        EXPECT_TRUE(BuildComingUpText(1, date, &text));
        return text;
    }
    std::string Heading(double date) {
        std::string text;
        EXPECT_TRUE(BuildItemsText(date, &text));
        return text;
    }
};

TEST_F(LocaleOnWindows, DatesFollowTheUserLocale) {
    WriteStoreFile("data\\2007-09-03.txt", "Dentist\r\n");
    const double date = EncodeDate(2007, 9, 3);
    switch (GetUserDefaultLangID()) {
    case 0x0409: // English (United States): M/d/yyyy
        EXPECT_EQ(DateSeparator(), '/');
        EXPECT_EQ(Coming(date), "9/3 Dentist");
        EXPECT_EQ(FormatDatePattern("ddddd", date), "9/3/2007");
        EXPECT_EQ(Heading(date), "Monday September 3 2007\r\nDentist");
        break;
    case 0x0C09: // English (Australia): dd/MM/yyyy, "Sept"
        EXPECT_EQ(Coming(date), "03/09 Dentist");
        EXPECT_EQ(FormatDatePattern("d mmm yy", date), "3 Sept 07");
        break;
    case 0x0413: // Dutch: d-M-yyyy with "-" as the separator
        EXPECT_EQ(DateSeparator(), '-');
        EXPECT_EQ(Coming(date), "3-9 Dentist");
        EXPECT_EQ(FormatDatePattern("dd/mm/yyyy", date), "03-09-2007");
        EXPECT_EQ(Heading(date).substr(0, Heading(date).find("\r\n")), "maandag 3 september 2007");
        break;
    default:
        ADD_FAILURE() << "no expectations for language " << GetUserDefaultLangID();
    }
}
} // namespace
