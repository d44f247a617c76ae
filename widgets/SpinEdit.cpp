// The spin edit: an edit and an up-down control in a window of our own that passes their
// notifications on under the widget's id.
#include "SpinEdit.h"

#include "WidgetNotifications.h"
#include "WidgetValues.h"
#include "WindowProcedure.h"

#include <commctrl.h>

namespace {
const char* const hostClass = "TSpinEdit";
const UINT_PTR subclassId = 1;
} // namespace

TSpinEdit::TSpinEdit(HWND parent, const std::string& name, int id, const TWidgetBounds& bounds,
                     int minValue, int maxValue, double)
    : TWidgetWindow(name, id), minValue_(minValue),
      maxValue_(maxValue < minValue ? minValue : maxValue) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    edit_ = CreateHost(parent, hostClass, bounds, WS_EX_CLIENTEDGE, "EDIT",
                       ES_NUMBER | ES_AUTOHSCROLL, bounds.Height);
    if (!Handle())
        return;
    upDown_ = CreateWindowExA(0, UPDOWN_CLASSA, "",
                              WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                                  UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_HOTTRACK,
                              0, 0, 0, 0, Handle(), nullptr, OwnModule(), nullptr);
    SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    SendMessageA(upDown_, UDM_SETRANGE32, minValue_, maxValue_);
    SetWindowSubclass(edit_, &EditSubclass, subclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    SetValue(minValue_);
    created_ = true;
}

TSpinEdit::~TSpinEdit() {
    if (edit_ && IsWindow(edit_))
        RemoveWindowSubclass(edit_, &EditSubclass, subclassId);
}

void TSpinEdit::SetRange(int minValue, int maxValue) {
    minValue_ = minValue;
    maxValue_ = maxValue < minValue ? minValue : maxValue;
    SendMessageA(upDown_, UDM_SETRANGE32, minValue_, maxValue_);
    BringIntoRange();
}

std::string TSpinEdit::Text() const {
    char text[64] = {};
    GetWindowTextA(edit_, text, sizeof text);
    return text;
}

int TSpinEdit::Value() const {
    return SpinEditValue(Text(), minValue_, maxValue_);
}

void TSpinEdit::SetValue(int value) {
    const int inRange = value < minValue_ ? minValue_ : value > maxValue_ ? maxValue_ : value;
    const std::string text = std::to_string(inRange);
    if (Text() != text)
        SetWindowTextA(edit_, text.c_str());
    SendMessageA(upDown_, UDM_SETPOS32, 0, inRange);
}

void TSpinEdit::BringIntoRange() {
    const std::string text = Text();
    if (text != std::to_string(Value()))
        SetValue(Value());
}

void TSpinEdit::Layout() {
    RECT client;
    GetClientRect(Handle(), &client);
    MoveWindow(edit_, 0, 0, client.right, client.bottom, TRUE);
    // Setting the buddy again puts the arrows back inside the edit's right edge.
    SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
}

LRESULT CALLBACK TSpinEdit::EditSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
    TSpinEdit* self = reinterpret_cast<TSpinEdit*>(data);
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        // A failure leaves the number as typed; the key still reaches the edit.
        RunGuarded([self] { self->BringIntoRange(); });
    } else if (message == WM_CHAR && wParam == '\r') {
        return 0; // no beep: Enter was taken above
    } else if (message == WM_NCDESTROY) {
        // Nothing of ours stays on a window that outlives the widget.
        RemoveWindowSubclass(window, &EditSubclass, subclassId);
        self->edit_ = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TSpinEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == edit_) {
            if (HIWORD(wParam) == EN_CHANGE && created_)
                Notify(WidgetTextChanged);
            else if (HIWORD(wParam) == EN_KILLFOCUS)
                BringIntoRange();
        }
        return 0;
    case WM_ENABLE:
        EnableWindow(edit_, static_cast<BOOL>(wParam));
        EnableWindow(upDown_, static_cast<BOOL>(wParam));
        return 0;
    case WM_SIZE:
        if (edit_)
            Layout();
        return 0;
    }
    return HostHandler(edit_, message, wParam, lParam);
}
