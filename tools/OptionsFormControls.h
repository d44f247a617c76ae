// Controls of the options dialog that neither the dialog base nor the widget set makes: a
// radio group, a check box and a painted shape. Each is one window that the base places,
// shows with its page and translates like any other; a choice or a click reaches the dialog
// as WM_COMMAND BN_CLICKED with the control's id.
#pragma once
#include "FormDescription.h"

#include <windows.h>

#include <string>
#include <vector>

// --- Radio group: a group box with one radio button per item ---
HWND CreateRadioGroup(HWND form, const FormComponent& component, const RECT& bounds, int id);
int RadioGroupIndex(HWND group);
void SetRadioGroupIndex(HWND group, int index); // -1: none chosen

HWND CreateCheckBox(HWND form, const RECT& bounds, int id);

// An owner-drawn area: the dialog paints it in WM_DRAWITEM.
HWND CreatePaintedShape(HWND form, const RECT& bounds, int id);
