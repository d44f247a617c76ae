// The settings save against the system's profile API: a save that cannot finish leaves
// calendar.ini as it was. (What a save keeps is checked on both sides in ProfileFileTest.)
#include "Errors.h"
#include "EventTypeUnit.h"
#include "Settings.h"
#include "WineTestSupport.h"

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
