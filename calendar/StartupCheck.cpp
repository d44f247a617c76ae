// The start-up system check's rules and message.
#include "StartupCheck.h"

#include "TextCase.h"

bool SkipsVersionCheck(const std::vector<std::string>& arguments) {
    return !arguments.empty() && SameTextIgnoringCase(arguments.front(), "/noversion");
}

std::string VersionCheckReason(unsigned platformId, unsigned majorVersion) {
    // Colour-key layering came with the NT family's version 5.
    const unsigned ntFamily = 2;
    if (platformId == ntFamily && majorVersion >= 5) return "";
    return "Windows 2000/XP required.";
}

std::string InitialisationErrorText(const std::string& reason, unsigned platformId,
                                    unsigned majorVersion) {
    return "There was an error during initialisation.\r\n\r\n" + reason + "\r\n" + "Platform Id:" +
           std::to_string(platformId) + "\r\n" + "Version:    " + std::to_string(majorVersion);
}
