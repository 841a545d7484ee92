#include "MeterCanvas.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kyr {

namespace {

// A one-pixel pen whatever the device's resolution.
QPen HairlinePen(const QColor &color) {
    QPen pen(color);
    pen.setWidth(0);
    pen.setCapStyle(Qt::SquareCap); // both end points, like drawPoint
    return pen;
}

} // namespace

TMeterCanvas::TMeterCanvas(QPainter &painter)
    : FPainter(painter), FWasAntialiased(painter.testRenderHint(QPainter::Antialiasing)) {
    FPainter.setRenderHint(QPainter::Antialiasing, false);
}

TMeterCanvas::~TMeterCanvas() {
    FPainter.setRenderHint(QPainter::Antialiasing, FWasAntialiased);
}

void TMeterCanvas::SetBrush(const QColor &color) {
    FBrush = color;
    FHasBrush = true;
}

void TMeterCanvas::MoveTo(int x, int y) {
    FX = x;
    FY = y;
}

void TMeterCanvas::LineTo(int x, int y) {
    const int dx = x - FX;
    const int dy = y - FY;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps > 0) {
        // One step back along the line leaves out the end point.
        const auto back = [steps](int d) {
            return static_cast<int>(std::lround(static_cast<double>(d) / steps));
        };
        Pixels(FX, FY, x - back(dx), y - back(dy));
    }
    MoveTo(x, y);
}

void TMeterCanvas::Pixels(int x1, int y1, int x2, int y2) {
    FPainter.setPen(HairlinePen(FPen));
    if (x1 == x2 && y1 == y2)
        FPainter.drawPoint(x1, y1);
    else
        FPainter.drawLine(x1, y1, x2, y2);
}

void TMeterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1)
        return;
    if (FHasBrush)
        FPainter.fillRect(x1, y1, x2 - x1, y2 - y1, FBrush);
    Pixels(x1, y1, x2 - 1, y1);
    Pixels(x2 - 1, y1, x2 - 1, y2 - 1);
    Pixels(x2 - 1, y2 - 1, x1, y2 - 1);
    Pixels(x1, y2 - 1, x1, y1);
}

void TMeterCanvas::FillRect(const TMeterRect &rect, const QColor &color) {
    if (!rect.Empty())
        FPainter.fillRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top,
                          color);
}

void TMeterCanvas::Polygon(const std::vector<TMeterPoint> &points) {
    QPolygon polygon;
    for (const TMeterPoint &p : points)
        polygon << QPoint(p.X, p.Y);
    FPainter.setPen(HairlinePen(FPen));
    FPainter.setBrush(FHasBrush ? QBrush(FBrush) : QBrush(Qt::NoBrush));
    FPainter.drawPolygon(polygon);
    FPainter.setBrush(Qt::NoBrush);
}

void TMeterCanvas::TextOut(int x, int y, const QString &text) {
    FPainter.setPen(FPen);
    const int ascent = FPainter.fontMetrics().ascent();
    FPainter.drawText(x, y + ascent, text);
}

} // namespace kyr
