// Window plumbing, events and the modal run shared by every dialog of the library.
#include "BaseForm.h"

#include "Errors.h"
#include "ResourceModule.h"
#include "Resources.h"
#include "ScreenDpi.h"
#include "WindowAttachment.h"

#include <algorithm>
#include <exception>
#include <map>

namespace {
// How many open dialogs use each registered class: the class goes when the last one does,
// so nothing of the library stays registered after the export that showed it returns.
std::map<std::string, int>& ClassUsers() {
    static std::map<std::string, int> users;
    return users;
}

TBaseForm::DescriptionReader descriptionReader = nullptr;

std::vector<TBaseForm*>& OpenFormList() {
    static std::vector<TBaseForm*> forms;
    return forms;
}
} // namespace

TBaseForm::TBaseForm(std::string className) : className_(std::move(className)) {}

TBaseForm::~TBaseForm() {
    Destroy();
}

std::vector<TBaseForm*> TBaseForm::OpenForms() {
    return OpenFormList();
}

TBaseForm* TBaseForm::FromHandle(HWND window) {
    return window ? reinterpret_cast<TBaseForm*>(GetWindowLongPtrA(window, GWLP_USERDATA))
                  : nullptr;
}

void TBaseForm::SetDescriptionReader(DescriptionReader reader) {
    descriptionReader = reader;
}

void TBaseForm::Create() {
    FormComponent description;
    if (descriptionReader) {
        description = descriptionReader(className_);
    } else {
        std::string text;
        if (!FindFormDescription(className_, &text))
            throw VelmoraError("The library holds no description of the dialog " + className_ +
                               ".");
        description = ParseFormDescription(text);
    }

    activation_ = std::make_unique<TActivationContext>();
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    const HMODULE module = OwnModule();
    // The dialog manager keeps its own data (default button, focus) in the extra bytes.
    if (ClassUsers()[className_]++ == 0)
        RegisterOwnWindowClass(className_.c_str(), WindowProcedure, 0,
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr,
                               DLGWINDOWEXTRA);
    created_ = true;
    OpenFormList().push_back(this);

    dpi_ = ScreenDpi();
    const DWORD style = WS_POPUP | WS_CAPTION;
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
    if (handle_) {
        try {
            FormDestroy();
        } catch (const std::exception& error) {
            ReportHandlerFailure(error.what());
        }
    }
    PutBackIdleHandler();
    EnableOtherWindows();
    if (handle_) {
        HWND window = handle_;
        DestroyWindow(window);
        handle_ = nullptr;
    }
    controls_.Release();
    if (--ClassUsers()[className_] == 0) {
        UnregisterClassA(className_.c_str(), OwnModule());
        ClassUsers().erase(className_);
    }
    activation_.reset();
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
            if (window != form->handle_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                form->disabledWindows_.push_back(window);
            }
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
                try {
                    RunApplicationIdle();
                } catch (const std::exception& error) {
                    ReportHandlerFailure(error.what());
                }
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
        try {
            FormClose();
        } catch (const std::exception& error) {
            ReportHandlerFailure(error.what());
            modalResult_ = mrNone;
        }
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
    case WM_FINDCOMPONENT:
        return lParam ? reinterpret_cast<LRESULT>(Control(reinterpret_cast<const char*>(lParam)))
                      : 0;
    case WM_CLOSE:
        // The dialog has no close box; Alt+F4 still asks to close, as Cancel does.
        modalResult_ = mrCancel;
        return 0;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

LRESULT CALLBACK TBaseForm::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    TBaseForm* self = AttachedObject(window, message, lParam, &TBaseForm::handle_);
    if (!self)
        return DefDlgProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    // After a failure the dialog stays as it is and the message counts as handled.
    RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
    DetachAfterLastMessage(window, message, self, &TBaseForm::handle_);
    return result;
}
