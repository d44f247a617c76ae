// The options dialog without its window: what the fill shows, what an accept stores in
// calendar.ini, the modified flag, the reminder-type rows, the language rows and the previews.
#include "OptionsModel.h"
#include "OptionsFormComponents.h"
#include "ProfileFile.h"
#include "StoreFixture.h"
#include "SubscribedCalendar.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {
class OptionsModelTest : public StoreFixture {
  protected:
    OptionsModelTest()
        : model([this](int32_t language) { switchedTo.push_back(language); },
                [this] { ++acceptedCalls; }) {}

    // As ShowOptions opens the dialog: settings from the file, the fill, the showing.
    void Open(const std::vector<LanguageModule>& modules = {}) {
        if (!SettingsLoaded())
            corrections = LoadSettingsForEditing();
        model.Fill(CalendarOptions(), EventTypes());
        model.Shown(modules);
    }
    // A fresh library load reading what the last accept saved.
    void Reload() {
        ResetSettings();
        ClearEventTypes();
        LoadSettings();
    }

    std::vector<int32_t> switchedTo;
    std::vector<SettingCorrection> corrections;
    int acceptedCalls = 0;
    OptionsModel model;
};

const LanguageModule australian = {0x0C09, "English (Australia)"};
const LanguageModule american = {0x0409, "English (United States)"};
const LanguageModule dutch = {0x0413, "Dutch (Netherlands)"};

TEST(FontList, OneSortedListWithEachFamilyOnceAndAStoredFontOfItsOwn) {
    const std::vector<std::string> installed = {"Verdana", "arial", "Arial", "Tahoma", ""};
    EXPECT_EQ(FontListEntries(installed, "Missing Font"),
              (std::vector<std::string>{"arial", "Default", "Missing Font", "Tahoma", "Verdana"}));
    const std::vector<std::string> entries = FontListEntries(installed, "VERDANA");
    EXPECT_EQ(entries, (std::vector<std::string>{"arial", "Default", "Tahoma", "Verdana"}));
    EXPECT_EQ(FontEntryIndex(entries, "VERDANA"), 3);
    EXPECT_EQ(FontEntryIndex(entries, "Verdana Bold"), -1);
}

TEST_F(OptionsModelTest, AcceptingUntouchedKeepsEveryStoredValueIncludingOnesTheListsLack) {
    // A font that is not installed, colours that are none of the eighteen, radio values that
    // match no item: an OK pressed for another reason must not replace them.
    WriteFile("calendar.ini", "[options]\r\nfont=Not Installed\r\nfontcolour=1193046\r\n"
                              "highlight=-2147483643\r\nfirstday=9\r\ncolourcoding=4\r\n"
                              "ttfont=Gone\r\nttcolour=123\r\nttbackground=7\r\n"
                              "dateformat=d mmm\r\nlanguage=2055\r\nloadonstartup=0\r\noutline=0\r\n"
                              "hspacing=7\r\nvspacing=9\r\nlistcount=12\r\ntop=40\r\nleft=50\r\n"
                              "weeknumbers=1\r\nfilltoday=1\r\ntodaycolour=-2147483643\r\n");
    Open({australian, dutch});
    EXPECT_EQ(model.FirstDayItem(), -1);
    EXPECT_EQ(model.ColourCodingItem(), -1);
    const TCalendarOptions before = CalendarOptions();
    model.Accept(CalendarOptions());
    Reload();
    const TCalendarOptions& after = CalendarOptions();
    EXPECT_EQ(after.font, "Not Installed");
    EXPECT_EQ(after.fontcolour, 0x123456);
    EXPECT_EQ(after.highlight, before.highlight);
    EXPECT_EQ(after.firstday, 9);
    EXPECT_EQ(after.colourcoding, 4);
    EXPECT_EQ(after.ttfont, "Gone");
    EXPECT_EQ(after.ttcolour, 123);
    EXPECT_EQ(after.ttbackground, 7);
    EXPECT_EQ(after.dateformat, "d mmm");
    EXPECT_EQ(after.language, 2055);
    EXPECT_EQ(after.hspacing, 7);
    EXPECT_EQ(after.vspacing, 9);
    EXPECT_EQ(after.listcount, 12);
    EXPECT_FALSE(after.outline);
    EXPECT_EQ(after.top, 40);
    EXPECT_EQ(after.left, 50);
    EXPECT_TRUE(after.weeknumbers);
    EXPECT_TRUE(after.filltoday);
    EXPECT_EQ(after.todaycolour, -2147483643);
}

