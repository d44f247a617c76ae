// The spin edit's reading of its text and the colour combo box's named colours.
#include "WidgetValues.h"

#include <gtest/gtest.h>

namespace {
TEST(WidgetValuesTest, ASpinEditTextReadsAsANumberBroughtIntoRange) {
    struct {
        const char* Text;
        int Low, High, Expected;
    } cases[] = {
        {"12", 6, 72, 12},
        {"100", 6, 72, 72},
        {"2", 6, 72, 6},
        {"", 6, 72, 6},
        {"abc", 6, 72, 6},
        {"1x", 0, 200, 0},
        {" 42 ", 0, 200, 42},
        {"-5", 0, 250, 0},
        {"+7", 0, 250, 7},
        {"-", 0, 250, 0},
        {"0072", 6, 72, 72},
        {"250", 0, 250, 250},
        // Far beyond any int: held at the bound, never wrapped into range.
        {"99999999999999999999", 0, 200, 200},
        {"4294967302", 0, 200, 200},
        {"5", 9, 3, 9}, // a range given upside down counts as its lower bound
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpinEditValue(c.Text, c.Low, c.High), c.Expected) << '"' << c.Text << '"';
}

TEST(WidgetValuesTest, AColourSelectsItsFirstEntryAndAForeignOneIsNamedByItsValue) {
    ASSERT_EQ(StandardColours().size(), 18u);
    EXPECT_STREQ(StandardColours()[0].Name, "Black");
    EXPECT_STREQ(StandardColours()[17].Name, "White");
    EXPECT_EQ(StandardColourIndex(0xC0C0C0), 8); // Silver, not LtGray
    EXPECT_EQ(StandardColourIndex(0x808080), 7); // Gray, not DkGray
    EXPECT_EQ(StandardColourIndex(0x0000FF), 9); // Red in 0x00BBGGRR
    EXPECT_EQ(StandardColourIndex(0xFFFFFF), 17);
    EXPECT_EQ(StandardColourIndex(0x123456), -1);
    EXPECT_EQ(StandardColourIndex(-1), -1);
    EXPECT_EQ(ForeignColourName(0x123456), "Custom #563412");
    EXPECT_EQ(ForeignColourName(-1), "Custom -1");
}
} // namespace
