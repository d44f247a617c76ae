// The options dialog and the about box as the user meets them: ShowOptions called through
// TOOLS.DLL loaded by name, the dialog driven from inside its own loop, calendar.ini read
// afterwards; and the version reader on this program, which carries the calendar's version
// block as Calendar.exe does.
#include "BaseForm.h"
#include "DialogDriver.h"
#include "ScreenCapture.h"
#include "Version.h"
#include "WidgetValues.h"
#include "WineTestSupport.h"
#include "info.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>

namespace {
using Callback = void(WINAPI*)();
using ShowOptionsProc = int32_t(WINAPI*)(Callback);
using GetOptionsProc = void(WINAPI*)(int32_t*, int32_t*, unsigned char*, int32_t, int32_t*,
                                     int32_t*, int32_t*, uint8_t*, unsigned char*, int32_t,
                                     int32_t*, int32_t*, int32_t*, uint8_t*, uint8_t*,
                                     unsigned char*, int32_t, uint8_t*, uint8_t*);

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// What the window's callback saw: one date format per call, read back through GetOptions
// while ShowOptions is still running.
std::vector<std::string> callbackSaw;

void WINAPI OptionsApplied() {
    auto getOptions = reinterpret_cast<GetOptionsProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("TOOLS.DLL"), "GetOptions")));
    int32_t top, left, fontsize, fontcolour, highlight, ttsize, ttcolour, ttbackground;
    uint8_t firstday, listcount, colourcoding, hspacing, vspacing;
    unsigned char font[256], ttfont[256], dateformat[256] = {};
    getOptions(&top, &left, font, 255, &fontsize, &fontcolour, &highlight, &firstday, ttfont, 255,
               &ttsize, &ttcolour, &ttbackground, &listcount, &colourcoding, dateformat, 255,
               &hspacing, &vspacing);
    callbackSaw.push_back(std::string(reinterpret_cast<char*>(dateformat + 1), dateformat[0]));
}

// As the window calls it: load, look up, call, free. Also checks that the library's own window
// classes are gone once the call returns, before the library is freed.
int32_t CallShowOptions(Callback callback) {
    HMODULE library = LoadLibraryA("TOOLS.DLL");
    EXPECT_NE(library, nullptr);
    auto showOptions = reinterpret_cast<ShowOptionsProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "ShowOptions")));
    EXPECT_NE(showOptions, nullptr);
    const int32_t result = showOptions ? showOptions(callback) : -1;
    WNDCLASSEXA left = {};
    left.cbSize = sizeof left;
    for (const char* name : {"TOptionsForm", "TAboutBox", "TVelmoraRadioGroup", "TVrHyperButton"})
        EXPECT_FALSE(GetClassInfoExA(library, name, &left)) << name << " is still registered";
    FreeLibrary(library);
    return result;
}

std::string Setting(const char* key) {
    char value[512] = "";
    GetPrivateProfileStringA("options", key, "(none)", value, sizeof value,
                             (ExecutableFolder() + "calendar.ini").c_str());
    return value;
}

// The standard control inside a widget's own window.
HWND Inner(DialogDriver& d, const char* widget, const char* windowClass) {
    return FindWindowExA(d.Find(widget), nullptr, windowClass, nullptr);
}
HWND InnerEdit(DialogDriver& d, const char* spin) {
    return Inner(d, spin, "Edit");
}
std::string ColourChosen(DialogDriver& d, const char* combo) {
    HWND box = Inner(d, combo, "ComboBox");
    const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return "(none)";
    char text[128] = "";
    SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}
std::string SpinText(DialogDriver& d, const char* spin) {
    char text[32] = "";
    GetWindowTextA(InnerEdit(d, spin), text, sizeof text);
    return text;
}
// Keys as the keyboard delivers them to the focused control, through the dialog's loop.
void PressKey(WORD key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}
void TypeInto(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}
HWND CheckListView(DialogDriver& d) {
    return Inner(d, "LanguageList", "SysListView32");
}
bool Checked(DialogDriver& d, int row) {
    return ListView_GetCheckState(CheckListView(d), row) != 0;
}
HWND AboutComponent(const char* name) {
    HWND about = FindWindowA("TAboutBox", nullptr);
    return about ? reinterpret_cast<HWND>(
                       SendMessageA(about, WM_FINDCOMPONENT, 0, reinterpret_cast<LPARAM>(name)))
                 : nullptr;
}
std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class OptionsTest : public testing::Test {
  protected:
    void SetUp() override {
        ClearStore();
        callbackSaw.clear();
    }
    void TearDown() override {
        ClearStore();
        for (const char* module : {"Tools.ENA", "Tools.ENU", "Tools.NLD"})
            DeleteFileA((ExecutableFolder() + module).c_str());
    }
    int32_t Run(DialogDriver& driver, Callback callback = OptionsApplied) {
        const int32_t result = CallShowOptions(callback);
        EXPECT_TRUE(driver.DialogSeen());
        EXPECT_EQ(driver.StepsLeft(), 0u) << "the dialog closed before the script ended";
        return result;
    }
};

