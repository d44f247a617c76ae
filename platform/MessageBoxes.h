// Every error or information box of both modules goes through here, so that tests can see
// them: the portable side records them, the Windows side shows real boxes.
#pragma once
#include <string>

// The window property by which a window that keeps itself beneath all others is known. A box
// owned by such a window is stacked with it, beneath everything, where nobody sees it; boxes
// are therefore never owned by it.
constexpr const char* KeptBelowWindowProperty = "VelmoraKeptBelow";

void ShowErrorBox(const std::string& text);
// Caption "Information", one OK button.
void ShowInformationBox(const std::string& text);

enum class QuestionAnswer { Yes, No, Cancel };
// A question with Yes, No and Cancel buttons; closing the box answers Cancel.
QuestionAnswer AskYesNoCancel(const std::string& text);
