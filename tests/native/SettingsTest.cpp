// The settings record: defaults, number forms, ranges, save order and the start-up shortcut.
#include "Errors.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"
#include "Shortcut.h"
#include "StoreFixture.h"
#include "Tools.h"
#include "ViewOptions.h"

namespace {
class SettingsTest : public StoreFixture {
  protected:
    void Options(const std::string& lines) { WriteFile("calendar.ini", "[options]\r\n" + lines); }
    std::string Shortcut() { return folder.File("special") + "/STARTUP\\Calendar.lnk"; }
};

TEST_F(SettingsTest, AMissingFileGivesTheDefaults) {
    PortableLocale locale;
    locale.userDefaultLanguageId = 0x0C09;
    SetPortableLocale(locale);
    LoadSettings();
    const TCalendarOptions& o = CalendarOptions();
    EXPECT_EQ(o.top, -1);
    EXPECT_EQ(o.left, -1);
    EXPECT_EQ(o.font, "Arial");
    EXPECT_EQ(o.fontsize, 10);
    EXPECT_EQ(o.fontcolour, 0xFFFFFF);
    EXPECT_EQ(o.highlight, 0x800000);
    EXPECT_EQ(o.firstday, 1);
    EXPECT_EQ(o.dateformat, "");
    EXPECT_EQ(o.ttfont, "Arial");
    EXPECT_EQ(o.ttsize, 12);
    EXPECT_EQ(o.ttcolour, 0x800000);
    EXPECT_EQ(o.ttbackground, 0xFFFF00);
    EXPECT_EQ(o.hspacing, 4);
    EXPECT_EQ(o.vspacing, 2);
    EXPECT_EQ(o.listcount, 3);
    EXPECT_EQ(o.colourcoding, 0);
    EXPECT_FALSE(o.loadonstartup);
    EXPECT_EQ(o.language, 0x0C09);
    EXPECT_TRUE(SettingsLoaded());
}

TEST_F(SettingsTest, NumbersMayBeHexadecimalAndNonNumbersTakeTheDefault) {
    Options("fontcolour=0x0000FF\r\nhighlight=0XFF\r\nfontsize=abc\r\nttsize=0x\r\ntop=-20\r\n"
            "ttcolour=0xFFFFFFFF\r\nloadonstartup=7\r\nleft=99999999999\r\n");
    LoadSettings();
    EXPECT_EQ(CalendarOptions().fontcolour, 255);
    EXPECT_EQ(CalendarOptions().highlight, 255);
    EXPECT_EQ(CalendarOptions().fontsize, 10);
    EXPECT_EQ(CalendarOptions().ttsize, 12);
    EXPECT_EQ(CalendarOptions().top, -20);
    EXPECT_EQ(CalendarOptions().ttcolour, -1);
    EXPECT_TRUE(CalendarOptions().loadonstartup);
    EXPECT_EQ(CalendarOptions().left, -1);
}

TEST_F(SettingsTest, StringsAreCutTo255Characters) {
    Options("font=" + std::string(300, 'f') + "\r\n");
    LoadSettings();
    EXPECT_EQ(CalendarOptions().font, std::string(255, 'f'));
}

TEST_F(SettingsTest, OutOfRangeValuesFailTheLoadAndAreEachNamed) {
    Options("listcount=300\r\nfont=Verdana\r\nfontsize=9999\r\n");
    try {
        LoadSettings();
        FAIL() << "no range error";
    } catch (const RangeError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Range check error", 0), 0u);
        for (const char* part : {"\"listcount\"", "300", "\"fontsize\"", "9999", "between 6 and 72", "calendar.ini"})
            EXPECT_NE(message.find(part), std::string::npos) << part << " in " << message;
    }
    EXPECT_FALSE(SettingsLoaded());
    EXPECT_EQ(CalendarOptions().font, "Arial"); // the defaults, not half a record
    EXPECT_THROW(LoadSettingsIfNeeded(), RangeError);

    Options("listcount=200\r\n");
    LoadSettingsIfNeeded();
    EXPECT_EQ(CalendarOptions().listcount, 200);
    EXPECT_TRUE(SettingsLoaded());
}

// Every number with a range loads at both its bounds and fails just outside them; the sizes
// are held to what the options dialog's spin edits offer.
TEST_F(SettingsTest, EveryRangedSettingLoadsAtItsBoundsAndFailsBeyond) {
    ASSERT_EQ(SettingDescriptions().size(), 28u);
    const std::pair<const char*, std::pair<int32_t, int32_t>> sizes[] = {
        {"fontsize", {6, 72}}, {"ttsize", {6, 72}}, {"listcount", {0, 200}}, {"hspacing", {0, 250}},
        {"vspacing", {0, 250}}, {"firstday", {0, 255}}, {"colourcoding", {0, 255}}};
    for (const auto& size : sizes) {
        ASSERT_NE(FindSettingDescription(size.first), nullptr) << size.first;
        EXPECT_EQ(FindSettingDescription(size.first)->minimum, size.second.first) << size.first;
        EXPECT_EQ(FindSettingDescription(size.first)->maximum, size.second.second) << size.first;
    }
    for (const SettingDescription& setting : SettingDescriptions()) {
        if (setting.kind == SettingKind::String || setting.kind == SettingKind::Boolean ||
            setting.minimum == INT32_MIN)
            continue;
        const std::string key = setting.key;
        Options(key + "=" + std::to_string(setting.minimum - 1) + "\r\n");
        EXPECT_THROW(LoadSettings(), RangeError) << key;
        Options(key + "=" + std::to_string(setting.minimum) + "\r\n");
        EXPECT_NO_THROW(LoadSettings()) << key;
        if (setting.maximum == INT32_MAX) continue;
        Options(key + "=" + std::to_string(setting.maximum) + "\r\n");
        EXPECT_NO_THROW(LoadSettings()) << key;
        Options(key + "=" + std::to_string(setting.maximum + 1) + "\r\n");
        EXPECT_THROW(LoadSettings(), RangeError) << key;
    }
    EXPECT_EQ(FindSettingDescription("LANGUAGE")->minimum, 0);
}

// The options dialog reads every key past a bad one, holds each bad one to its nearest bound
// and names it; the file is repaired only by a save, which leaves every other value as it was.
TEST_F(SettingsTest, ForEditingEveryKeyIsReadAndBadOnesAreHeldToTheirNearestBound) {
    WriteFile("calendar.ini", "[options]\r\nlistcount=-5\r\nfont=Verdana\r\nfontsize=9999\r\ntop=33\r\n"
                              "mine=kept\r\n[eventtypes]\r\nBirthday=255\r\n");
    const std::string before = ReadFile("calendar.ini");
    const std::vector<SettingCorrection> corrections = LoadSettingsForEditing();
    ASSERT_EQ(corrections.size(), 2u);
    EXPECT_EQ(corrections[0].key, "fontsize"); // in the order the keys are read
    EXPECT_EQ(corrections[0].stored, 9999);
    EXPECT_EQ(corrections[0].used, 72);
    EXPECT_EQ(corrections[1].key, "listcount");
    EXPECT_EQ(corrections[1].stored, -5);
    EXPECT_EQ(corrections[1].used, 0);
    const std::string message = CorrectionsMessage(corrections);
    for (const char* part : {"\"fontsize\" is 9999; 72", "\"listcount\" is -5; 0", "calendar.ini"})
        EXPECT_NE(message.find(part), std::string::npos) << part << " in " << message;
    EXPECT_EQ(CalendarOptions().font, "Verdana");
    EXPECT_EQ(CalendarOptions().top, 33);
    EXPECT_EQ(EventTypesToList(), std::vector<std::string>{"Birthday=255"});
    EXPECT_FALSE(SettingsLoaded());
    EXPECT_EQ(ReadFile("calendar.ini"), before);

    SaveSettings();
    EXPECT_TRUE(SettingsLoaded());
    const std::string path = SettingsFileName();
    EXPECT_EQ(ProfileReadString(path, "options", "fontsize", ""), "72");
    EXPECT_EQ(ProfileReadString(path, "options", "listcount", ""), "0");
    EXPECT_EQ(ProfileReadString(path, "options", "font", ""), "Verdana");
    EXPECT_EQ(ProfileReadString(path, "options", "top", ""), "33");
    EXPECT_EQ(ProfileReadString(path, "options", "mine", ""), "kept");
    EXPECT_EQ(ProfileReadSection(path, "eventtypes"), std::vector<std::string>{"Birthday=255"});
    ResetSettings();
    EXPECT_NO_THROW(LoadSettings());
}

// A settings file that is there but cannot be read (here a folder in its place) is never
// taken for a missing one: the window runs on the defaults after one box, and nothing the
// library stores later goes over it.
TEST_F(SettingsTest, ASettingsFileThatCannotBeReadIsNeverTakenForEmptyNorSavedOver) {
    std::filesystem::create_directories(folder.Path() / "calendar.ini" / "inside");
    EXPECT_THROW(LoadSettings(), UnreadableFileError);
    EXPECT_FALSE(SettingsLoaded());
    EXPECT_THROW(LoadSettingsForEditing(), UnreadableFileError);
    EXPECT_THROW(ProfileFileSections(SettingsFileName()).Section("eventtypes"), UnreadableFileError);

    int32_t top = 0, left = 0;
    uint8_t listcount = 0;
    GetOptions(&top, &left, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
               &listcount, nullptr, nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(listcount, 3);
    EXPECT_EQ(top, -1);
    ASSERT_EQ(ErrorBoxCount(), 1u);
    EXPECT_NE(RecordedMessageBoxes()[0].text.find("calendar.ini"), std::string::npos);
    char text[1024] = "";
    char* buffer = text;
    uint32_t length = 0;
    GetItems(&buffer, &length, Date(2007, 3, 5));
    ComingUp(3, &buffer, &length, Date(2007, 3, 5));
    SetOptions(120, 140);
    EXPECT_EQ(ErrorBoxCount(), 1u) << "told more than once";
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "calendar.ini" / "inside"));
    EXPECT_FALSE(Exists("calendar.ini.new"));
    EXPECT_THROW(SaveSettings(), VelmoraError);
    EXPECT_THROW(SavePositionOnly(), VelmoraError);
    EXPECT_FALSE(Exists("calendar.ini.new"));

