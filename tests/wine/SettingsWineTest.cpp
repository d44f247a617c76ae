// The settings save against the system's profile API: one section of each name afterwards,
// what the user added kept, and a save that cannot finish leaving calendar.ini as it was.
#include "Errors.h"
#include "EventTypeUnit.h"
#include "Settings.h"
#include "WineTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
class SettingsOnWindows : public testing::Test {
  protected:
    SettingsOnWindows() { Forget(); }
    ~SettingsOnWindows() override {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA((path + ".new").c_str());
        Forget();
    }
    void Forget() {
        ClearStore();
        ResetSettings();
        ClearEventTypes();
    }
    const std::string path = ExecutableFolder() + "calendar.ini";
};

TEST_F(SettingsOnWindows, ASaveLeavesOneSectionOfEachNameAndKeepsTheRest) {
    WriteStoreFile("calendar.ini",
                   "[eventtypes]\r\nBirthday=255\r\n[options]\r\nfont=Verdana\r\nmine=kept\r\n"
                   "[other]\r\nx=1\r\n[eventtypes]\r\nStale=1\r\n[OPTIONS]\r\nfontsize=77\r\n");
    LoadSettings();
    ASSERT_EQ(EventTypesToList(), std::vector<std::string>{"Birthday=255"});
    ListToEventTypes({"Work=65280"});
    CalendarOptions().fontsize = 14;
    SaveSettings();
    ResetSettings();
    ClearEventTypes();
    LoadSettings();
    EXPECT_EQ(EventTypesToList(), std::vector<std::string>{"Work=65280"});
    EXPECT_EQ(CalendarOptions().font, "Verdana");
    EXPECT_EQ(CalendarOptions().fontsize, 14);
    char value[64] = "";
    GetPrivateProfileStringA("options", "mine", "", value, sizeof value, path.c_str());
    EXPECT_STREQ(value, "kept");
    EXPECT_EQ(GetPrivateProfileIntA("other", "x", 0, path.c_str()), 1u);
    char names[256] = {};
    const DWORD length = GetPrivateProfileSectionNamesA(names, sizeof names, path.c_str());
    size_t sections = 0;
    for (DWORD i = 0; i < length; i += static_cast<DWORD>(strlen(names + i)) + 1)
        ++sections;
    EXPECT_EQ(sections, 3u);
    EXPECT_FALSE(StoreFileExists("calendar.ini.new"));
}

TEST_F(SettingsOnWindows, ASaveThatCannotFinishLeavesTheFileAsItWas) {
    LoadSettings();
    ListToEventTypes({"Birthday=255", "Work=65280"});
    SaveSettings();
    const std::string before = ReadStoreFile("calendar.ini");
    ListToEventTypes({"Other=1"});
    CalendarOptions().top = 300;

    // The new file cannot be made where it goes.
    CreateDirectoryA((path + ".new").c_str(), nullptr);
    EXPECT_THROW(SaveSettings(), VelmoraError);
    EXPECT_EQ(ReadStoreFile("calendar.ini"), before);
    RemoveDirectoryA((path + ".new").c_str());

    // The user asked for the file to stay as it is.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        SaveSettings();
        ADD_FAILURE() << "a read-only calendar.ini was replaced";
    } catch (const VelmoraError& error) {
        EXPECT_NE(std::string(error.what()).find("calendar.ini"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(ReadStoreFile("calendar.ini"), before);
    EXPECT_FALSE(StoreFileExists("calendar.ini.new"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    SaveSettings();
    EXPECT_EQ(GetPrivateProfileIntA("options", "top", 0, path.c_str()), 300u);
    ClearEventTypes();
    LoadEventTypes();
    EXPECT_EQ(EventTypesToList(), std::vector<std::string>{"Other=1"});
}
} // namespace
