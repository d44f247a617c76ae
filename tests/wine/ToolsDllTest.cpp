// TOOLS.DLL as the window uses it: loaded by name, each export looked up by name, called,
// and the library freed again; run under Wine against the real system APIs.
#include "DateUtils.h"
#include "ReminderFiles.h"
#include "Tools.h"
#include "WinHandles.h"
#include "WineTestSupport.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>

namespace {
struct Options {
    int32_t top = 0, left = 0, fontsize = 0, fontcolour = 0, highlight = 0, ttsize = 0,
            ttcolour = 0, ttbackground = 0;
    uint8_t firstday = 0, listcount = 0, colourcoding = 0, hspacing = 0, vspacing = 0;
    unsigned char font[256] = {}, ttfont[256] = {}, dateformat[256] = {};
    static std::string Text(const unsigned char* s) {
        return std::string(reinterpret_cast<const char*>(s + 1), s[0]);
    }
};

class ToolsLibrary {
  public:
    ToolsLibrary() : module_(LoadLibraryA("TOOLS.DLL")) {}
    ~ToolsLibrary() = default;
    ToolsLibrary(const ToolsLibrary&) = delete;
    ToolsLibrary& operator=(const ToolsLibrary&) = delete;
    template <typename Proc> Proc Find(const char* name) const {
        return BindExport<Proc>(module_, name);
    }
    Options Get(int32_t fontCapacity = 255) const {
        Options o;
        auto proc = Find<TGetOptionsFunction>("GetOptions");
        proc(&o.top, &o.left, o.font, fontCapacity, &o.fontsize, &o.fontcolour, &o.highlight,
             &o.firstday, o.ttfont, 255, &o.ttsize, &o.ttcolour, &o.ttbackground, &o.listcount,
             &o.colourcoding, o.dateformat, 255, &o.hspacing, &o.vspacing);
        return o;
    }
    HMODULE Module() const { return module_.Get(); }

  private:
    ModuleHandle module_;
};

// One call as the window makes it: a fresh load, a 1024-byte buffer, and the library freed.
std::string Items(double date) {
    ToolsLibrary library;
    std::vector<char> buffer(1024, '\0');
    char* text = buffer.data();
    uint32_t length = 0;
    library.Find<TGetItemsFunction>("GetItems")(&text, &length, date);
    EXPECT_EQ(std::strlen(text), length);
    return text;
}
std::string Coming(int32_t count, double date) {
    ToolsLibrary library;
    std::vector<char> buffer(1024, '\0');
    char* text = buffer.data();
    uint32_t length = 0;
    library.Find<TComingUpFunction>("ComingUp")(count, &text, &length, date);
    EXPECT_EQ(std::strlen(text), length);
    return text;
}

void Regular(const std::vector<std::tuple<double, std::string, uint8_t>>& records) {
    std::vector<TRegularEntry> entries;
    for (const auto& [date, text, interval] : records) {
        TRegularEntry entry;
        entry.StartDate = date;
        entry.Description = text;
        entry.Interval = interval;
        entries.push_back(entry);
    }
    WriteStoreFile("data\\regular.dat", EncodeRegularRecords(entries));
}

std::vector<std::string> SectionKeys(const std::string& section) {
    std::vector<char> buffer(32768, '\0');
    const std::string path = ExecutableFolder() + "calendar.ini";
    DWORD length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), 32768, path.c_str());
    std::vector<std::string> keys;
    for (size_t at = 0; at < length;) {
        std::string line = buffer.data() + at;
        at += line.size() + 1;
        keys.push_back(line.substr(0, line.find('=')));
    }
    return keys;
}

std::string StartupLinkPath() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, folder);
    return std::string(folder) + "\\Calendar.lnk";
}

class ToolsDllTest : public testing::Test {
  protected:
    ToolsDllTest() { ClearStore(); }
    ~ToolsDllTest() override { ClearStore(); }
    MessageBoxWatcher boxes;
};

TEST_F(ToolsDllTest, TheExportsAreFoundByTheirNames) {
    ToolsLibrary library;
    ASSERT_NE(library.Module(), nullptr);
    for (const char* name : {"GetOptions", "SetOptions", "GetItems", "ComingUp"})
        EXPECT_NE(GetProcAddress(library.Module(), name), nullptr) << name;
    EXPECT_EQ(GetProcAddress(library.Module(), "GetOptions@76"), nullptr);
}

