// A day file of any bytes, then GetItems of its day and ComingUp from it.
#include "FuzzSupport.h"

#include <string>

namespace {
const double day = 39146; // 5 March 2007
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetLibrary();
    static const bool once = [] {
        WriteFuzzFile("calendar.ini",
                      "[eventtypes]\r\nBirthday=255\r\nSystem=-2147483643\r\nx|y=7\r\n");
        return true;
    }();
    (void)once;
    WriteFuzzFile("data/2007-03-05.txt", std::string(reinterpret_cast<const char*>(data), size));
    const std::string items = FuzzGetItems(day);
    if (items.rfind("Monday March 5 2007", 0) != 0)
        FuzzFailure("the heading is missing");
    FuzzComingUp(size % 7 + 1, day - 1);
    return 0;
}
