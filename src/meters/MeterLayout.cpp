#include "MeterLayout.h"

#include "Angles.h"
#include "Calendar.h"

#include <algorithm>

namespace kyr {

bool SetSpanFrom(TYearSpan &span, int y) {
    if (y == span.From)
        return false;
    span.From = y;
    if (y >= span.To || y + 3 < span.To)
        span.To = y + 1;
    return true;
}

bool SetSpanTo(TYearSpan &span, int y) {
    if (y == span.To)
        return false;
    span.To = y;
    if (span.From >= y || span.From + 3 < y)
        span.From = y - 1;
    return true;
}

int TransitAreaWidth(int width, int textWidth) {
    const int columns = width - 2 * (textWidth / 2) - 2;
    return columns < 0 ? 10 : columns;
}

int BarHeight(Extended value, int plotHeight) {
    return static_cast<int>(Trunc(value * plotHeight));
}

TTransitLayout LayoutTransitMeter(const TMeterRect &r, int textWidth, int textHeight, int tickSize,
                                  const TYearSpan &span) {
    TTransitLayout m;
    // Half a label's width is kept free on both sides so the first and last year labels fit.
    m.L = r.Left + textWidth / 2 - 1;
    m.Rt = r.Right - textWidth / 2;
    m.T = r.Top;
    m.B = r.Bottom - textHeight - tickSize;
    m.W = m.Rt - m.L + 1;
    m.H = m.B - m.T + 1;
    m.Years = span.To - span.From;
    m.Months = 12 * m.Years;
    const int minor = MinorTickLength(tickSize);
    for (int k = 1; k <= m.Months; ++k)
        m.Ticks.push_back({(k - 1) * m.W / m.Months + m.L, (k - 1) % 3 == 0 ? tickSize : minor});
    m.Ticks.push_back({m.Rt - 1, tickSize});
    for (int y = 0; y <= m.Years; ++y)
        m.Labels.push_back(
            {m.Ticks[static_cast<std::size_t>(12 * y)].X - textWidth / 2, m.B + tickSize});
    m.PlotArea = {m.L + 2, m.T + 2, m.Rt - 2, m.B - 2};
    return m;
}

std::string YearLabel(int year) {
    return std::to_string(year % 100);
}

std::vector<std::vector<TMeterPoint>> TransitPrintPolygons(const TTransitLayout &layout,
                                                           std::span<const Extended> values,
                                                           int maxValues) {
    std::vector<std::vector<TMeterPoint>> polygons;
    if (maxValues <= 0)
        return polygons;
    const int last = std::min(maxValues, static_cast<int>(values.size()) - 1);
    const int width = layout.W - 4;
    const int height = layout.H - 6;
    const int base = layout.B - 2;
    const auto positive = [&](int i) {
        return BarHeight(values[static_cast<std::size_t>(i)], layout.PlotHeight()) > 0;
    };
    const auto point = [&](int i) {
        const int y = base - static_cast<int>(Trunc(height * values[static_cast<std::size_t>(i)]));
        return TMeterPoint{width * i / maxValues + layout.L + 2, std::max(y, layout.T + 2)};
    };
    for (int i = 0; i < last;) {
        if (!positive(i)) {
            ++i;
            continue;
        }
        int end = i;
        while (end < last && positive(end + 1))
            ++end;
        if (end > i) {
            std::vector<TMeterPoint> polygon;
            for (int j = i; j <= end; ++j)
                polygon.push_back(point(j));
            polygon.push_back({polygon.back().X, base});
            polygon.push_back({polygon.front().X, base});
            polygons.push_back(std::move(polygon));
        }
        i = end + 1;
    }
    return polygons;
}

int TransitCursorDate(int x, const TMeterRect &plotArea, const TYearSpan &span) {
    const Extended j0 = JulianDay0(span.From, 1, true, 1);
    const Extended j1 = JulianDay0(span.To, 1, true, 1);
    Extended j = j0;
    // Before the first paint the plot area has no width; the scale start is all there is.
    if (plotArea.Right != plotArea.Left)
        j += Extended(x - plotArea.Left) * (j1 - j0) / (plotArea.Right - plotArea.Left);
    return YmdFromJulianDay(1500, j);
}

int ClampProgress(int value, int minValue, int maxValue) {
    return value < minValue ? minValue : std::min(value, maxValue);
}

int ProgressPercentage(int progress, int minValue, int maxValue) {
    if (maxValue == minValue)
        return 0;
    return (progress - minValue) * 100 / (maxValue - minValue);
}

TMeterRect AspectBarRect(TMeterKind kind, int width, int height, int percentage) {
    if (kind == mkVerticalBar) {
        const int a = height - 2;
        int b = a * percentage / 100;
        // The full bar stops under the inner border.
        if (b >= height - 3)
            b = height - 4;
        return {2, a - b, width - 2, a};
    }
    const int w = width - 2;
    const int b = std::min(w * percentage / 100, w);
    if (b < 1)
        return {};
    return {2, 2, b, height - 2};
}

} // namespace kyr
