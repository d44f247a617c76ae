// Form descriptions: the text that says which components a dialog has, with their captions,
// hints, items, bounds and settings. Each dialog is built from the description stored under
// its class name, and a translated description is merged over it by component name.
//
// The format, one item per line (leading spaces and tabs do not count):
//
//     # a comment line; blank lines are skipped
//     TCalendarEntriesForm : form {        a component: name, colon, kind, opening brace
//         caption = "Calendar Reminders"   a property: key, equals sign, values
//         client = 531, 387                values are separated by commas
//         OkButton : button {              components nest; their order is the tab order
//             default = true
//         }                                a closing brace alone ends the component
//     }
//
// Names and keys are letters, digits and underscores, not starting with a digit. A value is
// a string in double quotes (escapes \" \\ \n \t and \xHH; any other byte stands for itself),
// a whole number (optionally negative, within 32 bits), or a word (true, false, ...). A line
// holds one item; a property's values end with its line. Keys are unique within a component
// and names within the whole description. Exactly one component stands at the top. Anything
// else is refused with a FormDescriptionError that names the line.
#pragma once
#include "Errors.h"

#include <cstdint>
#include <string>
#include <vector>

class FormDescriptionError : public VelmoraError {
  public:
    explicit FormDescriptionError(const std::string& message) : VelmoraError(message) {}
};

struct FormValue {
    enum class Kind { String, Integer, Word };
    Kind kind = Kind::Word;
    std::string text;   // the string or the word; the digits of a number as written
    int32_t number = 0; // for Integer
};
// The same value: kind, text and number alike.
inline bool operator==(const FormValue& a, const FormValue& b) {
    return a.kind == b.kind && a.text == b.text && a.number == b.number;
}
inline bool operator!=(const FormValue& a, const FormValue& b) {
    return !(a == b);
}

struct FormProperty {
    std::string key;
    std::vector<FormValue> values;
    int line = 0;
};

struct FormComponent {
    std::string name;
    std::string kind;
    std::vector<FormProperty> properties;
    std::vector<FormComponent> children;
    int line = 0;

    const FormProperty* Find(const std::string& key) const;
    FormProperty* Find(const std::string& key);
    // The first value of the property as text (a number as written), or fallback.
    std::string Text(const std::string& key, const std::string& fallback = std::string()) const;
    // Every value of the property as text, in order.
    std::vector<std::string> Texts(const std::string& key) const;
    // The value at index as a number; fallback when the property or the value is missing or
    // is not a number.
    int32_t Number(const std::string& key, size_t index, int32_t fallback) const;
    // True when the property's first value is the word "true".
    bool Flag(const std::string& key) const;
    // This component or one below it with that name (compared exactly), or null.
    const FormComponent* FindComponent(const std::string& componentName) const;
    FormComponent* FindComponent(const std::string& componentName);
};

// Reads a whole description; raises FormDescriptionError for anything outside the format.
FormComponent ParseFormDescription(const std::string& text);

// The form as description text that reads back as the same form: names, kinds, properties
// and values in their order (numbers as they were written), nested four spaces a level.
// Strings escape the quote, the backslash and every control byte, so each value keeps to its
// line whatever it holds.
std::string PrintFormDescription(const FormComponent& form);

// Lays a translated description over a form: every component of translation that the form
// has by name takes each property the translation gives it; components the form does not
// have are ignored, and nothing that the translation does not mention changes. Kinds,
// bounds and order stay the form's own unless the translation names a property itself.
void MergeFormDescription(FormComponent& form, const FormComponent& translation);
