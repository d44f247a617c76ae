// The store's own code against the real Windows file, profile and shell APIs: safe
// replacement, reminder types whose names the profile format cannot hold as keys, and the
// special folders of shortcut locations.
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "ReminderFiles.h"
#include "Shortcut.h"
#include "TypeRoundTrip.h"
#include "WineTestSupport.h"

#include <gtest/gtest.h>

namespace {
class StoreOnWindows : public testing::Test {
  protected:
    StoreOnWindows() { ClearStore(); }
    ~StoreOnWindows() override { ClearStore(); }
};

TEST_F(StoreOnWindows, AReadOnlyDayFileIsNeitherReplacedNorDeleted) {
    const double date = EncodeDate(2007, 3, 5);
    WriteDayFile(date, {{"Keep me", "Birthday"}});
    EXPECT_EQ(ReadStoreFile("data\\2007-03-05.txt"), "{Birthday}Keep me\r\n");
    SetFileAttributesA(DayFileName(date).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(WriteDayFile(date, {{"Other", ""}}), VelmoraError);
    EXPECT_THROW(WriteDayFile(date, {}), VelmoraError);
    EXPECT_EQ(ReadStoreFile("data\\2007-03-05.txt"), "{Birthday}Keep me\r\n");
    EXPECT_FALSE(StoreFileExists("data\\2007-03-05.txt.new"));
}

TEST_F(StoreOnWindows, AFolderThatCannotBeWrittenKeepsRegularDat) {
    TRegularEntry entry;
    entry.StartDate = EncodeDate(2007, 3, 5);
    entry.Description = "Old";
    entry.Interval = 1;
    WriteRegularFile({entry});
    const std::string before = ReadStoreFile("data\\regular.dat");
    // A directory where the new file would go makes the write fail before anything is moved.
    CreateDirectoryA((RegularFileName() + ".new").c_str(), nullptr);
    entry.Description = "New";
    EXPECT_THROW(WriteRegularFile({entry}), VelmoraError);
    EXPECT_EQ(ReadStoreFile("data\\regular.dat"), before);
    RemoveDirectoryA((RegularFileName() + ".new").c_str());
    WriteRegularFile({entry});
    EXPECT_EQ(ReadRegularFile().at(0).Description, "New");
}

TEST_F(StoreOnWindows, EveryReminderTypeNameSurvivesTheProfileFile) {
    const std::vector<TEventType> types = {{"Birthday", 255}, {"", 1},     {"a=b", 2},
                                           {";note", 3},      {"[x]", 4},  {"birthday", 5},
                                           {"Birthday", 6},   {" pad ", 7}};
    ExpectTypesSurviveTheSettingsFile(types);
    const std::string path = ExecutableFolder() + "calendar.ini";
    EXPECT_EQ(GetPrivateProfileIntA("eventtypes", "Birthday", 0, path.c_str()), 255u);
    ClearEventTypes();
}

TEST_F(StoreOnWindows, ShortcutLocationsNameRealFolders) {
    const std::string startup = ResolveShortcutLocation("<startup>\\Calendar");
    EXPECT_NE(startup.find("StartUp\\Calendar.lnk"), std::string::npos) << startup;
    const std::string quickLaunch = ResolveShortcutLocation("<QUICK_LAUNCH>\\x");
    EXPECT_NE(quickLaunch.find("\\Microsoft\\Internet Explorer\\Quick Launch\\x.lnk"),
              std::string::npos);
    EXPECT_EQ(ResolveShortcutLocation("<NOWHERE>\\x"), "");
}
} // namespace
