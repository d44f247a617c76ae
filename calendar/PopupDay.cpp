// The popup menu's remembered day.
#include "PopupDay.h"

#include "DateUtils.h"

void TPopupDay::Remember(int year, int month, int day) {
    held_ = day > 0;
    date_ = held_ ? EncodeDate(year, month, day) : 0;
}

double TPopupDay::Take(double displayDate) {
    const double date = held_ ? date_ : WholeDay(displayDate);
    held_ = false;
    date_ = 0;
    return date;
}
