// The texts of the chart tables, computed from a horoscope and a language without any window,
// so that the windows only draw them.
#pragma once

#include "ChartTypes.h"

#include <string>
#include <vector>

namespace kyr {

class THoroscope;
class TLanguage;

/// Number of rows of the symbol legend: symbol codes 0..37.
constexpr int SymbolRowCount = 38;

/// One body of the position table.
struct TPositionRow {
    std::string Glyph;     ///< the body's glyph
    std::string Position;  ///< degrees and minutes within the sign, "D.MM"
    std::string SignGlyph; ///< the glyph of the body's sign
    bool Retrograde = false;
    std::string House; ///< the body's house number
    bool operator==(const TPositionRow &) const = default;
};

/// One house cusp of the cusp table.
struct TCuspRow {
    std::string Label; ///< the angle's glyph for cusps 1, 4, 7, 10, else the number
    std::string Position;
    std::string SignGlyph;
    bool operator==(const TCuspRow &) const = default;
};

/// One entry of the symbol legend.
struct TSymbolRow {
    std::string Glyph;
    std::string Name; ///< at most 40 characters
    bool operator==(const TSymbolRow &) const = default;
};

/// One aspect in the aspect matrix; row and column are aspect points 1..14.
struct TAspectCell {
    int Row = 0;
    int Column = 0;
    std::string Glyph;
    std::string Deviation; ///< distance from exact, "D.MM"
    bool Partner = false;  ///< from the partner's list: drawn in the partner's colour
    int AspectNumber = 0;  ///< 0..12, the angle in 15 degree steps
    bool operator==(const TAspectCell &) const = default;
};

/// A longitude in D.MM degrees split into its sign (0..11) and the position within it.
struct TSignPosition {
    int Sign = 0;
    std::string Text; ///< "%4.2f" of the D.MM value within the sign, truncated to minutes
};
TSignPosition SignPosition(Extended degreesDm);

/// An aspect's deviation given in minutes of arc as "%4.2f" of its D.MM value.
std::string DeviationText(Extended minutes);

/// Bodies 1..12: glyph, position in the sign, sign glyph, retrograde flag, house.
std::vector<TPositionRow> PositionRows(const THoroscope &horoscope, const TLanguage &language);
/// Cusps 1..12: label, position in the sign, sign glyph.
std::vector<TCuspRow> CuspRows(const THoroscope &horoscope, const TLanguage &language);
/// Symbol codes 0..37: glyph and name.
std::vector<TSymbolRow> SymbolRows(const TLanguage &language);
/// The horoscope's aspects at (row a, column b), then, when it has a partner, the partner's
/// aspects with row and column exchanged.
std::vector<TAspectCell> AspectCells(const THoroscope &horoscope, const TLanguage &language);

} // namespace kyr
