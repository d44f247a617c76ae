// The exports of TOOLS.DLL, declared once for both sides of the boundary: the library
// defines them, and the window and the tests bind them by name through the pointer types
// derived here, so a change of any signature breaks the build of every caller.
#pragma once
#include "ExportConvention.h"

#include <cstdint>

// The window's procedure that ShowOptions calls after each accepted change; may be null.
using TOptionsCallback = void(VELMORA_CALL*)();

// Opens the options dialog and returns when it is closed: 1 for OK, 2 otherwise.
VELMORA_EXPORT int32_t VELMORA_CALL ShowOptions(TOptionsCallback callback);
VELMORA_EXPORT void VELMORA_CALL GetOptions(int32_t* top, int32_t* left, unsigned char* font,
                                            int32_t fontCapacity, int32_t* fontsize,
                                            int32_t* fontcolour, int32_t* highlight,
                                            uint8_t* firstday, unsigned char* ttfont,
                                            int32_t ttfontCapacity, int32_t* ttsize,
                                            int32_t* ttcolour, int32_t* ttbackground,
                                            uint8_t* listcount, uint8_t* colourcoding,
                                            unsigned char* dateformat, int32_t dateformatCapacity,
                                            uint8_t* hspacing, uint8_t* vspacing);
VELMORA_EXPORT void VELMORA_CALL SetOptions(int32_t top, int32_t left);
VELMORA_EXPORT void VELMORA_CALL GetItems(char** buffer, uint32_t* length, double date);
VELMORA_EXPORT void VELMORA_CALL ComingUp(int32_t count, char** buffer, uint32_t* length, double date);
VELMORA_EXPORT void VELMORA_CALL AddEntry(double date);
// Calendar files: the number of reminders imported or exported, or -1 after a failure shown
// in the error box. A null path asks for the file in the standard file dialog (0 when the
// user cancels it) and shows a summary at the end.
VELMORA_EXPORT int32_t VELMORA_CALL ImportCalendarFile(const char* path);
VELMORA_EXPORT int32_t VELMORA_CALL ExportCalendarFile(const char* path);
// A number or on/off setting of [options] by its key, as the library reads and checks it (its
// default when it is absent); 0 for a key the library does not know, the value then as it was.
VELMORA_EXPORT int32_t VELMORA_CALL GetOptionNumber(const char* key, int32_t* value);

// What a caller binds by name; never linked.
using TShowOptionsFunction = decltype(&ShowOptions);
using TGetOptionsFunction = decltype(&GetOptions);
using TSetOptionsFunction = decltype(&SetOptions);
using TGetItemsFunction = decltype(&GetItems);
using TComingUpFunction = decltype(&ComingUp);
using TAddEntryFunction = decltype(&AddEntry);
using TImportCalendarFileFunction = decltype(&ImportCalendarFile);
using TExportCalendarFileFunction = decltype(&ExportCalendarFile);
using TGetOptionNumberFunction = decltype(&GetOptionNumber);
