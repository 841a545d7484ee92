// Grid edges and font heights of the chart tables, from the client size alone, so that the
// windows and the tests share one set of numbers.
#pragma once

#include <array>

namespace kyr {

/// A cell in client pixels; right and bottom are the next cell's edges.
struct TCell {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TCell &) const = default;
};

/// extent · part / whole, the product in 64 bits so that no extent can overflow it.
int Share(int extent, long long part, long long whole);

/// Body positions: five columns over 37 units (glyph, position, sign, retrograde, house),
/// twelve rows.
struct TPositionLayout {
    std::array<int, 6> X{};
    std::array<int, 13> Y{};
    int GlyphHeight = 0;
    int TextHeight = 0;
};
TPositionLayout PositionLayout(int width, int height);

/// House cusps: three columns over 23 units (label, position, sign), twelve rows.
struct TCuspLayout {
    std::array<int, 4> X{};
    std::array<int, 13> Y{};
    int GlyphHeight = 0;
    int TextHeight = 0;
};
TCuspLayout CuspLayout(int width, int height);

/// The aspect matrix: 15 × 15 cells, the points 1..14 along row 0 and column 0.
struct TAspectLayout {
    std::array<int, 16> X{};
    std::array<int, 16> Y{};
    int RowHeight = 0; ///< height div 15
    int GlyphHeight = 0;
    int TextHeight = 0;

    /// Upper part of cell (column, row): the aspect glyph.
    TCell GlyphCell(int row, int column) const;
    /// Lower part of cell (column, row): the deviation.
    TCell DeviationCell(int row, int column) const;
};
TAspectLayout AspectLayout(int width, int height);

/// The symbol legend: 38 rows, a glyph column four rows wide, the names to its right.
struct TSymbolLayout {
    int X1 = 0;
    std::array<int, 39> Y{};
    int FontHeight = 0;
};
TSymbolLayout SymbolLayout(int width, int height);

} // namespace kyr