TEST_F(OptionsTest, ClosingWithoutAnAcceptReturns2AndLeavesTheFileAsItWas) {
    const std::string ini =
        "[options]\r\nfont=Tahoma\r\nfontsize=100\r\n[eventtypes]\r\nBirthday=255\r\n";
    const struct {
        const char* how;
        DialogDriver::Step close;
    } cases[] = {
        {"Cancel", [](DialogDriver& d) { d.Click("CancelButton"); }},
        {"Escape", [](DialogDriver&) { PressKey(VK_ESCAPE); }},
        {"close box", [](DialogDriver& d) { PostMessageA(d.Dialog(), WM_CLOSE, 0, 0); }},
    };
    for (const auto& c : cases) {
        WriteStoreFile("calendar.ini", ini);
        DialogDriver driver("TOptionsForm");
        driver.Then([](DialogDriver& d) { d.Type("DateFormatEdit", "yyyy"); });
        driver.Then(c.close);
        EXPECT_EQ(Run(driver), 2) << c.how;
        EXPECT_EQ(ReadStoreFile("calendar.ini"), ini) << c.how;
        EXPECT_TRUE(callbackSaw.empty()) << c.how;
    }
}

// A file another program holds is never taken for empty: no dialog opens on defaults that OK
// would store over it. A hold that ends while the library waits is no failure.
TEST_F(OptionsTest, ASettingsFileHeldByAnotherProgramOpensNoDialogAndIsLeftWhole) {
    const std::string ini =
        "[options]\r\nfont=Tahoma\r\n[eventtypes]\r\nBirthday=255\r\nWork=65280\r\n";
    const std::string path = ExecutableFolder() + "calendar.ini";
    WriteStoreFile("calendar.ini", ini);
    {
        FileHold hold(path);
        ASSERT_TRUE(hold.Held());
        DialogDriver driver("TOptionsForm");
        EXPECT_EQ(CallShowOptions(OptionsApplied), 2);
        EXPECT_FALSE(driver.DialogSeen());
        ASSERT_EQ(driver.Boxes().size(), 1u);
        EXPECT_NE(driver.Boxes()[0].text.find("calendar.ini"), std::string::npos);
    }
    EXPECT_EQ(ReadStoreFile("calendar.ini"), ini);
    EXPECT_TRUE(callbackSaw.empty());

    FileHold hold(path);
    ASSERT_TRUE(hold.Held());
    hold.ReleaseAfter(300);
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Chosen("FontCombo"), "Tahoma");
        EXPECT_EQ(d.RowCount("ListView1"), 2);
        d.Click("CancelButton");
    });
    EXPECT_EQ(Run(driver), 2);
    EXPECT_TRUE(driver.Boxes().empty());
    EXPECT_EQ(ReadStoreFile("calendar.ini"), ini);
}

// One bad value locks no one out: both dialogs open, the options at the nearest bounds with
// each bad value named once, and OK repairs those values alone.
TEST_F(OptionsTest, ValuesOutOfRangeOpenBothDialogsAndOkRepairsOnlyThem) {
    WriteStoreFile("calendar.ini", "[options]\r\nlistcount=300\r\nfont=Tahoma\r\nfontsize=9999\r\n"
                                   "firstday=2\r\nmine=kept\r\n[eventtypes]\r\nBirthday=255\r\n");
    {
        DialogDriver editor("TCalendarEntriesForm");
        editor.Then([](DialogDriver& d) { d.Click("CancelButton"); });
        HMODULE library = LoadLibraryA("TOOLS.DLL");
        ASSERT_NE(library, nullptr);
        auto addEntry = reinterpret_cast<void(WINAPI*)(double)>(
            reinterpret_cast<void*>(GetProcAddress(library, "AddEntry")));
        ASSERT_NE(addEntry, nullptr);
        addEntry(39146.0);
        FreeLibrary(library);
        EXPECT_TRUE(editor.DialogSeen());
        EXPECT_TRUE(editor.Boxes().empty());
    }
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(SpinText(d, "ListCountSpin"), "200");
        EXPECT_EQ(SpinText(d, "FontSizeSpin"), "72");
        EXPECT_EQ(d.Chosen("FontCombo"), "Tahoma");
        EXPECT_EQ(d.RowCount("ListView1"), 1);
        d.Click("OkButton");
    });
    EXPECT_EQ(Run(driver), 1);
    ASSERT_EQ(driver.Boxes().size(), 1u);
    const std::string& message = driver.Boxes()[0].text;
    for (const char* part : {"\"listcount\" is 300; 200", "\"fontsize\" is 9999; 72"})
        EXPECT_NE(message.find(part), std::string::npos) << part << " in " << message;
    EXPECT_EQ(Setting("listcount"), "200");
    EXPECT_EQ(Setting("fontsize"), "72");
    EXPECT_EQ(Setting("font"), "Tahoma");
    EXPECT_EQ(Setting("firstday"), "2");
    EXPECT_EQ(Setting("mine"), "kept");
    char type[64] = "";
    GetPrivateProfileStringA("eventtypes", "Birthday", "", type, sizeof type,
                             (ExecutableFolder() + "calendar.ini").c_str());
    EXPECT_STREQ(type, "255");
}

