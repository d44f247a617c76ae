// The abbreviation that names a language module ("Tools.ENA"), on both sides of the seam:
// built into the native tests and into a Windows test program, so the stand-in cannot drift
// from what the system answers.
#include "Locale.h"

#include <gtest/gtest.h>

namespace {
TEST(LanguageAbbreviationTest, KnownLanguagesHaveTheirThreeLetters) {
    const struct {
        int languageId;
        const char* abbreviation;
    } cases[] = {
        {0x0409, "ENU"}, {0x0809, "ENG"}, {0x0C09, "ENA"},
        {0x0413, "NLD"}, {0x0407, "DEU"}, {0x040C, "FRA"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageAbbreviation(c.languageId), c.abbreviation) << c.languageId;
}

TEST(LanguageAbbreviationTest, AnUnknownLanguageHasNone) {
    EXPECT_EQ(LanguageAbbreviation(0x7BFF), "");
}
} // namespace
