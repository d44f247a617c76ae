// The one rule that turns a dialog class into the name of its description resource.
#include "Resources.h"
#include "TextCase.h"

std::string FormResourceName(const std::string& className) {
    return UpperCaseAscii(className);
}
