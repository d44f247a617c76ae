// Every error or information box of both modules goes through here, so that tests can see
// them: the portable side records them, the Windows side shows real boxes.
#pragma once
#include <string>

void ShowErrorBox(const std::string& text);
// Caption "Information", one OK button.
void ShowInformationBox(const std::string& text);

enum class QuestionAnswer { Yes, No, Cancel };
// A question with Yes, No and Cancel buttons; closing the box answers Cancel.
QuestionAnswer AskYesNoCancel(const std::string& text);
