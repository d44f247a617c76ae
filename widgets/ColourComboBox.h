// The colour combo box: the system's drop-down list, drawn by us as a swatch and a name for
// each of the eighteen standard colours. Setting a colour selects the first entry with that
// value; a value that is not among them gets an entry of its own (its swatch and its value),
// so a stored colour is shown and read back unchanged instead of turning into black.
#pragma once
#include "WidgetWindow.h"

#include <cstdint>
#include <string>

class TColourComboBox : public TWidgetWindow {
  public:
    TColourComboBox(HWND parent, const std::string& name, int id, const TWidgetBounds& bounds,
                    double scale = 1.0);

    // By code; sends no notification, as with any combo box.
    void SetColour(int32_t colour);
    // The selected entry's value, or 0 (black) when no entry is selected.
    int32_t Colour() const;
    // -1 when none; entries 0..17 are the standard colours, 18 a foreign one when shown.
    int ItemIndex() const;
    int Count() const;
    std::string ItemText(int index) const;
    // false: a colour outside the list leaves no entry selected instead (and reads back 0).
    bool KeepForeignColour = true;
    HWND ComboHandle() const { return combo_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    void FitHeights();
    int Scaled(int pixels) const;

    HWND combo_ = nullptr;
    double scale_;
    int height_;
};
