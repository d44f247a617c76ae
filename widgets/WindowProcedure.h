// The one window procedure of our window bases (TBaseWindow, TWidgetWindow, TBaseForm), their
// one registration routine, and the guard in which every procedure and callback of ours that
// the system calls runs its C++.
//
// The creator passes the object as CreateWindowEx's parameter; the procedure stores it in the
// window at WM_NCCREATE and takes it out once WM_NCDESTROY has been handled, and an object that
// goes first takes itself out before it destroys the window. So no message ever reaches an
// object that is gone.
#pragma once
#include "FailureBox.h"
#include "WindowClassRegistry.h"

#include <windows.h>

#include <exception>

// Runs code called by the system. No exception may unwind through the system's code that
// called it, so a failure is reported here, in this module's error box; false then.
template <typename Body> bool RunGuarded(Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (const std::exception& error) {
        ShowFailureBox(error.what());
    } catch (...) {
        ShowFailureBox(nullptr);
    }
    return false;
}

// For a window base T, which makes this class a friend (for its handle_ and HandleMessage) and
// says what a message gets that no object handles:
//   static LRESULT DefaultProcedure(HWND, UINT, WPARAM, LPARAM);
//   static constexpr bool defaultAfterFailure; // also a message whose handler failed
template <typename T> class TWindowProcedure {
  public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        T* self = Attached(window, message, lParam);
        if (!self)
            return T::DefaultProcedure(window, message, wParam, lParam);
        LRESULT result = 0;
        if (!RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); }) &&
            T::defaultAfterFailure)
            result = T::DefaultProcedure(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->handle_ = nullptr;
        }
        return result;
    }

    // A class whose windows this procedure drives, in the module's registry.
    static bool Register(const char* className, UINT style, HBRUSH background, HCURSOR cursor,
                         int windowExtraBytes = 0) {
        return RegisterModuleClass(
            {className, &Procedure, style, background, cursor, windowExtraBytes});
    }

    // The object behind a window of a class registered above, or null for any other window.
    static T* FromHandle(HWND window) {
        if (!window ||
            GetClassLongPtrA(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Procedure))
            return nullptr;
        return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }

    // For an object destroyed before its window: the object leaves first, so the messages
    // sent while the window dies find none, then the window goes.
    static void DestroyDetached(T& self) {
        HWND window = self.handle_;
        if (!window)
            return;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self.handle_ = nullptr;
        DestroyWindow(window);
    }

  private:
    // The object a message goes to, or null (a message before WM_NCCREATE or after the object
    // left the window). At WM_NCCREATE the object's own handle is set first.
    static T* Attached(HWND window, UINT message, LPARAM lParam) {
        if (message != WM_NCCREATE)
            return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        T* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (!self)
            return nullptr;
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
};
