// The options dialog's decisions: values, rows, flags and previews, without a window.
#include "OptionsModel.h"
#include "DatePattern.h"
#include "Errors.h"
#include "MessageBoxes.h"
#include "TextCase.h"
#include "SubscribedCalendar.h"

#include <algorithm>

namespace {
// The spin edits offer what the settings table holds the stored values to.
SpinRange SettingRange(const char* key) {
    const SettingDescription* setting = FindSettingDescription(key);
    return {setting->minimum, setting->maximum};
}
} // namespace

const SpinRange fontSizeRange = SettingRange("fontsize");
const SpinRange listCountRange = SettingRange("listcount");
const SpinRange spacingRange = SettingRange("hspacing");

namespace {
const size_t maxTextLength = 255;

std::string Cut(const std::string& text) {
    return text.size() > maxTextLength ? text.substr(0, maxTextLength) : text;
}
} // namespace

int32_t ClampToRange(long long value, SpinRange range) {
    if (value < range.minimum)
        return range.minimum;
    if (value > range.maximum)
        return range.maximum;
    return static_cast<int32_t>(value);
}

std::vector<std::string> FontListEntries(const std::vector<std::string>& installedFamilies,
                                         const std::string& storedName) {
    std::vector<std::string> entries;
    auto addOnce = [&entries](const std::string& name) {
        if (FontEntryIndex(entries, name) < 0)
            entries.push_back(name);
    };
    addOnce("Default");
    for (const std::string& family : installedFamilies)
        if (!family.empty())
            addOnce(family);
    if (!storedName.empty())
        addOnce(storedName);
    std::stable_sort(entries.begin(), entries.end(), BeforeIgnoringCase);
    return entries;
}

int FontEntryIndex(const std::vector<std::string>& entries, const std::string& name) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (SameTextIgnoringCase(entries[i], name))
            return static_cast<int>(i);
    return -1;
}

int CentredLabelTop(int shapeTop, int shapeHeight, int letterXHeight) {
    return shapeTop + shapeHeight / 2 - letterXHeight / 2;
}

OptionsModel::OptionsModel(std::function<void(int32_t)> switchLanguage,
                           std::function<void()> accepted)
    : switchLanguage_(std::move(switchLanguage)), accepted_(std::move(accepted)) {}

void OptionsModel::Fill(const TCalendarOptions& settings, const std::vector<TEventType>& types) {
    if (switchLanguage_)
        switchLanguage_(settings.language);
    // The whole record, so that a setting added to it is edited and kept without a line here;
    // only what the controls cannot show is held to them.
    values_ = settings;
    values_.fontsize = ClampToRange(settings.fontsize, fontSizeRange);
    values_.dateformat = Cut(settings.dateformat);
    values_.listcount = static_cast<uint8_t>(ClampToRange(settings.listcount, listCountRange));
    values_.ttsize = ClampToRange(settings.ttsize, fontSizeRange);
    values_.hspacing = static_cast<uint8_t>(ClampToRange(settings.hspacing, spacingRange));
    values_.vspacing = static_cast<uint8_t>(ClampToRange(settings.vspacing, spacingRange));
    values_.subscribed = Cut(settings.subscribed);
    // The rows are the types themselves, not "name=colour" lines: a name holding "=" would
    // otherwise come back split at it.
    typeRows_ = types;
    TakeTypesAsBefore();
    selectedRow_ = -1;
    for (LanguageRow& row : languageRows_)
        row.checked = row.languageId == values_.language;
}

void OptionsModel::Shown(const std::vector<LanguageModule>& modules) {
    languageRows_.clear();
    for (const LanguageModule& module : modules)
        languageRows_.push_back(
            {module.languageId, module.caption, module.languageId == values_.language});
    modified_ = false;
}

bool OptionsModel::Accept(TCalendarOptions& settings) {
    // A save that fails changes nothing: the record and the types are what they were, so
    // that nothing stored later (the window's position at close) carries the unsaved values.
    const TCalendarOptions before = settings;
    const std::vector<TEventType> typesBefore = EventTypes();
    try {
        return AcceptAndSave(settings);
    } catch (...) {
        settings = before;
        ReplaceEventTypes(typesBefore);
        throw;
    }
}