// OK after a save that failed is what Apply is then: the dialog stays open with the edits, and
// 1 comes back only once they are saved.
TEST_F(OptionsTest, OkAfterAFailedSaveKeepsTheDialogOpenWithTheEdits) {
    const std::string ini = "[options]\r\nfont=Tahoma\r\n[eventtypes]\r\nBirthday=255\r\n";
    const std::string path = ExecutableFolder() + "calendar.ini";
    std::unique_ptr<FileHold> hold;
    const struct {
        const char* fault;
        std::function<void()> make, mend;
    } cases[] = {
        {"read-only", [&] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); },
         [&] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }},
        {"held", [&] { hold = std::make_unique<FileHold>(path); }, [&] { hold.reset(); }},
        {"a folder",
         [&] {
             DeleteFileA(path.c_str());
             CreateDirectoryA(path.c_str(), nullptr);
         },
         [&] {
             RemoveDirectoryA(path.c_str());
             WriteStoreFile("calendar.ini", ini);
         }},
    };
    for (const auto& c : cases) {
        WriteStoreFile("calendar.ini", ini);
        callbackSaw.clear();
        DialogDriver driver("TOptionsForm");
        driver.Then([&](DialogDriver& d) {
            d.Type("DateFormatEdit", "yyyy");
            c.make();
        });
        driver.Then([](DialogDriver& d) { d.Click("OkButton"); });
        driver.Then([&](DialogDriver& d) {
            EXPECT_TRUE(IsWindowVisible(d.Dialog())) << c.fault;
            EXPECT_EQ(d.Text("DateFormatEdit"), "yyyy") << c.fault;
            EXPECT_TRUE(callbackSaw.empty()) << c.fault;
            c.mend();
            EXPECT_EQ(ReadStoreFile("calendar.ini"), ini) << c.fault;
            d.Click("OkButton");
        });
        EXPECT_EQ(Run(driver), 1) << c.fault;
        ASSERT_EQ(driver.Boxes().size(), 1u) << c.fault;
        EXPECT_NE(driver.Boxes()[0].text.find("could not be saved"), std::string::npos)
            << c.fault << ": " << driver.Boxes()[0].text;
        EXPECT_EQ(callbackSaw, std::vector<std::string>{"yyyy"}) << c.fault;
        EXPECT_EQ(Setting("dateformat"), "yyyy") << c.fault;
        EXPECT_EQ(Setting("font"), "Tahoma") << c.fault;
    }
}

TEST_F(OptionsTest, AnUntouchedOkKeepsWhatTheListsLackAndBringsSizesIntoRange) {
    WriteStoreFile("calendar.ini",
                   "[options]\r\nfont=Not Installed\r\nfontcolour=1193046\r\nlanguage=1043\r\n"
                   "fontsize=100\r\nfirstday=2\r\ncolourcoding=1\r\n");
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Chosen("FontCombo"), "Not Installed");
        EXPECT_EQ(ColourChosen(d, "FontColourCombo"), ForeignColourName(1193046));
        EXPECT_EQ(ColourChosen(d, "HighlightColourCombo"), "Navy");
        EXPECT_EQ(SpinText(d, "FontSizeSpin"), "72");
        EXPECT_FALSE(d.Enabled("ApplyButton"));
        EXPECT_FALSE(d.Visible("LanguageGroup")); // no language module beside the library
        d.Click("OkButton");
    });
    EXPECT_EQ(Run(driver), 1);
    EXPECT_EQ(callbackSaw.size(), 1u);
    EXPECT_EQ(Setting("font"), "Not Installed");
    EXPECT_EQ(Setting("fontcolour"), "1193046");
    EXPECT_EQ(Setting("language"), "1043");
    EXPECT_EQ(Setting("fontsize"), "72");
    EXPECT_EQ(Setting("firstday"), "2");
    EXPECT_EQ(Setting("colourcoding"), "1");
}

TEST_F(OptionsTest, EachApplySavesAndCallsBackWithTheValuesJustAccepted) {
    const struct {
        const char* last; // how the dialog ends after two Applies
        int32_t result;
        std::vector<std::string> seen;
        const char* stored;
    } cases[] = {
        {"OkButton", 1, {"d", "dd mm", "dd mmm"}, "dd mmm"},
        {"CancelButton", 2, {"d", "dd mm"}, "dd mm"},
    };
    for (const auto& c : cases) {
        callbackSaw.clear();
        DialogDriver driver("TOptionsForm");
        driver.Then([](DialogDriver& d) { d.Type("DateFormatEdit", "d"); });
        driver.Then([](DialogDriver& d) {
            EXPECT_TRUE(d.Enabled("ApplyButton"));
            d.Click("ApplyButton");
        });
        driver.Then([](DialogDriver& d) {
            EXPECT_FALSE(d.Enabled("ApplyButton"));
            EXPECT_EQ(Setting("dateformat"), "d"); // saved before the dialog closes
            d.Type("DateFormatEdit", "dd mm");
        });
        driver.Then([](DialogDriver& d) { d.Click("ApplyButton"); });
        driver.Then([](DialogDriver& d) { d.Type("DateFormatEdit", "dd mmm"); });
        const std::string last = c.last;
        driver.Then([last](DialogDriver& d) { d.Click(last.c_str()); });
        EXPECT_EQ(Run(driver), c.result) << c.last;
        EXPECT_EQ(callbackSaw, c.seen) << c.last;
        EXPECT_EQ(Setting("dateformat"), c.stored) << c.last;
    }
}

