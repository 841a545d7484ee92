// The one routine that draws a laid-out wheel. The screen, the off-screen bitmap and every
// picture target (printer, PDF, SVG, image) come through PaintWheel; it only draws what
// the layout computed.
#pragma once

#include "WheelGeometry.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPaintDevice;
class QPainter;

namespace kyr {

/// Set while a TWheelPicture draws: the wheel paints in its printing style.
bool WheelPrintMode();

/// Sets WheelPrintMode for its lifetime and clears it afterwards, also on an exception.
class TWheelPrintScope {
public:
    TWheelPrintScope();
    ~TWheelPrintScope();
    TWheelPrintScope(const TWheelPrintScope &) = delete;
    TWheelPrintScope &operator=(const TWheelPrintScope &) = delete;
};

struct TWheelPaintOptions {
    bool BW = false;        ///< black-and-white style
    bool PrintMode = false; ///< printing style: thicker lines, positions, white BW boundaries
    bool ShowPosition = false;
    bool ShowAspects = false;
    /// The sign ring as pies; the geometry must have been laid out off-screen.
    bool OffScreen = false;
    bool BodiesReady = false;  ///< the own horoscope is ready: bodies and chords
    bool PartnerReady = false; ///< the relation wheel's horoscope is ready (dual layout)
    bool Opaque = false;
    QColor Color = Qt::white; ///< filled into Rect first when Opaque
    QRect Rect;
    QFont Font; ///< the symbol font; its sizes come from the geometry
};

void PaintWheel(QPainter &painter, const TWheelGeometry &geometry,
                const TWheelPaintOptions &options);

/// base at the size whose cell (ascent plus descent) is cellHeight pixels on device, the way
/// the wheel's font heights are meant.
QFont FontOfCellHeight(const QFont &base, int cellHeight, const QPaintDevice *device);

/// The printed position of a body within its sign: D.MM truncated to hundredths, "%4.2f".
QString PositionText(Extended degreeDm);

} // namespace kyr
