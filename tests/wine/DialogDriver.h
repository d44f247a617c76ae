// Drives a library dialog from inside its own modal loop, as a user would: a thread-local CBT
// hook sees the dialog and every message box come up, and a thread timer plays a script of
// steps (clicks, typing, keys) one per tick, answering message boxes as they appear.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct SeenBox {
    std::string caption;
    std::string text;
    // The text of each edit field by its control id (the colour chooser's red, green, blue).
    std::map<int, std::string> fields;
};

class DialogDriver {
  public:
    using Step = std::function<void(DialogDriver&)>;

    explicit DialogDriver(std::string dialogClass);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Steps run one per tick once the dialog is up; boxes are answered first.
    void Then(Step step) { steps_.push_back(std::move(step)); }
    // The button the next message boxes are answered with, in order (IDOK when none is left).
    void AnswerBoxes(std::vector<int> answers) { answers_ = std::move(answers); }
    const std::vector<SeenBox>& Boxes() const { return boxes_; }
    // Steps that did not run because the dialog closed first, and whether it came up at all.
    size_t StepsLeft() const { return steps_.size() - next_; }
    bool DialogSeen() const { return seen_; }

    // --- For the steps ---
    HWND Dialog() const { return dialog_; }
    HWND Find(const char* component) const;
    bool Enabled(const char* component) const;
    bool Visible(const char* component) const;
    std::string Text(const char* component) const;
    // A click on a button; a click on a disabled one is a failure of the test.
    void Click(const char* button);
    // Focus to the control, everything in it selected, then the characters typed.
    void Type(const char* edit, const std::string& text);
    // A mouse click on a row of a list (its first column).
    void ClickRow(const char* list, int row);
    // A click on empty space below the rows of a list.
    void ClickBelowRows(const char* list);
    int SelectedRow(const char* list) const;
    int RowCount(const char* list) const;
    std::string Cell(const char* list, int row, int column) const;
    // Picks the entry with this text in a drop-down list, as the mouse would.
    void Choose(const char* combo, const std::string& entry);
    std::string Chosen(const char* combo) const;
    // A key pressed and released on the keyboard (with Alt, Ctrl or Shift held).
    void Key(WORD virtualKey, bool alt = false, bool control = false, bool shift = false);
    void ShowPage(int page);
    std::string FocusedComponentClass() const;
    HWND Focused() const;
    // Saves what the screen shows of the dialog (grown by margin pixels below and to the
    // right, for drop-downs) as a 24-bit BMP file.
    void SaveScreenshot(const std::string& path, int margin = 0) const;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunTick();

    std::string dialogClass_;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    HWND dialog_ = nullptr;
    HWND box_ = nullptr;
    HWND answered_ = nullptr;
    bool seen_ = false;
    bool settled_ = false;
    int busyTicks_ = 0;
    bool actedLastTick_ = false;
    int boxWait_ = 0;
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::vector<int> answers_;
    size_t nextAnswer_ = 0;
    std::vector<SeenBox> boxes_;
};