// The window loads and frees the library for every query, thousands of times a day. A load
// must give back what it takes: one thread-local slot kept per load ended the program when
// the process ran out of them, after about a thousand.
TEST_F(ToolsDllTest, ALoadAndFreeOfTheLibraryKeepsNoThreadSlot) {
    ASSERT_EQ(GetModuleHandleA("TOOLS.DLL"), nullptr) << "held loaded: nothing would be freed";
    const auto freeSlot = [] {
        const DWORD slot = TlsAlloc();
        TlsFree(slot);
        return slot;
    };
    const DWORD before = freeSlot();
    for (int load = 0; load < 100; ++load) {
        ToolsLibrary library;
        ASSERT_NE(library.Module(), nullptr);
        ASSERT_NE(library.Get().fontsize, 0);
    }
    EXPECT_LT(freeSlot(), before + 5);
}

TEST_F(ToolsDllTest, GetOptionsOnAnEmptyFolderGivesTheDefaults) {
    Options o = ToolsLibrary().Get();
    EXPECT_EQ(o.top, -1);
    EXPECT_EQ(o.left, -1);
    EXPECT_EQ(Options::Text(o.font), "Arial");
    EXPECT_EQ(Options::Text(o.ttfont), "Arial");
    EXPECT_EQ(Options::Text(o.dateformat), "");
    EXPECT_EQ(o.fontsize, 10);
    EXPECT_EQ(o.fontcolour, 0xFFFFFF);
    EXPECT_EQ(o.highlight, 0x800000);
    EXPECT_EQ(o.firstday, 1);
    EXPECT_EQ(o.listcount, 3);
    EXPECT_EQ(o.ttbackground, 0xFFFF00);
    EXPECT_EQ(o.hspacing, 4);
    EXPECT_EQ(o.vspacing, 2);
    EXPECT_FALSE(StoreFileExists("calendar.ini"));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(ToolsDllTest, AShortCapacityCutsTheString) {
    WriteStoreFile("calendar.ini", "[options]\r\nfont=Verdana\r\n");
    Options o = ToolsLibrary().Get(5);
    EXPECT_EQ(o.font[0], 5);
    EXPECT_EQ(Options::Text(o.font), "Verda");
}

TEST_F(ToolsDllTest, SetOptionsWritesAllKeysInTheSaveOrder) {
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(12, 34);
    EXPECT_EQ(SectionKeys("options"),
              (std::vector<std::string>{"firstday", "dateformat", "highlight", "font", "fontsize",
                                        "fontcolour", "top", "left", "ttfont", "ttsize", "ttcolour",
                                        "ttbackground", "hspacing", "vspacing", "listcount",
                                        "colourcoding", "language", "loadonstartup",
                                        "weeknumbers", "filltoday", "todaycolour", "outline", "subscribed",
                                        "subscribedcolour", "alertlead", "alerttomorrow", "alertsound", "hidetrayicon"}));
    const std::string path = ExecutableFolder() + "calendar.ini";
    EXPECT_EQ(GetPrivateProfileIntA("options", "top", 0, path.c_str()), 12u);
    EXPECT_EQ(GetPrivateProfileIntA("options", "left", 0, path.c_str()), 34u);
    EXPECT_EQ(static_cast<LANGID>(GetPrivateProfileIntA("options", "language", 0, path.c_str())),
              GetUserDefaultLangID());
}

TEST_F(ToolsDllTest, TheStartupShortcutPointsAtTheRunningProgram) {
    const std::string link = StartupLinkPath();
    DeleteFileA(link.c_str());
    WriteStoreFile("calendar.ini", "[options]\r\nloadonstartup=1\r\n");
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(1, 2);
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(1, 2);
    ASSERT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES) << link;

    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkA, reinterpret_cast<void**>(&shellLink))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    std::wstring widePath(link.begin(), link.end());
    ASSERT_TRUE(SUCCEEDED(file->Load(widePath.c_str(), STGM_READ)));
    char target[MAX_PATH] = "";
    shellLink->GetPath(target, MAX_PATH, nullptr, 0);
    char directory[MAX_PATH] = "";
    shellLink->GetWorkingDirectory(directory, MAX_PATH);
    file->Release();
    shellLink->Release();
    CoUninitialize();
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(target, self), 0) << target;
    EXPECT_EQ(lstrcmpiA(directory, ExecutableFolder().c_str()), 0) << directory;

    WriteStoreFile("calendar.ini", "[options]\r\nloadonstartup=0\r\n");
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(1, 2);
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(1, 2);
    EXPECT_TRUE(boxes.Texts().empty());
}

