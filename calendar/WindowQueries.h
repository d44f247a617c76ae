// Messages with which another program (the window tests) reads what the calendar window
// shows. Only the test build of Calendar.exe (VELMORA_TEST_HOOKS, build/win/testbin) answers
// them; the shipped window passes them to the default handling, which gives 0. Strings come back as new global atoms (up to 255 characters) that the caller deletes.
// They follow the hover button's own queries (VrHyperButtonMessages.h) in the WM_APP range.
#pragma once
#include <windows.h>

constexpr UINT CalendarDisplayDateQuery = WM_APP + 20; // returns the bits of DisplayDate (a double)
constexpr UINT CalendarComingUpCountQuery =
    WM_APP + 21; // returns the number of Coming Up lines held
constexpr UINT CalendarComingUpLineQuery =
    WM_APP + 22; // wParam: line; returns an atom of the line as drawn
constexpr UINT CalendarComingUpColourQuery =
    WM_APP + 23; // wParam: line; returns the colour it is drawn in
constexpr UINT CalendarComingUpFetchesQuery =
    WM_APP + 24; // returns how often the Coming Up text was asked for
constexpr UINT CalendarTitleAtomQuery = WM_APP + 25; // returns an atom of the title
constexpr UINT CalendarPopupItemQuery =
    WM_APP + 26; // wParam: item; an atom of its caption ("-" a separator), 0 past the end
constexpr UINT CalendarOptionsAppliedQuery =
    WM_APP + 27; // returns how often the options were fetched and applied
constexpr UINT CalendarWeekNumberQuery =
    WM_APP + 40; // wParam: row 0..5; the week number beside it, 0 when none is shown
constexpr UINT CalendarWeekColumnQuery = WM_APP + 41; // returns the week-number column's width
constexpr UINT CalendarCellFillQuery =
    WM_APP + 42; // wParam: cell 1..42; the colour its face is filled with, -1 when see-through

// Reminding: the day's notification, the alerts and the notification-area icon.
constexpr UINT CalendarNotificationQuery =
    WM_APP + 60; // returns an atom of the last notification's text, 0 when none was shown
constexpr UINT CalendarNotificationCountQuery = WM_APP + 61; // how many notifications were shown
constexpr UINT CalendarTrayIconQuery = WM_APP + 62; // 1 while the icon is in the notification area
// wParam: the bits of an OLE date. Only while the test clock (VELMORA_NOW) is set: moves it to
// that moment and runs the minute timer's tick, as if the clock had got there.
constexpr UINT CalendarSetTestNowMessage = WM_APP + 63;

// Timer identifiers of the calendar window.
constexpr UINT_PTR Timer1Id = 1;
constexpr UINT_PTR MouseOverTimerId = 2;
