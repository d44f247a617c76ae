// The readme in Notepad: the one launch behind the window's "Read Me" and the dialogs' link
// and button.
#pragma once

// Starts "notepad.exe readme.txt" with the program directory as Notepad's current directory,
// so the readme beside the program opens whatever directory the caller is in. Not waited for;
// a failure to start is ignored, as a missing readme is (Notepad says so itself).
void OpenReadMe();
