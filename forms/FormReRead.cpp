// The part of a language module's description that is read over a dialog.
#include "FormReRead.h"

namespace {
// Lists whose entries code finds by position.
bool IsPositionalList(const std::string& key) {
    return key == "items" || key == "columns";
}

std::vector<FormProperty> ChangedProperties(const FormComponent& current,
                                            const FormComponent& translated) {
    std::vector<FormProperty> changed;
    for (const FormProperty& property : translated.properties) {
        if (!IsTranslatableProperty(property.key))
            continue;
        const FormProperty* existing = current.Find(property.key);
        if (existing && existing->values == property.values)
            continue;
        if (IsPositionalList(property.key) &&
            (!existing || existing->values.size() != property.values.size()))
            continue;
        changed.push_back(property);
    }
    return changed;
}

void CollectChanges(const FormComponent& form, const FormComponent& translated,
                    FormComponent& changes) {
    if (const FormComponent* current = form.FindComponent(translated.name)) {
        std::vector<FormProperty> changed = ChangedProperties(*current, translated);
        if (current == &form) {
            changes.properties = std::move(changed);
        } else if (!changed.empty()) {
            FormComponent entry;
            entry.name = current->name;
            entry.kind = current->kind;
            entry.line = translated.line;
            entry.properties = std::move(changed);
            changes.children.push_back(std::move(entry));
        }
    }
    for (const FormComponent& child : translated.children)
        CollectChanges(form, child, changes);
}
} // namespace

bool IsTranslatableProperty(const std::string& key) {
    static const char* const keys[] = {"caption", "hint",   "items",  "columns",
                                       "text",    "bounds", "client", "font"};
    for (const char* translatable : keys)
        if (key == translatable)
            return true;
    return false;
}

FormComponent TranslationChanges(const FormComponent& form, const FormComponent& translation) {
    FormComponent changes;
    changes.name = form.name;
    changes.kind = form.kind;
    changes.line = form.line;
    CollectChanges(form, translation, changes);
    return changes;
}

bool ChangesNothing(const FormComponent& changes) {
    return changes.properties.empty() && changes.children.empty();
}
