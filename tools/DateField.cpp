// The date field until the widget set's own arrives: the date as read-only text.
#include "DateField.h"

#include "DatePattern.h"
#include "DateUtils.h"

#include <cmath>

TDateField::TDateField(HWND form, std::string name, const RECT& bounds, int id, int)
    : name_(std::move(name)) {
    window_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_TABSTOP | WS_GROUP | ES_READONLY, bounds.left,
        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

TDateField::~TDateField() = default;

void TDateField::SetSelectedDate(double date) {
    date_ = std::floor(date);
    ShowText();
}

void TDateField::SetDateFormat(const std::string& format) {
    format_ = format;
    ShowText();
}

void TDateField::SetStartDay(int day) {
    startDay_ = day;
}

void TDateField::ShowText() {
    const std::string text = FormatDatePattern(format_.empty() ? "dddddd" : format_, date_);
    char shown[512] = "";
    GetWindowTextA(window_, shown, sizeof shown);
    if (text == shown)
        return;
    SetWindowTextA(window_, text.c_str());
    if (OnChange)
        OnChange();
}