TEST_F(OptionsModelTest, AlertSettingsRoundTripAndAHandEditedLeadCostsNothingElse) {
    WriteFile("calendar.ini", "[options]\r\nalertlead=7\r\nfontsize=11\r\n");
    Open();
    EXPECT_EQ(model.AlertLeadItem(), 0) << "a lead that is none of the choices shows as none";
    EXPECT_EQ(model.Values().fontsize, 11);
    EXPECT_TRUE(model.Values().alertsound);
    model.SetAlertLeadItem(4);
    model.SetAlertTomorrow(true);
    model.SetAlertSound(false);
    model.SetHideTrayIcon(true);
    model.Accept(CalendarOptions());
    const std::string path = SettingsFileName();
    EXPECT_EQ(ProfileReadString(path, "options", "alertlead", ""), "30");
    EXPECT_EQ(ProfileReadString(path, "options", "alerttomorrow", ""), "1");
    EXPECT_EQ(ProfileReadString(path, "options", "alertsound", ""), "0");
    EXPECT_EQ(ProfileReadString(path, "options", "hidetrayicon", ""), "1");
    Reload();
    Open();
    EXPECT_EQ(model.AlertLeadItem(), 4);
}

// Stored values the spin edits cannot show open the dialog all the same, at their nearest
// bounds and each named once; an accept repairs them and keeps every other value.
TEST_F(OptionsModelTest, SpinValuesOutsideTheirRangesShowAndStoreAtTheNearestBound) {
    WriteFile("calendar.ini",
              "[options]\r\nfontsize=100\r\nttsize=2\r\nfont=Verdana\r\nlistcount=250\r\n"
              "hspacing=255\r\ntop=40\r\n[eventtypes]\r\nBirthday=255\r\n");
    Open();
    const std::vector<std::pair<std::string, std::pair<int, int>>> named = {
        {"fontsize", {100, 72}},
        {"ttsize", {2, 6}},
        {"hspacing", {255, 250}},
        {"listcount", {250, 200}}};
    ASSERT_EQ(corrections.size(), named.size());
    for (size_t i = 0; i < named.size(); ++i) {
        EXPECT_EQ(corrections[i].key, named[i].first);
        EXPECT_EQ(corrections[i].stored, named[i].second.first);
        EXPECT_EQ(corrections[i].used, named[i].second.second);
    }
    EXPECT_EQ(model.Values().fontsize, 72);
    EXPECT_EQ(model.Values().ttsize, 6);
    EXPECT_EQ(model.Values().listcount, 200);
    EXPECT_EQ(model.Values().font, "Verdana");
    EXPECT_EQ(model.TypeRows().size(), 1u);
    model.SetVSpacing(4000); // typed, then Enter
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_EQ(CalendarOptions().fontsize, 72);
    EXPECT_EQ(CalendarOptions().ttsize, 6);
    EXPECT_EQ(CalendarOptions().listcount, 200);
    EXPECT_EQ(CalendarOptions().hspacing, 250);
    EXPECT_EQ(CalendarOptions().vspacing, 250);
    EXPECT_EQ(CalendarOptions().font, "Verdana");
    EXPECT_EQ(CalendarOptions().top, 40);
    EXPECT_EQ(EventTypesToList(), std::vector<std::string>{"Birthday=255"});
}

// A failed save is raised and calls nothing back. "Not saved" means nothing changed: the
// record and the types an accept could not store are put back, so that no later save (the
// window's position at close) stores them unasked.
TEST_F(OptionsModelTest, AFailedAcceptLeavesTheRecordAndTheTypesAsTheyWere) {
    WriteFile("calendar.ini", "[options]\r\nfont=Verdana\r\n[eventtypes]\r\nBirthday=255\r\n");
    Open();
    const std::string before = ReadFile("calendar.ini");
    model.SetFont("Tahoma");
    model.SelectTypeRow(0);
    model.RemoveSelectedTypeRow();
    SetPortableFileFault(PortableFileStep::Write, 10);
    EXPECT_THROW(model.Apply(CalendarOptions()), VelmoraError);
    EXPECT_EQ(ReadFile("calendar.ini"), before);
    EXPECT_EQ(CalendarOptions().font, "Verdana");
    EXPECT_EQ(EventTypesToList(), std::vector<std::string>{"Birthday=255"});
    EXPECT_EQ(acceptedCalls, 0);
    EXPECT_TRUE(model.ApplyEnabled()); // nothing was saved: Apply stays on offer
    // The edits are still the dialog's, and the next accept stores them.
    EXPECT_EQ(model.Values().font, "Tahoma");
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_EQ(CalendarOptions().font, "Tahoma");
    EXPECT_TRUE(EventTypesToList().empty());
}

