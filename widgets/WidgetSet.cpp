// Unregistering the classes of every dialog widget.
#include "WidgetSet.h"
#include "ThemeParts.h"

#include "CheckListBox.h"
#include "ColourComboBox.h"
#include "HyperlinkLabel.h"
#include "SpinEdit.h"
#include "rmComboCalendar.h"

void UnregisterWidgetClasses() {
    TrmComboCalendar::UnregisterClasses();
    TSpinEdit::UnregisterClasses();
    TColourComboBox::UnregisterClasses();
    TCheckListBox::UnregisterClasses();
    THyperlinkLabel::UnregisterClasses();
    // The theme library goes with the widgets that drew with it.
    ReleaseThemeLibrary();
}