bool OptionsModel::AcceptAndSave(TCalendarOptions& settings) {
    const bool languageChanged = values_.language != settings.language;
    // The window's place is the window's: the dialog never moves it.
    const int32_t top = settings.top, left = settings.left;
    settings = values_;
    settings.top = top;
    settings.left = left;
    ReplaceEventTypes(typeRows_);
    SaveSettings();
    const std::vector<TypeChange> changes = TypeChanges();
    TakeTypesAsBefore();
    MoveRenamedTypesReminders(changes);
    if (accepted_)
        accepted_();
    if (languageChanged)
        Fill(settings, EventTypes());
    return languageChanged;
}

void OptionsModel::TakeTypesAsBefore() {
    typesBefore_ = typeRows_;
    rowOrigins_.resize(typeRows_.size());
    for (size_t i = 0; i < rowOrigins_.size(); ++i)
        rowOrigins_[i] = static_cast<int>(i);
}

std::vector<TypeChange> OptionsModel::TypeChanges() const {
    std::vector<TypeChange> changes;
    for (const TEventType& type : typesBefore_)
        changes.push_back({type.Name, std::nullopt});
    for (size_t row = 0; row < typeRows_.size(); ++row) {
        const int origin = rowOrigins_[row];
        // A row emptied of its name is no type a reminder could be moved to, nor is a name
        // with a "}", which would end the stored type group early and turn the rest of the
        // name into the reminder's text.
        const std::string& name = typeRows_[row].Name;
        if (origin >= 0 && !name.empty() && name.find('}') == std::string::npos)
            changes[static_cast<size_t>(origin)].to = name;
    }
    return changes;
}

void OptionsModel::MoveRenamedTypesReminders(const std::vector<TypeChange>& changes) {
    // The types are saved by now: a move that fails changes no reminder file and is told,
    // and the accept stands, as the reminders still read under their old names.
    size_t moved = 0;
    try {
        moved = MoveRenamedReminders(changes);
    } catch (const VelmoraError& error) {
        ShowErrorBox(std::string("The reminders of the renamed types could not be moved; they "
                                 "keep their old type names. ") +
                     error.what());
        return;
    }
    if (moved)
        ShowInformationBox(MovedRemindersMessage(moved));
}

bool OptionsModel::Apply(TCalendarOptions& settings) {
    const bool filledAgain = Accept(settings);
    modified_ = false;
    return filledAgain;
}

void OptionsModel::SetFont(const std::string& name) {
    values_.font = Cut(name);
    Changed();
}
void OptionsModel::SetFontSize(int32_t size) {
    values_.fontsize = ClampToRange(size, fontSizeRange);
    Changed();
}
void OptionsModel::SetFontColour(int32_t colour) {
    values_.fontcolour = colour;
    Changed();
}
void OptionsModel::SetHighlight(int32_t colour) {
    values_.highlight = colour;
    Changed();
}
void OptionsModel::SetFirstDayItem(int item) {
    if (item < 0 || item > 6)
        return;
    values_.firstday = static_cast<uint8_t>(item + 1);
    Changed();
}
void OptionsModel::SetDateFormat(const std::string& pattern) {
    values_.dateformat = Cut(pattern);
    Changed();
}
void OptionsModel::SetListCount(int32_t count) {
    values_.listcount = static_cast<uint8_t>(ClampToRange(count, listCountRange));
    Changed();
}
void OptionsModel::SetColourCodingItem(int item) {
    if (item < 0 || item > 1)
        return;
    values_.colourcoding = static_cast<uint8_t>(item);
    Changed();
}
void OptionsModel::SetWeekNumbers(bool show) {
    values_.weeknumbers = show;
    Changed();
}

void OptionsModel::SetFillToday(bool fill) {
    values_.filltoday = fill;
    Changed();
}

void OptionsModel::SetTodayColour(int32_t colour) {
    values_.todaycolour = colour;
    Changed();
}

void OptionsModel::SetLoadOnStartup(bool load) {
    values_.loadonstartup = load;
    Changed();
}
void OptionsModel::SetOutline(bool outline) {
    values_.outline = outline;
    Changed();
}
void OptionsModel::SetTooltipFont(const std::string& name) {
    values_.ttfont = Cut(name);
    Changed();
}
void OptionsModel::SetTooltipFontSize(int32_t size) {
    values_.ttsize = ClampToRange(size, fontSizeRange);
    Changed();
}
void OptionsModel::SetTooltipColour(int32_t colour) {
    values_.ttcolour = colour;
    Changed();
}
void OptionsModel::SetTooltipBackground(int32_t colour) {
    values_.ttbackground = colour;
    Changed();
}
void OptionsModel::SetHSpacing(int32_t spacing) {
    values_.hspacing = static_cast<uint8_t>(ClampToRange(spacing, spacingRange));
    Changed();
}
void OptionsModel::SetVSpacing(int32_t spacing) {
    values_.vspacing = static_cast<uint8_t>(ClampToRange(spacing, spacingRange));
    Changed();
}

