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

#include <cctype>

namespace {
TCalendarOptions options;
bool loaded = false;

const char* const section = "options";
const char* const startupLocation = "<STARTUP>\\Calendar";
const size_t maxStringLength = 255;

// A stored number: signed decimal, or hexadecimal after "0x"; false for anything else.
bool ParseStoredInteger(const std::string& text, long long* value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        long long number = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const int digit = std::isdigit(static_cast<unsigned char>(text[i]))
                                  ? text[i] - '0'
                                  : std::isxdigit(static_cast<unsigned char>(text[i]))
                                        ? std::tolower(static_cast<unsigned char>(text[i])) - 'a' + 10
                                        : -1;
            if (digit < 0) return false;
            number = number * 16 + digit;
            if (number > 0xFFFFFFFFLL) return false;
        }
        // Eight hex digits are a 32-bit pattern, as a colour with its top bit set is stored.
        *value = number > 0x7FFFFFFFLL ? number - 0x100000000LL : number;
        return true;
    }
    int32_t decimal;
    if (!ParseDecimalInt32(text, &decimal)) return false;
    *value = decimal;
    return true;
}

class OptionsReader {
  public:
    explicit OptionsReader(const ProfileFileSections& file) : path_(file.Path()), section_(file, section) {}

    int32_t Integer(const char* key, int32_t defaultValue) const {
        long long value;
        if (!ParseStoredInteger(section_.Read(key, ""), &value)) return defaultValue;
        return static_cast<int32_t>(value);
    }
    uint8_t Byte(const char* key, uint8_t defaultValue) const {
        const int32_t value = Integer(key, defaultValue);
        if (value < 0 || value > 255) RangeFailure(key, value, "between 0 and 255");
        return static_cast<uint8_t>(value);
    }
    std::string String(const char* key, const std::string& defaultValue) const {
        return section_.Read(key, defaultValue, maxStringLength + 1);
    }
    [[noreturn]] void RangeFailure(const char* key, int32_t value, const char* range) const {
        throw RangeError("Range check error: the setting \"" + std::string(key) + "\" in section [" +
                         section + "] of \"" + path_ + "\" is " + std::to_string(value) +
                         "; it must be " + range + ".");
    }

  private:
    std::string path_;
    ProfileSection section_; // one read of the file for all eighteen keys
};

// The profile API says nothing when a write fails; the user is told, rather than finding
// their settings gone at the next start.
void WriteKey(const std::string& path, const char* key, const std::string& value) {
    if (!ProfileWriteString(path, section, key, value))
        throw VelmoraError("The settings could not be saved: \"" + path + "\" cannot be written.");
}
void WriteKey(const std::string& path, const char* key, long long value) {
    WriteKey(path, key, std::to_string(value));
}
} // namespace

TCalendarOptions& CalendarOptions() { return options; }
bool SettingsLoaded() { return loaded; }
std::string SettingsFileName() { return ProgramDirectory() + "calendar.ini"; }

void ResetSettings() {
    options = TCalendarOptions();
    loaded = false;
}

TCalendarOptions DefaultOptions() {
    TCalendarOptions defaults;
    defaults.top = -1;
    defaults.left = -1;
    defaults.font = "Arial";
    defaults.fontsize = 10;
    defaults.fontcolour = 0xFFFFFF;
    defaults.highlight = 0x800000;
    defaults.firstday = 1;
    defaults.dateformat = "";
    defaults.ttfont = "Arial";
    defaults.ttsize = 12;
    defaults.ttcolour = 0x800000;
    defaults.ttbackground = 0xFFFF00;
    defaults.hspacing = 4;
    defaults.vspacing = 2;
    defaults.listcount = 3;
    defaults.colourcoding = 0;
    defaults.loadonstartup = false;
    defaults.language = UserDefaultLanguageId();
    return defaults;
}

void LoadSettings() { LoadSettings(ProfileFileSections(SettingsFileName())); }

