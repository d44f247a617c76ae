// The hint window's default look and the timing of hints.
#include "HintManager.h"

#include "Canvas.h"
#include "WindowProcedure.h"

#include <algorithm>

namespace {
const char* const hintWindowClassName = "THintWindow";
// The hint opens below the pointer's arrow rather than under it.
const int cursorHeightMargin = 20;
} // namespace

THintWindow::THintWindow() {
    RegisterWindowClass(hintWindowClassName, CS_SAVEBITS, nullptr, nullptr);
    SetCanvasFont("Arial", -12, GetSysColor(COLOR_INFOTEXT));
}

THintWindow::TCreateParams THintWindow::CreateParams() const {
    return {WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE};
}

void THintWindow::CreateWindowHandle() {
    const TCreateParams params = CreateParams();
    CreateHandle(params.ExStyle, hintWindowClassName, "", params.Style, 0, 0, 0, 0, nullptr, 0);
}

void THintWindow::SetCanvasFont(const std::string& face, int height, COLORREF colour) {
    if (!canvasFont_ || face != fontFace_ || height != fontHeight_) {
        canvasFont_ = CreateCanvasFont(face, height, FontSmoothing::System);
        fontFace_ = face;
        fontHeight_ = height;
    }
    CanvasFontColour = colour;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    RECT rect = {0, 0, maxWidth, 0};
    WindowDC screen(nullptr);
    SelectedObject font(screen.Get(), CanvasFont());
    DrawTextA(screen.Get(), hint.c_str(), -1, &rect,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    rect.right += 6;
    rect.bottom += 2;
    return rect;
}

std::string THintWindow::FitHint(const std::string& hint, int maxWidth, int maxHeight) {
    const auto fits = [&](const std::string& text) {
        const RECT rect = CalcHintRect(maxWidth, text);
        return rect.bottom - rect.top <= maxHeight;
    };
    if (fits(hint))
        return hint;
    const std::string ellipsis = "...";
    // The longest start of the text that fits with the ellipsis; at least a character, so
    // even a screen too small for one line shows that there was something.
    size_t shortest = 1, longest = hint.size();
    while (shortest < longest) {
        const size_t middle = shortest + (longest - shortest + 1) / 2;
        if (fits(hint.substr(0, middle) + ellipsis))
            shortest = middle;
        else
            longest = middle - 1;
    }
    std::string shown = hint.substr(0, shortest);
    // Cut at a word where there is one on the last line.
    const size_t lineStart = shown.rfind('\n');
    const size_t space = shown.find_last_of(" \t");
    if (space != std::string::npos && space > 0 && shortest < hint.size() &&
        hint[shortest] != ' ' && (lineStart == std::string::npos || space > lineStart))
        shown.erase(space);
    while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n' || shown.back() == ' '))
        shown.pop_back();
    return shown + ellipsis;
}

void THintWindow::ActivateHint(const RECT& rect, const std::string& hint) {
    if (!Handle()) return;
    caption_ = hint;
    SetWindowTextA(Handle(), hint.c_str());
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HintSized(rect.right - rect.left, rect.bottom - rect.top);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void THintWindow::ReleaseHint() {
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

bool THintWindow::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void THintWindow::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillSolid(dc, client, CanvasBrushColour);
    SelectedObject font(dc, CanvasFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, CanvasFontColour);
    RECT text = {client.left + 2, client.top + 2, client.right, client.bottom};
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT THintWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result;
    if (PaintMessage(message, &result)) return result;
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // the pointer belongs to what lies beneath
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}

THintManager& THintManager::Application() {
    static THintManager manager;
    return manager;
}

void THintManager::Reset() {
    SetShowHint(false);
    factory_ = nullptr;
    sources_.clear();
    hovered_ = nullptr;
}

void THintManager::SetShowHint(bool show) {
    if (show == showHint_) return;
    showHint_ = show;
    CancelHint();
    hintWindow_.reset();
    if (show) {
        hintWindow_ = factory_ ? factory_() : std::make_unique<THintWindow>();
        hintWindow_->CreateWindowHandle();
    }
}

void THintManager::Register(THintSource* source) { sources_.push_back(source); }

void THintManager::Unregister(THintSource* source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
    if (hovered_ == source) {
        hovered_ = nullptr;
        CancelHint();
    }
}

bool THintManager::IsApplicationActive() const {
    DWORD process = 0;
    HWND foreground = GetForegroundWindow();
    if (!foreground) return false;
    GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId();
}

void THintManager::MouseEntered(THintSource* source) {
    const bool hintShowing = hintWindow_ && hintWindow_->Visible();
    hovered_ = source;
    if (!showHint_ || !IsApplicationActive()) return;
    // Moving on from one hint to the next shows the next almost at once.
    StartPauseTimer(hintShowing ? HintShortPause : HintPause);
}

void THintManager::MouseLeft(THintSource* source) {
    if (hovered_ != source) return;
    hovered_ = nullptr;
    CancelHint();
}

void THintManager::MouseClicked(THintSource*) { CancelHint(); }

void THintManager::ActivateHint(POINT screenPoint) {
    for (THintSource* source : sources_) {
        HWND control = source->HintControl();
        RECT bounds;
        if (!control || !IsWindowVisible(control) || !GetWindowRect(control, &bounds)) continue;
        if (PtInRect(&bounds, screenPoint)) {
            hovered_ = source;
            ShowHintFor(source, screenPoint);
            return;
        }
    }
}

void THintManager::CancelHint() {
    pauseTimer_.Stop();
    hideTimer_.Stop();
    if (hintWindow_) hintWindow_->ReleaseHint();
}

void THintManager::ShowHintFor(THintSource* source, POINT cursor) {
    pauseTimer_.Stop();
    if (!showHint_ || !hintWindow_) return;
    const std::string text = source->HintText();
    if (text.empty()) {
        CancelHint();
        return;
    }
    // The hint stays on the work area of the monitor under the pointer, its lines wrapped at
    // half that width so that a long reminder reads as a paragraph, not a ribbon.
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    const int workWidth = std::max<int>(1, work.right - work.left);
    const int workHeight = std::max<int>(1, work.bottom - work.top);
    const int wrapWidth = std::max(1, workWidth / 2);
    const std::string shown = hintWindow_->FitHint(text, wrapWidth, workHeight);
    RECT rect = hintWindow_->CalcHintRect(wrapWidth, shown);
    const int width = std::min<int>(rect.right - rect.left, workWidth);
    const int height = std::min<int>(rect.bottom - rect.top, workHeight);
    const int left = std::max<int>(work.left, std::min<int>(cursor.x, work.right - width));
    int top = cursor.y + cursorHeightMargin;
    if (top + height > work.bottom)
        top = cursor.y - height;
    top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
    rect = {left, top, left + width, top + height};
    hintWindow_->ActivateHint(rect, shown);
    hideTimer_.Start(HintHidePause, HideTimerFired);
}

void THintManager::StartPauseTimer(unsigned milliseconds) {
    pauseTimer_.Start(milliseconds, PauseTimerFired);
}

void CALLBACK THintManager::PauseTimerFired(HWND, UINT, UINT_PTR, DWORD) {
    RunGuarded([] {
        THintManager& manager = Application();
        manager.pauseTimer_.Stop();
        if (!manager.hovered_ || !manager.IsApplicationActive()) return;
        POINT cursor;
        GetCursorPos(&cursor);
        manager.ShowHintFor(manager.hovered_, cursor);
    });
}

void CALLBACK THintManager::HideTimerFired(HWND, UINT, UINT_PTR, DWORD) {
    RunGuarded([] { Application().CancelHint(); });
}
