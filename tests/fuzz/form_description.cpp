// The form-description reader on any bytes, as a damaged language module would hand them:
// it either gives a form or refuses with its own error, and laying the second half of the
// input over the first, read as a translation, changes the form the same way however often
// it is done.
#include "FormDescription.h"

#include "FuzzSupport.h"

#include <string>

namespace {
bool SameValues(const std::vector<FormValue>& a, const std::vector<FormValue>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].text != b[i].text || a[i].number != b[i].number)
            return false;
    return true;
}

bool SameComponent(const FormComponent& a, const FormComponent& b) {
    if (a.name != b.name || a.kind != b.kind || a.properties.size() != b.properties.size() ||
        a.children.size() != b.children.size())
        return false;
    for (size_t i = 0; i < a.properties.size(); ++i)
        if (a.properties[i].key != b.properties[i].key ||
            !SameValues(a.properties[i].values, b.properties[i].values))
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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    FormComponent whole;
    Read(input, &whole);
    // A zero byte splits a form from its translation; without one, the input is read over
    // itself.
    const size_t split = input.find('\0');
    FormComponent form, translation;
    if (!Read(input.substr(0, split), &form))
        return 0;
    if (!Read(split == std::string::npos ? input : input.substr(split + 1), &translation))
        return 0;
    MergeFormDescription(form, translation);
    FormComponent again = form;
    MergeFormDescription(again, translation);
    if (!SameComponent(form, again))
        FuzzFailure("a translation laid over a form a second time changed it again");
    return 0;
}
