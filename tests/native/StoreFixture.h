// A fresh program folder for each native test, with the library state of a fresh load,
// the en-US locale, a fixed clock and no message boxes recorded.
#pragma once
#include "DateUtils.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "PortableTestHooks.h"
#include "Queries.h"
#include "Settings.h"
#include "TestFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

class StoreFixture : public testing::Test {
  protected:
    StoreFixture() {
        SetPortableProgramDirectory(folder.WithSeparator());
        SetPortableSpecialFolderRoot(folder.File("special") + "/");
        SetPortableLocale(PortableLocale());
        SetPortableNow(EncodeDate(2007, 3, 5) + 0.5);
        SetPortableWriteFailureAfter(-1);
        RecordedMessageBoxes().clear();
        ResetSettings();
        ClearEventTypes();
        RegularEntries().clear();
    }
    void WriteFile(const std::string& relative, const std::string& content) {
        std::filesystem::path path = folder.Path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    std::string ReadFile(const std::string& relative) {
        std::ifstream in(folder.Path() / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& relative) { return std::filesystem::exists(folder.Path() / relative); }
    size_t ErrorBoxCount() {
        size_t count = 0;
        for (const RecordedMessageBox& box : RecordedMessageBoxes()) count += box.isError ? 1 : 0;
        return count;
    }
    static double Date(int year, int month, int day) { return EncodeDate(year, month, day); }

    TestFolder folder;
};
