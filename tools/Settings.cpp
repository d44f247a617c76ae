// The settings record, its load and save through the profile API, and the start-up shortcut.
#include "Settings.h"
#include "DecimalText.h"
#include "Errors.h"
#include "EventTypeUnit.h"
#include "FileSystem.h"
#include "Locale.h"
#include "ProfileFile.h"
#include "ProgramDirectory.h"
#include "Shortcut.h"
#include "TextCase.h"

#include <climits>

namespace {
TCalendarOptions options;
bool loaded = false;

const char* const section = "options";
const char* const startupLocation = "<STARTUP>\\Calendar";
const size_t maxStringLength = 255;

const int32_t int32Min = INT32_MIN;
const int32_t int32Max = INT32_MAX;

SettingDescription Number(const char* key, SettingKind kind, int32_t TCalendarOptions::*field, int32_t minimum,
                          int32_t maximum, int32_t defaultValue, int savedAt) {
    return {key, kind, minimum, maximum, defaultValue, "", savedAt, field, nullptr, nullptr, nullptr};
}
SettingDescription Byte(const char* key, uint8_t TCalendarOptions::*field, int32_t defaultValue, int savedAt,
                        int32_t maximum = 255) {
    return {key, SettingKind::Byte, 0, maximum, defaultValue, "", savedAt, nullptr, field, nullptr, nullptr};
}
SettingDescription Text(const char* key, std::string TCalendarOptions::*field, const char* defaultValue,
                        int savedAt) {
    return {key,     SettingKind::String, 0,       static_cast<int32_t>(maxStringLength), 0, defaultValue,
            savedAt, nullptr,             nullptr, nullptr,                               field};
}
SettingDescription Flag(const char* key, bool TCalendarOptions::*field, bool defaultValue, int savedAt) {
    return {key, SettingKind::Boolean, 0, 1, defaultValue ? 1 : 0, "", savedAt, nullptr, nullptr, field, nullptr};
}

// The sizes the options dialog's spin edits offer.
const int32_t smallestFontSize = 6, largestFontSize = 72, largestListCount = 200, largestSpacing = 250;

// The settings in the order they are read; the last number is each key's place in a save,
// which writes "language" before "loadonstartup".
using O = TCalendarOptions;
const SettingKind colour = SettingKind::Colour, integer = SettingKind::Integer;
// Built at its first use, as the options dialog's ranges are taken from it while the
// library's other constants are made.
const std::vector<SettingDescription>& Table() {
    static const std::vector<SettingDescription> table = {
        Byte("firstday", &O::firstday, 1, 0),
        Text("dateformat", &O::dateformat, "", 1),
        Number("highlight", colour, &O::highlight, int32Min, int32Max, 0x800000, 2),
        Text("font", &O::font, "Arial", 3),
        Number("fontsize", integer, &O::fontsize, smallestFontSize, largestFontSize, 10, 4),
        Number("fontcolour", colour, &O::fontcolour, int32Min, int32Max, 0xFFFFFF, 5),
        Number("top", integer, &O::top, int32Min, int32Max, -1, 6),
        Number("left", integer, &O::left, int32Min, int32Max, -1, 7),
        Text("ttfont", &O::ttfont, "Arial", 8),
        Number("ttsize", integer, &O::ttsize, smallestFontSize, largestFontSize, 12, 9),
        Number("ttcolour", colour, &O::ttcolour, int32Min, int32Max, 0x800000, 10),
        Number("ttbackground", colour, &O::ttbackground, int32Min, int32Max, 0xFFFF00, 11),
        Byte("hspacing", &O::hspacing, 4, 12, largestSpacing),
        Byte("vspacing", &O::vspacing, 2, 13, largestSpacing),
        Byte("listcount", &O::listcount, 3, 14, largestListCount),
        Byte("colourcoding", &O::colourcoding, 0, 15),
        Flag("loadonstartup", &O::loadonstartup, false, 17),
        // Its default is the user's own language, asked for when it is needed.
        Number("language", SettingKind::Language, &O::language, 0, int32Max, 0, 16),
        // Keys of later versions, after every older key, so that older copies keep their order.
        Flag("weeknumbers", &O::weeknumbers, false, 18),
        Flag("filltoday", &O::filltoday, false, 19),
        Number("todaycolour", colour, &O::todaycolour, int32Min, int32Max, 0x808080, 20),
        Flag("outline", &O::outline, true, 21),
        // A relative path is the program folder's. The colour is a plain one (teal by
        // default): the options dialog offers no system colours for it.
        Text("subscribed", &O::subscribed, "", 22),
        Number("subscribedcolour", colour, &O::subscribedcolour, 0, 0xFFFFFF, 0x808000, 23),
        // A lead that is none of the choices is taken as none by the window, not refused here:
        // one hand-edited key must not cost the user every other setting.
        Number("alertlead", integer, &O::alertlead, int32Min, int32Max, 0, 24),
        Flag("alerttomorrow", &O::alerttomorrow, false, 25),
        Flag("alertsound", &O::alertsound, true, 26),
        Flag("hidetrayicon", &O::hidetrayicon, false, 27),
    };
    return table;
}

void SetDefault(TCalendarOptions& record, const SettingDescription& setting) {
    if (setting.text) record.*setting.text = setting.defaultText;
    else if (setting.byte) record.*setting.byte = static_cast<uint8_t>(setting.defaultNumber);
    else if (setting.flag) record.*setting.flag = setting.defaultNumber != 0;
    else if (setting.kind == SettingKind::Language) record.*setting.integer = UserDefaultLanguageId();
    else record.*setting.integer = setting.defaultNumber;
}

int32_t DefaultNumber(const SettingDescription& setting) {
    TCalendarOptions record;
    SetDefault(record, setting);
    return SettingNumber(record, setting);
}

std::string RangeText(const SettingDescription& setting) {
    return setting.maximum == int32Max ? std::to_string(setting.minimum) + " or more"
                                       : "between " + std::to_string(setting.minimum) + " and " +
                                             std::to_string(setting.maximum);
}

// Names every bad value, so that one correction of the file is enough.
std::string RangeMessage(const std::string& path, const std::vector<SettingCorrection>& corrections) {
    std::string message;
    for (const SettingCorrection& correction : corrections) {
        const SettingDescription& setting = *FindSettingDescription(correction.key);
        message += message.empty() ? "Range check error: the setting \"" + correction.key + "\" in section [" +
                                         section + "] of \"" + path + "\" is "
                                   : "\r\nThe setting \"" + correction.key + "\" is ";
        message += std::to_string(correction.stored) + "; it must be " + RangeText(setting) + ".";
    }
    return message;
}

// Reads one setting into the record; a number outside its range is held to the nearest bound
// and noted.
void ReadSetting(const ProfileSection& stored, const SettingDescription& setting, TCalendarOptions& record,
                 std::vector<SettingCorrection>& corrections) {
    if (setting.text) {
        record.*setting.text = stored.Read(setting.key, setting.defaultText, maxStringLength + 1);
        return;
    }
    int32_t value;
    if (!ParseStoredNumber(stored.Read(setting.key, ""), &value))
        value = DefaultNumber(setting);
    if (setting.flag) {
        record.*setting.flag = value != 0;
        return;
    }
    if (value < setting.minimum || value > setting.maximum) {
        const int32_t used = value < setting.minimum ? setting.minimum : setting.maximum;
        corrections.push_back({setting.key, value, used});
        value = used;
    }
    if (setting.byte) record.*setting.byte = static_cast<uint8_t>(value);
    else record.*setting.integer = value;
}

std::string StoredText(const TCalendarOptions& record, const SettingDescription& setting) {
    return setting.text ? record.*setting.text : std::to_string(SettingNumber(record, setting));
}

// Section "options" as it is to be saved: the lines it holds now, with each of these settings
// put in the place of its key (the first, as the first is what is read) or added at the end.
// Keys that are not settings, which the user or another copy may have put there, are kept.
std::vector<std::string> OptionLines(std::vector<std::string> lines,
                                     const std::vector<const SettingDescription*>& update) {
    std::vector<bool> placed(update.size(), false);
    for (std::string& line : lines) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        for (size_t i = 0; i < update.size(); ++i) {
            if (placed[i] || !SameTextIgnoringCase(line.substr(0, equals), update[i]->key))
                continue;
            line = std::string(update[i]->key) + "=" + StoredText(options, *update[i]);
            placed[i] = true;
            break;
        }
    }
    for (size_t i = 0; i < update.size(); ++i)
        if (!placed[i]) lines.push_back(std::string(update[i]->key) + "=" + StoredText(options, *update[i]));
    return lines;
}

