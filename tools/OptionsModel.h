// What the options dialog decides, apart from its windows: the values its controls stand for,
// the reminder-type rows and their selection, the language rows, the modified flag, what is
// enabled, the content of both previews, and the fill and accept that move the values between
// the dialog and the settings record. The dialog's window turns messages into calls here and
// shows what this says.
#pragma once
#include "EventTypeUnit.h"
#include "LanguageModules.h"
#include "Settings.h"
#include "TypeRenames.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct SpinRange {
    int32_t minimum;
    int32_t maximum;
};
extern const SpinRange fontSizeRange;  // fontsize, ttsize
extern const SpinRange listCountRange; // listcount
extern const SpinRange spacingRange;   // hspacing, vspacing

// The nearest value of the range.
int32_t ClampToRange(long long value, SpinRange range);

// The entries of a font list: "Default" and each installed family once, sorted as one list
// (case ignored). A stored name that none of them matches is an entry of its own, so that
// the dialog can show it and hand it back unchanged.
std::vector<std::string> FontListEntries(const std::vector<std::string>& installedFamilies,
                                         const std::string& storedName);
// The first entry equal to name with case ignored, or -1.
int FontEntryIndex(const std::vector<std::string>& entries, const std::string& name);

// A row of the dialog's language list.
struct LanguageRow {
    int32_t languageId;
    std::string caption;
    bool checked;
};

// What a preview label shows. Colours are 0x00BBGGRR.
struct PreviewLook {
    std::string fontName;
    int32_t fontSize;
    int32_t textColour;
    int32_t background; // the tooltip preview's fill; the calendar preview takes the desktop's
    std::string text;
};
// The top of a label centred in its shape by the height of the letter "X" in its font.
int CentredLabelTop(int shapeTop, int shapeHeight, int letterXHeight);
const char* const tooltipSampleText = "Sample tooltip";

class OptionsModel {
  public:
    // switchLanguage runs at the start of every fill; accepted (may be empty) after every
    // accept, once the settings are saved.
    OptionsModel(std::function<void(int32_t language)> switchLanguage,
                 std::function<void()> accepted);

    // The settings record and the reminder types become the dialog's values. The modified
    // flag is not touched: the fill is not an edit.
    void Fill(const TCalendarOptions& settings, const std::vector<TEventType>& types);
    // The dialog is about to show: the language rows are built from the modules found, the
    // stored language checked, and the modified flag cleared.
    void Shown(const std::vector<LanguageModule>& modules);
    // The dialog's values become the settings record and the reminder types, which are then
    // saved; then the accepted procedure runs; a changed language fills the dialog again.
    // Returns whether it did, so that the window shows the fill. A failed save stops here and
    // leaves the record and the types as they were.
    bool Accept(TCalendarOptions& settings);
    // Apply: the accept, then the modified flag cleared.
    bool Apply(TCalendarOptions& settings);

    // The values the controls stand for, as the accept will take them.
    const TCalendarOptions& Values() const { return values_; }
    bool Modified() const { return modified_; }
    // After Apply's accept procedure has run.
    void ClearModified() { modified_ = false; }

    // --- Changes made by the user: each sets the modified flag ---
    void SetFont(const std::string& name);
    void SetFontSize(int32_t size);
    void SetFontColour(int32_t colour);
    void SetHighlight(int32_t colour);
    // The radio group's item: 0 = Sunday ... 6 = Saturday.
    void SetFirstDayItem(int item);
    void SetDateFormat(const std::string& pattern);
    void SetListCount(int32_t count);
    void SetColourCodingItem(int item);
    void SetLoadOnStartup(bool load);
    void SetOutline(bool outline);
    void SetTooltipFont(const std::string& name);
    void SetTooltipFontSize(int32_t size);
    void SetTooltipColour(int32_t colour);
    void SetTooltipBackground(int32_t colour);
    void SetHSpacing(int32_t spacing);
    void SetVSpacing(int32_t spacing);
    void SetWeekNumbers(bool show);
    void SetFillToday(bool fill);
    void SetTodayColour(int32_t colour);
    // Today's colour only means something while today is filled.
    bool TodayColourEnabled() const { return values_.filltoday; }
    // The alert lead list's item: 0 = at the time, then 5, 10, 15, 30 and 60 minutes before.
    void SetAlertLeadItem(int item);
    void SetAlertTomorrow(bool tomorrow);
    void SetAlertSound(bool sound);
    void SetHideTrayIcon(bool hide);

