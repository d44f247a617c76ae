// The options dialog's own controls, each one window so that the dialog base can place it,
// show it with its page and find it by name.
#include "OptionsFormControls.h"

#include "OwnModule.h"
#include "ScreenDpi.h"
#include "WindowProcedure.h"

#include <algorithm>

namespace {
const char* const radioGroupClass = "TVelmoraRadioGroup";

const UINT radioGroupGetIndex = WM_USER + 1;
const UINT radioGroupSetIndex = WM_USER + 2;
const int firstRadioId = 100;

int ScreenScale(int pixels) {
    return MulDiv(pixels, ScreenDpi(), 96);
}

void Notify(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

HWND CreateChild(DWORD exStyle, const char* windowClass, const char* text, DWORD style,
                 const RECT& bounds, HWND parent, int id, void* parameter = nullptr) {
    return CreateWindowExA(exStyle, windowClass, text, WS_CHILD | style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), OwnModule(),
                           parameter);
}

// --- Radio group ---

LRESULT RadioGroupMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        const auto* items = static_cast<const std::vector<std::string>*>(create->lpCreateParams);
        CreateChild(0, "BUTTON", create->lpszName, BS_GROUPBOX | WS_VISIBLE,
                    RECT{0, 0, create->cx, create->cy}, window, 1);
        const int top = ScreenScale(18);
        const int count = items && !items->empty() ? static_cast<int>(items->size()) : 1;
        const int step = std::min(ScreenScale(22), (create->cy - top - ScreenScale(4)) / count);
        for (size_t i = 0; items && i < items->size(); ++i) {
            const int y = top + static_cast<int>(i) * step;
            CreateChild(0, "BUTTON", (*items)[i].c_str(),
                        BS_AUTORADIOBUTTON | WS_VISIBLE | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
                        RECT{ScreenScale(10), y, create->cx - ScreenScale(8), y + ScreenScale(18)},
                        window, firstRadioId + static_cast<int>(i));
        }
        SetWindowLongPtrA(window, GWLP_USERDATA, -1);
        return 0;
    }
    case WM_SETFONT:
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageA(child, WM_SETFONT, wParam, lParam);
        return 0;
    case WM_SETTEXT:
        SetDlgItemTextA(window, 1, reinterpret_cast<const char*>(lParam));
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= firstRadioId) {
            SetWindowLongPtrA(window, GWLP_USERDATA, LOWORD(wParam) - firstRadioId);
            Notify(window, BN_CLICKED);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // The dialog's colours for the buttons inside, as if they were its own.
        return SendMessageA(GetParent(window), message, wParam, lParam);
    case radioGroupGetIndex:
        return GetWindowLongPtrA(window, GWLP_USERDATA);
    case radioGroupSetIndex: {
        int index = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            if (id < firstRadioId)
                continue;
            const bool chosen = id - firstRadioId == static_cast<int>(wParam);
            SendMessageA(child, BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
            ++index;
        }
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          static_cast<int>(wParam) < index ? static_cast<LONG_PTR>(wParam) : -1);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK RadioGroupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!RunGuarded([&] { result = RadioGroupMessage(window, message, wParam, lParam); }))
        result = DefWindowProcA(window, message, wParam, lParam);
    return result;
}
} // namespace

HWND CreateRadioGroup(HWND form, const FormComponent& component, const RECT& bounds, int id) {
    // In the module's registry, which the call scope empties once the dialog is gone.
    RegisterModuleClass({radioGroupClass, RadioGroupProcedure, 0,
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr});
    const std::vector<std::string> items = component.Texts("items");
    return CreateChild(WS_EX_CONTROLPARENT, radioGroupClass, component.Text("caption").c_str(),
                       WS_CLIPCHILDREN, bounds, form, id,
                       const_cast<std::vector<std::string>*>(&items));
}

int RadioGroupIndex(HWND group) {
    return static_cast<int>(SendMessageA(group, radioGroupGetIndex, 0, 0));
}

void SetRadioGroupIndex(HWND group, int index) {
    SendMessageA(group, radioGroupSetIndex, static_cast<WPARAM>(index), 0);
}

HWND CreateCheckBox(HWND form, const RECT& bounds, int id) {
    return CreateChild(0, "BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, bounds, form, id);
}

HWND CreatePaintedShape(HWND form, const RECT& bounds, int id) {
    return CreateChild(0, "STATIC", "", SS_OWNERDRAW, bounds, form, id);
}