// Saves section "options" with these settings put in, and the other sections given. The
// file's lines are read as they are now; a file that cannot be read is not replaced, as
// whatever it holds would be lost. The user is told why, rather than finding their settings
// gone at the next start.
void SaveOptions(const std::vector<const SettingDescription*>& update, std::vector<ProfileSectionLines> others) {
    const std::string path = SettingsFileName();
    try {
        const ProfileFileSections file(path, settingsReadWait);
        others.insert(others.begin(), {section, OptionLines(file.Section(section), update)});
        ProfileReplaceSections(path, others, settingsReadWait);
    } catch (const VelmoraError& error) {
        throw VelmoraError("The settings could not be saved: " + std::string(error.what()));
    }
}
} // namespace

const std::vector<SettingDescription>& SettingDescriptions() { return Table(); }

const SettingDescription* FindSettingDescription(const std::string& key) {
    for (const SettingDescription& setting : Table())
        if (SameTextIgnoringCase(setting.key, key))
            return &setting;
    return nullptr;
}

int32_t SettingNumber(const TCalendarOptions& record, const SettingDescription& setting) {
    if (setting.byte)
        return record.*setting.byte;
    if (setting.flag)
        return record.*setting.flag ? 1 : 0;
    return setting.integer ? record.*setting.integer : 0;
}