// A link that cannot be saved is said once, by name, and the other settings are saved.
TEST_F(ToolsDllTest, AStartupLinkThatCannotBeSavedIsReportedOnce) {
    const std::string link = StartupLinkPath();
    DeleteFileA(link.c_str());
    ASSERT_TRUE(CreateDirectoryA(link.c_str(), nullptr)) << link;
    WriteStoreFile("calendar.ini",
                   "[options]\r\nloadonstartup=1\r\n[eventtypes]\r\nBirthday=255\r\n");
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(5, 6);
    RemoveDirectoryA(link.c_str());
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("start-up shortcut"), std::string::npos) << boxes.Texts()[0];
    const std::string path = ExecutableFolder() + "calendar.ini";
    EXPECT_EQ(GetPrivateProfileIntA("options", "top", 0, path.c_str()), 5u);
    EXPECT_EQ(GetPrivateProfileIntA("eventtypes", "Birthday", 0, path.c_str()), 255u);
}

TEST_F(ToolsDllTest, ADayIsHeadedAndMarkedUp) {
    WriteStoreFile("calendar.ini",
                   "[options]\r\ndateformat=dddd d mmmm yyyy\r\n[eventtypes]\r\nBirthday=255\r\n");
    WriteStoreFile("data\\2007-03-05.txt", "{Birthday}Party|Bring cake\r\nShopping|2 loaves\r\n");
    EXPECT_EQ(
        Items(EncodeDate(2007, 3, 5) + 0.25),
        "Monday 5 March 2007\r\n{255}Party\r\n|20{255}Bring cake\r\nShopping\r\n|20{-1}2 loaves");
    EXPECT_EQ(Items(EncodeDate(2007, 3, 6)), "Tuesday 6 March 2007");
}

// A date format that spells out more than the window's buffer holds: the heading is
// shortened, and the day keeps its colour and its reminder.
TEST_F(ToolsDllTest, AnOverlongHeadingLeavesTheDayItsReminder) {
    std::string dateformat;
    for (int i = 0; i < 36; ++i)
        dateformat += "dddddd ";
    WriteStoreFile("calendar.ini", "[options]\r\ndateformat=" + dateformat +
                                       "\r\n[eventtypes]\r\nBirthday=255\r\n");
    WriteStoreFile("data\\2007-09-26.txt", "{Birthday}Party\r\n");
    const std::string items = Items(EncodeDate(2007, 9, 26));
    const size_t heading = items.find("\r\n");
    ASSERT_NE(heading, std::string::npos) << items;
    EXPECT_LE(heading, 255u);
    EXPECT_EQ(items.rfind("Wednesday, September 26, 2007 Wednesday", 0), 0u) << items;
    EXPECT_EQ(items.substr(heading), "\r\n{255}Party");
}

