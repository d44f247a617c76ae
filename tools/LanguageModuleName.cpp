// The rule that names a language module after the library and a language abbreviation.
#include "LanguageModuleName.h"

std::vector<std::string> LanguageModuleCandidates(const std::string& libraryPath,
                                                  const std::string& abbreviation) {
    std::vector<std::string> candidates;
    if (abbreviation.empty())
        return candidates;
    // Backwards from the end, stopping at the start of the file name.
    const size_t fileStart = libraryPath.find_last_of("\\/:");
    const size_t first = fileStart == std::string::npos ? 0 : fileStart + 1;
    size_t dot = std::string::npos;
    for (size_t i = libraryPath.size(); i > first; --i) {
        if (libraryPath[i - 1] == '.') {
            dot = i - 1;
            break;
        }
    }
    // A name that is nothing but an extension (".DLL") has no stem to keep.
    if (dot == std::string::npos || dot == first)
        return candidates;
    const std::string stem = libraryPath.substr(0, dot + 1);
    candidates.push_back(stem + abbreviation.substr(0, 3));
    if (abbreviation.size() > 2)
        candidates.push_back(stem + abbreviation.substr(0, 2));
    return candidates;
}
