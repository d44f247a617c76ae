// Windows side of the time zone: the system's rules for the user's zone, daylight saving
// time included, through its conversion of a UTC time.
#include "TimeZone.h"

#include <windows.h>

#include <oleauto.h>

#include <cmath>

int LocalUtcOffsetMinutes(double utcDateTime) {
    SYSTEMTIME utc, local;
    if (!VariantTimeToSystemTime(utcDateTime, &utc))
        return 0;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return 0;
    double localDateTime = 0;
    if (!SystemTimeToVariantTime(&local, &localDateTime))
        return 0;
    return static_cast<int>(std::lround((localDateTime - utcDateTime) * 24 * 60));
}
