#include "TableLayout.h"

#include <algorithm>

namespace kyr {

namespace {

template <std::size_t N> std::array<int, N> RowEdges(int height) {
    std::array<int, N> y{};
    for (std::size_t r = 0; r < N; ++r)
        y[r] = height * static_cast<int>(r) / static_cast<int>(N - 1);
    return y;
}

} // namespace

TPositionLayout PositionLayout(int width, int height) {
    constexpr std::array<int, 6> units = {0, 7, 16, 23, 30, 37};
    TPositionLayout layout;
    for (std::size_t k = 0; k < units.size(); ++k)
        layout.X[k] = units[k] * width / 37;
    layout.Y = RowEdges<13>(height);
    const int s = std::min(width / 5, height / 12);
    layout.GlyphHeight = s * 2 / 3;
    layout.TextHeight = s / 2;
    return layout;
}

TCuspLayout CuspLayout(int width, int height) {
    constexpr std::array<int, 4> units = {0, 7, 16, 23};
    TCuspLayout layout;
    for (std::size_t k = 0; k < units.size(); ++k)
        layout.X[k] = units[k] * width / 23;
    layout.Y = RowEdges<13>(height);
    const int s = std::min(width / 3, height / 12);
    layout.GlyphHeight = s * 2 / 3;
    layout.TextHeight = s / 2;
    return layout;
}

TCell TAspectLayout::GlyphCell(int row, int column) const {
    return {X[column], Y[row], X[column + 1], Y[row] + RowHeight * 2 / 3};
}

TCell TAspectLayout::DeviationCell(int row, int column) const {
    return {X[column], Y[row + 1] - RowHeight / 3 - 2, X[column + 1], Y[row + 1]};
}

TAspectLayout AspectLayout(int width, int height) {
    TAspectLayout layout;
    for (int k = 0; k <= 15; ++k) {
        layout.X[k] = width * k / 15;
        layout.Y[k] = height * k / 15;
    }
    layout.RowHeight = height / 15;
    const int s = std::min(width / 15, height / 15);
    layout.GlyphHeight = s * 2 / 3;
    layout.TextHeight = s / 2;
    return layout;
}

TSymbolLayout SymbolLayout(int width, int height) {
    TSymbolLayout layout;
    layout.Y = RowEdges<39>(height);
    layout.X1 = 4 * (height / 38);
    layout.FontHeight = std::min(width / 2, height / 38);
    return layout;
}

} // namespace kyr
