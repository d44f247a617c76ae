// Text between the stored files' single-byte system code page and UTF-8, the encoding of
// calendars exchanged with other programs.
#pragma once
#include <cstddef>
#include <string>

// The text of the system code page as UTF-8.
std::string AnsiToUtf8(const std::string& ansi);
// UTF-8 text in the system code page. Every character the code page cannot hold, and every
// byte that is not part of well-formed UTF-8, becomes one "?" and adds one to *replaced.
std::string Utf8ToAnsi(const std::string& utf8, size_t* replaced);

// --- UTF-8 itself, the same on every system ---
// The code points of the text; each byte that starts no well-formed sequence gives -1.
void DecodeUtf8(const std::string& utf8, std::u32string* codePoints, size_t* malformed);
void AppendUtf8(std::u32string::value_type codePoint, std::string* utf8);
