// Shell links (.lnk files) and the special folders they are placed in.
#pragma once
#include <string>

// The path of a shell special folder, by its token name without brackets ("STARTUP",
// "APPDATA", ...); empty when the system has no such folder.
std::string SpecialFolderPath(const std::string& token);
// The full .lnk path for a location such as "<STARTUP>\Calendar", or "" when the location
// begins with no known folder token.
std::string ResolveShortcutLocation(const std::string& location);
// Writes one shell link at the resolved location.
void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workingDirectory, const std::string& location);
