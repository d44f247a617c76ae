// The owner of one window handle: its window procedure finds the object again and hands every
// message to HandleMessage, which each window class overrides to call its named handlers.
//
// Classes are registered under the module that holds the window procedure - Calendar.exe, or
// TOOLS.DLL when the widgets are linked into the library. The library is loaded and freed
// around every use, so each of its exports that made windows calls UnregisterModuleClasses()
// before it returns: a class left registered would point into unloaded code on the next load.
#pragma once
#include <windows.h>

#include <functional>

class TBaseWindow {
  public:
    TBaseWindow() = default;
    virtual ~TBaseWindow();
    TBaseWindow(const TBaseWindow&) = delete;
    TBaseWindow& operator=(const TBaseWindow&) = delete;

    HWND Handle() const { return handle_; }
    // The object behind a window of one of our classes, or null.
    static TBaseWindow* FromHandle(HWND window);
    // The module whose code runs this module's windows: where its classes are registered.
    static HINSTANCE ModuleInstance();
    // Undoes everything this module set up for its windows: first the clean-ups added below
    // (the hint manager's window and timers), newest first, then every class registered here.
    // The module's windows must be destroyed by then; a later window registers anew.
    static void UnregisterModuleClasses();
    // A clean-up for UnregisterModuleClasses, for anything beside classes that points into the
    // module's code (thread timers, hooks). Added once per module by whoever sets them.
    static void AddModuleCleanup(std::function<void()> cleanup);

  protected:
    // Registers a class whose windows are driven by this base; registering twice is harmless.
    static void RegisterWindowClass(const char* className, UINT style, HBRUSH background,
                                    HCURSOR cursor);
    HWND CreateHandle(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                      int y, int width, int height, HWND parent, int id);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // For a window that paints its whole client area in its one paint routine: WM_PAINT runs
    // Paint between BeginPaint and EndPaint, and WM_ERASEBKGND erases nothing, which would
    // only flicker. True when the message was one of the two, with its result.
    bool PaintMessage(UINT message, LRESULT* result);
    virtual void Paint(HDC dc) { (void)dc; }
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(handle_, message, wParam, lParam);
    }

  private:
    // No exception leaves here: a failure in a handler is shown in this module's error box
    // and the message then gets the default handling.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    HWND handle_ = nullptr;
};
