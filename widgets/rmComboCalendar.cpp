// The date field and its drop-down month window.
#include "rmComboCalendar.h"

#include "Canvas.h"
#include "Clock.h"
#include "DatePattern.h"
#include "DateUtils.h"
#include "ThemeParts.h"
#include "WidgetNotifications.h"
#include "WinHandles.h"

#include <algorithm>
#include <cmath>

namespace {
const char* const fieldClass = "TrmComboCalendar";
const char* const dropDownClass = "TrmDropDownMonth";

void FillSystem(HDC dc, const RECT& rect, int colourIndex) {
    FillRect(dc, &rect, GetSysColorBrush(colourIndex));
}

RECT ToRect(const TCellBounds& bounds) {
    return {bounds.Left, bounds.Top, bounds.Right(), bounds.Bottom()};
}

void DrawCentred(HDC dc, const std::string& text, RECT rect) {
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The month buttons: a filled triangle pointing left or right.
void DrawArrow(HDC dc, const RECT& rect, bool left) {
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    const int half = std::max<int>(2, std::min(rect.right - rect.left, rect.bottom - rect.top) / 4);
    POINT points[3];
    if (left) {
        points[0] = {cx - half / 2, cy};
        points[1] = {cx + half / 2, cy - half};
        points[2] = {cx + half / 2, cy + half};
    } else {
        points[0] = {cx + half / 2, cy};
        points[1] = {cx - half / 2, cy - half};
        points[2] = {cx - half / 2, cy + half};
    }
    SelectedObject brush(dc, GetSysColorBrush(COLOR_WINDOWTEXT));
    SelectedObject pen(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, 3);
}

TDropDownKey KeyOf(WPARAM key, bool ctrl, bool* known) {
    *known = true;
    switch (key) {
    case VK_LEFT:
        return TDropDownKey::Left;
    case VK_RIGHT:
        return TDropDownKey::Right;
    case VK_UP:
        return TDropDownKey::Up;
    case VK_DOWN:
        return TDropDownKey::Down;
    case VK_PRIOR:
        return ctrl ? TDropDownKey::YearBack : TDropDownKey::PageUp;
    case VK_NEXT:
        return ctrl ? TDropDownKey::YearNext : TDropDownKey::PageDown;
    case VK_HOME:
        return TDropDownKey::Home;
    case VK_END:
        return TDropDownKey::End;
    case VK_RETURN:
        return TDropDownKey::Enter;
    case VK_ESCAPE:
        return TDropDownKey::Escape;
    default:
        *known = false;
        return TDropDownKey::Escape;
    }
}
} // namespace

// The drop-down: a popup that never takes the activation or the focus (the field keeps them
// and hands it the keys) and holds the mouse while it is open, so a click outside closes it.
class TDropDownMonthWindow : public TWidgetWindow {
  public:
    explicit TDropDownMonthWindow(TrmComboCalendar& field)
        : TWidgetWindow(field.Name() + ".DropDown", 0), field_(field) {
        RegisterWidgetClass(dropDownClass, CS_DROPSHADOW, nullptr);
        Create(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, dropDownClass, WS_POPUP | WS_BORDER,
               {0, 0, 10, 10}, GetAncestor(field.Handle(), GA_ROOT), nullptr);
    }

    TDropDownMonth Month;

    bool Visible() const { return Handle() && IsWindowVisible(Handle()); }