// The Calendar page: week numbers and today's fill; today's colour waits for the fill.
TEST_F(OptionsTest, TheCalendarPageStoresWeekNumbersAndTodaysFill) {
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) {
        d.ShowPage(4);
        EXPECT_TRUE(d.Visible("WeekNumbersCheck"));
        EXPECT_FALSE(d.Enabled("TodayColourCombo"));
        d.Click("WeekNumbersCheck");
    });
    driver.Then([](DialogDriver& d) { d.Click("FillTodayCheck"); });
    driver.Then([](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled("TodayColourCombo"));
        // Picked in the colour combo's own box, which tells the widget as a click would.
        HWND box = Inner(d, "TodayColourCombo", "ComboBox");
        const LRESULT teal = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>("Teal"));
        ASSERT_NE(teal, CB_ERR);
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(teal), 0);
        SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    });
    driver.Then([](DialogDriver& d) { d.Click("OkButton"); });
    EXPECT_EQ(Run(driver), 1);
    EXPECT_EQ(Setting("weeknumbers"), "1");
    EXPECT_EQ(Setting("filltoday"), "1");
    EXPECT_EQ(Setting("todaycolour"), std::to_string(RGB(0, 0x80, 0x80)));
}

// The preview's shape, under the text: the background colour, painted afresh after each change.
TEST_F(OptionsTest, TheTooltipPreviewShowsItsBackgroundColourAgainAfterEachChange) {
    WriteStoreFile("calendar.ini", "[options]\r\nttbackground=255\r\n");
    const auto shapeColour = [](DialogDriver& d) {
        HWND shape = d.Find("SampleTooltipShape");
        UpdateWindow(shape);
        RECT area = {};
        GetWindowRect(shape, &area);
        const int x = (area.left + area.right) / 2, y = area.bottom - 4;
        return ScreenPixels({x, y, x + 1, y + 1})[0];
    };
    std::vector<COLORREF> seen;
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.ShowPage(1); });
    for (const char* colour : {"Teal", "Yellow"}) {
        driver.Then([&, colour](DialogDriver& d) {
            seen.push_back(shapeColour(d));
            HWND box = Inner(d, "TooltipBackgroundColorComboBox", "ComboBox");
            const LRESULT entry = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(colour));
            ASSERT_NE(entry, CB_ERR) << colour;
            SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
            SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(box));
        });
    }
    driver.Then([&](DialogDriver& d) {
        seen.push_back(shapeColour(d));
        d.Click("CancelButton");
    });
    EXPECT_EQ(Run(driver), 2);
    EXPECT_EQ(seen, (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0x80, 0x80), RGB(255, 255, 0)}));
}

TEST_F(OptionsTest, ANullCallbackStillSavesOnApplyAndOk) {
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.Type("DateFormatEdit", "mmmm"); });
    driver.Then([](DialogDriver& d) { d.Click("ApplyButton"); });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(Setting("dateformat"), "mmmm");
        d.Type("DateFormatEdit", "yyyy");
    });
    driver.Then([](DialogDriver& d) { d.Click("OkButton"); });
    EXPECT_EQ(Run(driver, nullptr), 1);
    EXPECT_EQ(Setting("dateformat"), "yyyy");
    EXPECT_TRUE(callbackSaw.empty());
}

TEST_F(OptionsTest, ANumberTypedIntoASpinEditAndAcceptedWithEnterIsStoredWithinItsRange) {
    const struct {
        const char* spin;
        int page;
        const char* typed;
        const char* key;
        const char* stored;
    } cases[] = {
        {"FontSizeSpin", 0, "100", "fontsize", "72"},
        {"TooltipFontSizeSpin", 1, "3", "ttsize", "6"},
        {"ListCountSpin", 3, "250", "listcount", "200"},
        {"HSpacingSpin", 3, "99999999999", "hspacing", "250"},
    };
    for (const auto& c : cases) {
        DialogDriver driver("TOptionsForm");
        const int page = c.page;
        const std::string spin = c.spin, typed = c.typed;
        driver.Then([page](DialogDriver& d) { d.ShowPage(page); });
        driver.Then(
            [spin, typed](DialogDriver& d) { TypeInto(InnerEdit(d, spin.c_str()), typed); });
        driver.Then([](DialogDriver&) { PressKey(VK_RETURN); });
        EXPECT_EQ(Run(driver), 1) << c.spin;
        EXPECT_EQ(Setting(c.key), c.stored) << c.spin;
    }
}

