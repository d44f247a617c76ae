// The options dialog's own controls, each one window so that the dialog base can place it,
// show it with its page and find it by name.
#include "OptionsFormControls.h"
#include "WinHandles.h"

#include <commctrl.h>

#include <cstdio>
#include <memory>

namespace {
const char* const radioGroupClass = "TVelmoraRadioGroup";
const char* const spinEditClass = "TVelmoraSpinEdit";
const char* const hyperLinkClass = "TVelmoraHyperLink";
int classUsers = 0;

const UINT radioGroupGetIndex = WM_USER + 1;
const UINT radioGroupSetIndex = WM_USER + 2;
const UINT spinEditGetValue = WM_USER + 1;
const UINT spinEditSetValue = WM_USER + 2;
const int firstRadioId = 100;
const int spinEditId = 1;

HMODULE LibraryModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryModule), &module);
    return module;
}

int ScreenScale(int pixels) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return MulDiv(pixels, dpi > 0 ? dpi : 96, 96);
}

void Notify(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

HWND CreateChild(DWORD exStyle, const char* windowClass, const char* text, DWORD style,
                 const RECT& bounds, HWND parent, int id, void* parameter = nullptr) {
    return CreateWindowExA(exStyle, windowClass, text, WS_CHILD | style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), LibraryModule(),
                           parameter);
}

// --- Radio group ---

LRESULT CALLBACK RadioGroupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            if (id < firstRadioId) continue;
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

// --- Spin edit ---

struct SpinEditState {
    SpinRange range;
};

SpinEditState* SpinState(HWND window) {
    return reinterpret_cast<SpinEditState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void SetSpinText(HWND window, int32_t value) {
    const std::string text = std::to_string(value);
    HWND edit = GetDlgItem(window, spinEditId);
    if (WindowText(edit) != text) SetWindowTextA(edit, text.c_str());
}

LRESULT CALLBACK SpinEditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* state = new SpinEditState{*static_cast<const SpinRange*>(create->lpCreateParams)};
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        break;
    }
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        HWND edit = CreateChild(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_NUMBER | ES_AUTOHSCROLL,
                                RECT{0, 0, create->cx, create->cy}, window, spinEditId);
        SendMessageA(edit, EM_LIMITTEXT, 11, 0);
        HWND arrows = CreateChild(0, UPDOWN_CLASSA, "",
                                  WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                      UDS_NOTHOUSANDS,
                                  RECT{0, 0, 0, 0}, window, 2);
        SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        const SpinRange range = SpinState(window)->range;
        SendMessageA(arrows, UDM_SETRANGE32, static_cast<WPARAM>(range.minimum),
                     static_cast<LPARAM>(range.maximum));
        return 0;
    }
    case WM_NCDESTROY:
        delete SpinState(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(window, spinEditId));
        return 0;
    case WM_ENABLE:
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            EnableWindow(child, static_cast<BOOL>(wParam));
        return 0;
    case WM_SETFONT:
        SendDlgItemMessageA(window, spinEditId, WM_SETFONT, wParam, lParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == spinEditId && HIWORD(wParam) == EN_CHANGE) Notify(window, EN_CHANGE);
        // Leaving the field brings a typed number to the nearest bound.
        if (LOWORD(wParam) == spinEditId && HIWORD(wParam) == EN_KILLFOCUS)
            SetSpinText(window, static_cast<int32_t>(SendMessageA(window, spinEditGetValue, 0, 0)));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return SendMessageA(GetParent(window), message, wParam, lParam);
    case spinEditGetValue:
        return SpinTextValue(WindowText(GetDlgItem(window, spinEditId)), SpinState(window)->range);
    case spinEditSetValue:
        SetSpinText(window, ClampToRange(static_cast<int32_t>(wParam), SpinState(window)->range));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// --- Hyperlink label ---

struct LinkColours {
    COLORREF normal;
    COLORREF hover;
};
struct HyperLinkState {
    LinkColours colours;
    bool hovered = false;
    FontHandle font;
};

HyperLinkState* LinkState(HWND window) {
    return reinterpret_cast<HyperLinkState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void PaintHyperLink(HWND window, HDC dc) {
    HyperLinkState* state = LinkState(window);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH background = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(window)));
    FillRect(dc, &client, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    const std::string text = WindowText(window);
    HGDIOBJ oldFont = SelectObject(dc, state->font.Get() ? state->font.Get()
                                                         : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state->hovered ? state->colours.hover : state->colours.normal);
    RECT textBounds = client;
    DrawTextA(dc, text.c_str(), -1, &textBounds, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
    textBounds.bottom = client.bottom;
    textBounds.top = client.top;
    DrawTextA(dc, text.c_str(), -1, &textBounds, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    if (GetFocus() == window) DrawFocusRect(dc, &textBounds);
    SelectObject(dc, oldFont);
}

void SetHovered(HWND window, bool hovered) {
    HyperLinkState* state = LinkState(window);
    if (state->hovered == hovered) return;
    state->hovered = hovered;
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK HyperLinkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new HyperLinkState{
                              *static_cast<const LinkColours*>(create->lpCreateParams)}));
        break;
    }
    case WM_NCDESTROY:
        delete LinkState(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    case WM_SETFONT: {
        // The link's face and size are the description's; bold and underlined make it a link.
        LOGFONTA font = {};
        if (wParam && GetObjectA(reinterpret_cast<HFONT>(wParam), sizeof font, &font)) {
            font.lfWeight = FW_BOLD;
            font.lfUnderline = TRUE;
            LinkState(window)->font.Reset(CreateFontIndirectA(&font));
        }
        if (lParam) InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintHyperLink(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    case WM_MOUSEMOVE: {
        if (!LinkState(window)->hovered) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
        }
        SetHovered(window, true);
        return 0;
    }
    case WM_MOUSELEAVE:
        SetHovered(window, false);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    case WM_LBUTTONUP: {
        RECT client;
        GetClientRect(window, &client);
        const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at)) Notify(window, BN_CLICKED);
        return 0;
    }
    case WM_GETDLGCODE:
        // Enter opens the link rather than pressing the dialog's default button.
        if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        return DLGC_BUTTON;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) Notify(window, BN_CLICKED);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClassOnce(const char* name, WNDPROC procedure, HCURSOR cursor) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = LibraryModule();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

