// The date-pattern formatter on any pattern and any date, and the two patterns the queries
// make from settings and the system's format: each ends, stays in bounds and keeps to a size
// that follows from the pattern.
#include "DatePattern.h"
#include "Queries.h"

#include "FuzzSupport.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8)
        return 0;
    double date;
    std::memcpy(&date, data, sizeof date);
    const std::string pattern(reinterpret_cast<const char*>(data + 8), size - 8);
    // A run of letters gives at most the longest name or a whole system date; anything else
    // gives at most the separator or the character itself.
    const size_t bound = 64 * (pattern.size() + 1);
    for (const std::string& used :
         {pattern, ItemsDatePattern(pattern), ComingUpDatePattern(pattern)}) {
        const std::string text = FormatDatePattern(used, date);
        if (text.size() > bound)
            FuzzFailure("a date text of " + std::to_string(text.size()) + " characters");
    }
    return 0;
}
