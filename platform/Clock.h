// The current local date and time as an OLE Automation date (days since 30 December 1899,
// the fraction being the time of day).
//
// Test hook of the Windows side, compiled only into the test build of the two modules
// (VELMORA_TEST_HOOKS, build/win/testbin): while the environment variable VELMORA_NOW holds an
// OLE date as a decimal number (39146.4375 is 5 March 2007, 10:30), that is "now" for
// Calendar.exe and TOOLS.DLL alike, so the window tests see the same days whatever day they
// run on. Unset, or not a number, the system's clock is used; the shipped modules always use
// it. The portable side is set by SetPortableNow.
#pragma once

double CurrentDateTime();
