// What the two modules carry for the system: the version the project states, an icon, and a
// manifest asking for per-monitor DPI awareness and the themed common controls, at the id
// that suits the kind of module (the program's own for Calendar.exe; for TOOLS.DLL an id the
// loader passes over, so that a query's load of the library builds no activation context).
#include "DialogManifest.h"
#include "Version.h"
#include "WineTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace {
struct ModuleCase {
    const char* file;
    int manifestId;
};

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return "";
    HGLOBAL loaded = LoadResource(module, found);
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
}

TEST(ModuleResourcesTest, EachModuleCarriesTheVersionAnIconAndItsManifest) {
    const ModuleCase cases[] = {{"Calendar.exe", 1}, {"TOOLS.DLL", VELMORA_DIALOG_MANIFEST_ID}};
    for (const ModuleCase& module : cases) {
        SCOPED_TRACE(module.file);
        const std::string path = ExecutableFolder() + module.file;
        HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(image, nullptr);
        EXPECT_NE(FindResourceA(image, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);
        const std::string manifest =
            ResourceText(image, MAKEINTRESOURCEA(module.manifestId), MAKEINTRESOURCEA(24));
        for (const char* wanted :
             {"PerMonitorV2", "<dpiAware", "true/pm", "Microsoft.Windows.Common-Controls",
              "version=\"6.0.0.0\"", "version=\"" VELMORA_VERSION_TEXT "\""})
            EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
        if (module.manifestId != 2) {
            EXPECT_EQ(FindResourceA(image, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24)), nullptr)
                << "a manifest at id 2 is read at every load";
        }
        FreeLibrary(image);

        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        std::string block(size, '\0');
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &block[0]));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&fixed), &length));
        char numbers[64];
        snprintf(numbers, sizeof numbers, "%u.%u.%u.%u", unsigned(HIWORD(fixed->dwFileVersionMS)),
                 unsigned(LOWORD(fixed->dwFileVersionMS)), unsigned(HIWORD(fixed->dwFileVersionLS)),
                 unsigned(LOWORD(fixed->dwFileVersionLS)));
        EXPECT_EQ(std::string(numbers), VELMORA_VERSION_TEXT);
        for (const char* value : {"FileVersion", "ProductVersion"}) {
            char* text = nullptr;
            ASSERT_TRUE(VerQueryValueA(&block[0],
                                       (std::string("StringFileInfo\\0C0904E4\\") + value).c_str(),
                                       reinterpret_cast<void**>(&text), &length))
                << value;
            EXPECT_STREQ(text, VELMORA_VERSION_TEXT) << value;
        }
    }
}
} // namespace
