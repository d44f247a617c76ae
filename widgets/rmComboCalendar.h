// The date field: a box showing one date that the user cannot type into, and a button that
// drops down a month of our own (the system's date picker cannot frame days). The drop-down
// opens with the button, Alt+Down or F4; arrows move the day, PageUp/PageDown (or the wheel)
// the month, Ctrl+PageUp/PageDown the year, Home/End go to the month's ends; Enter or a click
// picks the day, Esc, F4, Alt+Up or a click outside close it without a change. Days for which
// OnSpecialDay answers true are framed. Notifications: WidgetTextChanged, WidgetDropDown,
// WidgetCloseUp (WidgetNotifications.h).
#pragma once
#include "DropDownMonth.h"
#include "WidgetWindow.h"

#include <memory>
#include <string>

class TDropDownMonthWindow;

class TrmComboCalendar : public TWidgetWindow {
  public:
    // scale: the creator's size factor from 96 DPI; the text size follows the font.
    TrmComboCalendar(HWND parent, const std::string& name, int id, const TWidgetBounds& bounds,
                     double scale = 1.0);
    ~TrmComboCalendar() override;

    // A whole day (OLE date); setting it cuts the time of day and shows the date as text.
    double SelectedDate() const { return selectedDate_; }
    void SetSelectedDate(double date);
    // A date pattern (d, m, y runs); empty shows the system's short date.
    const std::string& DateFormat() const { return dateFormat_; }
    void SetDateFormat(const std::string& pattern);
    // The first day of the drop-down's week: 1 = Sunday ... 7 = Saturday; other values give 1.
    int StartDay() const { return startDay_; }
    void SetStartDay(int day);
    // Width of the drop-down at 96 DPI; the field's scale applies.
    int DropDownWidth = 250;
    TSpecialDayQuestion OnSpecialDay;

    // The text shown, as the change notification reports it.
    const std::string& Text() const { return text_; }
    bool DroppedDown() const;
    void DropDown();
    // pick: take the day under the drop-down's cursor.
    void CloseUp(bool pick);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    friend class TDropDownMonthWindow;
    void ShowText();
    void Paint(HDC dc);
    bool KeyDown(WPARAM key);
    RECT ButtonRect() const;
    int Scaled(int pixels) const;

    double selectedDate_ = 0;
    std::string dateFormat_;
    int startDay_ = 1;
    std::string text_;
    double scale_;
    bool created_ = false; // the first text is no change
    std::unique_ptr<TDropDownMonthWindow> dropDown_;
};
