// The Windows-1252 (Western) code page as one 256-entry table, usable at compile time.
// Recordings and the message table store their texts in this code page.
#pragma once

#include <array>
#include <cstdint>

namespace cp1252_detail {
// Bytes 0x80..0x9F, the only ones that differ from Latin-1. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the same value, as the
// Windows converters do, so that every byte survives a round trip through Unicode.
inline constexpr char16_t Haut[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> FaireTable() {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = static_cast<char16_t>(b);
    for (int b = 0; b < 32; ++b) table[0x80 + b] = Haut[b];
    return table;
}
} // namespace cp1252_detail

// Unicode code point (all in the basic plane) of each Windows-1252 byte.
inline constexpr std::array<char16_t, 256> TableCp1252 = cp1252_detail::FaireTable();

// Windows-1252 byte of a Unicode code point, or -1 when the code page has none.
constexpr int Cp1252DepuisUnicode(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<int>(u);
    for (int b = 0x80; b < 0xA0; ++b)
        if (TableCp1252[b] == u) return b;
    return -1;
}