    // The radio items the values select, or -1 when a stored value is none of them.
    int FirstDayItem() const;
    int ColourCodingItem() const;
    // The lead list's item; a stored lead that is none of the choices shows as "at the time".
    int AlertLeadItem() const;

    // --- Language list: a check click leaves that row alone checked ---
    const std::vector<LanguageRow>& LanguageRows() const { return languageRows_; }
    bool LanguageGroupVisible() const { return !languageRows_.empty(); }
    void CheckLanguageRow(size_t row);

    // --- Reminder Types page ---
    const std::vector<TEventType>& TypeRows() const { return typeRows_; }
    int SelectedTypeRow() const { return selectedRow_; }
    // -1 clears the selection.
    void SelectTypeRow(int row);
    // What the name field shows: the selected row's name, or nothing.
    std::string TypeNameText() const;
    // The name field, the colour button and Remove work on exactly one selected row.
    bool TypeRowControlsEnabled() const { return selectedRow_ >= 0; }
    bool ApplyEnabled() const { return modified_; }
    void EditTypeName(const std::string& name);
    // The colour the colour chooser opens with; 0 without a selected row.
    int32_t SelectedTypeColour() const;
    // The colour chooser closed: with a colour when the user confirmed one.
    void TypeColourChosen(std::optional<int32_t> colour);
    // Appends a row with no name and selects it. Its colour is the next of the palette that
    // no row has and that is not the calendar's font colour (NextTypeColour).
    void AddTypeRow();
    void RemoveSelectedTypeRow();

    // The types as they were at the fill (or the last accept), each with what its row became:
    // rows are followed by identity, not by name, so two types renamed into each other
    // swap, and a name given up by one row can be taken by another. A row emptied of its
    // name, or given one with a "}", moves nothing.
    std::vector<TypeChange> TypeChanges() const;

    // --- Subscribed calendar ---
    // The file field as typed; blank (or spaces alone) for none.
    void SetSubscribedFile(const std::string& text);
    // A file chosen in the file dialog, by its full path: stored relative to the program
    // folder when it is inside it. False, and nothing changed, for a path longer than the
    // setting holds, which would otherwise be stored cut and name another file.
    bool SubscribedFileChosen(const std::string& fullPath);
    // The full path of the named file, for the file dialog to open on; "" for none.
    std::string SubscribedFullPathText() const;
    void SetSubscribedColour(int32_t colour);
    // The colour means something only while a file is named.
    bool SubscribedColourEnabled() const { return !values_.subscribed.empty(); }

    // --- Previews ---
    PreviewLook CalendarPreview(double now) const;
    PreviewLook TooltipPreview() const;

  private:
    void Changed() { modified_ = true; }
    bool AcceptAndSave(TCalendarOptions& settings);
    void TakeTypesAsBefore();
    void MoveRenamedTypesReminders(const std::vector<TypeChange>& changes);

    std::function<void(int32_t)> switchLanguage_;
    std::function<void()> accepted_;
    TCalendarOptions values_;
    std::vector<TEventType> typeRows_;
    // The types of the last fill or accept, and for each row the index of the one it was
    // (-1 for a row added since).
    std::vector<TEventType> typesBefore_;
    std::vector<int> rowOrigins_;
    int selectedRow_ = -1;
    std::vector<LanguageRow> languageRows_;
    bool modified_ = false;
};