    // Once the file can be read again, the next call reads it.
    std::filesystem::remove_all(folder.Path() / "calendar.ini");
    Options("listcount=7\r\n");
    SetOptions(120, 140);
    EXPECT_EQ(ProfileReadString(SettingsFileName(), "options", "listcount", ""), "7");
    EXPECT_EQ(ProfileReadString(SettingsFileName(), "options", "top", ""), "120");
}

TEST_F(SettingsTest, SavingWritesAllKeysInOrderWithTheTypes) {
    WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\n");
    LoadSettings();
    CalendarOptions().top = 120;
    SaveSettings();
    const std::string path = SettingsFileName();
    std::vector<std::string> keys;
    for (const std::string& line : ProfileReadSection(path, "options")) keys.push_back(line.substr(0, line.find('=')));
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "firstday",     "dateformat",   "highlight",     "font",        "fontsize",
                        "fontcolour",   "top",          "left",          "ttfont",      "ttsize",
                        "ttcolour",     "ttbackground", "hspacing",      "vspacing",    "listcount",
                        "colourcoding", "language",     "loadonstartup", "weeknumbers", "filltoday",
                        "todaycolour", "outline", "subscribed", "subscribedcolour", "alertlead",
                        "alerttomorrow", "alertsound", "hidetrayicon"}));
    EXPECT_EQ(ProfileReadString(path, "options", "top", ""), "120");
    EXPECT_EQ(ProfileReadString(path, "options", "highlight", ""), "8388608");
    EXPECT_EQ(ProfileReadString(path, "options", "loadonstartup", ""), "0");
    EXPECT_EQ(ProfileReadSection(path, "eventtypes"), std::vector<std::string>{"Birthday=255"});
}

