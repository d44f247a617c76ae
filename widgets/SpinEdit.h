// The spin edit: a number box (an edit that takes digits only) with up and down arrows (the
// system's up-down control) over a range. A typed number outside the range is brought to the
// nearest bound when the box loses the focus or Enter is pressed in it, and Value always
// reads in range, so a dialog accepted while a wrong number is still in the box stays sound.
#pragma once
#include "WidgetWindow.h"

#include <string>

class TSpinEdit : public TWidgetWindow {
  public:
    TSpinEdit(HWND parent, const std::string& name, int id, const TWidgetBounds& bounds,
              int minValue, int maxValue, double scale = 1.0);
    ~TSpinEdit() override;

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    // Brings the shown number into the new range too.
    void SetRange(int minValue, int maxValue);
    // The shown number in range; a text that is not a number reads as the lower bound.
    int Value() const;
    // Brought into range; shows as text, which notifies a change when the text differs.
    void SetValue(int value);
    std::string Text() const;
    HWND EditHandle() const { return edit_; }
    HWND UpDownHandle() const { return upDown_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static LRESULT CALLBACK EditSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    // Replaces a typed number outside the range by the nearest bound.
    void BringIntoRange();
    void Layout();

    int minValue_;
    int maxValue_;
    HWND edit_ = nullptr;
    HWND upDown_ = nullptr;
    bool created_ = false; // the first text is no change
};
