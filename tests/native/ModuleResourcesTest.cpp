// Reading a language module's resources from its file's bytes: the module the build makes is
// read whole, and one cut short or with any offset pointing outside itself is refused.
#include "ModuleResources.h"
#include "FormDescription.h"
#include "LittleEndian.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {
// The Dutch module as scripts/make-language-module.sh makes it, kept as the fuzz target's seed.
std::string DutchModule() {
    std::ifstream in(VELMORA_SOURCE_DIR "/tests/fuzz/corpus/module_resources/dutch-module",
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where the parts of the module lie in its file, found by hand from the format.
struct Layout {
    size_t header = 0, optional = 0, resourceDirectory = 0, resourceSection = 0, root = 0;
    size_t names = 0, firstName = 0, languages = 0, dataEntry = 0;
};

Layout LayoutOf(const std::string& b) {
    Layout layout;
    layout.header = Little32(b, 0x3C);
    layout.optional = layout.header + 24;
    const size_t optionalSize = Little32(b, layout.header + 20) & 0xFFFF;
    const bool wide = (Little32(b, layout.optional) & 0xFFFF) == 0x20B;
    layout.resourceDirectory = layout.optional + (wide ? 112 : 96) + 16;
    const uint32_t rva = Little32(b, layout.resourceDirectory);
    const size_t sections = Little32(b, layout.header + 6) & 0xFFFF;
    for (size_t i = 0; i < sections; ++i) {
        const size_t section = layout.optional + optionalSize + 40 * i;
        const uint32_t address = Little32(b, section + 12);
        if (rva >= address && rva - address < Little32(b, section + 16)) {
            layout.resourceSection = section;
            layout.root = Little32(b, section + 20) + (rva - address);
        }
    }
    layout.names = layout.root + (Little32(b, layout.root + 20) & 0x7FFFFFFF);
    layout.firstName = layout.root + (Little32(b, layout.names + 16) & 0x7FFFFFFF);
    layout.languages = layout.root + (Little32(b, layout.names + 20) & 0x7FFFFFFF);
    layout.dataEntry = layout.root + Little32(b, layout.languages + 20);
    return layout;
}

ModuleResources Resources(const std::vector<unsigned char>& file) {
    return ModuleResources(file.data(), file.size());
}

// Exactly the bytes, in a buffer of their own size, so the sanitizer sees any read past them.
std::vector<unsigned char> Exactly(const std::string& bytes) {
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

const char* const dialogs[] = {"TAboutBox", "TCalendarEntriesForm", "TOptionsForm"};

TEST(ModuleResourcesTest, TheBuiltModuleIsReadWholeAndGivesEachDescriptionByName) {
    const std::string module = DutchModule();
    ASSERT_GT(module.size(), 8200u);
    const std::vector<unsigned char> file = Exactly(module);
    EXPECT_TRUE(Resources(file).Sound());
    for (const char* dialog : dialogs) {
        std::string text;
        ASSERT_TRUE(Resources(file).FindNamed(DataResourceType, dialog, &text)) << dialog;
        EXPECT_EQ(ParseFormDescription(text).name, dialog);
    }
    std::string text = "kept";
    EXPECT_FALSE(Resources(file).FindNamed(DataResourceType, "TNoSuchForm", &text));
    EXPECT_FALSE(Resources(file).FindNamed(DataResourceType, "TOptionsFor", &text));
    EXPECT_FALSE(Resources(file).FindNamed(6, "TOptionsForm", &text));
    EXPECT_EQ(text, "kept");
}

// Cut anywhere, the module cannot be read whole; a lookup in what is left never reads past it.
TEST(ModuleResourcesTest, AModuleCutShortAnywhereIsRefused) {
    const std::string module = DutchModule();
    for (size_t length = 0; length < module.size(); ++length) {
        const std::vector<unsigned char> file = Exactly(module.substr(0, length));
        ASSERT_FALSE(Resources(file).Sound()) << length;
        std::string text;
        for (const char* dialog : dialogs)
            EXPECT_FALSE(Resources(file).FindNamed(DataResourceType, dialog, &text)) << length;
    }
}

// Each header, directory, name or data entry changed to point outside the file or to claim
// more than it holds makes the module unsound, and the lookups through it find nothing.
TEST(ModuleResourcesTest, AnyOffsetOrSizeBeyondTheFileIsRefused) {
    const std::string module = DutchModule();
    const Layout at = LayoutOf(module);
    ASSERT_NE(at.root, 0u);
    const struct {
        const char* what;
        size_t offset;
        uint32_t value;
    } cases[] = {
        {"headers outside the file", 0x3C, 0xFFFFFF00},
        {"not a module's signature", at.header, 0x00004551},
        {"an unknown optional header", at.optional, 0x0107},
        {"no resource directory", at.resourceDirectory, 0},
        {"a resource directory in no section", at.resourceDirectory, 0x7FFFF000},
        {"a section beyond the file", at.resourceSection + 20, 0x10000},
        {"a section longer than the file", at.resourceSection + 16, 0x100000},
        {"a root with 131070 entries", at.root + 12, 0xFFFFFFFF},
        {"a type directory outside the section", at.root + 20, 0xFFFFFFF0},
        {"a type leading straight to data", at.root + 20, 0x00000010},
        {"a name outside the section", at.names + 16, 0xFFFFFF00},
        {"a name longer than the section", at.firstName, 0xFFFF},
        {"a language leading to a directory", at.languages + 20, 0x80000000},
        {"a data entry outside the section", at.languages + 20, 0x7FFFFFF8},
        {"data beyond the file", at.dataEntry, 0xFFFFF000},
        {"data longer than the file", at.dataEntry + 4, 0x7FFFFFF0},
        {"data running past its section", at.dataEntry + 4, 0x2000},
    };
    for (const auto& c : cases) {
        std::string bytes = module;
        if (c.offset == at.firstName) // the length is 16 bits
            bytes.at(c.offset) = bytes.at(c.offset + 1) = '\xFF';
        else
            PutLittle32(bytes, c.offset, c.value);
        const std::vector<unsigned char> file = Exactly(bytes);
        EXPECT_FALSE(Resources(file).Sound()) << c.what;
    }
    // Only the resources reached through the damaged part are lost to a lookup.
    std::string bytes = module;
    PutLittle32(bytes, at.dataEntry + 4, 0x7FFFFFF0);
    const std::vector<unsigned char> file = Exactly(bytes);
    std::string text;
    EXPECT_FALSE(Resources(file).FindNamed(DataResourceType, "TAboutBox", &text));
    EXPECT_TRUE(Resources(file).FindNamed(DataResourceType, "TOptionsForm", &text));
}

// Directories shared by every entry above them would make a walk of millions of entries out
// of a few kilobytes: the walk stops early and refuses the module.
TEST(ModuleResourcesTest, ATreeOfSharedDirectoriesIsRefused) {
    std::string bytes = DutchModule();
    const Layout at = LayoutOf(bytes);
    const uint32_t dataRva = Little32(bytes, at.dataEntry),
                   dataSize = Little32(bytes, at.dataEntry + 4);
    // Three directories of 255 entries, each entry leading to the next directory, the last
    // ones all to one resource: 255 * 255 * 255 resources, laid over the section's tree.
    const uint32_t entries = 255, directorySize = 16 + 8 * entries;
    const size_t end =
        Little32(bytes, at.resourceSection + 20) + Little32(bytes, at.resourceSection + 16);
    ASSERT_LE(at.root + 3 * directorySize + 16, end);
    for (uint32_t level = 0; level < 3; ++level) {
        const size_t directory = at.root + level * directorySize;
        PutLittle32(bytes, directory + 12, entries << 16);
        const uint32_t next = (level + 1) * directorySize | (level < 2 ? 0x80000000 : 0);
        for (uint32_t i = 0; i < entries; ++i) {
            PutLittle32(bytes, directory + 16 + 8 * i, i + 1);
            PutLittle32(bytes, directory + 20 + 8 * i, next);
        }
    }
    PutLittle32(bytes, at.root + 3 * directorySize, dataRva);
    PutLittle32(bytes, at.root + 3 * directorySize + 4, dataSize);
    const std::vector<unsigned char> file = Exactly(bytes);
    EXPECT_FALSE(Resources(file).Sound());
    // The same tree with one entry a level is a sound module of one resource.
    for (uint32_t level = 0; level < 3; ++level)
        PutLittle32(bytes, at.root + level * directorySize + 12, 1 << 16);
    const std::vector<unsigned char> single = Exactly(bytes);
    EXPECT_TRUE(Resources(single).Sound());
}
} // namespace
