// The system check made before the window turns transparent: the "/noversion" switch, the
// version rule and the text of the box that ends the program on an unsuitable system.
#pragma once
#include <string>
#include <vector>

// arguments: the command line's arguments after the program name.
bool SkipsVersionCheck(const std::vector<std::string>& arguments);
// "" when the system family and version are suitable, else the reason.
std::string VersionCheckReason(unsigned platformId, unsigned majorVersion);
std::string InitialisationErrorText(const std::string& reason, unsigned platformId,
                                    unsigned majorVersion);
