// The editor's view of a date field: what the dialog needs of the widget set's date field
// with its drop-down month, behind one small class so the dialog does not depend on how the
// widget is made.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class TDateField {
  public:
    TDateField(HWND form, std::string name, const RECT& bounds, int id, int dropDownWidth);
    ~TDateField();
    TDateField(const TDateField&) = delete;
    TDateField& operator=(const TDateField&) = delete;

    HWND Handle() const { return window_; }
    const std::string& Name() const { return name_; }
    double SelectedDate() const { return date_; }
    // Shows the date (whole day) as text; a different text raises OnChange.
    void SetSelectedDate(double date);
    void SetDateFormat(const std::string& format);
    void SetStartDay(int day);

    std::function<void()> OnChange;
    std::function<bool(int year, int month, int day)> OnSpecialDay;

  private:
    void ShowText();
    HWND window_ = nullptr;
    std::string name_;
    std::string format_;
    double date_ = 0;
    int startDay_ = 1;
};
