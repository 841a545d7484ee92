// Every character the language component's glyph look-ups hand out, for the font test and the
// specimen sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TLookupGlyph {
    char32_t CodePoint;
    /// The first look-up that gave it, as "BodyGlyph(0)".
    std::string Source;
};

/// In the order first met, each character once; look-ups are asked for every argument they
/// answer and one beyond each end.
std::vector<TLookupGlyph> LookupGlyphs();

/// The codes that carry a symbol (bodies, signs, aspects, angles, the retrograde mark), read
/// from the code tables rather than from the mapping under test.
std::vector<std::uint8_t> SymbolCodes();