// The window asks the library for its look keys, or reads them from the file of a library
// without GetOptionNumber: both must give what the library loads and saves.
TEST_F(SettingsTest, TheWindowReadsTheLookKeysAsTheLibrarySavesThem) {
    const auto fromLibrary = [](const char* key, int32_t* value) {
        ResetSettings(); // a fresh load of the library, as the window makes for each use
        return GetOptionNumber(key, value) != 0;
    };
    const auto expectBothSources = [&](const TViewOptions& expected) {
        EXPECT_EQ(ReadViewOptions(StoredOptionNumbers(SettingsFileName())), expected);
        EXPECT_EQ(ReadViewOptions(fromLibrary), expected);
    };
    LoadSettings();
    const TViewOptions defaults;
    EXPECT_EQ(CalendarOptions().weeknumbers, defaults.WeekNumbers);
    EXPECT_EQ(CalendarOptions().filltoday, defaults.FillToday);
    EXPECT_EQ(CalendarOptions().todaycolour, defaults.TodayColour);
    expectBothSources(defaults);

    CalendarOptions().weeknumbers = true;
    CalendarOptions().filltoday = true;
    CalendarOptions().todaycolour = 0x123456;
    SaveSettings();
    TViewOptions saved;
    saved.WeekNumbers = saved.FillToday = true;
    saved.TodayColour = 0x123456;
    expectBothSources(saved);

    // By hand: hexadecimal as the library takes it (eight digits are a 32-bit pattern, leading
    // zeros are no digits too many), and words that are no number at all.
    Options("weeknumbers=yes\r\nfilltoday=0x000000001\r\ntodaycolour=0xFFC0C0C9\r\n");
    TViewOptions edited;
    edited.FillToday = true;
    edited.TodayColour = static_cast<int32_t>(0xFFC0C0C9u);
    expectBothSources(edited);
}

