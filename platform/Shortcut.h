// Shell links (.lnk files) and the special folders they are placed in.
//
// The contract both sides keep: CreateShortcut either leaves the link written or raises
// ShortcutError, whose text is the one message the user is shown for it - no special folder
// for the location, no shell link object, or a save that fails. Removing a link is not part
// of this seam: where the folder is missing there is no link, and that is no failure.
#pragma once
#include "Errors.h"

#include <string>

class ShortcutError : public VelmoraError {
  public:
    // location as the caller gave it ("<STARTUP>\Calendar"); the text names the resolved path
    // when there is one.
    explicit ShortcutError(const std::string& location);
};

// The shell's number for a special folder token ("STARTUP"; any letter case), -1 when it has
// none. One table of tokens serves both sides of the seam.
int SpecialFolderId(const std::string& token);
// The path of a shell special folder, by its token name without brackets ("STARTUP",
// "APPDATA", ...); empty when the system has no such folder.
std::string SpecialFolderPath(const std::string& token);
// The full .lnk path for a location such as "<STARTUP>\Calendar", or "" when the location
// begins with no known folder token or the system has no such folder.
std::string ResolveShortcutLocation(const std::string& location);
// Writes one shell link at the resolved location, creating the link's own folder when it is
// missing; raises ShortcutError when the link cannot be written.
void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workingDirectory, const std::string& location);
