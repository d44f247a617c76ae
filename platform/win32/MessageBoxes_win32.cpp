// Windows side of the message boxes.
#include "MessageBoxes.h"

#include <windows.h>

void ShowErrorBox(const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), "Velmora", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
void ShowInformationBox(const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), "Information",
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}
QuestionAnswer AskYesNoCancel(const std::string& text) {
    switch (MessageBoxA(GetActiveWindow(), text.c_str(), "Confirm",
                        MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL)) {
    case IDYES:
        return QuestionAnswer::Yes;
    case IDNO:
        return QuestionAnswer::No;
    default:
        return QuestionAnswer::Cancel;
    }
}