TEST_F(SettingsTest, TheStartupShortcutFollowsTheSetting) {
    LoadSettings();
    CalendarOptions().loadonstartup = true;
    SaveSettings();
    SaveSettings();
    ASSERT_TRUE(std::filesystem::exists(NativePath(Shortcut())));
    EXPECT_NE(ReadFile("special/STARTUP/Calendar.lnk").find("target=" + ProgramExecutablePath()),
              std::string::npos);
    CalendarOptions().loadonstartup = false;
    SaveSettings();
    EXPECT_FALSE(std::filesystem::exists(NativePath(Shortcut())));
    SaveSettings();
    EXPECT_FALSE(std::filesystem::exists(NativePath(Shortcut())));
}

TEST_F(SettingsTest, ShortcutLocationsResolveByTheirFolderToken) {
    const std::string root = folder.File("special") + "/";
    EXPECT_EQ(ResolveShortcutLocation("<STARTUP>\\Calendar"), root + "STARTUP\\Calendar.lnk");
    EXPECT_EQ(ResolveShortcutLocation("<startup>\\Calendar"), root + "STARTUP\\Calendar.lnk");
    EXPECT_EQ(ResolveShortcutLocation("<COMMON_STARTUP>\\x"), root + "COMMON_STARTUP\\x.lnk");
    EXPECT_EQ(ResolveShortcutLocation("<DESKTOPDIRECTORY>\\x"), root + "DESKTOPDIRECTORY\\x.lnk");
    EXPECT_EQ(ResolveShortcutLocation("<QUICK_LAUNCH>\\x"),
              root + "APPDATA\\Microsoft\\Internet Explorer\\Quick Launch\\x.lnk");
    EXPECT_EQ(ResolveShortcutLocation("<NOWHERE>\\x"), "");
    EXPECT_EQ(ResolveShortcutLocation("x<STARTUP>\\x"), "");
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// A hand-edited file may hold a section twice; the reader sees only the first of each, so a
// save that left a later one would bring its stale keys back at the next load.
TEST_F(SettingsTest, ASaveLeavesEachSectionOnceAndTheNextLoadReadsWhatWasSaved) {
    WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\n[options]\r\nfont=Verdana\r\nmine=kept\r\n"
                              "[other]\r\nx=1\r\n[eventtypes]\r\nStale=1\r\n[OPTIONS]\r\nfontsize=77\r\n");
    LoadSettings();
    ASSERT_EQ(EventTypesToList(), std::vector<std::string>{"Birthday=255"});
    ListToEventTypes({"Work=65280"});
    CalendarOptions().fontsize = 14;
    SaveSettings();

    const std::string content = ReadFile("calendar.ini");
    EXPECT_EQ(Occurrences(content, "[eventtypes]"), 1u) << content;
    EXPECT_EQ(Occurrences(content, "[options]") + Occurrences(content, "[OPTIONS]"), 1u) << content;
    ResetSettings();
    ClearEventTypes();
    LoadSettings();
    EXPECT_EQ(EventTypesToList(), std::vector<std::string>{"Work=65280"});
    EXPECT_EQ(CalendarOptions().font, "Verdana");
    EXPECT_EQ(CalendarOptions().fontsize, 14);
    // What the user or another copy put beside the settings stays.
    EXPECT_EQ(ProfileReadString(SettingsFileName(), "options", "mine", ""), "kept");
    EXPECT_EQ(ProfileReadString(SettingsFileName(), "other", "x", ""), "1");
}

// One bad value must not cost the user the window's place: it comes up where it was and is
// saved there again, with every stored value left for the user to correct.
TEST_F(SettingsTest, ABadValueKeepsTheStoredWindowPosition) {
    for (const char* bad : {"firstday=-4", "listcount=300", "language=-2"}) {
        ResetSettings();
        WriteFile("calendar.ini", "[options]\r\ntop=120\r\nleft=840\r\nfont=Verdana\r\n" + std::string(bad) +
                                      "\r\n");
        int32_t top = 0, left = 0;
        uint8_t listcount = 0;
        GetOptions(&top, &left, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                   nullptr, &listcount, nullptr, nullptr, 0, nullptr, nullptr);
        EXPECT_EQ(top, 120) << bad;
        EXPECT_EQ(left, 840) << bad;
        EXPECT_EQ(listcount, 3) << bad; // the other settings are the defaults
        SetOptions(top, left);
        const std::string path = SettingsFileName();
        EXPECT_EQ(ProfileReadString(path, "options", "top", ""), "120") << bad;
        EXPECT_EQ(ProfileReadString(path, "options", "left", ""), "840") << bad;
        EXPECT_EQ(ProfileReadString(path, "options", "font", ""), "Verdana") << bad;
        const std::string badKey = std::string(bad).substr(0, std::string(bad).find('='));
        EXPECT_EQ(badKey + "=" + ProfileReadString(path, "options", badKey, ""), bad);
    }
}
} // namespace
