// The information boxes of the printed wheel page, drawn into any painter: name and birth data,
// symbol legend, house cusps, aspect grid and body positions. Each box is a frame with a grid
// of inner lines in the painter's pen and texts in the symbol font.
#pragma once

#include "TableLayout.h"

#include <string>

class QPainter;

namespace kyr {

class THoroscope;
class TLanguage;
struct TPrintBox;

/// A box of whole millimetres measured from the text area's corner (left, top) in device pixels:
/// x0 = left + Trunc(X · xScale), x1 = x0 + Trunc(W · xScale), the same down.
TCell BoxCell(const TPrintBox &box, int left, int top, long double xScale, long double yScale);

/// The outline of a cell whose right and bottom edges are the next cell's.
void DrawFrame(QPainter &painter, const TCell &cell);

/// First and last name, weekday, birth date and time, house system, orb set, zone and summer
/// time, place, state and coordinates in a 4 × 3 grid.
void DrawInformationBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                        const TLanguage &language, const std::string &orbisName);
/// The 38 symbols with their names.
void DrawSymbolBox(QPainter &painter, const TCell &box, const TLanguage &language);
/// The twelve house cusps: mark, position within the sign, sign glyph.
void DrawHousesBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                   const TLanguage &language);
/// The chart's own aspects in a 15 × 15 grid of the aspect points.
void DrawAspectsBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                    const TLanguage &language);
/// The twelve bodies: glyph, position, sign, retrograde mark, house.
void DrawPlanetsBox(QPainter &painter, const TCell &box, const THoroscope &horoscope,
                    const TLanguage &language);

} // namespace kyr
