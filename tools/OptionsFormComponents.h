// The components the options dialog and the about box work with, by name and kind: each
// dialog refuses a description that lacks one, and the tests hold the shipped descriptions
// against these lists.
#pragma once
#include "FormDescription.h"

#include <string>
#include <vector>

struct DrivenComponent {
    const char* name;
    const char* kind;
};

const std::vector<DrivenComponent>& OptionsFormComponents();
const std::vector<DrivenComponent>& AboutBoxComponents();

// Raises VelmoraError naming the first component the description lacks (or has as another kind).
void RequireComponents(const FormComponent& description,
                       const std::vector<DrivenComponent>& components);
