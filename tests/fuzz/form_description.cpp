// The form-description reader on any bytes, as a damaged language module would hand them:
// it either gives a form or refuses with its own error; a form it gives prints as text that
// reads back as the same form; and laying the second half of the input over the first, read
// as a translation, leaves every property the translation names with the translation's
// values, in a form that still prints and reads back the same.
#include "FormDescription.h"

#include "FuzzSupport.h"

#include <string>

namespace {
bool SameComponent(const FormComponent& a, const FormComponent& b) {
    if (a.name != b.name || a.kind != b.kind || a.properties.size() != b.properties.size() ||
        a.children.size() != b.children.size())
        return false;
    for (size_t i = 0; i < a.properties.size(); ++i)
        if (a.properties[i].key != b.properties[i].key ||
            a.properties[i].values != b.properties[i].values)
            return false;
    for (size_t i = 0; i < a.children.size(); ++i)
        if (!SameComponent(a.children[i], b.children[i]))
            return false;
    return true;
}

bool Read(const std::string& text, FormComponent* form) {
    try {
        *form = ParseFormDescription(text);
        return true;
    } catch (const FormDescriptionError&) {
        return false;
    }
}
// Printed and read again, a form must be the same form, and printing it again the same text.
void CheckPrintedForm(const FormComponent& form, const char* which) {
    const std::string printed = PrintFormDescription(form);
    FormComponent again;
    if (!Read(printed, &again))
        FuzzFailure(std::string("the printed ") + which + " is refused by the reader:\n" + printed);
    if (!SameComponent(form, again))
        FuzzFailure(std::string("the printed ") + which + " reads back as another form:\n" +
                    printed);
    if (PrintFormDescription(again) != printed)
        FuzzFailure(std::string("the printed ") + which + " prints differently when read back");
}

// Every property the translation gives a component the form has now holds its values.
void CheckTranslationTaken(const FormComponent& merged, const FormComponent& translation) {
    if (const FormComponent* target = merged.FindComponent(translation.name))
        for (const FormProperty& property : translation.properties) {
            const FormProperty* taken = target->Find(property.key);
            if (!taken || taken->values != property.values)
                FuzzFailure("the translation's " + translation.name + "." + property.key +
                            " was not laid over the form");
        }
    for (const FormComponent& child : translation.children)
        CheckTranslationTaken(merged, child);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    FormComponent whole;
    if (Read(input, &whole))
        CheckPrintedForm(whole, "form");
    // A zero byte splits a form from its translation; without one, the input is read over
    // itself.
    const size_t split = input.find('\0');
    FormComponent form, translation;
    if (!Read(input.substr(0, split), &form))
        return 0;
    if (!Read(split == std::string::npos ? input : input.substr(split + 1), &translation))
        return 0;
    MergeFormDescription(form, translation);
    CheckTranslationTaken(form, translation);
    CheckPrintedForm(form, "merged form");
    return 0;
}
