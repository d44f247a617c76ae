// The options dialog's decisions: values, rows, flags and previews, without a window.
#include "OptionsModel.h"
#include "TextCase.h"
#include "DatePattern.h"

#include <algorithm>
#include <cctype>

const SpinRange fontSizeRange = {6, 72};
const SpinRange listCountRange = {0, 200};
const SpinRange spacingRange = {0, 250};

namespace {
const size_t maxTextLength = 255;

std::string Cut(const std::string& text) {
    return text.size() > maxTextLength ? text.substr(0, maxTextLength) : text;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
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
    std::stable_sort(entries.begin(), entries.end(), LessIgnoringCase);
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
    values_.font = settings.font;
    values_.fontsize = ClampToRange(settings.fontsize, fontSizeRange);
    values_.fontcolour = settings.fontcolour;
    values_.highlight = settings.highlight;
    values_.firstday = settings.firstday;
    values_.dateformat = Cut(settings.dateformat);
    values_.listcount = static_cast<uint8_t>(ClampToRange(settings.listcount, listCountRange));
    values_.colourcoding = settings.colourcoding;
    values_.loadonstartup = settings.loadonstartup;
    values_.language = settings.language;
    values_.ttfont = settings.ttfont;
    values_.ttsize = ClampToRange(settings.ttsize, fontSizeRange);
    values_.ttcolour = settings.ttcolour;
    values_.ttbackground = settings.ttbackground;
    values_.hspacing = static_cast<uint8_t>(ClampToRange(settings.hspacing, spacingRange));
    values_.vspacing = static_cast<uint8_t>(ClampToRange(settings.vspacing, spacingRange));
    values_.alertlead = settings.alertlead;
    values_.alerttomorrow = settings.alerttomorrow;
    values_.alertsound = settings.alertsound;
    values_.hidetrayicon = settings.hidetrayicon;
    // The rows are the types themselves, not "name=colour" lines: a name holding "=" would
    // otherwise come back split at it.
    typeRows_ = types;
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
    settings.font = values_.font;
    settings.fontsize = values_.fontsize;
    settings.fontcolour = values_.fontcolour;
    settings.highlight = values_.highlight;
    settings.firstday = values_.firstday;
    settings.dateformat = values_.dateformat;
    settings.listcount = values_.listcount;
    settings.colourcoding = values_.colourcoding;
    const bool languageChanged = values_.language != settings.language;
    settings.loadonstartup = values_.loadonstartup;
    settings.language = values_.language;
    settings.ttfont = values_.ttfont;
    settings.ttsize = values_.ttsize;
    settings.ttcolour = values_.ttcolour;
    settings.ttbackground = values_.ttbackground;
    settings.hspacing = values_.hspacing;
    settings.vspacing = values_.vspacing;
    settings.alertlead = values_.alertlead;
    settings.alerttomorrow = values_.alerttomorrow;
    settings.alertsound = values_.alertsound;
    settings.hidetrayicon = values_.hidetrayicon;
    ReplaceEventTypes(typeRows_);
    SaveSettings();
    if (accepted_)
        accepted_();
    if (languageChanged)
        Fill(settings, EventTypes());
    return languageChanged;
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
void OptionsModel::SetLoadOnStartup(bool load) {
    values_.loadonstartup = load;
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
    typeRows_.push_back({"", values_.fontcolour});
    selectedRow_ = static_cast<int>(typeRows_.size()) - 1;
}

void OptionsModel::RemoveSelectedTypeRow() {
    if (selectedRow_ < 0)
        return;
    typeRows_.erase(typeRows_.begin() + selectedRow_);
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
