// Language switching through TOOLS.DLL as the window calls it: the reminder editor comes up in
// the language of calendar.ini when a module for it lies beside the library, each switch
// frees the module it replaces, and nothing of a module stays mapped once the call that
// loaded it returns; a damaged module is passed over by both dialogs. And nothing a dialog
// export registered or set outlives the call, however the dialog ended. The Dutch module is
// the one the build makes from tools/languages/NLD.
#include "BaseForm.h"
#include "DialogDriver.h"
#include "LittleEndian.h"
#include "Tools.h"
#include "WinHandles.h"
#include "WineTestSupport.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {
using AddEntryProc = TAddEntryFunction;

const double march5 = 39146;

// The folder that holds the built library and the Dutch module, copied in by the build.
std::string Part(const std::string& name) {
    return ExecutableFolder() + "parts\\" + name;
}

// A folder under the test's own, holding copies of the parts under the names given.
std::string Lay(const std::string& folder,
                const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string path = ExecutableFolder() + folder + "\\";
    CreateDirectoryA(path.c_str(), nullptr);
    for (const auto& file : files)
        EXPECT_TRUE(CopyFileA(Part(file.second).c_str(), (path + file.first).c_str(), FALSE))
            << file.first;
    return path;
}

// How many distinct views of files whose mapped name ends with tail the process holds. A
// module loaded as data is a mapped view, which GetModuleHandle does not report.
int MappedViews(const std::string& tail) {
    int count = 0;
    const void* lastBase = nullptr;
    MEMORY_BASIC_INFORMATION info = {};
    const char* address = nullptr;
    while (VirtualQuery(address, &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && (info.Type == MEM_MAPPED || info.Type == MEM_IMAGE) &&
            info.AllocationBase != lastBase) {
            char name[2048] = "";
            const DWORD length =
                GetMappedFileNameA(GetCurrentProcess(), info.BaseAddress, name, sizeof name);
            const std::string mapped(name, length);
            if (mapped.size() >= tail.size() &&
                lstrcmpiA(mapped.c_str() + mapped.size() - tail.size(), tail.c_str()) == 0) {
                ++count;
                lastBase = info.AllocationBase;
            }
        }
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return count;
}

// The tab captions of the editor's page control.
std::string TabCaption(DialogDriver& d, int index) {
    char text[256] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(d.Find("PageControl1"), TCM_GETITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

std::string ColumnTitle(DialogDriver& d, const char* list, int index) {
    char text[256] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    SendMessageA(d.Find(list), LVM_GETCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
    return text;
}

struct EditorTexts {
    std::string caption, firstTab, addButton, okButton, descriptionColumn, shuffleUpName;
};

const EditorTexts english = {"Calendar Reminders", "Reminders", "&Add", "OK",
                             "Description",        "Shuffle up"};
const EditorTexts dutch = {"Agenda-herinneringen", "Herinneringen",  "&Nieuw", "OK",
                           "Omschrijving",         "Omhoog schuiven"};

EditorTexts ReadEditorTexts(DialogDriver& d) {
    EditorTexts texts;
    char caption[256] = "";
    GetWindowTextA(d.Dialog(), caption, sizeof caption);
    texts.caption = caption;
    texts.firstTab = TabCaption(d, 0);
    texts.addButton = d.Text("AddEntryButton");
    // Not in the Dutch module: keeps the editor's own text.
    texts.okButton = d.Text("OkButton");
    texts.descriptionColumn = ColumnTitle(d, "ListView1", 0);
    // A picture button's name, in the language of the dialog.
    texts.shuffleUpName = d.Text("ShuffleUpButton");
    return texts;
}

void ExpectTexts(const EditorTexts& seen, const EditorTexts& expected) {
    EXPECT_EQ(seen.caption, expected.caption);
    EXPECT_EQ(seen.firstTab, expected.firstTab);
    EXPECT_EQ(seen.addButton, expected.addButton);
    EXPECT_EQ(seen.okButton, expected.okButton);
    EXPECT_EQ(seen.descriptionColumn, expected.descriptionColumn);
    EXPECT_EQ(seen.shuffleUpName, expected.shuffleUpName);
}

// Opens the editor through the library's AddEntry, reads its texts and cancels it. The module
// named, if any, is mapped while the editor is open.
EditorTexts RunEditor(AddEntryProc addEntry, const std::string& screenshot = std::string(),
                      const char* module = nullptr) {
    EditorTexts texts;
    DialogDriver driver("TCalendarEntriesForm");
    driver.Then([&](DialogDriver& d) {
        texts = ReadEditorTexts(d);
        if (module) {
            EXPECT_EQ(MappedViews(module), 1) << "the module is not in use";
        }
        if (!screenshot.empty())
            d.SaveScreenshot(screenshot);
        d.Click("CancelButton");
    });
    addEntry(march5);
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_EQ(driver.StepsLeft(), 0u);
    return texts;
}

AddEntryProc FindAddEntry(HMODULE library) {
    return BindExport<AddEntryProc>(library, "AddEntry");
}

class LanguageTest : public testing::Test {
  protected:
    void SetUp() override { ClearStore(); }
    void TearDown() override { ClearStore(); }
    void SetLanguage(int language) {
        WriteStoreFile("calendar.ini",
                       "[options]\r\nlanguage=" + std::to_string(language) + "\r\n");
    }
};

// Each layout of files beside the library, as the window would meet it: load the library by
// its path, open the editor, free the library.
TEST_F(LanguageTest, TheEditorComesUpInTheLanguageOfTheModuleBesideTheLibrary) {
    const struct {
        const char* folder;
        std::vector<std::pair<std::string, std::string>> files;
        const char* library; // as loaded; a trailing "." keeps LoadLibrary from adding ".DLL"
        int language;
        const EditorTexts* expected;
        const char* module; // the file that must be mapped while the editor is open
    } cases[] = {
        {"three",
         {{"TOOLS.DLL", "TOOLS.DLL"}, {"Tools.NLD", "Tools.NLD"}},
         "TOOLS.DLL",
         1043,
         &dutch,
         "three\\Tools.NLD"},
        // Only the two-letter file: it is taken instead.
        {"two",
         {{"TOOLS.DLL", "TOOLS.DLL"}, {"Tools.NL", "Tools.NLD"}},
         "TOOLS.DLL",
         1043,
         &dutch,
         "two\\Tools.NL"},
        {"none", {{"TOOLS.DLL", "TOOLS.DLL"}}, "TOOLS.DLL", 1043, &english, nullptr},
        // A module whose description cannot be read is passed over: the editor still opens.
        {"broken",
         {{"TOOLS.DLL", "TOOLS.DLL"}, {"Tools.NLD", "Broken.module"}},
         "TOOLS.DLL",
         1043,
         &english,
         "broken\\Tools.NLD"},
        // Language 0 selects no module, even with one beside the library.
        {"zero",
         {{"TOOLS.DLL", "TOOLS.DLL"}, {"Tools.NLD", "Tools.NLD"}},
         "TOOLS.DLL",
         0,
         &english,
         nullptr},
        // A library whose file name has no extension loads nothing, not even the module that
        // the folder's "." would name (dot.NLD beside the folder "dot.ted").
        {"dot.ted", {{"TOOLSLIB", "TOOLS.DLL"}}, "TOOLSLIB.", 1043, &english, nullptr},
    };
    Lay(".", {{"dot.NLD", "Tools.NLD"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        SetLanguage(c.language);
        const std::string folder = Lay(c.folder, c.files);
        HMODULE library = LoadLibraryA((folder + c.library).c_str());
        ASSERT_NE(library, nullptr);
        const AddEntryProc addEntry = FindAddEntry(library);
        ASSERT_NE(addEntry, nullptr);
        ExpectTexts(RunEditor(addEntry, "", c.module), *c.expected);
        EXPECT_EQ(MappedViews("dot.NLD"), 0);
        if (c.module) {
            EXPECT_EQ(MappedViews(c.module), 0) << "the module outlived the call";
        }
        FreeLibrary(library);
        EXPECT_EQ(GetModuleHandleA((folder + c.library).c_str()), nullptr);
    }
}

// Two calls while the library stays loaded: the editor is Dutch both times, from a module that
// each call loads for itself and frees before it returns.
TEST_F(LanguageTest, EachCallLoadsTheModuleAndFreesItBeforeItReturns) {
    SetLanguage(1043);
    const std::string folder =
        Lay("twice", {{"TOOLS.DLL", "TOOLS.DLL"}, {"Tools.NLD", "Tools.NLD"}});
    HMODULE library = LoadLibraryA((folder + "TOOLS.DLL").c_str());
    ASSERT_NE(library, nullptr);
    const AddEntryProc addEntry = FindAddEntry(library);
    ASSERT_NE(addEntry, nullptr);
    ExpectTexts(RunEditor(addEntry, "", "twice\\Tools.NLD"), dutch);
    EXPECT_EQ(MappedViews("twice\\Tools.NLD"), 0) << "the module outlived the first call";
    const char* screenshot = std::getenv("VELMORA_EDITOR_SCREENSHOT");
    ExpectTexts(RunEditor(addEntry, screenshot ? screenshot : "", "twice\\Tools.NLD"), dutch);
    EXPECT_EQ(MappedViews("twice\\Tools.NLD"), 0) << "the module outlived the second call";
    FreeLibrary(library);
}

// The options dialog switches the language when it is filled, after it is created, so what
// shows is the open dialog read again from the module. The library and the module lie in
// the program's own folder, where the dialog looks for modules to list.
class OptionsLanguageTest : public LanguageTest {
  protected:
    void SetUp() override {
        LanguageTest::SetUp();
        Lay(".", {{"TOOLS.DLL", "TOOLS.DLL"}, {"Tools.NLD", "Tools.NLD"}});
    }
    void TearDown() override {
        DeleteFileA((ExecutableFolder() + "Tools.NLD").c_str());
        DeleteFileA((ExecutableFolder() + "TOOLS.DLL").c_str());
        LanguageTest::TearDown();
    }
    HMODULE LoadLibraryInProgramFolder() {
        return LoadLibraryA((ExecutableFolder() + "TOOLS.DLL").c_str());
    }
    int32_t RunOptions(HMODULE library, DialogDriver& driver) {
        const auto showOptions = BindExport<TShowOptionsFunction>(library, "ShowOptions");
        EXPECT_NE(showOptions, nullptr);
        const int32_t result = showOptions ? showOptions(nullptr) : -1;
        EXPECT_TRUE(driver.DialogSeen());
        EXPECT_EQ(driver.StepsLeft(), 0u) << "the dialog closed before the script ended";
        return result;
    }
};

const char* const moduleInProgramFolder = "language_wine\\Tools.NLD";

struct OptionsTexts {
    std::string caption, firstTab, secondTab, aboutButton, okButton, languageGroup;
};
// The second tab and OK are not in the Dutch module: they keep the dialog's own texts.
const OptionsTexts englishOptions = {"Velmora Options", "Options", "Tooltips",
                                     "&About",          "OK",      "Language"};
const OptionsTexts dutchOptions = {"Velmora-opties", "Opties", "Tooltips", "&Info", "OK", "Taal"};

void ExpectOptionsTexts(DialogDriver& d, const OptionsTexts& expected) {
    char caption[256] = "";
    GetWindowTextA(d.Dialog(), caption, sizeof caption);
    EXPECT_EQ(caption, expected.caption);
    EXPECT_EQ(TabCaption(d, 0), expected.firstTab);
    EXPECT_EQ(TabCaption(d, 1), expected.secondTab);
    EXPECT_EQ(d.Text("AboutButton"), expected.aboutButton);
    EXPECT_EQ(d.Text("OkButton"), expected.okButton);
    EXPECT_EQ(d.Text("LanguageGroup"), expected.languageGroup);
}

HWND LanguageRows(DialogDriver& d) {
    return FindWindowExA(d.Find("LanguageList"), nullptr, "SysListView32", nullptr);
}

// Twice while the library stays loaded: each dialog is read again in Dutch from a module that
// its call loads and frees.
TEST_F(OptionsLanguageTest, TheOpenOptionsDialogIsReadAgainFromTheModuleOfTheStoredLanguage) {
    SetLanguage(1043);
    HMODULE library = LoadLibraryInProgramFolder();
    ASSERT_NE(library, nullptr);
    for (int run = 0; run < 2; ++run) {
        DialogDriver driver("TOptionsForm");
        driver.Then([run](DialogDriver& d) {
            ExpectOptionsTexts(d, dutchOptions);
            EXPECT_EQ(MappedViews(moduleInProgramFolder), 1) << "run " << run;
            const char* screenshot = std::getenv("VELMORA_OPTIONS_SCREENSHOT");
            if (screenshot && run == 1)
                d.SaveScreenshot(screenshot);
            d.Click("CancelButton");
        });
        EXPECT_EQ(RunOptions(library, driver), 2);
        EXPECT_EQ(MappedViews(moduleInProgramFolder), 0) << "the module outlived run " << run;
    }
    FreeLibrary(library);
}

// The user picks Dutch and applies: the accept fills the dialog again, whose switch reads the
// open dialog in Dutch.
TEST_F(OptionsLanguageTest, AnAcceptThatChangesTheLanguageReadsTheOpenDialogAgain) {
    SetLanguage(0);
    HMODULE library = LoadLibraryInProgramFolder();
    ASSERT_NE(library, nullptr);
    DialogDriver driver("TOptionsForm");
    driver.Then([](DialogDriver& d) { d.ShowPage(3); });
    driver.Then([](DialogDriver& d) {
        ExpectOptionsTexts(d, englishOptions);
        EXPECT_EQ(MappedViews(moduleInProgramFolder), 0);
        ASSERT_EQ(ListView_GetItemCount(LanguageRows(d)), 1);
        ListView_SetCheckState(LanguageRows(d), 0, TRUE);
    });
    driver.Then([](DialogDriver& d) { d.Click("ApplyButton"); });
    driver.Then([](DialogDriver& d) {
        ExpectOptionsTexts(d, dutchOptions);
        EXPECT_EQ(MappedViews(moduleInProgramFolder), 1);
        // The page shown and the language chosen stay as the user left them.
        EXPECT_EQ(SendMessageA(d.Find("PageControl1"), TCM_GETCURSEL, 0, 0), 3);
        EXPECT_NE(ListView_GetCheckState(LanguageRows(d), 0), 0u);
        d.Click("AboutButton");
    });
    // A dialog made after the switch is built in Dutch where the module says so.
    driver.Then([](DialogDriver&) {
        HWND about = FindWindowA("TAboutBox", nullptr);
        ASSERT_NE(about, nullptr);
        char caption[64] = "";
        GetWindowTextA(about, caption, sizeof caption);
        EXPECT_STREQ(caption, "Info");
        HWND product = reinterpret_cast<HWND>(
            SendMessageA(about, WM_FINDCOMPONENT, 0, reinterpret_cast<LPARAM>("ProductName")));
        char name[64] = "";
        GetWindowTextA(product, name, sizeof name);
        EXPECT_STREQ(name, "Velmora");
        PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    });
    driver.Then([](DialogDriver& d) {
        EXPECT_EQ(FindWindowA("TAboutBox", nullptr), nullptr);
        d.Click("CancelButton");
    });
    EXPECT_EQ(RunOptions(library, driver), 2);
    EXPECT_EQ(MappedViews(moduleInProgramFolder), 0);
    FreeLibrary(library);
    char stored[16] = "";
    GetPrivateProfileStringA("options", "language", "", stored, sizeof stored,
                             (ExecutableFolder() + "calendar.ini").c_str());
    EXPECT_STREQ(stored, "1043");
}

// The Dutch module's bytes, and where its descriptions lie in them.
struct ModuleLayout {
    std::string bytes;
    size_t root = 0;                 // the resource directory
    std::vector<size_t> dataEntries; // of the first type's resources, one for each dialog
};

ModuleLayout DutchModuleLayout() {
    ModuleLayout layout;
    std::ifstream in(Part("Tools.NLD"), std::ios::binary);
    layout.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const std::string& b = layout.bytes;
    const size_t header = Little32(b, 0x3C);
    const size_t sections = static_cast<unsigned char>(b.at(header + 6));
    const size_t optional = header + 24;
    const size_t optionalSize = Little32(b, header + 20) & 0xFFFF;
    const bool wide = (Little32(b, optional) & 0xFFFF) == 0x20B;
    const uint32_t resourceRva = Little32(b, optional + (wide ? 112 : 96) + 16);
    for (size_t i = 0; i < sections; ++i) {
        const size_t section = optional + optionalSize + 40 * i;
        const uint32_t address = Little32(b, section + 12);
        if (resourceRva >= address && resourceRva - address < Little32(b, section + 16))
            layout.root = Little32(b, section + 20) + (resourceRva - address);
    }
    const size_t names = layout.root + (Little32(b, layout.root + 20) & 0x7FFFFFFF);
    const size_t count = (Little32(b, names + 12) & 0xFFFF) + (Little32(b, names + 12) >> 16);
    for (size_t i = 0; i < count; ++i) {
        const size_t languages = layout.root + (Little32(b, names + 20 + 8 * i) & 0x7FFFFFFF);
        layout.dataEntries.push_back(layout.root + Little32(b, languages + 20));
    }
    return layout;
}

// A module cut short or with its resource directory pointing outside the file, beside the
// library in the program's folder: both dialogs open with the library's own texts, the
// module is let go at once, and the user hears of it at most once.
TEST_F(OptionsLanguageTest, ADamagedModuleIsPassedOverByBothDialogs) {
    const ModuleLayout module = DutchModuleLayout();
    ASSERT_GT(module.bytes.size(), 8200u);
    ASSERT_NE(module.root, 0u);
    ASSERT_EQ(module.dataEntries.size(), 3u);
    const auto withValue = [&module](size_t at, uint32_t value) {
        std::string bytes = module.bytes;
        PutLittle32(bytes, at, value);
        return bytes;
    };
    // Every description's data entry changed at offset (0: where it lies, 4: its size).
    const auto withEntries = [&module](size_t offset, uint32_t value) {
        std::string bytes = module.bytes;
        for (const size_t entry : module.dataEntries)
            PutLittle32(bytes, entry + offset, value);
        return bytes;
    };
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"cut at 2800", module.bytes.substr(0, 2800)},
        {"cut at 4096", module.bytes.substr(0, 4096)},
        {"cut at 5000", module.bytes.substr(0, 5000)},
        {"cut at 6500", module.bytes.substr(0, 6500)},
        {"cut at 8200", module.bytes.substr(0, 8200)},
        {"a description far longer than the file", withEntries(4, 0x7FFFFFF0)},
        {"a description outside the file", withEntries(0, 0xFFFFF000)},
        {"a directory with 65535 entries", withValue(module.root + 12, 0xFFFFFFFF)},
        {"a directory outside the file", withValue(module.root + 20, 0xFFFFFFF0)},
    };
    SetLanguage(1043);
    const std::string path = ExecutableFolder() + "Tools.NLD";
    int told = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << c.bytes;
        }
        HMODULE library = LoadLibraryInProgramFolder();
        ASSERT_NE(library, nullptr);
        DialogDriver editor("TCalendarEntriesForm");
        EditorTexts texts;
        editor.Then([&texts](DialogDriver& d) {
            texts = ReadEditorTexts(d);
            d.Click("CancelButton");
        });
        FindAddEntry(library)(march5);
        EXPECT_TRUE(editor.DialogSeen());
        ExpectTexts(texts, english);
        EXPECT_EQ(MappedViews(moduleInProgramFolder), 0);
        DialogDriver options("TOptionsForm");
        options.Then([](DialogDriver& d) {
            ExpectOptionsTexts(d, englishOptions);
            d.Click("CancelButton");
        });
        EXPECT_EQ(RunOptions(library, options), 2);
        FreeLibrary(library);
        const size_t boxes = editor.Boxes().size() + options.Boxes().size();
        EXPECT_LE(boxes, 1u);
        for (const auto* seen : {&editor.Boxes(), &options.Boxes()})
            for (const SeenBox& box : *seen) {
                std::string text = box.text;
                CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
                EXPECT_NE(text.find("\\TOOLS.NLD IS DAMAGED"), std::string::npos) << box.text;
            }
        told += static_cast<int>(boxes);
    }
    EXPECT_GE(told, 1) << "the user never heard of the damaged module";
}
// --- Nothing outlives a dialog export ---

// Refuses every window of one class on this thread, so that its dialog cannot be created.
class WindowRefusal {
  public:
    explicit WindowRefusal(const char* windowClass) {
        refused = windowClass;
        hook_ = SetWindowsHookExA(WH_CBT, Refuse, nullptr, GetCurrentThreadId());
    }
    ~WindowRefusal() { UnhookWindowsHookEx(hook_); }

  private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
        char name[64] = "";
        if (code == HCBT_CREATEWND &&
            GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
            std::string(name) == refused)
            return 1;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static std::string refused;
    HHOOK hook_;
};
std::string WindowRefusal::refused;

// The thread timers that fire within the next milliseconds with a procedure in [begin, end).
int TimersInto(const char* begin, const char* end, DWORD milliseconds) {
    int fired = 0;
    const DWORD stop = GetTickCount() + milliseconds;
    while (static_cast<LONG>(stop - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            const auto procedure = reinterpret_cast<const char*>(message.lParam);
            fired += procedure >= begin && procedure < end;
        }
        Sleep(20);
    }
    return fired;
}

// Each dialog export, in the language of a module beside the library, ended with OK, with
// Cancel, and by a dialog that cannot be created. While the dialog is open its classes are the
// library's and the module is mapped; once the call returns no class of the library is
// registered, the module is unmapped, and once the library is freed no timer of it fires and
// the thread makes windows as before (a hook left behind would call into freed code).
TEST_F(OptionsLanguageTest, NothingADialogExportRegisteredOrLoadedOutlivesTheCall) {
    const std::vector<const char*> optionsClasses = {
        "TOptionsForm", "TVelmoraRadioGroup", "TSpinEdit", "TColourComboBox", "TCheckListBox"};
    const std::vector<const char*> aboutClasses = {"TAboutBox", "TVrHyperButton",
                                                   "THyperlinkLabel"};
    const std::vector<const char*> editorClasses = {"TCalendarEntriesForm", "TrmComboCalendar"};
    const struct {
        const char* what;
        bool options;      // ShowOptions, else AddEntry
        const char* close; // the button that ends the dialog; null: the dialog is refused
    } cases[] = {
        {"options OK", true, "OkButton"},         {"options Cancel", true, "CancelButton"},
        {"options refused", true, nullptr},       {"editor OK", false, "OkButton"},
        {"editor Cancel", false, "CancelButton"}, {"editor refused", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetLanguage(1043);
        HMODULE library = LoadLibraryInProgramFolder();
        ASSERT_NE(library, nullptr);
        MODULEINFO image = {};
        ASSERT_TRUE(GetModuleInformation(GetCurrentProcess(), library, &image, sizeof image));
        const char* const dialogClass = c.options ? "TOptionsForm" : "TCalendarEntriesForm";
        std::vector<const char*> classes = c.options ? optionsClasses : editorClasses;
        const auto registered = [library](const char* name) {
            WNDCLASSEXA info = {};
            info.cbSize = sizeof info;
            return GetClassInfoExA(library, name, &info) != FALSE;
        };
        // A dialog that comes up is driven; one that is refused shows only the error box.
        std::unique_ptr<DialogDriver> driver;
        std::unique_ptr<WindowRefusal> refusal;
        if (c.close) {
            driver = std::make_unique<DialogDriver>(dialogClass);
            driver->Then([&](DialogDriver& d) {
                for (const char* name : classes) {
                    EXPECT_TRUE(registered(name)) << name << " is not the library's";
                }
                EXPECT_EQ(MappedViews(moduleInProgramFolder), 1);
                // The about box adds classes of its own.
                if (c.options)
                    d.Click("AboutButton");
            });
            if (c.options)
                driver->Then([&](DialogDriver&) {
                    HWND about = FindWindowA("TAboutBox", nullptr);
                    ASSERT_NE(about, nullptr);
                    for (const char* name : aboutClasses) {
                        EXPECT_TRUE(registered(name)) << name << " is not the library's";
                    }
                    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
                });
            driver->Then([&](DialogDriver& d) { d.Click(c.close); });
        } else {
            refusal = std::make_unique<WindowRefusal>(dialogClass);
        }
        std::vector<std::string> boxes;
        int32_t result = 0;
        if (c.close) {
            if (c.options)
                result = BindExport<TShowOptionsFunction>(library, "ShowOptions")(nullptr);
            else
                BindExport<AddEntryProc>(library, "AddEntry")(march5);
        } else {
            MessageBoxWatcher watcher;
            if (c.options)
                result = BindExport<TShowOptionsFunction>(library, "ShowOptions")(nullptr);
            else
                BindExport<AddEntryProc>(library, "AddEntry")(march5);
            boxes = watcher.Texts();
        }
        refusal.reset();
        if (c.close) {
            EXPECT_TRUE(driver->DialogSeen());
            EXPECT_EQ(driver->StepsLeft(), 0u);
            EXPECT_TRUE(driver->Boxes().empty());
            EXPECT_EQ(result, c.options && std::string(c.close) == "OkButton" ? 1
                              : c.options                                     ? 2
                                                                              : 0);
        } else {
            EXPECT_EQ(boxes, std::vector<std::string>{"The dialog " + std::string(dialogClass) +
                                                      " cannot be created."});
            EXPECT_EQ(result, c.options ? 2 : 0);
        }
        classes.insert(classes.end(), aboutClasses.begin(), aboutClasses.end());
        classes.push_back("TrmDropDownMonth");
        for (const char* name : classes) {
            EXPECT_FALSE(registered(name)) << name << " outlived the call";
        }
        EXPECT_EQ(MappedViews(moduleInProgramFolder), 0) << "the module outlived the call";
        FreeLibrary(library);
        const char* const begin = static_cast<const char*>(image.lpBaseOfDll);
        EXPECT_EQ(TimersInto(begin, begin + image.SizeOfImage, 300), 0);
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
        EXPECT_NE(window, nullptr);
        DestroyWindow(window);
    }
}
} // namespace
