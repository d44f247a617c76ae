// Letter case of the program's own names - keys, type names, file suffixes, folder tokens,
// component names, switches - which are compared without regard to case. Only the letters
// A to Z have a case here, whatever the system's locale, so every module agrees.
#pragma once
#include <cstddef>
#include <string>

// A to Z as a to z; every other byte as it is.
char LowerCaseAscii(char c);
std::string LowerCaseAscii(std::string text);
std::string UpperCaseAscii(std::string text);
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
bool SameTextIgnoringCase(const char* a, size_t aLength, const char* b, size_t bLength);
// Order of the names as the program lists them: by their lower-case letters, so that "_" and
// the other marks between Z and a come before the letters, as in the system's sorted lists;
// names equal but for case by their bytes, upper case first, so the order never depends on
// the order the names came in.
bool BeforeIgnoringCase(const std::string& a, const std::string& b);
bool BeginsWithIgnoringCase(const std::string& text, const std::string& prefix);
bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix);