TEST_F(OptionsTest, ReminderTypesAreRemovedAddedRenamedAndComeBackAsTyped) {
    WriteStoreFile(
        "calendar.ini",
        "[options]\r\nfontcolour=32768\r\n[eventtypes]\r\nBirthday=255\r\nWork=65280\r\n");
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.ShowPage(2); });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.RowCount("ListView1"), 2);
        EXPECT_FALSE(d.Enabled("EventEdit"));
        EXPECT_FALSE(d.Enabled("RemoveEventTypeButton"));
        EXPECT_FALSE(d.Enabled("EventColourButton"));
        d.ClickRow("ListView1", 0);
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Text("EventEdit"), "Birthday");
        EXPECT_TRUE(d.Enabled("RemoveEventTypeButton"));
        d.Click("RemoveEventTypeButton");
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.RowCount("ListView1"), 1);
        EXPECT_TRUE(d.Enabled("ApplyButton")); // a removal is a change to save
        EXPECT_FALSE(d.Enabled("EventEdit"));
        EXPECT_EQ(d.Text("EventEdit"), "");
        d.Click("AddEventTypeButton");
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.SelectedRow("ListView1"), 1);
        // The palette's first colour no type has: Work's is another, and the font colour
        // (32768) is none of the palette.
        EXPECT_EQ(d.Cell("ListView1", 1, 1), std::to_string(0x2F32DC));
        EXPECT_EQ(d.Focused(), d.Find("EventEdit"));
        d.Type("EventEdit", "a=b");
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Cell("ListView1", 1, 0), "a=b");
        d.Click("AddEventTypeButton");
    });
    driver.Then([](DialogDriver& d) { d.Type("EventEdit", "work"); }); // "Work" but for case
    driver.Then([](DialogDriver& d) {
        d.AnswerBoxes({IDCANCEL});
        d.ClickRow("ListView1", 0);
    });
    driver.Then([](DialogDriver& d) { d.Click("EventColourButton"); });
    driver.Then([](DialogDriver& d) {
        ASSERT_EQ(d.Boxes().size(), 1u); // the colour chooser, cancelled
        EXPECT_EQ(d.Cell("ListView1", 0, 1), "65280");
        d.Click("OkButton");
    });
    EXPECT_EQ(Run(driver), 1);

    DialogDriver again("TOptionsForm");
    again.Then([](DialogDriver& d) { d.ShowPage(2); });
    again.Then([](DialogDriver& d) {
        ASSERT_EQ(d.RowCount("ListView1"), 3);
        EXPECT_EQ(d.Cell("ListView1", 0, 0), "Work");
        EXPECT_EQ(d.Cell("ListView1", 1, 0), "a=b");
        EXPECT_EQ(d.Cell("ListView1", 2, 0), "work");
        EXPECT_EQ(d.Cell("ListView1", 2, 1), std::to_string(0x3C9600)); // the next one
        d.Click("CancelButton");
    });
    EXPECT_EQ(Run(again), 2);
}

// The last column reaches the list's right edge: no empty header beside it.
void ExpectColumnsFillTheList(HWND list) {
    RECT client = {};
    GetClientRect(list, &client);
    const int columns = Header_GetItemCount(ListView_GetHeader(list));
    int width = 0;
    for (int column = 0; column < columns; ++column)
        width += ListView_GetColumnWidth(list, column);
    EXPECT_EQ(width, client.right);
}

TEST_F(OptionsTest, RenamingWorkToJobMovesItsRemindersAndSaysHowMany) {
    WriteStoreFile("calendar.ini", "[eventtypes]\r\nWork=65280\r\nHome=255\r\n");
    WriteStoreFile("data\\2007-03-05.txt", "{Work}Budget\r\n{Home}Plumber\r\nx{work}y\n");
    WriteStoreFile("data\\2007-03-06.txt", "{Home}Gym\r\n");
    std::string record(272, '\0');
    const double march1 = 39142;
    std::memcpy(&record[0], &march1, 8);
    const std::string text = "{Work}Team meeting";
    record[8] = static_cast<char>(text.size());
    std::memcpy(&record[9], text.data(), text.size());
    record[264] = 1;
    WriteStoreFile("data\\regular.dat", record);
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.ShowPage(2); });
    driver.Then([](DialogDriver& d) {
        ExpectColumnsFillTheList(d.Find("ListView1"));
        d.ClickRow("ListView1", 0);
    });
    driver.Then([](DialogDriver& d) { d.Type("EventEdit", "Job"); });
    driver.Then([](DialogDriver& d) { d.Click("OkButton"); });
    EXPECT_EQ(Run(driver), 1);
    ASSERT_EQ(driver.Boxes().size(), 1u);
    EXPECT_EQ(driver.Boxes()[0].text, "3 reminders were moved to their types' new names.");
    EXPECT_EQ(ReadStoreFile("data\\2007-03-05.txt"), "{Job}Budget\r\n{Home}Plumber\r\nx{Job}y\n");
    EXPECT_EQ(ReadStoreFile("data\\2007-03-06.txt"), "{Home}Gym\r\n");
    std::string moved = record;
    const std::string renamed = "{Job}Team meeting";
    std::memset(&moved[9], 0, text.size());
    moved[8] = static_cast<char>(renamed.size());
    std::memcpy(&moved[9], renamed.data(), renamed.size());
    EXPECT_EQ(ReadStoreFile("data\\regular.dat"), moved);
    EXPECT_EQ(ReadStoreFile("calendar.ini").find("[eventtypes]\r\nJob=65280\r\nHome=255\r\n"), 0u);
}

