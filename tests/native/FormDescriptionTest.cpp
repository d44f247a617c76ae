// Form descriptions: the reader, the merge of a translation, the lookup by class name, and
// the editor's own description as the library ships it.
#include "FormDescription.h"
#include "PortableTestHooks.h"
#include "Resources.h"
#include "TestFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace {
std::string ShippedEditorDescription() {
    std::ifstream in(VELMORA_SOURCE_DIR "/tools/forms/TCalendarEntriesForm.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FormDescriptionTest, ReadsComponentsPropertiesAndValuesInOrder) {
    const FormComponent form = ParseFormDescription("# comment\r\n"
                                                    "Form1 : form {\r\n"
                                                    "  caption = \"Say \\\"hi\\\"\\n\\x41\\\\\"\r\n"
                                                    "\tclient = 531, -387\n"
                                                    "  Panel : panel {\r"
                                                    "    Ok : button {\n"
                                                    "      default = true\n"
                                                    "      hint = \"\"\n"
                                                    "    }\n"
                                                    "  }\n"
                                                    "  List : listview {\n"
                                                    "    columns = \"A\", -1, \"B\", 100\n"
                                                    "  }\n"
                                                    "}");
    EXPECT_EQ(form.name, "Form1");
    EXPECT_EQ(form.kind, "form");
    EXPECT_EQ(form.Text("caption"), "Say \"hi\"\nA\\");
    EXPECT_EQ(form.Number("client", 0, 0), 531);
    EXPECT_EQ(form.Number("client", 1, 0), -387);
    EXPECT_EQ(form.Number("client", 2, 7), 7);
    EXPECT_EQ(form.Number("caption", 0, 7), 7);
    ASSERT_EQ(form.children.size(), 2u);
    EXPECT_EQ(form.children[0].name, "Panel");
    EXPECT_EQ(form.children[1].Texts("columns"), (std::vector<std::string>{"A", "-1", "B", "100"}));
    const FormComponent* ok = form.FindComponent("Ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->Flag("default"));
    EXPECT_FALSE(ok->Flag("cancel"));
    EXPECT_EQ(ok->Text("hint", "none"), "");
    EXPECT_EQ(ok->line, 6);
    EXPECT_EQ(form.FindComponent("ok"), nullptr);
}

TEST(FormDescriptionTest, RefusesWhatIsOutsideTheFormatNamingTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "Form description: no component"},
        {"# only a comment\n", "Form description: no component"},
        {"A : form {\n", "Form description: the component A is not closed"},
        {"A : form {\n B : label {\n}\n", "Form description: the component A is not closed"},
        {"}\n", "line 1: \"}\" without a component to close"},
        {"A : form {\n}\nB : form {\n}\n", "line 3: a second component at the top"},
        {"caption = \"x\"\n", "line 1: a property outside any component"},
        {"A : form {\n x = 1\n x = 2\n}\n", "line 3: the property x is given twice"},
        {"A : form {\n A : label {\n }\n}\n", "line 2: the name A is used twice"},
        {"A : form\n}\n", "line 1: expected \"{\" after the kind"},
        {"A : form { x = 1\n}\n", "line 1: unexpected text after \"{\""},
        {"A : form {\n} x\n", "line 2: unexpected text after \"}\""},
        {"A : {\n}\n", "line 1: expected the kind of component"},
        {"1A : form {\n}\n", "line 1: expected a component or a property"},
        {"A : form {\n x 1\n}\n", "line 2: expected \":\" or \"=\" after x"},
        {"A : form {\n x =\n}\n", "line 2: expected a value"},
        {"A : form {\n x = 1,\n}\n", "line 2: expected a value"},
        {"A : form {\n x = 1 2\n}\n", "line 2: expected \",\" or the end of the line"},
        {"A : form {\n x = \"open\n}\n", "line 2: string not closed"},
        {"A : form {\n x = \"a\\\n}\n", "line 2: string not closed"},
        {"A : form {\n x = \"\\q\"\n}\n", "line 2: unknown escape in string"},
        {"A : form {\n x = \"\\x4\"\n}\n", "line 2: \\x needs two hexadecimal digits"},
        {"A : form {\n x = 2147483648\n}\n", "line 2: number out of range"},
        {"A : form {\n x = 99999999999999999999\n}\n", "line 2: number out of range"},
        {"A : form {\n x = -\n}\n", "line 2: expected digits"},
        {"A : form {\n x = 12ab\n}\n", "line 2: expected digits"},
        {"A : form {\n x = @\n}\n", "line 2: expected a value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseFormDescription(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const FormDescriptionError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(ParseFormDescription("A : f {\n x = -2147483648\n}\n").Number("x", 0, 0), INT32_MIN);
}

TEST(FormDescriptionTest, NestingAndSizeAreBounded) {
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "C" + std::to_string(i) + " : panel {\n";
    for (int i = 0; i < 40; ++i)
        deep += "}\n";
    EXPECT_THROW(ParseFormDescription(deep), FormDescriptionError);
    EXPECT_THROW(ParseFormDescription(std::string(2 << 20, ' ')), FormDescriptionError);
}

// Any bytes end in a description or a clear error: mutations of the shipped description,
// and plain noise, under the sanitizers.
TEST(FormDescriptionTest, AnyBytesGiveADescriptionOrAnError) {
    const std::string shipped = ShippedEditorDescription();
    ASSERT_FALSE(shipped.empty());
    std::mt19937 random(20261208);
    const char noise[] = "{}:=,\"\\#\r\n \t-0123456789xAz_\x00\xff";
    const std::string alphabet(noise, sizeof noise - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string text = round % 4 == 0 ? std::string() : shipped;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const size_t at = text.empty() ? 0 : random() % text.size();
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0:
                text.insert(text.begin() + static_cast<long>(at), c);
                break;
            case 1:
                if (!text.empty())
                    text.erase(at, 1 + random() % 20);
                break;
            default:
                if (!text.empty())
                    text[at] = static_cast<char>(random());
            }
        }
        try {
            const FormComponent form = ParseFormDescription(text);
            EXPECT_FALSE(form.name.empty());
        } catch (const FormDescriptionError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Form description", 0), 0u);
        }
    }
}

