// Window plumbing, events and the modal run shared by every dialog of the library.
#include "BaseForm.h"
#include "ThemeParts.h"

#include "Errors.h"
#include "OwnModule.h"
#include "ResourceModule.h"
#include "Resources.h"
#include "ScreenDpi.h"
#include "WindowProcedure.h"

#include <algorithm>

namespace {
using TProcedure = TWindowProcedure<TBaseForm>;

TBaseForm::DescriptionReader descriptionReader = nullptr;

std::vector<TBaseForm*>& OpenFormList() {
    static std::vector<TBaseForm*> forms;
    return forms;
}
} // namespace

FormComponent OwnFormDescription(const std::string& className) {
    std::string text;
    if (!FindOwnFormDescription(className, &text))
        throw VelmoraError("The library holds no description of the dialog " + className + ".");
    return ParseFormDescription(text);
}

TBaseForm::TBaseForm(std::string className) : className_(std::move(className)) {}

TBaseForm::~TBaseForm() {
    Destroy();
}

std::vector<TBaseForm*> TBaseForm::OpenForms() {
    return OpenFormList();
}

TBaseForm* TBaseForm::FromHandle(HWND window) {
    return TProcedure::FromHandle(window);
}

void TBaseForm::SetDescriptionReader(DescriptionReader reader) {
    descriptionReader = reader;
}

void TBaseForm::Create() {
    const FormComponent description =
        descriptionReader ? descriptionReader(className_) : OwnFormDescription(className_);

    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    const HMODULE module = OwnModule();
    // The dialog manager keeps its own data (default button, focus) in the extra bytes.
    TProcedure::Register(className_.c_str(), 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                         nullptr, DLGWINDOWEXTRA);
    created_ = true;
    OpenFormList().push_back(this);

    dpi_ = ScreenDpi();
    // The system menu brings the close box, which closes the dialog as Cancel does.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
    if (description.Text("border") == "toolwindow")
        exStyle |= WS_EX_TOOLWINDOW;
    RECT frame = {0, 0, Scale(description.Number("client", 0, 300)),
                  Scale(description.Number("client", 1, 200))};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    // The desktop as parent makes a top-level window of its own, owned by no window of
    // the program that called the library.
    handle_ =
        CreateWindowExA(exStyle, className_.c_str(), description.Text("caption").c_str(), style,
                        left, top, width, height, GetDesktopWindow(), nullptr, module, this);
    if (!handle_)
        throw VelmoraError("The dialog " + className_ + " cannot be created.");
    controls_.Build(handle_, description, dpi_,
                    [this](const FormComponent& component, const RECT& bounds, int id) {
                        return CreateCustomControl(component, bounds, id);
                    });
    FormCreate();
}

void TBaseForm::Destroy() {
    if (!created_)
        return;
    created_ = false;
    std::vector<TBaseForm*>& open = OpenFormList();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
    if (handle_)
        RunGuarded([this] { FormDestroy(); });
    PutBackIdleHandler();
    EnableOtherWindows();
    if (handle_) {
        HWND window = handle_;
        DestroyWindow(window);
        handle_ = nullptr;
    }
    controls_.Release();
}

void TBaseForm::TakeOverIdleHandler(TIdleHandler handler) {
    TIdleHandler previous = SetApplicationIdleHandler(std::move(handler));
    if (!idleTakenOver_)
        previousIdleHandler_ = std::move(previous);
    idleTakenOver_ = true;
}

void TBaseForm::PutBackIdleHandler() {
    if (!idleTakenOver_)
        return;
    SetApplicationIdleHandler(std::move(previousIdleHandler_));
    previousIdleHandler_ = nullptr;
    idleTakenOver_ = false;
}

