// Language modules: which files a switch tries, what reading a module's description over a
// dialog changes, and the translations the build turns into modules.
#include "FormDescription.h"
#include "FormReRead.h"
#include "LanguageModuleName.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {
std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(LanguageModuleNameTest, ReplacesTheFileNamesExtensionByThreeThenTwoLetters) {
    using Names = std::vector<std::string>;
    const struct {
        const char* path;
        const char* abbreviation;
        Names expected;
    } cases[] = {
        {"C:\\Program\\TOOLS.DLL", "NLD", {"C:\\Program\\TOOLS.NLD", "C:\\Program\\TOOLS.NL"}},
        {"Z:\\a.b\\Tools.v2.dll", "ENA", {"Z:\\a.b\\Tools.v2.ENA", "Z:\\a.b\\Tools.v2.EN"}},
        {"/opt/app/tools.", "ENU", {"/opt/app/tools.ENU", "/opt/app/tools.EN"}},
        {"TOOLS.DLL", "NL", {"TOOLS.NL"}},
        // A name without an extension loads nothing, even when a folder has a ".".
        {"C:\\Program\\TOOLS", "NLD", {}},
        {"C:\\my.folder\\TOOLS", "NLD", {}},
        {"C:\\Program\\.DLL", "NLD", {}},
        {"", "NLD", {}},
        {"C:\\Program\\TOOLS.DLL", "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageModuleCandidates(c.path, c.abbreviation), c.expected)
            << c.path << " + " << c.abbreviation;
}

const char* const kForm = "Form1 : form {\n"
                          "  caption = \"Reminders\"\n"
                          "  Pages : pagecontrol {\n"
                          "    Page1 : page {\n"
                          "      caption = \"First\"\n"
                          "      Name : edit {\n"
                          "        hint = \"Enter a name\"\n"
                          "        maxlength = 255\n"
                          "      }\n"
                          "      Interval : combo {\n"
                          "        items = \"Week\", \"Month\"\n"
                          "      }\n"
                          "    }\n"
                          "  }\n"
                          "  Ok : button {\n"
                          "    caption = \"OK\"\n"
                          "    modalresult = ok\n"
                          "  }\n"
                          "}\n";

TEST(FormReReadTest, TakesOnlyTheTextsThatChangeOfComponentsTheFormHas) {
    const FormComponent form = ParseFormDescription(kForm);
    // The module may arrange its components any way: they are found by name.
    const FormComponent changes = TranslationChanges(
        form, ParseFormDescription("Form1 : form {\n"
                                   "  caption = \"Herinneringen\"\n"
                                   "  Name : label {\n"
                                   "    hint = \"Enter a name\"\n" // the same: no change
                                   "    maxlength = 4000\n"        // not a text
                                   "    bounds = 1, 2, 3, 4\n"     // new to the form
                                   "  }\n"
                                   "  Missing : button {\n" // not on the form
                                   "    caption = \"X\"\n"
                                   "  }\n"
                                   "  Ok : button {\n"
                                   "    modalresult = cancel\n" // not a text
                                   "    Page1 : page {\n"
                                   "      caption = \"Eerste\"\n"
                                   "    }\n"
                                   "  }\n"
                                   "}\n"));
    EXPECT_EQ(changes.name, "Form1");
    ASSERT_EQ(changes.properties.size(), 1u);
    EXPECT_EQ(changes.Text("caption"), "Herinneringen");
    ASSERT_EQ(changes.children.size(), 2u);
    EXPECT_EQ(changes.children[0].name, "Name");
    EXPECT_EQ(changes.children[0].kind, "edit"); // the form's kind, not the module's
    ASSERT_EQ(changes.children[0].properties.size(), 1u);
    EXPECT_EQ(changes.children[0].properties[0].key, "bounds");
    EXPECT_EQ(changes.children[1].name, "Page1");
    EXPECT_EQ(changes.children[1].Text("caption"), "Eerste");
}

TEST(FormReReadTest, ItemListsAreTakenOnlyWithTheFormsNumberOfEntries) {
    const FormComponent form = ParseFormDescription(kForm);
    const struct {
        const char* items;
        bool taken;
    } cases[] = {
        {"\"Week\", \"Maand\"", true},
        {"\"Week\", \"Month\"", false}, // the same entries
        {"\"Week\"", false},
        {"\"Week\", \"Maand\", \"Jaar\"", false},
    };
    for (const auto& c : cases) {
        const FormComponent changes = TranslationChanges(
            form, ParseFormDescription(std::string("Form1 : form {\nInterval : combo {\nitems = ") +
                                       c.items + "\n}\n}\n"));
        EXPECT_EQ(!ChangesNothing(changes), c.taken) << c.items;
    }
}

TEST(FormReReadTest, ReadingTheChangesOverTheFormLeavesNothingMoreToChange) {
    FormComponent form = ParseFormDescription(kForm);
    const FormComponent translation = ParseFormDescription(
        "Form1 : form {\ncaption = \"Herinneringen\"\nInterval : combo {\n"
        "items = \"Week\", \"Maand\"\n}\nOk : button {\ncaption = \"Goed\"\n}\n}\n");
    MergeFormDescription(form, TranslationChanges(form, translation));
    EXPECT_EQ(form.Text("caption"), "Herinneringen");
    EXPECT_EQ(form.FindComponent("Interval")->Texts("items"),
              (std::vector<std::string>{"Week", "Maand"}));
    EXPECT_EQ(form.FindComponent("Ok")->Text("modalresult"), "ok");
    // A second switch to the same language finds the form as the first left it.
    EXPECT_TRUE(ChangesNothing(TranslationChanges(form, translation)));
}

// Every translation the build makes into a module reads, belongs to a dialog the library has,
// and is taken whole: a misspelt component or property, or a list of the wrong length, would
// otherwise be passed over without a word when the dialog is shown.
TEST(ShippedTranslationsTest, EveryTranslatedTextReachesItsDialog) {
    const std::filesystem::path root = VELMORA_SOURCE_DIR "/tools/languages";
    int files = 0;
    for (const auto& language : std::filesystem::directory_iterator(root)) {
        for (const auto& file : std::filesystem::directory_iterator(language.path())) {
            if (file.path().extension() != ".txt")
                continue;
            ++files;
            SCOPED_TRACE(file.path().string());
            const std::filesystem::path own =
                std::filesystem::path(VELMORA_SOURCE_DIR "/tools/forms") / file.path().filename();
            ASSERT_TRUE(std::filesystem::exists(own)) << "no dialog of that class";
            const FormComponent form = ParseFormDescription(ReadFile(own));
            const FormComponent translation = ParseFormDescription(ReadFile(file.path()));
            EXPECT_EQ(translation.name, form.name);
            const FormComponent changes = TranslationChanges(form, translation);
            EXPECT_FALSE(ChangesNothing(changes));
            FormComponent translated = form;
            MergeFormDescription(translated, changes);
            std::vector<const FormComponent*> pending = {&translation};
            while (!pending.empty()) {
                const FormComponent* component = pending.back();
                pending.pop_back();
                for (const FormComponent& child : component->children)
                    pending.push_back(&child);
                const FormComponent* target = translated.FindComponent(component->name);
                ASSERT_NE(target, nullptr) << component->name << " is not on the dialog";
                for (const FormProperty& property : component->properties)
                    EXPECT_EQ(target->Texts(property.key), component->Texts(property.key))
                        << component->name << "." << property.key << " is not taken";
            }
        }
    }
    EXPECT_GT(files, 0);
}
} // namespace
