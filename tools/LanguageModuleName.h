// Which files a language switch tries for a language: the library's own path with the
// extension of its file name replaced by the language's abbreviation, first the whole
// three-letter abbreviation ("Tools.NLD"), then its first two letters ("Tools.NL").
#pragma once
#include <string>
#include <vector>

// The candidate paths in the order they are tried; none when the abbreviation is empty or the
// library's file name has no "." (a "." in a folder name is not an extension: taking it would
// load a file from outside the library's folder).
std::vector<std::string> LanguageModuleCandidates(const std::string& libraryPath,
                                                  const std::string& abbreviation);
