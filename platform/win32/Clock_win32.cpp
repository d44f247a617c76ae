// Windows side of the clock, in a file of its own so that only modules that ask for the
// time import the OLE automation library.
#include "Clock.h"

#include <windows.h>
#include <oleauto.h>

double CurrentDateTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    double oleDate = 0;
    SystemTimeToVariantTime(&now, &oleDate);
    return oleDate;
}
