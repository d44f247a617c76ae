// The options dialog without its window: what the fill shows, what an accept stores in
// calendar.ini, the modified flag, the reminder-type rows, the language rows and the previews.
#include "OptionsModel.h"
#include "OptionsFormComponents.h"
#include "ProfileFile.h"
#include "StoreFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
class OptionsModelTest : public StoreFixture {
  protected:
    OptionsModelTest()
        : model([this](int32_t language) { switchedTo.push_back(language); },
                [this] { ++acceptedCalls; }) {}

    // As ShowOptions opens the dialog: settings from the file, the fill, the showing.
    void Open(const std::vector<LanguageModule>& modules = {}) {
        LoadSettingsIfNeeded();
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
                              "dateformat=d mmm\r\nlanguage=2055\r\nloadonstartup=0\r\n"
                              "hspacing=7\r\nvspacing=9\r\nlistcount=12\r\ntop=40\r\nleft=50\r\n");
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
    EXPECT_EQ(after.top, 40);
    EXPECT_EQ(after.left, 50);
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

TEST_F(OptionsModelTest, SpinValuesOutsideTheirRangesShowAndStoreAtTheNearestBound) {
    WriteFile("calendar.ini",
              "[options]\r\nfontsize=100\r\nttsize=2\r\nlistcount=250\r\nhspacing=255\r\n");
    Open();
    EXPECT_EQ(model.Values().fontsize, 72);
    EXPECT_EQ(model.Values().ttsize, 6);
    model.SetVSpacing(4000); // typed, then Enter
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_EQ(CalendarOptions().fontsize, 72);
    EXPECT_EQ(CalendarOptions().ttsize, 6);
    EXPECT_EQ(CalendarOptions().listcount, 200);
    EXPECT_EQ(CalendarOptions().hspacing, 250);
    EXPECT_EQ(CalendarOptions().vspacing, 250);
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
        {"tooltip font", [](OptionsModel& m) { m.SetTooltipFont("Tahoma"); }, true},
        {"tooltip size", [](OptionsModel& m) { m.SetTooltipFontSize(9); }, true},
        {"tooltip colour", [](OptionsModel& m) { m.SetTooltipColour(1); }, true},
        {"tooltip background", [](OptionsModel& m) { m.SetTooltipBackground(1); }, true},
        {"spacing", [](OptionsModel& m) { m.SetHSpacing(1); }, true},
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
    EXPECT_EQ(model.SelectedTypeColour(), 32768); // the calendar font colour
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
    EXPECT_EQ(EventTypesToList(), (std::vector<std::string>{"Birthday=65280", "Work=32768"}));

    model.SelectTypeRow(0);
    model.RemoveSelectedTypeRow();
    EXPECT_EQ(model.SelectedTypeRow(), -1);
    EXPECT_TRUE(model.ApplyEnabled());
    model.Apply(CalendarOptions());
    Reload();
    EXPECT_EQ(EventTypesToList(), (std::vector<std::string>{"Work=32768"}));

    model.SelectTypeRow(0);
    model.RemoveSelectedTypeRow();
    model.Accept(CalendarOptions());
    Reload();
    EXPECT_TRUE(EventTypes().empty());
}

TEST_F(OptionsModelTest, TypeNamesComeBackExactlyAsTypedAfterASaveAndANewDialog) {
    const std::vector<std::string> names = {
        "a=b", "", ";note", "[x]", "Birthday", "BIRTHDAY", " pad ", "=", std::string(255, 'n')};
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

TEST_F(OptionsModelTest, AFailedSaveIsRaisedAndCallsNothing) {
    std::filesystem::create_directory(folder.Path() / "calendar.ini"); // cannot be written
    model.Fill(DefaultOptions(), {});
    model.Shown({});
    model.SetFontSize(20);
    EXPECT_THROW(model.Apply(CalendarOptions()), VelmoraError);
    EXPECT_EQ(acceptedCalls, 0);
    EXPECT_TRUE(model.ApplyEnabled()); // nothing was saved: Apply stays on offer
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
