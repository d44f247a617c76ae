// Controls of the options dialog and the about box that the dialog base does not make: a
// radio group, a check box, a painted shape, a spin edit, a colour combo box, a check list
// and a hyperlink label. Each is one window that the base places, shows with its page and
// translates like any other; what happens in it reaches the dialog as WM_COMMAND with the
// control's id (BN_CLICKED for a choice or a click, EN_CHANGE for a new value) or, for the
// check list, as the list view's own notifications.
#pragma once
#include "FormDescription.h"
#include "OptionsModel.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The window classes below are the library's while a dialog uses them: the first acquire
// registers them, the last release (after the dialog's windows are gone) unregisters them.
void AcquireDialogControlClasses();
void ReleaseDialogControlClasses();

// --- Radio group: a group box with one radio button per item ---
HWND CreateRadioGroup(HWND form, const FormComponent& component, const RECT& bounds, int id);
int RadioGroupIndex(HWND group);
void SetRadioGroupIndex(HWND group, int index); // -1: none chosen

HWND CreateCheckBox(HWND form, const RECT& bounds, int id);

// An owner-drawn area: the dialog paints it in WM_DRAWITEM.
HWND CreatePaintedShape(HWND form, const RECT& bounds, int id);

// --- Spin edit: digits only, arrows that step by one, kept within its range ---
HWND CreateSpinEdit(HWND form, const RECT& bounds, int id, SpinRange range);
// The value as typed, brought into the range.
int32_t SpinEditValue(HWND spin);
void SetSpinEditValue(HWND spin, int32_t value);

// --- Colour combo box: the eighteen named colours, and a value that is none of them as an
// entry of its own, so that it is shown and read back as it is ---
struct NamedColour {
    const char* name;
    int32_t value;
};
const std::vector<NamedColour>& StandardColours();
HWND CreateColourCombo(HWND form, const RECT& bounds, int id);
// Chooses the first entry of that value, adding the entry of its own when there is none.
void SetColourComboValue(HWND combo, int32_t value);
int32_t ColourComboValue(HWND combo);
void DrawColourComboItem(const DRAWITEMSTRUCT& item);

// --- Check list: one row per item, each with a check box ---
HWND CreateCheckList(HWND form, const RECT& bounds, int id);
void SetCheckListRows(HWND list, const std::vector<LanguageRow>& rows);
// The row whose check the user just changed, from an LVN_ITEMCHANGED; -1 for other changes.
int CheckListClickedRow(const NMLISTVIEW& change);

// --- Hyperlink label: text in the link colour, another colour while the pointer is over it,
// a hand cursor, clicked with the mouse or with Enter or Space when it has the focus ---
HWND CreateHyperLink(HWND form, const RECT& bounds, int id, COLORREF normal, COLORREF hover);
