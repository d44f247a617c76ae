// The exports as the window calls them: short strings with a capacity, 1024-byte text
// buffers that must never be overrun, and what a broken settings file does.
#include "ExportGuard.h"
#include "ProfileFile.h"
#include "Settings.h"
#include "StoreFixture.h"
#include "Tools.h"

#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>

namespace {
class ExportsTest : public StoreFixture {
  protected:
    struct Options {
        int32_t top = 0, left = 0, fontsize = 0, fontcolour = 0, highlight = 0, ttsize = 0, ttcolour = 0,
                ttbackground = 0;
        uint8_t firstday = 0, listcount = 0, colourcoding = 0, hspacing = 0, vspacing = 0;
        unsigned char font[256] = {}, ttfont[256] = {}, dateformat[256] = {};
        std::string Text(const unsigned char* s) const { return std::string(reinterpret_cast<const char*>(s + 1), s[0]); }
    };
    Options Get(int32_t fontCapacity = 255) {
        Options o;
        GetOptions(&o.top, &o.left, o.font, fontCapacity, &o.fontsize, &o.fontcolour, &o.highlight, &o.firstday,
                   o.ttfont, 255, &o.ttsize, &o.ttcolour, &o.ttbackground, &o.listcount, &o.colourcoding,
                   o.dateformat, 255, &o.hspacing, &o.vspacing);
        return o;
    }
    // Calls GetItems or ComingUp as the window does, into an exactly 1024-byte buffer.
    std::pair<std::string, uint32_t> Call(bool items, double date, int32_t count = 3) {
        std::unique_ptr<char[]> storage(new char[1024]);
        storage[0] = '\0';
        char* buffer = storage.get();
        char* const original = buffer;
        uint32_t length = 0;
        if (items) GetItems(&buffer, &length, date);
        else ComingUp(count, &buffer, &length, date);
        EXPECT_EQ(buffer, original);
        EXPECT_EQ(std::strlen(buffer), length);
        return {std::string(buffer), length};
    }
};

// Whatever a body throws - ours, the library's own errors, or something that is no
// std::exception at all - stops at the export: the user reads it in the error box and the
// caller gets the export's failure value.
TEST_F(ExportsTest, TheExportGuardStopsEveryFailureAtTheBoundary) {
    const struct {
        const char* what;
        std::function<int32_t()> body;
        int32_t result;
        const char* box; // null: no box
    } cases[] = {
        {"success", [] { return 7; }, 7, nullptr},
        {"std::exception", []() -> int32_t { throw std::runtime_error("Disk on fire."); }, -1,
         "Disk on fire."},
        {"library error", []() -> int32_t { throw VelmoraError("No such day."); }, -1,
         "No such day."},
        {"without a message", []() -> int32_t { throw std::runtime_error(""); }, -1,
         "An unexpected failure occurred."},
        {"not a std::exception", []() -> int32_t { throw 42; }, -1,
         "An unexpected failure occurred."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordedMessageBoxes().clear();
        EXPECT_EQ(GuardExport<int32_t>(-1, c.body), c.result);
        // The same through the form of an export that returns nothing.
        GuardExport([&c] { c.body(); });
        if (!c.box) {
            EXPECT_TRUE(RecordedMessageBoxes().empty());
            continue;
        }
        ASSERT_EQ(RecordedMessageBoxes().size(), 2u);
        for (const RecordedMessageBox& box : RecordedMessageBoxes()) {
            EXPECT_TRUE(box.isError);
            EXPECT_EQ(box.text, c.box);
        }
    }
}

TEST_F(ExportsTest, GetOptionsOnAnEmptyFolderGivesTheDefaults) {
    Options o = Get();
    EXPECT_EQ(o.top, -1);
    EXPECT_EQ(o.left, -1);
    EXPECT_EQ(o.Text(o.font), "Arial");
    EXPECT_EQ(o.Text(o.ttfont), "Arial");
    EXPECT_EQ(o.Text(o.dateformat), "");
    EXPECT_EQ(o.fontsize, 10);
    EXPECT_EQ(o.fontcolour, 0xFFFFFF);
    EXPECT_EQ(o.highlight, 0x800000);
    EXPECT_EQ(o.firstday, 1);
    EXPECT_EQ(o.ttsize, 12);
    EXPECT_EQ(o.ttcolour, 0x800000);
    EXPECT_EQ(o.ttbackground, 0xFFFF00);
    EXPECT_EQ(o.listcount, 3);
    EXPECT_EQ(o.colourcoding, 0);
    EXPECT_EQ(o.hspacing, 4);
    EXPECT_EQ(o.vspacing, 2);
    EXPECT_FALSE(Exists("calendar.ini"));
}

TEST_F(ExportsTest, ShortStringsRespectTheirCapacity) {
    WriteFile("calendar.ini", "[options]\r\nfont=Verdana\r\nttfont=" + std::string(300, 't') + "\r\n");
    Options o = Get(5);
    EXPECT_EQ(o.font[0], 5);
    EXPECT_EQ(o.Text(o.font), "Verda");
    EXPECT_EQ(o.Text(o.ttfont), std::string(255, 't'));
    ResetSettings();
    EXPECT_EQ(Get(-3).font[0], 0);
    ResetSettings();
    EXPECT_EQ(Get(100000).Text(Get(100000).font), "Verdana");
}

// The window asks for settings beyond GetOptions' list by key: the outline is on unless
// stored off; a key that is no number setting gives nothing and leaves the value alone.
TEST_F(ExportsTest, GetOptionNumberGivesASettingByItsKey) {
    int32_t value = -7;
    EXPECT_EQ(GetOptionNumber("outline", &value), 1);
    EXPECT_EQ(value, 1);
    ResetSettings();
    WriteFile("calendar.ini", "[options]\r\noutline=0\r\nlistcount=9\r\n");
    EXPECT_EQ(GetOptionNumber("Outline", &value), 1);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(GetOptionNumber("listcount", &value), 1);
    EXPECT_EQ(value, 9);
    value = -7;
    for (const char* key : {"font", "nosuchkey", ""})
        EXPECT_EQ(GetOptionNumber(key, &value), 0) << key;
    EXPECT_EQ(GetOptionNumber(nullptr, &value), 0);
    EXPECT_EQ(GetOptionNumber("outline", nullptr), 0);
    EXPECT_EQ(value, -7);

    // While a bad value is reported the window runs on the defaults, its own keys included.
    ResetSettings();
    WriteFile("calendar.ini", "[options]\r\nfirstday=300\r\nweeknumbers=1\r\n");
    EXPECT_EQ(GetOptionNumber("weeknumbers", &value), 1);
    EXPECT_EQ(value, 0);
}

TEST_F(ExportsTest, SetOptionsSavesEveryKey) {
    SetOptions(40, 50);
    const std::string path = SettingsFileName();
    EXPECT_EQ(ProfileReadSection(path, "options").size(), SettingDescriptions().size());
    EXPECT_EQ(ProfileReadString(path, "options", "top", ""), "40");
    EXPECT_EQ(ProfileReadString(path, "options", "left", ""), "50");
}

TEST_F(ExportsTest, ABrokenValueIsReportedOnceAndNothingElseIsLost) {
    WriteFile("calendar.ini", "[options]\r\nlistcount=300\r\nfont=Verdana\r\nfontcolour=255\r\n"
                              "[eventtypes]\r\nBirthday=255\r\n");
    Options o = Get();
    ASSERT_EQ(ErrorBoxCount(), 1u);
    EXPECT_NE(RecordedMessageBoxes()[0].text.find("listcount"), std::string::npos);
    EXPECT_EQ(o.listcount, 3); // the window comes up with the defaults
    EXPECT_EQ(o.Text(o.font), "Arial");
    EXPECT_EQ(Call(true, Date(2007, 3, 5)).first, "Monday March 5 2007");
    SetOptions(7, 8);
    EXPECT_EQ(ErrorBoxCount(), 1u);
    const std::string path = SettingsFileName();
    EXPECT_EQ(ProfileReadString(path, "options", "font", ""), "Verdana");
    EXPECT_EQ(ProfileReadString(path, "options", "fontcolour", ""), "255");
    EXPECT_EQ(ProfileReadString(path, "options", "listcount", ""), "300");
    EXPECT_EQ(ProfileReadString(path, "options", "top", ""), "7");
    EXPECT_EQ(ProfileReadSection(path, "eventtypes"), std::vector<std::string>{"Birthday=255"});
}

TEST_F(ExportsTest, ItemTextIsCopiedWholeOrCutAtALineEnd) {
    auto [heading, headingLength] = Call(true, Date(2007, 3, 5));
    EXPECT_EQ(heading, "Monday March 5 2007");
    EXPECT_GT(headingLength, 0u);

    std::string lines;
    for (int i = 0; i < 80; ++i) lines += "Reminder number " + std::to_string(i) + "|with a second line\r\n";
    WriteFile("data/2007-03-06.txt", lines);
    auto [text, length] = Call(true, Date(2007, 3, 6));
    EXPECT_LE(length, 1023u);
    EXPECT_GT(length, 900u);
    std::string whole;
    ASSERT_TRUE(BuildItemsText(Date(2007, 3, 6), &whole));
    ASSERT_GT(whole.size(), 1023u);
    EXPECT_EQ(whole.compare(0, text.size(), text), 0);
    // The last line kept is a whole mark and colour group followed by some of its text.
    const std::string last = text.substr(text.rfind("\r\n") + 2);
    EXPECT_TRUE(last.rfind("Reminder", 0) == 0 || (last.rfind("|20{-1}", 0) == 0 && last.size() > 7)) << last;

    WriteFile("data/2007-03-07.txt", std::string(2000, 'x') + "\r\n");
    auto [longLine, longLength] = Call(true, Date(2007, 3, 7));
    EXPECT_EQ(longLine, "Wednesday March 7 2007\r\n" + std::string(1023 - 24, 'x'));
    EXPECT_EQ(longLength, longLine.size());
}

TEST_F(ExportsTest, ComingUpIsBoundedByTheBuffer) {
    TRegularEntry entry;
    entry.StartDate = Date(2007, 3, 5);
    entry.Description = std::string(100, '|');
    entry.Interval = 1;
    WriteRegularFile({entry});
    auto [text, length] = Call(false, Date(2007, 3, 5), 2147483647);
    EXPECT_LE(length, 1023u);
    EXPECT_EQ(text.substr(0, 4), "3/5 ");
    EXPECT_EQ(Call(false, Date(2007, 3, 5), 0), (std::pair<std::string, uint32_t>{"", 0}));
}
} // namespace

namespace {
TEST_F(ExportsTest, ASettingsFileThatCannotBeWrittenIsReported) {
    WriteFile("calendar.ini", "[options]\r\nfont=Verdana\r\n");
    std::filesystem::permissions(folder.Path() / "calendar.ini", std::filesystem::perms::owner_read);
    SetOptions(3, 4);
    ASSERT_EQ(ErrorBoxCount(), 1u);
    EXPECT_NE(RecordedMessageBoxes()[0].text.find("calendar.ini"), std::string::npos);
    EXPECT_EQ(ReadFile("calendar.ini"), "[options]\r\nfont=Verdana\r\n");
}
// A start-up link that cannot be written is said once, by name, and costs no other setting;
// with no folder for it, switching the link off is no failure at all.
TEST_F(ExportsTest, AStartupLinkThatCannotBeWrittenIsReportedOnce) {
    struct Case {
        const char* name;
        bool loadOnStartup;
        bool noSpecialFolders;
        bool directoryInTheWay;
        size_t boxes;
    };
    const Case cases[] = {
        {"no folder, link wanted", true, true, false, 1},
        {"no folder, link not wanted", false, true, false, 0},
        {"a folder where the link goes", true, false, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetSettings();
        ClearEventTypes();
        RecordedMessageBoxes().clear();
        SetPortableSpecialFolderRoot(c.noSpecialFolders ? "" : folder.File("special") + "/");
        std::filesystem::remove_all(folder.Path() / "special");
        if (c.directoryInTheWay) std::filesystem::create_directories(folder.Path() / "special/STARTUP/Calendar.lnk");
        WriteFile("calendar.ini", std::string("[options]\r\nloadonstartup=") + (c.loadOnStartup ? "1" : "0") +
                                      "\r\n[eventtypes]\r\nBirthday=255\r\n");
        SetOptions(7, 8);
        ASSERT_EQ(ErrorBoxCount(), c.boxes);
        if (c.boxes) {
            EXPECT_NE(RecordedMessageBoxes()[0].text.find("start-up shortcut"), std::string::npos);
        }
        const std::string path = SettingsFileName();
        EXPECT_EQ(ProfileReadSection(path, "options").size(), SettingDescriptions().size());
        EXPECT_EQ(ProfileReadString(path, "options", "top", ""), "7");
        EXPECT_EQ(ProfileReadSection(path, "eventtypes"), std::vector<std::string>{"Birthday=255"});
    }
}
} // namespace
