// The colour combo box: a drop-down list combo box in a window of ours that draws its items
// and passes its notifications on under the widget's id.
#include "ColourComboBox.h"

#include "Canvas.h"
#include "WidgetNotifications.h"
#include "WidgetValues.h"
#include "WinHandles.h"

#include <cmath>

namespace {
const char* const hostClass = "TColourComboBox";
const int listedItems = StandardColourCount + 1;
} // namespace

TColourComboBox::TColourComboBox(HWND parent, const std::string& name, int id,
                                 const TWidgetBounds& bounds, double scale)
    : TWidgetWindow(name, id), scale_(scale > 0.0 ? scale : 1.0), height_(bounds.Height) {
    // The window's height is that of the open list; the closed box takes its items' height.
    combo_ = CreateHost(parent, hostClass, bounds, 0, "COMBOBOX",
                        WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                        bounds.Height + listedItems * Scaled(18));
    if (!Handle())
        return;
    SendMessageA(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    for (const TNamedColour& colour : StandardColours()) {
        const LRESULT index =
            SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colour.Name));
        SendMessageA(combo_, CB_SETITEMDATA, index, static_cast<LPARAM>(colour.Value));
    }
    FitHeights();
}

int TColourComboBox::Scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * scale_));
}

void TColourComboBox::FitHeights() {
    WindowDC dc(combo_);
    SelectedObject font(dc.Get(), Font());
    TEXTMETRICA metrics;
    GetTextMetricsA(dc.Get(), &metrics);
    const int itemHeight = std::max<int>(metrics.tmHeight + 2, Scaled(16));
    SendMessageA(combo_, CB_SETITEMHEIGHT, 0, itemHeight);
    // The closed box fills the height it was given, whatever its frame takes.
    SendMessageA(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    RECT closed;
    GetWindowRect(combo_, &closed);
    const int frame = (closed.bottom - closed.top) - itemHeight;
    if (height_ - frame >= metrics.tmHeight)
        SendMessageA(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height_ - frame);
}

void TColourComboBox::SetColour(int32_t colour) {
    // A foreign entry is only kept while it is the one set.
    if (Count() > StandardColourCount)
        SendMessageA(combo_, CB_DELETESTRING, StandardColourCount, 0);
    int index = StandardColourIndex(colour);
    if (index < 0 && KeepForeignColour) {
        const std::string name = ForeignColourName(colour);
        index = static_cast<int>(
            SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
        SendMessageA(combo_, CB_SETITEMDATA, index, static_cast<LPARAM>(colour));
    }
    SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int32_t TColourComboBox::Colour() const {
    const int index = ItemIndex();
    if (index < 0)
        return 0;
    return static_cast<int32_t>(SendMessageA(combo_, CB_GETITEMDATA, index, 0));
}

int TColourComboBox::ItemIndex() const {
    const LRESULT index = SendMessageA(combo_, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

int TColourComboBox::Count() const {
    return static_cast<int>(SendMessageA(combo_, CB_GETCOUNT, 0, 0));
}

std::string TColourComboBox::ItemText(int index) const {
    const LRESULT length = SendMessageA(combo_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TColourComboBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    FillRect(dc, &item.rcItem,
             GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT
                              : disabled            ? COLOR_BTNFACE
                                                    : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const int32_t colour = static_cast<int32_t>(item.itemData);
        RECT swatch = item.rcItem;
        swatch.left += Scaled(2);
        swatch.right = swatch.left + Scaled(24);
        InflateRect(&swatch, 0, -Scaled(2));
        BrushHandle brush(CreateSolidBrush(ToColorRef(colour)));
        FillRect(dc, &swatch, brush.Get());
        FrameRect(dc, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
        const std::string text = ItemText(static_cast<int>(item.itemID));
        RECT textRect = item.rcItem;
        textRect.left = swatch.right + Scaled(4);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                     : selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_WINDOWTEXT));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(dc, &item.rcItem);
}

LRESULT TColourComboBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure->itemHeight = static_cast<UINT>(Scaled(16));
        return TRUE;
    }
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == combo_ && HIWORD(wParam) == CBN_SELCHANGE)
            Notify(WidgetSelectionChanged);
        return 0;
    case WM_SIZE:
        if (combo_) {
            height_ = HIWORD(lParam);
            MoveWindow(combo_, 0, 0, LOWORD(lParam), height_ + listedItems * Scaled(18), TRUE);
            FitHeights();
        }
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        SendMessageA(combo_, WM_SETFONT, wParam, lParam);
        FitHeights();
        return 0;
    }
    return HostHandler(combo_, message, wParam, lParam);
}
