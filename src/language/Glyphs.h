// Symbol-font codes of bodies, signs, aspects and angles, shared by the language look-ups and
// the wheel, and the one place where a code becomes a character.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kyr {

/// Codes of the bodies by ordinal (body index 1..12 minus one).
constexpr std::array<std::uint8_t, 12> BodyGlyphCodes = {0xB8, 0x9B, 0xBE, 0xB1, 0xA1, 0xA5,
                                                         0x97, 0x86, 0x87, 0x88, 0xA8, 0x82};
/// Codes of the signs by ordinal (Aries = 0).
constexpr std::array<std::uint8_t, 12> SignGlyphCodes = {0xF7, 0x9A, 0xD0, 0x98, 0xAC, 0xAA,
                                                         0xAB, 0x85, 0x7D, 0x83, 0x8B, 0x8A};
/// Codes of the aspect numbers 0..12; '#' fills the numbers that never form aspects.
constexpr std::array<std::uint8_t, 13> AspectGlyphCodes = {0xB4, '#',  0xDE, 0xBC, 0xB5, '#', 0xB9,
                                                           '#',  0xBA, 0xA4, 0xAD, '#',  0xAF};

constexpr std::uint8_t AscendantGlyphCode = '|';     // cusp 1
constexpr std::uint8_t LowerMeridianGlyphCode = ']'; // cusp 4
constexpr std::uint8_t DescendantGlyphCode = 0xFE;   // cusp 7
constexpr std::uint8_t MidheavenGlyphCode = '[';     // cusp 10
constexpr std::uint8_t RetrogradeGlyphCode = 0xB6;
constexpr std::uint8_t UnknownGlyphCode = '?';

/// Symbol codes 24..32 stand for these aspect numbers.
constexpr std::array<int, 9> SymbolAspectNumbers = {0, 2, 3, 4, 6, 8, 9, 10, 12};

/// The code point that shows the glyph of a symbol-font code: U+F000 + code for symbols (the
/// font's private-use copies, since Qt draws nothing for U+00AD, the quincunx), the code
/// itself for other characters. Every glyph goes through here.
char32_t SymbolFontCodePoint(std::uint8_t code);
/// The same character as UTF-8.
std::string SymbolFontText(std::uint8_t code);

} // namespace kyr
