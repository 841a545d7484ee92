// Pen-and-brush drawing with the pixel rules the meters are laid out for: a line leaves out its
// last point and a rectangle its right and bottom edges, so that the meter's rows and columns
// come out the same on the screen, in an image and on paper.
#pragma once

#include "MeterLayout.h"

#include <QColor>
#include <QString>

#include <vector>

class QPainter;

namespace kyr {

class TMeterCanvas {
public:
    /// Draws through painter, which is switched to aliased drawing for the canvas's lifetime.
    explicit TMeterCanvas(QPainter &painter);
    ~TMeterCanvas();
    TMeterCanvas(const TMeterCanvas &) = delete;
    TMeterCanvas &operator=(const TMeterCanvas &) = delete;

    void SetPen(const QColor &color) { FPen = color; }
    void SetBrush(const QColor &color);
    void ClearBrush() { FHasBrush = false; }

    void MoveTo(int x, int y);
    /// A line from the current point to (x, y), without (x, y) itself, which becomes current.
    void LineTo(int x, int y);
    /// Outline in the pen, inside in the brush; (x2, y2) lies just outside.
    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(const TMeterRect &rect, const QColor &color);
    /// A closed polygon, filled with the brush and outlined with the pen.
    void Polygon(const std::vector<TMeterPoint> &points);
    /// Text with its top-left corner at (x, y), in the painter's font and the pen's colour.
    void TextOut(int x, int y, const QString &text);

private:
    void Pixels(int x1, int y1, int x2, int y2);

    QPainter &FPainter;
    bool FWasAntialiased = false;
    QColor FPen = Qt::black;
    QColor FBrush = Qt::white;
    bool FHasBrush = true;
    int FX = 0;
    int FY = 0;
};

} // namespace kyr
