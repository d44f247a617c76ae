// Builds a dialog's controls from its description and lays translated texts over them.
#include "FormControls.h"

#include "Canvas.h"
#include "Errors.h"
#include "ListSwatch.h"

#include <commctrl.h>

#include <algorithm>

namespace {
const char* const defaultFontName = "Verdana";
const int defaultFontPoints = 8;

FontHandle MakeFont(const std::string& name, int points, int dpi) {
    return CreateFaceFont(name, PointsToFontHeight(points, dpi));
}

int ModalResultOf(const FormComponent& component) {
    const std::string result = component.Text("modalresult");
    if (result == "ok")
        return IDOK;
    if (result == "cancel")
        return IDCANCEL;
    return 0;
}

void FillCombo(HWND combo, const std::vector<std::string>& items) {
    const LRESULT chosen = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}
} // namespace

TFormControls::~TFormControls() {
    Release();
}

void TFormControls::Release() {
    if (tooltip_ && IsWindow(tooltip_))
        DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    controls_.clear();
    extraFonts_.clear();
    font_.Reset();
}

RECT TFormControls::ScaledBounds(const FormComponent& component, POINT origin) const {
    const int left = origin.x + component.Number("bounds", 0, 0);
    const int top = origin.y + component.Number("bounds", 1, 0);
    const int width = component.Number("bounds", 2, 0);
    const int height = component.Number("bounds", 3, 0);
    return RECT{Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
}

HFONT TFormControls::FontFor(const FormComponent& component) {
    if (!component.Find("font"))
        return font_.Get();
    extraFonts_.push_back(std::make_unique<FontHandle>(
        MakeFont(component.Text("font", defaultFontName),
                 component.Number("font", 1, defaultFontPoints), dpi_)));
    return extraFonts_.back()->Get();
}

void TFormControls::Build(HWND form, const FormComponent& description, int dpi,
                          const CustomFactory& makeCustom) {
    Release();
    form_ = form;
    dpi_ = dpi;
    description_ = description;
    font_ = MakeFont(description.Text("font", defaultFontName),
                     description.Number("font", 1, defaultFontPoints), dpi);
    if (description.Flag("hints")) {
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        if (tooltip_)
            SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(300));
    }
    SendMessageA(form, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    BuildChildren(description_, POINT{0, 0}, {}, makeCustom);
    ShowChosenPages();
}

void TFormControls::BuildChildren(const FormComponent& container, POINT origin,
                                  const std::vector<std::pair<HWND, int>>& pages,
                                  const CustomFactory& makeCustom) {
    for (const FormComponent& component : container.children) {
        const POINT own{origin.x + component.Number("bounds", 0, 0),
                        origin.y + component.Number("bounds", 1, 0)};
        if (component.kind == "panel") {
            BuildChildren(component, own, pages, makeCustom);
            continue;
        }
        if (component.kind == "page")
            throw VelmoraError("Form " + description_.name + ": the page " + component.name +
                               " is not inside a page control");
        const RECT bounds = ScaledBounds(component, origin);
        TFormControl control;
        control.name = component.name;
        control.kind = component.kind;
        control.modalResult = ModalResultOf(component);
        control.id = component.Flag("default")  ? IDOK
                     : component.Flag("cancel") ? IDCANCEL
                                                : nextId_++;
        control.pages = pages;
        control.glyph = component.Text("glyph");
        control.window = CreateStandard(component, bounds, control.id);
        if (!control.window && makeCustom)
            control.window = makeCustom(component, bounds, control.id);
        if (!control.window)
            throw VelmoraError("Form " + description_.name + ": cannot make " + component.name +
                               " of kind " + component.kind);
        // Windows keep the description's order, which is also the order the Tab key follows.
        SetWindowPos(control.window, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessageA(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(component)),
                     FALSE);
        controls_.push_back(control);
        ApplyComponentTexts(controls_.back(), component);
        if (component.kind == "pagecontrol") {
            for (size_t index = 0; index < component.children.size(); ++index) {
                const FormComponent& page = component.children[index];
                std::vector<std::pair<HWND, int>> inner = pages;
                inner.emplace_back(control.window, static_cast<int>(index));
                BuildChildren(
                    page,
                    POINT{own.x + page.Number("bounds", 0, 0), own.y + page.Number("bounds", 1, 0)},
                    inner, makeCustom);
            }
            // Button tabs draw no frame around the pages: the window need only hold the tabs,
            // so it never lies over the controls of its pages.
            RECT tab = {};
            if (TabCtrl_GetItemRect(control.window, 0, &tab))
                SetWindowPos(control.window, nullptr, 0, 0, bounds.right - bounds.left,
                             tab.bottom + Scale(3), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (component.kind == "group") {
            BuildChildren(component, own, pages, makeCustom);
        }
    }
}

HWND TFormControls::CreateStandard(const FormComponent& component, const RECT& bounds, int id) {
    const std::string& kind = component.kind;
    const char* windowClass = nullptr;
    DWORD style = WS_CHILD;
    DWORD exStyle = 0;
    const DWORD focusable = WS_TABSTOP | WS_GROUP;
    if (kind == "pagecontrol") {
        windowClass = WC_TABCONTROLA;
        style |= focusable | WS_CLIPSIBLINGS;
        if (component.Text("style") == "flatbuttons")
            style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    } else if (kind == "group") {
        windowClass = "BUTTON";
        style |= BS_GROUPBOX;
    } else if (kind == "label") {
        windowClass = "STATIC";
        style |= component.Flag("wrap") ? SS_LEFT : SS_LEFTNOWORDWRAP;
    } else if (kind == "button") {
        windowClass = "BUTTON";
        style |= focusable | (component.Find("glyph")     ? BS_OWNERDRAW
                              : component.Flag("default") ? BS_DEFPUSHBUTTON
                                                          : BS_PUSHBUTTON);
    } else if (kind == "edit") {
        windowClass = "EDIT";
        style |= focusable | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
    } else if (kind == "combo") {
        windowClass = "COMBOBOX";
        style |=
            focusable | WS_VSCROLL | CBS_DROPDOWNLIST | (component.Flag("sorted") ? CBS_SORT : 0);
    } else if (kind == "listview") {
        windowClass = WC_LISTVIEWA;
        style |= focusable | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER;
        if (component.Text("hideselection") == "false")
            style |= LVS_SHOWSELALWAYS;
        // Rows asked for as they are painted: a list of a million rows opens as fast as one
        // of ten. The form answers each row's texts (TFormEvent::Kind::ItemText).
        if (component.Flag("ownerdata"))
            style |= LVS_OWNERDATA;
        exStyle = WS_EX_CLIENTEDGE;
    } else {
        return nullptr;
    }
    HWND window = CreateWindowExA(exStyle, windowClass, "", style, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, form_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return nullptr;
    if (kind == "edit" && component.Find("maxlength"))
        SendMessageA(window, EM_LIMITTEXT, static_cast<WPARAM>(component.Number("maxlength", 0, 0)),
                     0);
    if (kind == "listview") {
        DWORD extended = LVS_EX_DOUBLEBUFFER;
        if (component.Flag("rowselect"))
            extended |= LVS_EX_FULLROWSELECT;
        SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    }
    return window;
}

void TFormControls::SetHint(HWND window, const std::string& hint) {
    if (!tooltip_)
        return;
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (hint.empty())
        return;
    tool.lpszText = const_cast<char*>(hint.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TFormControls::ApplyComponentTexts(const TFormControl& control,
                                        const FormComponent& component) {
    if (const FormProperty* caption = component.Find("caption"))
        if (!caption->values.empty())
            SetWindowTextA(control.window, caption->values.front().text.c_str());
    if (component.Find("hint"))
        SetHint(control.window, component.Text("hint"));
    if (control.kind == "combo" && component.Find("items"))
        FillCombo(control.window, component.Texts("items"));
    if (control.kind == "listview" && component.Find("columns")) {
        const std::vector<std::string> columns = component.Texts("columns");
        const int count = static_cast<int>(columns.size() / 2);
        RECT client = {};
        GetClientRect(control.window, &client);
        int fixed = 0;
        for (int column = 0; column < count; ++column) {
            const int width = component.Number("columns", static_cast<size_t>(column * 2 + 1), -1);
            if (width >= 0)
                fixed += Scale(width);
        }
        const int existing = Header_GetItemCount(ListView_GetHeader(control.window));
        for (int column = 0; column < count; ++column) {
            const int width = component.Number("columns", static_cast<size_t>(column * 2 + 1), -1);
            LVCOLUMNA item = {};
            item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            item.pszText = const_cast<char*>(columns[static_cast<size_t>(column * 2)].c_str());
            // A width of -1 takes whatever the other columns leave of the list's width, less
            // room for the scroll bar that more rows bring, so that no sideways one follows.
            const int remaining =
                static_cast<int>(client.right) - fixed - GetSystemMetrics(SM_CXVSCROLL);
            item.cx = width >= 0 ? Scale(width) : std::max(Scale(20), remaining);
            item.iSubItem = column;
            SendMessageA(control.window, column < existing ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA,
                         static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        }
        FitLastColumn(control.window);
    }
    if (control.kind == "pagecontrol") {
        for (size_t index = 0; index < component.children.size(); ++index) {
            const FormComponent& page = component.children[index];
            std::string text = page.Text("caption");
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(text.c_str());
            const int count = TabCtrl_GetItemCount(control.window);
            if (static_cast<int>(index) < count)
                SendMessageA(control.window, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
            else
                SendMessageA(control.window, TCM_INSERTITEMA, index,
                             reinterpret_cast<LPARAM>(&item));
        }
    }
}

HWND TFormControls::Window(const std::string& name) const {
    const TFormControl* control = Find(name);
    return control ? control->window : nullptr;
}

const TFormControl* TFormControls::Find(const std::string& name) const {
    for (const TFormControl& control : controls_)
        if (control.name == name)
            return &control;
    return nullptr;
}

const TFormControl* TFormControls::FindWindow(HWND window) const {
    for (const TFormControl& control : controls_)
        if (control.window == window)
            return &control;
    return nullptr;
}

const TFormControl* TFormControls::FindId(int id) const {
    for (const TFormControl& control : controls_)
        if (control.id == id)
            return &control;
    return nullptr;
}

void TFormControls::ShowChosenPages() const {
    for (const TFormControl& control : controls_) {
        bool shown = true;
        for (const auto& [pageControl, index] : control.pages)
            if (TabCtrl_GetCurSel(pageControl) != index)
                shown = false;
        ShowWindow(control.window, shown ? SW_SHOWNA : SW_HIDE);
    }
}

namespace {
void CollectNamed(const FormComponent& component, std::vector<const FormComponent*>& named) {
    named.push_back(&component);
    for (const FormComponent& child : component.children)
        CollectNamed(child, named);
}
} // namespace

void TFormControls::ApplyTexts(HWND form, const FormComponent& translation) {
    MergeFormDescription(description_, translation);
    std::vector<const FormComponent*> named;
    CollectNamed(translation, named);
    for (const FormComponent* component : named) {
        if (component->name == description_.name) {
            if (component->Find("caption"))
                SetWindowTextA(form, description_.Text("caption").c_str());
            continue;
        }
        const FormComponent* merged = description_.FindComponent(component->name);
        if (!merged)
            continue;
        if (merged->kind == "page") {
            // A page's caption is its tab: find the page control that holds it.
            for (const TFormControl& control : controls_) {
                const FormComponent* holder = description_.FindComponent(control.name);
                if (control.kind == "pagecontrol" && holder) {
                    for (const FormComponent& page : holder->children)
                        if (page.name == merged->name)
                            ApplyComponentTexts(control, *holder);
                }
            }
            continue;
        }
        if (const TFormControl* control = Find(merged->name)) {
            // Only what the translation names is set again, so the user's entries stay.
            FormComponent texts;
            for (const FormProperty& property : component->properties)
                if (const FormProperty* value = merged->Find(property.key))
                    texts.properties.push_back(*value);
            if (merged->kind == "pagecontrol")
                texts.children = merged->children;
            ApplyComponentTexts(*control, texts);
        }
    }
}
