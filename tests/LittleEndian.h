// Reading and patching the little-endian fields of a module's bytes, for the tests that damage
// a language module on purpose.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

inline uint32_t Little32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<size_t>(i)));
    return value;
}

inline void PutLittle32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(at + static_cast<size_t>(i)) = static_cast<char>(value >> (8 * i));
}
