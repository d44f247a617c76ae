// The WM_COMMAND notification codes (high word of wParam) that the widgets send their parent;
// the low word is the widget's control id and lParam its window. They reuse the standard
// controls' values where the meaning is the same, so a dialog can route both alike.
#pragma once
#include <windows.h>

// Date field, spin edit: the text the widget shows has changed (by the user or by code).
constexpr WORD WidgetTextChanged = EN_CHANGE;
// Colour combo box, check list: another entry or row is selected.
constexpr WORD WidgetSelectionChanged = CBN_SELCHANGE;
// Date field: its drop-down month opened or closed.
constexpr WORD WidgetDropDown = CBN_DROPDOWN;
constexpr WORD WidgetCloseUp = CBN_CLOSEUP;
// Check list: the user checked or unchecked a row (see TCheckListBox::ClickedItem).
constexpr WORD WidgetCheckClicked = 0x8001;
// Hyperlink label: clicked, or Enter or Space pressed on it.
constexpr WORD WidgetLinkClicked = BN_CLICKED;
