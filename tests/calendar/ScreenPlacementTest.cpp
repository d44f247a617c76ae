// Where the desktop window may stand: kept where it is while it can be reached, otherwise
// brought whole onto the nearest monitor's work area.
#include "ScreenPlacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {
// One 1280 x 1024 monitor whose bottom 40 pixels are a taskbar, and a second one of
// 1920 x 1080 to its right, a little higher up.
const TScreenRect primary{0, 0, 1280, 984};
const TScreenRect second{1280, -56, 3200, 1024};

TScreenRect WindowAt(int left, int top, int width = 215, int height = 271) {
    return {left, top, left + width, top + height};
}

struct TPlacementCase {
    const char* What;
    TScreenRect Window;
    std::vector<TScreenRect> WorkAreas;
    TScreenPoint Expected;
};

TEST(ScreenPlacementTest, AReachableWindowStaysAndALostOneComesBackWhole) {
    const TPlacementCase cases[] = {
        {"inside the screen", WindowAt(40, 40), {primary}, {40, 40}},
        {"the settings' default, one pixel beyond the corner",
         WindowAt(-1, -1),
         {primary},
         {-1, -1}},
        {"half off the left edge", WindowAt(-100, 300), {primary}, {-100, 300}},
        {"the position a too large window left behind", WindowAt(-1996, -2252), {primary}, {0, 0}},
        {"far beyond the bottom right", WindowAt(5000, 5000), {primary}, {1280 - 215, 984 - 271}},
        {"off the left edge at its own height", WindowAt(-900, 300), {primary}, {0, 300}},
        {"a sliver at the right edge", WindowAt(1270, 300), {primary}, {1280 - 215, 300}},
        {"only on the taskbar", WindowAt(400, 990, 215, 30), {primary}, {400, 984 - 30}},
        {"exactly the minimum on screen",
         WindowAt(1280 - MinimumVisiblePart, 300),
         {primary},
         {1280 - MinimumVisiblePart, 300}},
        {"larger than the work area", WindowAt(-5000, 200, 3000, 2000), {primary}, {0, 0}},
        {"on the second monitor", WindowAt(2000, -40), {primary, second}, {2000, -40}},
        {"beyond the second monitor goes to it, not the first",
         WindowAt(4000, 400),
         {primary, second},
         {3200 - 215, 400}},
        {"above both, nearer the second", WindowAt(2500, -3000), {primary, second}, {2500, -56}},
        {"no work area known", WindowAt(-1996, -2252), {}, {-1996, -2252}},
        {"at the far ends of the coordinates",
         WindowAt(INT_MIN / 2, INT_MAX / 2),
         {primary},
         {0, 984 - 271}},
    };
    for (const TPlacementCase& c : cases) {
        const TScreenPoint placed = PlaceOnScreen(c.Window, c.WorkAreas);
        EXPECT_EQ(placed.Left, c.Expected.Left) << c.What;
        EXPECT_EQ(placed.Top, c.Expected.Top) << c.What;
    }
}

TEST(ScreenPlacementTest, TheWindowNeverCoversAWholeMonitorNorReachesBeyondAllOfThem) {
    const TScreenRect primaryMonitor{0, 0, 1280, 1024};
    const TScreenRect secondMonitor{1280, -56, 3200, 1024};
    const struct {
        const char* What;
        TScreenSize Window;
        std::vector<TScreenRect> Monitors;
        TScreenSize Expected;
    } cases[] = {
        {"an ordinary window", {215, 271}, {primaryMonitor}, {215, 271}},
        {"the largest font with the longest list", {3136, 25000}, {primaryMonitor}, {1280, 1023}},
        {"exactly a monitor's size", {1280, 1024}, {primaryMonitor}, {1280, 1023}},
        {"as wide as a monitor only", {1280, 600}, {primaryMonitor}, {1280, 600}},
        {"across two monitors, shorter than the smaller",
         {3136, 25000},
         {primaryMonitor, secondMonitor},
         {3136, 1023}},
        {"wider than both monitors", {4000, 300}, {primaryMonitor, secondMonitor}, {3200, 300}},
        {"no monitor known", {3136, 25000}, {}, {3136, 25000}},
    };
    for (const auto& c : cases) {
        const TScreenSize fitted = FitWindowSize(c.Window, c.Monitors);
        EXPECT_EQ(fitted.Width, c.Expected.Width) << c.What;
        EXPECT_EQ(fitted.Height, c.Expected.Height) << c.What;
    }
}

// The window holds each size to the range the options dialog offers for it, so a value the
// dialog can produce is drawn as given and nothing else is.
TEST(ScreenPlacementTest, TheWindowsRangesAreTheOptionsDialogsRanges) {
    std::ifstream form(VELMORA_SOURCE_DIR "/tools/forms/TOptionsForm.txt");
    ASSERT_TRUE(form) << "the options dialog's description";
    const std::string text((std::istreambuf_iterator<char>(form)),
                           std::istreambuf_iterator<char>());
    const struct {
        const char* Spin;
        TSizeRange Range;
    } spins[] = {{"FontSizeSpin", FontSizeRange},
                 {"TooltipFontSizeSpin", TooltipSizeRange},
                 {"ListCountSpin", ListCountRange},
                 {"HSpacingSpin", SpacingRange},
                 {"VSpacingSpin", SpacingRange}};
    for (const auto& spin : spins) {
        const size_t component = text.find(std::string(spin.Spin) + " : spinedit {");
        ASSERT_NE(component, std::string::npos) << spin.Spin;
        const size_t range = text.find("range = ", component);
        ASSERT_LT(range, text.find('}', component)) << spin.Spin;
        int minimum = 0, maximum = 0;
        ASSERT_EQ(std::sscanf(text.c_str() + range, "range = %d, %d", &minimum, &maximum), 2);
        EXPECT_EQ(spin.Range.Minimum, minimum) << spin.Spin;
        EXPECT_EQ(spin.Range.Maximum, maximum) << spin.Spin;
        EXPECT_EQ(spin.Range.Hold(maximum + 9999), maximum) << spin.Spin;
        EXPECT_EQ(spin.Range.Hold(INT32_MIN), minimum) << spin.Spin;
    }
}
} // namespace
