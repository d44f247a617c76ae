// The window plumbing of the dialog widgets. The widgets live in a library that is loaded and
// freed around every use, so each class is registered in the registry of the module that holds
// the window procedure (WindowClassRegistry.h), which the library empties before it goes. A
// widget keeps its component name and control id, finds its object again from its handle, and
// tells its parent about changes with WM_COMMAND (see WidgetNotifications.h).
#pragma once
#include "OwnModule.h"

#include <windows.h>

#include <string>

template <typename T> class TWindowProcedure;

struct TWidgetBounds {
    int Left;
    int Top;
    int Width;
    int Height;
};


class TWidgetWindow {
  public:
    virtual ~TWidgetWindow();
    TWidgetWindow(const TWidgetWindow&) = delete;
    TWidgetWindow& operator=(const TWidgetWindow&) = delete;

    HWND Handle() const { return handle_; }
    int Id() const { return id_; }
    const std::string& Name() const { return name_; }
    void SetBounds(const TWidgetBounds& bounds);
    // The widget behind a window of one of the widget classes, or null.
    static TWidgetWindow* FromHandle(HWND window);

  protected:
    TWidgetWindow(const std::string& name, int id) : name_(name), id_(id) {}
    // Registering twice is harmless; a class left behind by an earlier load of the library
    // (its window procedure gone with it) is replaced.
    static void RegisterWidgetClass(const char* className, UINT style, HCURSOR cursor);
    HWND Create(DWORD exStyle, const char* className, DWORD style, const TWidgetBounds& bounds,
                HWND parent, HMENU idOrMenu);
    // For widgets that wrap a standard control: registers the host class, creates the host
    // (a control parent, so that tabbing reaches inside) and in it, at its top left and under
    // the widget's id, the visible tab stop of innerClass. The inner control, or null; null
    // with no Handle() when the host itself could not be made.
    HWND CreateHost(HWND parent, const char* hostClass, const TWidgetBounds& bounds,
                    DWORD innerExStyle, const char* innerClass, DWORD innerStyle,
                    int innerHeight);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(handle_, message, wParam, lParam);
    }
    // WM_COMMAND to the parent with the widget's id and the code.
    void Notify(WORD code) const;
    // For widgets that wrap a standard control in a window of their own: colours asked of the
    // parent, the font, enabling and the focus pass through to the inner control; any other
    // message gets the default handling. What the widget handles itself it handles first.
    LRESULT HostHandler(HWND inner, UINT message, WPARAM wParam, LPARAM lParam);
    // The font the creator gave (WM_SETFONT), else the parent's, else the GUI font.
    HFONT Font() const;

  private:
    friend class TWindowProcedure<TWidgetWindow>;
    static LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static constexpr bool defaultAfterFailure = true;
    HWND handle_ = nullptr;
    std::string name_;
    int id_;

  protected:
    HFONT font_ = nullptr;
};