TEST_F(OptionsModelTest, WhatSetsTheModifiedFlag) {
    WriteFile("calendar.ini", "[eventtypes]\r\nBirthday=255\r\nWork=65280\r\n");
    const struct {
        const char* action;
        std::function<void(OptionsModel&)> run;
        bool modifies;
    } cases[] = {
        {"font", [](OptionsModel& m) { m.SetFont("Tahoma"); }, true},
        {"font size", [](OptionsModel& m) { m.SetFontSize(11); }, true},
        {"font colour", [](OptionsModel& m) { m.SetFontColour(255); }, true},
        {"highlight", [](OptionsModel& m) { m.SetHighlight(255); }, true},
        {"first day", [](OptionsModel& m) { m.SetFirstDayItem(1); }, true},
        {"date format", [](OptionsModel& m) { m.SetDateFormat(""); }, true},
        {"list count", [](OptionsModel& m) { m.SetListCount(4); }, true},
        {"colour coding", [](OptionsModel& m) { m.SetColourCodingItem(1); }, true},
        {"start-up", [](OptionsModel& m) { m.SetLoadOnStartup(true); }, true},
        {"outline", [](OptionsModel& m) { m.SetOutline(false); }, true},
        {"tooltip font", [](OptionsModel& m) { m.SetTooltipFont("Tahoma"); }, true},
        {"tooltip size", [](OptionsModel& m) { m.SetTooltipFontSize(9); }, true},
        {"tooltip colour", [](OptionsModel& m) { m.SetTooltipColour(1); }, true},
        {"tooltip background", [](OptionsModel& m) { m.SetTooltipBackground(1); }, true},
        {"spacing", [](OptionsModel& m) { m.SetHSpacing(1); }, true},
        {"week numbers", [](OptionsModel& m) { m.SetWeekNumbers(true); }, true},
        {"fill today", [](OptionsModel& m) { m.SetFillToday(true); }, true},
        {"today's colour", [](OptionsModel& m) { m.SetTodayColour(255); }, true},
        {"alert lead", [](OptionsModel& m) { m.SetAlertLeadItem(2); }, true},
        {"alert lead past the list", [](OptionsModel& m) { m.SetAlertLeadItem(6); }, false},
        {"tray icon", [](OptionsModel& m) { m.SetHideTrayIcon(true); }, true},
        {"language check", [](OptionsModel& m) { m.CheckLanguageRow(0); }, true},
        {"type name",
         [](OptionsModel& m) {
             m.SelectTypeRow(0);
             m.EditTypeName("B");
         },
         true},
        {"colour chooser cancelled",
         [](OptionsModel& m) {
             m.SelectTypeRow(0);
             m.TypeColourChosen(std::nullopt);
         },
         true},
        {"remove",
         [](OptionsModel& m) {
             m.SelectTypeRow(1);
             m.RemoveSelectedTypeRow();
         },
         true},
        {"select a row", [](OptionsModel& m) { m.SelectTypeRow(1); }, false},
        {"add", [](OptionsModel& m) { m.AddTypeRow(); }, false},
        {"colour without a row", [](OptionsModel& m) { m.TypeColourChosen(5); }, false},
        {"remove without a row", [](OptionsModel& m) { m.RemoveSelectedTypeRow(); }, false},
    };
    for (const auto& c : cases) {
        ResetSettings();
        ClearEventTypes();
        Open({dutch});
        ASSERT_FALSE(model.ApplyEnabled());
        c.run(model);
        EXPECT_EQ(model.ApplyEnabled(), c.modifies) << c.action;
    }
}

