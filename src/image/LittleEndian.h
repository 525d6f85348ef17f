// Unsigned integers in the device's images: least significant byte first, no alignment.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>

namespace veldrin {

template <std::unsigned_integral T> void PutLittleEndian(char* at, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        at[i] = static_cast<char>(static_cast<std::uint8_t>(value >> (8 * i)));
}

template <std::unsigned_integral T> T GetLittleEndian(const char* at)
{
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value = static_cast<T>(value |
                               static_cast<T>(static_cast<T>(static_cast<std::uint8_t>(at[i])) << (8 * i)));
    return value;
}

} // namespace veldrin
