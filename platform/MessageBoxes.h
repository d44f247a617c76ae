// Every error or information box of both modules goes through here, so that tests can see
// them: the portable side records them, the Windows side shows real boxes.
#pragma once
#include <string>

void ShowErrorBox(const std::string& text);
void ShowInformationBox(const std::string& text);