void TBaseForm::DisableOtherWindows() {
    // Modality: the other windows of this thread take no input while the dialog is up.
    // They keep painting and their timers keep firing, as the loop dispatches for them too.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM self) -> BOOL {
            TBaseForm* form = reinterpret_cast<TBaseForm*>(self);
            // Only a window on the list is disabled, so that every one is enabled again.
            if (window != form->handle_ && IsWindowVisible(window) && IsWindowEnabled(window) &&
                RunGuarded([&] { form->disabledWindows_.push_back(window); }))
                EnableWindow(window, FALSE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
}

void TBaseForm::EnableOtherWindows() {
    for (HWND window : disabledWindows_)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    disabledWindows_.clear();
}

int TBaseForm::ShowModal() {
    modalResult_ = mrNone;
    DisableOtherWindows();
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    SetActiveWindow(handle_);
    if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE))
        SendMessageA(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    for (;;) {
        MSG message;
        while (modalResult_ == mrNone) {
            if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                RunGuarded([] { RunApplicationIdle(); });
                if (modalResult_ != mrNone)
                    break;
                WaitMessage();
                continue;
            }
            if (message.message == WM_QUIT) {
                // The program is ending: leave the loop and let its own loop see the quit.
                PostQuitMessage(static_cast<int>(message.wParam));
                modalResult_ = mrCancel;
                break;
            }
            if (TranslateFormKeys(message))
                continue;
            if (IsDialogMessageA(handle_, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!RunGuarded([this] { FormClose(); }))
            modalResult_ = mrNone;
        if (modalResult_ != mrNone || !IsWindow(handle_))
            break;
    }
    EnableOtherWindows();
    if (IsWindow(handle_))
        ShowWindow(handle_, SW_HIDE);
    return modalResult_;
}

bool TBaseForm::TranslateFormKeys(const MSG& message) {
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages of the dialog's first page control.
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0)
        return false;
    if (message.hwnd != handle_ && !IsChild(handle_, message.hwnd))
        return false;
    for (const TFormControl& control : controls_.All()) {
        if (control.kind != "pagecontrol" || !IsWindowVisible(control.window))
            continue;
        const int count = TabCtrl_GetItemCount(control.window);
        if (count < 2)
            return false;
        const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
        TabCtrl_SetCurSel(control.window, (TabCtrl_GetCurSel(control.window) + step) % count);
        ShowActivePages();
        TFormEvent event{TFormEvent::Kind::Change, control.name};
        RaiseEvent(event);
        return true;
    }
    return false;
}

void TBaseForm::ShowActivePages() {
    controls_.ShowChosenPages();
}

bool TBaseForm::ReReadDescription() {
    std::string text;
    if (!FindFormDescription(className_, &text))
        return false;
    ApplyDescription(ParseFormDescription(text));
    return true;
}

void TBaseForm::ApplyDescription(const FormComponent& translation) {
    controls_.ApplyTexts(handle_, translation);
}

bool TBaseForm::RaiseEvent(TFormEvent& event) {
    return HandleEvent(event);
}

LRESULT TBaseForm::HandleCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const TFormControl* control =
        lParam ? controls_.FindWindow(reinterpret_cast<HWND>(lParam)) : nullptr;
    if (!control)
        control = controls_.FindId(id);
    if (!control)
        return DefaultHandler(WM_COMMAND, wParam, lParam);
    if (control->kind == "button" && code == BN_CLICKED) {
        // Esc and Enter reach a disabled button through the dialog manager too.
        if (!IsWindowEnabled(control->window))
            return 0;
        const std::string name = control->name;
        const int modalResult = control->modalResult;
        TFormEvent event{TFormEvent::Kind::Click, name};
        RaiseEvent(event);
        if (modalResult)
            modalResult_ = modalResult;
        return 0;
    }
    // The widgets tell of their changes with the standard controls' codes.
    const bool widget = control->kind != "edit" && control->kind != "combo" &&
                        control->kind != "button" && control->kind != "listview";
    if ((control->kind == "edit" && code == EN_CHANGE) ||
        (control->kind == "combo" && code == CBN_SELCHANGE) ||
        (widget && (code == EN_CHANGE || code == CBN_SELCHANGE))) {
        const std::string name = control->name;
        TFormEvent event{TFormEvent::Kind::Change, name};
        RaiseEvent(event);
        return 0;
    }
    return DefaultHandler(WM_COMMAND, wParam, lParam);
}