void LoadSettings(const ProfileFileSections& settingsFile) {
    const TCalendarOptions defaults = DefaultOptions();
    const OptionsReader read(settingsFile);
    TCalendarOptions loadedOptions;
    try {
        loadedOptions.firstday = read.Byte("firstday", defaults.firstday);
        loadedOptions.dateformat = read.String("dateformat", defaults.dateformat);
        loadedOptions.highlight = read.Integer("highlight", defaults.highlight);
        loadedOptions.font = read.String("font", defaults.font);
        loadedOptions.fontsize = read.Integer("fontsize", defaults.fontsize);
        loadedOptions.fontcolour = read.Integer("fontcolour", defaults.fontcolour);
        loadedOptions.top = read.Integer("top", defaults.top);
        loadedOptions.left = read.Integer("left", defaults.left);
        loadedOptions.ttfont = read.String("ttfont", defaults.ttfont);
        loadedOptions.ttsize = read.Integer("ttsize", defaults.ttsize);
        loadedOptions.ttcolour = read.Integer("ttcolour", defaults.ttcolour);
        loadedOptions.ttbackground = read.Integer("ttbackground", defaults.ttbackground);
        loadedOptions.hspacing = read.Byte("hspacing", defaults.hspacing);
        loadedOptions.vspacing = read.Byte("vspacing", defaults.vspacing);
        loadedOptions.listcount = read.Byte("listcount", defaults.listcount);
        loadedOptions.colourcoding = read.Byte("colourcoding", defaults.colourcoding);
        loadedOptions.loadonstartup = read.Integer("loadonstartup", defaults.loadonstartup ? 1 : 0) != 0;
        loadedOptions.language = read.Integer("language", defaults.language);
        if (loadedOptions.language < 0) read.RangeFailure("language", loadedOptions.language, "0 or more");
    } catch (const RangeError&) {
        options = defaults;
        throw;
    }
    options = loadedOptions;
    LoadEventTypes(settingsFile);
    loaded = true;
}

void LoadSettingsIfNeeded() {
    if (!loaded) LoadSettings();
}

void LoadSettingsIfNeeded(const ProfileFileSections& settingsFile) {
    if (!loaded) LoadSettings(settingsFile);
}

void SaveSettings() {
    const std::string path = SettingsFileName();
    WriteKey(path, "firstday", options.firstday);
    WriteKey(path, "dateformat", options.dateformat);
    WriteKey(path, "highlight", options.highlight);
    WriteKey(path, "font", options.font);
    WriteKey(path, "fontsize", options.fontsize);
    WriteKey(path, "fontcolour", options.fontcolour);
    WriteKey(path, "top", options.top);
    WriteKey(path, "left", options.left);
    WriteKey(path, "ttfont", options.ttfont);
    WriteKey(path, "ttsize", options.ttsize);
    WriteKey(path, "ttcolour", options.ttcolour);
    WriteKey(path, "ttbackground", options.ttbackground);
    WriteKey(path, "hspacing", options.hspacing);
    WriteKey(path, "vspacing", options.vspacing);
    WriteKey(path, "listcount", options.listcount);
    WriteKey(path, "colourcoding", options.colourcoding);
    WriteKey(path, "language", options.language);
    WriteKey(path, "loadonstartup", options.loadonstartup ? 1 : 0);
    // A link that cannot be written must not cost the user the reminder types: they are saved
    // first, and the one message about the link follows.
    std::string shortcutFailure;
    try {
        UpdateStartupShortcut(options.loadonstartup);
    } catch (const ShortcutError& error) {
        shortcutFailure = error.what();
    }
    SaveEventTypes();
    if (!shortcutFailure.empty()) throw VelmoraError(shortcutFailure);
}

void SavePositionOnly() {
    const std::string path = SettingsFileName();
    WriteKey(path, "top", options.top);
    WriteKey(path, "left", options.left);
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
