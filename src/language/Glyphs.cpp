#include "Glyphs.h"

namespace kyr {

namespace {

// "#" fills the aspect numbers that have no glyph; it stays an ordinary character.
constexpr std::uint8_t AspectFillerCode = '#';
// "KYR Sans Serif" carries every symbol a second time at this base plus its code.
constexpr char32_t PrivateUseBase = 0xF000;

constexpr bool IsSymbolCode(std::uint8_t code) {
    for (std::uint8_t c : BodyGlyphCodes)
        if (c == code)
            return true;
    for (std::uint8_t c : SignGlyphCodes)
        if (c == code)
            return true;
    for (std::uint8_t c : AspectGlyphCodes)
        if (c == code && c != AspectFillerCode)
            return true;
    return code == AscendantGlyphCode || code == LowerMeridianGlyphCode ||
           code == DescendantGlyphCode || code == MidheavenGlyphCode || code == RetrogradeGlyphCode;
}

} // namespace

char32_t SymbolFontCodePoint(std::uint8_t code) {
    // Qt draws the Latin-1 codes of the symbols, except U+00AD (the quincunx): a soft hyphen
    // is invisible. So symbols go out as the font's private-use copies; digits and the fill
    // characters stay as they are.
    return IsSymbolCode(code) ? PrivateUseBase + code : code;
}

std::string SymbolFontText(std::uint8_t code) {
    const char32_t c = SymbolFontCodePoint(code);
    // The private-use copies take three bytes, other characters one or two.
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    if (c < 0x800)
        return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

} // namespace kyr
