// Reminder types: storage, lookup, names the settings file cannot hold as they are, the
// markup of stored reminders, the window's readers of item text and how a stored colour is
// drawn.
#include "ProfileFile.h"
#include "ScreenColour.h"
#include "StoreFixture.h"
#include "TypeRoundTrip.h"

namespace {
class EventTypeTest : public StoreFixture {
  protected:
    std::string Ini() { return folder.WithSeparator() + "calendar.ini"; }
};

TEST_F(EventTypeTest, WithoutCalendarIniTheTableIsTheStarterTypes) {
    LoadEventTypes();
    EXPECT_EQ(EventTypes().size(), 3u);
    EXPECT_EQ(FindEventTypeColour("birthday"), TypePalette()[0]);
    EXPECT_EQ(FindEventTypeColour("Work"), TypePalette()[2]);
}

TEST_F(EventTypeTest, WithoutASectionTheTableIsEmpty) {
    WriteFile("calendar.ini", "[options]\r\ntop=1\r\n");
    LoadEventTypes();
    EXPECT_TRUE(EventTypes().empty());
    EXPECT_TRUE(EventTypesToList().empty());
    EXPECT_EQ(FindEventTypeColour("Birthday"), -1);
}

TEST_F(EventTypeTest, LookupFoldsOnlyLettersAToZAndTakesTheFirstMatch) {
    WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\nHoliday=red\r\n\xC9t\xE9=7\r\nbirthday=65280\r\n");
    LoadEventTypes();
    // A second "birthday" written by hand is a type of its own, found after the first.
    EXPECT_EQ(FindEventTypeColour("birthday"), 255);
    EXPECT_EQ(FindEventTypeColour("BIRTHDAY"), 255);
    EXPECT_EQ(FindEventTypeColour("Holiday"), 0);
    EXPECT_EQ(FindEventTypeColour("\xC9t\xE9"), 7);
    EXPECT_EQ(FindEventTypeColour("\xE9t\xE9"), -1);
    EXPECT_EQ(FindEventTypeColour("Birthday "), -1);
}

TEST_F(EventTypeTest, ATableThatHoldsTypesIsNotReloaded) {
    ListToEventTypes({"Work=5"});
    WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    LoadEventTypes();
    EXPECT_EQ(EventTypesToList(), (std::vector<std::string>{"Work=5"}));
}

TEST_F(EventTypeTest, ListsConvertBothWays) {
    ListToEventTypes({"Birthday=255", "Odd=x", "NoEquals", "-12", "a=b=3", std::string(300, 'n') + "=1"});
    ASSERT_EQ(EventTypes().size(), 6u);
    EXPECT_EQ(EventTypes()[1].Colour, 0);
    EXPECT_EQ(EventTypes()[2].Name, "");
    EXPECT_EQ(EventTypes()[3].Colour, -12);
    EXPECT_EQ(EventTypes()[4].Name, "a");
    EXPECT_EQ(EventTypes()[4].Colour, 0);
    EXPECT_EQ(EventTypes()[5].Name.size(), 255u);
    EXPECT_EQ(EventTypesToList()[0], "Birthday=255");
    ListToEventTypes({});
    EXPECT_TRUE(EventTypes().empty());
}

TEST_F(EventTypeTest, SavingAndLoadingKeepsEveryTypeExactly) {
    const std::vector<TEventType> types = {
        {"Birthday", 255},   {"System", -2147483643}, {"", 1},         {"a=b", 2},   {";note", 3},
        {"[x]", 4},          {"birthday", 5},         {"Birthday", 6}, {" pad ", 7}, {"%1%41", 8},
        {"Line\r\nbreak", 9}};
    ExpectTypesSurviveTheSettingsFile(types);
    // Ordinary names stay readable keys, as other copies of the program expect.
    EXPECT_EQ(ProfileReadString(Ini(), "eventtypes", "Birthday", ""), "255");
}

TEST_F(EventTypeTest, ASecondCopyOfTheSectionDoesNotComeBackAfterASave) {
    WriteFile("calendar.ini", "[eventtypes]\r\nx=1\r\n[options]\r\ntop=1\r\n[eventtypes]\r\nBirthday=255\r\n");
    LoadEventTypes();
    const std::vector<std::string> before = EventTypesToList();
    SaveEventTypes();
    ClearEventTypes();
    LoadEventTypes();
    EXPECT_EQ(EventTypesToList(), before);
}

TEST_F(EventTypeTest, SavingAnEmptyTableLeavesAnEmptySection) {
    ListToEventTypes({"Birthday=255"});
    SaveEventTypes();
    ListToEventTypes({});
    SaveEventTypes();
    EXPECT_TRUE(ProfileReadSection(Ini(), "eventtypes").empty());
}

TEST_F(EventTypeTest, MarkUpTurnsTypesIntoColoursAndBarsIntoIndentedLines) {
    ListToEventTypes({"Birthday=255", "Plain=-5"});
    EXPECT_EQ(MarkUpItemLine("{Birthday}Party|Bring cake", 19), "{255}Party\r\n|20{255}Bring cake");
    EXPECT_EQ(MarkUpItemLine("{Holiday}Trip", 10), "{-1}Trip");
    EXPECT_EQ(MarkUpItemLine("Call {Bob}", 10), "Call {-1}");
    EXPECT_EQ(MarkUpItemLine("a|b|", 4), "a\r\n|5{-1}b\r\n|5{-1}");
    EXPECT_EQ(MarkUpItemLine("{Plain}x|y", 4), "{-5}x\r\n|5{-5}y");
    EXPECT_EQ(MarkUpItemLine("a}b{c|d", 4), "a}b{c\r\n|5{-1}d");
    // A type group stored after a bar colours the whole reminder and is not shown as text.
    EXPECT_EQ(MarkUpItemLine("a|b{Birthday}c", 4), "{255}a\r\n|5{255}bc");
    // A CR and a LF on either side of such a group are one line break, as without it.
    EXPECT_EQ(MarkUpItemLine("a\r{Birthday}\nb", 4), "{255}a\r\n|5{255}b");
    EXPECT_EQ(MarkUpItemLine("", 4), "");
}

TEST_F(EventTypeTest, DigitsAfterABarAreKeptApartFromTheIndent) {
    ListToEventTypes({"Birthday=255"});
    const std::string untyped = MarkUpItemLine("Shopping|2 loaves", 19);
    EXPECT_EQ(untyped, "Shopping\r\n|20{-1}2 loaves");
    EXPECT_EQ(MarkUpItemLine("{Birthday}x|30 candles", 19), "{255}x\r\n|20{255}30 candles");
    // The window's readers show the digits, in the default colour for an untyped reminder.
    struct Fixed : TextMeasure {
        int TextWidth(const std::string& text) const override { return static_cast<int>(text.size()) * 7; }
    } canvas;
    DisplayLine line = ReadDisplayLine(untyped.substr(untyped.find('|')), canvas, 0xFFFFFF);
    EXPECT_EQ(line.text, std::string(20, ' ') + "2 loaves");
    EXPECT_EQ(line.colour, 0xFFFFFF);
    EXPECT_EQ(TooltipText("Monday\r\n" + untyped), "Monday\r\nShopping\r\n2 loaves");
}

TEST_F(EventTypeTest, ItemColourReadsTheFirstGroup) {
    EXPECT_EQ(ItemColour("Mon\r\n{255}Party\r\n{65280}x", 7), 255);
    EXPECT_EQ(ItemColour("{-1}Trip", 7), -1);
    EXPECT_EQ(ItemColour("no groups", 7), 7);
    EXPECT_EQ(ItemColour("{red}", 7), 7);
    EXPECT_EQ(ItemColour("{}", 7), 7);
    EXPECT_EQ(ItemColour("}x{5", 7), 7);
    EXPECT_EQ(ItemColour("{99999999999}", 7), 7);
}

TEST_F(EventTypeTest, StripColourGroupsRemovesEveryCompleteGroup) {
    EXPECT_EQ(StripColourGroups("{255}Party {x} now"), "Party  now");
    EXPECT_EQ(StripColourGroups("a}b{c"), "a}b{c");
    EXPECT_EQ(StripColourGroups("{open"), "{open");
}

TEST_F(EventTypeTest, ExpandIndentsPadsByMeasuredWidthAndAlwaysEnds) {
    struct Proportional : TextMeasure {
        int TextWidth(const std::string& text) const override { return static_cast<int>(text.size()) * 9 + 1; }
    } canvas;
    // Twelve X are 109 pixels wide, one is 10: ten spaces.
    EXPECT_EQ(ExpandIndents("|12{255}x", &canvas, true), std::string(10, ' ') + "{255}x");
    EXPECT_EQ(ExpandIndents("a|12b|3c", nullptr, false), "abc");
    EXPECT_EQ(ExpandIndents("bar|", nullptr, false), "bar");
    EXPECT_EQ(ExpandIndents("|||", &canvas, true), "");
    const std::string huge = ExpandIndents("|99999999999999999999x", &canvas, true);
    EXPECT_EQ(huge.back(), 'x');
    EXPECT_LE(huge.size(), 1030u);
}
// Whatever braces a description holds, each of its lines is drawn in the reminder's own
// colour and shows its own text.
TEST_F(EventTypeTest, ContinuationTextIsNeverTakenForAColour) {
    ListToEventTypes({"Birthday=255", "System=-5"});
    struct Fixed : TextMeasure {
        int TextWidth(const std::string& text) const override { return static_cast<int>(text.size()); }
    } canvas;
    const struct {
        std::string description;
        int32_t colour;
        std::string continuation;
    } cases[] = {
        {"{x}a|{7}c", 9, "{7}c"},          {"{x}a|{b}c", 9, "{b}c"},     {"{x}a|b{c}d", 9, "b{c}d"},
        {"a|b{7}c", 9, "bc"},              {"a}b{|{7}c", 9, "{7}c"},     {"{System}a|{7}c", 9, "{7}c"},
        {"{Birthday}a|{7}c", 255, "{7}c"}, {"{x}a|12 eggs", 9, "12 eggs"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = SplitItemLines(MarkUpItemLine(c.description, 3));
        ASSERT_EQ(lines.size(), 2u) << c.description;
        const DisplayLine shown = ReadDisplayLine(lines[1], canvas, 9);
        EXPECT_EQ(shown.text, "    " + c.continuation) << c.description;
        EXPECT_EQ(shown.colour, c.colour) << c.description;
        // The tooltip shows the same text, without the indent.
        EXPECT_EQ(SplitItemLines(TooltipText("Monday\r\n" + lines[0] + "\r\n" + lines[1]))[2], c.continuation)
            << c.description;
        // A day whose first reminder is this one takes its colour, not one from its text.
        EXPECT_EQ(ItemColour("Monday\r\n" + lines[0] + "\r\n" + lines[1], 9) == 255, c.colour == 255)
            << c.description;
    }
}

// The desktop window and the dialogs draw a type's colour by this one rule, so a swatch in a
// dialog shows what the day shows on the desktop.
TEST(ScreenColourTest, AStoredColourIsDrawnInItsLowBytesOrTheSystemColourItNames) {
    const auto system = [](int index) { return 0xA00000u + static_cast<uint32_t>(index); };
    const struct {
        int32_t stored;
        uint32_t drawn;
    } cases[] = {
        {255, 0x0000FF},
        {0xFFFFFF, 0xFFFFFF},
        {0, 0},
        {-1, 0xFFFFFF}, // a type not in the table: white, as the window draws it
        {-2, 0xFFFFFE},
        {0x12345678, 0x345678},
        {static_cast<int32_t>(0x80000005u), 0xA00005}, // the window background
        {INT32_MIN, 0xA00000},
        {static_cast<int32_t>(0x8000001Eu), 0xA0001E},
        {static_cast<int32_t>(0x8000001Fu), 0}, // past the system's colours: black
        {static_cast<int32_t>(0x800000FFu), 0},
        {static_cast<int32_t>(0x81000005u), 0x000005}, // not the system byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenColourOf(c.stored, system), c.drawn) << c.stored;
}
} // namespace
