// The check list: a list view with check boxes in a window of ours that turns its
// notifications into the widget's WM_COMMAND codes.
#include "CheckListBox.h"

#include "WidgetNotifications.h"

#include <commctrl.h>

namespace {
const char* const hostClass = "TCheckListBox";

// Code-driven changes of the list are marked so that its notifications are not taken for the
// user's.
class ByCode {
  public:
    explicit ByCode(int& depth) : depth_(depth) { ++depth_; }
    ~ByCode() { --depth_; }
    ByCode(const ByCode&) = delete;
    ByCode& operator=(const ByCode&) = delete;

  private:
    int& depth_;
};
} // namespace

TCheckListBox::TCheckListBox(HWND parent, const std::string& name, int id,
                             const TWidgetBounds& bounds, double)
    : TWidgetWindow(name, id) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    list_ = CreateHost(parent, hostClass, bounds, WS_EX_CLIENTEDGE, WC_LISTVIEWA,
                       LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       bounds.Height);
    if (!Handle())
        return;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = bounds.Width;
    SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    FitColumn();
}

void TCheckListBox::FitColumn() {
    // One column across the list, so a click anywhere on a row's text lands on the row.
    RECT client;
    GetClientRect(list_, &client);
    SendMessageA(list_, LVM_SETCOLUMNWIDTH, 0, client.right);
}

int TCheckListBox::Count() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

void TCheckListBox::Clear() {
    ByCode byCode(byCode_);
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    clickedItem_ = -1;
}

int TCheckListBox::Add(const std::string& text) {
    ByCode byCode(byCode_);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = const_cast<char*>(text.c_str());
    const int index =
        static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0)
        SetChecked(index, false);
    return index;
}

std::string TCheckListBox::Item(int index) const {
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

bool TCheckListBox::Checked(int index) const {
    const LRESULT state =
        SendMessageA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TCheckListBox::SetChecked(int index, bool checked) {
    ByCode byCode(byCode_);
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

int TCheckListBox::ItemIndex() const {
    return static_cast<int>(
        SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCheckListBox::SetItemIndex(int index) {
    ByCode byCode(byCode_);
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (index < 0 || index >= Count())
        return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

void TCheckListBox::ItemChanged(const NMLISTVIEW& change) {
    if (byCode_ > 0 || change.iItem < 0 || !(change.uChanged & LVIF_STATE))
        return;
    const UINT changed = change.uNewState ^ change.uOldState;
    // A row that had no check box image yet is being set up, not toggled.
    if ((changed & LVIS_STATEIMAGEMASK) && (change.uOldState & LVIS_STATEIMAGEMASK)) {
        clickedItem_ = change.iItem;
        Notify(WidgetCheckClicked);
    }
    if ((changed & LVIS_SELECTED) && (change.uNewState & LVIS_SELECTED))
        Notify(WidgetSelectionChanged);
}

LRESULT TCheckListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == list_ && header->code == LVN_ITEMCHANGED)
            ItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return 0;
    }
    case WM_SIZE:
        if (list_) {
            MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            FitColumn();
        }
        return 0;
    }
    return HostHandler(list_, message, wParam, lParam);
}
