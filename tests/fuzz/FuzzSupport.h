// What the fuzz targets share: a program folder of their own, the exports called as the
// window calls them into buffers of exactly the window's size, and the checks every item
// text must pass. A failed check aborts, so libFuzzer keeps the input that caused it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The folder the library takes for the program's, made once per process (with a trailing /).
const std::string& FuzzFolder();
// Replaces the file at the relative path (created with its folders).
void WriteFuzzFile(const std::string& relative, const std::string& content);
void RemoveFuzzFile(const std::string& relative);
// The library state of a fresh load, and no message boxes kept.
void ResetLibrary();

// GetItems or ComingUp into a heap buffer of exactly 1024 bytes; checks that the length
// agrees with the text and that the text is item text the readers can take apart.
std::string FuzzGetItems(double date);
std::string FuzzComingUp(int32_t count, double date);
// No NUL, every CR followed by LF and every LF after a CR, every "|" followed by a digit.
void CheckItemText(const std::string& text, const char* where);

[[noreturn]] void FuzzFailure(const std::string& what);
