// The base of every dialog of the library. A dialog is declared by a form description (a
// resource named after its class); the base builds its controls from it, owns the window,
// turns control notifications into events named by component, runs the dialog modally on
// the caller's thread with the dialog keys working and the application's idle handler
// called. What it registers or sets for the length of a call (its window class, the
// activation context of the themed controls) is the call scope's to undo (CallScope.h).
//
// A dialog class derives from TBaseForm, passes its class name to the constructor, and
// overrides HandleEvent to hand each event to its named handler (FormCreate and the like are
// virtual). The opener, inside its call scope, calls Create(), its own setters, ShowModal()
// and Destroy().
#pragma once
#include "Application.h"
#include "FormControls.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// Sent to a dialog with lParam a component name (zero-terminated, same process): answers the
// component's window, or null. Lets a test or a tool find controls the way the dialog does.
const UINT WM_FINDCOMPONENT = WM_USER + 100;
// Posted to a dialog to run the application's idle handler once the queue reaches it.
const UINT WM_RUNIDLE = WM_USER + 101;

// What happened to which component.
struct TFormEvent {
    enum class Kind {
        Click,      // a button was pressed
        Change,     // a text, a chosen entry, a page or a custom control's value changed
        SelectItem, // a list row gained (selected) or lost the selection
        CustomDraw, // a list asks how to draw (draw is set; result is what the list gets)
        ItemText,   // a list of rows kept by the form asks for a cell's text (display is set)
    };
    Kind kind;
    const std::string& component;
    int item = -1;
    bool selected = false;
    NMLVCUSTOMDRAW* draw = nullptr;
    NMLVDISPINFOA* display = nullptr;
    LRESULT result = 0;
};

// The library's own description of a dialog class, whatever the current resource module:
// what every dialog is built from, a language module's texts laid over it or not. Raises
// VelmoraError when the library holds none (FormDescriptionError when it cannot be read).
FormComponent OwnFormDescription(const std::string& className);

// A table from (component, kind) to a handler of dialog class T, searched in order.
template <typename T> struct TFormHandler {
    const char* component;
    TFormEvent::Kind kind;
    void (T::*handler)(TFormEvent& event);
};
template <typename T, size_t N>
bool DispatchFormEvent(T& form, const TFormHandler<T> (&table)[N], TFormEvent& event) {
    for (const TFormHandler<T>& entry : table) {
        if (entry.kind == event.kind && event.component == entry.component) {
            (form.*entry.handler)(event);
            return true;
        }
    }
    return false;
}

template <typename T> class TWindowProcedure;

class TBaseForm {
  public:
    explicit TBaseForm(std::string className);
    virtual ~TBaseForm();
    TBaseForm(const TBaseForm&) = delete;
    TBaseForm& operator=(const TBaseForm&) = delete;

    // Reads the description from the current resource module, builds the window and its
    // controls (hidden), then runs FormCreate. Raises VelmoraError when there is no usable
    // description.
    void Create();
    // Shows the dialog and runs its own message loop until a modal result is set and
    // FormClose leaves it set; then hides the dialog and returns the result.
    int ShowModal();
    // Runs FormDestroy and destroys the window; also done by the destructor of the class
    // that derives (call Destroy() there), so that FormDestroy still sees the whole object.
    void Destroy();

    HWND Handle() const { return handle_; }
    static TBaseForm* FromHandle(HWND window);
    // The dialogs that exist now, in the order they were created.
    static std::vector<TBaseForm*> OpenForms();
    // Where new dialogs take their descriptions from. The language switch sets one that lays
    // a language module's texts over the library's own; null (the start, when no language
    // module is held) reads the library's own (OwnFormDescription).
    using DescriptionReader = FormComponent (*)(const std::string& className);
    static void SetDescriptionReader(DescriptionReader reader);
    const std::string& ClassName() const { return className_; }
    // The control of a component (null when the description has none of that name).
    HWND Control(const std::string& name) const { return controls_.Window(name); }
    const TFormControls& Controls() const { return controls_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Re-reads the form's description from the current resource module over the open
    // dialog: components of the same name take its captions, hints, items and column
    // titles. Used after a language switch; false when the module has no description.
    bool ReReadDescription();
    // The same with a description at hand.
    void ApplyDescription(const FormComponent& translation);

    // Pixels at 96 dots per inch to pixels of this screen.
    int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    int Dpi() const { return dpi_; }

  protected:
    virtual void FormCreate() {}
    // Runs when a modal result ends the run; resetting it to mrNone keeps the dialog open.
    virtual void FormClose() {}
    virtual void FormDestroy() {}
    // The dialog's handlers: true when the event had one.
    virtual bool HandleEvent(TFormEvent& event) {
        (void)event;
        return false;
    }
    // Controls of kinds the base does not know (the date field): the dialog makes them.
    virtual HWND CreateCustomControl(const FormComponent& component, const RECT& bounds, int id) {
        (void)component;
        (void)bounds;
        (void)id;
        return nullptr;
    }
    // Messages the events do not cover; the default hands them to the dialog manager.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefDlgProcA(handle_, message, wParam, lParam);
    }
    // Raises an event for a component, as a control notification would.
    bool RaiseEvent(TFormEvent& event);

    // The application's idle handler while the dialog exists, and the one to put back.
    void TakeOverIdleHandler(TIdleHandler handler);
    void PutBackIdleHandler();

  private:
    friend class TWindowProcedure<TBaseForm>;
    static LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefDlgProcA(window, message, wParam, lParam);
    }
    // After a failure the dialog stays as it is and the message counts as handled.
    static constexpr bool defaultAfterFailure = false;
    LRESULT HandleCommand(WPARAM wParam, LPARAM lParam);
    LRESULT HandleNotify(NMHDR* header, bool* handled);
    void ShowActivePages();
    bool TranslateFormKeys(const MSG& message);
    void DisableOtherWindows();
    void EnableOtherWindows();

    std::string className_;
    HWND handle_ = nullptr;
    int dpi_ = 96;
    int modalResult_ = mrNone;
    bool created_ = false;
    bool idleTakenOver_ = false;
    TIdleHandler previousIdleHandler_;
    TFormControls controls_;
    std::vector<HWND> disabledWindows_;
};
