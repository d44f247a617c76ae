// Turns a shortcut location such as "<STARTUP>\Calendar" into the path of its .lnk file.
// The token table and its order are fixed: the first token that begins the location wins.
#include "Shortcut.h"

#include <cctype>

namespace {
const char* const folderTokens[] = {
    "<DESKTOP>",          "<INTERNET>",         "<PROGRAMS>",
    "<CONTROLS>",         "<PRINTERS>",         "<PERSONAL>",
    "<FAVORITES>",        "<STARTUP>",          "<RECENT>",
    "<SENDTO>",           "<BITBUCKET>",        "<STARTMENU>",
    "<DESKTOPDIRECTORY>", "<DRIVES>",           "<NETWORK>",
    "<NETHOOD>",          "<FONTS>",            "<TEMPLATES>",
    "<COMMON_STARTMENU>", "<COMMON_PROGRAMS>",  "<COMMON_STARTUP>",
    "<COMMON_DESKTOPDIRECTORY>", "<APPDATA>",   "<PRINTHOOD>",
    "<ALTSTARTUP>",       "<COMMON_ALTSTARTUP>", "<COMMON_FAVORITES>",
    "<INTERNET_CACHE>",   "<COOKIES>",          "<HISTORY>",
    "<QUICK_LAUNCH>",
};

bool BeginsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}
} // namespace

ShortcutError::ShortcutError(const std::string& location)
    : VelmoraError("The start-up shortcut could not be written to \"" +
                   (ResolveShortcutLocation(location).empty() ? location : ResolveShortcutLocation(location)) +
                   "\". The calendar will not start with Windows until it can be.") {}

std::string ResolveShortcutLocation(const std::string& location) {
    for (const char* token : folderTokens) {
        std::string tokenText = token;
        if (!BeginsWithIgnoringCase(location, tokenText)) continue;
        std::string folder;
        if (tokenText == "<QUICK_LAUNCH>") {
            std::string appData = SpecialFolderPath("APPDATA");
            if (!appData.empty()) folder = appData + "\\Microsoft\\Internet Explorer\\Quick Launch";
        } else {
            folder = SpecialFolderPath(tokenText.substr(1, tokenText.size() - 2));
        }
        if (folder.empty()) return "";
        return folder + location.substr(tokenText.size()) + ".lnk";
    }
    return "";
}