TEST_F(OptionsTest, TheFirstStartOffersStarterTypesAndNoLaterStartAfterTheyWereRemoved) {
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.ShowPage(2); });
    driver.Then([](DialogDriver& d) {
        ASSERT_EQ(d.RowCount("ListView1"), 3);
        EXPECT_EQ(d.Cell("ListView1", 0, 0), "Birthday");
        EXPECT_EQ(d.Cell("ListView1", 1, 0), "Holiday");
        EXPECT_EQ(d.Cell("ListView1", 2, 0), "Work");
        // A new type's swatch shows in the white list: the next palette colour, not white.
        d.Click("AddEventTypeButton");
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Cell("ListView1", 3, 1), std::to_string(0x008CFF));
        d.Type("EventEdit", "Sport");
    });
    driver.Then([](DialogDriver& d) { d.Click("OkButton"); });
    EXPECT_EQ(Run(driver), 1);
    EXPECT_NE(ReadStoreFile("calendar.ini")
                  .find("[eventtypes]\r\nBirthday=3093212\r\n"
                        "Holiday=3970560\r\nWork=13798182\r\n"
                        "Sport=36095\r\n"),
              std::string::npos)
        << ReadStoreFile("calendar.ini");

    DialogDriver removing("TOptionsForm");
    removing.Then([](DialogDriver& d) { d.ShowPage(2); });
    for (int row = 3; row >= 0; --row) {
        removing.Then([row](DialogDriver& d) { d.ClickRow("ListView1", row); });
        removing.Then([](DialogDriver& d) { d.Click("RemoveEventTypeButton"); });
    }
    removing.Then([](DialogDriver& d) { d.Click("OkButton"); });
    EXPECT_EQ(Run(removing), 1);
    DialogDriver again("TOptionsForm");
    again.Then([](DialogDriver& d) { d.ShowPage(2); });
    again.Then([](DialogDriver& d) {
        EXPECT_EQ(d.RowCount("ListView1"), 0);
        d.Click("CancelButton");
    });
    EXPECT_EQ(Run(again), 2);
}

// A type's swatch is the colour its days take on the desktop: a value with a top byte other
// than the system colours' (-1 and others a file may hold) is its low three bytes, white for -1.
TEST_F(OptionsTest, ATypesSwatchShowsTheColourItsDaysTakeOnTheDesktop) {
    const std::string highlight =
        std::to_string(static_cast<int32_t>(0x80000000u | COLOR_HIGHLIGHT));
    WriteStoreFile("calendar.ini", "[eventtypes]\r\nRed=255\r\nUnset=-1\r\nGrey=" +
                                       std::to_string(static_cast<int32_t>(0xFF808080u)) +
                                       "\r\nHighlight=" + highlight + "\r\n");
    const COLORREF expected[] = {RGB(255, 0, 0), RGB(255, 255, 255), RGB(128, 128, 128),
                                 GetSysColor(COLOR_HIGHLIGHT)};
    std::vector<COLORREF> seen;
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.ShowPage(2); });
    driver.Then([&](DialogDriver& d) {
        HWND list = d.Find("ListView1");
        for (int row = 0; row < 4; ++row) {
            RECT cell = {};
            cell.top = 1;
            cell.left = LVIR_BOUNDS;
            SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&cell));
            POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
            ClientToScreen(list, &centre);
            HDC screen = GetDC(nullptr);
            seen.push_back(GetPixel(screen, centre.x, centre.y));
            ReleaseDC(nullptr, screen);
        }
        d.AnswerBoxes({IDCANCEL});
        d.ClickRow("ListView1", 1);
    });
    // The colour chooser opens on the colour the swatch shows.
    driver.Then([](DialogDriver& d) { d.Click("EventColourButton"); });
    driver.Then([](DialogDriver& d) { d.Click("CancelButton"); });
    EXPECT_EQ(Run(driver), 2);
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t row = 0; row < seen.size(); ++row)
        EXPECT_EQ(seen[row], expected[row]) << "row " << row;
    ASSERT_EQ(driver.Boxes().size(), 1u);
    const int red = 706, green = 707, blue = 708; // the chooser's fields
    std::map<int, std::string> fields = driver.Boxes()[0].fields;
    EXPECT_EQ(fields[red] + " " + fields[green] + " " + fields[blue], "255 255 255");
}

