// How each window base of ours ties its object to its window: the creator passes the object
// as CreateWindowEx's parameter, the window procedure stores it in the window at WM_NCCREATE
// and takes it out at WM_NCDESTROY, and an object that goes first takes itself out before it
// destroys the window. So no message ever reaches an object that is gone. And what the window
// procedures do with a handler that fails.
#pragma once
#include "MessageBoxes.h"

#include <windows.h>

#include <exception>

// The object a message goes to, or null (a message before WM_NCCREATE or after the object left
// the window). At WM_NCCREATE the object's own handle member is set first.
template <typename T> T* AttachedObject(HWND window, UINT message, LPARAM lParam, HWND T::*handle) {
    if (message != WM_NCCREATE)
        return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    T* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->*handle = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
}

// After the window's last message has been handled: window and object forget each other.
template <typename T>
void DetachAfterLastMessage(HWND window, UINT message, T* self, HWND T::*handle) {
    if (message != WM_NCDESTROY)
        return;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->*handle = nullptr;
}

// For an object destroyed before its window: the object leaves first, so the messages sent
// while the window dies find none, then the window goes.
inline void DestroyDetachedWindow(HWND& handle) {
    if (!handle)
        return;
    SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
    HWND window = handle;
    handle = nullptr;
    DestroyWindow(window);
}

// A failure inside a handler is the user's to read, in this module's error box.
inline void ReportHandlerFailure(const char* what) {
    ShowErrorBox(what && *what ? what : "An unexpected failure occurred.");
}

// Runs a handler inside a window procedure. No exception may unwind through the system's code
// that called the procedure, so a failure is reported here; false then.
template <typename Handler> bool RunGuarded(Handler&& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ReportHandlerFailure(error.what());
    } catch (...) {
        ReportHandlerFailure(nullptr);
    }
    return false;
}