TEST_F(ToolsDllTest, RecurringRemindersFallOnTheSameDaysInBothQueries) {
    Regular({{EncodeDate(2008, 1, 31), "Monthly", 3}});
    for (auto [m, d] : {std::pair{2, 29}, {3, 31}, {4, 30}})
        EXPECT_NE(Items(EncodeDate(2008, m, d)).find("\r\nMonthly"), std::string::npos)
            << m << "/" << d;
    EXPECT_EQ(Coming(3, EncodeDate(2008, 2, 10)), "2/29 Monthly\r\n3/31 Monthly\r\n4/30 Monthly");

    Regular({{EncodeDate(2007, 1, 31), "Quarterly", 4}});
    EXPECT_EQ(Coming(4, EncodeDate(2007, 2, 1)),
              "4/30 Quarterly\r\n7/31 Quarterly\r\n10/31 Quarterly\r\n1/31/2008 Quarterly");
    EXPECT_NE(Items(EncodeDate(2007, 10, 31)).find("\r\nQuarterly"), std::string::npos);

    Regular({{EncodeDate(2008, 2, 29), "Yearly", 5}});
    EXPECT_EQ(Coming(4, EncodeDate(2008, 3, 1)),
              "2/28/2009 Yearly\r\n2/28/2010 Yearly\r\n2/28/2011 Yearly\r\n2/29/2012 Yearly");
    EXPECT_NE(Items(EncodeDate(2012, 2, 29)).find("\r\nYearly"), std::string::npos);

    Regular({{EncodeDate(2007, 3, 1), "Weekly", 1}});
    WriteStoreFile("data\\2007-03-08.txt", "Dated\r\n");
    EXPECT_EQ(Coming(3, EncodeDate(2007, 3, 2)), "3/8 Dated\r\n3/8 Weekly\r\n3/15 Weekly");
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(ToolsDllTest, AStrayFileDoesNotBlindTheComingUpList) {
    WriteStoreFile("data\\2007-02-30.txt", "never\r\n");
    WriteStoreFile("data\\2007-03-07.txt", "real\r\n");
    EXPECT_EQ(Coming(3, EncodeDate(2007, 3, 1)), "3/7 real");
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(ToolsDllTest, ABrokenRegularFileIsReportedInAnErrorBox) {
    TRegularEntry entry;
    entry.StartDate = EncodeDate(2007, 3, 5);
    entry.Description = "Standup";
    entry.Interval = 1;
    WriteStoreFile("data\\regular.dat", EncodeRegularRecords({entry}) + "partial");
    EXPECT_EQ(Items(EncodeDate(2007, 3, 12)).substr(Items(EncodeDate(2007, 3, 12)).find("\r\n")), "\r\nStandup");
    // Told once, though the library was loaded and freed for each call.
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("regular.dat"), std::string::npos) << boxes.Texts()[0];
}

TEST_F(ToolsDllTest, ABrokenSettingIsReportedAndTheOtherSettingsSurvive) {
    WriteStoreFile("calendar.ini", "[options]\r\nlistcount=300\r\nfont=Verdana\r\n");
    Options o = ToolsLibrary().Get();
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("Range check error"), std::string::npos);
    EXPECT_NE(boxes.Texts()[0].find("listcount"), std::string::npos);
    EXPECT_EQ(o.listcount, 3);
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(5, 6);
    EXPECT_EQ(boxes.Texts().size(), 1u);
    const std::string path = ExecutableFolder() + "calendar.ini";
    char font[64] = "";
    GetPrivateProfileStringA("options", "font", "", font, sizeof font, path.c_str());
    EXPECT_STREQ(font, "Verdana");
    EXPECT_EQ(GetPrivateProfileIntA("options", "listcount", 0, path.c_str()), 300u);
    EXPECT_EQ(GetPrivateProfileIntA("options", "top", 0, path.c_str()), 5u);
}

TEST_F(ToolsDllTest, AFreshLoadReadsTheFilesAgain) {
    WriteStoreFile("calendar.ini", "[options]\r\nfont=Verdana\r\n");
    {
        ToolsLibrary library;
        EXPECT_EQ(Options::Text(library.Get().font), "Verdana");
        WriteStoreFile("calendar.ini", "[options]\r\nfont=Tahoma\r\n");
        EXPECT_EQ(Options::Text(library.Get().font), "Verdana"); // held while loaded
    }
    EXPECT_EQ(Options::Text(ToolsLibrary().Get().font), "Tahoma");
}

TEST_F(ToolsDllTest, LongTextStaysInsideTheBuffer) {
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "Line " + std::to_string(i) + "|" + std::string(20, 'x') + "\r\n";
    WriteStoreFile("data\\2007-03-05.txt", lines);
    ToolsLibrary library;
    // A guard zone after the 1024 bytes shows any write past them.
    std::vector<char> buffer(1024 + 64, '#');
    char* text = buffer.data();
    uint32_t length = 12345;
    library.Find<TGetItemsFunction>("GetItems")(&text, &length, EncodeDate(2007, 3, 5));
    EXPECT_LE(length, 1023u);
    EXPECT_EQ(std::strlen(text), length);
    EXPECT_EQ(std::string(buffer.begin() + 1024, buffer.end()), std::string(64, '#'));
    const std::string shown = text;
    const std::string lastLine = shown.substr(shown.rfind("\r\n") + 2);
    // The last line is a reminder line, or a continuation with its whole mark and colour.
    EXPECT_TRUE(lastLine.rfind("Line ", 0) == 0 || (lastLine.rfind("|20{-1}x", 0) == 0)) << lastLine;
}
} // namespace

namespace {
TEST_F(ToolsDllTest, ASettingsFileThatCannotBeWrittenIsReported) {
    // A folder in the file's place makes every write fail, whoever runs the test.
    const std::string path = ExecutableFolder() + "calendar.ini";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    ToolsLibrary().Find<TSetOptionsFunction>("SetOptions")(3, 4);
    RemoveDirectoryA(path.c_str());
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("calendar.ini"), std::string::npos) << boxes.Texts()[0];
}
} // namespace
