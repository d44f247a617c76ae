// The options dialog's Reminder Types page: the list of types with their colour swatches,
// the name field and the buttons that add, recolour and remove a type.
#include "Canvas.h"
#include "DialogServices.h"
#include "ListSwatch.h"
#include "OptionsFormUnit.h"

#include <commctrl.h>

void TOptionsForm::ShowTypeRows() {
    HWND list = Control("ListView1");
    filling_ = true;
    // Thousands of types: no repaint and no regrowth of the list's room per row.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    const std::vector<TEventType>& rows = model_.TypeRows();
    ListView_SetItemCount(list, static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(rows[i].Name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const std::string colour = std::to_string(rows[i].Colour);
        ListView_SetItemText(list, static_cast<int>(i), 1, const_cast<char*>(colour.c_str()));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    FitLastColumn(list);
    InvalidateRect(list, nullptr, TRUE);
    filling_ = false;
    ShowTypeName();
}

void TOptionsForm::ShowTypeName() {
    filling_ = true;
    SetWindowTextA(Control("EventEdit"), model_.TypeNameText().c_str());
    filling_ = false;
}

void TOptionsForm::ListView1SelectItem(TFormEvent& event) {
    if (event.selected)
        model_.SelectTypeRow(event.item);
    else if (event.item == model_.SelectedTypeRow() || event.item < 0)
        model_.SelectTypeRow(-1);
    ShowTypeName();
}

void TOptionsForm::ListView1CustomDraw(TFormEvent& event) {
    // The colour column is a swatch of the row's colour; its number is never drawn.
    DrawSwatchColumn(event, 1, 4, 2, [this](size_t row, COLORREF* colour) {
        if (row >= model_.TypeRows().size())
            return false;
        *colour = ToColorRef(model_.TypeRows()[row].Colour);
        return true;
    });
}

void TOptionsForm::EventEditChange(TFormEvent&) {
    const int row = model_.SelectedTypeRow();
    if (row < 0)
        return;
    model_.EditTypeName(ControlText("EventEdit"));
    const std::string name = model_.TypeRows()[static_cast<size_t>(row)].Name;
    ListView_SetItemText(Control("ListView1"), row, 0, const_cast<char*>(name.c_str()));
}

void TOptionsForm::EventColourButtonClick(TFormEvent&) {
    const int row = model_.SelectedTypeRow();
    if (row < 0)
        return;
    model_.TypeColourChosen(ChooseColourWithDialog(Handle(), model_.SelectedTypeColour()));
    const std::string colour = std::to_string(model_.SelectedTypeColour());
    HWND list = Control("ListView1");
    ListView_SetItemText(list, row, 1, const_cast<char*>(colour.c_str()));
    InvalidateRect(list, nullptr, FALSE);
}

void TOptionsForm::AddEventTypeButtonClick(TFormEvent&) {
    model_.AddTypeRow();
    const int row = model_.SelectedTypeRow();
    HWND list = Control("ListView1");
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>("");
    filling_ = true;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const std::string colour = std::to_string(model_.SelectedTypeColour());
    ListView_SetItemText(list, row, 1, const_cast<char*>(colour.c_str()));
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
    FitLastColumn(list);
    filling_ = false;
    model_.SelectTypeRow(row);
    ShowTypeName();
    EnableControl("EventEdit", true);
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control("EventEdit")), TRUE);
}

void TOptionsForm::RemoveEventTypeButtonClick(TFormEvent&) {
    const int row = model_.SelectedTypeRow();
    if (row < 0)
        return;
    model_.RemoveSelectedTypeRow();
    HWND list = Control("ListView1");
    filling_ = true;
    ListView_DeleteItem(list, row);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    FitLastColumn(list);
    filling_ = false;
    ShowTypeName();
}
