// Windows side of the message boxes.
#include "MessageBoxes.h"

#include <windows.h>

void ShowErrorBox(const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), "Velmora", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
void ShowInformationBox(const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), "Velmora", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}