TEST_F(OptionsModelTest, ReminderTypeRowsAddEditRecolourAndRemove) {
    WriteFile("calendar.ini", "[options]\r\nfontcolour=32768\r\n[eventtypes]\r\nBirthday=255\r\n");
    Open();
    EXPECT_FALSE(model.TypeRowControlsEnabled());

    model.AddTypeRow();
    EXPECT_EQ(model.SelectedTypeRow(), 1);
    EXPECT_TRUE(model.TypeRowControlsEnabled());
    EXPECT_EQ(model.TypeNameText(), "");
    EXPECT_EQ(model.SelectedTypeColour(), TypePalette()[0]); // not the calendar font colour
    model.EditTypeName("Work");
    EXPECT_TRUE(model.ApplyEnabled());

    model.SelectTypeRow(0);
    EXPECT_EQ(model.TypeNameText(), "Birthday");
    model.TypeColourChosen(std::nullopt);
    EXPECT_EQ(model.SelectedTypeColour(), 255);
    model.TypeColourChosen(0x00FF00);
    model.SelectTypeRow(-1);
    EXPECT_EQ(model.TypeNameText(), "");
    EXPECT_FALSE(model.TypeRowControlsEnabled());

    model.Apply(CalendarOptions());
    EXPECT_FALSE(model.ApplyEnabled());
    const std::string work = "Work=" + std::to_string(TypePalette()[0]);
    EXPECT_EQ(EventTypesToList(), (std::vector<std::string>{"Birthday=65280", work}));

    model.SelectTypeRow(0);
    model.RemoveSelectedTypeRow();
    EXPECT_EQ(model.SelectedTypeRow(), -1);
    EXPECT_TRUE(model.ApplyEnabled());
    model.Apply(CalendarOptions());
    Reload();
    EXPECT_EQ(EventTypesToList(), (std::vector<std::string>{work}));

    model.SelectTypeRow(0);
    model.RemoveSelectedTypeRow();
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_TRUE(EventTypes().empty());
}

TEST(TypeColours, ANewTypeTakesAPaletteColourNoTypeHasAndNotTheFontColour) {
    const std::vector<int32_t>& palette = TypePalette();
    const struct {
        std::vector<TEventType> types;
        int32_t fontColour;
        int32_t expected;
    } cases[] = {
        {{}, 0xFFFFFF, palette[0]},
        {{{"A", palette[0]}, {"B", palette[2]}}, 0xFFFFFF, palette[1]},
        {{{"A", palette[0]}}, palette[1], palette[2]},
        {{}, palette[0], palette[1]},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextTypeColour(c.types, c.fontColour), c.expected);
    // Every palette colour taken: round again, still never the font colour.
    std::vector<TEventType> all;
    for (int32_t colour : palette)
        all.push_back({"x", colour});
    EXPECT_NE(NextTypeColour(all, palette[all.size() % palette.size()]),
              palette[all.size() % palette.size()]);
    // The colours differ from each other and from the white list and the default font.
    std::set<int32_t> distinct(palette.begin(), palette.end());
    EXPECT_EQ(distinct.size(), palette.size());
    EXPECT_EQ(distinct.count(0xFFFFFF), 0u);
}

TEST_F(OptionsModelTest, StarterTypesOnlyWithoutCalendarIniAndNeverAfterAllWereRemoved) {
    Open();
    const std::vector<std::string> starters = {"Birthday=" + std::to_string(TypePalette()[0]),
                                               "Holiday=" + std::to_string(TypePalette()[1]),
                                               "Work=" + std::to_string(TypePalette()[2])};
    ASSERT_EQ(model.TypeRows().size(), 3u);
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_EQ(EventTypesToList(), starters);
    // Removing them all is the user's choice, kept.
    Open();
    while (!model.TypeRows().empty()) {
        model.SelectTypeRow(0);
        model.RemoveSelectedTypeRow();
    }
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_TRUE(EventTypes().empty());
    // A file without a types section (written by an older copy) is no first start either.
    WriteFile("calendar.ini", "[options]\r\ntop=3\r\n");
    Reload();
    EXPECT_TRUE(EventTypes().empty());
}

