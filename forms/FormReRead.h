// What reading a language module's description over a dialog changes, decided without a
// window. A dialog is read from a module twice in its life: when it is built (the library's
// own description with the module's laid over it) and when it is open and the language is
// switched (the open dialog re-read over itself). Both take the same part of the module's
// description, so a dialog opened in a language and one switched to it look alike.
#pragma once
#include "FormDescription.h"

// The part of translation that reading it over form changes, as a description of its own:
// its top component is the form's (name and kind), holding the form's changed properties, and
// under it, one after the other, each other component of the form that translation names
// with only its changed properties (the form's kind kept). Left out:
// - components form does not have (the reader finds components by name, it makes none);
// - properties whose values are the form's already (so an open list keeps the user's choice
//   when a switch to the same language sets the same items again);
// - properties that are not texts or looks (what a button does, a field's maximum length,
//   sorting): a language module translates, it does not change how a dialog behaves;
// - item lists and columns whose number of entries differs from the form's, because code
//   maps entries by position.
// No components under the top and no properties on it: the read changes nothing.
FormComponent TranslationChanges(const FormComponent& form, const FormComponent& translation);

// True when the description changes nothing.
bool ChangesNothing(const FormComponent& changes);

// The properties a language module may give a component.
bool IsTranslatableProperty(const std::string& key);