TEST(FormDescriptionTest, ATranslationChangesOnlyWhatItNamesByComponentName) {
    FormComponent form =
        ParseFormDescription("F : form {\n caption = \"Editor\"\n"
                             " G : group {\n caption = \"&List\"\n bounds = 1, 2, 3, 4\n"
                             "  B : button {\n caption = \"&Add\"\n hint = \"Add one\"\n }\n"
                             " }\n}\n");
    const FormComponent translation =
        ParseFormDescription("F : form {\n caption = \"Bewerker\"\n"
                             " B : label {\n caption = \"&Toevoegen\"\n width = 90\n }\n"
                             " Unknown : button {\n caption = \"x\"\n }\n}\n");
    MergeFormDescription(form, translation);
    EXPECT_EQ(form.Text("caption"), "Bewerker");
    const FormComponent* group = form.FindComponent("G");
    EXPECT_EQ(group->Text("caption"), "&List");
    EXPECT_EQ(group->Number("bounds", 3, 0), 4);
    const FormComponent* button = form.FindComponent("B");
    EXPECT_EQ(button->kind, "button");
    EXPECT_EQ(button->Text("caption"), "&Toevoegen");
    EXPECT_EQ(button->Text("hint"), "Add one");
    EXPECT_EQ(button->Number("width", 0, 0), 90);
    EXPECT_EQ(form.FindComponent("Unknown"), nullptr);
}

