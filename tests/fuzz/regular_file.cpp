// A regular.dat of any bytes, then GetItems and ComingUp on a day near the one its first
// record names (or a fixed one): the exports stay inside the window's buffers and hand out
// item text the readers can take apart, whatever the records hold.
#include "DateUtils.h"
#include "FuzzSupport.h"

#include <cmath>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetLibrary();
    WriteFuzzFile("data/regular.dat", std::string(reinterpret_cast<const char*>(data), size));
    double date = 39146; // 5 March 2007
    if (size >= 8) {
        double stored;
        std::memcpy(&stored, data, sizeof stored);
        // Near the first record's start, as a query of the window would be.
        if (IsCalendarDay(stored))
            date = std::floor(stored) + (size % 40);
    }
    FuzzGetItems(date);
    FuzzGetItems(date + 1);
    FuzzComingUp(static_cast<int32_t>(size % 12), date);
    return 0;
}
