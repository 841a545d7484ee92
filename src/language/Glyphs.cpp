#include "Glyphs.h"

namespace kyr {

char32_t SymbolFontCodePoint(std::uint8_t code) {
    return code;
}

std::string SymbolFontText(std::uint8_t code) {
    const char32_t c = SymbolFontCodePoint(code);
    // General encoder, so that a later mapping beyond U+07FF needs no change here.
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
