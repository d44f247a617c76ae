// The profile-file behaviour the settings rely on. The same cases run natively against our
// stand-in and under Wine against the system's profile API, so the two cannot drift apart.
#include "ProfileFile.h"
#include "TestFolder.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <gtest/gtest.h>

namespace {
class ProfileFileTest : public testing::Test {
  protected:
    std::string Write(const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    TestFolder folder;
    std::string path = folder.File("settings.ini");
};

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(ProfileReadString(path, "options", "font", "Arial"), "Arial");
    Write("[options]\r\nfont=Verdana\r\n");
    EXPECT_EQ(ProfileReadString(path, "other", "font", "Arial"), "Arial");
    EXPECT_EQ(ProfileReadString(path, "options", "size", "10"), "10");
    EXPECT_TRUE(ProfileReadSection(path, "other").empty());
}

TEST_F(ProfileFileTest, SectionsAndKeysIgnoreLetterCase) {
    Write("[Options]\r\nFontColour=255\r\n");
    EXPECT_EQ(ProfileReadString(path, "options", "fontcolour", ""), "255");
    EXPECT_EQ(ProfileReadString(path, "OPTIONS", "FONTCOLOUR", ""), "255");
    ProfileWriteString(path, "options", "FONTCOLOUR", "0");
    EXPECT_EQ(ProfileReadSection(path, "options").size(), 1u);
    EXPECT_EQ(ProfileReadString(path, "options", "fontcolour", ""), "0");
}

TEST_F(ProfileFileTest, AValueLongerThanTheBufferIsCut) {
    Write("[options]\r\nfont=" + std::string(300, 'a') + "\r\n");
    EXPECT_EQ(ProfileReadString(path, "options", "font", "", 256), std::string(255, 'a'));
    EXPECT_EQ(ProfileReadString(path, "options", "font", "", 1000), std::string(300, 'a'));
}

TEST_F(ProfileFileTest, SpacesAndOnePairOfQuotesAroundValuesAreDropped) {
    Write("[options]\r\n  font  =   Times New Roman   \r\ndouble=\"quoted value\"\r\n"
          "single='x'\r\nunbalanced=\"open\r\n");
    EXPECT_EQ(ProfileReadString(path, "options", "font", ""), "Times New Roman");
    EXPECT_EQ(ProfileReadString(path, "options", "double", ""), "quoted value");
    EXPECT_EQ(ProfileReadString(path, "options", "single", ""), "x");
    EXPECT_EQ(ProfileReadString(path, "options", "unbalanced", ""), "\"open");
    ProfileWriteString(path, "options", "spaced", "  padded  ");
    EXPECT_EQ(ProfileReadString(path, "options", "spaced", ""), "padded");
}

TEST_F(ProfileFileTest, CommentsAreNotListed) {
    Write("[eventtypes]\r\n; birthdays in red\r\nBirthday=255\r\n;Work=1\r\nHoliday=65280\r\n");
    EXPECT_EQ(ProfileReadSection(path, "eventtypes"),
              (std::vector<std::string>{"Birthday=255", "Holiday=65280"}));
}

TEST_F(ProfileFileTest, RewritingAKeyKeepsItsPlaceAndNewKeysGoToTheEndOfTheSection) {
    ProfileWriteString(path, "options", "a", "1");
    ProfileWriteString(path, "options", "b", "2");
    ProfileWriteString(path, "other", "x", "9");
    ProfileWriteString(path, "options", "c", "3");
    ProfileWriteString(path, "options", "a", "10");
    EXPECT_EQ(ProfileReadSection(path, "options"), (std::vector<std::string>{"a=10", "b=2", "c=3"}));
    EXPECT_EQ(ProfileReadSection(path, "other"), (std::vector<std::string>{"x=9"}));
}

TEST_F(ProfileFileTest, ErasingASectionLeavesTheOthers) {
    ProfileWriteString(path, "options", "a", "1");
    ProfileWriteString(path, "eventtypes", "Birthday", "255");
    ProfileWriteString(path, "tail", "z", "26");
    ProfileEraseSection(path, "eventtypes");
    EXPECT_TRUE(ProfileReadSection(path, "eventtypes").empty());
    EXPECT_EQ(ProfileReadString(path, "eventtypes", "Birthday", "none"), "none");
    EXPECT_EQ(ProfileReadString(path, "options", "a", ""), "1");
    EXPECT_EQ(ProfileReadString(path, "tail", "z", ""), "26");
    ProfileWriteString(path, "eventtypes", "Work", "-5");
    EXPECT_EQ(ProfileReadSection(path, "eventtypes"), (std::vector<std::string>{"Work=-5"}));
}

TEST_F(ProfileFileTest, ALongSectionIsListedWhole) {
    std::string content = "[eventtypes]\r\n";
    for (int i = 0; i < 3000; ++i) content += "Type" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    Write(content);
    std::vector<std::string> lines = ProfileReadSection(path, "eventtypes");
    ASSERT_EQ(lines.size(), 3000u);
    EXPECT_EQ(lines.back(), "Type2999=2999");
}
} // namespace

