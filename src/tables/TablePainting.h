// Drawing helpers shared by the chart tables: the symbol font at a cell height and text
// centred in a cell, on any paint device.
#pragma once

#include "TableLayout.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

class QPainter;

namespace kyr {

/// The tables draw everything in the symbol font "KYR Sans Serif"; Qt falls back to another
/// face while it is not registered.
inline const QString TableFontFamily = QStringLiteral("KYR Sans Serif");
/// The tables' text colour (navy).
inline const QColor TableFontColor{0, 0, 128};

/// The symbol font whose whole line (ascent + descent), not just its em, fits cellHeight
/// pixels: the tables' font heights measure the line.
QFont TableFont(int cellHeight);
/// Draws text with its box centred on the cell's centre (halves truncated).
void DrawCentred(QPainter &painter, const TCell &cell, const QString &text);
/// Draws text from x, vertically centred between top and bottom.
void DrawMiddle(QPainter &painter, int x, int top, int bottom, const QString &text);

inline QString ToQString(const std::string &text) {
    return QString::fromStdString(text);
}

} // namespace kyr
