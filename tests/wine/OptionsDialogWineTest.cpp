// The options dialog and the about box as the user meets them, through TOOLS.DLL loaded by
// name, and the version reader on a program that carries the calendar's version block.
#include "Version.h"
#include "WineTestSupport.h"
#include "info.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {
std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
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
