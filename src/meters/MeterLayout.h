// Where the parts of the transit and aspect meters go, in pixels, without any drawing: the
// widgets and the printed picture paint what these functions compute.
#pragma once

#include "ChartTypes.h"

#include <span>
#include <string>
#include <vector>

namespace kyr {

/// A device rectangle whose Right and Bottom lie just outside it, like a client rectangle.
struct TMeterRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TMeterRect &) const = default;
};

struct TMeterPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TMeterPoint &) const = default;
};

enum TBorderStyle { bsNone, bsSingle };

// --- transit meter ---------------------------------------------------------------------------

/// Number of values the meter holds, index 0..2047.
constexpr int TransitMeterValueCount = 2048;
/// Length of the quarter ticks and gap under the scale at creation.
constexpr int DefaultTickSize = 5;

/// The year scale: always one, two or three years, From < To.
struct TYearSpan {
    int From = 1995;
    int To = 1998;
};

/// Sets the first year; a span that would become empty or longer than three years shrinks to
/// one year. False when y equals the first year already.
bool SetSpanFrom(TYearSpan &span, int y);
/// Sets the year the scale ends with; keeps the span 1..3 years by moving the first year.
bool SetSpanTo(TYearSpan &span, int y);

/// Minor tick length for a quarter tick length.
constexpr int MinorTickLength(int tickSize) {
    return tickSize * 3 / 5;
}

/// Number of bar columns of a meter this wide, textWidth being the width of "00".
int TransitAreaWidth(int width, int textWidth);

/// Bar height in pixels of a value given as a fraction of the plot height.
int BarHeight(Extended value, int plotHeight);

struct TMeterTick {
    int X = 0;
    int Length = 0;
};

/// The meter's geometry inside a target rectangle R; names follow the paint steps.
struct TTransitLayout {
    int L = 0;  ///< left frame edge: R.Left + tw div 2 - 1
    int Rt = 0; ///< right frame edge: R.Right - tw div 2
    int T = 0;  ///< top frame edge
    int B = 0;  ///< bottom frame edge; the scale starts under it
    int W = 0;  ///< Rt - L + 1
    int H = 0;  ///< B - T + 1
    int Years = 0;
    int Months = 0;
    /// Month ticks 1..N at [0..N-1], then the end tick at Rt - 1.
    std::vector<TMeterTick> Ticks;
    /// Top-left corners of the year labels, one for each year from FromYear to ToYear.
    std::vector<TMeterPoint> Labels;
    /// Where bars go and the cursor may stand; all four edges inclusive.
    TMeterRect PlotArea;
    /// The height the bar heights are computed for.
    int PlotHeight() const { return B - T - 2; }
};

TTransitLayout LayoutTransitMeter(const TMeterRect &r, int textWidth, int textHeight, int tickSize,
                                  const TYearSpan &span);

/// The year label: the year without its century and without a leading zero, 2000 gives "0".
std::string YearLabel(int year);

/// The printed curve: one closed polygon for each run of at least two consecutive values with
/// a positive bar height, values 0..maxValues spread over the plot width and closed along the
/// plot's base line. Nothing when maxValues <= 0.
std::vector<std::vector<TMeterPoint>>
TransitPrintPolygons(const TTransitLayout &layout, std::span<const Extended> values, int maxValues);

/// The YYYYMMDD under the cursor column x of a plot area spanning the year scale.
int TransitCursorDate(int x, const TMeterRect &plotArea, const TYearSpan &span);

// --- aspect meter ----------------------------------------------------------------------------

enum TMeterKind { mkHorizontalBar, mkVerticalBar };

/// A value below minValue becomes minValue, one above maxValue becomes maxValue.
int ClampProgress(int value, int minValue, int maxValue);
/// Truncated percentage of the range; 0 for an empty range.
int ProgressPercentage(int progress, int minValue, int maxValue);
/// The filled bar inside a meter of width x height; empty when nothing is filled.
TMeterRect AspectBarRect(TMeterKind kind, int width, int height, int percentage);

} // namespace kyr
