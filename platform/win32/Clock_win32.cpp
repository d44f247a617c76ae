// Windows side of the clock, in a file of its own so that only modules that ask for the
// time import the OLE automation library.
#include "Clock.h"

#include <windows.h>

#include <oleauto.h>

#include <cmath>
#include <cstdlib>

#ifdef VELMORA_TEST_HOOKS
namespace {
// The time the tests set through VELMORA_NOW (see Clock.h); false when none is set.
bool TestNow(double* now) {
    char text[64] = "";
    const DWORD length = GetEnvironmentVariableA("VELMORA_NOW", text, sizeof text);
    if (length == 0 || length >= sizeof text)
        return false;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(value))
        return false;
    *now = value;
    return true;
}
} // namespace
#endif

double CurrentDateTime() {
    double oleDate = 0;
#ifdef VELMORA_TEST_HOOKS
    if (TestNow(&oleDate))
        return oleDate;
#endif
    SYSTEMTIME now;
    GetLocalTime(&now);
    SystemTimeToVariantTime(&now, &oleDate);
    return oleDate;
}
