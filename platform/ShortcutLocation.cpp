// Turns a shortcut location such as "<STARTUP>\Calendar" into the path of its .lnk file.
// The token table and its order are fixed: the first token that begins the location wins.
#include "Shortcut.h"

#include "TextCase.h"

namespace {
struct TFolderToken {
    const char* Name;
    // The shell's folder number (its CSIDL value); -1 for the one folder it does not know.
    int FolderId;
};
const TFolderToken folderTokens[] = {
    {"DESKTOP", 0x00},          {"INTERNET", 0x01},          {"PROGRAMS", 0x02},
    {"CONTROLS", 0x03},         {"PRINTERS", 0x04},          {"PERSONAL", 0x05},
    {"FAVORITES", 0x06},        {"STARTUP", 0x07},           {"RECENT", 0x08},
    {"SENDTO", 0x09},           {"BITBUCKET", 0x0A},         {"STARTMENU", 0x0B},
    {"DESKTOPDIRECTORY", 0x10}, {"DRIVES", 0x11},            {"NETWORK", 0x12},
    {"NETHOOD", 0x13},          {"FONTS", 0x14},             {"TEMPLATES", 0x15},
    {"COMMON_STARTMENU", 0x16}, {"COMMON_PROGRAMS", 0x17},   {"COMMON_STARTUP", 0x18},
    {"COMMON_DESKTOPDIRECTORY", 0x19}, {"APPDATA", 0x1A},    {"PRINTHOOD", 0x1B},
    {"ALTSTARTUP", 0x1D},       {"COMMON_ALTSTARTUP", 0x1E}, {"COMMON_FAVORITES", 0x1F},
    {"INTERNET_CACHE", 0x20},   {"COOKIES", 0x21},           {"HISTORY", 0x22},
    {"QUICK_LAUNCH", -1},
};
const std::string quickLaunch = "QUICK_LAUNCH";
} // namespace

int SpecialFolderId(const std::string& token) {
    for (const TFolderToken& folder : folderTokens)
        if (SameTextIgnoringCase(folder.Name, token)) return folder.FolderId;
    return -1;
}

ShortcutError::ShortcutError(const std::string& location)
    : VelmoraError("The start-up shortcut could not be written to \"" +
                   (ResolveShortcutLocation(location).empty() ? location : ResolveShortcutLocation(location)) +
                   "\". The calendar will not start with Windows until it can be.") {}

std::string ResolveShortcutLocation(const std::string& location) {
    for (const TFolderToken& token : folderTokens) {
        const std::string tokenText = std::string("<") + token.Name + ">";
        if (!BeginsWithIgnoringCase(location, tokenText)) continue;
        std::string folder;
        if (token.Name == quickLaunch) {
            std::string appData = SpecialFolderPath("APPDATA");
            if (!appData.empty()) folder = appData + "\\Microsoft\\Internet Explorer\\Quick Launch";
        } else {
            folder = SpecialFolderPath(token.Name);
        }
        if (folder.empty()) return "";
        return folder + location.substr(tokenText.size()) + ".lnk";
    }
    return "";
}
