// The one rule that turns a dialog class into the name of its description resource.
#include "Resources.h"

std::string FormResourceName(const std::string& className) {
    std::string name = className;
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}