    void Open(const POINT& anchorTopLeft, const RECT& field) {
        WindowDC dc(Handle());
        SelectedObject font(dc.Get(), field_.Font());
        TEXTMETRICA metrics;
        GetTextMetricsA(dc.Get(), &metrics);
        layout_ = TDropDownLayout::For(field_.Scaled(field_.DropDownWidth), metrics.tmHeight,
                                       field_.scale_);
        RECT frame = {0, 0, layout_.Width, layout_.Height()};
        AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromRect(&field, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& work = monitor.rcWork;
        int x = anchorTopLeft.x, y = field.bottom;
        // Above the field when there is no room below it, within the screen sideways.
        if (y + height > work.bottom && field.top - height >= work.top)
            y = field.top - height;
        x = std::max(static_cast<int>(work.left),
                     std::min(x, static_cast<int>(work.right) - width));
        SetWindowPos(Handle(), HWND_TOP, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetCapture(Handle());
        pressingDay_ = false;
    }

    void Close() {
        if (!Visible())
            return;
        ShowWindow(Handle(), SW_HIDE);
        if (GetCapture() == Handle())
            ReleaseCapture();
    }

    void Key(TDropDownKey key) {
        switch (Month.Key(key)) {
        case TDropDownAction::None:
            break;
        case TDropDownAction::Redraw:
            InvalidateRect(Handle(), nullptr, FALSE);
            break;
        case TDropDownAction::Pick:
            field_.CloseUp(true);
            break;
        case TDropDownAction::Cancel:
            field_.CloseUp(false);
            break;
        }
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintSession paint(Handle());
            Paint(paint.Get());
            return 0;
        }
        case WM_LBUTTONDOWN:
            MouseDown(GET_X_LPARAM_(lParam), GET_Y_LPARAM_(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (pressingDay_ && (wParam & MK_LBUTTON))
                Track(lParam, false);
            return 0;
        case WM_LBUTTONUP:
            if (pressingDay_)
                Track(lParam, true);
            pressingDay_ = false;
            return 0;
        case WM_CAPTURECHANGED:
            // Anyone else taking the mouse (a menu, a drag, another window) ends the drop-down.
            if (Visible() && reinterpret_cast<HWND>(lParam) != Handle())
                field_.CloseUp(false);
            return 0;
        }
        return DefaultHandler(message, wParam, lParam);
    }

  private:
    static int GET_X_LPARAM_(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
    static int GET_Y_LPARAM_(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

    void MouseDown(int x, int y) {
        RECT client;
        GetClientRect(Handle(), &client);
        if (x < client.left || y < client.top || x >= client.right || y >= client.bottom) {
            field_.CloseUp(false);
            return;
        }
        const TDropDownHit hit = layout_.HitTest(Month, x, y);
        if (hit.Kind == TDropDownHit::PreviousMonth)
            Month.StepMonths(-1);
        else if (hit.Kind == TDropDownHit::NextMonth)
            Month.StepMonths(1);
        else if (hit.Kind == TDropDownHit::DayCell) {
            Month.PutCursor(hit.Day);
            pressingDay_ = true;
        }
        InvalidateRect(Handle(), nullptr, FALSE);
    }

    // A press on a day follows the pointer over the days and picks where it is released.
    void Track(LPARAM position, bool released) {
        const TDropDownHit hit =
            layout_.HitTest(Month, GET_X_LPARAM_(position), GET_Y_LPARAM_(position));
        if (hit.Kind != TDropDownHit::DayCell)
            return;
        if (hit.Day != Month.CursorDay()) {
            Month.PutCursor(hit.Day);
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        if (released)
            field_.CloseUp(true);
    }

    void Paint(HDC target) {
        RECT client;
        GetClientRect(Handle(), &client);
        // Drawn off screen and copied at once, so moving the cursor does not flicker.
        TMemoryCanvas canvas(target, client.right, client.bottom);
        const HDC dc = canvas.Get();
        {
            SelectedObject font(dc, field_.Font());
            SetBkMode(dc, TRANSPARENT);
            FillSystem(dc, client, COLOR_WINDOW);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            DrawCentred(dc, Month.Caption(), ToRect(layout_.CaptionBand()));
            DrawArrow(dc, ToRect(layout_.PreviousButton()), true);
            DrawArrow(dc, ToRect(layout_.NextButton()), false);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            for (int column = 1; column <= 7; ++column)
                DrawCentred(dc, DayName(column, Month.StartDay()),
                            ToRect(layout_.NameCell(column)));
            RECT rule = ToRect(layout_.NameCell(1));
            rule.right = layout_.NameCell(7).Right();
            rule.top = rule.bottom - 1;
            FillSystem(dc, rule, COLOR_GRAYTEXT);
            const int frame = std::max(1, field_.Scaled(1));
            const double today = WholeDay(CurrentDateTime());
            for (int n = 1; n <= 42; ++n) {
                const int day = Month.CellDay(n);
                if (day == 0)
                    continue;
                RECT cell = ToRect(layout_.Cell(n));
                InflateRect(&cell, -1, -1);
                const bool cursor = day == Month.CursorDay();
                if (cursor)
                    FillSystem(dc, cell, COLOR_HIGHLIGHT);
                if (Month.IsSpecial(day))
                    DrawFrameLines(cell, frame, [&](const RECT& line) {
                        FrameRect(dc, &line, GetSysColorBrush(COLOR_WINDOWTEXT));
                    });
                SetTextColor(dc, GetSysColor(cursor ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
                // Today stands out by its colour alone, so it cannot be taken for a frame.
                if (!cursor && EncodeDate(Month.Year(), Month.Month(), day) == today)
                    SetTextColor(dc, RGB(0xC0, 0, 0));
                DrawCentred(dc, std::to_string(day), cell);
            }
        }
        canvas.CopyTo(target);
    }

    TrmComboCalendar& field_;
    TDropDownLayout layout_;
    bool pressingDay_ = false;
};

TrmComboCalendar::TrmComboCalendar(HWND parent, const std::string& name, int id,
                                   const TWidgetBounds& bounds, double scale)
    : TWidgetWindow(name, id), scale_(scale > 0.0 ? scale : 1.0) {
    RegisterWidgetClass(fieldClass, CS_HREDRAW | CS_VREDRAW, nullptr);
    Create(WS_EX_CLIENTEDGE, fieldClass, WS_CHILD | WS_VISIBLE | WS_TABSTOP, bounds, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    selectedDate_ = WholeDay(CurrentDateTime());
    ShowText();
    created_ = true;
}

TrmComboCalendar::~TrmComboCalendar() {
    dropDown_.reset();
}

int TrmComboCalendar::Scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * scale_));
}

void TrmComboCalendar::SetSelectedDate(double date) {
    // Held to a real whole day, so a broken value still shows a date that exists.
    int year, month, day;
    DecodeDate(date, &year, &month, &day);
    selectedDate_ = EncodeDate(year, month, day);
    ShowText();
}

void TrmComboCalendar::SetDateFormat(const std::string& pattern) {
    dateFormat_ = pattern;
    ShowText();
}

void TrmComboCalendar::SetStartDay(int day) {
    startDay_ = day >= 1 && day <= 7 ? day : 1;
}

void TrmComboCalendar::ShowText() {
    const std::string text =
        FormatDatePattern(dateFormat_.empty() ? "ddddd" : dateFormat_, selectedDate_);
    if (text == text_)
        return;
    text_ = text;
    SetWindowTextA(Handle(), text_.c_str());
    InvalidateRect(Handle(), nullptr, FALSE);
    if (created_)
        Notify(WidgetTextChanged);
}

bool TrmComboCalendar::DroppedDown() const {
    return dropDown_ && dropDown_->Visible();
}

void TrmComboCalendar::DropDown() {
    if (DroppedDown() || !IsWindowEnabled(Handle()))
        return;
    if (!dropDown_ || !dropDown_->Handle())
        dropDown_ = std::make_unique<TDropDownMonthWindow>(*this);
    if (!dropDown_->Handle())
        return;
    if (GetFocus() != Handle())
        SetFocus(Handle());
    dropDown_->Month.Open(selectedDate_, startDay_, OnSpecialDay);
    RECT field;
    GetWindowRect(Handle(), &field);
    Notify(WidgetDropDown);
    dropDown_->Open({field.left, field.bottom}, field);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TrmComboCalendar::CloseUp(bool pick) {
    if (!DroppedDown())
        return;
    const double picked = dropDown_->Month.CursorDate();
    dropDown_->Close();
    InvalidateRect(Handle(), nullptr, FALSE);
    Notify(WidgetCloseUp);
    if (pick)
        SetSelectedDate(picked);
}

RECT TrmComboCalendar::ButtonRect() const {
    RECT client;
    GetClientRect(Handle(), &client);
    RECT button = client;
    button.left = std::max(client.left, client.right - Scaled(17));
    return button;
}

void TrmComboCalendar::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    FillSystem(dc, client, enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    RECT button = ButtonRect();
    // Drawn as the theme draws the combo boxes beside it, where there is a theme.
    const int state = !enabled ? 4 : DroppedDown() ? 3 : 1; // disabled, pressed, normal
    if (!DrawThemePart(Handle(), dc, L"COMBOBOX", 1 /* the drop-down button */, state, button))
        DrawFrameControl(dc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (DroppedDown() ? DFCS_PUSHED : 0) |
                             (enabled ? 0 : DFCS_INACTIVE));
    RECT textRect = client;
    textRect.right = button.left;
    InflateRect(&textRect, -1, -1);
    const bool focused = GetFocus() == Handle() && !DroppedDown();
    if (focused)
        FillSystem(dc, textRect, COLOR_HIGHLIGHT);
    SelectedObject font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled  ? COLOR_GRAYTEXT
                                 : focused ? COLOR_HIGHLIGHTTEXT
                                           : COLOR_WINDOWTEXT));
    RECT textArea = textRect;
    textArea.left += Scaled(2);
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &textArea,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (focused)
        DrawFocusRect(dc, &textRect);
}

bool TrmComboCalendar::KeyDown(WPARAM key) {
    if (!DroppedDown()) {
        if (key != VK_F4)
            return false;
        DropDown();
        return true;
    }
    if (key == VK_F4) {
        CloseUp(false);
        return true;
    }
    bool known = false;
    const TDropDownKey dropDownKey = KeyOf(key, GetKeyState(VK_CONTROL) < 0, &known);
    if (known)
        dropDown_->Key(dropDownKey);
    return known;
}

LRESULT TrmComboCalendar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintSession paint(Handle());
        Paint(paint.Get());
        return 0;
    }
    case WM_GETDLGCODE:
        // While the month is down, Enter and Esc are for it, not for the dialog's buttons.
        return DroppedDown() ? DLGC_WANTALLKEYS : DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (KeyDown(wParam))
            return 0;
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            if (DroppedDown())
                CloseUp(false);
            else if (wParam == VK_DOWN)
                DropDown();
            return 0;
        }
        break;
    case WM_CHAR:
        return 0; // nothing can be typed into the field
    case WM_MOUSEWHEEL:
        // The wheel reaches the focus, which the field keeps: it turns the open month.
        if (DroppedDown()) {
            dropDown_->Month.StepMonths(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1);
            InvalidateRect(dropDown_->Handle(), nullptr, FALSE);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        SetFocus(Handle());
        DropDown();
        return 0;
    case WM_SETFOCUS:
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        CloseUp(false);
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_ENABLE:
        if (!wParam)
            CloseUp(false);
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_DESTROY:
        dropDown_.reset();
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}