TCalendarOptions& CalendarOptions() { return options; }
bool SettingsLoaded() {
    return loaded;
}
const int settingsReadWait = 1000;

void ResetSettings() {
    options = TCalendarOptions();
    loaded = false;
}

TCalendarOptions DefaultOptions() {
    TCalendarOptions defaults;
    for (const SettingDescription& setting : Table()) SetDefault(defaults, setting);
    return defaults;
}

SettingsReading ReadSettings(const ProfileFileSections& settingsFile) {
    const ProfileSection stored(settingsFile, section); // one read of the file for every key
    SettingsReading reading{DefaultOptions(), {}};
    for (const SettingDescription& setting : Table()) ReadSetting(stored, setting, reading.record, reading.corrections);
    return reading;
}

std::string CorrectionsMessage(const std::vector<SettingCorrection>& corrections) {
    std::string message = "Some settings in section [" + std::string(section) + "] of \"" + SettingsFileName() +
                          "\" are out of range:";
    for (const SettingCorrection& correction : corrections) {
        message += "\r\n\"" + correction.key + "\" is " + std::to_string(correction.stored) + "; " +
                   std::to_string(correction.used) + " is shown instead.";
    }
    return message + "\r\n\r\nOK or Apply stores the values shown; Cancel leaves the file as it is.";
}

void LoadSettings() { LoadSettings(ProfileFileSections(SettingsFileName(), settingsReadWait)); }

void LoadSettings(const ProfileFileSections& settingsFile) {
    SettingsReading reading;
    try {
        reading = ReadSettings(settingsFile);
    } catch (const UnreadableFileError&) {
        options = DefaultOptions();
        loaded = false;
        throw;
    }
    if (!reading.corrections.empty()) {
        // The window position cannot be out of range: it is kept.
        options = DefaultOptions();
        options.top = reading.record.top;
        options.left = reading.record.left;
        loaded = false;
        throw RangeError(RangeMessage(settingsFile.Path(), reading.corrections));
    }
    LoadEventTypes(settingsFile);
    options = reading.record;
    loaded = true;
}

std::vector<SettingCorrection> LoadSettingsForEditing() {
    const ProfileFileSections settingsFile(SettingsFileName(), settingsReadWait);
    SettingsReading reading = ReadSettings(settingsFile);
    LoadEventTypes(settingsFile);
    options = reading.record;
    loaded = reading.corrections.empty();
    return reading.corrections;
}

void LoadSettingsIfNeeded() {
    if (!loaded) LoadSettings();
}

void LoadSettingsIfNeeded(const ProfileFileSections& settingsFile) {
    if (!loaded) LoadSettings(settingsFile);
}

void SaveSettings() {
    std::vector<const SettingDescription*> inSaveOrder(Table().size());
    for (const SettingDescription& setting : Table()) inSaveOrder[static_cast<size_t>(setting.savedAt)] = &setting;
    // Settings and types go in one replacement, so the file is never half old and half new.
    SaveOptions(inSaveOrder, {EventTypesSection()});
    loaded = true;
    // The link follows the saved file, so a link that cannot be written costs the user nothing
    // else; its one message (a ShortcutError) reaches the caller's error box.
    UpdateStartupShortcut(options.loadonstartup);
}

void SavePositionOnly() {
    std::vector<ProfileSectionLines> others;
    // The file's first write keeps the starter types it was offered without (LoadEventTypes).
    if (!FileExists(SettingsFileName())) {
        LoadEventTypes();
        others.push_back(EventTypesSection());
    }
    SaveOptions({FindSettingDescription("top"), FindSettingDescription("left")}, others);
}

void UpdateStartupShortcut(bool loadOnStartup) {
    if (loadOnStartup) {
        CreateShortcut(ProgramExecutablePath(), "", ProgramDirectory(), startupLocation);
        return;
    }
    const std::string path = ResolveShortcutLocation(startupLocation);
    if (path.empty() || !FileExists(path)) return;
    try {
        DeleteFileIfPresent(path);
    } catch (const VelmoraError&) {
        // A shortcut that cannot be removed is left; the user's settings are saved all the same.
    }
}
