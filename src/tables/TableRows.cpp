#include "TableRows.h"
#include "TextHelpers.h"

#include "Angles.h"
#include "Horoscope.h"
#include "Language.h"

#include <cstdio>

namespace kyr {

namespace {

constexpr std::size_t SymbolNameLength = 40;

// D.MM values of whole minutes lie a hair off their decimal (25°11' is 25.10999…, and every
// aspect deviation is a whole number of minutes); truncating without this slack would show
// such values a minute short.
constexpr Extended HundredthSlack = 1e-7L;

std::string HundredthsText(Extended value) {
    const Extended truncated = Trunc(value * 100 + HundredthSlack) / 100.0L;
    char text[32];
    std::snprintf(text, sizeof text, "%4.2Lf", truncated);
    return text;
}

void AddAspects(const THoroscope &horoscope, const TLanguage &language, bool partner,
                std::vector<TAspectCell> &cells) {
    int a = 0;
    int b = 0;
    int e = 0;
    Extended deviation = 0;
    for (int n = 1; horoscope.GetAspect(n, a, b, e, deviation); ++n) {
        // A record outside the matrix cannot be drawn; the aspect pass never makes one.
        if (a < 1 || a > AspectPointCount || b < 1 || b > AspectPointCount)
            continue;
        cells.push_back({partner ? b : a, partner ? a : b, language.AspectGlyph(e),
                         DeviationText(deviation), partner, e});
    }
}

} // namespace

TSignPosition SignPosition(Extended degreesDm) {
    // 360° (a position at the very end of the circle) counts as 0° Aries.
    const auto sign = static_cast<int>(Trunc(degreesDm / 30));
    return {sign % 12, HundredthsText(degreesDm - 30 * sign)};
}

std::string DeviationText(Extended minutes) {
    return HundredthsText(HoursToHm(minutes / 60));
}

std::vector<TPositionRow> PositionRows(const THoroscope &horoscope, const TLanguage &language) {
    std::vector<TPositionRow> rows;
    rows.reserve(BodyCount);
    for (int b = 1; b <= BodyCount; ++b) {
        const TSignPosition position = SignPosition(horoscope.PositionDeg(b));
        rows.push_back({language.BodyGlyph(b - 1), position.Text, language.SignGlyph(position.Sign),
                        horoscope.Retrograde(b), std::to_string(horoscope.HouseOfBody(b - 1))});
    }
    return rows;
}

std::vector<TCuspRow> CuspRows(const THoroscope &horoscope, const TLanguage &language) {
    std::vector<TCuspRow> rows;
    rows.reserve(12);
    // Equal cusps 4 and 10 lie square to the Ascendant, not on the meridian: they are
    // numbered instead of carrying the IC and MC glyphs.
    const bool equal = horoscope.HouseSystem() == HouseEqual;
    for (int c = 1; c <= 12; ++c) {
        const TSignPosition position = SignPosition(horoscope.CuspDeg(c));
        const std::string label =
            equal && (c == 4 || c == 10) ? std::to_string(c) : language.CuspGlyph(c);
        rows.push_back({label, position.Text, language.SignGlyph(position.Sign)});
    }
    return rows;
}

std::vector<TSymbolRow> SymbolRows(const TLanguage &language) {
    std::vector<TSymbolRow> rows;
    rows.reserve(SymbolRowCount);
    for (int code = 0; code < SymbolRowCount; ++code)
        rows.push_back({language.SymbolGlyph(code),
                        FirstCharacters(language.SymbolName(code), SymbolNameLength)});
    return rows;
}

std::vector<TAspectCell> AspectCells(const THoroscope &horoscope, const TLanguage &language) {
    std::vector<TAspectCell> cells;
    AddAspects(horoscope, language, false, cells);
    if (const THoroscope *partner = horoscope.Partner())
        AddAspects(*partner, language, true, cells);
    return cells;
}

} // namespace kyr
