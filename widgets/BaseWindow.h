// The owner of one window handle: the one window procedure (WindowProcedure.h) finds the object
// again and hands every message to HandleMessage, which each window class overrides to call its
// named handlers.
//
// Classes are registered in the registry of the module that holds the window procedure
// (WindowClassRegistry.h) - Calendar.exe, or TOOLS.DLL when the widgets are linked into the
// library, whose exports take them away again at the end of their call scope.
#pragma once
#include <windows.h>

template <typename T> class TWindowProcedure;

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
    friend class TWindowProcedure<TBaseWindow>;
    static LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // The default handling after a failure keeps a failed paint from being asked for again
    // at once.
    static constexpr bool defaultAfterFailure = true;
    HWND handle_ = nullptr;
};
