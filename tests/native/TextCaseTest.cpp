// The one case rule of the program's names: equality, prefixes and suffixes, and the order in
// which names are listed.
#include "TextCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(TextCase, OnlyAToZHaveACaseAndNamesListInOneTotalOrder) {
    struct Case {
        const char* a;
        const char* b;
        bool same;   // equal ignoring case
        bool before; // a is listed before b
    };
    const Case cases[] = {
        {"BIRTHDAY", "birthday", true, true}, // equal but for case: the bytes decide, upper
        {"Birthday", "birthday", true, true}, // case first, whatever order they came in
        {"birthday", "Birthday", true, false},
        {"_Private", "Anniversary", false, true}, // the marks between Z and a before letters,
        {"a_b", "ab", false, true},               // as in the system's sorted lists
        {"[", "Z", false, true},
        {"Holiday", "holidays", false, true},    // a prefix first
        {"\xC9t\xE9", "\xE9t\xE9", false, true}, // no case beyond A to Z: bytes
        {"", "a", false, true},
        {"same", "same", true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameTextIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(BeforeIgnoringCase(c.a, c.b), c.before) << c.a << " / " << c.b;
        EXPECT_EQ(BeforeIgnoringCase(c.b, c.a), !c.before && std::string(c.a) != c.b)
            << c.b << " / " << c.a;
    }
    EXPECT_TRUE(BeginsWithIgnoringCase("<Startup>\\Calendar", "<STARTUP>"));
    EXPECT_TRUE(EndsWithIgnoringCase("20070305.DAT", ".dat"));

    // A list's order does not depend on the order its names came in.
    std::vector<std::string> names = {"work", "_draft", "Work", "anniversary", "WORK", "Birthday"};
    std::vector<std::string> reversed(names.rbegin(), names.rend());
    std::stable_sort(names.begin(), names.end(), BeforeIgnoringCase);
    std::stable_sort(reversed.begin(), reversed.end(), BeforeIgnoringCase);
    EXPECT_EQ(names, (std::vector<std::string>{"_draft", "anniversary", "Birthday", "WORK", "Work",
                                               "work"}));
    EXPECT_EQ(reversed, names);
}
