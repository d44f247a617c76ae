// The check list: a list of one-line rows, each with a check box (the system's list view with
// check boxes, so Space and a click on the box toggle it). Checks set by code send nothing;
// a check the user toggles sends WidgetCheckClicked, with the row in ClickedItem.
#pragma once
#include "WidgetWindow.h"

#include <commctrl.h>

#include <string>

class TCheckListBox : public TWidgetWindow {
  public:
    TCheckListBox(HWND parent, const std::string& name, int id, const TWidgetBounds& bounds,
                  double scale = 1.0);

    int Count() const;
    void Clear();
    // The new row's index; it starts unchecked.
    int Add(const std::string& text);
    std::string Item(int index) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    // The selected row, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The row whose check the user toggled last.
    int ClickedItem() const { return clickedItem_; }
    HWND ListHandle() const { return list_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ItemChanged(const NMLISTVIEW& change);
    void FitColumn();

    HWND list_ = nullptr;
    int clickedItem_ = -1;
    int byCode_ = 0; // changes made by our own calls are not the user's
};
