// Print margins and wheel-page boxes held to the page, so that a hand-edited or damaged
// settings file cannot push the page arithmetic past the range of an int.
#pragma once

#include "KyrSetup.h"

namespace kyr {

/// A page in whole millimetres.
struct TPageSize {
    int Width = 210;
    int Height = 297;
};

/// No printer takes a sheet longer than this; the settings are held to it when they are read,
/// before any page is known.
constexpr TPageSize LargestPage{1000, 1000};

/// A margin of a page extent: 0 .. half of it.
int ClampMargin(int margin, int extent);
/// The six margins, each by the extent of its direction.
void ClampMargins(TPrintLayout &layout, TPageSize page);
/// Inside the page: left and top 0 .. the extent, width and height 0 .. what is left of it.
TPrintBox ClampBox(const TPrintBox &box, TPageSize page);
/// Every box of the wheel page.
void ClampBoxes(TPrintOptions &options, TPageSize page);

} // namespace kyr
