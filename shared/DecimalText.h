// Reading a signed 32-bit decimal number from text, as colours and stored numbers are kept.
#pragma once
#include <cstdint>
#include <string>

// True when the whole text is an optional sign and decimal digits within 32 bits.
bool ParseDecimalInt32(const std::string& text, int32_t* value);
