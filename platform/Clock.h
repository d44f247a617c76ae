// The current local date and time as an OLE Automation date (days since 30 December 1899,
// the fraction being the time of day).
#pragma once

double CurrentDateTime();
