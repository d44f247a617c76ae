// The program's hint mechanism: one hint window, shown for the control under the pointer after
// the hint pause while the program owns the foreground, hidden when the pointer leaves, on a
// click, or after the hide pause. Windows may replace the hint window class with their own.
#pragma once
#include "BaseWindow.h"
#include "WinHandles.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class THintWindow : public TBaseWindow {
  public:
    THintWindow();
    // Separate from the constructor, so a derived class's creation parameters take part.
    void CreateWindowHandle();
    // The window's bounds for hint text at the origin, in the canvas font.
    virtual RECT CalcHintRect(int maxWidth, const std::string& hint);
    // The hint as it fits in maxHeight when wrapped at maxWidth: whole, or cut at a word and
    // ended with an ellipsis, so a cut never passes for the whole text.
    std::string FitHint(const std::string& hint, int maxWidth, int maxHeight);
    // Shows the text in the given screen rectangle without taking the focus.
    void ActivateHint(const RECT& rect, const std::string& hint);
    void ReleaseHint();
    bool Visible() const;
    const std::string& Caption() const { return caption_; }

  protected:
    struct TCreateParams {
        DWORD Style;
        DWORD ExStyle;
    };
    virtual TCreateParams CreateParams() const;
    // Called by ActivateHint once the window has its new text and size; the place to shape it.
    virtual void HintSized(int width, int height) {
        (void)width;
        (void)height;
    }
    void Paint(HDC dc) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The canvas: what Paint and CalcHintRect draw and measure with.
    void SetCanvasFont(const std::string& face, int height, COLORREF colour);
    HFONT CanvasFont() const { return canvasFont_.Get(); }
    COLORREF CanvasFontColour = GetSysColor(COLOR_INFOTEXT);
    COLORREF CanvasBrushColour = GetSysColor(COLOR_INFOBK);

  private:
    std::string caption_;
    std::string fontFace_;
    int fontHeight_ = 0;
    FontHandle canvasFont_;
};

// What a control offers the hint mechanism.
class THintSource {
  public:
    virtual ~THintSource() = default;
    virtual HWND HintControl() const = 0;
    virtual std::string HintText() const = 0;
};

class THintManager {
  public:
    static THintManager& Application();
    using THintWindowFactory = std::function<std::unique_ptr<THintWindow>()>;
    void SetHintWindowClass(THintWindowFactory factory) { factory_ = std::move(factory); }
    // Switching hints on creates the hint window anew from the current hint window class.
    void SetShowHint(bool show);
    bool ShowHint() const { return showHint_; }

    unsigned HintPause = 500;
    unsigned HintShortPause = 50;
    unsigned HintHidePause = 2500;

    void Register(THintSource* source);
    void Unregister(THintSource* source);
    void MouseEntered(THintSource* source);
    void MouseLeft(THintSource* source);
    void MouseClicked(THintSource* source);
    // Shows at once the hint of the control at a screen point, if it has one.
    void ActivateHint(POINT screenPoint);
    void CancelHint();
    // Whether the program owns the foreground window; hints wait for it.
    bool IsApplicationActive() const;
    THintWindow* HintWindow() const { return hintWindow_.get(); }
    // Back to the state of a fresh module: no hint window, no timers, no sources. Run by the
    // call scope's end (CallScope.h), before the classes go.
    void Reset();

  private:
    THintManager() = default;
    void ShowHintFor(THintSource* source, POINT cursor);
    void StartPauseTimer(unsigned milliseconds);
    static void CALLBACK PauseTimerFired(HWND, UINT, UINT_PTR, DWORD);
    static void CALLBACK HideTimerFired(HWND, UINT, UINT_PTR, DWORD);

    THintWindowFactory factory_;
    std::unique_ptr<THintWindow> hintWindow_;
    bool showHint_ = false;
    std::vector<THintSource*> sources_;
    THintSource* hovered_ = nullptr;
    ThreadTimer pauseTimer_;
    ThreadTimer hideTimer_;
};
