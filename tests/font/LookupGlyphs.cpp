#include "LookupGlyphs.h"

#include "Glyphs.h"
#include "Language.h"

#include <QList>
#include <QString>

#include <functional>
#include <set>

std::vector<TLookupGlyph> LookupGlyphs() {
    const kyr::TLanguage language;
    using TLookup = std::function<std::string(int)>;
    const struct {
        const char *Name;
        TLookup Lookup;
        int First, Last;
    } lookups[] = {
        {"BodyGlyph", [&](int i) { return language.BodyGlyph(i); }, -1, 12},
        {"SignGlyph", [&](int i) { return language.SignGlyph(i); }, -1, 12},
        {"AspectGlyph", [&](int e) { return language.AspectGlyph(e); }, -1, 13},
        {"CuspGlyph", [&](int n) { return language.CuspGlyph(n); }, 0, 13},
        {"PointGlyph", [&](int p) { return language.PointGlyph(p); }, -1, 111},
        {"SymbolGlyph", [&](int c) { return language.SymbolGlyph(c); }, -1, 38},
    };
    std::vector<TLookupGlyph> glyphs;
    std::set<char32_t> seen;
    for (const auto &lookup : lookups)
        for (int i = lookup.First; i <= lookup.Last; ++i)
            for (char32_t c : QString::fromStdString(lookup.Lookup(i)).toUcs4())
                if (seen.insert(c).second)
                    glyphs.push_back({c, std::string(lookup.Name) + "(" + std::to_string(i) + ")"});
    return glyphs;
}

std::vector<std::uint8_t> SymbolCodes() {
    std::set<std::uint8_t> codes(kyr::BodyGlyphCodes.begin(), kyr::BodyGlyphCodes.end());
    codes.insert(kyr::SignGlyphCodes.begin(), kyr::SignGlyphCodes.end());
    for (std::uint8_t code : kyr::AspectGlyphCodes)
        if (code != '#')
            codes.insert(code);
    codes.insert({kyr::AscendantGlyphCode, kyr::LowerMeridianGlyphCode, kyr::DescendantGlyphCode,
                  kyr::MidheavenGlyphCode, kyr::RetrogradeGlyphCode});
    return {codes.begin(), codes.end()};
}
