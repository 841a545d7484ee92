#include "TableLayout.h"

#include <algorithm>
#include <climits>

namespace kyr {

namespace {

template <std::size_t N> std::array<int, N> RowEdges(int height) {
    std::array<int, N> y{};
    for (std::size_t r = 0; r < N; ++r)
        y[r] = Share(height, static_cast<long long>(r), static_cast<long long>(N - 1));
    return y;
}

} // namespace

int Share(int extent, long long part, long long whole) {
    if (whole == 0)
        return 0;
    const long long share = static_cast<long long>(extent) * part / whole;
    return static_cast<int>(std::clamp<long long>(share, INT_MIN, INT_MAX));
}

TPositionLayout PositionLayout(int width, int height) {
    constexpr std::array<int, 6> units = {0, 7, 16, 23, 30, 37};
    TPositionLayout layout;
    for (std::size_t k = 0; k < units.size(); ++k)
        layout.X[k] = Share(width, units[k], 37);
    layout.Y = RowEdges<13>(height);
    const int s = std::min(width / 5, height / 12);
    layout.GlyphHeight = Share(s, 2, 3);
    layout.TextHeight = s / 2;
    return layout;
}

TCuspLayout CuspLayout(int width, int height) {
    constexpr std::array<int, 4> units = {0, 7, 16, 23};
    TCuspLayout layout;
    for (std::size_t k = 0; k < units.size(); ++k)
        layout.X[k] = Share(width, units[k], 23);
    layout.Y = RowEdges<13>(height);
    const int s = std::min(width / 3, height / 12);
    layout.GlyphHeight = Share(s, 2, 3);
    layout.TextHeight = s / 2;
    return layout;
}

TCell TAspectLayout::GlyphCell(int row, int column) const {
    return {X[column], Y[row], X[column + 1], Y[row] + Share(RowHeight, 2, 3)};
}

TCell TAspectLayout::DeviationCell(int row, int column) const {
    return {X[column], Y[row + 1] - RowHeight / 3 - 2, X[column + 1], Y[row + 1]};
}

TAspectLayout AspectLayout(int width, int height) {
    TAspectLayout layout;
    for (int k = 0; k <= 15; ++k) {
        layout.X[k] = Share(width, k, 15);
        layout.Y[k] = Share(height, k, 15);
    }
    layout.RowHeight = height / 15;
    const int s = std::min(width / 15, height / 15);
    layout.GlyphHeight = Share(s, 2, 3);
    layout.TextHeight = s / 2;
    return layout;
}

TSymbolLayout SymbolLayout(int width, int height) {
    TSymbolLayout layout;
    layout.Y = RowEdges<39>(height);
    layout.X1 = Share(height / 38, 4, 1);
    layout.FontHeight = std::min(width / 2, height / 38);
    return layout;
}

} // namespace kyr