TEST_F(OptionsTest, TheOptionsDialogAndTheAboutBoxCloseByTheirCloseBoxAsCancel) {
    const std::string ini = "[options]\r\nfontsize=12\r\n[eventtypes]\r\nWork=255\r\n";
    WriteStoreFile("calendar.ini", ini);
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) {
        EXPECT_TRUE(GetWindowLongA(d.Dialog(), GWL_STYLE) & WS_SYSMENU);
        d.Click("AboutButton");
    });
    driver.Then([](DialogDriver&) {});
    driver.Then([](DialogDriver&) {
        HWND about = FindWindowA("TAboutBox", nullptr);
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU);
        PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(FindWindowA("TAboutBox", nullptr), nullptr);
        d.ShowPage(0);
        SetWindowTextA(InnerEdit(d, "FontSizeSpin"), "20");
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_TRUE(d.Enabled("ApplyButton"));
        PostMessageA(d.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(Run(driver), 2);
    EXPECT_EQ(ReadStoreFile("calendar.ini"), ini);
}

// The library's manifest is at an id the loader passes over; the dialog activates it itself, so
// its common controls are still the themed ones of the side-by-side assembly, not system32's.
TEST_F(OptionsTest, TheDialogsCommonControlsAreTheThemedOnes) {
    WriteStoreFile("calendar.ini", "[eventtypes]\r\nWork=255\r\n");
    std::vector<std::string> owners;
    DialogDriver driver("TOptionsForm");
    driver.Then([&](DialogDriver& d) {
        for (const char* component : {"PageControl1", "ListView1"}) {
            HMODULE owner = nullptr;
            GetModuleHandleExA(
                GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                    GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                reinterpret_cast<LPCSTR>(GetClassLongPtrW(d.Find(component), GCLP_WNDPROC)),
                &owner);
            char path[MAX_PATH] = "";
            GetModuleFileNameA(owner, path, MAX_PATH);
            owners.push_back(path);
        }
        d.Click("CancelButton");
    });
    EXPECT_EQ(Run(driver), 2);
    ASSERT_EQ(owners.size(), 2u);
    for (const std::string& owner : owners)
        EXPECT_NE(owner.find("winsxs"), std::string::npos) << owner;
}

TEST_F(OptionsTest, TheLanguageListShowsTheModulesFoundAndKeepsTheStoredLanguage) {
    const struct {
        std::vector<const char*> modules;
        int32_t stored;
        std::vector<bool> checks;
        int checkRow; // the row the user checks, or -1
        const char* storedAfter;
    } cases[] = {
        {{}, 1043, {}, -1, "1043"},
        {{"Tools.NLD"}, 1043, {true}, -1, "1043"},
        {{"Tools.ENA", "Tools.NLD"}, 1033, {false, false}, 1, "1043"},
    };
    for (const auto& c : cases) {
        for (const char* module : {"Tools.ENA", "Tools.ENU", "Tools.NLD"})
            DeleteFileA((ExecutableFolder() + module).c_str());
        for (const char* module : c.modules)
            WriteStoreFile(module, "not a module");
        WriteStoreFile("calendar.ini",
                       "[options]\r\nlanguage=" + std::to_string(c.stored) + "\r\n");
        DialogDriver driver("TOptionsForm");
        const std::vector<bool> checks = c.checks;
        const int checkRow = c.checkRow;
        driver.Then([](DialogDriver& d) { d.ShowPage(3); });
        driver.Then([checks, checkRow](DialogDriver& d) {
            EXPECT_EQ(d.Visible("LanguageGroup"), !checks.empty());
            ASSERT_EQ(ListView_GetItemCount(CheckListView(d)), static_cast<int>(checks.size()));
            for (size_t row = 0; row < checks.size(); ++row)
                EXPECT_EQ(Checked(d, static_cast<int>(row)), checks[row]) << row;
            if (checkRow >= 0)
                ListView_SetCheckState(CheckListView(d), checkRow, TRUE);
        });
        driver.Then([checkRow](DialogDriver& d) {
            if (checkRow >= 0) {
                EXPECT_TRUE(Checked(d, checkRow));
                EXPECT_TRUE(d.Enabled("ApplyButton"));
            }
            d.Click("OkButton");
        });
        EXPECT_EQ(Run(driver), 1);
        EXPECT_EQ(Setting("language"), c.storedAfter);
    }
}

TEST_F(OptionsTest, TheAboutBoxShowsTheVersionOfTheProgramThatLoadedTheLibrary) {
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.Click("AboutButton"); });
    driver.Then([](DialogDriver& d) {
        for (const SeenBox& box : d.Boxes())
            ADD_FAILURE() << box.caption << ": " << box.text;
        ASSERT_NE(FindWindowA("TAboutBox", nullptr), nullptr);
        EXPECT_EQ(TextOf(AboutComponent("Version")), "Version " VELMORA_VERSION_TEXT);
        EXPECT_EQ(TextOf(AboutComponent("ProductName")), "Velmora");
        EXPECT_EQ(TextOf(AboutComponent("VrHyperLink1")), "readme.txt");
        PostMessageA(FindWindowA("TAboutBox", nullptr), WM_COMMAND, IDCANCEL, 0);
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(FindWindowA("TAboutBox", nullptr), nullptr);
        d.Click("CancelButton");
    });
    EXPECT_EQ(Run(driver), 2);
}

