// The system's own words for an error code, as the error boxes quote them after a file name.
#pragma once
#include <windows.h>

#include <string>

// Without the line break and spaces the system ends its messages with; a code the system
// has no text for is named by its number.
inline std::string SystemMessage(DWORD error) {
    char buffer[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        text = "system error " + std::to_string(error);
    return text;
}
