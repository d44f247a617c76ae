// The popup menu and its commands: the reminder editor and the options dialog of the library,
// the read-me, and closing the program.
#include "MainFormUnit.h"

#include "CalendarUnit.h"
#include "DateUtils.h"
#include "Navigation.h"
#include "WindowProcedure.h"

TVelmora* TVelmora::optionsWindow_ = nullptr;

void TVelmora::CreateToolsPopup() {
    ToolsPopup.Add("AddEntry1", "Edit Reminders", [this] { AddEntry1Click(); });
    ToolsPopup.Add("Options1", "Options", [this] { Options1Click(); });
    ToolsPopup.Add("ImportCalendar1", "Import Calendar...", [this] { CalendarFile1Click(true); });
    ToolsPopup.Add("ExportCalendar1", "Export Calendar...", [this] { CalendarFile1Click(false); });
    ToolsPopup.Add("ReadMe1", "Read Me", [this] { ReadMe1Click(); });
    ToolsPopup.Add("N1", "-", nullptr);
    ToolsPopup.Add("Close1", "Close", [this] { Close1Click(); });
}

void TVelmora::DayButtonMouseDown(TVrHyperButton& sender, TMouseButton button, TShiftState) {
    if (button != TMouseButton::Right)
        return;
    int year, month, ignored;
    DecodeDate(navigation_.DisplayDate, &year, &month, &ignored);
    popupDay_.Remember(year, month, CellDayOf(sender));
    ShowToolsPopup(sender);
}

POINT TVelmora::PopupPointBelow(const TVrHyperButton& control) const {
    const RECT bounds = control.Bounds();
    POINT point = {bounds.left, bounds.bottom};
    ClientToScreen(GetParent(control.Handle()), &point);
    return point;
}

void TVelmora::ShowToolsPopup(const TVrHyperButton& control) {
    THintManager::Application().CancelHint();
    ToolsPopup.Popup(Handle(), PopupPointBelow(control));
}

void TVelmora::ContextMenuFromKeyboard() {
    // As if the selected day had been right-clicked; before the first layout no cell shows
    // a day of the month, and the menu opens below the Today button.
    int year, month, day;
    DecodeDate(navigation_.DisplayDate, &year, &month, &day);
    for (int n = 1; n <= CellCount; ++n) {
        TVrHyperButton* cell = FindControlByName("VrHyperButton" + std::to_string(n));
        if (cell && CellDayOf(*cell) == day) {
            popupDay_.Remember(year, month, day);
            ShowToolsPopup(*cell);
            return;
        }
    }
    ShowToolsPopup(*todayButton_);
}

void TVelmora::AddEntry1Click() {
    const double date = popupDay_.Take(navigation_.DisplayDate);
    DialogStarted();
    EditReminders(date);
    DialogEnded();
    LayoutCalendar();
}

void TVelmora::Options1Click() {
    TToolsLibrary tools;
    if (!tools.Loaded())
        return;
    TToolsHandleUse use(ToolsHandle, tools.Handle());
    auto showOptions = tools.Find<TShowOptionsFunction>("ShowOptions");
    if (auto setOptions = tools.Find<TSetOptionsFunction>("SetOptions")) {
        const TScreenPoint position = StoredPosition();
        setOptions(position.Top, position.Left);
    }
    if (!showOptions)
        return;
    TVelmora* const previous = optionsWindow_;
    optionsWindow_ = this;
    DialogStarted();
    const int32_t result = showOptions(&TVelmora::OptionsApplied);
    DialogEnded();
    optionsWindow_ = previous;
    if (result == 1)
        ApplyOptions();
}

void WINAPI TVelmora::OptionsApplied() {
    // Called from inside the library's dialog: a failure is told here and goes no further.
    RunGuarded([] {
        if (optionsWindow_)
            optionsWindow_->ApplyOptions();
    });
}

void TVelmora::CalendarFile1Click(bool import) {
    DialogStarted();
    const bool ran = ImportOrExportCalendar(import);
    DialogEnded();
    if (ran && import) LayoutCalendar();
}

void TVelmora::ReadMe1Click() {
    ShowReadMe();
}

void TVelmora::Close1Click() {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TVelmora::DialogStarted() {
    if (dialogsOpen_++ == 0)
        for (const char* item : {"AddEntry1", "Options1", "ImportCalendar1", "ExportCalendar1", "Close1"})
            ToolsPopup.SetEnabled(item, false);
}

void TVelmora::DialogEnded() {
    if (--dialogsOpen_ > 0)
        return;
    for (const char* item : {"AddEntry1", "Options1", "ImportCalendar1", "ExportCalendar1", "Close1"})
        ToolsPopup.SetEnabled(item, true);
    if (closeWhenDialogsEnd_) {
        closeWhenDialogsEnd_ = false;
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
    }
}

void TVelmora::FormClose() {
    // Destroying the window under an open dialog would save the settings halfway through
    // it and end the message loop the dialog runs in.
    if (dialogsOpen_ > 0) {
        closeWhenDialogsEnd_ = true;
        return;
    }
    DestroyWindow(Handle());
}