LRESULT TBaseForm::HandleNotify(NMHDR* header, bool* handled) {
    const TFormControl* control = controls_.FindWindow(header->hwndFrom);
    *handled = false;
    if (!control)
        return 0;
    const std::string name = control->name;
    if (control->kind == "listview" && header->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!(change->uChanged & LVIF_STATE) ||
            !((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
            return 0;
        TFormEvent event{TFormEvent::Kind::SelectItem, name};
        event.item = change->iItem;
        event.selected = (change->uNewState & LVIS_SELECTED) != 0;
        *handled = RaiseEvent(event);
        return 0;
    }
    if (control->kind == "listview" && header->code == LVN_GETDISPINFOA) {
        TFormEvent event{TFormEvent::Kind::ItemText, name};
        event.display = reinterpret_cast<NMLVDISPINFOA*>(header);
        *handled = RaiseEvent(event);
        return 0;
    }
    if (control->kind == "listview" &&
        (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW)) {
        // Typing in a list whose rows the form keeps finds nothing rather than the first row.
        *handled = true;
        return -1;
    }
    if (control->kind == "listview" && header->code == NM_CUSTOMDRAW) {
        TFormEvent event{TFormEvent::Kind::CustomDraw, name};
        event.draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
        *handled = RaiseEvent(event);
        return event.result;
    }
    if (control->kind == "pagecontrol" && header->code == TCN_SELCHANGE) {
        ShowActivePages();
        TFormEvent event{TFormEvent::Kind::Change, name};
        RaiseEvent(event);
        *handled = true;
        return 0;
    }
    return 0;
}

namespace {
// A push button in the current theme (or the classic one) with a symbol-face glyph on it.
void DrawGlyphButton(const DRAWITEMSTRUCT& draw, const std::string& glyph) {
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & ODS_DISABLED) != 0;
    const int state = disabled ? 4 : pressed ? 3 : 1; // disabled, pressed, normal
    RECT face = draw.rcItem;
    if (!DrawThemePart(draw.hwndItem, draw.hDC, L"BUTTON", 1 /* push button */, state, face)) {
        DrawFrameControl(draw.hDC, &face, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) |
                             (disabled ? DFCS_INACTIVE : 0));
    }
    HGDIOBJ oldFont = SelectObject(
        draw.hDC, reinterpret_cast<HFONT>(SendMessageA(draw.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT text = face;
    if (pressed)
        OffsetRect(&text, 1, 1);
    DrawTextA(draw.hDC, glyph.c_str(), static_cast<int>(glyph.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(draw.hDC, oldFont);
    if (draw.itemState & ODS_FOCUS) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(draw.hDC, &focus);
    }
}
} // namespace

LRESULT TBaseForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return HandleCommand(wParam, lParam);
    case WM_NOTIFY: {
        bool handled = false;
        const LRESULT result = HandleNotify(reinterpret_cast<NMHDR*>(lParam), &handled);
        if (handled)
            return result;
        break;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const TFormControl* control = draw ? controls_.FindWindow(draw->hwndItem) : nullptr;
        if (control && !control->glyph.empty()) {
            DrawGlyphButton(*draw, control->glyph);
            return TRUE;
        }
        break;
    }
    case WM_ENABLE:
        // Enabled again as a nested box (a question, an error) closes: the idle update runs
        // once the handler that asked has returned, so that nothing waits for the next input
        // to show its state.
        if (wParam)
            PostMessageA(handle_, WM_RUNIDLE, 0, 0);
        break;
    case WM_RUNIDLE:
        RunApplicationIdle();
        return 0;
    case WM_FINDCOMPONENT:
        return lParam ? reinterpret_cast<LRESULT>(Control(reinterpret_cast<const char*>(lParam)))
                      : 0;
    case WM_CLOSE:
        // The close box, the system menu's Close and Alt+F4 answer as Cancel does.
        modalResult_ = mrCancel;
        return 0;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}
