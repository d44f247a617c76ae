// The one guard of the library's exports: no exception ever crosses the boundary. A failure of
// any kind is shown in the library's error box (its own message, or a general one for a
// failure that brings none) and the export returns what it is specified to return after a
// failure.
#pragma once
#include "FailureBox.h"

#include <exception>

template <typename Result, typename Body> Result GuardExport(Result failed, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::exception& error) {
        ShowFailureBox(error.what());
    } catch (...) {
        ShowFailureBox(nullptr);
    }
    return failed;
}

// For an export that returns nothing.
template <typename Body> void GuardExport(Body&& body) noexcept {
    GuardExport(0, [&body] {
        body();
        return 0;
    });
}