// What a printed form says is exactly the form: every byte of a string, numbers as written,
// the nesting; the shipped descriptions and their translations print and read back unchanged.
TEST(FormDescriptionTest, APrintedFormReadsBackAsTheSameForm) {
    const std::string odd = "F : form {\n caption = \"a\\\"b\\\\c\\x01\\x7F\\x0d\xE9\\n\\t\"\n"
                            " client = 007, -0, 12\n enabled = true, \"\"\n"
                            " G : group {\n  H : label {\n  }\n }\n}\n";
    const FormComponent form = ParseFormDescription(odd);
    const std::string printed = PrintFormDescription(form);
    EXPECT_EQ(printed, "F : form {\n"
                       "    caption = \"a\\\"b\\\\c\\x01\\x7F\\x0D\xE9\\n\\t\"\n"
                       "    client = 007, -0, 12\n"
                       "    enabled = true, \"\"\n"
                       "    G : group {\n"
                       "        H : label {\n"
                       "        }\n"
                       "    }\n"
                       "}\n");
    const FormComponent again = ParseFormDescription(printed);
    EXPECT_EQ(again.Text("caption"), std::string("a\"b\\c\x01\x7F\r\xE9\n\t"));
    EXPECT_EQ(again.Texts("client"), (std::vector<std::string>{"007", "-0", "12"}));
    EXPECT_EQ(again.Number("client", 0, 0), 7);
    ASSERT_NE(again.FindComponent("H"), nullptr);
    EXPECT_EQ(again.FindComponent("H")->kind, "label");

    for (const char* file :
         {"forms/TAboutBox.txt", "forms/TCalendarEntriesForm.txt", "forms/TOptionsForm.txt",
          "languages/NLD/TAboutBox.txt", "languages/NLD/TCalendarEntriesForm.txt",
          "languages/NLD/TOptionsForm.txt"}) {
        std::ifstream in(std::string(VELMORA_SOURCE_DIR "/tools/") + file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        ASSERT_FALSE(text.empty()) << file;
        const std::string shipped = PrintFormDescription(ParseFormDescription(text));
        EXPECT_EQ(PrintFormDescription(ParseFormDescription(shipped)), shipped) << file;
    }
}

TEST(FormDescriptionTest, FoundByClassNameInUpperCaseInTheResourceFolder) {
    TestFolder folder;
    std::ofstream(folder.File("TCALENDARENTRIESFORM"), std::ios::binary) << "A : form {\n}\n";
    std::string description = "kept";
    SetPortableFormFolder("");
    EXPECT_FALSE(FindFormDescription("TCalendarEntriesForm", &description));
    SetPortableFormFolder(folder.WithSeparator());
    EXPECT_FALSE(FindFormDescription("TOptionsForm", &description));
    EXPECT_EQ(description, "kept");
    EXPECT_TRUE(FindFormDescription("TCalendarEntriesForm", &description));
    EXPECT_EQ(description, "A : form {\n}\n");
    SetPortableFormFolder("");
    EXPECT_EQ(FormResourceName("TCalendarEntriesForm"), "TCALENDARENTRIESFORM");
}

// The description the library is built with has every component the editor drives, with
// the kinds, captions and settings it relies on.
TEST(FormDescriptionTest, TheEditorsDescriptionHoldsEveryComponentItDrives) {
    const FormComponent form = ParseFormDescription(ShippedEditorDescription());
    EXPECT_EQ(form.name, "TCalendarEntriesForm");
    EXPECT_EQ(form.Text("caption"), "Calendar Reminders");
    EXPECT_EQ(form.Number("client", 0, 0), 531);
    EXPECT_EQ(form.Number("client", 1, 0), 387);
    const struct {
        const char* name;
        const char* kind;
        const char* caption;
        const char* hint;
    } components[] = {
        {"OkButton", "button", "OK", "Save changes and exit"},
        {"CancelButton", "button", "Cancel", "Exit without saving changes"},
        {"ApplyButton", "button", "A&pply", "Save changes"},
        {"TabSheet1", "page", "Reminders", ""},
        {"TabSheet2", "page", "Regular Reminders", ""},
        {"SelectDateGroup", "group", "&Select Date", ""},
        {"rmComboCalendar1", "datefield", "", ""},
        {"ShuffleDownButton", "button", "6", "Shuffle down"},
        {"ShuffleUpButton", "button", "5", "Shuffle up"},
        {"AddEntryButton", "button", "&Add", "Add a new calendar entry"},
        {"DeleteEntryButton", "button", "&Delete", "Delete the selected calendar entry"},
        {"ListGroup", "group", "&Reminders", ""},
        {"ListView1", "listview", "", ""},
        {"EditGroup", "group", "Selected R&eminder", ""},
        {"Edit1", "edit", "", "Enter description"},
        {"ComboBox2", "combo", "", ""},
        {"GroupBox1", "group", "&Regular Reminders", ""},
        {"Label5", "label",
         "Create regular reminders such as meetings, birthdays, anniversaries etc.", ""},
        {"AddRegularEntryButton", "button", "&Add", "Add a new regular calendar entry"},
        {"DeleteRegularEntryButton", "button", "&Delete",
         "Delete the selected regular calendar entry"},
        {"GroupBox3", "group", "Re&minders", ""},
        {"ListView2", "listview", "", ""},
        {"GroupBox2", "group", "Selected &R&eminder", ""},
        {"Edit2", "edit", "", "Enter description"},
        {"ComboBox3", "combo", "", ""},
        {"rmComboCalendar2", "datefield", "", ""},
        {"ComboBox1", "combo", "", ""},
    };
    for (const auto& c : components) {
        SCOPED_TRACE(c.name);
        const FormComponent* component = form.FindComponent(c.name);
        ASSERT_NE(component, nullptr);
        EXPECT_EQ(component->kind, c.kind);
        EXPECT_EQ(component->Text("caption"), c.caption);
        EXPECT_EQ(component->Text("hint"), c.hint);
    }
    EXPECT_TRUE(form.FindComponent("OkButton")->Flag("default"));
    EXPECT_TRUE(form.FindComponent("CancelButton")->Flag("cancel"));
    EXPECT_EQ(form.FindComponent("Edit1")->Number("maxlength", 0, 0), 255);
    EXPECT_EQ(form.FindComponent("Edit2")->Number("maxlength", 0, 0), 255);
    EXPECT_TRUE(form.FindComponent("ComboBox2")->Flag("sorted"));
    EXPECT_TRUE(form.FindComponent("ComboBox3")->Flag("sorted"));
    EXPECT_FALSE(form.FindComponent("ComboBox1")->Flag("sorted"));
    EXPECT_EQ(form.FindComponent("ListView1")->Texts("columns"),
              (std::vector<std::string>{"Description", "-1", "Type", "100"}));
    EXPECT_EQ(form.FindComponent("ListView2")->Texts("columns"),
              (std::vector<std::string>{"Description", "173", "Start", "150", "Interval", "80",
                                        "Type", "-1"}));
    EXPECT_EQ(form.FindComponent("rmComboCalendar1")->Number("bounds", 2, 0), 210);
    EXPECT_EQ(form.FindComponent("rmComboCalendar1")->Number("dropdownwidth", 0, 0), 250);
}
} // namespace
