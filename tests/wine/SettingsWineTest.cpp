// The settings against real faults of the system: a save that cannot finish (a read-only file,
// a full disk) leaves calendar.ini as it was, and a file another program holds is never taken
// for empty nor saved over. (What a save keeps is checked on both sides in ProfileFileTest.)
#include "Errors.h"
#include "EventTypeUnit.h"
#include "Settings.h"
#include "Tools.h"
#include "WineTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

std::string TypesSection(int count) {
    std::string section = "[eventtypes]\r\n";
    for (int i = 0; i < count; ++i) section += "Type" + std::to_string(i) + "=" + std::to_string(i * 97) + "\r\n";
    return section;
}

uint8_t ListCountFromGetOptions() {
    int32_t top = 0, left = 0;
    uint8_t listcount = 0;
    GetOptions(&top, &left, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
               &listcount, nullptr, nullptr, 0, nullptr, nullptr);
    return listcount;
}

// The profile API reads a file held without sharing as empty; the library must not.
TEST_F(SettingsOnWindows, AFileHeldByAnotherProgramIsNeitherTakenForEmptyNorSavedOver) {
    const std::string ini = "[options]\r\nlistcount=7\r\nfont=Tahoma\r\n" + TypesSection(201);
    WriteStoreFile("calendar.ini", ini);
    {
        FileHold hold(path);
        ASSERT_TRUE(hold.Held());
        EXPECT_THROW(LoadSettings(), UnreadableFileError);
        EXPECT_FALSE(SettingsLoaded());
        MessageBoxWatcher boxes;
        EXPECT_EQ(ListCountFromGetOptions(), 3); // the window runs on the defaults
        SetOptions(10, 20);                      // as the window closes
        EXPECT_THROW(SaveSettings(), VelmoraError);
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_NE(boxes.Texts()[0].find("calendar.ini"), std::string::npos) << boxes.Texts()[0];
        EXPECT_FALSE(StoreFileExists("calendar.ini.new"));
    }
    EXPECT_EQ(ReadStoreFile("calendar.ini"), ini);

    // A hold that ends while the library waits is no failure at all.
    FileHold hold(path);
    ASSERT_TRUE(hold.Held());
    hold.ReleaseAfter(300);
    ResetSettings();
    ClearEventTypes();
    LoadSettings();
    EXPECT_EQ(CalendarOptions().listcount, 7);
    EXPECT_EQ(EventTypes().size(), 201u);
}

// A disk that fills during the save: the program runs from a small filesystem of its own,
// mounted by small-disk-test.sh, and the save meets the end of its space.
TEST(SmallDisk, AFullDiskFailsTheSaveAndLeavesTheFileWhole) {
    if (!std::getenv("VELMORA_SMALL_DISK"))
        GTEST_SKIP() << "runs from small-disk-test.sh, on a small filesystem of its own";
    ClearStore();
    ResetSettings();
    ClearEventTypes();
    const std::string path = ExecutableFolder() + "calendar.ini";
    const std::string filler = ExecutableFolder() + "filler.bin";
    const std::string ini = "[options]\r\ntop=5\r\nfont=Tahoma\r\n" + TypesSection(600);
    ASSERT_GT(ini.size(), 8192u);
    WriteStoreFile("calendar.ini", ini);
    LoadSettings();

    // The types grow, and the disk is filled to leave room for a copy of the old file and a
    // little more, but not for the new one: the save fails part way through what it writes.
    std::vector<std::string> types;
    for (int i = 0; i < 1500; ++i) types.push_back("Type" + std::to_string(i) + "=" + std::to_string(i * 97));
    ListToEventTypes(types);
    const size_t leftFree = (ini.size() + 4095) / 4096 * 4096 + 4096;
    {
        HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string chunk(65536, 'x');
        for (DWORD size : {65536u, 4096u, 512u}) {
            DWORD written = 0;
            while (WriteFile(file, chunk.data(), size, &written, nullptr) && written == size) {
            }
        }
        LARGE_INTEGER end = {};
        GetFileSizeEx(file, &end);
        ASSERT_GT(end.QuadPart, static_cast<LONGLONG>(leftFree));
        end.QuadPart -= static_cast<LONGLONG>(leftFree);
        SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    ULARGE_INTEGER available = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA(ExecutableFolder().c_str(), &available, nullptr, nullptr));
    ASSERT_LT(available.QuadPart, 2 * ini.size()) << "the disk did not fill";

    {
        MessageBoxWatcher boxes;
        SetOptions(300, 400); // as the window closes
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_NE(boxes.Texts()[0].find("could not be saved"), std::string::npos) << boxes.Texts()[0];
    }
    EXPECT_EQ(ReadStoreFile("calendar.ini"), ini);
    EXPECT_FALSE(StoreFileExists("calendar.ini.new"));

    DeleteFileA(filler.c_str());
    SetOptions(300, 400);
    EXPECT_EQ(GetPrivateProfileIntA("options", "top", 0, path.c_str()), 300u);
    ResetSettings();
    ClearEventTypes();
    LoadSettings();
    EXPECT_EQ(EventTypes().size(), 1500u);
    EXPECT_EQ(CalendarOptions().font, "Tahoma");
    ClearStore();
}
} // namespace
