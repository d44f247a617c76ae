// Reading a signed 32-bit decimal number from text, as colours and stored numbers are kept.
#pragma once
#include <cstdint>
#include <string>

// True when the whole text is an optional sign and decimal digits within 32 bits.
bool ParseDecimalInt32(const std::string& text, int32_t* value);
// A number as calendar.ini stores it: signed decimal, or hexadecimal after "0x" (either case)
// up to 32 bits, where eight digits are a 32-bit pattern (a colour with its top bit set).
// False, with value untouched, for anything else. The library reads its settings so, and the
// window reads them so from a library older than GetOptionNumber.
bool ParseStoredNumber(const std::string& text, int32_t* value);