namespace {
TEST_F(ProfileFileTest, SectionListingShowsValuesAsStored) {
    Write("[options]\r\n  font  =  \"Times New Roman\"  \r\nsize=12\r\nSIZE=14\r\n");
    EXPECT_EQ(ProfileReadSection(path, "options"),
              (std::vector<std::string>{"font=\"Times New Roman\"", "size=12", "SIZE=14"}));
}
} // namespace

namespace {
TEST_F(ProfileFileTest, ASectionReadAtOnceGivesWhatEachKeyReadGives) {
    Write("[options]\r\n  font  =  \"Times New Roman\"  \r\nsize=12\r\nSIZE=14\r\nquote='x'\r\n"
          "odd=\"open\r\nlong=" + std::string(300, 'l') + "\r\nempty=\r\n; size=99\r\n[other]\r\nmissing=1\r\n");
    const ProfileSection section(path, "OPTIONS");
    for (const char* key : {"font", "size", "Size", "quote", "odd", "long", "empty", "missing"}) {
        EXPECT_EQ(section.Read(key, "default"), ProfileReadString(path, "options", key, "default")) << key;
        EXPECT_EQ(section.Read(key, "default", 256), ProfileReadString(path, "options", key, "default", 256)) << key;
    }
}
} // namespace

namespace {
// Sections read together list exactly what the API lists one by one, whether the file is in
// the plain form split in one read or in any other form left to the API.
TEST_F(ProfileFileTest, SectionsReadTogetherListWhatEachSectionReadLists) {
    const std::vector<std::string> contents = {
        "[eventtypes]\r\nBirthday=255\r\nWork=-5\r\n\r\n[options]\r\ntop=120\r\ndateformat=dddd, d mmmm yyyy\r\n",
        "[options]\nfont=\"Times New Roman\"\nempty=\nsize=12\nSIZE=14\nexpr=a=b\n[eventtypes]\n%0%41=1",
        "[options]\r\n  font  =  Arial  \r\n[eventtypes]\r\nA=1\r\n",
        "[options]\r\n; a comment\r\nfont=Arial\r\n",
        "[Options]\r\nfont=Arial\r\n[EVENTTYPES]\r\nA=1\r\n",
        "[options]\r\nfont=Arial\r\n[options]\r\nsize=12\r\n",
        "[options]\r\nfont=Ar\tial\r\nname=F\xEAte\r\n",
        "\xEF\xBB\xBF[options]\r\nfont=Arial\r\n",
        "stray=1\r\n[options]\r\nfont=Arial\r\n",
        "[options]\r\nnoequals\r\nfont=Arial\r\n",
        "[ options ]\r\nfont=Arial\r\n[eventtypes] trailing\r\nA=1\r\n",
        "[options]\rfont=Arial\r\n",
        "",
    };
    for (const std::string& content : contents) {
        Write(content);
        const ProfileFileSections file(path);
        for (const char* section : {"options", "eventtypes", "OPTIONS", "absent"})
            EXPECT_EQ(file.Section(section), ProfileReadSection(path, section)) << content << " [" << section << "]";
    }
    std::remove(path.c_str());
    EXPECT_EQ(ProfileFileSections(path).Section("options"), ProfileReadSection(path, "options"));
}

// Readers take "the file is there" from the one read instead of asking the disk again: a
// missing file and a folder in its place must never count as read.
TEST_F(ProfileFileTest, OnlyAFileThatIsThereCountsAsReadWhole) {
    EXPECT_FALSE(ProfileFileSections(path).ReadWhole());
    std::filesystem::create_directory(path);
    EXPECT_FALSE(ProfileFileSections(path).ReadWhole());
    std::filesystem::remove(path);
    for (const std::string& content : {std::string("[options]\r\nfont=Arial\r\n"), std::string()}) {
        Write(content);
        const ProfileFileSections file(path);
        EXPECT_TRUE(file.ReadWhole()) << content;
        EXPECT_EQ(file.Section("options"), ProfileReadSection(path, "options")) << content;
    }
}

// The file the program itself writes must take the single read, or every query pays twice.
TEST_F(ProfileFileTest, AFileWrittenThroughTheApiIsInThePlainForm) {
    ProfileWriteString(path, "eventtypes", "Birthday", "255");
    ProfileWriteString(path, "eventtypes", "%1%42697274686461", "-5");
    ProfileWriteString(path, "options", "dateformat", "dddd, d mmmm yyyy");
    ProfileWriteString(path, "options", "font", "Times New Roman");
    ProfileWriteString(path, "options", "top", "-1");
    std::ifstream in(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(IsPlainProfileText(content)) << content;
    EXPECT_EQ(PlainProfileSection(content, "options"),
              (std::vector<std::string>{"dateformat=dddd, d mmmm yyyy", "font=Times New Roman", "top=-1"}));
}
} // namespace

namespace {
std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Sections replaced in one step: each name once afterwards, with exactly the lines given, and
// everything else in the file still read as before.
TEST_F(ProfileFileTest, ReplacedSectionsHoldTheirLinesOnceAndTheRestIsKept) {
    struct Case {
        const char* before;
        std::vector<std::string> options, eventtypes; // what each section is to hold
    };
    const Case cases[] = {
        {"", {"top=1", "font=Arial"}, {"Birthday=255"}},
        {"[options]\r\ntop=9\r\n[other]\r\n; kept\r\nx=1\r\n[eventtypes]\r\nOld=1\r\n", {"top=1"}, {"New=2"}},
        {"[eventtypes]\r\nA=1\r\n[options]\r\ntop=9\r\n[other]\r\nx=1\r\n[EventTypes]\r\nStale=5\r\n[OPTIONS]\r\n"
         "top=8\r\n",
         {"top=1", "mine=kept"},
         {"B=2"}},
        {"[other]\r\nx=1\r\n[eventtypes]\r\nA=1\r\n[eventtypes]\r\nB=2\r\n", {"top=1"}, {}},
        {"[options]\nnoequals\ntop=9\n[other]\nx=1\n", {"noequals", " top = 1 ", "%0%41=-5"}, {"C=3"}},
    };
    for (const Case& c : cases) {
        if (*c.before) Write(c.before);
        else std::remove(path.c_str());
        ProfileReplaceSections(path, {{"options", c.options}, {"eventtypes", c.eventtypes}});
        std::vector<std::string> expected;
        for (const std::string& line : c.options)
            if (line.find('=') != std::string::npos) expected.push_back(line == " top = 1 " ? "top=1" : line);
        EXPECT_EQ(ProfileReadSection(path, "options"), expected) << c.before;
        EXPECT_EQ(ProfileReadSection(path, "eventtypes"), c.eventtypes) << c.before;
        const std::string after = Content(path);
        size_t headers = 0;
        for (const char* name : {"[options]", "[OPTIONS]", "[eventtypes]", "[EventTypes]"})
            for (size_t at = after.find(name); at != std::string::npos; at = after.find(name, at + 1)) ++headers;
        EXPECT_EQ(headers, c.eventtypes.empty() ? 1u : 2u) << after;
        if (std::string(c.before).find("[other]") != std::string::npos) {
            EXPECT_EQ(ProfileReadString(path, "other", "x", ""), "1") << after;
        }
        EXPECT_FALSE(std::ifstream(path + ".new").good());
    }
}
} // namespace

namespace {
// The save builds the whole file itself: what lies outside the replaced sections, in whatever
// form the user left it, comes through byte for byte and still reads as before.
TEST_F(ProfileFileTest, EverythingOutsideTheReplacedSectionsComesThroughByteForByte) {
    const std::string head = "; made by hand\n[Other]\n  spaced = value  \r\nnoequals\r\n\r\n";
    const std::string tail = "[last]\r\nx=\"quoted\"\n";
    Write(head + "[options]\r\ntop=9\r\n\r\n" + tail);
    ProfileReplaceSections(path, {{"options", {"top=1", "font=Arial"}}, {"eventtypes", {"A=1"}}});
    const std::string after = Content(path);
    EXPECT_EQ(after, head + "[options]\r\ntop=1\r\nfont=Arial\r\n\r\n" + tail + "\r\n[eventtypes]\r\nA=1\r\n");
    EXPECT_EQ(ProfileReadSection(path, "options"), (std::vector<std::string>{"top=1", "font=Arial"}));
    EXPECT_EQ(ProfileReadString(path, "other", "spaced", ""), "value");
    EXPECT_EQ(ProfileReadString(path, "last", "x", ""), "quoted");
    EXPECT_EQ(ProfileReadSection(path, "eventtypes"), std::vector<std::string>{"A=1"});
}
} // namespace
namespace {
// A header is "[" up to "]", its name compared without the blanks around it; a line that only
// starts with "[" belongs to the section before it. The save reads headers by the same rule.
TEST_F(ProfileFileTest, HeadersAreReadAndReplacedByOneRule) {
    Write("[ options ]\r\nfont=Spaced\r\n[other\r\nsize=1\r\n[kept]\r\nk=1\r\n");
    EXPECT_EQ(ProfileReadString(path, "options", "font", "none"), "Spaced");
    EXPECT_EQ(ProfileReadString(path, " options ", "size", "none"), "1");
    EXPECT_EQ(ProfileReadString(path, "other", "size", "none"), "none");
    ProfileReplaceSections(path, {{"options", {"font=New"}}});
    EXPECT_EQ(Content(path), "[options]\r\nfont=New\r\n\r\n[kept]\r\nk=1\r\n");
}
} // namespace