const int colourItemCount = 18;
} // namespace

void AcquireDialogControlClasses() {
    if (classUsers++ > 0) return;
    RegisterClassOnce(radioGroupClass, RadioGroupProcedure, LoadCursor(nullptr, IDC_ARROW));
    RegisterClassOnce(spinEditClass, SpinEditProcedure, LoadCursor(nullptr, IDC_ARROW));
    RegisterClassOnce(hyperLinkClass, HyperLinkProcedure, LoadCursor(nullptr, IDC_HAND));
}

void ReleaseDialogControlClasses() {
    if (classUsers == 0 || --classUsers > 0) return;
    UnregisterClassA(radioGroupClass, LibraryModule());
    UnregisterClassA(spinEditClass, LibraryModule());
    UnregisterClassA(hyperLinkClass, LibraryModule());
}

HWND CreateRadioGroup(HWND form, const FormComponent& component, const RECT& bounds, int id) {
    const std::vector<std::string> items = component.Texts("items");
    return CreateChild(WS_EX_CONTROLPARENT, radioGroupClass, component.Text("caption").c_str(),
                       WS_CLIPCHILDREN, bounds, form, id, const_cast<std::vector<std::string>*>(&items));
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

HWND CreateSpinEdit(HWND form, const RECT& bounds, int id, SpinRange range) {
    return CreateChild(WS_EX_CONTROLPARENT, spinEditClass, "", 0, bounds, form, id, &range);
}

int32_t SpinEditValue(HWND spin) {
    return static_cast<int32_t>(SendMessageA(spin, spinEditGetValue, 0, 0));
}

void SetSpinEditValue(HWND spin, int32_t value) {
    SendMessageA(spin, spinEditSetValue, static_cast<WPARAM>(value), 0);
}

const std::vector<NamedColour>& StandardColours() {
    static const std::vector<NamedColour> colours = {
        {"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000},   {"Olive", 0x008080},
        {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},    {"Gray", 0x808080},
        {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},    {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},   {"LtGray", 0xC0C0C0},
        {"DkGray", 0x808080}, {"White", 0xFFFFFF}};
    return colours;
}

HWND CreateColourCombo(HWND form, const RECT& bounds, int id) {
    HWND combo = CreateChild(0, "COMBOBOX", "",
                             WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                 CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             bounds, form, id);
    if (!combo) return nullptr;
    for (const NamedColour& colour : StandardColours()) {
        const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colour.name));
        SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(colour.value));
    }
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ScreenScale(15));
    SendMessageA(combo, CB_SETITEMHEIGHT, 0, ScreenScale(16));
    return combo;
}

void SetColourComboValue(HWND combo, int32_t value) {
    for (int i = 0; i < colourItemCount; ++i) {
        if (static_cast<int32_t>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == value) {
            SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
    // A stored colour that is none of the eighteen keeps an entry of its own.
    if (SendMessageA(combo, CB_GETCOUNT, 0, 0) > colourItemCount)
        SendMessageA(combo, CB_DELETESTRING, colourItemCount, 0);
    char name[32];
    std::snprintf(name, sizeof name, "Custom %d", static_cast<int>(value));
    const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(value));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int32_t ColourComboValue(HWND combo) {
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return 0;
    return static_cast<int32_t>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void DrawColourComboItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int32_t value = static_cast<int32_t>(item.itemData);
    const int height = item.rcItem.bottom - item.rcItem.top;
    RECT swatch = {item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + 2 + (height - 4) * 2,
                   item.rcItem.bottom - 2};
    BrushHandle brush(CreateSolidBrush(value < 0 ? GetSysColor(value & 0xFF) : static_cast<COLORREF>(value)));
    FillRect(dc, &swatch, brush.Get());
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    char text[64] = {};
    SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    RECT textBounds = item.rcItem;
    textBounds.left = swatch.right + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &textBounds, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

HWND CreateCheckList(HWND form, const RECT& bounds, int id) {
    HWND list = CreateChild(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                            WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS,
                            bounds, form, id);
    if (!list) return nullptr;
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = bounds.right - bounds.left - ScreenScale(24);
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    return list;
}

void SetCheckListRows(HWND list, const std::vector<LanguageRow>& rows) {
    if (ListView_GetItemCount(list) != static_cast<int>(rows.size())) {
        ListView_DeleteAllItems(list);
        for (size_t i = 0; i < rows.size(); ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<char*>(rows[i].caption.c_str());
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) ListView_SetCheckState(list, static_cast<int>(i), rows[i].checked);
}

int CheckListClickedRow(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE)) return -1;
    const UINT oldImage = change.uOldState & LVIS_STATEIMAGEMASK;
    const UINT newImage = change.uNewState & LVIS_STATEIMAGEMASK;
    // A row just inserted gets its first check box image: that is no click.
    if (oldImage == 0 || newImage == 0 || oldImage == newImage) return -1;
    return change.iItem;
}

HWND CreateHyperLink(HWND form, const RECT& bounds, int id, COLORREF normal, COLORREF hover) {
    LinkColours colours{normal, hover};
    return CreateChild(0, hyperLinkClass, "", WS_TABSTOP | WS_GROUP, bounds, form, id, &colours);
}