TEST_F(OptionsTest, TheKeyboardAloneReachesThePagesAddsATypeAndAccepts) {
    WriteStoreFile("calendar.ini", "[options]\r\nfontcolour=255\r\n");
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Focused(), d.Find("OkButton"));
        d.Key(VK_TAB, false, true);
    });
    driver.Then([](DialogDriver& d) { d.Key(VK_TAB, false, true); });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(SendMessageA(d.Find("PageControl1"), TCM_GETCURSEL, 0, 0), 2);
        d.Key('D', true); // A&dd
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.RowCount("ListView1"), 1);
        EXPECT_EQ(d.Focused(), d.Find("EventEdit"));
        d.Key('W');
        d.Key('O');
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(d.Cell("ListView1", 0, 0), "wo");
        EXPECT_TRUE(d.Enabled("ApplyButton"));
        d.Key(VK_RETURN);
    });
    EXPECT_EQ(Run(driver), 1);
    EXPECT_NE(ReadStoreFile("calendar.ini").find("wo=" + std::to_string(0x2F32DC)),
              std::string::npos);
}

// The window as the screen shows it, as a 24-bit bitmap file.
void SaveWindowImage(HWND window, const std::string& path) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::string content(reinterpret_cast<const char*>(&file), sizeof file);
    content.append(reinterpret_cast<const char*>(&header), sizeof header);
    content.append(pixels.data(), pixels.size());
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// Not a check: pictures of the five pages and the about box for the documentation, taken when
// VELMORA_SHOTS names a folder (see take-options-screenshots.sh).
TEST_F(OptionsTest, Screenshots) {
    char folder[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("VELMORA_SHOTS", folder, sizeof folder))
        GTEST_SKIP() << "VELMORA_SHOTS not set";
    WriteStoreFile("calendar.ini",
                   "[options]\r\nfont=Tahoma\r\nfontsize=14\r\nfontcolour=16777215\r\n"
                   "dateformat=dddd d mmmm yyyy\r\nttfont=Tahoma\r\nttsize=11\r\n"
                   "subscribed=holidays.ics\r\nsubscribedcolour=32768\r\n"
                   "[eventtypes]\r\nBirthday=255\r\nWork=33023\r\nHoliday=65280\r\n");
    WriteStoreFile("Tools.NLD", "not a module");
    const std::string shots = folder;
    DialogDriver driver("TOptionsForm");
    for (int page = 0; page < 7; ++page) {
        driver.Then([page](DialogDriver& d) {
            d.ShowPage(page);
            if (page == 2)
                d.ClickRow("ListView1", 1);
        });
        driver.Then([](DialogDriver& d) { UpdateWindow(d.Dialog()); });
        driver.Then([page, shots](DialogDriver& d) {
            SaveWindowImage(d.Dialog(), shots + "\\options-" + std::to_string(page + 1) + ".bmp");
        });
    }
    driver.Then([](DialogDriver& d) { d.Click("AboutButton"); });
    driver.Then([](DialogDriver&) {});
    driver.Then([shots](DialogDriver&) {
        SaveWindowImage(FindWindowA("TAboutBox", nullptr), shots + "\\about.bmp");
        PostMessageA(FindWindowA("TAboutBox", nullptr), WM_COMMAND, IDOK, 0);
    });
    driver.Then([](DialogDriver& d) { d.Click("CancelButton"); });
    EXPECT_EQ(Run(driver), 2);
}

TEST(VersionReader, ReadsTheBlockOfItsLanguageAndLeavesValuesAloneWithoutVersionInformation) {
    const struct {
        std::string exe;
        const char* langId;
        const char* fileVersion; // what FileVersion holds after the read, from "before"
        const char* productName;
    } cases[] = {
        {OwnPath(), "0C09", VELMORA_VERSION_TEXT, "Velmora"},
        {OwnPath(), "040C", "", ""}, // no such block: nothing found
        {ExecutableFolder() + "no such file.exe", "0C09", "before", "before"},
    };
    for (const auto& c : cases) {
        TEPInfoExe info;
        info.ExeName = c.exe;
        info.LangId = c.langId;
        info.FileVersion = "before";
        info.ProductName = "before";
        info.Read();
        EXPECT_EQ(info.FileVersion, c.fileVersion) << c.exe << " " << c.langId;
        EXPECT_EQ(info.ProductName, c.productName) << c.exe << " " << c.langId;
    }
    TEPInfoExe info;
    EXPECT_EQ(info.LangId, "040C");
    info.ExeName = OwnPath();
    info.LangId = "0C09";
    info.Read();
    EXPECT_EQ(info.OriginalFilename, "Calendar.exe");
    EXPECT_EQ(info.ProductVersion, VELMORA_VERSION_TEXT);
    EXPECT_EQ(info.LegalTradeMarks, ""); // not in the block
}
} // namespace