void OptionsModel::SetSubscribedFile(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    values_.subscribed = first == std::string::npos
                             ? std::string()
                             : Cut(text.substr(first, text.find_last_not_of(" \t") + 1 - first));
    Changed();
}
bool OptionsModel::SubscribedFileChosen(const std::string& fullPath) {
    const std::string stored = SubscribedStoredPath(fullPath);
    if (stored.size() > maxTextLength)
        return false;
    values_.subscribed = stored;
    Changed();
    return true;
}
std::string OptionsModel::SubscribedFullPathText() const {
    return SubscribedFullPath(values_.subscribed);
}
void OptionsModel::SetSubscribedColour(int32_t colour) {
    values_.subscribedcolour = colour;
    Changed();
}

int OptionsModel::FirstDayItem() const {
    return values_.firstday >= 1 && values_.firstday <= 7 ? values_.firstday - 1 : -1;
}
int OptionsModel::ColourCodingItem() const {
    return values_.colourcoding <= 1 ? values_.colourcoding : -1;
}

void OptionsModel::CheckLanguageRow(size_t row) {
    if (row >= languageRows_.size())
        return;
    for (size_t i = 0; i < languageRows_.size(); ++i)
        languageRows_[i].checked = i == row;
    values_.language = languageRows_[row].languageId;
    Changed();
}

void OptionsModel::SelectTypeRow(int row) {
    selectedRow_ = row >= 0 && static_cast<size_t>(row) < typeRows_.size() ? row : -1;
}

std::string OptionsModel::TypeNameText() const {
    return selectedRow_ >= 0 ? typeRows_[selectedRow_].Name : std::string();
}

void OptionsModel::EditTypeName(const std::string& name) {
    if (selectedRow_ < 0)
        return;
    typeRows_[selectedRow_].Name = Cut(name);
    Changed();
}

int32_t OptionsModel::SelectedTypeColour() const {
    return selectedRow_ >= 0 ? typeRows_[selectedRow_].Colour : 0;
}

void OptionsModel::TypeColourChosen(std::optional<int32_t> colour) {
    if (selectedRow_ < 0)
        return;
    if (colour)
        typeRows_[selectedRow_].Colour = *colour;
    Changed();
}

void OptionsModel::AddTypeRow() {
    typeRows_.push_back({"", NextTypeColour(typeRows_, values_.fontcolour)});
    rowOrigins_.push_back(-1);
    selectedRow_ = static_cast<int>(typeRows_.size()) - 1;
}

void OptionsModel::RemoveSelectedTypeRow() {
    if (selectedRow_ < 0)
        return;
    typeRows_.erase(typeRows_.begin() + selectedRow_);
    rowOrigins_.erase(rowOrigins_.begin() + selectedRow_);
    selectedRow_ = -1;
    // A shorter list is a change like any other: Apply has to be able to save it.
    Changed();
}

PreviewLook OptionsModel::CalendarPreview(double now) const {
    // An empty pattern is the calendar's default, the system's long date.
    const std::string pattern = values_.dateformat.empty() ? "dddddd" : values_.dateformat;
    return {values_.font, values_.fontsize, values_.fontcolour, 0, FormatDatePattern(pattern, now)};
}

PreviewLook OptionsModel::TooltipPreview() const {
    return {values_.ttfont, values_.ttsize, values_.ttcolour, values_.ttbackground,
            tooltipSampleText};
}

namespace {
const int32_t alertLeadChoices[] = {0, 5, 10, 15, 30, 60};
}

void OptionsModel::SetAlertLeadItem(int item) {
    if (item < 0 || item >= 6)
        return;
    values_.alertlead = alertLeadChoices[item];
    Changed();
}

int OptionsModel::AlertLeadItem() const {
    for (int item = 0; item < 6; ++item)
        if (alertLeadChoices[item] == values_.alertlead)
            return item;
    return 0;
}

void OptionsModel::SetAlertTomorrow(bool tomorrow) {
    values_.alerttomorrow = tomorrow;
    Changed();
}

void OptionsModel::SetAlertSound(bool sound) {
    values_.alertsound = sound;
    Changed();
}

void OptionsModel::SetHideTrayIcon(bool hide) {
    values_.hidetrayicon = hide;
    Changed();
}