// Rows are followed by identity: what each old type's reminders become, by the renames,
// removals and additions made in one visit of the dialog.
TEST_F(OptionsModelTest, RenamedTypesMoveTheirRemindersAndTheUserIsToldHowMany) {
    struct Edit {
        int row;          // -1: add a row
        const char* name; // nullptr: remove the row
    };
    const struct {
        const char* what;
        std::vector<Edit> edits;
        const char* day;     // the day file after the accept
        const char* regular; // the description of the regular reminder after it
        const char* told;    // the information box, or nullptr for none
    } cases[] = {
        {"a rename moves day file lines and regular records, any case of the name",
         {{0, "Job"}},
         "{Job}a\r\n{Job}b\r\n{Home}c\r\n{Gone}d\r\ne\r\n",
         "{Job}gym",
         "3 reminders were moved to their types' new names."},
        {"two types renamed into each other swap",
         {{0, "Home"}, {1, "Work"}},
         "{Home}a\r\n{Home}b\r\n{Work}c\r\n{Gone}d\r\ne\r\n",
         "{Home}gym",
         "4 reminders were moved to their types' new names."},
        {"a name given up by a removed type is taken by the renamed one, whose reminders "
         "join the removed type's under it",
         {{0, "Home"}, {1, nullptr}},
         "{Home}a\r\n{Home}b\r\n{Home}c\r\n{Gone}d\r\ne\r\n",
         "{Home}gym",
         "3 reminders were moved to their types' new names."},
        {"a removed type's reminders keep their text; a new row of its name is no rename",
         {{0, nullptr}, {-1, "Work"}},
         "{Work}a\r\n{work}b\r\n{Home}c\r\n{Gone}d\r\ne\r\n",
         "{Work}gym",
         nullptr},
        {"a row left without a name moves nothing",
         {{0, ""}},
         "{Work}a\r\n{work}b\r\n{Home}c\r\n{Gone}d\r\ne\r\n",
         "{Work}gym",
         nullptr},
        {"a name with a closing brace cannot stand in a reminder's type group: no move",
         {{0, "A}B"}},
         "{Work}a\r\n{work}b\r\n{Home}c\r\n{Gone}d\r\ne\r\n",
         "{Work}gym",
         nullptr},
        {"renamed and renamed back is no move",
         {{1, "Other"}, {1, "Home"}},
         "{Work}a\r\n{work}b\r\n{Home}c\r\n{Gone}d\r\ne\r\n",
         "{Work}gym",
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetSettings();
        ClearEventTypes();
        RecordedMessageBoxes().clear();
        WriteFile("calendar.ini", "[eventtypes]\r\nWork=255\r\nHome=65280\r\n");
        WriteFile("data/2007-03-05.txt", "{Work}a\r\n{work}b\r\n{Home}c\r\n{Gone}d\r\ne\r\n");
        WriteFile("data/2007-03-06.txt", "untyped\r\n");
        TRegularEntry gym;
        gym.StartDate = Date(2007, 3, 1);
        gym.Description = "{Work}gym";
        gym.Interval = 1;
        WriteFile("data/regular.dat", EncodeRegularRecords({gym}));
        Open();
        for (const Edit& edit : c.edits) {
            if (edit.row < 0) {
                model.AddTypeRow();
                model.EditTypeName(edit.name);
                continue;
            }
            model.SelectTypeRow(edit.row);
            if (edit.name)
                model.EditTypeName(edit.name);
            else
                model.RemoveSelectedTypeRow();
        }
        model.Apply(CalendarOptions());
        EXPECT_EQ(ReadFile("data/2007-03-05.txt"), c.day);
        EXPECT_EQ(ReadFile("data/2007-03-06.txt"), "untyped\r\n");
        gym.Description = c.regular;
        EXPECT_EQ(ReadFile("data/regular.dat"), EncodeRegularRecords({gym}));
        ASSERT_EQ(RecordedMessageBoxes().size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_EQ(RecordedMessageBoxes()[0].text, c.told);
        }
        // After the Apply the dialog's rows are the types as they now are: nothing moves twice.
        RecordedMessageBoxes().clear();
        model.Apply(CalendarOptions());
        EXPECT_TRUE(RecordedMessageBoxes().empty());
    }
}

TEST_F(OptionsModelTest, TypeNamesComeBackExactlyAsTypedAfterASaveAndANewDialog) {
    const std::vector<std::string> names = {
        "a=b", "", ";note", "[x]", "Birthday", "BIRTHDAY", " pad ", "=", std::string(255, 'n')};
    WriteFile("calendar.ini", "[eventtypes]\r\n");
    Open();
    for (const std::string& name : names) {
        model.AddTypeRow();
        model.EditTypeName(name);
    }
    model.EditTypeName(std::string(300, 'n')); // cut to what a type holds
    model.Accept(CalendarOptions());
    Reload();
    OptionsModel reopened(nullptr, nullptr);
    reopened.Fill(CalendarOptions(), EventTypes());
    ASSERT_EQ(reopened.TypeRows().size(), names.size());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(reopened.TypeRows()[i].Name, names[i]) << i;
}

TEST_F(OptionsModelTest, LanguageRowsKeepTheStoredLanguageAndMapByLanguage) {
    const struct {
        std::vector<LanguageModule> modules;
        int32_t stored;
        int checkedRow; // -1: none
    } cases[] = {
        {{}, 0x0413, -1},
        {{dutch}, 0x0413, 0},
        {{australian, american, dutch}, 0x0413, 2},
        {{australian, dutch}, 0x0409, -1},
    };
    for (const auto& c : cases) {
        ResetSettings();
        WriteFile("calendar.ini", "[options]\r\nlanguage=" + std::to_string(c.stored) + "\r\n");
        Open(c.modules);
        EXPECT_EQ(model.LanguageGroupVisible(), !c.modules.empty());
        ASSERT_EQ(model.LanguageRows().size(), c.modules.size());
        for (size_t row = 0; row < c.modules.size(); ++row)
            EXPECT_EQ(model.LanguageRows()[row].checked, static_cast<int>(row) == c.checkedRow);
        EXPECT_FALSE(model.Accept(CalendarOptions())); // unchanged: no second fill
        Reload();
        EXPECT_EQ(CalendarOptions().language, c.stored);
    }
}

TEST_F(OptionsModelTest, CheckingALanguageLeavesItAloneCheckedAndFillsAgainAfterTheAccept) {
    WriteFile("calendar.ini", "[options]\r\nlanguage=3081\r\n[eventtypes]\r\nBirthday=255\r\n");
    Open({australian, american, dutch});
    model.CheckLanguageRow(2);
    model.CheckLanguageRow(1);
    EXPECT_FALSE(model.LanguageRows()[0].checked);
    EXPECT_TRUE(model.LanguageRows()[1].checked);
    EXPECT_FALSE(model.LanguageRows()[2].checked);
    model.SelectTypeRow(0);
    EXPECT_TRUE(model.Apply(CalendarOptions()));
    EXPECT_EQ(switchedTo, (std::vector<int32_t>{0x0C09, 0x0409}));
    EXPECT_EQ(model.SelectedTypeRow(), -1); // the rows were filled again
    EXPECT_EQ(model.TypeRows().size(), 1u);
    Reload();
    EXPECT_EQ(CalendarOptions().language, 0x0409);
}

TEST_F(OptionsModelTest, TheAcceptedProcedureRunsOncePerAcceptAfterTheFileIsWritten) {
    Open();
    std::string fontInFile;
    OptionsModel dialog(nullptr, [&] {
        ++acceptedCalls;
        ProfileFileSections file(folder.WithSeparator() + "calendar.ini");
        fontInFile = ProfileSection(file, "options").Read("font", "");
    });
    dialog.Fill(CalendarOptions(), EventTypes());
    dialog.Shown({});
    dialog.SetFont("Tahoma");
    dialog.Apply(CalendarOptions());
    EXPECT_EQ(fontInFile, "Tahoma");
    EXPECT_EQ(CalendarOptions().font, "Tahoma");
    dialog.SetFont("Verdana");
    dialog.Apply(CalendarOptions());
    dialog.Accept(CalendarOptions());
    EXPECT_EQ(acceptedCalls, 3);
    EXPECT_EQ(fontInFile, "Verdana");
}

TEST_F(OptionsModelTest, PreviewsShowTheChosenFontsColoursAndDateFormat) {
    PortableLocale locale;
    locale.dateSeparator = '-';
    SetPortableLocale(locale);
    Open();
    const double now = Date(2007, 3, 5) + 0.75;
    EXPECT_EQ(model.CalendarPreview(now).text, "Monday, March 5, 2007"); // the default form
    model.SetDateFormat("dd/mm/yyyy");
    model.SetFont("Tahoma");
    model.SetFontSize(14);
    model.SetFontColour(255);
    const PreviewLook calendar = model.CalendarPreview(now);
    EXPECT_EQ(calendar.text, "05-03-2007");
    EXPECT_EQ(calendar.fontName, "Tahoma");
    EXPECT_EQ(calendar.fontSize, 14);
    EXPECT_EQ(calendar.textColour, 255);
    const PreviewLook tooltip = model.TooltipPreview();
    EXPECT_EQ(tooltip.text, "Sample tooltip");
    EXPECT_EQ(tooltip.fontName, "Arial");
    EXPECT_EQ(tooltip.fontSize, 12);
    EXPECT_EQ(tooltip.textColour, 0x800000);
    EXPECT_EQ(tooltip.background, 0xFFFF00);
    EXPECT_EQ(CentredLabelTop(10, 45, 13), 26);
}

// The subscribed calendar goes through the dialog as every other setting does, and a file
// chosen in the program folder is stored relative to it, so that the folder can move.
TEST_F(OptionsModelTest, TheSubscribedCalendarIsChosenStoredAndReadBack) {
    WriteFile("calendar.ini", "[options]\r\nsubscribed=holidays.ics\r\nsubscribedcolour=255\r\n");
    Open();
    EXPECT_EQ(model.Values().subscribed, "holidays.ics");
    EXPECT_EQ(model.Values().subscribedcolour, 255);
    EXPECT_EQ(model.SubscribedFullPathText(), folder.WithSeparator() + "holidays.ics");
    EXPECT_FALSE(model.Modified());

    const std::string inside = folder.WithSeparator();
    const std::string beside = inside.substr(0, inside.size() - 1) + "-other/x.ics";
    std::string upper = inside;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const struct {
        std::string chosen;
        bool taken;
        std::string stored; // when taken
    } choices[] = {
        {inside + "school.ics", true, "school.ics"},
        {inside + "calendars/school.ics", true, "calendars/school.ics"},
        {upper + "school.ics", true, "school.ics"}, // the system's paths ignore letter case
        {beside, true, beside},                     // a folder whose name only starts alike
        {"/elsewhere/school.ics", true, "/elsewhere/school.ics"},
        {"/elsewhere/" + std::string(250, 'x') + ".ics", false, ""}, // would be stored cut
    };
    for (const auto& choice : choices) {
        model.SetSubscribedFile("before.ics");
        EXPECT_EQ(model.SubscribedFileChosen(choice.chosen), choice.taken) << choice.chosen;
        EXPECT_EQ(model.Values().subscribed, choice.taken ? choice.stored : "before.ics")
            << choice.chosen;
    }
    // Typed: spaces around a name are no part of it, and spaces alone are no file, for which
    // a colour means nothing.
    model.SetSubscribedFile("   ");
    EXPECT_EQ(model.Values().subscribed, "");
    EXPECT_FALSE(model.SubscribedColourEnabled());
    model.SetSubscribedFile("  school.ics ");
    EXPECT_TRUE(model.SubscribedColourEnabled());
    model.SetSubscribedColour(0x00FF00);
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_EQ(CalendarOptions().subscribed, "school.ics");
    EXPECT_EQ(CalendarOptions().subscribedcolour, 0x00FF00);
    const SubscribedCalendar read = ReadSubscribedCalendar(ProfileFileSections(SettingsFileName()));
    EXPECT_EQ(read.path, inside + "school.ics");
    EXPECT_EQ(read.colour, 0x00FF00);

    // None named: the queries see none, in the default colour nothing shows in.
    Open();
    model.SetSubscribedFile("");
    model.Accept(CalendarOptions());
    EXPECT_EQ(ReadSubscribedCalendar(ProfileFileSections(SettingsFileName())).path, "");
}

std::string ShippedDescription(const char* file) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR "/tools/forms/") + file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(OptionsFormDescriptions, HoldEveryComponentTheDialogsDriveAndABrokenOneIsNamed) {
    const FormComponent options = ParseFormDescription(ShippedDescription("TOptionsForm.txt"));
    EXPECT_EQ(options.name, "TOptionsForm");
    EXPECT_NO_THROW(RequireComponents(options, OptionsFormComponents()));
    const FormComponent about = ParseFormDescription(ShippedDescription("TAboutBox.txt"));
    EXPECT_EQ(about.name, "TAboutBox");
    EXPECT_NO_THROW(RequireComponents(about, AboutBoxComponents()));

    FormComponent broken = options;
    broken.FindComponent("LanguageList")->kind = "listview";
    try {
        RequireComponents(broken, OptionsFormComponents());
        ADD_FAILURE() << "a description without the check list was taken";
    } catch (const VelmoraError& error) {
        EXPECT_NE(std::string(error.what()).find("LanguageList"), std::string::npos);
    }
}
} // namespace
